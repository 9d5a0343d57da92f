// The connection to the controller over a MIDI system that a test scripts (ports missing, busy,
// refusing, silent, answering), and the hand-over of replies from the virtual Tark9's thread
// under load.
#include "config/datamanagement.h"
#include "device/devicebackend.h"
#include "device/deviceconnection.h"
#include "device/virtual/virtualtark9.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

#include <cstring>
#include <functional>

namespace {

// A MIDI system with the ports and answers a test gives it. The controller's replies come
// through the input callback on the caller's thread, as a system thread would hand them.
class ScriptedMidiSystem : public MidiSystem
{
public:
    QStringList inNames{QStringLiteral("Kovela Tark9")};
    QStringList outNames{QStringLiteral("Kovela Tark9")};
    int openError = 0;                  // the system's errno when it cannot be opened at all
    unsigned portOpenResult = MidiResult::NoError;
    unsigned longMessageResult = MidiResult::NoError;
    QList<QByteArray> sent;
    int openedInput = -1, openedOutput = -1;
    bool inputOpen = false, outputOpen = false;

    // The controller sends `bytes`: the queued buffer comes back filled, or, for a short message
    // (a pad's note), the bytes are packed into the call.
    void reply(const QByteArray &bytes)
    {
        if (bytes.size() <= 3) {
            m_callback(Handle, MidiInMessage::Data, m_instance, 0x7F3C90, 0);
            return;
        }
        MidiBuffer *buffer = std::exchange(m_queued, nullptr);
        QVERIFY(buffer && unsigned(bytes.size()) <= buffer->bufferLength);
        memcpy(buffer->data, bytes.constData(), size_t(bytes.size()));
        buffer->bytesRecorded = static_cast<unsigned long>(bytes.size());
        m_callback(Handle, MidiInMessage::LongData, m_instance, reinterpret_cast<quintptr>(buffer), 0);
    }

    MidiSystemState state() override { return {openError, QStringLiteral("/dev/snd/seq")}; }
    unsigned inGetNumDevs() override { return unsigned(inNames.size()); }
    unsigned inGetDevCaps(unsigned index, QString *name) override
    {
        *name = inNames.value(int(index));
        return MidiResult::NoError;
    }
    unsigned inOpen(MidiHandle *handle, int index, MidiInCallback callback, quintptr instance) override
    {
        if (portOpenResult != MidiResult::NoError)
            return portOpenResult;
        *handle = Handle;
        m_callback = callback;
        m_instance = instance;
        openedInput = index;
        inputOpen = true;
        return MidiResult::NoError;
    }
    unsigned inPrepareHeader(MidiHandle, MidiBuffer *) override { return MidiResult::NoError; }
    unsigned inUnprepareHeader(MidiHandle, MidiBuffer *) override { return MidiResult::NoError; }
    unsigned inAddBuffer(MidiHandle, MidiBuffer *buffer) override
    {
        m_queued = buffer;
        return MidiResult::NoError;
    }
    unsigned inStart(MidiHandle) override { return MidiResult::NoError; }
    unsigned inStop(MidiHandle) override { return MidiResult::NoError; }
    unsigned inReset(MidiHandle) override
    {
        m_queued = nullptr;
        return MidiResult::NoError;
    }
    unsigned inClose(MidiHandle) override
    {
        inputOpen = false;
        return MidiResult::NoError;
    }
    unsigned outGetNumDevs() override { return unsigned(outNames.size()); }
    unsigned outGetDevCaps(unsigned index, QString *name) override
    {
        *name = outNames.value(int(index));
        return MidiResult::NoError;
    }
    unsigned outOpen(MidiHandle *handle, int index) override
    {
        if (portOpenResult != MidiResult::NoError)
            return portOpenResult;
        *handle = Handle;
        openedOutput = index;
        outputOpen = true;
        return MidiResult::NoError;
    }
    unsigned outPrepareHeader(MidiHandle, MidiBuffer *) override { return MidiResult::NoError; }
    unsigned outUnprepareHeader(MidiHandle, MidiBuffer *) override { return MidiResult::NoError; }
    unsigned outLongMsg(MidiHandle, MidiBuffer *buffer) override
    {
        if (longMessageResult == MidiResult::NoError)
            sent << QByteArray(buffer->data, int(buffer->bufferLength));
        return longMessageResult;
    }
    unsigned outReset(MidiHandle) override { return MidiResult::NoError; }
    unsigned outClose(MidiHandle) override
    {
        outputOpen = false;
        return MidiResult::NoError;
    }

private:
    static inline const MidiHandle Handle = reinterpret_cast<MidiHandle>(0x7A9);
    MidiInCallback m_callback = nullptr;
    quintptr m_instance = 0;
    MidiBuffer *m_queued = nullptr;
};

QByteArray defaultImage()
{
    DataManagement model;
    model.initDefaultData();
    const auto &image = model.configImage();
    return QByteArray(reinterpret_cast<const char *>(image.data()), int(image.size()));
}

const QByteArray ReadRequest("\xF0\x02\x00\x00\x00\x20\x6F\xF7", 8);

} // namespace

