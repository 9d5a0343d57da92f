import QtQuick 2.15
import QtQuick.Templates 2.15 as T

T.Button {
    id: cusButtonImage

    property bool selected: false
    property url btnImgNormal
    property url btnImgHovered
    property url btnImgPressed
    property url btnImgDisbaled
    property url btnImgUrl: !enabled ? btnImgDisbaled
                          : (pressed || selected) ? btnImgPressed
                          : hovered ? btnImgHovered
                          : btnImgNormal

    implicitWidth: 24
    implicitHeight: 36
    hoverEnabled: true
    padding: 0

    contentItem: Item {
        CusImage {
            width: 15
            height: 15
            anchors.centerIn: parent
            source: cusButtonImage.btnImgUrl
        }
    }
    background: Item {}

    TransArea {}
}
