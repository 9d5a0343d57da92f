#include "device/linux/alsainputevent.h"

#include "config/midistatus.h"
#include "device/inputportqueue.h"

namespace {

// The short message as the multimedia API packs it: status in the low byte, then the two data bytes.
quint32 pack(int status, int data1, int data2)
{
    return static_cast<quint32>(status & 0xFF) | (static_cast<quint32>(data1 & MidiStatus::DataMax) << 8)
        | (static_cast<quint32>(data2 & MidiStatus::DataMax) << 16);
}

} // namespace

quint32 AlsaInputEvent::packShort(const AlsaInputEvent &event)
{
    const int channel = event.channel & MidiStatus::ChannelMask;
    switch (event.type) {
    case NoteOn: return pack(MidiStatus::NoteOn | channel, event.note, event.velocity);
    case NoteOff: return pack(MidiStatus::NoteOff | channel, event.note, event.velocity);
    case KeyPressure: return pack(MidiStatus::PolyPressure | channel, event.note, event.velocity);
    case Controller: return pack(MidiStatus::ControlChange | channel, event.note, event.value);
    case ProgramChange: return pack(MidiStatus::ProgramChange | channel, event.value, 0);
    case ChannelPressure: return pack(MidiStatus::ChannelPressure | channel, event.value, 0);
    case PitchBend: {
        // ALSA gives the bend around 0; MIDI sends it around the middle of its 14 bits.
        const int bend = qBound(0, event.value + MidiStatus::PitchBendCentre, MidiStatus::PitchBendMax);
        return pack(MidiStatus::PitchBend | channel, bend, bend >> MidiStatus::DataBits);
    }
    default: return 0;
    }
}

void AlsaInputEvent::dispatch(const AlsaInputEvent &event, InputPortQueue &queue)
{
    if (event.type == SysEx) {
        queue.feedSysEx(reinterpret_cast<const quint8 *>(event.sysex.constData()), event.sysex.size());
        return;
    }
    const quint32 packed = packShort(event);
    if (packed)
        queue.feedShort(packed);
}
