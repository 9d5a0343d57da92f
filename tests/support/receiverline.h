#pragma once

#include "lineproxy.h"
#include "lrzszprocess.h"
#include "ptypair.h"

#include <QByteArray>
#include <QString>

// A serial line from a port that a sender opens by path to lrzsz's rb receiving YMODEM in a
// fresh empty directory, through a LineProxy (side A: the sender, side B: rb).
class ReceiverLine
{
public:
    explicit ReceiverLine(quint32 seed = 1);

    bool isValid() const;
    QString portPath() const;
    bool startReceiver();
    // The file rb wrote, or an empty array.
    QByteArray received(const QString &name) const;

    PtyPair &senderEnd();
    LineProxy &proxy();
    LrzszProcess &receiver();

private:
    PtyPair m_senderEnd;
    PtyPair m_receiverInput;
    PtyPair m_receiverOutput;
    LineProxy m_proxy;
    LrzszProcess m_receiver;
};
