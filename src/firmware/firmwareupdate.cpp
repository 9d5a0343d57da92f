#include "firmware/firmwareupdate.h"

#include "app/prompt.h"
#include "device/serialportlist.h"
#include "config/controlleridentity.h"

#include <QDebug>

namespace {

constexpr quint16 BootLoaderVendorId = ControllerIdentity::BootLoaderVendorId;
constexpr quint16 BootLoaderProductId = ControllerIdentity::BootLoaderProductId;
constexpr int TransferBaudRate = ControllerIdentity::BootLoaderBaudRate;
// The boot loader's port can take several seconds to enumerate after the command; give up
// only when it has not appeared for this long.
constexpr int PortSearchIntervalMs = 250;
constexpr int PortSearchLimitMs = 10000;

QString bootLoaderPort()
{
    const QList<SerialPortEntry> ports = SerialPortList::availablePorts();
    for (const SerialPortEntry &port : ports) {
        if (port.vendorId == BootLoaderVendorId && port.productId == BootLoaderProductId)
            return port.portName;
    }
    return QString();
}

} // namespace

FirmwareUpdate::FirmwareUpdate(QObject *parent)
    : QObject(parent)
    , m_ymodemFileTransmit(new YmodemFileTransmit)
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
    if (m_searchTimer.isActive() || m_isTransmitting) {
        qDebug() << "startUpdate: an update is already running; refused" << path;
        Prompt::information(nullptr, QStringLiteral("info"), tr("A firmware update is already running."));
        return;
    }
    m_path = path;
    m_searchesLeft = PortSearchLimitMs / PortSearchIntervalMs;
    searchPort();
}

void FirmwareUpdate::searchPort()
{
    const QString portName = bootLoaderPort();
    if (portName.isEmpty()) {
        if (m_searchesLeft-- > 0) {
            m_searchTimer.start(PortSearchIntervalMs);
            return;
        }
        qDebug() << "startUpdate: no boot loader port after" << PortSearchLimitMs << "ms";
        Prompt::information(nullptr, QStringLiteral("info"), QStringLiteral("The serial port name of the device was not found"));
        return;
    }

    qDebug() << "startUpdate: sending" << m_path << "to" << portName;
    m_ymodemFileTransmit->setFileName(m_path);
    m_ymodemFileTransmit->setPortName(portName);
    m_ymodemFileTransmit->setBaudRate(TransferBaudRate);
    if (!m_ymodemFileTransmit->startTransmit()) {
        Prompt::warning(nullptr, QStringLiteral("info"), QStringLiteral("Failed to open the serial port!"));
        return;
    }
    m_isTransmitting = true;
}

void FirmwareUpdate::transmitStatus(YmodemFileTransmit::Status status)
{
    switch (status) {
    case YmodemFileTransmit::StatusEstablishing:
    case YmodemFileTransmit::StatusTransmitting:
        return;
    case YmodemFileTransmit::StatusFinished:
        m_isTransmitting = false;
        emit transStatus(true);
        return;
    default:
        m_isTransmitting = false;
        emit transStatus(false);
        return;
    }
}
