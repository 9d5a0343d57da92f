#pragma once

#include <QtGlobal>

// MIDI's own bytes, as the MIDI 1.0 standard numbers them: the status bytes that begin a message
// and the range of the data bytes that follow one. None of this is the Kovela Tark9's: its
// messages are SysEx messages (config/controllerprotocol), framed by SysExStart and SysExEnd like
// every other device's.
namespace MidiStatus {

// Every status byte has its top bit set; its high nibble says which message it begins.
inline constexpr quint8 StatusBit = 0x80;
inline constexpr quint8 TypeMask = 0xF0;

// Channel-voice messages: the status byte's high nibble says which, its low nibble the channel.
inline constexpr quint8 NoteOff = 0x80;
inline constexpr quint8 NoteOn = 0x90;
inline constexpr quint8 PolyPressure = 0xA0;
inline constexpr quint8 ControlChange = 0xB0;
inline constexpr quint8 ProgramChange = 0xC0;
inline constexpr quint8 ChannelPressure = 0xD0;
inline constexpr quint8 PitchBend = 0xE0;
inline constexpr quint8 ChannelMask = 0x0F;

// From SystemStatus on, status bytes belong to no channel.
inline constexpr quint8 SystemStatus = 0xF0;
// A system-exclusive message: SysExStart, data bytes only, SysExEnd.
inline constexpr quint8 SysExStart = 0xF0;
inline constexpr quint8 SysExEnd = 0xF7;
// System common and real-time messages.
inline constexpr quint8 MtcQuarterFrame = 0xF1;
inline constexpr quint8 SongPosition = 0xF2;
inline constexpr quint8 SongSelect = 0xF3;
inline constexpr quint8 TuneRequest = 0xF6;
inline constexpr quint8 TimingClock = 0xF8;
inline constexpr quint8 Start = 0xFA;
inline constexpr quint8 Continue = 0xFB;
inline constexpr quint8 Stop = 0xFC;
inline constexpr quint8 ActiveSensing = 0xFE;
inline constexpr quint8 SystemReset = 0xFF;

// The largest data byte; every byte above it is a status byte.
inline constexpr quint8 DataMax = 0x7F;
// A pitch bend's two data bytes hold 14 bits, the low seven first; the wheel at rest sends the
// middle of the range.
inline constexpr int PitchBendMax = 0x3FFF;
inline constexpr int PitchBendCentre = 0x2000;
inline constexpr int DataBits = 7;

} // namespace MidiStatus
