#include "config/configlayout.h"

#include "config/controllerprotocol.h"

#include <algorithm>

namespace {

using Protocol = ControllerProtocol;

constexpr int DataMax = Protocol::MaxDataByte;
constexpr int NoteMax = 127;
constexpr int ChannelMin = 1;
constexpr int ChannelMax = 16;
constexpr int FactoryChannel = 1;

const char *const NoteNames[] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
const char *const CurveNames[ConfigLayout::CurveCount] = {"FULL", "LO", "LINEAR", "EXP"};
const char *const PadTypes[] = {"NOTE", "CC", "PC"};
const char *const KnobTypes[] = {"CC", "CHN TOUCH", "PITCH BEND"};
const char *const StripTypes[] = {"CC", "MC"};
const char *const Modes[] = {"momentary", "toggle"};

// The controller each knob sends from the factory, knob 0 first.
const int FactoryKnobControllers[ConfigLayout::KnobCount] = {7, 1, 2, 10, 14, 15, 12, 13, 53, 54, 51, 52};

template<int N>
constexpr int lastOf(const char *const (&)[N])
{
    return N - 1;
}

template<int N>
QString nameOf(const char *const (&names)[N], int value)
{
    return value >= 0 && value < N ? QString::fromLatin1(names[value]) : QStringLiteral("?");
}

QString bankName(int bank)
{
    return QString(QLatin1Char(char('A' + bank)));
}

struct RecordNoun {
    ConfigLayout::Record record;
    const char *noun;
};
const RecordNoun Records[] = {
    {ConfigLayout::Record::Pad, "pad"}, {ConfigLayout::Record::Knob, "knob"}, {ConfigLayout::Record::Strip, "strip section"}};

} // namespace

const QVector<ConfigLayout::HeaderField> &ConfigLayout::headerFields()
{
    static const QVector<HeaderField> header = {
        {"command", "command byte", Protocol::CommandOffset, 1, 0, DataMax},
        {"identification", "identification byte", Protocol::IdentificationOffset, Protocol::IdentificationLength, 0, DataMax},
        {"reserved", "reserved byte", Protocol::ReservedOffset, 1, 0, DataMax},
        {"firmware", "firmware version number", Protocol::VersionOffset, Protocol::VersionLength, 0, DataMax},
        {"curve", "velocity curve", CurveOffset, 1, 0, CurveCount - 1},
        {"level", "full level", LevelOffset, 1, 0, DataMax},
    };
    return header;
}

const QVector<ConfigLayout::Field> &ConfigLayout::fields(Record record)
{
    // In record order: the byte of each field is its position in the list. The factory number
    // and colour of a pad and the factory controller of a knob and a strip section are per
    // record (factoryValue()).
    static const QVector<Field> pad = {
        {"type", "padtype", "type", 0, lastOf(PadTypes), 0},
        {"number", "padData", "number", 0, DataMax, 0},
        {"channel", "padCh", "channel", ChannelMin, ChannelMax, FactoryChannel},
        {"mode", "padMode", "mode", 0, lastOf(Modes), 0},
        {"red", "padR", "red", 0, DataMax, 0},
        {"green", "padG", "green", 0, DataMax, 0},
        {"blue", "padB", "blue", 0, DataMax, 0},
    };
    static const QVector<Field> knob = {
        {"type", "bqmType", "type", 0, lastOf(KnobTypes), 0},
        {"number", "bqmData", "controller", 0, DataMax, 0},
        {"channel", "bqmCh", "channel", ChannelMin, ChannelMax, FactoryChannel},
        {"lsbMin", "bqmLsbMin", "min", 0, DataMax, 0},
        {"lsbMax", "bqmLsbMax", "max", 0, DataMax, DataMax},
        {"msbMin", "bqmMsbMin", "msb min", 0, DataMax, 0},
        {"msbMax", "bqmMsbMax", "msb max", 0, DataMax, DataMax},
    };
    static const QVector<Field> strip = {
        {"type", "wbtype", "type", 0, lastOf(StripTypes), 0},
        {"number", "wbData", "controller", 0, DataMax, 0},
        {"channel", "wbCh", "channel", ChannelMin, ChannelMax, FactoryChannel},
        {"mode", "wbMode", "mode", 0, lastOf(Modes), 0},
    };
    switch (record) {
    case Record::Pad: return pad;
    case Record::Knob: return knob;
    case Record::Strip: return strip;
    }
    return pad;
}

int ConfigLayout::recordCount(Record record)
{
    switch (record) {
    case Record::Pad: return PadCount;
    case Record::Knob: return KnobCount;
    case Record::Strip: return StripCount;
    }
    return 0;
}

int ConfigLayout::recordOffset(Record record, int index)
{
    switch (record) {
    case Record::Pad: return PadOffset + recordSize(record) * index;
    case Record::Knob: return KnobOffset + recordSize(record) * index;
    case Record::Strip: return StripOffset + recordSize(record) * index;
    }
    return 0;
}

int ConfigLayout::fieldIndex(Record record, const QString &modelKey)
{
    const QVector<Field> &list = fields(record);
    for (int i = 0; i < list.size(); ++i) {
        if (modelKey == QLatin1String(list.at(i).modelKey))
            return i;
    }
    return -1;
}

QString ConfigLayout::recordName(Record record, int index)
{
    switch (record) {
    case Record::Pad: return bankName(index / PadsPerBank) + QString::number(index % PadsPerBank + 1);
    case Record::Knob: return bankName(index / KnobsPerBank) + QString::number(index % KnobsPerBank + 1);
    case Record::Strip: return QString::number(index + 1);
    }
    return QString();
}

