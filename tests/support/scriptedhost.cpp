#include "scriptedhost.h"

#include "firmware/ymodem.h"

#include <QElapsedTimer>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

ScriptedHost::ScriptedHost(const QString &portPath)
{
    m_fd = ::open(portPath.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    termios settings;
    if (m_fd >= 0 && tcgetattr(m_fd, &settings) == 0) {
        cfmakeraw(&settings);
        tcsetattr(m_fd, TCSANOW, &settings);
    }
}

ScriptedHost::~ScriptedHost()
{
    close();
}

bool ScriptedHost::isOpen() const
{
    return m_fd >= 0;
}

int ScriptedHost::fd() const
{
    return m_fd;
}

bool ScriptedHost::write(const QByteArray &bytes)
{
    qint64 done = 0;
    QElapsedTimer clock;
    clock.start();
    while (m_fd >= 0 && done < bytes.size() && clock.elapsed() < 5000) {
        const ssize_t count = ::write(m_fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (count > 0) {
            done += count;
            continue;
        }
        if (count < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        pollfd entry{m_fd, POLLOUT, 0};
        poll(&entry, 1, 10);
    }
    return done == bytes.size();
}

QByteArray ScriptedHost::awaitReply(int timeoutMs, int quietMs)
{
    QByteArray reply;
    QElapsedTimer clock;
    clock.start();
    while (m_fd >= 0) {
        const int wait = reply.isEmpty() ? int(qMax<qint64>(0, timeoutMs - clock.elapsed())) : quietMs;
        pollfd entry{m_fd, POLLIN, 0};
        if (poll(&entry, 1, wait) <= 0 || !(entry.revents & POLLIN))
            break;
        char buffer[4096];
        const ssize_t count = ::read(m_fd, buffer, sizeof buffer);
        if (count <= 0)
            break;
        reply.append(buffer, int(count));
    }
    m_received.append(reply);
    return reply;
}

QByteArray ScriptedHost::received() const
{
    return m_received;
}

void ScriptedHost::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

QByteArray ScriptedHost::block(quint8 number, const QByteArray &data, int dataSize, char padding)
{
    QByteArray field = data.left(dataSize);
    field.append(QByteArray(dataSize - field.size(), padding));
    const quint16 crc = Ymodem::crc16(reinterpret_cast<const uint8_t *>(field.constData()), uint32_t(field.size()));
    QByteArray bytes;
    bytes.append(char(dataSize == int(Ymodem::SmallDataSize) ? Ymodem::CodeSoh : Ymodem::CodeStx));
    bytes.append(char(number));
    bytes.append(char(0xFF - number));
    bytes.append(field);
    bytes.append(char(crc >> 8));
    bytes.append(char(crc & 0xFF));
    return bytes;
}

QByteArray ScriptedHost::header(const QByteArray &name, const QByteArray &sizeField)
{
    return block(0, name + '\0' + sizeField + '\0', int(Ymodem::SmallDataSize), '\0');
}

QByteArray ScriptedHost::closingBlock()
{
    return block(0, QByteArray(), int(Ymodem::SmallDataSize), '\0');
}

QByteArray ScriptedHost::damaged(QByteArray block)
{
    block[block.size() - 1] = char(block.at(block.size() - 1) ^ 0x5A);
    return block;
}
