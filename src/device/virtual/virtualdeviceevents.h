#pragma once

#include "device/deviceeventsource.h"

class VirtualTark9;

// The virtual Tark9's plug and unplug, as the device-interface messages a real controller's
// arrival and removal produce. They arrive queued, as window messages do.
class VirtualDeviceEvents : public DeviceEventSource
{
    Q_OBJECT
public:
    VirtualDeviceEvents(VirtualTark9 *device, Sink sink, QObject *parent = nullptr);
};
