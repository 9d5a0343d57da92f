#include "senderrun.h"

#include <QtTest>

SenderRun::SenderRun()
{
    QObject::connect(&m_sender, &YmodemFileTransmit::transmitStatus, &m_sender,
                     [this](YmodemFileTransmit::Status status) { statuses << status; });
}

bool SenderRun::start(const QString &path, const QString &portName)
{
    m_sender.setFileName(path);
    m_sender.setPortName(portName);
    m_sender.setBaudRate(115200);
    return m_sender.startTransmit();
}

bool SenderRun::waitForEnd(int timeoutMs)
{
    return QTest::qWaitFor([this] { return !statuses.isEmpty() && statuses.last() >= YmodemFileTransmit::StatusFinished; },
                           timeoutMs);
}

YmodemFileTransmit::Status SenderRun::lastStatus() const
{
    return statuses.isEmpty() ? YmodemFileTransmit::StatusEstablishing : statuses.last();
}
