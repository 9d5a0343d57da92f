#include "device/virtual/virtualtark9.h"

#include "config/controlleridentity.h"
#include "config/midistatus.h"
#include "device/devicebackend.h"
#include "device/virtual/virtualdeviceevents.h"

#include <QDebug>

#include <algorithm>
#include <iterator>

// The device side of the protocol, written down here a second time on purpose: the editor's
// encoding lives in config/controllerprotocol, and a fault there must meet a controller that
// does not share it. The same goes for the factory configuration (DataManagement's defaults).
// Only MIDI's own bytes (the SysEx frame, the data range) are shared: they are MIDI's, not the
// product's.
namespace {

using MidiStatus::SysExEnd;
using MidiStatus::SysExStart;
constexpr quint8 WriteCommand = 0x01;
constexpr quint8 ReadCommand = 0x02;
constexpr quint8 SerialCommand = 0x04;
constexpr quint8 BootLoaderCommand = 0x05;
constexpr int VersionOffset = 8;          // three bytes: major, minor, patch
constexpr int VersionLength = 3;
constexpr int CommandOffset = 1;
const char IdBytes[] = {0x00, 0x00, 0x00, 0x20, 0x6F};
constexpr int SerialOffset = 7;

// Who the controller is when it leaves the factory.
constexpr char FactorySerial[] = "KT9V240100001";
constexpr int FactoryVersion[VersionLength] = {1, 0, 3};

// The factory configuration as the controller leaves the factory with it.
constexpr int CurveOffset = 11;             // 0: the "FULL" curve
constexpr int LevelOffset = 12;
constexpr int FactoryLevel = 127;
constexpr int PadOffset = 13;               // 48 pads of 7 bytes: type, number, channel, mode, r, g, b
constexpr int PadBytes = 7;
constexpr int PadCount = 48;
constexpr int PadsPerBank = 16;
constexpr int FirstPadNote = 24;            // pads play notes 24 (C1) to 71 upwards
constexpr int FactoryColour = 90;           // of 127: bank A red, B green, C blue
constexpr int KnobOffset = 349;             // 12 knobs of 7 bytes: type, number, channel, min, max, msb min, msb max
constexpr int KnobBytes = 7;
constexpr int KnobNumbers[] = {7, 1, 2, 10, 14, 15, 12, 13, 53, 54, 51, 52};
constexpr int StripOffset = 433;            // 6 strip sections of 4 bytes: type, number, channel, mode
constexpr int StripBytes = 4;
constexpr int StripCount = 6;
constexpr int FirstStripNumber = 21;
constexpr int FactoryChannel = 1;
constexpr int RangeMax = MidiStatus::DataMax;
// The fields of the pad, knob and strip records that the factory fills, from the record's start.
constexpr int RecordNumber = 1;             // the note or controller number
constexpr int RecordChannel = 2;
constexpr int PadRed = 4;                   // red, green, blue follow each other
constexpr int KnobMax = 4;
constexpr int KnobMsbMax = 6;

// What the controls send: the values of their records' type and mode bytes, the knob's range
// bytes, and the velocity curve under which every hit plays at the full level.
constexpr int RecordType = 0;
constexpr int RecordMode = 3;               // pads and strip sections
constexpr int ToggleMode = 1;
constexpr int PadNote = 0;
constexpr int PadController = 1;
constexpr int PadProgram = 2;
constexpr int KnobController = 0;
constexpr int KnobPressure = 1;
constexpr int KnobPitchBend = 2;
constexpr int KnobMin = 3;                  // then KnobMax; the pitch bend's MSB range follows
constexpr int KnobMsbMin = 5;
constexpr int StripController = 0;
constexpr int FullCurve = 0;
constexpr int KnobCount = int(std::size(KnobNumbers));
constexpr int KnobsPerBank = 4;
constexpr int PositionMax = MidiStatus::DataMax;
// A short message goes to the input port packed as the multimedia API packs it: the status in
// the low byte, then the data bytes.
constexpr int BitsPerByte = 8;

// The demo: the pads it hits, the positions the first knob is turned to, and how hard and
// where the rest is played.
constexpr int DemoPads[] = {0, 1, 2, 3, PadsPerBank, 2 * PadsPerBank};
constexpr int DemoKnobPositions[] = {0, 32, 64, 96, 127};
constexpr int DemoVelocity = 100;
constexpr int DemoPosition = 64;

// A value `position` of the way (0..PositionMax) from `from` to `to`, either of which may be
// the larger.
int scaled(int from, int to, int position)
{
    return from + qRound(double(to - from) * position / PositionMax);
}

// How long a reply waits for the editor to have a buffer queued on its input port.
constexpr int HostBufferWaitMs = 200;

// The check that streamSerial() appends to the sequence's digits.
constexpr int SequenceDigits = 9;
constexpr int CheckDigits = 4;
constexpr int CheckModulus = 10000;         // 10 ^ CheckDigits
constexpr int CheckFactor = 31;

} // namespace

