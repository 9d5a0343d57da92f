#pragma once

#include "device/deviceeventsource.h"

class MidiSystem;
class QWidget;

// Which MIDI system and device events the editor talks to, chosen once at start-up: the
// platform's own, or the virtual Tark9 (demo mode and tests).
class DeviceBackend
{
public:
    enum class Kind { Platform, Virtual };

    static void select(Kind kind);
    static Kind kind();

    static MidiSystem &midiSystem();
    static DeviceEventSource *createEventSource(QWidget *window, DeviceEventSource::Sink sink);

    // The platform's MIDI system (defined in the backend folder), created on first use.
    static MidiSystem &platformMidiSystem();
};
