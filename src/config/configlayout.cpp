#include "config/configlayout.h"

#include "config/controllerprotocol.h"

namespace {

constexpr int DataMax = ControllerProtocol::MaxDataByte;
constexpr int NoteMax = 127;
constexpr int ChannelMin = 1;
constexpr int ChannelMax = 16;

const char *const NoteNames[] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
const char *const CurveNames[ConfigLayout::CurveCount] = {"FULL", "LO", "LINEAR", "EXP"};
const char *const PadTypes[] = {"NOTE", "CC", "PC"};
const char *const KnobTypes[] = {"CC", "CHN TOUCH", "PITCH BEND"};
const char *const StripTypes[] = {"CC", "MC"};

template<int N>
QString nameOf(const char *const (&names)[N], int value)
{
    return value >= 0 && value < N ? QString::fromLatin1(names[value]) : QStringLiteral("?");
}

QString bankName(int bank)
{
    return QString(QLatin1Char(char('A' + bank)));
}

} // namespace

const QVector<ConfigLayout::Field> &ConfigLayout::fields(Record record)
{
    // In record order: the byte of each field is its position in the list.
    static const QVector<Field> pad = {
        {"type", "type", 0, 2},
        {"number", "number", 0, DataMax},
        {"channel", "channel", ChannelMin, ChannelMax},
        {"mode", "mode", 0, 1},
        {"red", "red", 0, DataMax},
        {"green", "green", 0, DataMax},
        {"blue", "blue", 0, DataMax},
    };
    static const QVector<Field> knob = {
        {"type", "type", 0, 2},
        {"number", "controller", 0, DataMax},
        {"channel", "channel", ChannelMin, ChannelMax},
        {"lsbMin", "min", 0, DataMax},
        {"lsbMax", "max", 0, DataMax},
        {"msbMin", "msb min", 0, DataMax},
        {"msbMax", "msb max", 0, DataMax},
    };
    static const QVector<Field> strip = {
        {"type", "type", 0, 1},
        {"number", "controller", 0, DataMax},
        {"channel", "channel", ChannelMin, ChannelMax},
        {"mode", "mode", 0, 1},
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

QString ConfigLayout::recordName(Record record, int index)
{
    switch (record) {
    case Record::Pad: return bankName(index / PadsPerBank) + QString::number(index % PadsPerBank + 1);
    case Record::Knob: return bankName(index / KnobsPerBank) + QString::number(index % KnobsPerBank + 1);
    case Record::Strip: return QString::number(index + 1);
    }
    return QString();
}

QString ConfigLayout::describe(int offset, const QByteArray &image)
{
    using P = ControllerProtocol;
    if (offset == 0)
        return QStringLiteral("SysEx start");
    if (offset == P::CommandOffset)
        return QStringLiteral("command byte");
    if (offset >= P::IdentificationOffset && offset < P::IdentificationOffset + P::IdentificationLength)
        return QStringLiteral("identification byte %1").arg(offset - P::IdentificationOffset + 1);
    if (offset == P::ReservedOffset)
        return QStringLiteral("reserved byte");
    if (offset >= P::VersionOffset && offset < P::VersionOffset + P::VersionLength)
        return QStringLiteral("firmware version number %1").arg(offset - P::VersionOffset + 1);
    if (offset == CurveOffset)
        return QStringLiteral("velocity curve");
    if (offset == LevelOffset)
        return QStringLiteral("full level");
    if (offset == ImageSize - 1)
        return QStringLiteral("SysEx end");
    static const struct { Record record; const char *noun; } records[] = {
        {Record::Pad, "pad"}, {Record::Knob, "knob"}, {Record::Strip, "strip section"}};
    for (const auto &entry : records) {
        const int first = recordOffset(entry.record, 0);
        const int end = recordOffset(entry.record, recordCount(entry.record));
        if (offset < first || offset >= end)
            continue;
        const int index = (offset - first) / recordSize(entry.record);
        const int byte = (offset - first) % recordSize(entry.record);
        QString label = QString::fromLatin1(fields(entry.record).at(byte).label);
        if (entry.record == Record::Pad && byte == 1) {
            // What the number is depends on what the pad sends.
            const int typeOffset = recordOffset(entry.record, index);
            const int type = typeOffset < image.size() ? image.at(typeOffset) : -1;
            static const char *const numbers[] = {"note", "controller", "program"};
            label = type >= 0 && type < 3 ? QString::fromLatin1(numbers[type]) : QStringLiteral("number");
        }
        return QStringLiteral("%1 %2 %3").arg(QLatin1String(entry.noun), recordName(entry.record, index), label);
    }
    return QStringLiteral("byte %1").arg(offset);
}

QList<int> ConfigLayout::differingOffsets(const QByteArray &first, const QByteArray &second)
{
    using P = ControllerProtocol;
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
    static const char *const modes[] = {"momentary", "toggle"};
    return nameOf(modes, mode);
}

QString ConfigLayout::noteName(int note)
{
    if (note < 0 || note > NoteMax)
        return QStringLiteral("?");
    return QString::fromLatin1(NoteNames[note % 12]) + QString::number(note / 12 - 1);
}
