#pragma once

#include "device/midisystem.h"

#include <atomic>
#include <functional>

// The controller's MIDI input port: one long-message buffer of 512 bytes, queued while the port
// is open, whose contents go to a data handler on the MIDI system's thread.
class MidiIn
{
public:
    // Called on the MIDI system's thread; the bytes are valid only until it returns. It is set by
    // open() and not changed while the port is open, so the thread reads it without a copy.
    using DataHandler = std::function<void(char *data, int length)>;

    static constexpr int BufferSize = 512;   // bytes; a configuration message (458) fits in one

    explicit MidiIn(MidiSystem *system = nullptr);   // null: the backend chosen at start-up
    ~MidiIn();
    MidiIn(const MidiIn &) = delete;
    MidiIn &operator=(const MidiIn &) = delete;

    bool open(int deviceIndex, DataHandler handler);
    void close();
    bool isOpen() const { return m_isOpen; }

private:
    static void callback(MidiHandle handle, unsigned message, quintptr instance, quintptr param1, quintptr param2);
    void releaseAfterFailedOpen();

    MidiSystem *m_system = nullptr;
    MidiSystem *m_openSystem = nullptr;      // the system the open handle belongs to
    bool m_isOpen = false;
    // Set for the whole closing sequence: a callback must then not wait for the port lock,
    // because the closer may be waiting for that very callback inside the system's close.
    std::atomic<bool> m_closing{false};
    MidiHandle m_handle = nullptr;
    MidiBuffer m_header;
    DataHandler m_handler = nullptr;
};
