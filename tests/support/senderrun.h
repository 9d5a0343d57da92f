#pragma once

#include "firmware/ymodemfiletransmit.h"

#include <QList>
#include <QString>

// Our YMODEM sender on a port, with every status it signals.
class SenderRun
{
public:
    SenderRun();

    bool start(const QString &path, const QString &portName);
    // Keeps the event loop running until a final status has come (or timeoutMs has passed).
    bool waitForEnd(int timeoutMs);
    YmodemFileTransmit::Status lastStatus() const;

    QList<YmodemFileTransmit::Status> statuses;

private:
    YmodemFileTransmit m_sender;
};
