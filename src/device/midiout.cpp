#include "device/midiout.h"

#include "device/devicebackend.h"

#include <QDebug>
#include <QElapsedTimer>

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
    return send(data, length) == SendResult::Sent;
}

MidiOut::SendResult MidiOut::send(const char *data, int length)
{
    if (!m_isOpen)
        return SendResult::Failed;
    if (!data || length <= 0)
        return SendResult::Failed;
    MidiBuffer header;
    // The system only reads the bytes; the header type is shared with the input side.
    header.data = const_cast<char *>(data);
    header.bufferLength = static_cast<unsigned long>(length);
    header.bytesRecorded = static_cast<unsigned long>(length);
    if (m_openSystem->outPrepareHeader(m_handle, &header) != MidiResult::NoError) {
        qDebug() << "midiOutPrepareHeader error";
        return SendResult::Failed;
    }
    const unsigned result = m_openSystem->outLongMsg(m_handle, &header);
    if (result != MidiResult::NoError) {
        qDebug() << "midiOutLongMsg error";
        // Not left prepared: the header lives on this stack frame only.
        m_openSystem->outUnprepareHeader(m_handle, &header);
        // A system that waits for the device itself (ALSA) gives up with NotReady.
        return result == MidiResult::NotReady ? SendResult::TimedOut : SendResult::Failed;
    }
    // Polled without a pause, as the multimedia API expects; a 458-byte message takes about
    // 150 ms at MIDI speed, so only a device that has stopped reading reaches the bound.
    QElapsedTimer clock;
    clock.start();
    while (m_openSystem->outUnprepareHeader(m_handle, &header) == MidiResult::StillPlaying) {
        if (clock.elapsed() < SendTimeoutMs)
            continue;
        qDebug() << "midiOutLongMsg timed out: the device took no data for" << SendTimeoutMs << "ms";
        // The reset hands the buffer back unplayed, after which it can be unprepared: the bytes
        // belong to the caller again once this returns.
        if (m_openSystem->outReset(m_handle) != MidiResult::NoError)
            qDebug() << "midiOutReset error";
        m_openSystem->outUnprepareHeader(m_handle, &header);
        return SendResult::TimedOut;
    }
    return SendResult::Sent;
}
