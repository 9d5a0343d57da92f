#include "device/midiin.h"

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

bool MidiIn::open(int deviceIndex, DataHandler handler)
{
    if (m_isOpen)
        return true;
    MidiSystem *system = m_system ? m_system : &DeviceBackend::midiSystem();
    m_handler = std::move(handler);
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

void MidiIn::callback(MidiHandle handle, unsigned message, quintptr instance, quintptr param1, quintptr)
{
    // Short messages (notes, controllers) are of no interest: only whole buffers are.
    if (message != MidiInMessage::LongData)
        return;
    auto *self = reinterpret_cast<MidiIn *>(instance);
    auto *header = reinterpret_cast<MidiBuffer *>(param1);
    // A buffer returned empty (the reset while closing) is neither handled nor queued again.
    if (!self || !header || header->bytesRecorded == 0)
        return;
    // The handler reads the buffer under the lock too: the closing sequence frees the buffer
    // under it, so the bytes can never vanish while the handler copies them.
    while (!portLock().tryLock(1)) {
        if (self->m_closing)
            return;
    }
    // The buffer may be filled between the start and the open flag, so the flag is not asked.
    if (!self->m_closing && handle == self->m_handle && header == &self->m_header && header->data) {
        if (self->m_handler)
            self->m_handler(header->data, static_cast<int>(header->bytesRecorded));
        if (self->m_openSystem->inAddBuffer(handle, header) != MidiResult::NoError)
            qDebug() << "CALLBACK midiInAddBuffer error";
    }
    portLock().unlock();
}
