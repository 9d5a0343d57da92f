#include "device/deviceeventsource.h"

DeviceEventSource::DeviceEventSource(Sink sink, QObject *parent)
    : QObject(parent)
    , m_sink(std::move(sink))
{
}

bool DeviceEventSource::translateNative(const QByteArray &, void *, DeviceMessage *)
{
    return false;
}

bool DeviceEventSource::deliver(const DeviceMessage &message) const
{
    return m_sink ? m_sink(message) : false;
}
