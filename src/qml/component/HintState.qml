import QtQuick 2.15
import "../BaseControl"

// The status toast: invisible until its state is "pop", fading in and out.
Item {
    id: root

    property string text

    width: 170
    height: 25

    Rectangle {
        id: face
        objectName: "hintFace"
        y: 6
        width: root.width
        height: root.height
        color: "#e5e5e5"
        radius: 3
        opacity: 0

        Behavior on opacity {
            NumberAnimation { duration: 200 }
        }

        BasicText {
            anchors.centerIn: parent
            text: root.text
            color: "#333333"
        }
    }

    states: State {
        name: "pop"
        PropertyChanges { target: face; opacity: 1 }
    }
}
