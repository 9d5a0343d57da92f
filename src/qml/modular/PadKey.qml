import QtQuick 2.15
import BaseControl 1.0

// The editor of one pad: message type, note or number, channel, momentary or toggle, colour.
// Every edit goes to the model at once.
ControlEditor {
    id: root

    // The model pad, 0..47.
    property int realIndex: 0
    // The bank the pad belongs to, 0..2 (A, B, C).
    readonly property int bank: Math.floor(realIndex / 16)
    property alias tabBar: tabBar
    property alias cbxCH: cbxCH
    property alias cbxNote: cbxNote
    property alias btnState: btnState
    property alias input: input
    property alias colorRect: colorRect

    function uiLogic() {
        switch (tabBar.currentIndex) {
        case 0:
            cbxNote.enabled = true
            btnState.enabled = false
            input.textInput.text = String(cbxNote.currentIndex)
            root.state = "noteState"
            break
        case 1:
            cbxNote.enabled = false
            btnState.enabled = true
            root.state = ""
            break
        default:
            cbxNote.enabled = false
            btnState.enabled = false
            root.state = ""
            break
        }
    }

    function info() { return DataMgt.getPadInfo(realIndex) }
    function store(valueType, value) { DataMgt.setPadInfo(realIndex, valueType, value) }
    function fill(info) {
        tabBar.currentIndex = info.padtype
        input.textInput.text = String(info.padData)
        cbxCH.currentIndex = info.padCh - 1
        btnState.checked = info.padMode === 1
        colorRect.color = MainLogic.rgbtoStr(info.padR * 2, info.padG * 2, info.padB * 2)
    }

    controlKind: "pad"
    recordIndex: realIndex
    width: background.width
    height: background.height
    Accessible.name: "Pad " + (realIndex + 1 - 16 * bank)
    Accessible.description: ["Bank A", "Bank B", "Bank C"][bank] || ""

    Component.onCompleted: uiLogic()

    CusImage {
        id: background
        source: "qrc:/img/padRect@2x.png"
    }

    BasicText {
        id: tValue
        x: 17
        y: 9
        text: "#"
    }

    CusImage {
        id: line
        x: 53
        y: 16
        visible: false
        source: "qrc:/img/line.png"
    }

    CusInput {
        id: input
        objectName: "input"
        x: 58
        y: 9
        width: 56
        height: 14
        accessibleName: tabBar.currentIndex === 0 ? qsTr("KEY") : "#"
        textInput.onTextChanged: {
            if (tabBar.currentIndex === 0)
                cbxNote.currentIndex = parseInt(input.textInput.text, 10)
        }
        textInput.onEditingFinished: root.store("padData", parseInt(input.textInput.text, 10))
    }

    BasicText {
        id: tKey
        x: 17
        y: 33
        text: qsTr("KEY")
    }

    CusComboxGrid {
        id: cbxNote
        objectName: "cbxNote"
        x: 58
        y: 35
        width: 56
        height: 14
        elementColor: CusConfig.colorInput
        model: NoteDataModel
        textRole: "key"
        soleValue: false
        Accessible.name: qsTr("KEY")
        onActivated: {
            input.textInput.text = String(index)
            root.store("padData", index)
        }
    }

    BasicText {
        id: tCH
        x: 17
        y: 59
        text: qsTr("CH")
    }

    ChannelList {
        id: cbxCH
        x: 58
        y: 61
        Accessible.name: tCH.text
        onActivated: root.store("padCh", currentText)
    }

    CusButtonState {
        id: btnState
        objectName: "btnState"
        x: 10
        y: 85
        width: 80
        height: 14
        onClicked: root.store("padMode", checked ? 1 : 0)
    }

    Rectangle {
        id: colorRect
        objectName: "colorRect"
        x: 98
        y: 85
        width: 14
        height: 14
        color: CusConfig.colorMark
        border.width: activeFocus ? 1 : 0
        border.color: CusConfig.colortext
        activeFocusOnTab: true
        Accessible.role: Accessible.Button
        Accessible.name: qsTr("Colour")
        Accessible.onPressAction: openColorDialog()
        Keys.onSpacePressed: openColorDialog()
        Keys.onReturnPressed: openColorDialog()

        function openColorDialog() {
            if (typeof colordlg !== "undefined")
                colordlg.show(root.realIndex, colorRect, colorRect.color)
        }

        MouseArea {
            anchors.fill: parent
            cursorShape: Qt.PointingHandCursor
            onClicked: colorRect.openColorDialog()
        }
    }

    TypeBar {
        id: tabBar
        x: 8
        y: 108
        storing: root.editable
        onChanged: root.uiLogic()
        // Picking NOTE shows the chooser's note in the box: store that note too, so that what
        // is sent is what is shown. Type and note are one edit, undone at once.
        onPicked: {
            DataMgt.beginEdit()
            if (type === 0 && cbxNote.currentIndex >= 0)
                root.store("padData", cbxNote.currentIndex)
            root.store("padtype", type)
            DataMgt.endEdit()
        }
    }

    states: State {
        name: "noteState"
        PropertyChanges { target: tValue; visible: false }
        PropertyChanges { target: tKey; y: 21 }
        PropertyChanges { target: line; visible: true }
    }
}
