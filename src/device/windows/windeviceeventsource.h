#pragma once

#include "device/deviceeventsource.h"

// Device-interface notifications for the detector's native window, and the translation of the
// window messages it receives (device change, power, session) into DeviceMessages.
class WinDeviceEventSource : public DeviceEventSource
{
    Q_OBJECT
public:
    WinDeviceEventSource(quintptr nativeWindow, Sink sink, QObject *parent = nullptr);

    bool translateNative(const QByteArray &eventType, void *message, DeviceMessage *out) override;
};
