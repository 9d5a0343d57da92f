#pragma once

#include <QString>
#include <QStringList>

// What the command line may ask of the editor.
struct AppOptions
{
    bool virtualDevice = false;   // attach to the built-in virtual Tark9 instead of real ports
    QString screenshotPath;       // render the window once, save it as PNG and exit

    static AppOptions parse(const QStringList &arguments);
};
