#include "config/controllerprotocol.h"

#include <QStringList>

#include <algorithm>

namespace {

const char Identification[ControllerProtocol::IdentificationLength] = {0x00, 0x00, 0x00, 0x20, 0x6F};

} // namespace

QByteArray ControllerProtocol::identification()
{
    return QByteArray(Identification, IdentificationLength);
}

QByteArray ControllerProtocol::request(Command command)
{
    QByteArray message;
    message.reserve(RequestLength);
    message.append(static_cast<char>(SysExStart));
    message.append(static_cast<char>(command));
    message.append(identification());
    message.append(static_cast<char>(SysExEnd));
    return message;
}

QByteArray ControllerProtocol::writeMessage(const QByteArray &image)
{
    QByteArray message = image;
    if (message.size() > CommandOffset)
        message[CommandOffset] = static_cast<char>(WriteCommand);
    return message;
}

int ControllerProtocol::findMessageDefect(const char *data, int length)
{
    if (!data || length <= 0)
        return -1;
    if (static_cast<quint8>(data[0]) != SysExStart)
        return 0;
    const int end = ImageSize - 1;
    for (int i = 1; i < std::min(length, end); ++i) {
        if (static_cast<quint8>(data[i]) > MaxDataByte)
            return i;
    }
    if (length > end && static_cast<quint8>(data[end]) != SysExEnd)
        return end;
    return -1;
}

ControllerProtocol::Reply ControllerProtocol::classify(const char *data, int length)
{
    Reply reply;
    if (!data || length <= 0)
        return reply;
    if (length > CommandOffset && static_cast<quint8>(data[CommandOffset]) == SerialCommand) {
        reply.kind = ReplyKind::SerialNumber;
        // The reply may be shorter than its serial field: the text stops at its end.
        reply.serialField = QByteArray(data, length).mid(SerialOffset, SerialLength);
        const int nul = reply.serialField.indexOf('\0');
        reply.serialNumber = QString::fromUtf8(nul < 0 ? reply.serialField : reply.serialField.left(nul));
        return reply;
    }
    reply.defectOffset = findMessageDefect(data, length);
    reply.kind = reply.defectOffset < 0 ? ReplyKind::Configuration : ReplyKind::Unusable;
    return reply;
}

QList<int> ControllerProtocol::firmwareVersion(const QByteArray &image)
{
    QList<int> version;
    for (int i = VersionOffset; i < VersionOffset + VersionLength; ++i)
        version << (i < image.size() ? static_cast<quint8>(image.at(i)) : 0);
    return version;
}

QString ControllerProtocol::versionText(const QList<int> &version)
{
    QStringList parts;
    for (int number : version)
        parts << QString::number(number);
    return parts.join(QLatin1Char('.'));
}
