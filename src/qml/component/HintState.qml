import QtQuick 2.15
import BaseControl 1.0

// The status toast: invisible until its state is "pop", fading in and out.
Item {
    id: root

    property string text
    // Room left of and right of the text.
    readonly property real margin: 10

    // The design's 170 holds the short reports; a longer text (the user guide's, in English)
    // widens the toast, which its holder keeps centred.
    width: Math.max(170, hintText.implicitWidth + 2 * margin)
    height: 25

    Rectangle {
        id: face
        objectName: "hintFace"
        y: 6
        width: root.width
        height: root.height
        color: CusConfig.colorTitle
        radius: 3
        opacity: 0

        Behavior on opacity {
            NumberAnimation { duration: 200 }
        }

        BasicText {
            id: hintText
            objectName: "hintText"
            anchors.fill: parent
            horizontalAlignment: Text.AlignHCenter
            text: root.text
            color: CusConfig.colorMessageText
        }
    }

    states: State {
        name: "pop"
        PropertyChanges { target: face; opacity: 1 }
    }
}
