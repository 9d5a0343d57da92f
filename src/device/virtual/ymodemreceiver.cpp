#include "device/virtual/ymodemreceiver.h"

#include "config/ymodemprotocol.h"
#include "device/pseudoterminal/pseudoterminal.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QMetaEnum>

namespace {

// The receiver's pace, in the spirit of the classic XMODEM/YMODEM receivers: ask, wait a second,
// ask again, and give up after ten tries.
constexpr int RequestIntervalMs = 1000; // 'C' again after this long without a block 0
constexpr int MaxRequests = 10;         // unanswered 'C' (about 10 s) before the sender counts as gone
constexpr int BlockTimeoutMs = 1000;    // wait for the next block's first byte before a NAK
constexpr int ByteTimeoutMs = 1000;     // gap allowed inside a block (and between two CANs)
constexpr int MaxErrors = 10;           // bad or missing tries of one block before giving up
// After a bad block the rest of it is thrown away until the line has been quiet this long, or
// for at most PurgeLimitMs: a line full of noise never goes quiet.
constexpr int PurgeQuietMs = 100;
constexpr int PurgeLimitMs = 1000;
// After the last ACK: the sender repeats the closing block when that ACK is lost (after 5 s of
// silence), so repeats are answered for this long unless the host lets go of the port first.
constexpr int LingerMs = 6000;
constexpr int WaitSliceMs = 50;         // how often a stop request is looked at while waiting
constexpr int ReadChunkBytes = 4096;    // taken from the line at once
constexpr qint64 DefaultMaximumBytes = 16 * 1024 * 1024;
constexpr int MaxSizeDigits = 18;       // more would not fit a qint64

// nextByte(): a byte value, or one of these.
constexpr int ReadTimedOut = -1;
constexpr int ReadLineLost = -2;
constexpr int ReadStopped = -3;

bool isDecimal(const QByteArray &text)
{
    if (text.isEmpty() || text.size() > MaxSizeDigits)
        return false;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

} // namespace

YmodemReceiver::YmodemReceiver(PseudoTerminal &line, const std::atomic<bool> &stopRequested)
    : m_line(line)
    , m_stopRequested(stopRequested)
    , m_maximumSize(DefaultMaximumBytes)
{
}

void YmodemReceiver::setSizeRange(qint64 minimum, qint64 maximum)
{
    m_minimumSize = minimum;
    m_maximumSize = maximum;
}

QString YmodemReceiver::resultName(Result result)
{
    return QString::fromLatin1(QMetaEnum::fromType<Result>().valueToKey(static_cast<int>(result)));
}

YmodemReceiver::Result YmodemReceiver::receive()
{
    m_fileName.clear();
    m_declaredSize = -1;
    m_data.clear();
    m_error.clear();
    m_input.clear();
    m_inputPos = 0;
    // Whatever an earlier host left on the line is not part of this transfer.
    purge();
    std::optional<Result> end = receiveHeader();
    if (!end)
        end = receiveData();
    if (!end)
        end = receiveClosingBlock();
    if (end) {
        // Part of an image is no image.
        m_data.clear();
        return *end;
    }
    qDebug().noquote() << QStringLiteral("YMODEM receiver: received \"%1\", %2 bytes").arg(m_fileName).arg(m_data.size());
    linger();
    return Result::Received;
}

// Asks for a block 0 (the file header, the closing block) with 'C' until one comes intact, and
// returns it, or how the phase ended: silence gets the next 'C', up to MaxRequests of them; a
// damaged block is asked for again at once with NAK and noise gets the next 'C', up to MaxErrors
// tries. `name` is the block's name in the reasons given.
std::variant<YmodemReceiver::Packet, YmodemReceiver::Result> YmodemReceiver::requestBlockZero(const QString &name, EndOfFile eot)
{
    int unanswered = 0;
    int errors = 0;
    bool ask = true;
    for (;;) {
        if (ask && !send(YmodemProtocol::CrcRequest))
            return lineLost();
        ask = true;
        const Packet packet = readPacket(RequestIntervalMs);
        switch (packet.kind) {
        case Packet::Nothing:
            if (++unanswered == MaxRequests)
                return giveUp(Result::TimedOut, QStringLiteral("no answer to %1 requests for the %2").arg(MaxRequests).arg(name));
            continue;
        case Packet::Block:
            return packet;
        case Packet::Eot:
            if (eot == EndOfFile::AckLost) {
                if (!send(YmodemProtocol::Ack))
                    return lineLost();
                continue;
            }
            Q_FALLTHROUGH();
        case Packet::Bad:
        case Packet::Garbage:
            if (++errors > MaxErrors)
                return giveUp(Result::Failed, QStringLiteral("no intact %1 in %2 tries").arg(name).arg(MaxErrors));
            qDebug().noquote() << QStringLiteral("YMODEM receiver: no intact %1, try %2 of %3").arg(name).arg(errors).arg(MaxErrors);
            purge();
            // A damaged block 0 is asked for again at once; noise only gets the next 'C'.
            if (packet.kind == Packet::Bad) {
                if (!send(YmodemProtocol::Nak))
                    return lineLost();
                ask = false;
            }
            continue;
        default:
            return ended(packet);
        }
    }
}

std::optional<YmodemReceiver::Result> YmodemReceiver::receiveHeader()
{
    const auto answer = requestBlockZero(QStringLiteral("file header"), EndOfFile::Noise);
    if (const auto *end = std::get_if<Result>(&answer))
        return *end;
    const Packet &packet = std::get<Packet>(answer);
    if (packet.number != 0)
        return giveUp(Result::Failed, QStringLiteral("block %1 came before the file header").arg(packet.number));
    return acceptHeader(packet.data);
}

std::optional<YmodemReceiver::Result> YmodemReceiver::acceptHeader(const QByteArray &data)
{
    // Block 0: the name, NUL, the size in decimal (optionally followed by a space and more
    // fields), NUL, zero padding.
    const int nameEnd = data.indexOf('\0');
    if (nameEnd == 0)
        return giveUp(Result::Failed, QStringLiteral("the batch holds no file"));
    if (nameEnd < 0)
        return giveUp(Result::Refused, QStringLiteral("the file header has no end to its name"));
    const QByteArray fields = data.mid(nameEnd + 1);
    int sizeEnd = 0;
    while (sizeEnd < fields.size() && fields.at(sizeEnd) != '\0' && fields.at(sizeEnd) != ' ')
        ++sizeEnd;
    const QByteArray sizeText = fields.left(sizeEnd);
    const QString name = QString::fromLocal8Bit(data.left(nameEnd));
    if (!isDecimal(sizeText))
        return giveUp(Result::Refused, QStringLiteral("the file header of %1 gives no size").arg(name));
    const qint64 size = sizeText.toLongLong();
    if (size < m_minimumSize || size > m_maximumSize) {
        return giveUp(Result::Refused, QStringLiteral("%1 announces %2 bytes; %3 to %4 bytes are accepted")
                                           .arg(name).arg(size).arg(m_minimumSize).arg(m_maximumSize));
    }
    m_fileName = name;
    m_declaredSize = size;
    qDebug().noquote() << QStringLiteral("YMODEM receiver: file \"%1\" of %2 bytes announced").arg(name).arg(size);
    // ACK for block 0, 'C' for the data that follows.
    if (!send(QByteArray(1, char(YmodemProtocol::Ack)).append(char(YmodemProtocol::CrcRequest))))
        return lineLost();
    return std::nullopt;
}

std::optional<YmodemReceiver::Result> YmodemReceiver::receiveData()
{
    quint8 expected = 1;
    int errors = 0;
    bool eotOnce = false;
    for (;;) {
        const Packet packet = readPacket(BlockTimeoutMs);
        switch (packet.kind) {
        case Packet::Block:
            if (packet.number == expected) {
                if (m_data.size() >= m_declaredSize)
                    return giveUp(Result::Failed, QStringLiteral("more blocks than the %1 bytes announced").arg(m_declaredSize));
                m_data.append(packet.data);
                if (m_powerCutPercent >= 0 && m_data.size() * qint64(100) >= m_declaredSize * m_powerCutPercent) {
                    m_error = QStringLiteral("the power went after %1 of the %2 bytes").arg(m_data.size()).arg(m_declaredSize);
                    qDebug().noquote() << QStringLiteral("YMODEM receiver: PowerLost, %1").arg(m_error);
                    return Result::PowerLost;
                }
                ++expected;
                errors = 0;
                eotOnce = false;
                if (!send(YmodemProtocol::Ack))
                    return lineLost();
                continue;
            }
            // Our ACK was lost and the sender repeats the block (block 0 included): taken once.
            if (packet.number == quint8(expected - 1)) {
                if (!send(YmodemProtocol::Ack))
                    return lineLost();
                continue;
            }
            return giveUp(Result::Failed, QStringLiteral("block %1 came where block %2 was due").arg(packet.number).arg(expected));
        case Packet::Eot:
            // A lone EOT may be a damaged byte: the end counts only when the sender repeats it.
            if (!eotOnce) {
                eotOnce = true;
                if (!send(YmodemProtocol::Nak))
                    return lineLost();
                continue;
            }
            if (m_data.size() < m_declaredSize) {
                return giveUp(Result::Failed, QStringLiteral("the file ended after %1 of the %2 bytes announced")
                                                  .arg(m_data.size()).arg(m_declaredSize));
            }
            m_data.truncate(static_cast<int>(m_declaredSize));
            if (!send(YmodemProtocol::Ack))
                return lineLost();
            return std::nullopt;
        case Packet::Nothing:
        case Packet::Bad:
        case Packet::Garbage:
            if (++errors > MaxErrors) {
                return giveUp(packet.kind == Packet::Nothing ? Result::TimedOut : Result::Failed,
                              QStringLiteral("block %1 did not come intact in %2 tries").arg(expected).arg(MaxErrors));
            }
            qDebug().noquote() << QStringLiteral("YMODEM receiver: block %1 %2, NAK %3 of %4")
                                      .arg(expected)
                                      .arg(packet.kind == Packet::Nothing ? QStringLiteral("missing") : QStringLiteral("damaged"))
                                      .arg(errors)
                                      .arg(MaxErrors);
            if (packet.kind != Packet::Nothing)
                purge();
            if (!send(YmodemProtocol::Nak))
                return lineLost();
            continue;
        default:
            return ended(packet);
        }
    }
}

std::optional<YmodemReceiver::Result> YmodemReceiver::receiveClosingBlock()
{
    // An EOT here is the sender's repeat: our ACK of the end was lost.
    const auto answer = requestBlockZero(QStringLiteral("closing block"), EndOfFile::AckLost);
    if (const auto *end = std::get_if<Result>(&answer))
        return *end;
    const Packet &packet = std::get<Packet>(answer);
    if (packet.number != 0)
        return giveUp(Result::Failed, QStringLiteral("block %1 came after the end of the file").arg(packet.number));
    if (packet.data.at(0) != '\0')
        return giveUp(Result::Failed, QStringLiteral("a second file was offered; one image is taken at a time"));
    if (!send(YmodemProtocol::Ack))
        return lineLost();
    return std::nullopt;
}

void YmodemReceiver::linger()
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < LingerMs) {
        const Packet packet = readPacket(static_cast<int>(LingerMs - clock.elapsed()));
        if (packet.kind == Packet::Block && packet.number == 0) {
            if (!send(YmodemProtocol::Ack))
                return;
            continue;
        }
        if (packet.kind == Packet::Nothing || packet.kind == Packet::LineLost || packet.kind == Packet::Stopped)
            return;
    }
}

