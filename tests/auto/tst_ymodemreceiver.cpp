// The boot loader's YMODEM receiver against our sender, against lrzsz's sb, over a spoilt line,
// and against hosts that misbehave on purpose.
#include "device/pseudoterminal/pseudoterminal.h"
#include "device/virtual/ymodemreceiver.h"
#include "firmware/ymodemfiletransmit.h"

#include "lineproxy.h"
#include "lrzszprocess.h"
#include "ptypair.h"
#include "runelsewhere.h"
#include "scriptedhost.h"
#include "senderrun.h"
#include "testimage.h"

#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <memory>
#include <thread>

namespace {

// Generous: a transfer here takes a few seconds, a give-up about ten.
constexpr int WaitMs = 120000;
constexpr int ReplyMs = 2500;

const QByteArray Can5(5, '\x18');
const QByteArray C("C");
const QByteArray Ack("\x06");
const QByteArray Nak("\x15");
const QByteArray Eot("\x04");
const QByteArray AckC("\x06" "C");

const QString ImageName = QStringLiteral("rk21_fw.bin");

// The image written to a file in `dir` for a sender to read: its path, empty when it could not be
// written.
QString imageFile(const QTemporaryDir &dir, const QByteArray &image)
{
    const QString path = dir.filePath(ImageName);
    return TestImage::write(path, image) ? path : QString();
}

// A receiver on a line of its own, run on a thread of its own as the boot loader runs it.
class ReceiverThread
{
public:
    ReceiverThread()
        : m_receiver(m_line, m_stop)
    {
    }
    ~ReceiverThread()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
    }

    bool open() { return m_line.open(); }
    QString portName() const { return m_line.portName(); }
    YmodemReceiver &receiver() { return m_receiver; }
    void start()
    {
        m_thread = std::thread([this] {
            m_result = m_receiver.receive();
            m_done = true;
        });
    }
    void stop() { m_stop = true; }
    bool isDone() const { return m_done; }
    // Keeps the event loop running: the sender and the line proxy live on it.
    bool wait() { return QTest::qWaitFor([this] { return m_done.load(); }, WaitMs); }
    YmodemReceiver::Result result() const { return m_result; }

private:
    PseudoTerminal m_line;
    std::atomic<bool> m_stop{false};
    YmodemReceiver m_receiver;
    std::thread m_thread;
    std::atomic<bool> m_done{false};
    YmodemReceiver::Result m_result = YmodemReceiver::Result::Stopped;
};

} // namespace

class tst_YmodemReceiver : public QObject
{
    Q_OBJECT

private slots:
    void init() { skipIfRunElsewhere(); }
    void receivesOurSender_data();
    void receivesOurSender();
    void receivesSb_data();
    void receivesSb();
    void spoiltLineNeverGivesAWrongFile_data();
    void spoiltLineNeverGivesAWrongFile();
    void scriptedHosts_data();
    void scriptedHosts();
    void silentHostTimesOut();
    void endlessNoiseEnds();
    void stopEndsTheWait();
};

void tst_YmodemReceiver::receivesOurSender_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("empty") << 0;
    QTest::newRow("1 byte") << 1;
    QTest::newRow("128 bytes, one full SOH block") << 128;
    QTest::newRow("129 bytes, one STX block") << 129;
    QTest::newRow("1024 bytes") << 1024;
    QTest::newRow("1100 bytes, STX then SOH") << 1100;
    QTest::newRow("2048 bytes") << 2048;
    QTest::newRow("301 blocks, numbers wrap") << 300 * 1024 + 7;
}

void tst_YmodemReceiver::receivesOurSender()
{
    QFETCH(int, size);
    const QByteArray image = TestImage::bytes(size);
    QTemporaryDir dir;
    const QString path = imageFile(dir, image);
    QVERIFY(!path.isEmpty());

    ReceiverThread run;
    QVERIFY(run.open());
    SenderRun sender;
    QVERIFY(sender.start(path, run.portName()));
    run.start();
    QVERIFY(sender.waitForEnd(WaitMs));
    QVERIFY(run.wait());

    QCOMPARE(sender.lastStatus(), YmodemFileTransmit::StatusFinished);
    QCOMPARE(run.result(), YmodemReceiver::Result::Received);
    QCOMPARE(run.receiver().fileName(), ImageName);
    QCOMPARE(run.receiver().declaredSize(), qint64(size));
    QCOMPARE(run.receiver().data().size(), size);
    QVERIFY(run.receiver().data() == image);
}

