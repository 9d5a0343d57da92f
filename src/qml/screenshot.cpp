#include "qml/screenshot.h"

#include <QCoreApplication>
#include <QDebug>
#include <QImage>
#include <QPointer>
#include <QQuickWindow>
#include <QTimer>

#include <memory>

namespace {

// A window that has not drawn within this time never will (no display, hidden window).
constexpr int FirstFrameTimeoutMs = 30000;

// QCoreApplication::exit only ends a running event loop, so leave once it runs.
void exitSoon(int code)
{
    QTimer::singleShot(0, qApp, [code] { QCoreApplication::exit(code); });
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
    QPointer<QQuickWindow> target(window);
    // Queued: with a threaded render loop frameSwapped arrives on the render thread, while
    // grabbing must happen on the GUI thread.
    QObject::connect(window, &QQuickWindow::frameSwapped, qApp, [target, path, done] {
        if (*done || !target)
            return;
        *done = true;
        const QImage image = target->grabWindow();
        if (image.isNull() || !image.save(path, "PNG")) {
            qCritical() << "screenshot: could not write" << path;
            QCoreApplication::exit(1);
            return;
        }
        qInfo() << "screenshot saved to" << path;
        QCoreApplication::exit(0);
    }, Qt::QueuedConnection);
    QTimer::singleShot(FirstFrameTimeoutMs, qApp, [done] {
        if (*done)
            return;
        *done = true;
        qCritical() << "screenshot: the window did not render within" << FirstFrameTimeoutMs << "ms";
        QCoreApplication::exit(1);
    });
}
