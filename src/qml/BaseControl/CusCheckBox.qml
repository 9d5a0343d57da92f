import QtQuick 2.15
import QtQuick.Templates 2.15 as T
import QtGraphicalEffects 1.0

// A small square check box whose tick is tinted by state.
T.CheckBox {
    id: cusCheckBox

    property color colorNormal: CusConfig.colorMark
    property color colorHovered: CusConfig.colorMark
    property color colorPressed: CusConfig.colorMark
    property color colorDisable: CusConfig.colorMark
    readonly property url imgUrlCheck: "qrc:/img/Check.png"

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

        Image {
            id: tick
            anchors.fill: parent
            source: cusCheckBox.imgUrlCheck
            visible: false
        }
        ColorOverlay {
            objectName: "tick"
            anchors.fill: parent
            source: tick
            visible: cusCheckBox.checked
            color: !cusCheckBox.enabled ? cusCheckBox.colorDisable
                 : cusCheckBox.pressed ? cusCheckBox.colorPressed
                 : cusCheckBox.hovered ? cusCheckBox.colorHovered
                 : cusCheckBox.colorNormal
        }
    }

    contentItem: Item {}

    TransArea {}
}
