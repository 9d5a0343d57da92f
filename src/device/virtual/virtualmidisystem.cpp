#include "device/virtual/virtualmidisystem.h"

#include "config/controlleridentity.h"
#include "device/inputportqueue.h"
#include "device/virtual/virtualtark9.h"

#include <thread>

struct VirtualMidiSystem::InPort
{
    bool isDevice = false;
    std::unique_ptr<InputPortQueue> queue;
};

struct VirtualMidiSystem::OutPort
{
    bool isDevice = false;
};

VirtualMidiSystem::VirtualMidiSystem(VirtualTark9 &device)
    : m_device(device)
{
    resetPortLayout();
}

VirtualMidiSystem::~VirtualMidiSystem() = default;

void VirtualMidiSystem::resetPortLayout()
{
    const QString name = QLatin1String(ControllerIdentity::PortName);
    setPortLayout({{name, true}}, {{name, true}});
}

void VirtualMidiSystem::setPortLayout(const QVector<Port> &inputs, const QVector<Port> &outputs)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_inputs = inputs;
    m_outputs = outputs;
}

// The layout indices of the ports the system lists now: the device's vanish while unplugged.
QVector<int> VirtualMidiSystem::visibleIndices(const QVector<Port> &ports) const
{
    const bool plugged = m_device.arePortsListed();
    QVector<int> visible;
    for (int i = 0; i < ports.size(); ++i) {
        if (plugged || !ports.at(i).isDevice)
            visible.append(i);
    }
    return visible;
}

unsigned VirtualMidiSystem::inGetNumDevs()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<unsigned>(visibleIndices(m_inputs).size());
}

unsigned VirtualMidiSystem::portName(const QVector<Port> &ports, unsigned index, QString *name) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const QVector<int> visible = visibleIndices(ports);
    if (index >= static_cast<unsigned>(visible.size()))
        return MidiResult::BadDeviceId;
    *name = ports.at(visible.at(static_cast<int>(index))).name;
    return MidiResult::NoError;
}

unsigned VirtualMidiSystem::inGetDevCaps(unsigned index, QString *name)
{
    return portName(m_inputs, index, name);
}

unsigned VirtualMidiSystem::outGetNumDevs()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<unsigned>(visibleIndices(m_outputs).size());
}

unsigned VirtualMidiSystem::outGetDevCaps(unsigned index, QString *name)
{
    return portName(m_outputs, index, name);
}

unsigned VirtualMidiSystem::mayOpen(const QVector<Port> &ports, int index, bool *isDevice) const
{
    const QVector<int> visible = visibleIndices(ports);
    if (index < 0 || index >= visible.size())
        return MidiResult::BadDeviceId;
    *isDevice = ports.at(visible.at(index)).isDevice;
    if (*isDevice && m_device.portsBusy())
        return MidiResult::Allocated;
    return MidiResult::NoError;
}

unsigned VirtualMidiSystem::inOpen(MidiHandle *handle, int index, MidiInCallback callback, quintptr instance)
{
    if (!handle || !callback)
        return MidiResult::InvalidParameter;
    std::lock_guard<std::mutex> lock(m_mutex);
    bool isDevice = false;
    if (const unsigned refused = mayOpen(m_inputs, index, &isDevice))
        return refused;
    auto port = std::make_shared<InPort>();
    port->isDevice = isDevice;
    *handle = port.get();
    port->queue = std::make_unique<InputPortQueue>(*handle, callback, instance);
    m_inPorts.emplace(*handle, port);
    m_lastOpenedIn = index;
    return MidiResult::NoError;
}

std::shared_ptr<VirtualMidiSystem::InPort> VirtualMidiSystem::findIn(MidiHandle handle) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto it = m_inPorts.find(handle);
    return it == m_inPorts.end() ? nullptr : it->second;
}

std::shared_ptr<VirtualMidiSystem::OutPort> VirtualMidiSystem::findOut(MidiHandle handle) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto it = m_outPorts.find(handle);
    return it == m_outPorts.end() ? nullptr : it->second;
}

unsigned VirtualMidiSystem::inPrepareHeader(MidiHandle handle, MidiBuffer *buffer)
{
    const auto port = findIn(handle);
    return port ? port->queue->prepare(buffer) : MidiResult::InvalidHandle;
}

unsigned VirtualMidiSystem::inUnprepareHeader(MidiHandle handle, MidiBuffer *buffer)
{
    const auto port = findIn(handle);
    return port ? port->queue->unprepare(buffer) : MidiResult::InvalidHandle;
}

unsigned VirtualMidiSystem::inAddBuffer(MidiHandle handle, MidiBuffer *buffer)
{
    const auto port = findIn(handle);
    if (!port)
        return MidiResult::InvalidHandle;
    const bool wasFilled = buffer && (buffer->flags & MidiBufferFlag::Done) && buffer->bytesRecorded > 0;
    const unsigned result = port->queue->addBuffer(buffer);
    if (result == MidiResult::NoError && wasFilled)
        ++m_handled;
    return result;
}

unsigned VirtualMidiSystem::runInQueue(MidiHandle handle, void (InputPortQueue::*step)())
{
    const auto port = findIn(handle);
    if (!port)
        return MidiResult::InvalidHandle;
    (port->queue.get()->*step)();
    return MidiResult::NoError;
}

unsigned VirtualMidiSystem::inStart(MidiHandle handle)
{
    return runInQueue(handle, &InputPortQueue::start);
}

