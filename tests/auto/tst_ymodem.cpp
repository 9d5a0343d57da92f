// The YMODEM engine against a scripted receiver: every poll is driven by hand, so counts of
// polls, resends and rejections are exact.

#include "firmware/ymodem.h"

#include <QtTest>

#include <cstring>

namespace {

using Status = Ymodem::Status;

constexpr int Resend = 500;     // polls between resends
constexpr int GiveUp = 3000;    // the silent poll that ends a wait
constexpr int Rejections = 1000; // the rejection that ends a transfer

// A receiver and a file in memory. The file has a configurable number of 1024-byte blocks,
// block k filled with the byte 'a' + k.
class ScriptedLine : public Ymodem
{
public:
    QByteArray input;
    QByteArray output;
    QList<Status> reports;
    int dataBlocks = 2;
    int blocksGiven = 0;
    Code headerAnswer = CodeAck;
    Code dataAnswer = CodeAck;
    bool lineFailed = false;
    bool writesFail = false;
    int takeAllCalls = 0;

    // Puts bytes on the line and runs one poll; returns what the sender wrote in that poll.
    QByteArray poll(const QByteArray &bytes = QByteArray())
    {
        input.append(bytes);
        const int before = output.size();
        transmit();
        return output.mid(before);
    }

    // Puts bytes on the line and runs the step that their arrival starts.
    QByteArray arrive(const QByteArray &bytes = QByteArray())
    {
        input.append(bytes);
        const int before = output.size();
        transmitReceived();
        return output.mid(before);
    }

    // Runs polls until the engine reaches the stage (1 to 5), answering like a good receiver
    // of a one-block file; returns the packet the last step sent.
    QByteArray driveTo(Stage stage)
    {
        dataBlocks = 1;
        const QList<QByteArray> steps[] = {{QByteArray()}, {QByteArray("C")}, {QByteArray(1, CodeAck)},
                                           {QByteArray(1, CodeAck)}, {QByteArray(1, CodeAck), QByteArray("C")}};
        QByteArray sent;
        for (int i = 0; i < int(stage); ++i) {
            for (const QByteArray &reply : steps[i])
                sent = poll(reply);
        }
        return sent;
    }

protected:
    Code handleStatus(Status status, uint8_t *buffer, uint32_t *length) override
    {
        reports << status;
        switch (status) {
        case StatusEstablishing:
            if (headerAnswer != CodeAck)
                return headerAnswer;
            std::memcpy(buffer, "f.bin\0" "2048\0", 11);
            *length = SmallDataSize;
            return CodeAck;
        case StatusTransmitting:
            if (dataAnswer != CodeAck)
                return dataAnswer;
            if (blocksGiven == dataBlocks)
                return CodeEot;
            std::memset(buffer, 'a' + blocksGiven++, LargeDataSize);
            *length = LargeDataSize;
            return CodeAck;
        default:
            return status == StatusFinished ? CodeAck : CodeCan;
        }
    }

    int64_t readBytes(uint8_t *buffer, uint32_t length) override
    {
        if (lineFailed)
            return -1;
        const int count = qMin(int(length), input.size());
        std::memcpy(buffer, input.constData(), size_t(count));
        input.remove(0, count);
        return count;
    }

    int64_t writeBytes(uint8_t *buffer, uint32_t length) override
    {
        if (writesFail)
            return -1;
        output.append(reinterpret_cast<const char *>(buffer), int(length));
        return length;
    }

    QByteArray takeAllInput() override
    {
        ++takeAllCalls;
        const QByteArray all = input;
        input.clear();
        return all;
    }
};

const QByteArray Cancels(5, Ymodem::CodeCan);

QByteArray block(char start, quint8 number, const QByteArray &data)
{
    const quint16 crc = Ymodem::crc16(reinterpret_cast<const uint8_t *>(data.constData()), uint32_t(data.size()));
    return QByteArray(1, start) + char(number) + char(0xFF - number) + data + char(crc >> 8) + char(crc & 0xFF);
}

} // namespace

class tst_Ymodem : public QObject
{
    Q_OBJECT

private slots:
    void crc16_data();
    void crc16();
    void normalExchange();
    void rejectionsUpToTheLimit_data();
    void rejectionsUpToTheLimit();
    void cancelAtEveryStage_data();
    void cancelAtEveryStage();
    void silence_data();
    void silence();
    void arrivalsAreNotSilentPolls_data();
    void arrivalsAreNotSilentPolls();
    void repliesAnsweredOnArrival();
    void incomingFramesAreNotReplies();
    void lineFailure_data();
    void lineFailure();
    void hookGivesUp_data();
    void hookGivesUp();

private:
    void waitOutSilence(bool arrivalsFirst);
};

