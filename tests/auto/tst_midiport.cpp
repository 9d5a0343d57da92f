// The port layer (MidiIn, MidiOut, the port lists) over a scripted MIDI system.
#include "devicelogcapture.h"

#include "device/devicebackend.h"
#include "device/mididevices.h"
#include "device/midiin.h"
#include "device/midiout.h"
#include "device/virtual/virtualtark9.h"

#include <QElapsedTimer>
#include <QtTest>

#include <limits>

namespace {

// A MIDI system whose answers a test sets, recording the calls the port layer makes.
class ScriptedMidiSystem : public MidiSystem
{
public:
    QStringList calls;
    QMap<QString, unsigned> failures;    // call name -> result it gives
    int stillPlayingAnswers = 0;         // how often outUnprepareHeader answers StillPlaying
    QStringList inNames, outNames;
    MidiInCallback callback = nullptr;
    quintptr instance = 0;
    MidiBuffer *queued = nullptr;
    int openedIndex = -1;
    MidiHandle handle = reinterpret_cast<MidiHandle>(0x1234);

    unsigned result(const QString &call)
    {
        calls << call;
        return failures.value(call, MidiResult::NoError);
    }

    // The system hands the queued buffer back, as its thread does when a message has arrived.
    void fill(const QByteArray &bytes)
    {
        MidiBuffer *buffer = queued;
        queued = nullptr;
        memcpy(buffer->data, bytes.constData(), static_cast<size_t>(bytes.size()));
        buffer->bytesRecorded = static_cast<unsigned long>(bytes.size());
        callback(handle, MidiInMessage::LongData, instance, reinterpret_cast<quintptr>(buffer), 0);
    }

    unsigned inGetNumDevs() override { return static_cast<unsigned>(inNames.size()); }
    unsigned inGetDevCaps(unsigned index, QString *name) override
    {
        *name = inNames.value(static_cast<int>(index));
        return result(QStringLiteral("inGetDevCaps"));
    }
    unsigned inOpen(MidiHandle *h, int index, MidiInCallback cb, quintptr inst) override
    {
        const unsigned r = result(QStringLiteral("inOpen"));
        if (r == MidiResult::NoError) {
            *h = handle;
            callback = cb;
            instance = inst;
            openedIndex = index;
        }
        return r;
    }
    unsigned inPrepareHeader(MidiHandle, MidiBuffer *) override { return result(QStringLiteral("inPrepareHeader")); }
    unsigned inUnprepareHeader(MidiHandle, MidiBuffer *) override { return result(QStringLiteral("inUnprepareHeader")); }
    unsigned inAddBuffer(MidiHandle, MidiBuffer *buffer) override
    {
        const unsigned r = result(QStringLiteral("inAddBuffer"));
        if (r == MidiResult::NoError)
            queued = buffer;
        return r;
    }
    unsigned inStart(MidiHandle) override { return result(QStringLiteral("inStart")); }
    unsigned inStop(MidiHandle) override { return result(QStringLiteral("inStop")); }
    unsigned inReset(MidiHandle h) override
    {
        // The queued buffer comes back empty, through the callback, as WinMM returns it.
        if (MidiBuffer *buffer = queued) {
            queued = nullptr;
            buffer->bytesRecorded = 0;
            callback(h, MidiInMessage::LongData, instance, reinterpret_cast<quintptr>(buffer), 0);
        }
        return result(QStringLiteral("inReset"));
    }
    unsigned inClose(MidiHandle) override { return result(QStringLiteral("inClose")); }
    unsigned outGetNumDevs() override { return static_cast<unsigned>(outNames.size()); }
    unsigned outGetDevCaps(unsigned index, QString *name) override
    {
        *name = outNames.value(static_cast<int>(index));
        return result(QStringLiteral("outGetDevCaps"));
    }
    unsigned outOpen(MidiHandle *h, int index) override
    {
        const unsigned r = result(QStringLiteral("outOpen"));
        if (r == MidiResult::NoError) {
            *h = handle;
            openedIndex = index;
        }
        return r;
    }
    unsigned outPrepareHeader(MidiHandle, MidiBuffer *) override { return result(QStringLiteral("outPrepareHeader")); }
    unsigned outUnprepareHeader(MidiHandle, MidiBuffer *) override
    {
        if (stillPlayingAnswers > 0) {
            --stillPlayingAnswers;
            calls << QStringLiteral("outUnprepareHeader");
            return MidiResult::StillPlaying;
        }
        return result(QStringLiteral("outUnprepareHeader"));
    }
    unsigned outLongMsg(MidiHandle, MidiBuffer *buffer) override
    {
        sent = QByteArray(buffer->data, static_cast<int>(buffer->bufferLength));
        return result(QStringLiteral("outLongMsg"));
    }
    unsigned outReset(MidiHandle) override { return result(QStringLiteral("outReset")); }
    unsigned outClose(MidiHandle) override { return result(QStringLiteral("outClose")); }

