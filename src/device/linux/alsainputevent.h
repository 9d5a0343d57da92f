#pragma once

#include <QByteArray>
#include <QtGlobal>

class InputPortQueue;

// A sequencer event that reached one of the editor's input ports, copied out of ALSA's own
// structure so that the decoding can be exercised without a sound card.
struct AlsaInputEvent
{
    // Event types (ALSA's SND_SEQ_EVENT_* numbers, checked against them in the backend).
    static constexpr int NoteOn = 6;
    static constexpr int NoteOff = 7;
    static constexpr int KeyPressure = 8;
    static constexpr int Controller = 10;
    static constexpr int ProgramChange = 11;
    static constexpr int ChannelPressure = 12;
    static constexpr int PitchBend = 13;
    static constexpr int SysEx = 130;

    int type = 0;
    int channel = 0;
    int note = 0;          // note events: note; controller: parameter
    int velocity = 0;      // note events: velocity
    int value = 0;         // controller, program, pressure, pitch bend (-8192..8191)
    QByteArray sysex;      // one piece of a SysEx message: ALSA splits long ones

    // Hands the event to the port: SysEx pieces are gathered into its buffer, channel messages
    // become the packed short messages the multimedia API delivers, the rest is dropped.
    static void dispatch(const AlsaInputEvent &event, InputPortQueue &queue);
    // The packed short message (status in the low byte); 0 for a type that has none.
    static quint32 packShort(const AlsaInputEvent &event);
};
