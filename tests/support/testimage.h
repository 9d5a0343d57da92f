#pragma once

#include <QByteArray>
#include <QString>

// Firmware-like test files: a byte pattern that never repeats within a block and shifts from
// one kilobyte to the next, so that a lost, doubled or swapped block shows.
class TestImage
{
public:
    static QByteArray bytes(int size);
    // The image with `text` written over it at `offset` (the image grows if it has to).
    static QByteArray withText(QByteArray image, int offset, const QByteArray &text);
    static bool write(const QString &path, const QByteArray &bytes);
};
