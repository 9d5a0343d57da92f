#pragma once

#include "device/deviceeventsource.h"

#include <QString>
#include <QtGlobal>

#include <functional>

class MidiSystem;

// Which MIDI system and device events the back end talks to: the platform's own unless the
// program (the editor's start-up, tark9ctl) installs another one, such as the virtual Tark9.
class DeviceBackend
{
public:
    // Makes a source of device events for a native window (0 where the platform needs none).
    using EventSourceFactory = std::function<DeviceEventSource *(quintptr nativeWindow, DeviceEventSource::Sink sink)>;

    // From now on the back end talks to `system` and takes its device events from `events`.
    static void install(MidiSystem &system, EventSourceFactory events);
    // Back to the platform's own MIDI system and device events.
    static void installPlatform();
    static bool isPlatform();

    static MidiSystem &midiSystem();
    static DeviceEventSource *createEventSource(quintptr nativeWindow, DeviceEventSource::Sink sink);

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
