// The Linux backend's logic without a sound card: port lists by device name, SysEx pieces
// gathered into the queued buffer, udev events turned into interface paths, and a clean failure
// where the sequencer cannot be opened.
#include "devicelogcapture.h"

#include "config/midistatus.h"
#include "device/linux/alsainputevent.h"
#include "device/linux/alsamidisystem.h"
#include "device/linux/alsaportcatalog.h"
#include "device/linux/udevpathtranslator.h"
#include "device/devicepresence.h"
#include "device/inputportqueue.h"
#include "device/midiin.h"

#include <QFileInfo>
#include <QtTest>

#include <cerrno>
#include <vector>

namespace {

constexpr int BufferBytes = 512;          // the port layer's buffer
constexpr int ConfigurationBytes = 458;   // the controller's configuration message
constexpr int SerialReplyBytes = 21;
constexpr int AlsaPieceBytes = 256;       // what ALSA's sequencer hands a SysEx message over in

struct Delivery
{
    unsigned message;
    QByteArray bytes;
    quint32 packed;
};

// Plays the port layer: records what the callback got and queues a filled buffer again.
struct Receiver
{
    std::vector<Delivery> deliveries;
    InputPortQueue *queue = nullptr;
    bool requeue = true;

    static void callback(MidiHandle, unsigned message, quintptr instance, quintptr param1, quintptr)
    {
        auto *self = reinterpret_cast<Receiver *>(instance);
        if (message == MidiInMessage::LongData) {
            auto *buffer = reinterpret_cast<MidiBuffer *>(param1);
            self->deliveries.push_back({message, QByteArray(buffer->data, int(buffer->bytesRecorded)), 0});
            if (self->requeue && buffer->bytesRecorded > 0)
                self->queue->addBuffer(buffer);
        } else {
            self->deliveries.push_back({message, QByteArray(), quint32(param1)});
        }
    }
};

// An input port's queue with one buffer prepared, as the port layer keeps it; start() queues the
// buffer and starts the port.
struct QueuedPort
{
    Receiver receiver;
    InputPortQueue queue{nullptr, &Receiver::callback, reinterpret_cast<quintptr>(&receiver)};
    QByteArray storage{BufferBytes, 0};
    MidiBuffer buffer;

    QueuedPort()
    {
        receiver.queue = &queue;
        buffer.data = storage.data();
        buffer.bufferLength = BufferBytes;
    }

    unsigned prepare() { return queue.prepare(&buffer); }

    unsigned start()
    {
        const unsigned result = queue.addBuffer(&buffer);
        queue.start();
        return result;
    }
};

AlsaInputEvent sysexPiece(const QByteArray &bytes)
{
    AlsaInputEvent event;
    event.type = AlsaInputEvent::SysEx;
    event.sysex = bytes;
    return event;
}

AlsaInputEvent noteOn(int channel, int note, int velocity)
{
    AlsaInputEvent event;
    event.type = AlsaInputEvent::NoteOn;
    event.channel = channel;
    event.note = note;
    event.velocity = velocity;
    return event;
}

QByteArray configurationMessage(int length)
{
    QByteArray message(length, 0);
    message[0] = char(MidiStatus::SysExStart);
    message[1] = 0x03;   // the controller's configuration reply
    for (int i = 2; i < length - 1; ++i)
        message[i] = char(i & MidiStatus::DataMax);
    message[length - 1] = char(MidiStatus::SysExEnd);
    return message;
}

// ALSA's sequencer hands a long SysEx message over in pieces of this many bytes.
QList<QByteArray> pieces(const QByteArray &message, int size)
{
    QList<QByteArray> list;
    for (int i = 0; i < message.size(); i += size)
        list << message.mid(i, size);
    return list;
}

} // namespace

