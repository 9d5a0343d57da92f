#include "app/singleinstance.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>

#include <memory>

// A System V segment outlives a crashed process and would lock the user out, so the key is a
// lock file (stale when its process is gone) plus a local socket through which a second start
// asks the running copy to show its window.
namespace {

constexpr int ConnectTimeoutMs = 1500;
constexpr int RetryIntervalMs = 100;

struct Instance {
    QString key;
    std::unique_ptr<QLockFile> lock;
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

} // namespace

bool SingleInstance::isAppRunning(const QString &key)
{
    Instance &held = instance();
    held.key = key;
    held.lock = std::make_unique<QLockFile>(runtimePath(key + QStringLiteral(".lock")));
    // Never stale by age: only a lock whose process is gone counts as stale.
    held.lock->setStaleLockTime(0);
    if (held.lock->tryLock(0))
        return false;
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
    if (!held.lock || !held.lock->isLocked())
        return;
    const QString name = runtimePath(held.key + QStringLiteral(".socket"));
    // We hold the lock, so a socket file left behind can only be from a crashed copy.
    QLocalServer::removeServer(name);
    held.server = std::make_unique<QLocalServer>();
    QLocalServer *server = held.server.get();
    if (!server->listen(name)) {
        qDebug() << "single instance: cannot listen on" << name << server->errorString();
        return;
    }
    QObject::connect(server, &QLocalServer::newConnection, server, [server, raise] {
        while (QLocalSocket *peer = server->nextPendingConnection()) {
            QObject::connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
            raise();
        }
    });
}
