import QtQuick 2.15

Text {
    verticalAlignment: Text.AlignVCenter
    horizontalAlignment: Text.AlignLeft
    font.family: CusConfig.fontFamily
    font.pixelSize: CusConfig.fontSizeLevel2
    color: enabled ? CusConfig.colortext : CusConfig.colorTextDisable
}
