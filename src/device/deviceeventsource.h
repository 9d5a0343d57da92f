#pragma once

#include "device/devicemessage.h"

#include <QByteArray>
#include <QObject>

#include <functional>

// Where the presence detector's device-change, power and session messages come from: the
// window's native events on Windows, a udev monitor on Linux, the virtual Tark9's plug and
// unplug. A source either hands messages to its sink itself or translates the native events the
// detector's window receives.
class DeviceEventSource : public QObject
{
    Q_OBJECT
public:
    using Sink = std::function<bool(const DeviceMessage &)>;

    explicit DeviceEventSource(Sink sink, QObject *parent = nullptr);

    // Turns a native window event into a message; false when it is none of ours.
    virtual bool translateNative(const QByteArray &eventType, void *message, DeviceMessage *out);

    // The platform's own source for the native window `nativeWindow` (defined in the backend
    // folder; 0 where the platform needs no window).
    static DeviceEventSource *createPlatform(quintptr nativeWindow, Sink sink);

protected:
    bool deliver(const DeviceMessage &message) const;

private:
    Sink m_sink;
};
