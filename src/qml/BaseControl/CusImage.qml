import QtQuick 2.15

// The images are drawn at double resolution, so they are shown at half their pixel size.
Image {
    width: sourceSize.width / 2
    height: sourceSize.height / 2
    cache: false
}
