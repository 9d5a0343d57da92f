#include "config/controllerprotocol.h"
#include "config/datamanagement.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

QByteArray imageBytes(const DataManagement &model)
{
    const auto &image = model.configImage();
    return QByteArray(reinterpret_cast<const char *>(image.data()), static_cast<int>(image.size()));
}

QVariantList padColor(DataManagement &model, int pad)
{
    const QVariantMap info = model.getPadInfo(pad);
    return {info.value("padR"), info.value("padG"), info.value("padB")};
}

// The full colour is not visible directly: a luminance of 1.0 copies it into the pad colour.
QVariantList fullColor(DataManagement &model, int pad)
{
    model.setLum(pad / 16 + 1, 1.0f);
    return padColor(model, pad);
}

} // namespace

class tst_DataManagement : public QObject
{
    Q_OBJECT

private slots:
    void headerAndDefaults();
    void defaultRecords_data();
    void defaultRecords();
    void outOfRangeIndices();
    void setters_data();
    void setters();
    void padBatch_data();
    void padBatch();
    void bqmBatch();
    void batchOutsideBankChangesNothing();
    void colorNames_data();
    void colorNames();
    void fullColorArithmetic_data();
    void fullColorArithmetic();
    void luminance();
    void curveAndIntensity();
    void loadConfigImage();
    void undoAndRedoRestoreEveryStep();
    void everyStoredFieldStaysInItsRange_data();
    void everyStoredFieldStaysInItsRange();
    void unknownFieldsAreKeptAndListed_data();
    void unknownFieldsAreKeptAndListed();
};

void tst_DataManagement::headerAndDefaults()
{
    DataManagement model;
    QSignalSpy updates(&model, &DataManagement::s_updateDate);
    model.initDefaultData();
    QCOMPARE(updates.count(), 1);

    const QByteArray image = imageBytes(model);
    QCOMPARE(image.size(), 458);
    QCOMPARE(image.left(11), QByteArray::fromHex("F001000000206F00010000"));
    QCOMPARE(quint8(image.at(457)), quint8(0xF7));
    // Pad 0's record follows the curve and level bytes.
    QCOMPARE(image.mid(13, 7), QByteArray::fromHex("0018010" "05A0000"));
    // Belt entry 5 is the last record before the end byte.
    QCOMPARE(image.mid(453, 4), QByteArray::fromHex("001A0100"));
    QCOMPARE(model.getVerInfo(), QVariantList({1, 0, 0}));
}

void tst_DataManagement::defaultRecords_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("index");
    QTest::addColumn<QVariantMap>("expected");

    QTest::newRow("pad 0") << "pad" << 0
        << QVariantMap{{"padtype", 0}, {"padData", 24}, {"padCh", 1}, {"padMode", 0}, {"padR", 90}, {"padG", 0}, {"padB", 0}};
    QTest::newRow("pad 16") << "pad" << 16
        << QVariantMap{{"padtype", 0}, {"padData", 40}, {"padCh", 1}, {"padMode", 0}, {"padR", 0}, {"padG", 90}, {"padB", 0}};
    QTest::newRow("pad 47") << "pad" << 47
        << QVariantMap{{"padtype", 0}, {"padData", 71}, {"padCh", 1}, {"padMode", 0}, {"padR", 0}, {"padG", 0}, {"padB", 90}};
    QTest::newRow("knob 0") << "bqm" << 0
        << QVariantMap{{"bqmType", 0}, {"bqmData", 7}, {"bqmCh", 1}, {"bqmLsbMin", 0}, {"bqmLsbMax", 127}, {"bqmMsbMin", 0}, {"bqmMsbMax", 127}};
    QTest::newRow("knob 8") << "bqm" << 8
        << QVariantMap{{"bqmType", 0}, {"bqmData", 53}, {"bqmCh", 1}, {"bqmLsbMin", 0}, {"bqmLsbMax", 127}, {"bqmMsbMin", 0}, {"bqmMsbMax", 127}};
    QTest::newRow("knob 11") << "bqm" << 11
        << QVariantMap{{"bqmType", 0}, {"bqmData", 52}, {"bqmCh", 1}, {"bqmLsbMin", 0}, {"bqmLsbMax", 127}, {"bqmMsbMin", 0}, {"bqmMsbMax", 127}};
    QTest::newRow("belt 0") << "belt" << 0 << QVariantMap{{"wbtype", 0}, {"wbData", 21}, {"wbCh", 1}, {"wbMode", 0}};
    QTest::newRow("belt 5") << "belt" << 5 << QVariantMap{{"wbtype", 0}, {"wbData", 26}, {"wbCh", 1}, {"wbMode", 0}};
}

