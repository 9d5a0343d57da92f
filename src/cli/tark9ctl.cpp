#include "cli/tark9ctl.h"

#include "cli/commandline.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/exitcode.h"
#include "device/devicebackend.h"
#include "device/virtual/virtualtark9.h"

#include <QVector>
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

// --virtual=FAULT: the misbehaviours a script may want to see the tool report, in the order the
// help lists them.
struct Fault
{
    QString name;
    void (*setUp)(VirtualTark9 &device);
};

const QVector<Fault> &faults()
{
    using M = VirtualTark9::Misbehaviour;
    static const QVector<Fault> list = {
        {QStringLiteral("unplugged"), [](VirtualTark9 &device) { device.unplug(); }},
        {QStringLiteral("busy"), [](VirtualTark9 &device) { device.setMisbehaviour(M::PortsBusy); }},
        {QStringLiteral("silent"), [](VirtualTark9 &device) { device.setMisbehaviour(M::NoReply); }},
        {QStringLiteral("stalled"), [](VirtualTark9 &device) { device.setMisbehaviour(M::StopsReading); }},
        {QStringLiteral("drops-writes"), [](VirtualTark9 &device) { device.setMisbehaviour(M::DropsWrites); }},
        // Firmware updates: settings of the user's own that the new firmware resets to the factory's,
        // a power cut in the middle of the image, the old firmware starting again, no firmware
        // starting at all, and a controller found left in its boot loader.
        {QStringLiteral("resets-settings"), [](VirtualTark9 &device) {
             device.customiseSettings();
             device.setMisbehaviour(M::ResetsSettings);
         }},
        {QStringLiteral("power-cut"), [](VirtualTark9 &device) { device.setMisbehaviour(M::PowerCutMidTransfer); }},
        {QStringLiteral("old-version"), [](VirtualTark9 &device) { device.setMisbehaviour(M::KeepsOldFirmware); }},
        {QStringLiteral("never-returns"), [](VirtualTark9 &device) { device.setMisbehaviour(M::NeverReturns); }},
        {QStringLiteral("stranded"), [](VirtualTark9 &device) { device.bootLoader().enter(VirtualBootLoader::Application::Erased); }},
    };
    return list;
}

QStringList faultNames()
{
    QStringList names;
    for (const Fault &fault : faults())
        names << fault.name;
    return names;
}

void setUpVirtualController(const QString &faultName)
{
    for (const Fault &fault : faults()) {
        if (fault.name == faultName)
            fault.setUp(VirtualTark9::instance());
    }
}

int runCommand(const QStringList &arguments)
{
    const CommandLine line = CommandLine::parse(arguments, faultNames());
    if (!line.error.isEmpty()) {
        Console::error(QStringLiteral("%1 (see tark9ctl --help)").arg(line.error));
        return ExitUsage;
    }
    if (line.help) {
        Console::out(line.command ? line.command->help() : CommandLine::toolHelp(faultNames()));
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
