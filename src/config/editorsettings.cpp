#include "config/editorsettings.h"

QString EditorSettings::organisation()
{
    return QStringLiteral("Kovela");
}

QString EditorSettings::application()
{
    return QStringLiteral("kovelaTark9");
}

QSettings EditorSettings::open()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, organisation(), application());
}
