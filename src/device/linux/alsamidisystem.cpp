#include "device/linux/alsamidisystem.h"

#include "device/linux/alsainputevent.h"
#include "device/inputportqueue.h"

#include <alsa/asoundlib.h>

#include <QDebug>

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <chrono>
#include <fcntl.h>
#include <limits>
#include <poll.h>
#include <unistd.h>
#include <vector>

static_assert(AlsaPortCatalog::CapRead == SND_SEQ_PORT_CAP_READ, "capability bits");
static_assert(AlsaPortCatalog::CapWrite == SND_SEQ_PORT_CAP_WRITE, "capability bits");
static_assert(AlsaPortCatalog::CapSubsRead == SND_SEQ_PORT_CAP_SUBS_READ, "capability bits");
static_assert(AlsaPortCatalog::CapSubsWrite == SND_SEQ_PORT_CAP_SUBS_WRITE, "capability bits");
static_assert(AlsaPortCatalog::CapNoExport == SND_SEQ_PORT_CAP_NO_EXPORT, "capability bits");
static_assert(AlsaPortCatalog::SystemClient == SND_SEQ_CLIENT_SYSTEM, "system client");
static_assert(AlsaInputEvent::NoteOn == SND_SEQ_EVENT_NOTEON, "event types");
static_assert(AlsaInputEvent::NoteOff == SND_SEQ_EVENT_NOTEOFF, "event types");
static_assert(AlsaInputEvent::KeyPressure == SND_SEQ_EVENT_KEYPRESS, "event types");
static_assert(AlsaInputEvent::Controller == SND_SEQ_EVENT_CONTROLLER, "event types");
static_assert(AlsaInputEvent::ProgramChange == SND_SEQ_EVENT_PGMCHANGE, "event types");
static_assert(AlsaInputEvent::ChannelPressure == SND_SEQ_EVENT_CHANPRESS, "event types");
static_assert(AlsaInputEvent::PitchBend == SND_SEQ_EVENT_PITCHBEND, "event types");
static_assert(AlsaInputEvent::SysEx == SND_SEQ_EVENT_SYSEX, "event types");

struct AlsaMidiSystem::InPort
{
    int localPort = -1;
    snd_seq_addr_t source{};
    std::unique_ptr<InputPortQueue> queue;
};

struct AlsaMidiSystem::OutPort
{
    int localPort = -1;
    snd_seq_addr_t destination{};
};

namespace {

// How long a message may take to leave (the same bound as MidiOut's wait for the device).
constexpr int OutputTimeoutMs = 2000;
// The longest line of alsa-lib's own error text that goes to the log; the rest is cut.
constexpr int AlsaErrorTextBytes = 256;
// What openLocalPort returns for a port index outside the list: no errno is this negative.
constexpr int BadIndex = std::numeric_limits<int>::min();

MidiHandle handleOf(int localPort)
{
    // Port numbers start at 0; the handle must never be null.
    return reinterpret_cast<MidiHandle>(static_cast<quintptr>(localPort) + 1);
}

int localPortOf(MidiHandle handle)
{
    return static_cast<int>(reinterpret_cast<quintptr>(handle)) - 1;
}

AlsaInputEvent copyEvent(const snd_seq_event_t &ev)
{
    AlsaInputEvent event;
    event.type = ev.type;
    switch (ev.type) {
    case SND_SEQ_EVENT_NOTEON:
    case SND_SEQ_EVENT_NOTEOFF:
    case SND_SEQ_EVENT_KEYPRESS:
        event.channel = ev.data.note.channel;
        event.note = ev.data.note.note;
        event.velocity = ev.data.note.velocity;
        break;
    case SND_SEQ_EVENT_CONTROLLER:
    case SND_SEQ_EVENT_PGMCHANGE:
    case SND_SEQ_EVENT_CHANPRESS:
    case SND_SEQ_EVENT_PITCHBEND:
        event.channel = ev.data.control.channel;
        event.note = static_cast<int>(ev.data.control.param);
        event.value = ev.data.control.value;
        break;
    case SND_SEQ_EVENT_SYSEX:
        event.sysex = QByteArray(static_cast<const char *>(ev.data.ext.ptr), static_cast<int>(ev.data.ext.len));
        break;
    default:
        break;
    }
    return event;
}

// alsa-lib writes its own errors to standard error; here they go to the log with the rest.
// alsa-lib calls this in the middle of a failing call and then returns -errno: the log's own
// writes must not change errno, or a failed open would report success with no handle.
void logAlsaError(const char *file, int line, const char *function, int error, const char *format, ...)
{
    const int savedErrno = errno;
    char text[AlsaErrorTextBytes];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    qDebug().noquote().nospace() << "ALSA: " << text << " (" << function << ", " << file << ":" << line
                       << (error ? QStringLiteral(": %1").arg(QString::fromLocal8Bit(snd_strerror(error))) : QString()) << ")";
    errno = savedErrno;
}

} // namespace

