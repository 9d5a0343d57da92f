#include "device/midiout.h"

#include "device/devicebackend.h"

#include <QDebug>

MidiOut::MidiOut(MidiSystem *system)
    : m_system(system)
{
}

MidiOut::~MidiOut()
{
    close();
}

bool MidiOut::open(int deviceIndex)
{
    if (m_isOpen)
        return true;
    MidiSystem *system = m_system ? m_system : &DeviceBackend::midiSystem();
    m_handle = nullptr;
    if (system->outOpen(&m_handle, deviceIndex) != MidiResult::NoError) {
        qDebug() << "midiOutOpen error";
        m_handle = nullptr;
        return false;
    }
    m_openSystem = system;
    m_isOpen = true;
    qDebug() << "midiOutOpen sucess";
    return true;
}

void MidiOut::close()
{
    if (!m_isOpen)
        return;
    m_isOpen = false;
    if (m_openSystem->outReset(m_handle) != MidiResult::NoError)
        qDebug() << "midiOutReset error";
    if (m_openSystem->outClose(m_handle) != MidiResult::NoError)
        qDebug() << "midiOutClose error";
    m_handle = nullptr;
    m_openSystem = nullptr;
    qDebug() << "midiOut close";
}

bool MidiOut::sendLongMsg(const char *data, int length)
{
    if (!m_isOpen)
        return false;
    if (!data || length <= 0)
        return false;
    MidiBuffer header;
    // The system only reads the bytes; the header type is shared with the input side.
    header.data = const_cast<char *>(data);
    header.bufferLength = static_cast<unsigned long>(length);
    header.bytesRecorded = static_cast<unsigned long>(length);
    if (m_openSystem->outPrepareHeader(m_handle, &header) != MidiResult::NoError) {
        qDebug() << "midiOutPrepareHeader error";
        return false;
    }
    if (m_openSystem->outLongMsg(m_handle, &header) != MidiResult::NoError) {
        qDebug() << "midiOutLongMsg error";
        // Not left prepared: the header lives on this stack frame only.
        m_openSystem->outUnprepareHeader(m_handle, &header);
        return false;
    }
    while (m_openSystem->outUnprepareHeader(m_handle, &header) == MidiResult::StillPlaying) {
    }
    return true;
}
