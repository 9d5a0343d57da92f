import QtQuick 2.15
import QtQuick.Templates 2.15 as T
import QtQuick.Window 2.15
import BaseControl 1.0

// The window's own title bar (drag to move, minimise, close) and its menu bar.
Item {
    id: root

    // The user guide could not be handed to a viewer.
    signal userGuideFailed()
    // Help > Connection Check: the window holds the dialog.
    signal connectionCheckRequested()
    // Edit > Copy, Paste and Copy Bank...: the window knows the chosen editor and holds the dialog.
    signal copyRequested()
    signal pasteRequested()
    signal copyBankRequested()
    // View > MIDI Monitor: the window holds the monitor's window.
    signal monitorRequested()

    width: 1080
    height: 24

    // The controller knows where the guide is installed; an empty URL (no guide) fails here.
    function openUserGuide() {
        if (!Qt.openUrlExternally(MainLogic.userGuideUrl()))
            userGuideFailed()
    }

    Rectangle {
        id: titleStrip
        x: 1
        y: 1
        width: root.width - 2
        height: 36
        color: CusConfig.colorTitle
        radius: CusConfig.radiuSize1

        // Squares off the lower corners: only the window's top corners are round.
        Rectangle {
            y: 18
            width: parent.width
            height: 18
            color: CusConfig.colorTitle
        }

        CusImage {
            x: 16
            y: 7
            width: 22
            height: 22
            source: "qrc:/img/logo.png"
        }

        BasicText {
            objectName: "titleText"
            x: 50
            y: 11
            text: MainLogic.documentTitle
            // The preset's file name is shown as it is, never as markup.
            textFormat: Text.PlainText
            color: CusConfig.colorTitleText
        }
    }

    MouseArea {
        id: moveArea
        objectName: "moveArea"

        property real lastX: 0
        property real lastY: 0

        signal move(real xOffset, real yOffset)

        x: titleStrip.x
        y: titleStrip.y
        width: titleStrip.width - 100
        height: titleStrip.height
        acceptedButtons: Qt.LeftButton
        cursorShape: pressed ? Qt.SizeAllCursor : Qt.ArrowCursor

        onPressed: {
            lastX = mouse.x
            lastY = mouse.y
        }
        // The window follows the pointer, so the pointer stays at the press position within it.
        onPositionChanged: {
            var xOffset = mouse.x - lastX
            var yOffset = mouse.y - lastY
            if (pressed && (xOffset !== 0 || yOffset !== 0))
                move(xOffset, yOffset)
        }
        onMove: {
            var window = root.Window.window
            window.x += xOffset
            window.y += yOffset
            MainLogic.updateProgra(window.x, window.y)
        }
    }

    CusButton_Image {
        objectName: "minimizeButton"
        x: root.width - width - 69
        y: 1
        btnImgNormal: "qrc:/img/icon_minimize_default.png"
        btnImgHovered: "qrc:/img/icon_minimize_click.png"
        btnImgPressed: "qrc:/img/icon_minimize_click.png"
        btnImgDisbaled: "qrc:/img/icon_minimize_default.png"
        onClicked: root.Window.window.showMinimized()
    }

    CusButton_Image {
        objectName: "closeButton"
        x: root.width - width - 20
        y: 1
        btnImgNormal: "qrc:/img/icon_close_default.png"
        btnImgHovered: "qrc:/img/icon_close_click.png"
        btnImgPressed: "qrc:/img/icon_close_click.png"
        btnImgDisbaled: "qrc:/img/icon_close_default.png"
        onClicked: root.Window.window.close()
    }

    // Only with the built-in virtual controller (--virtual-device), whose pads, knobs and strip
    // it plays for the monitor and touch select; its entry in the View menu is shown only then.
    T.Action {
        id: playDemoAction
        objectName: "playDemoAction"
        text: qsTr("Play Demo")
        shortcut: "Ctrl+Shift+D"
        enabled: MainLogic.demoMode
        onTriggered: MainLogic.playDemo()
    }

    // The other common key for redo.
    Shortcut {
        sequence: "Ctrl+Y"
        enabled: DataMgt.canRedo
        onActivated: DataMgt.redo()
    }

    T.MenuBar {
        id: menuBar
        objectName: "menuBar"
        x: 1
        y: 36
        width: root.width - 2
        height: 24
        delegate: GreenMenuBar {}
        contentItem: Row {
            spacing: menuBar.spacing
            Repeater {
                model: menuBar.contentModel
            }
        }
        background: GreenMenuBarBg {}

        GreenMenu {
            objectName: "fileMenu"
            title: qsTr("File")
            background: GreenMenuBarBg {}

            T.Action {
                objectName: "openAction"
                text: qsTr("Open")
                shortcut: StandardKey.Open
                onTriggered: MainLogic.openFile()
            }
            T.Action {
                objectName: "saveAction"
                text: qsTr("Save")
                shortcut: StandardKey.Save
                onTriggered: MainLogic.save()
            }
            T.Action {
                objectName: "saveAsAction"
                text: qsTr("Save As")
                // StandardKey.SaveAs is this key where a platform has one; Windows has none.
                shortcut: "Ctrl+Shift+S"
                onTriggered: MainLogic.saveAs()
            }
            GreenMenu {
                id: recentMenu
                objectName: "recentMenu"
                title: qsTr("Recent Presets")
                enabled: MainLogic.recentFiles.length > 0
                background: GreenMenuBarBg {}

                Instantiator {
                    model: MainLogic.recentFiles
                    delegate: GreenMenuItem {
                        // The file's name; the folders are in the settings, not on the menu.
                        text: modelData.replace(/^.*[\\/]/, "")
                        onTriggered: MainLogic.openRecentFile(modelData)
                    }
                    onObjectAdded: recentMenu.insertItem(index, object)
                    onObjectRemoved: recentMenu.removeItem(object)
                }
            }
            GreenMenuSeparator {}
            T.Action {
                objectName: "sendAction"
                text: qsTr("Send To Hardware")
                onTriggered: MainLogic.sendData()
            }
            T.Action {
                objectName: "getAction"
                text: qsTr("Get From Hardware")
                onTriggered: MainLogic.getData()
            }
            T.Action {
                objectName: "compareAction"
                text: qsTr("Compare With Hardware")
                onTriggered: MainLogic.compareWithController()
            }
            T.Action {
                objectName: "restoreAction"
                text: qsTr("Restore The Default")
                onTriggered: DataMgt.initDefaultData()
            }
            T.Action {
                objectName: "quitAction"
                text: qsTr("Quit")
                shortcut: "Ctrl+Q"
                onTriggered: root.Window.window.close()
            }
        }

        GreenMenu {
            objectName: "editMenu"
            title: qsTr("Edit")
            background: MenuBackground {}

            T.Action {
                objectName: "undoAction"
                text: qsTr("Undo")
                shortcut: "Ctrl+Z"
                enabled: DataMgt.canUndo
                onTriggered: DataMgt.undo()
            }
            T.Action {
                objectName: "redoAction"
                text: qsTr("Redo")
                // Ctrl+Y as well, above: both are in common use for redo.
                shortcut: "Ctrl+Shift+Z"
                enabled: DataMgt.canRedo
                onTriggered: DataMgt.redo()
            }
            GreenMenuSeparator {}
            // A text field that has the focus copies and pastes its own text: these keys reach
            // the chosen editor from anywhere else.
            T.Action {
                objectName: "copyAction"
                text: qsTr("Copy")
                shortcut: "Ctrl+C"
                onTriggered: root.copyRequested()
            }
            T.Action {
                objectName: "pasteAction"
                text: qsTr("Paste")
                shortcut: "Ctrl+V"
                onTriggered: root.pasteRequested()
            }
            T.Action {
                objectName: "copyBankAction"
                text: qsTr("Copy Bank...")
                onTriggered: root.copyBankRequested()
            }
        }

        GreenMenu {
            objectName: "viewMenu"
            title: qsTr("View")
            background: MenuBackground {}

            T.Action {
                objectName: "midiMonitorAction"
                text: qsTr("MIDI Monitor")
                shortcut: "Ctrl+M"
                onTriggered: root.monitorRequested()
            }
            T.Action {
                objectName: "touchSelectAction"
                text: qsTr("Select By Touch")
                shortcut: "Ctrl+T"
                checkable: true
                checked: TouchSelect.enabled
                onToggled: TouchSelect.enabled = checked
            }
            GreenMenuItem {
                action: playDemoAction
                visible: MainLogic.demoMode
                height: visible ? implicitHeight : 0
            }
        }

        GreenMenu {
            objectName: "autoPopulateMenu"
            title: qsTr("Auto Populate")
            background: MenuBackground {}

            T.Action {
                objectName: "autoPopulateAction"
                text: qsTr("Auto Populate")
                onTriggered: funDlg.show()
            }
        }

        GreenMenu {
            objectName: "helpMenu"
            title: qsTr("Help")
            background: MenuBackground {}

            T.Action {
                objectName: "userGuideAction"
                text: qsTr("Open Userguide   Ctrl+H")
                shortcut: "Ctrl+H"
                onTriggered: root.openUserGuide()
            }
            T.Action {
                objectName: "connectionCheckAction"
                text: qsTr("Connection Check")
                onTriggered: root.connectionCheckRequested()
            }
            T.Action {
                objectName: "updateFromFileAction"
                text: qsTr("Update Firmware From File...")
                onTriggered: FirmwareUpdater.chooseImageFile()
            }
            T.Action {
                objectName: "aboutAction"
                text: qsTr("About")
                onTriggered: helpDialog.show()
            }
            GreenMenu {
                objectName: "languageMenu"
                title: qsTr("Language")
                background: MenuBackground {}

                T.Action {
                    objectName: "chineseAction"
                    text: "简体中文"
                    checked: Tran.currentLanguage === "简体中文"
                    onTriggered: {
                        Tran.reTrans("简体中文")
                        Tran.setLanguage("简体中文")
                    }
                }
                T.Action {
                    objectName: "englishAction"
                    text: qsTr("English")
                    checked: Tran.currentLanguage === "English"
                    onTriggered: {
                        Tran.reTrans("English")
                        Tran.setLanguage("English")
                    }
                }
            }
        }
    }
}
