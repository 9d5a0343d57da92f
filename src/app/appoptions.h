#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What the command line may ask of the editor.
struct AppOptions
{
    bool virtualDevice = false;   // attach to the built-in virtual Tark9 instead of real ports
    QString virtualFault;         // and have it misbehave so (VirtualFaults::names()); empty for none
    QString screenshotPath;       // render the window once, save it as PNG and exit
    // Set when the command line is answered on the terminal instead of starting the editor
    // (--help, --version, a wrong command line): the answer is printed, this is the exit code.
    std::optional<int> exitCode;

    // Reads the process's command line. Needs no application object and no display, so that
    // --help works on a machine without a desktop and before another running copy is looked for.
    static AppOptions parse(int argc, char *argv[]);
};
