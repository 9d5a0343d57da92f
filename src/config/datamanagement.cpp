#include "config/datamanagement.h"

#include <QDebug>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

using Layout = ConfigLayout;
using Record = ConfigLayout::Record;

constexpr int PadsPerBank = Layout::PadsPerBank;
constexpr int BqmPerBank = Layout::KnobsPerBank;
constexpr int TypeByte = Layout::TypeByte;
constexpr int NumberByte = Layout::NumberByte;
// The pad's colour bytes are set through a colour name, which also updates the full colour;
// the bytes before them are numbers.
constexpr int PadColourByte = Layout::PadColourByte;

int padOffset(int index) { return Layout::recordOffset(Record::Pad, index); }
int bqmOffset(int index) { return Layout::recordOffset(Record::Knob, index); }

bool validIndex(Record record, int index) { return index >= 0 && index < Layout::recordCount(record); }
bool validBank(int bank) { return bank >= 1 && bank <= Layout::BankCount; }

} // namespace

DataManagement::DataManagement(QObject *parent)
    : QObject(parent)
{
    // A write message from the start: F0, the write command, the identification bytes, and
    // firmware version 1.0.0 until the controller reports its own.
    m_configImage[0] = ControllerProtocol::SysExStart;
    m_configImage[ControllerProtocol::CommandOffset] = ControllerProtocol::WriteCommand;
    const QByteArray identification = ControllerProtocol::identification();
    std::copy(identification.cbegin(), identification.cend(), m_configImage.begin() + ControllerProtocol::IdentificationOffset);
    m_configImage[ControllerProtocol::VersionOffset] = 1;
    // The velocity curve and the fixed level until the controller or a preset says otherwise.
    m_configImage[Layout::CurveOffset] = Layout::FactoryCurve;
    m_configImage[Layout::LevelOffset] = Layout::FactoryLevel;
    m_configImage[ImageSize - 1] = ControllerProtocol::SysExEnd;
}

void DataManagement::store(int offset, qint64 value)
{
    // Whatever the caller passed, the field keeps a value it can hold: an image the editor made
    // is always one it can open again and the controller can take.
    int minimum = 0;
    int maximum = MaxDataByte;
    Layout::range(offset, &minimum, &maximum);
    m_configImage[offset] = static_cast<quint8>(std::clamp<qint64>(value, minimum, maximum));
}

void DataManagement::setRecords(Record record, int first, const QByteArray &fields)
{
    const EditScope edit(this);
    const int size = Layout::recordSize(record);
    for (int k = 0; k < fields.size() / size && validIndex(record, first + k); ++k) {
        const int offset = Layout::recordOffset(record, first + k);
        for (int byte = 0; byte < size; ++byte)
            store(offset + byte, static_cast<quint8>(fields.at(k * size + byte)));
        if (record == Record::Pad)
            updateFullColor(first + k);
    }
    emit s_updateDate();
}

QStringList DataManagement::unknownFields() const
{
    const QByteArray image(reinterpret_cast<const char *>(m_configImage.data()), ImageSize);
    QStringList lines;
    for (const Layout::FieldValue &field : Layout::fieldsOutOfRange(image))
        lines << field.text();
    return lines;
}

void DataManagement::loadConfigImage(const char *data, int length)
{
    const EditScope edit(this);
    if (data && length > 0)
        std::memcpy(m_configImage.data(), data, std::min(length, ImageSize));
    for (int i = 0; i < PadCount; ++i)
        updateFullColor(i);
    emit s_updateDate();
}

int DataManagement::recordField(Record record, int index, int byte) const
{
    return field(Layout::recordOffset(record, index) + byte);
}

QVariantMap DataManagement::recordInfo(Record record, int index) const
{
    QVariantMap info;
    const QVector<Layout::Field> &fields = Layout::fields(record);
    for (int byte = 0; byte < fields.size(); ++byte)
        info.insert(QLatin1String(fields.at(byte).modelKey), recordField(record, index, byte));
    return info;
}

