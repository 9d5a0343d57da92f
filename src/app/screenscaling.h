#pragma once

#include <QMetaObject>
#include <QObject>
#include <QString>

class QScreen;
class QWindow;

// How much larger than its design the window is drawn: the logical DPI of the screen the
// window is on over 96, the DPI of a screen at 100 % on the controller's home platform. The
// scene binds to `scalingRate`; it changes when the window moves to a screen of another
// scaling, or that screen's scaling changes.
class ScreenScaling : public QObject
{
    Q_OBJECT
    Q_PROPERTY(qreal scalingRate READ scalingRate WRITE setScalingRate NOTIFY scalingRateChanged)
    Q_PROPERTY(int designWidth READ designWidth CONSTANT)
    Q_PROPERTY(int designHeight READ designHeight CONSTANT)
    // The device picture for the current rate, as the scene asks for it.
    Q_PROPERTY(QString devicePicture READ devicePicture NOTIFY scalingRateChanged)
public:
    // The size the window is laid out at, in design units (pixels at 100 %).
    static constexpr int DesignWidth = 1080;
    static constexpr int DesignHeight = 892;
    static constexpr qreal BaseDpi = 96.0;

    // Starts at the primary screen's rate.
    explicit ScreenScaling(QObject *parent = nullptr);

    static qreal rateOf(const QScreen *screen);
    // The resource path of the device picture drawn at `rate`.
    static QString devicePicturePath(qreal rate);

    // Takes the rate of the screen `window` is on, now and whenever it changes.
    void follow(QWindow *window);

    qreal scalingRate() const { return m_rate; }
    void setScalingRate(qreal rate);
    int designWidth() const { return DesignWidth; }
    int designHeight() const { return DesignHeight; }
    QString devicePicture() const;

signals:
    void scalingRateChanged();

private:
    void followScreen(QScreen *screen);

    qreal m_rate = 1.0;
    QMetaObject::Connection m_dpiConnection;
};
