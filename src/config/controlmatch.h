#pragma once

#include "config/configlayout.h"
#include "config/midimessagetext.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Which controls send a given MIDI message under a configuration: what "touch select" picks
// when the controller plays a note or moves a knob. A pad set to NOTE sends its note's note on,
// note off and poly pressure, a pad set to CC or PC its control or program change, a knob set to
// CC its control change, to CHN TOUCH channel pressure and to PITCH BEND pitch bend, a strip
// section set to CC its control change, each on its own channel. The labels are translated in the
// context "ControlMatch".
class ControlMatch
{
public:
    struct Control {
        ConfigLayout::Record record = ConfigLayout::Record::Pad;
        int index = -1;     // the record in the image: pad 0..47, knob 0..11, strip section 0..5
        int bank = -1;      // 0..2 (A, B, C) for a pad or a knob; -1 for a strip section
        QString label;      // "Pad 1, bank A", "Knob 3, bank B", "Strip section 4"
    };

    // The controls of `image` (laid out as ConfigLayout says; records it is too short for are
    // left out) that send `message`, pads first, then knobs, then strip sections, each in image
    // order; none for a message no control sends.
    static QList<Control> find(const QByteArray &image, const MidiMessageText::Message &message);
};
