#include "device/devicepresence.h"

QString DevicePresence::deviceType(const QString &path, const QMap<QString, QString> &table)
{
    for (auto it = table.constBegin(); it != table.constEnd(); ++it) {
        if (path.contains(it.value(), Qt::CaseInsensitive))
            return it.key();
    }
    return QString();
}

DevicePresence::Outcome DevicePresence::handle(const DeviceMessage &message, bool present,
                                               const QMap<QString, QString> &table)
{
    Outcome outcome;
    outcome.present = present;
    switch (message.message) {
    case DeviceMessage::QueryEndSession:
        outcome.logLine = "======system poweroff,reboot or logoff======";
        break;
    case DeviceMessage::PowerBroadcast:
        if (message.wParam == DeviceMessage::PowerQuerySuspend)
            outcome.logLine = "======xiu mian======";
        else if (message.wParam == DeviceMessage::PowerResumeAutomatic)
            outcome.logLine = "======huan xing======";
        break;
    case DeviceMessage::DeviceChange: {
        outcome.consumed = true;
        if (message.headerType != DeviceMessage::DeviceInterfaceHeader)
            break;
        const bool arrival = message.wParam == DeviceMessage::DeviceArrival;
        if (!arrival && message.wParam != DeviceMessage::DeviceRemoveComplete)
            break;
        const QString type = deviceType(message.interfacePath, table);
        // Arrivals count only while absent and removals only while present, so the controller's
        // several interfaces (and repeated notifications) yield one report each way.
        if (type.isEmpty() || present == arrival)
            break;
        outcome.report = true;
        outcome.deviceType = type;
        outcome.arrival = arrival;
        outcome.present = arrival;
        break;
    }
    case DeviceMessage::CopyData:
        outcome.consumed = true;
        break;
    default:
        break;
    }
    return outcome;
}
