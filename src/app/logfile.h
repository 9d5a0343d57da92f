#pragma once

#include <QDateTime>
#include <QFile>
#include <QMutex>
#include <QString>

#include <functional>

// The hourly HTML diagnostic log. Every message of the process goes through one handler that
// appends it to "<dir>/yyyy-MM-dd_hh_log.html" and copies it to the debugger output.
class LogFile
{
public:
    using Clock = std::function<QDateTime()>;
    using Output = std::function<void(const QString &)>;

    // How many hourly files the editor's log keeps (1024 hours, some six weeks).
    static constexpr int KeptFiles = 1024;

    static LogFile &instance();

    // Start-up: install the handler, make `directory` and keep only the newest maxFiles files in it.
    static void initLog(const QString &directory, int maxFiles);

    static const QString &headerText();
    static void messageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message);

    // For tests and tools: where the files go, what time it is, where the copy goes.
    void setDirectory(const QString &directory);
    QString directory() const;
    void setClock(Clock clock);
    void setDebuggerOutput(Output output);
    void prune(int maxFiles);
    void write(QtMsgType type, const QString &message);

private:
    LogFile();

    QString m_directory;
    Clock m_clock;
    Output m_output;
    QMutex m_mutex;
    QFile m_file;
};
