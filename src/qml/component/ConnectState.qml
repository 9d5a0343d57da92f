import QtQuick 2.15
import BaseControl 1.0

// Whether the controller is connected: a grey dot when not, an orange one in state "connect".
Item {
    id: root

    width: label.x + label.implicitWidth
    height: 18

    Rectangle {
        id: dot
        y: 6
        width: 6
        height: 6
        radius: 3
        color: CusConfig.colorBorderInput
    }

    BasicText {
        id: label
        objectName: "connectText"
        x: 10
        height: root.height
        text: qsTr("No device found")
        color: CusConfig.colorDisconnectedText
    }

    states: State {
        name: "connect"
        PropertyChanges { target: dot; color: CusConfig.colorMark }
        PropertyChanges { target: label; text: qsTr("Device connected"); color: CusConfig.colortext }
    }
}