void tst_DataManagement::defaultRecords()
{
    QFETCH(QString, kind);
    QFETCH(int, index);
    QFETCH(QVariantMap, expected);
    DataManagement model;
    model.initDefaultData();
    QVariantMap actual;
    if (kind == "pad")
        actual = model.getPadInfo(index);
    else if (kind == "bqm")
        actual = model.getBQMInfo(index);
    else
        actual = model.getWalkingBeltInfo(index);
    QCOMPARE(actual, expected);
}

void tst_DataManagement::outOfRangeIndices()
{
    DataManagement model;
    model.initDefaultData();
    const QByteArray before = imageBytes(model);
    QVERIFY(model.getPadInfo(48).isEmpty());
    QVERIFY(model.getPadInfo(-1).isEmpty());
    QVERIFY(model.getBQMInfo(12).isEmpty());
    QVERIFY(model.getWalkingBeltInfo(6).isEmpty());
    model.setPadInfo(48, "padData", 5);
    model.setPadInfo(-1, "padCh", 5);
    model.setPadInfo(48, "padRGB", QString("#ffffff"));
    model.setBQMInfo(12, "bqmData", 5);
    model.setWalkingBeltInfo(6, "wbData", 5);
    model.setPadInfo(0, "padColour", 5);   // unknown key
    model.setPadInfo(0, "padR", 5);        // colours only go through a colour name
    model.setBQMInfo(0, "BQMDATA", 5);     // keys are case-sensitive
    QCOMPARE(imageBytes(model), before);
}

void tst_DataManagement::setters_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("stored");   // the value kept within the field's range

    QTest::newRow("pad type") << "pad" << 3 << "padtype" << 13 + 7 * 3 << 2 << 2;
    QTest::newRow("pad data") << "pad" << 47 << "padData" << 13 + 7 * 47 + 1 << 77 << 77;
    QTest::newRow("pad channel") << "pad" << 20 << "padCh" << 13 + 7 * 20 + 2 << 16 << 16;
    QTest::newRow("pad mode") << "pad" << 0 << "padMode" << 13 + 3 << 1 << 1;
    QTest::newRow("knob type") << "bqm" << 5 << "bqmType" << 349 + 7 * 5 << 2 << 2;
    QTest::newRow("knob lsb min") << "bqm" << 11 << "bqmLsbMin" << 349 + 7 * 11 + 3 << 77 << 77;
    QTest::newRow("knob lsb max") << "bqm" << 11 << "bqmLsbMax" << 349 + 7 * 11 + 4 << 77 << 77;
    QTest::newRow("knob msb min") << "bqm" << 2 << "bqmMsbMin" << 349 + 7 * 2 + 5 << 77 << 77;
    QTest::newRow("knob msb max") << "bqm" << 2 << "bqmMsbMax" << 349 + 7 * 2 + 6 << 77 << 77;
    QTest::newRow("belt type") << "belt" << 5 << "wbtype" << 433 + 4 * 5 << 1 << 1;
    QTest::newRow("belt mode") << "belt" << 1 << "wbMode" << 433 + 4 + 3 << 1 << 1;
    // Beyond a field's range the nearest value of the range is stored.
    QTest::newRow("pad type 99") << "pad" << 3 << "padtype" << 13 + 7 * 3 << 99 << 2;
    QTest::newRow("pad channel 0") << "pad" << 20 << "padCh" << 13 + 7 * 20 + 2 << 0 << 1;
    QTest::newRow("pad mode 50") << "pad" << 0 << "padMode" << 13 + 3 << 50 << 1;
    QTest::newRow("knob channel 17") << "bqm" << 5 << "bqmCh" << 349 + 7 * 5 + 2 << 17 << 16;
    QTest::newRow("belt type 3") << "belt" << 5 << "wbtype" << 433 + 4 * 5 << 3 << 1;
}

