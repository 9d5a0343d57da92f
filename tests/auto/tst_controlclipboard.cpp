// Copy and paste of controls and banks from the outside: the clipboard's text against what
// tark9ctl show --json writes, pastes across banks and their undo, and every paste that must be
// refused (another kind of control, text that is no control's settings) leaving the
// configuration as it was.
#include "app/controlclipboard.h"

#include "config/configlayout.h"
#include "config/datamanagement.h"
#include "config/presetfile.h"
#include "toolrun.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Layout = ConfigLayout;
using Record = ConfigLayout::Record;

Record recordOf(const QString &kind)
{
    Record record = Record::Pad;
    ControlClipboard::recordOf(kind, &record);
    return record;
}

} // namespace

class tst_ControlClipboard : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void copiedTextIsWhatTheToolShows_data();
    void copiedTextIsWhatTheToolShows();
    void pasteAcrossBanksIsOneUndoStep_data();
    void pasteAcrossBanksIsOneUndoStep();
    void settingsWrittenByHandPaste();
    void pasteIsRefused_data();
    void pasteIsRefused();
    void copyBank_data();
    void copyBank();

private:
    QByteArray image() const;
    QByteArray recordBytes(Record record, int index) const;
    // Gives record `index` values unlike the factory's and other indices', within every field's
    // range.
    void makeDistinct(Record record, int index);

    DataManagement m_model;
    ControlClipboard m_clipboard{&m_model};
};

QByteArray tst_ControlClipboard::image() const
{
    const auto &bytes = m_model.configImage();
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), int(bytes.size()));
}

QByteArray tst_ControlClipboard::recordBytes(Record record, int index) const
{
    return image().mid(Layout::recordOffset(record, index), Layout::recordSize(record));
}

void tst_ControlClipboard::makeDistinct(Record record, int index)
{
    const QVector<Layout::Field> &fields = Layout::fields(record);
    QByteArray bytes;
    for (int byte = 0; byte < fields.size(); ++byte) {
        const Layout::Field &field = fields.at(byte);
        bytes += char(field.maximum - (index * 7 + byte * 3) % (field.maximum - field.minimum + 1) / 2);
    }
    m_model.setRecords(record, index, bytes);
}

void tst_ControlClipboard::init()
{
    m_model.initDefaultData();
    m_model.clearHistory();
    QGuiApplication::clipboard()->clear();
}

void tst_ControlClipboard::copiedTextIsWhatTheToolShows_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("index");
    QTest::newRow("pad 5 of bank B") << "pad" << 20;
    QTest::newRow("knob 4 of bank B") << "knob" << 7;
    QTest::newRow("strip section 5") << "strip" << 4;
}

// The clipboard holds the control as a line of tark9ctl show --json: settings move between the
// editor and scripts unchanged.
void tst_ControlClipboard::copiedTextIsWhatTheToolShows()
{
    QFETCH(QString, kind);
    QFETCH(int, index);
    makeDistinct(recordOf(kind), index);
    QSignalSpy reports(&m_clipboard, &ControlClipboard::reported);
    QVERIFY(m_clipboard.copy(kind, index));
    QCOMPARE(reports.count(), 1);
    const QString copied = QGuiApplication::clipboard()->text();
    QVERIFY2(copied.startsWith('{') && copied.endsWith('}'), qPrintable(copied));

    QTemporaryDir dir;
    QString error;
    QVERIFY2(PresetFile::write(dir.filePath("edited.stm"), image(), &error), qPrintable(error));
    const ToolRun shown = runTool({"show", "--json", dir.filePath("edited.stm")});
    QCOMPARE(shown.exitCode, 0);
    QStringList lines = shown.out.split('\n');
    for (QString &line : lines)
        line = line.trimmed().remove(QRegularExpression(",$"));
    QVERIFY2(lines.contains(copied), qPrintable(copied));
    // Only the copied control shows these values.
    QCOMPARE(lines.count(copied), 1);
}

