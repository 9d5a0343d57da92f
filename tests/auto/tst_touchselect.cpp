// Touch select from the outside: the virtual controller played through a real connection, and
// the controls reported for each bank, for controls that share a message and for messages no
// control sends; the controller's input held open only while touch select is on.
#include "app/touchselect.h"

#include "config/configlayout.h"
#include "config/datamanagement.h"
#include "device/deviceconnection.h"
#include "device/virtual/virtualtark9.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

using Layout = ConfigLayout;
using Record = ConfigLayout::Record;

VirtualTark9 &device() { return VirtualTark9::instance(); }

// "pad 20 bank 1" for each control reported.
QStringList controlsOf(const QVariantList &controls)
{
    QStringList names;
    for (const QVariant &control : controls) {
        const QVariantMap map = control.toMap();
        names << QStringLiteral("%1 %2 bank %3").arg(map.value("kind").toString()).arg(map.value("index").toInt()).arg(map.value("bank").toInt());
    }
    return names;
}

// Sets field `key` of record `index` in `image`.
void setField(QByteArray &image, Record record, int index, const char *key, int value)
{
    const QVector<Layout::Field> &fields = Layout::fields(record);
    for (int byte = 0; byte < fields.size(); ++byte) {
        if (qstrcmp(fields.at(byte).key, key) == 0)
            image[Layout::recordOffset(record, index) + byte] = char(value);
    }
}

// Plays "pad 20 100", "knob 9 64" or "strip 3 90" on the virtual controller.
void play(const QString &move)
{
    const QStringList words = move.split(' ');
    const int index = words.at(1).toInt();
    const int value = words.at(2).toInt();
    if (words.at(0) == QLatin1String("pad"))
        device().playPad(index, value);
    else if (words.at(0) == QLatin1String("knob"))
        device().turnKnob(index, value);
    else
        device().touchStrip(index, value);
    device().waitIdle();
}

// The editor's side: its configuration, a connection that hands every reply back to itself as
// the controller session does, and touch select on both.
struct Editor
{
    explicit Editor(const QByteArray &image)
    {
        model.loadConfigImage(image.constData(), image.size());
        QObject::connect(&connection, &DeviceConnection::messageReceived, &connection,
                         [this](const QByteArray &message) { connection.takeMessage(message.constData(), message.size()); });
        touchSelect.setConnection(&connection);
    }

    DataManagement model;
    DeviceConnection connection;
    TouchSelect touchSelect{&model};
};

} // namespace

class tst_TouchSelect : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void playedControlSelectsItsEditor_data();
    void playedControlSelectsItsEditor();
    void holdsTheInputOnlyWhileOn();
    void aBurstIsReportedOnceWithItsLatestControl();

private:
    QByteArray m_image;   // the controller's configuration, which the editor holds too
};

void tst_TouchSelect::initTestCase()
{
    VirtualTark9::installAsBackend();
}

void tst_TouchSelect::init()
{
    device().reset();
    m_image = device().configuration();
    QCOMPARE(m_image.size(), Layout::ImageSize);
}

void tst_TouchSelect::playedControlSelectsItsEditor_data()
{
    QTest::addColumn<QString>("changes");   // "pad 5 number 60; ..." in both configurations
    QTest::addColumn<QString>("move");
    QTest::addColumn<QStringList>("touched");
    QTest::newRow("pad of bank A") << QString() << "pad 0 100" << QStringList{"pad 0 bank 0"};
    QTest::newRow("pad of bank B") << QString() << "pad 20 100" << QStringList{"pad 20 bank 1"};
    QTest::newRow("last pad of bank C") << QString() << "pad 47 90" << QStringList{"pad 47 bank 2"};
    QTest::newRow("pad set to CC") << "pad 33 type 1; pad 33 number 90" << "pad 33 64" << QStringList{"pad 33 bank 2"};
    QTest::newRow("pad set to PC") << "pad 17 type 2; pad 17 number 5" << "pad 17 64" << QStringList{"pad 17 bank 1"};
    QTest::newRow("knob of bank B") << QString() << "knob 5 64" << QStringList{"knob 5 bank 1"};
    QTest::newRow("knob of bank C, channel pressure") << "knob 9 type 1" << "knob 9 100" << QStringList{"knob 9 bank 2"};
    QTest::newRow("knob set to pitch bend") << "knob 2 type 2; knob 2 channel 5" << "knob 2 100" << QStringList{"knob 2 bank 0"};
    QTest::newRow("strip section") << QString() << "strip 3 90" << QStringList{"strip 3 bank -1"};
    // Two controls that send the same message are both its senders.
    QTest::newRow("a pad of A and a pad of C alike") << "pad 40 number 24" << "pad 0 100" << QStringList{"pad 0 bank 0", "pad 40 bank 2"};
    QTest::newRow("a pad and a knob alike") << "pad 3 type 1; pad 3 number 7" << "knob 0 64" << QStringList{"pad 3 bank 0", "knob 0 bank 0"};
    // A message that no control of the editor's configuration sends selects nothing.
    QTest::newRow("played on another channel than the editor's") << "editor pad 6 channel 9" << "pad 6 100" << QStringList();
    QTest::newRow("strip section set to MC") << "strip 2 type 1" << "strip 2 90" << QStringList();
}

