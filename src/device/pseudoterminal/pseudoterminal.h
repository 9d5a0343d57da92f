#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// A serial line made in software: a pseudo-terminal whose port side a program opens by name
// (QSerialPort takes "/dev/pts/N") while this object works the other end. The virtual Tark9's
// boot loader sits on it. Both ends are raw, so every byte passes unchanged.
//
// The port side is not held open here: whether a program has it open is how the device tells
// that a host is there, as a USB serial device sees the host open its port. Bytes written while
// no program holds the port are dropped, as they would be on a USB line without a host.
//
// Defined per platform (linux/, windows/ beside this header); where the platform has no
// pseudo-terminals, open() fails with a logged reason.
class PseudoTerminal
{
public:
    enum class Wait {
        Input,    // bytes are waiting
        Quiet,    // nothing came within the time
        Detached, // no program holds the port and nothing is left to read
        Failed    // the terminal itself failed
    };

    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    bool open();
    void close();
    // What a program opens, valid while open.
    QString portName() const { return m_portName; }
    // Why the last open() failed.
    QString errorString() const { return m_error; }

    // A program holds the port side open now.
    bool isAttached() const;
    Wait waitForReadyRead(int timeoutMs);
    // Never waits: the bytes read, 0 when none are waiting, -1 when the line has failed or the
    // program has let go of the port.
    qint64 read(char *data, qint64 maxSize);
    // All of the bytes or false: no program on the port, or it has stopped reading.
    bool write(const QByteArray &bytes);

    // Puts an open terminal (either end of a pseudo-terminal) in raw mode, so that no byte is taken
    // for a line-editing or signal key; false when the terminal refuses, or the platform has none.
    static bool makeRaw(qintptr handle);

private:
    qintptr m_handle = -1;
    QString m_portName;
    QString m_error;
};
