#pragma once

#include "device/linux/alsaportcatalog.h"
#include "device/midisystem.h"

#include <map>
#include <memory>
#include <mutex>
#include <thread>

class InputPortQueue;
struct _snd_seq;

// The MIDI system on Linux: one ALSA sequencer client, "kovelaTark9". Every opened port is a port
// of that client connected to the device's port; a reader thread takes the incoming events and
// plays the multimedia system's thread. The sequencer is opened on first use; when it cannot be
// opened (no sound support, no permission) the port lists are empty, every open fails and
// state() says why.
class AlsaMidiSystem : public MidiSystem
{
public:
    AlsaMidiSystem();
    ~AlsaMidiSystem() override;

    MidiSystemState state() override;

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

    // Maps a sequencer error (a negative errno) to the result WinMM gives in the same situation.
    static unsigned resultOf(int alsaError);

private:
    struct InPort;
    struct OutPort;

    bool ensureOpen();
    QVector<AlsaPortInfo> ports(AlsaPortCatalog::Direction direction);
    // The name of the port at `index` in the list of `direction`: its client's (the device's) name.
    unsigned portName(AlsaPortCatalog::Direction direction, unsigned index, QString *name);
    int openLocalPort(AlsaPortCatalog::Direction direction, int index, AlsaPortInfo *device);
    std::shared_ptr<InPort> findIn(MidiHandle handle);
    std::shared_ptr<OutPort> findOut(MidiHandle handle);
    // One of the input queue's steps that cannot fail (start, stop, reset), on the port's queue.
    unsigned runInQueue(MidiHandle handle, void (InputPortQueue::*step)());
    void readLoop();

    std::mutex m_mutex;
    _snd_seq *m_seq = nullptr;
    int m_openError = 0;            // why the sequencer could not be opened (an errno), for good
    int m_ownClient = -1;
    int m_wakePipe[2] = {-1, -1};
    std::thread m_reader;
    std::map<int, std::shared_ptr<InPort>> m_inPorts;     // by the editor's own port number
    std::map<MidiHandle, std::shared_ptr<OutPort>> m_outPorts;
};
