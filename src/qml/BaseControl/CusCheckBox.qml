import QtQuick 2.15
import QtQuick.Templates 2.15 as T

// A small square check box whose tick is tinted by state.
T.CheckBox {
    id: cusCheckBox

    property color colorNormal: CusConfig.colorMark
    property color colorHovered: CusConfig.colorMark
    property color colorPressed: CusConfig.colorMark
    property color colorDisable: CusConfig.colorMark

    width: 12
    height: 12
    padding: 0
    hoverEnabled: true

    indicator: Rectangle {
        width: cusCheckBox.width
        height: cusCheckBox.height
        color: "transparent"
        border.width: 1
        border.color: cusCheckBox.visualFocus ? CusConfig.colorElement : CusConfig.colorBorderInput

        // The tick is drawn from two rounded strokes rather than tinted from an image: a tint
        // needs a shader, and the software renderer (the fallback without OpenGL) draws none.
        // The strokes are laid out for the 12 x 12 box.
        Item {
            id: tick
            objectName: "tick"
            visible: cusCheckBox.checked
            anchors.fill: parent

            readonly property color color: !cusCheckBox.enabled ? cusCheckBox.colorDisable
                                          : cusCheckBox.pressed ? cusCheckBox.colorPressed
                                          : cusCheckBox.hovered ? cusCheckBox.colorHovered
                                          : cusCheckBox.colorNormal
            // Stroke width; the strokes meet at the bottom of the tick.
            readonly property real pen: 2
            readonly property point corner: Qt.point(4.75, 8.75)

            Repeater {
                // From the corner to the end of the short and of the long arm.
                model: [Qt.point(1.75, 5.75), Qt.point(9.75, 2.75)]
                Rectangle {
                    readonly property real dx: modelData.x - tick.corner.x
                    readonly property real dy: modelData.y - tick.corner.y
                    x: tick.corner.x - tick.pen / 2
                    y: tick.corner.y - tick.pen / 2
                    width: Math.sqrt(dx * dx + dy * dy) + tick.pen
                    height: tick.pen
                    radius: tick.pen / 2
                    antialiasing: true
                    color: tick.color
                    transform: Rotation {
                        origin.x: tick.pen / 2
                        origin.y: tick.pen / 2
                        angle: Math.atan2(dy, dx) * 180 / Math.PI
                    }
                }
            }
        }
    }

    contentItem: Item {}

    TransArea {}
}
