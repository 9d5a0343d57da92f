import QtQuick 2.15
import BaseControl 1.0

// The six sections of the touch strip.
Grid {
    id: root

    // Whether the page is on screen; a hidden page re-reads its editors when shown again.
    property bool shown: true

    // The editor of model record `index` on this page; null when it is another page's.
    function editorFor(index) { return refresher.editorFor(index) }

    columns: 3
    columnSpacing: 16
    rowSpacing: 12

    ModelRefresh {
        id: refresher
        shown: root.shown
        cells: cells
    }

    Repeater {
        id: cells
        model: ["qrc:/img/icon_01@2x.png", "qrc:/img/icon_02@2x.png", "qrc:/img/icon_03@2x.png",
                "qrc:/img/icon_04@2x.png", "qrc:/img/icon_05@2x.png", "qrc:/img/icon_06@2x.png"]

        Column {
            property alias editor: editor

            spacing: 4

            CusImage {
                x: 29
                source: modelData
            }
            WalkingBelt {
                id: editor
                index: model.index
            }
        }
    }
}