void tst_DataManagement::setters()
{
    QFETCH(QString, kind);
    QFETCH(int, index);
    QFETCH(QString, key);
    QFETCH(int, offset);
    QFETCH(int, value);
    QFETCH(int, stored);
    DataManagement model;
    model.initDefaultData();
    QSignalSpy updates(&model, &DataManagement::s_updateDate);
    QByteArray expected = imageBytes(model);
    expected[offset] = char(stored);
    if (kind == "pad")
        model.setPadInfo(index, key, value);
    else if (kind == "bqm")
        model.setBQMInfo(index, key, value);
    else
        model.setWalkingBeltInfo(index, key, value);
    QCOMPARE(imageBytes(model), expected);
    QCOMPARE(updates.count(), 0);
}

void tst_DataManagement::padBatch_data()
{
    QTest::addColumn<int>("bank");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("isDes");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("type");
    QTest::addColumn<QList<int>>("expected");   // the key's value for the bank's 16 pads

    auto range = [](int start, int step) {
        QList<int> values;
        for (int k = 0; k < 16; ++k)
            values << start + step * k;
        return values;
    };
    auto clampedRange = [&](int start, int step) {
        QList<int> values = range(start, step);
        for (int &v : values)
            v = qBound(0, v, 127);
        return values;
    };
    QTest::newRow("A notes ascending") << 1 << "note" << false << "padData" << 36 << 0 << range(36, 1);
    QTest::newRow("B cc descending") << 2 << "cc" << true << "padData" << 100 << 1 << range(100, -1);
    QTest::newRow("C pc channel") << 3 << "pc" << false << "padCh" << 5 << 2 << QList<int>(range(5, 0));
    QTest::newRow("unknown mode is note") << 1 << "drum" << false << "padMode" << 1 << 0 << range(1, 0);
    // Past 127 a data byte would end the SysEx message early: the fill stops at the limits.
    QTest::newRow("ascending past 127") << 1 << "note" << false << "padData" << 120 << 0 << clampedRange(120, 1);
    QTest::newRow("descending past 0") << 2 << "note" << true << "padData" << 5 << 0 << clampedRange(5, -1);
    QTest::newRow("start above 127") << 3 << "cc" << false << "padData" << 300 << 1 << clampedRange(300, 1);
    QTest::newRow("negative channel") << 1 << "cc" << false << "padCh" << -4 << 1 << range(1, 0);
    QTest::newRow("channel 17") << 2 << "pc" << false << "padCh" << 17 << 2 << range(16, 0);
}

void tst_DataManagement::padBatch()
{
    QFETCH(int, bank);
    QFETCH(QString, mode);
    QFETCH(bool, isDes);
    QFETCH(QString, key);
    QFETCH(int, value);
    QFETCH(int, type);
    QFETCH(QList<int>, expected);
    DataManagement model;
    model.initDefaultData();
    QSignalSpy updates(&model, &DataManagement::s_updateDate);
    model.setPadBatch(bank, mode, isDes, key, value);
    QCOMPARE(updates.count(), 1);
    for (int k = 0; k < 16; ++k) {
        const int pad = 16 * (bank - 1) + k;
        const QVariantMap info = model.getPadInfo(pad);
        QCOMPARE(info.value("padtype").toInt(), type);
        QCOMPARE(info.value(key).toInt(), expected.at(k));
        if (key != "padData")   // the notes stay as they were
            QCOMPARE(info.value("padData").toInt(), 24 + pad);
    }
    // The other banks are untouched.
    for (int pad = 0; pad < 48; ++pad) {
        if (pad / 16 != bank - 1)
            QCOMPARE(model.getPadInfo(pad).value("padData").toInt(), 24 + pad);
    }
}

void tst_DataManagement::bqmBatch()
{
    DataManagement model;
    model.initDefaultData();
    model.setBQMBatch(2, "pitch", "bqmMsbMax", 100);
    for (int i = 4; i < 8; ++i) {
        QCOMPARE(model.getBQMInfo(i).value("bqmType").toInt(), 2);
        QCOMPARE(model.getBQMInfo(i).value("bqmMsbMax").toInt(), 100);
    }
    model.setBQMBatch(1, "cc", "bqmData", 20);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(model.getBQMInfo(i).value("bqmData").toInt(), 20 + i);
    model.setBQMBatch(3, "chn", "bqmData", 126);
    QCOMPARE(model.getBQMInfo(8).value("bqmType").toInt(), 1);
    QCOMPARE(model.getBQMInfo(8).value("bqmData").toInt(), 126);
    QCOMPARE(model.getBQMInfo(11).value("bqmData").toInt(), 127);
}

