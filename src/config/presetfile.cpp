#include "config/presetfile.h"

#include "config/atomicfile.h"
#include "config/configlayout.h"
#include "config/controllerprotocol.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDataStream>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int StreamVersion = QDataStream::Qt_5_15;   // 17; does not change the bytes written
constexpr int CountBytes = 4;                         // the block's big-endian byte count
// Links followed before a chain is taken for a loop (the kernel itself gives up at 40).
constexpr int MaxLinkDepth = 40;
// Bytes read at a time while passing over the unused end of a long block in a pipe.
constexpr qint64 SkipChunkBytes = 64 * 1024;

QString saveError(const QString &path, const QString &reason)
{
    return QCoreApplication::translate("PresetFile", "The preset could not be saved to %1: %2").arg(path, reason);
}

QString notRegularReason()
{
    return QCoreApplication::translate("PresetFile", "it is not a regular file (a folder, a device or a FIFO) and was left as it is");
}

QString noBlockError(const QString &name)
{
    return QCoreApplication::translate("PresetFile", "%1 holds no complete configuration; nothing was loaded.").arg(name);
}

// The file a path finally names, following symbolic links as far as they go (a dangling link
// names the file it would create).
QString linkTarget(const QString &path)
{
    QFileInfo info(path);
    for (int depth = 0; depth < MaxLinkDepth && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info.filePath();
}

// Up to `count` bytes; fewer only at the end of the input. A pipe hands over what it has, so one
// read is not enough.
QByteArray readUpTo(QIODevice *device, qint64 count)
{
    QByteArray bytes;
    while (bytes.size() < count) {
        const QByteArray chunk = device->read(count - bytes.size());
        if (chunk.isEmpty())
            break;
        bytes += chunk;
    }
    return bytes;
}

bool skipExactly(QIODevice *device, qint64 count)
{
    while (count > 0) {
        const qint64 skipped = device->skip(std::min(count, SkipChunkBytes));
        if (skipped <= 0)
            return false;
        count -= skipped;
    }
    return true;
}

} // namespace

QByteArray PresetFile::bytes(const QByteArray &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QDataStream stream(&buffer);
    stream.setVersion(StreamVersion);
    stream.writeBytes(image.constData(), static_cast<uint>(image.size()));
    return bytes;
}

bool PresetFile::write(const QString &path, const QByteArray &image, QString *error)
{
    const QString target = linkTarget(path);
    const QFileInfo existing(target);
    if (existing.exists() && !existing.isFile()) {
        if (error)
            *error = saveError(path, notRegularReason());
        return false;
    }
    QString reason;
    if (!AtomicFile::write(target, bytes(image), &reason)) {
        if (error)
            *error = saveError(path, reason);
        return false;
    }
    return true;
}

PresetFile::ReadResult PresetFile::read(const QString &path)
{
    ReadResult result;
    if (path == QLatin1String(StandardInput)) {
        QFile input;
        if (!input.open(stdin, QIODevice::ReadOnly)) {
            result.status = ReadStatus::CannotOpen;
            result.error = QCoreApplication::translate("PresetFile", "Standard input could not be read: %1").arg(input.errorString());
            return result;
        }
        return read(&input, QCoreApplication::translate("PresetFile", "standard input"));
    }
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        result.status = ReadStatus::CannotOpen;
        result.error = QCoreApplication::translate("PresetFile", "The preset %1 could not be opened: it is not a regular file (a folder, a device or a FIFO).").arg(path);
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.status = ReadStatus::CannotOpen;
        result.error = QCoreApplication::translate("PresetFile", "The preset %1 could not be opened: %2").arg(path, file.errorString());
        return result;
    }
    return read(&file, path);
}

PresetFile::ReadResult PresetFile::read(QIODevice *device, const QString &name)
{
    ReadResult result;
    result.status = ReadStatus::NoBlock;
    result.error = noBlockError(name);
    // The count is read by hand rather than through readBytes, so that a huge count in a damaged
    // file never makes us allocate more than the file can hold.
    const QByteArray countBytes = readUpTo(device, CountBytes);
    if (countBytes.size() != CountBytes)
        return result;
    const quint32 count = qFromBigEndian<quint32>(countBytes.constData());
    if (count == 0)
        return result;
    if (!device->isSequential() && device->size() - device->pos() < count)
        return result;
    // Only the image's worth is used; a longer block never writes past the image.
    const qint64 wanted = std::min<qint64>(count, ControllerProtocol::ImageSize);
    const QByteArray block = readUpTo(device, wanted);
    if (block.size() != wanted)
        return result;
    // A pipe's size is not known beforehand: the unused rest of the block must still be there,
    // as it must in a file.
    if (device->isSequential() && !skipExactly(device, count - wanted))
        return result;
    result.invalidOffset = ControllerProtocol::findMessageDefect(block.constData(), block.size());
    if (result.invalidOffset >= 0) {
        result.status = ReadStatus::InvalidBytes;
        result.error = QCoreApplication::translate("PresetFile", "%1 is not a valid preset (byte %2 is out of range); nothing was loaded.")
                           .arg(name)
                           .arg(result.invalidOffset);
        return result;
    }
    result.block = block;
    const QList<ConfigLayout::FieldValue> unknown = ConfigLayout::fieldsOutOfRange(block);
    if (!unknown.isEmpty()) {
        result.status = ReadStatus::OutOfRange;
        result.invalidOffset = unknown.first().offset;
        result.error = QCoreApplication::translate("PresetFile", "%1 is not a valid preset: %2; nothing was loaded.").arg(name, unknown.first().text());
        return result;
    }
    result.status = ReadStatus::Loaded;
    result.error.clear();
    return result;
}
