#include "cli/presetformat.h"

#include "config/configlayout.h"
#include "config/controllerprotocol.h"
#include "config/presetfile.h"

#include <QPair>
#include <QStringList>
#include <QVector>

#include <algorithm>
#include <cctype>
#include <cmath>

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

// One record as a JSON object on one line, keys in record order.
QString jsonRecord(const QByteArray &image, Record record, int index)
{
    const int offset = Layout::recordOffset(record, index);
    QStringList members;
    const QVector<Layout::Field> &fields = Layout::fields(record);
    for (int i = 0; i < fields.size(); ++i)
        members << QStringLiteral("\"%1\": %2").arg(QLatin1String(fields.at(i).key)).arg(byteAt(image, offset + i));
    return QLatin1Char('{') + members.join(QStringLiteral(", ")) + QLatin1Char('}');
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
        lines << indent + QStringLiteral("  ") + jsonRecord(image, record, i);
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

// A JSON value as the document spells it: a number keeps its text, so that nothing is converted
// before its range is checked, and an object keeps every member in document order, so that a key
// given twice is seen (QJsonDocument keeps the last silently).
struct JsonNode {
    enum class Kind { Null, Bool, Number, String, Array, Object };
    Kind kind = Kind::Null;
    QString text;                                // Number: as written; String: decoded
    QVector<JsonNode> items;                     // Array
    QVector<QPair<QString, JsonNode>> members;   // Object

    const JsonNode *member(const QString &key) const
    {
        for (const auto &entry : members) {
            if (entry.first == key)
                return &entry.second;
        }
        return nullptr;
    }
};

// RFC 8259 JSON, strictly: one value, nothing after it but white space.
class JsonParser
{
public:
    // The document toJson() writes is four levels deep; deeper input is refused before it can
    // exhaust the stack.
    static constexpr int MaxDepth = 32;

    explicit JsonParser(const QByteArray &json) : m_json(json) {}

    QString error;
    int errorOffset = 0;

    bool parse(JsonNode *root)
    {
        skipSpace();
        if (!value(root, 0))
            return false;
        skipSpace();
        return m_pos == m_json.size() || fail(QStringLiteral("more after the document"));
    }

private:
    bool fail(const QString &why)
    {
        if (error.isEmpty()) {
            error = why;
            errorOffset = m_pos;
        }
        return false;
    }

    bool atEnd() const { return m_pos >= m_json.size(); }
    char peek() const { return atEnd() ? '\0' : m_json.at(m_pos); }

    void skipSpace()
    {
        while (!atEnd() && (peek() == ' ' || peek() == '\t' || peek() == '\n' || peek() == '\r'))
            ++m_pos;
    }

    bool value(JsonNode *node, int depth)
    {
        if (depth > MaxDepth)
            return fail(QStringLiteral("nested deeper than %1 levels").arg(MaxDepth));
        switch (peek()) {
        case '{': return object(node, depth);
        case '[': return array(node, depth);
        case '"':
            node->kind = JsonNode::Kind::String;
            return string(&node->text);
        case 't':
            node->kind = JsonNode::Kind::Bool;
            node->text = QStringLiteral("true");
            return literal("true");
        case 'f':
            node->kind = JsonNode::Kind::Bool;
            node->text = QStringLiteral("false");
            return literal("false");
        case 'n':
            node->kind = JsonNode::Kind::Null;
            return literal("null");
        default:
            node->kind = JsonNode::Kind::Number;
            return number(&node->text);
        }
    }

    bool literal(const char *word)
    {
        const int length = int(qstrlen(word));
        if (m_json.mid(m_pos, length) != word)
            return fail(QStringLiteral("unexpected character"));
        m_pos += length;
        return true;
    }

    bool digits()
    {
        const int start = m_pos;
        while (!atEnd() && peek() >= '0' && peek() <= '9')
            ++m_pos;
        return m_pos > start;
    }

    bool number(QString *text)
    {
        const int start = m_pos;
        if (peek() == '-')
            ++m_pos;
        if (peek() == '0')
            ++m_pos;
        else if (!digits())
            return fail(atEnd() ? QStringLiteral("unexpected end") : QStringLiteral("unexpected character"));
        if (peek() == '.') {
            ++m_pos;
            if (!digits())
                return fail(QStringLiteral("a digit must follow the decimal point"));
        }
        if (peek() == 'e' || peek() == 'E') {
            ++m_pos;
            if (peek() == '+' || peek() == '-')
                ++m_pos;
            if (!digits())
                return fail(QStringLiteral("a digit must follow the exponent"));
        }
        *text = QString::fromLatin1(m_json.constData() + start, m_pos - start);
        return true;
    }

    // The four hexadecimal digits of a \\u escape; -1 when they are not there.
    int hexDigits()
    {
        if (m_pos + 4 > m_json.size())
            return -1;
        int unit = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = m_json.at(m_pos + i);
            if (!std::isxdigit(static_cast<unsigned char>(c)))
                return -1;
            unit = unit * 16 + (c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10);
        }
        m_pos += 4;
        return unit;
    }

    bool string(QString *text)
    {
        ++m_pos;   // the opening quote
        QByteArray raw;   // UTF-8 since the last escape
        text->clear();
        for (;;) {
            if (atEnd())
                return fail(QStringLiteral("unterminated string"));
            const char c = m_json.at(m_pos);
            if (c == '"') {
                ++m_pos;
                *text += QString::fromUtf8(raw);
                return true;
            }
            if (static_cast<unsigned char>(c) < 0x20)
                return fail(QStringLiteral("control character in a string"));
            if (c != '\\') {
                raw += c;
                ++m_pos;
                continue;
            }
            *text += QString::fromUtf8(raw);
            raw.clear();
            ++m_pos;
            const char escape = peek();
            ++m_pos;
            switch (escape) {
            case '"': *text += QLatin1Char('"'); break;
            case '\\': *text += QLatin1Char('\\'); break;
            case '/': *text += QLatin1Char('/'); break;
            case 'b': *text += QLatin1Char('\b'); break;
            case 'f': *text += QLatin1Char('\f'); break;
            case 'n': *text += QLatin1Char('\n'); break;
            case 'r': *text += QLatin1Char('\r'); break;
            case 't': *text += QLatin1Char('\t'); break;
            case 'u': {
                const int unit = hexDigits();
                if (unit < 0)
                    return fail(QStringLiteral("invalid \\u escape"));
                *text += QChar(static_cast<ushort>(unit));
                break;
            }
            default:
                --m_pos;
                return fail(QStringLiteral("invalid escape"));
            }
        }
    }

    bool array(JsonNode *node, int depth)
    {
        node->kind = JsonNode::Kind::Array;
        ++m_pos;
        skipSpace();
        if (peek() == ']') {
            ++m_pos;
            return true;
        }
        for (;;) {
            JsonNode item;
            skipSpace();
            if (!value(&item, depth + 1))
                return false;
            node->items << item;
            skipSpace();
            if (peek() == ',') {
                ++m_pos;
                continue;
            }
            if (peek() == ']') {
                ++m_pos;
                return true;
            }
            return fail(atEnd() ? QStringLiteral("unterminated array") : QStringLiteral("a comma or ] expected"));
        }
    }

    bool object(JsonNode *node, int depth)
    {
        node->kind = JsonNode::Kind::Object;
        ++m_pos;
        skipSpace();
        if (peek() == '}') {
            ++m_pos;
            return true;
        }
        for (;;) {
            skipSpace();
            if (peek() != '"')
                return fail(atEnd() ? QStringLiteral("unterminated object") : QStringLiteral("a key in double quotes expected"));
            QPair<QString, JsonNode> member;
            if (!string(&member.first))
                return false;
            skipSpace();
            if (peek() != ':')
                return fail(QStringLiteral("a colon expected after the key"));
            ++m_pos;
            skipSpace();
            if (!value(&member.second, depth + 1))
                return false;
            node->members << member;
            skipSpace();
            if (peek() == ',') {
                ++m_pos;
                continue;
            }
            if (peek() == '}') {
                ++m_pos;
                return true;
            }
            return fail(atEnd() ? QStringLiteral("unterminated object") : QStringLiteral("a comma or } expected"));
        }
    }

    const QByteArray &m_json;
    int m_pos = 0;
};

