import QtQuick 2.15

// A dialog built when the window sets `build` (in the background, once the first frame is
// out: built before it, the four dialogs would hold that frame back by a fifth) or when first
// shown, whichever comes first. A use while a background build is under way completes it.
Loader {
    id: root

    property bool build: false

    active: build
    asynchronous: true

    function show() {
        // Turning asynchronous off finishes a build that is still under way, now.
        asynchronous = false
        build = true
        item.show.apply(item, arguments)
    }

    // Dialogs centre themselves in their parent: the window, not this empty holder.
    onLoaded: item.parent = root.parent
}
