import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Window 2.15
import BaseControl 1.0

// View > MIDI Monitor: every message between the editor and the controller, one line each, in
// a window of its own beside the editor's, so that the controller can be played and edited while
// its messages are watched. The lines are MidiMonitor's; it takes messages while this window is
// shown. Laid out at dWidth x dHeight and drawn at the screen's scaling; a larger window gives
// the lines more room.
Window {
    id: root

    readonly property real dWidth: 900
    readonly property real dHeight: 560
    readonly property real rate: Scaling.scalingRate
    // The lines chosen for Copy, by row: row -> true.
    property var selected: ({})
    property int selectedCount: 0
    // The row a Shift+click extends the choice from.
    property int anchorRow: -1
    // Whether the list follows the newest line; scrolling up stops it, back to the end resumes.
    property bool following: true
    // Why the last export failed, as a sentence; empty when it did not.
    property string exportError: ""

    // Column widths, in design units; the bytes take what is left.
    readonly property var columns: [76, 108, 170, 210, 150]
    readonly property real columnSpacing: 6
    readonly property real columnsWidth: columns.reduce(function(sum, width) { return sum + width + columnSpacing }, 0)

    function isSelected(row) { return root.selected[row] === true }

    function clearSelection() {
        root.selected = ({})
        root.selectedCount = 0
        root.anchorRow = -1
    }

    // A click chooses one line, Ctrl+click adds or removes one, Shift+click a range.
    function choose(row, modifiers) {
        var chosen = (modifiers & Qt.ControlModifier) ? Object.assign({}, root.selected) : ({})
        if ((modifiers & Qt.ShiftModifier) && root.anchorRow >= 0) {
            var first = Math.min(root.anchorRow, row)
            var last = Math.max(root.anchorRow, row)
            for (var r = first; r <= last; ++r)
                chosen[r] = true
        } else if ((modifiers & Qt.ControlModifier) && chosen[row]) {
            delete chosen[row]
            root.anchorRow = row
        } else {
            chosen[row] = true
            root.anchorRow = row
        }
        root.selected = chosen
        root.selectedCount = Object.keys(chosen).length
    }

    function selectAll() {
        var chosen = ({})
        for (var r = 0; r < MidiMonitor.count; ++r)
            chosen[r] = true
        root.selected = chosen
        root.selectedCount = MidiMonitor.count
    }

    function filterShown(filter, fromController, toController, kinds) {
        if (filter < 2)
            return filter === 0 ? fromController : toController
        return (kinds & (1 << (filter - 2))) !== 0
    }

    function setFilterShown(filter, shown) {
        if (filter === 0)
            MidiMonitor.showFromController = shown
        else if (filter === 1)
            MidiMonitor.showToController = shown
        else
            MidiMonitor.setKindShown(filter - 2, shown)
    }

    // The filter's label; `language` is there so that the kinds' names follow a change of it.
    function filterName(filter, language) {
        if (filter < 2)
            return filter === 0 ? qsTr("From controller") : qsTr("To controller")
        return MidiMonitor.kindName(filter - 2)
    }

    function copySelected() {
        var rows = Object.keys(root.selected).map(Number).sort(function(a, b) { return a - b })
        if (rows.length > 0)
            ControlClipboard.putText(MidiMonitor.copyText(rows))
    }

    function exportLines() {
        root.exportError = MainLogic.exportMonitorLines()
    }

    // Shows the window, or brings it to the front when it is open.
    function show() {
        visible = true
        raise()
        requestActivate()
    }

    title: qsTr("MIDI Monitor")
    width: dWidth * rate
    height: dHeight * rate
    minimumWidth: 600 * rate
    minimumHeight: 300 * rate
    color: CusConfig.colorFrame

    // The monitor takes messages (and holds the controller's input) only while it is seen.
    onVisibleChanged: MidiMonitor.active = visible

    Connections {
        target: MidiMonitor
        // Rows move when older lines go or a filter changes: the choice by row is void then.
        function onRowsRemoved() { root.clearSelection() }
        function onModelReset() { root.clearSelection() }
        function onCountChanged() {
            if (root.following)
                Qt.callLater(lines.positionViewAtEnd)
        }
    }

    Shortcut {
        sequences: [StandardKey.Copy]
        onActivated: root.copySelected()
    }
    Shortcut {
        sequences: [StandardKey.SelectAll]
        onActivated: root.selectAll()
    }

    ScaledScene {
        id: scene
        width: root.width / root.rate
        height: root.height / root.rate

        BasicText {
            objectName: "monitorTitle"
            x: 16
            y: 10
            text: qsTr("MIDI Monitor")
            color: CusConfig.colorTitleText
            font.bold: true
            font.pixelSize: CusConfig.fontSizeLevel1
        }

        BasicText {
            objectName: "monitorCounts"
            anchors.right: parent.right
            anchors.rightMargin: 16
            y: 14
            color: CusConfig.colorTitleText
            textFormat: Text.PlainText
            text: {
                var parts = [qsTr("%n line(s)", "", MidiMonitor.keptCount)]
                if (MidiMonitor.droppedCount > 0)
                    parts.push(qsTr("%n older line(s) dropped", "", MidiMonitor.droppedCount))
                if (MidiMonitor.paused && MidiMonitor.pausedCount > 0)
                    parts.push(qsTr("%n message(s) missed while paused", "", MidiMonitor.pausedCount))
                return parts.join("   ")
            }
        }

        Row {
            id: buttons
            x: 16
            y: 42
            spacing: 8

            CusButton {
                objectName: "pauseButton"
                width: 100
                height: 24
                checkable: true
                checked: MidiMonitor.paused
                text: MidiMonitor.paused ? qsTr("Resume") : qsTr("Pause")
                onClicked: MidiMonitor.paused = !MidiMonitor.paused
            }
            CusButton {
                objectName: "clearButton"
                width: 100
                height: 24
                text: qsTr("Clear")
                onClicked: MidiMonitor.clear()
            }
            CusButton {
                objectName: "copyButton"
                width: 100
                height: 24
                enabled: root.selectedCount > 0
                text: qsTr("Copy")
                onClicked: root.copySelected()
            }
            CusButton {
                objectName: "exportButton"
                width: 120
                height: 24
                text: qsTr("Export...")
                onClicked: root.exportLines()
            }
        }

        BasicText {
            objectName: "exportError"
            anchors.left: buttons.right
            anchors.leftMargin: 12
            anchors.right: parent.right
            anchors.rightMargin: 16
            y: 42
            height: 24
            visible: text !== ""
            text: root.exportError
            textFormat: Text.PlainText
            elide: Text.ElideRight
            color: CusConfig.colorStateFailed
        }

        // What is shown: each direction and each kind of message can be hidden. Filter 0 is the
        // messages from the controller, 1 those to it, 2 and on the kinds (MidiMessageText::Kind).
        Flow {
            id: filters
            objectName: "filters"
            x: 16
            y: 76
            width: parent.width - 32
            spacing: 14

            Repeater {
                model: 2 + MidiMonitor.kindCount

                Row {
                    readonly property int kind: index - 2

                    objectName: ["fromControllerFilter", "toControllerFilter"][index] || "kindFilter" + kind
                    spacing: 5
                    height: 16

                    CusCheckBox {
                        id: check
                        anchors.verticalCenter: parent.verticalCenter
                        checked: root.filterShown(index, MidiMonitor.showFromController, MidiMonitor.showToController, MidiMonitor.kindFilter)
                        onToggled: root.setFilterShown(index, checked)
                    }
                    BasicText {
                        anchors.verticalCenter: parent.verticalCenter
                        color: CusConfig.colorTitleText
                        text: root.filterName(index, Tran.currentLanguage)

                        MouseArea {
                            anchors.fill: parent
                            onClicked: root.setFilterShown(index, !check.checked)
                        }
                    }
                }
            }
        }

        // On a platform whose MIDI input is one program's at a time, once.
        Rectangle {
            id: note
            objectName: "inputNote"
            x: 16
            y: filters.y + filters.height + 8
            width: parent.width - 32
            height: visible ? noteText.implicitHeight + 12 : 0
            visible: MidiMonitor.inputNote !== ""
            color: CusConfig.colorTitle
            border.width: 1
            border.color: CusConfig.colorMark
            radius: CusConfig.radiuSize3

            BasicText {
                id: noteText
                x: 8
                y: 6
                width: parent.width - 100
                wrapMode: Text.Wrap
                textFormat: Text.PlainText
                color: CusConfig.colorTitleText
                text: MidiMonitor.inputNote
            }
            CusButton {
                objectName: "dismissNoteButton"
                anchors.right: parent.right
                anchors.rightMargin: 6
                anchors.verticalCenter: parent.verticalCenter
                width: 70
                height: 22
                text: qsTr("OK")
                onClicked: MidiMonitor.dismissInputNote()
            }
        }

        Rectangle {
            id: table
            x: 16
            y: note.y + note.height + (note.visible ? 8 : 0)
            width: parent.width - 32
            height: parent.height - y - 16
            color: CusConfig.colorFrame
            border.width: 1
            border.color: CusConfig.colorBorderInput

            Row {
                id: header
                x: 6
                y: 4
                height: 20
                spacing: root.columnSpacing
                Repeater {
                    model: [qsTr("Time (ms)"), qsTr("Direction"), qsTr("Type"), qsTr("Message"), qsTr("Control"), qsTr("Bytes")]
                    BasicText {
                        width: index < root.columns.length ? root.columns[index] : table.width - root.columnsWidth - 16
                        height: 20
                        text: modelData
                        elide: Text.ElideRight
                        color: CusConfig.colorTitleText
                        font.bold: true
                    }
                }
            }

            Rectangle {
                x: 1
                y: header.y + header.height + 1
                width: parent.width - 2
                height: 1
                color: CusConfig.colorBorderInput
            }

            ListView {
                id: lines
                objectName: "monitorLines"
                x: 1
                y: header.y + header.height + 2
                width: parent.width - 2
                height: parent.height - y - 1
                clip: true
                model: MidiMonitor
                // Only the lines in view have items: a burst costs the view nothing more.
                reuseItems: true
                boundsBehavior: Flickable.StopAtBounds
                ScrollBar.vertical: ScrollBar {}
                onMovementEnded: root.following = atYEnd

                delegate: Rectangle {
                    id: line

                    required property int index
                    required property var time
                    required property string directionText
                    required property string typeText
                    required property string text
                    required property string controlsText
                    required property string hex
                    readonly property bool chosen: root.selectedCount > 0 && root.isSelected(index)
                    readonly property color textColour: chosen ? CusConfig.colorMenuTextHighlighted : CusConfig.colorTitleText

                    width: ListView.view.width
                    height: 18
                    color: chosen ? CusConfig.colorElement : (index % 2 ? CusConfig.colorRowAlternate : CusConfig.colorFrame)

                    Row {
                        x: 5
                        height: parent.height
                        spacing: root.columnSpacing

                        Repeater {
                            model: [line.time, line.directionText, line.typeText, line.text, line.controlsText, line.hex]

                            // Plain text (the words may quote bytes), cut short where it is long.
                            BasicText {
                                readonly property bool bytes: index === root.columns.length

                                width: bytes ? line.width - root.columnsWidth - 15 : root.columns[index]
                                height: line.height
                                rightPadding: index === 0 ? 6 : 0
                                horizontalAlignment: index === 0 ? Text.AlignRight : Text.AlignLeft
                                text: modelData
                                textFormat: Text.PlainText
                                elide: Text.ElideRight
                                font.family: bytes ? CusConfig.fontFamilyMono : CusConfig.fontFamily
                                font.pixelSize: CusConfig.fontSizeCompact
                                color: line.textColour
                            }
                        }
                    }

                    MouseArea {
                        anchors.fill: parent
                        onClicked: root.choose(index, mouse.modifiers)
                    }
                }
            }
        }
    }
}
