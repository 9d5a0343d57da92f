import QtQuick 2.15

// What the editors of pads, knobs and strip sections share: they fill their fields from the
// model on `load()`, and while they do, what their fields report is not the user's edit
// (`editable` is false). An editor gives `info()`, the control's fields from the model, and
// `fill(info)`, which shows them; its type bar and channel list store the user's choice through
// `store(valueType, value)`.
Item {
    id: root

    // False until the first load and while the fields are filled from the model.
    property bool editable: false

    function info() { return ({}) }
    function fill(info) {}
    function store(valueType, value) {}

    function load() {
        var fields = root.info()
        editable = false
        fill(fields)
        editable = true
    }

    Accessible.role: Accessible.Grouping

    Component.onCompleted: load()
}
