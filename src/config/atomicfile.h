#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

// Writes a file whole or not at all: the bytes go to a temporary file beside it, which replaces
// the old file only once every byte is on disk. A failure (a full disk, a folder that cannot be
// written) leaves the old file as it was and gives the system's reason.
namespace AtomicFile {

bool write(const QString &path, const QByteArray &bytes, QString *reason,
           QIODevice::OpenMode extraMode = QIODevice::NotOpen);

} // namespace AtomicFile
