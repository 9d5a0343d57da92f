import QtQuick 2.15
import QtQuick.Controls 2.15
import BaseControl 1.0

// Every link between the editor and the controller, in order, with its state and, where it
// fails, what to do: the MIDI system, the controller's ports, the boot loader's serial port and
// its access rule, an editor holding the single-instance lock, the log and settings.
ScaledDialog {
    id: root

    // MainLogic.connectionCheck()'s result.
    property var report: ({links: [], verdict: ""})

    function show() {
        refresh()
        centreAndOpen()
    }

    function refresh() {
        report = MainLogic.connectionCheck()
    }

    function stateColour(state) {
        switch (state) {
        case "ok": return CusConfig.colorStateOk
        case "failed": return CusConfig.colorStateFailed
        case "absent": return CusConfig.colorBorderInput
        }
        return CusConfig.colorTitleText
    }

    dWidth: 640
    dHeight: 460
    faceColor: CusConfig.colorTitle

    // The texts are the back end's, translated there: looked at again when the language changes.
    Connections {
        target: Tran
        function onCurrentLanguageChanged() {
            if (root.opened)
                root.refresh()
        }
    }

    BasicText {
        objectName: "connectionCheckTitle"
        x: 20
        y: 12
        text: qsTr("Connection Check")
        color: CusConfig.colorTitleText
        font.bold: true
        font.pixelSize: CusConfig.fontSizeLevel1
    }

    BasicText {
        objectName: "connectionCheckSummary"
        x: 20
        y: 44
        width: root.dWidth - 40
        wrapMode: Text.WordWrap
        color: CusConfig.colorTitleText
        text: {
            switch (root.report.verdict) {
            case "all-well": return qsTr("Every link works: the editor can reach the controller.")
            case "controller-not-found": return qsTr("The controller was not found.")
            case "midi-system-unusable": return qsTr("The MIDI system cannot be opened: no controller can be reached.")
            case "boot-loader-inaccessible": return qsTr("The boot loader's port cannot be opened by this user.")
            }
            return ""
        }
    }

    Rectangle {
        x: 20
        y: 72
        width: root.dWidth - 40
        height: 330
        color: CusConfig.colorFrame
        border.width: 1
        border.color: CusConfig.colorBorderInput

        ListView {
            objectName: "linkList"
            anchors.fill: parent
            anchors.margins: 8
            clip: true
            spacing: 8
            model: root.report.links
            ScrollBar.vertical: ScrollBar {}
            delegate: Column {
                width: ListView.view.width - 12
                spacing: 2
                Row {
                    spacing: 8
                    BasicText {
                        objectName: "linkState"
                        width: 70
                        text: modelData.stateName
                        textFormat: Text.PlainText
                        color: root.stateColour(modelData.state)
                        font.bold: true
                    }
                    BasicText {
                        objectName: "linkName"
                        text: modelData.name
                        textFormat: Text.PlainText
                        color: CusConfig.colorTitleText
                        font.bold: true
                    }
                }
                BasicText {
                    objectName: "linkDetail"
                    x: 78
                    width: parent.width - x
                    wrapMode: Text.Wrap
                    textFormat: Text.PlainText
                    color: CusConfig.colorTitleText
                    text: modelData.detail
                }
                BasicText {
                    objectName: "linkRemedy"
                    x: 78
                    width: parent.width - x
                    wrapMode: Text.Wrap
                    textFormat: Text.PlainText
                    visible: text !== ""
                    color: CusConfig.colorElement
                    text: modelData.remedy || ""
                }
            }
        }
    }

    CusButton {
        objectName: "checkAgainButton"
        x: 20
        y: 418
        width: 160
        height: 24
        text: qsTr("Check Again")
        onClicked: root.refresh()
    }

    CusButton {
        objectName: "closeCheckButton"
        x: root.dWidth - 20 - width
        y: 418
        width: 130
        height: 24
        text: qsTr("Close")
        onClicked: root.close()
    }
}