AlsaMidiSystem::AlsaMidiSystem() = default;

AlsaMidiSystem::~AlsaMidiSystem()
{
    if (m_reader.joinable()) {
        const char stop = 1;
        if (::write(m_wakePipe[1], &stop, 1) != 1)
            qDebug() << "ALSA reader wake-up failed";
        m_reader.join();
    }
    for (int fd : m_wakePipe) {
        if (fd >= 0)
            ::close(fd);
    }
    if (m_seq)
        snd_seq_close(m_seq);
}

unsigned AlsaMidiSystem::resultOf(int alsaError)
{
    switch (-alsaError) {
    case 0: return MidiResult::NoError;
    case EBUSY:
    case EPERM: return MidiResult::Allocated;          // held exclusively by another program
    case ENOENT:
    case ENXIO:
    case EINVAL: return MidiResult::BadDeviceId;       // the port went away meanwhile
    case ENODEV: return MidiResult::NoDriver;
    case ENOMEM:
    case ENOSPC: return MidiResult::NoMemory;
    default: return MidiResult::Error;
    }
}

bool AlsaMidiSystem::ensureOpen()
{
    if (m_seq)
        return true;
    if (m_openError)
        return false;
    snd_lib_error_set_handler(&logAlsaError);
    snd_seq_t *seq = nullptr;
    int err = snd_seq_open(&seq, "default", SND_SEQ_OPEN_DUPLEX, 0);
    // A success without a handle would be dereferenced by the next call: count it as a failure.
    if (err >= 0 && !seq)
        err = -ENODEV;
    if (err < 0) {
        // Said once: without a sequencer (no sound support, no /dev/snd) nothing can be listed.
        qDebug() << "ALSA sequencer cannot be opened:" << snd_strerror(err);
        m_openError = -err;
        return false;
    }
    if (::pipe2(m_wakePipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        m_openError = errno;
        qDebug() << "ALSA reader pipe cannot be made:" << strerror(m_openError);
        snd_seq_close(seq);
        return false;
    }
    snd_seq_set_client_name(seq, "kovelaTark9");
    snd_seq_nonblock(seq, 1);
    m_seq = seq;
    m_ownClient = snd_seq_client_id(seq);
    m_reader = std::thread([this] { readLoop(); });
    return true;
}

MidiSystemState AlsaMidiSystem::state()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    ensureOpen();
    return {m_openError, QStringLiteral("/dev/snd/seq")};
}

QVector<AlsaPortInfo> AlsaMidiSystem::ports(AlsaPortCatalog::Direction direction)
{
    QVector<AlsaPortInfo> all;
    if (!ensureOpen())
        return all;
    snd_seq_client_info_t *client = nullptr;
    snd_seq_port_info_t *port = nullptr;
    snd_seq_client_info_alloca(&client);
    snd_seq_port_info_alloca(&port);
    snd_seq_client_info_set_client(client, -1);
    while (snd_seq_query_next_client(m_seq, client) >= 0) {
        const int clientId = snd_seq_client_info_get_client(client);
        snd_seq_port_info_set_client(port, clientId);
        snd_seq_port_info_set_port(port, -1);
        while (snd_seq_query_next_port(m_seq, port) >= 0) {
            AlsaPortInfo info;
            info.client = clientId;
            info.port = snd_seq_port_info_get_port(port);
            info.clientName = QString::fromUtf8(snd_seq_client_info_get_name(client));
            info.portName = QString::fromUtf8(snd_seq_port_info_get_name(port));
            info.capability = snd_seq_port_info_get_capability(port);
            all.append(info);
        }
    }
    return AlsaPortCatalog::select(all, direction, m_ownClient);
}

