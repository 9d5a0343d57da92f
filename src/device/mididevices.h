#pragma once

#include <QMap>
#include <QString>

// The system's MIDI ports, by index, with the names their capabilities report (at most 31
// characters, as the multimedia API's product-name field holds).
QMap<int, QString> getMidiInDevices();
QMap<int, QString> getMidiOutDevices();
