#include "cli/presetformat.h"

#include "config/configlayout.h"
#include "config/controllerprotocol.h"
#include "config/presetfile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

namespace {

using Layout = ConfigLayout;
using Protocol = ControllerProtocol;
using Record = ConfigLayout::Record;

const QString FormatName = QStringLiteral("kovela-tark9-preset");

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

// Reads the JSON into an image, stopping at the first fault with the path of the field.
class JsonReader
{
public:
    explicit JsonReader(QByteArray *image) : m_image(image) {}

    QString error;

    bool object(const QJsonValue &value, const QString &path, const QStringList &keys, QJsonObject *out)
    {
        if (!value.isObject())
            return fail(QStringLiteral("%1 must be an object").arg(path));
        *out = value.toObject();
        for (auto it = out->constBegin(); it != out->constEnd(); ++it) {
            if (!keys.contains(it.key()))
                return fail(QStringLiteral("%1 has an unknown key \"%2\"").arg(path, it.key()));
        }
        for (const QString &key : keys) {
            if (!out->contains(key))
                return fail(QStringLiteral("%1 has no \"%2\"").arg(path, key));
        }
        return true;
    }

    bool array(const QJsonValue &value, const QString &path, int count, QJsonArray *out)
    {
        if (!value.isArray())
            return fail(QStringLiteral("%1 must be an array").arg(path));
        *out = value.toArray();
        if (out->size() != count)
            return fail(QStringLiteral("%1 must hold %2 entries, not %3").arg(path).arg(count).arg(out->size()));
        return true;
    }

    bool number(const QJsonValue &value, const QString &path, int minimum, int maximum, int offset)
    {
        const double number = value.toDouble(-1.0);
        if (!value.isDouble() || number != static_cast<double>(static_cast<qint64>(number)))
            return fail(QStringLiteral("%1 must be a whole number").arg(path));
        if (number < minimum || number > maximum)
            return fail(QStringLiteral("%1 is %2, outside %3..%4").arg(path).arg(static_cast<qint64>(number)).arg(minimum).arg(maximum));
        (*m_image)[offset] = static_cast<char>(static_cast<int>(number));
        return true;
    }

    bool numbers(const QJsonValue &value, const QString &path, int offset, int count)
    {
        QJsonArray entries;
        if (!array(value, path, count, &entries))
            return false;
        for (int i = 0; i < count; ++i) {
            if (!number(entries.at(i), QStringLiteral("%1[%2]").arg(path).arg(i), 0, Protocol::MaxDataByte, offset + i))
                return false;
        }
        return true;
    }

    bool records(const QJsonValue &value, const QString &path, Record record, int first, int count)
    {
        QJsonArray entries;
        if (!array(value, path, count, &entries))
            return false;
        const QVector<Layout::Field> &fields = Layout::fields(record);
        QStringList keys;
        for (const Layout::Field &field : fields)
            keys << QLatin1String(field.key);
        for (int i = 0; i < count; ++i) {
            const QString entryPath = QStringLiteral("%1[%2]").arg(path).arg(i);
            QJsonObject entry;
            if (!object(entries.at(i), entryPath, keys, &entry))
                return false;
            const int offset = Layout::recordOffset(record, first + i);
            for (int f = 0; f < fields.size(); ++f) {
                const Layout::Field &field = fields.at(f);
                if (!number(entry.value(keys.at(f)), entryPath + QLatin1Char('.') + keys.at(f), field.minimum, field.maximum, offset + f))
                    return false;
            }
        }
        return true;
    }

