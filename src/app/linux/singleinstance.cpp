#include "app/singleinstance.h"

#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <memory>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

// A System V segment outlives a crashed process and would lock the user out, so the key is a
// lock file (stale when its process is gone) plus a local socket through which a second start
// asks the running copy to show its window.
//
// The socket listens from the moment the lock is held, long before the window exists (building
// it takes seconds on a slow or busy machine, longer than a second start keeps trying). It is
// bound before the application object exists, so it is a plain socket at first: a second start
// connects, writes its request and leaves, and the connection waits in the socket's backlog until
// the window hands the socket to a QLocalServer (onRaiseRequest), which then takes it at once.
namespace {

constexpr int ConnectTimeoutMs = 1500;
constexpr int RetryIntervalMs = 100;
// Second starts that can wait for the window at the same time (connections).
constexpr int PendingStarts = 16;

struct Instance {
    QString key;
    std::unique_ptr<QLockFile> lock;
    int listening = -1;   // the bound socket until the server takes it over
    std::unique_ptr<QLocalServer> server;
};

Instance &instance()
{
    static Instance held;
    return held;
}

QString runtimePath(const QString &name)
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return dir + QLatin1Char('/') + name;
}

// Listens on `path` without Qt's event machinery, which does not exist yet. -1 when it cannot:
// the editor then runs all the same, only a second start cannot raise its window.
int listenAt(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (size_t(name.size()) >= sizeof(address.sun_path)) {
        qDebug() << "single instance: socket path too long:" << path;
        return -1;
    }
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        qDebug() << "single instance: socket() failed:" << std::strerror(errno);
        return -1;
    }
    // We hold the lock, so a socket file left behind can only be from a crashed copy.
    ::unlink(name.constData());
    if (::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof(address)) != 0
        || ::listen(fd, PendingStarts) != 0) {
        qDebug() << "single instance: cannot listen on" << path << std::strerror(errno);
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

bool SingleInstance::isAppRunning(const QString &key)
{
    Instance &held = instance();
    held.key = key;
    held.lock = std::make_unique<QLockFile>(runtimePath(key + QStringLiteral(".lock")));
    // Never stale by age: only a lock whose process is gone counts as stale.
    held.lock->setStaleLockTime(0);
    if (held.lock->tryLock(0)) {
        held.listening = listenAt(runtimePath(key + QStringLiteral(".socket")));
        return false;
    }
    if (held.lock->error() != QLockFile::LockFailedError) {
        // The lock cannot be made at all (no writable runtime directory): run rather than
        // refuse every start.
        return false;
    }
    // The running copy may still be starting and not listen yet: keep trying for a while, but
    // leave well within the time a user waits for the window.
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < ConnectTimeoutMs) {
        QLocalSocket socket;
        socket.connectToServer(runtimePath(key + QStringLiteral(".socket")));
        if (socket.waitForConnected(ConnectTimeoutMs)) {
            socket.write("raise\n");
            socket.waitForBytesWritten(ConnectTimeoutMs);
            socket.disconnectFromServer();
            break;
        }
        QThread::msleep(RetryIntervalMs);
    }
    return true;
}

void SingleInstance::onRaiseRequest(std::function<void()> raise)
{
    Instance &held = instance();
    if (held.listening < 0)
        return;
    held.server = std::make_unique<QLocalServer>();
    QLocalServer *server = held.server.get();
    // Requests that came while the window was being built are in the backlog: the server's
    // notifier reports them as soon as the event loop runs.
    if (!server->listen(held.listening)) {
        qDebug() << "single instance: cannot take over the socket" << server->errorString();
        ::close(held.listening);
        held.listening = -1;
        return;
    }
    held.listening = -1;
    QObject::connect(server, &QLocalServer::newConnection, server, [server, raise] {
        while (QLocalSocket *peer = server->nextPendingConnection()) {
            QObject::connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
            raise();
        }
    });
}
