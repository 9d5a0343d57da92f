import QtQuick 2.15
import QtTest 1.15
import BaseControl 1.0
import component 1.0
import modular 1.0

// The colour dialog and "Auto Populate" as a person uses them: the pointer on the wheel, clicks
// on rows, buttons and lists, against the real configuration model; drawn at the scaling rates
// users have, as the window draws them.
Item {
    id: stage
    // Room for the dialogs at 150 %.
    width: 1240
    height: 730

    ScaledScene {
        // The dialogs centre themselves in this, in design units.
        Item {
            id: holder
            width: 820
            height: 480
        }
    }

    Component {
        id: colourDialogComponent
        ColorDialog {}
    }
    Component {
        id: autoPopulateComponent
        FunctionDialog {}
    }
    Component {
        id: channelListComponent
        ChannelList {}
    }

    TestCase {
        name: "ColourAndAutoPopulate"
        when: windowShown

        function init() {
            DataMgt.initDefaultData()
            DataMgt.setCurveInten("curve", 0)
            DataMgt.setCurveInten("intensity", 127)
        }

        function cleanup() {
            Tran.reTrans("English")
            Scaling.scalingRate = 1
        }

        // Each case at 100 % and at 150 %.
        function atRates(cases) {
            var all = []
            ;[1, 1.5].forEach(function(rate) {
                cases.forEach(function(c) {
                    var copy = { rate: rate }
                    for (var key in c)
                        copy[key] = c[key]
                    copy.tag = c.tag + " at " + (rate * 100) + " %"
                    all.push(copy)
                })
            })
            return all
        }

        function openColourDialog(pad) {
            var dialog = createTemporaryObject(colourDialogComponent, holder)
            verify(dialog)
            dialog.show(pad, null, "#000000")
            tryCompare(dialog, "opened", true)
            waitForRendering(dialog.contentItem)
            return dialog
        }

        function openAutoPopulate() {
            var dialog = createTemporaryObject(autoPopulateComponent, holder)
            verify(dialog)
            dialog.show()
            tryCompare(dialog, "opened", true)
            waitForRendering(dialog.contentItem)
            return dialog
        }

        function inDialog(dialog, objectName) {
            var found = findChild(dialog.contentItem, objectName)
            verify(found, "no item named " + objectName)
            return found
        }

        function colourName(pixel) {
            return Qt.rgba(pixel.r, pixel.g, pixel.b, 1).toString()
        }

        // What the window shows of `item` at (x, y) in the item. Dialogs live in the window's
        // overlay, so the window is grabbed whole rather than the item alone.
        function pixelOf(image, item, x, y) {
            var p = item.mapToItem(stage, x, y)
            return image.pixel(Math.floor(p.x), Math.floor(p.y))
        }

        function near(colour, expected, tolerance) {
            for (var i = 1; i < 7; i += 2) {
                if (Math.abs(parseInt(colour.substr(i, 2), 16) - parseInt(expected.substr(i, 2), 16)) > tolerance)
                    return false
            }
            return true
        }

        // Every point of a drag picks the colour that the wheel shows under the pointer; the
        // marker of the previous point (7 to 10 pixels around it) is never taken for it. Drawn
        // larger, a screen pixel blends neighbouring colours of the wheel by a few levels.
        function test_dragPicksTheColourUnderThePointer_data() {
            return atRates([
                { tag: "rightwards by 8", x: 180, y: 60, dx: 8, dy: 0 },
                { tag: "downwards by 8", x: 90, y: 100, dx: 0, dy: 8 },
                { tag: "leftwards by 9", x: 250, y: 200, dx: -9, dy: 0 },
                { tag: "upwards by 10", x: 150, y: 260, dx: 0, dy: -10 },
            ])
        }

        function test_dragPicksTheColourUnderThePointer(data) {
            Scaling.scalingRate = data.rate
            var tolerance = data.rate === 1 ? 0 : 8
            var dialog = openColourDialog(5)
            var palette = inDialog(dialog, "colorPalette")
            var area = inDialog(dialog, "paletteArea")
            var wheel = grabImage(stage)
            var x = data.x
            var y = data.y
            mousePress(area, x, y)
            for (var step = 0; step < 4; ++step) {
                // The wheel repaints with the marker before the pointer moves on.
                waitForRendering(palette)
                var shown = colourName(pixelOf(wheel, palette, x, y))
                var picked = dialog.currentColor
                verify(near(picked, shown, tolerance), "picked " + picked + " at " + x + ", " + y + " showing " + shown)
                compare(inDialog(dialog, "inputR").textInput.text, String(parseInt(picked.substr(1, 2), 16)))
                compare(inDialog(dialog, "inputG").textInput.text, String(parseInt(picked.substr(3, 2), 16)))
                compare(inDialog(dialog, "inputB").textInput.text, String(parseInt(picked.substr(5, 2), 16)))
                x += data.dx
                y += data.dy
                mouseMove(area, x, y)
            }
            mouseRelease(area, x, y)
            picked = dialog.currentColor
            mouseClick(inDialog(dialog, "confirmButton"))
            tryCompare(dialog, "visible", false)
            var info = DataMgt.getPadInfo(5)
            compare([info.padR, info.padG, info.padB],
                    [parseInt(picked.substr(1, 2), 16) >> 1, parseInt(picked.substr(3, 2), 16) >> 1,
                     parseInt(picked.substr(5, 2), 16) >> 1])
        }

        // The R, G, B boxes are filled like the dialog: their edge must stand out from it.
        function test_componentBoxesShow_data() {
            return atRates([ { tag: "R", box: "inputR" }, { tag: "G", box: "inputG" }, { tag: "B", box: "inputB" } ])
        }

        function test_componentBoxesShow(data) {
            Scaling.scalingRate = data.rate
            var dialog = openColourDialog(0)
            var box = inDialog(dialog, data.box)
            verify(!box.textInput.activeFocus)
            var image = grabImage(stage)
            var edge = pixelOf(image, box, 0, box.height / 2)
            var outside = pixelOf(image, box, -3, box.height / 2)
            var contrast = Math.abs(edge.r - outside.r) + Math.abs(edge.g - outside.g) + Math.abs(edge.b - outside.b)
            verify(contrast > 0.25, "box edge " + edge + " on " + outside)
        }

        // A row by its label; `kind` ("konbItem" or "padItem"), when given, tells the knobs' row
        // from the pads' row of the same name.
        function row(dialog, label, kind) {
            var stack = [dialog.contentItem]
            while (stack.length > 0) {
                var item = stack.pop()
                if ((kind ? item.objectName === kind : item.objectName === "konbItem" || item.objectName === "padItem")
                        && (item.text === label || item.textMin === label || item.leftText === label))
                    return item
                for (var i = 0; i < item.children.length; ++i)
                    stack.push(item.children[i])
            }
            fail("no row " + label)
        }

        function padColours() {
            var colours = []
            for (var pad = 0; pad < 48; ++pad) {
                var info = DataMgt.getPadInfo(pad)
                colours.push([info.padR, info.padG, info.padB])
            }
            return colours
        }

        // The velocity curve, the Full Level and the brightness are applied with every bank;
        // the dialog opens with the configuration's values, so an apply that leaves those rows
        // alone keeps them. Moving the slider does set the brightness of the bank applied.
        function test_applyKeepsWhatWasNotTouched_data() {
            return [
                { tag: "bank A, defaults", bank: "applyA", curve: 0, level: 127, dim: 0, shownCurve: "FULL", shownLevel: 0.71 },
                { tag: "bank B, LINEAR at 100, B dimmed", bank: "applyB", curve: 2, level: 100, dim: 2, shownCurve: "LINEAR", shownLevel: 0.71 },
                { tag: "bank C, EXP at 3, A dimmed", bank: "applyC", curve: 3, level: 3, dim: 1, shownCurve: "EXP", shownLevel: 0.3 },
                { tag: "bank B, LO at 64, slider moved", bank: "applyB", curve: 1, level: 64, dim: 0, shownCurve: "LO", shownLevel: 0.71, slideTo: 0.25 },
            ]
        }

        function test_applyKeepsWhatWasNotTouched(data) {
            DataMgt.setCurveInten("curve", data.curve)
            DataMgt.setCurveInten("intensity", data.level)
            if (data.dim)
                DataMgt.setLum(data.dim, 0.3)
            var before = padColours()

            var dialog = openAutoPopulate()
            var curve = row(dialog, "Velocity Curve")
            var level = row(dialog, "Full Level")
            var slider = inDialog(dialog, "sliderLum")
            compare(curve.cbx.displayText, data.shownCurve)
            compare(findChild(level, "input").textInput.text, String(data.level))
            fuzzyCompare(slider.value, data.shownLevel, 0.005)

            var bank = { applyA: 1, applyB: 2, applyC: 3 }[data.bank]
            if (data.slideTo !== undefined) {
                var travel = slider.availableWidth - slider.handle.width
                mouseClick(slider, slider.leftPadding + slider.handle.width / 2 + data.slideTo * travel,
                           slider.height / 2)
                fuzzyCompare(slider.value, data.slideTo, 0.02)
                for (var pad = 16 * (bank - 1); pad < 16 * bank; ++pad)
                    before[pad][(bank - 1)] = Math.floor(127 * slider.value)
            }
            mouseClick(inDialog(dialog, data.bank))

            compare(DataMgt.getCurveInten("curve"), data.curve)
            compare(DataMgt.getCurveInten("intensity"), data.level)
            var after = padColours()
            for (pad = 0; pad < 48; ++pad)
                compare(after[pad], before[pad], "pad " + pad)
        }

        // Every entry of the drop-downs is shown whole inside its list, in both languages (the
        // dialog is built once: the language may change after it was).
        function test_listEntriesShowWhole_data() {
            var rows = [
                { label: "Velocity Curve", entries: ["FULL", "LO", "LINEAR", "EXP"] },
                { label: "Set CC CH", entries: ["1", "9", "16"] },
            ]
            var cases = []
            ;["English", "简体中文"].forEach(function(language) {
                rows.forEach(function(r) {
                    cases.push({ tag: r.label + ", " + language, language: language, label: r.label, count: r.entries.length })
                })
            })
            return atRates(cases)
        }

        function test_listEntriesShowWhole(data) {
            Scaling.scalingRate = data.rate
            var dialog = openAutoPopulate()
            Tran.reTrans(data.language)
            var cbx = row(dialog, qsTranslate("FunctionDialog", data.label)).cbx
            mouseClick(cbx)
            tryCompare(cbx.popup, "opened", true)
            var list = cbx.popup.contentItem
            waitForRendering(list)
            var seen = 0
            for (var i = 0; i < list.contentItem.children.length; ++i) {
                var entry = list.contentItem.children[i]
                if (!entry.contentItem || !entry.visible)
                    continue
                ++seen
                var text = entry.contentItem
                // Centred text: what runs past the list's edges on either side is cut off.
                var left = entry.x + (entry.width - text.contentWidth) / 2
                verify(left >= 0 && left + text.contentWidth <= list.width,
                       "\"" + text.text + "\" is " + text.contentWidth + " wide in a list " + list.width + " wide")
            }
            verify(seen >= Math.min(data.count, 4))
            keyClick(Qt.Key_Escape)
            tryCompare(cbx.popup, "visible", false)

            // Each entry picked shows whole on the face too.
            for (var pick = 0; pick < Math.min(data.count, 4); ++pick) {
                mouseClick(cbx)
                tryCompare(cbx.popup, "opened", true)
                waitForRendering(list)
                mouseClick(list.itemAtIndex(pick))
                tryCompare(cbx.popup, "visible", false)
                compare(cbx.currentIndex, pick)
                verify(!cbx.contentItem.truncated, cbx.contentItem.text)
            }
        }

        // Every channel row offers the channels an editor's channel list offers, and a checked
        // row gives the bank's knobs or pads the channel picked in it (and its message type).
        function test_channelRowsGiveTheChannelPicked_data() {
            return [
                { tag: "knobs, CC", kind: "konbItem", label: "Set CC CH", channel: 16, type: 0 },
                { tag: "knobs, CHN TOUCH", kind: "konbItem", label: "Set CHN TOUCH CH", channel: 3, type: 1 },
                { tag: "knobs, PITCH BEND", kind: "konbItem", label: "Set PITCH BEND CH", channel: 9, type: 2 },
                { tag: "pads, NOTE", kind: "padItem", label: "Set NOTE CH", channel: 2, type: 0 },
                { tag: "pads, CC", kind: "padItem", label: "Set CC CH", channel: 10, type: 1 },
                { tag: "pads, PC", kind: "padItem", label: "Set PC CH", channel: 15, type: 2 },
            ]
        }

        function test_channelRowsGiveTheChannelPicked(data) {
            var editorList = createTemporaryObject(channelListComponent, stage)
            verify(editorList)
            var dialog = openAutoPopulate()
            var channelRow = row(dialog, data.label, data.kind)
            var cbx = channelRow.cbx
            compare(cbx.count, 16)
            compare(cbx.count, editorList.count)
            for (var i = 0; i < cbx.count; ++i)
                compare(cbx.textAt(i), editorList.textAt(i))

            mouseClick(cbx)
            tryCompare(cbx.popup, "opened", true)
            var list = cbx.popup.contentItem
            list.positionViewAtIndex(data.channel - 1, ListView.Contain)
            waitForRendering(list)
            mouseClick(list.itemAtIndex(data.channel - 1))
            tryCompare(cbx.popup, "visible", false)
            compare(cbx.displayText, String(data.channel))
            mouseClick(channelRow.checkBox)
            mouseClick(inDialog(dialog, "applyB"))

            var knobs = data.kind === "konbItem"
            var perBank = knobs ? 4 : 16
            var info = function(k) { return knobs ? DataMgt.getBQMInfo(k) : DataMgt.getPadInfo(k) }
            for (var k = perBank; k < 2 * perBank; ++k) {
                compare(knobs ? info(k).bqmCh : info(k).padCh, data.channel, "bank B, " + k)
                compare(knobs ? info(k).bqmType : info(k).padtype, data.type, "bank B, " + k)
            }
            // Bank A keeps its channel.
            compare(knobs ? info(0).bqmCh : info(0).padCh, 1)
        }

        // Every group's caption sits in a gap of the frame line, in both languages.
        function test_captionsClearTheFrameLine_data() {
            return [ { tag: "English", language: "English" }, { tag: "Chinese", language: "简体中文" } ]
        }

        function test_captionsClearTheFrameLine(data) {
            var dialog = openAutoPopulate()
            Tran.reTrans(data.language)
            var captions = []
            var search = function(item) {
                if (item.objectName === "caption")
                    captions.push(item)
                for (var i = 0; i < item.children.length; ++i)
                    search(item.children[i])
            }
            search(dialog.contentItem)
            compare(captions.length, 4)
            captions.forEach(function(caption) {
                var mask = findChild(caption.parent, "captionMask")
                verify(mask.x + mask.width >= caption.x + caption.contentWidth + 2,
                       "\"" + caption.text + "\" ends at " + (caption.x + caption.contentWidth) + ", its gap at " + (mask.x + mask.width))
            })
        }

        // The tick of a checked row shows (in the mark colour), also with the software renderer.
        function test_checkedRowsShowTheirTick_data() {
            return atRates([
                { tag: "knob row checked", label: "Set CC CH", check: true },
                { tag: "pad row checked", label: "NOTE range starting at", check: true },
                { tag: "row left unchecked", label: "Set CC Type", check: false },
            ])
        }

        function test_checkedRowsShowTheirTick(data) {
            Scaling.scalingRate = data.rate
            var dialog = openAutoPopulate()
            var box = row(dialog, data.label).checkBox
            if (data.check)
                mouseClick(box)
            compare(box.checked, data.check)
            // Away from the box: a hovered tick may take another colour.
            mouseMove(dialog.contentItem, 5, 5)
            waitForRendering(box)
            var image = grabImage(stage)
            var marked = 0
            for (var y = 1; y < box.height - 1; ++y) {
                for (var x = 1; x < box.width - 1; ++x) {
                    var pixel = pixelOf(image, box, x, y)
                    if (pixel.r > 0.8 && Math.abs(pixel.g - 0.47) < 0.15 && pixel.b < 0.3)
                        ++marked
                }
            }
            if (data.check)
                verify(marked >= 8, marked + " pixels of the mark colour")
            else
                compare(marked, 0)
        }
    }
}
