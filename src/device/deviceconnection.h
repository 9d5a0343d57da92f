#pragma once

#include "device/midiin.h"
#include "device/midiout.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

// The connection to the controller's MIDI personality: finds its ports by name, opens and closes
// them around every exchange, sends the configuration and the requests, and reports
// what comes back. The editor and tark9ctl both use it; it shows nothing itself:
// failures are results, replies and time-outs are signals, and the application decides what
// the user sees.
//
// The ports are looked up by name every time they are opened, never remembered: MIDI systems
// renumber their ports when other devices come and go, and a remembered index can by then
// belong to another device.
//
// Someone listening to the controller (the MIDI monitor, touch select) holds the input open
// between exchanges. The input is held only while someone listens: on Windows an open input port
// is the editor's alone, and no other program receives from the controller meanwhile.
class DeviceConnection : public QObject
{
    Q_OBJECT
public:
    enum class Status {
        Ok,
        NotPresent,      // no controller attached (as the presence detector last said)
        NoPorts,         // no MIDI input and output carry the controller's name
        MidiSystemUnusable, // the MIDI system itself cannot be opened (ConnectionCheck says why)
        PortsBusy,       // the ports are listed but cannot be opened (another program holds them)
        InvalidMessage,  // the configuration holds a byte the controller cannot take; nothing sent
        SendFailed,      // the MIDI system refused the message
        TimedOut         // the controller took no data for MidiOut::SendTimeoutMs
    };
    Q_ENUM(Status)

    struct PortIndices {
        int input = -1;
        int output = -1;
        bool found() const { return input >= 0 && output >= 0; }
    };

    explicit DeviceConnection(QObject *parent = nullptr);
    ~DeviceConnection() override;

    // Whether the controller's MIDI personality is attached; while it is not, nothing is opened
    // or sent. True until said otherwise: a tool without a presence detector just tries.
    void setDevicePresent(bool present);
    bool isDevicePresent() const { return m_present; }

    // The lowest-numbered input and output port whose whole name is the controller's, now.
    static PortIndices findPorts();

    // Opens both ports (an open port stays as it is). A failure leaves the output closed.
    Status open();
    // Closes the output, and the input unless someone listens.
    void close();
    bool isOpen() const { return m_midiIn.isOpen() && m_midiOut.isOpen(); }

    // Writes the 458-byte image (with the write command byte), then closes the ports. When the
    // image is refused, `defectOffset` gets its first offending byte.
    Status sendConfiguration(const QByteArray &image, int *defectOffset = nullptr);
    // The requests; the ports stay open for the reply, which takeMessage() reports.
    Status requestConfiguration();
    Status requestSerialNumber();
    // The switch to the boot loader; the controller answers by leaving its MIDI personality.
    Status requestBootLoader();

    // Holds the input open for a listener, until the matching releaseInput(); the holds are
    // counted. Returns what opening it now gave: a hold that could not open it (no controller
    // yet, the port busy) stays, and the input opens when the controller is present again, at
    // the next exchange or at the next try, every ListenRetryMs.
    Status holdInput();
    void releaseInput();
    bool isListening() const { return m_inputHolds > 0; }
    bool isInputOpen() const { return m_midiIn.isOpen(); }
    static constexpr int ListenRetryMs = 1000;

    // How long a request waits for its reply before replyTimedOut() (and the ports close);
    // 0, the default, waits for ever, as the editor does.
    void setReplyTimeout(int ms) { m_replyTimeoutMs = ms; }

    // Decodes one received message and reports it; after a configuration reply, usable or not,
    // the ports close. Every message arrives first as messageReceived(); the owner hands it here.
    // Only SysEx messages are replies: a pad's note or a knob's controller is passed over.
    void takeMessage(const char *data, int length);

    // The status as a sentence in English, for logs and the command line. The editor words a
    // status for its user itself, in the interface's language.
    static QString describe(Status status);

signals:
    // Every message from the controller while the input is open (a SysEx message whole, a note or
    // a controller as its bytes), on the thread this object lives on.
    void messageReceived(const QByteArray &message);
    // Every message that left for the controller: the requests and the configuration writes.
    void messageSent(const QByteArray &message);
    void listeningChanged(bool listening);
    void configurationReceived(const QByteArray &message);
    void serialNumberReceived(const QString &serialNumber);
    // A configuration reply that would not make a clean image; `offset` is its first bad byte.
    void replyRejected(int offset);
    void replyTimedOut();

private:
    enum class Awaited { Nothing, Configuration, SerialNumber };

    Status sendRequest(const QByteArray &request, Awaited reply);
    bool openInput(int index);
    // Opens the input for the listeners, when it is not open and the controller is present.
    Status listen();
    void closePorts();
    Status send(const QByteArray &message);
    void replied(Awaited reply);

    MidiIn m_midiIn;
    MidiOut m_midiOut;
    bool m_present = true;
    int m_replyTimeoutMs = 0;
    QTimer m_replyTimer;
    Awaited m_awaited = Awaited::Nothing;   // the reply the timer runs for
    int m_inputHolds = 0;
    QTimer m_listenRetry;
};
