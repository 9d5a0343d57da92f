#include "qml/picturepreloader.h"

#include <QDebug>

namespace {

QImage decode(const QString &path)
{
    const QImage image(QStringLiteral(":/") + path);
    if (image.isNull())
        qWarning() << "picture" << path << "could not be read from the program's resources";
    return image;
}

} // namespace

const QString PicturePreloader::ProviderId = QStringLiteral("preloaded");

PicturePreloader::PicturePreloader(const QStringList &paths)
    : QQuickImageProvider(QQuickImageProvider::Image)
{
    for (const QString &path : paths)
        m_pictures.insert(path, std::async(std::launch::async, decode, path).share());
}

QString PicturePreloader::url(const QString &path)
{
    return QStringLiteral("image://%1/%2").arg(ProviderId, path);
}

QImage PicturePreloader::requestImage(const QString &id, QSize *size, const QSize &requestedSize)
{
    // A copy of the future for this caller: the engine may ask from its image reader's thread.
    const auto preloaded = m_pictures.constFind(id);
    QImage image = preloaded != m_pictures.constEnd() ? std::shared_future<QImage>(*preloaded).get() : decode(id);
    if (size)
        *size = image.size();
    if (requestedSize.isValid() && !image.isNull() && requestedSize != image.size())
        image = image.scaled(requestedSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}
