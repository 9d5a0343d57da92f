#include "cli/presetformat.h"

#include "config/configlayout.h"
#include "config/controlsettings.h"
#include "config/controllerprotocol.h"
#include "config/presetfile.h"
#include "config/strictjson.h"

#include <QStringList>
#include <QVector>

namespace {

using Layout = ConfigLayout;
using Protocol = ControllerProtocol;
using Record = ConfigLayout::Record;

const QString FormatName = QStringLiteral("kovela-tark9-preset");
constexpr int PitchBend = 2;   // the knob type whose range has a high part

int byteAt(const QByteArray &image, int offset)
{
    return static_cast<quint8>(image.at(offset));
}

// The pads and knobs come in banks A, B, C; the strip has none.
bool hasBanks(Record record)
{
    return record != Record::Strip;
}

int perBank(Record record)
{
    return record == Record::Pad ? Layout::PadsPerBank : Layout::KnobsPerBank;
}

QString bankKey(int bank)
{
    return QString(QLatin1Char(char('A' + bank)));
}

// The value of the field `key` ("channel") of record `index`.
int fieldAt(const QByteArray &image, Record record, int index, const char *key)
{
    const QVector<Layout::Field> &fields = Layout::fields(record);
    for (int i = 0; i < fields.size(); ++i) {
        if (qstrcmp(fields.at(i).key, key) == 0)
            return byteAt(image, Layout::recordOffset(record, index) + i);
    }
    Q_ASSERT_X(false, "fieldAt", key);
    return -1;
}

QString fieldText(const QByteArray &image, Record record, int index, const char *key)
{
    return QString::number(fieldAt(image, record, index, key));
}

QString colourText(const QByteArray &image, int offset)
{
    // As the editor shows it: each 7-bit component doubled.
    QString text = QStringLiteral("#");
    for (int i = 0; i < 3; ++i)
        text += QStringLiteral("%1").arg(byteAt(image, offset + i) * 2, 2, 16, QLatin1Char('0'));
    return QStringLiteral("%1 (%2 %3 %4)").arg(text).arg(byteAt(image, offset)).arg(byteAt(image, offset + 1)).arg(byteAt(image, offset + 2));
}

QString row(const QStringList &cells, const QList<int> &widths)
{
    QString line = QStringLiteral("  ");
    for (int i = 0; i < cells.size(); ++i)
        line += i + 1 < cells.size() ? cells.at(i).leftJustified(widths.value(i)) + QLatin1Char(' ') : cells.at(i);
    return line + QLatin1Char('\n');
}

QString jsonNumbers(const QByteArray &image, int offset, int count)
{
    QStringList numbers;
    for (int i = 0; i < count; ++i)
        numbers << QString::number(byteAt(image, offset + i));
    return QLatin1Char('[') + numbers.join(QStringLiteral(", ")) + QLatin1Char(']');
}

QString jsonRecords(const QByteArray &image, Record record, int first, int count, const QString &indent)
{
    QStringList lines;
    for (int i = first; i < first + count; ++i)
        lines << indent + QStringLiteral("  ") + ControlSettings::toJson(image, record, i);
    return QStringLiteral("[\n") + lines.join(QStringLiteral(",\n")) + QLatin1Char('\n') + indent + QLatin1Char(']');
}

QString jsonGroup(const QByteArray &image, Record record)
{
    if (!hasBanks(record))
        return jsonRecords(image, record, 0, Layout::recordCount(record), QStringLiteral("  "));
    QStringList banks;
    for (int bank = 0; bank < Layout::BankCount; ++bank)
        banks << QStringLiteral("    \"%1\": %2").arg(bankKey(bank), jsonRecords(image, record, bank * perBank(record), perBank(record), QStringLiteral("    ")));
    return QStringLiteral("{\n") + banks.join(QStringLiteral(",\n")) + QStringLiteral("\n  }");
}

// The record groups under their JSON keys, in the order toJson() writes them.
const struct {
    const char *key;
    Record record;
} Groups[] = {{"pads", Record::Pad}, {"knobs", Record::Knob}, {"strip", Record::Strip}};

// Reads the JSON into an image, stopping at the first fault with the path of the field.
class JsonReader
{
public:
    explicit JsonReader(QByteArray *image) : m_image(image) {}

    QString error;

    bool object(const StrictJson::Node *node, const QString &path, const QStringList &keys)
    {
        return StrictJson::object(node, path, keys, &error);
    }

