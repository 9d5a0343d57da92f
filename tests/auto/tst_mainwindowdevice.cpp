// Connection handling and the configuration exchange, through the real controller and the
// virtual Tark9.
#include "devicelogcapture.h"
#include "promptrecorder.h"

#include "app/mainwindow.h"
#include "config/datamanagement.h"
#include "device/virtual/virtualtark9.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(VirtualMidiSystem::Port)

namespace {

// What reached the controller's s_midiIndata, by length (a spy cannot hold char pointers).
struct MidiInputRecord
{
    explicit MidiInputRecord(MainWindow *editor)
    {
        QObject::connect(editor, &MainWindow::s_midiIndata, editor, [this](char *, int length) { lengths << length; });
    }
    QList<int> lengths;
};


const QByteArray ReadRequest("\xF0\x02\x00\x00\x00\x20\x6F\xF7", 8);
const QByteArray SerialRequest("\xF0\x04\x00\x00\x00\x20\x6F\xF7", 8);

QByteArray imageOf(const DataManagement &model)
{
    const auto &image = model.configImage();
    return QByteArray(reinterpret_cast<const char *>(image.data()), static_cast<int>(image.size()));
}

QByteArray defaultImage()
{
    DataManagement model;
    model.initDefaultData();
    return imageOf(model);
}

VirtualTark9 &device() { return VirtualTark9::instance(); }
VirtualMidiSystem &ports() { return VirtualTark9::instance().virtualMidiSystem(); }

std::unique_ptr<MainWindow> startEditor()
{
    AppOptions options;
    options.virtualDevice = true;
    return std::make_unique<MainWindow>(options);
}

bool portsClosed() { return ports().openInputCount() == 0 && ports().openOutputCount() == 0; }

// The configurations the controller was sent, without the requests.
QList<QByteArray> writesReceived()
{
    QList<QByteArray> writes;
    const QList<QByteArray> received = device().receivedMessages();
    for (const QByteArray &message : received) {
        if (message.size() > 1 && message.at(1) == 0x01)
            writes << message;
    }
    return writes;
}

// The start-up exchange: the configuration read, and 2 s later the serial number. The
// configuration's reply closes the ports; the serial number's leaves them open.
constexpr int ExchangeWaitMs = 5000;

bool startUpReadDone(MainWindow &editor)
{
    QSignalSpy updates(editor.dataManagement(), &DataManagement::s_updateDate);
    return updates.wait(ExchangeWaitMs);
}

bool startUpExchangeDone(MainWindow &editor)
{
    QSignalSpy serial(&editor, &MainWindow::s_snNum);
    return serial.wait(ExchangeWaitMs);
}

// The start-up exchange is over and a read has closed the ports again: nothing is under way, and
// the next exchange looks its ports up afresh.
bool idleWithPortsClosed(MainWindow &editor)
{
    if (!startUpExchangeDone(editor))
        return false;
    QSignalSpy updates(editor.dataManagement(), &DataManagement::s_updateDate);
    editor.getData();
    return updates.wait(ExchangeWaitMs) && portsClosed();
}

} // namespace

class TestMainWindowDevice : public QObject
{
    Q_OBJECT
private slots:
    void init() { device().reset(); }
    void cleanup() { device().reset(); }

    void arrivalExchangesConfigurationThenAsksForTheSerialNumber()
    {
        DeviceLogCapture log;
        auto editor = startEditor();
        QSignalSpy serial(editor.get(), &MainWindow::s_snNum);
        QVERIFY(serial.wait(ExchangeWaitMs));
        // The read exchange came first and closed the ports before the serial-number request
        // opened them again.
        const QStringList expected = {"midiIn open sucess", "midiOutOpen sucess", "parseMidiData====",
                                      "midiIn close ", "midiOut close"};
        QStringList seen;
        for (const QString &line : log.lines()) {
            if (expected.contains(line))
                seen << line;
        }
        QCOMPARE(seen.mid(0, 5), expected);
        QCOMPARE(quint8(editor->dataManagement()->configImage()[1]), quint8(0x03));
        QCOMPARE(editor->dataManagement()->getVerInfo(), QVariantList({1, 0, 3}));
        QCOMPARE(serial.size(), 1);
        QCOMPARE(serial.first().first().toString(), QStringLiteral("KT9V240100001"));
        QCOMPARE(device().receivedMessages(), QList<QByteArray>({ReadRequest, SerialRequest}));
        QVERIFY(log.lines().contains("=== \"KT9V240100\""));
    }

