#include "device/virtual/virtualbootloader.h"

#include "config/midistatus.h"

#include "device/pseudoterminal/pseudoterminal.h"
#include "device/serialportlist.h"
#include "device/virtual/virtualtark9.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QStringList>

#include <chrono>

namespace {

// How often the boot loader looks whether a host has opened its port.
constexpr std::chrono::milliseconds AttachPoll(20);
// After a failed transfer a host that keeps the port open gets this long to let go before the
// boot loader asks it for an image again.
constexpr int RetryPauseMs = 1000;

const QByteArray VersionTag("Tark9 firmware ");
constexpr int VersionParts = 3;     // major.minor.patch
constexpr int MaxVersionText = 11; // "127.127.127"
constexpr int MaxVersionPart = MidiStatus::DataMax; // the version travels in SysEx data bytes
constexpr int MaxVersionPartDigits = 3;

QString versionText(const QList<int> &version)
{
    QStringList parts;
    for (int part : version)
        parts << QString::number(part);
    return parts.join(QLatin1Char('.'));
}

} // namespace

VirtualBootLoader::VirtualBootLoader(VirtualTark9 &device)
    : m_device(device)
{
}

VirtualBootLoader::~VirtualBootLoader()
{
    // Only at process exit (the device is a singleton): the serial-port list may be gone by now,
    // so the port is left registered.
    m_processEnding = true;
    stop();
}

void VirtualBootLoader::enter(Application application)
{
    std::lock_guard<std::mutex> lock(m_threadMutex);
    if (m_active) {
        qDebug() << "virtual Tark9 boot loader: already running";
        return;
    }
    // A boot loader that has just finished may still be on its way out.
    if (m_thread.joinable())
        m_thread.join();
    m_active = true;
    {
        std::lock_guard<std::mutex> stateLock(m_stateMutex);
        m_results.clear();
    }
    qDebug() << "virtual Tark9: boot-loader command, leaving MIDI mode";
    m_device.unplug();
    m_thread = std::thread([this, application] { run(application); });
}

void VirtualBootLoader::stop()
{
    std::lock_guard<std::mutex> lock(m_threadMutex);
    m_stopRequested = true;
    if (m_thread.joinable())
        m_thread.join();
    m_stopRequested = false;
}

QString VirtualBootLoader::portName() const
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    return m_portName;
}

void VirtualBootLoader::setPortName(const QString &name)
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    m_portName = name;
}

QByteArray VirtualBootLoader::lastImage() const
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    return m_lastImage;
}

QList<YmodemReceiver::Result> VirtualBootLoader::results() const
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    return m_results;
}

QList<int> VirtualBootLoader::nextVersion(const QByteArray &image, const QList<int> &current)
{
    const int at = image.indexOf(VersionTag);
    if (at >= 0) {
        const QByteArray text = image.mid(at + VersionTag.size(), MaxVersionText + 1);
        int end = 0;
        while (end < text.size() && ((text.at(end) >= '0' && text.at(end) <= '9') || text.at(end) == '.'))
            ++end;
        const QList<QByteArray> parts = text.left(end).split('.');
        QList<int> carried;
        for (const QByteArray &part : parts) {
            bool ok = false;
            const int number = part.toInt(&ok);
            if (!ok || part.size() > MaxVersionPartDigits || number > MaxVersionPart)
                break;
            carried << number;
        }
        if (parts.size() == VersionParts && carried.size() == VersionParts)
            return carried;
    }
    // No version of its own: the patch number one higher, carried into minor and major.
    QList<int> next = current.mid(0, VersionParts);
    while (next.size() < VersionParts)
        next << 0;
    for (int i = VersionParts - 1; i >= 0; --i) {
        if (next.at(i) < MaxVersionPart) {
            ++next[i];
            break;
        }
        next[i] = 0;
    }
    return next;
}

bool VirtualBootLoader::showPort(PseudoTerminal &line)
{
    if (!line.open()) {
        qDebug().noquote() << QStringLiteral("virtual Tark9 boot loader: no serial port (%1)").arg(line.errorString());
        return false;
    }
    SerialPortList::addVirtualPort({line.portName(), VendorId, ProductId});
    setPortName(line.portName());
    qDebug().noquote() << QStringLiteral("virtual Tark9 boot loader: serial port %1 (1C75:0204) waiting for an image").arg(line.portName());
    return true;
}

void VirtualBootLoader::removePort(PseudoTerminal &line)
{
    const QString port = line.portName();
    line.close();
    if (!m_processEnding)
        SerialPortList::removeVirtualPort(port);
    setPortName(QString());
}

