#include "device/linux/alsainputevent.h"

#include "device/inputportqueue.h"

namespace {

quint32 pack(int status, int data1, int data2)
{
    return static_cast<quint32>(status & 0xFF) | (static_cast<quint32>(data1 & 0x7F) << 8)
        | (static_cast<quint32>(data2 & 0x7F) << 16);
}

} // namespace

quint32 AlsaInputEvent::packShort(const AlsaInputEvent &event)
{
    const int channel = event.channel & 0x0F;
    switch (event.type) {
    case NoteOn: return pack(0x90 | channel, event.note, event.velocity);
    case NoteOff: return pack(0x80 | channel, event.note, event.velocity);
    case KeyPressure: return pack(0xA0 | channel, event.note, event.velocity);
    case Controller: return pack(0xB0 | channel, event.note, event.value);
    case ProgramChange: return pack(0xC0 | channel, event.value, 0);
    case ChannelPressure: return pack(0xD0 | channel, event.value, 0);
    case PitchBend: {
        const int bend = qBound(0, event.value + 8192, 16383);
        return pack(0xE0 | channel, bend & 0x7F, bend >> 7);
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
