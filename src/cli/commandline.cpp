#include "cli/commandline.h"

#include "config/controlleridentity.h"

#include <QVector>

namespace {

struct CommandInfo {
    QString name;
    int operands;
    QStringList options;      // the command's own options
    QString synopsis;         // after "tark9ctl "
    QString summary;          // one line for the tool's help
    QString details;          // the command's help after its usage line
};

// In the order the tool's help lists them.
const QVector<CommandInfo> &commandTable()
{
    static const QVector<CommandInfo> commands = {
        {QStringLiteral("ports"), 0, {}, QStringLiteral("ports"),
          QStringLiteral("list MIDI and serial ports, marking the controller's"),
          QStringLiteral("Lists the MIDI inputs and outputs by index and name, and the serial ports with\n"
                         "their USB vendor and product ids. The controller's MIDI ports (the lowest-numbered\n"
                         "ones named \"Kovela Tark9\") and its boot loader's serial port (1c75:0204) are\n"
                         "marked.\n\n"
                         "Exit codes: 0; 6 standard output cannot be written; 8 the MIDI system cannot\n"
                         "be opened (the serial ports are listed all the same).\n")},
        {QStringLiteral("doctor"), 0, {QStringLiteral("--json")}, QStringLiteral("doctor [--json]"),
          QStringLiteral("check every link to the controller and say what to do"),
          QStringLiteral("Checks, in order, the links between this computer and the controller: the MIDI\n"
                         "system (there, and open to this user), the controller's MIDI ports (found by\n"
                         "name, or which ports there are instead), the boot loader's serial port when it\n"
                         "is there (readable and writable by this user) and the rule that opens it to the\n"
                         "user at the seat, an editor holding the single-instance lock, and where the\n"
                         "editor keeps its log and settings. A link that fails comes with what to do.\n\n"
                         "  --json  write the links as JSON: {\"verdict\", \"links\": [{\"id\", \"name\",\n"
                         "          \"state\", \"detail\", \"remedy\"}]}\n\n"
                         "Exit codes: 0 all well; 3 no controller (neither its MIDI ports nor its boot\n"
                         "loader); 6 standard output cannot be written; 8 the MIDI system cannot be\n"
                         "opened; 9 the boot loader's port is there but cannot be opened by this user.\n")},
        {QStringLiteral("get"), 1, {}, QStringLiteral("get FILE.stm"),
          QStringLiteral("read the controller's configuration into a preset file"),
          QStringLiteral("Reads the controller's configuration and writes it to FILE.stm, in the preset\n"
                         "format the kovelaTark9 editor opens. FILE.stm is replaced only once the whole\n"
                         "configuration has arrived and been written. A symbolic link is written through\n"
                         "to its file; a FILE.stm that is a device, FIFO or folder is refused and left as\n"
                         "it is. With - as FILE.stm the preset's bytes go to standard output.\n\n"
                         "Exit codes: 0; 3 no controller; 4 port busy; 5 no reply within 2 s; 6 FILE.stm\n"
                         "or standard output cannot be written; 7 the reply was not a whole\n"
                         "configuration; 8 the MIDI system cannot be opened.\n")},
        {QStringLiteral("send"), 1, {QStringLiteral("--verify"), QStringLiteral("--force")}, QStringLiteral("send FILE.stm [--verify] [--force]"),
          QStringLiteral("write a preset to the controller"),
          QStringLiteral("Writes the configuration in FILE.stm to the controller. Nothing is sent unless\n"
                         "the file holds a whole configuration whose every byte the controller can take\n"
                         "and whose every field holds a value of its range (a pad type of 0..2, a\n"
                         "channel of 1..16, ...); the first field outside is named.\n"
                         "With - as FILE.stm the preset is read from standard input; a device, FIFO or\n"
                         "folder is refused.\n\n"
                         "  --verify  read the configuration back and compare every byte, naming each\n"
                         "            field that differs (\"pad A13 note: sent 60, read 64\"); the command\n"
                         "            byte and the firmware version are the controller's own and are not\n"
                         "            compared\n"
                         "  --force   send it even when fields hold values outside their ranges (for a\n"
                         "            firmware that knows more types than this tool), each named\n\n"
                         "Exit codes: 0; 3 no controller; 4 port busy; 5 the controller took no data\n"
                         "within 2 s, or did not answer within 2 s; 6 FILE.stm is not a whole preset, or\n"
                         "standard output cannot be written; 7 the send failed, or the read-back differs;\n"
                         "8 the MIDI system cannot be opened.\n")},
        {QStringLiteral("sn"), 0, {}, QStringLiteral("sn"),
          QStringLiteral("show the controller's serial number and firmware version"),
          QStringLiteral("Asks the controller for its serial number and its configuration, and shows the\n"
                         "serial number and the firmware version the configuration carries.\n\n"
                         "Exit codes: 0; 3 no controller; 4 port busy; 5 no reply within 2 s; 6 standard\n"
                         "output cannot be written; 7 a reply was broken;\n"
                         "8 the MIDI system cannot be opened.\n")},
        {QStringLiteral("show"), 1, {QStringLiteral("--json")}, QStringLiteral("show FILE.stm [--json]"),
          QStringLiteral("show a preset readably, or as JSON"),
          QStringLiteral("Shows the preset in FILE.stm: the pads by bank (with note names), the knobs, the\n"
                         "strip, the velocity curve, the full level and the pad colours. With - as FILE.stm\n"
                         "the preset is read from standard input; a device, FIFO or folder is refused.\n\n"
                         "  --json  write it as JSON instead, every byte of the preset a number under a\n"
                         "          name; apply-json turns such JSON back into the same preset\n\n"
                         "Exit codes: 0; 6 FILE.stm is not a whole preset, or standard output cannot be\n"
                         "written (a full disk, say).\n")},
        {QStringLiteral("apply-json"), 2, {}, QStringLiteral("apply-json FILE.json FILE.stm"),
          QStringLiteral("build a preset from JSON as show --json writes it"),
          QStringLiteral("Builds the preset FILE.stm from FILE.json, which must hold every field that\n"
                         "show --json writes, each within its range (channels 1..16, types and modes as\n"
                         "listed there, everything else 0..127). A value out of range is refused with its\n"
                         "field named, and FILE.stm is then left as it was. With - as FILE.json the JSON is\n"
                         "read from standard input (at most 16 MiB, as from a file), and with - as FILE.stm\n"
                         "the preset's bytes go to standard output. FILE.stm is written as get writes it:\n"
                         "through a symbolic link, and never over a device, FIFO or folder.\n\n"
                         "Exit codes: 0; 6 FILE.json is not such JSON, or FILE.stm or standard output\n"
                         "cannot be written.\n")},
        {QStringLiteral("flash"), 1, {QStringLiteral("--port")}, QStringLiteral("flash IMAGE [--port PORT]"),
          QStringLiteral("update the controller's firmware from an image file"),
          QStringLiteral("Sends the firmware image IMAGE to the controller's boot loader by YMODEM. A\n"
                         "controller in MIDI mode is first told to start its boot loader; its serial port\n"
                         "(USB 1c75:0204) is then looked for for up to 10 s. Progress is drawn as a bar on\n"
                         "a terminal and written as plain lines otherwise. IMAGE must be a regular file of\n"
                         "at most %1 bytes (what the boot loader takes); it is checked before\n"
                         "the controller is switched.\n\n"
                         "  --port PORT  send on this serial port (\"ttyACM0\", \"/dev/ttyACM0\", \"COM3\")\n"
                         "               instead of looking for the boot loader's\n\n"
                         "Exit codes: 0; 3 no boot-loader port (or no port PORT); 4 the controller's port\n"
                         "is busy, or PORT cannot be opened; 5 the boot loader stopped answering; 6 IMAGE\n"
                         "cannot be read, is no regular file, is empty or too large, or standard output\n"
                         "cannot be written; 7 the transfer failed.\n").arg(ControllerIdentity::BootLoaderMaxImageSize)},
    };
    return commands;
}

const CommandInfo *findCommand(const QString &name)
{
    for (const CommandInfo &info : commandTable()) {
        if (info.name == name)
            return &info;
    }
    return nullptr;
}

bool takesValue(const QString &option)
{
    return option == QLatin1String("--port");
}

} // namespace

