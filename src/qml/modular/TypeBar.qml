import QtQuick 2.15
import BaseControl 1.0

// A control's message-type bar. `changed()` follows every change of the choice; `picked(type)`
// only the user's, made while `storing` is set.
CusTabBar {
    id: root

    property bool storing: false

    signal changed()
    signal picked(int type)

    objectName: "tabBar"
    Accessible.name: qsTr("Message type")

    onCurrentIndexChanged: {
        changed()
        if (storing)
            picked(currentIndex)
    }
}
