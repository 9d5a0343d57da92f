#pragma once

#include "device/devicemessage.h"

#include <QByteArray>
#include <QMap>
#include <QString>

// Turns the properties of a udev sound-card event into the device-interface message Windows
// would send for the same arrival or removal, with an interface path that carries the USB ids
// the way Windows writes them ("USB#VID_0416&PID_B009#..."). Only card devices count: a card
// brings several sound devices (control, MIDI, PCM) and one report per card is wanted.
class UdevPathTranslator
{
public:
    using Properties = QMap<QByteArray, QByteArray>;

    // False for events that are no card arrival or removal.
    bool translate(const Properties &properties, DeviceMessage *message);

    static QString interfacePath(const QByteArray &vendorId, const QByteArray &modelId, const QByteArray &devPath);

private:
    // A removal may come without the ids; the path its arrival had is remembered by device path.
    QMap<QByteArray, QString> m_arrivedPaths;
};
