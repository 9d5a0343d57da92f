// The MIDI monitor from the outside: what the virtual controller plays and what the editor sends
// it, through a real connection, as the lines a person reads; the bound of kept lines, the
// filters, pause, copy, and export to files that are no regular files or lie on a full disk.
#include "device/midimonitor.h"

#include "device/deviceconnection.h"
#include "device/virtual/virtualtark9.h"

#include "nonregularfiles.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

using Kind = MidiMessageText::Kind;

VirtualTark9 &device() { return VirtualTark9::instance(); }

// A control change whose controller and value spell `n` (0..16383): every message of a run can
// be told from the others.
QByteArray numbered(int n)
{
    const char bytes[] = {char(0xB0), char(n >> 7 & 0x7F), char(n & 0x7F)};
    return QByteArray(bytes, sizeof bytes);
}

int numberAt(const MidiMonitor &monitor, int row)
{
    const MidiMessageText::Message &message = monitor.line(row).message;
    return message.number << 7 | message.value;
}

// "Note On, channel 1 | Note On C1 velocity 127 | Pad 1, bank A" for each row.
QStringList rowsSeen(const MidiMonitor &monitor)
{
    QStringList rows;
    for (int row = 0; row < monitor.rowCount(); ++row) {
        const QModelIndex index = monitor.index(row);
        rows << QStringLiteral("%1 | %2 | %3")
                    .arg(index.data(MidiMonitor::TypeTextRole).toString(), index.data(MidiMonitor::TextRole).toString(),
                         index.data(MidiMonitor::ControlsTextRole).toString());
    }
    return rows;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A connection as the editor keeps one: every message it receives is handed back to it.
struct Listener
{
    Listener()
    {
        QObject::connect(&connection, &DeviceConnection::messageReceived, &connection,
                         [this](const QByteArray &message) { connection.takeMessage(message.constData(), message.size()); });
        monitor.setConnection(&connection);
    }

    DeviceConnection connection;
    MidiMonitor monitor;
};

} // namespace

class tst_MidiMonitor : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void boundKeepsTheNewest_data();
    void boundKeepsTheNewest();
    void filtersChooseRowsAndKeepLines_data();
    void filtersChooseRowsAndKeepLines();
    void pauseLeavesMessagesOutAndCountsThem();
    void inputNoteOnceWhereTheInputIsExclusive();
    void exportText_data();
    void exportText();
    void exchangeWhileListening();
    void listensOnceTheControllerIsThere_data();
    void listensOnceTheControllerIsThere();
    void playedControlsAreNamed_data();
    void playedControlsAreNamed();

private:
    QTemporaryDir m_dir;
};

void tst_MidiMonitor::initTestCase()
{
    QVERIFY(m_dir.isValid());
    VirtualTark9::installAsBackend();
}

void tst_MidiMonitor::init()
{
    device().reset();
}

void tst_MidiMonitor::boundKeepsTheNewest_data()
{
    QTest::addColumn<int>("messages");
    QTest::addColumn<int>("batches");
    QTest::newRow("under the bound") << 9999 << 1;
    QTest::newRow("at the bound") << 10000 << 1;
    QTest::newRow("one over") << 10001 << 1;
    QTest::newRow("far over, in one batch") << 16000 << 1;
    QTest::newRow("far over, in batches") << 16000 << 7;
}

void tst_MidiMonitor::boundKeepsTheNewest()
{
    QFETCH(int, messages);
    QFETCH(int, batches);
    MidiMonitor monitor;
    QAbstractItemModelTester tester(&monitor, QAbstractItemModelTester::FailureReportingMode::QtTest);
    monitor.setActive(true);
    for (int n = 0; n < messages; ++n) {
        monitor.addMessage(MidiMonitor::FromController, numbered(n));
        if ((n + 1) % (messages / batches) == 0)
            monitor.flush();
    }
    monitor.flush();
    const int kept = std::min(messages, int(MidiMonitor::MaxLines));
    QCOMPARE(monitor.rowCount(), kept);
    QCOMPARE(monitor.keptCount(), kept);
    QCOMPARE(monitor.droppedCount(), messages - kept);
    for (int row = 0; row < kept; ++row) {
        if (numberAt(monitor, row) != messages - kept + row)
            QFAIL(qPrintable(QStringLiteral("row %1 holds message %2").arg(row).arg(numberAt(monitor, row))));
    }
}

