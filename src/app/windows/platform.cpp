#include "app/platform.h"

#include <QCoreApplication>
#include <QVector>

#include <windows.h>

namespace Platform {

QString softVersion()
{
    const QByteArray path = QCoreApplication::applicationFilePath().toLocal8Bit();
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.constData(), &handle);
    if (size == 0)
        return QString();
    QVector<char> data(static_cast<int>(size));
    if (!GetFileVersionInfoA(path.constData(), 0, size, data.data()))
        return QString();
    VS_FIXEDFILEINFO *info = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(data.data(), "\\", reinterpret_cast<void **>(&info), &length) || !info
        || length < sizeof(VS_FIXEDFILEINFO)) {
        return QString();
    }
    return QString::asprintf("%d.%d.%d.%d",
                             HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                             HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS));
}

void debugOutput(const QString &text)
{
    const QString line = text + QStringLiteral("\r\n");
    OutputDebugStringW(reinterpret_cast<const wchar_t *>(line.utf16()));
}

QString windowTitle(const QString &)
{
    // The single-instance guard (singleinstance.cpp) finds the running copy's window by exactly
    // this title with FindWindowW, so it never changes with the document.
    return QStringLiteral("kovelaTark9widonw");
}

} // namespace Platform