    bool group(const QJsonValue &value, const QString &path, Record record)
    {
        if (!hasBanks(record))
            return records(value, path, record, 0, Layout::recordCount(record));
        QJsonObject banks;
        if (!object(value, path, {bankKey(0), bankKey(1), bankKey(2)}, &banks))
            return false;
        for (int bank = 0; bank < Layout::BankCount; ++bank) {
            if (!records(banks.value(bankKey(bank)), path + QLatin1Char('.') + bankKey(bank), record, bank * perBank(record), perBank(record)))
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

bool PresetFormat::load(const QString &path, QByteArray *image, QString *error)
{
    const PresetFile::ReadResult result = PresetFile::read(path);
    if (result.status != PresetFile::ReadStatus::Loaded) {
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
            const int o = Layout::recordOffset(Record::Pad, pad);
            const int type = byteAt(image, o);
            const int number = byteAt(image, o + 1);
            const QString numberText = type == 0 ? QStringLiteral("%1 %2").arg(number).arg(Layout::noteName(number)) : QString::number(number);
            text += row({Layout::recordName(Record::Pad, pad), Layout::typeName(Record::Pad, type), numberText,
                         QString::number(byteAt(image, o + 2)), Layout::modeName(byteAt(image, o + 3)), colourText(image, o + 4)},
                        padWidths);
        }
    }

    const QList<int> knobWidths = {4, 11, 11, 8};
    text += QStringLiteral("\nKnobs\n");
    text += row({"knob", "type", "controller", "channel", "range"}, knobWidths);
    for (int knob = 0; knob < Layout::KnobCount; ++knob) {
        const int o = Layout::recordOffset(Record::Knob, knob);
        const int type = byteAt(image, o);
        QString range = QStringLiteral("%1..%2").arg(byteAt(image, o + 3)).arg(byteAt(image, o + 4));
        if (type == 2)   // pitch bend: the high 7 bits have a range of their own
            range += QStringLiteral(", msb %1..%2").arg(byteAt(image, o + 5)).arg(byteAt(image, o + 6));
        text += row({Layout::recordName(Record::Knob, knob), Layout::typeName(Record::Knob, type), QString::number(byteAt(image, o + 1)),
                     QString::number(byteAt(image, o + 2)), range},
                    knobWidths);
    }

    const QList<int> stripWidths = {8, 5, 11, 8};
    text += QStringLiteral("\nStrip\n");
    text += row({"section", "type", "controller", "channel", "mode"}, stripWidths);
    for (int section = 0; section < Layout::StripCount; ++section) {
        const int o = Layout::recordOffset(Record::Strip, section);
        text += row({Layout::recordName(Record::Strip, section), Layout::typeName(Record::Strip, byteAt(image, o)),
                     QString::number(byteAt(image, o + 1)), QString::number(byteAt(image, o + 2)), Layout::modeName(byteAt(image, o + 3))},
                    stripWidths);
    }
    return text;
}

QByteArray PresetFormat::toJson(const QByteArray &image)
{
    QStringList members;
    members << QStringLiteral("  \"format\": \"%1\"").arg(FormatName);
    members << QStringLiteral("  \"formatVersion\": %1").arg(JsonFormatVersion);
    members << QStringLiteral("  \"command\": %1").arg(byteAt(image, Protocol::CommandOffset));
    members << QStringLiteral("  \"identification\": %1").arg(jsonNumbers(image, Protocol::IdentificationOffset, Protocol::IdentificationLength));
    members << QStringLiteral("  \"reserved\": %1").arg(byteAt(image, Protocol::ReservedOffset));
    members << QStringLiteral("  \"firmware\": %1").arg(jsonNumbers(image, Protocol::VersionOffset, Protocol::VersionLength));
    members << QStringLiteral("  \"curve\": %1").arg(byteAt(image, Layout::CurveOffset));
    members << QStringLiteral("  \"level\": %1").arg(byteAt(image, Layout::LevelOffset));
    members << QStringLiteral("  \"pads\": %1").arg(jsonGroup(image, Record::Pad));
    members << QStringLiteral("  \"knobs\": %1").arg(jsonGroup(image, Record::Knob));
    members << QStringLiteral("  \"strip\": %1").arg(jsonGroup(image, Record::Strip));
    return (QStringLiteral("{\n") + members.join(QStringLiteral(",\n")) + QStringLiteral("\n}\n")).toUtf8();
}

bool PresetFormat::fromJson(const QByteArray &json, QByteArray *image, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (document.isNull()) {
        *error = QStringLiteral("not JSON: %1 at byte %2").arg(parseError.errorString()).arg(parseError.offset);
        return false;
    }
    QByteArray built(Protocol::ImageSize, '\0');
    built[0] = static_cast<char>(Protocol::SysExStart);
    built[Protocol::ImageSize - 1] = static_cast<char>(Protocol::SysExEnd);
    JsonReader reader(&built);
    QJsonObject root;
    const QStringList keys = {"format", "formatVersion", "command", "identification", "reserved", "firmware",
                              "curve", "level", "pads", "knobs", "strip"};
    const QJsonValue top = document.isObject() ? QJsonValue(document.object()) : QJsonValue(document.array());
    if (!reader.object(top, QStringLiteral("the document"), keys, &root)) {
        *error = reader.error;
        return false;
    }
    if (root.value("format").toString() != FormatName || root.value("formatVersion").toInt(-1) != JsonFormatVersion) {
        *error = QStringLiteral("it is not a Kovela Tark9 preset (\"format\": \"%1\", \"formatVersion\": %2 expected)")
                     .arg(FormatName).arg(JsonFormatVersion);
        return false;
    }
    const bool read = reader.number(root.value("command"), "command", 0, Protocol::MaxDataByte, Protocol::CommandOffset)
        && reader.numbers(root.value("identification"), "identification", Protocol::IdentificationOffset, Protocol::IdentificationLength)
        && reader.number(root.value("reserved"), "reserved", 0, Protocol::MaxDataByte, Protocol::ReservedOffset)
        && reader.numbers(root.value("firmware"), "firmware", Protocol::VersionOffset, Protocol::VersionLength)
        && reader.number(root.value("curve"), "curve", 0, Layout::CurveCount - 1, Layout::CurveOffset)
        && reader.number(root.value("level"), "level", 0, Protocol::MaxDataByte, Layout::LevelOffset)
        && reader.group(root.value("pads"), "pads", Record::Pad)
        && reader.group(root.value("knobs"), "knobs", Record::Knob)
        && reader.group(root.value("strip"), "strip", Record::Strip);
    if (!read) {
        *error = reader.error;
        return false;
    }
    *image = built;
    return true;
}
