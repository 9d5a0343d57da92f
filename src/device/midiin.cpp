#include "device/midiin.h"

#include "config/midistatus.h"
#include "device/devicebackend.h"

#include <QDebug>
#include <QMutex>
#include <QThread>

namespace {

// The process-wide port lock. It lives until the process exits so that a callback that is late
// (the system was still returning a buffer) never finds it destroyed.
QMutex &portLock()
{
    static QMutex lock;
    return lock;
}

// From SystemStatus on a status byte belongs to no channel; of the system messages that are not
// SysEx only these three carry data bytes.
constexpr quint8 SystemStatus = 0xF0;
constexpr quint8 MtcQuarterFrame = 0xF1;
constexpr quint8 SongPosition = 0xF2;
constexpr quint8 SongSelect = 0xF3;
constexpr quint8 ChannelStatusMask = 0xF0;
constexpr int ShortMessageMax = 3;   // bytes
constexpr int BitsPerByte = 8;

// How many bytes the short message that begins with `status` has (USB MIDI packs each whole).
int shortLength(quint8 status)
{
    if (status >= SystemStatus) {
        if (status == SongPosition)
            return 3;
        return status == MtcQuarterFrame || status == SongSelect ? 2 : 1;
    }
    const quint8 type = status & ChannelStatusMask;
    return type == MidiStatus::ProgramChange || type == MidiStatus::ChannelPressure ? 2 : 3;
}

} // namespace

MidiIn::MidiIn(MidiSystem *system)
    : m_system(system)
{
    portLock();
}

MidiIn::~MidiIn()
{
    close();
}

bool MidiIn::open(int deviceIndex, DataHandler handler, Messages messages)
{
    if (m_isOpen)
        return true;
    MidiSystem *system = m_system ? m_system : &DeviceBackend::midiSystem();
    m_handler = std::move(handler);
    m_messages = messages;
    m_handle = nullptr;
    if (system->inOpen(&m_handle, deviceIndex, &MidiIn::callback, reinterpret_cast<quintptr>(this)) != MidiResult::NoError) {
        qDebug() << "midiInOpen error";
        m_handle = nullptr;
        return false;
    }
    m_openSystem = system;
    m_header = MidiBuffer();
    m_header.data = new char[BufferSize];
    m_header.bufferLength = BufferSize;
    if (system->inPrepareHeader(m_handle, &m_header) != MidiResult::NoError) {
        qDebug() << "midiInPrepareHeader error";
        releaseAfterFailedOpen();
        return false;
    }
    if (system->inAddBuffer(m_handle, &m_header) != MidiResult::NoError) {
        qDebug() << "midiInAddBuffer error";
        releaseAfterFailedOpen();
        return false;
    }
    if (system->inStart(m_handle) != MidiResult::NoError) {
        qDebug() << "midiInStart error";
        releaseAfterFailedOpen();
        return false;
    }
    m_isOpen = true;
    qDebug() << "midiIn open sucess";
    return true;
}

// A handle that was opened but could not be started is given back at once, with its buffer:
// the port then counts as closed and holds nothing of the system's.
void MidiIn::releaseAfterFailedOpen()
{
    m_openSystem->inReset(m_handle);
    m_openSystem->inUnprepareHeader(m_handle, &m_header);
    m_openSystem->inClose(m_handle);
    delete[] m_header.data;
    m_header.data = nullptr;
    m_handle = nullptr;
    m_openSystem = nullptr;
}

void MidiIn::close()
{
    if (!m_isOpen)
        return;
    m_closing = true;
    {
        QMutexLocker lock(&portLock());
        MidiSystem *system = m_openSystem;
        if (system->inReset(m_handle) != MidiResult::NoError)
            qDebug() << "midiInReset error";
        if (system->inStop(m_handle) != MidiResult::NoError)
            qDebug() << "midiInStop error";
        if (system->inUnprepareHeader(m_handle, &m_header) != MidiResult::NoError)
            qDebug() << "midiInUnprepareHeader error";
        delete[] m_header.data;
        m_header.data = nullptr;
        const unsigned result = system->inClose(m_handle);
        if (result != MidiResult::NoError)
            qDebug() << 1 << "midiInClose error" << result;
        m_handle = nullptr;
        m_openSystem = nullptr;
        m_isOpen = false;
    }
    m_closing = false;
    qDebug() << "midiIn close ";
}

bool MidiIn::lockUnlessClosing() const
{
    while (!portLock().tryLock(1)) {
        if (m_closing)
            return false;
    }
    return true;
}

void MidiIn::callback(MidiHandle handle, unsigned message, quintptr instance, quintptr param1, quintptr)
{
    auto *self = reinterpret_cast<MidiIn *>(instance);
    if (!self)
        return;
    if (message == MidiInMessage::Data) {
        if (self->m_messages == Messages::All)
            self->handleShort(handle, static_cast<quint32>(param1));
        return;
    }
    if (message != MidiInMessage::LongData)
        return;
    auto *header = reinterpret_cast<MidiBuffer *>(param1);
    // A buffer returned empty (the reset while closing) is neither handled nor queued again.
    if (!header || header->bytesRecorded == 0)
        return;
    // The handler reads the buffer under the lock too: the closing sequence frees the buffer
    // under it, so the bytes can never vanish while the handler copies them.
    if (!self->lockUnlessClosing())
        return;
    // The buffer may be filled between the start and the open flag, so the flag is not asked.
    if (!self->m_closing && handle == self->m_handle && header == &self->m_header && header->data) {
        if (self->m_handler)
            self->m_handler(header->data, static_cast<int>(header->bytesRecorded));
        if (self->m_openSystem->inAddBuffer(handle, header) != MidiResult::NoError)
            qDebug() << "CALLBACK midiInAddBuffer error";
    }
    portLock().unlock();
}

// A short message comes packed as the multimedia API packs it: the status in the low byte, then
// the data bytes. Under the port lock, so that the handler never runs once the port has closed.
void MidiIn::handleShort(MidiHandle handle, quint32 packed)
{
    char bytes[ShortMessageMax];
    const int length = shortLength(static_cast<quint8>(packed));
    for (int i = 0; i < length; ++i)
        bytes[i] = static_cast<char>(packed >> (BitsPerByte * i));
    if (!lockUnlessClosing())
        return;
    if (!m_closing && handle == m_handle && m_handler)
        m_handler(bytes, length);
    portLock().unlock();
}
