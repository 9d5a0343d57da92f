// The yardstick of bench_startup: the smallest Qt Quick Controls 2 program that shows a window
// of the editor's size, saves its first frame the way the editor's --screenshot does, and exits.
//
//   build/bench/minimalquickwindow FILE.png

#include "qml/screenshot.h"

#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQuickWindow>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QQmlApplicationEngine engine;
    engine.loadData(R"(
        import QtQuick 2.15
        import QtQuick.Controls 2.15
        ApplicationWindow {
            visible: true
            width: 1080
            height: 892
            Button { anchors.centerIn: parent; text: "OK" }
        }
    )");
    Screenshot::saveAfterFirstFrame(qobject_cast<QQuickWindow *>(engine.rootObjects().value(0)),
                                    app.arguments().value(1));
    return app.exec();
}
