import QtQuick 2.15
import QtQuick.Window 2.15

Window {
    id: root
    width: 1080
    height: 892
    visible: true
    title: "kovelaTark9widonw"
    color: "#1e1e24"
}