void tst_ControlClipboard::pasteAcrossBanksIsOneUndoStep_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::newRow("pad of bank A onto a pad of bank C") << "pad" << 2 << 45;
    QTest::newRow("pad of bank C onto a pad of bank B") << "pad" << 47 << 16;
    QTest::newRow("knob of bank A onto a knob of bank C") << "knob" << 1 << 10;
    QTest::newRow("knob onto a knob of its own bank") << "knob" << 5 << 6;
    QTest::newRow("strip section onto another") << "strip" << 0 << 5;
}

void tst_ControlClipboard::pasteAcrossBanksIsOneUndoStep()
{
    QFETCH(QString, kind);
    QFETCH(int, from);
    QFETCH(int, to);
    const Record record = recordOf(kind);
    makeDistinct(record, from);
    m_model.clearHistory();
    const QByteArray before = image();
    QVERIFY(m_clipboard.copy(kind, from));
    QCOMPARE(image(), before);

    QSignalSpy reports(&m_clipboard, &ControlClipboard::reported);
    QCOMPARE(m_clipboard.paste(kind, to), QString());
    QCOMPARE(reports.count(), 1);
    QCOMPARE(recordBytes(record, to), recordBytes(record, from));
    // Nothing else changed.
    QByteArray expected = before;
    expected.replace(Layout::recordOffset(record, to), Layout::recordSize(record), recordBytes(record, from));
    QCOMPARE(image(), expected);
    if (record == Record::Pad) {
        // The colour the pad shows is the copied one too.
        QCOMPARE(m_model.getPadInfo(to), m_model.getPadInfo(from));
    }

    // One undo step takes the whole paste back, and one redo does it again.
    QVERIFY(m_model.canUndo());
    m_model.undo();
    QCOMPARE(image(), before);
    QVERIFY(!m_model.canUndo());
    m_model.redo();
    QCOMPARE(image(), expected);
}

void tst_ControlClipboard::settingsWrittenByHandPaste()
{
    // Another order, spread over lines, as a script or a text editor may write it.
    QGuiApplication::clipboard()->setText(QStringLiteral("{\n  \"channel\": 10,\n  \"number\": 36,\n  \"type\": 1,\n"
                                                         "  \"blue\": 127, \"green\": 0, \"red\": 64, \"mode\": 1\n}\n"));
    QCOMPARE(m_clipboard.paste("pad", 30), QString());
    const QVariantMap pad = m_model.getPadInfo(30);
    QCOMPARE(pad.value("padtype").toInt(), 1);
    QCOMPARE(pad.value("padData").toInt(), 36);
    QCOMPARE(pad.value("padCh").toInt(), 10);
    QCOMPARE(pad.value("padMode").toInt(), 1);
    QCOMPARE(QList<int>({pad.value("padR").toInt(), pad.value("padG").toInt(), pad.value("padB").toInt()}), QList<int>({64, 0, 127}));
}

void tst_ControlClipboard::pasteIsRefused_data()
{
    QTest::addColumn<QString>("copyKind");   // copied from the editor, or "" for `text`
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("reason");     // part of what the user is told
    const QString pad = QStringLiteral("\"type\": 0, \"number\": 40, \"channel\": 2, \"mode\": 0, \"red\": 1, \"green\": 2");
    QTest::newRow("knob onto a pad") << "knob" << QString() << "pad" << 5 << "a knob's settings, which fit a knob only, not a pad";
    QTest::newRow("pad onto a strip section") << "pad" << QString() << "strip" << 2
                                              << "a pad's settings, which fit a pad only, not a strip section";
    QTest::newRow("strip section onto a knob") << "strip" << QString() << "knob" << 11
                                               << "a strip section's settings, which fit a strip section only, not a knob";
    QTest::newRow("no editor chosen") << "pad" << QString() << "" << -1 << "Click the editor";
    QTest::newRow("pad that is not there") << "pad" << QString() << "pad" << 48 << "Click the editor";
    QTest::newRow("empty clipboard") << "" << "  \n" << "pad" << 0 << "no settings to paste";
    QTest::newRow("words") << "" << "Pad 1, bank A" << "pad" << 0 << "it is not JSON";
    QTest::newRow("a whole preset") << "" << "{\"format\": \"kovela-tark9-preset\", \"formatVersion\": 1}" << "pad" << 0
                                    << "it names no setting of a pad, a knob or a strip section";
    QTest::newRow("an array") << "" << "[1, 2, 3]" << "pad" << 0 << "the control must be an object";
    QTest::newRow("a field missing") << "" << "{" + pad + "}" << "pad" << 0 << "the control has no \"blue\"";
    QTest::newRow("a field twice") << "" << "{" + pad + ", \"blue\": 3, \"red\": 9}" << "pad" << 0 << "the control has the key \"red\" twice";
    QTest::newRow("an unknown field") << "" << "{" + pad + ", \"blue\": 3, \"colour\": 9}" << "pad" << 0
                                      << "the control has an unknown key \"colour\"";
    QTest::newRow("channel 0") << "" << "{" + QString(pad).replace("\"channel\": 2", "\"channel\": 0") + ", \"blue\": 3}" << "pad" << 0
                               << "channel is 0, outside 1..16";
    QTest::newRow("a fraction") << "" << "{" + QString(pad).replace("40", "40.5") + ", \"blue\": 3}" << "pad" << 0
                                << "number must be a whole number";
    QTest::newRow("a strip section's settings with a pad's field") << "" << "{\"type\": 0, \"number\": 1, \"channel\": 1, \"mode\": 0, \"red\": 5}"
                                                                   << "strip" << 0 << "the control has no \"green\"";
}

