#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QString>
#include <QStringList>

// The backups of the controller's configuration that a firmware update takes before it switches
// the controller to its boot loader: sent back when the new firmware reset the settings, and
// the newest of a controller is what rescues one left in its boot loader.
//
// Every backup is a preset file (*.stm) that the editor opens like any other, kept in
// <folder>/backups/ as <SERIAL>-<yyyy-MM-dd>-fw<VERSION>.stm; more backups under one name on one
// day get "-2", "-3"... before ".stm". The serial number and the version come from the controller,
// so of their text only ASCII letters, digits, '.', '-' and '_' are kept, anything else becomes
// '_', as do ".." and a leading '.' or '-'; each is cut to MaxNamePartLength characters and is
// "unknown" when empty. Of each controller (serial number) the KeptPerController newest backups
// are kept: newest by the date in the name, then by write order; the one just written always
// stays.
class FirmwareBackups
{
    Q_DECLARE_TR_FUNCTIONS(FirmwareBackups)

public:
    static constexpr int KeptPerController = 10;
    static constexpr int MaxNamePartLength = 40;

    // Backups live in <folder>/backups; without a folder, in the user's data folder, beside the
    // downloaded firmware images.
    explicit FirmwareBackups(const QString &folder = QString());

    // <folder>/backups: created by the first write.
    QString directory() const;

    // Writes `image` (a whole configuration as read from the controller) as the backup of the
    // controller `serialNumber` running firmware `firmwareVersion` ("1.0.3"), dated by `now`
    // (local time; today when invalid), atomically, and then removes that controller's backups
    // beyond the newest KeptPerController. Returns the path written; on failure an empty string, with a sentence
    // for the user in `error`, and every earlier backup as it was.
    QString write(const QString &serialNumber, const QString &firmwareVersion, const QByteArray &image,
                  const QDateTime &now, QString *error) const;

    // The paths of the backups of one controller, newest first.
    QStringList list(const QString &serialNumber) const;
    // The newest backup of one controller; empty when there is none.
    QString newest(const QString &serialNumber) const;
    // The newest backup of any controller, for one whose serial number cannot be read (a boot
    // loader does not tell it); empty when there is none.
    QString newestOfAny() const;

private:
    QString m_directory;
};
