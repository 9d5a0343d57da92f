#include "config/midimessagetext.h"

#include "config/configlayout.h"
#include "config/controllerprotocol.h"
#include "config/midistatus.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

using Kind = MidiMessageText::Kind;
using Message = MidiMessageText::Message;
using Protocol = ControllerProtocol;

using namespace MidiStatus;

struct SystemMessage {
    quint8 status;
    Kind kind;
    int dataBytes;
    const char *name;
};
const SystemMessage SystemMessages[] = {
    {MtcQuarterFrame, Kind::SystemCommon, 1, QT_TRANSLATE_NOOP("MidiMessageText", "MTC Quarter Frame")},
    {SongPosition, Kind::SystemCommon, 2, QT_TRANSLATE_NOOP("MidiMessageText", "Song Position")},
    {SongSelect, Kind::SystemCommon, 1, QT_TRANSLATE_NOOP("MidiMessageText", "Song Select")},
    {TuneRequest, Kind::SystemCommon, 0, QT_TRANSLATE_NOOP("MidiMessageText", "Tune Request")},
    {TimingClock, Kind::SystemRealtime, 0, QT_TRANSLATE_NOOP("MidiMessageText", "Timing Clock")},
    {Start, Kind::SystemRealtime, 0, QT_TRANSLATE_NOOP("MidiMessageText", "Start")},
    {Continue, Kind::SystemRealtime, 0, QT_TRANSLATE_NOOP("MidiMessageText", "Continue")},
    {Stop, Kind::SystemRealtime, 0, QT_TRANSLATE_NOOP("MidiMessageText", "Stop")},
    {ActiveSensing, Kind::SystemRealtime, 0, QT_TRANSLATE_NOOP("MidiMessageText", "Active Sensing")},
    {SystemReset, Kind::SystemRealtime, 0, QT_TRANSLATE_NOOP("MidiMessageText", "System Reset")},
};

// The requests the editor sends, each always the same bytes.
struct Request {
    Protocol::Command command;
    const char *name;
};
const Request Requests[] = {
    {Protocol::ReadCommand, QT_TRANSLATE_NOOP("MidiMessageText", "SysEx configuration request")},
    {Protocol::SerialCommand, QT_TRANSLATE_NOOP("MidiMessageText", "SysEx serial number request")},
    {Protocol::BootLoaderCommand, QT_TRANSLATE_NOOP("MidiMessageText", "SysEx boot loader request")},
};

int byteAt(const QByteArray &bytes, int index)
{
    return static_cast<quint8>(bytes.at(index));
}

// Whether the bytes from `first` up to `end` are all MIDI data bytes.
bool dataBytes(const QByteArray &bytes, int first, int end)
{
    return std::all_of(bytes.cbegin() + first, bytes.cbegin() + end,
                       [](char byte) { return !(static_cast<quint8>(byte) & StatusBit); });
}

QString signedText(int value)
{
    return value > 0 ? QStringLiteral("+%1").arg(value) : QString::number(value);
}

bool decodeChannelMessage(const QByteArray &bytes, Message *message)
{
    const int status = byteAt(bytes, 0);
    const int type = status & TypeMask;
    const int length = type == ProgramChange || type == ChannelPressure ? 2 : 3;
    if (bytes.size() != length || !dataBytes(bytes, 1, length))
        return false;
    message->channel = (status & ChannelMask) + 1;
    const int first = byteAt(bytes, 1);
    const int second = length > 2 ? byteAt(bytes, 2) : -1;
    switch (type) {
    case NoteOn:
        message->number = first;
        message->value = second;
        if (second > 0) {
            message->kind = Kind::NoteOn;
            message->text = QCoreApplication::translate("MidiMessageText", "Note On %1 velocity %2")
                                .arg(ConfigLayout::noteName(first))
                                .arg(second);
        } else {
            message->kind = Kind::NoteOff;
            message->text = QCoreApplication::translate("MidiMessageText", "Note Off %1 (Note On with velocity 0)")
                                .arg(ConfigLayout::noteName(first));
        }
        return true;
    case NoteOff:
        message->kind = Kind::NoteOff;
        message->number = first;
        message->value = second;
        message->text = QCoreApplication::translate("MidiMessageText", "Note Off %1").arg(ConfigLayout::noteName(first));
        return true;
    case PolyPressure:
        message->kind = Kind::PolyPressure;
        message->number = first;
        message->value = second;
        message->text = QCoreApplication::translate("MidiMessageText", "Poly Pressure %1 = %2")
                            .arg(ConfigLayout::noteName(first))
                            .arg(second);
        return true;
    case ControlChange:
        message->kind = Kind::ControlChange;
        message->number = first;
        message->value = second;
        message->text = QCoreApplication::translate("MidiMessageText", "Control Change %1 = %2").arg(first).arg(second);
        return true;
    case ProgramChange:
        message->kind = Kind::ProgramChange;
        message->number = first;
        message->text = QCoreApplication::translate("MidiMessageText", "Program Change %1").arg(first);
        return true;
    case ChannelPressure:
        message->kind = Kind::ChannelPressure;
        message->value = first;
        message->text = QCoreApplication::translate("MidiMessageText", "Channel Pressure %1").arg(first);
        return true;
    case PitchBend:
        message->kind = Kind::PitchBend;
        message->value = (second << DataBits | first) - PitchBendCentre;
        message->text = QCoreApplication::translate("MidiMessageText", "Pitch Bend %1").arg(signedText(message->value));
        return true;
    }
    return false;
}

