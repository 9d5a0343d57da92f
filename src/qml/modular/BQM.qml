import QtQuick 2.15
import "../BaseControl"
import "channels.js" as Channels

// The editor of one knob: CC (number and range), channel aftertouch (range) or pitch bend
// (LSB and MSB ranges), and its channel. Every edit goes to the model at once.
Item {
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
    // False until the first load and while the fields are filled from the model.
    property bool editable: false

    function tabChanged() {
        inputValue.enabled = tabBar.currentIndex === 0
        root.state = tabBar.currentIndex === 2 ? "pitchState" : "normal"
    }

    function load() {
        var info = DataMgt.getBQMInfo(index)
        editable = false
        tabBar.currentIndex = info.bqmType
        inputValue.textInput.text = String(info.bqmData)
        cbxCH.currentIndex = info.bqmCh - 1
        inputMin.textInput.text = String(info.bqmLsbMin)
        inputMax.textInput.text = String(info.bqmLsbMax)
        inputmsbMin.textInput.text = String(info.bqmMsbMin)
        inputmsbMax.textInput.text = String(info.bqmMsbMax)
        editable = true
    }

    function store(valueType, box) {
        DataMgt.setBQMInfo(index, valueType, box.textInput.text)
    }

    width: 158
    height: 98
    state: "normal"
    Accessible.role: Accessible.Grouping
    Accessible.name: "Knob " + (index + 1 - 4 * bank)
    Accessible.description: ["Bank A", "Bank B", "Bank C"][bank] || ""

    Component.onCompleted: load()

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
        textInput.onEditingFinished: root.store("bqmData", inputValue)
    }

    BasicText { id: tMin; x: 33; y: 25; text: qsTr("MIN") }
    CusInput {
        id: inputMin
        objectName: "inputMin"
        x: 63
        y: 26
        accessibleName: tMin.text
        textInput.onEditingFinished: root.store("bqmLsbMin", inputMin)
    }

    BasicText { id: tMax; x: 33; y: 43; text: qsTr("MAX") }
    CusInput {
        id: inputMax
        objectName: "inputMax"
        x: 63
        y: 44
        accessibleName: tMax.text
        textInput.onEditingFinished: root.store("bqmLsbMax", inputMax)
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
        textInput.onEditingFinished: root.store("bqmMsbMin", inputmsbMin)
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
        textInput.onEditingFinished: root.store("bqmMsbMax", inputmsbMax)
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
    CusCombox {
        id: cbxCH
        objectName: "cbxCH"
        x: 63
        y: 62
        width: 56
        height: 14
        elementColor: CusConfig.colorInput
        model: Channels.numbers
        Accessible.name: tCH.text
        onActivated: DataMgt.setBQMInfo(root.index, "bqmCh", currentText)
    }

    CusTabBar {
        id: tabBar
        objectName: "tabBar"
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
        Accessible.name: qsTr("Message type")
        onCurrentIndexChanged: {
            root.tabChanged()
            if (root.editable)
                DataMgt.setBQMInfo(root.index, "bqmType", currentIndex)
        }
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
