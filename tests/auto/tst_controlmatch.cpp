// Touch select: which controls of a configuration send a message the controller played. The
// configurations are made with the model as the editors make them, from the factory one.
#include "config/controlmatch.h"
#include "config/datamanagement.h"

#include <QtTest>

namespace {

using Record = ConfigLayout::Record;

// Edits like "pad 20 padData 24; knob 6 bqmType 1", with the keys the editors use, applied to
// the factory configuration.
QByteArray configuration(const QString &edits)
{
    DataManagement model;
    model.initDefaultData();
    for (const QString &edit : edits.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QStringList words = edit.simplified().split(QLatin1Char(' '));
        const int index = words.at(1).toInt();
        const int value = words.at(3).toInt();
        if (words.at(0) == "pad")
            model.setPadInfo(index, words.at(2), value);
        else if (words.at(0) == "knob")
            model.setBQMInfo(index, words.at(2), value);
        else
            model.setWalkingBeltInfo(index, words.at(2), value);
    }
    return QByteArray(reinterpret_cast<const char *>(model.configImage().data()), DataManagement::ImageSize);
}

// "Pad 1, bank B = pad 16/1": the label, then the record, its index in the image and its bank.
QStringList described(const QList<ControlMatch::Control> &controls)
{
    QStringList lines;
    for (const ControlMatch::Control &control : controls) {
        const char *record = control.record == Record::Pad ? "pad" : control.record == Record::Knob ? "knob" : "strip";
        lines << QStringLiteral("%1 = %2 %3/%4").arg(control.label, QLatin1String(record)).arg(control.index).arg(control.bank);
    }
    return lines;
}

QList<ControlMatch::Control> find(const QByteArray &image, const char *hex)
{
    return ControlMatch::find(image, MidiMessageText::decode(QByteArray::fromHex(hex)));
}

} // namespace

class tst_ControlMatch : public QObject
{
    Q_OBJECT

private slots:
    void find_data();
    void find();
    void shortImageMatchesTheRecordsItHolds();
};

void tst_ControlMatch::find_data()
{
    QTest::addColumn<QString>("edits");
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<QStringList>("controls");

    // The factory configuration: pad i plays note 24 + i, the knobs send controllers 7, 1, 2, 10,
    // 14, 15, 12, 13, 53, 54, 51, 52 and strip section j controller 21 + j, all on channel 1.
    QTest::newRow("note on, bank A") << "" << QByteArray("90 18 64") << QStringList{"Pad 1, bank A = pad 0/0"};
    QTest::newRow("note on with velocity 0, bank B") << "" << QByteArray("90 2A 00") << QStringList{"Pad 3, bank B = pad 18/1"};
    QTest::newRow("note off, bank C") << "" << QByteArray("80 47 40") << QStringList{"Pad 16, bank C = pad 47/2"};
    QTest::newRow("poly pressure") << "" << QByteArray("A0 19 30") << QStringList{"Pad 2, bank A = pad 1/0"};
    QTest::newRow("knob, bank A") << "" << QByteArray("B0 07 40") << QStringList{"Knob 1, bank A = knob 0/0"};
    QTest::newRow("knob, bank B") << "" << QByteArray("B0 0F 40") << QStringList{"Knob 2, bank B = knob 5/1"};
    QTest::newRow("knob, bank C") << "" << QByteArray("B0 34 40") << QStringList{"Knob 4, bank C = knob 11/2"};
    QTest::newRow("strip section, not the pad on that note") << "" << QByteArray("B0 18 40")
                                                            << QStringList{"Strip section 4 = strip 3/-1"};
    QTest::newRow("pad on channel 1, message on channel 2") << "" << QByteArray("91 18 64") << QStringList();
    QTest::newRow("knob moved to channel 2, message on channel 1") << "knob 0 bqmCh 2" << QByteArray("B0 07 40") << QStringList();
    QTest::newRow("note no pad plays") << "" << QByteArray("90 10 64") << QStringList();
    QTest::newRow("program change no pad sends") << "" << QByteArray("C0 18") << QStringList();
    QTest::newRow("system message") << "" << QByteArray("F8") << QStringList();
    QTest::newRow("unknown bytes") << "" << QByteArray("90 18") << QStringList();

    QTest::newRow("two pads on one note") << "pad 20 padData 24" << QByteArray("90 18 64")
                                          << QStringList{"Pad 1, bank A = pad 0/0", "Pad 5, bank B = pad 20/1"};
    QTest::newRow("a pad and a knob on one controller") << "pad 2 padtype 1; pad 2 padData 7" << QByteArray("B0 07 40")
                                                        << QStringList{"Pad 3, bank A = pad 2/0", "Knob 1, bank A = knob 0/0"};
    QTest::newRow("pad set to CC takes no note on its number") << "pad 2 padtype 1; pad 2 padData 7" << QByteArray("90 07 64")
                                                               << QStringList();
    QTest::newRow("pad set to PC") << "pad 40 padtype 2; pad 40 padData 5; pad 40 padCh 10" << QByteArray("C9 05")
                                   << QStringList{"Pad 9, bank C = pad 40/2"};
    QTest::newRow("knob set to CHN TOUCH") << "knob 6 bqmType 1; knob 6 bqmCh 3" << QByteArray("D2 5A")
                                           << QStringList{"Knob 3, bank B = knob 6/1"};
    QTest::newRow("knob set to PITCH BEND") << "knob 9 bqmType 2; knob 9 bqmCh 16" << QByteArray("EF 00 40")
                                            << QStringList{"Knob 2, bank C = knob 9/2"};
    QTest::newRow("PITCH BEND knob on another channel") << "knob 9 bqmType 2; knob 9 bqmCh 16" << QByteArray("E0 00 40")
                                                        << QStringList();
    QTest::newRow("strip section on channel 5") << "strip 1 wbCh 5" << QByteArray("B4 16 40")
                                                << QStringList{"Strip section 2 = strip 1/-1"};
    QTest::newRow("strip section set to MC") << "strip 2 wbtype 1" << QByteArray("B0 17 40") << QStringList();
}

void tst_ControlMatch::find()
{
    QFETCH(QString, edits);
    QFETCH(QByteArray, message);
    QFETCH(QStringList, controls);
    QCOMPARE(described(::find(configuration(edits), message.constData())), controls);
}

void tst_ControlMatch::shortImageMatchesTheRecordsItHolds()
{
    // Up to the end of pad 17 (B2).
    const QByteArray image = configuration(QString()).left(ConfigLayout::recordOffset(Record::Pad, 18));
    QCOMPARE(described(::find(image, "90 29 64")), QStringList{"Pad 2, bank B = pad 17/1"});
    QCOMPARE(described(::find(image, "90 2A 64")), QStringList());
    QCOMPARE(described(::find(image, "B0 07 40")), QStringList());
    QCOMPARE(described(::find(QByteArray(), "90 18 64")), QStringList());
}

QTEST_GUILESS_MAIN(tst_ControlMatch)
#include "tst_controlmatch.moc"
