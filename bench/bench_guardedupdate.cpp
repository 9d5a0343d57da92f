// The whole guarded firmware update against the bare transfer, with the virtual controller and
// a 256 KiB image. The bare transfer is the update as it was before the guard: the switch to the
// boot loader, the port search and the YMODEM transfer. The guarded update adds the backup (a read
// and a write), the wait for the controller, the version check and, when the new firmware reset
// the settings, the restore (a send and a read back). Each kind runs several times in turns;
// every time is printed, the ratios are taken between the best times, and each stage of the
// best guarded run is shown. Target: at most 1.2 x.
//
//   build/bench/bench_guardedupdate [rounds]

#include "device/deviceconnection.h"
#include "device/virtual/virtualtark9.h"
#include "firmware/firmwareupdate.h"
#include "firmware/guardedupdate.h"

#include "testimage.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMetaEnum>
#include <QTemporaryDir>
#include <QTimer>
#include <QVector>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int ImageBytes = 256 * 1024;
constexpr int DefaultRounds = 3;
constexpr int GiveUpMs = 120000;
// Where the image says which version it brings (the virtual boot loader reads it from there).
constexpr int VersionTagOffset = 1000;

VirtualTark9 &device() { return VirtualTark9::instance(); }

// The back end logs every port opened and message taken; on a terminal that costs more than the
// update itself.
void quiet(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

// Until the controller is in MIDI mode again, so that every run starts from the same place.
bool waitForMidiMode()
{
    QElapsedTimer clock;
    clock.start();
    while (!(device().isPlugged() && !device().bootLoader().isActive()) && clock.elapsed() < GiveUpMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return device().isPlugged();
}

struct Timing
{
    bool ok = false;
    qint64 ms = 0;
    QVector<QPair<GuardedUpdate::Stage, qint64>> stages;   // each stage and when it started (ms)
};

Timing bare(DeviceConnection &connection, const QString &image)
{
    Timing timing;
    device().reset();
    FirmwareUpdate update;
    QEventLoop loop;
    QObject::connect(&update, &FirmwareUpdate::transStatus, &loop, [&](bool success) {
        timing.ok = success;
        loop.quit();
    });
    QObject::connect(&update, &FirmwareUpdate::failed, &loop, &QEventLoop::quit);
    QTimer::singleShot(GiveUpMs, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    if (connection.requestBootLoader() != DeviceConnection::Status::Ok)
        return timing;
    connection.close();
    update.startUpdate(image);
    if (update.isRunning())
        loop.exec();
    timing.ms = clock.elapsed();
    timing.ok = timing.ok && waitForMidiMode();
    return timing;
}

Timing guarded(DeviceConnection &connection, const QString &image, const QString &backups, bool settingsReset)
{
    Timing timing;
    device().reset();
    device().customiseSettings();
    if (settingsReset)
        device().setMisbehaviour(VirtualTark9::Misbehaviour::ResetsSettings);
    GuardedUpdate update(connection);
    update.setBackupFolder(backups);
    update.setExpectedVersion(QStringLiteral("1.0.4"));
    QEventLoop loop;
    QElapsedTimer clock;
    QObject::connect(&update, &GuardedUpdate::stageChanged, &loop,
                     [&](GuardedUpdate::Stage stage) { timing.stages.append({stage, clock.elapsed()}); });
    QObject::connect(&update, &GuardedUpdate::finished, &loop, [&](bool success, GuardedUpdate::Stage, const QString &sentence) {
        timing.ok = success;
        if (!success)
            std::fprintf(stderr, "guarded update failed: %s\n", qPrintable(sentence));
        loop.quit();
    });
    QTimer::singleShot(GiveUpMs, &loop, &QEventLoop::quit);
    clock.start();
    if (update.start(image))
        loop.exec();
    timing.ms = clock.elapsed();
    return timing;
}

qint64 best(const QVector<Timing> &runs)
{
    qint64 fastest = -1;
    for (const Timing &run : runs) {
        if (run.ok && (fastest < 0 || run.ms < fastest))
            fastest = run.ms;
    }
    return fastest;
}

void printTimes(const char *name, const QVector<Timing> &runs)
{
    std::printf("%-36s", name);
    for (const Timing &run : runs) {
        if (run.ok)
            std::printf(" %7lld ms", static_cast<long long>(run.ms));
        else
            std::printf("  failed   ");
    }
    std::printf("   best %lld ms\n", static_cast<long long>(best(runs)));
}

void printStages(const Timing &run)
{
    const QMetaEnum names = QMetaEnum::fromType<GuardedUpdate::Stage>();
    for (int i = 0; i < run.stages.size(); ++i) {
        const qint64 end = i + 1 < run.stages.size() ? run.stages.at(i + 1).second : run.ms;
        std::printf("    %-24s %7lld ms\n", names.valueToKey(int(run.stages.at(i).first)),
                    static_cast<long long>(end - run.stages.at(i).second));
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : DefaultRounds;
    qInstallMessageHandler(quiet);
    VirtualTark9::installAsBackend();

    QTemporaryDir dir;
    const QString image = dir.filePath(QStringLiteral("rk21_104.bin"));
    if (!TestImage::write(image, TestImage::withText(TestImage::bytes(ImageBytes), VersionTagOffset, "Tark9 firmware 1.0.4"))) {
        std::fprintf(stderr, "cannot write the image\n");
        return 1;
    }
    DeviceConnection connection;
    QObject::connect(&connection, &DeviceConnection::messageReceived, &connection,
                     [&](const QByteArray &message) { connection.takeMessage(message.constData(), message.size()); });

    QVector<Timing> bareRuns;
    QVector<Timing> keptRuns;
    QVector<Timing> resetRuns;
    for (int round = 0; round < rounds; ++round) {
        bareRuns << bare(connection, image);
        keptRuns << guarded(connection, image, dir.path(), false);
        resetRuns << guarded(connection, image, dir.path(), true);
    }

    std::printf("firmware update of a %d KiB image with the virtual controller, %d rounds\n", ImageBytes / 1024, rounds);
    printTimes("bare transfer (switch + YMODEM)", bareRuns);
    printTimes("guarded, settings kept", keptRuns);
    printTimes("guarded, settings reset and restored", resetRuns);
    const qint64 bareBest = best(bareRuns);
    if (bareBest <= 0 || best(keptRuns) < 0 || best(resetRuns) < 0) {
        std::printf("a run failed: no ratio\n");
        return 1;
    }
    std::printf("ratio guarded / bare: settings kept %.2f x, settings restored %.2f x (target <= 1.2 x)\n",
                double(best(keptRuns)) / double(bareBest), double(best(resetRuns)) / double(bareBest));
    const auto fastest = std::min_element(resetRuns.cbegin(), resetRuns.cend(), [](const Timing &a, const Timing &b) {
        return a.ok && (!b.ok || a.ms < b.ms);
    });
    std::printf("stages of the best guarded run with the settings restored:\n");
    printStages(*fastest);
    return 0;
}
