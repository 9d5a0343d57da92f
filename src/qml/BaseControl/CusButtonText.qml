import QtQuick 2.15
import QtQuick.Templates 2.15 as T

// A text-only button; imgSource (an underline, a QR code) shows below it while hovered.
T.Button {
    id: cusButton

    property color textColorNormal: CusConfig.colorBorderInput
    property color textColorHovered: Qt.lighter(CusConfig.colorElement, 1.2)
    property color textColorPressed: Qt.darker(CusConfig.colorElement, 1.2)
    property color textColorDisable: CusConfig.colorCbxDisable
    property color textColor: !enabled ? textColorDisable
                            : (pressed || checked) ? textColorPressed
                            : hovered ? textColorHovered
                            : textColorNormal
    property url imgSource: ""

    implicitWidth: Math.max(implicitBackgroundWidth + leftInset + rightInset,
                            implicitContentWidth + leftPadding + rightPadding)
    implicitHeight: Math.max(implicitBackgroundHeight + topInset + bottomInset,
                             implicitContentHeight + topPadding + bottomPadding)
    padding: 6
    hoverEnabled: true
    leftPadding: 0
    rightPadding: 0
    font.family: CusConfig.fontFamily
    font.pixelSize: CusConfig.fontSizeCompact

    contentItem: Text {
        text: cusButton.text
        font: cusButton.font
        color: cusButton.textColor
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
    }

    background: Item {}

    CusImage {
        objectName: "hoverImage"
        anchors.horizontalCenter: parent.horizontalCenter
        y: 18
        source: cusButton.imgSource
        visible: cusButton.hovered && cusButton.imgSource != ""
    }

    TransArea {}
}
