#include "app/appoptions.h"
#include "app/logfile.h"
#include "app/mainwindow.h"
#include "app/singleinstance.h"
#include "qml/colorpalette.h"

#include <QApplication>
#include <QDebug>

int main(int argc, char *argv[])
{
    const AppOptions options = AppOptions::parse(argc, argv);
    if (options.exitCode)
        return *options.exitCode;
    if (SingleInstance::isAppRunning(QStringLiteral("kovelaTark9")))
        return 0;
    ColorPalette::registerType();
    QApplication app(argc, argv);
    // Lets the desktop match the window to its launcher and icon (the Wayland app id).
    QGuiApplication::setDesktopFileName(QStringLiteral(TARK9_APP_ID));
    LogFile::initLog(QStringLiteral("Log"), 1024);
    qDebug() << __FILE__ << __LINE__ << "================progress start================";
    MainWindow mainWindow(options);
    return app.exec();
}