void tst_Ymodem::crc16_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("crc");
    QTest::newRow("check value") << QByteArray("123456789") << 0x31C3;
    QTest::newRow("one letter") << QByteArray("A") << 0x58E5;
    QTest::newRow("closing block") << QByteArray(128, '\0') << 0x0000;
}

void tst_Ymodem::crc16()
{
    QFETCH(QByteArray, data);
    QFETCH(int, crc);
    QCOMPARE(int(Ymodem::crc16(reinterpret_cast<const uint8_t *>(data.constData()), uint32_t(data.size()))), crc);
}

void tst_Ymodem::normalExchange()
{
    ScriptedLine line;
    QByteArray header("f.bin\0" "2048\0", 11);
    header.append(QByteArray(128 - header.size(), '\0'));

    QCOMPARE(line.poll("C"), QByteArray()); // the first poll only leaves the idle stage
    QCOMPARE(line.poll(), block(Ymodem::CodeSoh, 0, header));
    QCOMPARE(line.poll(QByteArray(1, Ymodem::CodeAck) + 'C'), block(Ymodem::CodeStx, 1, QByteArray(1024, 'a')));
    QCOMPARE(line.poll(), QByteArray()); // the 'C' behind the ACK is no reason to resend
    QCOMPARE(line.poll(QByteArray(1, Ymodem::CodeAck)), block(Ymodem::CodeStx, 2, QByteArray(1024, 'b')));
    QCOMPARE(line.poll(QByteArray(1, Ymodem::CodeAck)), QByteArray(1, Ymodem::CodeEot));
    QCOMPARE(line.poll(QByteArray(1, Ymodem::CodeNak)), QByteArray(1, Ymodem::CodeEot));
    QCOMPARE(line.poll(QByteArray(1, Ymodem::CodeAck)), QByteArray());
    QCOMPARE(line.poll("C"), block(Ymodem::CodeSoh, 0, QByteArray(128, '\0')));
    QCOMPARE(line.poll(QByteArray(1, Ymodem::CodeAck)), QByteArray());

    const QList<Status> expected = {Ymodem::StatusEstablishing, Ymodem::StatusTransmitting,
                                    Ymodem::StatusTransmitting, Ymodem::StatusTransmitting, Ymodem::StatusFinished};
    QCOMPARE(line.reports, expected);
}

void tst_Ymodem::rejectionsUpToTheLimit_data()
{
    QTest::addColumn<int>("stage");
    QTest::addColumn<char>("rejection");
    QTest::addColumn<bool>("resends");
    QTest::addColumn<int>("errorLimit");
    QTest::newRow("NAK for block 0") << int(Ymodem::StageEstablished) << char(Ymodem::CodeNak) << true << -1;
    QTest::newRow("queued C before block 0's ACK") << int(Ymodem::StageEstablished) << 'C' << false << -1;
    QTest::newRow("NAK for a data block") << int(Ymodem::StageTransmitting) << char(Ymodem::CodeNak) << true << -1;
    QTest::newRow("NAK for EOT") << int(Ymodem::StageFinishing) << char(Ymodem::CodeNak) << true << -1;
    QTest::newRow("C for an unacknowledged EOT") << int(Ymodem::StageFinishing) << 'C' << true << -1;
    QTest::newRow("NAK for the closing block") << int(Ymodem::StageFinished) << char(Ymodem::CodeNak) << true << -1;
    QTest::newRow("C for the closing block") << int(Ymodem::StageFinished) << 'C' << true << -1;
    QTest::newRow("lowered limit") << int(Ymodem::StageTransmitting) << char(Ymodem::CodeNak) << true << 3;
}