void tst_MidiMonitor::filtersChooseRowsAndKeepLines_data()
{
    QTest::addColumn<bool>("fromController");
    QTest::addColumn<bool>("toController");
    QTest::addColumn<QList<int>>("hiddenKinds");
    QTest::addColumn<QStringList>("shown");   // the rows' hex
    QTest::newRow("all") << true << true << QList<int>() << QStringList{"90 18 64", "F0 02 F7", "B0 07 40", "80 18 00", "E0 00 50"};
    QTest::newRow("from the controller") << true << false << QList<int>() << QStringList{"90 18 64", "B0 07 40", "80 18 00", "E0 00 50"};
    QTest::newRow("to the controller") << false << true << QList<int>() << QStringList{"F0 02 F7"};
    QTest::newRow("neither direction") << false << false << QList<int>() << QStringList();
    QTest::newRow("no notes") << true << true << QList<int>{int(Kind::NoteOn), int(Kind::NoteOff)}
                              << QStringList{"F0 02 F7", "B0 07 40", "E0 00 50"};
    QTest::newRow("no SysEx, from the controller")
        << true << false << QList<int>{int(Kind::SysEx)} << QStringList{"90 18 64", "B0 07 40", "80 18 00", "E0 00 50"};
    QTest::newRow("control changes only")
        << true << true
        << QList<int>{int(Kind::NoteOn), int(Kind::NoteOff), int(Kind::PolyPressure), int(Kind::ProgramChange), int(Kind::ChannelPressure),
                      int(Kind::PitchBend), int(Kind::SysEx), int(Kind::SystemCommon), int(Kind::SystemRealtime), int(Kind::Unknown)}
        << QStringList{"B0 07 40"};
}

void tst_MidiMonitor::filtersChooseRowsAndKeepLines()
{
    QFETCH(bool, fromController);
    QFETCH(bool, toController);
    QFETCH(QList<int>, hiddenKinds);
    QFETCH(QStringList, shown);
    MidiMonitor monitor;
    QAbstractItemModelTester tester(&monitor, QAbstractItemModelTester::FailureReportingMode::QtTest);
    monitor.setActive(true);
    const auto add = [&monitor](MidiMonitor::Direction direction, const char *hex) {
        monitor.addMessage(direction, QByteArray::fromHex(hex));
    };
    add(MidiMonitor::FromController, "901864");
    add(MidiMonitor::ToController, "F002F7");
    monitor.flush();
    // Set between two batches: the later batch meets the filters too.
    monitor.setShowFromController(fromController);
    monitor.setShowToController(toController);
    for (int kind : hiddenKinds)
        monitor.setKindShown(kind, false);
    add(MidiMonitor::FromController, "B00740");
    add(MidiMonitor::FromController, "801800");
    add(MidiMonitor::FromController, "E00050");
    monitor.flush();
    QStringList rows;
    for (int row = 0; row < monitor.rowCount(); ++row)
        rows << monitor.index(row).data(MidiMonitor::HexRole).toString();
    QCOMPARE(rows, shown);
    QCOMPARE(monitor.property("count").toInt(), shown.size());
    QCOMPARE(monitor.keptCount(), 5);

    // Lifting the filters brings every line back, in order.
    monitor.setShowFromController(true);
    monitor.setShowToController(true);
    monitor.setKindFilter(-1);
    QCOMPARE(monitor.rowCount(), 5);
    QCOMPARE(monitor.index(4).data(MidiMonitor::HexRole).toString(), QStringLiteral("E0 00 50"));

    QSignalSpy dropped(&monitor, &MidiMonitor::droppedCountChanged);
    monitor.clear();
    QCOMPARE(monitor.rowCount(), 0);
    QCOMPARE(monitor.keptCount(), 0);
    add(MidiMonitor::FromController, "B00740");
    monitor.flush();
    QCOMPARE(monitor.rowCount(), 1);
    // The times count from the clear.
    QVERIFY(monitor.index(0).data(MidiMonitor::TimeRole).toLongLong() < 1000);
}

