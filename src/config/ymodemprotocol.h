#pragma once

#include <QtGlobal>

#include <cstddef>

// YMODEM's own bytes and sizes (CRC-16, 128- and 1024-byte blocks), shared by the editor's sender
// (firmware/ymodem) and the virtual controller's receiver (device/virtual/ymodemreceiver). Each
// side keeps its own logic; only what the protocol fixes is written here.
//
// A block on the wire: Soh or Stx, the block number, its complement, the data, the CRC (high byte
// first).
namespace YmodemProtocol {

inline constexpr quint8 Soh = 0x01;          // a block of SmallBlockBytes follows
inline constexpr quint8 Stx = 0x02;          // a block of LargeBlockBytes follows
inline constexpr quint8 Eot = 0x04;          // the end of the file
inline constexpr quint8 Ack = 0x06;
inline constexpr quint8 Nak = 0x15;
inline constexpr quint8 Can = 0x18;          // cancel, sent CancelCount times in a row
inline constexpr quint8 CrcRequest = 'C';    // the receiver asks for a block 0, with CRC-16 checks

inline constexpr int SmallBlockBytes = 128;
inline constexpr int LargeBlockBytes = 1024;
inline constexpr int BlockNumberBytes = 2;   // the number and its complement
inline constexpr int CrcBytes = 2;
// The CANs a side sends when it gives up, so that one lost on the line still leaves two.
inline constexpr int CancelCount = 5;

// XMODEM CRC-16: polynomial 0x1021, initial value 0, not reflected, no final XOR.
inline constexpr quint16 CrcPolynomial = 0x1021;

constexpr quint16 crc16(const quint8 *data, std::size_t length)
{
    quint16 crc = 0;
    for (std::size_t i = 0; i < length; ++i) {
        crc ^= quint16(data[i] << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? quint16((crc << 1) ^ CrcPolynomial) : quint16(crc << 1);
    }
    return crc;
}

} // namespace YmodemProtocol
