import QtQuick 2.15
import "../BaseControl"

// The six sections of the touch strip.
Grid {
    columns: 3
    columnSpacing: 16
    rowSpacing: 12

    Repeater {
        model: ["qrc:/img/icon_01@2x.png", "qrc:/img/icon_02@2x.png", "qrc:/img/icon_03@2x.png",
                "qrc:/img/icon_04@2x.png", "qrc:/img/icon_05@2x.png", "qrc:/img/icon_06@2x.png"]

        Column {
            spacing: 4

            CusImage {
                x: 29
                source: modelData
            }
            WalkingBelt {
                index: model.index
            }
        }
    }
}