class tst_DeviceConnection : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_connection.reset(); }

    void statuses_data();
    void statuses();
    void replies_data();
    void replies();
    void anUnansweredRequestTimesOut();
    void portsAreTheLowestWithTheWholeNameLookedUpForEveryExchange();
    void repliesSurviveOpeningClosingAndUnplugging();

private:
    // Hands every message back as its owner does, and keeps what it said.
    void takeMessages();

    ScriptedMidiSystem m_system;
    std::unique_ptr<DeviceConnection> m_connection;
};

void tst_DeviceConnection::init()
{
    m_system = ScriptedMidiSystem();
    DeviceBackend::install(m_system, {});
    m_connection = std::make_unique<DeviceConnection>();
    takeMessages();
}

void tst_DeviceConnection::takeMessages()
{
    DeviceConnection *connection = m_connection.get();
    connect(connection, &DeviceConnection::messageReceived, connection, [connection](const QByteArray &message) {
        connection->takeMessage(message.constData(), message.size());
    });
}

void tst_DeviceConnection::statuses_data()
{
    QTest::addColumn<QString>("situation");
    QTest::addColumn<bool>("send");          // the configuration; else the read request
    QTest::addColumn<DeviceConnection::Status>("status");
    using S = DeviceConnection::Status;
    for (const bool send : {true, false}) {
        const QString what = send ? QStringLiteral("send: ") : QStringLiteral("read: ");
        QTest::newRow(qPrintable(what + "answered")) << "well" << send << S::Ok;
        QTest::newRow(qPrintable(what + "no controller attached")) << "absent" << send << S::NotPresent;
        QTest::newRow(qPrintable(what + "ports missing")) << "no ports" << send << S::NoPorts;
        QTest::newRow(qPrintable(what + "only an output")) << "no input" << send << S::NoPorts;
        QTest::newRow(qPrintable(what + "no MIDI system")) << "no system" << send << S::MidiSystemUnusable;
        QTest::newRow(qPrintable(what + "ports busy")) << "busy" << send << S::PortsBusy;
        QTest::newRow(qPrintable(what + "message refused")) << "refused" << send << S::SendFailed;
        QTest::newRow(qPrintable(what + "controller not reading")) << "not reading" << send << S::TimedOut;
    }
    QTest::newRow("send: a byte above 127") << "byte above 127" << true << S::InvalidMessage;
}

void tst_DeviceConnection::statuses()
{
    QFETCH(QString, situation);
    QFETCH(bool, send);
    QFETCH(DeviceConnection::Status, status);
    if (situation == "absent")
        m_connection->setDevicePresent(false);
    if (situation == "no ports" || situation == "no system")
        m_system.inNames = m_system.outNames = QStringList{QStringLiteral("Midi Through Port-0")};
    if (situation == "no input")
        m_system.inNames.clear();
    if (situation == "no system")
        m_system.openError = ENOENT;
    if (situation == "busy")
        m_system.portOpenResult = MidiResult::Allocated;
    if (situation == "refused")
        m_system.longMessageResult = MidiResult::Error;
    if (situation == "not reading")
        m_system.longMessageResult = MidiResult::NotReady;
    QByteArray image = defaultImage();
    if (situation == "byte above 127")
        image[30] = char(0x80);

    int defect = -1;
    QCOMPARE(send ? m_connection->sendConfiguration(image, &defect) : m_connection->requestConfiguration(), status);
    QCOMPARE(defect, status == DeviceConnection::Status::InvalidMessage ? 30 : -1);
    QByteArray expected = image;
    expected[1] = 0x01;   // the write command
    QCOMPARE(m_system.sent, status == DeviceConnection::Status::Ok ? QList<QByteArray>({send ? expected : ReadRequest}) : QList<QByteArray>());
    // A send closes the ports it opened; a request that went out leaves them open for the reply.
    if (send || status == DeviceConnection::Status::Ok) {
        QCOMPARE(m_connection->isOpen(), !send);
        QCOMPARE(m_system.inputOpen || m_system.outputOpen, !send);
    }
    QVERIFY(!DeviceConnection::describe(status).isEmpty());
}

