#pragma once

#include <QCoreApplication>
#include <QJsonObject>
#include <QList>
#include <QString>

// Why the controller can or cannot be reached: each link of the chain from the MIDI system to
// the controller's ports and its boot loader's serial port, in order, with its state and, where
// it fails, what the user can do. Both front ends show this one diagnosis (the editor's
// Connection Check, tark9ctl doctor); its texts are translated where a translator is installed.
class ConnectionCheck
{
    Q_DECLARE_TR_FUNCTIONS(ConnectionCheck)
public:
    enum class State {
        Ok,       // the link works
        Failed,   // the link is broken: the remedy says what to do
        Absent,   // nothing there, and nothing wrong with that (no boot loader outside an update)
        Info      // a fact for the reader (where the log is kept)
    };

    struct Link {
        QString id;        // stable, for scripts: "midi-system", "midi-ports", "boot-loader", ...
        QString name;
        State state = State::Ok;
        QString detail;
        QString remedy;    // empty unless the link failed
    };

    // The first broken link decides, in the chain's order.
    enum class Verdict {
        AllWell,
        ControllerNotFound,       // neither its MIDI ports nor its boot loader are there
        MidiSystemUnusable,       // the MIDI system cannot be opened at all
        BootLoaderInaccessible    // its boot loader's port is there, but this user cannot use it
    };

    struct Report {
        QList<Link> links;
        Verdict verdict = Verdict::AllWell;
    };

    // Looks at every link now. Opens the boot loader's serial port for a moment when it is there.
    static Report run();

    // The first link alone: whether the MIDI system opens, and if not why and what to do.
    static Link midiSystem();
    // The same as one sentence; empty when the MIDI system opens.
    static QString midiSystemProblem();

    static QString stateName(State state);
    static QString toText(const Report &report);
    static QJsonObject toJson(const Report &report);
};
