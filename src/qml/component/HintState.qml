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

        // Fills the face rather than sizing itself to the text: the window's scaling keeps
        // the size each item had at start-up, when the toast had no text yet.
        BasicText {
            objectName: "hintText"
            anchors.fill: parent
            horizontalAlignment: Text.AlignHCenter
            text: root.text
            color: "#333333"
        }
    }

    states: State {
        name: "pop"
        PropertyChanges { target: face; opacity: 1 }
    }
}
