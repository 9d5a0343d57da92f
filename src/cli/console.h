#pragma once

#include <QByteArray>
#include <QString>

#include <cstdio>

// tark9ctl's output: results on standard output, each error as one line on standard error.
namespace Console {

void out(const QString &text);
// Bytes as they are (a preset written to standard output).
void outBytes(const QByteArray &bytes);
// "tark9ctl: <message>"
void error(const QString &message);

// Whether everything written to standard output so far has reached it (a full disk or a closed
// pipe loses it); otherwise `reason` gets the system's account of the first failure.
bool outputComplete(QString *reason);

} // namespace Console

// The progress of a transfer: a bar redrawn in place on a terminal, and otherwise a plain line
// every ProgressStep percent, so that a log file stays readable. Where the bytes are known they
// follow the percentage ("progress 40%: 8192 of 20480 bytes, about 2 s left").
class ProgressDisplay
{
public:
    static constexpr int ProgressStep = 10;   // percent between two plain lines
    static constexpr int BarWidth = 40;       // characters

    explicit ProgressDisplay(std::FILE *stream = stdout);

    void update(int percent);
    // secondsLeft < 0: no estimate yet.
    void update(int percent, qint64 bytesSent, qint64 bytesTotal, int secondsLeft);
    // Ends the bar's line; nothing for plain lines.
    void finish();

private:
    std::FILE *m_stream;
    bool m_terminal;
    void show(int percent, const QString &detail);

    int m_shown = -1;
};
