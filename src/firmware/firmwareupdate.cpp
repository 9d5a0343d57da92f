#include "firmware/firmwareupdate.h"

#include "device/serialportlist.h"
#include "config/controlleridentity.h"

#include <QDebug>

namespace {

constexpr int TransferBaudRate = ControllerIdentity::BootLoaderBaudRate;
// The boot loader's port can take several seconds to enumerate after the command; give up
// only when it has not appeared for this long.
constexpr int PortSearchIntervalMs = 250;
constexpr int DefaultPortSearchLimitMs = 10000;


} // namespace

FirmwareUpdate::FirmwareUpdate(QObject *parent)
    : QObject(parent)
    , m_ymodemFileTransmit(new YmodemFileTransmit)
    , m_searchLimitMs(DefaultPortSearchLimitMs)
{
    m_searchTimer.setSingleShot(true);
    connect(&m_searchTimer, &QTimer::timeout, this, &FirmwareUpdate::searchPort);
    connect(m_ymodemFileTransmit, &YmodemFileTransmit::transmitProgress, this, &FirmwareUpdate::transmitProgress);
    connect(m_ymodemFileTransmit, &YmodemFileTransmit::transmitStatus, this, &FirmwareUpdate::transmitStatus);
}

FirmwareUpdate::~FirmwareUpdate()
{
    delete m_ymodemFileTransmit;
}

void FirmwareUpdate::startUpdate(const QString &path)
{
    // Two transfers cannot share the boot loader, and a second search would start one.
    if (m_isRunning) {
        qDebug() << "startUpdate: an update is already running; refused" << path;
        emit failed(tr("A firmware update is already running."));
        return;
    }
    m_path = path;
    m_searchesLeft = m_searchLimitMs / PortSearchIntervalMs;
    setRunning(true);
    searchPort();
}

void FirmwareUpdate::setPortSearchLimit(int ms)
{
    m_searchLimitMs = ms;
}

void FirmwareUpdate::searchPort()
{
    const QString portName = SerialPortList::bootLoaderPort();
    if (portName.isEmpty()) {
        if (m_searchesLeft-- > 0) {
            m_searchTimer.start(PortSearchIntervalMs);
            return;
        }
        qDebug() << "startUpdate: no boot loader port after" << m_searchLimitMs << "ms";
        fail(QStringLiteral("The serial port name of the device was not found"));
        return;
    }

    qDebug() << "startUpdate: sending" << m_path << "to" << portName;
    m_ymodemFileTransmit->setFileName(m_path);
    m_ymodemFileTransmit->setPortName(portName);
    m_ymodemFileTransmit->setBaudRate(TransferBaudRate);
    if (!m_ymodemFileTransmit->startTransmit())
        fail(QStringLiteral("Failed to open the serial port!"));
}

void FirmwareUpdate::fail(const QString &reason)
{
    setRunning(false);
    emit failed(reason);
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
        setRunning(false);
        emit transStatus(status == YmodemFileTransmit::StatusFinished);
        return;
    }
}
