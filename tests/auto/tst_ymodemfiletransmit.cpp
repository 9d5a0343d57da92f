// The sender against lrzsz's rb on a pseudo-terminal line, clean and spoiled.

#include "firmware/ymodemfiletransmit.h"

#include "ptypair.h"
#include "receiverline.h"
#include "runelsewhere.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {

using Status = YmodemFileTransmit::Status;

constexpr int FinalStatusDelayMs = 100;
// The spoilt-line cases spend their time waiting for resends and the give-up, which the protocol
// counts in polls (500 and 3000); at 1 ms a poll the same counts play out ten times faster.
constexpr int FastPollMs = 1;
// Far beyond what any transfer here needs (the sender gives up after 30 s of silence); only a
// hang reaches it.
constexpr int HangLimitMs = 180000;
// rb ends as soon as a transfer does; after a cancelled or spoilt one it may first wait out its
// own time-outs. Bounds for hangs only.
constexpr int ReceiverEndMs = 10000;
constexpr int ReceiverGiveUpMs = 30000;

QByteArray randomBytes(int size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// One sender, one rb and the line between them.
struct Line : ReceiverLine
{
    YmodemFileTransmit sender;
    QList<int> progress;
    QList<Status> statuses;
    qint64 finalStatusNs = -1;

    explicit Line(quint32 seed = 1)
        : ReceiverLine(seed)
    {
        sender.setPortName(portPath());
        QObject::connect(&sender, &YmodemFileTransmit::transmitProgress, [this](int value) { progress << value; });
        QObject::connect(&sender, &YmodemFileTransmit::transmitStatus, [this](Status status) {
            statuses << status;
            if (status != YmodemFileTransmit::StatusEstablishing && status != YmodemFileTransmit::StatusTransmitting)
                finalStatusNs = proxy().nowNs();
        });
    }

    bool waitForFinalStatus()
    {
        return QTest::qWaitFor([this] { return finalStatusNs >= 0; }, HangLimitMs);
    }

    // Without QTest::qWaitFor's 10 ms naps between rounds: the sender and the line go at their
    // own pace, as they do in the program, where a receiver's answer is met within microseconds.
    bool waitForFinalStatusLive()
    {
        QEventLoop loop;
        QObject::connect(&sender, &YmodemFileTransmit::transmitStatus, &loop, [this, &loop] {
            if (finalStatusNs >= 0)
                loop.quit();
        });
        QTimer::singleShot(HangLimitMs, &loop, &QEventLoop::quit);
        if (finalStatusNs < 0)
            loop.exec();
        return finalStatusNs >= 0;
    }

    Status finalStatus() const { return statuses.last(); }
};

struct Packet
{
    char start = 0;
    QByteArray bytes;
};

// The sender's side of the conversation, cut into packets; empty when it is not made of whole
// packets.
QList<Packet> splitPackets(const QByteArray &wire)
{
    QList<Packet> packets;
    int at = 0;
    while (at < wire.size()) {
        const char start = wire.at(at);
        const int size = start == Ymodem::CodeSoh ? 133 : start == Ymodem::CodeStx ? 1029 : 1;
        if (at + size > wire.size())
            return {};
        packets.append({start, wire.mid(at, size)});
        at += size;
    }
    return packets;
}

// Checks one block: start byte, number and complement, data field, CRC.
void verifyBlock(const Packet &packet, char start, quint8 number, const QByteArray &data)
{
    QCOMPARE(int(packet.start), int(start));
    QCOMPARE(quint8(packet.bytes.at(1)), number);
    QCOMPARE(quint8(packet.bytes.at(2)), quint8(0xFF - number));
    const QByteArray field = packet.bytes.mid(3, packet.bytes.size() - 5);
    QCOMPARE(field, data);
    const quint16 crc = Ymodem::crc16(reinterpret_cast<const uint8_t *>(field.constData()), uint32_t(field.size()));
    QCOMPARE(quint8(packet.bytes.at(packet.bytes.size() - 2)), quint8(crc >> 8));
    QCOMPARE(quint8(packet.bytes.at(packet.bytes.size() - 1)), quint8(crc & 0xFF));
}

} // namespace

