#include "cli/commandline.h"

#include "cli/commands.h"
#include "config/controlleridentity.h"
#include "firmware/firmwareupdate.h"
#include "firmware/guardedupdate.h"

#include <QCommandLineParser>
#include <QSet>

#include <algorithm>

namespace {

// QCommandLineParser knows no option whose value may be left out, as --virtual's may: a fault
// given with it goes to the parser as an option of its own.
const QString VirtualOption = QStringLiteral("virtual");
const QString FaultOption = QStringLiteral("virtual-fault");

QStringList withFaultOption(QStringList arguments)
{
    const QString given = QStringLiteral("--%1=").arg(VirtualOption);
    for (QString &argument : arguments) {
        if (argument == QLatin1String("--"))
            break;
        if (argument.startsWith(given))
            argument = QStringLiteral("--%1=%2").arg(FaultOption, argument.mid(given.size()));
    }
    return arguments;
}

// "--json", "--port PORT"
QString term(const CommandOption &option)
{
    return QStringLiteral("--") + option.name + (option.valueName.isEmpty() ? QString() : QLatin1Char(' ') + option.valueName);
}

QString unknownCommand(const QString &name)
{
    return QStringLiteral("unknown command '%1'").arg(name);
}

// An operand the command can do without, as the usage line names it: "[IMAGE]".
bool isOptional(const QString &operand)
{
    return operand.startsWith(QLatin1Char('['));
}

// The options flash and rescue share.
CommandOption portOption()
{
    return {QStringLiteral("port"), QStringLiteral("PORT"),
            QStringLiteral("send on this serial port (\"ttyACM0\", \"/dev/ttyACM0\", \"COM3\")\n"
                           "instead of looking for the boot loader's")};
}

CommandOption restoreOption()
{
    return {QStringLiteral("no-restore"), QString(),
            QStringLiteral("leave the settings as the new firmware has them, even when it\n"
                           "has reset them")};
}

CommandOption expectOption()
{
    return {QStringLiteral("expect-version"), QStringLiteral("V"),
            QStringLiteral("the version the image brings (\"1.0.4\"): the update counts only\n"
                           "when the controller comes back with it")};
}

Commands::FlashOptions flashOptions(const CommandLine &line)
{
    Commands::FlashOptions options;
    options.portName = line.value(QStringLiteral("port"));
    options.backup = !line.isSet(QStringLiteral("no-backup"));
    options.restore = !line.isSet(QStringLiteral("no-restore"));
    options.expectedVersion = line.value(QStringLiteral("expect-version"));
    return options;
}

} // namespace

