#include "qml/colorpalette.h"

#include <QConicalGradient>
#include <QPainter>
#include <QtQml>

#include <cmath>

namespace {

// Gap between the wheel and the item's edge, in pixels.
constexpr int WheelMargin = 5;
// The marker is four white strokes around the pointer that leave the picked pixel itself
// visible: each runs from MarkerGap to MarkerReach pixels away from it, MarkerPen wide.
constexpr int MarkerGap = 7;
constexpr int MarkerReach = 10;
constexpr qreal MarkerPen = 3;

} // namespace

ColorPalette::ColorPalette(QQuickItem *parent)
    : QQuickPaintedItem(parent)
{
}

void ColorPalette::registerType()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    qmlRegisterType<ColorPalette>("ColorP", 1, 0, "ColorPalette");
}

void ColorPalette::paint(QPainter *painter)
{
    const int w = static_cast<int>(width());
    const int h = static_cast<int>(height());
    m_canvas = QImage(w, h, QImage::Format_RGBA8888);
    m_canvas.fill(Qt::transparent);

    QPainter canvasPainter(&m_canvas);
    canvasPainter.setRenderHint(QPainter::Antialiasing);

    m_radius = qMin(h, w) / 2 - WheelMargin;
    m_wheelRect = QRect((w - 2 * m_radius) / 2, (h - 2 * m_radius) / 2, 2 * m_radius, 2 * m_radius);

    // Hue runs counter-clockwise from red at 3 o'clock, one stop every 60 degrees.
    QConicalGradient hue(0, 0, 0);
    const Qt::GlobalColor stops[] = {Qt::red, Qt::yellow, Qt::green, Qt::cyan, Qt::blue, Qt::magenta};
    for (int i = 0; i < 6; ++i)
        hue.setColorAt(i * 60.0 / 360.0, stops[i]);
    hue.setColorAt(1, Qt::red);

    canvasPainter.save();
    canvasPainter.translate(boundingRect().center());
    canvasPainter.setPen(Qt::NoPen);
    canvasPainter.setBrush(hue);
    canvasPainter.drawEllipse(QPointF(0, 0), m_radius, m_radius);
    canvasPainter.restore();

    if (m_x != 0 || m_y != 0) {
        canvasPainter.setPen(QPen(Qt::white, MarkerPen));
        canvasPainter.drawLine(m_x - MarkerReach, m_y, m_x - MarkerGap, m_y);
        canvasPainter.drawLine(m_x + MarkerGap, m_y, m_x + MarkerReach, m_y);
        canvasPainter.drawLine(m_x, m_y - MarkerReach, m_x, m_y - MarkerGap);
        canvasPainter.drawLine(m_x, m_y + MarkerGap, m_x, m_y + MarkerReach);
    }
    canvasPainter.end();

    painter->drawImage(QRect(0, 0, w, h), m_canvas);
}

void ColorPalette::mouseMove(int x, int y)
{
    m_x = x;
    m_y = y;
    const QPoint centre = m_wheelRect.center();
    const double distance = std::sqrt(double(x - centre.x()) * (x - centre.x())
                                      + double(y - centre.y()) * (y - centre.y()));
    if (distance > m_wheelRect.width() / 2)
        return;
    // No pixel to read before the first paint (or until a resize is repainted), and none shown
    // where the wheel left the canvas transparent: the pick circle is centred on the wheel
    // rectangle's integer centre ((149, 149) at 300 x 300), the wheel is painted around the
    // item's centre ((150, 150)), so the circle takes in a sliver outside the wheel on the left
    // and top. Answering black there would overwrite the user's colour with one not on screen.
    const QRgb pixel = m_canvas.valid(x, y) ? m_canvas.pixel(x, y) : 0;
    if (qAlpha(pixel) == 0)
        return;
    emit colorChang(QColor(pixel).name());
    update();
}

void ColorPalette::clearPoint()
{
    m_x = 0;
    m_y = 0;
    update();
}
