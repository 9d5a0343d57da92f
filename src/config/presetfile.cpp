#include "config/presetfile.h"

#include "config/controllerprotocol.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QFile>
#include <QSaveFile>

#include <algorithm>

namespace {

constexpr int StreamVersion = QDataStream::Qt_5_15;   // 17; does not change the bytes written

QString saveError(const QString &path, const QFileDevice &file)
{
    return QCoreApplication::translate("PresetFile", "The preset could not be saved to %1: %2").arg(path, file.errorString());
}

QString noBlockError(const QString &path)
{
    return QCoreApplication::translate("PresetFile", "%1 holds no complete configuration; nothing was loaded.").arg(path);
}

} // namespace

bool PresetFile::write(const QString &path, const QByteArray &image, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = saveError(path, file);
        return false;
    }
    QDataStream stream(&file);
    stream.setVersion(StreamVersion);
    stream.writeBytes(image.constData(), static_cast<uint>(image.size()));
    // Flushed and checked before the commit: QSaveFile::commit() does not notice a buffered
    // write that failed (a full disk, say) and would replace the old preset with a torn one.
    const bool written = stream.status() == QDataStream::Ok && file.flush() && file.error() == QFileDevice::NoError;
    if (!written)
        file.cancelWriting();
    if (!written || !file.commit()) {
        if (error)
            *error = saveError(path, file);
        return false;
    }
    return true;
}

PresetFile::ReadResult PresetFile::read(const QString &path)
{
    ReadResult result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.status = ReadStatus::CannotOpen;
        result.error = QCoreApplication::translate("PresetFile", "The preset %1 could not be opened: %2").arg(path, file.errorString());
        return result;
    }
    // Read the count by hand rather than through readBytes, so that a huge count in a damaged
    // file never makes us allocate more than the file can hold.
    QDataStream stream(&file);
    stream.setVersion(StreamVersion);
    quint32 count = 0;
    stream >> count;
    const qint64 available = file.size() - file.pos();
    if (stream.status() != QDataStream::Ok || count == 0 || available < count) {
        result.status = ReadStatus::NoBlock;
        result.error = noBlockError(path);
        return result;
    }
    // Only the image's worth is used; a longer block never writes past the image.
    const qint64 wanted = std::min<qint64>(count, ControllerProtocol::ImageSize);
    result.block = file.read(wanted);
    if (result.block.size() != wanted) {
        result.block.clear();
        result.status = ReadStatus::NoBlock;
        result.error = noBlockError(path);
        return result;
    }
    result.invalidOffset = ControllerProtocol::findMessageDefect(result.block.constData(), result.block.size());
    if (result.invalidOffset >= 0) {
        result.status = ReadStatus::InvalidBytes;
        result.error = QCoreApplication::translate("PresetFile", "%1 is not a valid preset (byte %2 is out of range); nothing was loaded.")
                           .arg(path)
                           .arg(result.invalidOffset);
        result.block.clear();
        return result;
    }
    result.status = ReadStatus::Loaded;
    return result;
}
