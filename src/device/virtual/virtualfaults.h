#pragma once

#include <QString>
#include <QStringList>

class VirtualTark9;

// The misbehaviours a user or a script can ask the virtual controller for by name, so that the
// program's error handling can be tried without hardware: tark9ctl's --virtual=FAULT, and the
// editor's virtual device. One list, in the order the help texts name them.
namespace VirtualFaults {

QStringList names();
// Sets the device up to play the fault; false for a name not in names().
bool play(const QString &name, VirtualTark9 &device);

} // namespace VirtualFaults
