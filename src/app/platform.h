#pragma once

#include <QString>

// Small operating-system services with one implementation per platform folder.
namespace Platform {

// The program's four-number version ("1.2.3.4"), or an empty string when it cannot be read.
QString softVersion();

// The debugger's output channel (OutputDebugString on Windows, standard error elsewhere).
void debugOutput(const QString &text);

// The main window's title as the desktop shows it (task bar, window switcher), given the
// document's title ("Kovela Tark9 Editor - mine.stm *"). On Windows it is the fixed title by
// which a second copy of the editor finds the running one's window.
QString windowTitle(const QString &documentTitle);

} // namespace Platform
