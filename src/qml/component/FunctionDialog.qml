import QtQuick 2.15
import QtQuick.Controls 2.15
import BaseControl 1.0

// "Auto Populate": fills the knobs, pads and pressure settings of a whole bank at once. Only
// checked rows take part; at most one knob group and one pad group can be checked at a time.
// Nothing goes to the controller from here: the user sends afterwards.
ScaledDialog {
    id: funDlg

    property int currentKonbFlag: 0
    property int currentPadFlag: 0
    readonly property var knobGroups: [group1, group2, group3]
    readonly property var padGroups: [group4, group5, group6, group7]
    // The brightness slider takes part only once the user has moved it since the dialog opened:
    // brightness is kept per bank, and the slider can show only one of them.
    property bool luminanceChosen: false

    // The rows that always apply open with the configuration's values, so that an apply leaves
    // them as they are unless the user changes them; the slider shows bank A's brightness.
    function show() {
        fullLevel.inputText = String(DataMgt.getCurveInten("intensity"))
        var curve = DataMgt.getCurveInten("curve")
        velocityCurve.cbx.currentIndex = curve >= 0 && curve < velocityCurve.cbx.count ? curve : -1
        sliderLum.value = Math.round(DataMgt.getLum(1) * 100) / 100
        luminanceChosen = false
        centreAndOpen()
    }

    function rowsOf(group, name) {
        var rows = []
        for (var i = 0; i < group.children.length; ++i) {
            if (group.children[i].objectName === name)
                rows.push(group.children[i])
        }
        return rows
    }

    function applyGroup(group, name, bank) {
        var rows = rowsOf(group, name)
        for (var i = 0; i < rows.length; ++i) {
            if (rows[i].checkBox.checked)
                rows[i].batchSet(bank)
        }
    }

    // bank counts from 1.
    // One apply is one undo step, however many rows it takes.
    function sendBank(bank) {
        DataMgt.beginEdit()
        try {
            var g
            for (g = 0; g < knobGroups.length; ++g)
                applyGroup(knobGroups[g], "konbItem", bank)
            for (g = 0; g < padGroups.length; ++g)
                applyGroup(padGroups[g], "padItem", bank)
            applyGroup(pressureGroup, "padItem", bank)
            if (luminanceChosen)
                DataMgt.setLum(bank, sliderLum.value)
        } finally {
            DataMgt.endEdit()
        }
    }

    function uncheckOthers(groups, name, flag) {
        for (var g = 0; g < groups.length; ++g) {
            if (groups[g].flag === flag)
                continue
            var rows = rowsOf(groups[g], name)
            for (var i = 0; i < rows.length; ++i)
                rows[i].checkBox.checked = false
        }
    }

    // Checking a row makes its group the one of its kind that takes part.
    function trackChecks(groups, name, setFlag) {
        groups.forEach(function(group) {
            rowsOf(group, name).forEach(function(row) {
                row.checkBox.checkedChanged.connect(function() {
                    if (row.checkBox.checked)
                        setFlag(group.flag)
                })
            })
        })
    }

    onCurrentKonbFlagChanged: uncheckOthers(knobGroups, "konbItem", currentKonbFlag)
    onCurrentPadFlagChanged: uncheckOthers(padGroups, "padItem", currentPadFlag)

    dWidth: 781
    dHeight: 445
    closeX: 740
    faceColor: CusConfig.colorTitle
    faceBorderWidth: 0

    Component.onCompleted: {
        trackChecks(knobGroups, "konbItem", function(flag) { currentKonbFlag = flag })
        trackChecks(padGroups, "padItem", function(flag) { currentPadFlag = flag })
    }

    // Written out rather than filled at completion: a list that is still empty when its
    // drop-downs complete leaves them with no current entry.
    ListModel {
        id: curveModel
        ListElement { text: QT_TR_NOOP("FULL") }
        ListElement { text: QT_TR_NOOP("LO") }
        ListElement { text: QT_TR_NOOP("LINEAR") }
        ListElement { text: QT_TR_NOOP("EXP") }
    }

    BasicText {
        x: 359
        y: 5
        text: qsTr("Auto Populate")
        font.bold: true
        font.pixelSize: CusConfig.fontSizeLevel1
        color: CusConfig.colorTitleText
    }

    LineRect { x: 18; y: 48; width: 260; height: 334; maskLength: 68; text: qsTr("KNOBs"); color: "transparent"; border.width: 2 }
    LineRect { x: 294; y: 48; width: 260; height: 384; maskLength: 55; text: qsTr("PADs"); color: "transparent"; border.width: 2 }
    LineRect { x: 565; y: 161; width: 198; height: 90; maskLength: 165; text: qsTr("Pressure Threshold"); color: "transparent"; border.width: 2 }
    LineRect { x: 565; y: 47; width: 198; height: 90; maskLength: 100; text: qsTr("Luminance"); color: "transparent"; border.width: 2 }

    BackgroundRect {
        id: group1
        property int flag: 1
        x: 24; y: 72; height: 96
        FuncItem1 {
            objectName: "konbItem"; y: 8
            text: qsTr("CC range starting at")
            batchSet: function(bank) { DataMgt.setBQMBatch(bank, "cc", "bqmData", parseInt(inputText, 10)) }
        }
        FuncItem2 {
            objectName: "konbItem"; y: 32
            textMin: qsTr("Set CC Min"); textMax: qsTr("Set CC Max")
            batchSet: function(bank) {
                DataMgt.setBQMBatch(bank, "cc", "bqmLsbMin", parseInt(inputTextMin, 10))
                DataMgt.setBQMBatch(bank, "cc", "bqmLsbMax", parseInt(inputTextMax, 10))
            }
        }
        FuncItem1cbx {
            objectName: "konbItem"; y: 72
            text: qsTr("Set CC CH"); cbxMode: Channels.numbers
            batchSet: function(bank) { DataMgt.setBQMBatch(bank, "cc", "bqmCh", cbx.currentText) }
        }
    }
    BackgroundRect {
        id: group2
        property int flag: 2
        x: 24; y: 172; height: 80
        FuncItem2 {
            objectName: "konbItem"; y: 8
            textMin: qsTr("Set CHN TOUCH Min"); textMax: qsTr("Set CHN TOUCH Max")
            batchSet: function(bank) {
                DataMgt.setBQMBatch(bank, "chn", "bqmLsbMin", parseInt(inputTextMin, 10))
                DataMgt.setBQMBatch(bank, "chn", "bqmLsbMax", parseInt(inputTextMax, 10))
            }
        }
        FuncItem1cbx {
            objectName: "konbItem"; y: 52
            text: qsTr("Set CHN TOUCH CH"); cbxMode: Channels.numbers
            batchSet: function(bank) { DataMgt.setBQMBatch(bank, "chn", "bqmCh", cbx.currentText) }
        }
    }
    BackgroundRect {
        id: group3
        property int flag: 3
        x: 24; y: 256; height: 116
        FuncItem2 {
            objectName: "konbItem"; y: 8
            textMin: qsTr("Set PITCH BEND LSB Min"); textMax: qsTr("Set PITCH BEND LSB Max")
            batchSet: function(bank) {
                DataMgt.setBQMBatch(bank, "pitch", "bqmLsbMin", parseInt(inputTextMin, 10))
                DataMgt.setBQMBatch(bank, "pitch", "bqmLsbMax", parseInt(inputTextMax, 10))
            }
        }
        FuncItem2 {
            objectName: "konbItem"; y: 52
            textMin: qsTr("Set PITCH BEND MSB Min"); textMax: qsTr("Set PITCH BEND MSB Max")
            batchSet: function(bank) {
                DataMgt.setBQMBatch(bank, "pitch", "bqmMsbMin", parseInt(inputTextMin, 10))
                DataMgt.setBQMBatch(bank, "pitch", "bqmMsbMax", parseInt(inputTextMax, 10))
            }
        }
        FuncItem1cbx {
            objectName: "konbItem"; y: 96
            text: qsTr("Set PITCH BEND CH"); cbxMode: Channels.numbers
            batchSet: function(bank) { DataMgt.setBQMBatch(bank, "pitch", "bqmCh", cbx.currentText) }
        }
    }

    BackgroundRect {
        id: group4
        property int flag: 4
        x: 300; y: 72; height: 96
        FuncItem1StateBtn {
            objectName: "padItem"; y: 8
            text: qsTr("Set CC Type")
            batchSet: function(bank) { DataMgt.setPadBatch(bank, "cc", false, "padMode", btnState.checked ? 1 : 0) }
        }
        FuncItemSort {
            objectName: "padItem"; y: 32
            leftText: qsTr("CC range starting at")
            batchSet: function(bank) { DataMgt.setPadBatch(bank, "cc", btnState.checked, "padData", parseInt(inputText, 10)) }
        }
        FuncItem1cbx {
            objectName: "padItem"; y: 72
            text: qsTr("Set CC CH"); cbxMode: Channels.numbers
            batchSet: function(bank) { DataMgt.setPadBatch(bank, "cc", false, "padCh", cbx.currentText) }
        }
    }
    BackgroundRect {
        id: group5
        property int flag: 5
        x: 300; y: 172; height: 80
        FuncItemSort {
            objectName: "padItem"; y: 8
            leftText: qsTr("NOTE range starting at")
            batchSet: function(bank) { DataMgt.setPadBatch(bank, "note", btnState.checked, "padData", parseInt(inputText, 10)) }
        }
        FuncItem1cbx {
            objectName: "padItem"; y: 52
            text: qsTr("Set NOTE CH"); cbxMode: Channels.numbers
            batchSet: function(bank) { DataMgt.setPadBatch(bank, "note", false, "padCh", cbx.currentText) }
        }
    }
    BackgroundRect {
        id: group6
        property int flag: 6
        x: 300; y: 256; height: 80
        FuncItemSort {
            objectName: "padItem"; y: 8
            leftText: qsTr("PC range starting at")
            batchSet: function(bank) { DataMgt.setPadBatch(bank, "pc", btnState.checked, "padData", parseInt(inputText, 10)) }
        }
        FuncItem1cbx {
            objectName: "padItem"; y: 52
            text: qsTr("Set PC CH"); cbxMode: Channels.numbers
            batchSet: function(bank) { DataMgt.setPadBatch(bank, "pc", false, "padCh", cbx.currentText) }
        }
    }
    BackgroundRect {
        id: group7
        property int flag: 7
        x: 300; y: 342; height: 80
        ColorSet {
            objectName: "padItem"; y: 12
            batchSet: function(bank) { DataMgt.setPadBatchColor(bank, String(colorRect.color)) }
        }
    }

    BackgroundRect {
        id: pressureGroup
        property int flag: 8
        x: 571; y: 186; width: 186; height: 56
        // Always applied: their check boxes are hidden and stay checked.
        FuncItem1 {
            id: fullLevel
            objectName: "padItem"; x: -55; y: 8
            text: qsTr("Full Level")
            checkBox.visible: false
            checkBox.checked: true
            inputText: "127"
            batchSet: function(bank) { DataMgt.setCurveInten("intensity", parseInt(inputText, 10)) }
        }
        FuncItem1cbx {
            id: velocityCurve
            objectName: "padItem"; x: -55; y: 32
            text: qsTr("Velocity Curve"); cbxMode: curveModel
            checkBox.visible: false
            checkBox.checked: true
            // Empty when the configuration holds a curve the list does not name: kept as it is.
            batchSet: function(bank) {
                if (cbx.currentIndex >= 0)
                    DataMgt.setCurveInten("curve", cbx.currentIndex)
            }
        }
    }
    BackgroundRect {
        property int flag: 8
        x: 571; y: 72; width: 186; height: 56
        CusSlider {
            id: sliderLum
            objectName: "sliderLum"
            x: 20; y: 19; width: 151; height: 8
            Accessible.name: qsTr("Luminance")
            onMoved: funDlg.luminanceChosen = true
        }
        BasicText { x: 20; y: 35; text: "L"; color: CusConfig.colorTitleText }
        BasicText { x: 163; y: 35; text: "H"; color: CusConfig.colorTitleText }
    }

    CusButton { objectName: "applyA"; x: 574; y: 274; width: 180; height: 24; text: qsTr("Apply to BANK A"); onClicked: funDlg.sendBank(1) }
    CusButton { objectName: "applyB"; x: 574; y: 308; width: 180; height: 24; text: qsTr("Apply to BANK B"); onClicked: funDlg.sendBank(2) }
    CusButton { objectName: "applyC"; x: 574; y: 342; width: 180; height: 24; text: qsTr("Apply to BANK C"); onClicked: funDlg.sendBank(3) }
}
