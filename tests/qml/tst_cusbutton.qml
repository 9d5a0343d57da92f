import QtQuick 2.15
import QtTest 1.15
import BaseControl 1.0

// Test objects live in this visible item: a TestCase itself is never shown.
Item {
    id: stage
    width: 300
    height: 100

    TestCase {
        id: testCase
        name: "CusButton"
        when: windowShown

        Component {
            id: buttonComponent
            CusButton {
                width: 100
                height: 24
                text: "SEND"
            }
        }

        // The face: disabled first, then pressed or checked, then hovered, then normal.
        function test_face_data() {
            return [
                { tag: "disabled while hovered", hover: true, press: false, checked: false, enabled: false, face: "backgroundColorDisable" },
                { tag: "disabled while pressed", hover: true, press: true, checked: false, enabled: false, face: "backgroundColorDisable" },
                { tag: "disabled while checked", hover: false, press: false, checked: true, enabled: false, face: "backgroundColorDisable" },
                { tag: "pressed", hover: true, press: true, checked: false, enabled: true, face: "backgroundColorPressed" },
                { tag: "checked", hover: false, press: false, checked: true, enabled: true, face: "backgroundColorPressed" },
                { tag: "hovered", hover: true, press: false, checked: false, enabled: true, face: "backgroundColorHovered" },
                { tag: "normal", hover: false, press: false, checked: false, enabled: true, face: "backgroundColorNormal" }
            ]
        }

        function test_face(data) {
            var button = createTemporaryObject(buttonComponent, stage, { checkable: data.checked, checked: data.checked })
            verify(button)
            waitForRendering(button)
            if (data.hover) {
                mouseMove(button, 10, 10)
                tryCompare(button, "hovered", true)
            }
            if (data.press) {
                mousePress(button, 10, 10)
                verify(button.pressed)
            }
            button.enabled = data.enabled
            verify(Qt.colorEqual(button.backgroundColor, button[data.face]), "face " + button.backgroundColor)
            verify(Qt.colorEqual(button.background.color, button[data.face]))
            if (data.press)
                mouseRelease(button, 10, 10)
            mouseMove(stage, stage.width - 1, stage.height - 1)
        }
    }
}
