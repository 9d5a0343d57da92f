#pragma once

#include "config/controlleridentity.h"
#include "device/virtual/virtualbootloader.h"
#include "device/virtual/virtualmidisystem.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

// An emulated Kovela Tark9 in MIDI mode, for demos, tests and benchmarks. It keeps its own
// configuration image, serial number and firmware version, answers the editor's SysEx requests
// from its own thread (as a real driver's callbacks come from a system thread), and can be told
// to misbehave so that every failure path of the editor can be reached.
//
// Boot loader: on the firmware-update request F0 05 ... it emits bootLoaderRequested() from its
// thread, and its boot-loader personality (bootLoader()) takes over: it leaves MIDI mode, takes an
// image by YMODEM on a serial port of its own and hands back to the firmware (startFirmware()),
// which comes back in MIDI mode with the image's version and the configuration it had.
class VirtualTark9 : public QObject
{
    Q_OBJECT
public:
    enum class Misbehaviour {
        None,
        NoReply,             // requests go unanswered
        ShortReply,          // the configuration reply is cut to ShortReplyLength bytes, F7 included
        LongReply,           // the configuration reply is LongReplyLength bytes: it needs two buffers
        InvalidBytes,        // the configuration reply carries a status byte (note on, 0x90) at InvalidByteOffset
        PortsBusy,           // another program holds the ports: opening them fails
        UnplugMidExchange,   // a request unplugs the device instead of being answered
        StopsReading,        // messages to the device are never taken: a send waits on them
        DropsWrites,         // a written configuration is taken but not kept
        CorruptsWrites,      // a written configuration is kept with CorruptedByteOffset changed
        // Firmware updates (played by the boot loader and the firmware it starts):
        ResetsSettings,      // the new firmware starts with the factory configuration
        PowerCutMidTransfer, // the power goes halfway through an image (VirtualBootLoader)
        KeepsOldFirmware,    // an image arrives whole, but the old firmware starts again
        NeverReturns         // an image arrives whole, but no firmware starts: no MIDI mode again
    };
    Q_ENUM(Misbehaviour)

    static constexpr int ImageSize = ControllerIdentity::ImageSize;
    static constexpr int SerialLength = ControllerIdentity::SerialLength;
    static constexpr int ShortReplyLength = 100;
    static constexpr int LongReplyLength = 600;
    static constexpr int InvalidByteOffset = 200;
    static constexpr int CorruptedByteOffset = 98;   // the number byte of pad 13, bank A
    static constexpr quint8 ReplyCommand = 0x03;   // the command byte of its configuration reply
    // How long it takes to answer a request, unless a test says otherwise.
    static constexpr int DefaultReplyDelayMs = 5;

    // The device interface path its plug and unplug report, as Windows would name it.
    static const QString &interfacePath();

    static VirtualTark9 &instance();
    // Makes the back end talk to this controller (its MIDI system, its plug and unplug) instead
    // of the platform's: demo mode, tests and tark9ctl --virtual.
    static void installAsBackend();
    ~VirtualTark9() override;

    MidiSystem &midiSystem() { return m_system; }
    VirtualMidiSystem &virtualMidiSystem() { return m_system; }
    VirtualBootLoader &bootLoader() { return m_bootLoader; }

    // Back to the state it leaves the factory in: plugged, in MIDI mode, default configuration,
    // serial number and firmware, well-behaved, one input and one output port, nothing received.
    void reset();

    void plug();
    void unplug();
    bool isPlugged() const { return m_plugged; }
    // How long after a plug-in the MIDI ports are listed (udev announces a card before the
    // sequencer lists its ports); 0 by default.
    void setPortDelay(int ms) { m_portDelayMs = ms; }
    // Plugged in, and its ports listed by now.
    bool arePortsListed() const;

    QByteArray configuration() const;
    void setConfiguration(const QByteArray &image);
    // The 13 bytes of the serial field; a shorter text is padded with NULs.
    QByteArray serialNumber() const;
    void setSerialNumber(const QByteArray &serial);
    QList<int> firmwareVersion() const;
    void setFirmwareVersion(int major, int minor, int patch);
    // Settings as a user leaves them, unlike the factory's (every pad plays one note higher), so
    // that a firmware that resets them shows.
    void customiseSettings();
    // From the boot loader as it ends (any thread): the firmware `version` starts and the device
    // comes back in MIDI mode; `updated` when it is the first start after a whole image arrived,
    // which is when the update faults (ResetsSettings, KeepsOldFirmware, NeverReturns) play.
    void startFirmware(const QList<int> &version, bool updated);

