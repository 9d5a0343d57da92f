#pragma once

#include "config/controlleridentity.h"
#include "config/midistatus.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The controller's SysEx protocol, byte for byte: the messages the editor sends, the
// framing rule every configuration message obeys, and what a received message is. Nothing else
// in the editor spells a protocol byte.
//
// Every message is one SysEx message: F0, a command byte, the identification bytes
// 00 00 00 20 6F, then the body, F7. There is no checksum, no length field and no 7-bit packing:
// every byte between F0 and F7 must be a MIDI data byte (0 to 127).
class ControllerProtocol
{
public:
    enum Command : quint8 {
        WriteCommand = 0x01,      // the configuration image, editor to controller
        ReadCommand = 0x02,       // "send me your configuration"
        SerialCommand = 0x04,     // the serial-number request, and its reply
        BootLoaderCommand = 0x05  // "start your boot loader" (firmware update)
    };

    // MIDI's own framing and data range, under the names the protocol's users know them by.
    static constexpr quint8 SysExStart = MidiStatus::SysExStart;
    static constexpr quint8 SysExEnd = MidiStatus::SysExEnd;
    static constexpr int MaxDataByte = MidiStatus::DataMax;

    static constexpr int CommandOffset = 1;
    static constexpr int IdentificationOffset = 2;
    static constexpr int IdentificationLength = 5;
    static constexpr int ReservedOffset = 7;
    static constexpr int VersionOffset = 8;       // three bytes: the firmware version's numbers
    static constexpr int VersionLength = 3;
    static constexpr int RequestLength = 8;       // bytes of a request: F0, command, id, F7
    static constexpr int SerialOffset = 7;        // of the serial-number reply's text
    static constexpr int SerialLength = ControllerIdentity::SerialLength;
    static constexpr int ImageSize = ControllerIdentity::ImageSize;

    // The five identification bytes every message carries after its command byte.
    static QByteArray identification();
    // The 8-byte request F0, command, 00 00 00 20 6F, F7.
    static QByteArray request(Command command);
    // The write-configuration message: the image as it is, with its command byte set to 0x01
    // (an image loaded from a reply carries the reply's command byte there).
    static QByteArray writeMessage(const QByteArray &image);

    // Offset of the first byte that keeps `data` from being (the start of) a configuration
    // message the controller can take: F0 at 0, MIDI data bytes at 1 to 456, F7 at 457; -1 when
    // there is none. Sent or loaded, such a block would go out as a broken SysEx message.
    static int findMessageDefect(const char *data, int length);

    // What a message received from the controller is.
    enum class ReplyKind {
        Nothing,          // no bytes
        SerialNumber,     // command byte 0x04
        Configuration,    // any other command byte, and a whole, clean configuration message
        Unusable          // any other command byte, but it would not make a clean image
    };

    struct Reply {
        ReplyKind kind = ReplyKind::Nothing;
        QByteArray serialField;   // SerialNumber: the bytes of the serial field the reply holds
        QString serialNumber;     // SerialNumber: the field's text, up to its first NUL, as UTF-8
        int defectOffset = -1;    // Unusable: the first offending byte
    };

    static Reply classify(const char *data, int length);

    // The firmware version an image or configuration reply carries, as three numbers.
    static QList<int> firmwareVersion(const QByteArray &image);
    // "1.0.3".
    static QString versionText(const QList<int> &version);
};