const QString &VirtualTark9::interfacePath()
{
    static const QString path = QStringLiteral("\\\\?\\USB#%1&MI_00#virtual-tark9#{65e8773d-8f56-11d0-a3b9-00a0c9223196}\\global")
                                    .arg(QLatin1String(ControllerIdentity::MidiHardwareId));
    return path;
}

VirtualTark9 &VirtualTark9::instance()
{
    static VirtualTark9 device;
    return device;
}

void VirtualTark9::installAsBackend()
{
    DeviceBackend::install(instance().midiSystem(), [](quintptr, DeviceEventSource::Sink sink) {
        return new VirtualDeviceEvents(&instance(), std::move(sink));
    });
}

VirtualTark9::VirtualTark9()
    : m_system(*this)
{
    // Called on the device's thread, which goes on answering while the boot loader runs on its own.
    connect(this, &VirtualTark9::bootLoaderRequested, this, [this] { m_bootLoader.enter(); }, Qt::DirectConnection);
    reset();
    m_thread = std::thread([this] { runLoop(); });
}

VirtualTark9::~VirtualTark9()
{
    {
        std::lock_guard<std::mutex> lock(m_jobMutex);
        m_stopping = true;
    }
    m_jobAdded.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

QByteArray VirtualTark9::factoryImage()
{
    QByteArray image(ImageSize, '\0');
    image[0] = static_cast<char>(SysExStart);
    image[CommandOffset] = static_cast<char>(WriteCommand);
    image.replace(CommandOffset + 1, sizeof IdBytes, IdBytes, sizeof IdBytes);
    image[CurveOffset] = 0;
    image[LevelOffset] = static_cast<char>(FactoryLevel);
    for (int pad = 0; pad < PadCount; ++pad) {
        char *record = image.data() + PadOffset + PadBytes * pad;
        record[RecordNumber] = static_cast<char>(FirstPadNote + pad);
        record[RecordChannel] = FactoryChannel;
        record[PadRed + pad / PadsPerBank] = FactoryColour;
    }
    for (int knob = 0; knob < int(std::size(KnobNumbers)); ++knob) {
        char *record = image.data() + KnobOffset + KnobBytes * knob;
        record[RecordNumber] = static_cast<char>(KnobNumbers[knob]);
        record[RecordChannel] = FactoryChannel;
        record[KnobMax] = RangeMax;
        record[KnobMsbMax] = RangeMax;
    }
    for (int section = 0; section < StripCount; ++section) {
        char *record = image.data() + StripOffset + StripBytes * section;
        record[RecordNumber] = static_cast<char>(FirstStripNumber + section);
        record[RecordChannel] = FactoryChannel;
    }
    image[ImageSize - 1] = static_cast<char>(SysExEnd);
    return image;
}

void VirtualTark9::reset()
{
    m_streamLeft = 0;
    // Replies still due would otherwise arrive from the state being replaced.
    waitIdle();
    m_bootLoader.stop();
    m_bootLoader.setIdleTimeout(VirtualBootLoader::DefaultIdleTimeoutMs);
    {
        std::lock_guard<std::mutex> lock(m_stateMutex);
        m_image = factoryImage();
        m_serial = QByteArray(FactorySerial);
        m_version = QList<int>(std::begin(FactoryVersion), std::end(FactoryVersion));
        for (int i = 0; i < VersionLength; ++i)
            m_image[VersionOffset + i] = static_cast<char>(m_version.at(i));
        m_received.clear();
        m_latchedPads = 0;
        m_latchedSections = 0;
    }
    m_misbehaviour = Misbehaviour::None;
    m_replyDelayMs = DefaultReplyDelayMs;
    m_portDelayMs = 0;
    m_system.resetPortLayout();
    m_plugged = true;
}

bool VirtualTark9::arePortsListed() const
{
    if (!m_plugged)
        return false;
    const auto listedAt = Clock::time_point(Clock::duration(m_pluggedAt.load())) + std::chrono::milliseconds(m_portDelayMs.load());
    return Clock::now() >= listedAt;
}

void VirtualTark9::plug()
{
    if (m_plugged)
        return;
    // Before the flag: the ports' delay counts from this plug-in, never from an earlier one.
    m_pluggedAt = Clock::now().time_since_epoch().count();
    if (m_plugged.exchange(true))
        return;
    qDebug() << "virtual Tark9: plugged in";
    emit plugged();
}

void VirtualTark9::unplug()
{
    if (!m_plugged.exchange(false))
        return;
    qDebug() << "virtual Tark9: unplugged";
    emit unplugged();
}

QByteArray VirtualTark9::configuration() const
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    return m_image;
}

