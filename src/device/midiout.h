#pragma once

#include "device/midisystem.h"

// The controller's MIDI output port. Only the GUI thread uses it.
class MidiOut
{
public:
    explicit MidiOut(MidiSystem *system = nullptr);   // null: the backend chosen at start-up
    ~MidiOut();
    MidiOut(const MidiOut &) = delete;
    MidiOut &operator=(const MidiOut &) = delete;

    bool open(int deviceIndex);
    void close();
    bool isOpen() const { return m_isOpen; }

    // Returns once the whole message has left; false when the port is closed or a call failed.
    bool sendLongMsg(const char *data, int length);

private:
    MidiSystem *m_system = nullptr;
    MidiSystem *m_openSystem = nullptr;
    bool m_isOpen = false;
    MidiHandle m_handle = nullptr;
};
