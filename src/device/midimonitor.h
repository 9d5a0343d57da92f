#pragma once

#include "config/midimessagetext.h"

#include <QAbstractListModel>
#include <QByteArray>
#include <QElapsedTimer>
#include <QJsonObject>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <deque>

class DeviceConnection;

// The MIDI monitor: one line per message between the editor and the controller, in both
// directions (the controller's notes, controllers and replies; the editor's requests and
// configuration writes), each with its time, its kind and channel, its words, the controls that
// send it in the current configuration and its bytes. The editor's monitor window shows it and
// tark9ctl monitor prints it.
//
// Messages are taken while the monitor is active; the lines show up in batches, every
// BatchIntervalMs, so that a controller sending a thousand messages a second costs the view one
// insertion per batch rather than one per message. At most MaxLines lines are kept: older ones
// are dropped and counted. While paused, arriving messages are not added: they are counted
// (pausedCount) and lost. The filters (by direction and by kind) choose which of the kept lines
// are rows; a line hidden by a filter is still kept and comes back when the filter is lifted.
// A line's words and control labels are in the interface's language of the moment it arrived.
class MidiMonitor : public QAbstractListModel
{
    Q_OBJECT
    // While active the monitor holds the connection's input open and takes every message.
    Q_PROPERTY(bool active READ isActive WRITE setActive NOTIFY activeChanged)
    Q_PROPERTY(bool paused READ isPaused WRITE setPaused NOTIFY pausedChanged)
    Q_PROPERTY(bool showFromController READ showsFromController WRITE setShowFromController NOTIFY filterChanged)
    Q_PROPERTY(bool showToController READ showsToController WRITE setShowToController NOTIFY filterChanged)
    // The kinds shown: bit k for MidiMessageText::Kind k (kindName(k) names it); all by default.
    Q_PROPERTY(int kindFilter READ kindFilter WRITE setKindFilter NOTIFY filterChanged)
    Q_PROPERTY(int kindCount READ kindCount CONSTANT)
    Q_PROPERTY(int count READ rowCount NOTIFY countChanged)                // the rows the filters show
    Q_PROPERTY(int keptCount READ keptCount NOTIFY countChanged)           // every line kept
    Q_PROPERTY(int droppedCount READ droppedCount NOTIFY droppedCountChanged)
    Q_PROPERTY(int pausedCount READ pausedCount NOTIFY pausedCountChanged)
    // Whether the platform's MIDI input is exclusive (Windows): while the monitor holds it, no
    // other program receives from the controller. The owner says so; false by default.
    Q_PROPERTY(bool inputExclusive READ isInputExclusive WRITE setInputExclusive NOTIFY inputNoteChanged)
    // The sentence the window shows once about that; empty when there is nothing to say or it
    // has been dismissed.
    Q_PROPERTY(QString inputNote READ inputNote NOTIFY inputNoteChanged)

public:
    enum Direction { FromController, ToController };
    Q_ENUM(Direction)

    enum Role {
        TimeRole = Qt::UserRole + 1,   // ms since the monitor was first made active or last cleared
        DirectionRole,                 // Direction
        DirectionTextRole,             // "from controller"
        KindRole,                      // MidiMessageText::Kind as a number
        ChannelRole,                   // 1..16; 0 for a message of no channel
        TypeTextRole,                  // "Note On, channel 1", "SysEx"
        TextRole,                      // "Note On C1 velocity 100"
        ControlsRole,                  // ["Pad 1, bank A"]; empty when no control sends it
        ControlsTextRole,              // "Pad 1, bank A; Pad 1, bank B"
        HexRole,                       // "90 18 64"
        LineTextRole                   // the whole line as copy and export write it
    };

    struct Line {
        qint64 timeMs = 0;
        Direction direction = FromController;
        MidiMessageText::Message message;
        QStringList controls;
    };