void tst_Ymodem::rejectionsUpToTheLimit()
{
    QFETCH(int, stage);
    QFETCH(char, rejection);
    QFETCH(bool, resends);
    QFETCH(int, errorLimit);

    ScriptedLine line;
    if (errorLimit >= 0)
        line.setErrorLimit(uint32_t(errorLimit));
    const int fatal = errorLimit >= 0 ? errorLimit + 1 : Rejections;
    const QByteArray packet = line.driveTo(Ymodem::Stage(stage));
    const int reportsBefore = line.reports.size();

    for (int i = 1; i < fatal; ++i) {
        // ACKs queued behind a 'C' in stage 2 are thrown away with it, never read as replies.
        const QByteArray sent = line.poll(QByteArray(1, rejection) + (resends ? QByteArray() : QByteArray(3, 0x06)));
        QCOMPARE(sent, resends ? packet : QByteArray());
        QCOMPARE(line.input, QByteArray());
    }
    QCOMPARE(line.reports.size(), reportsBefore);
    QCOMPARE(line.takeAllCalls, resends ? 0 : fatal - 1);

    QCOMPARE(line.poll(QByteArray(1, rejection)), Cancels);
    QCOMPARE(line.reports.size(), reportsBefore + 1);
    QCOMPARE(line.reports.last(), Ymodem::StatusFailed);
    QCOMPARE(line.poll(QByteArray(1, rejection)), QByteArray()); // idle again: nothing is read
}

void tst_Ymodem::cancelAtEveryStage_data()
{
    QTest::addColumn<int>("stage");
    QTest::addColumn<char>("cancel");
    const char cancels[] = {char(Ymodem::CodeCan), 'A', 'a'};
    for (int stage = Ymodem::StageEstablishing; stage <= Ymodem::StageFinished; ++stage) {
        for (char cancel : cancels)
            QTest::addRow("stage %d, byte 0x%02x", stage, quint8(cancel)) << stage << cancel;
    }
}

void tst_Ymodem::cancelAtEveryStage()
{
    QFETCH(int, stage);
    QFETCH(char, cancel);

    ScriptedLine line;
    line.driveTo(Ymodem::Stage(stage));
    const int reportsBefore = line.reports.size();
    // The receiver's cancel is answered with nothing: it has already given up.
    QCOMPARE(line.poll(QByteArray(1, cancel)), QByteArray());
    QCOMPARE(line.reports.size(), reportsBefore + 1);
    QCOMPARE(line.reports.last(), Ymodem::StatusAborted);

    // The next transfer starts with a clean handshake.
    line.blocksGiven = 0;
    QCOMPARE(line.poll("C"), QByteArray());
    const QByteArray header = line.poll();
    QCOMPARE(header.size(), 133);
    QCOMPARE(quint8(header.at(1)), quint8(0));
    QCOMPARE(line.reports.last(), Ymodem::StatusEstablishing);
}

void tst_Ymodem::silence_data()
{
    QTest::addColumn<int>("stage");
    QTest::addColumn<QByteArray>("noise");
    QTest::addColumn<int>("timeOutStatus");
    QTest::addColumn<bool>("resends");
    QTest::addColumn<int>("tickDivider");
    QTest::addColumn<int>("periodLimit");
    const int timedOut = Ymodem::StatusTimedOut;
    const int failed = Ymodem::StatusFailed;
    QTest::newRow("no C at the start") << 1 << QByteArray() << timedOut << false << -1 << -1;
    QTest::newRow("NAK instead of C") << 1 << QByteArray(1, Ymodem::CodeNak) << timedOut << false << -1 << -1;
    QTest::newRow("silent after block 0") << 2 << QByteArray() << failed << true << -1 << -1;
    QTest::newRow("noise after block 0") << 2 << QByteArray(1, '\0') << failed << true << -1 << -1;
    QTest::newRow("silent after a data block") << 3 << QByteArray() << failed << true << -1 << -1;
    QTest::newRow("C after a data block") << 3 << QByteArray("C") << failed << true << -1 << -1;
    QTest::newRow("silent after EOT") << 4 << QByteArray() << failed << true << -1 << -1;
    QTest::newRow("ACKs after EOT") << 4 << QByteArray(1, Ymodem::CodeAck) << failed << true << -1 << -1;
    QTest::newRow("silent after the closing block") << 5 << QByteArray() << failed << true << -1 << -1;
    QTest::newRow("EOT after the closing block") << 5 << QByteArray(1, Ymodem::CodeEot) << failed << true << -1 << -1;
    QTest::newRow("lowered limits") << 3 << QByteArray() << failed << true << 9 << 2;
}

void tst_Ymodem::silence()
{
    waitOutSilence(false);
}

