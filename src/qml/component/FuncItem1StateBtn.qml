import QtQuick 2.15
import BaseControl 1.0

// A batch row with a momentary/toggle switch.
Item {
    id: root

    property string text
    property alias btnState: btnState
    property alias checkBox: checkBox
    property var batchSet: function(bank) {}

    width: 247
    height: 16

    BasicText {
        width: 151
        height: 16
        horizontalAlignment: Text.AlignRight
        text: root.text
        color: CusConfig.colorTitleText
    }
    CusButtonState {
        id: btnState
        x: 155
        width: 48
        height: 16
        text1: qsTr("Moment")
        text2: qsTr("Toggle")
        font.pixelSize: CusConfig.fontSizeCompact
    }
    CusCheckBox {
        id: checkBox
        x: 219
        y: 2
        Accessible.name: root.text
    }
}
