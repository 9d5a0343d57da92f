#include "ptypair.h"

#include "device/pseudoterminal/pseudoterminal.h"

#include <QDebug>

#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Room for the slave's path (/dev/pts/N).
constexpr std::size_t PathBytes = 128;

} // namespace

PtyPair::PtyPair()
{
    m_master = posix_openpt(O_RDWR | O_NOCTTY);
    char name[PathBytes] = {};
    if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0
        || ptsname_r(m_master, name, sizeof name) != 0) {
        qWarning() << "PtyPair: cannot create a pseudo-terminal";
        closeMaster();
        return;
    }
    // Close-on-exec: a child holding the master would keep the line alive after closeMaster().
    fcntl(m_master, F_SETFD, FD_CLOEXEC);
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
    m_slavePath = QString::fromLocal8Bit(name);
    m_slave = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_slave < 0 || !PseudoTerminal::makeRaw(m_slave) || !PseudoTerminal::makeRaw(m_master)) {
        qWarning() << "PtyPair: cannot set up" << m_slavePath;
        closeMaster();
    }
}

PtyPair::~PtyPair()
{
    closeMaster();
    if (m_slave >= 0)
        close(m_slave);
}

bool PtyPair::isValid() const
{
    return m_master >= 0 && m_slave >= 0;
}

int PtyPair::masterFd() const
{
    return m_master;
}

QString PtyPair::slavePath() const
{
    return m_slavePath;
}

void PtyPair::closeMaster()
{
    if (m_master >= 0)
        close(m_master);
    m_master = -1;
}