void VirtualTark9::setConfiguration(const QByteArray &image)
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    m_image = image.left(ImageSize);
}

QByteArray VirtualTark9::serialNumber() const
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    return m_serial;
}

void VirtualTark9::setSerialNumber(const QByteArray &serial)
{
    QByteArray field = serial.left(SerialLength);
    field.append(QByteArray(SerialLength - field.size(), '\0'));
    std::lock_guard<std::mutex> lock(m_stateMutex);
    m_serial = field;
}

QList<int> VirtualTark9::firmwareVersion() const
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    return m_version;
}

void VirtualTark9::setFirmwareVersion(int major, int minor, int patch)
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    m_version = {major & MidiStatus::DataMax, minor & MidiStatus::DataMax, patch & MidiStatus::DataMax};
}

void VirtualTark9::customiseSettings()
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    for (int pad = 0; pad < PadCount; ++pad) {
        const int at = PadOffset + PadBytes * pad + RecordNumber;
        m_image[at] = static_cast<char>((m_image.at(at) + 1) & MidiStatus::DataMax);
    }
}

void VirtualTark9::startFirmware(const QList<int> &version, bool updated)
{
    const Misbehaviour misbehaviour = updated ? m_misbehaviour.load() : Misbehaviour::None;
    if (misbehaviour == Misbehaviour::NeverReturns) {
        qDebug() << "virtual Tark9: the new firmware does not start; the device stays silent";
        return;
    }
    if (misbehaviour == Misbehaviour::KeepsOldFirmware) {
        qDebug() << "virtual Tark9: the old firmware starts again" << firmwareVersion();
    } else {
        setFirmwareVersion(version.value(0), version.value(1), version.value(2));
    }
    if (misbehaviour == Misbehaviour::ResetsSettings) {
        qDebug() << "virtual Tark9: the new firmware starts with the factory configuration";
        std::lock_guard<std::mutex> lock(m_stateMutex);
        m_image = factoryImage();
    }
    plug();
}

void VirtualTark9::setMisbehaviour(Misbehaviour misbehaviour)
{
    m_misbehaviour = misbehaviour;
}

QList<QByteArray> VirtualTark9::receivedMessages() const
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    return m_received;
}

void VirtualTark9::clearReceivedMessages()
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    m_received.clear();
}

