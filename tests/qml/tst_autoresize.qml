import QtQuick 2.15
import QtTest 1.15
import "qrc:/qml"

// Test objects live in this visible item: a TestCase itself is never shown.
Item {
    id: stage
    width: 800
    height: 600

    TestCase {
        id: testCase
        name: "AutoResize"
        when: windowShown

        Component {
            id: sceneComponent
            Item {
                property alias resizer: resizer
                property alias box: box
                property alias label: label
                property alias frozen: frozen
                property alias frozenChild: frozenChild
                property alias shell: shell
                property alias shellChild: shellChild

                width: 400
                height: 300

                AutoResize { id: resizer }
                Rectangle {
                    id: box
                    x: 10; y: 20; width: 100; height: 50
                    Text { id: label; x: 4; y: 6; width: 40; height: 10; font.pixelSize: 10 }
                }
                Item {
                    id: frozen
                    objectName: "ingnoreAll"
                    x: 200; y: 100; width: 50; height: 40
                    Rectangle { id: frozenChild; x: 3; y: 4; width: 5; height: 6 }
                }
                Item {
                    id: shell
                    objectName: "ingnoreChildren"
                    x: 300; y: 200; width: 60; height: 30
                    Rectangle { id: shellChild; x: 1; y: 2; width: 7; height: 8 }
                }
            }
        }

        function geometry(item) {
            return [item.x, item.y, item.width, item.height]
        }

        function fuzzyGeometry(item, expected) {
            var actual = geometry(item)
            for (var i = 0; i < 4; ++i)
                fuzzyCompare(actual[i], expected[i], 1e-6, "coordinate " + i + " of " + actual)
        }

        function setRatios(resizer, horizontal, vertical) {
            resizer.verticalRatio = vertical
            resizer.horizontalRatio = horizontal
        }

        function test_nothingChangesBeforeBegin() {
            var scene = createTemporaryObject(sceneComponent, stage)
            setRatios(scene.resizer, 2, 3)
            scene.resizer.resize()
            fuzzyGeometry(scene.box, [10, 20, 100, 50])
            fuzzyGeometry(scene.label, [4, 6, 40, 10])
            compare(scene.label.font.pixelSize, 10)
        }

        function test_scaling_data() {
            return [
                { tag: "per axis", h: 2, v: 1.5, fixed: false, byX: true, fontMax: false,
                  box: [20, 30, 200, 75], label: [8, 9, 80, 15], font: 15 },
                { tag: "fixed aspect ratio", h: 2, v: 1.5, fixed: true, byX: true, fontMax: false,
                  box: [20, 30, 150, 75], label: [8, 9, 60, 15], font: 15 },
                // Centres (60, 45) and (24, 11) scale by each ratio, sizes by the smaller one.
                { tag: "by centre", h: 2, v: 1.5, fixed: true, byX: false, fontMax: false,
                  box: [45, 30, 150, 75], label: [18, 9, 60, 15], font: 15 },
                { tag: "font by the larger ratio", h: 2, v: 1.5, fixed: false, byX: true, fontMax: true,
                  box: [20, 30, 200, 75], label: [8, 9, 80, 15], font: 20 }
            ]
        }

        function test_scaling(data) {
            var scene = createTemporaryObject(sceneComponent, stage)
            var resizer = scene.resizer
            resizer.fixedAspectRatio = data.fixed
            resizer.accordingToX = data.byX
            resizer.fontAccordingToMax = data.fontMax
            resizer.begin()
            verify(resizer.isBegin)
            setRatios(resizer, data.h, data.v)
            fuzzyGeometry(scene.box, data.box)
            fuzzyGeometry(scene.label, data.label)
            compare(scene.label.font.pixelSize, data.font)
        }

        function test_ignoredItemsKeepTheirGeometry() {
            var scene = createTemporaryObject(sceneComponent, stage)
            scene.resizer.begin()
            setRatios(scene.resizer, 2, 2)
            fuzzyGeometry(scene.frozen, [200, 100, 50, 40])
            fuzzyGeometry(scene.frozenChild, [3, 4, 5, 6])
            // Only the children of an "ingnoreChildren" item are left alone.
            fuzzyGeometry(scene.shell, [600, 400, 120, 60])
            fuzzyGeometry(scene.shellChild, [1, 2, 7, 8])
        }

        function test_rescalingStartsFromTheDesign() {
            var scene = createTemporaryObject(sceneComponent, stage)
            scene.resizer.begin()
            var rates = [1.37, 0.83, 2.5, 1.1, 1]
            for (var i = 0; i < rates.length; ++i)
                setRatios(scene.resizer, rates[i], rates[i])
            fuzzyGeometry(scene.box, [10, 20, 100, 50])
            fuzzyGeometry(scene.label, [4, 6, 40, 10])
            compare(scene.label.font.pixelSize, 10)
        }

        function test_switchedOff() {
            var scene = createTemporaryObject(sceneComponent, stage)
            scene.resizer.begin()
            scene.resizer.ifAutoResize = false
            setRatios(scene.resizer, 2, 2)
            fuzzyGeometry(scene.box, [10, 20, 100, 50])
        }
    }
}
