import QtQuick 2.15

// A dialog built when first shown, or earlier when the window sets `build`: built with the
// window, the dialogs would hold its first frame back by a fifth and cost memory that most
// sessions never use. It is built in one go rather than incubated piecemeal: an incubation
// still running when the window closes would be cut off half way.
Loader {
    id: root

    property bool build: false

    active: build

    function show() {
        build = true
        item.show.apply(item, arguments)
    }

    // Dialogs centre themselves in their parent: the window, not this empty holder.
    onLoaded: item.parent = root.parent
}
