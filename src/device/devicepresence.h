#pragma once

#include "device/devicemessage.h"

#include <QMap>
#include <QString>

// The presence detector's reaction to one message, worked out without any window or platform:
// what to log, whether the controller came or went, and whether the message is consumed.
class DevicePresence
{
public:
    struct Outcome
    {
        bool consumed = false;       // true: the window handler returns true; false: the base handler's result
        bool report = false;         // emit the device-type signal
        QString deviceType;
        bool arrival = false;
        bool present = false;        // the present flag afterwards
        const char *logLine = nullptr;
    };

    // `table` maps device types to hardware-id fragments of their interface paths.
    static Outcome handle(const DeviceMessage &message, bool present, const QMap<QString, QString> &table);

    // The first type (in key order) whose fragment occurs in `path`, ignoring case; empty if none.
    static QString deviceType(const QString &path, const QMap<QString, QString> &table);
};
