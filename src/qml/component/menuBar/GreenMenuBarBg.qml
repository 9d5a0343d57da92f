import QtQuick 2.15
import BaseControl 1.0

Rectangle {
    implicitWidth: 176
    implicitHeight: 16
    color: CusConfig.colorMenbar
}