int ConfigLayout::factoryValue(Record record, int index, int field)
{
    switch (record) {
    case Record::Pad:
        if (field == NumberByte)
            return FactoryFirstPadNote + index;
        if (field >= PadColourByte && field < PadColourByte + ColourComponents)
            return field - PadColourByte == index / PadsPerBank ? FactoryPadColour : 0;
        break;
    case Record::Knob:
        if (field == NumberByte && index >= 0 && index < KnobCount)
            return FactoryKnobControllers[index];
        break;
    case Record::Strip:
        if (field == NumberByte)
            return FactoryFirstStripController + index;
        break;
    }
    return fields(record).value(field).factory;
}

QString ConfigLayout::FieldValue::text() const
{
    return QStringLiteral("%1 is %2 (known: %3..%4)").arg(name).arg(value).arg(minimum).arg(maximum);
}

bool ConfigLayout::range(int offset, int *minimum, int *maximum)
{
    for (const HeaderField &field : headerFields()) {
        if (offset >= field.offset && offset < field.offset + field.size) {
            *minimum = field.minimum;
            *maximum = field.maximum;
            return true;
        }
    }
    for (const RecordNoun &entry : Records) {
        const int first = recordOffset(entry.record, 0);
        const int end = recordOffset(entry.record, recordCount(entry.record));
        if (offset < first || offset >= end)
            continue;
        const Field &field = fields(entry.record).at((offset - first) % recordSize(entry.record));
        *minimum = field.minimum;
        *maximum = field.maximum;
        return true;
    }
    return false;
}

QList<ConfigLayout::FieldValue> ConfigLayout::fieldsOutOfRange(const QByteArray &image)
{
    QList<FieldValue> found;
    const int end = std::min<int>(image.size(), ImageSize);
    for (int offset = 0; offset < end; ++offset) {
        FieldValue field;
        if (!range(offset, &field.minimum, &field.maximum))
            continue;
        field.value = static_cast<quint8>(image.at(offset));
        if (field.value >= field.minimum && field.value <= field.maximum)
            continue;
        field.offset = offset;
        field.name = describe(offset, image);
        found << field;
    }
    return found;
}

QString ConfigLayout::describe(int offset, const QByteArray &image)
{
    if (offset == 0)
        return QStringLiteral("SysEx start");
    if (offset == ImageSize - 1)
        return QStringLiteral("SysEx end");
    for (const HeaderField &field : headerFields()) {
        if (offset < field.offset || offset >= field.offset + field.size)
            continue;
        const QString label = QString::fromLatin1(field.label);
        return field.size == 1 ? label : QStringLiteral("%1 %2").arg(label).arg(offset - field.offset + 1);
    }
    for (const RecordNoun &entry : Records) {
        const int first = recordOffset(entry.record, 0);
        const int end = recordOffset(entry.record, recordCount(entry.record));
        if (offset < first || offset >= end)
            continue;
        const int index = (offset - first) / recordSize(entry.record);
        const int byte = (offset - first) % recordSize(entry.record);
        QString label = QString::fromLatin1(fields(entry.record).at(byte).label);
        if (entry.record == Record::Pad && byte == NumberByte) {
            // What the number is depends on what the pad sends.
            const int typeOffset = recordOffset(entry.record, index) + TypeByte;
            const int type = typeOffset < image.size() ? image.at(typeOffset) : -1;
            static const char *const numbers[] = {"note", "controller", "program"};
            label = type >= 0 && type <= lastOf(numbers) ? QString::fromLatin1(numbers[type]) : QStringLiteral("number");
        }
        return QStringLiteral("%1 %2 %3").arg(QLatin1String(entry.noun), recordName(entry.record, index), label);
    }
    return QStringLiteral("byte %1").arg(offset);
}

QList<int> ConfigLayout::differingOffsets(const QByteArray &first, const QByteArray &second)
{
    using P = Protocol;
    QList<int> offsets;
    for (int offset = 0; offset < ImageSize; ++offset) {
        const bool controllers = offset == P::CommandOffset
            || (offset >= P::VersionOffset && offset < P::VersionOffset + P::VersionLength);
        if (!controllers && first.at(offset) != second.at(offset))
            offsets << offset;
    }
    return offsets;
}

QStringList ConfigLayout::differenceLines(const QByteArray &first, const QByteArray &second, const QString &pattern)
{
    QStringList lines;
    for (int offset : differingOffsets(first, second)) {
        lines << pattern.arg(describe(offset, first))
                     .arg(static_cast<quint8>(first.at(offset)))
                     .arg(static_cast<quint8>(second.at(offset)));
    }
    return lines;
}

QString ConfigLayout::curveName(int curve)
{
    return nameOf(CurveNames, curve);
}

QString ConfigLayout::typeName(Record record, int type)
{
    switch (record) {
    case Record::Pad: return nameOf(PadTypes, type);
    case Record::Knob: return nameOf(KnobTypes, type);
    case Record::Strip: return nameOf(StripTypes, type);
    }
    return QStringLiteral("?");
}

QString ConfigLayout::modeName(int mode)
{
    return nameOf(Modes, mode);
}

QString ConfigLayout::noteName(int note)
{
    if (note < 0 || note > NoteMax)
        return QStringLiteral("?");
    return QString::fromLatin1(NoteNames[note % 12]) + QString::number(note / 12 - 1);
}
