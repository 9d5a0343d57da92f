import QtQuick 2.15
import QtQuick.Controls 2.15

// A drop-down list: a pill-shaped face without an arrow and a list of at most 17 entries.
ComboBox {
    id: cusComboBox

    // true: the model is a plain list of strings; false: its elements carry a "key" role.
    property bool soleValue: true
    property real offsetValue: height / 2
    property color elementColor: CusConfig.colorElement
    property int hoveredIndex: -1
    // The popup lives in the window's overlay, outside the scaled page: it scales itself.
    property real scalingRate: 1

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
        radius: cusComboBox.offsetValue
        border.color: cusComboBox.visualFocus ? CusConfig.colortext : CusConfig.colorBorderInput
        border.width: !cusComboBox.enabled || cusComboBox.visualFocus ? 1 : 0
    }

    delegate: ItemDelegate {
        width: (cusComboBox.width - 2 * cusComboBox.offsetValue) * cusComboBox.scalingRate
        height: cusComboBox.height * cusComboBox.scalingRate
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

    popup: Popup {
        onAboutToShow: cusComboBox.scalingRate = MainLogic.getScalingRate()
        y: cusComboBox.height
        x: cusComboBox.offsetValue
        width: cusComboBox.width - 2 * cusComboBox.offsetValue
        implicitHeight: Math.min(contentItem.implicitHeight,
                                 cusComboBox.height * 17 * cusComboBox.scalingRate)
        padding: 0

        contentItem: ListView {
            clip: true
            implicitHeight: contentHeight
            // Attached only while open: 48 pads each carrying a built list would cost start-up.
            model: cusComboBox.popup.visible ? cusComboBox.delegateModel : null
            currentIndex: cusComboBox.highlightedIndex
            ScrollIndicator.vertical: ScrollIndicator {}
        }

        background: Rectangle {
            color: CusConfig.colorInput
        }
    }
}