const QVector<CommandInfo> &CommandInfo::all()
{
    static const QVector<CommandInfo> commands = {
        {QStringLiteral("ports"), {}, {},
         QStringLiteral("list MIDI and serial ports, marking the controller's"),
         QStringLiteral("Lists the MIDI inputs and outputs by index and name, and the serial ports with\n"
                        "their USB vendor and product ids. The controller's MIDI ports (the lowest-numbered\n"
                        "ones named \"Kovela Tark9\") and its boot loader's serial port (1c75:0204) are\n"
                        "marked."),
         QStringLiteral("Exit codes: 0; 6 standard output cannot be written; 8 the MIDI system cannot\n"
                        "be opened (the serial ports are listed all the same)."),
         [](Commands &commands, const CommandLine &) { return commands.ports(); }},
        {QStringLiteral("doctor"), {},
         {{QStringLiteral("json"), QString(),
           QStringLiteral("write the links as JSON: {\"verdict\", \"links\": [{\"id\", \"name\",\n"
                          "\"state\", \"detail\", \"remedy\"}]}")}},
         QStringLiteral("check every link to the controller and say what to do"),
         QStringLiteral("Checks, in order, the links between this computer and the controller: the MIDI\n"
                        "system (there, and open to this user), the controller's MIDI ports (found by\n"
                        "name, or which ports there are instead), the boot loader's serial port when it\n"
                        "is there (readable and writable by this user) and the rule that opens it to the\n"
                        "user at the seat, an editor holding the single-instance lock, and where the\n"
                        "editor keeps its log and settings. A link that fails comes with what to do."),
         QStringLiteral("Exit codes: 0 all well; 3 no controller (neither its MIDI ports nor its boot\n"
                        "loader); 6 standard output cannot be written; 8 the MIDI system cannot be\n"
                        "opened; 9 the boot loader's port is there but cannot be opened by this user."),
         [](Commands &commands, const CommandLine &line) { return commands.doctor(line.isSet(QStringLiteral("json"))); }},
        {QStringLiteral("get"), {QStringLiteral("FILE.stm")}, {},
         QStringLiteral("read the controller's configuration into a preset file"),
         QStringLiteral("Reads the controller's configuration and writes it to FILE.stm, in the preset\n"
                        "format the kovelaTark9 editor opens. FILE.stm is replaced only once the whole\n"
                        "configuration has arrived and been written. A symbolic link is written through\n"
                        "to its file; a FILE.stm that is a device, FIFO or folder is refused and left as\n"
                        "it is. With - as FILE.stm the preset's bytes go to standard output."),
         QStringLiteral("Exit codes: 0; 3 no controller; 4 port busy; 5 no reply within 2 s; 6 FILE.stm\n"
                        "or standard output cannot be written; 7 the reply was not a whole\n"
                        "configuration; 8 the MIDI system cannot be opened."),
         [](Commands &commands, const CommandLine &line) { return commands.get(line.operands.at(0)); }},
        {QStringLiteral("send"), {QStringLiteral("FILE.stm")},
         {{QStringLiteral("verify"), QString(),
           QStringLiteral("read the configuration back and compare every byte, naming each\n"
                          "field that differs (\"pad A13 note: sent 60, read 64\"); the command\n"
                          "byte and the firmware version are the controller's own and are not\n"
                          "compared")},
          {QStringLiteral("force"), QString(),
           QStringLiteral("send it even when fields hold values outside their ranges (for a\n"
                          "firmware that knows more types than this tool), each named")}},
         QStringLiteral("write a preset to the controller"),
         QStringLiteral("Writes the configuration in FILE.stm to the controller. Nothing is sent unless\n"
                        "the file holds a whole configuration whose every byte the controller can take\n"
                        "and whose every field holds a value of its range (a pad type of 0..2, a\n"
                        "channel of 1..16, ...); the first field outside is named.\n"
                        "With - as FILE.stm the preset is read from standard input; a device, FIFO or\n"
                        "folder is refused."),
         QStringLiteral("Exit codes: 0; 3 no controller; 4 port busy; 5 the controller took no data\n"
                        "within 2 s, or did not answer within 2 s; 6 FILE.stm is not a whole preset, or\n"
                        "standard output cannot be written; 7 the send failed, or the read-back differs;\n"
                        "8 the MIDI system cannot be opened."),
         [](Commands &commands, const CommandLine &line) {
             return commands.send(line.operands.at(0), line.isSet(QStringLiteral("verify")), line.isSet(QStringLiteral("force")));
         }},
        {QStringLiteral("sn"), {}, {},
         QStringLiteral("show the controller's serial number and firmware version"),
         QStringLiteral("Asks the controller for its serial number and its configuration, and shows the\n"
                        "serial number and the firmware version the configuration carries."),
         QStringLiteral("Exit codes: 0; 3 no controller; 4 port busy; 5 no reply within 2 s; 6 standard\n"
                        "output cannot be written; 7 a reply was broken;\n"
                        "8 the MIDI system cannot be opened."),
         [](Commands &commands, const CommandLine &) { return commands.serialNumber(); }},
        {QStringLiteral("monitor"), {},
         {{QStringLiteral("json"), QString(),
           QStringLiteral("write one JSON object per line: {\"time_ms\", \"direction\", \"kind\",\n"
                          "\"channel\", \"text\", \"controls\", \"hex\"}")},
          {QStringLiteral("demo"), QString(),
           QStringLiteral("with --virtual: the virtual controller plays some pads, turns some\n"
                          "knobs and touches every strip section (about 2 s)")}},
         QStringLiteral("print every message between this computer and the controller"),
         QStringLiteral("Prints a line for every message the controller sends (its pads' notes, its\n"
                        "knobs' and strip's controllers, its replies) and every message this tool sends\n"
                        "it, until interrupted (Ctrl+C): the time in ms since the start, the direction,\n"
                        "the kind and channel, the message in words, the controls that send it in the\n"
                        "controller's configuration (read once at the start) and its bytes in hex.\n"
                        "Meanwhile the controller's MIDI input stays open: on Windows no other program\n"
                        "receives from the controller until the monitor ends."),
         QStringLiteral("Exit codes: 0 once interrupted; 2 --demo without --virtual; 3 no controller;\n"
                        "4 port busy; 6 standard output cannot be written; 8 the MIDI system cannot be\n"
                        "opened. A configuration that cannot be read is said, and the monitor goes on\n"
                        "without naming controls."),
         [](Commands &commands, const CommandLine &line) {
             return commands.monitor(line.isSet(QStringLiteral("json")), line.isSet(QStringLiteral("demo")));
         }},
        {QStringLiteral("show"), {QStringLiteral("FILE.stm")},
         {{QStringLiteral("json"), QString(),
           QStringLiteral("write it as JSON instead, every byte of the preset a number under a\n"
                          "name; apply-json turns such JSON back into the same preset")}},
         QStringLiteral("show a preset readably, or as JSON"),
         QStringLiteral("Shows the preset in FILE.stm: the pads by bank (with note names), the knobs, the\n"
                        "strip, the velocity curve, the full level and the pad colours. With - as FILE.stm\n"
                        "the preset is read from standard input; a device, FIFO or folder is refused."),
         QStringLiteral("Exit codes: 0; 6 FILE.stm is not a whole preset, or standard output cannot be\n"
                        "written (a full disk, say)."),
         [](Commands &commands, const CommandLine &line) { return commands.show(line.operands.at(0), line.isSet(QStringLiteral("json"))); }},
        {QStringLiteral("apply-json"), {QStringLiteral("FILE.json"), QStringLiteral("FILE.stm")}, {},
         QStringLiteral("build a preset from JSON as show --json writes it"),
         QStringLiteral("Builds the preset FILE.stm from FILE.json, which must hold every field that\n"
                        "show --json writes, each within its range (channels 1..16, types and modes as\n"
                        "listed there, everything else 0..127). A value out of range is refused with its\n"
                        "field named, and FILE.stm is then left as it was. With - as FILE.json the JSON is\n"
                        "read from standard input (at most 16 MiB, as from a file), and with - as FILE.stm\n"
                        "the preset's bytes go to standard output. FILE.stm is written as get writes it:\n"
                        "through a symbolic link, and never over a device, FIFO or folder."),
         QStringLiteral("Exit codes: 0; 6 FILE.json is not such JSON, or FILE.stm or standard output\n"
                        "cannot be written."),
         [](Commands &commands, const CommandLine &line) { return commands.applyJson(line.operands.at(0), line.operands.at(1)); }},
        {QStringLiteral("flash"), {QStringLiteral("IMAGE")},
         {portOption(),
          {QStringLiteral("no-backup"), QString(),
           QStringLiteral("update without backing up the settings first (and so without\n"
                          "restoring them)")},
          restoreOption(), expectOption()},
         QStringLiteral("update the controller's firmware from an image file"),
         QStringLiteral("Updates the controller's firmware with the image IMAGE, in stages, each named on\n"
                        "a line of its own: backing up the settings (the serial number, the\n"
                        "configuration and the firmware version, kept as a preset in the editor's data\n"
                        "folder, backups/SERIAL-DATE-fwVERSION.stm, the last ten per controller),\n"
                        "switching the controller to its boot loader, transferring the image by YMODEM\n"
                        "to the boot loader's serial port (USB 1c75:0204, looked for for up to %1 s),\n"
                        "waiting up to %2 s for the controller to come back in MIDI mode, checking its\n"
                        "version, and restoring the settings (sent and read back) when the new firmware\n"
                        "has reset them. Progress is drawn as a bar on a terminal and written as plain\n"
                        "lines otherwise, with the bytes sent and the time left. The update counts only\n"
                        "when the controller comes back with the version expected, or without\n"
                        "--expect-version with another version than before. When the settings cannot be\n"
                        "read the update stops before anything changes, unless --no-backup is given.\n"
                        "IMAGE must be a regular file of at most %3 bytes (what the boot loader\n"
                        "takes); it is checked before anything is read or sent. A controller that is\n"
                        "not in MIDI mode (already in its boot loader) gets the image as it is; rescue\n"
                        "also waits for it and restores its settings.")
             .arg(FirmwareUpdate::DefaultPortSearchLimitMs / 1000)
             .arg(GuardedUpdate::DefaultReturnDeadlineMs / 1000)
             .arg(ControllerIdentity::BootLoaderMaxImageSize),
         QStringLiteral("Exit codes: 0 the controller runs the new firmware with its settings; 3 no\n"
                        "controller, no boot-loader port (or no port PORT); 4 a port is busy, or PORT\n"
                        "cannot be opened; 5 the controller or its boot loader stopped answering (also\n"
                        "while backing up); 6 IMAGE cannot be read, is no regular file, is empty or too\n"
                        "large, the backup cannot be written, or standard output cannot be written;\n"
                        "7 the transfer failed (the controller then stays in its boot loader: see\n"
                        "rescue), a reply was broken, or the restored settings read back different;\n"
                        "8 the MIDI system cannot be opened; 10 the controller came back with another\n"
                        "version; 11 the controller did not come back within %1 s.")
             .arg(GuardedUpdate::DefaultReturnDeadlineMs / 1000),
         [](Commands &commands, const CommandLine &line) { return commands.flash(line.operands.at(0), flashOptions(line)); }},
        {QStringLiteral("rescue"), {QStringLiteral("[IMAGE]")},
         {portOption(), restoreOption(), expectOption()},
         QStringLiteral("bring back a controller left in its boot loader"),
         QStringLiteral("Finishes the update of a controller that was left in its boot loader (a power\n"
                        "cut or a cancel during the transfer; its serial port 1c75:0204 is there, its MIDI\n"
                        "ports are not): sends IMAGE, or without it the newest image the editor\n"
                        "downloaded, waits for the controller to come back in MIDI mode, reads its\n"
                        "serial number and version, and restores the newest backup of its settings (of\n"
                        "this controller, or of any when it has none), sent and read back. The stages\n"
                        "and the progress are written as flash writes them."),
         QStringLiteral("Exit codes: 0 the controller runs the firmware with its settings; 3 no\n"
                        "boot-loader port (or no port PORT); 4 PORT cannot be opened; 5 the boot loader\n"
                        "or the controller stopped answering; 6 no image given and none downloaded,\n"
                        "IMAGE cannot be read or is no firmware image, or standard output cannot be\n"
                        "written; 7 the transfer failed, or the restored settings read back different;\n"
                        "10 another version than expected; 11 the controller did not come back."),
         [](Commands &commands, const CommandLine &line) { return commands.rescue(line.operands.value(0), flashOptions(line)); }},
    };
    return commands;
}