bool DataManagement::storeRecordField(Record record, int index, const QString &valueType, int value)
{
    const int byte = Layout::fieldIndex(record, valueType);
    if (!validIndex(record, index) || byte < 0 || (record == Record::Pad && byte >= PadColourByte))
        return false;
    store(Layout::recordOffset(record, index) + byte, value);
    return true;
}

void DataManagement::initDefaultData()
{
    const EditScope edit(this);
    for (Record record : {Record::Pad, Record::Knob, Record::Strip}) {
        for (int index = 0; index < Layout::recordCount(record); ++index) {
            const int offset = Layout::recordOffset(record, index);
            for (int byte = 0; byte < Layout::recordSize(record); ++byte)
                store(offset + byte, Layout::factoryValue(record, index, byte));
        }
    }
    for (int i = 0; i < PadCount; ++i)
        updateFullColor(i);
    emit s_updateDate();
}

QVariantMap DataManagement::getPadInfo(int index)
{
    if (!validIndex(Record::Pad, index)) {
        qDebug() << "getPadInfo: pad index cross the border" << index;
        return {};
    }
    const QVariantMap info = recordInfo(Record::Pad, index);
    qDebug() << "pad ch" << info.value(QStringLiteral("padCh")).toInt();
    return info;
}

void DataManagement::setPadInfo(int index, QString valueType, int value)
{
    const EditScope edit(this);
    if (!validIndex(Record::Pad, index))
        qDebug() << "setPadInfo: pad index cross the border" << index;
    storeRecordField(Record::Pad, index, valueType, value);
    qDebug() << "setPadInfo1 " << "index:" << index << valueType << value;
}

void DataManagement::setPadInfo(int index, QString valueType, QString value)
{
    const EditScope edit(this);
    if (valueType == QLatin1String("padRGB")) {
        if (validIndex(Record::Pad, index))
            setPadColor(index, value);
        qDebug() << "setPadInfo2 " << "index:" << index << valueType << value;
        return;
    }
    // QML picks this overload for any string argument, such as a channel taken from a list
    // entry's text: numeric text is stored as the number overload would store it.
    bool isNumber = false;
    const int number = value.trimmed().toInt(&isNumber, 10);
    const int byte = Layout::fieldIndex(Record::Pad, valueType);
    if (isNumber && byte >= 0 && byte < PadColourByte) {
        setPadInfo(index, valueType, number);
        return;
    }
    qWarning() << "setPadInfo: refused" << valueType << value << "for pad" << index
               << "(not a colour, or not a number for a number field)";
}

void DataManagement::setPadBatch(int bank, QString mode, bool isDes, QString valueType, int value)
{
    const EditScope edit(this);
    if (validBank(bank)) {
        int type = 0;
        if (mode == QLatin1String("cc"))
            type = 1;
        else if (mode == QLatin1String("pc"))
            type = 2;
        const int first = PadsPerBank * (bank - 1);
        for (int k = 0; k < PadsPerBank; ++k) {
            const int i = first + k;
            store(padOffset(i) + TypeByte, type);
            if (valueType == QLatin1String("padData"))
                store(padOffset(i) + NumberByte, isDes ? qint64(value) - k : qint64(value) + k);
            else
                setPadInfo(i, valueType, value);
        }
    }
    emit s_updateDate();
}

void DataManagement::setPadBatchColor(int bank, QString color)
{
    const EditScope edit(this);
    if (validBank(bank)) {
        for (int i = PadsPerBank * (bank - 1); i < PadsPerBank * bank; ++i)
            setPadColor(i, color);
    }
    qDebug() << "setPadBatchColor " << "bank:" << bank << "color" << color;
    emit s_updateDate();
}

void DataManagement::setCurveInten(QString valueType, int value)
{
    const EditScope edit(this);
    if (valueType == QLatin1String("curve"))
        store(Layout::CurveOffset, value);
    else if (valueType == QLatin1String("intensity"))
        store(Layout::LevelOffset, value);
    qDebug() << "setCurveInten " << "valueType:" << valueType << "value" << value;
}

