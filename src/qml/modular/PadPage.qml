import QtQuick 2.15
import "../BaseControl"

// The 16 pads of one bank, laid out as on the controller: pads 1 to 4 in the bottom row.
Grid {
    id: root

    property int pageNum: 0

    // Cell index in reading order -> model pad.
    function tranformationIndex(i) {
        var row = Math.floor(i / 4)
        var shift = [12, 4, -4, -12][row]
        return i + shift + 16 * pageNum
    }

    columns: 4
    columnSpacing: -2
    rowSpacing: 8

    Repeater {
        model: 16

        Column {
            spacing: -5

            PadKey {
                realIndex: root.tranformationIndex(index)
                bank: root.pageNum
            }
            BasicText {
                x: 8
                text: "PAD" + (root.tranformationIndex(index) + 1 - 16 * root.pageNum)
                font.pixelSize: CusConfig.fontSizeLevel3
            }
        }
    }
}
