#pragma once

#include <QByteArray>
#include <QString>

// One MIDI message as a person reads it in the MIDI monitor: what it is, on which channel, its
// values and a line of words ("Note On C3 velocity 100", "Control Change 7 = 64", "SysEx
// configuration reply, 458 bytes"). A message is decoded whole, as a port delivers it (USB MIDI
// has no running status): bytes that do not make exactly one message are unknown and shown raw.
// The words are translated in the context "MidiMessageText".
class MidiMessageText
{
public:
    enum class Kind {
        NoteOn,
        NoteOff,            // also a note on with velocity 0
        PolyPressure,
        ControlChange,
        ProgramChange,
        ChannelPressure,
        PitchBend,
        SysEx,
        SystemCommon,       // MTC quarter frame, song position, song select, tune request
        SystemRealtime,     // clock, start, continue, stop, active sensing, reset
        Unknown
    };

    struct Message {
        Kind kind = Kind::Unknown;
        int channel = 0;    // 1 to 16 for a channel message, 0 for any other
        int number = -1;    // the note, controller or program; -1 for a message without one
        // The velocity, controller value or pressure; the pitch bend from -8192 to +8191 (8192 on
        // the wire is 0); the song position, song select or quarter frame's value; -1 for none.
        int value = -1;
        QString text;       // the words: "Note On C3 velocity 100", "Unknown: 30 64"
        QString hex;        // the bytes: "90 30 64"
    };

    static Message decode(const QByteArray &bytes);

    // "90 30 64": every byte as two upper-case hexadecimal digits, one space between them.
    static QString hex(const QByteArray &bytes);
};
