#include "device/windows/winmmmidisystem.h"

#include <windows.h>
#include <mmsystem.h>

static_assert(MidiResult::StillPlaying == MIDIERR_STILLPLAYING, "result codes");
static_assert(MidiResult::Allocated == MMSYSERR_ALLOCATED, "result codes");
static_assert(MidiResult::BadDeviceId == MMSYSERR_BADDEVICEID, "result codes");
static_assert(MidiInMessage::LongData == MIM_LONGDATA, "message codes");
static_assert(MidiInMessage::Data == MIM_DATA, "message codes");

namespace {

// What the system calls back with: the port layer's callback and instance behind one handle.
struct InPort
{
    HMIDIIN handle = nullptr;
    MidiInCallback callback = nullptr;
    quintptr instance = 0;
};

InPort *inPort(MidiHandle handle) { return static_cast<InPort *>(handle); }
HMIDIOUT outHandle(MidiHandle handle) { return static_cast<HMIDIOUT>(handle); }
MIDIHDR *systemHeader(MidiBuffer *buffer) { return buffer ? static_cast<MIDIHDR *>(buffer->system) : nullptr; }

void CALLBACK inputProc(HMIDIIN, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2)
{
    auto *port = reinterpret_cast<InPort *>(instance);
    if (!port || !port->callback)
        return;
    if (message == MIM_LONGDATA || message == MIM_LONGERROR) {
        auto *header = reinterpret_cast<MIDIHDR *>(param1);
        auto *buffer = reinterpret_cast<MidiBuffer *>(header->dwUser);
        buffer->bytesRecorded = header->dwBytesRecorded;
        buffer->flags = static_cast<unsigned>(header->dwFlags);
        port->callback(port, message, port->instance, reinterpret_cast<quintptr>(buffer), param2);
        return;
    }
    port->callback(port, message, port->instance, param1, param2);
}

MIDIHDR *newSystemHeader(MidiBuffer *buffer)
{
    auto *header = new MIDIHDR();
    header->lpData = buffer->data;
    header->dwBufferLength = static_cast<DWORD>(buffer->bufferLength);
    header->dwBytesRecorded = static_cast<DWORD>(buffer->bytesRecorded);
    header->dwUser = reinterpret_cast<DWORD_PTR>(buffer);
    buffer->system = header;
    return header;
}

void deleteSystemHeader(MidiBuffer *buffer)
{
    delete systemHeader(buffer);
    buffer->system = nullptr;
}

// The input and output calls differ only in the handle and capability types they take.
template <typename Handle>
using HeaderCall = MMRESULT(WINAPI *)(Handle, LPMIDIHDR, UINT);

template <typename Caps>
unsigned portName(MMRESULT(WINAPI *getCaps)(UINT_PTR, Caps *, UINT), unsigned index, QString *name)
{
    Caps caps{};
    const MMRESULT result = getCaps(index, &caps, sizeof caps);
    if (result == MMSYSERR_NOERROR)
        *name = QString::fromWCharArray(caps.szPname);
    return result;
}

template <typename Handle>
unsigned prepareHeader(HeaderCall<Handle> prepare, Handle handle, MidiBuffer *buffer)
{
    if (!buffer)
        return MMSYSERR_INVALPARAM;
    MIDIHDR *header = newSystemHeader(buffer);
    const MMRESULT result = prepare(handle, header, sizeof(MIDIHDR));
    if (result != MMSYSERR_NOERROR)
        deleteSystemHeader(buffer);
    return result;
}

template <typename Handle>
unsigned unprepareHeader(HeaderCall<Handle> unprepare, Handle handle, MidiBuffer *buffer)
{
    MIDIHDR *header = systemHeader(buffer);
    if (!header)
        return MIDIERR_UNPREPARED;
    const MMRESULT result = unprepare(handle, header, sizeof(MIDIHDR));
    if (result == MMSYSERR_NOERROR)
        deleteSystemHeader(buffer);
    return result;
}

// A call on a prepared buffer (add to the input queue, send).
template <typename Handle>
unsigned withHeader(HeaderCall<Handle> call, Handle handle, MidiBuffer *buffer)
{
    MIDIHDR *header = systemHeader(buffer);
    return header ? call(handle, header, sizeof(MIDIHDR)) : MIDIERR_UNPREPARED;
}

} // namespace

