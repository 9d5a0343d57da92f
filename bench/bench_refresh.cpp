// A configuration reply reaching every editor of the main page: the real controller and model
// with the scene the editor loads, the diagnostic log on as in use. Times the model taking a
// new image (its s_updateDate handlers run synchronously) and then the next frame, alternating
// two different images so that every field really changes; prints the medians, once with the
// log writing to a file and once with messages dropped, to show what the log costs.
//
//   xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QUICK_BACKEND=software \
//       build/bench/bench_refresh [runs, default 200] 2>/dev/null

#include "app/appoptions.h"
#include "app/logfile.h"
#include "app/mainwindow.h"
#include "config/datamanagement.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using Image = std::array<quint8, DataManagement::ImageSize>;

// Start-up settles first: the virtual controller's arrival, its reply and the serial-number
// request 2000 ms later.
constexpr int SettleMs = 3000;
// A frame that has not come within this time is not coming (hidden window).
constexpr int FrameTimeoutMs = 2000;

std::atomic<int> g_messages{0};
QtMessageHandler g_logHandler = nullptr;

void countingHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    ++g_messages;
    if (g_logHandler)
        g_logHandler(type, context, message);
}

void dropHandler(QtMsgType, const QMessageLogContext &, const QString &)
{
    ++g_messages;
}

void wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool waitForFrame(QQuickWindow *window)
{
    QEventLoop loop;
    bool swapped = false;
    const auto connection = QObject::connect(window, &QQuickWindow::frameSwapped, &loop, [&] {
        swapped = true;
        loop.quit();
    }, Qt::QueuedConnection);
    QTimer::singleShot(FrameTimeoutMs, &loop, &QEventLoop::quit);
    window->update();
    loop.exec();
    QObject::disconnect(connection);
    return swapped;
}

// A configuration that differs from the factory one in every field the pages show.
Image variedImage(DataManagement &model)
{
    const Image factory = model.configImage();
    for (int pad = 0; pad < DataManagement::PadCount; ++pad) {
        model.setPadInfo(pad, QStringLiteral("padtype"), (pad + 1) % 3);
        model.setPadInfo(pad, QStringLiteral("padData"), (pad * 7 + 5) % 128);
        model.setPadInfo(pad, QStringLiteral("padCh"), pad % 16 + 1);
        model.setPadInfo(pad, QStringLiteral("padMode"), pad % 2);
        model.setPadInfo(pad, QStringLiteral("padRGB"), QStringLiteral("#%1").arg((pad * 0x1f3d5b) & 0xffffff, 6, 16, QLatin1Char('0')));
    }
    for (int knob = 0; knob < DataManagement::BqmCount; ++knob) {
        model.setBQMInfo(knob, QStringLiteral("bqmType"), (knob + 1) % 3);
        model.setBQMInfo(knob, QStringLiteral("bqmData"), knob * 9);
        model.setBQMInfo(knob, QStringLiteral("bqmCh"), knob + 2);
        model.setBQMInfo(knob, QStringLiteral("bqmLsbMax"), 100 - knob);
    }
    for (int section = 0; section < DataManagement::BeltCount; ++section) {
        model.setWalkingBeltInfo(section, QStringLiteral("wbtype"), (section + 1) % 2);
        model.setWalkingBeltInfo(section, QStringLiteral("wbData"), section * 11);
        model.setWalkingBeltInfo(section, QStringLiteral("wbCh"), 16 - section);
        model.setWalkingBeltInfo(section, QStringLiteral("wbMode"), (section + 1) % 2);
    }
    const Image varied = model.configImage();
    model.loadConfigImage(reinterpret_cast<const char *>(factory.data()), DataManagement::ImageSize);
    return varied;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// What the model's own log lines cost, apart from the scene: every pad read as the pad page
// reads them on a refresh (one log line each), median time of one read of all pads.
double padReadsMs(DataManagement &model, int runs)
{
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        for (int pad = 0; pad < DataManagement::PadCount; ++pad)
            model.getPadInfo(pad);
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    return median(times);
}

struct Result
{
    double handlersMs, frameMs, messages;
};

Result measure(DataManagement &model, QQuickWindow *window, const Image images[2], int runs)
{
    std::vector<double> handlers, frames, messages;
    for (int run = 0; run < runs; ++run) {
        const Image &image = images[run % 2];
        g_messages = 0;
        QElapsedTimer timer;
        timer.start();
        model.loadConfigImage(reinterpret_cast<const char *>(image.data()), DataManagement::ImageSize);
        handlers.push_back(timer.nsecsElapsed() / 1e6);
        messages.push_back(g_messages);
        if (!waitForFrame(window)) {
            std::fprintf(stdout, "no frame came after a refresh\n");
            std::exit(1);
        }
        frames.push_back(timer.nsecsElapsed() / 1e6);
    }
    return {median(handlers), median(frames), median(messages)};
}

} // namespace

int main(int argc, char *argv[])
{
    // The editor at its design size (a default Xvfb screen reports 100 dpi, which scales the
    // whole window by 100 / 96). Set QT_FONT_DPI to measure it scaled.
    setenv("QT_FONT_DPI", "96", 0);
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(2, std::atoi(argv[1])) : 200;

    // The real log, into a scratch directory instead of the user's application data.
    QTemporaryDir logDir;
    g_logHandler = &LogFile::messageHandler;
    qInstallMessageHandler(&countingHandler);
    LogFile::instance().setDirectory(logDir.path());

    AppOptions options;
    options.virtualDevice = true;
    MainWindow mainWindow(options);
    auto *window = qobject_cast<QQuickWindow *>(mainWindow.engine().rootObjects().value(0));
    if (!window) {
        std::fprintf(stdout, "the scene has no window\n");
        return 1;
    }
    wait(SettleMs);
    DataManagement &model = *mainWindow.dataManagement();
    const Image images[2] = {variedImage(model), model.configImage()};
    measure(model, window, images, 10);  // warm-up: caches, first layouts of every state

    const Result logged = measure(model, window, images, runs);
    const double padsLogged = padReadsMs(model, runs);
    qInstallMessageHandler(&dropHandler);
    const Result dropped = measure(model, window, images, runs);
    const double padsDropped = padReadsMs(model, runs);
    qInstallMessageHandler(&countingHandler);

    std::printf("refresh of every editor at %s dpi, median of %d runs (%.0f log messages each)\n", std::getenv("QT_FONT_DPI"), runs, logged.messages);
    std::printf("log to file       handlers %7.2f ms  to the next frame %7.2f ms\n", logged.handlersMs, logged.frameMs);
    std::printf("log dropped       handlers %7.2f ms  to the next frame %7.2f ms\n", dropped.handlersMs, dropped.frameMs);
    std::printf("log share of the refresh = %.2f ms\n", logged.frameMs - dropped.frameMs);
    std::printf("reading all %d pads: log to file %.3f ms, log dropped %.3f ms\n", DataManagement::PadCount,
                padsLogged, padsDropped);
    return 0;
}
