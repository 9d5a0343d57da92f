#include "device/windows/windeviceeventsource.h"

#include <windows.h>
#include <dbt.h>

#include <QDebug>

#include <cstring>

namespace {

// KSCATEGORY_CAPTURE: the controller's MIDI input interface is published under it.
const GUID KsCategoryCapture = {0x65E8773D, 0x8F56, 0x11D0, {0xA3, 0xB9, 0x00, 0xA0, 0xC9, 0x22, 0x31, 0x96}};

} // namespace

WinDeviceEventSource::WinDeviceEventSource(quintptr nativeWindow, Sink sink, QObject *parent)
    : DeviceEventSource(std::move(sink), parent)
{
    DEV_BROADCAST_DEVICEINTERFACE_W filter;
    std::memset(&filter, 0, sizeof filter);
    filter.dbcc_size = sizeof(DEV_BROADCAST_DEVICEINTERFACE_W);
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_reserved = 0;
    filter.dbcc_classguid = KsCategoryCapture;
    const auto hwnd = reinterpret_cast<HWND>(nativeWindow);
    if (!RegisterDeviceNotificationW(hwnd, &filter, DEVICE_NOTIFY_WINDOW_HANDLE))
        qDebug() << "register UDisk notification fail, error:";
}

bool WinDeviceEventSource::translateNative(const QByteArray &eventType, void *message, DeviceMessage *out)
{
    if (eventType != "windows_generic_MSG" || !message)
        return false;
    const MSG *msg = static_cast<const MSG *>(message);
    out->message = msg->message;
    out->wParam = msg->wParam;
    out->headerType = 0;
    out->interfacePath.clear();
    if (msg->message == WM_DEVICECHANGE && msg->lParam) {
        const auto *header = reinterpret_cast<const DEV_BROADCAST_HDR *>(msg->lParam);
        out->headerType = header->dbch_devicetype;
        if (header->dbch_devicetype == DBT_DEVTYP_DEVICEINTERFACE) {
            const auto *iface = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W *>(header);
            out->interfacePath = QString::fromWCharArray(iface->dbcc_name);
        }
    }
    return true;
}
