#include "config/datamanagement.h"

#include <QColor>
#include <QDebug>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr int PadRecordSize = 7;
// padtype, padData, padCh and padMode are numbers; the colour bytes after them are set through
// a colour name, which also updates the full colour.
constexpr int PadNumberFields = 4;
constexpr int BqmRecordSize = 7;
constexpr int BeltRecordSize = 4;
constexpr int PadsPerBank = 16;
constexpr int BqmPerBank = 4;
constexpr int BankCount = 3;

// Byte position of every field inside its record; the keys are the ones the screens use.
int padFieldIndex(const QString &key)
{
    static const char *const keys[] = {"padtype", "padData", "padCh", "padMode", "padR", "padG", "padB"};
    for (int i = 0; i < PadRecordSize; ++i) {
        if (key == QLatin1String(keys[i]))
            return i;
    }
    return -1;
}

int bqmFieldIndex(const QString &key)
{
    static const char *const keys[] = {"bqmType", "bqmData", "bqmCh", "bqmLsbMin", "bqmLsbMax", "bqmMsbMin", "bqmMsbMax"};
    for (int i = 0; i < BqmRecordSize; ++i) {
        if (key == QLatin1String(keys[i]))
            return i;
    }
    return -1;
}

int beltFieldIndex(const QString &key)
{
    static const char *const keys[] = {"wbtype", "wbData", "wbCh", "wbMode"};
    for (int i = 0; i < BeltRecordSize; ++i) {
        if (key == QLatin1String(keys[i]))
            return i;
    }
    return -1;
}

int padOffset(int index) { return DataManagement::PadOffset + PadRecordSize * index; }
int bqmOffset(int index) { return DataManagement::BqmOffset + BqmRecordSize * index; }
int beltOffset(int index) { return DataManagement::BeltOffset + BeltRecordSize * index; }

bool validBank(int bank) { return bank >= 1 && bank <= BankCount; }

// Anything that reaches the image is kept a MIDI data byte, whatever the caller passed.
quint8 dataByte(qint64 value) { return static_cast<quint8>(std::clamp<qint64>(value, 0, DataManagement::MaxDataByte)); }

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
    // Velocity curve "FULL" and fixed level 127 until the controller or a preset says otherwise.
    m_configImage[CurveOffset] = 0;
    m_configImage[IntensityOffset] = 127;
    m_configImage[ImageSize - 1] = ControllerProtocol::SysExEnd;
}

