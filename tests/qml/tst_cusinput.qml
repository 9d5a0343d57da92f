import QtQuick 2.15
import QtTest 1.15
import BaseControl 1.0

// Test objects live in this visible item: a TestCase itself is never shown.
Item {
    id: stage
    width: 200
    height: 100

    TestCase {
        id: testCase
        name: "CusInput"
        when: windowShown

        Component {
            id: inputComponent
            CusInput {}
        }

        // Replaces the box's text by typing `typed`, then finishes editing with Return.
        function type(box, typed) {
            box.textInput.forceActiveFocus()
            box.textInput.selectAll()
            keyClick(Qt.Key_Delete)
            for (var i = 0; i < typed.length; ++i)
                keyClick(typed.charAt(i))
            keyClick(Qt.Key_Return)
        }

        function test_keptWithinRange_data() {
            return [
                { tag: "above the range", maxRange: 127, typed: "200", kept: "127" },
                { tag: "at the range", maxRange: 127, typed: "127", kept: "127" },
                { tag: "inside the range", maxRange: 127, typed: "42", kept: "42" },
                { tag: "empty", maxRange: 127, typed: "", kept: "0" },
                { tag: "zeros", maxRange: 127, typed: "000", kept: "0" },
                { tag: "leading zeros", maxRange: 127, typed: "007", kept: "7" },
                { tag: "colour range", maxRange: 255, typed: "300", kept: "255" },
                { tag: "fourth digit", maxRange: 999, typed: "1234", kept: "123" }
            ]
        }

        function test_keptWithinRange(data) {
            var box = createTemporaryObject(inputComponent, stage, { maxRange: data.maxRange })
            verify(box)
            var finished = createTemporaryObject(signalSpyComponent, stage,
                                                 { target: box.textInput, signalName: "editingFinished" })
            type(box, data.typed)
            compare(box.textInput.text, data.kept)
            compare(finished.count, 1)
        }

        function test_startsAtZero() {
            var box = createTemporaryObject(inputComponent, stage)
            compare(box.textInput.text, "0")
        }

        Component {
            id: signalSpyComponent
            SignalSpy {}
        }
    }
}
