#pragma once

#include "device/linux/udevpathtranslator.h"
#include "device/deviceeventsource.h"

class QSocketNotifier;
struct udev;
struct udev_monitor;

// Sound-card arrivals and removals from a udev monitor, watched on the GUI thread's event loop.
// Where udev cannot be reached the editor simply gets no hot-plug reports (said once in the log).
class UdevEventSource : public DeviceEventSource
{
    Q_OBJECT
public:
    explicit UdevEventSource(Sink sink, QObject *parent = nullptr);
    ~UdevEventSource() override;

private:
    void readEvent();

    struct udev *m_udev = nullptr;
    struct udev_monitor *m_monitor = nullptr;
    QSocketNotifier *m_notifier = nullptr;
    UdevPathTranslator m_translator;
};
