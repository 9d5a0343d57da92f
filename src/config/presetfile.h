#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

// A preset file (*.stm): the configuration image as one counted block, the 32-bit big-endian
// byte count followed by the bytes (QDataStream::writeBytes). No magic, no version, no checksum.
class PresetFile
{
public:
    enum class ReadStatus {
        Loaded,        // a whole block was read
        CannotOpen,    // the file could not be opened, or is no regular file
        NoBlock,       // empty, truncated, or a count of 0: nothing to load
        InvalidBytes,  // the block holds bytes the controller cannot receive
        OutOfRange     // a field holds a value outside its range (pad type 99, channel 0): not
                       // to be loaded; the block is kept for a caller told to send it anyway
    };

    struct ReadResult {
        ReadStatus status = ReadStatus::NoBlock;
        QByteArray block;
        int invalidOffset = -1;   // for InvalidBytes and OutOfRange: the first offending offset in the image
        QString error;            // a sentence for the user when the status is not Loaded
    };

    // Writes atomically: the previous file stays untouched unless the whole new one was written.
    // A symbolic link is written through to the file it names and stays a link. Anything else
    // that is not a regular file (a device, a FIFO, a folder) is refused and left as it is: the
    // atomic write would replace it with a regular file.
    static bool write(const QString &path, const QByteArray &image, QString *error);
    // The bytes write() puts in the file.
    static QByteArray bytes(const QByteArray &image);

    // The path that stands for standard input in read(path).
    static constexpr char StandardInput[] = "-";

    // Only a regular file (or a link to one) is read: a FIFO would block the caller until some
    // writer came, and a device never ends. StandardInput ("-") reads standard input, whatever
    // it is, as far as a preset goes.
    static ReadResult read(const QString &path);
    // Reads a preset from an open device, a pipe included; `name` is what messages call it.
    static ReadResult read(QIODevice *device, const QString &name);
};