YmodemReceiver::Packet YmodemReceiver::readPacket(int timeoutMs)
{
    Packet packet;
    const int first = nextByte(timeoutMs);
    switch (first) {
    case ReadTimedOut:
        packet.kind = Packet::Nothing;
        return packet;
    case ReadLineLost:
        packet.kind = Packet::LineLost;
        return packet;
    case ReadStopped:
        packet.kind = Packet::Stopped;
        return packet;
    case YmodemProtocol::Soh:
        return readBlock(YmodemProtocol::SmallBlockBytes);
    case YmodemProtocol::Stx:
        return readBlock(YmodemProtocol::LargeBlockBytes);
    case YmodemProtocol::Eot:
        packet.kind = Packet::Eot;
        return packet;
    case YmodemProtocol::Can: {
        // One CAN may be noise; a sender that means it sends them in a row.
        const int second = nextByte(ByteTimeoutMs);
        packet.kind = second == YmodemProtocol::Can ? Packet::Cancel
                      : second == ReadLineLost  ? Packet::LineLost
                      : second == ReadStopped   ? Packet::Stopped
                                                : Packet::Garbage;
        return packet;
    }
    default:
        packet.kind = Packet::Garbage;
        return packet;
    }
}

YmodemReceiver::Packet YmodemReceiver::readBlock(int dataSize)
{
    // Block number, its complement, the data, the CRC.
    const int bodySize = YmodemProtocol::BlockNumberBytes + dataSize + YmodemProtocol::CrcBytes;
    QByteArray body;
    body.reserve(bodySize);
    Packet packet;
    while (body.size() < bodySize) {
        const int byte = nextByte(ByteTimeoutMs);
        if (byte == ReadTimedOut) {
            packet.kind = Packet::Bad;
            return packet;
        }
        if (byte < 0) {
            packet.kind = byte == ReadStopped ? Packet::Stopped : Packet::LineLost;
            return packet;
        }
        body.append(static_cast<char>(byte));
    }
    const auto number = static_cast<quint8>(body.at(0));
    const auto complement = static_cast<quint8>(body.at(1));
    const auto *data = reinterpret_cast<const quint8 *>(body.constData() + YmodemProtocol::BlockNumberBytes);
    const int crcAt = YmodemProtocol::BlockNumberBytes + dataSize;
    const quint16 crc = quint16(quint8(body.at(crcAt)) << 8) | quint8(body.at(crcAt + 1));
    if (complement != quint8(~number) || YmodemProtocol::crc16(data, static_cast<std::size_t>(dataSize)) != crc) {
        packet.kind = Packet::Bad;
        return packet;
    }
    packet.kind = Packet::Block;
    packet.number = number;
    packet.data = body.mid(YmodemProtocol::BlockNumberBytes, dataSize);
    return packet;
}

