import QtQuick 2.15
import BaseControl 1.0

// A batch row with one number box.
Item {
    id: root

    property string text
    property string inputText: "0"
    property alias checkBox: checkBox
    // What the row applies to a bank (1..3); supplied by the dialog.
    property var batchSet: function(bank) {}

    width: 247
    height: 16

    // The box shows inputText also after something wrote to the box directly (which ends the
    // box's binding to it).
    onInputTextChanged: {
        if (input.textInput.text !== inputText)
            input.textInput.text = inputText
    }

    BasicText {
        width: 151
        height: 16
        horizontalAlignment: Text.AlignRight
        text: root.text
        color: CusConfig.colorTitleText
    }
    LightInput {
        id: input
        objectName: "input"
        textInput.text: root.inputText
        textInput.onTextChanged: root.inputText = textInput.text
        x: 155
        y: 0
        accessibleName: root.text
    }
    CusCheckBox {
        id: checkBox
        x: 219
        y: 2
        Accessible.name: root.text
    }
}
