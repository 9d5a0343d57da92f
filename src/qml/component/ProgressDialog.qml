import QtQuick 2.15
import QtQuick.Controls 2.15
import BaseControl 1.0

// The online firmware update: what the check found, the user's confirmation (with whether to
// restore the settings a new firmware resets), the download with its progress, and how it ended
// when it failed. Every failure ends the dialog with the failure text and its reason, never with
// a spinner left turning. Once the image is whole, the update dialog takes over.
ScaledDialog {
    id: root

    property alias helpStae: helpStae
    // btnSure flashes a downloaded image the firmware layer could not verify, instead of
    // starting the download.
    property bool confirmingImage: false

    function show() {
        showOnly(busyIndicator)
        centreAndOpen()
    }

    // Hides every part of the dialog's body except `item`.
    function showOnly(item) {
        confirmingImage = false
        var parts = [textHint, textNewest, scrollView, busyIndicator, progressBarDownload, btnSure, restoreRow]
        for (var i = 0; i < parts.length; ++i)
            parts[i].visible = parts[i] === item
    }

    function showResult(text) {
        if (!opened)
            show()
        showOnly(textNewest)
        progressBarDownload.value = 0
        textNewest.text = text
        console.debug("firmware update:", text)
    }

    function showProgress(hint, percent) {
        showOnly(progressBarDownload)
        textHint.visible = true
        textHint.text = hint
        progressBarDownload.value = percent / 100
        console.debug("firmware update:", hint, percent)
    }

    function fail(reason) {
        showResult(qsTr("固件升级失败！") + (reason ? "\n" + reason : ""))
    }

    // Nothing was upgraded when only the check failed: the heading must not say so.
    function failCheck(reason) {
        showResult(qsTr("固件检测失败！") + (reason ? "\n" + reason : ""))
    }

    dWidth: 358
    dHeight: 216

    // Closing the dialog stops a running check or download; nothing is flashed unasked.
    onClosed: Ftp.cancel()

    Connections {
        target: Ftp
        function onShowDialog() {
            if (!root.opened)
                root.show()
        }
        function onInfo(name, ver, infoList) {
            console.debug("firmware found:", name, ver, infoList)
            if (name === "null") {
                root.showResult(qsTr("当前已是最新版本，无需升级!"))
                return
            }
            root.showOnly(textHint)
            textHint.text = qsTr("检测到新的固件版本，请确认是否升级")
            scrollView.visible = true
            btnSure.visible = true
            restoreRow.visible = true
            restoreBox.checked = true
            // Set as a whole and shown from the top: the name and version come first, and
            // appending line by line left long release notes scrolled to their end.
            textArea.text = [qsTr("固件名称:") + name, qsTr("版本号:") + ver].concat(infoList).join("\n")
            textArea.cursorPosition = 0
            scrollView.ScrollBar.vertical.position = 0
        }
        // Shown in the hint, which is plain text: the notice is the firmware layer's sentence.
        function onConfirmUnverified(notice) {
            root.showOnly(textHint)
            textHint.text = notice
            btnSure.visible = true
            root.confirmingImage = true
        }
        function onDownloadProgress(percent) { root.showProgress(qsTr("正在下载固件…"), percent) }
        function onCheckFailed(reason) { root.failCheck(reason) }
        function onDownloadFailed(reason) { root.fail(reason) }
        // Not started at all (the controller went away): the message box says why, and an
        // open dialog must not keep waiting.
        function onRefused(reason) {
            if (root.opened)
                root.fail(reason)
        }
    }

    // The image is whole and the update has started: its own dialog shows it.
    Connections {
        target: FirmwareUpdater
        function onPhaseChanged() {
            if (FirmwareUpdater.phase === "Running")
                root.close()
        }
    }

    // Both language states apply to the about dialog; here they change nothing.
    Item {
        id: helpStae
        states: [State { name: "chineseHelp" }, State { name: "englishHelp" }]
    }

    BasicText {
        id: textHint
        objectName: "textHint"
        x: 31
        y: 19
        width: 290
        wrapMode: Text.WordWrap
        textFormat: Text.PlainText
        color: CusConfig.colorMessageText
        text: qsTr("检测到新的固件版本，请确认是否升级")
        visible: false
    }

    BasicText {
        id: textNewest
        objectName: "textNewest"
        x: 34
        y: 78
        width: 290
        height: 60
        wrapMode: Text.WordWrap
        horizontalAlignment: Text.AlignHCenter
        // The results carry reasons that quote file names and the server's answers.
        textFormat: Text.PlainText
        color: CusConfig.colorMessageText
        text: qsTr("当前已是最新版本，无需升级")
        visible: false
    }

    ScrollView {
        id: scrollView
        objectName: "scrollView"
        x: 31
        y: 48
        width: 296
        height: 108
        clip: true
        visible: false

        TextArea {
            id: textArea
            objectName: "textArea"
            readOnly: true
            // The release notes come from the server's catalogue.
            textFormat: TextEdit.PlainText
            wrapMode: TextEdit.WrapAnywhere
            font.family: CusConfig.fontFamily
            font.pixelSize: CusConfig.fontSizeLevel2
            color: CusConfig.colorMessageText
            background: Item {}
        }
    }

    BusyIndicator {
        id: busyIndicator
        objectName: "busyIndicator"
        x: 149
        y: 78
    }

    CusProgress {
        id: progressBarDownload
        objectName: "progressBarDownload"
        x: (root.dWidth - width) / 2
        y: 48
        width: 88
        height: 126
        visible: false
    }

    Row {
        id: restoreRow
        objectName: "restoreRow"
        x: 31
        y: 162
        spacing: 6
        visible: false

        CusCheckBox {
            id: restoreBox
            objectName: "restoreBox"
            anchors.verticalCenter: parent.verticalCenter
            checked: true
        }
        BasicText {
            color: CusConfig.colorMessageText
            text: qsTr("Restore my settings after the update")
        }
    }

    CusButton {
        id: btnSure
        objectName: "btnSure"
        x: 143
        y: 186
        width: 102
        height: 16
        leftPadding: 2
        rightPadding: 2
        text: qsTr("固件升级")
        visible: false
        onClicked: {
            var confirming = root.confirmingImage
            root.showOnly(busyIndicator)
            if (confirming)
                Ftp.confirmImage()
            else
                FirmwareUpdater.download(restoreBox.checked)
        }
    }

}
