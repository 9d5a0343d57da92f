// What the MIDI monitor says about the bytes a port delivers: every message the controls can
// send, the system messages, the controller's own SysEx, and bytes that make no message.
#include "config/controllerprotocol.h"
#include "config/datamanagement.h"
#include "config/midimessagetext.h"

#include <QtTest>

using Kind = MidiMessageText::Kind;
Q_DECLARE_METATYPE(MidiMessageText::Kind)

namespace {

QByteArray factoryImage()
{
    DataManagement model;
    model.initDefaultData();
    return QByteArray(reinterpret_cast<const char *>(model.configImage().data()), DataManagement::ImageSize);
}

} // namespace

class tst_MidiMessageText : public QObject
{
    Q_OBJECT

private slots:
    void decode_data();
    void decode();
    void controllerSysEx_data();
    void controllerSysEx();
};

void tst_MidiMessageText::decode_data()
{
    QTest::addColumn<QString>("hex");
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("note on") << "90 30 64" << Kind::NoteOn << 1 << 48 << 100 << "Note On C3 velocity 100";
    QTest::newRow("note on, lowest note, channel 16") << "9F 00 01" << Kind::NoteOn << 16 << 0 << 1 << "Note On C-1 velocity 1";
    QTest::newRow("note on, highest note") << "90 7F 7F" << Kind::NoteOn << 1 << 127 << 127 << "Note On G9 velocity 127";
    QTest::newRow("note off") << "80 24 40" << Kind::NoteOff << 1 << 36 << 64 << "Note Off C2";
    QTest::newRow("note on with velocity 0") << "95 24 00" << Kind::NoteOff << 6 << 36 << 0 << "Note Off C2 (Note On with velocity 0)";
    QTest::newRow("poly pressure") << "A1 3D 5A" << Kind::PolyPressure << 2 << 61 << 90 << "Poly Pressure C#4 = 90";
    QTest::newRow("control change") << "B0 07 40" << Kind::ControlChange << 1 << 7 << 64 << "Control Change 7 = 64";
    QTest::newRow("control change 0, channel 16") << "BF 00 00" << Kind::ControlChange << 16 << 0 << 0 << "Control Change 0 = 0";
    QTest::newRow("program change") << "C9 05" << Kind::ProgramChange << 10 << 5 << -1 << "Program Change 5";
    QTest::newRow("channel pressure") << "D3 5A" << Kind::ChannelPressure << 4 << -1 << 90 << "Channel Pressure 90";
    QTest::newRow("pitch bend centre") << "E0 00 40" << Kind::PitchBend << 1 << -1 << 0 << "Pitch Bend 0";
    QTest::newRow("pitch bend up") << "E0 30 49" << Kind::PitchBend << 1 << -1 << 1200 << "Pitch Bend +1200";
    QTest::newRow("pitch bend one below centre") << "E0 7F 3F" << Kind::PitchBend << 1 << -1 << -1 << "Pitch Bend -1";
    QTest::newRow("pitch bend lowest") << "E0 00 00" << Kind::PitchBend << 1 << -1 << -8192 << "Pitch Bend -8192";
    QTest::newRow("pitch bend highest") << "EF 7F 7F" << Kind::PitchBend << 16 << -1 << 8191 << "Pitch Bend +8191";
    QTest::newRow("song position") << "F2 10 01" << Kind::SystemCommon << 0 << -1 << 144 << "Song Position 144";
    QTest::newRow("song select") << "F3 05" << Kind::SystemCommon << 0 << -1 << 5 << "Song Select 5";
    QTest::newRow("tune request") << "F6" << Kind::SystemCommon << 0 << -1 << -1 << "Tune Request";
    QTest::newRow("timing clock") << "F8" << Kind::SystemRealtime << 0 << -1 << -1 << "Timing Clock";
    QTest::newRow("start") << "FA" << Kind::SystemRealtime << 0 << -1 << -1 << "Start";
    QTest::newRow("active sensing") << "FE" << Kind::SystemRealtime << 0 << -1 << -1 << "Active Sensing";
    QTest::newRow("another maker's SysEx") << "F0 7E 7F 06 01 F7" << Kind::SysEx << 0 << -1 << -1 << "SysEx, 6 bytes";

    const auto unknown = [](const char *name, const QString &hex) {
        QTest::newRow(name) << hex << Kind::Unknown << 0 << -1 << -1 << (hex.isEmpty() ? "Unknown: no bytes" : "Unknown: " + hex);
    };
    unknown("no bytes", "");
    unknown("data byte first", "30 64");
    unknown("note on cut short", "90 30");
    unknown("program change cut short", "C0");
    unknown("note on with a byte too many", "90 30 64 10");
    unknown("status byte inside", "B0 80 40");
    unknown("status byte inside SysEx", "F0 01 90 F7");
    unknown("SysEx without its end", "F0 7E 7F 06");
    unknown("SysEx end alone", "F7");
    unknown("undefined system status", "F4");
    unknown("clock with a data byte", "F8 00");
}

