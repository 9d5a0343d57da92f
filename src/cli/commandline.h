#pragma once

#include <QString>
#include <QStringList>

// tark9ctl's command line: global options, one command, its operands and its options. Options may
// stand before or after the command; "--" ends them.
struct CommandLine
{
    QString command;          // empty when none was given
    QStringList operands;
    bool help = false;        // --help, -h, or the command "help"
    bool version = false;
    bool verbose = false;
    bool virtualDevice = false;
    QString virtualFault;     // with --virtual=FAULT
    bool verify = false;      // send --verify
    bool force = false;       // send --force
    bool json = false;        // show --json
    QString port;             // flash --port PORT
    QString error;            // why the command line is wrong; empty when it is right

    // `arguments` without the program's name.
    static CommandLine parse(const QStringList &arguments);

    static QString toolHelp();
    // Empty for an unknown command.
    static QString commandHelp(const QString &command);
    // The misbehaviours --virtual=FAULT knows.
    static const QStringList &faults();
};
