import QtQuick 2.15
import BaseControl 1.0

// The four knobs of one bank.
Grid {
    id: root

    property int pageNum: 0

    // Whether the page is on screen; a hidden page re-reads its editors when shown again.
    property bool shown: true

    // The editor of model record `index` on this page; null when it is another page's.
    function editorFor(index) { return refresher.editorFor(index) }

    function realIndex(i) { return i + 4 * pageNum }

    y: 12
    columns: 2
    columnSpacing: 0
    rowSpacing: 9

    ModelRefresh {
        id: refresher
        shown: root.shown
        cells: cells
    }

    Repeater {
        id: cells
        model: 4

        Column {
            property alias editor: editor

            spacing: 3

            CusImage {
                x: 52
                source: "qrc:/img/pic_tool@2x.png"
            }
            BQM {
                id: editor
                index: root.realIndex(model.index)
            }
        }
    }
}
