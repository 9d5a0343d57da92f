import QtQuick 2.15
import QtQuick.Templates 2.15 as T
import BaseControl 1.0

T.MenuBarItem {
    id: root

    implicitWidth: 100
    implicitHeight: 24
    leftPadding: 4
    rightPadding: 4
    opacity: enabled ? 1 : 0.3
    font.family: CusConfig.fontFamily
    font.pixelSize: CusConfig.fontSizeLevel2
    font.bold: false

    contentItem: Text {
        text: root.text
        font: root.font
        color: root.highlighted ? CusConfig.colortext : CusConfig.colorTitleText
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }

    background: Rectangle {
        color: root.highlighted ? CusConfig.colorElement : "transparent"
    }
}
