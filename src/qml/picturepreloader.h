#pragma once

#include <QHash>
#include <QImage>
#include <QQuickImageProvider>
#include <QStringList>

#include <future>

// Serves the program's resource pictures as "image://preloaded/<resource path>". The pictures
// named when it is made are decoded from that moment on threads of their own: a large picture
// on the window's first frame is decoded while the scene is built rather than in the middle of
// building it. Any other resource picture is decoded when asked for.
class PicturePreloader : public QQuickImageProvider
{
public:
    // The provider's name in image URLs.
    static const QString ProviderId;

    // `paths` are resource paths such as "img/bg.png".
    explicit PicturePreloader(const QStringList &paths);

    // The URL under which the scene asks for the resource picture at `path`.
    static QString url(const QString &path);

    QImage requestImage(const QString &id, QSize *size, const QSize &requestedSize) override;

private:
    // Filled once, before the engine can ask for anything: read-only afterwards.
    QHash<QString, std::shared_future<QImage>> m_pictures;
};
