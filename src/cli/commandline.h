#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>

class Commands;
struct CommandLine;

// An option of one command: --NAME, or --NAME VALUE when it has a value name.
struct CommandOption
{
    QString name;             // without the dashes
    QString valueName;        // empty for a switch
    QString help;             // its lines in the command's help, without their indent
};

// One of tark9ctl's commands. The table of them (CommandInfo::all()) is all that the parser,
// the help texts and the dispatch know of the commands.
struct CommandInfo
{
    QString name;
    QStringList operands;     // as the usage line names them ("FILE.stm")
    QVector<CommandOption> options;
    QString summary;          // one line for the tool's help
    QString description;      // the command's help between its usage line and its options
    QString exitCodes;        // the command's help after its options
    int (*run)(Commands &commands, const CommandLine &line);

    // In the order the tool's help lists them.
    static const QVector<CommandInfo> &all();
    // Null for an unknown command.
    static const CommandInfo *find(const QString &name);

    // "send FILE.stm [--verify] [--force]"
    QString synopsis() const;
    QString help() const;
};

// tark9ctl's command line: global options, one command, its operands and its options. Options may
// stand before or after the command; "--" ends them.
struct CommandLine
{
    const CommandInfo *command = nullptr;   // null when none was given
    QStringList operands;
    QMap<QString, QString> options;         // the command's options given, by name, with their values
    bool help = false;        // --help, -h, or the command "help"
    bool version = false;
    bool verbose = false;
    bool virtualDevice = false;
    QString virtualFault;     // with --virtual=FAULT
    QString error;            // why the command line is wrong; empty when it is right

    // `arguments` without the program's name; `faults` are the names --virtual=FAULT takes.
    static CommandLine parse(const QStringList &arguments, const QStringList &faults);
    static QString toolHelp(const QStringList &faults);

    bool isSet(const QString &option) const { return options.contains(option); }
    QString value(const QString &option) const { return options.value(option); }
};
