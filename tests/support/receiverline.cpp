#include "receiverline.h"

#include <QFile>

ReceiverLine::ReceiverLine(quint32 seed)
    : m_proxy(m_senderEnd.masterFd(), m_senderEnd.masterFd(), m_receiverOutput.masterFd(), m_receiverInput.masterFd(),
              seed)
{
}

bool ReceiverLine::isValid() const
{
    return m_senderEnd.isValid() && m_receiverInput.isValid() && m_receiverOutput.isValid();
}

QString ReceiverLine::portPath() const
{
    return m_senderEnd.slavePath();
}

bool ReceiverLine::startReceiver()
{
    return m_receiver.start(QStringLiteral("rb"), {QStringLiteral("--ymodem")}, m_receiverInput.slavePath(),
                            m_receiverOutput.slavePath());
}

QByteArray ReceiverLine::received(const QString &name) const
{
    QFile file(m_receiver.directory() + QLatin1Char('/') + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

PtyPair &ReceiverLine::senderEnd()
{
    return m_senderEnd;
}

LineProxy &ReceiverLine::proxy()
{
    return m_proxy;
}

LrzszProcess &ReceiverLine::receiver()
{
    return m_receiver;
}
