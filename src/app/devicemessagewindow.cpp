#include "app/devicemessagewindow.h"

#include "device/detectiondevice.h"

DeviceMessageWindow::DeviceMessageWindow(QWidget *parent)
    : QWidget(parent)
{
    m_detector = new DetectionDevice(static_cast<quintptr>(winId()), this);
}

bool DeviceMessageWindow::nativeEvent(const QByteArray &eventType, void *message, long *result)
{
    if (m_detector->handleNativeEvent(eventType, message))
        return true;
    return QWidget::nativeEvent(eventType, message, result);
}
