#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <atomic>
#include <optional>
#include <variant>

class PseudoTerminal;

// The receiving side of a YMODEM batch (CRC-16, 128- and 1024-byte blocks) for one file, the way
// a boot loader takes its image: 'C' until block 0 brings the name and size, then the data blocks
// with ACK or NAK, the end of the file (a first EOT is answered with NAK and taken only when the
// sender repeats it), 'C' again for the closing empty block 0.
//
// It runs on the caller's thread and blocks, but every wait is bounded (see the .cpp), so noise,
// a silent or vanished sender or a torn transfer all end in a result; a stop request is seen
// within 50 ms.
class YmodemReceiver
{
    Q_GADGET
public:
    enum class Result {
        Received,  // the file as block 0 announced it, and the batch ended
        Cancelled, // the sender cancelled (two CAN in a row)
        Refused,   // block 0 announced no size, or a size outside the accepted range; CAN sent
        Failed,    // no file, blocks out of order, too many bad blocks, less or more data than announced; CAN sent
        TimedOut,  // the sender stopped answering; CAN sent
        LineLost,  // the host let go of the port
        Stopped,   // a stop was requested
        PowerLost  // the power went in the middle of the data (setPowerCut); nothing more was sent
    };
    Q_ENUM(Result)

    YmodemReceiver(PseudoTerminal &line, const std::atomic<bool> &stopRequested);

    // The file sizes block 0 may announce, in bytes.
    void setSizeRange(qint64 minimum, qint64 maximum);
    // Plays a power cut: once the data blocks have brought `percent` % of the announced size, the
    // receiver falls silent at once (no ACK for that block) and receive() returns PowerLost.
    // Negative: never.
    void setPowerCut(int percent) { m_powerCutPercent = percent; }

    Result receive();

    QString fileName() const { return m_fileName; }
    // The announced size; -1 until a block 0 has been accepted.
    qint64 declaredSize() const { return m_declaredSize; }
    // The file's bytes, without the padding of its last block; empty unless it was Received.
    QByteArray data() const { return m_data; }
    // Why the last receive ended, when it did not succeed.
    QString errorString() const { return m_error; }

    static QString resultName(Result result);

private:
    struct Packet {
        enum Kind { Nothing, Block, Bad, Eot, Cancel, Garbage, LineLost, Stopped };
        Kind kind = Nothing;
        quint8 number = 0;
        QByteArray data;
    };

    // What an EOT means while block 0 is asked for: noise before the file, or the sender's repeat
    // of the end when our ACK of it was lost.
    enum class EndOfFile { Noise, AckLost };

    std::variant<Packet, Result> requestBlockZero(const QString &name, EndOfFile eot);
    std::optional<Result> receiveHeader();
    std::optional<Result> acceptHeader(const QByteArray &data);
    std::optional<Result> receiveData();
    std::optional<Result> receiveClosingBlock();
    void linger();

    Packet readPacket(int timeoutMs);
    Packet readBlock(int dataSize);
    int nextByte(int timeoutMs);
    void purge();
    bool send(const QByteArray &bytes);
    bool send(quint8 code);
    Result giveUp(Result result, const QString &reason);
    Result ended(const Packet &packet);
    Result lineLost();

    PseudoTerminal &m_line;
    const std::atomic<bool> &m_stopRequested;
    qint64 m_minimumSize = 0;
    qint64 m_maximumSize;
    int m_powerCutPercent = -1;
    QByteArray m_input;
    int m_inputPos = 0;
    QString m_fileName;
    qint64 m_declaredSize = -1;
    QByteArray m_data;
    QString m_error;
};
