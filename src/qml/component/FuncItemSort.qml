import QtQuick 2.15
import BaseControl 1.0

// A batch row with a start number and the direction the numbers run over the bank.
Item {
    id: root

    property string leftText
    property string inputText: "0"
    property alias btnState: btnState
    property alias checkBox: checkBox
    property var batchSet: function(bank) {}

    width: 247
    height: 36

    BasicText {
        width: 151
        height: 16
        horizontalAlignment: Text.AlignRight
        text: root.leftText
        color: CusConfig.colorTitleText
    }
    LightInput {
        id: input
        objectName: "input"
        textInput.text: root.inputText
        textInput.onTextChanged: root.inputText = textInput.text
        x: 155
        y: 0
        accessibleName: root.leftText
    }
    BasicText {
        y: 20
        width: 151
        height: 16
        horizontalAlignment: Text.AlignRight
        text: qsTr("With Values")
        color: CusConfig.colorTitleText
    }
    CusButtonState {
        id: btnState
        x: 155
        y: 20
        width: 48
        height: 16
        text1: qsTr("Asc")
        text2: qsTr("Des")
    }
    CusCheckBox {
        id: checkBox
        x: 219
        y: 12
        Accessible.name: root.leftText
    }
}
