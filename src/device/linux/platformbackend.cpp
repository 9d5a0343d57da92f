// The Linux backend: the ALSA sequencer for MIDI, udev for hot-plug.
#include "device/linux/alsamidisystem.h"
#include "device/linux/udeveventsource.h"
#include "device/devicebackend.h"

#include <QFileInfo>
#include <QStringList>

MidiSystem &DeviceBackend::platformMidiSystem()
{
    static AlsaMidiSystem system;
    return system;
}

DeviceEventSource *DeviceEventSource::createPlatform(quintptr, Sink sink)
{
    return new UdevEventSource(std::move(sink));
}

DeviceBackend::AccessRule DeviceBackend::serialAccessRule()
{
    AccessRule rule;
    rule.needed = true;
    rule.name = QStringLiteral("70-kovela-tark9.rules");
    // udev's own folders, in the order it reads them, and where a local installation puts it.
    const QStringList folders = {QStringLiteral("/etc/udev/rules.d"), QStringLiteral("/run/udev/rules.d"),
                                 QStringLiteral("/usr/local/lib/udev/rules.d"), QStringLiteral("/usr/lib/udev/rules.d"),
                                 QStringLiteral("/lib/udev/rules.d")};
    for (const QString &folder : folders) {
        const QString path = folder + QLatin1Char('/') + rule.name;
        if (QFileInfo::exists(path)) {
            rule.installedAt = path;
            break;
        }
    }
    return rule;
}
