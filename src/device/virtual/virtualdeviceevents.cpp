#include "device/virtual/virtualdeviceevents.h"

#include "device/virtual/virtualtark9.h"

VirtualDeviceEvents::VirtualDeviceEvents(VirtualTark9 *device, Sink sink, QObject *parent)
    : DeviceEventSource(std::move(sink), parent)
{
    connect(device, &VirtualTark9::plugged, this, [this] {
        deliver(DeviceMessage::interfaceChange(true, VirtualTark9::interfacePath()));
    }, Qt::QueuedConnection);
    connect(device, &VirtualTark9::unplugged, this, [this] {
        deliver(DeviceMessage::interfaceChange(false, VirtualTark9::interfacePath()));
    }, Qt::QueuedConnection);
}