int DataManagement::getCurveInten(QString valueType)
{
    if (valueType == QLatin1String("curve"))
        return field(Layout::CurveOffset);
    if (valueType == QLatin1String("intensity"))
        return field(Layout::LevelOffset);
    return -1;
}

QVariantMap DataManagement::getBQMInfo(int index)
{
    if (!validIndex(Record::Knob, index)) {
        qDebug() << "getBQMInfo: pad index cross the border" << index;
        return {};
    }
    return recordInfo(Record::Knob, index);
}

void DataManagement::setBQMInfo(int index, QString valueType, int value)
{
    const EditScope edit(this);
    if (!validIndex(Record::Knob, index))
        qDebug() << "setBQMInfo: pad index cross the border" << index;
    storeRecordField(Record::Knob, index, valueType, value);
    qDebug() << "setBQMInfo " << "index:" << index << valueType << value;
}

void DataManagement::setBQMBatch(int bank, QString mode, QString valueType, int value)
{
    const EditScope edit(this);
    if (validBank(bank)) {
        int type = 0;
        if (mode == QLatin1String("chn"))
            type = 1;
        else if (mode == QLatin1String("pitch"))
            type = 2;
        const int first = BqmPerBank * (bank - 1);
        for (int k = 0; k < BqmPerBank; ++k) {
            const int i = first + k;
            store(bqmOffset(i) + TypeByte, type);
            if (valueType == QLatin1String("bqmData"))
                store(bqmOffset(i) + NumberByte, qint64(value) + k);
            else
                setBQMInfo(i, valueType, value);
        }
    }
    emit s_updateDate();
}

QVariantMap DataManagement::getWalkingBeltInfo(int index)
{
    if (!validIndex(Record::Strip, index)) {
        qDebug() << "getWalkingBeltInfo: belt index cross the border" << index;
        return {};
    }
    return recordInfo(Record::Strip, index);
}

void DataManagement::setWalkingBeltInfo(int index, QString valueType, int value)
{
    const EditScope edit(this);
    if (!validIndex(Record::Strip, index))
        qDebug() << "setWalkingBeltInfo: belt index cross the border" << index;
    else
        storeRecordField(Record::Strip, index, valueType, value);
    qDebug() << "setWalkingBeltInfo " << "index:" << index << valueType << value;
}

void DataManagement::setLum(int bank, float value)
{
    const EditScope edit(this);
    if (validBank(bank)) {
        for (int i = PadsPerBank * (bank - 1); i < PadsPerBank * bank; ++i) {
            const Rgb &full = m_fullColor[i];
            const qint8 components[3] = {full.r, full.g, full.b};
            for (int c = 0; c < 3; ++c) {
                // Clamped as a float: converting an out-of-range float to int is undefined.
                const float scaled = static_cast<float>(components[c]) * value;
                const float bounded = std::isnan(scaled) ? 0.0f : std::clamp(scaled, 0.0f, float(MaxDataByte));
                store(padOffset(i) + PadColourByte + c, static_cast<int>(bounded));
            }
        }
    }
    qDebug() << "setLum " << "bank:" << bank << "value" << value;
    emit s_updateDate();
}

float DataManagement::getLum(int bank)
{
    if (!validBank(bank))
        return 0.0f;
    float brightest = 0.0f;
    for (int i = PadsPerBank * (bank - 1); i < PadsPerBank * bank; ++i) {
        const Rgb &full = m_fullColor[i];
        const int fullComponents[3] = {full.r, full.g, full.b};
        const int c = int(std::max_element(fullComponents, fullComponents + 3) - fullComponents);
        if (fullComponents[c] < 1)
            continue;
        // setLum truncates, so the stored component lies up to one step below full x value:
        // half a step back lands within rounding of the value that was set.
        const float shown = (field(padOffset(i) + PadColourByte + c) + 0.5f) / fullComponents[c];
        brightest = std::max(brightest, std::min(shown, 1.0f));
    }
    return brightest;
}

QVariantList DataManagement::getVerInfo()
{
    QVariantList version;
    for (int i = 0; i < ControllerProtocol::VersionLength; ++i)
        version << field(ControllerProtocol::VersionOffset + i);
    return version;
}

