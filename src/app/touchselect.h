#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QVariantList>

class DataManagement;
class DeviceConnection;

// Touch select: while it is on, a note, controller, program change or pressure from the
// controller selects the editor of the control that sends it in the editor's configuration,
// found as the MIDI monitor names it (ControlMatch): every such control when several send the
// same message, none when no control does. While on, it holds the connection's input open.
//
// A knob swept sends a message per step: the controls of a burst are reported once SettleMs
// after its first message, those of its latest message first, then the latest of each other
// kind of control, so that the window moves at most that often.
class TouchSelect : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool enabled READ isEnabled WRITE setEnabled NOTIFY enabledChanged)
public:
    static constexpr int SettleMs = 50;

    explicit TouchSelect(DataManagement *model, QObject *parent = nullptr);
    ~TouchSelect() override;

    // Listens to `connection` (null: none); an enabled touch select moves its hold on the input.
    void setConnection(DeviceConnection *connection);

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);

signals:
    void enabledChanged(bool enabled);
    // The controls that sent the latest message, each as {"kind": "pad", "knob" or "strip",
    // "index": the model's record, "bank": 0..2, or -1 for a strip section}; never empty.
    void touched(const QVariantList &controls);

public slots:
    // One message from the controller; the connection's arrive here. Nothing while off.
    void takeMessage(const QByteArray &bytes);

private:
    void report();

    DataManagement *m_model;
    QPointer<DeviceConnection> m_connection;
    QMetaObject::Connection m_messages;
    bool m_enabled = false;
    QTimer m_settle;
    QVariantList m_pending;
};