unsigned AlsaMidiSystem::inGetNumDevs()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<unsigned>(ports(AlsaPortCatalog::Direction::Input).size());
}

unsigned AlsaMidiSystem::portName(AlsaPortCatalog::Direction direction, unsigned index, QString *name)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const QVector<AlsaPortInfo> list = ports(direction);
    if (index >= static_cast<unsigned>(list.size()))
        return MidiResult::BadDeviceId;
    *name = list.at(static_cast<int>(index)).clientName;
    return MidiResult::NoError;
}

unsigned AlsaMidiSystem::inGetDevCaps(unsigned index, QString *name)
{
    return portName(AlsaPortCatalog::Direction::Input, index, name);
}

unsigned AlsaMidiSystem::outGetNumDevs()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<unsigned>(ports(AlsaPortCatalog::Direction::Output).size());
}

unsigned AlsaMidiSystem::outGetDevCaps(unsigned index, QString *name)
{
    return portName(AlsaPortCatalog::Direction::Output, index, name);
}

// Makes the editor's own port for the controller's port `index` in the list of `direction`
// and connects the two, the caller holding the lock. Returns the own port's number, BadIndex
// for an index outside the list or a sequencer error (a negative errno); nothing is left behind
// on failure.
int AlsaMidiSystem::openLocalPort(AlsaPortCatalog::Direction direction, int index, AlsaPortInfo *device)
{
    const QVector<AlsaPortInfo> list = ports(direction);
    if (index < 0 || index >= list.size())
        return BadIndex;
    *device = list.at(index);
    const bool input = direction == AlsaPortCatalog::Direction::Input;
    const int localPort = snd_seq_create_simple_port(m_seq, input ? "kovelaTark9 in" : "kovelaTark9 out",
                                                     input ? SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE
                                                           : SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ,
                                                     SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
    if (localPort < 0)
        return localPort;
    const int err = input ? snd_seq_connect_from(m_seq, localPort, device->client, device->port)
                          : snd_seq_connect_to(m_seq, localPort, device->client, device->port);
    if (err < 0) {
        snd_seq_delete_simple_port(m_seq, localPort);
        return err;
    }
    return localPort;
}

unsigned AlsaMidiSystem::inOpen(MidiHandle *handle, int index, MidiInCallback callback, quintptr instance)
{
    if (!handle || !callback)
        return MidiResult::InvalidParameter;
    std::lock_guard<std::mutex> lock(m_mutex);
    AlsaPortInfo device;
    const int localPort = openLocalPort(AlsaPortCatalog::Direction::Input, index, &device);
    if (localPort < 0)
        return localPort == BadIndex ? MidiResult::BadDeviceId : resultOf(localPort);
    auto port = std::make_shared<InPort>();
    port->localPort = localPort;
    port->source.client = static_cast<unsigned char>(device.client);
    port->source.port = static_cast<unsigned char>(device.port);
    *handle = handleOf(localPort);
    port->queue = std::make_unique<InputPortQueue>(*handle, callback, instance);
    m_inPorts[localPort] = port;
    return MidiResult::NoError;
}

std::shared_ptr<AlsaMidiSystem::InPort> AlsaMidiSystem::findIn(MidiHandle handle)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto it = m_inPorts.find(localPortOf(handle));
    return it == m_inPorts.end() ? nullptr : it->second;
}

std::shared_ptr<AlsaMidiSystem::OutPort> AlsaMidiSystem::findOut(MidiHandle handle)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto it = m_outPorts.find(handle);
    return it == m_outPorts.end() ? nullptr : it->second;
}

unsigned AlsaMidiSystem::inPrepareHeader(MidiHandle handle, MidiBuffer *buffer)
{
    const auto port = findIn(handle);
    return port ? port->queue->prepare(buffer) : MidiResult::InvalidHandle;
}

unsigned AlsaMidiSystem::inUnprepareHeader(MidiHandle handle, MidiBuffer *buffer)
{
    const auto port = findIn(handle);
    return port ? port->queue->unprepare(buffer) : MidiResult::InvalidHandle;
}

unsigned AlsaMidiSystem::inAddBuffer(MidiHandle handle, MidiBuffer *buffer)
{
    const auto port = findIn(handle);
    return port ? port->queue->addBuffer(buffer) : MidiResult::InvalidHandle;
}

