import QtQuick 2.15
import QtQuick.Window 2.15
import QtTest 1.15

// The colour, "Auto Populate" and firmware dialogs in the main window, against the real model
// and the real catalogue and update objects (their signals stand in for the server).
Item {
    id: stage
    width: 100
    height: 100

TestCase {
    id: testCase
    name: "Dialogs"
    when: windowShown

    property var win: null

    function child(objectName) {
        var found = findChild(win.contentItem, objectName) || findChild(win, objectName)
        verify(found, "no item named " + objectName)
        return found
    }

    // "Auto Populate" as its menu entry opens it (it is built when first opened).
    function openAutoPopulate() {
        findChild(win, "autoPopulateAction").trigger()
        var funDlg = dialog("functionDialog")
        tryCompare(funDlg, "opened", true)
        return funDlg
    }

    // The dialogs are built in the background once the window is up, or when first opened.
    function dialog(objectName) {
        tryVerify(function() { return findChild(win, objectName) !== null }, 5000, "no dialog named " + objectName)
        return findChild(win, objectName)
    }

    function inDialog(dlg, objectName) {
        var found = findChild(dlg.contentItem, objectName)
        verify(found, "no item named " + objectName + " in " + dlg.objectName)
        return found
    }

    // Key events go to the test's own window, not to the editor's: enter the text as typing
    // would leave it (the boxes' own typing is tested with the kit) and finish editing.
    function type(box, typed) {
        box.textInput.text = typed
        box.textInput.editingFinished()
    }

    function init() {
        DataMgt.initDefaultData()
        Scaling.scalingRate = 1
        var component = Qt.createComponent("qrc:/qml/main.qml")
        compare(component.status, Component.Ready, component.errorString())
        win = component.createObject(null)
        verify(win)
        tryCompare(win, "visible", true)
        waitForRendering(win.contentItem)
        // What the first frame does not show is built right after it.
        tryCompare(win, "ready", true)
    }

    function cleanup() {
        win.destroy()
        win = null
        MainLogic.documentTitle = "Kovela Tark9 Editor"
        if (Tran.currentLanguage !== "English")
            Tran.reTrans("English")
    }

    function speak(language) {
        Tran.reTrans(language)
        compare(Tran.currentLanguage, language)
    }

    // The first pad editor of the visible bank A page whose model pad is `pad`.
    function padKey(pad) {
        var stack = [win.contentItem]
        while (stack.length > 0) {
            var item = stack.pop()
            if (item.realIndex === pad && item.colorRect !== undefined)
                return item
            for (var i = 0; i < item.children.length; ++i)
                stack.push(item.children[i])
        }
        fail("no editor for pad " + pad)
    }

    function test_colourFromAPad() {
        var key = padKey(3)
        mouseClick(key.colorRect)
        var colordlg = dialog("colorDialog")
        tryCompare(colordlg, "opened", true)
        compare(colordlg.keyIndex, 3)
        compare(inDialog(colordlg, "inputR").textInput.text, "180")

        type(inDialog(colordlg, "inputR"), "300")
        compare(inDialog(colordlg, "inputR").textInput.text, "255")
        type(inDialog(colordlg, "inputG"), "128")
        type(inDialog(colordlg, "inputB"), "0")
        compare(colordlg.currentColor, "#ff8000")
        mouseClick(inDialog(colordlg, "confirmButton"))
        tryCompare(colordlg, "visible", false)

        var info = DataMgt.getPadInfo(3)
        compare([info.padR, info.padG, info.padB], [127, 64, 0])
        compare(String(key.colorRect.color), "#ff8000")
        // Other pads keep theirs.
        compare(DataMgt.getPadInfo(2).padR, 90)
    }

    function test_colourCancelledChangesNothing() {
        var key = padKey(0)
        mouseClick(key.colorRect)
        var colordlg = dialog("colorDialog")
        tryCompare(colordlg, "opened", true)
        type(inDialog(colordlg, "inputB"), "255")
        mouseClick(inDialog(colordlg, "cancelButton"))
        tryCompare(colordlg, "visible", false)
        compare(DataMgt.getPadInfo(0).padB, 0)
        compare(String(key.colorRect.color), "#b40000")
    }

    // The hue wheel answers the pointer with the colour under it.
    function test_colourFromTheWheel() {
        DataMgt.setPadInfo(7, "padRGB", "#000000")
        DataMgt.s_updateDate()
        mouseClick(padKey(7).colorRect)
        var colordlg = dialog("colorDialog")
        tryCompare(colordlg, "opened", true)
        waitForRendering(colordlg.contentItem)
        var area = inDialog(colordlg, "paletteArea")
        mousePress(area, 294, 149)
        mouseRelease(area, 294, 149)
        verify(colordlg.currentColor !== "#000000", colordlg.currentColor)
        compare(String(inDialog(colordlg, "preview").color), colordlg.currentColor)
        mouseClick(inDialog(colordlg, "confirmButton"))
        tryCompare(colordlg, "visible", false)
        compare(String(padKey(7).colorRect.color), colordlg.currentColor)
    }

    function test_colourForTheBatchRowOnlyFillsTheRow() {
        var funDlg = openAutoPopulate()
        var swatch = inDialog(funDlg, "batchColorRect")
        var before = []
        for (var pad = 0; pad < 48; ++pad)
            before.push(DataMgt.getPadInfo(pad))

        mouseClick(swatch)
        var colordlg = dialog("colorDialog")
        tryCompare(colordlg, "opened", true)
        compare(colordlg.keyIndex, -1)
        type(inDialog(colordlg, "inputR"), "16")
        type(inDialog(colordlg, "inputG"), "32")
        type(inDialog(colordlg, "inputB"), "48")
        mouseClick(inDialog(colordlg, "confirmButton"))
        tryCompare(colordlg, "visible", false)

        compare(String(swatch.color), "#102030")
        compare(inDialog(funDlg, "inputR").textInput.text, "16")
        compare(inDialog(funDlg, "inputG").textInput.text, "32")
        compare(inDialog(funDlg, "inputB").textInput.text, "48")
        for (pad = 0; pad < 48; ++pad)
            compare(DataMgt.getPadInfo(pad), before[pad], "pad " + pad)
    }

    // A row by its kind ("konbItem", "padItem") and label.
    function row(funDlg, kind, label) {
        var stack = [funDlg.contentItem]
        while (stack.length > 0) {
            var item = stack.pop()
            if (item.objectName === kind
                    && (item.text === label || item.textMin === label || item.leftText === label))
                return item
            for (var i = 0; i < item.children.length; ++i)
                stack.push(item.children[i])
        }
        fail("no row " + label)
    }

    // The scaled dialog leaves the slider's handle and fill free to follow its value.
    function test_luminanceSliderFollowsItsValue() {
        var funDlg = openAutoPopulate()
        var slider = inDialog(funDlg, "sliderLum")
        var fill = findChild(slider, "fill")
        // It opens at the configuration's brightness.
        compare(fill.width, slider.availableWidth * slider.visualPosition)
        slider.value = 0.25
        compare(fill.width, slider.availableWidth * 0.25)
    }

    function test_oneKnobGroupAtATime() {
        var funDlg = openAutoPopulate()
        var ccStart = row(funDlg, "konbItem", "CC range starting at")
        var ccChannel = row(funDlg, "konbItem", "Set CC CH")
        var touchChannel = row(funDlg, "konbItem", "Set CHN TOUCH CH")
        mouseClick(ccStart.checkBox)
        mouseClick(ccChannel.checkBox)
        verify(ccStart.checkBox.checked && ccChannel.checkBox.checked)
        mouseClick(touchChannel.checkBox)
        verify(touchChannel.checkBox.checked)
        verify(!ccStart.checkBox.checked)
        verify(!ccChannel.checkBox.checked)
        compare(funDlg.currentKonbFlag, 2)
        // Pad groups are independent of knob groups.
        var noteStart = row(funDlg, "padItem", "NOTE range starting at")
        mouseClick(noteStart.checkBox)
        verify(noteStart.checkBox.checked && touchChannel.checkBox.checked)
        compare(funDlg.currentPadFlag, 5)
    }

    function test_rangeNearTheTopStaysWithinMidi_data() {
        return [
            { tag: "ascending from 120", start: "120", descending: false },
            { tag: "descending from 5", start: "5", descending: true },
            { tag: "ascending from 127", start: "127", descending: false }
        ]
    }

    function test_rangeNearTheTopStaysWithinMidi(data) {
        var funDlg = openAutoPopulate()
        var noteStart = row(funDlg, "padItem", "NOTE range starting at")
        mouseClick(noteStart.checkBox)
        noteStart.btnState.checked = data.descending
        type(findChild(noteStart, "input"), data.start)
        compare(noteStart.inputText, data.start)
        mouseClick(inDialog(funDlg, "applyC"))
        var first = parseInt(data.start, 10)
        for (var k = 0; k < 16; ++k) {
            var info = DataMgt.getPadInfo(32 + k)
            var expected = Math.max(0, Math.min(127, data.descending ? first - k : first + k))
            compare(info.padData, expected, "pad " + (32 + k))
            compare(info.padtype, 0)
        }
        // Bank A is untouched.
        compare(DataMgt.getPadInfo(0).padData, 24)
    }

    // The firmware dialog after a catalogue that has nothing newer.
    function test_upToDateCatalogue() {
        Ftp.showDialog()
        var progressDialog = dialog("progressDialog")
        tryCompare(progressDialog, "opened", true)
        verify(inDialog(progressDialog, "busyIndicator").visible)
        Ftp.info("null", 0, [])
        verify(inDialog(progressDialog, "textNewest").visible)
        compare(inDialog(progressDialog, "textNewest").text, "Currently it is the latest version, no need to upgrade!")
        verify(!inDialog(progressDialog, "busyIndicator").visible)
        verify(!inDialog(progressDialog, "btnSure").visible)
        verify(!inDialog(progressDialog, "scrollView").visible)
        Ftp.showDialog()
        verify(inDialog(progressDialog, "textNewest").visible)
        verify(!inDialog(progressDialog, "busyIndicator").visible)
    }

    function test_newFirmwareOffered() {
        Ftp.showDialog()
        var progressDialog = dialog("progressDialog")
        Ftp.info("rk21_104.bin", 1.04, ["Faster pads", "Brighter colours"])
        verify(inDialog(progressDialog, "btnSure").visible)
        verify(inDialog(progressDialog, "textHint").visible)
        compare(inDialog(progressDialog, "textArea").text.split("\n"),
                ["Firmware name:rk21_104.bin", "Version No.:1.04", "Faster pads", "Brighter colours"])
        // Restoring the settings is offered, and on, with every offer.
        var restoreBox = inDialog(progressDialog, "restoreBox")
        verify(inDialog(progressDialog, "restoreRow").visible)
        verify(restoreBox.checked)
        mouseClick(restoreBox)
        verify(!restoreBox.checked)
        Ftp.info("rk21_104.bin", 1.04, [])
        verify(restoreBox.checked)
        Ftp.downloadProgress(40)
        verify(!inDialog(progressDialog, "restoreRow").visible)
        verify(inDialog(progressDialog, "progressBarDownload").visible)
        compare(inDialog(progressDialog, "progressBarDownload").value, 0.4)
        // The level rises inside the scaled dialog.
        var level = findChild(inDialog(progressDialog, "progressBarDownload"), "level")
        compare(level.height, 126 * 0.4)
        Ftp.downloadFailed("The firmware image is empty.")
        verify(!inDialog(progressDialog, "progressBarDownload").visible)
        compare(inDialog(progressDialog, "progressBarDownload").value, 0)
    }

    // An image that could not be verified is flashed only when the user says so, after reading why.
    function test_unverifiedImageIsConfirmedFirst() {
        Ftp.showDialog()
        var progressDialog = dialog("progressDialog")
        Ftp.confirmUnverified("The image could not be verified: <b>no size</b> was given.")
        var hint = inDialog(progressDialog, "textHint")
        var button = inDialog(progressDialog, "btnSure")
        tryVerify(function() { return hint.visible && button.visible })
        compare(hint.text, "The image could not be verified: <b>no size</b> was given.")
        verifyShownPlain(hint, hint.text)
        mouseClick(button)
        verify(inDialog(progressDialog, "busyIndicator").visible)
        verify(!button.visible)
    }

    // However the update ends, the dialog says so: no spinner is left turning. A failed check
    // upgraded nothing and is headed so.
    function test_failuresEndTheDialog_data() {
        var serverGone = function() { Ftp.checkFailed("The firmware server was not found.") }
        return [
            { tag: "check failed", fail: serverGone, reason: "The firmware server was not found.", heading: "Firmware check failed!" },
            { tag: "check failed, Chinese", language: "简体中文", fail: serverGone, reason: "The firmware server was not found.", heading: "固件检测失败！" },
            { tag: "download failed", fail: function() { Ftp.downloadFailed("The firmware image is empty.") }, reason: "The firmware image is empty.", heading: "Firmware upgrade failed!" },
            { tag: "download failed, Chinese", language: "简体中文", fail: function() { Ftp.downloadFailed("The firmware image is empty.") }, reason: "The firmware image is empty.", heading: "固件升级失败！" }
        ]
    }

    function test_failuresEndTheDialog(data) {
        if (data.language)
            speak(data.language)
        Ftp.showDialog()
        var progressDialog = dialog("progressDialog")
        verify(inDialog(progressDialog, "busyIndicator").visible)
        data.fail()
        verify(!inDialog(progressDialog, "busyIndicator").visible)
        verify(inDialog(progressDialog, "textNewest").visible)
        compare(inDialog(progressDialog, "textNewest").text,
                data.heading + (data.reason ? "\n" + data.reason : ""))
    }

    function test_longReleaseNotesShowFromTheTop_data() {
        return [
            { tag: "English", language: "English", first: "Firmware name:rk21_200.bin" },
            { tag: "Chinese", language: "简体中文", first: "固件名称：rk21_200.bin" }
        ]
    }

    // The name and version lead the notes: however long the notes, the dialog opens on them,
    // whole and clear of the question above.
    function test_longReleaseNotesShowFromTheTop(data) {
        speak(data.language)
        var notes = []
        for (var i = 1; i <= 40; ++i)
            notes.push("Note " + i + ": the pads answer faster and the colours are brighter than before")
        Ftp.showDialog()
        var progressDialog = dialog("progressDialog")
        tryCompare(progressDialog, "opened", true)
        Ftp.info("rk21_200.bin", 2, notes)
        var textArea = inDialog(progressDialog, "textArea")
        var scrollView = inDialog(progressDialog, "scrollView")
        var hint = inDialog(progressDialog, "textHint")
        waitForRendering(textArea)
        compare(textArea.text.split("\n")[0], data.first)
        // The notes do need scrolling.
        verify(textArea.contentHeight > scrollView.height)

        var line = textArea.positionToRectangle(0)
        var top = textArea.mapToItem(scrollView, line.x, line.y)
        verify(top.y >= 0 && top.y + line.height <= scrollView.height,
               "first line at " + top.y + ".." + (top.y + line.height) + " of " + scrollView.height)
        var inDialogTop = textArea.mapToItem(progressDialog.contentItem, line.x, line.y)
        var hintBottom = hint.mapToItem(progressDialog.contentItem, 0, hint.contentHeight).y
        verify(hintBottom <= inDialogTop.y, "question ends at " + hintBottom + ", first line starts at " + inDialogTop.y)
    }

    Component {
        id: plainReference
        Text { textFormat: Text.PlainText }
    }

    // Shows `item`'s text as plain text would be laid out: same lines, same extent.
    function verifyShownPlain(item, text) {
        compare(item.text, text)
        var reference = createTemporaryObject(plainReference, stage, {
            text: item.text, font: item.font, width: item.width, wrapMode: item.wrapMode, elide: item.elide
        })
        compare(item.lineCount, reference.lineCount, "lines of " + text)
        compare(item.contentWidth, reference.contentWidth, "width of " + text)
        compare(item.contentHeight, reference.contentHeight, "height of " + text)
    }

    // What the controller, the server or a file supplies is shown as it is, markup and all.
    function test_suppliedTextIsShownPlain_data() {
        return [
            { tag: "serial number", show: function() {
                MainLogic.s_snNum("<h1>KT9</h1>")
                findChild(win, "aboutAction").trigger()
                return { item: inDialog(dialog("helpDialog"), "snText"), text: "sn:<h1>KT9</h1>" }
            } },
            { tag: "difference line", show: function() {
                var line = "Pad 1 <b>note</b>: 24 <i>/</i> 25"
                MainLogic.compared([line, "Pad 2 note: 25 / 26"])
                var list = inDialog(dialog("compareDialog"), "differenceList")
                waitForRendering(list)
                for (var i = 0; i < list.contentItem.children.length; ++i) {
                    if (list.contentItem.children[i].text === line)
                        return { item: list.contentItem.children[i], text: line }
                }
                fail("no row shows " + line)
            } },
            { tag: "preset name in the title strip", show: function() {
                MainLogic.documentTitle = "Kovela Tark9 Editor - <b>mine</b>.stm *"
                return { item: findChild(win, "titleText"), text: "Kovela Tark9 Editor - <b>mine</b>.stm *" }
            } },
            { tag: "failure reason", show: function() {
                Ftp.showDialog()
                Ftp.checkFailed("<b>/tmp/rk21.bin</b>")
                return { item: inDialog(dialog("progressDialog"), "textNewest"), text: "Firmware check failed!\n<b>/tmp/rk21.bin</b>" }
            } }
        ]
    }

    function test_suppliedTextIsShownPlain(data) {
        var shown = data.show()
        verifyShownPlain(shown.item, shown.text)
    }

    function test_releaseNotesAreShownPlain() {
        Ftp.showDialog()
        Ftp.info("<i>rk21</i>.bin", 1.5, ["<h1>Faster</h1> pads", "a &lt; b"])
        var textArea = inDialog(dialog("progressDialog"), "textArea")
        compare(textArea.getText(0, textArea.length).split("\n"),
                ["Firmware name:<i>rk21</i>.bin", "Version No.:1.5", "<h1>Faster</h1> pads", "a &lt; b"])
    }

    function test_toastFitsItsText_data() {
        var guideFailed = function() { findChild(win, "myMenuBar").userGuideFailed() }
        var sent = function() { MainLogic.showHint(true, true) }
        return [
            { tag: "user guide, English", language: "English", pop: guideFailed, text: "The user guide could not be opened" },
            { tag: "user guide, Chinese", language: "简体中文", pop: guideFailed, text: "无法打开用户手册", designWidth: true },
            { tag: "sent, English", language: "English", pop: sent, text: "Succeeded in sending data", designWidth: true },
            { tag: "sent, Chinese", language: "简体中文", pop: sent, text: "数据发送成功", designWidth: true }
        ]
    }

    // The toast holds its whole text on its face, centred in the window; the short reports keep
    // the design's width.
    function test_toastFitsItsText(data) {
        speak(data.language)
        data.pop()
        var hint = findChild(win, "hint")
        var face = findChild(hint, "hintFace")
        var label = findChild(hint, "hintText")
        compare(label.text, data.text)
        tryCompare(face, "opacity", 1)
        var left = label.mapToItem(face, (label.width - label.contentWidth) / 2, 0).x
        verify(left >= 4 && left + label.contentWidth <= face.width - 4,
               label.contentWidth + " wide text at " + left + " on a " + face.width + " wide toast")
        compare(label.lineCount, 1)
        compare(hint.x + hint.width / 2, hint.parent.width / 2)
        if (data.designWidth)
            compare(face.width, 170)
    }

    // The about dialog is built after start-up; what the controller reported before that is
    // still shown.
    function test_aboutShowsReportsFromBeforeItWasBuilt() {
        win.destroy()
        win = Qt.createComponent("qrc:/qml/main.qml").createObject(null)
        MainLogic.s_snNum("TK9-EARLY")
        DataMgt.s_updateDate()
        compare(findChild(win, "helpDialog"), null)
        tryCompare(win, "ready", true)
        findChild(win, "aboutAction").trigger()
        var helpDialog = dialog("helpDialog")
        compare(inDialog(helpDialog, "snText").text, "sn:TK9-EARLY")
        compare(inDialog(helpDialog, "firmwareText").text, "Firmware:" + DataMgt.getVerInfo().join("."))
    }

    function test_aboutShowsVersionsAndLinks() {
        findChild(win, "aboutAction").trigger()
        var helpDialog = dialog("helpDialog")
        tryCompare(helpDialog, "opened", true)
        MainLogic.s_snNum("TK9-000123")
        compare(inDialog(helpDialog, "snText").text, "sn:TK9-000123")
        DataMgt.s_updateDate()
        compare(inDialog(helpDialog, "firmwareText").text, "Firmware:" + DataMgt.getVerInfo().join("."))
        // No address configured: no link to nowhere.
        verify(!inDialog(helpDialog, "supportButton").visible)
    }
}
}
