import QtQuick 2.15
import QtQuick.Controls 2.15
import BaseControl 1.0

// A modal dialog of the design size dWidth x dHeight, centred in the window. It is drawn in the
// window's overlay, which is scaled with the screen as the window's content is, so everything
// in it is laid out in design units. It has a close button in its top right corner at `closeX`;
// while `closable` is false it has none, and neither Escape nor a click outside closes it.
Dialog {
    id: root

    property real dWidth: 0
    property real dHeight: 0
    property real closeX: dWidth - 30
    property bool closable: true
    property alias faceColor: face.color
    property alias faceBorderWidth: face.border.width
    // What the dialog shows, in design units.
    default property alias content: body.data

    function centreAndOpen() {
        x = (parent.width - width) / 2
        y = (parent.height - height) / 2
        open()
    }

    modal: true
    closePolicy: closable ? Popup.CloseOnEscape | Popup.CloseOnPressOutside : Popup.NoAutoClose
    padding: 0
    leftPadding: 0
    topPadding: 0
    width: dWidth
    height: dHeight
    background: Rectangle {
        id: face
        color: CusConfig.colorFrame
        radius: CusConfig.radiuSize2
        border.width: 1
        border.color: CusConfig.colorBorderInput
    }

    Item {
        id: body
        width: root.dWidth
        height: root.dHeight

        CusButton_Image {
            objectName: "closeButton"
            x: root.closeX
            y: 3
            z: 1
            visible: root.closable
            btnImgNormal: "qrc:/img/icon_close_default.png"
            btnImgHovered: "qrc:/img/icon_close_click.png"
            btnImgPressed: "qrc:/img/icon_close_click.png"
            btnImgDisbaled: "qrc:/img/icon_close_default.png"
            Accessible.name: qsTr("Close")
            onClicked: root.close()
        }
    }
}