void tst_ControlClipboard::pasteIsRefused()
{
    QFETCH(QString, copyKind);
    QFETCH(QString, text);
    QFETCH(QString, kind);
    QFETCH(int, index);
    QFETCH(QString, reason);
    if (copyKind.isEmpty())
        QGuiApplication::clipboard()->setText(text);
    else
        QVERIFY(m_clipboard.copy(copyKind, 0));
    const QByteArray before = image();
    QSignalSpy reports(&m_clipboard, &ControlClipboard::reported);
    const QString refusal = m_clipboard.paste(kind, index);
    QVERIFY2(refusal.contains(reason), qPrintable(refusal));
    QCOMPARE(reports.count(), 1);
    QCOMPARE(reports.first().first().toString(), refusal);
    QCOMPARE(image(), before);
    QVERIFY(!m_model.canUndo());
}

void tst_ControlClipboard::copyBank_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("pads of A onto C") << "pad" << 0 << 2 << QString();
    QTest::newRow("pads of C onto B") << "pad" << 2 << 1 << QString();
    QTest::newRow("knobs of B onto A") << "knob" << 1 << 0 << QString();
    QTest::newRow("onto the same bank") << "pad" << 1 << 1 << "two different banks";
    QTest::newRow("a bank that is not there") << "knob" << 0 << 3 << "two different banks";
    QTest::newRow("the strip") << "strip" << 0 << 1 << "Only pads and knobs come in banks";
}

void tst_ControlClipboard::copyBank()
{
    QFETCH(QString, kind);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, refusal);
    const Record record = recordOf(kind);
    const int perBank = record == Record::Pad ? Layout::PadsPerBank : Layout::KnobsPerBank;
    // Each control of the source bank unlike the others.
    for (int k = 0; k < perBank && record != Record::Strip; ++k)
        makeDistinct(record, from * perBank + k);
    m_model.clearHistory();
    const QByteArray before = image();
    const QString told = m_clipboard.copyBank(kind, from, to);
    if (!refusal.isEmpty()) {
        QVERIFY2(told.contains(refusal), qPrintable(told));
        QCOMPARE(image(), before);
        QVERIFY(!m_model.canUndo());
        return;
    }
    QCOMPARE(told, QString());
    const int size = Layout::recordSize(record);
    const QByteArray sourceBank = before.mid(Layout::recordOffset(record, from * perBank), perBank * size);
    QByteArray expected = before;
    expected.replace(Layout::recordOffset(record, to * perBank), perBank * size, sourceBank);
    QCOMPARE(image(), expected);
    m_model.undo();
    QCOMPARE(image(), before);
    QVERIFY(!m_model.canUndo());
}

QTEST_MAIN(tst_ControlClipboard)
#include "tst_controlclipboard.moc"
