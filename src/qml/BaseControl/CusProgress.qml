import QtQuick 2.15

// A violet level rising behind a mask image with a transparent window.
Item {
    id: root

    // Fraction done, 0..1.
    property var value: 0

    width: 88
    height: 126

    Rectangle {
        objectName: "level"
        anchors.bottom: mask.bottom
        x: mask.x
        width: mask.width
        height: mask.height * Math.max(0, Math.min(1, root.value))
        color: CusConfig.colorProgress
    }

    Image {
        id: mask
        width: root.width
        height: root.height
        source: "qrc:/img/progress.png"
    }
}