// A number's text in a message: it holds nothing but digits, signs, a point and an exponent, but
// it may be of any length.
QString numberText(const QString &text)
{
    if (text.size() <= PresetFormat::QuoteLimit)
        return text;
    return QStringLiteral("%1... (%2 characters)").arg(text.left(PresetFormat::QuoteLimit)).arg(text.size());
}

// Reads the JSON into an image, stopping at the first fault with the path of the field.
class JsonReader
{
public:
    explicit JsonReader(QByteArray *image) : m_image(image) {}

    QString error;

    // Every member's key one of `keys`, none twice, none missing.
    bool object(const JsonNode *node, const QString &path, const QStringList &keys)
    {
        if (node->kind != JsonNode::Kind::Object)
            return fail(QStringLiteral("%1 must be an object").arg(path));
        QStringList seen;
        for (const auto &entry : node->members) {
            if (!keys.contains(entry.first))
                return fail(QStringLiteral("%1 has an unknown key %2").arg(path, PresetFormat::quoted(entry.first)));
            if (seen.contains(entry.first))
                return fail(QStringLiteral("%1 has the key %2 twice").arg(path, PresetFormat::quoted(entry.first)));
            seen << entry.first;
        }
        for (const QString &key : keys) {
            if (!seen.contains(key))
                return fail(QStringLiteral("%1 has no \"%2\"").arg(path, key));
        }
        return true;
    }

    bool array(const JsonNode *node, const QString &path, int count)
    {
        if (node->kind != JsonNode::Kind::Array)
            return fail(QStringLiteral("%1 must be an array").arg(path));
        if (node->items.size() != count)
            return fail(QStringLiteral("%1 must hold %2 entries, not %3").arg(path).arg(count).arg(node->items.size()));
        return true;
    }