// Polls a silent (or noisy) receiver until the stage's time-out; with arrivals, first lets many
// bytes arrive between polls.
void tst_Ymodem::waitOutSilence(bool arrivalsFirst)
{
    QFETCH(int, stage);
    QFETCH(QByteArray, noise);
    QFETCH(int, timeOutStatus);
    QFETCH(bool, resends);
    QFETCH(int, tickDivider);
    QFETCH(int, periodLimit);

    ScriptedLine line;
    if (tickDivider >= 0) {
        line.setTickDivider(uint32_t(tickDivider));
        line.setPeriodLimit(uint32_t(periodLimit));
    }
    const int period = tickDivider >= 0 ? tickDivider + 1 : Resend;
    const int giveUp = tickDivider >= 0 ? period * (periodLimit + 1) : GiveUp;

    const QByteArray packet = line.driveTo(Ymodem::Stage(stage));
    const int reportsBefore = line.reports.size();
    if (arrivalsFirst) {
        // However many bytes arrive between polls, they neither bring a resend nor the time-out
        // nearer: the polls below still count from the stage's start.
        for (int arrival = 0; arrival < 2 * giveUp; ++arrival) {
            if (!line.arrive(noise).isEmpty())
                QFAIL(qPrintable(QStringLiteral("arrival %1 sent something").arg(arrival)));
        }
        QCOMPARE(line.reports.size(), reportsBefore);
    }
    for (int poll = 1; poll < giveUp; ++poll) {
        const QByteArray sent = line.poll(noise);
        const QByteArray expected = resends && poll % period == 0 ? packet : QByteArray();
        if (sent != expected)
            QFAIL(qPrintable(QStringLiteral("poll %1 sent %2 bytes, expected %3").arg(poll).arg(sent.size()).arg(expected.size())));
    }
    QCOMPARE(line.reports.size(), reportsBefore);
    QCOMPARE(line.poll(noise), Cancels);
    QCOMPARE(line.reports.size(), reportsBefore + 1);
    QCOMPARE(int(line.reports.last()), timeOutStatus);
}

void tst_Ymodem::arrivalsAreNotSilentPolls_data()
{
    silence_data();
}

void tst_Ymodem::arrivalsAreNotSilentPolls()
{
    waitOutSilence(true);
}

void tst_Ymodem::repliesAnsweredOnArrival()
{
    ScriptedLine line;
    // Before the first poll the transfer has not started: an early 'C' waits for it.
    QCOMPARE(line.arrive("C"), QByteArray());
    QCOMPARE(line.input, QByteArray("C"));
    QCOMPARE(line.poll(), QByteArray());
    QCOMPARE(line.arrive().left(3), QByteArray("\x01\x00\xFF", 3));

    // Each reply is answered by the step its arrival starts, one control byte per step.
    QCOMPARE(line.arrive(QByteArray(1, Ymodem::CodeAck) + 'C'), block(Ymodem::CodeStx, 1, QByteArray(1024, 'a')));
    QCOMPARE(line.arrive(), QByteArray());
    QCOMPARE(line.arrive(QByteArray(1, Ymodem::CodeNak)), block(Ymodem::CodeStx, 1, QByteArray(1024, 'a')));
    QCOMPARE(line.arrive(QByteArray(1, Ymodem::CodeAck)), block(Ymodem::CodeStx, 2, QByteArray(1024, 'b')));
    QCOMPARE(line.arrive(QByteArray(1, Ymodem::CodeAck)), QByteArray(1, Ymodem::CodeEot));
    QCOMPARE(line.arrive(QByteArray(1, Ymodem::CodeNak)), QByteArray(1, Ymodem::CodeEot));
    QCOMPARE(line.arrive(QByteArray(1, Ymodem::CodeAck)), QByteArray());
    QCOMPARE(line.arrive("C"), block(Ymodem::CodeSoh, 0, QByteArray(128, '\0')));
    QCOMPARE(line.arrive(QByteArray(1, Ymodem::CodeAck)), QByteArray());
    QCOMPARE(line.reports.last(), Ymodem::StatusFinished);

    // Once finished, arriving bytes start nothing.
    QCOMPARE(line.arrive("C"), QByteArray());
    QCOMPARE(line.input, QByteArray("C"));
}