    bool number(const StrictJson::Node *node, const QString &path, int minimum, int maximum, int offset)
    {
        int value = 0;
        if (!StrictJson::number(node, path, minimum, maximum, &value, &error))
            return false;
        (*m_image)[offset] = static_cast<char>(value);
        return true;
    }

    // A header field: one number, or an array of `size` numbers.
    bool header(const StrictJson::Node *node, const Layout::HeaderField &field)
    {
        const QString path = QLatin1String(field.key);
        if (field.size == 1)
            return number(node, path, field.minimum, field.maximum, field.offset);
        if (!StrictJson::array(node, path, field.size, &error))
            return false;
        for (int i = 0; i < field.size; ++i) {
            if (!number(&node->items.at(i), QStringLiteral("%1[%2]").arg(path).arg(i), field.minimum, field.maximum, field.offset + i))
                return false;
        }
        return true;
    }

    bool records(const StrictJson::Node *node, const QString &path, Record record, int first, int count)
    {
        if (!StrictJson::array(node, path, count, &error))
            return false;
        for (int i = 0; i < count; ++i) {
            QByteArray fields;
            if (!ControlSettings::read(&node->items.at(i), QStringLiteral("%1[%2]").arg(path).arg(i), record, &fields, &error))
                return false;
            m_image->replace(Layout::recordOffset(record, first + i), fields.size(), fields);
        }
        return true;
    }

    bool group(const StrictJson::Node *node, const QString &path, Record record)
    {
        if (!hasBanks(record))
            return records(node, path, record, 0, Layout::recordCount(record));
        if (!object(node, path, {bankKey(0), bankKey(1), bankKey(2)}))
            return false;
        for (int bank = 0; bank < Layout::BankCount; ++bank) {
            if (!records(node->member(bankKey(bank)), path + QLatin1Char('.') + bankKey(bank), record, bank * perBank(record), perBank(record)))
                return false;
        }
        return true;
    }

private:
    QByteArray *m_image;
};

} // namespace

bool PresetFormat::load(const QString &path, QByteArray *image, QString *error, Values values)
{
    const PresetFile::ReadResult result = PresetFile::read(path);
    const bool usable = result.status == PresetFile::ReadStatus::Loaded
        || (result.status == PresetFile::ReadStatus::OutOfRange && values == Values::Any);
    if (!usable) {
        *error = result.error;
        return false;
    }
    if (result.block.size() < Protocol::ImageSize) {
        *error = QStringLiteral("%1 holds %2 of the %3 bytes of a configuration").arg(path).arg(result.block.size()).arg(Protocol::ImageSize);
        return false;
    }
    *image = result.block;
    return true;
}

QString PresetFormat::toText(const QByteArray &image)
{
    QString text;
    text += QStringLiteral("firmware version  %1\n").arg(Protocol::versionText(Protocol::firmwareVersion(image)));
    text += QStringLiteral("command byte      0x%1\n").arg(byteAt(image, Protocol::CommandOffset), 2, 16, QLatin1Char('0'));
    text += QStringLiteral("velocity curve    %1 (%2)\n").arg(Layout::curveName(byteAt(image, Layout::CurveOffset))).arg(byteAt(image, Layout::CurveOffset));
    text += QStringLiteral("full level        %1\n").arg(byteAt(image, Layout::LevelOffset));

    const QList<int> padWidths = {4, 5, 9, 8, 10};
    for (int bank = 0; bank < Layout::BankCount; ++bank) {
        text += QStringLiteral("\nPads, bank %1\n").arg(bankKey(bank));
        text += row({"pad", "type", "number", "channel", "mode", "colour"}, padWidths);
        for (int pad = bank * Layout::PadsPerBank; pad < (bank + 1) * Layout::PadsPerBank; ++pad) {
            const int type = fieldAt(image, Record::Pad, pad, "type");
            const int number = fieldAt(image, Record::Pad, pad, "number");
            const QString numberText = type == 0 ? QStringLiteral("%1 %2").arg(number).arg(Layout::noteName(number)) : QString::number(number);
            text += row({Layout::recordName(Record::Pad, pad), Layout::typeName(Record::Pad, type), numberText,
                         fieldText(image, Record::Pad, pad, "channel"), Layout::modeName(fieldAt(image, Record::Pad, pad, "mode")),
                         colourText(image, Layout::recordOffset(Record::Pad, pad) + Layout::PadColourByte)},
                        padWidths);
        }
    }

    const QList<int> knobWidths = {4, 11, 11, 8};
    text += QStringLiteral("\nKnobs\n");
    text += row({"knob", "type", "controller", "channel", "range"}, knobWidths);
    for (int knob = 0; knob < Layout::KnobCount; ++knob) {
        const int type = fieldAt(image, Record::Knob, knob, "type");
        QString range = QStringLiteral("%1..%2").arg(fieldText(image, Record::Knob, knob, "lsbMin"), fieldText(image, Record::Knob, knob, "lsbMax"));
        if (type == PitchBend)   // the high 7 bits have a range of their own
            range += QStringLiteral(", msb %1..%2").arg(fieldText(image, Record::Knob, knob, "msbMin"), fieldText(image, Record::Knob, knob, "msbMax"));
        text += row({Layout::recordName(Record::Knob, knob), Layout::typeName(Record::Knob, type), fieldText(image, Record::Knob, knob, "number"),
                     fieldText(image, Record::Knob, knob, "channel"), range},
                    knobWidths);
    }

    const QList<int> stripWidths = {8, 5, 11, 8};
    text += QStringLiteral("\nStrip\n");
    text += row({"section", "type", "controller", "channel", "mode"}, stripWidths);
    for (int section = 0; section < Layout::StripCount; ++section) {
        text += row({Layout::recordName(Record::Strip, section), Layout::typeName(Record::Strip, fieldAt(image, Record::Strip, section, "type")),
                     fieldText(image, Record::Strip, section, "number"), fieldText(image, Record::Strip, section, "channel"),
                     Layout::modeName(fieldAt(image, Record::Strip, section, "mode"))},
                    stripWidths);
    }
    return text;
}

