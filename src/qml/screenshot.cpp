#include "qml/screenshot.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QDebug>
#include <QImage>
#include <QPointer>
#include <QQuickWindow>
#include <QTimer>

#include <atomic>
#include <memory>

namespace {

// A window that has not drawn within this time never will (no display, hidden window).
constexpr int FirstFrameTimeoutMs = 30000;
constexpr int ReadyPollMs = 10;

// QCoreApplication::exit only ends a running event loop, so leave once it runs.
void exitSoon(int code)
{
    QTimer::singleShot(0, qApp, [code] { QCoreApplication::exit(code); });
}

void exitWhenReady(QPointer<QQuickWindow> window, int pollsLeft = FirstFrameTimeoutMs / ReadyPollMs)
{
    const QVariant ready = window ? window->property("ready") : QVariant();
    if (!ready.isValid() || ready.toBool()) {
        QCoreApplication::exit(0);
        return;
    }
    if (pollsLeft <= 0) {
        qCritical() << "screenshot: the window did not finish building within" << FirstFrameTimeoutMs << "ms";
        QCoreApplication::exit(1);
        return;
    }
    QTimer::singleShot(ReadyPollMs, qApp, [window, pollsLeft] { exitWhenReady(window, pollsLeft - 1); });
}

} // namespace

void Screenshot::saveAfterFirstFrame(QQuickWindow *window, const QString &path)
{
    if (!window) {
        qCritical() << "screenshot: there is no window to render";
        exitSoon(1);
        return;
    }
    auto done = std::make_shared<bool>(false);
    // When the first frame went out, taken where the frame is swapped (the render thread with a
    // threaded render loop): work queued behind the frame must not date it later.
    auto shownAt = std::make_shared<std::atomic<qint64>>(0);
    QObject::connect(window, &QQuickWindow::frameSwapped, window, [shownAt] {
        qint64 unset = 0;
        shownAt->compare_exchange_strong(unset, QDateTime::currentMSecsSinceEpoch());
    }, Qt::DirectConnection);
    QPointer<QQuickWindow> target(window);
    // Queued: with a threaded render loop frameSwapped arrives on the render thread, while
    // grabbing must happen on the GUI thread.
    QObject::connect(window, &QQuickWindow::frameSwapped, qApp, [target, path, done, shownAt] {
        if (*done || !target)
            return;
        *done = true;
        const QDateTime shown = QDateTime::fromMSecsSinceEpoch(shownAt->load());
        const QImage image = target->grabWindow();
        if (image.isNull() || !image.save(path, "PNG")) {
            qCritical() << "screenshot: could not write" << path;
            QCoreApplication::exit(1);
            return;
        }
        // The file is dated by its frame rather than by the end of the PNG encoding, which
        // takes longer the busier the picture is: what a start-up measurement reads is when the
        // window first showed.
        QFile file(path);
        if (!file.open(QIODevice::ReadWrite) || !file.setFileTime(shown, QFileDevice::FileModificationTime))
            qWarning() << "screenshot: could not date" << path << "by its frame";
        qInfo() << "screenshot saved to" << path;
        // A window that builds part of itself after its first frame says so by a "ready"
        // property; the program ends once that is done, so that a run measures the whole
        // start-up (peak memory included), not only the first frame.
        exitWhenReady(target);
    }, Qt::QueuedConnection);
    QTimer::singleShot(FirstFrameTimeoutMs, qApp, [done] {
        if (*done)
            return;
        *done = true;
        qCritical() << "screenshot: the window did not render within" << FirstFrameTimeoutMs << "ms";
        QCoreApplication::exit(1);
    });
}
