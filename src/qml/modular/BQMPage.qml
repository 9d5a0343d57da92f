import QtQuick 2.15
import "../BaseControl"

// The four knobs of one bank.
Grid {
    id: root

    property int pageNum: 0

    function realIndex(i) { return i + 4 * pageNum }

    y: 12
    columns: 2
    columnSpacing: 0
    rowSpacing: 9

    Repeater {
        model: 4

        Column {
            spacing: 3

            CusImage {
                x: 52
                source: "qrc:/img/pic_tool@2x.png"
            }
            BQM {
                index: root.realIndex(model.index)
                bank: root.pageNum
            }
        }
    }
}
