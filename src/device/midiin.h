#pragma once

#include "device/midisystem.h"

#include <atomic>
#include <functional>

// The controller's MIDI input port: one long-message buffer of 512 bytes, queued while the port
// is open, whose contents go to a data handler on the MIDI system's thread. Short messages (a
// pad's note, a knob's controller) go to the handler too when the port is opened for them.
class MidiIn
{
public:
    // Called on the MIDI system's thread; the bytes are valid only until it returns. It is set by
    // open() and not changed while the port is open, so the thread reads it without a copy.
    using DataHandler = std::function<void(char *data, int length)>;

    static constexpr int BufferSize = 512;   // bytes; a configuration message (458) fits in one

    // What reaches the handler: the long messages (SysEx) only, or every message, a short one
    // as its one to three bytes.
    enum class Messages { LongOnly, All };

    explicit MidiIn(MidiSystem *system = nullptr);   // null: the backend chosen at start-up
    ~MidiIn();
    MidiIn(const MidiIn &) = delete;
    MidiIn &operator=(const MidiIn &) = delete;

    bool open(int deviceIndex, DataHandler handler, Messages messages = Messages::LongOnly);
    void close();
    bool isOpen() const { return m_isOpen; }

private:
    static void callback(MidiHandle handle, unsigned message, quintptr instance, quintptr param1, quintptr param2);
    void releaseAfterFailedOpen();
    // Takes the port lock unless the port is closing meanwhile; false when it is.
    bool lockUnlessClosing() const;
    void handleShort(MidiHandle handle, quint32 packed);

    MidiSystem *m_system = nullptr;
    MidiSystem *m_openSystem = nullptr;      // the system the open handle belongs to
    bool m_isOpen = false;
    // Set for the whole closing sequence: a callback must then not wait for the port lock,
    // because the closer may be waiting for that very callback inside the system's close.
    std::atomic<bool> m_closing{false};
    MidiHandle m_handle = nullptr;
    MidiBuffer m_header;
    DataHandler m_handler = nullptr;
    Messages m_messages = Messages::LongOnly;   // set by open(), like the handler
};
