#include "firmware/firmwarebackups.h"

#include "config/controllerprotocol.h"
#include "config/editorsettings.h"
#include "config/presetfile.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QVector>

#include <algorithm>

namespace {

// One file that looks like a backup, with what its name and the file system say of it.
struct Backup
{
    QString path;
    QString serial;
    QDate date;
    QString version;
    int counter = 1;       // 1 for the plain name, N for "-N"
    QDateTime modified;
};

// Only what the name maker below can produce: a serial, an ISO date, a version and perhaps a
// counter. The serial takes as much as it can, so that a serial holding a date of its own still
// belongs to itself alone.
const QRegularExpression &backupName()
{
    static const QRegularExpression pattern(QStringLiteral(
        "^([A-Za-z0-9._-]+)-([0-9]{4}-[0-9]{2}-[0-9]{2})-fw([A-Za-z0-9._-]+?)(?:-([0-9]+))?\\.stm$"));
    return pattern;
}

bool isNameCharacter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
        || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.') || c == QLatin1Char('-')
        || c == QLatin1Char('_');
}

// A serial number or version as part of a file name: no path separators, no "..", no hidden
// file or option-like name, never empty.
QString namePart(const QString &text)
{
    QString part = text.left(FirmwareBackups::MaxNamePartLength);
    for (QChar &c : part) {
        if (!isNameCharacter(c))
            c = QLatin1Char('_');
    }
    part.replace(QLatin1String(".."), QLatin1String("__"));
    if (part.startsWith(QLatin1Char('.')) || part.startsWith(QLatin1Char('-')))
        part[0] = QLatin1Char('_');
    return part.isEmpty() ? QStringLiteral("unknown") : part;
}

QString fileName(const QString &serial, const QDate &date, const QString &version, int counter)
{
    QString name = serial + QLatin1Char('-') + date.toString(Qt::ISODate) + QStringLiteral("-fw") + version;
    if (counter > 1)
        name += QLatin1Char('-') + QString::number(counter);
    return name + QStringLiteral(".stm");
}

// Every backup in `directory`, of every controller, newest first. Only regular files count:
// anything else under such a name is not one the editor wrote.
QVector<Backup> backupsIn(const QString &directory)
{
    QVector<Backup> backups;
    const QFileInfoList files = QDir(directory).entryInfoList({QStringLiteral("*.stm")}, QDir::Files | QDir::NoSymLinks);
    for (const QFileInfo &file : files) {
        const QRegularExpressionMatch match = backupName().match(file.fileName());
        const QDate date = QDate::fromString(match.captured(2), Qt::ISODate);
        if (!match.hasMatch() || !date.isValid())
            continue;
        const int counter = match.captured(4).isEmpty() ? 1 : match.captured(4).toInt();
        backups.append({file.filePath(), match.captured(1), date, match.captured(3), counter, file.lastModified()});
    }
    std::sort(backups.begin(), backups.end(), [](const Backup &a, const Backup &b) {
        if (a.date != b.date)
            return a.date > b.date;
        if (a.modified != b.modified)
            return a.modified > b.modified;
        if (a.counter != b.counter)
            return a.counter > b.counter;
        return a.path > b.path;
    });
    return backups;
}

// Taken by a file, a folder or a link, even a dangling one.
bool isTaken(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

FirmwareBackups::FirmwareBackups(const QString &folder)
    : m_directory(QDir::cleanPath((folder.isEmpty() ? EditorSettings::dataFolder() : folder)
                                  + QStringLiteral("/backups")))
{
}

QString FirmwareBackups::directory() const
{
    return m_directory;
}

QString FirmwareBackups::write(const QString &serialNumber, const QString &firmwareVersion, const QByteArray &image,
                               const QDateTime &now, QString *error) const
{
    const auto fail = [error](const QString &sentence) {
        if (error)
            *error = sentence;
        return QString();
    };
    if (image.size() != ControllerProtocol::ImageSize
        || ControllerProtocol::findMessageDefect(image.constData(), image.size()) >= 0)
        return fail(tr("No backup of the controller's settings was made: the configuration read from it is incomplete or damaged."));
    const QString folder = QDir::toNativeSeparators(m_directory);
    if (QFileInfo::exists(m_directory) && !QFileInfo(m_directory).isDir())
        return fail(tr("No backup of the controller's settings was made: %1 is a file, not a folder.").arg(folder));
    if (!QDir().mkpath(m_directory))
        return fail(tr("No backup of the controller's settings was made: the folder %1 cannot be created.").arg(folder));

    const QString serial = namePart(serialNumber);
    const QString version = namePart(firmwareVersion);
    const QDate date = now.isValid() ? now.date() : QDate::currentDate();
    // The next counter after the highest of this name, so that the counter follows the write
    // order even after older backups of the day were removed.
    int counter = 1;
    for (const Backup &backup : backupsIn(m_directory)) {
        if (backup.serial == serial && backup.date == date && backup.version == version)
            counter = std::max(counter, backup.counter + 1);
    }
    // The name is claimed by creating the file, so that a backup written at the same moment by
    // another program (the editor and tark9ctl) is never overwritten.
    QFile claimed;
    for (;; ++counter) {
        claimed.setFileName(m_directory + QLatin1Char('/') + fileName(serial, date, version, counter));
        if (claimed.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            break;
        if (!isTaken(claimed.fileName()))
            return fail(tr("No backup of the controller's settings was made: nothing can be written to the folder %1 (%2).")
                            .arg(folder, claimed.errorString()));
    }
    claimed.close();
    QString writeError;
    if (!PresetFile::write(claimed.fileName(), image, &writeError)) {
        claimed.remove();
        return fail(tr("No backup of the controller's settings was made. %1").arg(writeError));
    }

    // The backup just written stays even when it is dated before the others (a clock set back):
    // it is the one the update is about to rely on.
    QStringList others = list(serialNumber);
    others.removeOne(claimed.fileName());
    for (const QString &path : others.mid(KeptPerController - 1)) {
        if (!QFile::remove(path))
            qDebug() << "FirmwareBackups: cannot remove the old backup" << path;
    }
    return claimed.fileName();
}

QStringList FirmwareBackups::list(const QString &serialNumber) const
{
    const QString serial = namePart(serialNumber);
    QStringList paths;
    for (const Backup &backup : backupsIn(m_directory)) {
        if (backup.serial == serial)
            paths.append(backup.path);
    }
    return paths;
}

QString FirmwareBackups::newest(const QString &serialNumber) const
{
    return list(serialNumber).value(0);
}

QString FirmwareBackups::newestOfAny() const
{
    const QVector<Backup> backups = backupsIn(m_directory);
    return backups.isEmpty() ? QString() : backups.first().path;
}