    QByteArray sent;
};

QList<QByteArray> g_handled;
void recordHandler(char *data, int length) { g_handled << QByteArray(data, length); }
void otherHandler(char *, int) { g_handled << QByteArray("other"); }

} // namespace

class TestMidiPort : public QObject
{
    Q_OBJECT
private slots:
    void init() { g_handled.clear(); }

    void openLogsAndQueuesOneBuffer()
    {
        DeviceLogCapture log;
        ScriptedMidiSystem system;
        MidiIn in(&system);
        QVERIFY(in.open(3, &recordHandler));
        QVERIFY(in.isOpen());
        QCOMPARE(system.calls, QStringList({"inOpen", "inPrepareHeader", "inAddBuffer", "inStart"}));
        QCOMPARE(system.queued->bufferLength, 512ul);
        QCOMPARE(log.count("midiIn open sucess"), 1);
    }

    void openingAnOpenPortKeepsTheFirstIndexAndHandler()
    {
        ScriptedMidiSystem system;
        MidiIn in(&system);
        QVERIFY(in.open(1, &recordHandler));
        QVERIFY(in.open(5, &otherHandler));
        QCOMPARE(system.openedIndex, 1);
        QCOMPARE(system.calls.count("inOpen"), 1);
        system.fill(QByteArray("\xF0\x03\xF7", 3));
        QCOMPARE(g_handled, QList<QByteArray>({QByteArray("\xF0\x03\xF7", 3)}));

        MidiOut out(&system);
        QVERIFY(out.open(2));
        QVERIFY(out.open(7));
        QCOMPARE(system.openedIndex, 2);
    }

