// The Linux backend: the ALSA sequencer for MIDI, udev for hot-plug.
#include "device/linux/alsamidisystem.h"
#include "device/linux/udeveventsource.h"
#include "device/devicebackend.h"

MidiSystem &DeviceBackend::platformMidiSystem()
{
    static AlsaMidiSystem system;
    return system;
}

DeviceEventSource *DeviceEventSource::createPlatform(QWidget *, Sink sink)
{
    return new UdevEventSource(std::move(sink));
}
