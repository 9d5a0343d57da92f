import QtQuick 2.15
import QtQuick.Window 2.15
import BaseControl 1.0
import component 1.0
import component.menuBar 1.0
import modular 1.0

Window {
    id: view

    // Start-up is over: the editors of the banks not shown are built in the background after
    // the first frame. The dialogs are built when first opened.
    readonly property bool ready: mainPage.ready

    // Set once the first frame is out: what that frame does not show is built from then on.
    property bool buildBackground: false
    // What the controller last reported, for the about dialog (built when first opened).
    property string serialNumber: ""
    property var firmwareVersion: null
    // The about dialog's language state, "chineseHelp" or "englishHelp".
    property string helpState: "englishHelp"
    // Which status the toast reports; its text is looked up anew when the language changes.
    property string hintKey: ""
    // A sentence the toast reports instead, already in the interface's language.
    property string hintMessage: ""

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

    function popMessage(sentence) {
        hintMessage = sentence
        popHint("")
    }

    // The control editor that `item` is or lies in; null for none.
    function editorAround(item) {
        for (var found = item; found; found = found.parent) {
            if (found.controlKind !== undefined && found.recordIndex !== undefined)
                return found
        }
        return null
    }

    // The control editor that Copy and Paste act on: the one last given the focus (a click
    // beside its fields, a field of it, touch select), marked with a frame.
    property var chosenEditor: null

    onActiveFocusItemChanged: {
        var editor = editorAround(activeFocusItem)
        if (!editor || editor === chosenEditor)
            return
        if (chosenEditor)
            chosenEditor.selected = false
        chosenEditor = editor
        editor.selected = true
    }

    visible: true
    width: Scaling.designWidth * Scaling.scalingRate
    height: Scaling.designHeight * Scaling.scalingRate
    title: MainLogic.desktopTitle
    flags: Qt.Window | Qt.FramelessWindowHint | Qt.WindowMinimizeButtonHint
    color: "transparent"

    // Emitted on this thread before each frame is synchronised; the timer started here fires
    // once that first frame is on its way.
    onAfterAnimating: {
        if (!buildBackground && !backgroundTimer.running)
            backgroundTimer.start()
    }

    Timer {
        id: backgroundTimer
        interval: 0
        onTriggered: view.buildBackground = true
    }

    // Unsaved changes are saved, discarded or keep the window open, as the user answers.
    onClosing: close.accepted = MainLogic.confirmUnsavedChanges()

    Component.onCompleted: {
        var language = Tran.getLanguage()
        Tran.reTrans(language)
        view.helpState = language === "简体中文" ? "chineseHelp" : "englishHelp"
    }

    // The firmware dialog opens itself when the online check reports; the first report also
    // builds it.
    Connections {
        target: Ftp
        function onShowDialog() {
            if (progressDialog.status !== Loader.Ready)
                progressDialog.show()
        }
    }

    // The update dialog opens whenever the update has something to show: a file to confirm, a
    // controller to rescue, an update running or its outcome.
    Connections {
        target: FirmwareUpdater
        function onPhaseChanged() {
            if (FirmwareUpdater.phase !== "Idle" && !(firmwareUpdateDialog.item && firmwareUpdateDialog.item.opened))
                firmwareUpdateDialog.show()
        }
    }

    Connections {
        target: DataMgt
        function onS_updateDate() { view.firmwareVersion = DataMgt.getVerInfo() }
    }

    // Touch select: a control played on the controller shows its editor.
    Connections {
        target: TouchSelect
        function onTouched(controls) { mainPage.showControls(controls) }
    }

    Connections {
        target: ControlClipboard
        function onReported(sentence) { view.popMessage(sentence) }
    }

    Connections {
        target: Tran
        function onCurrentLanguageChanged(currentLanguage) {
            view.helpState = currentLanguage === "简体中文" ? "chineseHelp" : "englishHelp"
        }
    }

    Connections {
        target: MainLogic
        function onShowHint(isSend, isSuccess) {
            view.popHint(isSend ? (isSuccess ? "sendSucceeded" : "sendFailed")
                                : (isSuccess ? "getSucceeded" : "getFailed"))
        }
        function onS_snNum(snStr) { view.serialNumber = snStr }
        function onCompared(differences) {
            compareDialog.show(differences)
        }
    }

    ScaledScene {
        id: scene
        objectName: "scene"

        Rectangle {
            objectName: "panel"
            width: scene.width
            height: scene.height
            color: CusConfig.colorTitle
            radius: CusConfig.radiuSize1
            border.width: 1
            border.color: CusConfig.colorWindowBorder

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
                color: CusConfig.colorProductName
                font.pixelSize: CusConfig.fontSizeProductName
                font.bold: true
            }
        }

        MainPage {
            id: mainPage
            objectName: "mainPage"
            buildBackground: view.buildBackground
            onConnectionCheckRequested: connectionCheckDialog.show()
            x: 35
            y: 131
        }

        LazyDialog {
            id: colordlg
            dialogName: "colorDialog"
            source: "component/ColorDialog.qml"
        }

        MyMenuBar {
            objectName: "myMenuBar"
            onUserGuideFailed: view.popHint("userGuideFailed")
            onConnectionCheckRequested: connectionCheckDialog.show()
            onCopyRequested: ControlClipboard.copy(view.chosenEditor ? view.chosenEditor.controlKind : "",
                                                   view.chosenEditor ? view.chosenEditor.recordIndex : -1)
            onPasteRequested: ControlClipboard.paste(view.chosenEditor ? view.chosenEditor.controlKind : "",
                                                     view.chosenEditor ? view.chosenEditor.recordIndex : -1)
            onCopyBankRequested: copyBankDialog.show()
            onMonitorRequested: {
                midiMonitor.active = true
                midiMonitor.item.show()
            }
        }

        LazyDialog {
            id: helpDialog
            dialogName: "helpDialog"
            source: "component/HelpDialog.qml"

            Binding {
                target: helpDialog.item ? helpDialog.item.helpStae : null
                property: "state"
                value: view.helpState
            }
            Binding {
                target: helpDialog.item
                property: "serialNumber"
                value: view.serialNumber
            }
            Binding {
                target: helpDialog.item
                property: "firmwareVersion"
                value: view.firmwareVersion
            }
        }

        LazyDialog {
            id: progressDialog
            dialogName: "progressDialog"
            source: "component/ProgressDialog.qml"
        }

        LazyDialog {
            id: firmwareUpdateDialog
            dialogName: "firmwareUpdateDialog"
            source: "component/FirmwareUpdateDialog.qml"
        }

        LazyDialog {
            id: funDlg
            dialogName: "functionDialog"
            source: "component/FunctionDialog.qml"
        }

        LazyDialog {
            id: connectionCheckDialog
            dialogName: "connectionCheckDialog"
            source: "component/ConnectionCheckDialog.qml"
        }

        LazyDialog {
            id: compareDialog
            dialogName: "compareDialog"
            source: "component/CompareDialog.qml"
        }

        LazyDialog {
            id: copyBankDialog
            dialogName: "copyBankDialog"
            source: "component/CopyBankDialog.qml"
        }

        // The MIDI monitor's window, built when first opened and kept, closed, afterwards.
        Loader {
            id: midiMonitor
            objectName: "midiMonitorLoader"
            active: false
            source: "component/MidiMonitorWindow.qml"
        }

        HintState {
            id: hint
            objectName: "hint"
            x: (scene.width - width) / 2
            y: 820
            text: view.hintKey !== "" ? view.hintText(view.hintKey) : view.hintMessage
        }
    }

    Timer {
        id: timer
        objectName: "hintTimer"
        interval: 1500
        onTriggered: hint.state = ""
    }
}
