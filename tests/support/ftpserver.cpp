#include "ftpserver.h"

#include <QDeadlineTimer>
#include <QDebug>
#include <QFileInfo>

namespace {

QString scriptPath()
{
    const QByteArray sourceDir = qgetenv("TARK9_SOURCE_DIR");
    if (!sourceDir.isEmpty())
        return QString::fromLocal8Bit(sourceDir) + QStringLiteral("/tests/support/ftpserver.py");
    return QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/ftpserver.py");
}

} // namespace

FtpServer::FtpServer() = default;

FtpServer::~FtpServer()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    // The server ends by itself when its input closes; kill it only if it does not.
    m_process.closeWriteChannel();
    if (!m_process.waitForFinished(3000)) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}

bool FtpServer::start(const QString &root, const QString &user, const QString &password, const Options &options)
{
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QStringList arguments{scriptPath(), QStringLiteral("--root"), root, QStringLiteral("--user"), user,
                          QStringLiteral("--password"), password, QStringLiteral("--piece"), QString::number(options.piece),
                          QStringLiteral("--size-offset"), QString::number(options.sizeOffset),
                          QStringLiteral("--pause"), QString::number(options.pause)};
    for (const QString &name : options.endless)
        arguments << QStringLiteral("--endless") << name;
    if (!options.reportsSizes)
        arguments << QStringLiteral("--no-size");
    m_process.start(QStringLiteral("/usr/bin/python3"), arguments);
    if (!m_process.waitForStarted(10000))
        return false;
    QDeadlineTimer deadline(20000);
    while (!m_process.canReadLine()) {
        if (deadline.hasExpired() || !m_process.waitForReadyRead(int(deadline.remainingTime())))
            return false;
    }
    const QByteArray line = m_process.readLine().trimmed();
    if (!line.startsWith("PORT "))
        return false;
    m_port = quint16(line.mid(5).toUInt());
    return m_port != 0;
}

quint16 FtpServer::port() const
{
    return m_port;
}
