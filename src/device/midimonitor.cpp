#include "device/midimonitor.h"

#include "config/atomicfile.h"
#include "config/controlmatch.h"
#include "device/deviceconnection.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QUrl>

#include <algorithm>
#include <iterator>
#include <vector>

namespace {

using Kind = MidiMessageText::Kind;

// Each kind's name as a person reads it and as JSON names it, in MidiMessageText::Kind's order.
struct KindNames {
    const char *name;
    const char *key;
};
const KindNames Kinds[] = {
    {QT_TRANSLATE_NOOP("MidiMonitor", "Note On"), "note_on"},
    {QT_TRANSLATE_NOOP("MidiMonitor", "Note Off"), "note_off"},
    {QT_TRANSLATE_NOOP("MidiMonitor", "Poly Pressure"), "poly_pressure"},
    {QT_TRANSLATE_NOOP("MidiMonitor", "Control Change"), "control_change"},
    {QT_TRANSLATE_NOOP("MidiMonitor", "Program Change"), "program_change"},
    {QT_TRANSLATE_NOOP("MidiMonitor", "Channel Pressure"), "channel_pressure"},
    {QT_TRANSLATE_NOOP("MidiMonitor", "Pitch Bend"), "pitch_bend"},
    {QT_TRANSLATE_NOOP("MidiMonitor", "SysEx"), "sysex"},
    {QT_TRANSLATE_NOOP("MidiMonitor", "System Common"), "system_common"},
    {QT_TRANSLATE_NOOP("MidiMonitor", "System Real-Time"), "system_realtime"},
    {QT_TRANSLATE_NOOP("MidiMonitor", "Unknown"), "unknown"},
};
constexpr int KindCount = int(std::size(Kinds));
static_assert(KindCount == int(Kind::Unknown) + 1, "a name for every kind");
constexpr int AllKinds = (1 << KindCount) - 1;

// The columns of a line of text, in characters; the words and the controls may run longer.
constexpr int TimeWidth = 8;
constexpr int DirectionWidth = 15;
constexpr int TypeWidth = 28;
constexpr int TextWidth = 40;
constexpr int ControlsWidth = 16;

QString directionText(MidiMonitor::Direction direction)
{
    return direction == MidiMonitor::FromController ? MidiMonitor::tr("from controller") : MidiMonitor::tr("to controller");
}

QString typeText(const MidiMessageText::Message &message)
{
    const QString kind = MidiMonitor::kindName(int(message.kind));
    return message.channel > 0 ? MidiMonitor::tr("%1, channel %2").arg(kind).arg(message.channel) : kind;
}

QString controlsText(const QStringList &controls)
{
    return controls.join(QStringLiteral("; "));
}

QString exportError(const QString &path, const QString &reason)
{
    return MidiMonitor::tr("The monitor's lines could not be saved to %1: %2").arg(path, reason);
}

} // namespace

MidiMonitor::MidiMonitor(QObject *parent)
    : QAbstractListModel(parent)
    , m_kindFilter(AllKinds)
{
    m_batchTimer.setSingleShot(true);
    m_batchTimer.setInterval(BatchIntervalMs);
    connect(&m_batchTimer, &QTimer::timeout, this, &MidiMonitor::flush);
}

MidiMonitor::~MidiMonitor()
{
    if (m_active && m_connection)
        m_connection->releaseInput();
}

void MidiMonitor::setConnection(DeviceConnection *connection)
{
    if (connection == m_connection)
        return;
    for (const QMetaObject::Connection &link : qAsConst(m_connectionLinks))
        disconnect(link);
    m_connectionLinks.clear();
    if (m_active && m_connection)
        m_connection->releaseInput();
    m_connection = connection;
    if (!connection)
        return;
    m_connectionLinks << connect(connection, &DeviceConnection::messageReceived, this,
                                 [this](const QByteArray &message) { addMessage(FromController, message); });
    m_connectionLinks << connect(connection, &DeviceConnection::messageSent, this,
                                 [this](const QByteArray &message) { addMessage(ToController, message); });
    if (m_active)
        connection->holdInput();
}

void MidiMonitor::setConfiguration(const QByteArray &image)
{
    m_image = image;
}

void MidiMonitor::setActive(bool active)
{
    if (active == m_active)
        return;
    if (!active)
        flush();
    m_active = active;
    if (m_connection) {
        if (active)
            m_connection->holdInput();
        else
            m_connection->releaseInput();
    }
    if (active && !m_clock.isValid())
        m_clock.start();
    emit activeChanged(active);
    if (m_inputExclusive)
        emit inputNoteChanged();
}

