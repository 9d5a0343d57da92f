import QtQuick 2.15

// The light background of a group of rows.
Rectangle {
    width: 248
    height: 96
    color: CusConfig.colorFrame
    radius: CusConfig.radiuSize2
}