void tst_MidiMonitor::pauseLeavesMessagesOutAndCountsThem()
{
    MidiMonitor monitor;
    // An inactive monitor takes nothing.
    monitor.addMessage(MidiMonitor::FromController, numbered(1));
    monitor.flush();
    QCOMPARE(monitor.keptCount(), 0);

    monitor.setActive(true);
    for (int n = 0; n < 3; ++n)
        monitor.addMessage(MidiMonitor::FromController, numbered(n));
    monitor.setPaused(true);
    for (int n = 3; n < 8; ++n)
        monitor.addMessage(MidiMonitor::FromController, numbered(n));
    monitor.flush();
    QCOMPARE(monitor.rowCount(), 3);
    QCOMPARE(monitor.pausedCount(), 5);
    monitor.setPaused(false);
    monitor.addMessage(MidiMonitor::FromController, numbered(8));
    monitor.flush();
    QCOMPARE(monitor.rowCount(), 4);
    QCOMPARE(numberAt(monitor, 3), 8);
    QCOMPARE(monitor.pausedCount(), 5);
    // A new pause counts from nought.
    monitor.setPaused(true);
    QCOMPARE(monitor.pausedCount(), 0);
}

void tst_MidiMonitor::inputNoteOnceWhereTheInputIsExclusive()
{
    MidiMonitor monitor;
    monitor.setActive(true);
    QVERIFY(monitor.inputNote().isEmpty());
    monitor.setInputExclusive(true);
    QVERIFY(monitor.inputNote().contains("receive nothing from the controller"));
    monitor.dismissInputNote();
    QVERIFY(monitor.inputNote().isEmpty());
    monitor.setActive(false);
    monitor.setActive(true);
    QVERIFY(monitor.inputNote().isEmpty());
}

void tst_MidiMonitor::exportText_data()
{
    QTest::addColumn<QString>("target");     // what is there beforehand (makeNode), or "missing"
    QTest::addColumn<QString>("said");       // part of the sentence; empty when it is written
    QTest::newRow("new file") << "missing" << "";
    QTest::newRow("file replaced") << "preset" << "";
    QTest::newRow("link to a file") << "link to preset" << "";
    QTest::newRow("file URL") << "url" << "";
    QTest::newRow("FIFO") << "fifo" << "it is not a regular file";
    QTest::newRow("link to a FIFO") << "link to fifo" << "it is not a regular file";
    QTest::newRow("folder") << "folder" << "it is not a regular file";
    QTest::newRow("device") << "device" << "it is not a regular file";
    QTest::newRow("full disk") << "full" << "No space left on device";
}

void tst_MidiMonitor::exportText()
{
    QFETCH(QString, target);
    QFETCH(QString, said);
    MidiMonitor monitor;
    monitor.setActive(true);
    monitor.addMessage(MidiMonitor::ToController, QByteArray::fromHex("F00200000020 6FF7"));
    monitor.addMessage(MidiMonitor::FromController, QByteArray::fromHex("B01540"));
    monitor.flush();
    const QString expected = monitor.copyText({1, 0, 5});
    QCOMPARE(expected.count('\n'), 2);
    QVERIFY(expected.contains("SysEx configuration request"));

    const QByteArray before("kept as it was");
    QString path = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()).replace(' ', '-'));
    QString given = path;
    std::unique_ptr<FullDisk> disk;
    if (target == "full") {
        disk = std::make_unique<FullDisk>(path);
        if (!disk->isValid())
            QSKIP("a tmpfs cannot be mounted here (needs root)");
        path = disk->filePath("monitor.txt");
        QVERIFY(makeNode(path, "preset", before));
        QVERIFY(disk->fill());
        given = path;
    } else if (target == "url") {
        given = QUrl::fromLocalFile(path).toString();
    } else if (target != "missing") {
        QVERIFY(makeNode(path, target, before));
    }
    const QString kind = kindOf(path);

    const QString sentence = monitor.exportText(given);
    if (said.isEmpty()) {
        QVERIFY2(sentence.isEmpty(), qPrintable(sentence));
        QCOMPARE(QString::fromUtf8(readFile(path)), expected);
        QCOMPARE(kindOf(path), target.startsWith("link") ? QStringLiteral("link") : QStringLiteral("file"));
        return;
    }
    QVERIFY2(sentence.contains(path) && sentence.contains(said), qPrintable(sentence));
    QCOMPARE(kindOf(path), kind);
    if (kind == "file")
        QCOMPARE(readFile(path), before);
}

