#include "device/devicebackend.h"

#include "device/virtual/virtualdeviceevents.h"
#include "device/virtual/virtualtark9.h"

#include <QDebug>

#include <atomic>

namespace {

std::atomic<DeviceBackend::Kind> g_kind{DeviceBackend::Kind::Platform};

} // namespace

void DeviceBackend::select(Kind kind)
{
    if (g_kind.exchange(kind) != kind)
        qDebug() << "device backend:" << (kind == Kind::Virtual ? "virtual Tark9" : "platform");
}

DeviceBackend::Kind DeviceBackend::kind()
{
    return g_kind;
}

MidiSystem &DeviceBackend::midiSystem()
{
    if (g_kind == Kind::Virtual)
        return VirtualTark9::instance().midiSystem();
    return platformMidiSystem();
}

DeviceEventSource *DeviceBackend::createEventSource(QWidget *window, DeviceEventSource::Sink sink)
{
    if (g_kind == Kind::Virtual)
        return new VirtualDeviceEvents(&VirtualTark9::instance(), std::move(sink));
    return DeviceEventSource::createPlatform(window, std::move(sink));
}
