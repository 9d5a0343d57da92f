#include "firmware/firmwarecatalogue.h"

#include "firmware/guardedupdate.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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

QString FirmwareCatalogue::mismatch(const QString &path, bool *listed) const
{
    const bool named = !name.isEmpty() && QFileInfo(path).fileName() == name;
    if (listed)
        *listed = named;
    if (!named)
        return QString();
    QFile file(path);
    if (size >= 0 && file.size() != size)
        return tr("it is %1 bytes, the server's image %2").arg(file.size()).arg(size);
    if (sha256.isEmpty())
        return QString();
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return tr("it cannot be read (%1)").arg(file.errorString());
    if (hash.result() != sha256)
        return tr("its checksum is not the server's image's");
    return QString();
}

QString FirmwareCatalogue::newestImageIn(const QString &folder) const
{
    // The log and the backups are in folders of their own there.
    const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files, QDir::Time);
    for (const QFileInfo &file : files) {
        if (file.suffix() == QLatin1String("part") || !GuardedUpdate::imageProblem(file.filePath()).isEmpty())
            continue;
        if (mismatch(file.filePath()).isEmpty())
            return file.filePath();
    }
    return QString();
}