class tst_YmodemFileTransmit : public QObject
{
    Q_OBJECT

private slots:
    void init() { skipIfRunElsewhere(); }
    void sendsToRb_data();
    void sendsToRb();
    void spoiledLine_data();
    void spoiledLine();
    void unreadableFile_data();
    void unreadableFile();
    void slowReceiver();
    void receiverClearingItsInputLosesNothing();
    void lineFailure();
    void portCannotOpen();
};

void tst_YmodemFileTransmit::sendsToRb_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("empty") << 0;
    QTest::newRow("one byte") << 1;
    QTest::newRow("one small block exactly") << 128;
    QTest::newRow("just over a small block") << 129;
    QTest::newRow("one large block exactly") << 1024;
    QTest::newRow("large block then small") << 1100;
    QTest::newRow("two large blocks") << 2048;
    QTest::newRow("block numbers wrap") << 300 * 1024 + 77;
}

void tst_YmodemFileTransmit::sendsToRb()
{
    QFETCH(int, size);
    QTemporaryDir source;
    const QString name = QStringLiteral("rk21_fw.bin");
    const QByteArray image = randomBytes(size, quint32(size) + 7);
    QVERIFY(writeFile(source.filePath(name), image));

    Line line;
    QVERIFY(line.isValid());
    QVERIFY(line.startReceiver());
    line.sender.setFileName(source.filePath(name));
    QVERIFY(line.sender.startTransmit());
    QVERIFY(line.waitForFinalStatus());
    QVERIFY(line.receiver().waitForExit(ReceiverEndMs));
    QCOMPARE(line.finalStatus(), YmodemFileTransmit::StatusFinished);
    QVERIFY2(line.receiver().succeeded(), line.receiver().errorOutput().constData());
    QCOMPARE(line.received(name), image);

    // Establishing once, then one Transmitting per data block and one at the end of the file,
    // then the outcome once.
    int dataBlocks = 0;
    for (int left = size; left > 0; left -= left <= 128 ? 128 : 1024)
        ++dataBlocks;
    QCOMPARE(line.statuses.size(), dataBlocks + 3);
    QCOMPARE(line.statuses.first(), YmodemFileTransmit::StatusEstablishing);
    for (int i = 1; i < line.statuses.size() - 1; ++i)
        QCOMPARE(line.statuses.at(i), YmodemFileTransmit::StatusTransmitting);
    QCOMPARE(line.progress.size(), dataBlocks);
    for (int i = 1; i < line.progress.size(); ++i)
        QVERIFY(line.progress.at(i) >= line.progress.at(i - 1));
    if (size > 0)
        QCOMPARE(line.progress.last(), 100);

    // The outcome is told only after the receiver's last byte has had time to settle.
    QVERIFY(line.finalStatusNs - line.proxy().lastDeliveryNs(LineProxy::SideA) >= FinalStatusDelayMs * 1000000LL);

    // What went over the line: header, data blocks with their padding, EOTs, closing block.
    const QList<Packet> packets = splitPackets(line.proxy().deliveredTo(LineProxy::SideB));
    QVERIFY(packets.size() >= dataBlocks + 3);
    QByteArray header = name.toLatin1() + '\0' + QByteArray::number(size) + '\0';
    header.append(QByteArray(128 - header.size(), '\0'));
    verifyBlock(packets.at(0), Ymodem::CodeSoh, 0, header);
    int offset = 0;
    for (int block = 1; block <= dataBlocks; ++block) {
        const int remaining = size - offset;
        const int field = remaining <= 128 ? 128 : 1024;
        const QByteArray piece = image.mid(offset, field);
        const char padding = block == 1 ? '\0' : '\x1A';
        verifyBlock(packets.at(block), field == 128 ? Ymodem::CodeSoh : Ymodem::CodeStx, quint8(block),
                    piece + QByteArray(field - piece.size(), padding));
        offset += piece.size();
    }
    for (int i = dataBlocks + 1; i < packets.size() - 1; ++i)
        QCOMPARE(int(packets.at(i).start), int(Ymodem::CodeEot));
    verifyBlock(packets.last(), Ymodem::CodeSoh, 0, QByteArray(128, '\0'));
    QCOMPARE(packets.last().bytes.right(2), QByteArray(2, '\0'));
}

