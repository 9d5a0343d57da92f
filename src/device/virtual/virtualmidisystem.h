#pragma once

#include "device/midisystem.h"

#include <QByteArray>
#include <QString>
#include <QVector>

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

class InputPortQueue;
class VirtualTark9;

// The MIDI system of the virtual Tark9: a port list that holds the controller's ports while it is
// plugged in (and any other ports a test lays out), input ports fed from the device's thread,
// output ports that hand every long message to the device.
class VirtualMidiSystem : public MidiSystem
{
public:
    struct Port
    {
        QString name;
        bool isDevice = false;   // belongs to the Tark9 (vanishes when it is unplugged)
    };

    explicit VirtualMidiSystem(VirtualTark9 &device);
    ~VirtualMidiSystem() override;

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

    void setPortLayout(const QVector<Port> &inputs, const QVector<Port> &outputs);
    void resetPortLayout();

    // Device side (its own thread). A message goes to every open input port of the device,
    // waiting up to `waitMs` for the port layer to queue a buffer; false if none took it.
    bool deliverToHost(const QByteArray &bytes, int waitMs);
    bool deliverShortToHost(quint32 packed);

    // The device has received and acted on every message up to this number.
    void messageProcessed(quint64 ticket);

    int openInputCount() const;
    int openOutputCount() const;
    int lastOpenedInputIndex() const { return m_lastOpenedIn; }
    int lastOpenedOutputIndex() const { return m_lastOpenedOut; }
    // Filled buffers the port layer has queued again, i.e. messages its handler has seen.
    quint64 handledMessages() const { return m_handled; }

private:
    struct InPort;
    struct OutPort;

    QVector<int> visibleIndices(const QVector<Port> &ports) const;
    // The name of the port the system lists at `index` in `ports` (m_inputs or m_outputs).
    unsigned portName(const QVector<Port> &ports, unsigned index, QString *name) const;
    // Whether the port the system lists at `index` in `ports` can be opened now, the caller
    // holding the lock; `isDevice` says whether it is the controller's.
    unsigned mayOpen(const QVector<Port> &ports, int index, bool *isDevice) const;
    std::vector<std::shared_ptr<InPort>> openDeviceInputs() const;
    std::shared_ptr<InPort> findIn(MidiHandle handle) const;
    std::shared_ptr<OutPort> findOut(MidiHandle handle) const;
    // One of the input queue's steps that cannot fail (start, stop, reset), on the port's queue.
    unsigned runInQueue(MidiHandle handle, void (InputPortQueue::*step)());

    VirtualTark9 &m_device;
    mutable std::mutex m_mutex;
    QVector<Port> m_inputs;
    QVector<Port> m_outputs;
    std::map<MidiHandle, std::shared_ptr<InPort>> m_inPorts;
    std::map<MidiHandle, std::shared_ptr<OutPort>> m_outPorts;
    std::atomic<quint64> m_nextTicket{1};
    std::atomic<quint64> m_processedTicket{0};
    std::atomic<quint64> m_handled{0};
    std::atomic<int> m_lastOpenedIn{-1};
    std::atomic<int> m_lastOpenedOut{-1};
};