const CommandInfo *CommandInfo::find(const QString &name)
{
    for (const CommandInfo &info : all()) {
        if (info.name == name)
            return &info;
    }
    return nullptr;
}

QString CommandInfo::synopsis() const
{
    QStringList words = QStringList(name) + operands;
    for (const CommandOption &option : options)
        words << QLatin1Char('[') + term(option) + QLatin1Char(']');
    return words.join(QLatin1Char(' '));
}

QString CommandInfo::help() const
{
    QString text = QStringLiteral("Usage: tark9ctl ") + synopsis() + QStringLiteral("\n\n") + description + QStringLiteral("\n\n");
    if (!options.isEmpty()) {
        // Each option's lines in a column after the longest term.
        int width = 0;
        for (const CommandOption &option : options)
            width = std::max(width, int(term(option).size()));
        const QString indent(2 + width + 2, QLatin1Char(' '));
        for (const CommandOption &option : options) {
            text += QStringLiteral("  ") + term(option).leftJustified(width) + QStringLiteral("  ")
                + option.help.split(QLatin1Char('\n')).join(QLatin1Char('\n') + indent) + QLatin1Char('\n');
        }
        text += QLatin1Char('\n');
    }
    return text + exitCodes + QLatin1Char('\n');
}

CommandLine CommandLine::parse(const QStringList &arguments, const QStringList &faults)
{
    CommandLine line;
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    const QCommandLineOption verbose(QStringLiteral("verbose"));
    const QCommandLineOption virtualDevice(VirtualOption);
    const QCommandLineOption fault(FaultOption, QString(), QStringLiteral("FAULT"));
    QCommandLineParser parser;
    parser.addOptions({help, version, verbose, virtualDevice, fault});
    // Every command's options, so that they may stand anywhere; whether the command has the ones
    // given is checked below. Several commands share one (--json): the parser takes it once.
    QSet<QString> commandOptions;
    for (const CommandInfo &info : CommandInfo::all()) {
        for (const CommandOption &option : info.options) {
            if (!commandOptions.contains(option.name))
                parser.addOption(QCommandLineOption(option.name, QString(), option.valueName));
            commandOptions.insert(option.name);
        }
    }
    if (!parser.parse(QStringList(QStringLiteral("tark9ctl")) + withFaultOption(arguments))) {
        line.error = parser.errorText();
        return line;
    }
    line.help = parser.isSet(help);
    line.version = parser.isSet(version);
    line.verbose = parser.isSet(verbose);
    line.virtualDevice = parser.isSet(virtualDevice) || parser.isSet(fault);
    line.virtualFault = parser.value(fault);
    if (parser.isSet(fault) && !faults.contains(line.virtualFault)) {
        line.error = QStringLiteral("unknown fault '%1' for --virtual (one of: %2)").arg(line.virtualFault, faults.join(QStringLiteral(", ")));
        return line;
    }

    line.operands = parser.positionalArguments();
    QString name = line.operands.isEmpty() ? QString() : line.operands.takeFirst();
    if (name == QLatin1String("help")) {
        line.help = true;
        name = line.operands.value(0);
        line.operands.clear();
    }
    line.command = CommandInfo::find(name);
    if (line.help || line.version) {
        if (line.help && !name.isEmpty() && !line.command)
            line.error = unknownCommand(name);
        return line;
    }
    if (!line.command) {
        line.error = name.isEmpty() ? QStringLiteral("no command given") : unknownCommand(name);
        return line;
    }
    const QVector<CommandOption> &own = line.command->options;
    for (const QString &option : parser.optionNames()) {
        if (!commandOptions.contains(option))
            continue;
        const auto known = std::find_if(own.cbegin(), own.cend(), [&](const CommandOption &o) { return o.name == option; });
        if (known == own.cend()) {
            line.error = QStringLiteral("'%1' has no option --%2").arg(name, option);
            return line;
        }
        // "--port=" leaves the parser content.
        if (!known->valueName.isEmpty() && parser.value(option).isEmpty()) {
            line.error = QStringLiteral("--%1 needs a value").arg(option);
            return line;
        }
        line.options.insert(option, parser.value(option));
    }
    const QStringList &operands = line.command->operands;
    const int required = int(std::count_if(operands.cbegin(), operands.cend(), [](const QString &o) { return !isOptional(o); }));
    if (line.operands.size() < required || line.operands.size() > operands.size())
        line.error = QStringLiteral("usage: tark9ctl %1").arg(line.command->synopsis());
    return line;
}

