#include "firmware/firmwarecatalogue.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace {

constexpr int Sha256HexLength = 64;

bool isSha256Text(const QString &text)
{
    if (text.size() != Sha256HexLength)
        return false;
    for (const QChar c : text) {
        if (!c.isDigit() && !(c.toLower() >= QLatin1Char('a') && c.toLower() <= QLatin1Char('f')))
            return false;
    }
    return true;
}

} // namespace

// The image is stored under its catalogue name in the data directory and requested under it
// from the server, so the name must not leave either directory or smuggle in anything else
// (a CR LF would start a second FTP command).
bool FirmwareCatalogue::isPlainFileName(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name.contains(QLatin1String("..")))
        return false;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') || c.unicode() < 0x20
            || c.unicode() == 0x7F)
            return false;
    }
    return true;
}

bool FirmwareCatalogue::parse(const QByteArray &text)
{
    *this = FirmwareCatalogue();
    auto refuse = [this](const char *why) {
        name.clear();
        problem = QString::fromLatin1(why);
        return false;
    };
    if (text.size() > MaxBytes)
        return refuse("larger than a catalogue can be");

    const QJsonDocument document = QJsonDocument::fromJson(text);
    if (!document.isObject())
        return refuse("not a JSON object");
    const QJsonObject object = document.object();
    name = object.value(QLatin1String("name")).toString();
    const double number = object.value(QLatin1String("ver")).toDouble();
    ver = std::isfinite(number) ? number : 0.0;
    const QJsonArray list = object.value(QLatin1String("info")).toArray();
    for (const QJsonValue &note : list)
        notes << note.toString();

    if (!isPlainFileName(name))
        return refuse("the image name is not a plain file name");
    if (object.contains(QLatin1String("sha256"))) {
        const QString digest = object.value(QLatin1String("sha256")).toString();
        if (!isSha256Text(digest))
            return refuse("\"sha256\" is not 64 hexadecimal digits");
        sha256 = QByteArray::fromHex(digest.toLatin1());
    }
    if (object.contains(QLatin1String("size"))) {
        const QJsonValue value = object.value(QLatin1String("size"));
        const double bytes = value.toDouble(-1.0);
        if (!value.isDouble() || !(bytes >= 0) || bytes > MaxExactInteger || bytes != std::floor(bytes))
            return refuse("\"size\" is not a whole number of bytes");
        size = qint64(bytes);
    }
    return true;
}
