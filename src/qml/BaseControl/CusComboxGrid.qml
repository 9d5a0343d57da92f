import QtQuick 2.15
import QtQuick.Templates 2.15 as T

// The drop-down list in a grid popup of 13 rows by 11 columns, filled column by column: the
// 128 note names fit on one screen.
T.ComboBox {
    id: cusComboBox

    property bool soleValue: true
    property color elementColor: CusConfig.colorElement
    property real cellWidth: 30 * scalingRate
    property real cellHeight: height * scalingRate
    property int hoveredIndex: -1
    // The popup lives in the window's overlay, outside the scaled page: it scales itself.
    property real scalingRate: 1
    // A chooser in the rightmost pad column opens its popup this far to the left, so that the
    // popup stays inside the window.
    readonly property bool opensLeft: parent !== null && parent.realIndex !== undefined
                                      && parent.realIndex % 4 === 3

    width: 80
    height: 16
    hoverEnabled: true
    font.family: CusConfig.fontFamily
    font.pixelSize: CusConfig.fontSizeLevel2

    indicator: Item {}

    contentItem: Text {
        text: qsTr(cusComboBox.displayText)
        font: cusComboBox.font
        color: cusComboBox.enabled ? CusConfig.colortext : CusConfig.colorTextDisable
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }

    background: Rectangle {
        color: cusComboBox.enabled ? cusComboBox.elementColor : CusConfig.colorCbxDisable
        radius: cusComboBox.height / 2
        border.color: cusComboBox.visualFocus ? CusConfig.colortext : CusConfig.colorBorderInput
        border.width: !cusComboBox.enabled || cusComboBox.visualFocus ? 1 : 0
    }

    delegate: T.ItemDelegate {
        width: cusComboBox.cellWidth
        height: cusComboBox.cellHeight
        padding: 0
        highlighted: cusComboBox.highlightedIndex === index

        contentItem: Text {
            text: cusComboBox.soleValue ? modelData : qsTr(model.key)
            color: CusConfig.colortext
            font.family: CusConfig.fontFamily
            font.pixelSize: CusConfig.fontSizeLevel2 * cusComboBox.scalingRate
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
        }
        background: Rectangle {
            color: cusComboBox.hoveredIndex === index ? Qt.lighter(CusConfig.colorElement, 1.5)
                 : cusComboBox.currentIndex === index ? CusConfig.colorElement
                 : CusConfig.colorInput
        }
        TransArea {
            onContainsMouseChanged: {
                if (containsMouse)
                    cusComboBox.hoveredIndex = index
                else if (cusComboBox.hoveredIndex === index)
                    cusComboBox.hoveredIndex = -1
            }
        }
    }

    popup: T.Popup {
        onAboutToShow: {
            cusComboBox.scalingRate = MainLogic.getScalingRate()
            cusComboBox.cellWidth = 30 * cusComboBox.scalingRate
            cusComboBox.cellHeight = 14 * cusComboBox.scalingRate
        }
        y: cusComboBox.height + 3
        x: (cusComboBox.width - width) / 2 - (cusComboBox.opensLeft ? 200 : 0)
        width: cusComboBox.cellWidth * 11 + 10 * cusComboBox.scalingRate
        // Thirteen whole rows inside the padding.
        contentHeight: cusComboBox.cellHeight * 13
        padding: 5

        contentItem: GridView {
            clip: true
            flow: GridView.FlowTopToBottom
            cellWidth: cusComboBox.cellWidth
            cellHeight: cusComboBox.height
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
