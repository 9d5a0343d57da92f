#include "qml/colorpalette.h"

#include <QPainter>
#include <QtQml>

#include <algorithm>
#include <cmath>

namespace {

// Gap between the wheel and the item's edge, in pixels.
constexpr int WheelMargin = 5;
// The marker is four white strokes around the pointer that leave the picked pixel itself
// visible: each runs from MarkerGap to MarkerReach pixels away from it, MarkerPen wide.
constexpr int MarkerGap = 7;
constexpr int MarkerReach = 10;
constexpr qreal MarkerPen = 3;
constexpr double Pi = 3.14159265358979323846;

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

QPointF ColorPalette::centre() const
{
    return QPointF(width() / 2, height() / 2);
}

double ColorPalette::radius() const
{
    return std::min(static_cast<int>(width()), static_cast<int>(height())) / 2 - WheelMargin;
}

// A pixel belongs to the wheel when its middle does: at 300 x 300 the wheel has radius 145
// around (150, 150), so on the centre row pixels 5 to 294 are on it.
bool ColorPalette::onWheel(int x, int y) const
{
    const QPointF c = centre();
    return std::hypot(x + 0.5 - c.x(), y + 0.5 - c.y()) <= radius();
}

QColor ColorPalette::colorAt(int x, int y) const
{
    const QPointF c = centre();
    // Screen y grows downwards; the hue turns counter-clockwise as seen on screen.
    double degrees = std::atan2(c.y() - (y + 0.5), x + 0.5 - c.x()) * 180.0 / Pi;
    if (degrees < 0)
        degrees += 360.0;
    // Between two neighbouring stops of red, yellow, green, cyan, blue and magenta (60 degrees
    // apart) one component rises or falls linearly while the others stay at 0 or 255.
    const int sector = std::min(static_cast<int>(degrees / 60.0), 5);
    const int rising = static_cast<int>(std::lround((degrees - 60.0 * sector) / 60.0 * 255.0));
    const int falling = 255 - rising;
    switch (sector) {
    case 0: return QColor(255, rising, 0);
    case 1: return QColor(falling, 255, 0);
    case 2: return QColor(0, 255, rising);
    case 3: return QColor(0, falling, 255);
    case 4: return QColor(rising, 0, 255);
    default: return QColor(255, 0, falling);
    }
}

const QImage &ColorPalette::wheel()
{
    const int w = static_cast<int>(width());
    const int h = static_cast<int>(height());
    if (m_wheel.width() == w && m_wheel.height() == h)
        return m_wheel;
    m_wheel = QImage(std::max(w, 0), std::max(h, 0), QImage::Format_ARGB32);
    m_wheel.fill(Qt::transparent);
    const QPointF c = centre();
    const double r = radius();
    for (int y = 0; y < h; ++y) {
        auto *line = reinterpret_cast<QRgb *>(m_wheel.scanLine(y));
        for (int x = 0; x < w; ++x) {
            // The rim fades out over one pixel so that the edge is smooth; every pixel that
            // can be picked has its middle on the wheel and is at least half covered.
            const double coverage = std::clamp(r + 0.5 - std::hypot(x + 0.5 - c.x(), y + 0.5 - c.y()), 0.0, 1.0);
            if (coverage <= 0)
                continue;
            QColor color = colorAt(x, y);
            color.setAlphaF(coverage);
            line[x] = color.rgba();
        }
    }
    return m_wheel;
}

void ColorPalette::paint(QPainter *painter)
{
    painter->drawImage(0, 0, wheel());
    if (m_x == 0 && m_y == 0)
        return;
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(Qt::white, MarkerPen));
    painter->drawLine(m_x - MarkerReach, m_y, m_x - MarkerGap, m_y);
    painter->drawLine(m_x + MarkerGap, m_y, m_x + MarkerReach, m_y);
    painter->drawLine(m_x, m_y - MarkerReach, m_x, m_y - MarkerGap);
    painter->drawLine(m_x, m_y + MarkerGap, m_x, m_y + MarkerReach);
}

void ColorPalette::mouseMove(int x, int y)
{
    m_x = x;
    m_y = y;
    if (!onWheel(x, y))
        return;
    emit colorChang(colorAt(x, y).name());
    update();
}

void ColorPalette::clearPoint()
{
    m_x = 0;
    m_y = 0;
    update();
}