QByteArray DataManagement::state() const
{
    QByteArray bytes(reinterpret_cast<const char *>(m_configImage.data()), ImageSize);
    for (const Rgb &full : m_fullColor)
        bytes.append(full.r).append(full.g).append(full.b);
    return bytes;
}

void DataManagement::setState(const QByteArray &state)
{
    std::memcpy(m_configImage.data(), state.constData(), ImageSize);
    for (int i = 0; i < PadCount; ++i) {
        const char *full = state.constData() + ImageSize + 3 * i;
        m_fullColor[i] = {qint8(full[0]), qint8(full[1]), qint8(full[2])};
    }
}

void DataManagement::beginEdit()
{
    if (m_editDepth++ == 0)
        m_editStart = state();
}

void DataManagement::endEdit()
{
    if (m_editDepth == 0 || --m_editDepth > 0)
        return;
    // Only the image counts: reloading the same image recomputes the full colours, which is
    // nothing the user could undo.
    if (std::memcmp(m_editStart.constData(), m_configImage.data(), ImageSize) == 0)
        return;
    m_history.record(m_editStart);
    emit historyChanged();
    emit imageChanged();
}

void DataManagement::clearHistory()
{
    m_history = EditHistory();
    emit historyChanged();
}

void DataManagement::undo()
{
    // An edit still open would record its start on top of the step taken here.
    if (m_editDepth > 0 || !m_history.canUndo())
        return;
    restore(m_history.undo(state()));
}

void DataManagement::redo()
{
    if (m_editDepth > 0 || !m_history.canRedo())
        return;
    restore(m_history.redo(state()));
}

void DataManagement::restore(const QByteArray &state)
{
    setState(state);
    emit historyChanged();
    emit imageChanged();
    emit s_updateDate();
}

namespace {

// The red, green and blue of a colour written as the interface writes colours: "#rrggbb", "#rgb"
// or, with an alpha that is ignored, "#aarrggbb". False for anything else.
bool parseColour(const QString &name, int (&rgb)[Layout::ColourComponents])
{
    const int digits = name.size() - 1;
    if (!name.startsWith(QLatin1Char('#')) || (digits != 3 && digits != 6 && digits != 8))
        return false;
    uint value = 0;
    for (const QChar digit : name.midRef(1)) {
        const int nibble = QStringLiteral("0123456789abcdef").indexOf(digit.toLower());
        if (nibble < 0)
            return false;
        value = value << 4 | uint(nibble);
    }
    for (int c = 0; c < Layout::ColourComponents; ++c) {
        const int shift = 8 * (Layout::ColourComponents - 1 - c);
        if (digits == 3) {
            const int nibble = (value >> (shift / 2)) & 0xf;
            rgb[c] = nibble * 0x11;
        } else {
            rgb[c] = (value >> shift) & 0xff;
        }
    }
    return true;
}

} // namespace

void DataManagement::setPadColor(int index, const QString &colorName)
{
    // Each 8-bit component halved; a name that does not parse gives black.
    int components[Layout::ColourComponents] = {0, 0, 0};
    const bool valid = parseColour(colorName, components);
    const int o = padOffset(index) + PadColourByte;
    for (int c = 0; c < Layout::ColourComponents; ++c)
        store(o + c, valid ? components[c] / 2 : 0);
    updateFullColor(index);
}

void DataManagement::updateFullColor(int index)
{
    const int o = padOffset(index) + PadColourByte;
    int r = field(o);
    int g = field(o + 1);
    int b = field(o + 2);
    int m = std::max({r, g, b});
    if (m < 1) {
        r = g = b = 1;
        m = 1;
    }
    // Single precision on purpose: the controller's colours were tuned against exactly this
    // arithmetic (15/0/0 becomes 126/0/0, not 127/0/0).
    const float factor = static_cast<float>(127.0 / m);
    auto scale = [factor](int component) {
        return static_cast<qint8>(static_cast<int>(static_cast<float>(component) * factor));
    };
    m_fullColor[index] = {scale(r), scale(g), scale(b)};
}
