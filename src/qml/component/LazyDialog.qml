import QtQuick 2.15

// A dialog built when the window sets `build` (once the first frame is out: built before it,
// the four dialogs would hold that frame back by a fifth) or when first shown, whichever comes
// first. It is built in one go rather than incubated piecemeal: an incubation still running
// when the window closes would be cut off half way.
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