unsigned VirtualMidiSystem::inStop(MidiHandle handle)
{
    return runInQueue(handle, &InputPortQueue::stop);
}

unsigned VirtualMidiSystem::inReset(MidiHandle handle)
{
    return runInQueue(handle, &InputPortQueue::reset);
}

unsigned VirtualMidiSystem::inClose(MidiHandle handle)
{
    std::shared_ptr<InPort> port;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const auto it = m_inPorts.find(handle);
        if (it == m_inPorts.end())
            return MidiResult::InvalidHandle;
        port = it->second;
        m_inPorts.erase(it);
    }
    port->queue->close();
    return MidiResult::NoError;
}

unsigned VirtualMidiSystem::outOpen(MidiHandle *handle, int index)
{
    if (!handle)
        return MidiResult::InvalidParameter;
    std::lock_guard<std::mutex> lock(m_mutex);
    bool isDevice = false;
    if (const unsigned refused = mayOpen(m_outputs, index, &isDevice))
        return refused;
    auto port = std::make_shared<OutPort>();
    port->isDevice = isDevice;
    *handle = port.get();
    m_outPorts.emplace(*handle, port);
    m_lastOpenedOut = index;
    return MidiResult::NoError;
}

unsigned VirtualMidiSystem::outPrepareHeader(MidiHandle handle, MidiBuffer *buffer)
{
    if (!findOut(handle))
        return MidiResult::InvalidHandle;
    if (!buffer || !buffer->data)
        return MidiResult::InvalidParameter;
    buffer->flags = MidiBufferFlag::Prepared;
    buffer->system = nullptr;
    return MidiResult::NoError;
}

unsigned VirtualMidiSystem::outLongMsg(MidiHandle handle, MidiBuffer *buffer)
{
    const auto port = findOut(handle);
    if (!port)
        return MidiResult::InvalidHandle;
    if (!buffer || !(buffer->flags & MidiBufferFlag::Prepared))
        return MidiResult::Unprepared;
    if (port->isDevice && !m_device.isPlugged())
        return MidiResult::NoDriver;
    buffer->flags |= MidiBufferFlag::InQueue;
    if (!port->isDevice) {
        // Another program's port: the message leaves and nobody here listens.
        buffer->flags = (buffer->flags & ~MidiBufferFlag::InQueue) | MidiBufferFlag::Done;
        return MidiResult::NoError;
    }
    const quint64 ticket = m_nextTicket++;
    buffer->system = reinterpret_cast<void *>(static_cast<quintptr>(ticket));
    m_device.receive(QByteArray(buffer->data, static_cast<int>(buffer->bufferLength)), ticket);
    return MidiResult::NoError;
}

unsigned VirtualMidiSystem::outUnprepareHeader(MidiHandle handle, MidiBuffer *buffer)
{
    if (!findOut(handle))
        return MidiResult::InvalidHandle;
    if (!buffer)
        return MidiResult::InvalidParameter;
    if (buffer->flags & MidiBufferFlag::InQueue) {
        const auto ticket = static_cast<quint64>(reinterpret_cast<quintptr>(buffer->system));
        if (ticket > m_processedTicket) {
            // The device thread needs the core that this caller is spinning on.
            std::this_thread::yield();
            return MidiResult::StillPlaying;
        }
        buffer->flags = (buffer->flags & ~MidiBufferFlag::InQueue) | MidiBufferFlag::Done;
    }
    buffer->flags &= ~MidiBufferFlag::Prepared;
    return MidiResult::NoError;
}

void VirtualMidiSystem::messageProcessed(quint64 ticket)
{
    quint64 seen = m_processedTicket;
    while (seen < ticket && !m_processedTicket.compare_exchange_weak(seen, ticket)) {
    }
}

unsigned VirtualMidiSystem::outReset(MidiHandle handle)
{
    if (!findOut(handle))
        return MidiResult::InvalidHandle;
    // Messages the device has not taken are handed back unsent, as WinMM's reset returns its
    // pending buffers.
    messageProcessed(m_nextTicket - 1);
    return MidiResult::NoError;
}

unsigned VirtualMidiSystem::outClose(MidiHandle handle)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_outPorts.erase(handle) ? MidiResult::NoError : MidiResult::InvalidHandle;
}

std::vector<std::shared_ptr<VirtualMidiSystem::InPort>> VirtualMidiSystem::openDeviceInputs() const
{
    std::vector<std::shared_ptr<InPort>> ports;
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const auto &entry : m_inPorts) {
        if (entry.second->isDevice)
            ports.push_back(entry.second);
    }
    return ports;
}

bool VirtualMidiSystem::deliverToHost(const QByteArray &bytes, int waitMs)
{
    bool taken = false;
    for (const auto &port : openDeviceInputs()) {
        if (!port->queue->waitForBuffer(waitMs))
            continue;
        port->queue->feedSysEx(reinterpret_cast<const quint8 *>(bytes.constData()), bytes.size());
        taken = true;
    }
    return taken;
}

bool VirtualMidiSystem::deliverShortToHost(quint32 packed)
{
    const auto ports = openDeviceInputs();
    for (const auto &port : ports)
        port->queue->feedShort(packed);
    return !ports.empty();
}

int VirtualMidiSystem::openInputCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<int>(m_inPorts.size());
}

int VirtualMidiSystem::openOutputCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<int>(m_outPorts.size());
}
