import QtQuick 2.15
import QtQuick.Templates 2.15 as T

// The banks of one editing area side by side; a drag or the bank tabs move between them.
T.SwipeView {
    id: root

    implicitWidth: Math.max(implicitBackgroundWidth + leftInset + rightInset,
                            contentWidth + leftPadding + rightPadding)
    implicitHeight: Math.max(implicitBackgroundHeight + topInset + bottomInset,
                             contentHeight + topPadding + bottomPadding)

    contentItem: ListView {
        model: root.contentModel
        interactive: root.interactive
        currentIndex: root.currentIndex
        focus: root.focus
        spacing: root.spacing
        orientation: root.orientation
        snapMode: ListView.SnapOneItem
        boundsBehavior: Flickable.StopAtBounds
        highlightRangeMode: ListView.StrictlyEnforceRange
        preferredHighlightBegin: 0
        preferredHighlightEnd: 0
        highlightMoveDuration: 250
        maximumFlickVelocity: 4 * (root.orientation === Qt.Horizontal ? width : height)
    }
}
