#include "device/mididevices.h"

#include "device/devicebackend.h"
#include "device/midisystem.h"

#include <QDebug>

namespace {

constexpr int MaxPortNameLength = 31;   // characters before the terminating zero

template<typename Count, typename Caps>
QMap<int, QString> listPorts(Count count, Caps caps)
{
    QMap<int, QString> ports;
    const unsigned n = count();
    for (unsigned i = 0; i < n; ++i) {
        QString name;
        if (caps(i, &name) != MidiResult::NoError) {
            qDebug() << "MIDI port caps error" << i;
            continue;
        }
        ports.insert(static_cast<int>(i), name.left(MaxPortNameLength));
    }
    return ports;
}

} // namespace

QMap<int, QString> getMidiInDevices()
{
    MidiSystem &system = DeviceBackend::midiSystem();
    return listPorts([&] { return system.inGetNumDevs(); },
                     [&](unsigned i, QString *name) { return system.inGetDevCaps(i, name); });
}

QMap<int, QString> getMidiOutDevices()
{
    MidiSystem &system = DeviceBackend::midiSystem();
    return listPorts([&] { return system.outGetNumDevs(); },
                     [&](unsigned i, QString *name) { return system.outGetDevCaps(i, name); });
}
