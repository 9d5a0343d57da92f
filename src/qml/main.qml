import QtQuick 2.15
import QtQuick.Window 2.15
import "./BaseControl"
import "./component"
import "./component/menuBar"
import "./modular"

Window {
    id: view

    // Which status the toast reports; its text is looked up anew when the language changes.
    property string hintKey: ""

    function hintText(key) {
        switch (key) {
        case "sendSucceeded": return qsTr("Succeeded in sending data")
        case "getSucceeded": return qsTr("Getting data succeeded")
        case "sendFailed": return qsTr("Failed to send data")
        case "getFailed": return qsTr("Failed to get data")
        case "userGuideFailed": return qsTr("The user guide could not be opened")
        }
        return ""
    }

    // Shows the toast for 1.5 s after the latest report.
    function popHint(key) {
        hintKey = key
        hint.state = "pop"
        timer.restart()
    }

    visible: true
    width: 1080
    height: 892
    title: "kovelaTark9widonw"
    flags: Qt.Window | Qt.FramelessWindowHint | Qt.WindowMinimizeButtonHint
    color: "#00000000"

    Component.onCompleted: {
        var language = Tran.getLanguage()
        Tran.reTrans(language)
        helpDialog.helpStae.state = language === "简体中文" ? "chineseHelp" : "englishHelp"
    }

    Connections {
        target: Tran
        function onCurrentLanguageChanged(currentLanguage) {
            helpDialog.helpStae.state = currentLanguage === "简体中文" ? "chineseHelp" : "englishHelp"
        }
    }

    Connections {
        target: MainLogic
        function onShowHint(isSend, isSuccess) {
            view.popHint(isSend ? (isSuccess ? "sendSucceeded" : "sendFailed")
                                : (isSuccess ? "getSucceeded" : "getFailed"))
        }
        function onScreenChanged() {
            var rate = MainLogic.getScalingRate()
            autoResize.verticalRatio = rate
            autoResize.horizontalRatio = rate
            view.width = 1080 * rate
            view.height = 892 * rate
        }
    }

    AutoResize {
        id: autoResize
        horizontalRatio: MainLogic.getScalingRate()
        verticalRatio: MainLogic.getScalingRate()

        Component.onCompleted: {
            begin()
            view.width = 1080 * horizontalRatio
            view.height = 892 * verticalRatio
            resize()
        }
    }

    Rectangle {
        objectName: "panel"
        width: 1080
        height: 892
        color: CusConfig.colorTitle
        radius: CusConfig.radiuSize1
        border.width: 1
        border.color: "#000000"

        CusImage {
            objectName: "logoText"
            x: 66
            y: 77
            source: "qrc:/img/logoText@2x.png"
        }

        BasicText {
            objectName: "productCaption"
            x: 914
            y: 87
            text: "Vellox"
            color: "black"
            font.pixelSize: 24
            font.bold: true
        }
    }

    MainPage {
        objectName: "mainPage"
        x: 35
        y: 131
    }

    ColorDialog {
        id: colordlg
        objectName: "colorDialog"
    }

    MyMenuBar {
        objectName: "myMenuBar"
        onUserGuideFailed: view.popHint("userGuideFailed")
    }

    HelpDialog {
        id: helpDialog
        objectName: "helpDialog"
    }

    ProgressDialog {
        id: progressDialog
        objectName: "progressDialog"
    }

    FunctionDialog {
        id: funDlg
        objectName: "functionDialog"
    }

    HintState {
        id: hint
        objectName: "hint"
        x: (view.width - width) / 2
        y: 820
        text: view.hintText(view.hintKey)
    }

    Timer {
        id: timer
        objectName: "hintTimer"
        interval: 1500
        onTriggered: hint.state = ""
    }
}
