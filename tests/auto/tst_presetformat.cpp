// Presets and their JSON as tark9ctl reads them, from the outside: field values outside their
// ranges, JSON numbers beyond any integer, keys given twice, and keys a terminal would obey.
#include "config/presetfile.h"
#include "toolrun.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

using Run = ToolRun;

Run run(const QStringList &arguments)
{
    return runTool(arguments);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// One error line, and nothing in it that a terminal would take as a command.
bool isOneCleanLine(const QByteArray &err)
{
    if (err.count('\n') != 1 || !err.endsWith('\n'))
        return false;
    for (int i = 0; i + 1 < err.size(); ++i) {
        const auto c = static_cast<unsigned char>(err.at(i));
        if (c < 0x20 || c == 0x7F)
            return false;
    }
    return true;
}

} // namespace

class tst_PresetFormat : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void outOfRangePresetsAreRefused_data();
    void outOfRangePresetsAreRefused();
    void forcedSendKeepsUnknownValues();
    void applyJsonRefuses_data();
    void applyJsonRefuses();

private:
    QTemporaryDir m_dir;
    QByteArray m_factory;   // the virtual controller's configuration
    QByteArray m_json;      // as show --json writes it
    QString path(const QString &name) const { return m_dir.filePath(name); }
};

void tst_PresetFormat::initTestCase()
{
    QVERIFY2(QFileInfo(toolPath()).isExecutable(), qPrintable(toolPath()));
    QVERIFY(m_dir.isValid());
    QCOMPARE(run({"--virtual", "get", path("factory.stm")}).exitCode, 0);
    m_factory = readFile(path("factory.stm")).mid(4);
    QCOMPARE(m_factory.size(), 458);
    const Run json = run({"show", "--json", path("factory.stm")});
    QCOMPARE(json.exitCode, 0);
    m_json = json.outBytes;
}

void tst_PresetFormat::outOfRangePresetsAreRefused_data()
{
    QTest::addColumn<QList<int>>("offsets");
    QTest::addColumn<QList<int>>("values");
    QTest::addColumn<QString>("named");   // the first field outside its range
    QTest::newRow("pad type 99, channel 0, mode 50") << QList<int>{13, 13 + 2, 13 + 3} << QList<int>{99, 0, 50} << "pad A1 type is 99";
    QTest::newRow("pad C16 channel 17") << QList<int>{13 + 7 * 47 + 2} << QList<int>{17} << "pad C16 channel is 17";
    QTest::newRow("velocity curve 4") << QList<int>{11} << QList<int>{4} << "velocity curve is 4";
    QTest::newRow("knob B1 type 3") << QList<int>{349 + 7 * 4} << QList<int>{3} << "knob B1 type is 3";
    QTest::newRow("strip section 2 type 2") << QList<int>{433 + 4} << QList<int>{2} << "strip section 2 type is 2";
}

// Opening (the editor and tark9ctl read through PresetFile), showing and sending refuse the
// preset and name its first field outside the range; so show --json never writes JSON that
// apply-json would refuse.
void tst_PresetFormat::outOfRangePresetsAreRefused()
{
    QFETCH(QList<int>, offsets);
    QFETCH(QList<int>, values);
    QFETCH(QString, named);
    QByteArray image = m_factory;
    for (int i = 0; i < offsets.size(); ++i)
        image[offsets.at(i)] = char(values.at(i));
    const QString preset = path("unknown.stm");
    QVERIFY(PresetFile::write(preset, image, nullptr));

    const PresetFile::ReadResult opened = PresetFile::read(preset);
    QVERIFY(opened.status != PresetFile::ReadStatus::Loaded);
    QVERIFY2(opened.error.contains(named), qPrintable(opened.error));

    for (const QStringList &arguments : {QStringList{"show", preset}, QStringList{"show", "--json", preset},
                                         QStringList{"--virtual", "send", "--verify", preset}}) {
        const Run refused = run(arguments);
        QCOMPARE(refused.exitCode, 6);
        QVERIFY2(refused.errBytes.contains(named.toUtf8()) && isOneCleanLine(refused.errBytes), refused.errBytes.constData());
        QVERIFY2(!refused.outBytes.contains("Sent") && !refused.outBytes.contains("Verified"), refused.outBytes.constData());
    }
}