    void sendDataWritesTheDefaultImage()
    {
        device().setMisbehaviour(VirtualTark9::Misbehaviour::NoReply);
        auto editor = startEditor();
        QSignalSpy hints(editor.get(), &MainWindow::showHint);
        device().clearReceivedMessages();
        editor->sendData();
        QCOMPARE(hints.size(), 1);
        QCOMPARE(hints.first(), QVariantList({true, true}));
        // A send closes the ports it opened before it returns.
        QVERIFY(portsClosed());
        device().waitIdle();
        const QList<QByteArray> received = writesReceived();
        QCOMPARE(received.size(), 1);
        const QByteArray message = received.first();
        QCOMPARE(message.size(), 458);
        QCOMPARE(message.left(11), QByteArray("\xF0\x01\x00\x00\x00\x20\x6F\x00\x01\x00\x00", 11));
        QCOMPARE(message.mid(13, 7), QByteArray("\x00\x18\x01\x00\x5A\x00\x00", 7));
        QCOMPARE(message.mid(453, 4), QByteArray("\x00\x1A\x01\x00", 4));
        QCOMPARE(quint8(message.at(457)), quint8(0xF7));
        QCOMPARE(message, defaultImage());
        QCOMPARE(device().configuration(), imageOf(*editor->dataManagement()));
    }

    void byteOneIsSentAsWriteAfterAReplyWithThree()
    {
        auto editor = startEditor();
        QVERIFY(startUpReadDone(*editor));
        QCOMPARE(quint8(editor->dataManagement()->configImage()[1]), quint8(0x03));
        editor->sendData();
        device().waitIdle();
        QByteArray expected = imageOf(*editor->dataManagement());
        expected[1] = 0x01;
        QCOMPARE(device().configuration(), expected);
        QCOMPARE(quint8(editor->dataManagement()->configImage()[1]), quint8(0x03));
    }

    void getDataSendsTheReadRequestAndReportsAtOnce()
    {
        auto editor = startEditor();
        QVERIFY(startUpExchangeDone(*editor));
        device().clearReceivedMessages();
        QSignalSpy hints(editor.get(), &MainWindow::showHint);
        MidiInputRecord data(editor.get());
        editor->getData();
        QCOMPARE(hints.size(), 1);
        QCOMPARE(hints.first(), QVariantList({false, true}));
        QCOMPARE(data.lengths.size(), 0);
        device().waitIdle();
        QCOMPARE(device().receivedMessages(), QList<QByteArray>({ReadRequest}));
        // The whole configuration reply comes in one piece, then the ports close.
        QTRY_COMPARE(data.lengths, QList<int>({458}));
        QVERIFY(portsClosed());
    }

    void serialNumbers_data()
    {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<QString>("expected");
        QTest::newRow("13 characters") << QByteArray("AB12CD34EF567") << "AB12CD34EF567";
        QTest::newRow("8 characters and NULs") << QByteArray("SN123456\0\0\0\0\0", 13) << "SN123456";
    }

    void serialNumbers()
    {
        QFETCH(QByteArray, field);
        QFETCH(QString, expected);
        device().setSerialNumber(field);
        auto editor = startEditor();
        QSignalSpy serial(editor.get(), &MainWindow::s_snNum);
        QVERIFY(serial.wait(ExchangeWaitMs));
        QCOMPARE(serial.first().first().toString(), expected);
    }

    void serialReplyShorterThanItsField()
    {
        auto editor = startEditor();
        QVERIFY(startUpExchangeDone(*editor));
        QSignalSpy serial(editor.get(), &MainWindow::s_snNum);
        QByteArray reply("\xF0\x04\x00\x00\x00\x20\x6FXYZ", 10);
        emit editor->s_midiIndata(reply.data(), reply.size());
        QCOMPARE(serial.size(), 1);
        QCOMPARE(serial.first().first().toString(), QStringLiteral("XYZ"));
    }

    void replyVersionReachesTheModel()
    {
        device().setFirmwareVersion(2, 1, 3);
        auto editor = startEditor();
        QVERIFY(startUpReadDone(*editor));
        QCOMPARE(editor->dataManagement()->getVerInfo(), QVariantList({2, 1, 3}));
    }