void MidiMonitor::setPaused(bool paused)
{
    if (paused == m_paused)
        return;
    m_paused = paused;
    // Each pause counts the messages it leaves out from nought.
    if (paused && m_pausedCount != 0) {
        m_pausedCount = 0;
        emit pausedCountChanged(0);
    }
    emit pausedChanged(paused);
}

void MidiMonitor::setShowFromController(bool show)
{
    if (show == m_showFrom)
        return;
    m_showFrom = show;
    refilter();
}

void MidiMonitor::setShowToController(bool show)
{
    if (show == m_showTo)
        return;
    m_showTo = show;
    refilter();
}

void MidiMonitor::setKindFilter(int filter)
{
    filter &= AllKinds;
    if (filter == m_kindFilter)
        return;
    m_kindFilter = filter;
    refilter();
}

void MidiMonitor::setKindShown(int kind, bool shown)
{
    if (kind < 0 || kind >= KindCount)
        return;
    setKindFilter(shown ? m_kindFilter | 1 << kind : m_kindFilter & ~(1 << kind));
}

int MidiMonitor::kindCount()
{
    return KindCount;
}

QString MidiMonitor::kindName(int kind)
{
    return kind >= 0 && kind < KindCount ? tr(Kinds[kind].name) : QString();
}

void MidiMonitor::setInputExclusive(bool exclusive)
{
    if (exclusive == m_inputExclusive)
        return;
    m_inputExclusive = exclusive;
    emit inputNoteChanged();
}

QString MidiMonitor::inputNote() const
{
    if (!m_inputExclusive || !m_active || m_noteDismissed)
        return QString();
    return tr("While the monitor is open the editor holds the controller's MIDI input: other programs, "
              "a music program among them, receive nothing from the controller until you close the monitor.");
}

void MidiMonitor::dismissInputNote()
{
    if (m_noteDismissed)
        return;
    m_noteDismissed = true;
    emit inputNoteChanged();
}

void MidiMonitor::clear()
{
    beginResetModel();
    m_pending.clear();
    m_lines.clear();
    m_rows.clear();
    m_firstSequence = 0;
    m_clock.start();
    endResetModel();
    emit countChanged();
    m_dropped = 0;
    emit droppedCountChanged(0);
    m_pausedCount = 0;
    emit pausedCountChanged(0);
}

void MidiMonitor::addMessage(Direction direction, const QByteArray &bytes)
{
    if (!m_active)
        return;
    if (m_paused) {
        ++m_pausedCount;
        emit pausedCountChanged(m_pausedCount);
        return;
    }
    // A batch that alone would fill the monitor drops its oldest messages before they are decoded.
    if (m_pending.size() >= size_t(MaxLines)) {
        m_pending.pop_front();
        ++m_dropped;
        emit droppedCountChanged(m_dropped);
    }
    m_pending.push_back({m_clock.elapsed(), direction, bytes});
    if (!m_batchTimer.isActive())
        m_batchTimer.start();
}

void MidiMonitor::flush()
{
    m_batchTimer.stop();
    if (m_pending.empty())
        return;
    std::vector<Line> added;
    added.reserve(m_pending.size());
    for (const Pending &pending : m_pending) {
        Line line;
        line.timeMs = pending.timeMs;
        line.direction = pending.direction;
        line.message = MidiMessageText::decode(pending.bytes);
        for (const ControlMatch::Control &control : ControlMatch::find(m_image, line.message))
            line.controls << control.label;
        added.push_back(std::move(line));
    }
    m_pending.clear();

    // The oldest lines make room: the batch itself never holds more than MaxLines.
    const size_t total = m_lines.size() + added.size();
    if (total > MaxLines) {
        const size_t excess = total - MaxLines;
        const quint64 keptFrom = m_firstSequence + excess;
        const auto firstKeptRow = std::lower_bound(m_rows.begin(), m_rows.end(), keptFrom);
        const int removedRows = int(firstKeptRow - m_rows.begin());
        if (removedRows > 0)
            beginRemoveRows(QModelIndex(), 0, removedRows - 1);
        m_rows.erase(m_rows.begin(), firstKeptRow);
        m_lines.erase(m_lines.begin(), m_lines.begin() + long(excess));
        m_firstSequence = keptFrom;
        if (removedRows > 0)
            endRemoveRows();
        m_dropped += int(excess);
        emit droppedCountChanged(m_dropped);
    }

    std::vector<quint64> shown;
    quint64 sequence = m_firstSequence + m_lines.size();
    for (const Line &line : added) {
        if (shows(line))
            shown.push_back(sequence);
        ++sequence;
    }
    const int firstRow = int(m_rows.size());
    if (!shown.empty())
        beginInsertRows(QModelIndex(), firstRow, firstRow + int(shown.size()) - 1);
    std::move(added.begin(), added.end(), std::back_inserter(m_lines));
    m_rows.insert(m_rows.end(), shown.begin(), shown.end());
    if (!shown.empty())
        endInsertRows();
    emit countChanged();
}