void tst_DeviceConnection::replies_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("outcome");   // the signal and what it carried
    QTest::addColumn<bool>("staysOpen");

    QByteArray configuration = defaultImage();
    configuration[1] = 0x03;
    QTest::newRow("configuration") << configuration << "configuration 458" << false;
    QByteArray highByte = configuration;
    highByte[200] = char(0x90);
    QTest::newRow("configuration with a status byte") << highByte << "rejected 200" << false;
    QTest::newRow("configuration cut short") << configuration.left(99) + "\xF7" << "rejected 99" << false;
    // The first of the buffers a longer message fills.
    QTest::newRow("configuration with no end at 457") << configuration.left(457) + QByteArray(55, 0x01) << "rejected 457" << false;
    // The configuration may still be on its way after the serial number.
    QTest::newRow("serial number") << VirtualTark9::serialReply("KT9V240100001") << "serial KT9V240100001" << true;
    QTest::newRow("serial reply shorter than its field") << QByteArray("\xF0\x04\x00\x00\x00\x20\x6FXYZ", 10) << "serial XYZ" << true;
    QTest::newRow("a pad's note") << QByteArray("\x90\x3C\x7F", 3) << "nothing" << true;
}

void tst_DeviceConnection::replies()
{
    QFETCH(QByteArray, reply);
    QFETCH(QString, outcome);
    QFETCH(bool, staysOpen);
    QStringList seen;
    connect(m_connection.get(), &DeviceConnection::configurationReceived, this, [&](const QByteArray &message) {
        seen << QStringLiteral("configuration %1").arg(message.size());
    });
    connect(m_connection.get(), &DeviceConnection::serialNumberReceived, this, [&](const QString &serial) { seen << "serial " + serial; });
    connect(m_connection.get(), &DeviceConnection::replyRejected, this, [&](int offset) { seen << QStringLiteral("rejected %1").arg(offset); });
    QCOMPARE(m_connection->requestConfiguration(), DeviceConnection::Status::Ok);
    m_system.reply(reply);
    // Handed over by a queued call, as from the system's thread.
    QVERIFY(seen.isEmpty());
    QTRY_COMPARE(seen, outcome == "nothing" ? QStringList() : QStringList({outcome}));
    QCoreApplication::processEvents();
    QCOMPARE(seen.size(), outcome == "nothing" ? 0 : 1);
    QCOMPARE(m_connection->isOpen(), staysOpen);
}

