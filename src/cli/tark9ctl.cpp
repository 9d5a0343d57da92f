#include "cli/tark9ctl.h"

#include "cli/commandline.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/exitcode.h"
#include "device/devicebackend.h"
#include "device/virtual/virtualfaults.h"
#include "device/virtual/virtualtark9.h"

#include <QtGlobal>

#include <cstdio>

namespace {

// The back end logs a line for every port opened and message received; the tool shows it only
// with --verbose, so that standard error holds nothing but the one line of an error.
void verboseLog(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    std::fprintf(stderr, "%s\n", qPrintable(message));
    if (type == QtFatalMsg)
        std::abort();
}

void quietLog(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "tark9ctl: %s\n", qPrintable(message));
        std::abort();
    }
}

int runCommand(const QStringList &arguments)
{
    const CommandLine line = CommandLine::parse(arguments, VirtualFaults::names());
    if (!line.error.isEmpty()) {
        Console::error(QStringLiteral("%1 (see tark9ctl --help)").arg(line.error));
        return ExitUsage;
    }
    if (line.help) {
        Console::out(line.command ? line.command->help() : CommandLine::toolHelp(VirtualFaults::names()));
        return ExitSuccess;
    }
    if (line.version) {
        Console::out(QStringLiteral("tark9ctl %1").arg(QStringLiteral(TARK9_VERSION_TEXT)));
        return ExitSuccess;
    }

    qInstallMessageHandler(line.verbose ? &verboseLog : &quietLog);
    // Chosen before anything lists or opens a port, and not changed afterwards.
    if (line.virtualDevice) {
        VirtualTark9::installAsBackend();
        // The parser has taken only the names of the list, or none.
        VirtualFaults::play(line.virtualFault, VirtualTark9::instance());
    }

    Commands commands;
    return line.command->run(commands, line);
}

} // namespace

int Tark9Ctl::run(const QStringList &arguments)
{
    const int code = runCommand(arguments);
    // A result that never reached standard output (a full disk, say) is a failure
    // even when the command itself went well: a script would otherwise take an empty file.
    QString reason;
    if (!Console::outputComplete(&reason)) {
        Console::error(QStringLiteral("standard output could not be written: %1").arg(reason));
        return code == ExitSuccess ? ExitBadFile : code;
    }
    return code;
}