void tst_YmodemReceiver::receivesSb_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("size");
    QTest::newRow("128-byte blocks, 1 byte") << QStringList() << 1;
    QTest::newRow("128-byte blocks, 1100 bytes") << QStringList() << 1100;
    QTest::newRow("1k blocks, 1100 bytes") << QStringList{QStringLiteral("--1k")} << 1100;
    QTest::newRow("1k blocks, 301 blocks") << QStringList{QStringLiteral("--1k")} << 300 * 1024 + 7;
}

// lrzsz is an independent implementation: its CRCs, block layout and header fields (size,
// date, mode) are not ours.
void tst_YmodemReceiver::receivesSb()
{
    QFETCH(QStringList, options);
    QFETCH(int, size);
    const QByteArray image = TestImage::bytes(size);
    QTemporaryDir dir;
    QVERIFY(TestImage::write(dir.filePath(QStringLiteral("image.bin")), image));

    ReceiverThread run;
    QVERIFY(run.open());
    LrzszProcess sb;
    QVERIFY(sb.start(QStringLiteral("sb"), QStringList{QStringLiteral("--ymodem")} + options + QStringList{QStringLiteral("image.bin")},
                     run.portName(), run.portName(), dir.path()));
    run.start();
    QVERIFY(run.wait());
    QVERIFY(sb.waitForExit(WaitMs));

    QVERIFY2(sb.succeeded(), sb.errorOutput().constData());
    QCOMPARE(run.result(), YmodemReceiver::Result::Received);
    QCOMPARE(run.receiver().fileName(), QStringLiteral("image.bin"));
    QCOMPARE(run.receiver().declaredSize(), qint64(size));
    QVERIFY(run.receiver().data() == image);
}

void tst_YmodemReceiver::spoiltLineNeverGivesAWrongFile_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<double>("drop");
    QTest::addColumn<double>("corrupt");
    QTest::addColumn<double>("delayRate");
    QTest::addColumn<int>("delayMs");
    QTest::newRow("clean line") << 1u << 0.0 << 0.0 << 0.0 << 0;
    QTest::newRow("dropped bytes") << 2u << 0.0005 << 0.0 << 0.0 << 0;
    QTest::newRow("changed bytes") << 3u << 0.0 << 0.0005 << 0.0 << 0;
    QTest::newRow("held-back pieces") << 4u << 0.0 << 0.0 << 0.2 << 1500;
    QTest::newRow("everything at once") << 5u << 0.0003 << 0.0003 << 0.1 << 1200;
    QTest::newRow("a very bad line") << 6u << 0.01 << 0.01 << 0.0 << 0;
}

void tst_YmodemReceiver::spoiltLineNeverGivesAWrongFile()
{
    QFETCH(quint32, seed);
    QFETCH(double, drop);
    QFETCH(double, corrupt);
    QFETCH(double, delayRate);
    QFETCH(int, delayMs);
    const QByteArray image = TestImage::bytes(24 * 1024 + 300);
    QTemporaryDir dir;
    const QString path = imageFile(dir, image);
    QVERIFY(!path.isEmpty());

    PtyPair senderEnd;
    QVERIFY(senderEnd.isValid());
    ReceiverThread run;
    QVERIFY(run.open());
    ScriptedHost portSide(run.portName());
    QVERIFY(portSide.isOpen());
    auto proxy = std::make_unique<LineProxy>(senderEnd.masterFd(), senderEnd.masterFd(), portSide.fd(), portSide.fd(), seed);
    proxy->setFaults({drop, corrupt, delayRate, delayMs});

    SenderRun sender;
    QVERIFY(sender.start(path, senderEnd.slavePath()));
    run.start();
    QVERIFY(sender.waitForEnd(WaitMs));
    // The host's side of the cable goes with the sender.
    proxy.reset();
    portSide.close();
    QVERIFY(run.wait());

    if (run.result() == YmodemReceiver::Result::Received) {
        QCOMPARE(run.receiver().declaredSize(), qint64(image.size()));
        QVERIFY(run.receiver().data() == image);
    }
    if (drop == 0 && corrupt == 0 && delayRate == 0) {
        QCOMPARE(run.result(), YmodemReceiver::Result::Received);
        QCOMPARE(sender.lastStatus(), YmodemFileTransmit::StatusFinished);
    }
}

