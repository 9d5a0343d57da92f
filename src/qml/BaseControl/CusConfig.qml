pragma Singleton
import QtQuick 2.15

// The colours, fonts and radii of the whole interface.
QtObject {
    readonly property string fontFamily: "微软雅黑"
    readonly property real fontSizeLevel2: 12
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

    readonly property int radiuSize1: 15
    readonly property int radiuSize2: 10
    readonly property int radiuSize3: 5
}