void tst_DeviceConnection::anUnansweredRequestTimesOut()
{
    constexpr int TimeoutMs = 300;
    m_connection->setReplyTimeout(TimeoutMs);
    QSignalSpy timedOut(m_connection.get(), &DeviceConnection::replyTimedOut);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(m_connection->requestConfiguration(), DeviceConnection::Status::Ok);
    // A reply of the other kind does not stop the bound of the awaited one.
    m_system.reply(VirtualTark9::serialReply("KT9V240100001"));
    QVERIFY(timedOut.wait(3000));
    QVERIFY2(clock.elapsed() >= TimeoutMs, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(timedOut.size(), 1);
    QVERIFY(!m_connection->isOpen());
    QVERIFY(!m_system.inputOpen && !m_system.outputOpen);
}

// MIDI systems renumber their ports when other devices come and go: the ports are looked up by
// their whole name every time they are opened.
void tst_DeviceConnection::portsAreTheLowestWithTheWholeNameLookedUpForEveryExchange()
{
    const QByteArray image = defaultImage();
    m_system.inNames = QStringList{"Midi Through Port-0", "Kovela Tark9", "Kovela Tark9"};
    m_system.outNames = QStringList{"Kovela Tark9 MIDI 1", "kovela tark9", "KOVELA TARK9", "Kovela Tark9"};
    QCOMPARE(m_connection->sendConfiguration(image), DeviceConnection::Status::Ok);
    QCOMPARE(m_system.openedInput, 1);
    QCOMPARE(m_system.openedOutput, 3);
    m_system.inNames = m_system.outNames = QStringList{"Other Synth", "Kovela Tark9"};
    QCOMPARE(m_connection->sendConfiguration(image), DeviceConnection::Status::Ok);
    QCOMPARE(m_system.openedInput, 1);
    QCOMPARE(m_system.openedOutput, 1);
    QCOMPARE(m_system.sent.size(), 2);
}

// Thousands of replies from the virtual Tark9's thread while the GUI thread opens and closes
// the ports and the controller is pulled out and plugged in again: each arrives whole, in order.
void tst_DeviceConnection::repliesSurviveOpeningClosingAndUnplugging()
{
    constexpr int Replies = 3000;
    constexpr int IntervalMs = 1;                 // between two replies
    constexpr int BufferWaitMs = 20;              // how long a reply waits for a queued buffer
    constexpr qint64 RunLimitMs = 20000;          // the stream ends well before; a hang fails instead
    VirtualTark9 &device = VirtualTark9::instance();
    VirtualMidiSystem &ports = device.virtualMidiSystem();
    VirtualTark9::installAsBackend();
    device.reset();
    // Requests stay unanswered, so that only the stream reaches the connection.
    device.setMisbehaviour(VirtualTark9::Misbehaviour::NoReply);
    device.setReplyDelay(0);
    // Thousands of exchanges write tens of thousands of debug lines: only the rest is shown.
    // Both are as they were for the next test, however this one ends.
    struct Restore {
        QtMessageHandler handler;
        std::function<void()> backend;
        ~Restore()
        {
            qInstallMessageHandler(handler);
            backend();
        }
    } restore{qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
                  if (type != QtDebugMsg)
                      fprintf(stderr, "%s\n", qPrintable(message));
              }),
              [this, &device] {
                  m_connection->close();
                  device.reset();
                  DeviceBackend::install(m_system, {});
              }};

    QList<QByteArray> received;
    int torn = 0;
    int outOfOrder = 0;
    int lastSequence = -1;
    connect(m_connection.get(), &DeviceConnection::messageReceived, this, [&](const QByteArray &message) {
        received << message;
        const QByteArray serial = message.mid(7, VirtualTark9::SerialLength);
        const int sequence = serial.left(9).toInt();
        if (message != VirtualTark9::serialReply(VirtualTark9::streamSerial(sequence))) {
            ++torn;
            return;
        }
        if (sequence <= lastSequence)
            ++outOfOrder;
        lastSequence = sequence;
    });

    const QByteArray image = defaultImage();
    const quint64 handledBefore = ports.handledMessages();
    device.startStream(Replies, IntervalMs, BufferWaitMs);
    QElapsedTimer clock;
    clock.start();
    int unplugs = 0;
    int notClosedAfterRemoval = 0;
    for (int round = 0; device.isStreaming() && clock.elapsed() < RunLimitMs; ++round) {
        if (round % 40 == 39) {
            device.unplug();
            // As the owner does when the presence detector reports the removal.
            m_connection->setDevicePresent(false);
            ++unplugs;
            if (ports.openInputCount() != 0 || ports.openOutputCount() != 0)
                ++notClosedAfterRemoval;
            device.plug();
            m_connection->setDevicePresent(true);
        } else if (round % 3 == 0) {
            m_connection->sendConfiguration(image);     // opens, writes and closes
            m_connection->requestConfiguration();       // opens again and leaves them open
        }
        QTest::qWait(1);
    }
    QVERIFY2(!device.isStreaming(), "the stream did not finish in time");
    device.waitIdle();
    QTRY_COMPARE(quint64(received.size()), ports.handledMessages() - handledBefore);
    QCOMPARE(torn, 0);
    QCOMPARE(outOfOrder, 0);
    QCOMPARE(notClosedAfterRemoval, 0);
    QVERIFY(unplugs > 0);
    // Most replies find an open port; those that arrive while it is closed are not handed on.
    QVERIFY2(received.size() > Replies / 2, qPrintable(QString::number(received.size())));
    qInfo() << "replies handed over:" << received.size() << "of" << Replies << "with" << unplugs << "unplugs";
}

QTEST_MAIN(tst_DeviceConnection)
#include "tst_deviceconnection.moc"
