#include "device/inputportqueue.h"

#include "config/controllerprotocol.h"

#include <chrono>

namespace {

constexpr quint8 SysExStart = ControllerProtocol::SysExStart;
constexpr quint8 SysExEnd = ControllerProtocol::SysExEnd;

} // namespace

InputPortQueue::InputPortQueue(MidiHandle handle, MidiInCallback callback, quintptr instance)
    : m_handle(handle)
    , m_callback(callback)
    , m_instance(instance)
{
}

unsigned InputPortQueue::prepare(MidiBuffer *buffer)
{
    if (!buffer || !buffer->data || buffer->bufferLength == 0)
        return MidiResult::InvalidParameter;
    std::lock_guard<std::mutex> lock(m_mutex);
    buffer->flags = MidiBufferFlag::Prepared;
    return MidiResult::NoError;
}

unsigned InputPortQueue::unprepare(MidiBuffer *buffer)
{
    if (!buffer)
        return MidiResult::InvalidParameter;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (buffer->flags & MidiBufferFlag::InQueue)
        return MidiResult::StillPlaying;
    buffer->flags &= ~MidiBufferFlag::Prepared;
    return MidiResult::NoError;
}

unsigned InputPortQueue::addBuffer(MidiBuffer *buffer)
{
    if (!buffer || !buffer->data || buffer->bufferLength == 0)
        return MidiResult::InvalidParameter;
    if (!(buffer->flags & MidiBufferFlag::Prepared))
        return MidiResult::Unprepared;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_closed)
        return MidiResult::InvalidHandle;
    if (buffer->flags & MidiBufferFlag::InQueue)
        return MidiResult::StillPlaying;
    buffer->flags = (buffer->flags | MidiBufferFlag::InQueue) & ~MidiBufferFlag::Done;
    buffer->bytesRecorded = 0;
    m_queue.push_back(buffer);
    m_bufferQueued.notify_all();
    return MidiResult::NoError;
}

void InputPortQueue::start()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_started = true;
    m_bufferQueued.notify_all();
}

void InputPortQueue::stop()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_started = false;
    m_inSysEx = false;
    m_filled = 0;
}

void InputPortQueue::reset()
{
    std::deque<MidiBuffer *> returned;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_started = false;
        m_inSysEx = false;
        m_filled = 0;
        returned.swap(m_queue);
        for (MidiBuffer *buffer : returned) {
            buffer->bytesRecorded = 0;
            buffer->flags = (buffer->flags & ~MidiBufferFlag::InQueue) | MidiBufferFlag::Done;
        }
    }
    for (MidiBuffer *buffer : returned)
        deliver(MidiInMessage::LongData, reinterpret_cast<quintptr>(buffer));
}

void InputPortQueue::close()
{
    std::lock_guard<std::mutex> delivery(m_deliveryMutex);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_closed = true;
    m_started = false;
    m_queue.clear();
    m_bufferQueued.notify_all();
}

void InputPortQueue::feedSysEx(const quint8 *bytes, int length)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (int i = 0; i < length; ++i) {
        const quint8 byte = bytes[i];
        if (byte == SysExStart) {
            // A new message: whatever an unfinished one left in the buffer is dropped rather
            // than handed on as if it were whole.
            m_dropped += m_filled;
            m_filled = 0;
            m_inSysEx = true;
        }
        if (!m_inSysEx)
            continue;
        if (!m_started || m_closed || m_queue.empty()) {
            ++m_dropped;
            if (byte == SysExEnd)
                m_inSysEx = false;
            continue;
        }
        MidiBuffer *head = m_queue.front();
        head->data[m_filled++] = static_cast<char>(byte);
        const bool end = byte == SysExEnd;
        if (end)
            m_inSysEx = false;
        if (end || m_filled >= head->bufferLength)
            completeHead(lock);
    }
}

// Hands the head buffer to the callback without holding the queue lock: the callback queues the
// buffer again, which takes that lock.
void InputPortQueue::completeHead(std::unique_lock<std::mutex> &lock)
{
    MidiBuffer *head = m_queue.front();
    m_queue.pop_front();
    head->bytesRecorded = m_filled;
    head->flags = (head->flags & ~MidiBufferFlag::InQueue) | MidiBufferFlag::Done;
    m_filled = 0;
    lock.unlock();
    deliver(MidiInMessage::LongData, reinterpret_cast<quintptr>(head));
    lock.lock();
}

void InputPortQueue::feedShort(quint32 packed)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_started || m_closed)
            return;
    }
    deliver(MidiInMessage::Data, packed);
}

bool InputPortQueue::waitForBuffer(int timeoutMs)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_bufferQueued.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] {
        return m_closed || (m_started && !m_queue.empty());
    }) && !m_closed;
}

quint64 InputPortQueue::droppedBytes() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_dropped;
}

void InputPortQueue::deliver(unsigned message, quintptr param1)
{
    std::lock_guard<std::mutex> delivery(m_deliveryMutex);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_closed)
            return;
    }
    m_callback(m_handle, message, m_instance, param1, 0);
}
