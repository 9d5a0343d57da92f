#pragma once

#include <QByteArray>
#include <QString>

// A preset file (*.stm): the configuration image as one counted block, the 32-bit big-endian
// byte count followed by the bytes (QDataStream::writeBytes). No magic, no version, no checksum.
class PresetFile
{
public:
    enum class ReadStatus {
        Loaded,        // a whole block was read
        CannotOpen,    // the file could not be opened
        NoBlock,       // empty, truncated, or a count of 0: nothing to load
        InvalidBytes   // the block holds bytes the controller cannot receive
    };

    struct ReadResult {
        ReadStatus status = ReadStatus::NoBlock;
        QByteArray block;
        int invalidOffset = -1;   // for InvalidBytes: the first offending offset in the image
        QString error;            // a sentence for the user when the status is not Loaded
    };

    // Writes atomically: the previous file stays untouched unless the whole new one was written.
    static bool write(const QString &path, const QByteArray &image, QString *error);
    static ReadResult read(const QString &path);
};
