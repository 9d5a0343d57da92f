import QtQuick 2.15

// Gives the control underneath its cursor and hover tracking; every event passes through.
MouseArea {
    anchors.fill: parent
    hoverEnabled: true
    propagateComposedEvents: true
    cursorShape: enabled ? Qt.PointingHandCursor : Qt.ForbiddenCursor

    onPressed: mouse.accepted = false
    onReleased: mouse.accepted = false
    onClicked: mouse.accepted = false
    onDoubleClicked: mouse.accepted = false
    onPressAndHold: mouse.accepted = false
    onPositionChanged: mouse.accepted = false
    onWheel: wheel.accepted = false
}
