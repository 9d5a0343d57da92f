#pragma once

#include <QString>

class QQuickWindow;

// Saves the window's first rendered frame as a PNG file and ends the program: exit code 0
// when the file was written, 1 when there is no window, it never rendered or the file could
// not be written.
class Screenshot
{
public:
    static void saveAfterFirstFrame(QQuickWindow *window, const QString &path);
};
