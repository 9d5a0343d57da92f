#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// One run of an lrzsz program (rb, sb) with its standard input and output on terminals, the way
// it runs on a serial line. Killed when the object goes, if it is still running.
//
// Input and output go to two different terminals: on its way out lrzsz flushes its terminal
// (TCIOFLUSH), and on a pseudo-terminal that throws away whatever it wrote that the other end
// has not read yet, typically its last ACK. On a real line those bytes are already on the wire.
class LrzszProcess
{
public:
    LrzszProcess();
    ~LrzszProcess();
    LrzszProcess(const LrzszProcess &) = delete;
    LrzszProcess &operator=(const LrzszProcess &) = delete;

    // Runs in workingDirectory, or in a fresh empty directory of its own when none is given
    // (rb must not find the file it receives already there).
    bool start(const QString &program, const QStringList &arguments, const QString &inputTty,
               const QString &outputTty, const QString &workingDirectory = QString());
    // Keeps the event loop running while it waits; false when the program is still running.
    bool waitForExit(int timeoutMs);
    // Ended by itself with exit status 0.
    bool succeeded() const;
    QString directory() const;
    QByteArray errorOutput();

private:
    QTemporaryDir m_ownDirectory;
    QString m_directory;
    QProcess m_process;
    bool m_finished = false;
};
