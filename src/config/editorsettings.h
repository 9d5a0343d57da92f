#pragma once

#include <QSettings>
#include <QString>

// Where the editor keeps its settings (the interface language, the recent presets, the firmware
// server, the help links): the platform's native store for the user, under one organisation and
// application name. On Windows that is the registry key HKEY_CURRENT_USER\Software\Kovela\kovelaTark9
// (registry key names are case-insensitive); on Linux ~/.config/Kovela/kovelaTark9.conf.
// Users' settings live there already: the names never change.
namespace EditorSettings {

QString organisation();
// The editor's own name: the settings' application, and the name its single-instance lock and
// its log folder go by.
QString application();

// The settings, opened for reading and writing.
QSettings open();

// The editor's folder for the files it keeps for the user (downloaded firmware images, backups,
// the log), the same whichever program asks (the editor, tark9ctl):
// ~/.local/share/kovelaTark9 on Linux, %LOCALAPPDATA%\kovelaTark9 on Windows.
QString dataFolder();
// Where the editor writes its log.
QString logFolder();

} // namespace EditorSettings
