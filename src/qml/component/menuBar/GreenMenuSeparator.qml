import QtQuick 2.15
import QtQuick.Templates 2.15 as T
import BaseControl 1.0

// A thin line between groups of menu entries.
T.MenuSeparator {
    id: root

    implicitWidth: Math.max(implicitBackgroundWidth + leftInset + rightInset,
                            implicitContentWidth + leftPadding + rightPadding)
    implicitHeight: Math.max(implicitBackgroundHeight + topInset + bottomInset,
                             implicitContentHeight + topPadding + bottomPadding)
    padding: 2
    verticalPadding: padding + 4

    contentItem: Rectangle {
        implicitWidth: 188
        implicitHeight: 1
        color: CusConfig.colorTextDisable
    }
}
