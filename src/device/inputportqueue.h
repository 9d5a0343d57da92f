#pragma once

#include "device/midisystem.h"

#include <QtGlobal>

#include <condition_variable>
#include <deque>
#include <mutex>

// The receiving half of an input port for backends that must build the multimedia API's long
// buffers themselves (ALSA, the virtual Tark9). SysEx bytes arrive in pieces on the backend's
// reader thread and are gathered into the oldest queued buffer, which goes to the callback when
// F7 arrives or it is full. Buffers are handed back exactly as WinMM hands them back.
class InputPortQueue
{
public:
    InputPortQueue(MidiHandle handle, MidiInCallback callback, quintptr instance);

    // Port-layer side (any thread).
    unsigned prepare(MidiBuffer *buffer);
    unsigned unprepare(MidiBuffer *buffer);
    unsigned addBuffer(MidiBuffer *buffer);
    void start();
    void stop();
    // Returns every queued buffer through the callback with a byte count of 0, on this thread.
    void reset();
    // After this no callback runs or will run; waits for one that is running.
    void close();

    // Reader side: bytes of SysEx events in arrival order (F0 starts a message, F7 ends it).
    void feedSysEx(const quint8 *bytes, int length);
    // A short message, packed as the multimedia API packs it (status in the low byte).
    void feedShort(quint32 packed);
    // Whether a message arriving now would find a buffer; waits up to `timeoutMs` for one.
    bool waitForBuffer(int timeoutMs);

    quint64 droppedBytes() const;

private:
    void deliver(unsigned message, quintptr param1);
    void completeHead(std::unique_lock<std::mutex> &lock);

    const MidiHandle m_handle;
    const MidiInCallback m_callback;
    const quintptr m_instance;

    mutable std::mutex m_mutex;
    std::condition_variable m_bufferQueued;
    std::deque<MidiBuffer *> m_queue;
    bool m_started = false;
    bool m_closed = false;
    bool m_inSysEx = false;
    unsigned long m_filled = 0;       // bytes of the current message in the head buffer
    quint64 m_dropped = 0;            // bytes that found no buffer

    // Held while the callback runs, so that close can wait for it.
    std::mutex m_deliveryMutex;
};
