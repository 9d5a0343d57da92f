// The protocol module: the bytes the editor sends, the framing rule, what a reply is, and the
// names of the image's fields.
#include "config/configlayout.h"
#include "config/controllerprotocol.h"

#include <QtTest>

class tst_ControllerProtocol : public QObject
{
    Q_OBJECT

private slots:
    void requests();
    void writeMessageCarriesTheWriteCommand();
    void findMessageDefect_data();
    void findMessageDefect();
    void classify_data();
    void classify();
    void fieldNames_data();
    void fieldNames();
    void noteNames();
    void fieldRanges_data();
    void fieldRanges();
};

void tst_ControllerProtocol::requests()
{
    QCOMPARE(ControllerProtocol::request(ControllerProtocol::ReadCommand), QByteArray::fromHex("F002000000206FF7"));
    QCOMPARE(ControllerProtocol::request(ControllerProtocol::SerialCommand), QByteArray::fromHex("F004000000206FF7"));
    QCOMPARE(ControllerProtocol::request(ControllerProtocol::BootLoaderCommand), QByteArray::fromHex("F005000000206FF7"));
}

void tst_ControllerProtocol::writeMessageCarriesTheWriteCommand()
{
    QByteArray image(458, char(0x10));
    image[1] = 0x03;   // as loaded from a configuration reply
    const QByteArray message = ControllerProtocol::writeMessage(image);
    QCOMPARE(message.size(), 458);
    QCOMPARE(int(message.at(1)), 0x01);
    QCOMPARE(message.mid(2), image.mid(2));
}

void tst_ControllerProtocol::findMessageDefect_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("offset");

    QByteArray image(458, char(0x10));
    image[0] = char(0xF0);
    image[457] = char(0xF7);
    QTest::newRow("clean image") << image << -1;
    QByteArray bad = image;
    bad[1] = char(0x80);
    QTest::newRow("command byte") << bad << 1;
    bad = image;
    bad[456] = char(0xFF);
    QTest::newRow("last data byte") << bad << 456;
    bad = image;
    bad[200] = char(0xF7);
    QTest::newRow("early end byte") << bad << 200;
    QTest::newRow("short block") << QByteArray::fromHex("F0017F") << -1;
    QTest::newRow("short block with high byte") << QByteArray::fromHex("F00181") << 2;
    QTest::newRow("no start byte") << QByteArray::fromHex("00017F") << 0;
    bad = image;
    bad[457] = char(0x00);
    QTest::newRow("no end byte") << bad << 457;
    QByteArray longer = image + QByteArray(20, char(0xFF));
    QTest::newRow("surplus beyond the image is ignored") << longer << -1;
    QTest::newRow("empty") << QByteArray() << -1;
}

void tst_ControllerProtocol::findMessageDefect()
{
    QFETCH(QByteArray, data);
    QFETCH(int, offset);
    QCOMPARE(ControllerProtocol::findMessageDefect(data.constData(), data.size()), offset);
}

void tst_ControllerProtocol::classify_data()
{
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("serial");
    QTest::addColumn<int>("defect");

    using K = ControllerProtocol::ReplyKind;
    const QByteArray serialHead = QByteArray::fromHex("F004000000206F");
    QTest::newRow("13-character serial") << serialHead + "AB12CD34EF567" + char(0xF7) << int(K::SerialNumber) << "AB12CD34EF567" << -1;
    QTest::newRow("serial ended by NULs") << serialHead + QByteArray("SN123456\0\0\0\0\0", 13) + char(0xF7)
                                          << int(K::SerialNumber) << "SN123456" << -1;
    QTest::newRow("reply shorter than its field") << serialHead + "XYZ" << int(K::SerialNumber) << "XYZ" << -1;
    QByteArray reply(458, char(0x05));
    reply[0] = char(0xF0);
    reply[1] = 0x03;
    reply[457] = char(0xF7);
    QTest::newRow("configuration") << reply << int(K::Configuration) << QString() << -1;
    reply[300] = char(0x90);
    QTest::newRow("configuration with a status byte") << reply << int(K::Unusable) << QString() << 300;
    QTest::newRow("nothing") << QByteArray() << int(K::Nothing) << QString() << -1;
}

void tst_ControllerProtocol::classify()
{
    QFETCH(QByteArray, message);
    QFETCH(int, kind);
    QFETCH(QString, serial);
    QFETCH(int, defect);
    const ControllerProtocol::Reply reply = ControllerProtocol::classify(message.constData(), message.size());
    QCOMPARE(int(reply.kind), kind);
    QCOMPARE(reply.serialNumber, serial);
    QCOMPARE(reply.defectOffset, defect);
}

