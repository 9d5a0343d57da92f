import QtQuick 2.15
import QtQuick.Templates 2.15 as T

// A two-state switch: text1 while unchecked, text2 while checked.
T.Button {
    id: cusButton

    property string text1: qsTr("Momentary")
    property string text2: qsTr("Toggle")
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
    checkable: true
    hoverEnabled: true
    padding: 0
    text: checked ? text2 : text1
    font.family: CusConfig.fontFamily
    font.pixelSize: CusConfig.fontSizeLevel2
    Accessible.role: Accessible.CheckBox
    Accessible.checkable: true
    Accessible.checked: checked

    contentItem: Text {
        text: cusButton.text
        font: cusButton.font
        color: cusButton.enabled ? CusConfig.colortext : CusConfig.colorTextDisable
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }

    background: Rectangle {
        radius: CusConfig.radiuSize3
        color: cusButton.backgroundColor
        border.color: cusButton.activeFocus ? CusConfig.colortext : CusConfig.colorBorderInput
        border.width: !cusButton.enabled || cusButton.visualFocus ? 1 : 0
    }
}
