import QtQuick 2.15
import QtQuick.Templates 2.15 as T

// Three tabs (two when text3 is empty); the chosen one is currentIndex.
T.TabBar {
    id: padTabBar

    property url btnSmallImgNormal: "qrc:/img/padBtn@2x.png"
    property url btnImgNormal: "qrc:/img/padBtn@2x.png"
    property url btnSmallImgChecked: "qrc:/img/padBtnChecked@2x.png"
    property url btnImgChecked: "qrc:/img/padBtnChecked@2x.png"
    property string text1: "NOTE"
    property string text2: "CC"
    property string text3: "PC"
    property real itemSmallWidth: 38
    property real itemWidth: 38
    property real itemHidth: 14
    property real fontSize: CusConfig.fontSizeLevel3
    property color checkedTextColor: CusConfig.colortext

    implicitWidth: Math.max(implicitBackgroundWidth + leftInset + rightInset,
                            contentWidth + leftPadding + rightPadding)
    implicitHeight: Math.max(implicitBackgroundHeight + topInset + bottomInset,
                             contentHeight + topPadding + bottomPadding)
    spacing: 1

    contentItem: ListView {
        model: padTabBar.contentModel
        currentIndex: padTabBar.currentIndex
        spacing: padTabBar.spacing
        orientation: ListView.Horizontal
        interactive: false
    }

    background: Item {}

    CusTabButton {
        text: padTabBar.text1
        width: padTabBar.itemSmallWidth
        height: padTabBar.itemHidth
        fontSize: padTabBar.fontSize
        checkedTextColor: padTabBar.checkedTextColor
        btnImgNormal: padTabBar.btnSmallImgNormal
        btnImgChecked: padTabBar.btnSmallImgChecked
    }
    CusTabButton {
        text: padTabBar.text2
        width: padTabBar.itemWidth
        height: padTabBar.itemHidth
        fontSize: padTabBar.fontSize
        checkedTextColor: padTabBar.checkedTextColor
        btnImgNormal: padTabBar.btnImgNormal
        btnImgChecked: padTabBar.btnImgChecked
    }
    // A hidden tab still takes its width in the bar's row, so it also gives that up.
    CusTabButton {
        visible: padTabBar.text3 !== ""
        text: padTabBar.text3
        width: padTabBar.text3 !== "" ? padTabBar.itemWidth : 0
        height: padTabBar.itemHidth
        fontSize: padTabBar.fontSize
        checkedTextColor: padTabBar.checkedTextColor
        btnImgNormal: padTabBar.btnImgNormal
        btnImgChecked: padTabBar.btnImgChecked
    }
}
