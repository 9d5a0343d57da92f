import QtQuick 2.15
import QtQuick.Window 2.15
import QtQuick.Templates 2.15 as T

// A menu of the menu bar: its entries are GreenMenuItems, listed top to bottom.
// The entries (actions, submenus and separators, in order) are put into the menu when it first
// opens: built with the window, the menus' entries would take a sixth of its first frame, and
// most sessions open few of them. The actions exist from the start, so their keys work at once.
T.Menu {
    id: root

    default property list<QtObject> entries
    // Whether the entries have been put into the menu.
    property bool populated: false

    function populate() {
        if (populated)
            return
        populated = true
        for (var i = 0; i < entries.length; ++i) {
            var entry = entries[i]
            if (entry instanceof T.Action)
                addAction(entry)
            else if (entry instanceof T.Menu)
                addMenu(entry)
            else if (entry instanceof Item)
                addItem(entry)
            // Anything else (an instantiator of entries) puts its entries in itself.
        }
    }

    implicitWidth: Math.max(implicitBackgroundWidth + leftInset + rightInset,
                            contentWidth + leftPadding + rightPadding)
    implicitHeight: Math.max(implicitBackgroundHeight + topInset + bottomInset,
                             contentHeight + topPadding + bottomPadding)
    margins: 0
    overlap: 1
    delegate: GreenMenuItem {}

    onAboutToShow: populate()

    contentItem: ListView {
        implicitHeight: contentHeight
        model: root.contentModel
        interactive: Window.window ? contentHeight + root.topPadding + root.bottomPadding > Window.window.height
                                   : false
        clip: true
        currentIndex: root.currentIndex
    }
}
