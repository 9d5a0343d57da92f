#pragma once

#include <QString>

#include <functional>

// Only one editor runs per user. A second start asks the running copy to bring its window to
// the front, restored, and exits with code 0.
class SingleInstance
{
public:
    // True when another copy holds `key` (and has been asked to come to the front); false when
    // this process now holds it, for the rest of its life.
    static bool isAppRunning(const QString &key);

    // The running copy's side: `raise` is called on the GUI thread whenever a second start asks
    // for the window (on Linux also for the starts that came while the window was still being
    // built: they are answered once the event loop runs). Needs the application object.
    static void onRaiseRequest(std::function<void()> raise);
};