void tst_YmodemReceiver::scriptedHosts_data()
{
    QTest::addColumn<QByteArrayList>("steps"); // an empty step: the host lets go of the port
    QTest::addColumn<qint64>("maximumSize");
    QTest::addColumn<YmodemReceiver::Result>("result");
    QTest::addColumn<QByteArray>("replies");   // everything the receiver says, in order
    QTest::addColumn<QByteArray>("data");

    using R = YmodemReceiver::Result;
    using H = ScriptedHost;
    const qint64 noLimit = 16 * 1024 * 1024;
    const QByteArray hello("hello");
    const QByteArray kilo = TestImage::bytes(1024);
    const QByteArray twoHundred = TestImage::bytes(200);
    const QByteArray cut = H::block(1, hello).left(23);

    QTest::newRow("intact transfer")
        << QByteArrayList{H::header("f.bin", "5"), H::block(1, hello), Eot, Eot, H::closingBlock()} << noLimit
        << R::Received << C + AckC + Ack + Nak + AckC + Ack << hello;
    QTest::newRow("header as lrzsz writes it: size, date, mode")
        << QByteArrayList{H::header("f.bin", "5 14621273012 100644 0 1 5"), H::block(1, hello), Eot, Eot, H::closingBlock()}
        << noLimit << R::Received << C + AckC + Ack + Nak + AckC + Ack << hello;
    QTest::newRow("damaged blocks are asked for again")
        << QByteArrayList{H::damaged(H::header("f.bin", "5")), H::header("f.bin", "5"), H::damaged(H::block(1, hello)),
                          H::block(1, hello), Eot, Eot, H::damaged(H::closingBlock()), H::closingBlock()}
        << noLimit << R::Received << C + Nak + AckC + Nak + Ack + Nak + AckC + Nak + Ack << hello;
    QTest::newRow("a repeated block is taken once, padding removed")
        << QByteArrayList{H::header("f.bin", "200"), H::block(1, twoHundred), H::block(1, twoHundred),
                          H::block(2, twoHundred.mid(128)), Eot, Eot, H::closingBlock()}
        << noLimit << R::Received << C + AckC + Ack + Ack + Ack + Nak + AckC + Ack << twoHundred;
    QTest::newRow("a repeated header is answered, not taken as data")
        << QByteArrayList{H::header("f.bin", "5"), H::header("f.bin", "5"), H::block(1, hello), Eot, Eot, H::closingBlock()}
        << noLimit << R::Received << C + AckC + Ack + Ack + Nak + AckC + Ack << hello;
    QTest::newRow("noise and a lone CAN before the header")
        << QByteArrayList{"xyz", "\x18q", H::header("f.bin", "5"), H::block(1, hello), Eot, Eot, H::closingBlock()}
        << noLimit << R::Received << C + C + C + AckC + Ack + Nak + AckC + Ack << hello;
    QTest::newRow("lost ACK of the end: EOT again after the 'C'")
        << QByteArrayList{H::header("f.bin", "5"), H::block(1, hello), Eot, Eot, Eot, H::closingBlock()} << noLimit
        << R::Received << C + AckC + Ack + Nak + AckC + AckC + Ack << hello;

    QTest::newRow("cancel before the header") << QByteArrayList{"\x18\x18"} << noLimit << R::Cancelled << C << QByteArray();
    QTest::newRow("cancel in the middle")
        << QByteArrayList{H::header("f.bin", "300"), H::block(1, hello), "\x18\x18"} << noLimit << R::Cancelled
        << C + AckC + Ack << QByteArray();
    QTest::newRow("host leaves in the middle")
        << QByteArrayList{H::header("f.bin", "300"), H::block(1, hello), QByteArray()} << noLimit << R::LineLost
        << C + AckC + Ack << QByteArray();
    QTest::newRow("block cut short, then the host leaves")
        << QByteArrayList{H::header("f.bin", "300"), cut, QByteArray()} << noLimit << R::LineLost << C + AckC + Nak
        << QByteArray();
    QTest::newRow("fewer bytes than announced")
        << QByteArrayList{H::header("f.bin", "2000"), H::block(1, kilo, 1024), Eot, Eot} << noLimit << R::Failed
        << C + AckC + Ack + Nak + Can5 << QByteArray();
    QTest::newRow("more blocks than announced")
        << QByteArrayList{H::header("f.bin", "100"), H::block(1, kilo), H::block(2, kilo)} << noLimit << R::Failed
        << C + AckC + Ack + Can5 << QByteArray();
    QTest::newRow("block out of order")
        << QByteArrayList{H::header("f.bin", "300"), H::block(2, hello)} << noLimit << R::Failed << C + AckC + Can5
        << QByteArray();
    QTest::newRow("data before the header") << QByteArrayList{H::block(1, hello)} << noLimit << R::Failed << C + Can5
                                            << QByteArray();
    QTest::newRow("empty batch") << QByteArrayList{H::closingBlock()} << noLimit << R::Failed << C + Can5 << QByteArray();
    QTest::newRow("second file after the first")
        << QByteArrayList{H::header("f.bin", "5"), H::block(1, hello), Eot, Eot, H::header("g.bin", "5")} << noLimit
        << R::Failed << C + AckC + Ack + Nak + AckC + Can5 << QByteArray();
    QTest::newRow("header without a size") << QByteArrayList{H::header("f.bin", "")} << noLimit << R::Refused
                                           << C + Can5 << QByteArray();
    QTest::newRow("size that is not a number") << QByteArrayList{H::header("f.bin", "12ab")} << noLimit << R::Refused
                                               << C + Can5 << QByteArray();
    QTest::newRow("negative size") << QByteArrayList{H::header("f.bin", "-5")} << noLimit << R::Refused << C + Can5
                                   << QByteArray();
    QTest::newRow("size above the limit") << QByteArrayList{H::header("f.bin", "1001")} << qint64(1000) << R::Refused
                                          << C + Can5 << QByteArray();
    QTest::newRow("size at the limit")
        << QByteArrayList{H::header("f.bin", "5"), H::block(1, hello), Eot, Eot, H::closingBlock()} << qint64(5)
        << R::Received << C + AckC + Ack + Nak + AckC + Ack << hello;
    QTest::newRow("name without its end") << QByteArrayList{H::block(0, QByteArray(128, 'n'))} << noLimit << R::Refused
                                          << C + Can5 << QByteArray();
}