    void noControllerMeansFailedExchanges()
    {
        device().unplug();
        DeviceLogCapture log;
        auto editor = startEditor();
        QSignalSpy hints(editor.get(), &MainWindow::showHint);
        editor->sendData();
        editor->getData();
        QCOMPARE(hints.size(), 2);
        QCOMPARE(hints.at(0), QVariantList({true, false}));
        QCOMPARE(hints.at(1), QVariantList({false, false}));
        QVERIFY(!log.lines().contains("midiIn open sucess"));
        QVERIFY(device().receivedMessages().isEmpty());
    }

    void unplugWhilePortsAreOpen()
    {
        device().setMisbehaviour(VirtualTark9::Misbehaviour::NoReply);
        auto editor = startEditor();
        QCOMPARE(ports().openInputCount(), 1);   // the read request is waiting for its answer
        QSignalSpy state(editor.get(), &MainWindow::devStateChanged);
        QSignalSpy hints(editor.get(), &MainWindow::showHint);
        device().unplug();
        QTRY_COMPARE(state.size(), 1);
        QCOMPARE(state.first(), QVariantList({false}));
        QVERIFY(portsClosed());
        editor->getData();
        QCOMPARE(hints.last(), QVariantList({false, false}));
        QVERIFY(portsClosed());

        device().setMisbehaviour(VirtualTark9::Misbehaviour::None);
        QSignalSpy updates(editor->dataManagement(), &DataManagement::s_updateDate);
        device().plug();
        QTRY_COMPARE(state.size(), 2);
        QCOMPARE(state.last(), QVariantList({true}));
        QTRY_COMPARE_WITH_TIMEOUT(updates.size(), 1, ExchangeWaitMs);
        QCOMPARE(editor->dataManagement()->getVerInfo(), QVariantList({1, 0, 3}));
    }

    void unplugInTheMiddleOfAnExchange()
    {
        device().setMisbehaviour(VirtualTark9::Misbehaviour::UnplugMidExchange);
        auto editor = startEditor();
        QSignalSpy state(editor.get(), &MainWindow::devStateChanged);
        QTRY_COMPARE(state.size(), 1);
        QCOMPARE(state.first(), QVariantList({false}));
        QVERIFY(portsClosed());
        QCOMPARE(imageOf(*editor->dataManagement()), defaultImage());
    }

    void controllerPortIsTheLowestExactName_data()
    {
        QTest::addColumn<QVector<VirtualMidiSystem::Port>>("inputs");
        QTest::addColumn<int>("expectedIndex");
        using P = VirtualMidiSystem::Port;
        QTest::newRow("two ports of that name") << QVector<P>{{"Midi Through Port-0", false}, {"Kovela Tark9", true}, {"Kovela Tark9", false}} << 1;
        QTest::newRow("suffix and letter case are other ports")
            << QVector<P>{{"Kovela Tark9 MIDI 1", false}, {"kovela tark9", false}, {"KOVELA TARK9", false}, {"Kovela Tark9", true}} << 3;
    }

    void controllerPortIsTheLowestExactName()
    {
        QFETCH(QVector<VirtualMidiSystem::Port>, inputs);
        QFETCH(int, expectedIndex);
        ports().setPortLayout(inputs, {{"Kovela Tark9", true}});
        DeviceLogCapture log;
        auto editor = startEditor();
        QCOMPARE(ports().lastOpenedInputIndex(), expectedIndex);
        QVERIFY(log.lines().contains(QStringLiteral("m_inDevIndex: %1").arg(expectedIndex)));
        QVERIFY(startUpReadDone(*editor));
        QCOMPARE(editor->dataManagement()->getVerInfo(), QVariantList({1, 0, 3}));
    }