class TestAlsa : public QObject
{
    Q_OBJECT
private slots:
    void portsAreListedByDeviceName()
    {
        const unsigned in = AlsaPortCatalog::CapRead | AlsaPortCatalog::CapSubsRead;
        const unsigned out = AlsaPortCatalog::CapWrite | AlsaPortCatalog::CapSubsWrite;
        const QVector<AlsaPortInfo> all = {
            {24, 0, "Kovela Tark9", "Kovela Tark9 MIDI 1", in | out},
            {0, 1, "System", "Announce", in},
            {14, 0, "Midi Through", "Midi Through Port-0", in | out},
            {128, 0, "kovelaTark9", "kovelaTark9 in", out},                 // the editor's own
            {20, 0, "Kovela Tark9", "Kovela Tark9 MIDI 1", in | out},
            {30, 0, "Hidden", "Hidden", in | out | AlsaPortCatalog::CapNoExport},
            {31, 0, "Output only", "Synth", out},
        };
        const QVector<AlsaPortInfo> inputs = AlsaPortCatalog::select(all, AlsaPortCatalog::Direction::Input, 128);
        QStringList names;
        for (const AlsaPortInfo &info : inputs)
            names << QStringLiteral("%1:%2 %3").arg(info.client).arg(info.port).arg(info.clientName);
        QCOMPARE(names, QStringList({"14:0 Midi Through", "20:0 Kovela Tark9", "24:0 Kovela Tark9"}));
        const QVector<AlsaPortInfo> outputs = AlsaPortCatalog::select(all, AlsaPortCatalog::Direction::Output, 128);
        QCOMPARE(outputs.size(), 4);
        QCOMPARE(outputs.last().clientName, QStringLiteral("Output only"));
    }

