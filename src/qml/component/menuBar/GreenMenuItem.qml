import QtQuick 2.15
import QtQuick.Templates 2.15 as T
import BaseControl 1.0

// A menu entry: its text, the key that triggers it on the right, a tick when checked and an
// arrow when it opens a submenu.
T.MenuItem {
    id: root

    implicitWidth: Math.max(30, leftPadding + label.implicitWidth + keyLabel.implicitWidth + rightPadding + 24)
    implicitHeight: 35
    leftPadding: 14
    rightPadding: 14
    opacity: enabled ? 1 : 0.3
    font.family: CusConfig.fontFamily
    font.pixelSize: CusConfig.fontSizeLevel2

    readonly property color textColor: highlighted ? CusConfig.colorMenuTextHighlighted : CusConfig.colorTitleText

    // Only for reading the platform's name of the action's key; it never fires.
    Shortcut {
        id: keyName
        enabled: false
        sequence: root.action && root.action.shortcut !== undefined ? root.action.shortcut : ""
    }

    contentItem: Item {
        Text {
            id: label
            anchors.left: parent.left
            anchors.right: keyLabel.left
            anchors.verticalCenter: parent.verticalCenter
            text: root.text
            // Entries name files too (the recent presets): never read as markup.
            textFormat: Text.PlainText
            font: root.font
            color: root.textColor
            elide: Text.ElideRight
        }
        Text {
            id: keyLabel
            anchors.right: parent.right
            anchors.verticalCenter: parent.verticalCenter
            // Not repeated when the entry's own text already names the key.
            text: root.text.indexOf(keyName.nativeText) < 0 ? keyName.nativeText : ""
            font: root.font
            color: root.textColor
            opacity: 0.7
        }
    }

    indicator: Text {
        x: 2
        y: (root.height - height) / 2
        visible: root.checked
        text: "\u2713"
        font.family: root.font.family
        font.pixelSize: root.font.pixelSize - 2
        color: root.textColor
    }

    arrow: Text {
        x: root.width - width - 4
        y: (root.height - height) / 2
        visible: root.subMenu !== null
        text: "\u203a"
        font.family: root.font.family
        font.pixelSize: root.font.pixelSize + 4
        color: root.textColor
    }

    background: Rectangle {
        color: root.highlighted ? CusConfig.colorElement : "transparent"
    }
}