void tst_YmodemReceiver::scriptedHosts()
{
    QFETCH(QByteArrayList, steps);
    QFETCH(qint64, maximumSize);
    QFETCH(YmodemReceiver::Result, result);
    QFETCH(QByteArray, replies);
    QFETCH(QByteArray, data);

    ReceiverThread run;
    QVERIFY(run.open());
    run.receiver().setSizeRange(0, maximumSize);
    ScriptedHost host(run.portName());
    QVERIFY(host.isOpen());
    run.start();
    QCOMPARE(host.awaitReply(ReplyMs), C);
    for (const QByteArray &step : steps) {
        if (step.isEmpty()) {
            host.close();
            break;
        }
        QVERIFY(host.write(step));
        host.awaitReply(ReplyMs);
    }
    host.close();
    QVERIFY(run.wait());

    QCOMPARE(run.result(), result);
    QCOMPARE(host.received().toHex(' '), replies.toHex(' '));
    QCOMPARE(run.receiver().data(), data);
    QCOMPARE(run.receiver().errorString().isEmpty(), result == YmodemReceiver::Result::Received);
}

void tst_YmodemReceiver::silentHostTimesOut()
{
    ReceiverThread run;
    QVERIFY(run.open());
    ScriptedHost host(run.portName());
    run.start();
    while (!run.isDone())
        host.awaitReply(100);
    host.awaitReply(100);
    QCOMPARE(run.result(), YmodemReceiver::Result::TimedOut);
    QCOMPARE(host.received(), QByteArray(10, 'C') + Can5);
    QCOMPARE(run.receiver().declaredSize(), qint64(-1));
}

void tst_YmodemReceiver::endlessNoiseEnds()
{
    ReceiverThread run;
    QVERIFY(run.open());
    ScriptedHost host(run.portName());
    run.start();
    // Noise that never pauses long enough for the line to count as quiet, and contains
    // every control byte of the protocol.
    const QByteArray noise("\x01\x02\x04\x18zz\x06\x15", 8);
    while (!run.isDone()) {
        QVERIFY(host.write(noise));
        host.awaitReply(20, 1);
    }
    host.awaitReply(100);
    QCOMPARE(run.result(), YmodemReceiver::Result::Failed);
    QVERIFY(host.received().endsWith(Can5));
}

void tst_YmodemReceiver::stopEndsTheWait()
{
    ReceiverThread run;
    QVERIFY(run.open());
    ScriptedHost host(run.portName());
    run.start();
    QCOMPARE(host.awaitReply(ReplyMs), C);
    run.stop();
    QVERIFY(run.wait());
    QCOMPARE(run.result(), YmodemReceiver::Result::Stopped);
}

QTEST_GUILESS_MAIN(tst_YmodemReceiver)
#include "tst_ymodemreceiver.moc"
