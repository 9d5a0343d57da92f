import QtQuick 2.15
import BaseControl 1.0
import "rgbboxes.js" as RgbBoxes

// The batch colour row: a swatch that opens the colour dialog, and R, G, B boxes.
Item {
    id: root

    property alias checkBox: checkBox
    property alias colorRect: colorRect
    property var batchSet: function(bank) {}

    function syncColorValue(color) {
        RgbBoxes.fill([inputR, inputG, inputB], color)
    }

    function colorFromBoxes() {
        var rgb = RgbBoxes.numbers([inputR, inputG, inputB])
        colorRect.color = MainLogic.rgbtoStr(rgb[0], rgb[1], rgb[2])
    }

    width: 248
    height: 56

    Component.onCompleted: syncColorValue(colorRect.color)

    BasicText {
        y: 23
        width: 87
        height: 16
        horizontalAlignment: Text.AlignRight
        text: qsTr("Set Color")
        color: CusConfig.colorTitleText
    }
    Rectangle {
        id: colorRect
        objectName: "batchColorRect"

        // The colour dialog hands its choice back through here.
        function syncColorValue(color) { root.syncColorValue(color) }
        function openColorDialog() { colordlg.show(-1, colorRect, colorRect.color) }

        x: 103
        y: 21
        width: 16
        height: 16
        color: CusConfig.colorMark
        border.width: activeFocus ? 1 : 0
        border.color: CusConfig.colorElement
        activeFocusOnTab: true
        Accessible.role: Accessible.Button
        Accessible.name: qsTr("Set Color")
        Accessible.onPressAction: openColorDialog()
        Keys.onSpacePressed: openColorDialog()
        Keys.onReturnPressed: openColorDialog()

        MouseArea {
            anchors.fill: parent
            cursorShape: Qt.PointingHandCursor
            onClicked: colorRect.openColorDialog()
        }
    }
    Repeater {
        model: ["R", "G", "B"]
        BasicText {
            x: 130
            y: 20 * index
            height: 16
            text: modelData
            color: CusConfig.colorTitleText
        }
    }
    LightInput {
        id: inputR
        objectName: "inputR"
        x: 155
        y: 0
        maxRange: 255
        accessibleName: "R"
        textInput.onEditingFinished: root.colorFromBoxes()
    }
    LightInput {
        id: inputG
        objectName: "inputG"
        x: 155
        y: 20
        maxRange: 255
        accessibleName: "G"
        textInput.onEditingFinished: root.colorFromBoxes()
    }
    LightInput {
        id: inputB
        objectName: "inputB"
        x: 155
        y: 40
        maxRange: 255
        accessibleName: "B"
        textInput.onEditingFinished: root.colorFromBoxes()
    }
    CusCheckBox {
        id: checkBox
        x: 219
        y: 22
        Accessible.name: qsTr("Set Color")
    }
}
