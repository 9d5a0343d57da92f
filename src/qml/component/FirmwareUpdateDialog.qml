import QtQuick 2.15
import QtQuick.Controls 2.15
import BaseControl 1.0

// The guarded firmware update as FirmwareUpdater runs it: the confirmation of an image file, the
// offer to rescue a controller found in its boot loader, every stage as it runs with the
// transfer's bytes, percentage and time left, Cancel while the controller can still be spared,
// and the sentence the update ended with. It cannot be closed while an update runs.
ScaledDialog {
    id: root

    readonly property string phase: FirmwareUpdater.phase
    readonly property bool running: phase === "Running"
    readonly property bool finished: phase === "Finished"
    // The rescue is offered on its own, and again after an update that left the controller in
    // its boot loader.
    readonly property bool offeringRescue: phase === "OfferingRescue" || (finished && FirmwareUpdater.stranded)
    // Where the texts of an offer or a confirmation end: the dialog is as tall as they need.
    readonly property real textBottom: phase === "OfferingRescue" ? newestImageText.y + newestImageText.height
                                       : FirmwareUpdater.imageUsable ? restoreRow.y + restoreRow.height
                                       : imageNoteText.y + imageNoteText.height

    function show() {
        restoreBox.checked = true
        centreAndOpen()
    }

    function fileName(path) {
        return path.replace(/^.*[\\/]/, "")
    }

    function markColour(state) {
        switch (state) {
        case "done": return CusConfig.colorStateOk
        case "current": return CusConfig.colorProgress
        case "failed": return CusConfig.colorStateFailed
        }
        return "transparent"
    }

    dWidth: 480
    // Room under the stages for the transfer's progress, or for the outcome and the rescue's offer.
    dHeight: running || finished ? stageList.y + stageList.height + 160 : Math.max(200, textBottom + 72)
    faceColor: CusConfig.colorTitle
    closable: !running

    onClosed: FirmwareUpdater.dismiss()
    // Centred again when another phase makes it taller or shorter.
    onHeightChanged: {
        if (opened)
            y = (parent.height - height) / 2
    }

    Connections {
        target: FirmwareUpdater
        function onPhaseChanged() {
            if (FirmwareUpdater.phase === "Idle")
                root.close()
            else if (FirmwareUpdater.phase === "ConfirmingFile")
                restoreBox.checked = true
        }
    }

    BasicText {
        objectName: "updateTitle"
        x: 20
        y: 12
        width: root.closeX - 30
        elide: Text.ElideRight
        color: CusConfig.colorTitleText
        font.bold: true
        font.pixelSize: CusConfig.fontSizeLevel1
        text: root.phase === "OfferingRescue" ? qsTr("The controller is in its boot loader")
              : root.phase === "ConfirmingFile" && !FirmwareUpdater.rescue ? qsTr("Update Firmware From File")
              : FirmwareUpdater.rescue ? qsTr("Rescue the controller")
              : qsTr("Firmware update")
    }

    // The offer to rescue: what happened, and the image it would take.
    BasicText {
        id: rescueText
        objectName: "rescueText"
        x: 20
        y: 52
        width: root.dWidth - 40
        visible: root.phase === "OfferingRescue"
        wrapMode: Text.WordWrap
        color: CusConfig.colorTitleText
        text: qsTr("The Kovela Tark9 is waiting in its boot loader: a firmware update did not finish (the power went, "
                   + "the editor was closed, or the transfer was cancelled), and it works as a MIDI controller again "
                   + "only once it has a whole firmware image. Finish the update with an image; the controller's "
                   + "settings are then restored from its newest backup.")
    }

    BasicText {
        id: newestImageText
        objectName: "newestImageText"
        x: 20
        y: root.finished ? sentenceText.y + sentenceText.height + 6 : rescueText.y + rescueText.height + 16
        width: root.dWidth - 40
        visible: root.offeringRescue
        wrapMode: Text.WordWrap
        textFormat: Text.PlainText
        color: CusConfig.colorTitleText
        text: FirmwareUpdater.newestImage !== ""
              ? qsTr("Newest image downloaded: %1").arg(root.fileName(FirmwareUpdater.newestImage))
              : qsTr("No firmware image has been downloaded: choose an image file.")
    }

    // The confirmation of a file: what is known of it, and what the update will do.
    BasicText {
        id: imageNoteText
        objectName: "imageNoteText"
        x: 20
        y: 52
        width: root.dWidth - 40
        visible: root.phase === "ConfirmingFile"
        wrapMode: Text.WrapAtWordBoundaryOrAnywhere
        textFormat: Text.PlainText
        color: FirmwareUpdater.imageUsable ? CusConfig.colorTitleText : CusConfig.colorStateFailed
        text: FirmwareUpdater.imageNote
    }

    BasicText {
        id: confirmText
        objectName: "confirmText"
        x: 20
        y: imageNoteText.y + imageNoteText.height + 16
        width: root.dWidth - 40
        visible: root.phase === "ConfirmingFile" && FirmwareUpdater.imageUsable
        wrapMode: Text.WordWrap
        color: CusConfig.colorTitleText
        text: FirmwareUpdater.rescue
              ? qsTr("The controller is in its boot loader: the image is sent to it, and once it runs again its settings are compared with its newest backup.")
              : qsTr("The controller's settings are backed up first. Do not unplug the controller until the update says it is done.")
    }

    Row {
        id: restoreRow
        x: 20
        y: confirmText.y + confirmText.height + 20
        spacing: 8
        visible: root.phase === "ConfirmingFile" && FirmwareUpdater.imageUsable

        CusCheckBox {
            id: restoreBox
            objectName: "restoreBox"
            anchors.verticalCenter: parent.verticalCenter
            checked: true
        }
        BasicText {
            color: CusConfig.colorTitleText
            text: qsTr("Restore my settings after the update")
        }
    }

    // The stages of the update as they run, marked done, current, failed, pending or skipped.
    Column {
        id: stageList
        objectName: "stageList"
        x: 24
        y: 50
        spacing: 2
        visible: root.running || root.finished

        Repeater {
            model: FirmwareUpdater.stages
            delegate: Row {
                objectName: "stage" + modelData.stage
                property string state: modelData.state
                height: 20
                spacing: 10

                Rectangle {
                    anchors.verticalCenter: parent.verticalCenter
                    width: 10
                    height: 10
                    radius: 5
                    color: root.markColour(modelData.state)
                    border.width: 1
                    border.color: modelData.state === "pending" || modelData.state === "skipped"
                                  ? CusConfig.colorBorderInput : color
                }
                BasicText {
                    anchors.verticalCenter: parent.verticalCenter
                    text: FirmwareUpdater.stageTitle(modelData.stage)
                    font.bold: modelData.state === "current" || modelData.state === "failed"
                    color: modelData.state === "skipped" ? CusConfig.colorTextDisable
                           : modelData.state === "failed" ? CusConfig.colorStateFailed
                           : CusConfig.colorTitleText
                }
            }
        }
    }

    // The transfer: a bar, and the bytes, percentage and time left.
    Rectangle {
        objectName: "progressBar"
        x: 20
        y: stageList.y + stageList.height + 14
        width: root.dWidth - 40
        height: 8
        radius: 4
        visible: root.running && FirmwareUpdater.percent >= 0
        color: CusConfig.colorFrame
        border.width: 1
        border.color: CusConfig.colorBorderInput

        Rectangle {
            width: parent.width * Math.max(0, FirmwareUpdater.percent) / 100
            height: parent.height
            radius: parent.radius
            color: CusConfig.colorProgress
        }
    }

    BasicText {
        objectName: "progressText"
        x: 20
        y: stageList.y + stageList.height + 28
        width: root.dWidth - 40
        visible: root.running && FirmwareUpdater.percent >= 0
        color: CusConfig.colorTitleText
        text: FirmwareUpdater.progressText
    }

    // How it ended, and what to do next.
    BasicText {
        id: sentenceText
        objectName: "sentenceText"
        x: 20
        y: stageList.y + stageList.height + 10
        width: root.dWidth - 40
        height: 80
        visible: root.finished
        wrapMode: Text.WrapAtWordBoundaryOrAnywhere
        verticalAlignment: Text.AlignTop
        elide: Text.ElideRight
        // The sentences quote file names.
        textFormat: Text.PlainText
        color: FirmwareUpdater.succeeded ? CusConfig.colorStateOk : CusConfig.colorStateFailed
        text: FirmwareUpdater.sentence
    }

    CusButton {
        objectName: "confirmUpdateButton"
        x: 20
        y: root.dHeight - 40
        width: 180
        height: 24
        visible: root.phase === "ConfirmingFile"
        enabled: FirmwareUpdater.imageUsable
        text: FirmwareUpdater.rescue ? qsTr("Rescue") : qsTr("Update")
        onClicked: FirmwareUpdater.updateWithChosenFile(restoreBox.checked)
    }

    CusButton {
        objectName: "rescueNewestButton"
        x: 20
        y: root.dHeight - 40
        width: 180
        height: 24
        visible: root.offeringRescue && FirmwareUpdater.newestImage !== ""
        text: qsTr("Rescue With %1").arg(root.fileName(FirmwareUpdater.newestImage))
        onClicked: FirmwareUpdater.rescueWithNewestImage()
    }

    CusButton {
        objectName: "chooseFileButton"
        x: 210
        y: root.dHeight - 40
        width: 140
        height: 24
        visible: root.offeringRescue
        text: qsTr("Choose A File...")
        onClicked: FirmwareUpdater.chooseImageFile()
    }

    CusButton {
        objectName: "cancelUpdateButton"
        x: root.dWidth - 20 - width
        y: root.dHeight - 40
        width: 100
        height: 24
        visible: root.running
        enabled: FirmwareUpdater.cancellable
        text: qsTr("Cancel")
        onClicked: FirmwareUpdater.cancel()
    }

    CusButton {
        objectName: "closeUpdateButton"
        x: root.dWidth - 20 - width
        y: root.dHeight - 40
        width: 100
        height: 24
        visible: !root.running
        text: root.phase === "OfferingRescue" ? qsTr("Not Now")
              : root.phase === "ConfirmingFile" ? qsTr("Cancel")
              : qsTr("Close")
        onClicked: root.close()
    }
}
