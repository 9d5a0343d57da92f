import QtQuick 2.15

// Tells a page when to re-read its editors from the model: at once when the model's data
// were replaced while the page is shown, else as soon as it is shown again. A reply then
// costs only the editors on screen; the banks behind their tabs catch up when opened.
// (Not an Item: inside a grid of editors it would take a cell.)
QtObject {
    id: root

    property bool shown: true
    property bool stale: false

    signal refresh()

    property Connections modelUpdates: Connections {
        target: DataMgt
        function onS_updateDate() {
            if (root.shown)
                root.refresh()
            else
                root.stale = true
        }
    }

    onShownChanged: {
        if (shown && stale) {
            stale = false
            refresh()
        }
    }
}
