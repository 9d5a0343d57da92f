#pragma once

#include "device/devicemessage.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QObject>

class DeviceEventSource;

// Tells the application controller which of the Kovela Tark9's two USB personalities is there:
// a start-up scan, then the MIDI personality's arrival and removal as the platform reports them.
// On Windows the messages come to a native window the program gives it (`nativeWindow`), whose
// native events it is handed (handleNativeEvent).
class DetectionDevice : public QObject
{
    Q_OBJECT
public:
    explicit DetectionDevice(quintptr nativeWindow = 0, QObject *parent = nullptr);

    void scanDevices();

    // One device-change, power or session message, from whichever source; the result is what a
    // window procedure would return (false: the base handler's business).
    bool handleDeviceMessage(const DeviceMessage &message);

    // A native event of the window given at construction; true when it was a device message
    // that was handled here (the window's own handling is then skipped).
    bool handleNativeEvent(const QByteArray &eventType, void *message);

    bool isDevicePresent() const { return m_isPresent; }

signals:
    void s_devTypeAndState(QString devType, bool isDevArrival);

private:
    bool m_isPresent = false;
    QMap<QString, QString> m_devTypes;
    DeviceEventSource *m_events = nullptr;
};
