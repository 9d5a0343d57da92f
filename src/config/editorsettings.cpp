#include "config/editorsettings.h"

#include <QStandardPaths>

QString EditorSettings::organisation()
{
    return QStringLiteral("Kovela");
}

QString EditorSettings::application()
{
    return QStringLiteral("kovelaTark9");
}

QString EditorSettings::dataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QLatin1Char('/') + application();
}

QString EditorSettings::logFolder()
{
    return dataFolder() + QStringLiteral("/Log");
}

QSettings EditorSettings::open()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, organisation(), application());
}
