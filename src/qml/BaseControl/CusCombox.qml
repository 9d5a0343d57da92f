import QtQuick 2.15
import QtQuick.Templates 2.15 as T

// A drop-down list: a pill-shaped face without an arrow and a list of at most 17 entries.
T.ComboBox {
    id: cusComboBox

    // true: the model is a plain list of strings; false: its elements carry a "key" role.
    property bool soleValue: true
    property real offsetValue: height / 2
    property color elementColor: CusConfig.colorElement
    property int hoveredIndex: -1
    // Colours of the face text, the popup and the entries' text; light lists change them.
    property color textColor: CusConfig.colortext
    property color popupColor: CusConfig.colorInput
    property color entryTextColor: CusConfig.colortext
    property color currentEntryTextColor: CusConfig.colortext
    // Entries of a model with roles are looked up in this translation context when given.
    property string translationContext: ""

    function entryText(text) {
        return translationContext !== "" ? qsTranslate(translationContext, text) : qsTr(text)
    }
    // The size of one entry of the popup (the overlay it lives in is scaled as the page is).
    property real entryWidth: width - 2 * offsetValue
    property real entryHeight: height

    width: 80
    height: 16
    hoverEnabled: true
    font.family: CusConfig.fontFamily
    font.pixelSize: CusConfig.fontSizeLevel2

    indicator: Item {}

    contentItem: Text {
        text: cusComboBox.entryText(cusComboBox.displayText)
        font: cusComboBox.font
        color: cusComboBox.enabled ? cusComboBox.textColor : CusConfig.colorTextDisable
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

    delegate: T.ItemDelegate {
        width: cusComboBox.entryWidth
        height: cusComboBox.entryHeight
        padding: 0
        highlighted: cusComboBox.highlightedIndex === index

        contentItem: Text {
            text: cusComboBox.soleValue ? modelData
                                        : cusComboBox.entryText(model[cusComboBox.textRole || "key"])
            color: cusComboBox.currentIndex === index ? cusComboBox.currentEntryTextColor
                                                      : cusComboBox.entryTextColor
            font.family: CusConfig.fontFamily
            font.pixelSize: CusConfig.fontSizeLevel2
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
        }
        background: Rectangle {
            color: cusComboBox.hoveredIndex === index ? Qt.lighter(CusConfig.colorElement, 1.5)
                 : cusComboBox.currentIndex === index ? CusConfig.colorElement
                 : cusComboBox.popupColor
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
        y: cusComboBox.height
        x: cusComboBox.offsetValue
        width: cusComboBox.width - 2 * cusComboBox.offsetValue
        implicitHeight: Math.min(contentItem.implicitHeight,
                                 cusComboBox.height * 17)
        padding: 0

        contentItem: ListView {
            clip: true
            implicitHeight: contentHeight
            // Attached only while open: 48 pads each carrying a built list would cost start-up.
            model: cusComboBox.popup.visible ? cusComboBox.delegateModel : null
            currentIndex: cusComboBox.highlightedIndex
            T.ScrollIndicator.vertical: T.ScrollIndicator {
                id: scrollIndicator
                padding: 2
                contentItem: Rectangle {
                    implicitWidth: 2
                    implicitHeight: 2
                    color: CusConfig.colorBorderInput
                    visible: scrollIndicator.size < 1.0
                    opacity: scrollIndicator.active ? 0.75 : 0
                }
            }
        }

        background: Rectangle {
            color: cusComboBox.popupColor
        }
    }
}
