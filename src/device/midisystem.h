#pragma once

#include <QString>
#include <QtGlobal>

// Result codes of the MIDI system calls. They are numbered as the Windows multimedia API numbers
// them, so that a log line reads the same whichever backend produced it.
namespace MidiResult {
constexpr unsigned NoError = 0;
constexpr unsigned Error = 1;
constexpr unsigned BadDeviceId = 2;
constexpr unsigned Allocated = 4;        // another program holds the port
constexpr unsigned InvalidHandle = 5;
constexpr unsigned NoDriver = 6;         // the device behind the handle is gone
constexpr unsigned NoMemory = 7;
constexpr unsigned InvalidParameter = 11;
constexpr unsigned Unprepared = 64;
constexpr unsigned StillPlaying = 65;
constexpr unsigned NotReady = 67;
} // namespace MidiResult

// Messages an input callback receives (the multimedia API's MIM_* codes).
namespace MidiInMessage {
constexpr unsigned Open = 0x3C1;
constexpr unsigned Close = 0x3C2;
constexpr unsigned Data = 0x3C3;         // a short message, packed into param1
constexpr unsigned LongData = 0x3C4;     // param1 is a MidiBuffer that was filled or returned
constexpr unsigned Error = 0x3C5;
constexpr unsigned LongError = 0x3C6;
} // namespace MidiInMessage

namespace MidiBufferFlag {
constexpr unsigned Done = 0x1;
constexpr unsigned Prepared = 0x2;
constexpr unsigned InQueue = 0x4;
} // namespace MidiBufferFlag

// A long-message buffer, shaped like the multimedia API's MIDIHDR.
struct MidiBuffer
{
    char *data = nullptr;
    unsigned long bufferLength = 0;
    unsigned long bytesRecorded = 0;     // set by the system when it hands the buffer back
    unsigned flags = 0;                  // MidiBufferFlag
    void *system = nullptr;              // the backend's own record of the buffer
};

using MidiHandle = void *;

// Whether the MIDI system itself can be used: `error` is the system's error number (errno) from
// opening `device`, 0 when it opened.
struct MidiSystemState
{
    int error = 0;
    QString device;
    bool usable() const { return error == 0; }
};

// Called on a thread of the MIDI system, never on the caller's. After inClose has returned,
// no call for that handle is running or will follow.
using MidiInCallback = void (*)(MidiHandle handle, unsigned message, quintptr instance,
                                quintptr param1, quintptr param2);

// The MIDI calls the port layer makes, one implementation per platform plus the virtual Tark9.
// Results are MidiResult codes; a buffer given to inAddBuffer comes back through the callback
// (LongData), filled or, on inReset, with a byte count of 0.
class MidiSystem
{
public:
    virtual ~MidiSystem() = default;

    // Opens the system if it is not yet open, and says whether that worked. A system that is
    // always there (the multimedia API, the virtual controller) keeps the default.
    virtual MidiSystemState state() { return {}; }
    // Whether an open input port is this program's alone: while the editor holds the controller's
    // input, no other program (a music program) receives from it. The multimedia API's ports are;
    // the sequencer lets every client subscribe.
    virtual bool inputIsExclusive() const { return false; }

    virtual unsigned inGetNumDevs() = 0;
    virtual unsigned inGetDevCaps(unsigned index, QString *name) = 0;
    virtual unsigned inOpen(MidiHandle *handle, int index, MidiInCallback callback, quintptr instance) = 0;
    virtual unsigned inPrepareHeader(MidiHandle handle, MidiBuffer *buffer) = 0;
    virtual unsigned inUnprepareHeader(MidiHandle handle, MidiBuffer *buffer) = 0;
    virtual unsigned inAddBuffer(MidiHandle handle, MidiBuffer *buffer) = 0;
    virtual unsigned inStart(MidiHandle handle) = 0;
    virtual unsigned inStop(MidiHandle handle) = 0;
    virtual unsigned inReset(MidiHandle handle) = 0;
    virtual unsigned inClose(MidiHandle handle) = 0;

    virtual unsigned outGetNumDevs() = 0;
    virtual unsigned outGetDevCaps(unsigned index, QString *name) = 0;
    virtual unsigned outOpen(MidiHandle *handle, int index) = 0;
    virtual unsigned outPrepareHeader(MidiHandle handle, MidiBuffer *buffer) = 0;
    virtual unsigned outUnprepareHeader(MidiHandle handle, MidiBuffer *buffer) = 0;
    // Synchronous as far as the caller can tell: the bytes are not read after outUnprepareHeader
    // stops answering StillPlaying.
    virtual unsigned outLongMsg(MidiHandle handle, MidiBuffer *buffer) = 0;
    virtual unsigned outReset(MidiHandle handle) = 0;
    virtual unsigned outClose(MidiHandle handle) = 0;
};
