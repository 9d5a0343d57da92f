import QtQuick 2.15
import QtQuick.Controls 2.15
import BaseControl 1.0

// Edit > Copy Bank...: one bank's pads or knobs onto another bank, as one undo step.
ScaledDialog {
    id: root

    function show() {
        centreAndOpen()
    }

    dWidth: 420
    dHeight: 220
    faceColor: CusConfig.colorTitle

    BasicText {
        objectName: "copyBankTitle"
        x: 20
        y: 12
        text: qsTr("Copy Bank")
        color: CusConfig.colorTitleText
        font.bold: true
        font.pixelSize: CusConfig.fontSizeLevel1
    }

    Grid {
        x: 20
        y: 56
        columns: 2
        columnSpacing: 16
        rowSpacing: 16
        verticalItemAlignment: Grid.AlignVCenter

        BasicText {
            width: 110
            text: qsTr("Copy the")
            color: CusConfig.colorTitleText
        }
        CusTabBar {
            id: kindChoice
            objectName: "kindChoice"
            text1: qsTr("PADS")
            text2: qsTr("KNOBS")
            text3: ""
            itemSmallWidth: 71
            itemWidth: 71
            itemHidth: 16
            fontSize: CusConfig.fontSizeLevel2
            btnSmallImgNormal: "qrc:/img/titleBtn@2x.png"
            btnImgNormal: "qrc:/img/titleBtn@2x.png"
            btnSmallImgChecked: "qrc:/img/titleBtnCheckGray@2x.png"
            btnImgChecked: "qrc:/img/titleBtnCheckGray@2x.png"
            checkedTextColor: CusConfig.colorTextDisable
        }

        BasicText {
            width: 110
            text: qsTr("of bank")
            color: CusConfig.colorTitleText
        }
        CusTabBar {
            id: fromChoice
            objectName: "fromChoice"
            text1: "A"
            text2: "B"
            text3: "C"
            itemSmallWidth: 71
            itemWidth: 71
            itemHidth: 16
            fontSize: CusConfig.fontSizeLevel2
            btnSmallImgNormal: "qrc:/img/titleBtn@2x.png"
            btnImgNormal: "qrc:/img/titleBtn@2x.png"
            btnSmallImgChecked: "qrc:/img/titleBtnCheckGray@2x.png"
            btnImgChecked: "qrc:/img/titleBtnCheckGray@2x.png"
            checkedTextColor: CusConfig.colorTextDisable
        }

        BasicText {
            width: 110
            text: qsTr("onto bank")
            color: CusConfig.colorTitleText
        }
        CusTabBar {
            id: toChoice
            objectName: "toChoice"
            currentIndex: 1
            text1: "A"
            text2: "B"
            text3: "C"
            itemSmallWidth: 71
            itemWidth: 71
            itemHidth: 16
            fontSize: CusConfig.fontSizeLevel2
            btnSmallImgNormal: "qrc:/img/titleBtn@2x.png"
            btnImgNormal: "qrc:/img/titleBtn@2x.png"
            btnSmallImgChecked: "qrc:/img/titleBtnCheckGray@2x.png"
            btnImgChecked: "qrc:/img/titleBtnCheckGray@2x.png"
            checkedTextColor: CusConfig.colorTextDisable
        }
    }

    CusButton {
        objectName: "copyBankButton"
        x: 20
        y: 176
        width: 160
        height: 24
        enabled: fromChoice.currentIndex !== toChoice.currentIndex
        text: qsTr("Copy")
        onClicked: {
            if (ControlClipboard.copyBank(kindChoice.currentIndex === 0 ? "pad" : "knob", fromChoice.currentIndex, toChoice.currentIndex) === "")
                root.close()
        }
    }

    CusButton {
        objectName: "closeCopyBankButton"
        x: root.dWidth - 20 - width
        y: 176
        width: 130
        height: 24
        text: qsTr("Close")
        onClicked: root.close()
    }
}
