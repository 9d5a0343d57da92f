import QtQuick 2.15
import "../BaseControl"

// A batch row with a minimum and a maximum box.
Item {
    id: root

    property string textMin
    property string textMax
    property alias inputTextMin: inputMin.textInput.text
    property alias inputTextMax: inputMax.textInput.text
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
        x: 155
        y: 20
        accessibleName: root.textMax
        Component.onCompleted: textInput.text = "127"
    }
    CusCheckBox {
        id: checkBox
        x: 219
        y: 12
        Accessible.name: root.textMin + ", " + root.textMax
    }
}