void tst_YmodemFileTransmit::spoiledLine_data()
{
    QTest::addColumn<double>("dropRate");
    QTest::addColumn<double>("corruptRate");
    QTest::addColumn<double>("delayRate");
    QTest::addColumn<int>("delayMs");
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<bool>("expectGiveUp");
    QTest::newRow("dropped bytes, seed 1") << 0.0003 << 0.0 << 0.0 << 0 << 1u << false;
    QTest::newRow("dropped bytes, seed 2") << 0.0003 << 0.0 << 0.0 << 0 << 2u << false;
    QTest::newRow("changed bytes, seed 3") << 0.0 << 0.0003 << 0.0 << 0 << 3u << false;
    QTest::newRow("changed bytes, seed 4") << 0.0 << 0.0003 << 0.0 << 0 << 4u << false;
    QTest::newRow("held back pieces, seed 5") << 0.0 << 0.0 << 0.2 << 400 << 5u << false;
    QTest::newRow("everything, seed 6") << 0.0002 << 0.0002 << 0.1 << 300 << 6u << false;
    QTest::newRow("everything, seed 7") << 0.0002 << 0.0002 << 0.1 << 300 << 7u << false;
    QTest::newRow("hopeless line, seed 8") << 0.05 << 0.05 << 0.0 << 0 << 8u << true;
}

void tst_YmodemFileTransmit::spoiledLine()
{
    QFETCH(double, dropRate);
    QFETCH(double, corruptRate);
    QFETCH(double, delayRate);
    QFETCH(int, delayMs);
    QFETCH(quint32, seed);
    QFETCH(bool, expectGiveUp);

    QTemporaryDir source;
    const QString name = QStringLiteral("image.bin");
    const QByteArray image = randomBytes(6000, seed);
    QVERIFY(writeFile(source.filePath(name), image));

    Line line(seed);
    QVERIFY(line.isValid());
    line.proxy().setFaults({dropRate, corruptRate, delayRate, delayMs});
    QVERIFY(line.startReceiver());
    line.sender.setPollInterval(FastPollMs);
    line.sender.setFileName(source.filePath(name));
    QVERIFY(line.sender.startTransmit());
    QVERIFY2(line.waitForFinalStatus(), "the sender never ended");
    if (line.finalStatus() != YmodemFileTransmit::StatusFinished)
        qInfo() << "gave up with status" << line.finalStatus();
    QVERIFY(!expectGiveUp || line.finalStatus() != YmodemFileTransmit::StatusFinished);
    // Finished means rb has the image; and whatever the sender says, rb never claims a file it
    // did not get whole.
    const bool rbEnded = line.receiver().waitForExit(ReceiverGiveUpMs);
    if (line.finalStatus() == YmodemFileTransmit::StatusFinished)
        QVERIFY2(line.receiver().succeeded(), line.receiver().errorOutput().constData());
    if (rbEnded && line.receiver().succeeded())
        QCOMPARE(line.received(name), image);
    const int finals = int(std::count_if(line.statuses.cbegin(), line.statuses.cend(), [](Status status) {
        return status != YmodemFileTransmit::StatusEstablishing && status != YmodemFileTransmit::StatusTransmitting;
    }));
    QCOMPARE(finals, 1);
}

void tst_YmodemFileTransmit::unreadableFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<int>("truncateAfterProgress");
    QTest::newRow("missing file") << QStringLiteral("missing.bin") << 0 << false << -1;
    QTest::newRow("name too long for the header") << QString(124, QLatin1Char('n')) << 2000 << true << -1;
    QTest::newRow("file shrinks while it is sent") << QStringLiteral("shrinking.bin") << 20000 << true << 1;
}

