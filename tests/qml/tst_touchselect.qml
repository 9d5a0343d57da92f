import QtQuick 2.15
import QtQuick.Window 2.15
import QtTest 1.15

// Touch select, copy and paste, and the MIDI monitor's window in the main window, at the scaling
// rates 1.0 and 1.5: a message from the controller shows the bank of the control that sent it
// and makes its editor glow and take the focus; Ctrl+C and Ctrl+V on a chosen editor copy its
// settings to another of its kind, in another bank, and refuse another kind with a hint.
TestCase {
    id: testCase
    name: "TouchSelect"

    property var win: null
    readonly property var rates: [1, 1.5]

    function openWindow(rate) {
        Scaling.scalingRate = rate
        Tran.reTrans("English")
        DataMgt.initDefaultData()
        var component = Qt.createComponent("qrc:/qml/main.qml")
        compare(component.status, Component.Ready, component.errorString())
        win = component.createObject(null)
        verify(win)
        tryCompare(win, "visible", true)
        // Every bank's page is built (in the background, after the first frame).
        tryCompare(win, "ready", true, 10000)
        win.requestActivate()
        tryCompare(win, "active", true)
        MainLogic.clear()
    }

    function cleanup() {
        TouchSelect.enabled = false
        if (win)
            win.destroy()
        win = null
        Scaling.scalingRate = 1
    }

    function child(objectName) {
        var found = findChild(win.contentItem, objectName)
        verify(found, "no item named " + objectName)
        return found
    }

    // The editor of a pad, knob or strip section of the model.
    function editor(kind, index) {
        var found = null
        var search = function(item) {
            if (found)
                return
            if (item.controlKind === kind && item.recordIndex === index)
                found = item
            for (var i = 0; i < item.children.length; ++i)
                search(item.children[i])
        }
        search(win.contentItem)
        verify(found, "no editor for " + kind + " " + index)
        return found
    }

    function glowing(kind) {
        var count = kind === "pad" ? 48 : kind === "knob" ? 12 : 6
        var found = []
        for (var i = 0; i < count; ++i) {
            if (editor(kind, i).highlighted)
                found.push(kind + " " + i)
        }
        return found
    }

    // Whether the whole of `item` lies within `area` as the window shows them.
    function shownWithin(item, area) {
        var a = item.mapToItem(win.contentItem, 0, 0)
        var b = item.mapToItem(win.contentItem, item.width, item.height)
        var c = area.mapToItem(win.contentItem, 0, 0)
        var d = area.mapToItem(win.contentItem, area.width, area.height)
        return a.x >= c.x - 1 && a.y >= c.y - 1 && b.x <= d.x + 1 && b.y <= d.y + 1
    }

    function message(bytes) {
        return new Uint8Array(bytes).buffer
    }

    function test_touchShowsTheControl_data() {
        var cases = [
            // Factory configuration: pad i plays note 24 + i, knob 9 controller 54, strip
            // section j controller 21 + j, all on channel 1.
            { tag: "pad of bank B", bytes: [0x90, 44, 100], kind: "pad", index: 20, padBank: 1, knobBank: 0,
              glowing: ["pad 20"] },
            { tag: "last pad of bank C", bytes: [0x90, 71, 90], kind: "pad", index: 47, padBank: 2, knobBank: 0,
              glowing: ["pad 47"] },
            { tag: "knob of bank C", bytes: [0xB0, 54, 64], kind: "knob", index: 9, padBank: 0, knobBank: 2,
              glowing: ["knob 9"] },
            { tag: "strip section", bytes: [0xB0, 24, 64], kind: "strip", index: 3, padBank: 0, knobBank: 0,
              glowing: ["strip 3"] },
            // Pad 41 of bank C set to pad 21's note: both are its senders.
            { tag: "two pads alike", bytes: [0x90, 45, 100], kind: "pad", index: 21, padBank: 1, knobBank: 0,
              glowing: ["pad 21", "pad 41"], alike: 41 },
            // A note no pad plays on channel 2.
            { tag: "no control sends it", bytes: [0x91, 44, 100], kind: "", padBank: 0, knobBank: 0, glowing: [] }
        ]
        var rows = []
        for (var r = 0; r < rates.length; ++r) {
            for (var i = 0; i < cases.length; ++i) {
                var row = Object.assign({ rate: rates[r] }, cases[i])
                row.tag = cases[i].tag + " at " + (rates[r] * 100) + " %"
                rows.push(row)
            }
        }
        return rows
    }

    function test_touchShowsTheControl(data) {
        openWindow(data.rate)
        if (data.alike !== undefined)
            DataMgt.setPadInfo(data.alike, "padData", 24 + data.index)
        // Off, a message moves nothing.
        TouchSelect.takeMessage(message(data.bytes))
        wait(150)
        compare(glowing("pad").concat(glowing("knob"), glowing("strip")), [])

        TouchSelect.enabled = true
        TouchSelect.takeMessage(message(data.bytes))
        if (data.kind === "") {
            wait(150)
        } else {
            var touched = editor(data.kind, data.index)
            tryVerify(function() { return touched.highlighted }, 2000, "the editor does not glow")
            verify(touched.activeFocus)
            compare(win.chosenEditor, touched)
            verify(touched.selected)
        }
        tryCompare(child("padSwipeView"), "currentIndex", data.padBank)
        tryCompare(child("bqmView"), "currentIndex", data.knobBank)
        compare(child("padTabBar").currentIndex, data.padBank)
        compare(child("bqmTabBar").currentIndex, data.knobBank)
        compare(glowing("pad").concat(glowing("knob"), glowing("strip")), data.glowing)
        if (data.kind !== "") {
            // Once the bank has scrolled in, the whole editor is on screen within its frame.
            var frame = data.kind === "pad" ? child("padFrame") : data.kind === "knob" ? child("bqmFrame") : child("beltFrame")
            tryVerify(function() { return shownWithin(touched, frame) }, 3000, "the editor is not shown within its frame")
        }
        // The glow is short.
        tryVerify(function() { return glowing("pad").concat(glowing("knob"), glowing("strip")).length === 0 }, 3000)
    }

    function test_copyAndPasteWithKeys_data() {
        return [
            { tag: "at 100 %", rate: 1 },
            { tag: "at 150 %", rate: 1.5 }
        ]
    }

    // Chosen by a click beside its fields, pad 5 of bank B is copied onto pad 9 of bank C with
    // Ctrl+C and Ctrl+V, and one undo takes the paste back; pasted onto a knob, it is refused.
    function test_copyAndPasteWithKeys(data) {
        openWindow(data.rate)
        DataMgt.setPadInfo(20, "padtype", 1)
        DataMgt.setPadInfo(20, "padData", 99)
        DataMgt.setPadInfo(20, "padCh", 7)
        DataMgt.setPadInfo(20, "padMode", 1)
        var source = DataMgt.getPadInfo(20)

        mouseClick(child("padTabBar").itemAt(1))
        var from = editor("pad", 20)
        tryVerify(function() { return shownWithin(from, child("padFrame")) }, 3000)
        mouseClick(from, 4, 50)
        verify(from.selected)
        compare(win.chosenEditor, from)
        keySequence("Ctrl+C")
        compare(child("hint").text, "The pad's settings are on the clipboard.")

        mouseClick(child("padTabBar").itemAt(2))
        var to = editor("pad", 40)
        tryVerify(function() { return shownWithin(to, child("padFrame")) }, 3000)
        mouseClick(to, 4, 50)
        verify(to.selected && !from.selected)
        keySequence("Ctrl+V")
        compare(DataMgt.getPadInfo(40), source)
        compare(child("hint").text, "The settings were pasted onto the pad.")
        // The editor shows what it holds now.
        tryCompare(to.tabBar, "currentIndex", 1)
        compare(to.input.textInput.text, "99")
        keySequence("Ctrl+Z")
        compare(DataMgt.getPadInfo(40).padData, 24 + 40)
        compare(DataMgt.getPadInfo(40).padCh, 1)

        var knob = editor("knob", 0)
        var knobBefore = DataMgt.getBQMInfo(0)
        mouseClick(knob, 4, 4)
        verify(knob.selected)
        keySequence("Ctrl+V")
        compare(DataMgt.getBQMInfo(0), knobBefore)
        compare(child("hint").text, "The clipboard holds a pad's settings, which fit a pad only, not a knob.")
        compare(child("hint").state, "pop")
        // The toast fits the sentence.
        var label = child("hintText")
        verify(label.contentWidth <= label.width, label.contentWidth + " in " + label.width)
    }

    function test_editAndViewMenus() {
        openWindow(1)
        var editMenu = findChild(win, "editMenu")
        editMenu.open()
        tryCompare(editMenu, "opened", true)
        var texts = []
        for (var i = 0; i < editMenu.count; ++i)
            texts.push(editMenu.itemAt(i).text || "-")
        compare(texts, ["Undo", "Redo", "-", "Copy", "Paste", "Copy Bank..."])
        editMenu.close()

        var viewMenu = findChild(win, "viewMenu")
        viewMenu.open()
        tryCompare(viewMenu, "opened", true)
        compare(viewMenu.itemAt(0).text, "MIDI Monitor")
        compare(viewMenu.itemAt(1).text, "Select By Touch")
        verify(viewMenu.itemAt(1).checkable)
        // Play Demo only with the virtual controller.
        var demo = viewMenu.itemAt(2)
        compare(demo.text, "Play Demo")
        verify(!demo.visible)
        compare(demo.height, 0)
        MainLogic.demoMode = true
        verify(demo.visible && demo.height > 0)
        waitForRendering(viewMenu.contentItem)
        mouseClick(demo)
        compare(MainLogic.calls, ["playDemo"])
        MainLogic.demoMode = false

        // Select By Touch turns touch select on and off, by its entry and by its key.
        viewMenu.open()
        tryCompare(viewMenu, "opened", true)
        mouseClick(viewMenu.itemAt(1))
        verify(TouchSelect.enabled)
        keySequence("Ctrl+T")
        verify(!TouchSelect.enabled)
    }

    function test_copyBankDialog() {
        openWindow(1.5)
        DataMgt.setBQMInfo(1, "bqmData", 77)
        findChild(win, "copyBankAction").trigger()
        var dialog = findChild(win, "copyBankDialog")
        verify(dialog)
        tryCompare(dialog, "opened", true)
        // Knobs of bank A onto bank C.
        mouseClick(findChild(dialog, "kindChoice").itemAt(1))
        mouseClick(findChild(dialog, "toChoice").itemAt(2))
        mouseClick(findChild(dialog, "copyBankButton"))
        tryCompare(dialog, "opened", false)
        compare(DataMgt.getBQMInfo(9).bqmData, 77)
        compare(child("hint").text, "Bank A's knobs were copied onto bank C.")
        DataMgt.undo()
        compare(DataMgt.getBQMInfo(9).bqmData, 54)
    }

    function test_monitorWindow_data() {
        return [
            { tag: "at 100 %", rate: 1 },
            { tag: "at 150 %", rate: 1.5 }
        ]
    }

    // The monitor takes messages while its window is open; its filters are the monitor's, and a
    // failed export is said in the window.
    function test_monitorWindow(data) {
        openWindow(data.rate)
        verify(!MidiMonitor.active)
        keySequence("Ctrl+M")
        var loader = child("midiMonitorLoader")
        tryVerify(function() { return loader.item && loader.item.visible })
        var monitor = loader.item
        verify(MidiMonitor.active)
        compare(monitor.width, 900 * data.rate)
        compare(monitor.height, 560 * data.rate)
        var scene = monitor.contentItem.children[0]
        compare(scene.scale, data.rate)

        var fromController = findChild(monitor.contentItem, "fromControllerFilter")
        mouseClick(fromController.children[0])
        verify(!MidiMonitor.showFromController)
        mouseClick(fromController.children[1])
        verify(MidiMonitor.showFromController)
        // Kind 3 is Control Change.
        var controlChanges = findChild(monitor.contentItem, "kindFilter3")
        compare(controlChanges.children[1].text, "Control Change")
        mouseClick(controlChanges.children[0])
        compare(MidiMonitor.kindFilter & 8, 0)
        mouseClick(controlChanges.children[0])
        compare(MidiMonitor.kindFilter & 8, 8)

        MainLogic.exportError = "The monitor's lines could not be saved to /full/lines.txt: No space left on device"
        mouseClick(findChild(monitor.contentItem, "exportButton"))
        compare(MainLogic.calls, ["exportMonitorLines"])
        var error = findChild(monitor.contentItem, "exportError")
        verify(error.visible)
        compare(error.text, MainLogic.exportError)
        MainLogic.exportError = ""

        mouseClick(findChild(monitor.contentItem, "pauseButton"))
        verify(MidiMonitor.paused)
        compare(findChild(monitor.contentItem, "pauseButton").text, "Resume")
        mouseClick(findChild(monitor.contentItem, "pauseButton"))
        verify(!MidiMonitor.paused)

        monitor.close()
        tryCompare(MidiMonitor, "active", false)
    }
}
