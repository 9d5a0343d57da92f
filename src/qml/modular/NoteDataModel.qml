pragma Singleton
import QtQuick 2.15

// The 128 MIDI note names, "C-1" (0) to "G9" (127); one list shared by every pad's chooser.
ListModel {
    Component.onCompleted: {
        var names = ["C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"]
        for (var n = 0; n < 128; ++n)
            append({ value: n, key: names[n % 12] + (Math.floor(n / 12) - 1) })
    }
}
