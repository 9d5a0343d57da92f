#include "firmware/ymodem.h"

#include <QDebug>

#include <cstring>

namespace {

// Start byte, block number and its complement come before the data field.
constexpr uint32_t DataOffset = 1 + YmodemProtocol::BlockNumberBytes;
constexpr uint32_t SmallFrameSize = Ymodem::SmallDataSize + Ymodem::PacketOverhead;
constexpr uint32_t LargeFrameSize = Ymodem::LargeDataSize + Ymodem::PacketOverhead;
// Filler of the unused tail of every data block after the first (the first keeps zeros).
constexpr uint8_t PaddingByte = 0x1A;

uint32_t dataFieldSize(uint32_t length)
{
    return length > Ymodem::SmallDataSize ? Ymodem::LargeDataSize : Ymodem::SmallDataSize;
}

} // namespace

Ymodem::Ymodem(uint32_t tickDivider, uint32_t periodLimit, uint32_t errorLimit)
    : m_tickDivider(tickDivider)
    , m_periodLimit(periodLimit)
    , m_errorLimit(errorLimit)
{
}

Ymodem::~Ymodem() = default;

void Ymodem::setTickDivider(uint32_t tickDivider)
{
    m_tickDivider = tickDivider;
}

void Ymodem::setPeriodLimit(uint32_t periodLimit)
{
    m_periodLimit = periodLimit;
}

void Ymodem::setErrorLimit(uint32_t errorLimit)
{
    m_errorLimit = errorLimit;
}

void Ymodem::transmit()
{
    m_polled = true;
    if (m_stage == StageIdle) {
        transmitStageIdle();
        return;
    }
    step();
}

void Ymodem::transmitReceived()
{
    m_polled = false;
    if (m_stage != StageIdle)
        step();
}

void Ymodem::cancel()
{
    abandon();
    report(StatusCancelled);
}

void Ymodem::step()
{
    m_writeFailed = false;

    const int reply = readReply();
    if (reply == ReplyLineFailed) {
        qDebug() << "Ymodem: reading from the receiver failed";
        fail();
        return;
    }

    switch (m_stage) {
    case StageEstablishing:
        transmitStageEstablishing(reply);
        break;
    case StageEstablished:
        transmitStageEstablished(reply);
        break;
    case StageTransmitting:
        transmitStageTransmitting(reply);
        break;
    case StageFinishing:
        transmitStageFinishing(reply);
        break;
    default:
        transmitStageFinished(reply);
        break;
    }

    // A packet that could not be queued will never be answered: end now rather than after
    // thirty seconds of silence.
    if (m_writeFailed && m_stage != StageIdle) {
        qDebug() << "Ymodem: writing to the receiver failed";
        fail();
    }
}

int Ymodem::readReply()
{
    if (m_frameState == FrameNone) {
        const int64_t count = readBytes(m_rxBuffer, 1);
        if (count < 0)
            return ReplyLineFailed;
        if (count == 0)
            return ReplyNothing;
        m_rxLength = 1;
        if (m_rxBuffer[0] == CodeSoh)
            m_frameState = FrameSoh;
        else if (m_rxBuffer[0] == CodeStx)
            m_frameState = FrameStx;
        else
            return m_rxBuffer[0];
    }

    // A receiver has no business sending blocks to us, but if it does the whole frame is taken
    // off the line so that its data bytes are never mistaken for replies.
    const uint32_t frameSize = m_frameState == FrameSoh ? SmallFrameSize : LargeFrameSize;
    const int64_t count = readBytes(m_rxBuffer + m_rxLength, frameSize - m_rxLength);
    if (count < 0)
        return ReplyLineFailed;
    m_rxLength += uint32_t(count);
    if (m_rxLength < frameSize)
        return ReplyNothing;
    m_frameState = FrameNone;
    m_rxLength = 0;
    return m_rxBuffer[0];
}

void Ymodem::changeStage(Stage stage, uint8_t blockNumber)
{
    m_stage = stage;
    m_tickCount = 0;
    m_errorCount = 0;
    m_frameState = FrameNone;
    m_rxLength = 0;
    m_blockNumber = blockNumber;
    m_eotAcknowledged = false;
}

void Ymodem::sendPacket(uint8_t blockNumber, uint32_t dataLength)
{
    m_txBuffer[0] = dataLength == SmallDataSize ? CodeSoh : CodeStx;
    m_txBuffer[1] = blockNumber;
    m_txBuffer[2] = uint8_t(~blockNumber);
    const uint16_t crc = crc16(m_txBuffer + DataOffset, dataLength);
    m_txBuffer[DataOffset + dataLength] = uint8_t(crc >> 8);
    m_txBuffer[DataOffset + dataLength + 1] = uint8_t(crc & 0xFF);
    m_txLength = dataLength + PacketOverhead;
    sendTxBuffer();
}

void Ymodem::sendTxBuffer()
{
    if (writeBytes(m_txBuffer, m_txLength) != int64_t(m_txLength))
        m_writeFailed = true;
}

void Ymodem::sendEot()
{
    m_txBuffer[0] = CodeEot;
    m_txLength = 1;
    sendTxBuffer();
}

