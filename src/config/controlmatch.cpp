#include "config/controlmatch.h"

#include <QCoreApplication>

namespace {

using Record = ConfigLayout::Record;
using Kind = MidiMessageText::Kind;
using Control = ControlMatch::Control;

// The values of the type byte, as ConfigLayout::typeName names them.
enum PadType { PadNote = 0, PadController = 1, PadProgram = 2 };
enum KnobType { KnobController = 0, KnobChannelPressure = 1, KnobPitchBend = 2 };
enum StripType { StripController = 0 };

// Whether a control of `record` set to `type`, whose number byte holds `number`, sends
// `message` (on its own channel).
bool sends(Record record, int type, int number, const MidiMessageText::Message &message)
{
    const Kind kind = message.kind;
    const bool sameNumber = number == message.number;
    switch (record) {
    case Record::Pad:
        switch (type) {
        case PadNote: return sameNumber && (kind == Kind::NoteOn || kind == Kind::NoteOff || kind == Kind::PolyPressure);
        case PadController: return sameNumber && kind == Kind::ControlChange;
        case PadProgram: return sameNumber && kind == Kind::ProgramChange;
        }
        return false;
    case Record::Knob:
        switch (type) {
        case KnobController: return sameNumber && kind == Kind::ControlChange;
        case KnobChannelPressure: return kind == Kind::ChannelPressure;
        case KnobPitchBend: return kind == Kind::PitchBend;
        }
        return false;
    case Record::Strip:
        // What a section set to MC sends is not known to the editor: such a section matches
        // no message.
        return type == StripController && sameNumber && kind == Kind::ControlChange;
    }
    return false;
}

// The byte of `record` that holds its channel (1 to 16, as the user sees it).
int channelByte(Record record)
{
    const QVector<ConfigLayout::Field> &fields = ConfigLayout::fields(record);
    for (int byte = 0; byte < fields.size(); ++byte) {
        if (qstrcmp(fields.at(byte).key, "channel") == 0)
            return byte;
    }
    return -1;
}

QChar bankLetter(int bank)
{
    return QLatin1Char(char('A' + bank));
}

Control control(Record record, int index)
{
    Control control;
    control.record = record;
    control.index = index;
    switch (record) {
    case Record::Pad:
        control.bank = index / ConfigLayout::PadsPerBank;
        control.label = QCoreApplication::translate("ControlMatch", "Pad %1, bank %2")
                            .arg(index % ConfigLayout::PadsPerBank + 1)
                            .arg(bankLetter(control.bank));
        break;
    case Record::Knob:
        control.bank = index / ConfigLayout::KnobsPerBank;
        control.label = QCoreApplication::translate("ControlMatch", "Knob %1, bank %2")
                            .arg(index % ConfigLayout::KnobsPerBank + 1)
                            .arg(bankLetter(control.bank));
        break;
    case Record::Strip:
        control.label = QCoreApplication::translate("ControlMatch", "Strip section %1").arg(index + 1);
        break;
    }
    return control;
}

} // namespace

QList<Control> ControlMatch::find(const QByteArray &image, const MidiMessageText::Message &message)
{
    QList<Control> found;
    if (message.channel == 0)
        return found;
    for (Record record : {Record::Pad, Record::Knob, Record::Strip}) {
        const int size = ConfigLayout::recordSize(record);
        const int channel = channelByte(record);
        for (int index = 0; index < ConfigLayout::recordCount(record); ++index) {
            const int offset = ConfigLayout::recordOffset(record, index);
            if (offset + size > image.size())
                break;
            const auto byte = [&image, offset](int field) { return static_cast<quint8>(image.at(offset + field)); };
            if (byte(channel) == message.channel && sends(record, byte(ConfigLayout::TypeByte), byte(ConfigLayout::NumberByte), message))
                found << control(record, index);
        }
    }
    return found;
}
