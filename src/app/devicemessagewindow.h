#pragma once

#include <QWidget>

class DetectionDevice;

// An invisible window, so that Windows has somewhere to send its device messages: it hands its
// native events to the presence detector, which is created for its handle.
class DeviceMessageWindow : public QWidget
{
    Q_OBJECT
public:
    explicit DeviceMessageWindow(QWidget *parent = nullptr);

    // The detector, for this window's native handle (asking for the handle creates the native
    // window; the widget itself is never shown).
    DetectionDevice *detector() const { return m_detector; }

protected:
    bool nativeEvent(const QByteArray &eventType, void *message, long *result) override;

private:
    DetectionDevice *m_detector = nullptr;
};
