#pragma once

#include <QByteArray>
#include <QString>

// A host on a serial port, played by the test: it opens the port by path (raw, non-blocking),
// writes what the test tells it and collects what the device answers. It also builds YMODEM
// blocks, so that a test can send intact, damaged or out-of-order ones.
class ScriptedHost
{
public:
    explicit ScriptedHost(const QString &portPath);
    ~ScriptedHost();
    ScriptedHost(const ScriptedHost &) = delete;
    ScriptedHost &operator=(const ScriptedHost &) = delete;

    bool isOpen() const;
    int fd() const;
    bool write(const QByteArray &bytes);
    // Waits up to timeoutMs for the device to say something and then until it has been quiet for
    // quietMs; returns what came (empty when nothing did).
    QByteArray awaitReply(int timeoutMs, int quietMs = 50);
    // Everything the device has sent so far.
    QByteArray received() const;
    // Lets go of the port, as a host that closes it or a pulled cable.
    void close();

    // A block: SOH for 128 data bytes or STX for 1024, number, complement, data padded with
    // `padding`, CRC-16 high byte first.
    static QByteArray block(quint8 number, const QByteArray &data, int dataSize = 128, char padding = 0x1A);
    // Block 0 announcing a file: name, NUL, the size field as given, NUL, zeros.
    static QByteArray header(const QByteArray &name, const QByteArray &sizeField);
    // The empty block 0 that ends a batch.
    static QByteArray closingBlock();
    // The block with its CRC spoilt.
    static QByteArray damaged(QByteArray block);

private:
    int m_fd = -1;
    QByteArray m_received;
};
