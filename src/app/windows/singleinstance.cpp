#include "app/singleinstance.h"

#include <QSharedMemory>

#include <windows.h>

namespace {

// Exists from before main until process exit, so the segment stays attached (and the key
// taken) for the whole life of the process.
QSharedMemory g_sharedMemory;

constexpr int SegmentBytes = 4;
const wchar_t WindowTitle[] = L"kovelaTark9widonw";

} // namespace

bool SingleInstance::isAppRunning(const QString &key)
{
    g_sharedMemory.setKey(key);
    if (g_sharedMemory.isAttached())
        g_sharedMemory.detach();
    g_sharedMemory.lock();
    if (g_sharedMemory.create(SegmentBytes, QSharedMemory::ReadWrite)) {
        g_sharedMemory.unlock();
        return false;
    }
    if (g_sharedMemory.attach(QSharedMemory::ReadWrite)) {
        HWND window = FindWindowW(nullptr, WindowTitle);
        ShowWindow(window, SW_SHOWNORMAL);
        // Topmost and at once not topmost again: above every window, without staying there.
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
        SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    }
    g_sharedMemory.unlock();
    return true;
}

void SingleInstance::onRaiseRequest(std::function<void()>)
{
    // The second copy raises the window itself through FindWindowW.
}