bool decodeSystemMessage(const QByteArray &bytes, Message *message)
{
    const int status = byteAt(bytes, 0);
    const auto entry = std::find_if(std::cbegin(SystemMessages), std::cend(SystemMessages),
                                    [status](const SystemMessage &known) { return known.status == status; });
    if (entry == std::cend(SystemMessages) || bytes.size() != 1 + entry->dataBytes || !dataBytes(bytes, 1, bytes.size()))
        return false;
    message->kind = entry->kind;
    message->text = QCoreApplication::translate("MidiMessageText", entry->name);
    if (entry->dataBytes == 0)
        return true;
    message->value = entry->dataBytes == 2 ? byteAt(bytes, 2) << DataBits | byteAt(bytes, 1) : byteAt(bytes, 1);
    message->text += QStringLiteral(" %1").arg(message->value);
    return true;
}

// The name of one of the controller's own messages ("SysEx configuration reply"); empty for
// any other SysEx message.
QString controllerMessageName(const QByteArray &bytes)
{
    if (bytes.mid(Protocol::IdentificationOffset, Protocol::IdentificationLength) != Protocol::identification())
        return QString();
    for (const Request &request : Requests) {
        if (bytes == Protocol::request(request.command))
            return QCoreApplication::translate("MidiMessageText", request.name);
    }
    switch (Protocol::classify(bytes.constData(), bytes.size()).kind) {
    case Protocol::ReplyKind::SerialNumber:
        return QCoreApplication::translate("MidiMessageText", "SysEx serial number reply");
    case Protocol::ReplyKind::Configuration:
        // The editor's write carries the configuration as the controller's reply does.
        if (byteAt(bytes, Protocol::CommandOffset) == Protocol::WriteCommand)
            return QCoreApplication::translate("MidiMessageText", "SysEx configuration write");
        return QCoreApplication::translate("MidiMessageText", "SysEx configuration reply");
    case Protocol::ReplyKind::Nothing:
    case Protocol::ReplyKind::Unusable:
        break;
    }
    return QString();
}

bool decodeSysEx(const QByteArray &bytes, Message *message)
{
    const int length = bytes.size();
    if (length < 2 || byteAt(bytes, length - 1) != SysExEnd || !dataBytes(bytes, 1, length - 1))
        return false;
    message->kind = Kind::SysEx;
    const QString name = controllerMessageName(bytes);
    message->text = name.isEmpty() ? QCoreApplication::translate("MidiMessageText", "SysEx, %1 bytes").arg(length)
                                   : QCoreApplication::translate("MidiMessageText", "%1, %2 bytes").arg(name).arg(length);
    return true;
}

} // namespace

MidiMessageText::Message MidiMessageText::decode(const QByteArray &bytes)
{
    Message message;
    message.hex = hex(bytes);
    const int status = bytes.isEmpty() ? 0 : byteAt(bytes, 0);
    bool decoded = false;
    if (status == SysExStart)
        decoded = decodeSysEx(bytes, &message);
    else if (status >= SystemStatus)
        decoded = decodeSystemMessage(bytes, &message);
    else if (status & StatusBit)
        decoded = decodeChannelMessage(bytes, &message);
    // The decoders fill the message in only once its bytes have been found to make one.
    if (!decoded) {
        message.text = bytes.isEmpty() ? QCoreApplication::translate("MidiMessageText", "Unknown: no bytes")
                                       : QCoreApplication::translate("MidiMessageText", "Unknown: %1").arg(message.hex);
    }
    return message;
}

QString MidiMessageText::hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}