void tst_Ymodem::incomingFramesAreNotReplies()
{
    ScriptedLine line;
    line.driveTo(Ymodem::StageTransmitting);
    line.dataBlocks = 3;
    // A whole SOH frame and a whole STX frame made of ACK bytes arrive in pieces: none of
    // their bytes may count as an ACK.
    const QByteArray smallFrame = QByteArray(1, Ymodem::CodeSoh) + QByteArray(132, Ymodem::CodeAck);
    const QByteArray largeFrame = QByteArray(1, Ymodem::CodeStx) + QByteArray(1028, Ymodem::CodeAck);
    QCOMPARE(line.poll(smallFrame.left(40)), QByteArray());
    QCOMPARE(line.poll(smallFrame.mid(40)), QByteArray());
    QCOMPARE(line.poll(largeFrame.left(1)), QByteArray());
    QCOMPARE(line.poll(largeFrame.mid(1, 500)), QByteArray());
    QCOMPARE(line.poll(largeFrame.mid(501)), QByteArray());
    QCOMPARE(line.poll(), QByteArray());
    // Now a real ACK: exactly one next block, block 2, padded with 0x1A after block 1.
    QCOMPARE(line.poll(QByteArray(1, Ymodem::CodeAck)), block(Ymodem::CodeStx, 2, QByteArray(1024, 'b')));
    QCOMPARE(line.poll(), QByteArray());
}

void tst_Ymodem::lineFailure_data()
{
    QTest::addColumn<int>("stage");
    QTest::addColumn<bool>("readFails");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QList<int>>("reports");
    const int failed = Ymodem::StatusFailed;
    const int establishing = Ymodem::StatusEstablishing;
    const int transmitting = Ymodem::StatusTransmitting;
    const QByteArray ack(1, Ymodem::CodeAck);
    const QByteArray nak(1, Ymodem::CodeNak);
    // The reply waiting on the line would move the transfer on; a dead line must end it
    // instead, and no old byte of the receive buffer may stand in for the reply.
    QTest::newRow("read fails waiting for C") << 1 << true << QByteArray("C") << QList<int>{failed};
    QTest::newRow("read fails after block 0") << 2 << true << ack << QList<int>{failed};
    QTest::newRow("read fails after a data block") << 3 << true << ack << QList<int>{failed};
    QTest::newRow("read fails after EOT") << 4 << true << QByteArray("C") << QList<int>{failed};
    QTest::newRow("read fails after the closing block") << 5 << true << ack << QList<int>{failed};
    QTest::newRow("write fails for block 0") << 1 << false << QByteArray("C") << QList<int>{establishing, failed};
    QTest::newRow("write fails for block 1") << 2 << false << ack << QList<int>{transmitting, failed};
    QTest::newRow("write fails for EOT") << 3 << false << ack << QList<int>{transmitting, failed};
    QTest::newRow("write fails for a repeated EOT") << 4 << false << QByteArray("C") << QList<int>{failed};
    QTest::newRow("write fails for a resend") << 5 << false << nak << QList<int>{failed};
}

void tst_Ymodem::lineFailure()
{
    QFETCH(int, stage);
    QFETCH(bool, readFails);
    QFETCH(QByteArray, reply);
    QFETCH(QList<int>, reports);

    ScriptedLine line;
    line.driveTo(Ymodem::Stage(stage));
    const int reportsBefore = line.reports.size();
    (readFails ? line.lineFailed : line.writesFail) = true;
    const QByteArray sent = line.poll(reply);
    QList<int> added;
    for (int i = reportsBefore; i < line.reports.size(); ++i)
        added << int(line.reports.at(i));
    QCOMPARE(added, reports);
    if (readFails)
        QCOMPARE(sent, Cancels);
    line.lineFailed = line.writesFail = false;
    QCOMPARE(line.poll("C"), QByteArray()); // idle again
}

void tst_Ymodem::hookGivesUp_data()
{
    QTest::addColumn<bool>("inHeader");
    QTest::newRow("file cannot be opened") << true;
    QTest::newRow("file cannot be read") << false;
}

void tst_Ymodem::hookGivesUp()
{
    QFETCH(bool, inHeader);
    ScriptedLine line;
    (inHeader ? line.headerAnswer : line.dataAnswer) = Ymodem::CodeCan;
    line.poll();
    QByteArray sent = line.poll("C");
    if (!inHeader) {
        QCOMPARE(sent.size(), 133);
        sent = line.poll(QByteArray(1, Ymodem::CodeAck));
    }
    QCOMPARE(sent, Cancels);
    // The hook has reported the failure itself; the engine adds no report of its own.
    QCOMPARE(line.reports.size(), inHeader ? 1 : 2);
    QCOMPARE(line.poll("C"), QByteArray()); // idle again
}

QTEST_GUILESS_MAIN(tst_Ymodem)
#include "tst_ymodem.moc"
