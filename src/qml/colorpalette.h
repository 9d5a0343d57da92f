#pragma once

#include <QColor>
#include <QImage>
#include <QQuickPaintedItem>

// The hue wheel of the colour dialog. The dialog forwards its pointer positions to mouseMove;
// the item answers with the colour of the wheel under the pointer.
//
// The colour is computed from the pointer's position, never read back from what was painted:
// the painted item also holds the marker of the previous pick, and a drag moves the pointer
// onto it. The wheel itself is painted pixel by pixel from the same computation, so the colour
// picked is exactly the colour shown under the pointer.
class ColorPalette : public QQuickPaintedItem
{
    Q_OBJECT

public:
    explicit ColorPalette(QQuickItem *parent = nullptr);

    // Makes the item available to QML as "ColorPalette" in module "ColorP" 1.0; the program
    // calls it before the application object exists. Later calls do nothing.
    static void registerType();

    void paint(QPainter *painter) override;

    Q_INVOKABLE void mouseMove(int x, int y);
    Q_INVOKABLE void clearPoint();

signals:
    void colorChang(QString colorStr);

private:
    // The wheel at the item's current size: its centre, radius and whether pixel (x, y) lies on it.
    QPointF centre() const;
    double radius() const;
    bool onWheel(int x, int y) const;
    // The wheel's colour at pixel (x, y): the hue of the direction from the centre to the
    // pixel's middle, red at 3 o'clock, turning counter-clockwise, fully saturated and bright.
    QColor colorAt(int x, int y) const;
    const QImage &wheel();

    // Pointer position in item pixels; (0, 0) means "no marker".
    int m_x = 0;
    int m_y = 0;
    // The painted wheel, kept until the item's size changes.
    QImage m_wheel;
};
