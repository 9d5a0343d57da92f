pragma Singleton
import QtQuick 2.15

// The colours, fonts and radii of the whole interface.
QtObject {
    readonly property string fontFamily: "微软雅黑"
    // The product's name on the window's panel.
    readonly property real fontSizeProductName: 24
    // Dialog titles and the captions of group frames.
    readonly property real fontSizeLevel1: 18
    readonly property real fontSizeLevel2: 12
    // Text where room is short: link buttons, the batch rows' switch, the strip's channel label,
    // the line under the pads' frame.
    readonly property real fontSizeCompact: 10
    readonly property real fontSizeLevel3: 8

    readonly property color colorElement: "#5e17cc"
    readonly property color colorInput: "#282A2B"
    readonly property color colorInputDisable: "#333333"
    readonly property color colortext: "#E5E5E5"
    readonly property color colorTextDisable: "#a6a6a6"
    readonly property color colorCbxDisable: "#333333"
    readonly property color colorBorderInput: "#707070"
    readonly property color colorTitle: "#E5E5E5"
    readonly property color colorMenbar: "#D9D9D9"
    readonly property color colorTitleText: "#383A3E"
    // Backgrounds of frames, groups and dialogs.
    readonly property color colorFrame: "#f0f0f0"
    // The rising level of a progress item and the fill of a slider's groove.
    readonly property color colorProgress: "#5E17CC"
    // Check ticks, the connected indicator and a new pad's colour.
    readonly property color colorMark: "#FF7900"
    // The window's outline and the product's name on its panel.
    readonly property color colorWindowBorder: "#000000"
    readonly property color colorProductName: "#000000"
    // The text of a highlighted menu entry.
    readonly property color colorMenuTextHighlighted: "#ffffff"
    // The messages of the status toast and of the firmware update dialog.
    readonly property color colorMessageText: "#333333"
    // The connection indicator's text while no controller is connected.
    readonly property color colorDisconnectedText: "#a0a0a0"
    // A link of the connection check that works, and one that fails.
    readonly property color colorStateOk: "#2e8b3a"
    readonly property color colorStateFailed: "#c62828"
    // A slider's handle, at rest, hovered and pressed.
    readonly property color colorHandle: "#CCCCCC"
    readonly property color colorHandleHovered: "#DDDDDD"
    readonly property color colorHandlePressed: "#999999"

    // The MIDI monitor's byte column, whose digits line up from line to line.
    readonly property string fontFamilyMono: "monospace"
    // Every other line of the MIDI monitor, for the eye to follow a line across.
    readonly property color colorRowAlternate: "#e4e4e4"
    // The frame of the control editor that Copy and Paste act on.
    readonly property color colorEditorSelected: "#5e17cc"
    // The short glow of an editor whose control was touched on the controller.
    readonly property color colorTouchHighlight: "#FF7900"

    readonly property int radiuSize1: 15
    readonly property int radiuSize2: 10
    readonly property int radiuSize3: 5
}