const QStringList &CommandLine::faults()
{
    static const QStringList names = {QStringLiteral("unplugged"), QStringLiteral("busy"), QStringLiteral("silent"),
                                      QStringLiteral("stalled"), QStringLiteral("drops-writes")};
    return names;
}

CommandLine CommandLine::parse(const QStringList &arguments)
{
    CommandLine line;
    QStringList commandOptions;
    bool optionsEnded = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (optionsEnded || !argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-")) {
            if (line.command.isEmpty())
                line.command = argument;
            else
                line.operands << argument;
            continue;
        }
        const int equals = argument.indexOf(QLatin1Char('='));
        const QString name = equals < 0 ? argument : argument.left(equals);
        const QString inlineValue = equals < 0 ? QString() : argument.mid(equals + 1);
        if (argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (argument == QLatin1String("-h") || argument == QLatin1String("--help")) {
            line.help = true;
        } else if (argument == QLatin1String("--version")) {
            line.version = true;
        } else if (argument == QLatin1String("--verbose")) {
            line.verbose = true;
        } else if (name == QLatin1String("--virtual")) {
            line.virtualDevice = true;
            line.virtualFault = inlineValue;
            if (equals >= 0 && !faults().contains(inlineValue)) {
                line.error = QStringLiteral("unknown fault '%1' for --virtual (one of: %2)").arg(inlineValue, faults().join(QStringLiteral(", ")));
                return line;
            }
        } else if (name == QLatin1String("--verify") || name == QLatin1String("--json") || name == QLatin1String("--force") || takesValue(name)) {
            QString value = inlineValue;
            if (takesValue(name) && equals < 0) {
                if (i + 1 >= arguments.size()) {
                    line.error = QStringLiteral("%1 needs a value").arg(name);
                    return line;
                }
                value = arguments.at(++i);
            } else if (!takesValue(name) && equals >= 0) {
                line.error = QStringLiteral("%1 takes no value").arg(name);
                return line;
            }
            commandOptions << name;
            line.verify = line.verify || name == QLatin1String("--verify");
            line.force = line.force || name == QLatin1String("--force");
            line.json = line.json || name == QLatin1String("--json");
            if (takesValue(name))
                line.port = value;
        } else {
            line.error = QStringLiteral("unknown option '%1'").arg(argument);
            return line;
        }
    }
    if (line.command == QLatin1String("help")) {
        line.help = true;
        line.command = line.operands.value(0);
        line.operands.clear();
    }
    if (line.help || line.version)
        return line;
    if (line.command.isEmpty()) {
        line.error = QStringLiteral("no command given");
        return line;
    }
    const CommandInfo *info = findCommand(line.command);
    if (!info) {
        line.error = QStringLiteral("unknown command '%1'").arg(line.command);
        return line;
    }
    for (const QString &option : qAsConst(commandOptions)) {
        if (!info->options.contains(option)) {
            line.error = QStringLiteral("'%1' has no option %2").arg(line.command, option);
            return line;
        }
    }
    if (line.operands.size() != info->operands) {
        line.error = QStringLiteral("usage: tark9ctl %1").arg(info->synopsis);
        return line;
    }
    if (info->options.contains(QLatin1String("--port")) && commandOptions.contains(QLatin1String("--port")) && line.port.isEmpty()) {
        line.error = QStringLiteral("--port needs a port name");
        return line;
    }
    return line;
}

QString CommandLine::toolHelp()
{
    QString commands;
    for (const CommandInfo &info : commandTable())
        commands += QStringLiteral("  %1 %2\n").arg(info.synopsis.leftJustified(30), info.summary);
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
               "  3  no controller: its MIDI ports (for flash: its boot loader's port) are not there\n"
               "  4  the controller's port is in use by another program\n"
               "  5  time-out: the controller stopped answering or stopped taking data\n"
               "  6  bad file: a file cannot be read, is not what it should be, or cannot be written;\n"
               "     also when standard output cannot be written (a full disk, say), for any command\n"
               "  7  transfer failed: a reply was broken, a verify found differences, or the firmware\n"
               "     transfer failed\n"
               "  8  the MIDI system cannot be opened (missing, or not open to this user)\n"
               "  9  the boot loader's serial port is there but cannot be opened by this user\n"
               "\n"
               "Run 'tark9ctl COMMAND --help' for a command's details.\n")
        .arg(commands, faults().join(QStringLiteral(", ")));
}

QString CommandLine::commandHelp(const QString &command)
{
    const CommandInfo *info = findCommand(command);
    if (!info)
        return QString();
    return QStringLiteral("Usage: tark9ctl %1\n\n%2").arg(info->synopsis, info->details);
}