void tst_MidiMonitor::exchangeWhileListening()
{
    Listener listener;
    DeviceConnection &connection = listener.connection;
    MidiMonitor &monitor = listener.monitor;
    monitor.setConfiguration(device().configuration());
    monitor.setActive(true);
    QVERIFY(connection.isListening());
    QVERIFY(connection.isInputOpen());

    QSignalSpy received(&connection, &DeviceConnection::configurationReceived);
    QCOMPARE(connection.requestConfiguration(), DeviceConnection::Status::Ok);
    QVERIFY(received.wait());
    QTRY_COMPARE(monitor.rowCount(), 2);
    QCOMPARE(monitor.index(0).data(MidiMonitor::DirectionRole).toInt(), int(MidiMonitor::ToController));
    QVERIFY(monitor.index(0).data(MidiMonitor::TextRole).toString().startsWith("SysEx configuration request"));
    QCOMPARE(monitor.index(1).data(MidiMonitor::DirectionRole).toInt(), int(MidiMonitor::FromController));
    QCOMPARE(monitor.index(1).data(MidiMonitor::TextRole).toString(), QStringLiteral("SysEx configuration reply, 458 bytes"));
    QCOMPARE(received.first().first().toByteArray().size(), 458);
    // The exchange is over: the output is closed, the input stays open for the monitor.
    QVERIFY(!connection.isOpen());
    QVERIFY(connection.isInputOpen());

    device().playPad(0, 100);
    QTRY_COMPARE(monitor.rowCount(), 4);
    QCOMPARE(monitor.index(2).data(MidiMonitor::ControlsRole).toStringList(), QStringList{"Pad 1, bank A"});

    QCOMPARE(connection.sendConfiguration(device().configuration()), DeviceConnection::Status::Ok);
    QTRY_COMPARE(monitor.rowCount(), 5);
    QCOMPARE(monitor.index(4).data(MidiMonitor::TextRole).toString(), QStringLiteral("SysEx configuration write, 458 bytes"));
    QCOMPARE(monitor.index(4).data(MidiMonitor::DirectionRole).toInt(), int(MidiMonitor::ToController));

    monitor.setActive(false);
    QVERIFY(!connection.isListening());
    QCOMPARE(device().virtualMidiSystem().openInputCount(), 0);
}

void tst_MidiMonitor::listensOnceTheControllerIsThere_data()
{
    QTest::addColumn<int>("portDelayMs");   // how long after the plug-in its ports are listed
    QTest::newRow("ports listed with the plug-in") << 0;
    QTest::newRow("ports listed later") << 300;
}

void tst_MidiMonitor::listensOnceTheControllerIsThere()
{
    QFETCH(int, portDelayMs);
    Listener listener;
    device().unplug();
    listener.connection.setDevicePresent(false);
    QCOMPARE(listener.connection.holdInput(), DeviceConnection::Status::NotPresent);
    listener.monitor.setConfiguration(device().configuration());
    listener.monitor.setActive(true);
    device().setPortDelay(portDelayMs);
    device().plug();
    listener.connection.setDevicePresent(true);
    QTRY_VERIFY_WITH_TIMEOUT(listener.connection.isInputOpen(), 3 * DeviceConnection::ListenRetryMs);
    device().turnKnob(0, 127);
    QTRY_COMPARE(rowsSeen(listener.monitor), QStringList{"Control Change, channel 1 | Control Change 7 = 127 | Knob 1, bank A"});
    // The controller goes: the input closes, and no hold is left open once both are released.
    device().unplug();
    listener.connection.setDevicePresent(false);
    QVERIFY(!listener.connection.isInputOpen());
    listener.connection.releaseInput();
    QVERIFY(listener.connection.isListening());
    listener.monitor.setActive(false);
    QVERIFY(!listener.connection.isListening());
}

