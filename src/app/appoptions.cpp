#include "app/appoptions.h"

#include "app/platform.h"
#include "device/virtual/virtualfaults.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QVector>

#include <cstdio>

namespace {

// A wrong command line, as tark9ctl reports it.
constexpr int WrongCommandLineExit = 2;

const QString ProgramName = QStringLiteral("kovelaTark9");

// QApplication takes these from the command line itself, after this parse; they are known here
// only so that they are let through, and stay out of the help.
struct QtOption {
    const char *name;
    bool takesValue;
};
const QtOption QtOptions[] = {
    {"platform", true}, {"platformpluginpath", true}, {"platformtheme", true}, {"plugin", true},
    {"qwindowgeometry", true}, {"qwindowicon", true}, {"qwindowtitle", true}, {"display", true},
    {"geometry", true}, {"style", true}, {"stylesheet", true}, {"qmljsdebugger", true},
    {"reverse", false}, {"widgetcount", false}, {"nograb", false}, {"dograb", false},
};

void print(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace

AppOptions AppOptions::parse(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    QCommandLineParser parser;
    // Qt's own options are single-dash words ("-platform xcb").
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral(
        "The editor for the Kovela Tark9 MIDI pad controller: edits what its pads, knobs and\n"
        "touch strip send, writes the configuration to the controller and reads it back, keeps\n"
        "presets (*.stm) and updates the controller's firmware."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QStringLiteral("Show the editor's version and exit."));
    const QCommandLineOption virtualDevice(QStringLiteral("virtual-device"),
        QStringLiteral("Attach to the built-in virtual controller instead of a real Kovela Tark9."));
    const QCommandLineOption virtualFault(QStringLiteral("virtual-fault"),
        QStringLiteral("Attach to the built-in virtual controller, misbehaving as FAULT (%1), to see how\n"
                       "the editor reports it.").arg(VirtualFaults::names().join(QStringLiteral(", "))),
        QStringLiteral("FAULT"));
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
        QStringLiteral("Render the window once, save it as a PNG image to FILE and exit."), QStringLiteral("FILE"));
    parser.addOptions({help, version, virtualDevice, virtualFault, screenshot});
    for (const QtOption &qtOption : QtOptions) {
        QCommandLineOption option(QString::fromLatin1(qtOption.name));
        if (qtOption.takesValue)
            option.setValueName(QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    AppOptions options;
    if (!parser.parse(arguments)) {
        print(stderr, QStringLiteral("%1: %2 Run '%1 --help' for the options.\n").arg(ProgramName, parser.errorText()));
        options.exitCode = WrongCommandLineExit;
        return options;
    }
    if (parser.isSet(help) || parser.isSet(version)) {
        // The help's usage line and the version resource both come from the application object;
        // a core application needs no display.
        QCoreApplication application(argc, argv);
        print(stdout, parser.isSet(help) ? parser.helpText() : QStringLiteral("%1 %2\n").arg(ProgramName, Platform::softVersion()));
        options.exitCode = 0;
        return options;
    }
    if (!parser.positionalArguments().isEmpty()) {
        print(stderr, QStringLiteral("%1: unexpected argument '%2'. Run '%1 --help' for the options.\n")
                          .arg(ProgramName, parser.positionalArguments().constFirst()));
        options.exitCode = WrongCommandLineExit;
        return options;
    }
    options.virtualFault = parser.value(virtualFault);
    if (parser.isSet(virtualFault) && !VirtualFaults::names().contains(options.virtualFault)) {
        print(stderr, QStringLiteral("%1: unknown fault '%2' for --virtual-fault (one of: %3).\n")
                          .arg(ProgramName, options.virtualFault, VirtualFaults::names().join(QStringLiteral(", "))));
        options.exitCode = WrongCommandLineExit;
        return options;
    }
    options.virtualDevice = parser.isSet(virtualDevice) || parser.isSet(virtualFault);
    options.screenshotPath = parser.value(screenshot);
    return options;
}
