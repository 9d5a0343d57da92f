import QtQuick 2.15
import QtQuick.Controls 2.15

TabButton {
    id: root

    property color checkedTextColor: CusConfig.colortext
    property url btnImgNormal
    property url btnImgChecked
    property real fontSize: 8
    property url btnImgUrl: checked ? btnImgChecked : btnImgNormal

    width: 38
    height: 14
    padding: 0
    text: qsTr("BANK A")

    contentItem: Text {
        text: root.text
        font.family: CusConfig.fontFamily
        font.pixelSize: root.fontSize
        color: root.checked ? root.checkedTextColor : CusConfig.colorTextDisable
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }

    background: Image {
        source: root.btnImgUrl
        smooth: true
    }
}
