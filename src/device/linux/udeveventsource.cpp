#include "device/linux/udeveventsource.h"

#include <libudev.h>

#include <QDebug>
#include <QSocketNotifier>

UdevEventSource::UdevEventSource(Sink sink, QObject *parent)
    : DeviceEventSource(std::move(sink), parent)
{
    m_udev = udev_new();
    if (!m_udev) {
        qDebug() << "udev cannot be reached: no hot-plug reports";
        return;
    }
    m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
    if (!m_monitor || udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "sound", nullptr) < 0
        || udev_monitor_enable_receiving(m_monitor) < 0) {
        qDebug() << "udev monitor for sound devices cannot be set up: no hot-plug reports";
        return;
    }
    m_notifier = new QSocketNotifier(udev_monitor_get_fd(m_monitor), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &UdevEventSource::readEvent);
}

UdevEventSource::~UdevEventSource()
{
    delete m_notifier;
    if (m_monitor)
        udev_monitor_unref(m_monitor);
    if (m_udev)
        udev_unref(m_udev);
}

void UdevEventSource::readEvent()
{
    udev_device *device = udev_monitor_receive_device(m_monitor);
    if (!device)
        return;
    UdevPathTranslator::Properties properties;
    for (udev_list_entry *entry = udev_device_get_properties_list_entry(device); entry;
         entry = udev_list_entry_get_next(entry)) {
        properties.insert(udev_list_entry_get_name(entry), udev_list_entry_get_value(entry));
    }
    udev_device_unref(device);
    DeviceMessage message;
    if (m_translator.translate(properties, &message))
        deliver(message);
}
