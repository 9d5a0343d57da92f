#pragma once

#include "device/deviceeventsource.h"

#include <QString>

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

    // What a user needs to reach the boot loader's serial port without being root: on Linux the
    // udev rule that tags it for the user at the seat; elsewhere nothing (`needed` false).
    struct AccessRule {
        bool needed = false;
        QString name;
        QString installedAt;   // where it is installed; empty when it is not
    };
    static AccessRule serialAccessRule();

    // The platform's MIDI system (defined in the backend folder), created on first use.
    static MidiSystem &platformMidiSystem();
};
