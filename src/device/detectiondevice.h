#pragma once

#include "device/devicemessage.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QWidget>

class DeviceEventSource;

// Tells the application controller which of the Kovela Tark9's two USB personalities is there:
// a start-up scan, then the MIDI personality's arrival and removal as the platform reports them.
// An invisible window, so that Windows has somewhere to send its device messages.
class DetectionDevice : public QWidget
{
    Q_OBJECT
public:
    explicit DetectionDevice(QWidget *parent = nullptr);

    void scanDevices();

    // One device-change, power or session message, from whichever source; the result is what a
    // window procedure would return (false: the base handler's business).
    bool handleDeviceMessage(const DeviceMessage &message);

    bool isDevicePresent() const { return m_isPresent; }

signals:
    void s_devTypeAndState(QString devType, bool isDevArrival);

protected:
    bool nativeEvent(const QByteArray &eventType, void *message, long *result) override;

private:
    bool m_isPresent = false;
    QMap<QString, QString> m_devTypes;
    DeviceEventSource *m_events = nullptr;
};
