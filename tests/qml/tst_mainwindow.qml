import QtQuick 2.15
import QtQuick.Window 2.15
import QtTest 1.15

TestCase {
    id: testCase
    name: "MainWindow"

    property var win: null

    function child(objectName) {
        var found = findChild(win.contentItem, objectName)
        verify(found, "no item named " + objectName)
        return found
    }

    function openWindow(savedLanguage) {
        Tran.setLanguage(savedLanguage)
        var component = Qt.createComponent("qrc:/qml/main.qml")
        compare(component.status, Component.Ready, component.errorString())
        win = component.createObject(null)
        verify(win)
        tryCompare(win, "visible", true)
        waitForRendering(win.contentItem)
        MainLogic.clear()
    }

    function init() {
        Scaling.scalingRate = 1
        Tran.reTrans("English")
        openWindow("English")
    }

    function cleanup() {
        win.destroy()
        win = null
    }

    function test_designGeometry_data() {
        // [x, y, width, height]; -1 where the design leaves the value to the item.
        return [
            { tag: "panel", name: "panel", geometry: [0, 0, 1080, 892] },
            { tag: "logo lettering", name: "logoText", geometry: [66, 77, -1, -1] },
            { tag: "product caption", name: "productCaption", geometry: [914, 87, -1, -1] },
            { tag: "title and menu", name: "myMenuBar", geometry: [0, 0, 1080, 24] },
            { tag: "menu bar", name: "menuBar", geometry: [1, 36, 1078, 24] },
            { tag: "drag area", name: "moveArea", geometry: [1, 1, 978, 36] },
            { tag: "minimise", name: "minimizeButton", geometry: [987, 1, 24, 36] },
            { tag: "close", name: "closeButton", geometry: [1036, 1, 24, 36] },
            { tag: "main page", name: "mainPage", geometry: [35, 131, 998, 732] },
            { tag: "device picture", name: "background", geometry: [0, 0, 998, 732] },
            { tag: "pad frame", name: "padFrame", geometry: [422, 52, 548, 632] },
            { tag: "pad pages", name: "padSwipeView", geometry: [427, 58, 535, 632] },
            { tag: "pad tabs", name: "padTabBar", geometry: [451, 30, -1, 16] },
            { tag: "BQM frame", name: "bqmFrame", geometry: [54, 52, 326, 329] },
            { tag: "BQM pages", name: "bqmView", geometry: [62, 52, 313, 329] },
            { tag: "BQM tabs", name: "bqmTabBar", geometry: [79, 30, -1, 16] },
            { tag: "belt frame", name: "beltFrame", geometry: [54, 393, 326, 259] },
            { tag: "send", name: "sendButton", geometry: [36, 660, 180, 24] },
            { tag: "get", name: "getButton", geometry: [226, 660, 180, 24] },
            { tag: "connection", name: "connectState", geometry: [860, 695, -1, -1] },
            { tag: "toast", name: "hint", geometry: [455, 820, 170, 25] }
        ]
    }

    function test_designGeometry(data) {
        compare(win.width, 1080)
        compare(win.height, 892)
        var item = child(data.name)
        var actual = [item.x, item.y, item.width, item.height]
        for (var i = 0; i < 4; ++i) {
            if (data.geometry[i] >= 0)
                compare(actual[i], data.geometry[i], data.name + " " + actual)
        }
    }

    // A screen of another scaling redraws the whole window at that rate from the design, and
    // back, without a binding lost or a rounding error kept.
    function test_screenChangeRescalesFromTheDesign() {
        var frame = child("padFrame")
        var send = child("sendButton")
        Scaling.scalingRate = 1.5
        compare(win.width, 1620)
        compare(win.height, 1338)
        var topLeft = frame.mapToItem(win.contentItem, 0, 0)
        var bottomRight = frame.mapToItem(win.contentItem, frame.width, frame.height)
        compare([topLeft.x, topLeft.y, bottomRight.x, bottomRight.y], [(35 + 422) * 1.5, (131 + 52) * 1.5,
                                                                       (35 + 422 + 548) * 1.5, (131 + 52 + 632) * 1.5])
        // The editors keep their design geometry and bindings: only the transform changes.
        compare([frame.x, frame.y, frame.width, frame.height], [422, 52, 548, 632])
        compare(send.font.pixelSize, 12)

        Scaling.scalingRate = 1.25
        Scaling.scalingRate = 1
        compare(win.width, 1080)
        compare(win.height, 892)
        topLeft = frame.mapToItem(win.contentItem, 0, 0)
        compare([topLeft.x, topLeft.y], [35 + 422, 131 + 52])
    }

    function test_toastTexts_data() {
        return [
            { tag: "sent", isSend: true, isSuccess: true, text: "Succeeded in sending data" },
            { tag: "got", isSend: false, isSuccess: true, text: "Getting data succeeded" },
            { tag: "send failed", isSend: true, isSuccess: false, text: "Failed to send data" },
            { tag: "get failed", isSend: false, isSuccess: false, text: "Failed to get data" }
        ]
    }

    function test_toastTexts(data) {
        var hint = child("hint")
        compare(hint.state, "")
        MainLogic.showHint(data.isSend, data.isSuccess)
        compare(hint.text, data.text)
        compare(hint.state, "pop")
        var face = child("hintFace")
        tryCompare(face, "opacity", 1)
        // The text lies within the toast, though the toast had no text when the layout was taken.
        var label = child("hintText")
        verify(label.contentWidth > 0 && label.contentWidth <= label.width, label.contentWidth + " in " + label.width)
        verify(label.x >= 0 && label.x + label.width <= face.width)
    }

    function test_toastStaysAfterTheLastReport() {
        var hint = child("hint")
        var timer = findChild(win.contentItem, "hintTimer")
        verify(timer)
        compare(timer.interval, 1500)
        compare(timer.repeat, false)
        running.target = timer
        triggered.target = timer

        MainLogic.showHint(true, true)
        compare(running.count, 1)
        MainLogic.showHint(true, false)
        // The second report starts the 1.5 s again: stopped, then running.
        compare(running.count, 3)
        verify(timer.running)
        compare(hint.text, "Failed to send data")
        compare(hint.state, "pop")

        triggered.wait(5000)
        compare(hint.state, "")
        tryCompare(child("hintFace"), "opacity", 0)
    }

    SignalSpy { id: running; signalName: "runningChanged" }
    SignalSpy { id: triggered; signalName: "triggered" }

    function test_menuEntries_data() {
        return [
            { tag: "Open", action: "openAction", calls: ["openFile"] },
            { tag: "Save", action: "saveAction", calls: ["save"] },
            { tag: "Save As", action: "saveAsAction", calls: ["saveAs"] },
            { tag: "Send To Hardware", action: "sendAction", calls: ["sendData"] },
            { tag: "Get From Hardware", action: "getAction", calls: ["getData"] },
            { tag: "Compare With Hardware", action: "compareAction", calls: ["compareWithController"] }
        ]
    }

    function test_menuEntries(data) {
        var action = findChild(win, data.action)
        verify(action, data.action)
        verify(action.enabled)
        action.trigger()
        compare(MainLogic.calls, data.calls)
    }

    // A menu fills itself when first opened: what it shows then is every entry, in order.
    function test_menusShowTheirEntriesWhenOpened() {
        var fileMenu = findChild(win, "fileMenu")
        mouseClick(child("menuBar").contentChildren[0])
        tryCompare(fileMenu, "opened", true)
        var texts = []
        for (var i = 0; i < fileMenu.count; ++i)
            texts.push(fileMenu.itemAt(i).text || "-")
        compare(texts, ["Open", "Save", "Save As", "Recent Presets", "-",
                        "Send To Hardware", "Get From Hardware", "Compare With Hardware",
                        "Restore The Default", "Quit"])
        compare(fileMenu.itemAt(3).subMenu, findChild(win, "recentMenu"))
        // Shown again, it is not filled a second time.
        fileMenu.aboutToShow()
        compare(fileMenu.count, texts.length)
        // Clicked as a user would, once the menu is on screen.
        waitForRendering(fileMenu.contentItem)
        mouseClick(fileMenu.itemAt(5))
        compare(MainLogic.calls, ["sendData"])
        tryCompare(fileMenu, "visible", false)

        var helpMenu = findChild(win, "helpMenu")
        helpMenu.open()
        tryCompare(helpMenu, "opened", true)
        compare(helpMenu.count, 5)
        var languageMenu = findChild(win, "languageMenu")
        compare(helpMenu.itemAt(1).text, "Connection Check")
        compare(helpMenu.itemAt(2).text, "Update Firmware From File...")
        compare(helpMenu.itemAt(4).subMenu, languageMenu)
        languageMenu.open()
        tryCompare(languageMenu, "opened", true)
        compare(languageMenu.count, 2)
        compare(languageMenu.itemAt(1).text, "English")
        verify(languageMenu.itemAt(1).checked)
        languageMenu.close()
        helpMenu.close()
    }

    function test_restoreTheDefault() {
        updates.target = DataMgt
        updates.clear()
        findChild(win, "restoreAction").trigger()
        compare(updates.count, 1)
        compare(MainLogic.calls, [])
    }

    SignalSpy { id: updates; signalName: "s_updateDate" }

    function test_undoAndRedoEntries() {
        var undo = findChild(win, "undoAction")
        var redo = findChild(win, "redoAction")
        var before = DataMgt.getPadInfo(5).padData
        DataMgt.setPadInfo(5, "padData", before + 1)
        verify(undo.enabled)
        verify(!redo.enabled)
        undo.trigger()
        compare(DataMgt.getPadInfo(5).padData, before)
        verify(redo.enabled)
        redo.trigger()
        compare(DataMgt.getPadInfo(5).padData, before + 1)
        verify(!redo.enabled)
    }

    function test_titleAndRecentPresets() {
        MainLogic.documentTitle = "Kovela Tark9 Editor - mine.stm *"
        compare(child("titleText").text, "Kovela Tark9 Editor - mine.stm *")
        var recent = findChild(win, "recentMenu")
        MainLogic.recentFiles = []
        verify(!recent.enabled)
        MainLogic.recentFiles = ["/home/me/mine.stm", "C:\\presets\\live.stm"]
        verify(recent.enabled)
        compare(recent.count, 2)
        compare(recent.itemAt(1).text, "live.stm")
        recent.itemAt(0).triggered()
        compare(MainLogic.calls, ["openRecentFile /home/me/mine.stm"])
    }

    function test_compareDialog() {
        MainLogic.compared(["pad A13 note: editor 36, controller 40", "velocity curve: editor 0, controller 2"])
        var dialog = findChild(win, "compareDialog")
        verify(dialog)
        tryCompare(dialog, "opened", true)
        compare(findChild(dialog, "differenceList").count, 2)
        mouseClick(findChild(dialog, "takeControllerButton"))
        compare(MainLogic.calls, ["takeControllerConfiguration"])
        tryCompare(dialog, "opened", false)

        MainLogic.compared([])
        tryCompare(dialog, "opened", true)
        compare(findChild(dialog, "compareSummary").text, "The controller holds the same configuration as the editor.")
        verify(!findChild(dialog, "takeControllerButton").visible)
        mouseClick(findChild(dialog, "closeCompareButton"))
        tryCompare(dialog, "opened", false)
    }

    function test_userGuideOpensWhereTheControllerFindsIt() {
        findChild(win, "userGuideAction").trigger()
        compare(MainLogic.openedUrls.length, 1)
        compare(MainLogic.openedUrls[0], MainLogic.userGuideUrl().toString())
    }

    function test_shortcuts_data() {
        return [
            { tag: "Ctrl+O", key: Qt.Key_O, modifiers: Qt.ControlModifier, calls: ["openFile"] },
            { tag: "Ctrl+S", key: Qt.Key_S, modifiers: Qt.ControlModifier, calls: ["save"] },
            { tag: "Ctrl+Shift+S", key: Qt.Key_S, modifiers: Qt.ControlModifier | Qt.ShiftModifier, calls: ["saveAs"] },
            { tag: "Ctrl+H", key: Qt.Key_H, modifiers: Qt.ControlModifier, calls: [], guide: true }
        ]
    }

    function test_shortcuts(data) {
        win.requestActivate()
        tryCompare(win, "active", true)
        keyClick(data.key, data.modifiers)
        compare(MainLogic.calls, data.calls)
        compare(MainLogic.openedUrls.length, data.guide ? 1 : 0)
    }

    function test_quit_data() {
        return [
            { tag: "Ctrl+Q", how: "key" },
            { tag: "Quit entry", how: "menu" },
            { tag: "close button", how: "button" }
        ]
    }

    function test_quit(data) {
        win.requestActivate()
        tryCompare(win, "active", true)
        if (data.how === "key")
            keyClick(Qt.Key_Q, Qt.ControlModifier)
        else if (data.how === "menu")
            findChild(win, "quitAction").trigger()
        else
            mouseClick(child("closeButton"))
        tryCompare(win, "visible", false)
    }

    function test_sendAndGetButtons_data() {
        return [ { tag: "send", button: "sendButton", calls: ["sendData"] },
                 { tag: "get", button: "getButton", calls: ["getData"] } ]
    }

    function test_sendAndGetButtons(data) {
        mouseClick(child(data.button))
        compare(MainLogic.calls, data.calls)
    }

    function test_connectionIndicator() {
        var indicator = child("connectState")
        var text = child("connectText")
        compare(text.text, "No device found")
        MainLogic.devStateChanged(true)
        compare(indicator.state, "connect")
        compare(text.text, "Device connected")
        MainLogic.devStateChanged(false)
        compare(indicator.state, "")
        compare(text.text, "No device found")
    }

    function test_tabsAndPagesMoveTogether_data() {
        return [ { tag: "pads", bar: "padTabBar", view: "padSwipeView", other: "bqmTabBar" },
                 { tag: "BQM", bar: "bqmTabBar", view: "bqmView", other: "padTabBar" } ]
    }

    function test_tabsAndPagesMoveTogether(data) {
        var bar = child(data.bar)
        var view = child(data.view)
        var other = child(data.other)
        compare(bar.currentIndex, 0)
        mouseClick(bar.itemAt(2))
        compare(bar.currentIndex, 2)
        compare(view.currentIndex, 2)
        view.currentIndex = 1
        compare(bar.currentIndex, 1)
        // The pad and BQM banks are chosen independently.
        compare(other.currentIndex, 0)
    }

    function test_titleStripDrags_data() {
        return [ { tag: "on the strip", x: 300, moves: true },
                 { tag: "beside the buttons", x: 1070, moves: false } ]
    }

    function test_titleStripDrags(data) {
        var bar = child("myMenuBar")
        win.x = 40
        win.y = 30
        tryCompare(win, "x", 40)
        mousePress(bar, data.x, 18)
        mouseMove(bar, data.x + 25, 18 + 15)
        mouseRelease(bar, data.x + 25, 18 + 15)
        if (data.moves) {
            tryCompare(win, "x", 65)
            compare(win.y, 45)
            compare(MainLogic.calls, ["updateProgra(65,45)"])
        } else {
            compare(win.x, 40)
            compare(MainLogic.calls, [])
        }
    }

    function test_languageSwitchesWithoutRestart() {
        var send = child("sendButton")
        var text = child("connectText")
        var tab = child("padTabBar").itemAt(1)
        var fileMenu = findChild(win, "fileMenu")
        MainLogic.showHint(false, true)
        changes.target = Tran
        changes.clear()

        findChild(win, "chineseAction").trigger()
        compare(changes.count, 1)
        compare(send.text, "发送到硬件")
        compare(child("getButton").text, "从硬件读取")
        compare(text.text, "未检测到设备")
        compare(tab.text, "B 组")
        compare(fileMenu.title, "文件")
        compare(child("hint").text, "数据读取成功")
        verify(findChild(win, "chineseAction").checked)
        compare(Tran.getLanguage(), "简体中文")

        // Choosing the active language again changes nothing.
        findChild(win, "chineseAction").trigger()
        compare(changes.count, 1)

        findChild(win, "englishAction").trigger()
        compare(changes.count, 2)
        compare(send.text, "SEND TO HARDWARE")
        compare(fileMenu.title, "File")
        compare(Tran.getLanguage(), "English")
    }

    SignalSpy { id: changes; signalName: "currentLanguageChanged" }

    function test_savedLanguageAppliesAtStart() {
        win.destroy()
        openWindow("简体中文")
        compare(Tran.currentLanguage, "简体中文")
        compare(child("sendButton").text, "发送到硬件")
        compare(child("connectText").text, "未检测到设备")
    }
}