void VirtualTark9::post(int delayMs, std::function<void()> run)
{
    {
        std::lock_guard<std::mutex> lock(m_jobMutex);
        Job job{Clock::now() + std::chrono::milliseconds(delayMs), std::move(run)};
        // Kept in due order; jobs due at the same time keep the order they were posted in.
        const auto at = std::upper_bound(m_jobs.begin(), m_jobs.end(), job.due,
                                         [](Clock::time_point due, const Job &j) { return due < j.due; });
        m_jobs.insert(at, std::move(job));
    }
    m_jobAdded.notify_all();
}

void VirtualTark9::runLoop()
{
    std::unique_lock<std::mutex> lock(m_jobMutex);
    for (;;) {
        if (m_stopping)
            return;
        if (m_jobs.empty()) {
            m_idle.notify_all();
            m_jobAdded.wait(lock);
            continue;
        }
        if (m_jobs.front().due > Clock::now()) {
            m_jobAdded.wait_until(lock, m_jobs.front().due);
            continue;
        }
        Job job = std::move(m_jobs.front());
        m_jobs.pop_front();
        m_busy = true;
        lock.unlock();
        job.run();
        lock.lock();
        m_busy = false;
    }
}

void VirtualTark9::waitIdle()
{
    std::unique_lock<std::mutex> lock(m_jobMutex);
    m_idle.wait(lock, [this] { return m_stopping || (m_jobs.empty() && !m_busy); });
}

void VirtualTark9::receive(const QByteArray &message, quint64 ticket)
{
    // Never taken: the sender sees its message still playing until it gives up.
    if (m_misbehaviour == Misbehaviour::StopsReading)
        return;
    post(0, [this, message, ticket] {
        process(message);
        m_system.messageProcessed(ticket);
    });
}

void VirtualTark9::process(const QByteArray &message)
{
    {
        std::lock_guard<std::mutex> lock(m_stateMutex);
        m_received.append(message);
    }
    if (message.size() < 2 || static_cast<quint8>(message.at(0)) != SysExStart)
        return;
    const auto command = static_cast<quint8>(message.at(CommandOffset));
    if (command == WriteCommand) {
        // Only a whole configuration is taken; anything else is line noise to the controller.
        if (message.size() != ImageSize || static_cast<quint8>(message.at(ImageSize - 1)) != SysExEnd)
            return;
        if (m_misbehaviour == Misbehaviour::DropsWrites)
            return;
        {
            std::lock_guard<std::mutex> lock(m_stateMutex);
            m_image = message;
            // A flash cell that does not keep what it was given: the number goes one up.
            if (m_misbehaviour == Misbehaviour::CorruptsWrites)
                m_image[CorruptedByteOffset] = static_cast<char>((m_image.at(CorruptedByteOffset) + 1) & MidiStatus::DataMax);
        }
        emit configurationWritten();
        return;
    }
    if (command == BootLoaderCommand) {
        emit bootLoaderRequested();
        return;
    }
    if (command != ReadCommand && command != SerialCommand)
        return;
    const Misbehaviour misbehaviour = m_misbehaviour;
    if (misbehaviour == Misbehaviour::UnplugMidExchange) {
        unplug();
        return;
    }
    if (misbehaviour == Misbehaviour::NoReply)
        return;
    const QByteArray reply = command == ReadCommand ? configurationReply() : serialReply(serialNumber());
    post(m_replyDelayMs, [this, reply] {
        if (m_plugged)
            m_system.deliverToHost(reply, HostBufferWaitMs);
    });
}

QByteArray VirtualTark9::serialReply(const QByteArray &serial)
{
    QByteArray reply;
    reply.append(static_cast<char>(SysExStart));
    reply.append(static_cast<char>(SerialCommand));
    reply.append(IdBytes, sizeof IdBytes);
    QByteArray field = serial.left(SerialLength);
    field.append(QByteArray(SerialLength - field.size(), '\0'));
    reply.append(field);
    reply.append(static_cast<char>(SysExEnd));
    return reply;
}

