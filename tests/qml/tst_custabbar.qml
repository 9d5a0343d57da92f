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
        name: "CusTabBar"
        when: windowShown

        Component {
            id: barComponent
            CusTabBar {}
        }

        function test_tabs_data() {
            return [
                { tag: "three tabs", properties: {}, shown: ["NOTE", "CC", "PC"] },
                { tag: "empty text3", properties: { text1: "CC", text2: "MC", text3: "" }, shown: ["CC", "MC"] }
            ]
        }

        function test_tabs(data) {
            var bar = createTemporaryObject(barComponent, stage, data.properties)
            verify(bar)
            waitForRendering(bar)
            var shown = []
            var right = 0
            for (var i = 0; i < bar.count; ++i) {
                var tab = bar.itemAt(i)
                if (tab.visible && tab.width > 0) {
                    shown.push(tab.text)
                    right = Math.max(right, tab.x + tab.width)
                }
            }
            compare(shown, data.shown)
            // A hidden tab leaves no gap: the bar is as wide as the tabs it shows.
            verify(bar.contentWidth <= right + bar.spacing)
        }
    }
}
