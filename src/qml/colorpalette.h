#pragma once

#include <QImage>
#include <QQuickPaintedItem>
#include <QRect>

// The hue wheel of the colour dialog. The dialog forwards its pointer positions to mouseMove;
// the item answers with the colour painted under the pointer, read back from its own canvas so
// that the picked colour is exactly the one on screen (antialiased rim included).
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
    // Pointer position in item pixels; (0, 0) means "no marker".
    int m_x = 0;
    int m_y = 0;
    int m_radius = 0;
    QRect m_wheelRect;
    QImage m_canvas;
};
