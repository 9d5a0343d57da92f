#pragma once

#include <QStringList>

// The command-line tool for the Kovela Tark9: parses the command line and runs one command.
namespace Tark9Ctl {

// `arguments` without the program's name; returns the exit code (cli/exitcode.h).
int run(const QStringList &arguments);

} // namespace Tark9Ctl
