#include "device/detectiondevice.h"

#include "config/controlleridentity.h"
#include "device/devicebackend.h"
#include "device/devicepresence.h"
#include "device/midisystem.h"
#include "device/serialportlist.h"

#include <QDebug>

DetectionDevice::DetectionDevice(quintptr nativeWindow, QObject *parent)
    : QObject(parent)
{
    m_devTypes.insert(QLatin1String(ControllerIdentity::MidiDeviceType), QLatin1String(ControllerIdentity::MidiHardwareId));
    m_events = DeviceBackend::createEventSource(nativeWindow, [this](const DeviceMessage &message) {
        return handleDeviceMessage(message);
    });
    if (m_events)
        m_events->setParent(this);
}

bool DetectionDevice::handleDeviceMessage(const DeviceMessage &message)
{
    const DevicePresence::Outcome outcome = DevicePresence::handle(message, m_isPresent, m_devTypes);
    if (outcome.logLine)
        qDebug() << outcome.logLine;
    m_isPresent = outcome.present;
    if (outcome.report)
        emit s_devTypeAndState(outcome.deviceType, outcome.arrival);
    return outcome.consumed;
}

bool DetectionDevice::handleNativeEvent(const QByteArray &eventType, void *message)
{
    DeviceMessage deviceMessage;
    return m_events && m_events->translateNative(eventType, message, &deviceMessage)
        && handleDeviceMessage(deviceMessage);
}

void DetectionDevice::scanDevices()
{
    MidiSystem &system = DeviceBackend::midiSystem();
    const unsigned count = system.inGetNumDevs();
    for (unsigned i = 0; i < count; ++i) {
        QString name;
        if (system.inGetDevCaps(i, &name) == MidiResult::NoError && name == QLatin1String(ControllerIdentity::PortName)) {
            m_isPresent = true;
            emit s_devTypeAndState(QLatin1String(ControllerIdentity::MidiDeviceType), true);
            return;
        }
    }
    const QList<SerialPortEntry> ports = SerialPortList::availablePorts();
    for (const SerialPortEntry &port : ports) {
        qDebug() << "vid:" << port.vendorId << "pid" << port.productId;
        if (port.isBootLoader()) {
            qDebug() << "===================";
            emit s_devTypeAndState(QLatin1String(ControllerIdentity::SerialDeviceType), true);
            return;
        }
    }
}