QByteArray VirtualTark9::configurationReply() const
{
    QByteArray reply;
    {
        std::lock_guard<std::mutex> lock(m_stateMutex);
        reply = m_image;
        for (int i = 0; i < VersionLength; ++i)
            reply[VersionOffset + i] = static_cast<char>(m_version.at(i));
    }
    reply[CommandOffset] = static_cast<char>(ReplyCommand);
    switch (m_misbehaviour.load()) {
    case Misbehaviour::ShortReply:
        reply.truncate(ShortReplyLength - 1);
        reply.append(static_cast<char>(SysExEnd));
        break;
    case Misbehaviour::LongReply:
        reply.truncate(ImageSize - 1);
        while (reply.size() < LongReplyLength - 1)
            reply.append(static_cast<char>(reply.size() & MidiStatus::DataMax));
        reply.append(static_cast<char>(SysExEnd));
        break;
    case Misbehaviour::InvalidBytes:
        reply[InvalidByteOffset] = static_cast<char>(MidiStatus::NoteOn);
        break;
    default:
        break;
    }
    return reply;
}

void VirtualTark9::sendToHost(const QByteArray &bytes)
{
    post(0, [this, bytes] { m_system.deliverToHost(bytes, HostBufferWaitMs); });
}

void VirtualTark9::sendShortToHost(quint32 packed)
{
    post(0, [this, packed] { m_system.deliverShortToHost(packed); });
}

QByteArray VirtualTark9::streamSerial(int sequence)
{
    // Nine digits of the sequence, then a four-digit check of them, so a torn or mixed-up
    // message cannot pass for a whole one.
    const QByteArray digits = QByteArray::number(sequence).rightJustified(SequenceDigits, '0');
    int check = 0;
    for (char c : digits)
        check = (check * CheckFactor + c) % CheckModulus;
    return digits + QByteArray::number(check).rightJustified(CheckDigits, '0');
}

void VirtualTark9::startStream(int count, int intervalMs, int waitMs)
{
    m_streamLeft = count;
    post(0, [this, intervalMs, waitMs] { streamNext(0, intervalMs, waitMs); });
}

void VirtualTark9::streamNext(int sequence, int intervalMs, int waitMs)
{
    if (m_streamLeft <= 0)
        return;
    if (m_plugged)
        m_system.deliverToHost(serialReply(streamSerial(sequence)), waitMs);
    if (--m_streamLeft > 0)
        post(intervalMs, [this, sequence, intervalMs, waitMs] { streamNext(sequence + 1, intervalMs, waitMs); });
}

void VirtualTark9::playPad(int pad, int velocity)
{
    post(0, [this, pad, velocity] { hitPad(pad, velocity); });
}

void VirtualTark9::turnKnob(int knob, int position)
{
    post(0, [this, knob, position] { moveKnob(knob, position); });
}

void VirtualTark9::touchStrip(int section, int position)
{
    post(0, [this, section, position] { pressStrip(section, position); });
}

void VirtualTark9::playDemo()
{
    int at = 0;
    const auto step = [this, &at](std::function<void()> run) {
        post(at, std::move(run));
        at += DemoStepMs;
    };
    for (int pad : DemoPads)
        step([this, pad] { hitPad(pad, DemoVelocity); });
    for (int position : DemoKnobPositions)
        step([this, position] { moveKnob(0, position); });
    step([this] { moveKnob(KnobsPerBank, DemoPosition); });
    for (int section = 0; section < StripCount; ++section)
        step([this, section] { pressStrip(section, DemoPosition); });
}

QByteArray VirtualTark9::record(int offset, int size) const
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    return m_image.mid(offset, size);
}

bool VirtualTark9::toggle(quint64 &latched, int bit)
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    latched ^= quint64(1) << bit;
    return latched & (quint64(1) << bit);
}

