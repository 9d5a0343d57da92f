import QtQuick 2.15

// A numeric box of up to three digits, kept within 0..maxRange once editing finishes.
Rectangle {
    id: root

    property int maxRange: 127
    property color textColor: enabled ? CusConfig.colortext : CusConfig.colorTextDisable
    property alias textInput: textInput
    // What a screen reader calls the box.
    property string accessibleName

    x: 58
    y: 9
    width: 56
    height: 14
    color: enabled ? CusConfig.colorInput : CusConfig.colorInputDisable
    radius: CusConfig.radiuSize3
    // A box reached by the keyboard shows where typing goes.
    border.color: textInput.activeFocus ? CusConfig.colorElement : CusConfig.colorBorderInput
    border.width: enabled && !textInput.activeFocus ? 0 : 1

    TextInput {
        id: textInput
        anchors.fill: parent
        horizontalAlignment: TextInput.AlignHCenter
        verticalAlignment: TextInput.AlignVCenter
        clip: true
        selectByMouse: true
        text: "0"
        inputMask: "000"
        activeFocusOnTab: true
        Accessible.role: Accessible.EditableText
        Accessible.name: root.accessibleName
        color: root.textColor
        selectionColor: CusConfig.colorElement
        font.family: CusConfig.fontFamily
        font.pixelSize: CusConfig.fontSizeLevel2

        // Runs before the users' own handlers (declared later), so they read the kept value.
        onEditingFinished: {
            var value = parseInt(text, 10)
            if (isNaN(value))
                value = 0
            text = String(Math.min(value, root.maxRange))
        }
    }
}
