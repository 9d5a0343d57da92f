import QtQuick 2.15
import QtQuick.Templates 2.15 as T

// The drop-down list in a grid popup of 13 rows by 11 columns, filled column by column: the
// 128 note names fit on one screen. Face and entries are CusCombox's.
CusCombox {
    id: cusComboBox

    // One entry of the grid; the rows are as high as the entries, so that none overlaps another.
    property real cellWidth: 30
    property real cellHeight: 14
    // A chooser in the rightmost pad column opens its popup this far to the left, so that the
    // popup stays inside the window.
    readonly property bool opensLeft: parent !== null && parent.realIndex !== undefined
                                      && parent.realIndex % 4 === 3

    entryWidth: cellWidth
    entryHeight: cellHeight

    popup: T.Popup {
        y: cusComboBox.height + 3
        x: (cusComboBox.width - width) / 2 - (cusComboBox.opensLeft ? 200 : 0)
        width: cusComboBox.cellWidth * 11 + 10
        // Thirteen whole rows inside the padding: a template popup has no size of its own.
        height: cusComboBox.cellHeight * 13 + topPadding + bottomPadding
        padding: 5

        contentItem: GridView {
            clip: true
            flow: GridView.FlowTopToBottom
            cellWidth: cusComboBox.cellWidth
            cellHeight: cusComboBox.cellHeight
            // Attached only while open: 48 pads each carrying a built grid would cost start-up.
            model: cusComboBox.popup.visible ? cusComboBox.delegateModel : null
            currentIndex: cusComboBox.highlightedIndex
        }

        background: Rectangle {
            color: CusConfig.colorInput
            radius: 10
            border.width: 1
            border.color: CusConfig.colorBorderInput
        }
    }
}
