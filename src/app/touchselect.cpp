#include "app/touchselect.h"

#include "config/controlmatch.h"
#include "config/datamanagement.h"
#include "device/deviceconnection.h"

#include <QVariantMap>

namespace {

using Kind = MidiMessageText::Kind;
using Record = ConfigLayout::Record;

QString kindName(Record record)
{
    switch (record) {
    case Record::Pad: return QStringLiteral("pad");
    case Record::Knob: return QStringLiteral("knob");
    case Record::Strip: return QStringLiteral("strip");
    }
    return QString();
}

} // namespace

TouchSelect::TouchSelect(DataManagement *model, QObject *parent)
    : QObject(parent)
    , m_model(model)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(SettleMs);
    connect(&m_settle, &QTimer::timeout, this, &TouchSelect::report);
}

TouchSelect::~TouchSelect()
{
    setConnection(nullptr);
}

void TouchSelect::setConnection(DeviceConnection *connection)
{
    if (connection == m_connection)
        return;
    disconnect(m_messages);
    if (m_connection && m_enabled)
        m_connection->releaseInput();
    m_connection = connection;
    if (!connection)
        return;
    m_messages = connect(connection, &DeviceConnection::messageReceived, this, &TouchSelect::takeMessage);
    if (m_enabled)
        connection->holdInput();
}

void TouchSelect::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    // A hold that cannot open the input now (no controller yet) opens it when one arrives.
    if (m_connection) {
        if (enabled)
            m_connection->holdInput();
        else
            m_connection->releaseInput();
    }
    if (!enabled) {
        m_settle.stop();
        m_pending.clear();
    }
    emit enabledChanged(enabled);
}

void TouchSelect::takeMessage(const QByteArray &bytes)
{
    if (!m_enabled)
        return;
    const MidiMessageText::Message message = MidiMessageText::decode(bytes);
    // Letting a pad go says nothing new about which control was touched.
    if (message.kind == Kind::NoteOff)
        return;
    const auto &image = m_model->configImage();
    const QList<ControlMatch::Control> controls
        = ControlMatch::find(QByteArray(reinterpret_cast<const char *>(image.data()), int(image.size())), message);
    if (controls.isEmpty())
        return;
    // Within one settling time the newest touch of each kind of control counts, the newest of
    // all first (it gets the focus): a burst that reaches the host at once (a busy machine, a
    // sweep across pads, knobs and strip) still shows the bank of the last pad and knob played.
    QVariantList pending;
    for (const ControlMatch::Control &control : controls)
        pending << QVariantMap{{QStringLiteral("kind"), kindName(control.record)},
                               {QStringLiteral("index"), control.index},
                               {QStringLiteral("bank"), control.bank}};
    for (const QVariant &earlier : qAsConst(m_pending)) {
        const QString kind = earlier.toMap().value(QStringLiteral("kind")).toString();
        bool replaced = false;
        for (const ControlMatch::Control &control : controls)
            replaced = replaced || kindName(control.record) == kind;
        if (!replaced)
            pending << earlier;
    }
    m_pending = pending;
    if (!m_settle.isActive())
        m_settle.start();
}

void TouchSelect::report()
{
    const QVariantList controls = m_pending;
    m_pending.clear();
    if (!controls.isEmpty())
        emit touched(controls);
}