    void portsOnlyNearTheNameAreNotTaken()
    {
        ports().setPortLayout({{"Kovela Tark9 MIDI 1", true}, {"kovela tark9", false}}, {{"Kovela Tark9 MIDI 1", true}});
        PromptRecorder prompts;
        prompts.expectedMessages = 1;
        auto editor = startEditor();
        QSignalSpy state(editor.get(), &MainWindow::devStateChanged);
        QSignalSpy hints(editor.get(), &MainWindow::showHint);
        // The start-up scan does not recognise it; the hot-plug path looks for its ports for 5 s,
        // finds none and says so, once.
        QVERIFY(device().receivedMessages().isEmpty());
        device().unplug();
        device().plug();
        QTRY_COMPARE_WITH_TIMEOUT(state.size(), 1, 10000);
        QCOMPARE(hints.first(), QVariantList({false, false}));
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.messages.first().text, QStringLiteral("The MIDI ports of the Kovela Tark9 were not found; nothing was sent."));
        QVERIFY(device().receivedMessages().isEmpty());
    }

    void portsListedLateAfterTheArrivalAreWaitedFor()
    {
        auto editor = startEditor();
        QVERIFY(startUpReadDone(*editor));
        PromptRecorder prompts;
        QSignalSpy state(editor.get(), &MainWindow::devStateChanged);
        QSignalSpy updates(editor->dataManagement(), &DataManagement::s_updateDate);
        device().unplug();
        QTRY_COMPARE(state.size(), 1);
        // As udev does: the card is announced before the sequencer lists its ports.
        device().setPortDelay(600);
        device().plug();
        QTRY_COMPARE(state.size(), 2);
        QCOMPARE(state.last(), QVariantList({true}));
        QTRY_COMPARE(updates.size(), 1);
        QVERIFY(prompts.messages.isEmpty());
    }

    void portsAreLookedUpByNameForEveryExchange()
    {
        auto editor = startEditor();
        QVERIFY(idleWithPortsClosed(*editor));
        // Another device comes along and takes the indices the controller's ports had.
        using P = VirtualMidiSystem::Port;
        ports().setPortLayout({{"Other Synth", false}, {"Kovela Tark9", true}}, {{"Other Synth", false}, {"Kovela Tark9", true}});
        device().clearReceivedMessages();
        QSignalSpy hints(editor.get(), &MainWindow::showHint);
        editor->sendData();
        QCOMPARE(hints.first(), QVariantList({true, true}));
        QCOMPARE(ports().lastOpenedOutputIndex(), 1);
        device().waitIdle();
        QCOMPARE(device().receivedMessages().size(), 1);
        // Gone from the list altogether: nothing is sent, and the user is told why.
        ports().setPortLayout({{"Other Synth", false}}, {{"Other Synth", false}});
        PromptRecorder prompts;
        prompts.expectedMessages = 1;
        editor->sendData();
        QCOMPARE(hints.last(), QVariantList({true, false}));
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.messages.first().text, QStringLiteral("The MIDI ports of the Kovela Tark9 were not found; nothing was sent."));
        QCOMPARE(ports().lastOpenedOutputIndex(), 1);
    }

    void removalWhileTheArrivalWarnsLeavesTheIndicatorOff()
    {
        device().unplug();
        auto editor = startEditor();
        QSignalSpy state(editor.get(), &MainWindow::devStateChanged);
        // The user is slow to close the arrival's box, and the controller is pulled out meanwhile.
        PromptRecorder prompts;
        prompts.expectedMessages = 1;
        prompts.whileShown = [&](const Prompt::Message &) {
            device().unplug();
            QTRY_COMPARE(state.size(), 1);
        };
        device().setMisbehaviour(VirtualTark9::Misbehaviour::PortsBusy);
        device().plug();
        QTRY_COMPARE(prompts.messages.size(), 1);
        QTest::qWait(100);
        QCOMPARE(state.size(), 1);
        QCOMPARE(state.first(), QVariantList({false}));
    }

    void aControllerThatStopsReadingFailsTheSendWithin2s()
    {
        auto editor = startEditor();
        QVERIFY(idleWithPortsClosed(*editor));
        device().setMisbehaviour(VirtualTark9::Misbehaviour::StopsReading);
        PromptRecorder prompts;
        prompts.expectedMessages = 1;
        QSignalSpy hints(editor.get(), &MainWindow::showHint);
        QElapsedTimer clock;
        clock.start();
        editor->sendData();
        QVERIFY2(clock.elapsed() < 2500, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(hints.first(), QVariantList({true, false}));
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.messages.first().text, QStringLiteral("The Kovela Tark9 took no data for 2 seconds; the send was given up."));
        QVERIFY(portsClosed());
    }

    void busyPortsWarnAndTheExchangeFails()
    {
        device().setMisbehaviour(VirtualTark9::Misbehaviour::PortsBusy);
        PromptRecorder prompts;
        prompts.expectedMessages = 1;
        DeviceLogCapture log;
        auto editor = startEditor();
        // One box for the whole arrival: its read request and, 2 s later, its serial-number
        // request meet the same busy ports.
        QCOMPARE(prompts.messages.size(), 1);
        const Prompt::Message message = prompts.messages.first();
        QCOMPARE(message.kind, Prompt::Kind::Warning);
        QCOMPARE(message.title, QStringLiteral("Error prompt"));
        QCOMPARE(message.text, QStringLiteral("The current device is occupied"));
        QVERIFY(log.lines().contains("midiInOpen error"));
        QTRY_COMPARE_WITH_TIMEOUT(log.count("midiInOpen error"), 2, 5000);
        QCOMPARE(prompts.messages.size(), 1);
        // The user's own send meets them too, and says so.
        prompts.expectedMessages = 2;
        QSignalSpy hints(editor.get(), &MainWindow::showHint);
        editor->sendData();
        QCOMPARE(hints.first(), QVariantList({true, false}));
        QCOMPARE(prompts.messages.size(), 2);
        QCOMPARE(prompts.messages.last().text, QStringLiteral("The current device is occupied"));
        QVERIFY(portsClosed());
    }

    void brokenRepliesAreNotLoaded_data()
    {
        QTest::addColumn<VirtualTark9::Misbehaviour>("misbehaviour");
        QTest::addColumn<int>("offset");
        QTest::newRow("byte of 0x80 or more") << VirtualTark9::Misbehaviour::InvalidBytes << int(VirtualTark9::InvalidByteOffset);
        QTest::newRow("short reply ends inside the image") << VirtualTark9::Misbehaviour::ShortReply << VirtualTark9::ShortReplyLength - 1;
        QTest::newRow("long reply has no end at 457") << VirtualTark9::Misbehaviour::LongReply << 457;
    }

    void brokenRepliesAreNotLoaded()
    {
        QFETCH(VirtualTark9::Misbehaviour, misbehaviour);
        QFETCH(int, offset);
        device().setMisbehaviour(misbehaviour);
        DeviceLogCapture log;
        auto editor = startEditor();
        QSignalSpy updates(editor->dataManagement(), &DataManagement::s_updateDate);
        QTRY_VERIFY(log.containsStart(QStringLiteral("configuration reply not loaded: byte %1 ").arg(offset)));
        QCOMPARE(imageOf(*editor->dataManagement()), defaultImage());
        QCOMPARE(updates.size(), 0);
        // The next write still carries a whole, clean message.
        editor->sendData();
        QVERIFY(portsClosed());
        device().waitIdle();
        QByteArray expected = defaultImage();
        QCOMPARE(device().configuration(), expected);
    }

    void sendDataRefusesAnImageWithNonDataBytes()
    {
        auto editor = startEditor();
        QVERIFY(idleWithPortsClosed(*editor));
        QByteArray broken = defaultImage();
        broken[30] = char(0x80);
        editor->dataManagement()->loadConfigImage(broken.constData(), broken.size());
        device().clearReceivedMessages();
        DeviceLogCapture log;
        QSignalSpy hints(editor.get(), &MainWindow::showHint);
        editor->sendData();
        QCOMPARE(hints.first(), QVariantList({true, false}));
        QVERIFY(log.lines().contains("sendData refused: byte 30 of the configuration is \"0x80\""));
        device().waitIdle();
        QVERIFY(device().receivedMessages().isEmpty());
        QVERIFY(portsClosed());
    }

    void shortMessagesFromTheDeviceAreIgnored()
    {
        device().setMisbehaviour(VirtualTark9::Misbehaviour::NoReply);
        auto editor = startEditor();
        MidiInputRecord data(editor.get());
        device().sendShortToHost(0x7F3C90);   // a pad's note
        device().waitIdle();
        QCoreApplication::processEvents();
        QCOMPARE(data.lengths.size(), 0);
        QCOMPARE(ports().openInputCount(), 1);
    }
};

QTEST_MAIN(TestMainWindowDevice)
#include "tst_mainwindowdevice.moc"
