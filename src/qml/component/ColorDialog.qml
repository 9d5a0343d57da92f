import QtQuick 2.15
import QtQuick.Controls 2.15
import ColorP 1.0
import BaseControl 1.0
import "rgbboxes.js" as RgbBoxes

// Picks a pad colour on the hue wheel or by its R, G, B components. Opened from a pad's
// swatch it stores the colour in that pad; opened from the batch row it only fills the row.
Dialog {
    id: root

    // #rrggbb
    property string currentColor: "#000000"
    // The swatch that asked.
    property var colorRect: null
    // The model pad, or -1 for the batch row.
    property int keyIndex: -1

    function show(index, rect, rectColor) {
        x = (parent.width - width) / 2
        y = (parent.height - height) / 2
        colorPalette.clearPoint()
        colorRect = rect
        currentColor = String(rectColor)
        keyIndex = index
        showComponents(currentColor)
        open()
    }

    function showComponents(colorName) {
        RgbBoxes.fill([inputR, inputG, inputB], colorName)
    }

    function colorFromBoxes() {
        var rgb = RgbBoxes.numbers([inputR, inputG, inputB])
        currentColor = MainLogic.rgbtoStr(rgb[0], rgb[1], rgb[2])
        colorPalette.clearPoint()
    }

    modal: true
    padding: 0
    width: 360
    height: 430
    background: Rectangle {
        color: CusConfig.colorInput
        radius: CusConfig.radiuSize2
        border.width: 1
        border.color: CusConfig.colorBorderInput
    }

    onAccepted: {
        if (colorRect)
            colorRect.color = currentColor
    }

    Item {
        width: 360
        height: 430

        ColorPalette {
            id: colorPalette
            objectName: "colorPalette"
            x: 20
            y: 30
            width: 300
            height: 300
            onColorChang: {
                root.currentColor = colorStr
                root.showComponents(colorStr)
            }

            MouseArea {
                objectName: "paletteArea"
                anchors.fill: parent
                cursorShape: Qt.CrossCursor
                onPressed: colorPalette.mouseMove(mouse.x, mouse.y)
                onPositionChanged: colorPalette.mouseMove(mouse.x, mouse.y)
            }
        }

        Rectangle {
            objectName: "preview"
            x: 260
            y: 310
            width: 24
            height: 24
            color: root.currentColor
        }

        Repeater {
            model: [qsTr("R"), qsTr("G"), qsTr("B")]
            BasicText {
                x: 45 + 80 * index
                y: 340
                width: 20
                height: 16
                horizontalAlignment: Text.AlignRight
                text: modelData
            }
        }
        // The boxes have the dialog's own colour: only a border shows where they are.
        CusInput {
            id: inputR
            objectName: "inputR"
            x: 70
            y: 340
            width: 48
            height: 16
            maxRange: 255
            border.width: 1
            accessibleName: "R"
            textInput.onEditingFinished: root.colorFromBoxes()
        }
        CusInput {
            id: inputG
            objectName: "inputG"
            x: 150
            y: 340
            width: 48
            height: 16
            maxRange: 255
            border.width: 1
            accessibleName: "G"
            textInput.onEditingFinished: root.colorFromBoxes()
        }
        CusInput {
            id: inputB
            objectName: "inputB"
            x: 230
            y: 340
            width: 48
            height: 16
            maxRange: 255
            border.width: 1
            accessibleName: "B"
            textInput.onEditingFinished: root.colorFromBoxes()
        }

        CusButton {
            objectName: "cancelButton"
            x: 50
            y: 370
            width: 100
            height: 24
            text: qsTr("cancel")
            onClicked: root.reject()
        }
        CusButton {
            objectName: "confirmButton"
            x: 185
            y: 370
            width: 100
            height: 24
            text: qsTr("confirm")
            onClicked: {
                if (root.keyIndex === -1) {
                    if (root.colorRect)
                        root.colorRect.syncColorValue(root.currentColor)
                } else {
                    DataMgt.setPadInfo(root.keyIndex, "padRGB", root.currentColor)
                }
                root.accept()
            }
        }
    }
}
