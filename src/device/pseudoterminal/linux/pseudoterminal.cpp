// The Linux pseudo-terminal behind the virtual Tark9's boot-loader port.
#include "device/pseudoterminal/pseudoterminal.h"

#include <QDebug>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

// A host that leaves a full line unread for this long has stopped reading.
constexpr int WriteTimeoutMs = 1000;
// Room for the port side's path (/dev/pts/N).
constexpr std::size_t PathBytes = 128;

QString systemError(const char *call)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(call), QString::fromLocal8Bit(std::strerror(errno)));
}

short pollMaster(int fd, short events, int timeoutMs)
{
    pollfd entry{fd, events, 0};
    const int ready = poll(&entry, 1, timeoutMs);
    if (ready < 0)
        return errno == EINTR ? 0 : POLLERR;
    return ready == 0 ? 0 : entry.revents;
}

} // namespace

bool PseudoTerminal::makeRaw(qintptr handle)
{
    const int fd = static_cast<int>(handle);
    termios settings;
    if (tcgetattr(fd, &settings) != 0)
        return false;
    cfmakeraw(&settings);
    return tcsetattr(fd, TCSANOW, &settings) == 0;
}

PseudoTerminal::PseudoTerminal() = default;

PseudoTerminal::~PseudoTerminal()
{
    close();
}

bool PseudoTerminal::open()
{
    close();
    const auto fail = [this](const QString &reason) {
        m_error = reason;
        qDebug() << "PseudoTerminal: cannot create the line:" << reason;
        close();
        return false;
    };
    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0)
        return fail(systemError("posix_openpt"));
    m_handle = master;
    char name[PathBytes] = {};
    if (grantpt(master) != 0 || unlockpt(master) != 0)
        return fail(systemError("grantpt/unlockpt"));
    if (ptsname_r(master, name, sizeof name) != 0)
        return fail(systemError("ptsname_r"));
    if (fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK) != 0)
        return fail(systemError("fcntl"));
    // Raw at both ends: a byte of a block must never be taken for a line-editing or signal key.
    if (!makeRaw(master))
        return fail(systemError("tcsetattr (master)"));
    // The port side is opened once, only to make it raw: the settings stay with the terminal,
    // and once it is closed again the master reports a hang-up until a program opens the port.
    const int slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave < 0)
        return fail(systemError("open (port side)"));
    const bool raw = makeRaw(slave);
    ::close(slave);
    if (!raw)
        return fail(systemError("tcsetattr (port side)"));
    m_portName = QString::fromLocal8Bit(name);
    m_error.clear();
    return true;
}

void PseudoTerminal::close()
{
    if (m_handle >= 0)
        ::close(static_cast<int>(m_handle));
    m_handle = -1;
    m_portName.clear();
}

bool PseudoTerminal::isAttached() const
{
    if (m_handle < 0)
        return false;
    return !(pollMaster(static_cast<int>(m_handle), POLLIN, 0) & (POLLHUP | POLLERR | POLLNVAL));
}

PseudoTerminal::Wait PseudoTerminal::waitForReadyRead(int timeoutMs)
{
    if (m_handle < 0)
        return Wait::Failed;
    const short events = pollMaster(static_cast<int>(m_handle), POLLIN, timeoutMs);
    // What the host wrote before it let go is still there to read.
    if (events & POLLIN)
        return Wait::Input;
    if (events & POLLHUP)
        return Wait::Detached;
    if (events & (POLLERR | POLLNVAL))
        return Wait::Failed;
    return Wait::Quiet;
}

qint64 PseudoTerminal::read(char *data, qint64 maxSize)
{
    if (m_handle < 0)
        return -1;
    const ssize_t count = ::read(static_cast<int>(m_handle), data, static_cast<size_t>(maxSize));
    if (count > 0)
        return count;
    if (count < 0 && (errno == EAGAIN || errno == EINTR))
        return 0;
    // EIO: the last program holding the port has closed it.
    return -1;
}

bool PseudoTerminal::write(const QByteArray &bytes)
{
    // Without a host the bytes would wait in the terminal and greet the next program that opens
    // the port as stale input.
    if (!isAttached())
        return false;
    const int fd = static_cast<int>(m_handle);
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t count = ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (count > 0) {
            done += count;
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0 && errno == EAGAIN && (pollMaster(fd, POLLOUT, WriteTimeoutMs) & POLLOUT))
            continue;
        return false;
    }
    return true;
}
