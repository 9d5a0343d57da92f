import QtQuick 2.15

// Re-reads a page's editors from the model: at once when the model's data were replaced while
// the page is shown, else as soon as it is shown again. A reply then costs only the editors on
// screen; the banks behind their tabs catch up when opened. `cells` is the page's repeater,
// each of whose items has an `editor`. (Not an Item: inside a grid of editors it would take a
// cell.)
QtObject {
    id: root

    property bool shown: true
    property bool stale: false
    property Repeater cells: null

    // The page's editor of model record `index`; null when the page has none.
    function editorFor(index) {
        for (var i = 0; cells && i < cells.count; ++i) {
            var editor = cells.itemAt(i).editor
            if (editor.recordIndex === index)
                return editor
        }
        return null
    }

    function refresh() {
        for (var i = 0; cells && i < cells.count; ++i)
            cells.itemAt(i).editor.load()
    }

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
