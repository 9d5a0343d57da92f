#pragma once

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
        CodeSoh = 0x01,
        CodeStx = 0x02,
        CodeEot = 0x04,
        CodeAck = 0x06,
        CodeNak = 0x15,
        CodeCan = 0x18,
        CodeC = 0x43,
        CodeCapitalA = 0x41, // some receivers cancel with 'A' or 'a' instead of CAN
        CodeSmallA = 0x61,
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
    };

    static constexpr uint32_t SmallDataSize = 128;
    static constexpr uint32_t LargeDataSize = 1024;
    static constexpr uint32_t PacketOverhead = 5; // start byte, number, complement, two CRC bytes
    static constexpr uint32_t MaxPacketSize = LargeDataSize + PacketOverhead;
    static constexpr uint32_t CancelCount = 5;

    Ymodem(uint32_t tickDivider = 499, uint32_t periodLimit = 5, uint32_t errorLimit = 999);
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

    // XMODEM CRC-16: polynomial 0x1021, initial value 0, not reflected, no final XOR.
    static uint16_t crc16(const uint8_t *data, uint32_t length);

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
    void silentPoll(Status timeOutStatus, bool resend);

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
