import QtQuick 2.15

// A page of editors. A page that is not shown at start-up (`background`) is built once the
// window has shown its first frame. It is built in one go rather than incubated piecemeal: an
// incubation still running when the window closes would be cut off half way.
Loader {
    id: root

    // Built once `build` is set, rather than before the first frame.
    property bool background: false
    property bool build: false
    // Whether the page is on screen (its editors re-read the model only then).
    property bool shown: true

    active: !background || build

    Binding {
        target: root.item
        property: "shown"
        value: root.shown
        when: root.item !== null
    }
}
