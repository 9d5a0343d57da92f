import QtQuick 2.15
import QtQuick.Templates 2.15 as T

T.Button {
    id: cusButton

    property color backgroundColorNormal: CusConfig.colorElement
    property color backgroundColorHovered: Qt.lighter(CusConfig.colorElement, 1.2)
    property color backgroundColorPressed: Qt.darker(CusConfig.colorElement, 1.2)
    property color backgroundColorDisable: CusConfig.colorCbxDisable
    property color backgroundColor: !enabled ? backgroundColorDisable
                                  : (pressed || checked) ? backgroundColorPressed
                                  : hovered ? backgroundColorHovered
                                  : backgroundColorNormal

    implicitWidth: Math.max(implicitBackgroundWidth + leftInset + rightInset,
                            implicitContentWidth + leftPadding + rightPadding)
    implicitHeight: Math.max(implicitBackgroundHeight + topInset + bottomInset,
                             implicitContentHeight + topPadding + bottomPadding)
    padding: 6
    horizontalPadding: padding + 2
    hoverEnabled: true
    font.family: CusConfig.fontFamily
    font.pixelSize: CusConfig.fontSizeLevel2

    contentItem: Text {
        text: cusButton.text
        font: cusButton.font
        color: CusConfig.colortext
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }

    background: Rectangle {
        radius: CusConfig.radiuSize3
        color: cusButton.backgroundColor
    }
}
