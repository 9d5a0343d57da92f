#include "firmware/ymodem.h"

#include <QDebug>

#include <cstring>

namespace {

// Start byte, block number and its complement come before the data field.
constexpr uint32_t DataOffset = 3;
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

uint16_t Ymodem::crc16(const uint8_t *data, uint32_t length)
{
    uint16_t crc = 0;
    for (uint32_t i = 0; i < length; ++i) {
        crc ^= uint16_t(data[i]) << 8;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? uint16_t((crc << 1) ^ 0x1021) : uint16_t(crc << 1);
    }
    return crc;
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
    m_txBuffer[2] = uint8_t(0xFF - blockNumber);
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

void Ymodem::transmitStageEstablished(int reply)
{
    if (reply == CodeAck) {
        std::memset(m_txBuffer + DataOffset, 0, LargeDataSize);
        uint32_t length = 0;
        switch (handleStatus(StatusTransmitting, m_txBuffer + DataOffset, &length)) {
        case CodeAck:
            qDebug() << "transmitStageEstablished CodeAck";
            sendPacket(1, dataFieldSize(length));
            changeStage(StageTransmitting, 1);
            break;
        case CodeEot:
            sendEot();
            changeStage(StageFinishing);
            break;
        default:
            abandon();
            break;
        }
    } else if (reply == CodeNak) {
        if (reject())
            sendTxBuffer();
    } else if (reply == CodeC) {
        // The receiver's 'C's queued up while block 0 travelled; answering each with a resend
        // would flood it with copies of the header.
        if (reject()) {
            const QByteArray discarded = takeAllInput();
            qDebug() << "readAll:" << discarded.size();
        }
    } else if (isCancel(reply)) {
        changeStage(StageIdle);
        report(StatusAborted);
    } else {
        silentPoll(StatusFailed, true);
    }
}

void Ymodem::transmitStageTransmitting(int reply)
{
    if (reply == CodeAck) {
        std::memset(m_txBuffer + DataOffset, PaddingByte, LargeDataSize);
        uint32_t length = 0;
        switch (handleStatus(StatusTransmitting, m_txBuffer + DataOffset, &length)) {
        case CodeAck: {
            const uint8_t next = uint8_t(m_blockNumber + 1);
            sendPacket(next, dataFieldSize(length));
            changeStage(StageTransmitting, next);
            break;
        }
        case CodeEot:
            sendEot();
            changeStage(StageFinishing);
            break;
        default:
            abandon();
            break;
        }
    } else if (reply == CodeNak) {
        if (reject())
            sendTxBuffer();
    } else if (isCancel(reply)) {
        changeStage(StageIdle);
        report(StatusAborted);
    } else {
        silentPoll(StatusFailed, true);
    }
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
        if (reject())
            sendTxBuffer();
    } else if (reply == CodeC) {
        sendClosingBlock();
        changeStage(StageFinished);
    } else if (isCancel(reply)) {
        changeStage(StageIdle);
        report(StatusAborted);
    } else {
        silentPoll(StatusFailed, true);
    }
}

void Ymodem::transmitStageFinished(int reply)
{
    if (reply == CodeAck) {
        changeStage(StageIdle);
        report(StatusFinished);
    } else if (reply == CodeNak || reply == CodeC) {
        if (reject())
            sendTxBuffer();
    } else if (isCancel(reply)) {
        changeStage(StageIdle);
        report(StatusAborted);
    } else {
        silentPoll(StatusFailed, true);
    }
}
