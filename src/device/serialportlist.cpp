#include "device/serialportlist.h"

#include "config/controlleridentity.h"

#include <QMutex>
#include <QMutexLocker>
#include <QSerialPortInfo>

namespace {

// Never destroyed: the virtual device is a singleton too and may still unregister its port
// while static objects are being torn down at exit.
QMutex &virtualPortsMutex()
{
    static QMutex *mutex = new QMutex;
    return *mutex;
}

QList<SerialPortEntry> &virtualPorts()
{
    static QList<SerialPortEntry> *ports = new QList<SerialPortEntry>;
    return *ports;
}

} // namespace

QList<SerialPortEntry> SerialPortList::availablePorts()
{
    QList<SerialPortEntry> ports;
    const QList<QSerialPortInfo> system = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : system)
        ports.append({info.portName(), info.vendorIdentifier(), info.productIdentifier()});
    QMutexLocker lock(&virtualPortsMutex());
    ports.append(virtualPorts());
    return ports;
}

void SerialPortList::addVirtualPort(const SerialPortEntry &entry)
{
    QMutexLocker lock(&virtualPortsMutex());
    virtualPorts().append(entry);
}

void SerialPortList::removeVirtualPort(const QString &portName)
{
    QMutexLocker lock(&virtualPortsMutex());
    QList<SerialPortEntry> &ports = virtualPorts();
    for (int i = ports.size() - 1; i >= 0; --i) {
        if (ports.at(i).portName == portName)
            ports.removeAt(i);
    }
}

bool SerialPortEntry::isBootLoader() const
{
    return vendorId == ControllerIdentity::BootLoaderVendorId && productId == ControllerIdentity::BootLoaderProductId;
}

QString SerialPortList::bootLoaderPort()
{
    const QList<SerialPortEntry> ports = availablePorts();
    for (const SerialPortEntry &port : ports) {
        if (port.isBootLoader())
            return port.portName;
    }
    return QString();
}
