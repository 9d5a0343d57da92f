#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// tark9ctl run as a script runs it: what it exited with and what it wrote.
struct ToolRun {
    int exitCode = -1;          // -1: it crashed, or hung and was killed
    QString out;
    QString err;
    QByteArray outBytes;        // standard output as it came
    QByteArray errBytes;
};

// The built tark9ctl (TARK9_CTL, or the build folder's).
QString toolPath();

// Runs the tool with the event loop going, so that a line proxy in this process keeps working.
// Standard input is a pipe that holds `input` and then ends; standard output goes to
// `outputFile` when one is given. A run that takes over 30 s counts as hung and is killed.
ToolRun runTool(const QStringList &arguments, const QByteArray &input = QByteArray(), const QString &outputFile = QString());
