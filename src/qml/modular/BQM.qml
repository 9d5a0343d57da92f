import QtQuick 2.15
import BaseControl 1.0

// The editor of one knob: CC (number and range), channel aftertouch (range) or pitch bend
// (LSB and MSB ranges), and its channel. Every edit goes to the model at once.
ControlEditor {
    id: root

    // The model knob, 0..11.
    property int index: 0
    // The bank the knob belongs to, 0..2 (A, B, C).
    readonly property int bank: Math.floor(index / 4)
    property alias inputValue: inputValue
    property alias inputMin: inputMin
    property alias inputMax: inputMax
    property alias inputmsbMin: inputmsbMin
    property alias inputmsbMax: inputmsbMax
    property alias cbxCH: cbxCH
    property alias tabBar: tabBar

    function tabChanged() {
        inputValue.enabled = tabBar.currentIndex === 0
        root.state = tabBar.currentIndex === 2 ? "pitchState" : "normal"
    }

    function info() { return DataMgt.getBQMInfo(index) }
    function store(valueType, value) { DataMgt.setBQMInfo(index, valueType, value) }
    function fill(info) {
        tabBar.currentIndex = info.bqmType
        inputValue.textInput.text = String(info.bqmData)
        cbxCH.currentIndex = info.bqmCh - 1
        inputMin.textInput.text = String(info.bqmLsbMin)
        inputMax.textInput.text = String(info.bqmLsbMax)
        inputmsbMin.textInput.text = String(info.bqmMsbMin)
        inputmsbMax.textInput.text = String(info.bqmMsbMax)
    }

    controlKind: "knob"
    recordIndex: index
    width: 158
    height: 98
    state: "normal"
    Accessible.name: "Knob " + (index + 1 - 4 * bank)
    Accessible.description: ["Bank A", "Bank B", "Bank C"][bank] || ""

    Rectangle {
        width: 152
        height: 98
        color: CusConfig.colorInputDisable
        radius: CusConfig.radiuSize2
    }

    BasicText { id: tData; x: 33; y: 7; text: "#" }
    CusInput {
        id: inputValue
        objectName: "inputValue"
        x: 63
        y: 8
        accessibleName: "#"
        textInput.onEditingFinished: root.store("bqmData", inputValue.textInput.text)
    }

    BasicText { id: tMin; x: 33; y: 25; text: qsTr("MIN") }
    CusInput {
        id: inputMin
        objectName: "inputMin"
        x: 63
        y: 26
        accessibleName: tMin.text
        textInput.onEditingFinished: root.store("bqmLsbMin", inputMin.textInput.text)
    }

    BasicText { id: tMax; x: 33; y: 43; text: qsTr("MAX") }
    CusInput {
        id: inputMax
        objectName: "inputMax"
        x: 63
        y: 44
        accessibleName: tMax.text
        textInput.onEditingFinished: root.store("bqmLsbMax", inputMax.textInput.text)
    }

    BasicText {
        id: tmsbMin
        x: 13
        y: 45
        visible: false
        text: qsTr("MSB MIN")
        font.pixelSize: CusConfig.fontSizeLevel3
    }
    CusInput {
        id: inputmsbMin
        objectName: "inputmsbMin"
        x: 50
        y: 44
        width: 32
        height: 14
        visible: false
        accessibleName: tmsbMin.text
        textInput.onEditingFinished: root.store("bqmMsbMin", inputmsbMin.textInput.text)
    }
    CusInput {
        id: inputmsbMax
        objectName: "inputmsbMax"
        x: 86
        y: 44
        width: 32
        height: 14
        visible: false
        accessibleName: "MSB " + tmsbMax.text
        textInput.onEditingFinished: root.store("bqmMsbMax", inputmsbMax.textInput.text)
    }
    BasicText {
        id: tmsbMax
        x: 122
        y: 45
        visible: false
        text: qsTr("MAX")
        font.pixelSize: CusConfig.fontSizeLevel3
    }

    BasicText { id: tCH; x: 33; y: 61; text: qsTr("CH") }
    ChannelList {
        id: cbxCH
        x: 63
        y: 62
        Accessible.name: tCH.text
        onActivated: root.store("bqmCh", currentText)
    }

    TypeBar {
        id: tabBar
        x: 6
        y: 78
        text1: "CC"
        text2: qsTr("CHN TOUCH")
        text3: qsTr("PITCH BEND")
        itemSmallWidth: 31
        itemWidth: 55
        itemHidth: 16
        btnSmallImgNormal: "qrc:/img/bqmBtnSmall@2x.png"
        btnSmallImgChecked: "qrc:/img/bqmBtnSmallCheck@2x.png"
        btnImgNormal: "qrc:/img/bqmBtnBig@2x.png"
        btnImgChecked: "qrc:/img/bqmBtnBigCheck@2x.png"
        storing: root.editable
        onChanged: root.tabChanged()
        onPicked: root.store("bqmType", type)
    }

    states: [
        State { name: "normal" },
        State {
            name: "pitchState"
            PropertyChanges { target: tMin; text: qsTr("LSB MIN"); x: 13; y: 24; font.pixelSize: CusConfig.fontSizeLevel3 }
            PropertyChanges { target: inputMin; x: 50; y: 26; width: 32; height: 14 }
            PropertyChanges { target: tMax; x: 122; y: 24; font.pixelSize: CusConfig.fontSizeLevel3 }
            PropertyChanges { target: inputMax; x: 86; y: 26; width: 32; height: 14 }
            PropertyChanges { target: tmsbMin; visible: true }
            PropertyChanges { target: tmsbMax; visible: true }
            PropertyChanges { target: inputmsbMin; visible: true }
            PropertyChanges { target: inputmsbMax; visible: true }
        }
    ]
}
