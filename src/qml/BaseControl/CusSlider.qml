import QtQuick 2.15
import QtQuick.Templates 2.15 as T

// A slider from 0 to 1 whose groove fills with the accent up to the handle.
T.Slider {
    id: cusSlider

    // Shows the whole part of the value in a larger handle.
    property bool showNumber: false

    implicitWidth: 192
    implicitHeight: Math.max(implicitBackgroundHeight + topInset + bottomInset,
                             implicitHandleHeight + topPadding + bottomPadding)
    padding: 6
    from: 0
    to: 1
    stepSize: 0.01
    value: 1
    hoverEnabled: true

    onValueChanged: console.debug("value", value)
    Component.onCompleted: console.debug("value", value)

    background: Rectangle {
        x: cusSlider.leftPadding
        y: cusSlider.topPadding + cusSlider.availableHeight / 2 - height / 2
        width: cusSlider.availableWidth
        height: 4
        radius: 4
        color: CusConfig.colorTitle

        Rectangle {
            objectName: "fill"
            width: cusSlider.visualPosition * parent.width
            height: parent.height
            radius: 4
            color: CusConfig.colorProgress
        }
    }

    handle: Rectangle {
        readonly property real size: cusSlider.showNumber ? 24 : 16
        x: cusSlider.leftPadding + cusSlider.visualPosition * (cusSlider.availableWidth - width)
        y: cusSlider.topPadding + cusSlider.availableHeight / 2 - height / 2
        width: size
        height: size
        radius: size / 2
        color: !cusSlider.hovered ? CusConfig.colorHandle
             : cusSlider.pressed ? CusConfig.colorHandlePressed
             : CusConfig.colorHandleHovered
        border.width: cusSlider.visualFocus ? 1 : 0
        border.color: CusConfig.colorElement

        Text {
            anchors.centerIn: parent
            visible: cusSlider.showNumber
            text: Math.floor(cusSlider.value)
            font.family: CusConfig.fontFamily
            font.pixelSize: CusConfig.fontSizeLevel3
            color: CusConfig.colorTitleText
        }
    }
}
