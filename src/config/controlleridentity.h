#pragma once

#include <QtGlobal>

// Who the Kovela Tark9 is to the operating system, in both of its USB personalities. Every file
// that recognises the controller takes these from here; only the virtual controller's message
// encoding is kept apart on purpose (src/device/virtual), so that a protocol fault on one side
// cannot hide behind the same fault on the other.
namespace ControllerIdentity {

// The name of the controller's MIDI ports in the system's port lists (whole, case-sensitive).
inline constexpr char PortName[] = "Kovela Tark9";

// The device types the presence detector reports.
inline constexpr char MidiDeviceType[] = "rk217";            // the MIDI personality
inline constexpr char SerialDeviceType[] = "rk217SerialDev"; // the boot loader's serial port

// The MIDI personality's USB ids (vendor 0416, product B009) as a device-interface path
// carries them.
inline constexpr char MidiHardwareId[] = "VID_0416&PID_B009";

// The boot loader's USB serial (virtual COM) port, and the speed it takes an image at (8 data
// bits, no parity, one stop bit, no flow control).
inline constexpr quint16 BootLoaderVendorId = 0x1C75;
inline constexpr quint16 BootLoaderProductId = 0x0204;
inline constexpr int BootLoaderBaudRate = 115200;
// The largest image the boot loader takes, in bytes: what the controller's flash holds for the
// application. A larger one is cancelled by the boot loader once its size has been announced.
inline constexpr qint64 BootLoaderMaxImageSize = 1024 * 1024;

// Bytes of the configuration image, which is also the configuration SysEx message.
inline constexpr int ImageSize = 458;
// Bytes of the serial-number field of the serial-number reply.
inline constexpr int SerialLength = 13;

} // namespace ControllerIdentity