void DataManagement::store(int offset, qint64 value)
{
    m_configImage[offset] = dataByte(value);
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

void DataManagement::initDefaultData()
{
    const EditScope edit(this);
    for (int i = 0; i < PadCount; ++i) {
        const int o = padOffset(i);
        store(o + 0, 0);
        store(o + 1, 24 + i);
        store(o + 2, 1);
        store(o + 3, 0);
        const int bank = i / PadsPerBank;
        store(o + 4, bank == 0 ? 90 : 0);
        store(o + 5, bank == 1 ? 90 : 0);
        store(o + 6, bank == 2 ? 90 : 0);
        updateFullColor(i);
    }
    static const int bqmNumbers[BqmCount] = {7, 1, 2, 10, 14, 15, 12, 13, 53, 54, 51, 52};
    for (int k = 0; k < BqmCount; ++k) {
        const int o = bqmOffset(k);
        store(o + 0, 0);
        store(o + 1, bqmNumbers[k]);
        store(o + 2, 1);
        store(o + 3, 0);
        store(o + 4, 127);
        store(o + 5, 0);
        store(o + 6, 127);
    }
    for (int j = 0; j < BeltCount; ++j) {
        const int o = beltOffset(j);
        store(o + 0, 0);
        store(o + 1, 21 + j);
        store(o + 2, 1);
        store(o + 3, 0);
    }
    emit s_updateDate();
}

QVariantMap DataManagement::getPadInfo(int index)
{
    if (index < 0 || index >= PadCount) {
        qDebug() << "getPadInfo: pad index cross the border" << index;
        return {};
    }
    const int o = padOffset(index);
    QVariantMap info;
    info.insert(QStringLiteral("padtype"), field(o + 0));
    info.insert(QStringLiteral("padData"), field(o + 1));
    info.insert(QStringLiteral("padCh"), field(o + 2));
    info.insert(QStringLiteral("padMode"), field(o + 3));
    info.insert(QStringLiteral("padR"), field(o + 4));
    info.insert(QStringLiteral("padG"), field(o + 5));
    info.insert(QStringLiteral("padB"), field(o + 6));
    qDebug() << "pad ch" << field(o + 2);
    return info;
}

bool DataManagement::storePadField(int index, const QString &valueType, int value)
{
    const int fieldIndex = padFieldIndex(valueType);
    if (index < 0 || index >= PadCount || fieldIndex < 0 || fieldIndex >= PadNumberFields)
        return false;
    store(padOffset(index) + fieldIndex, value);
    return true;
}

void DataManagement::setPadInfo(int index, QString valueType, int value)
{
    const EditScope edit(this);
    if (index < 0 || index >= PadCount)
        qDebug() << "setPadInfo: pad index cross the border" << index;
    storePadField(index, valueType, value);
    qDebug() << "setPadInfo1 " << "index:" << index << valueType << value;
}

void DataManagement::setPadInfo(int index, QString valueType, QString value)
{
    const EditScope edit(this);
    if (valueType == QLatin1String("padRGB")) {
        if (index >= 0 && index < PadCount)
            setPadColor(index, value);
        qDebug() << "setPadInfo2 " << "index:" << index << valueType << value;
        return;
    }
    // QML picks this overload for any string argument, such as a channel taken from a list
    // entry's text: numeric text is stored as the number overload would store it.
    bool isNumber = false;
    const int number = value.trimmed().toInt(&isNumber, 10);
    const int fieldIndex = padFieldIndex(valueType);
    if (isNumber && fieldIndex >= 0 && fieldIndex < PadNumberFields) {
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
            store(padOffset(i) + 0, type);
            if (valueType == QLatin1String("padData"))
                store(padOffset(i) + 1, isDes ? qint64(value) - k : qint64(value) + k);
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
        store(CurveOffset, value);
    else if (valueType == QLatin1String("intensity"))
        store(IntensityOffset, value);
    qDebug() << "setCurveInten " << "valueType:" << valueType << "value" << value;
}

int DataManagement::getCurveInten(QString valueType)
{
    if (valueType == QLatin1String("curve"))
        return field(CurveOffset);
    if (valueType == QLatin1String("intensity"))
        return field(IntensityOffset);
    return -1;
}

QVariantMap DataManagement::getBQMInfo(int index)
{
    if (index < 0 || index >= BqmCount) {
        qDebug() << "getBQMInfo: pad index cross the border" << index;
        return {};
    }
    const int o = bqmOffset(index);
    QVariantMap info;
    info.insert(QStringLiteral("bqmType"), field(o + 0));
    info.insert(QStringLiteral("bqmData"), field(o + 1));
    info.insert(QStringLiteral("bqmCh"), field(o + 2));
    info.insert(QStringLiteral("bqmLsbMin"), field(o + 3));
    info.insert(QStringLiteral("bqmLsbMax"), field(o + 4));
    info.insert(QStringLiteral("bqmMsbMin"), field(o + 5));
    info.insert(QStringLiteral("bqmMsbMax"), field(o + 6));
    return info;
}

bool DataManagement::storeBqmField(int index, const QString &valueType, int value)
{
    const int fieldIndex = bqmFieldIndex(valueType);
    if (index < 0 || index >= BqmCount || fieldIndex < 0)
        return false;
    store(bqmOffset(index) + fieldIndex, value);
    return true;
}

void DataManagement::setBQMInfo(int index, QString valueType, int value)
{
    const EditScope edit(this);
    if (index < 0 || index >= BqmCount)
        qDebug() << "setBQMInfo: pad index cross the border" << index;
    storeBqmField(index, valueType, value);
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
            store(bqmOffset(i) + 0, type);
            if (valueType == QLatin1String("bqmData"))
                store(bqmOffset(i) + 1, qint64(value) + k);
            else
                setBQMInfo(i, valueType, value);
        }
    }
    emit s_updateDate();
}

QVariantMap DataManagement::getWalkingBeltInfo(int index)
{
    if (index < 0 || index >= BeltCount) {
        qDebug() << "getWalkingBeltInfo: belt index cross the border" << index;
        return {};
    }
    const int o = beltOffset(index);
    QVariantMap info;
    info.insert(QStringLiteral("wbtype"), field(o + 0));
    info.insert(QStringLiteral("wbData"), field(o + 1));
    info.insert(QStringLiteral("wbCh"), field(o + 2));
    info.insert(QStringLiteral("wbMode"), field(o + 3));
    return info;
}

void DataManagement::setWalkingBeltInfo(int index, QString valueType, int value)
{
    const EditScope edit(this);
    const int fieldIndex = beltFieldIndex(valueType);
    if (index < 0 || index >= BeltCount)
        qDebug() << "setWalkingBeltInfo: belt index cross the border" << index;
    else if (fieldIndex >= 0)
        store(beltOffset(index) + fieldIndex, value);
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
                store(padOffset(i) + 4 + c, static_cast<int>(bounded));
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
        const float shown = (field(padOffset(i) + 4 + c) + 0.5f) / fullComponents[c];
        brightest = std::max(brightest, std::min(shown, 1.0f));
    }
    return brightest;
}

QVariantList DataManagement::getVerInfo()
{
    return {field(8), field(9), field(10)};
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

void DataManagement::setPadColor(int index, const QString &colorName)
{
    QColor color;
    color.setNamedColor(colorName);
    const int o = padOffset(index);
    if (color.isValid()) {
        store(o + 4, color.red() / 2);
        store(o + 5, color.green() / 2);
        store(o + 6, color.blue() / 2);
    } else {
        store(o + 4, 0);
        store(o + 5, 0);
        store(o + 6, 0);
    }
    updateFullColor(index);
}

void DataManagement::updateFullColor(int index)
{
    const int o = padOffset(index);
    int r = field(o + 4);
    int g = field(o + 5);
    int b = field(o + 6);
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
