import QtQuick 2.15

// Scales every item under targetItem from its design geometry. begin() records that geometry
// once; every later resize() starts from the record, so repeated rescaling never accumulates
// rounding.
Item {
    id: root

    property var targetItem: parent
    property bool fixedAspectRatio: false
    property bool accordingToX: true
    property bool fontAccordingToMax: false
    property bool ifAutoResize: true
    // Object names that exclude an item with its subtree, or only its subtree.
    property string ingnoreAll: "ingnoreAll"
    property string ingnoreChildren: "ingnoreChildren"
    property real horizontalRatio: 1
    property real verticalRatio: 1
    property real fontRatio: 1
    property var childrenItemGeometry: []
    property real fontSizeScaleFactor: 1
    property bool isBegin: false
    // The ratios the items stand at: at first the design's own, which begin() records.
    property var appliedRatios: [1, 1, 1]

    // Set verticalRatio first: one resize then sees both new ratios.
    onHorizontalRatioChanged: resize()

    function begin() {
        var list = []
        getAllChildren(list, targetItem)
        childrenItemGeometry = list
        isBegin = true
    }

    // Depth first, each item before its children.
    function getAllChildren(list, target) {
        var children = target.children
        for (var i = 0; i < children.length; ++i) {
            var item = children[i]
            if (item.objectName === ingnoreAll)
                continue
            var pixelSize = item.font !== undefined && item.font.pixelSize > 0 ? item.font.pixelSize : 0
            list.push({
                item: item,
                itemName: item.objectName,
                x: item.x,
                y: item.y,
                centerX: item.x + item.width / 2,
                centerY: item.y + item.height / 2,
                width: item.width,
                height: item.height,
                fontPixelSize: pixelSize
            })
            if (item.objectName !== ingnoreChildren)
                getAllChildren(list, item)
        }
    }

    function resize() {
        if (!isBegin || !ifAutoResize)
            return
        // Items already at these ratios (the design's, on a screen at 100 %) stay as they are.
        var ratios = [horizontalRatio, verticalRatio, fontSizeScaleFactor]
        if (ratios.every(function (ratio, i) { return ratio === appliedRatios[i] }))
            return
        appliedRatios = ratios
        var smaller = Math.min(horizontalRatio, verticalRatio)
        fontRatio = fontAccordingToMax ? Math.max(horizontalRatio, verticalRatio) : smaller
        var xRatio = fixedAspectRatio ? smaller : horizontalRatio
        var yRatio = fixedAspectRatio ? smaller : verticalRatio
        for (var i = 0; i < childrenItemGeometry.length; ++i) {
            var record = childrenItemGeometry[i]
            var item = record.item
            if (!item)
                continue
            item.width = record.width * xRatio
            item.height = record.height * yRatio
            if (accordingToX) {
                item.x = record.x * horizontalRatio
                item.y = record.y * verticalRatio
            } else {
                item.x = record.centerX * horizontalRatio - item.width / 2
                item.y = record.centerY * verticalRatio - item.height / 2
            }
            if (record.fontPixelSize > 0)
                item.font.pixelSize = record.fontPixelSize * fontRatio * fontSizeScaleFactor
        }
    }
}