QByteArray PresetFormat::toJson(const QByteArray &image)
{
    QStringList members;
    members << QStringLiteral("  \"format\": \"%1\"").arg(FormatName);
    members << QStringLiteral("  \"formatVersion\": %1").arg(JsonFormatVersion);
    for (const Layout::HeaderField &field : Layout::headerFields()) {
        const QString value = field.size == 1 ? QString::number(byteAt(image, field.offset)) : jsonNumbers(image, field.offset, field.size);
        members << QStringLiteral("  \"%1\": %2").arg(QLatin1String(field.key), value);
    }
    for (const auto &group : Groups)
        members << QStringLiteral("  \"%1\": %2").arg(QLatin1String(group.key), jsonGroup(image, group.record));
    return (QStringLiteral("{\n") + members.join(QStringLiteral(",\n")) + QStringLiteral("\n}\n")).toUtf8();
}

bool PresetFormat::fromJson(const QByteArray &json, QByteArray *image, QString *error)
{
    StrictJson::Node document;
    QString syntax;
    int syntaxOffset = 0;
    if (!StrictJson::parse(json, &document, &syntax, &syntaxOffset)) {
        *error = QStringLiteral("not JSON: %1 at byte %2").arg(syntax).arg(syntaxOffset);
        return false;
    }
    QByteArray built(Protocol::ImageSize, '\0');
    built[0] = static_cast<char>(Protocol::SysExStart);
    built[Protocol::ImageSize - 1] = static_cast<char>(Protocol::SysExEnd);
    JsonReader reader(&built);
    QStringList keys = {QStringLiteral("format"), QStringLiteral("formatVersion")};
    for (const Layout::HeaderField &field : Layout::headerFields())
        keys << QLatin1String(field.key);
    for (const auto &group : Groups)
        keys << QLatin1String(group.key);
    if (!reader.object(&document, QStringLiteral("the document"), keys)) {
        *error = reader.error;
        return false;
    }
    const StrictJson::Node *format = document.member(QStringLiteral("format"));
    const StrictJson::Node *version = document.member(QStringLiteral("formatVersion"));
    if (format->kind != StrictJson::Node::Kind::String || format->text != FormatName
        || version->kind != StrictJson::Node::Kind::Number || version->text != QString::number(JsonFormatVersion)) {
        *error = QStringLiteral("it is not a Kovela Tark9 preset (\"format\": \"%1\", \"formatVersion\": %2 expected)")
                     .arg(FormatName).arg(JsonFormatVersion);
        return false;
    }
    bool read = true;
    for (const Layout::HeaderField &field : Layout::headerFields())
        read = read && reader.header(document.member(QLatin1String(field.key)), field);
    for (const auto &group : Groups)
        read = read && reader.group(document.member(QLatin1String(group.key)), QLatin1String(group.key), group.record);
    if (!read) {
        *error = reader.error;
        return false;
    }
    *image = built;
    return true;
}