void VirtualTark9::play(quint8 status, int channel, int first, int second)
{
    if (!m_plugged)
        return;
    // The record holds the channel as the user sees it (1..16); the status byte carries 0..15.
    const quint32 packed = quint32(status | ((channel - 1) & MidiStatus::ChannelMask))
        | quint32(first & MidiStatus::DataMax) << BitsPerByte | quint32(second & MidiStatus::DataMax) << 2 * BitsPerByte;
    m_system.deliverShortToHost(packed);
}

void VirtualTark9::hitPad(int pad, int velocity)
{
    if (pad < 0 || pad >= PadCount)
        return;
    const QByteArray bytes = record(PadOffset + PadBytes * pad, PadBytes);
    if (bytes.size() != PadBytes)
        return;
    const int type = bytes.at(RecordType);
    const int number = bytes.at(RecordNumber);
    const int channel = bytes.at(RecordChannel);
    {
        std::lock_guard<std::mutex> lock(m_stateMutex);
        velocity = m_image.at(CurveOffset) == FullCurve ? m_image.at(LevelOffset) : qBound(1, velocity, int(MidiStatus::DataMax));
    }
    switch (type) {
    case PadNote:
        play(MidiStatus::NoteOn, channel, number, velocity);
        post(PadHoldMs, [this, channel, number] { play(MidiStatus::NoteOff, channel, number); });
        return;
    case PadController:
        if (bytes.at(RecordMode) == ToggleMode) {
            play(MidiStatus::ControlChange, channel, number, toggle(m_latchedPads, pad) ? velocity : 0);
            return;
        }
        play(MidiStatus::ControlChange, channel, number, velocity);
        post(PadHoldMs, [this, channel, number] { play(MidiStatus::ControlChange, channel, number, 0); });
        return;
    case PadProgram:
        play(MidiStatus::ProgramChange, channel, number);
        return;
    }
}

void VirtualTark9::moveKnob(int knob, int position)
{
    if (knob < 0 || knob >= KnobCount)
        return;
    const QByteArray bytes = record(KnobOffset + KnobBytes * knob, KnobBytes);
    if (bytes.size() != KnobBytes)
        return;
    position = qBound(0, position, PositionMax);
    const int channel = bytes.at(RecordChannel);
    const int value = scaled(bytes.at(KnobMin), bytes.at(KnobMax), position);
    switch (bytes.at(RecordType)) {
    case KnobController:
        play(MidiStatus::ControlChange, channel, bytes.at(RecordNumber), value);
        return;
    case KnobPressure:
        play(MidiStatus::ChannelPressure, channel, value);
        return;
    case KnobPitchBend: {
        // The two ranges make one 14-bit range: the MSB bytes above the LSB bytes.
        const int low = bytes.at(KnobMsbMin) << MidiStatus::DataBits | bytes.at(KnobMin);
        const int high = bytes.at(KnobMsbMax) << MidiStatus::DataBits | bytes.at(KnobMax);
        const int bend = scaled(low, high, position);
        play(MidiStatus::PitchBend, channel, bend & MidiStatus::DataMax, bend >> MidiStatus::DataBits);
        return;
    }
    }
}

void VirtualTark9::pressStrip(int section, int position)
{
    if (section < 0 || section >= StripCount)
        return;
    const QByteArray bytes = record(StripOffset + StripBytes * section, StripBytes);
    if (bytes.size() != StripBytes)
        return;
    if (bytes.at(RecordType) != StripController) {
        qDebug() << "virtual Tark9: strip section" << section + 1 << "is set to MC, which it does not play";
        return;
    }
    position = qBound(0, position, PositionMax);
    const int number = bytes.at(RecordNumber);
    const int channel = bytes.at(RecordChannel);
    if (bytes.at(RecordMode) == ToggleMode) {
        play(MidiStatus::ControlChange, channel, number, toggle(m_latchedSections, section) ? position : 0);
        return;
    }
    play(MidiStatus::ControlChange, channel, number, position);
    post(PadHoldMs, [this, channel, number] { play(MidiStatus::ControlChange, channel, number, 0); });
}
