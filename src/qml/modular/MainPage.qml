import QtQuick 2.15
import QtQuick.Templates 2.15 as T
import BaseControl 1.0
import component 1.0

// The device picture with its three editing areas (pads, knobs, walking belt), the bank tabs,
// the send and get buttons and the connection indicator.
Item {
    id: root

    // The editors' pages are built in the background after the first frame: three pad banks,
    // three knob banks and the walking belt.
    property int pagesBuilt: 0
    // Set by the window once its first frame is out: then the other banks are built.
    property bool buildBackground: false
    readonly property bool ready: pagesBuilt === 7

    // The line that says why the MIDI system cannot be opened was clicked.
    signal connectionCheckRequested()

    // The editor of a control ({kind, index, bank} as touch select names it); null while its
    // page is not built.
    function editorOf(control) {
        var page = control.kind === "pad" ? padPages.itemAt(control.bank)
                 : control.kind === "knob" ? bqmPages.itemAt(control.bank)
                 : stripPage
        return page && page.item ? page.item.editorFor(control.index) : null
    }

    // Touch select: the bank of the first pad and of the first knob among `controls` is shown,
    // every control's editor glows, and the first takes the focus (and with it Copy and Paste).
    function showControls(controls) {
        var padBankShown = false
        var knobBankShown = false
        var first = null
        for (var i = 0; i < controls.length; ++i) {
            var control = controls[i]
            if (control.kind === "pad" && !padBankShown) {
                padTabBar.setCurrentIndex(control.bank)
                padBankShown = true
            } else if (control.kind === "knob" && !knobBankShown) {
                bqmTabBar.setCurrentIndex(control.bank)
                knobBankShown = true
            }
            var editor = editorOf(control)
            if (!editor)
                continue
            editor.flash()
            if (!first)
                first = editor
        }
        if (first)
            first.forceActiveFocus()
    }

    width: 998
    height: 732

    Connections {
        target: MainLogic
        function onDevStateChanged(state) {
            connectstae.state = state ? "connect" : ""
        }
    }

    // The device picture, in the variant that suits the screen's scaling.
    Image {
        id: background
        objectName: "background"

        width: 998
        height: 732
        source: Scaling.devicePicture
    }

    Rectangle {
        objectName: "padFrame"
        x: 422
        y: 52
        width: 548
        height: 632
        color: "transparent"
        radius: CusConfig.radiuSize1
        border.width: 1
        border.color: CusConfig.colorTitle
    }

    PageView {
        id: padSwipeView
        objectName: "padSwipeView"
        x: 427
        y: 58
        width: 535
        height: 632
        clip: true
        currentIndex: padTabBar.currentIndex

        Repeater {
            id: padPages
            model: 3
            LazyPage {
                background: index > 0
                build: root.buildBackground
                // A drag shows the neighbouring bank before it becomes current.
                shown: T.SwipeView.isCurrentItem || padSwipeView.contentItem.moving
                sourceComponent: PadPage { pageNum: index }
                onLoaded: root.pagesBuilt++
            }
        }
    }

    CusTabBar {
        id: padTabBar
        objectName: "padTabBar"
        x: 451
        y: 30
        text1: qsTr("BANK A")
        text2: qsTr("BANK B")
        text3: qsTr("BANK C")
        itemSmallWidth: 71
        itemWidth: 71
        itemHidth: 16
        fontSize: CusConfig.fontSizeLevel2
        btnSmallImgNormal: "qrc:/img/titleBtn@2x.png"
        btnImgNormal: "qrc:/img/titleBtn@2x.png"
        btnSmallImgChecked: "qrc:/img/titleBtnCheckGray@2x.png"
        btnImgChecked: "qrc:/img/titleBtnCheckGray@2x.png"
        checkedTextColor: CusConfig.colorTextDisable
        currentIndex: padSwipeView.currentIndex
    }

    Rectangle {
        objectName: "bqmFrame"
        x: 54
        y: 52
        width: 326
        height: 329
        color: "transparent"
        radius: CusConfig.radiuSize1
        border.width: 1
        border.color: CusConfig.colorTitle
    }

    PageView {
        id: bqmView
        objectName: "bqmView"
        x: 62
        y: 52
        width: 313
        height: 329
        clip: true
        currentIndex: bqmTabBar.currentIndex

        Repeater {
            id: bqmPages
            model: 3
            LazyPage {
                background: index > 0
                build: root.buildBackground
                shown: T.SwipeView.isCurrentItem || bqmView.contentItem.moving
                sourceComponent: BQMPage { pageNum: index }
                onLoaded: root.pagesBuilt++
            }
        }
    }

    CusTabBar {
        id: bqmTabBar
        objectName: "bqmTabBar"
        x: 79
        y: 30
        text1: qsTr("BANK A")
        text2: qsTr("BANK B")
        text3: qsTr("BANK C")
        itemSmallWidth: 71
        itemWidth: 71
        itemHidth: 16
        fontSize: CusConfig.fontSizeLevel2
        btnSmallImgNormal: "qrc:/img/titleBtn@2x.png"
        btnImgNormal: "qrc:/img/titleBtn@2x.png"
        btnSmallImgChecked: "qrc:/img/titleBtnCheckGray@2x.png"
        btnImgChecked: "qrc:/img/titleBtnCheckGray@2x.png"
        checkedTextColor: CusConfig.colorTextDisable
        currentIndex: bqmView.currentIndex
    }

    Rectangle {
        objectName: "beltFrame"
        x: 54
        y: 393
        width: 326
        height: 259
        color: "transparent"
        radius: CusConfig.radiuSize1
        border.width: 1
        border.color: CusConfig.colorInput
    }

    LazyPage {
        id: stripPage
        x: 65
        y: 400
        width: 326
        height: 259
        sourceComponent: WalkingBeltPage {}
        onLoaded: root.pagesBuilt++
    }

    CusButton {
        objectName: "sendButton"
        x: 36
        y: 660
        width: 180
        height: 24
        text: qsTr("SEND TO HARDWARE")
        onClicked: MainLogic.sendData()
    }

    CusButton {
        objectName: "getButton"
        x: 226
        y: 660
        width: 180
        height: 24
        text: qsTr("GET FROM HARDWARE")
        onClicked: MainLogic.getData()
    }

    ConnectState {
        id: connectstae
        objectName: "connectState"
        x: 860
        y: 695
    }

    // Why no controller can be reached at all, and what to do, in two lines between the pads'
    // frame and the indicator's rule: beside the indicator, not in a box to dismiss at every
    // start. A click opens the Connection Check, which has the details.
    BasicText {
        objectName: "midiSystemProblem"
        x: 420
        y: 685
        width: 430
        visible: text !== ""
        text: MainLogic.midiSystemProblem
        textFormat: Text.PlainText
        wrapMode: Text.Wrap
        maximumLineCount: 2
        elide: Text.ElideRight
        lineHeight: 0.9
        horizontalAlignment: Text.AlignRight
        font.pixelSize: CusConfig.fontSizeCompact
        color: CusConfig.colorMark

        MouseArea {
            anchors.fill: parent
            cursorShape: Qt.PointingHandCursor
            onClicked: root.connectionCheckRequested()
        }
    }
}
