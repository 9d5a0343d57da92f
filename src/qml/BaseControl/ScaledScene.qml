import QtQuick 2.15
import QtQuick.Controls 2.15

// A window's whole content, laid out at the design size and drawn at the screen's scaling rate
// (Scaling.scalingRate) by one transform. Whatever is built inside it later (pages, popups,
// dialogs) is scaled with it as it appears; nothing records or rewrites geometry.
//
// Popups, menus and dialogs are drawn in the window's overlay rather than under this item: the
// overlay is scaled the same way, so that a popup's place and size are in design units too.
Item {
    id: root

    property real rate: Scaling.scalingRate

    width: Scaling.designWidth
    height: Scaling.designHeight
    transformOrigin: Item.TopLeft
    scale: rate

    Binding {
        target: root.Overlay.overlay
        property: "transformOrigin"
        value: Item.TopLeft
    }
    Binding {
        target: root.Overlay.overlay
        property: "scale"
        value: root.rate
    }
}
