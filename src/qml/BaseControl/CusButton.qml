import QtQuick 2.15
import QtQuick.Controls 2.15

Button {
    id: cusButton

    property color backgroundColorNormal: CusConfig.colorElement
    property color backgroundColorHovered: Qt.lighter(CusConfig.colorElement, 1.2)
    property color backgroundColorPressed: Qt.darker(CusConfig.colorElement, 1.2)
    property color backgroundColorDisable: CusConfig.colorCbxDisable
    property color backgroundColor: !enabled ? backgroundColorDisable
                                  : (pressed || checked) ? backgroundColorPressed
                                  : hovered ? backgroundColorHovered
                                  : backgroundColorNormal

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
