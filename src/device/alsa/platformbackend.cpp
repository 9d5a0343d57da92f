// The Linux backend: the ALSA sequencer for MIDI, udev for hot-plug.
#include "device/alsa/alsamidisystem.h"
#include "device/alsa/udeveventsource.h"
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
