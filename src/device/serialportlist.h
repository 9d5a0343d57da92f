#pragma once

#include <QList>
#include <QString>

// The serial ports the editor can see: the system's (QSerialPortInfo) followed by the ones a
// virtual device has added. QSerialPortInfo does not list pseudo-terminals, which is where the
// virtual Tark9's boot loader lives.
struct SerialPortEntry
{
    QString portName;        // what QSerialPort::setPortName takes ("ttyUSB0", "/dev/pts/5", "COM3")
    quint16 vendorId = 0;
    quint16 productId = 0;

    // Whether this is the controller's boot loader (its USB vendor and product).
    bool isBootLoader() const;
};

class SerialPortList
{
public:
    static QList<SerialPortEntry> availablePorts();
    // The controller's boot loader's port, or an empty name when it is not there.
    static QString bootLoaderPort();

    // Thread-safe; used by the virtual device when it enters and leaves its boot loader.
    static void addVirtualPort(const SerialPortEntry &entry);
    static void removeVirtualPort(const QString &portName);
};
