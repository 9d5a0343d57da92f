import QtQuick 2.15
import QtQuick.Templates 2.15 as T

T.TabButton {
    id: root

    property color checkedTextColor: CusConfig.colortext
    property url btnImgNormal
    property url btnImgChecked
    property real fontSize: CusConfig.fontSizeLevel3
    property url btnImgUrl: checked ? btnImgChecked : btnImgNormal

    implicitWidth: Math.max(implicitBackgroundWidth + leftInset + rightInset,
                            implicitContentWidth + leftPadding + rightPadding)
    implicitHeight: Math.max(implicitBackgroundHeight + topInset + bottomInset,
                             implicitContentHeight + topPadding + bottomPadding)
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