void tst_MidiMessageText::decode()
{
    QFETCH(QString, hex);
    QFETCH(Kind, kind);
    QFETCH(int, channel);
    QFETCH(int, number);
    QFETCH(int, value);
    QFETCH(QString, text);
    const MidiMessageText::Message message = MidiMessageText::decode(QByteArray::fromHex(hex.toLatin1()));
    QCOMPARE(message.text, text);
    QCOMPARE(message.kind, kind);
    QCOMPARE(message.channel, channel);
    QCOMPARE(message.number, number);
    QCOMPARE(message.value, value);
    QCOMPARE(message.hex, hex);
}

void tst_MidiMessageText::controllerSysEx_data()
{
    using Protocol = ControllerProtocol;
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("configuration request") << Protocol::request(Protocol::ReadCommand) << "SysEx configuration request, 8 bytes";
    QTest::newRow("serial number request") << Protocol::request(Protocol::SerialCommand) << "SysEx serial number request, 8 bytes";
    QTest::newRow("boot loader request") << Protocol::request(Protocol::BootLoaderCommand) << "SysEx boot loader request, 8 bytes";

    const QByteArray image = factoryImage();
    QTest::newRow("configuration write") << Protocol::writeMessage(image) << "SysEx configuration write, 458 bytes";
    QByteArray reply = image;
    reply[Protocol::CommandOffset] = 0x03;
    QTest::newRow("configuration reply") << reply << "SysEx configuration reply, 458 bytes";

    const QByteArray serialReply = QByteArray(1, char(Protocol::SysExStart)) + char(Protocol::SerialCommand)
        + Protocol::identification() + QByteArray("K9A0001234567") + char(Protocol::SysExEnd);
    QTest::newRow("serial number reply") << serialReply << "SysEx serial number reply, 21 bytes";

    QByteArray shortReply = reply.left(99) + char(Protocol::SysExEnd);
    QTest::newRow("configuration reply cut short") << shortReply << "SysEx, 100 bytes";
    QByteArray otherMaker = reply;
    otherMaker[Protocol::IdentificationOffset] = 0x41;
    QTest::newRow("another maker's 458 bytes") << otherMaker << "SysEx, 458 bytes";
    QTest::newRow("another maker's short message with a serial command byte")
        << QByteArray::fromHex("F004417E0102F7") << "SysEx, 7 bytes";

    QByteArray spoilt = reply;
    spoilt[200] = char(0x90);
    QTest::newRow("configuration reply with a status byte inside")
        << spoilt << "Unknown: " + QString::fromLatin1(spoilt.toHex(' ').toUpper());
}

void tst_MidiMessageText::controllerSysEx()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    const MidiMessageText::Message message = MidiMessageText::decode(bytes);
    QCOMPARE(message.text, text);
    QCOMPARE(message.kind, text.startsWith("Unknown") ? Kind::Unknown : Kind::SysEx);
    QCOMPARE(message.channel, 0);
}

QTEST_GUILESS_MAIN(tst_MidiMessageText)
#include "tst_midimessagetext.moc"
