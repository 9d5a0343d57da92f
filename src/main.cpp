#include "app/appoptions.h"
#include "app/logfile.h"
#include "app/mainwindow.h"
#include "app/singleinstance.h"
#include "config/editorsettings.h"
#include "qml/colorpalette.h"

#include <QApplication>
#include <QDebug>
#include <QIcon>

int main(int argc, char *argv[])
{
    const AppOptions options = AppOptions::parse(argc, argv);
    if (options.exitCode)
        return *options.exitCode;
    if (SingleInstance::isAppRunning(EditorSettings::application()))
        return 0;
    ColorPalette::registerType();
    QApplication app(argc, argv);
    // Lets the desktop match the window to its launcher and icon (the Wayland app id).
    QGuiApplication::setDesktopFileName(QStringLiteral(TARK9_APP_ID));
    // The window's icon on X11 (_NET_WM_ICON): the installed application icon, or the logo the
    // program carries when it runs from the build folder.
    QGuiApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(TARK9_APP_ID), QIcon(QStringLiteral(":/img/logo.png"))));
    LogFile::initLog(EditorSettings::logFolder(), LogFile::KeptFiles);
    // The file's name, not __FILE__: that is the build machine's path, which the program would carry.
    qDebug() << "main.cpp" << __LINE__ << "================progress start================";
    MainWindow mainWindow(options);
    return app.exec();
}
