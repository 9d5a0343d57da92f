import QtQuick 2.15
import BaseControl 1.0

// A batch row with a drop-down list (a channel, the velocity curve).
Item {
    id: root

    property string text
    // The list's model: a plain list of values (the channels), or elements with a "text" role,
    // translated in the dialog's context.
    property var cbxMode
    readonly property bool plainList: Array.isArray(cbxMode)
    property alias cbx: cbx
    property alias checkBox: checkBox
    property var batchSet: function(bank) {}

    width: 247
    height: 16

    BasicText {
        width: 151
        height: 16
        horizontalAlignment: Text.AlignRight
        text: root.text
        color: CusConfig.colorTitleText
    }
    CusCombox {
        id: cbx
        x: 155
        width: 48
        height: 16
        model: root.cbxMode
        textRole: root.plainList ? "" : "text"
        soleValue: root.plainList
        translationContext: "FunctionDialog"
        elementColor: CusConfig.colorTitle
        textColor: CusConfig.colorTitleText
        popupColor: CusConfig.colorMenbar
        entryTextColor: CusConfig.colorTitleText
        currentEntryTextColor: CusConfig.colorFrame
        Accessible.name: root.text

        // The list is as narrow as the face's straight part unless an entry needs more ("LINEAR",
        // the Chinese curve names); then it is widened to the widest entry, centred under the face.
        entryWidth: Math.max(width - 2 * offsetValue, widestEntry + 2 * entryMargin)
        popup.x: (width - entryWidth) / 2
        popup.width: entryWidth

        readonly property real entryMargin: 3
        readonly property real widestEntry: {
            var widest = 0
            for (var i = 0; i < count; ++i)
                widest = Math.max(widest, entryMetrics.advanceWidth(entryText(textAt(i))))
            return Math.ceil(widest)
        }

        FontMetrics {
            id: entryMetrics
            font.family: CusConfig.fontFamily
            font.pixelSize: CusConfig.fontSizeLevel2
        }
    }
    CusCheckBox {
        id: checkBox
        x: 219
        y: 2
        Accessible.name: root.text
    }
}
