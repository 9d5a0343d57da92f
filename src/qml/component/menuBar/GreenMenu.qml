import QtQuick 2.15
import QtQuick.Window 2.15
import QtQuick.Templates 2.15 as T

// A menu of the menu bar: its entries are GreenMenuItems, listed top to bottom.
T.Menu {
    id: root

    implicitWidth: Math.max(implicitBackgroundWidth + leftInset + rightInset,
                            contentWidth + leftPadding + rightPadding)
    implicitHeight: Math.max(implicitBackgroundHeight + topInset + bottomInset,
                             contentHeight + topPadding + bottomPadding)
    margins: 0
    overlap: 1
    delegate: GreenMenuItem {}

    contentItem: ListView {
        implicitHeight: contentHeight
        model: root.contentModel
        interactive: Window.window ? contentHeight + root.topPadding + root.bottomPadding > Window.window.height
                                   : false
        clip: true
        currentIndex: root.currentIndex
    }
}
