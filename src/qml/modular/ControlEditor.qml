import QtQuick 2.15
import BaseControl 1.0

// What the editors of pads, knobs and strip sections share: they fill their fields from the
// model on `load()`, and while they do, what their fields report is not the user's edit
// (`editable` is false). An editor gives `info()`, the control's fields from the model, and
// `fill(info)`, which shows them; its type bar and channel list store the user's choice through
// `store(valueType, value)`.
//
// An editor names its control as the clipboard and touch select do: `controlKind` ("pad", "knob"
// or "strip") and `recordIndex`, the model's record. A click on it outside its fields chooses it
// for Copy and Paste (the window marks the chosen one `selected`); `flash()` makes it glow for a
// moment, when its control was touched on the controller.
Item {
    id: root

    // False until the first load and while the fields are filled from the model.
    property bool editable: false
    property string controlKind: ""
    property int recordIndex: -1
    property bool selected: false
    readonly property bool highlighted: glowing.running

    function info() { return ({}) }
    function fill(info) {}
    function store(valueType, value) {}

    function flash() {
        glowing.restart()
    }

    function load() {
        var fields = root.info()
        editable = false
        fill(fields)
        editable = true
    }

    Accessible.role: Accessible.Grouping

    Component.onCompleted: load()

    // Under the fields: only a click beside them lands here.
    MouseArea {
        anchors.fill: parent
        onClicked: root.forceActiveFocus()
    }

    // Above the fields, and never in the way of a click.
    Rectangle {
        objectName: "selectedFrame"
        z: 2
        anchors.fill: parent
        visible: root.selected
        color: "transparent"
        radius: CusConfig.radiuSize3
        border.width: 1
        border.color: CusConfig.colorEditorSelected
    }

    Rectangle {
        id: glow
        objectName: "touchGlow"
        z: 2
        anchors.fill: parent
        opacity: 0
        color: "transparent"
        radius: CusConfig.radiuSize3
        border.width: 3
        border.color: CusConfig.colorTouchHighlight

        SequentialAnimation {
            id: glowing
            NumberAnimation { target: glow; property: "opacity"; to: 1; duration: 80 }
            PauseAnimation { duration: 700 }
            NumberAnimation { target: glow; property: "opacity"; to: 0; duration: 400 }
        }
    }
}
