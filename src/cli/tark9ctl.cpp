#include "cli/tark9ctl.h"

#include "cli/commandline.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/exitcode.h"
#include "device/devicebackend.h"
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

// --virtual=FAULT: the misbehaviours a script may want to see the tool report.
void setUpVirtualController(const QString &fault)
{
    VirtualTark9 &device = VirtualTark9::instance();
    using M = VirtualTark9::Misbehaviour;
    if (fault == QLatin1String("unplugged"))
        device.unplug();
    else if (fault == QLatin1String("busy"))
        device.setMisbehaviour(M::PortsBusy);
    else if (fault == QLatin1String("silent"))
        device.setMisbehaviour(M::NoReply);
    else if (fault == QLatin1String("stalled"))
        device.setMisbehaviour(M::StopsReading);
    else if (fault == QLatin1String("drops-writes"))
        device.setMisbehaviour(M::DropsWrites);
}

int runCommand(const QStringList &arguments)
{
    const CommandLine line = CommandLine::parse(arguments);
    if (!line.error.isEmpty()) {
        Console::error(QStringLiteral("%1 (see tark9ctl --help)").arg(line.error));
        return ExitUsage;
    }
    if (line.help) {
        if (line.command.isEmpty()) {
            Console::out(CommandLine::toolHelp());
            return ExitSuccess;
        }
        const QString help = CommandLine::commandHelp(line.command);
        if (help.isEmpty()) {
            Console::error(QStringLiteral("unknown command '%1' (see tark9ctl --help)").arg(line.command));
            return ExitUsage;
        }
        Console::out(help);
        return ExitSuccess;
    }
    if (line.version) {
        Console::out(QStringLiteral("tark9ctl %1").arg(QStringLiteral(TARK9_VERSION_TEXT)));
        return ExitSuccess;
    }

    qInstallMessageHandler(line.verbose ? &verboseLog : &quietLog);
    // Chosen before anything lists or opens a port, and not changed afterwards.
    if (line.virtualDevice)
        VirtualTark9::installAsBackend();
    if (line.virtualDevice)
        setUpVirtualController(line.virtualFault);

    Commands commands;
    const QString &command = line.command;
    if (command == QLatin1String("ports"))
        return commands.ports();
    if (command == QLatin1String("doctor"))
        return commands.doctor(line.json);
    if (command == QLatin1String("get"))
        return commands.get(line.operands.at(0));
    if (command == QLatin1String("send"))
        return commands.send(line.operands.at(0), line.verify, line.force);
    if (command == QLatin1String("sn"))
        return commands.serialNumber();
    if (command == QLatin1String("show"))
        return commands.show(line.operands.at(0), line.json);
    if (command == QLatin1String("apply-json"))
        return commands.applyJson(line.operands.at(0), line.operands.at(1));
    return commands.flash(line.operands.at(0), line.port);
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