void tst_YmodemFileTransmit::unreadableFile()
{
    QFETCH(QString, name);
    QFETCH(int, size);
    QFETCH(bool, exists);
    QFETCH(int, truncateAfterProgress);

    QTemporaryDir source;
    const QString path = source.filePath(name);
    if (exists)
        QVERIFY(writeFile(path, randomBytes(size, 3)));

    Line line;
    QVERIFY(line.isValid());
    if (truncateAfterProgress >= 0) {
        QObject::connect(&line.sender, &YmodemFileTransmit::transmitProgress, [&] {
            if (line.progress.size() == truncateAfterProgress)
                QVERIFY(QFile::resize(path, 3000));
        });
    }
    QVERIFY(line.startReceiver());
    line.sender.setFileName(path);
    QVERIFY(line.sender.startTransmit());
    QVERIFY(line.waitForFinalStatus());
    QCOMPARE(line.finalStatus(), YmodemFileTransmit::StatusFailed);
    QVERIFY(line.proxy().deliveredTo(LineProxy::SideB).endsWith(QByteArray(5, Ymodem::CodeCan)));
    QVERIFY(line.receiver().waitForExit(ReceiverGiveUpMs));
    QVERIFY(!line.receiver().succeeded());
}

// A receiver that takes 15 ms over every answer (longer than a poll), as a boot loader writing
// its flash may: every packet still goes out exactly once, and the image arrives whole.
void tst_YmodemFileTransmit::slowReceiver()
{
    constexpr int AnswerDelayMs = 15;
    QTemporaryDir source;
    const QString name = QStringLiteral("image.bin");
    const QByteArray image = randomBytes(20 * 1024 + 300, 11);
    QVERIFY(writeFile(source.filePath(name), image));
    PtyPair pair;
    QVERIFY(pair.isValid());
    YmodemFileTransmit sender;
    QSignalSpy statuses(&sender, &YmodemFileTransmit::transmitStatus);
    sender.setPortName(pair.slavePath());
    sender.setFileName(source.filePath(name));

    // The receiver's side: cut what arrives into packets and answer each one late.
    QByteArray pending;
    QList<Packet> packets;
    int eots = 0;
    const auto answerLater = [&](const QByteArray &answer) {
        QTimer::singleShot(AnswerDelayMs, [&pair, answer] {
            if (::write(pair.masterFd(), answer.constData(), size_t(answer.size())) != answer.size())
                qWarning() << "the receiver could not answer";
        });
    };
    QSocketNotifier notifier(pair.masterFd(), QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, [&] {
        char buffer[4096];
        for (ssize_t count; (count = ::read(pair.masterFd(), buffer, sizeof buffer)) > 0;)
            pending.append(buffer, int(count));
        while (!pending.isEmpty()) {
            const char start = pending.at(0);
            const int size = start == Ymodem::CodeSoh ? 133 : start == Ymodem::CodeStx ? 1029 : 1;
            if (pending.size() < size)
                return;
            packets.append({start, pending.left(size)});
            pending.remove(0, size);
            if (start == Ymodem::CodeEot && ++eots == 1)
                answerLater(QByteArray(1, Ymodem::CodeNak)); // receivers refuse the first EOT
            else if (start == Ymodem::CodeEot)
                answerLater(QByteArray(1, Ymodem::CodeAck) + 'C');
            else if (start == Ymodem::CodeSoh && packets.size() == 1)
                answerLater(QByteArray(1, Ymodem::CodeAck) + 'C'); // the header
            else if (start == Ymodem::CodeSoh || start == Ymodem::CodeStx)
                answerLater(QByteArray(1, Ymodem::CodeAck));
        }
    });

    QVERIFY(sender.startTransmit());
    answerLater("C");
    QVERIFY(QTest::qWaitFor([&] { return !statuses.isEmpty() && statuses.last().at(0).value<Status>() > YmodemFileTransmit::StatusTransmitting; }, HangLimitMs));
    QCOMPARE(statuses.last().at(0).value<Status>(), YmodemFileTransmit::StatusFinished);

    // Header, 21 data blocks, EOT, EOT, closing block: nothing twice.
    QCOMPARE(packets.size(), 1 + 21 + 2 + 1);
    QByteArray received;
    for (int block = 1; block <= 21; ++block) {
        QCOMPARE(quint8(packets.at(block).bytes.at(1)), quint8(block));
        received += packets.at(block).bytes.mid(3, packets.at(block).bytes.size() - 5);
    }
    QCOMPARE(received.left(image.size()), image);
    QCOMPARE(int(packets.at(22).start), int(Ymodem::CodeEot));
    QCOMPARE(int(packets.at(23).start), int(Ymodem::CodeEot));
    QCOMPARE(packets.at(24).bytes.mid(1, 2), QByteArray("\x00\xFF", 2));
}