    void failedOpenStep_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("line");
        QTest::newRow("open") << "inOpen" << "midiInOpen error";
        QTest::newRow("prepare") << "inPrepareHeader" << "midiInPrepareHeader error";
        QTest::newRow("add") << "inAddBuffer" << "midiInAddBuffer error";
        QTest::newRow("start") << "inStart" << "midiInStart error";
    }

    void failedOpenStep()
    {
        QFETCH(QString, call);
        QFETCH(QString, line);
        DeviceLogCapture log;
        ScriptedMidiSystem system;
        system.failures.insert(call, MidiResult::Allocated);
        MidiIn in(&system);
        QVERIFY(!in.open(0, &recordHandler));
        QVERIFY(!in.isOpen());
        QCOMPARE(log.count(line), 1);
        QVERIFY(!log.lines().contains("midiIn open sucess"));
        // A handle that was obtained is given back; none was when the open itself failed.
        QCOMPARE(system.calls.count("inClose"), call == "inOpen" ? 0 : 1);
        // The port counts as closed: a later close does nothing and says nothing.
        log.clear();
        in.close();
        QVERIFY(!log.lines().contains("midiIn close "));
    }

    void closeRunsEveryStepAndLogsFailures()
    {
        DeviceLogCapture log;
        ScriptedMidiSystem system;
        MidiIn in(&system);
        QVERIFY(in.open(0, &recordHandler));
        system.calls.clear();
        system.failures = {{"inReset", 1}, {"inStop", 1}, {"inUnprepareHeader", 1}, {"inClose", 5}};
        in.close();
        QCOMPARE(system.calls, QStringList({"inReset", "inStop", "inUnprepareHeader", "inClose"}));
        QVERIFY(!in.isOpen());
        const QStringList lines = log.lines();
        QVERIFY(lines.contains("midiInReset error"));
        QVERIFY(lines.contains("midiInStop error"));
        QVERIFY(lines.contains("midiInUnprepareHeader error"));
        QVERIFY(lines.contains("1 midiInClose error 5"));
        QCOMPARE(lines.last(), QStringLiteral("midiIn close "));
    }

    void closingAClosedPortDoesNothing()
    {
        DeviceLogCapture log;
        ScriptedMidiSystem system;
        MidiIn in(&system);
        MidiOut out(&system);
        in.close();
        out.close();
        QVERIFY(system.calls.isEmpty());
        QVERIFY(log.lines().isEmpty());
    }

    void bufferReturnedEmptyByResetIsNotHandledNorQueued()
    {
        ScriptedMidiSystem system;
        MidiIn in(&system);
        QVERIFY(in.open(0, &recordHandler));
        in.close();
        QVERIFY(g_handled.isEmpty());
        QCOMPARE(system.calls.count("inAddBuffer"), 1);   // the open's, never again
    }

    void messagesReachTheHandlerWholeAndTheBufferIsQueuedAgain()
    {
        ScriptedMidiSystem system;
        MidiIn in(&system);
        QVERIFY(in.open(0, &recordHandler));
        QByteArray image(458, 0x11);
        image[0] = char(0xF0);
        image[457] = char(0xF7);
        system.fill(image);
        QCOMPARE(g_handled.size(), 1);
        QCOMPARE(g_handled.first(), image);
        QCOMPARE(system.calls.count("inAddBuffer"), 2);
        QVERIFY(system.queued);

        DeviceLogCapture log;
        system.failures.insert("inAddBuffer", 1);
        system.fill(QByteArray("\xF0\x04\xF7", 3));
        QVERIFY(log.lines().contains("CALLBACK midiInAddBuffer error"));
    }

    void shortMessagesNeverReachTheHandler()
    {
        ScriptedMidiSystem system;
        MidiIn in(&system);
        QVERIFY(in.open(0, &recordHandler));
        system.callback(system.handle, MidiInMessage::Data, system.instance, 0x7F3C90, 0);
        system.callback(system.handle, MidiInMessage::Open, system.instance, 0, 0);
        QVERIFY(g_handled.isEmpty());
    }

    void sendWaitsWhileStillPlaying()
    {
        DeviceLogCapture log;
        ScriptedMidiSystem system;
        MidiOut out(&system);
        QVERIFY(!out.sendLongMsg("\xF0\xF7", 2));    // closed: false, silently
        QVERIFY(system.calls.isEmpty());
        QVERIFY(out.open(0));
        QCOMPARE(log.count("midiOutOpen sucess"), 1);
        system.stillPlayingAnswers = 3;
        QVERIFY(out.sendLongMsg("\xF0\x02\x00\x00\x00\x20\x6F\xF7", 8));
        QCOMPARE(system.sent, QByteArray("\xF0\x02\x00\x00\x00\x20\x6F\xF7", 8));
        QCOMPARE(system.calls.count("outUnprepareHeader"), 4);
        out.close();
        QCOMPARE(log.lines().last(), QStringLiteral("midiOut close"));
    }

    void sendGivesUpOnADeviceThatStopsReading()
    {
        DeviceLogCapture log;
        ScriptedMidiSystem system;
        MidiOut out(&system);
        QVERIFY(out.open(0));
        system.stillPlayingAnswers = std::numeric_limits<int>::max();
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(out.send("\xF0\x02\x00\x00\x00\x20\x6F\xF7", 8), MidiOut::SendResult::TimedOut);
        QVERIFY(clock.elapsed() >= MidiOut::SendTimeoutMs && clock.elapsed() < MidiOut::SendTimeoutMs + 500);
        QVERIFY(system.calls.contains("outReset"));
        QVERIFY(log.lines().contains("midiOutLongMsg timed out: the device took no data for 2000 ms"));
    }

    void failedOutputSteps_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("line");
        QTest::newRow("open") << "outOpen" << "midiOutOpen error";
        QTest::newRow("prepare") << "outPrepareHeader" << "midiOutPrepareHeader error";
        QTest::newRow("long message") << "outLongMsg" << "midiOutLongMsg error";
        QTest::newRow("reset") << "outReset" << "midiOutReset error";
        QTest::newRow("close") << "outClose" << "midiOutClose error";
    }

    void failedOutputSteps()
    {
        QFETCH(QString, call);
        QFETCH(QString, line);
        DeviceLogCapture log;
        ScriptedMidiSystem system;
        system.failures.insert(call, MidiResult::Error);
        MidiOut out(&system);
        const bool opened = out.open(0);
        QCOMPARE(opened, call != "outOpen");
        if (opened) {
            const bool sent = out.sendLongMsg("\xF0\xF7", 2);
            QCOMPARE(sent, call != "outPrepareHeader" && call != "outLongMsg");
            out.close();
            QVERIFY(!out.isOpen());
            QCOMPARE(log.lines().last(), QStringLiteral("midiOut close"));
        }
        QCOMPARE(log.count(line), 1);
    }

    void portListsByIndexWithNamesOfAtMost31Characters()
    {
        VirtualTark9::installAsBackend();
        VirtualTark9 &device = VirtualTark9::instance();
        device.reset();
        const QString longName = QStringLiteral("A port name that is much longer than thirty-one characters");
        device.virtualMidiSystem().setPortLayout({{"Midi Through Port-0", false}, {longName, false}, {"Kovela Tark9", true}},
                                                 {{"Kovela Tark9", true}});
        const QMap<int, QString> inputs = getMidiInDevices();
        QCOMPARE(inputs.keys(), QList<int>({0, 1, 2}));
        QCOMPARE(inputs.value(1), longName.left(31));
        QCOMPARE(inputs.value(2), QStringLiteral("Kovela Tark9"));
        QCOMPARE(getMidiOutDevices().value(0), QStringLiteral("Kovela Tark9"));
        device.virtualMidiSystem().setPortLayout({}, {});
        QVERIFY(getMidiInDevices().isEmpty());
        QVERIFY(getMidiOutDevices().isEmpty());
        device.reset();
    }
};

QTEST_GUILESS_MAIN(TestMidiPort)
#include "tst_midiport.moc"
