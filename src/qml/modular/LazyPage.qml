import QtQuick 2.15

// A page of editors, scaled as one piece by the window's scaling rate. The window's scaling
// records only this holder: a page that is not shown at start-up (`background`) is built once
// the window has shown its first frame, long after the scaling has taken its record. It is
// built in one go rather than incubated piecemeal: an incubation still running when the window
// closes would be cut off half way.
Loader {
    id: root

    // Built once `build` is set, rather than before the first frame.
    property bool background: false
    property bool build: false
    property real rate: MainLogic.getScalingRate()
    // Whether the page is on screen (its editors re-read the model only then).
    property bool shown: true

    objectName: "ingnoreChildren"
    active: !background || build

    onLoaded: item.transform = pageScale

    Connections {
        target: MainLogic
        function onScreenChanged() { root.rate = MainLogic.getScalingRate() }
    }

    Binding {
        target: root.item
        property: "shown"
        value: root.shown
        when: root.item !== null
    }

    Scale {
        id: pageScale
        xScale: root.rate
        yScale: root.rate
    }
}
