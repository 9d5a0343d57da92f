import QtQuick 2.15

// The images are drawn at double resolution, so they are shown at half their pixel size.
// They are read-only resources, so the image cache can never show a stale one: cached, the 48
// pads share one decoded background instead of decoding and holding 48 copies.
Image {
    width: sourceSize.width / 2
    height: sourceSize.height / 2
}
