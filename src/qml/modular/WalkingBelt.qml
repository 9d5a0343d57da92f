import QtQuick 2.15
import BaseControl 1.0

// The editor of one touch-strip section: CC with its number, channel and momentary or toggle,
// or MC. Every edit goes to the model at once.
ControlEditor {
    id: root

    // The model section, 0..5.
    property int index: 0
    property alias inputValue: inputValue
    property alias btnState: btnState
    property alias cbxCH: cbxCH
    property alias tabBar: tabBar

    // MC only greys the channel and the switch out: their stored values stay.
    function tabChanged() {
        var isCc = tabBar.currentIndex === 0
        btnState.enabled = isCc
        cbxCH.enabled = isCc
        tCH.enabled = isCc
    }

    function info() { return DataMgt.getWalkingBeltInfo(index) }
    function store(valueType, value) { DataMgt.setWalkingBeltInfo(index, valueType, value) }
    function fill(info) {
        tabBar.currentIndex = info.wbtype
        inputValue.textInput.text = String(info.wbData)
        cbxCH.currentIndex = info.wbCh - 1
        btnState.checked = info.wbMode === 1
    }

    controlKind: "strip"
    recordIndex: index
    width: 89
    height: 78
    Accessible.name: "Strip " + (index + 1)

    Rectangle {
        width: 89
        height: 78
        color: CusConfig.colorInputDisable
        radius: CusConfig.radiuSize2
    }

    BasicText { id: tData; x: 25; y: 8; text: qsTr("#") }
    CusInput {
        id: inputValue
        objectName: "inputValue"
        x: 36
        y: 8
        width: 32
        height: 14
        accessibleName: "#"
        textInput.onEditingFinished: root.store("wbData", inputValue.textInput.text)
    }

    CusButtonState {
        id: btnState
        objectName: "btnState"
        x: 9
        y: 26
        width: 72
        height: 14
        onClicked: root.store("wbMode", checked ? 1 : 0)
    }

    BasicText { id: tCH; x: 10; y: 42; text: qsTr("CH"); font.pixelSize: CusConfig.fontSizeCompact }
    ChannelList {
        id: cbxCH
        x: 36
        y: 44
        width: 32
        Accessible.name: tCH.text
        onActivated: root.store("wbCh", currentText)
    }

    TypeBar {
        id: tabBar
        x: 10
        y: 57
        text1: "CC"
        text2: "MC"
        text3: ""
        itemSmallWidth: 31
        itemWidth: 31
        itemHidth: 16
        btnSmallImgNormal: "qrc:/img/bqmBtnSmall@2x.png"
        btnSmallImgChecked: "qrc:/img/bqmBtnSmallCheck@2x.png"
        btnImgNormal: "qrc:/img/bqmBtnSmall@2x.png"
        btnImgChecked: "qrc:/img/bqmBtnSmallCheck@2x.png"
        storing: root.editable
        onChanged: root.tabChanged()
        onPicked: root.store("wbtype", type)
    }
}