int YmodemReceiver::nextByte(int timeoutMs)
{
    if (m_inputPos < m_input.size())
        return static_cast<quint8>(m_input.at(m_inputPos++));
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        if (m_stopRequested)
            return ReadStopped;
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0)
            return ReadTimedOut;
        switch (m_line.waitForReadyRead(static_cast<int>(qMin<qint64>(left, WaitSliceMs)))) {
        case PseudoTerminal::Wait::Quiet:
            continue;
        case PseudoTerminal::Wait::Input: {
            m_input.resize(ReadChunkBytes);
            const qint64 count = m_line.read(m_input.data(), ReadChunkBytes);
            if (count < 0) {
                m_input.clear();
                return ReadLineLost;
            }
            m_input.resize(static_cast<int>(count));
            m_inputPos = 0;
            if (count > 0)
                return static_cast<quint8>(m_input.at(m_inputPos++));
            continue;
        }
        case PseudoTerminal::Wait::Detached:
        case PseudoTerminal::Wait::Failed:
            return ReadLineLost;
        }
    }
}

void YmodemReceiver::purge()
{
    m_input.clear();
    m_inputPos = 0;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < PurgeLimitMs) {
        if (nextByte(PurgeQuietMs) < 0)
            return;
        m_inputPos = m_input.size();
    }
}

