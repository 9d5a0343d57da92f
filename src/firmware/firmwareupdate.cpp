#include "firmware/firmwareupdate.h"

#include "device/serialportlist.h"
#include "config/controlleridentity.h"

#include <QDebug>
#include <QFileInfo>

namespace {

// How often the port is looked for while it is not there.
constexpr int PortSearchIntervalMs = 250;

// A port asked for by name: one the system lists, or a device file (a pseudo-terminal is never
// listed).
bool portExists(const QString &name)
{
    const QList<SerialPortEntry> ports = SerialPortList::availablePorts();
    for (const SerialPortEntry &port : ports) {
        if (port.portName == name || QStringLiteral("/dev/") + port.portName == name)
            return true;
    }
    return QFileInfo::exists(name);
}

} // namespace

FirmwareUpdate::FirmwareUpdate(QObject *parent)
    : QObject(parent)
    , m_ymodemFileTransmit(new YmodemFileTransmit)
{
    // For queued connections and signal spies, which see the signal's arguments by type name.
    qRegisterMetaType<FirmwareUpdate::Failure>("FirmwareUpdate::Failure");
    m_searchTimer.setSingleShot(true);
    connect(&m_searchTimer, &QTimer::timeout, this, &FirmwareUpdate::searchPort);
    connect(m_ymodemFileTransmit, &YmodemFileTransmit::transmitProgress, this, &FirmwareUpdate::transmitProgress);
    connect(m_ymodemFileTransmit, &YmodemFileTransmit::transmitStatus, this, &FirmwareUpdate::transmitStatus);
}

FirmwareUpdate::~FirmwareUpdate()
{
    delete m_ymodemFileTransmit;
}

void FirmwareUpdate::startUpdate(const QString &path, const QString &portName)
{
    // Two transfers cannot share the boot loader, and a second search would start one.
    if (m_isRunning) {
        qDebug() << "startUpdate: an update is already running; refused" << path;
        emit failed(tr("A firmware update is already running."), Failure::AlreadyRunning);
        return;
    }
    m_path = path;
    m_portName = portName;
    m_cancelRequested = false;
    m_transmitting = false;
    m_searchesLeft = m_searchLimitMs / PortSearchIntervalMs;
    setRunning(true);
    searchPort();
}

void FirmwareUpdate::setPortSearchLimit(int ms)
{
    m_searchLimitMs = ms;
}

void FirmwareUpdate::cancel()
{
    if (!m_isRunning)
        return;
    if (m_transmitting) {
        m_ymodemFileTransmit->cancelTransmit();
        return;
    }
    // Asked from portFound(): the search sees it before the transfer starts.
    m_cancelRequested = true;
    if (m_searchTimer.isActive()) {
        m_searchTimer.stop();
        cancelSearch();
    }
}

void FirmwareUpdate::cancelSearch()
{
    qDebug() << "startUpdate: cancelled before the transfer";
    fail(tr("The firmware update was cancelled."), Failure::Cancelled);
}

QString FirmwareUpdate::findPort() const
{
    if (m_portName.isEmpty())
        return SerialPortList::bootLoaderPort();
    return portExists(m_portName) ? m_portName : QString();
}

void FirmwareUpdate::searchPort()
{
    const QString portName = findPort();
    if (portName.isEmpty()) {
        if (m_searchesLeft-- > 0) {
            m_searchTimer.start(PortSearchIntervalMs);
            return;
        }
        qDebug() << "startUpdate: no port" << m_portName << "after" << m_searchLimitMs << "ms";
        fail(tr("The serial port name of the device was not found"), Failure::PortNotFound);
        return;
    }

    qDebug() << "startUpdate: sending" << m_path << "to" << portName;
    emit portFound(portName);
    if (m_cancelRequested) {
        cancelSearch();
        return;
    }
    m_ymodemFileTransmit->setFileName(m_path);
    m_ymodemFileTransmit->setPortName(portName);
    m_ymodemFileTransmit->setBaudRate(ControllerIdentity::BootLoaderBaudRate);
    m_transmitting = m_ymodemFileTransmit->startTransmit();
    if (!m_transmitting)
        fail(tr("Failed to open the serial port!"), Failure::PortNotOpened);
}

void FirmwareUpdate::fail(const QString &reason, Failure failure)
{
    setRunning(false);
    emit failed(reason, failure);
}

void FirmwareUpdate::setRunning(bool running)
{
    m_isRunning = running;
    emit runningChanged(running);
}

void FirmwareUpdate::transmitStatus(YmodemFileTransmit::Status status)
{
    switch (status) {
    case YmodemFileTransmit::StatusEstablishing:
    case YmodemFileTransmit::StatusTransmitting:
        return;
    default:
        m_outcome = status;
        m_transmitting = false;
        setRunning(false);
        emit transStatus(status == YmodemFileTransmit::StatusFinished);
        return;
    }
}
