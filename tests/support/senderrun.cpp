#include "senderrun.h"

#include <QEventLoop>
#include <QTimer>

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

// A real event loop, not QTest::qWaitFor: that one sleeps 10 ms between rounds, which would
// hold back every block the sender writes by up to one poll.
bool SenderRun::waitForEnd(int timeoutMs)
{
    const auto ended = [this] { return !statuses.isEmpty() && statuses.last() >= YmodemFileTransmit::StatusFinished; };
    if (!ended()) {
        QEventLoop loop;
        QObject::connect(&m_sender, &YmodemFileTransmit::transmitStatus, &loop, [&] {
            if (ended())
                loop.quit();
        });
        QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return ended();
}

YmodemFileTransmit::Status SenderRun::lastStatus() const
{
    return statuses.isEmpty() ? YmodemFileTransmit::StatusEstablishing : statuses.last();
}