// A receiver that clears its input right after each of its answers, as lrzsz's rb does, loses
// nothing: the sender answers a turnaround after the receiver's bytes arrive, not at once.
void tst_YmodemFileTransmit::receiverClearingItsInputLosesNothing()
{
    QTemporaryDir source;
    const QString name = QStringLiteral("rk21_fw.bin");
    const QByteArray image = randomBytes(2 * 1024 + 300, 13);
    QVERIFY(writeFile(source.filePath(name), image));
    Line line;
    QVERIFY(line.isValid());
    LineProxy::Faults faults;
    faults.clearAfterAnswerUs = 500;
    line.proxy().setFaults(faults);
    QVERIFY(line.startReceiver());
    line.sender.setFileName(source.filePath(name));
    QVERIFY(line.sender.startTransmit());
    QVERIFY(line.waitForFinalStatusLive());
    QCOMPARE(line.finalStatus(), YmodemFileTransmit::StatusFinished);
    QCOMPARE(line.proxy().clearedTowardsB(), 0);
    QVERIFY(line.receiver().waitForExit(ReceiverEndMs));
    QCOMPARE(line.received(name), image);
}

void tst_YmodemFileTransmit::lineFailure()
{
    QTemporaryDir source;
    QVERIFY(writeFile(source.filePath(QStringLiteral("image.bin")), randomBytes(5000, 9)));
    PtyPair pair;
    QVERIFY(pair.isValid());
    YmodemFileTransmit sender;
    // Silence alone would take far longer than the wait below to end the transfer.
    sender.setPeriodLimit(1000000);
    QSignalSpy statuses(&sender, &YmodemFileTransmit::transmitStatus);
    sender.setPortName(pair.slavePath());
    sender.setFileName(source.filePath(QStringLiteral("image.bin")));
    QVERIFY(sender.startTransmit());

    QCOMPARE(::write(pair.masterFd(), "C", 1), ssize_t(1));
    QByteArray header;
    QVERIFY(QTest::qWaitFor([&] {
        char buffer[256];
        const ssize_t count = ::read(pair.masterFd(), buffer, sizeof buffer);
        if (count > 0)
            header.append(buffer, int(count));
        return header.size() >= 133;
    }, 10000));
    pair.closeMaster();

    QVERIFY(QTest::qWaitFor([&] { return statuses.size() >= 2; }, 60000));
    QCOMPARE(statuses.last().at(0).value<Status>(), YmodemFileTransmit::StatusFailed);
}

void tst_YmodemFileTransmit::portCannotOpen()
{
    QTemporaryDir source;
    QVERIFY(writeFile(source.filePath(QStringLiteral("image.bin")), QByteArray(10, 'x')));
    YmodemFileTransmit sender;
    QSignalSpy statuses(&sender, &YmodemFileTransmit::transmitStatus);
    QSignalSpy progress(&sender, &YmodemFileTransmit::transmitProgress);
    sender.setFileName(source.filePath(QStringLiteral("image.bin")));
    sender.setPortName(source.filePath(QStringLiteral("no-such-tty")));
    QVERIFY(!sender.startTransmit());
    QTest::qWait(300);
    QCOMPARE(statuses.size(), 0);
    QCOMPARE(progress.size(), 0);
}

QTEST_GUILESS_MAIN(tst_YmodemFileTransmit)
#include "tst_ymodemfiletransmit.moc"