// With --force the preset goes out as it is, each unknown field named, and the controller's
// configuration read back holds the same values.
void tst_PresetFormat::forcedSendKeepsUnknownValues()
{
    QByteArray image = m_factory;
    image[13] = 99;        // pad A1 type
    image[13 + 2] = 0;     // pad A1 channel
    const QString preset = path("forced.stm");
    QVERIFY(PresetFile::write(preset, image, nullptr));
    const Run sent = run({"--virtual", "send", "--force", "--verify", preset});
    QCOMPARE(sent.exitCode, 0);
    QVERIFY2(sent.errBytes.contains("pad A1 type is 99") && sent.errBytes.contains("pad A1 channel is 0"), sent.errBytes.constData());
    QVERIFY(sent.outBytes.contains("Verified"));
    QVERIFY(run({"send", "--help"}).outBytes.contains("--force"));
}

void tst_PresetFormat::applyJsonRefuses_data()
{
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("to");
    QTest::addColumn<QByteArray>("named");
    // Beyond every integer type: a range fault, and no conversion before the range is checked.
    QTest::newRow("2^63") << QByteArray("\"level\": 127") << QByteArray("\"level\": 9223372036854775808")
                          << QByteArray("level is 9223372036854775808, outside 0..127");
    QTest::newRow("9.3e18") << QByteArray("\"level\": 127") << QByteArray("\"level\": 9.3e18") << QByteArray("level is 9.3e18, outside 0..127");
    QTest::newRow("-9.3e18") << QByteArray("\"curve\": 0") << QByteArray("\"curve\": -9.3e18") << QByteArray("curve is -9.3e18, outside 0..3");
    QTest::newRow("1e400") << QByteArray("\"reserved\": 0") << QByteArray("\"reserved\": 1e400") << QByteArray("reserved is 1e400, outside 0..127");
    QTest::newRow("a fraction") << QByteArray("\"level\": 127") << QByteArray("\"level\": 12.5") << QByteArray("level must be a whole number");
    // A key given twice is refused, wherever it is.
    QTest::newRow("level twice") << QByteArray("\"level\": 127") << QByteArray("\"level\": 127, \"level\": 5")
                                 << QByteArray("the document has the key \"level\" twice");
    QTest::newRow("channel twice") << QByteArray("\"channel\": 1, \"mode\": 0, \"red\": 90")
                                   << QByteArray("\"channel\": 1, \"mode\": 0, \"channel\": 2, \"red\": 90")
                                   << QByteArray("pads.A[0] has the key \"channel\" twice");
    // An unknown key is quoted with its control characters escaped, and cut short.
    QTest::newRow("escape sequence") << QByteArray("\"level\": 127") << QByteArray("\"level\": 127, \"\\u001b[2J\\u001b]0;x\\u0007\": 1")
                                     << QByteArray("has an unknown key \"\\u001b[2J\\u001b]0;x\\u0007\"");
    QTest::newRow("direction override") << QByteArray("\"level\": 127") << QByteArray("\"level\": 127, \"a\xE2\x80\xAE" "b\": 1")
                                        << QByteArray("has an unknown key \"a\\u202eb\"");
    const QByteArray longKey(1000 * 1000, 'k');
    QTest::newRow("a key of a million characters") << QByteArray("\"level\": 127") << QByteArray("\"level\": 127, \"" + longKey + "\": 1")
                                                   << QByteArray("has an unknown key \"" + QByteArray(80, 'k') + "\"... (1000000 characters)");
}

void tst_PresetFormat::applyJsonRefuses()
{
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(QByteArray, named);
    QVERIFY(m_json.contains(from));
    QByteArray json = m_json;
    const int at = json.indexOf(from);
    json.replace(at, from.size(), to);
    QVERIFY(writeFile(path("refused.json"), json));
    QVERIFY(writeFile(path("kept.stm"), readFile(path("factory.stm"))));
    const Run applied = run({"apply-json", path("refused.json"), path("kept.stm")});
    QCOMPARE(applied.exitCode, 6);
    QVERIFY2(applied.errBytes.contains(named), applied.errBytes.left(400).constData());
    QVERIFY2(isOneCleanLine(applied.errBytes) && applied.errBytes.size() < 400, applied.errBytes.left(400).constData());
    QCOMPARE(readFile(path("kept.stm")), readFile(path("factory.stm")));
}

QTEST_GUILESS_MAIN(tst_PresetFormat)
#include "tst_presetformat.moc"
