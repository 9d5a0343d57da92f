#include "app/screenscaling.h"

#include "qml/picturepreloader.h"

#include <QDebug>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include <cmath>

ScreenScaling::ScreenScaling(QObject *parent)
    : QObject(parent)
    , m_rate(rateOf(QGuiApplication::primaryScreen()))
{
}

qreal ScreenScaling::rateOf(const QScreen *screen)
{
    if (!screen)
        return 1.0;
    const qreal rate = screen->logicalDotsPerInch() / BaseDpi;
    // A screen that reports nonsense is drawn at the design's size.
    return std::isfinite(rate) && rate >= 0.5 && rate <= 8.0 ? rate : 1.0;
}

QString ScreenScaling::devicePicturePath(qreal rate)
{
    // Up to a tenth above 100 % (a 100-dpi screen gives 1.04) the 1x picture serves, stretched
    // invisibly: the double one would hold 9 MB more pixels and take four times as long to
    // decode at start-up.
    return rate > 1.1 ? QStringLiteral("img/bg@2x.png") : QStringLiteral("img/bg.png");
}

void ScreenScaling::follow(QWindow *window)
{
    if (!window)
        return;
    connect(window, &QWindow::screenChanged, this, &ScreenScaling::followScreen);
    followScreen(window->screen());
}

void ScreenScaling::followScreen(QScreen *screen)
{
    disconnect(m_dpiConnection);
    if (!screen)
        return;
    m_dpiConnection = connect(screen, &QScreen::logicalDotsPerInchChanged, this, [this, screen] {
        setScalingRate(rateOf(screen));
    });
    setScalingRate(rateOf(screen));
}

void ScreenScaling::setScalingRate(qreal rate)
{
    if (!(rate > 0) || qFuzzyCompare(rate, m_rate))
        return;
    qDebug() << "scaling rate" << m_rate << "->" << rate;
    m_rate = rate;
    emit scalingRateChanged();
}

QString ScreenScaling::devicePicture() const
{
    return PicturePreloader::url(devicePicturePath(m_rate));
}
