#pragma once

#include "device/deviceconnection.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

class DataManagement;
class PresetDocument;
class QWidget;

// The editor's dealings with the controller: what happens when it arrives or leaves, sending the
// configuration and checking it by reading it back, reading it, comparing it with the editor's,
// its serial number, and the switch to its boot loader. The exchanges themselves are the device
// connection's; this decides when they happen and tells the user, through Prompt with
// `dialogParent` as the boxes' parent, what failed, in the interface's language.
class ControllerSession : public QObject
{
    Q_OBJECT
public:
    ControllerSession(DataManagement *model, PresetDocument *document, QWidget *dialogParent, QObject *parent = nullptr);

    // The controller's MIDI personality arrived (true) or left (false), as the presence detector
    // says. An arrival reads its configuration and, 2 s later, its serial number.
    void setAttached(bool attached);

    // Writes the editor's configuration, then reads it back to check it.
    void send();
    // Reads the controller's configuration into the editor, once unsaved changes are dealt with.
    void read();
    // Reads the controller's configuration without loading it; compared() reports.
    void compare();
    // Loads the configuration the last comparison read, as one undo step.
    void takeControllerConfiguration();
    // The connection to the controller, for those who listen to it (the MIDI monitor, touch select)
    // and for a firmware update while it has it lent (setConnectionLent).
    DeviceConnection &connection() { return m_connection; }
    // While a firmware update has the connection, the session starts no exchange and takes up no
    // reply (the update reads and writes the configuration itself); it keeps the controller's
    // presence up to date. Given back, a controller that is there is taken up as at an arrival:
    // its configuration, with the new firmware's version, is read into the editor.
    void setConnectionLent(bool lent);

    // One message from the controller, as the MIDI input's hand-over delivers it.
    void takeMessage(const char *data, int length);

    // A failed exchange as the user reads it: one whole sentence in the interface's language.
    static QString failureText(DeviceConnection::Status status);

signals:
    // An exchange was started (a send, a read) and went out (isSuccess), or failed; a send whose
    // check by reading back failed reports again, as a failed send.
    void showHint(bool isSend, bool isSuccess);
    // The connection indicator: on once an arrival has made its first exchange, off on removal.
    void attachedChanged(bool attached);
    void serialNumberReceived(const QString &serialNumber);
    // The controller's configuration was read for a comparison: every field that differs, as a
    // line of text; none when both hold the same.
    void compared(const QStringList &differences);

private:
    // Who asked for an exchange: an arrival shows at most one warning for all of its exchanges.
    enum class Origin { User, Arrival };
    // What a configuration reply is for.
    enum class ReadPurpose { Load, Compare, Verify };

    void startRead(ReadPurpose purpose);
    void configurationArrived(const QByteArray &message);
    void readBackFailed(const QString &reason);
    QStringList differenceLines(const QByteArray &editor, const QByteArray &controller) const;
    void searchPortsAgain();
    void finishArrival(const DeviceConnection::PortIndices &ports);
    void reportFailure(DeviceConnection::Status status, Origin origin);

    DataManagement *m_model;
    PresetDocument *m_document;
    QWidget *m_dialogParent;
    DeviceConnection m_connection;
    ReadPurpose m_readPurpose = ReadPurpose::Load;
    QByteArray m_sentImage;         // what the last send wrote, until it is verified
    QByteArray m_controllerImage;   // what the last comparison read
    QTimer m_verifyTimer;
    QTimer m_serialRequestTimer;    // the serial-number request after an arrival
    // Counts arrivals and removals: a step of an arrival that finds it changed is stale (the
    // controller was pulled out while a warning box of that arrival was open).
    quint64 m_arrival = 0;
    bool m_arrivalWarned = false;   // this arrival has shown its one warning
    QTimer m_portSearchTimer;       // an arrival whose ports are not listed yet looks again
    QElapsedTimer m_portSearchClock;
    bool m_connectionLent = false;
};
