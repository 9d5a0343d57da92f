import QtQuick 2.15
import QtQuick.Controls 2.15
import BaseControl 1.0

// What differs between the editor's configuration and the controller's, field by field, with
// the two ways to make them the same.
ScaledDialog {
    id: root

    // One line per differing field.
    property var differences: []

    function show(lines) {
        differences = lines
        centreAndOpen()
    }

    dWidth: 600
    dHeight: 420
    faceColor: CusConfig.colorTitle

    BasicText {
        objectName: "compareTitle"
        x: 20
        y: 12
        text: qsTr("Compare With Hardware")
        color: CusConfig.colorTitleText
        font.bold: true
        font.pixelSize: CusConfig.fontSizeLevel1
    }

    BasicText {
        objectName: "compareSummary"
        x: 20
        y: 44
        width: root.dWidth - 40
        wrapMode: Text.WordWrap
        color: CusConfig.colorTitleText
        text: root.differences.length === 0
              ? qsTr("The controller holds the same configuration as the editor.")
              : qsTr("%n field(s) differ between the editor and the controller:", "", root.differences.length)
    }

    Rectangle {
        x: 20
        y: 72
        width: root.dWidth - 40
        height: 290
        color: CusConfig.colorFrame
        border.width: 1
        border.color: CusConfig.colorBorderInput
        visible: root.differences.length > 0

        ListView {
            objectName: "differenceList"
            anchors.fill: parent
            anchors.margins: 6
            clip: true
            model: root.differences
            ScrollBar.vertical: ScrollBar {}
            delegate: BasicText {
                width: ListView.view.width
                height: 20
                elide: Text.ElideRight
                // The lines quote values from the controller and from preset files.
                textFormat: Text.PlainText
                color: CusConfig.colorTitleText
                text: modelData
            }
        }
    }

    CusButton {
        objectName: "takeControllerButton"
        x: 20
        y: 376
        width: 200
        height: 24
        visible: root.differences.length > 0
        text: qsTr("Take The Hardware's Values")
        onClicked: {
            MainLogic.takeControllerConfiguration()
            root.close()
        }
    }

    CusButton {
        objectName: "sendEditorButton"
        x: 230
        y: 376
        width: 200
        height: 24
        visible: root.differences.length > 0
        text: qsTr("Send The Editor's Values")
        onClicked: {
            MainLogic.sendData()
            root.close()
        }
    }

    CusButton {
        objectName: "closeCompareButton"
        x: root.dWidth - 20 - width
        y: 376
        width: 130
        height: 24
        text: qsTr("Close")
        onClicked: root.close()
    }
}