unsigned AlsaMidiSystem::runInQueue(MidiHandle handle, void (InputPortQueue::*step)())
{
    const auto port = findIn(handle);
    if (!port)
        return MidiResult::InvalidHandle;
    (port->queue.get()->*step)();
    return MidiResult::NoError;
}

unsigned AlsaMidiSystem::inStart(MidiHandle handle)
{
    return runInQueue(handle, &InputPortQueue::start);
}

unsigned AlsaMidiSystem::inStop(MidiHandle handle)
{
    return runInQueue(handle, &InputPortQueue::stop);
}

unsigned AlsaMidiSystem::inReset(MidiHandle handle)
{
    return runInQueue(handle, &InputPortQueue::reset);
}

unsigned AlsaMidiSystem::inClose(MidiHandle handle)
{
    std::shared_ptr<InPort> port;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const auto it = m_inPorts.find(localPortOf(handle));
        if (it == m_inPorts.end())
            return MidiResult::InvalidHandle;
        port = it->second;
        m_inPorts.erase(it);
    }
    // Waits for a callback the reader thread may be running for this port.
    port->queue->close();
    std::lock_guard<std::mutex> lock(m_mutex);
    // The device may be gone already, which takes the connection with it.
    snd_seq_disconnect_from(m_seq, port->localPort, port->source.client, port->source.port);
    const int err = snd_seq_delete_simple_port(m_seq, port->localPort);
    return resultOf(err < 0 ? err : 0);
}

unsigned AlsaMidiSystem::outOpen(MidiHandle *handle, int index)
{
    if (!handle)
        return MidiResult::InvalidParameter;
    std::lock_guard<std::mutex> lock(m_mutex);
    AlsaPortInfo device;
    const int localPort = openLocalPort(AlsaPortCatalog::Direction::Output, index, &device);
    if (localPort < 0)
        return localPort == BadIndex ? MidiResult::BadDeviceId : resultOf(localPort);
    auto port = std::make_shared<OutPort>();
    port->localPort = localPort;
    port->destination.client = static_cast<unsigned char>(device.client);
    port->destination.port = static_cast<unsigned char>(device.port);
    *handle = handleOf(localPort);
    m_outPorts[*handle] = port;
    return MidiResult::NoError;
}

unsigned AlsaMidiSystem::outPrepareHeader(MidiHandle handle, MidiBuffer *buffer)
{
    if (!findOut(handle))
        return MidiResult::InvalidHandle;
    if (!buffer || !buffer->data)
        return MidiResult::InvalidParameter;
    buffer->flags = MidiBufferFlag::Prepared;
    return MidiResult::NoError;
}

unsigned AlsaMidiSystem::outUnprepareHeader(MidiHandle handle, MidiBuffer *buffer)
{
    if (!findOut(handle))
        return MidiResult::InvalidHandle;
    if (!buffer)
        return MidiResult::InvalidParameter;
    buffer->flags &= ~MidiBufferFlag::Prepared;
    return MidiResult::NoError;
}