void tst_ControllerProtocol::fieldNames_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("padType");
    QTest::addColumn<QString>("name");
    // Pad A13 is pad 12: its record starts at 13 + 7 * 12 = 97.
    QTest::newRow("note") << 98 << 0 << "pad A13 note";
    QTest::newRow("controller") << 98 << 1 << "pad A13 controller";
    QTest::newRow("pad colour") << 13 + 7 * 47 + 6 << 0 << "pad C16 blue";
    QTest::newRow("knob") << 349 + 7 * 5 + 4 << 0 << "knob B2 max";
    QTest::newRow("strip") << 433 + 4 * 5 + 2 << 0 << "strip section 6 channel";
    QTest::newRow("curve") << 11 << 0 << "velocity curve";
    QTest::newRow("identification") << 6 << 0 << "identification byte 5";
}

void tst_ControllerProtocol::fieldNames()
{
    QFETCH(int, offset);
    QFETCH(int, padType);
    QFETCH(QString, name);
    QByteArray image(458, '\0');
    image[97] = char(padType);
    QCOMPARE(ConfigLayout::describe(offset, image), name);
}

void tst_ControllerProtocol::noteNames()
{
    QCOMPARE(ConfigLayout::noteName(0), QStringLiteral("C-1"));
    QCOMPARE(ConfigLayout::noteName(60), QStringLiteral("C4"));
    QCOMPARE(ConfigLayout::noteName(61), QStringLiteral("C#4"));
    QCOMPARE(ConfigLayout::noteName(127), QStringLiteral("G9"));
}

void tst_ControllerProtocol::fieldRanges_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("minimum");   // -1: no field, the message's framing
    QTest::addColumn<int>("maximum");
    QTest::newRow("SysEx start") << 0 << -1 << -1;
    QTest::newRow("command") << 1 << 0 << 127;
    QTest::newRow("firmware version") << 10 << 0 << 127;
    QTest::newRow("velocity curve") << 11 << 0 << 3;
    QTest::newRow("full level") << 12 << 0 << 127;
    QTest::newRow("pad A1 type") << 13 << 0 << 2;
    QTest::newRow("pad A1 channel") << 15 << 1 << 16;
    QTest::newRow("pad A1 mode") << 16 << 0 << 1;
    QTest::newRow("pad C16 blue") << 13 + 7 * 47 + 6 << 0 << 127;
    QTest::newRow("knob A1 type") << 349 << 0 << 2;
    QTest::newRow("knob C4 channel") << 349 + 7 * 11 + 2 << 1 << 16;
    QTest::newRow("knob C4 msb max") << 349 + 7 * 11 + 6 << 0 << 127;
    QTest::newRow("strip 1 type") << 433 << 0 << 1;
    QTest::newRow("strip 6 mode") << 433 + 4 * 5 + 3 << 0 << 1;
    QTest::newRow("SysEx end") << 457 << -1 << -1;
}

// Every field's range, at the record boundaries; and one range for every byte between the framing,
// so that a preset, a send and the JSON form check all of them.
void tst_ControllerProtocol::fieldRanges()
{
    QFETCH(int, offset);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    int low = -1;
    int high = -1;
    QCOMPARE(ConfigLayout::range(offset, &low, &high), minimum >= 0);
    if (minimum >= 0) {
        QCOMPARE(low, minimum);
        QCOMPARE(high, maximum);
    }
    for (int byte = 1; byte < 457; ++byte)
        QVERIFY2(ConfigLayout::range(byte, &low, &high), qPrintable(QString::number(byte)));

    // Just outside the range the field is named with its value; at its ends it is not.
    QByteArray image(458, '\0');
    for (int byte = 1; byte < 457; ++byte) {
        ConfigLayout::range(byte, &low, &high);
        image[byte] = char(byte % 2 ? low : high);
    }
    QCOMPARE(ConfigLayout::fieldsOutOfRange(image).size(), 0);
    if (minimum < 0)
        return;
    for (int value : {minimum - 1, maximum + 1}) {
        if (value < 0 || value > 127)
            continue;
        image[offset] = char(value);
        const QList<ConfigLayout::FieldValue> outside = ConfigLayout::fieldsOutOfRange(image);
        QCOMPARE(outside.size(), 1);
        QCOMPARE(outside.first().offset, offset);
        QCOMPARE(outside.first().value, value);
        QVERIFY(outside.first().text().startsWith(ConfigLayout::describe(offset, image) + QStringLiteral(" is %1").arg(value)));
    }
}

QTEST_GUILESS_MAIN(tst_ControllerProtocol)
#include "tst_controllerprotocol.moc"
