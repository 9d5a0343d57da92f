#include "device/devicebackend.h"

#include <QDebug>

#include <atomic>

namespace {

// Set once at start-up (tests may switch between their cases, never while ports are open).
std::atomic<MidiSystem *> g_installed{nullptr};
DeviceBackend::EventSourceFactory g_installedEvents;

} // namespace

void DeviceBackend::install(MidiSystem &system, EventSourceFactory events)
{
    g_installedEvents = std::move(events);
    if (g_installed.exchange(&system) != &system)
        qDebug() << "device backend: installed";
}

void DeviceBackend::installPlatform()
{
    if (g_installed.exchange(nullptr))
        qDebug() << "device backend: platform";
    g_installedEvents = nullptr;
}

bool DeviceBackend::isPlatform()
{
    return g_installed == nullptr;
}

MidiSystem &DeviceBackend::midiSystem()
{
    MidiSystem *installed = g_installed;
    return installed ? *installed : platformMidiSystem();
}

DeviceEventSource *DeviceBackend::createEventSource(quintptr nativeWindow, DeviceEventSource::Sink sink)
{
    if (!isPlatform() && g_installedEvents)
        return g_installedEvents(nativeWindow, std::move(sink));
    return DeviceEventSource::createPlatform(nativeWindow, std::move(sink));
}
