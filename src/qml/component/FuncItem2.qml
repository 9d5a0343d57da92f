import QtQuick 2.15
import BaseControl 1.0

// A batch row with a minimum and a maximum box.
Item {
    id: root

    property string textMin
    property string textMax
    property string inputTextMin: "0"
    property string inputTextMax: "127"
    property alias checkBox: checkBox
    property var batchSet: function(bank) {}

    width: 247
    height: 36

    BasicText {
        width: 151
        height: 16
        horizontalAlignment: Text.AlignRight
        text: root.textMin
        color: CusConfig.colorTitleText
    }
    LightInput {
        id: inputMin
        textInput.text: root.inputTextMin
        textInput.onTextChanged: root.inputTextMin = textInput.text
        x: 155
        y: 0
        accessibleName: root.textMin
    }
    BasicText {
        y: 20
        width: 151
        height: 16
        horizontalAlignment: Text.AlignRight
        text: root.textMax
        color: CusConfig.colorTitleText
    }
    LightInput {
        id: inputMax
        textInput.text: root.inputTextMax
        textInput.onTextChanged: root.inputTextMax = textInput.text
        x: 155
        y: 20
        accessibleName: root.textMax
    }
    CusCheckBox {
        id: checkBox
        x: 219
        y: 12
        Accessible.name: root.textMin + ", " + root.textMax
    }
}
