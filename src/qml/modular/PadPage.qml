import QtQuick 2.15
import BaseControl 1.0

// The 16 pads of one bank, laid out as on the controller: pads 1 to 4 in the bottom row.
Grid {
    id: root

    property int pageNum: 0
    // Whether the page is on screen; a hidden page re-reads its editors when shown again.
    property bool shown: true

    // The editor of model record `index` on this page; null when it is another page's.
    function editorFor(index) { return refresher.editorFor(index) }

    // Cell index in reading order -> model pad.
    function tranformationIndex(i) {
        var row = Math.floor(i / 4)
        var shift = [12, 4, -4, -12][row]
        return i + shift + 16 * pageNum
    }

    columns: 4
    columnSpacing: -2
    rowSpacing: 8

    ModelRefresh {
        id: refresher
        shown: root.shown
        cells: cells
    }

    Repeater {
        id: cells
        model: 16

        Column {
            property alias key: key
            property alias editor: key

            spacing: -5

            PadKey {
                id: key
                realIndex: root.tranformationIndex(index)
            }
            BasicText {
                x: 8
                text: "PAD" + (root.tranformationIndex(index) + 1 - 16 * root.pageNum)
                font.pixelSize: CusConfig.fontSizeLevel3
            }
        }
    }
}
