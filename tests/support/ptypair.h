#pragma once

#include <QString>

// A pseudo-terminal with both ends in raw mode. The master end is non-blocking and belongs to
// the test; the slave is opened by path (QSerialPort, rb, sb). A slave descriptor stays open
// for the pair's whole life, so the master never sees a hang-up while the slave is between
// users.
class PtyPair
{
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair &) = delete;
    PtyPair &operator=(const PtyPair &) = delete;

    bool isValid() const;
    int masterFd() const;
    QString slavePath() const;
    // Pulls the line away from whoever uses the slave: their reads fail from now on.
    void closeMaster();

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
};
