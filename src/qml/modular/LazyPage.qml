import QtQuick 2.15

// A page of editors, scaled as one piece by the window's scaling rate. The window's scaling
// records only this holder: a page that is not shown at start-up (`background`) is built once
// the window has shown its first frame, long after the scaling has taken its record.
Loader {
    id: root

    // Built in the background once `build` is set, rather than before the first frame.
    property bool background: false
    property bool build: false
    property real rate: MainLogic.getScalingRate()

    objectName: "ingnoreChildren"
    active: !background || build
    asynchronous: background

    onLoaded: item.transform = pageScale

    Connections {
        target: MainLogic
        function onScreenChanged() { root.rate = MainLogic.getScalingRate() }
    }

    Scale {
        id: pageScale
        xScale: root.rate
        yScale: root.rate
    }
}
