#pragma once

#include <QString>

// Small operating-system services with one implementation per platform folder.
namespace Platform {

// The program's four-number version ("1.2.3.4"), or an empty string when it cannot be read.
QString softVersion();

// The debugger's output channel (OutputDebugString on Windows, standard error elsewhere).
void debugOutput(const QString &text);

} // namespace Platform
