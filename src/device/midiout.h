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

    enum class SendResult {
        Sent,
        Failed,     // the port is closed, or a call failed
        TimedOut    // the device took no data for SendTimeoutMs; the message was dropped
    };

    // A device that has stopped reading must not hold the caller (the GUI thread) for good.
    static constexpr int SendTimeoutMs = 2000;

    // Returns once the whole message has left, or has been given up after SendTimeoutMs.
    SendResult send(const char *data, int length);
    // send() == Sent.
    bool sendLongMsg(const char *data, int length);

private:
    MidiSystem *m_system = nullptr;
    MidiSystem *m_openSystem = nullptr;
    bool m_isOpen = false;
    MidiHandle m_handle = nullptr;
};
