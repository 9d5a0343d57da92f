import QtQuick 2.15

// A dialog built when first shown. It is named by its file rather than declared inline, so
// that not even its type (nor the types it uses) is loaded before it is needed: built or merely
// declared with the window, the dialogs would hold its first frame back and cost memory that
// most sessions never use. It is built in one go rather than incubated piecemeal: an incubation
// still running when the window closes would be cut off half way.
Loader {
    id: root

    // The built dialog's object name, for tests and accessibility tools.
    property string dialogName: ""

    active: false

    function show() {
        active = true
        item.show.apply(item, arguments)
    }

    // Dialogs centre themselves in their parent: the window, not this empty holder.
    onLoaded: {
        item.objectName = dialogName
        item.parent = root.parent
    }
}