void Ymodem::sendClosingBlock()
{
    std::memset(m_txBuffer + DataOffset, 0, SmallDataSize);
    sendPacket(0, SmallDataSize);
}

void Ymodem::abandon()
{
    std::memset(m_txBuffer, CodeCan, CancelCount);
    m_txLength = CancelCount;
    sendTxBuffer();
    changeStage(StageIdle);
}

void Ymodem::report(Status status)
{
    handleStatus(status, nullptr, nullptr);
}

void Ymodem::fail()
{
    abandon();
    report(StatusFailed);
}

bool Ymodem::isCancel(int reply) const
{
    return reply == CodeCan || reply == CodeCapitalA || reply == CodeSmallA;
}

bool Ymodem::reject()
{
    ++m_errorCount;
    if (m_errorCount > m_errorLimit) {
        fail();
        return false;
    }
    return true;
}

// The receiver rejected the last packet (NAK, or a 'C' where none belongs): it goes again, unless
// it has been rejected too often.
void Ymodem::resend()
{
    if (reject())
        sendTxBuffer();
}

void Ymodem::silentPoll(Status timeOutStatus, bool resend)
{
    // A step between polls found nothing it is waiting for; the next poll still counts.
    if (!m_polled)
        return;
    ++m_tickCount;
    const uint64_t period = uint64_t(m_tickDivider) + 1;
    if (m_tickCount / period > m_periodLimit) {
        abandon();
        report(timeOutStatus);
        return;
    }
    if (resend && m_tickCount % period == 0)
        sendTxBuffer();
}

void Ymodem::transmitStageIdle()
{
    changeStage(StageEstablishing);
}

void Ymodem::transmitStageEstablishing(int reply)
{
    if (reply == CodeC) {
        std::memset(m_txBuffer + DataOffset, 0, SmallDataSize);
        uint32_t length = SmallDataSize;
        if (handleStatus(StatusEstablishing, m_txBuffer + DataOffset, &length) != CodeAck) {
            abandon();
            return;
        }
        sendPacket(0, SmallDataSize);
        changeStage(StageEstablished);
    } else if (isCancel(reply)) {
        changeStage(StageIdle);
        report(StatusAborted);
    } else {
        // The receiver starts the exchange; until it does there is nothing to resend.
        silentPoll(StatusTimedOut, false);
    }
}

// The data block numbered blockNumber, the unused tail of its data field filled with padding, or
// EOT when the file has no more data.
void Ymodem::sendDataBlock(uint8_t blockNumber, uint8_t padding)
{
    std::memset(m_txBuffer + DataOffset, padding, LargeDataSize);
    uint32_t length = 0;
    switch (handleStatus(StatusTransmitting, m_txBuffer + DataOffset, &length)) {
    case CodeAck:
        sendPacket(blockNumber, dataFieldSize(length));
        changeStage(StageTransmitting, blockNumber);
        break;
    case CodeEot:
        sendEot();
        changeStage(StageFinishing);
        break;
    default:
        abandon();
        break;
    }
}

// Once the receiver has started the exchange: a cancel ends the transfer, anything else counts as
// silence, which resends the last packet in time and ends in failure.
void Ymodem::cancelOrSilence(int reply)
{
    if (isCancel(reply)) {
        changeStage(StageIdle);
        report(StatusAborted);
    } else {
        silentPoll(StatusFailed, true);
    }
}

void Ymodem::transmitStageEstablished(int reply)
{
    if (reply == CodeAck) {
        sendDataBlock(1, 0);
    } else if (reply == CodeNak) {
        resend();
    } else if (reply == CodeC) {
        // The receiver's 'C's queued up while block 0 travelled; answering each with a resend
        // would flood it with copies of the header.
        if (reject()) {
            const QByteArray discarded = takeAllInput();
            qDebug() << "readAll:" << discarded.size();
        }
    } else {
        cancelOrSilence(reply);
    }
}

void Ymodem::transmitStageTransmitting(int reply)
{
    if (reply == CodeAck)
        sendDataBlock(uint8_t(m_blockNumber + 1), PaddingByte);
    else if (reply == CodeNak)
        resend();
    else
        cancelOrSilence(reply);
}

void Ymodem::transmitStageFinishing(int reply)
{
    if (reply == CodeAck) {
        m_eotAcknowledged = true;
        silentPoll(StatusFailed, true);
    } else if (reply == CodeNak || (reply == CodeC && !m_eotAcknowledged)) {
        // Receivers NAK the first EOT on purpose, and one still waiting for its first data
        // block says so with 'C' (lrzsz does, for an empty file): either way the EOT goes again.
        // Sending the closing block instead would have it taken for a repeated header, and the
        // transfer would look finished to us alone. A receiver that never stops must still not
        // keep the transfer alive forever, so these count like any other rejection.
        resend();
    } else if (reply == CodeC) {
        sendClosingBlock();
        changeStage(StageFinished);
    } else {
        cancelOrSilence(reply);
    }
}

void Ymodem::transmitStageFinished(int reply)
{
    if (reply == CodeAck) {
        changeStage(StageIdle);
        report(StatusFinished);
    } else if (reply == CodeNak || reply == CodeC) {
        resend();
    } else {
        cancelOrSilence(reply);
    }
}
