#include "lrzszprocess.h"

#include <QEventLoop>
#include <QTimer>

LrzszProcess::LrzszProcess()
{
    QObject::connect(&m_process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), &m_process,
                     [this] { m_finished = true; });
}

LrzszProcess::~LrzszProcess()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(2000);
    }
}

bool LrzszProcess::start(const QString &program, const QStringList &arguments, const QString &inputTty,
                         const QString &outputTty, const QString &workingDirectory)
{
    m_directory = workingDirectory.isEmpty() ? m_ownDirectory.path() : workingDirectory;
    m_process.setWorkingDirectory(m_directory);
    m_process.setStandardInputFile(inputTty);
    m_process.setStandardOutputFile(outputTty, QIODevice::Append);
    m_process.start(program, arguments);
    return m_process.waitForStarted(5000);
}

bool LrzszProcess::waitForExit(int timeoutMs)
{
    if (m_process.state() != QProcess::NotRunning) {
        QEventLoop loop;
        QObject::connect(&m_process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), &loop,
                         &QEventLoop::quit);
        QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return m_process.state() == QProcess::NotRunning;
}

bool LrzszProcess::succeeded() const
{
    return m_finished && m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
}

QString LrzszProcess::directory() const
{
    return m_directory;
}

QByteArray LrzszProcess::errorOutput()
{
    return m_process.readAllStandardError();
}
