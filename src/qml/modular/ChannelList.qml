import QtQuick 2.15
import BaseControl 1.0

// The list of the 16 MIDI channels a control may send on; `channel` is 1..16.
CusCombox {
    objectName: "cbxCH"
    width: 56
    height: 14
    elementColor: CusConfig.colorInput
    model: Channels.numbers
}
