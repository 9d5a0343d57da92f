import QtQuick 2.15
import QtTest 1.15
import ColorP 1.0

Item {
    id: stage
    width: 320
    height: 320

    // Black behind the wheel: the canvas outside it is transparent, and a white marker must
    // stand out.
    Rectangle {
        anchors.fill: parent
        color: "black"
    }

    ColorPalette {
        id: palette
        width: 300
        height: 300
    }

    SignalSpy {
        id: spy
        target: palette
        signalName: "colorChang"
    }

    TestCase {
        name: "ColorPalette"
        when: windowShown

        function init() {
            palette.clearPoint()
            // The first grab paints the wheel, so that there is a canvas to read from.
            grabImage(palette)
            spy.clear()
        }

        // A 300 x 300 wheel has radius 145 around (150, 150); a pixel is on it when its middle
        // is, so on the centre row pixels 5 to 294 are picked, whole and exactly as shown.
        function test_pick_data() {
            return [
                { tag: "rim on the right", x: 294, y: 149, picks: true },
                { tag: "rim on the left", x: 5, y: 149, picks: true },
                { tag: "inside", x: 200, y: 60, picks: true },
                { tag: "just outside the rim on the right", x: 295, y: 149, picks: false },
                { tag: "just outside the rim on the left", x: 4, y: 149, picks: false },
                { tag: "corner", x: 299, y: 299, picks: false },
            ]
        }

        function test_pick(data) {
            var shown = grabImage(palette).pixel(data.x, data.y)
            palette.mouseMove(data.x, data.y)
            compare(spy.count, data.picks ? 1 : 0)
            if (!data.picks)
                return
            var picked = spy.signalArguments[0][0]
            var shownLevels = [shown.r, shown.g, shown.b]
            for (var i = 0; i < 3; ++i) {
                var level = parseInt(picked.substr(1 + 2 * i, 2), 16)
                verify(level === Math.round(shownLevels[i] * 255),
                       "picked " + picked + ", shown " + shown)
            }
        }

        // The marker is four white strokes 7..10 pixels from the pointer; (0, 0) means "none".
        function test_marker_data() {
            return [
                { tag: "pointer in the wheel", x: 150, y: 150, clear: false, marked: true },
                { tag: "cleared", x: 150, y: 150, clear: true, marked: false },
                { tag: "origin", x: 0, y: 0, clear: false, marked: false },
            ]
        }

        function test_marker(data) {
            palette.mouseMove(data.x, data.y)
            if (data.clear)
                palette.clearPoint()
            var image = grabImage(palette)
            var white = Qt.colorEqual(image.pixel(data.x + 9, data.y), "white")
                        && Qt.colorEqual(image.pixel(data.x, data.y + 9), "white")
            compare(white, data.marked)
        }
    }
}
