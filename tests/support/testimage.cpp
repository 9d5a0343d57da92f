#include "testimage.h"

#include <QFile>

QByteArray TestImage::bytes(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        bytes[i] = char((i * 7) ^ (i >> 9));
    return bytes;
}

QByteArray TestImage::withText(QByteArray image, int offset, const QByteArray &text)
{
    if (image.size() < offset + text.size())
        image.resize(offset + text.size());
    image.replace(offset, text.size(), text);
    return image;
}

bool TestImage::write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