    // A whole number within minimum..maximum. The range is checked on the number as a double:
    // converting one beyond the integer types (9.3e18) to an integer is undefined.
    bool number(const JsonNode *node, const QString &path, int minimum, int maximum, int offset)
    {
        if (node->kind != JsonNode::Kind::Number)
            return fail(QStringLiteral("%1 must be a whole number").arg(path));
        bool converted = false;
        const double number = node->text.toDouble(&converted);
        const bool negativeExponent = node->text.contains(QLatin1String("e-"), Qt::CaseInsensitive);
        // A valid JSON number that does not convert is beyond a double: too large, or, with a
        // negative exponent, too small to be anything but a fraction.
        if ((!converted || !std::isfinite(number)) && negativeExponent)
            return fail(QStringLiteral("%1 must be a whole number").arg(path));
        if (converted && std::isfinite(number) && number != std::floor(number))
            return fail(QStringLiteral("%1 must be a whole number").arg(path));
        if (!converted || !std::isfinite(number) || number < minimum || number > maximum)
            return fail(QStringLiteral("%1 is %2, outside %3..%4").arg(path, numberText(node->text)).arg(minimum).arg(maximum));
        (*m_image)[offset] = static_cast<char>(static_cast<int>(number));
        return true;
    }

    // A header field: one number, or an array of `size` numbers.
    bool header(const JsonNode *node, const Layout::HeaderField &field)
    {
        const QString path = QLatin1String(field.key);
        if (field.size == 1)
            return number(node, path, field.minimum, field.maximum, field.offset);
        if (!array(node, path, field.size))
            return false;
        for (int i = 0; i < field.size; ++i) {
            if (!number(&node->items.at(i), QStringLiteral("%1[%2]").arg(path).arg(i), field.minimum, field.maximum, field.offset + i))
                return false;
        }
        return true;
    }

    bool records(const JsonNode *node, const QString &path, Record record, int first, int count)
    {
        if (!array(node, path, count))
            return false;
        const QVector<Layout::Field> &fields = Layout::fields(record);
        QStringList keys;
        for (const Layout::Field &field : fields)
            keys << QLatin1String(field.key);
        for (int i = 0; i < count; ++i) {
            const QString entryPath = QStringLiteral("%1[%2]").arg(path).arg(i);
            const JsonNode *entry = &node->items.at(i);
            if (!object(entry, entryPath, keys))
                return false;
            const int offset = Layout::recordOffset(record, first + i);
            for (int f = 0; f < fields.size(); ++f) {
                const Layout::Field &field = fields.at(f);
                if (!number(entry->member(keys.at(f)), entryPath + QLatin1Char('.') + keys.at(f), field.minimum, field.maximum, offset + f))
                    return false;
            }
        }
        return true;
    }

    bool group(const JsonNode *node, const QString &path, Record record)
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
    bool fail(const QString &why)
    {
        error = why;
        return false;
    }

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
    JsonParser parser(json);
    JsonNode document;
    if (!parser.parse(&document)) {
        *error = QStringLiteral("not JSON: %1 at byte %2").arg(parser.error).arg(parser.errorOffset);
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
    const JsonNode *format = document.member(QStringLiteral("format"));
    const JsonNode *version = document.member(QStringLiteral("formatVersion"));
    if (format->kind != JsonNode::Kind::String || format->text != FormatName
        || version->kind != JsonNode::Kind::Number || version->text != QString::number(JsonFormatVersion)) {
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

QString PresetFormat::quoted(const QString &text)
{
    // Cut between whole characters: never half of a surrogate pair.
    int shown = std::min<int>(text.size(), QuoteLimit);
    if (shown < text.size() && shown > 0 && text.at(shown - 1).isHighSurrogate())
        --shown;
    QString result = QStringLiteral("\"");
    for (int i = 0; i < shown; ++i) {
        const QChar c = text.at(i);
        const ushort u = c.unicode();
        // Control characters (C0, DEL, C1), the bidirectional overrides and isolates that
        // reorder what follows on a terminal, and halves of broken surrogate pairs.
        const bool pairHalf = c.isSurrogate()
            && !(c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            && !(c.isLowSurrogate() && i > 0 && text.at(i - 1).isHighSurrogate());
        if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            result += QLatin1Char('\\') + c;
        else if (c == QLatin1Char('\n'))
            result += QStringLiteral("\\n");
        else if (c == QLatin1Char('\t'))
            result += QStringLiteral("\\t");
        else if (c == QLatin1Char('\r'))
            result += QStringLiteral("\\r");
        else if (u < 0x20 || (u >= 0x7F && u <= 0x9F) || (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069) || pairHalf)
            result += QStringLiteral("\\u%1").arg(u, 4, 16, QLatin1Char('0'));
        else
            result += c;
    }
    result += QLatin1Char('"');
    if (shown < text.size())
        result += QStringLiteral("... (%1 characters)").arg(text.size());
    return result;
}
