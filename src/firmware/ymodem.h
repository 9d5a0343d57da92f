#pragma once

#include "config/ymodemprotocol.h"

#include <QByteArray>

#include <cstdint>

// The sending side of YMODEM batch transfers (CRC-16, 128- and 1024-byte blocks), as a polled
// engine: every step reads at most one control byte from the receiver (or the rest of an
// incoming frame), takes at most one decision and never waits. It builds and resends
// the packets itself; files, ports and reporting belong to a subclass through four hooks.
class Ymodem
{
public:
    // Bytes on the wire; the same values are the answers of handleStatus().
    enum Code : uint8_t {
        CodeSoh = YmodemProtocol::Soh,
        CodeStx = YmodemProtocol::Stx,
        CodeEot = YmodemProtocol::Eot,
        CodeAck = YmodemProtocol::Ack,
        CodeNak = YmodemProtocol::Nak,
        CodeCan = YmodemProtocol::Can,
        CodeC = YmodemProtocol::CrcRequest,
        CodeCapitalA = 'A', // some receivers cancel with 'A' or 'a' instead of CAN
        CodeSmallA = 'a',
    };

    enum Stage : uint32_t {
        StageIdle,
        StageEstablishing,
        StageEstablished,
        StageTransmitting,
        StageFinishing,
        StageFinished,
    };

    enum Status {
        StatusEstablishing,
        StatusTransmitting,
        StatusFinished,
        StatusAborted,
        StatusTimedOut,
        StatusFailed,
        StatusCancelled,   // the sender gave up on purpose (cancel())
    };

    static constexpr uint32_t SmallDataSize = YmodemProtocol::SmallBlockBytes;
    static constexpr uint32_t LargeDataSize = YmodemProtocol::LargeBlockBytes;
    // The start byte, the block number and its complement, the two CRC bytes.
    static constexpr uint32_t PacketOverhead = 1 + YmodemProtocol::BlockNumberBytes + YmodemProtocol::CrcBytes;
    static constexpr uint32_t MaxPacketSize = LargeDataSize + PacketOverhead;
    static constexpr uint32_t CancelCount = YmodemProtocol::CancelCount;

    // The editor's pace, counted in polls of the sender's clock (YmodemFileTransmit polls every
    // 10 ms): a packet goes again after DefaultTickDivider + 1 silent polls (500 polls, 5 s), the
    // receiver counts as gone after more than DefaultPeriodLimit such periods (3000 polls, 30 s),
    // and the (DefaultErrorLimit + 1)th rejection of one packet ends the transfer.
    static constexpr uint32_t DefaultTickDivider = 499;   // silent polls between two resends, less one
    static constexpr uint32_t DefaultPeriodLimit = 5;     // resend periods of silence
    static constexpr uint32_t DefaultErrorLimit = 999;    // rejections of one packet

    Ymodem(uint32_t tickDivider = DefaultTickDivider, uint32_t periodLimit = DefaultPeriodLimit,
           uint32_t errorLimit = DefaultErrorLimit);
    virtual ~Ymodem();

    // A resend every tickDivider + 1 silent polls; give up when silent polls / (tickDivider + 1)
    // exceeds periodLimit; give up at the (errorLimit + 1)th rejection of one packet.
    void setTickDivider(uint32_t tickDivider);
    void setPeriodLimit(uint32_t periodLimit);
    void setErrorLimit(uint32_t errorLimit);

    // One step of the sender, taken by the poll clock: the time limits are counted in these.
    void transmit();
    // One step taken because bytes have arrived, so that a reply is answered at once instead of
    // at the next poll. It never counts as a silent poll (only the clock measures the receiver's
    // silence) and does nothing before the first poll has started the transfer.
    void transmitReceived();
    // Ends the transfer from the sender's side, at any stage: CancelCount CANs go to the receiver
    // (a boot loader then drops what it has taken) and handleStatus() hears StatusCancelled.
    void cancel();

    // XMODEM CRC-16 (YmodemProtocol::crc16).
    static uint16_t crc16(const uint8_t *data, uint32_t length) { return YmodemProtocol::crc16(data, length); }

protected:
    // For StatusEstablishing and StatusTransmitting: fill the data field and its length (128 or
    // 1024) and answer CodeAck, or CodeEot when the file has no more data, or CodeCan to give up.
    // For the four final statuses buffer and length are null; the hook only records the outcome.
    virtual Code handleStatus(Status status, uint8_t *buffer, uint32_t *length) = 0;
    // Bytes read, 0 when nothing is waiting; negative when the line has failed. Never waits.
    virtual int64_t readBytes(uint8_t *buffer, uint32_t length) = 0;
    // Bytes queued; anything short of length means the line has failed.
    virtual int64_t writeBytes(uint8_t *buffer, uint32_t length) = 0;
    // Everything waiting to be read; the input is empty afterwards.
    virtual QByteArray takeAllInput() = 0;

private:
    // What a poll got from the receiver: a byte value, or one of these.
    enum Reply : int { ReplyNothing = -1, ReplyLineFailed = -2 };
    enum FrameState : uint32_t { FrameNone, FrameSoh, FrameStx };

    void step();
    int readReply();
    void changeStage(Stage stage, uint8_t blockNumber = 0);
    void sendPacket(uint8_t blockNumber, uint32_t dataLength);
    void sendTxBuffer();
    void sendEot();
    void sendClosingBlock();
    void abandon();
    void report(Status status);
    void fail();
    bool isCancel(int reply) const;
    bool reject();
    void resend();
    void silentPoll(Status timeOutStatus, bool resend);
    void sendDataBlock(uint8_t blockNumber, uint8_t padding);
    void cancelOrSilence(int reply);

    void transmitStageIdle();
    void transmitStageEstablishing(int reply);
    void transmitStageEstablished(int reply);
    void transmitStageTransmitting(int reply);
    void transmitStageFinishing(int reply);
    void transmitStageFinished(int reply);

    uint32_t m_tickDivider;
    uint32_t m_periodLimit;
    uint32_t m_errorLimit;
    uint32_t m_tickCount = 0;
    uint32_t m_errorCount = 0;
    uint8_t m_blockNumber = 0;
    uint32_t m_frameState = FrameNone;
    uint32_t m_stage = StageIdle;
    uint8_t m_rxBuffer[MaxPacketSize] = {};
    uint8_t m_txBuffer[MaxPacketSize] = {};
    uint32_t m_rxLength = 0;
    uint32_t m_txLength = 0;
    bool m_writeFailed = false;
    bool m_polled = false;
    bool m_eotAcknowledged = false;
};