bool MidiMonitor::shows(const Line &line) const
{
    const bool direction = line.direction == FromController ? m_showFrom : m_showTo;
    return direction && (m_kindFilter & 1 << int(line.message.kind));
}

void MidiMonitor::refilter()
{
    beginResetModel();
    m_rows.clear();
    quint64 sequence = m_firstSequence;
    for (const Line &line : m_lines) {
        if (shows(line))
            m_rows.push_back(sequence);
        ++sequence;
    }
    endResetModel();
    emit filterChanged();
    emit countChanged();
}

const MidiMonitor::Line &MidiMonitor::line(int row) const
{
    return m_lines[m_rows[size_t(row)] - m_firstSequence];
}

QString MidiMonitor::lineText(const Line &line)
{
    const QString controls = line.controls.isEmpty() ? QStringLiteral("-") : controlsText(line.controls);
    return QStringLiteral("%1 ms  %2  %3  %4  %5  %6")
        .arg(QString::number(line.timeMs).rightJustified(TimeWidth), directionText(line.direction).leftJustified(DirectionWidth),
             typeText(line.message).leftJustified(TypeWidth), line.message.text.leftJustified(TextWidth),
             controls.leftJustified(ControlsWidth), line.message.hex);
}

QJsonObject MidiMonitor::lineJson(const Line &line)
{
    const MidiMessageText::Message &message = line.message;
    return QJsonObject{
        {QStringLiteral("time_ms"), line.timeMs},
        {QStringLiteral("direction"), line.direction == FromController ? QStringLiteral("from_controller") : QStringLiteral("to_controller")},
        {QStringLiteral("kind"), QLatin1String(Kinds[int(message.kind)].key)},
        {QStringLiteral("channel"), message.channel > 0 ? QJsonValue(message.channel) : QJsonValue()},
        {QStringLiteral("text"), message.text},
        {QStringLiteral("controls"), QJsonArray::fromStringList(line.controls)},
        {QStringLiteral("hex"), message.hex},
    };
}

QString MidiMonitor::copyText(const QList<int> &rows) const
{
    QList<int> ordered = rows;
    std::sort(ordered.begin(), ordered.end());
    ordered.erase(std::unique(ordered.begin(), ordered.end()), ordered.end());
    QString text;
    for (int row : qAsConst(ordered)) {
        if (row >= 0 && row < rowCount())
            text += lineText(line(row)) + QLatin1Char('\n');
    }
    return text;
}

QString MidiMonitor::exportText(const QString &path) const
{
    const QString file = path.startsWith(QLatin1String("file:")) ? QUrl(path).toLocalFile() : path;
    // The save would put a regular file in the place of a FIFO, a device or a folder.
    const QFileInfo existing(file);
    if (existing.exists() && !existing.isFile())
        return exportError(file, tr("it is not a regular file (a folder, a device or a FIFO) and was left as it is"));
    QString text;
    for (int row = 0; row < rowCount(); ++row)
        text += lineText(line(row)) + QLatin1Char('\n');
    QString reason;
    if (!AtomicFile::write(file, text.toUtf8(), &reason, QIODevice::Text))
        return exportError(file, reason);
    return QString();
}

int MidiMonitor::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant MidiMonitor::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= rowCount())
        return QVariant();
    const Line &shown = line(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case LineTextRole: return lineText(shown);
    case TimeRole: return shown.timeMs;
    case DirectionRole: return shown.direction;
    case DirectionTextRole: return directionText(shown.direction);
    case KindRole: return int(shown.message.kind);
    case ChannelRole: return shown.message.channel;
    case TypeTextRole: return typeText(shown.message);
    case TextRole: return shown.message.text;
    case ControlsRole: return shown.controls;
    case ControlsTextRole: return controlsText(shown.controls);
    case HexRole: return shown.message.hex;
    }
    return QVariant();
}

QHash<int, QByteArray> MidiMonitor::roleNames() const
{
    return {
        {TimeRole, "time"},
        {DirectionRole, "direction"},
        {DirectionTextRole, "directionText"},
        {KindRole, "kind"},
        {ChannelRole, "channel"},
        {TypeTextRole, "typeText"},
        {TextRole, "text"},
        {ControlsRole, "controls"},
        {ControlsTextRole, "controlsText"},
        {HexRole, "hex"},
        {LineTextRole, "lineText"},
    };
}
