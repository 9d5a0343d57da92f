#include "device/virtual/virtualfaults.h"

#include "device/virtual/virtualtark9.h"

#include <QVector>

namespace {

struct Fault
{
    QString name;
    void (*setUp)(VirtualTark9 &device);
};

const QVector<Fault> &faults()
{
    using M = VirtualTark9::Misbehaviour;
    static const QVector<Fault> list = {
        {QStringLiteral("unplugged"), [](VirtualTark9 &device) { device.unplug(); }},
        {QStringLiteral("busy"), [](VirtualTark9 &device) { device.setMisbehaviour(M::PortsBusy); }},
        {QStringLiteral("silent"), [](VirtualTark9 &device) { device.setMisbehaviour(M::NoReply); }},
        {QStringLiteral("stalled"), [](VirtualTark9 &device) { device.setMisbehaviour(M::StopsReading); }},
        {QStringLiteral("drops-writes"), [](VirtualTark9 &device) { device.setMisbehaviour(M::DropsWrites); }},
        // Firmware updates: settings of the user's own that the new firmware resets to the factory's,
        // a power cut in the middle of the image, the old firmware starting again, no firmware
        // starting at all, and a controller found left in its boot loader.
        {QStringLiteral("resets-settings"), [](VirtualTark9 &device) {
             device.customiseSettings();
             device.setMisbehaviour(M::ResetsSettings);
         }},
        {QStringLiteral("power-cut"), [](VirtualTark9 &device) { device.setMisbehaviour(M::PowerCutMidTransfer); }},
        {QStringLiteral("old-version"), [](VirtualTark9 &device) { device.setMisbehaviour(M::KeepsOldFirmware); }},
        {QStringLiteral("never-returns"), [](VirtualTark9 &device) { device.setMisbehaviour(M::NeverReturns); }},
        {QStringLiteral("stranded"), [](VirtualTark9 &device) { device.bootLoader().enter(VirtualBootLoader::Application::Erased); }},
    };
    return list;
}

} // namespace

QStringList VirtualFaults::names()
{
    QStringList names;
    for (const Fault &fault : faults())
        names << fault.name;
    return names;
}

bool VirtualFaults::play(const QString &name, VirtualTark9 &device)
{
    for (const Fault &fault : faults()) {
        if (fault.name == name) {
            fault.setUp(device);
            return true;
        }
    }
    return false;
}
