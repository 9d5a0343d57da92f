import QtQuick 2.15
import QtQuick.Controls 2.15
import BaseControl 1.0

// About: the program's and the controller's versions, the serial number, the online firmware
// check, and the maker's support links (an address left empty in the settings hides its link).
ScaledDialog {
    id: root

    property alias helpStae: helpStae
    // What the controller last reported; the window keeps them, since the dialog is built
    // after start-up and would miss the reports that came before it.
    property string serialNumber: ""
    property var firmwareVersion: null

    function show() {
        centreAndOpen()
    }

    function openAddress(name) {
        var address = MainLogic.helpAddress(name)
        if (address !== "")
            Qt.openUrlExternally(address)
    }

    dWidth: 358
    dHeight: 216

    Item {
        id: helpStae
        states: [
            State { name: "chineseHelp"; PropertyChanges { target: supportButton; visible: false } PropertyChanges { target: chineseLinks; visible: true } },
            State { name: "englishHelp"; PropertyChanges { target: chineseLinks; visible: false } }
        ]
    }

    BasicText {
        objectName: "footer"
        width: root.dWidth
        y: 193
        horizontalAlignment: Text.AlignHCenter
        text: "© Kovela"
        font.pixelSize: CusConfig.fontSizeLevel3
        color: CusConfig.colorTextDisable
    }

    Image {
        x: 136
        y: 21
        width: 86
        height: 86
        fillMode: Image.PreserveAspectFit
        source: "qrc:/img/helpLogo.png"
    }

    BasicText {
        objectName: "productText"
        width: root.dWidth
        y: 118
        horizontalAlignment: Text.AlignHCenter
        text: qsTr("Kovela PC Control Windows OS")
        color: CusConfig.colorTextDisable
    }

    Row {
        objectName: "versionRow"
        anchors.horizontalCenter: parent.horizontalCenter
        y: 132
        spacing: 20
        BasicText {
            objectName: "softVersionText"
            text: MainLogic.getSoftVersion()
            textFormat: Text.PlainText
            color: CusConfig.colorTextDisable
        }
        BasicText {
            id: firmwareText
            objectName: "firmwareText"
            width: 95
            elide: Text.ElideRight
            text: qsTr("Firmware:") + (root.firmwareVersion ? root.firmwareVersion.join(".") : "")
            textFormat: Text.PlainText
            color: CusConfig.colorTextDisable
        }
        BasicText {
            id: snText
            objectName: "snText"
            width: 120
            elide: Text.ElideRight
            // The controller reports the serial number; whatever it holds is shown as it is.
            text: "sn:" + root.serialNumber
            textFormat: Text.PlainText
            color: CusConfig.colorTextDisable
        }
    }

    CusButton {
        objectName: "firmwareUpdatesButton"
        x: (root.dWidth - width) / 2
        y: 147
        width: 110
        height: 16
        leftPadding: 2
        rightPadding: 2
        text: qsTr("firmware updates")
        backgroundColorNormal: CusConfig.colorTextDisable
        onClicked: Ftp.checkOnLineFirmware()
    }

    CusButtonText {
        id: supportButton
        objectName: "supportButton"
        x: 139
        y: 164
        text: qsTr("SUPPORT CENTER")
        visible: MainLogic.helpAddress("supportCenter") !== ""
        onClicked: root.openAddress("supportCenter")
    }

    Component {
        id: separator
        Rectangle { width: 1; height: 8; color: CusConfig.colorTextDisable }
    }

    Row {
        id: chineseLinks
        objectName: "chineseLinks"
        anchors.horizontalCenter: parent.horizontalCenter
        y: 166
        spacing: 10
        visible: false

        CusButtonText {
            id: officialSiteButton
            text: "进入官网"
            visible: MainLogic.helpAddress("officialSite") !== ""
            onClicked: root.openAddress("officialSite")
        }
        Loader { sourceComponent: separator; anchors.verticalCenter: parent.verticalCenter; visible: officialSiteButton.visible }
        CusButtonText { text: "微博"; imgSource: "qrc:/img/weibo.png" }
        Loader { sourceComponent: separator; anchors.verticalCenter: parent.verticalCenter }
        CusButtonText { text: "微信"; imgSource: "qrc:/img/wechat.png" }
        Loader { sourceComponent: separator; anchors.verticalCenter: parent.verticalCenter }
        CusButtonText { text: "客服"; imgSource: "qrc:/img/客服.png" }
        Loader { sourceComponent: separator; anchors.verticalCenter: parent.verticalCenter; visible: videoButton.visible }
        CusButtonText {
            id: videoButton
            text: "视频教程"
            visible: MainLogic.helpAddress("videoChannel") !== ""
            onClicked: root.openAddress("videoChannel")
        }
    }

}