void tst_DataManagement::batchOutsideBankChangesNothing()
{
    DataManagement model;
    model.initDefaultData();
    const QByteArray before = imageBytes(model);
    QSignalSpy updates(&model, &DataManagement::s_updateDate);
    for (int bank : {0, 4, -1}) {
        model.setPadBatch(bank, "cc", false, "padData", 1);
        model.setPadBatchColor(bank, "#ffffff");
        model.setBQMBatch(bank, "pitch", "bqmData", 1);
        model.setLum(bank, 0.5f);
    }
    QCOMPARE(imageBytes(model), before);
    QCOMPARE(updates.count(), 12);
}

void tst_DataManagement::colorNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QVariantList>("stored");
    QTest::addColumn<QVariantList>("full");

    QTest::newRow("orange") << "#ff8000" << QVariantList{127, 64, 0} << QVariantList{127, 64, 0};
    QTest::newRow("grey 128") << "#808080" << QVariantList{64, 64, 64} << QVariantList{127, 127, 127};
    QTest::newRow("black turns white at full") << "#000000" << QVariantList{0, 0, 0} << QVariantList{127, 127, 127};
    QTest::newRow("short form") << "#f80" << QVariantList{127, 68, 0} << QVariantList{127, 68, 0};
    QTest::newRow("alpha ignored") << "#80ff0000" << QVariantList{127, 0, 0} << QVariantList{127, 0, 0};
    // Only the forms the interface writes: a colour's name is not one of them.
    QTest::newRow("name") << "red" << QVariantList{0, 0, 0} << QVariantList{127, 127, 127};
    QTest::newRow("sign in digits") << "#+12345" << QVariantList{0, 0, 0} << QVariantList{127, 127, 127};
    QTest::newRow("unparsable") << "not a colour" << QVariantList{0, 0, 0} << QVariantList{127, 127, 127};
}

void tst_DataManagement::colorNames()
{
    QFETCH(QString, name);
    QFETCH(QVariantList, stored);
    QFETCH(QVariantList, full);
    DataManagement model;
    model.initDefaultData();
    QSignalSpy updates(&model, &DataManagement::s_updateDate);
    model.setPadInfo(3, "padRGB", name);
    QCOMPARE(updates.count(), 0);
    QCOMPARE(padColor(model, 3), stored);
    QCOMPARE(fullColor(model, 3), full);
}

void tst_DataManagement::fullColorArithmetic_data()
{
    QTest::addColumn<QString>("name");       // 8-bit colour, halved on the way in
    QTest::addColumn<QVariantList>("full");

    // Single-precision scaling does not always reach 127.
    QTest::newRow("15/0/0") << "#1e0000" << QVariantList{126, 0, 0};
    QTest::newRow("45/30/0") << "#5a3c00" << QVariantList{127, 84, 0};
    QTest::newRow("3/2/1") << "#060402" << QVariantList{127, 84, 42};
}

void tst_DataManagement::fullColorArithmetic()
{
    QFETCH(QString, name);
    QFETCH(QVariantList, full);
    DataManagement model;
    model.initDefaultData();
    model.setPadInfo(20, "padRGB", name);
    QCOMPARE(fullColor(model, 20), full);
}

void tst_DataManagement::luminance()
{
    DataManagement model;
    model.initDefaultData();
    model.setPadBatchColor(1, "#ff0000");
    model.setLum(1, 0.5f);
    for (int pad = 0; pad < 16; ++pad)
        QCOMPARE(padColor(model, pad), QVariantList({63, 0, 0}));
    model.setLum(1, 0.0f);
    QCOMPARE(padColor(model, 7), QVariantList({0, 0, 0}));
    model.setLum(1, 1.0f);
    QCOMPARE(padColor(model, 7), QVariantList({127, 0, 0}));
    // Bank B keeps its default green, already at full brightness.
    QCOMPARE(padColor(model, 16), QVariantList({0, 90, 0}));
    QCOMPARE(fullColor(model, 16), QVariantList({0, 127, 0}));
    // Out-of-range luminance stays within the data-byte range.
    model.setLum(1, 3.0f);
    QCOMPARE(padColor(model, 0), QVariantList({127, 0, 0}));
    model.setLum(1, -1.0f);
    QCOMPARE(padColor(model, 0), QVariantList({0, 0, 0}));
}

