#include "config/atomicfile.h"

#include <QSaveFile>

bool AtomicFile::write(const QString &path, const QByteArray &bytes, QString *reason, QIODevice::OpenMode extraMode)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | extraMode)) {
        *reason = file.errorString();
        return false;
    }
    // Flushed and checked before the commit: QSaveFile::commit() does not notice a buffered
    // write that failed (a full disk, say) and would put a torn file in the place of the old one.
    if (file.write(bytes) != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError) {
        // Taken before cancelWriting(), which puts its own "canceled" text in place of the cause.
        *reason = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *reason = file.errorString();
        return false;
    }
    return true;
}