    void sysexPiecesAreGathered_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("pieceSize");
        QTest::addColumn<QList<int>>("deliveredLengths");
        QTest::newRow("configuration in 256-byte pieces") << ConfigurationBytes << AlsaPieceBytes << QList<int>{ConfigurationBytes};
        QTest::newRow("configuration byte by byte") << ConfigurationBytes << 1 << QList<int>{ConfigurationBytes};
        QTest::newRow("serial reply in one piece") << SerialReplyBytes << SerialReplyBytes << QList<int>{SerialReplyBytes};
        QTest::newRow("longer than the buffer") << 600 << AlsaPieceBytes << QList<int>{BufferBytes, 600 - BufferBytes};
        QTest::newRow("exactly the buffer") << BufferBytes << 100 << QList<int>{BufferBytes};
    }

    void sysexPiecesAreGathered()
    {
        QFETCH(int, length);
        QFETCH(int, pieceSize);
        QFETCH(QList<int>, deliveredLengths);
        QueuedPort port;
        QCOMPARE(port.prepare(), MidiResult::NoError);
        QCOMPARE(port.start(), MidiResult::NoError);
        const QByteArray message = configurationMessage(length);
        for (const QByteArray &piece : pieces(message, pieceSize))
            AlsaInputEvent::dispatch(sysexPiece(piece), port.queue);
        QList<int> lengths;
        QByteArray joined;
        for (const Delivery &d : port.receiver.deliveries) {
            lengths << d.bytes.size();
            joined += d.bytes;
        }
        QCOMPARE(lengths, deliveredLengths);
        QCOMPARE(joined, message);
    }

    void notesBetweenPiecesAreShortMessages()
    {
        QueuedPort port;
        port.prepare();
        port.start();
        const QByteArray message = configurationMessage(ConfigurationBytes);
        const QList<QByteArray> parts = pieces(message, AlsaPieceBytes);
        AlsaInputEvent::dispatch(sysexPiece(parts.at(0)), port.queue);
        AlsaInputEvent::dispatch(noteOn(2, 60, 100), port.queue);
        AlsaInputEvent::dispatch(sysexPiece(parts.at(1)), port.queue);
        const std::vector<Delivery> &deliveries = port.receiver.deliveries;
        QCOMPARE(int(deliveries.size()), 2);
        QCOMPARE(deliveries.at(0).message, MidiInMessage::Data);
        QCOMPARE(deliveries.at(0).packed, quint32(0x643C92));
        QCOMPARE(deliveries.at(1).bytes, message);
    }

    void shortMessagePacking_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("value");
        QTest::addColumn<quint32>("packed");
        QTest::newRow("controller") << AlsaInputEvent::Controller << 127 << quint32(0x7F07B3);
        QTest::newRow("program") << AlsaInputEvent::ProgramChange << 5 << quint32(0x05C3);
        QTest::newRow("pitch bend centre") << AlsaInputEvent::PitchBend << 0 << quint32(0x4000E3);
        QTest::newRow("pitch bend lowest") << AlsaInputEvent::PitchBend << -8192 << quint32(0x0000E3);
        QTest::newRow("unknown type") << 99 << 1 << quint32(0);
    }

    void shortMessagePacking()
    {
        QFETCH(int, type);
        QFETCH(int, value);
        QFETCH(quint32, packed);
        AlsaInputEvent event;
        event.type = type;
        event.channel = 3;
        event.note = 7;
        event.value = value;
        QCOMPARE(AlsaInputEvent::packShort(event), packed);
    }

    void unfinishedMessagesAreNeverHandedOn()
    {
        QueuedPort port;
        InputPortQueue &queue = port.queue;
        const std::vector<Delivery> &deliveries = port.receiver.deliveries;
        port.prepare();
        // Before a buffer is queued and started, everything is dropped.
        AlsaInputEvent::dispatch(sysexPiece(configurationMessage(SerialReplyBytes)), queue);
        QVERIFY(deliveries.empty());
        QCOMPARE(queue.droppedBytes(), quint64(SerialReplyBytes));
        port.start();
        // A message cut short by the next F0 is dropped, the next one arrives whole.
        const QByteArray whole = configurationMessage(30);
        AlsaInputEvent::dispatch(sysexPiece(configurationMessage(30).left(12)), queue);
        AlsaInputEvent::dispatch(sysexPiece(whole), queue);
        QCOMPARE(int(deliveries.size()), 1);
        QCOMPARE(deliveries.at(0).bytes, whole);
        // Reset during a message: the buffer comes back empty and the rest goes nowhere.
        AlsaInputEvent::dispatch(sysexPiece(whole.left(10)), queue);
        queue.reset();
        QCOMPARE(int(deliveries.size()), 2);
        QCOMPARE(deliveries.at(1).bytes.size(), 0);
        AlsaInputEvent::dispatch(sysexPiece(whole.mid(10)), queue);
        QCOMPARE(int(deliveries.size()), 2);
        QCOMPARE(queue.unprepare(&port.buffer), MidiResult::NoError);
        queue.close();
        AlsaInputEvent::dispatch(noteOn(0, 1, 1), queue);
        QCOMPARE(int(deliveries.size()), 2);
    }

    void udevEventsBecomeInterfacePaths_data()
    {
        QTest::addColumn<QList<UdevPathTranslator::Properties>>("events");
        QTest::addColumn<QStringList>("reports");
        const UdevPathTranslator::Properties cardAdd = {
            {"ACTION", "add"}, {"SUBSYSTEM", "sound"}, {"DEVPATH", "/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.0/sound/card2"},
            {"ID_VENDOR_ID", "0416"}, {"ID_MODEL_ID", "b009"}, {"SOUND_INITIALIZED", "1"}};
        UdevPathTranslator::Properties cardRemove = cardAdd;
        cardRemove.insert("ACTION", "remove");
        UdevPathTranslator::Properties bareRemove = {
            {"ACTION", "remove"}, {"SUBSYSTEM", "sound"}, {"DEVPATH", cardAdd.value("DEVPATH")}};
        UdevPathTranslator::Properties midiNode = cardAdd;
        midiNode.insert("DEVPATH", cardAdd.value("DEVPATH") + "/midiC2D0");
        UdevPathTranslator::Properties otherCard = cardAdd;
        otherCard.insert("ID_VENDOR_ID", "046d");
        otherCard.insert("ID_MODEL_ID", "0a44");
        UdevPathTranslator::Properties tty = cardAdd;
        tty.insert("SUBSYSTEM", "tty");
        UdevPathTranslator::Properties change = cardAdd;
        change.insert("ACTION", "change");
        QTest::newRow("plugged then pulled") << QList<UdevPathTranslator::Properties>{cardAdd, cardRemove}
                                            << QStringList{"rk217 true", "rk217 false"};
        QTest::newRow("removal without ids") << QList<UdevPathTranslator::Properties>{cardAdd, bareRemove}
                                            << QStringList{"rk217 true", "rk217 false"};
        QTest::newRow("one report per card") << QList<UdevPathTranslator::Properties>{midiNode, cardAdd, change, cardAdd}
                                            << QStringList{"rk217 true"};
        QTest::newRow("another card") << QList<UdevPathTranslator::Properties>{otherCard} << QStringList{};
        QTest::newRow("not a sound device") << QList<UdevPathTranslator::Properties>{tty} << QStringList{};
        QTest::newRow("unknown removal") << QList<UdevPathTranslator::Properties>{bareRemove} << QStringList{};
    }

    void udevEventsBecomeInterfacePaths()
    {
        QFETCH(QList<UdevPathTranslator::Properties>, events);
        QFETCH(QStringList, reports);
        UdevPathTranslator translator;
        const QMap<QString, QString> table = {{"rk217", "VID_0416&PID_B009"}};
        bool present = false;
        QStringList seen;
        for (const UdevPathTranslator::Properties &properties : events) {
            DeviceMessage message;
            if (!translator.translate(properties, &message))
                continue;
            const DevicePresence::Outcome outcome = DevicePresence::handle(message, present, table);
            present = outcome.present;
            if (outcome.report)
                seen << QStringLiteral("%1 %2").arg(outcome.deviceType, outcome.arrival ? "true" : "false");
        }
        QCOMPARE(seen, reports);
    }

    void interfacePathLooksLikeWindowsOne()
    {
        QCOMPARE(UdevPathTranslator::interfacePath("0416", "b009", "/devices/x/sound/card1"),
                 QStringLiteral("USB#VID_0416&PID_B009#/devices/x/sound/card1"));
    }

    void errorsMapLikeWinMM_data()
    {
        QTest::addColumn<int>("error");
        QTest::addColumn<unsigned>("result");
        QTest::newRow("held exclusively") << -EBUSY << MidiResult::Allocated;
        QTest::newRow("port gone") << -ENOENT << MidiResult::BadDeviceId;
        QTest::newRow("device gone") << -ENODEV << MidiResult::NoDriver;
        QTest::newRow("success") << 0 << MidiResult::NoError;
        QTest::newRow("other") << -EIO << MidiResult::Error;
    }

    void errorsMapLikeWinMM()
    {
        QFETCH(int, error);
        QFETCH(unsigned, result);
        QCOMPARE(AlsaMidiSystem::resultOf(error), result);
    }

    void withoutASequencerEverythingFailsCleanly()
    {
        if (QFileInfo::exists("/dev/snd/seq"))
            QSKIP("this machine has a sequencer");
        DeviceLogCapture log;
        AlsaMidiSystem system;
        QCOMPARE(system.inGetNumDevs(), 0u);
        QCOMPARE(system.outGetNumDevs(), 0u);
        QString name;
        QCOMPARE(system.inGetDevCaps(0, &name), MidiResult::BadDeviceId);
        MidiIn in(&system);
        QVERIFY(!in.open(0, [](char *, int) {}));
        QVERIFY(log.lines().contains("midiInOpen error"));
        QCOMPARE(log.lines().filter("ALSA sequencer cannot be opened").size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestAlsa)
#include "tst_alsa.moc"