unsigned WinMmMidiSystem::inGetNumDevs()
{
    return midiInGetNumDevs();
}

unsigned WinMmMidiSystem::inGetDevCaps(unsigned index, QString *name)
{
    return portName(&midiInGetDevCapsW, index, name);
}

unsigned WinMmMidiSystem::inOpen(MidiHandle *handle, int index, MidiInCallback callback, quintptr instance)
{
    auto *port = new InPort();
    port->callback = callback;
    port->instance = instance;
    const MMRESULT result = midiInOpen(&port->handle, static_cast<UINT>(index), reinterpret_cast<DWORD_PTR>(&inputProc),
                                       reinterpret_cast<DWORD_PTR>(port), CALLBACK_FUNCTION | MIDI_IO_STATUS);
    if (result != MMSYSERR_NOERROR) {
        delete port;
        return result;
    }
    *handle = port;
    return result;
}

unsigned WinMmMidiSystem::inPrepareHeader(MidiHandle handle, MidiBuffer *buffer)
{
    return prepareHeader(&midiInPrepareHeader, inPort(handle)->handle, buffer);
}

unsigned WinMmMidiSystem::inUnprepareHeader(MidiHandle handle, MidiBuffer *buffer)
{
    return unprepareHeader(&midiInUnprepareHeader, inPort(handle)->handle, buffer);
}

unsigned WinMmMidiSystem::inAddBuffer(MidiHandle handle, MidiBuffer *buffer)
{
    return withHeader(&midiInAddBuffer, inPort(handle)->handle, buffer);
}

unsigned WinMmMidiSystem::inStart(MidiHandle handle)
{
    return midiInStart(inPort(handle)->handle);
}

unsigned WinMmMidiSystem::inStop(MidiHandle handle)
{
    return midiInStop(inPort(handle)->handle);
}

unsigned WinMmMidiSystem::inReset(MidiHandle handle)
{
    return midiInReset(inPort(handle)->handle);
}

unsigned WinMmMidiSystem::inClose(MidiHandle handle)
{
    const MMRESULT result = midiInClose(inPort(handle)->handle);
    // Kept when the close failed: the system may still call back with it.
    if (result == MMSYSERR_NOERROR)
        delete inPort(handle);
    return result;
}

unsigned WinMmMidiSystem::outGetNumDevs()
{
    return midiOutGetNumDevs();
}

unsigned WinMmMidiSystem::outGetDevCaps(unsigned index, QString *name)
{
    return portName(&midiOutGetDevCapsW, index, name);
}

unsigned WinMmMidiSystem::outOpen(MidiHandle *handle, int index)
{
    HMIDIOUT out = nullptr;
    const MMRESULT result = midiOutOpen(&out, static_cast<UINT>(index), 0, 0, CALLBACK_NULL);
    if (result == MMSYSERR_NOERROR)
        *handle = out;
    return result;
}

unsigned WinMmMidiSystem::outPrepareHeader(MidiHandle handle, MidiBuffer *buffer)
{
    return prepareHeader(&midiOutPrepareHeader, outHandle(handle), buffer);
}

unsigned WinMmMidiSystem::outUnprepareHeader(MidiHandle handle, MidiBuffer *buffer)
{
    return unprepareHeader(&midiOutUnprepareHeader, outHandle(handle), buffer);
}

unsigned WinMmMidiSystem::outLongMsg(MidiHandle handle, MidiBuffer *buffer)
{
    return withHeader(&midiOutLongMsg, outHandle(handle), buffer);
}

unsigned WinMmMidiSystem::outReset(MidiHandle handle)
{
    return midiOutReset(outHandle(handle));
}

unsigned WinMmMidiSystem::outClose(MidiHandle handle)
{
    return midiOutClose(outHandle(handle));
}