void tst_DataManagement::curveAndIntensity()
{
    DataManagement model;
    model.initDefaultData();
    QSignalSpy updates(&model, &DataManagement::s_updateDate);
    QByteArray expected = imageBytes(model);
    model.setCurveInten("curve", 2);
    expected[11] = 2;
    QCOMPARE(imageBytes(model), expected);
    model.setCurveInten("intensity", 100);
    expected[12] = 100;
    QCOMPARE(imageBytes(model), expected);
    model.setCurveInten("Curve", 3);
    model.setCurveInten("level", 3);
    QCOMPARE(imageBytes(model), expected);
    QCOMPARE(updates.count(), 0);
}

void tst_DataManagement::loadConfigImage()
{
    DataManagement model;
    model.initDefaultData();
    QSignalSpy updates(&model, &DataManagement::s_updateDate);
    const QByteArray before = imageBytes(model);

    model.loadConfigImage(QByteArray(10, char(5)).constData(), 10);
    QCOMPARE(updates.count(), 1);
    QCOMPARE(imageBytes(model).left(10), QByteArray(10, char(5)));
    QCOMPARE(imageBytes(model).mid(10), before.mid(10));

    model.loadConfigImage(nullptr, 0);
    QCOMPARE(updates.count(), 2);

    // A longer block never writes past the image.
    QByteArray big(600, char(9));
    big[457] = char(0xF7);
    model.loadConfigImage(big.constData(), big.size());
    QCOMPARE(imageBytes(model), big.left(458));

    // The full colours follow the loaded pad colours: 45/30/0 on pad 0.
    QByteArray image = before;
    image[13 + 4] = 45;
    image[13 + 5] = 30;
    image[13 + 6] = 0;
    model.loadConfigImage(image.constData(), image.size());
    QCOMPARE(fullColor(model, 0), QVariantList({127, 84, 0}));
}

void tst_DataManagement::undoAndRedoRestoreEveryStep()
{
    DataManagement model;
    model.initDefaultData();
    model.clearHistory();
    QVERIFY(!model.canUndo());
    const QByteArray start = imageBytes(model);
    // A bracketed edit of several calls is one step.
    model.beginEdit();
    model.setLum(2, 0.1f);
    model.setPadBatchColor(3, "#102030");
    model.endEdit();
    model.undo();
    QCOMPARE(imageBytes(model), start);
    model.redo();
    QVERIFY(imageBytes(model) != start);
    model.undo();

    // Several hundred edits: each one a step back to the image before it.
    QList<QByteArray> images{imageBytes(model)};
    for (int i = 0; i < 300; ++i) {
        model.setPadInfo(i % 48, "padData", i % 128);
        model.setPadInfo(i % 48, "padData", i % 128);   // the same value again is no step
        images << imageBytes(model);
    }
    int undone = 0;
    while (model.canUndo()) {
        model.undo();
        ++undone;
        QCOMPARE(imageBytes(model), images.at(images.size() - 1 - undone));
    }
    QVERIFY(undone >= 200);
    QCOMPARE(undone, EditHistory::MaxSteps);
    model.redo();
    QCOMPARE(imageBytes(model), images.at(images.size() - undone));
    // A new edit leaves nothing to redo.
    model.setPadInfo(0, "padCh", 9);
    QVERIFY(!model.canRedo());
}

void tst_DataManagement::everyStoredFieldStaysInItsRange_data()
{
    QTest::addColumn<int>("value");
    QTest::newRow("128") << 128;
    QTest::newRow("255") << 255;
    QTest::newRow("256") << 256;
    QTest::newRow("-1") << -1;
    QTest::newRow("int max") << std::numeric_limits<int>::max();
    QTest::newRow("int min") << std::numeric_limits<int>::min();
}