void tst_MidiMonitor::playedControlsAreNamed_data()
{
    QTest::addColumn<QString>("changes");   // "OFFSET=VALUE ..." in the configuration
    QTest::addColumn<QString>("unsent");    // the same, in the editor's configuration only
    QTest::addColumn<QString>("played");    // "pad|knob|strip INDEX VALUE; ..."
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("pad of bank A, full level") << "" << "" << "pad 0 100"
        << QStringList{"Note On, channel 1 | Note On C1 velocity 127 | Pad 1, bank A", "Note Off, channel 1 | Note Off C1 | Pad 1, bank A"};
    QTest::newRow("pad of bank B, linear curve, channel 10") << "11=2 127=10" << "" << "pad 16 90"
        << QStringList{"Note On, channel 10 | Note On E2 velocity 90 | Pad 1, bank B", "Note Off, channel 10 | Note Off E2 | Pad 1, bank B"};
    QTest::newRow("pad as a toggled controller") << "48=1 51=1" << "" << "pad 5 100; pad 5 100"
        << QStringList{"Control Change, channel 1 | Control Change 29 = 127 | Pad 6, bank A",
                       "Control Change, channel 1 | Control Change 29 = 0 | Pad 6, bank A"};
    QTest::newRow("pad of bank C as a program change") << "342=2" << "" << "pad 47 100"
        << QStringList{"Program Change, channel 1 | Program Change 71 | Pad 16, bank C"};
    QTest::newRow("knob of bank A") << "" << "" << "knob 0 64" << QStringList{"Control Change, channel 1 | Control Change 7 = 64 | Knob 1, bank A"};
    QTest::newRow("knob of bank B as channel pressure in its range") << "391=1 393=5 394=20 395=40" << "" << "knob 6 127; knob 6 0"
        << QStringList{"Channel Pressure, channel 5 | Channel Pressure 40 | Knob 3, bank B",
                       "Channel Pressure, channel 5 | Channel Pressure 20 | Knob 3, bank B"};
    QTest::newRow("knob of bank C as pitch bend") << "426=2" << "" << "knob 11 64"
        << QStringList{"Pitch Bend, channel 1 | Pitch Bend +64 | Knob 4, bank C"};
    QTest::newRow("strip section") << "" << "" << "strip 3 100"
        << QStringList{"Control Change, channel 1 | Control Change 24 = 100 | Strip section 4",
                       "Control Change, channel 1 | Control Change 24 = 0 | Strip section 4"};
    QTest::newRow("strip section in toggle mode") << "448=1" << "" << "strip 3 90; strip 3 90"
        << QStringList{"Control Change, channel 1 | Control Change 24 = 90 | Strip section 4",
                       "Control Change, channel 1 | Control Change 24 = 0 | Strip section 4"};
    QTest::newRow("a knob and a strip section send the same") << "434=7" << "" << "knob 0 10"
        << QStringList{"Control Change, channel 1 | Control Change 7 = 10 | Knob 1, bank A; Strip section 1"};
    QTest::newRow("the editor's configuration not sent yet") << "" << "350=99" << "knob 0 10"
        << QStringList{"Control Change, channel 1 | Control Change 7 = 10 | "};
    QTest::newRow("strip section in MC plays nothing") << "433=1" << "" << "strip 0 50; knob 1 5"
        << QStringList{"Control Change, channel 1 | Control Change 1 = 5 | Knob 2, bank A"};
}

void tst_MidiMonitor::playedControlsAreNamed()
{
    QFETCH(QString, changes);
    QFETCH(QString, unsent);
    QFETCH(QString, played);
    QFETCH(QStringList, rows);
    const auto changed = [](QByteArray image, const QString &changes) {
        for (const QString &change : changes.split(' ', Qt::SkipEmptyParts))
            image[change.section('=', 0, 0).toInt()] = char(change.section('=', 1).toInt());
        return image;
    };
    const QByteArray image = changed(device().configuration(), changes);
    device().setConfiguration(image);
    Listener listener;
    listener.monitor.setConfiguration(changed(image, unsent));
    listener.monitor.setActive(true);
    for (const QString &move : played.split(';')) {
        const QStringList words = move.simplified().split(' ');
        const int index = words.at(1).toInt();
        const int value = words.at(2).toInt();
        if (words.at(0) == "pad")
            device().playPad(index, value);
        else if (words.at(0) == "knob")
            device().turnKnob(index, value);
        else
            device().touchStrip(index, value);
        device().waitIdle();
    }
    QTRY_COMPARE(rowsSeen(listener.monitor), rows);
}

QTEST_GUILESS_MAIN(tst_MidiMonitor)
#include "tst_midimonitor.moc"
