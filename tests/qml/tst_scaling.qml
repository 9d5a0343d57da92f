import QtQuick 2.15
import QtQuick.Window 2.15
import QtTest 1.15

// The main window at the scaling rates users' screens have, used as a person uses it: pointer
// clicks and keys at the places the window shows, the model checked afterwards.
TestCase {
    id: testCase
    name: "Scaling"

    property var win: null
    readonly property var rates: [1, 1.25, 1.5, 2]

    function openWindow(rate) {
        Scaling.scalingRate = rate
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
    }

    function cleanup() {
        if (win)
            win.destroy()
        win = null
        Scaling.scalingRate = 1
    }

    // The editor's item for model pad `index`, or knob `index`.
    function padKey(index) {
        var found = null
        var search = function(item) {
            if (found)
                return
            if (item.realIndex === index && item.cbxNote !== undefined)
                found = item
            for (var i = 0; i < item.children.length; ++i)
                search(item.children[i])
        }
        search(win.contentItem)
        verify(found, "no editor for pad " + index)
        return found
    }

    function knob(index) {
        var found = null
        var search = function(item) {
            if (found)
                return
            if (item.index === index && item.inputmsbMax !== undefined)
                found = item
            for (var i = 0; i < item.children.length; ++i)
                search(item.children[i])
        }
        search(win.contentItem)
        verify(found, "no editor for knob " + index)
        return found
    }

    // Where `item`'s centre is in the window, in the window's own pixels.
    function onScreen(item) {
        return item.mapToItem(win.contentItem, item.width / 2, item.height / 2)
    }

    function clickAt(point) {
        mouseClick(win.contentItem, point.x, point.y)
    }

    function typeNumber(text) {
        keySequence("Ctrl+A")
        for (var i = 0; i < text.length; ++i)
            keyClick(text.charAt(i))
        keyClick(Qt.Key_Return)
    }

    function test_eachBankTabEditsItsOwnBank_data() {
        var rows = []
        for (var r = 0; r < rates.length; ++r) {
            for (var bank = 1; bank <= 2; ++bank)
                rows.push({ tag: "rate " + rates[r] + ", bank " + "ABC".charAt(bank), rate: rates[r], bank: bank })
        }
        return rows
    }

    // The tab's bank is the one shown and the one edited, for pads and knobs: the number box
    // at the place of pad 13 (knob 1) of bank A takes the typed number into that bank's pad.
    function test_eachBankTabEditsItsOwnBank(data) {
        openWindow(data.rate)
        var padPlace = onScreen(padKey(12).input)
        var knobPlace = onScreen(knob(0).inputValue)
        var before = DataMgt.getPadInfo(12 + 16 * data.bank).padData
        var knobBefore = DataMgt.getBQMInfo(4 * data.bank).bqmData

        var padTabs = findChild(win.contentItem, "padTabBar")
        clickAt(onScreen(padTabs.itemAt(data.bank)))
        tryCompare(findChild(win.contentItem, "padSwipeView"), "currentIndex", data.bank)
        var bqmTabs = findChild(win.contentItem, "bqmTabBar")
        clickAt(onScreen(bqmTabs.itemAt(data.bank)))
        tryCompare(findChild(win.contentItem, "bqmView"), "currentIndex", data.bank)
        // The page's scroll has settled: what is on screen at that place is the bank's.
        tryVerify(function() {
            var shown = onScreen(padKey(12 + 16 * data.bank).input)
            return Math.abs(shown.x - padPlace.x) < 1 && Math.abs(shown.y - padPlace.y) < 1
        }, 5000, "pad 13 of the bank is not where pad 13 of bank A was")
        tryVerify(function() {
            var shown = onScreen(knob(4 * data.bank).inputValue)
            return Math.abs(shown.x - knobPlace.x) < 1 && Math.abs(shown.y - knobPlace.y) < 1
        }, 5000, "knob 1 of the bank is not where knob 1 of bank A was")

        var typed = before === 7 ? "8" : "7"
        clickAt(padPlace)
        typeNumber(typed)
        clickAt(knobPlace)
        typeNumber("99")
        compare(DataMgt.getPadInfo(12 + 16 * data.bank).padData, parseInt(typed))
        compare(DataMgt.getBQMInfo(4 * data.bank).bqmData, 99)
        // No other bank took the edit.
        for (var bank = 0; bank < 3; ++bank) {
            if (bank === data.bank)
                continue
            verify(DataMgt.getPadInfo(12 + 16 * bank).padData !== parseInt(typed) || bank === 0 && before === parseInt(typed))
            verify(DataMgt.getBQMInfo(4 * bank).bqmData !== 99)
        }
        verify(knobBefore !== 99)
    }

    function test_noteChooserShowsAndPicks_data() {
        var rows = []
        for (var r = 0; r < rates.length; ++r) {
            rows.push({ tag: "rate " + rates[r] + ", left column", rate: rates[r], pad: 12, note: 64 })
            rows.push({ tag: "rate " + rates[r] + ", right column", rate: rates[r], pad: 15, note: 70 })
        }
        return rows
    }

    // The chooser opens inside the window with its entries apart, and a click on an entry
    // picks that note.
    function test_noteChooserShowsAndPicks(data) {
        openWindow(data.rate)
        var key = padKey(data.pad)
        var chooser = key.cbxNote
        clickAt(onScreen(chooser))
        tryCompare(chooser.popup, "opened", true)
        var popup = chooser.popup
        var grid = popup.contentItem
        verify(popup.height > 100, "popup height " + popup.height)
        var topLeft = popup.contentItem.mapToItem(win.contentItem, 0, 0)
        var bottomRight = popup.contentItem.mapToItem(win.contentItem, grid.width, grid.height)
        verify(topLeft.x >= 0 && topLeft.y >= 0 && bottomRight.x <= win.width && bottomRight.y <= win.height,
               "popup at " + topLeft + " - " + bottomRight + " in " + win.width + " x " + win.height)
        // Rows and columns do not overlap.
        var first = grid.itemAtIndex(0)
        var second = grid.itemAtIndex(1)
        verify(first && second)
        verify(second.y >= first.y + first.height - 0.5, "row pitch " + (second.y - first.y) + " for entries " + first.height + " high")

        grid.positionViewAtIndex(data.note, GridView.Contain)
        var entry = grid.itemAtIndex(data.note)
        verify(entry)
        clickAt(onScreen(entry))
        tryCompare(popup, "visible", false)
        compare(DataMgt.getPadInfo(data.pad).padData, data.note)
        compare(key.input.textInput.text, String(data.note))
    }

    function test_channelListShowsAndPicks_data() {
        var rows = []
        for (var r = 0; r < rates.length; ++r) {
            rows.push({ tag: "rate " + rates[r] + ", pad", rate: rates[r], what: "pad", channel: 9 })
            rows.push({ tag: "rate " + rates[r] + ", knob", rate: rates[r], what: "knob", channel: 16 })
        }
        return rows
    }

    // A channel list is as wide as its face (less the face's round ends), its entries as high
    // as the face, all inside the window, and a click on an entry picks that channel.
    function test_channelListShowsAndPicks(data) {
        openWindow(data.rate)
        var editor = data.what === "pad" ? padKey(12) : knob(0)
        var list = editor.cbxCH
        clickAt(onScreen(list))
        tryCompare(list.popup, "opened", true)
        var view = list.popup.contentItem
        var face = [list.mapToItem(win.contentItem, 0, 0), list.mapToItem(win.contentItem, list.width, list.height)]
        var shown = [view.mapToItem(win.contentItem, 0, 0), view.mapToItem(win.contentItem, view.width, view.height)]
        var faceWidth = face[1].x - face[0].x
        var faceHeight = face[1].y - face[0].y
        fuzzyCompare(shown[1].x - shown[0].x, faceWidth - faceHeight, 1)
        verify(shown[0].y >= face[1].y - 0.5 && shown[1].y <= win.height && shown[1].x <= win.width,
               "list at " + shown + " under a face at " + face)
        var entry = view.itemAtIndex(0)
        var entryBox = [entry.mapToItem(win.contentItem, 0, 0), entry.mapToItem(win.contentItem, entry.width, entry.height)]
        fuzzyCompare(entryBox[1].y - entryBox[0].y, faceHeight, 0.5)

        view.positionViewAtIndex(data.channel - 1, ListView.Contain)
        view.forceLayout()
        var pick = view.itemAtIndex(data.channel - 1)
        verify(pick)
        clickAt(onScreen(pick))
        tryCompare(list.popup, "visible", false)
        if (data.what === "pad")
            compare(DataMgt.getPadInfo(12).padCh, data.channel)
        else
            compare(DataMgt.getBQMInfo(0).bqmCh, data.channel)
    }

    function test_dialogsKeepTheirContentInside_data() {
        var rows = []
        for (var r = 0; r < rates.length; ++r) {
            rows.push({ tag: "rate " + rates[r] + ", about", rate: rates[r], action: "aboutAction", dialog: "helpDialog",
                        items: ["versionRow", "softVersionText", "snText", "firmwareUpdatesButton"] })
            rows.push({ tag: "rate " + rates[r] + ", Auto Populate", rate: rates[r], action: "autoPopulateAction",
                        dialog: "functionDialog", items: ["applyA", "applyC", "sliderLum"] })
        }
        return rows
    }

    // A dialog opens inside the window, centred, and what it holds is drawn inside it.
    function test_dialogsKeepTheirContentInside(data) {
        openWindow(data.rate)
        findChild(win, data.action).trigger()
        var dialog = null
        tryVerify(function() { dialog = findChild(win, data.dialog); return dialog !== null && dialog.opened })
        var face = [dialog.contentItem.mapToItem(win.contentItem, 0, 0),
                    dialog.contentItem.mapToItem(win.contentItem, dialog.width, dialog.height)]
        verify(face[0].x >= 0 && face[0].y >= 0 && face[1].x <= win.width && face[1].y <= win.height,
               "dialog at " + face + " in " + win.width + " x " + win.height)
        fuzzyCompare((face[0].x + face[1].x) / 2, win.width / 2, 1)
        data.items.forEach(function(name) {
            var item = findChild(dialog.contentItem, name)
            verify(item, "no " + name)
            var shown = [item.mapToItem(win.contentItem, 0, 0), item.mapToItem(win.contentItem, item.width, item.height)]
            verify(shown[0].x >= face[0].x && shown[1].x <= face[1].x && shown[0].y >= face[0].y && shown[1].y <= face[1].y,
                   name + " at " + shown + " outside the dialog at " + face)
        })
        dialog.close()
    }
}