    static constexpr int MaxLines = 10000;
    static constexpr int BatchIntervalMs = 50;

    explicit MidiMonitor(QObject *parent = nullptr);
    ~MidiMonitor() override;

    // Takes every message `connection` receives and sends (null: none). An active monitor moves
    // its hold on the input to the new connection.
    void setConnection(DeviceConnection *connection);
    // The configuration whose controls the lines name: the editor's current image (458 bytes,
    // laid out as ConfigLayout says). Lines already there keep the controls they were given.
    void setConfiguration(const QByteArray &image);

    bool isActive() const { return m_active; }
    void setActive(bool active);
    bool isPaused() const { return m_paused; }
    void setPaused(bool paused);
    bool showsFromController() const { return m_showFrom; }
    void setShowFromController(bool show);
    bool showsToController() const { return m_showTo; }
    void setShowToController(bool show);
    int kindFilter() const { return m_kindFilter; }
    void setKindFilter(int filter);
    static int kindCount();
    int keptCount() const { return int(m_lines.size()); }
    int droppedCount() const { return m_dropped; }
    int pausedCount() const { return m_pausedCount; }
    bool isInputExclusive() const { return m_inputExclusive; }
    void setInputExclusive(bool exclusive);
    QString inputNote() const;

    Q_INVOKABLE void setKindShown(int kind, bool shown);
    // "Note On", "Control Change", "SysEx", ... for MidiMessageText::Kind `kind`.
    Q_INVOKABLE static QString kindName(int kind);
    // Empties the monitor; the times count from now.
    Q_INVOKABLE void clear();
    // The rows (of the filtered view) as text, one line each in row order; rows that are not
    // there are left out.
    Q_INVOKABLE QString copyText(const QList<int> &rows) const;
    // Writes every row as text to `path` (a local path or a file: URL), replacing the file only
    // once the whole text is written. Returns an empty string, or why it failed as a sentence.
    Q_INVOKABLE QString exportText(const QString &path) const;
    Q_INVOKABLE void dismissInputNote();

    // One message, as taken now: nothing while inactive or paused. The connection's messages
    // arrive here; an owner without a connection may hand messages in itself.
    void addMessage(Direction direction, const QByteArray &bytes);
    // Inserts the messages taken since the last batch at once.
    void flush();

    const Line &line(int row) const;
    // "     120 ms  from controller  Note On, channel 1  Note On C1 velocity 100  Pad 1, bank A  90 18 64"
    static QString lineText(const Line &line);
    // {"time_ms", "direction", "kind", "channel", "text", "controls", "hex"} with untranslated
    // names for the direction ("from_controller", "to_controller") and the kind ("note_on", ...).
    static QJsonObject lineJson(const Line &line);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

signals:
    void activeChanged(bool active);
    void pausedChanged(bool paused);
    void filterChanged();
    void countChanged();
    void droppedCountChanged(int dropped);
    void pausedCountChanged(int count);
    void inputNoteChanged();

private:
    struct Pending {
        qint64 timeMs;
        Direction direction;
        QByteArray bytes;
    };

    bool shows(const Line &line) const;
    // The rows again after a filter changed.
    void refilter();

    QPointer<DeviceConnection> m_connection;
    QList<QMetaObject::Connection> m_connectionLinks;
    QByteArray m_image;
    QElapsedTimer m_clock;
    QTimer m_batchTimer;
    std::deque<Pending> m_pending;
    std::deque<Line> m_lines;          // oldest first
    quint64 m_firstSequence = 0;       // the number of m_lines.front(); each line's is one more
    std::deque<quint64> m_rows;        // the numbers of the lines the filters show, in order
    bool m_active = false;
    bool m_paused = false;
    bool m_showFrom = true;
    bool m_showTo = true;
    int m_kindFilter;
    int m_dropped = 0;
    int m_pausedCount = 0;
    bool m_inputExclusive = false;
    bool m_noteDismissed = false;
};