void VirtualBootLoader::run(Application application)
{
    const QList<int> oldVersion = m_device.firmwareVersion();
    PseudoTerminal line;
    if (!showPort(line)) {
        qDebug().noquote() << QStringLiteral("virtual Tark9 boot loader: restarting firmware %1").arg(versionText(oldVersion));
        m_active = false;
        m_device.startFirmware(oldVersion, false);
        return;
    }

    YmodemReceiver receiver(line, m_stopRequested);
    receiver.setSizeRange(1, MaxImageSize);
    // The power goes once: plugged in again, the boot loader takes the next image whole.
    bool powerCut = m_device.misbehaviour() == VirtualTark9::Misbehaviour::PowerCutMidTransfer;
    bool intact = application == Application::Intact;
    bool flashed = false;
    bool attached = false;
    QElapsedTimer idle;
    idle.start();
    while (!m_stopRequested) {
        if (intact && idle.elapsed() > m_idleTimeoutMs) {
            qDebug().noquote() << QStringLiteral("virtual Tark9 boot loader: no image within %1 ms, old firmware intact")
                                      .arg(m_idleTimeoutMs.load());
            break;
        }
        if (!line.isAttached()) {
            attached = false;
            std::this_thread::sleep_for(AttachPoll);
            continue;
        }
        if (!attached)
            qDebug().noquote() << QStringLiteral("virtual Tark9 boot loader: a host opened %1").arg(line.portName());
        attached = true;
        receiver.setPowerCut(powerCut ? PowerCutPercent : -1);
        const YmodemReceiver::Result result = receiver.receive();
        if (result == YmodemReceiver::Result::Stopped)
            break;
        {
            std::lock_guard<std::mutex> lock(m_stateMutex);
            m_results << result;
        }
        if (result == YmodemReceiver::Result::Received) {
            flashed = true;
            break;
        }
        if (result == YmodemReceiver::Result::PowerLost) {
            // Without power the port is gone at once; the application area was being written.
            powerCut = false;
            intact = false;
            attached = false;
            removePort(line);
            qDebug().noquote() << QStringLiteral("virtual Tark9 boot loader: power lost during \"%1\"; plugged in again in %2 ms")
                                      .arg(receiver.fileName())
                                      .arg(ReplugDelayMs);
            QElapsedTimer unpowered;
            unpowered.start();
            while (!m_stopRequested && unpowered.elapsed() < ReplugDelayMs)
                std::this_thread::sleep_for(AttachPoll);
            if (m_stopRequested || !showPort(line))
                break;
            continue;
        }
        if (intact && receiver.declaredSize() >= 0) {
            // The application area was erased for the announced image.
            intact = false;
            qDebug().noquote() << QStringLiteral("virtual Tark9 boot loader: transfer of \"%1\" failed (%2); old firmware "
                                                 "erased, staying in boot-loader mode")
                                      .arg(receiver.fileName(), receiver.errorString());
        } else {
            qDebug().noquote() << QStringLiteral("virtual Tark9 boot loader: transfer failed (%1); waiting for another")
                                      .arg(receiver.errorString());
        }
        QElapsedTimer pause;
        pause.start();
        while (!m_stopRequested && line.isAttached() && pause.elapsed() < RetryPauseMs)
            std::this_thread::sleep_for(AttachPoll);
        idle.restart();
    }

    const QString port = line.portName();
    removePort(line);
    if (m_stopRequested || (!flashed && !intact)) {
        // Stopped, or no firmware left to start (a port that could not be shown again after a
        // power cut): the device stays away.
        m_active = false;
        return;
    }
    QList<int> version = oldVersion;
    if (flashed) {
        const QByteArray image = receiver.data();
        version = nextVersion(image, oldVersion);
        {
            std::lock_guard<std::mutex> lock(m_stateMutex);
            m_lastImage = image;
        }
        qDebug().noquote() << QStringLiteral("virtual Tark9 boot loader: flashed \"%1\" (%2 bytes), firmware %3 -> %4")
                                  .arg(receiver.fileName())
                                  .arg(image.size())
                                  .arg(versionText(oldVersion), versionText(version));
    }
    qDebug().noquote() << QStringLiteral("virtual Tark9 boot loader: port %1 removed, restarting in MIDI mode with firmware %2")
                              .arg(port, versionText(version));
    m_active = false;
    m_device.startFirmware(version, flashed);
}
