// The Windows backend: the multimedia API for MIDI, device notifications on the detector's window.
#include "device/devicebackend.h"
#include "device/windows/windeviceeventsource.h"
#include "device/windows/winmmmidisystem.h"

MidiSystem &DeviceBackend::platformMidiSystem()
{
    static WinMmMidiSystem system;
    return system;
}

DeviceEventSource *DeviceEventSource::createPlatform(quintptr nativeWindow, Sink sink)
{
    return new WinDeviceEventSource(nativeWindow, std::move(sink));
}

DeviceBackend::AccessRule DeviceBackend::serialAccessRule()
{
    // Every user may open a COM port.
    return {};
}
