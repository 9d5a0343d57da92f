import QtQuick 2.15
import QtTest 1.15
import modular 1.0

// The knob and touch-strip editors against the real configuration model.
Item {
    id: stage
    width: 400
    height: 400

    Component {
        id: bqmPageComponent
        BQMPage {}
    }
    Component {
        id: beltPageComponent
        WalkingBeltPage {}
    }

    TestCase {
        name: "KnobsAndStrip"
        when: windowShown

        function init() {
            DataMgt.initDefaultData()
        }

        // The editors a page made, in reading order.
        function editors(page) {
            var found = []
            for (var i = 0; i < page.children.length; ++i) {
                var column = page.children[i]
                if (column.children.length === 2)
                    found.push(column.children[1])
            }
            return found
        }

        function knob(bank, i) {
            var page = createTemporaryObject(bqmPageComponent, stage, { pageNum: bank })
            verify(page)
            var found = editors(page)
            compare(found.length, 4)
            return found[i]
        }

        function type(box, typed) {
            box.textInput.forceActiveFocus()
            box.textInput.selectAll()
            keyClick(Qt.Key_Delete)
            for (var i = 0; i < typed.length; ++i)
                keyClick(typed.charAt(i))
            keyClick(Qt.Key_Return)
        }

        function test_knobIndex_data() {
            return [
                { tag: "bank A first", bank: 0, cell: 0, index: 0 },
                { tag: "bank C second", bank: 2, cell: 1, index: 9 },
                { tag: "bank B last", bank: 1, cell: 3, index: 7 }
            ]
        }

        function test_knobIndex(data) {
            var editor = knob(data.bank, data.cell)
            compare(editor.index, data.index)
            type(editor.inputValue, "88")
            for (var k = 0; k < 12; ++k)
                compare(DataMgt.getBQMInfo(k).bqmData === 88, k === data.index, "knob " + k)
        }

        function visibleCaptions(editor) {
            var captions = []
            for (var i = 0; i < editor.children.length; ++i) {
                var item = editor.children[i]
                if (item.visible && item.text !== undefined && item.textInput === undefined
                        && ["MIN", "MAX", "LSB MIN", "MSB MIN"].indexOf(item.text) >= 0)
                    captions.push({ text: item.text, x: item.x, y: item.y })
            }
            captions.sort(function(a, b) { return a.y - b.y || a.x - b.x })
            return captions.map(function(c) { return c.text })
        }

        function test_pitchBendShowsFourLimits() {
            var editor = knob(0, 0)
            compare(visibleCaptions(editor), ["MIN", "MAX"])
            verify(editor.inputValue.enabled)

            editor.tabBar.currentIndex = 2
            compare(editor.state, "pitchState")
            compare(visibleCaptions(editor), ["LSB MIN", "MAX", "MSB MIN", "MAX"])
            verify(!editor.inputValue.enabled)
            verify(editor.inputmsbMin.visible && editor.inputmsbMax.visible)
            compare([editor.inputMin.x, editor.inputMin.width], [50, 32])
            compare(DataMgt.getBQMInfo(0).bqmType, 2)

            editor.tabBar.currentIndex = 1
            verify(!editor.inputValue.enabled)
            compare(visibleCaptions(editor), ["MIN", "MAX"])

            editor.tabBar.currentIndex = 0
            compare(visibleCaptions(editor), ["MIN", "MAX"])
            verify(editor.inputValue.enabled)
            verify(!editor.inputmsbMin.visible && !editor.inputmsbMax.visible)
            compare([editor.inputMin.x, editor.inputMin.width], [63, 56])
            compare(DataMgt.getBQMInfo(0).bqmType, 0)
        }

        function test_limitsAreKeptInRange_data() {
            return [
                { tag: "MIN", box: "inputMin", key: "bqmLsbMin" },
                { tag: "MAX", box: "inputMax", key: "bqmLsbMax" },
                { tag: "MSB MIN", box: "inputmsbMin", key: "bqmMsbMin" },
                { tag: "MSB MAX", box: "inputmsbMax", key: "bqmMsbMax" }
            ]
        }

        function test_limitsAreKeptInRange(data) {
            var editor = knob(1, 2)
            editor.tabBar.currentIndex = 2
            DataMgt.setBQMInfo(6, data.key, 5)
            type(editor[data.box], "300")
            compare(editor[data.box].textInput.text, "127")
            compare(DataMgt.getBQMInfo(6)[data.key], 127)
        }

        function test_knobReloadsTheModel() {
            var editor = knob(2, 3)
            DataMgt.setBQMInfo(11, "bqmType", 2)
            DataMgt.setBQMInfo(11, "bqmCh", 16)
            DataMgt.setBQMInfo(11, "bqmMsbMax", 99)
            DataMgt.s_updateDate()
            compare(editor.state, "pitchState")
            compare(editor.cbxCH.currentText, "16")
            compare(editor.inputmsbMax.textInput.text, "99")
        }

        function belt(i) {
            var page = createTemporaryObject(beltPageComponent, stage)
            verify(page)
            var found = editors(page)
            compare(found.length, 6)
            return found[i]
        }

        // MC only greys the channel and the switch out: what is stored stays.
        function test_mcKeepsChannelAndMode() {
            var editor = belt(3)
            compare(editor.index, 3)
            editor.cbxCH.forceActiveFocus()
            keyClick(Qt.Key_Down)
            mouseClick(editor.btnState)
            compare(DataMgt.getWalkingBeltInfo(3).wbCh, 2)
            compare(DataMgt.getWalkingBeltInfo(3).wbMode, 1)

            editor.tabBar.currentIndex = 1
            verify(!editor.cbxCH.enabled)
            verify(!editor.btnState.enabled)
            compare(DataMgt.getWalkingBeltInfo(3), { wbtype: 1, wbData: 24, wbCh: 2, wbMode: 1 })

            DataMgt.s_updateDate()
            compare(editor.tabBar.currentIndex, 1)
            compare(editor.cbxCH.currentText, "2")
            verify(editor.btnState.checked)

            editor.tabBar.currentIndex = 0
            verify(editor.cbxCH.enabled && editor.btnState.enabled)
            type(editor.inputValue, "70")
            compare(DataMgt.getWalkingBeltInfo(3).wbData, 70)
        }
    }
}
