#include "qml/picturepreloader.h"

#include <QtTest>

// The pictures the window asks for by "image://preloaded/...": decoded ahead or on demand,
// scaled when the scene asks for a size, and nothing but an empty image for a missing one.
class tst_PicturePreloader : public QObject
{
    Q_OBJECT

private slots:
    void servesResourcePictures_data();
    void servesResourcePictures();
};

void tst_PicturePreloader::servesResourcePictures_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("requested");
    QTest::addColumn<QSize>("served");
    QTest::addColumn<QSize>("original");

    QTest::newRow("decoded ahead") << "img/bg.png" << QSize() << QSize(998, 732) << QSize(998, 732);
    QTest::newRow("decoded ahead, asked smaller") << "img/bg.png" << QSize(499, 366) << QSize(499, 366) << QSize(998, 732);
    QTest::newRow("decoded when asked for") << "img/logo.png" << QSize() << QSize(44, 44) << QSize(44, 44);
    QTest::newRow("missing") << "img/no-such-picture.png" << QSize(10, 10) << QSize(0, 0) << QSize(0, 0);
}

void tst_PicturePreloader::servesResourcePictures()
{
    QFETCH(QString, path);
    QFETCH(QSize, requested);
    QFETCH(QSize, served);
    QFETCH(QSize, original);

    PicturePreloader preloader({QStringLiteral("img/bg.png"), QStringLiteral("img/no-such-picture.png")});
    QSize size(-2, -2);
    const QImage image = preloader.requestImage(path, &size, requested);
    QCOMPARE(image.size(), served);
    QCOMPARE(image.isNull(), served.isEmpty());
    // The engine is told the picture's own size, whatever size it asked for.
    QCOMPARE(size, original);
    QCOMPARE(PicturePreloader::url(path), QStringLiteral("image://preloaded/") + path);
}

QTEST_GUILESS_MAIN(tst_PicturePreloader)

#include "tst_picturepreloader.moc"
