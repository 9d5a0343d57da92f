#pragma once

#include <QString>
#include <QVector>

// One port of the ALSA sequencer as the editor needs to know it.
struct AlsaPortInfo
{
    int client = 0;
    int port = 0;
    QString clientName;          // the device's name ("Kovela Tark9" for the controller)
    QString portName;            // "Kovela Tark9 MIDI 1" and the like
    unsigned capability = 0;     // AlsaPortCatalog::Cap* bits
};

// Turns the sequencer's ports into the two numbered lists the port layer works with. Each port is
// listed under its client's (device's) name, which is what the controller is recognised by; the
// index is the position in (client, port) order, stable while the set of ports is.
class AlsaPortCatalog
{
public:
    // The sequencer's capability bits (checked against ALSA's own in the backend).
    static constexpr unsigned CapRead = 1u << 0;
    static constexpr unsigned CapWrite = 1u << 1;
    static constexpr unsigned CapSubsRead = 1u << 5;
    static constexpr unsigned CapSubsWrite = 1u << 6;
    static constexpr unsigned CapNoExport = 1u << 7;
    static constexpr int SystemClient = 0;   // timer and announce ports, never a device

    enum class Direction { Input, Output };

    // `ownClient` is the editor's own client, whose ports are never listed.
    static QVector<AlsaPortInfo> select(QVector<AlsaPortInfo> ports, Direction direction, int ownClient);
};