unsigned AlsaMidiSystem::outLongMsg(MidiHandle handle, MidiBuffer *buffer)
{
    const auto port = findOut(handle);
    if (!port)
        return MidiResult::InvalidHandle;
    if (!buffer || !(buffer->flags & MidiBufferFlag::Prepared))
        return MidiResult::Unprepared;
    std::lock_guard<std::mutex> lock(m_mutex);
    snd_seq_event_t ev;
    snd_seq_ev_clear(&ev);
    snd_seq_ev_set_source(&ev, static_cast<unsigned char>(port->localPort));
    snd_seq_ev_set_subs(&ev);
    snd_seq_ev_set_direct(&ev);
    snd_seq_ev_set_sysex(&ev, static_cast<unsigned int>(buffer->bufferLength), buffer->data);
    // The sequencer is non-blocking for the reader's sake, so every wait for the kernel to take
    // the message is a poll with a deadline: a device that has stopped reading fills the output
    // pool for good, and the caller (the GUI thread) must not wait for ever.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(OutputTimeoutMs);
    const auto msLeft = [deadline] {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        return static_cast<int>(std::max<qint64>(0, left.count()));
    };
    // Whether the sequencer takes output within `timeoutMs` (0: right now).
    const auto writable = [this](int timeoutMs) {
        pollfd fd{};
        snd_seq_poll_descriptors(m_seq, &fd, 1, POLLOUT);
        return ::poll(&fd, 1, timeoutMs) > 0 && (fd.revents & POLLOUT);
    };
    const auto giveUp = [this](const char *stage) {
        qDebug() << "ALSA output" << stage << "took longer than" << OutputTimeoutMs << "ms: the message is dropped";
        snd_seq_drop_output(m_seq);
        return MidiResult::NotReady;
    };
    int err = 0;
    while ((err = snd_seq_event_output_direct(m_seq, &ev)) == -EAGAIN) {
        if (msLeft() == 0)
            return giveUp("queueing");
        writable(msLeft());
    }
    if (err < 0)
        return resultOf(err);
    // Back only once the kernel has taken the whole message...
    while ((err = snd_seq_drain_output(m_seq)) != 0) {
        if (err < 0 && err != -EAGAIN)
            return resultOf(err);
        if (msLeft() == 0)
            return giveUp("draining");
        writable(msLeft());
    }
    // ...and passed it on to the device's port: what snd_seq_sync_output_queue waits for (the
    // output is writable only once the whole pool is free again), with the deadline instead of
    // its endless poll.
    snd_seq_client_pool_t *pool = nullptr;
    snd_seq_client_pool_alloca(&pool);
    if (snd_seq_get_client_pool(m_seq, pool) == 0) {
        const size_t room = snd_seq_client_pool_get_output_room(pool);
        snd_seq_client_pool_set_output_room(pool, snd_seq_client_pool_get_output_pool(pool));
        if (snd_seq_set_client_pool(m_seq, pool) == 0) {
            bool passedOn = writable(0);
            while (!passedOn && msLeft() > 0)
                passedOn = writable(msLeft());
            snd_seq_client_pool_set_output_room(pool, room);
            snd_seq_set_client_pool(m_seq, pool);
            if (!passedOn)
                return giveUp("delivery");
        }
    }
    buffer->flags |= MidiBufferFlag::Done;
    return MidiResult::NoError;
}

unsigned AlsaMidiSystem::outReset(MidiHandle handle)
{
    if (!findOut(handle))
        return MidiResult::InvalidHandle;
    std::lock_guard<std::mutex> lock(m_mutex);
    snd_seq_drop_output(m_seq);
    return MidiResult::NoError;
}

unsigned AlsaMidiSystem::outClose(MidiHandle handle)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto it = m_outPorts.find(handle);
    if (it == m_outPorts.end())
        return MidiResult::InvalidHandle;
    const std::shared_ptr<OutPort> port = it->second;
    m_outPorts.erase(it);
    snd_seq_disconnect_to(m_seq, port->localPort, port->destination.client, port->destination.port);
    const int err = snd_seq_delete_simple_port(m_seq, port->localPort);
    return resultOf(err < 0 ? err : 0);
}

// The counterpart of the multimedia system's thread: waits for sequencer input (or the wake-up
// pipe at shutdown) and hands each event to the port it was sent to.
void AlsaMidiSystem::readLoop()
{
    const int count = snd_seq_poll_descriptors_count(m_seq, POLLIN);
    std::vector<pollfd> fds(static_cast<size_t>(count) + 1);
    snd_seq_poll_descriptors(m_seq, fds.data(), static_cast<unsigned>(count), POLLIN);
    fds[static_cast<size_t>(count)] = {m_wakePipe[0], POLLIN, 0};
    for (;;) {
        if (::poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR)
                continue;
            qDebug() << "ALSA reader poll failed:" << strerror(errno);
            return;
        }
        if (fds.back().revents & POLLIN)
            return;
        for (;;) {
            snd_seq_event_t *ev = nullptr;
            const int err = snd_seq_event_input(m_seq, &ev);
            if (err == -EAGAIN)
                break;
            if (err == -ENOSPC) {
                qDebug() << "ALSA input overrun: events were lost";
                continue;
            }
            if (err < 0 || !ev)
                break;
            const AlsaInputEvent event = copyEvent(*ev);
            std::shared_ptr<InPort> port;
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                const auto it = m_inPorts.find(ev->dest.port);
                if (it != m_inPorts.end())
                    port = it->second;
            }
            if (port)
                AlsaInputEvent::dispatch(event, *port->queue);
        }
    }
}
