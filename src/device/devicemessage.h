#pragma once

#include <QString>
#include <QtGlobal>

// One window message as the presence detector sees it, whatever produced it. The numbers are the
// Windows ones (the detector was born there); the other platforms build the same messages.
struct DeviceMessage
{
    static constexpr quint32 QueryEndSession = 0x0011;
    static constexpr quint32 CopyData = 0x004A;
    static constexpr quint32 PowerBroadcast = 0x0218;
    static constexpr quint32 DeviceChange = 0x0219;

    static constexpr quintptr PowerQuerySuspend = 0x0000;
    static constexpr quintptr PowerResumeAutomatic = 0x0012;
    static constexpr quintptr DeviceArrival = 0x8000;
    static constexpr quintptr DeviceRemoveComplete = 0x8004;

    static constexpr quint32 DeviceInterfaceHeader = 5;   // a device-interface broadcast

    quint32 message = 0;
    quintptr wParam = 0;
    quint32 headerType = 0;      // of the broadcast header at lParam; 0 when there is none
    QString interfacePath;       // the interface's name, for headerType DeviceInterfaceHeader

    static DeviceMessage interfaceChange(bool arrival, const QString &path)
    {
        DeviceMessage m;
        m.message = DeviceChange;
        m.wParam = arrival ? DeviceArrival : DeviceRemoveComplete;
        m.headerType = DeviceInterfaceHeader;
        m.interfacePath = path;
        return m;
    }
};
