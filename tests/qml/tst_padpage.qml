import QtQuick 2.15
import QtTest 1.15
import modular 1.0

// The pad editors against the real configuration model.
Item {
    id: stage
    width: 1000
    height: 700

    Component {
        id: pageComponent
        PadPage {}
    }

    TestCase {
        name: "PadPage"
        when: windowShown

        function init() {
            DataMgt.initDefaultData()
        }

        function cellsOf(page) {
            var cells = []
            for (var i = 0; i < page.children.length; ++i) {
                var column = page.children[i]
                if (column.children.length === 2)
                    cells.push({ key: column.children[0], label: column.children[1] })
            }
            return cells
        }

        function cell(bank, i) {
            // Room on both sides: a popup that would leave the window is pushed back inside.
            var page = createTemporaryObject(pageComponent, stage, { pageNum: bank, x: 230 })
            verify(page)
            waitForRendering(page)
            var cells = cellsOf(page)
            compare(cells.length, 16)
            return cells[i]
        }

        // Replaces a box's text by typing, then finishes editing with Return.
        function type(box, typed) {
            box.textInput.forceActiveFocus()
            box.textInput.selectAll()
            keyClick(Qt.Key_Delete)
            for (var i = 0; i < typed.length; ++i)
                keyClick(typed.charAt(i))
            keyClick(Qt.Key_Return)
        }

        function test_cellsFollowTheController_data() {
            return [
                { tag: "bank A bottom-left", bank: 0, cell: 12, pad: 0, label: "PAD1" },
                { tag: "bank A top-left", bank: 0, cell: 0, pad: 12, label: "PAD13" },
                { tag: "bank B top-left", bank: 1, cell: 0, pad: 28, label: "PAD13" },
                { tag: "bank C bottom-right", bank: 2, cell: 15, pad: 35, label: "PAD4" },
                { tag: "bank C second row", bank: 2, cell: 5, pad: 41, label: "PAD10" }
            ]
        }

        // A typed number lands on the pad the label names, and nowhere else.
        function test_cellsFollowTheController(data) {
            var c = cell(data.bank, data.cell)
            compare(c.key.realIndex, data.pad)
            compare(c.label.text, data.label)
            c.key.tabBar.currentIndex = 1
            type(c.key.input, "99")
            for (var pad = 0; pad < 48; ++pad)
                compare(DataMgt.getPadInfo(pad).padData, pad === data.pad ? 99 : 24 + pad, "pad " + pad)
            compare(DataMgt.getPadInfo(data.pad).padtype, 1)
        }

        function test_typedNumberIsKeptInRange() {
            var key = cell(0, 12).key
            type(key.input, "200")
            compare(key.input.textInput.text, "127")
            compare(DataMgt.getPadInfo(0).padData, 127)
            compare(key.cbxNote.displayText, "G9")
        }

        // The box and the note chooser are one field in NOTE mode only.
        function test_ccNumberLeavesTheNoteAlone() {
            var key = cell(0, 12).key
            compare(key.state, "noteState")
            key.cbxNote.currentIndex = 36
            key.cbxNote.activated(36)
            compare(DataMgt.getPadInfo(0).padData, 36)

            key.tabBar.currentIndex = 1
            compare(key.state, "")
            verify(!key.cbxNote.enabled)
            verify(key.btnState.enabled)
            type(key.input, "60")
            compare(key.cbxNote.currentIndex, 36)
            compare(DataMgt.getPadInfo(0).padData, 60)

            key.tabBar.currentIndex = 0
            compare(key.input.textInput.text, "36")
            // What is shown is what is sent.
            compare(DataMgt.getPadInfo(0).padData, 36)
            compare(DataMgt.getPadInfo(0).padtype, 0)
        }

        function test_choosingNoteIsOneUndoStep_data() {
            return [
                { tag: "from CC", from: 1 },
                { tag: "from PC", from: 2 }
            ]
        }

        // Picking NOTE stores the type and the chooser's note; one undo takes back both.
        function test_choosingNoteIsOneUndoStep(data) {
            var key = cell(0, 12).key
            mouseClick(key.tabBar.itemAt(data.from))
            compare(DataMgt.getPadInfo(0).padtype, data.from)
            type(key.input, "60")
            compare(DataMgt.getPadInfo(0).padData, 60)

            mouseClick(key.tabBar.itemAt(0))
            compare(DataMgt.getPadInfo(0).padtype, 0)
            compare(DataMgt.getPadInfo(0).padData, 24)

            DataMgt.undo()
            compare(DataMgt.getPadInfo(0).padtype, data.from)
            compare(DataMgt.getPadInfo(0).padData, 60)
            compare(key.tabBar.currentIndex, data.from)
            compare(key.input.textInput.text, "60")

            DataMgt.redo()
            compare(DataMgt.getPadInfo(0).padtype, 0)
            compare(DataMgt.getPadInfo(0).padData, 24)
            compare(key.input.textInput.text, "24")
        }

        function test_programChangeDisablesChooserAndSwitch() {
            var key = cell(0, 0).key
            key.tabBar.currentIndex = 2
            verify(!key.cbxNote.enabled)
            verify(!key.btnState.enabled)
            compare(DataMgt.getPadInfo(12).padtype, 2)
        }

        function test_reloadShowsTheModel() {
            var key = cell(1, 0).key
            DataMgt.setPadInfo(28, "padtype", 1)
            DataMgt.setPadInfo(28, "padData", 64)
            DataMgt.setPadInfo(28, "padCh", 10)
            DataMgt.setPadInfo(28, "padMode", 1)
            DataMgt.setPadInfo(28, "padRGB", "#ff0080")
            DataMgt.s_updateDate()
            compare(key.tabBar.currentIndex, 1)
            compare(key.input.textInput.text, "64")
            compare(key.cbxCH.currentText, "10")
            verify(key.btnState.checked)
            compare(key.btnState.text, "Toggle")
            // The model keeps 127/0/64; the swatch shows each component doubled.
            compare(String(key.colorRect.color), "#fe0080")
        }

        function test_channelAndSwitchAreStored() {
            var key = cell(0, 12).key
            key.tabBar.currentIndex = 1
            key.cbxCH.forceActiveFocus()
            keyClick(Qt.Key_Down)
            keyClick(Qt.Key_Down)
            compare(key.cbxCH.currentText, "3")
            compare(DataMgt.getPadInfo(0).padCh, 3)
            mouseClick(key.btnState)
            compare(DataMgt.getPadInfo(0).padMode, 1)
            mouseClick(key.btnState)
            compare(DataMgt.getPadInfo(0).padMode, 0)
        }

        // Tab walks a pad's fields in reading order and then on to the next pad.
        function test_tabOrder() {
            var page = createTemporaryObject(pageComponent, stage, { pageNum: 0, x: 230 })
            var cells = cellsOf(page)
            var key = cells[0].key
            key.tabBar.currentIndex = 1
            key.input.textInput.forceActiveFocus()
            // The note chooser is disabled in CC mode, so Tab passes it by.
            var expected = [key.cbxCH, key.btnState, key.colorRect,
                            key.tabBar.itemAt(0), key.tabBar.itemAt(1), key.tabBar.itemAt(2),
                            cells[1].key.input.textInput]
            for (var i = 0; i < expected.length; ++i) {
                keyClick(Qt.Key_Tab)
                verify(expected[i].activeFocus, "step " + i)
            }
            compare(key.Accessible.name, "Pad 13")
        }

        function test_gridPopupStaysInsideTheWindow_data() {
            return [
                { tag: "left column", cell: 12, shift: 0 },
                { tag: "third column", cell: 14, shift: 0 },
                { tag: "rightmost column", cell: 15, shift: -200 }
            ]
        }

        function test_gridPopupStaysInsideTheWindow(data) {
            var chooser = cell(0, data.cell).key.cbxNote
            chooser.popup.open()
            tryCompare(chooser.popup, "opened", true)
            compare(chooser.popup.x, (chooser.width - chooser.popup.width) / 2 + data.shift)
            compare(chooser.popup.width, 30 * 11 + 10)
            compare(chooser.popup.contentItem.count, 128)
            chooser.popup.close()
            tryCompare(chooser.popup, "visible", false)
            // The 128 entries exist only while the popup is open.
            compare(chooser.popup.contentItem.count, 0)
        }

        // From QML a string argument picks the text overload of setPadInfo.
        function test_textValuesReachTheModel_data() {
            return [
                { tag: "channel as text", key: "padCh", value: "12", stored: 12 },
                { tag: "note as text", key: "padData", value: "64", stored: 64 },
                { tag: "mode as text", key: "padMode", value: "1", stored: 1 },
                { tag: "not a number", key: "padCh", value: "twelve", stored: 1 },
                { tag: "colour byte as text", key: "padR", value: "10", stored: 90 },
                { tag: "unknown key", key: "padChannel", value: "5", stored: 1 }
            ]
        }

        function test_textValuesReachTheModel(data) {
            var before = DataMgt.getPadInfo(5)
            DataMgt.setPadInfo(5, data.key, data.value)
            var after = DataMgt.getPadInfo(5)
            var key = data.key in after ? data.key : "padCh"
            compare(after[key], data.stored)
            for (var field in after) {
                if (field !== key)
                    compare(after[field], before[field], field)
            }
        }
    }
}
