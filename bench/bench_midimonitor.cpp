// The MIDI monitor under load, with a view attached that reads every role of every inserted row
// (more than a list view does: it reads only the rows on screen). Prints
//   - the messages a second the monitor takes, fed directly (the model and the view alone);
//   - the messages a second through the whole path: the virtual controller turning a knob as
//     fast as it can, its input queue, the connection's hand-over to this thread, the monitor;
//   - how late a 10 ms timer fires while the controller sends 1,000 messages a second (what a
//     window would feel);
//   - the process's resident memory after 10,000 to 100,000 messages (flat after the first
//     10,000, which is all the monitor keeps).
//
//   build/bench/bench_midimonitor [messages for the rates, default 100000]

#include "config/controllerprotocol.h"
#include "device/deviceconnection.h"
#include "device/midimonitor.h"
#include "device/virtual/virtualtark9.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int DefaultMessages = 100000;
// The burst: one knob turn a millisecond for BurstMs, and the timer whose lateness is measured.
constexpr int BurstMs = 3000;
constexpr int BurstIntervalMs = 1;
constexpr int ProbeIntervalMs = 10;
// Messages the controller sends as fast as it can, through the whole path.
constexpr int PathMessages = 20000;
// A bound for waiting on the path, in ms, so that a lost message ends the run instead of hanging it.
constexpr int PathWaitMs = 60000;
// One message in this many is a configuration reply (458 bytes of SysEx) in the memory run.
constexpr int SysExEvery = 100;
const int MemoryPoints[] = {10000, 20000, 50000, 100000};

// Reads what a delegate would show for each inserted row.
class View : public QObject
{
public:
    explicit View(MidiMonitor &monitor)
        : m_monitor(monitor)
        , m_roles(monitor.roleNames().keys())
    {
        connect(&monitor, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex &, int first, int last) {
            for (int row = first; row <= last; ++row) {
                const QModelIndex index = m_monitor.index(row);
                for (int role : m_roles)
                    values += index.data(role).isValid() ? 1 : 0;
            }
            rows += last - first + 1;
        });
    }
    qint64 rows = 0;
    qint64 values = 0;   // the roles read that held something

private:
    MidiMonitor &m_monitor;
    const QList<int> m_roles;
};

// Notes, controllers and pitch bends of the factory's controls, on channel 1.
QByteArray message(int n)
{
    switch (n % 4) {
    case 0: return QByteArray::fromHex("9018") + char(1 + n % 127);
    case 1: return QByteArray::fromHex("8018") + char(0);
    case 2: return QByteArray::fromHex("B007") + char(n % 128);
    default: return QByteArray::fromHex("E000") + char(n % 128);
    }
}

long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

void runFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// The monitor fed directly, a batch of BatchIntervalMs' worth at a time as its timer inserts them.
void directRate(int messages)
{
    MidiMonitor monitor;
    monitor.setConfiguration(VirtualTark9::instance().configuration());
    View view(monitor);
    monitor.setActive(true);
    constexpr int Batch = 50;   // a controller sending 1,000 a second fills a 50 ms batch with 50
    QElapsedTimer clock;
    clock.start();
    for (int n = 0; n < messages; ++n) {
        monitor.addMessage(MidiMonitor::FromController, message(n));
        if (n % Batch == Batch - 1)
            monitor.flush();
    }
    monitor.flush();
    const double seconds = clock.nsecsElapsed() / 1e9;
    std::printf("fed directly:        %8.0f messages/s (%.1f us each), %lld rows and %lld values read, %d dropped\n",
                messages / seconds, seconds * 1e6 / messages, static_cast<long long>(view.rows), static_cast<long long>(view.values),
                monitor.droppedCount());
}

// From the virtual controller's thread through its input queue and the connection.
void pathRate(DeviceConnection &connection)
{
    MidiMonitor monitor;
    monitor.setConfiguration(VirtualTark9::instance().configuration());
    monitor.setConnection(&connection);
    View view(monitor);
    monitor.setActive(true);
    QElapsedTimer clock;
    clock.start();
    for (int n = 0; n < PathMessages; ++n)
        VirtualTark9::instance().turnKnob(0, n % 128);
    while (monitor.keptCount() + monitor.droppedCount() < PathMessages && clock.elapsed() < PathWaitMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        monitor.flush();
    }
    const double seconds = clock.nsecsElapsed() / 1e9;
    std::printf("through the path:    %8.0f messages/s (%d of %d arrived)\n", (monitor.keptCount() + monitor.droppedCount()) / seconds,
                monitor.keptCount() + monitor.droppedCount(), PathMessages);
    monitor.setActive(false);
}

// 1,000 messages a second for BurstMs, the monitor inserting on its own timer.
void burst(DeviceConnection &connection)
{
    MidiMonitor monitor;
    monitor.setConfiguration(VirtualTark9::instance().configuration());
    monitor.setConnection(&connection);
    View view(monitor);
    monitor.setActive(true);
    // A timer of 1 ms comes a little late each time: every tick plays the turns that are due.
    QTimer player;
    player.setTimerType(Qt::PreciseTimer);
    QElapsedTimer playing;
    int played = 0;
    QObject::connect(&player, &QTimer::timeout, [&] {
        for (const qint64 due = playing.elapsed() / BurstIntervalMs; played < due; ++played)
            VirtualTark9::instance().turnKnob(0, played % 128);
    });
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    QElapsedTimer since;
    qint64 worstLateMs = 0;
    qint64 totalLateMs = 0;
    int probes = 0;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 late = std::max<qint64>(0, since.restart() - ProbeIntervalMs);
        worstLateMs = std::max(worstLateMs, late);
        totalLateMs += late;
        ++probes;
    });
    since.start();
    playing.start();
    player.start(BurstIntervalMs);
    probe.start(ProbeIntervalMs);
    runFor(BurstMs);
    player.stop();
    probe.stop();
    const double rate = played * 1000.0 / playing.elapsed();
    runFor(2 * MidiMonitor::BatchIntervalMs);
    std::printf("burst of %d ms:     %d played (%.0f a second), %lld rows shown; a %d ms timer late by %.2f ms on average, %lld ms at most\n",
                BurstMs, played, rate, static_cast<long long>(view.rows), ProbeIntervalMs, probes ? double(totalLateMs) / probes : 0.0,
                static_cast<long long>(worstLateMs));
    monitor.setActive(false);
}

void memory()
{
    QByteArray reply = VirtualTark9::instance().configuration();
    reply[ControllerProtocol::CommandOffset] = char(VirtualTark9::ReplyCommand);
    MidiMonitor monitor;
    monitor.setConfiguration(VirtualTark9::instance().configuration());
    View view(monitor);
    monitor.setActive(true);
    std::printf("resident memory:     %ld KiB before\n", residentKiB());
    int fed = 0;
    for (int point : MemoryPoints) {
        for (; fed < point; ++fed) {
            monitor.addMessage(MidiMonitor::FromController, fed % SysExEvery == 0 ? reply : message(fed));
            if (fed % 50 == 49)
                monitor.flush();
        }
        monitor.flush();
        std::printf("                     %ld KiB after %6d messages (%d kept, %d dropped)\n", residentKiB(), point,
                    monitor.keptCount(), monitor.droppedCount());
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // The back end's log (a line per port opened) would drown the figures.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    const int messages = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : DefaultMessages;
    VirtualTark9::installAsBackend();
    DeviceConnection connection;

    // Memory first, while the heap holds nothing of the other runs.
    memory();
    directRate(messages);
    pathRate(connection);
    burst(connection);
    return 0;
}
