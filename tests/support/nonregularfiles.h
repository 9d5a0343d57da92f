#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cerrno>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

// Files that are no regular file, and a disk that runs full: what a preset may be written to or
// read from by mistake.

// A file system that runs full: a tmpfs of two pages mounted over a folder of its own. Mounting
// needs root (CAP_SYS_ADMIN); where that is not allowed isValid() is false and the test skips.
class FullDisk
{
public:
    explicit FullDisk(const QString &folder)
        : m_folder(folder)
    {
        QDir().mkpath(folder);
        m_mounted = ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", MS_NOSUID | MS_NODEV, "size=8k") == 0;
    }
    ~FullDisk()
    {
        // Detached, so that a file a failed test left open cannot keep the mount.
        if (m_mounted)
            ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
    }
    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;

    bool isValid() const { return m_mounted; }
    QString filePath(const QString &name) const { return m_folder + QLatin1Char('/') + name; }

    // Takes every byte that is left, so that the next write on this disk fails with ENOSPC.
    bool fill()
    {
        const int fd = ::open(QFile::encodeName(filePath(QStringLiteral("filler"))).constData(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        if (fd < 0)
            return false;
        const char chunk[512] = {};
        while (::write(fd, chunk, sizeof chunk) > 0) {
        }
        const bool full = errno == ENOSPC;
        ::close(fd);
        return full;
    }

private:
    QString m_folder;
    bool m_mounted = false;
};

// What a path is, without following a link.
inline QString kindOf(const QString &path)
{
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return QStringLiteral("missing");
    if (S_ISLNK(info.st_mode))
        return QStringLiteral("link");
    if (S_ISCHR(info.st_mode))
        return QStringLiteral("device");
    if (S_ISFIFO(info.st_mode))
        return QStringLiteral("fifo");
    if (S_ISDIR(info.st_mode))
        return QStringLiteral("folder");
    return S_ISREG(info.st_mode) ? QStringLiteral("file") : QStringLiteral("other");
}

// Makes `path` a thing of `kind`: "device" (a copy of /dev/null's node), "fifo", "folder",
// "preset" (a regular file holding `preset`), or "link to KIND" (a link to such a thing beside it).
inline bool makeNode(const QString &path, const QString &kind, const QByteArray &preset)
{
    const QByteArray name = QFile::encodeName(path);
    if (kind.startsWith(QLatin1String("link to "))) {
        const QString target = path + QStringLiteral(".target");
        return makeNode(target, kind.mid(8), preset) && QFile::link(target, path);
    }
    if (kind == QLatin1String("device"))
        return ::mknod(name.constData(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    if (kind == QLatin1String("fifo"))
        return ::mkfifo(name.constData(), 0666) == 0;
    if (kind == QLatin1String("folder"))
        return QDir().mkpath(path);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(preset) == preset.size();
}