    void setMisbehaviour(Misbehaviour misbehaviour);
    Misbehaviour misbehaviour() const { return m_misbehaviour; }
    bool portsBusy() const { return m_misbehaviour == Misbehaviour::PortsBusy; }
    void setReplyDelay(int ms) { m_replyDelayMs = ms; }

    // Every long message the device received, oldest first.
    QList<QByteArray> receivedMessages() const;
    void clearReceivedMessages();

    // Sends bytes to the editor from the device's thread, as if the device had sent them.
    void sendToHost(const QByteArray &bytes);
    void sendShortToHost(quint32 packed);
    // Sends `count` serial-number replies whose serial field counts up (see streamSerial), one
    // every `intervalMs`, each waiting up to `waitMs` for a queued buffer; returns at once, the
    // device thread sends them.
    void startStream(int count, int intervalMs, int waitMs);
    bool isStreaming() const { return m_streamLeft > 0; }
    static QByteArray streamSerial(int sequence);
    static QByteArray serialReply(const QByteArray &serial);

    // A person playing the controls, as the controller's own configuration says, from the device's
    // thread and through its input ports as a real controller's messages come. A pad hit (`pad`
    // 0..47, bank A's first; `velocity` 1..127, or the full level under the FULL curve) sends its
    // note on and PadHoldMs later its note off, or its control change (the velocity, and 0 when
    // let go; in toggle mode every other hit sends 0) or its program change. A knob turned to
    // `position` (0..127 of its travel) sends its controller or channel pressure within its MIN
    // and MAX, or its pitch bend within its LSB and MSB ranges. A strip section touched at
    // `position` (0..127) sends its controller, and 0 when let go (toggle mode as for pads); a
    // section set to MC plays nothing.
    void playPad(int pad, int velocity);
    void turnKnob(int knob, int position);
    void touchStrip(int section, int position);
    // A short sequence of all three (bank A's first four pads, the first pad of banks B and C,
    // the first knob swept, bank B's first knob, every strip section), DemoStepMs apart, so that
    // the MIDI monitor and touch select can be tried without hardware.
    void playDemo();
    static constexpr int PadHoldMs = 100;   // from a hit or touch to its release
    static constexpr int DemoStepMs = 80;

    // Waits until every job given to the device's thread so far has run.
    void waitIdle();

    // From the virtual MIDI system (any thread): a long message arrived on the device's port.
    void receive(const QByteArray &message, quint64 ticket);

signals:
    void plugged();
    void unplugged();
    void bootLoaderRequested();
    void configurationWritten();

private:
    using Clock = std::chrono::steady_clock;
    struct Job {
        Clock::time_point due;
        std::function<void()> run;
    };

    VirtualTark9();
    void post(int delayMs, std::function<void()> run);
    void runLoop();
    void process(const QByteArray &message);
    QByteArray configurationReply() const;
    void streamNext(int sequence, int intervalMs, int waitMs);
    static QByteArray factoryImage();
    // The controls' moves, on the device's thread.
    void hitPad(int pad, int velocity);
    void moveKnob(int knob, int position);
    void pressStrip(int section, int position);
    // One record of the current configuration; shorter when the image is.
    QByteArray record(int offset, int size) const;
    // Flips the toggle bit `bit` of `latched` and says whether it is now on.
    bool toggle(quint64 &latched, int bit);
    // A channel message on the record's channel (1..16), to every open input port.
    void play(quint8 status, int channel, int first, int second = 0);

    VirtualMidiSystem m_system;
    mutable std::mutex m_stateMutex;
    QByteArray m_image;
    QByteArray m_serial;
    QList<int> m_version;
    QList<QByteArray> m_received;
    quint64 m_latchedPads = 0;       // pads in toggle mode that are on, bit 0 for pad 0
    quint64 m_latchedSections = 0;   // the same for strip sections
    std::atomic<bool> m_plugged{true};
    std::atomic<Misbehaviour> m_misbehaviour{Misbehaviour::None};
    std::atomic<int> m_replyDelayMs{DefaultReplyDelayMs};
    std::atomic<int> m_portDelayMs{0};
    std::atomic<Clock::rep> m_pluggedAt{0};
    std::atomic<int> m_streamLeft{0};

    std::mutex m_jobMutex;
    std::condition_variable m_jobAdded;
    std::condition_variable m_idle;
    std::deque<Job> m_jobs;
    bool m_busy = false;
    bool m_stopping = false;
    std::thread m_thread;
    // Last, so that it goes first: its thread reads the state above until it has stopped.
    VirtualBootLoader m_bootLoader{*this};
};
