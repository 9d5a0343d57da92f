import QtQuick 2.15

// A group frame with its caption set into the top border.
Rectangle {
    id: root

    property string text
    // How much of the top border the caption covers, in pixels: at least the caption's width
    // with a gap after it, whatever the language makes of it.
    property int maskLength: 60

    width: 247
    height: 96
    color: CusConfig.colorFrame
    radius: CusConfig.radiuSize2
    border.width: 1
    border.color: CusConfig.colorTextDisable

    Rectangle {
        objectName: "captionMask"
        x: 13
        y: -5
        width: Math.max(root.maskLength, caption.x - x + caption.contentWidth + 5)
        height: 15
        color: CusConfig.colorTitle
    }

    Text {
        id: caption
        objectName: "caption"
        x: 18
        y: -9
        text: root.text
        color: CusConfig.colorBorderInput
        font.family: CusConfig.fontFamily
        font.pixelSize: CusConfig.fontSizeLevel1
    }
}