void tst_DataManagement::everyStoredFieldStaysInItsRange()
{
    QFETCH(int, value);
    DataManagement model;
    model.initDefaultData();
    const QStringList padKeys{"padtype", "padData", "padCh", "padMode"};
    const QStringList bqmKeys{"bqmType", "bqmData", "bqmCh", "bqmLsbMin", "bqmLsbMax", "bqmMsbMin", "bqmMsbMax"};
    const QStringList beltKeys{"wbtype", "wbData", "wbCh", "wbMode"};
    for (const QString &key : padKeys) {
        model.setPadInfo(5, key, value);
        model.setPadBatch(2, "cc", false, key, value);
        model.setPadBatch(3, "cc", true, key, value);
    }
    for (const QString &key : bqmKeys) {
        model.setBQMInfo(1, key, value);
        model.setBQMBatch(3, "pitch", key, value);
    }
    for (const QString &key : beltKeys)
        model.setWalkingBeltInfo(2, key, value);
    model.setCurveInten("curve", value);
    model.setCurveInten("intensity", value);
    model.setLum(1, float(value));

    // Whatever the screens pass, the editor makes no configuration it could not open again.
    const QByteArray image = imageBytes(model);
    QCOMPARE(ControllerProtocol::findMessageDefect(image.constData(), image.size()), -1);
    QCOMPARE(model.unknownFields(), QStringList());
    QCOMPARE(model.getPadInfo(5).value("padData").toInt(), qBound(0, value, 127));
    QCOMPARE(model.getBQMInfo(1).value("bqmCh").toInt(), qBound(1, value, 16));
    QCOMPARE(int(quint8(image.at(11))), qBound(0, value, 3));
}

void tst_DataManagement::unknownFieldsAreKeptAndListed_data()
{
    QTest::addColumn<QList<int>>("offsets");
    QTest::addColumn<QList<int>>("values");
    QTest::addColumn<QStringList>("listed");
    QTest::newRow("known") << QList<int>{13 + 2, 11} << QList<int>{16, 3} << QStringList();
    QTest::newRow("pad type, channel, mode") << QList<int>{13, 13 + 2, 13 + 3} << QList<int>{99, 0, 50}
        << QStringList{"pad A1 type is 99 (known: 0..2)", "pad A1 channel is 0 (known: 1..16)", "pad A1 mode is 50 (known: 0..1)"};
    QTest::newRow("curve") << QList<int>{11} << QList<int>{4} << QStringList{"velocity curve is 4 (known: 0..3)"};
    QTest::newRow("knob C4 type") << QList<int>{349 + 7 * 11} << QList<int>{3} << QStringList{"knob C4 type is 3 (known: 0..2)"};
    QTest::newRow("strip 6 mode") << QList<int>{433 + 4 * 5 + 3} << QList<int>{2} << QStringList{"strip section 6 mode is 2 (known: 0..1)"};
}

// A configuration from the controller (a newer firmware may know more types) is kept as it came,
// and the fields the editor does not know are named; an edit of one of them brings it into range.
void tst_DataManagement::unknownFieldsAreKeptAndListed()
{
    QFETCH(QList<int>, offsets);
    QFETCH(QList<int>, values);
    QFETCH(QStringList, listed);
    DataManagement model;
    model.initDefaultData();
    QByteArray received = imageBytes(model);
    for (int i = 0; i < offsets.size(); ++i)
        received[offsets.at(i)] = char(values.at(i));
    model.loadConfigImage(received.constData(), received.size());
    QCOMPARE(imageBytes(model), received);
    QCOMPARE(model.unknownFields(), listed);
    if (offsets.first() == 13)
        QCOMPARE(model.getPadInfo(0).value("padtype").toInt(), 99);

    model.setPadInfo(0, "padtype", 1);
    model.setPadInfo(0, "padCh", 3);
    model.setPadInfo(0, "padMode", 1);
    model.setCurveInten("curve", 2);
    model.setBQMInfo(11, "bqmType", 2);
    model.setWalkingBeltInfo(5, "wbMode", 0);
    QCOMPARE(model.unknownFields(), QStringList());
}

QTEST_GUILESS_MAIN(tst_DataManagement)
#include "tst_datamanagement.moc"