QString CommandLine::toolHelp(const QStringList &faults)
{
    QString commands;
    for (const CommandInfo &info : CommandInfo::all())
        commands += QStringLiteral("  %1 %2\n").arg(info.synopsis().leftJustified(30), info.summary);
    return QStringLiteral(
               "Usage: tark9ctl [--virtual[=FAULT]] [--verbose] COMMAND [ARGUMENTS]\n"
               "\n"
               "Talks to a Kovela Tark9 pad controller from the command line: reads and writes its\n"
               "configuration, keeps it in preset files (*.stm, as the kovelaTark9 editor saves them)\n"
               "and updates its firmware.\n"
               "\n"
               "Commands:\n"
               "%1"
               "\n"
               "Options:\n"
               "  --virtual[=FAULT]  talk to the built-in virtual controller instead of a real one;\n"
               "                     FAULT makes it misbehave, so that scripts can try their error\n"
               "                     handling: %2\n"
               "  --verbose          write the diagnostic log to standard error\n"
               "  -h, --help         show this help, or a command's help after the command\n"
               "  --version          show the program's version\n"
               "\n"
               "Exit codes:\n"
               "  0  success\n"
               "  2  the command line is wrong\n"
               "  3  no controller: its MIDI ports (for flash and rescue: its boot loader's port)\n"
               "     are not there\n"
               "  4  the controller's port is in use by another program\n"
               "  5  time-out: the controller stopped answering or stopped taking data\n"
               "  6  bad file: a file cannot be read, is not what it should be, or cannot be written;\n"
               "     also when standard output cannot be written (a full disk, say), for any command\n"
               "  7  transfer failed: a reply was broken, a verify found differences, the firmware\n"
               "     transfer failed, or settings restored after it read back different\n"
               "  8  the MIDI system cannot be opened (missing, or not open to this user)\n"
               "  9  the boot loader's serial port is there but cannot be opened by this user\n"
               "  10 after a firmware update the controller runs another version than expected\n"
               "  11 after a firmware update the controller did not come back in MIDI mode\n"
               "\n"
               "Run 'tark9ctl COMMAND --help' for a command's details.\n")
        .arg(commands, faults.join(QStringLiteral(", ")));
}
