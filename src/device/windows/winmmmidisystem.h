#pragma once

#include "device/midisystem.h"

// The MIDI system on Windows: the multimedia API itself. Buffers are mirrored in MIDIHDRs whose
// user field points back to the port layer's MidiBuffer.
class WinMmMidiSystem : public MidiSystem
{
public:
    bool inputIsExclusive() const override { return true; }

    unsigned inGetNumDevs() override;
    unsigned inGetDevCaps(unsigned index, QString *name) override;
    unsigned inOpen(MidiHandle *handle, int index, MidiInCallback callback, quintptr instance) override;
    unsigned inPrepareHeader(MidiHandle handle, MidiBuffer *buffer) override;
    unsigned inUnprepareHeader(MidiHandle handle, MidiBuffer *buffer) override;
    unsigned inAddBuffer(MidiHandle handle, MidiBuffer *buffer) override;
    unsigned inStart(MidiHandle handle) override;
    unsigned inStop(MidiHandle handle) override;
    unsigned inReset(MidiHandle handle) override;
    unsigned inClose(MidiHandle handle) override;

    unsigned outGetNumDevs() override;
    unsigned outGetDevCaps(unsigned index, QString *name) override;
    unsigned outOpen(MidiHandle *handle, int index) override;
    unsigned outPrepareHeader(MidiHandle handle, MidiBuffer *buffer) override;
    unsigned outUnprepareHeader(MidiHandle handle, MidiBuffer *buffer) override;
    unsigned outLongMsg(MidiHandle handle, MidiBuffer *buffer) override;
    unsigned outReset(MidiHandle handle) override;
    unsigned outClose(MidiHandle handle) override;
};