void tst_TouchSelect::playedControlSelectsItsEditor()
{
    QFETCH(QString, changes);
    QFETCH(QString, move);
    QFETCH(QStringList, touched);
    QByteArray controller = m_image;
    QByteArray editorImage = m_image;
    for (const QString &change : changes.split(';', Qt::SkipEmptyParts)) {
        QStringList words = change.simplified().split(' ');
        const bool editorOnly = words.first() == QLatin1String("editor");
        if (editorOnly)
            words.removeFirst();
        const Record record = words.at(0) == QLatin1String("pad") ? Record::Pad : words.at(0) == QLatin1String("knob") ? Record::Knob : Record::Strip;
        const QByteArray key = words.at(2).toLatin1();
        setField(editorImage, record, words.at(1).toInt(), key.constData(), words.at(3).toInt());
        if (!editorOnly)
            setField(controller, record, words.at(1).toInt(), key.constData(), words.at(3).toInt());
    }
    device().setConfiguration(controller);
    Editor editor(editorImage);
    QSignalSpy reports(&editor.touchSelect, &TouchSelect::touched);
    editor.touchSelect.setEnabled(true);
    QTRY_VERIFY(editor.connection.isInputOpen());
    play(move);
    if (touched.isEmpty()) {
        // Longer than a report takes to come.
        QTest::qWait(4 * TouchSelect::SettleMs);
        QCOMPARE(reports.count(), 0);
        return;
    }
    QTRY_COMPARE(reports.count(), 1);
    QCOMPARE(controlsOf(reports.first().first().toList()), touched);
    // The pad let go (a note off, or its controller back to 0) moves nothing more.
    QTest::qWait(VirtualTark9::PadHoldMs + 4 * TouchSelect::SettleMs);
    QVERIFY(reports.count() <= 2);
    QCOMPARE(controlsOf(reports.last().first().toList()), touched);
}

void tst_TouchSelect::holdsTheInputOnlyWhileOn()
{
    Editor editor(m_image);
    QSignalSpy reports(&editor.touchSelect, &TouchSelect::touched);
    QSignalSpy switched(&editor.touchSelect, &TouchSelect::enabledChanged);
    QVERIFY(!editor.connection.isListening());
    play(QStringLiteral("pad 1 100"));
    QTest::qWait(4 * TouchSelect::SettleMs);
    QCOMPARE(reports.count(), 0);

    editor.touchSelect.setEnabled(true);
    QVERIFY(editor.connection.isListening());
    QTRY_VERIFY(editor.connection.isInputOpen());
    play(QStringLiteral("pad 1 100"));
    QTRY_COMPARE(reports.count(), 1);

    editor.touchSelect.setEnabled(false);
    QVERIFY(!editor.connection.isListening());
    QVERIFY(!editor.connection.isInputOpen());
    QCOMPARE(switched.count(), 2);
    QVERIFY(device().virtualMidiSystem().openInputCount() == 0);
    // Messages that were on their way are not reported either.
    reports.clear();
    editor.touchSelect.takeMessage(QByteArray::fromHex("901964"));
    QTest::qWait(4 * TouchSelect::SettleMs);
    QCOMPARE(reports.count(), 0);
}

void tst_TouchSelect::aBurstIsReportedOnceWithItsLatestControl()
{
    Editor editor(m_image);
    QSignalSpy reports(&editor.touchSelect, &TouchSelect::touched);
    editor.touchSelect.setEnabled(true);
    // Knob 1 swept, then knob 2 turned, all within one settling time.
    for (int position = 0; position < 128; position += 8)
        editor.touchSelect.takeMessage(QByteArray::fromHex("B001") + char(position));
    editor.touchSelect.takeMessage(QByteArray::fromHex("B00240"));
    QTRY_COMPARE(reports.count(), 1);
    QCOMPARE(controlsOf(reports.first().first().toList()), QStringList{"knob 2 bank 0"});
    QTest::qWait(4 * TouchSelect::SettleMs);
    QCOMPARE(reports.count(), 1);

    // Bank C's first pad, bank B's first knob and the last strip section within one settling
    // time (a busy host takes them at once): the newest first, then the newest of each other kind.
    reports.clear();
    for (const char *message : {"903864", "B00E40", "B01A40"})
        editor.touchSelect.takeMessage(QByteArray::fromHex(message));
    QTRY_COMPARE(reports.count(), 1);
    QCOMPARE(controlsOf(reports.first().first().toList()), (QStringList{"strip 5 bank -1", "knob 4 bank 1", "pad 32 bank 2"}));
}

QTEST_MAIN(tst_TouchSelect)
#include "tst_touchselect.moc"