bool YmodemReceiver::send(const QByteArray &bytes)
{
    return m_line.write(bytes);
}

bool YmodemReceiver::send(quint8 code)
{
    return send(QByteArray(1, static_cast<char>(code)));
}

YmodemReceiver::Result YmodemReceiver::giveUp(Result result, const QString &reason)
{
    // The sender is told, so that it does not go on waiting for an answer.
    send(QByteArray(YmodemProtocol::CancelCount, static_cast<char>(YmodemProtocol::Can)));
    m_error = reason;
    qDebug().noquote() << QStringLiteral("YMODEM receiver: %1, %2").arg(resultName(result), reason);
    return result;
}

YmodemReceiver::Result YmodemReceiver::ended(const Packet &packet)
{
    if (packet.kind == Packet::Cancel) {
        m_error = QStringLiteral("the sender cancelled");
        qDebug().noquote() << QStringLiteral("YMODEM receiver: Cancelled, %1").arg(m_error);
        return Result::Cancelled;
    }
    if (packet.kind == Packet::Stopped) {
        m_error = QStringLiteral("stopped");
        return Result::Stopped;
    }
    return lineLost();
}

YmodemReceiver::Result YmodemReceiver::lineLost()
{
    m_error = QStringLiteral("the host let go of the port");
    qDebug().noquote() << QStringLiteral("YMODEM receiver: LineLost, %1").arg(m_error);
    return Result::LineLost;
}
