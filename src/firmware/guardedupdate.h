#pragma once

#include "firmware/firmwarebackups.h"
#include "firmware/firmwareupdate.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

class DeviceConnection;

// A firmware update that cannot lose the controller's settings and says "done" only once the
// controller runs the new firmware with its settings. The editor and tark9ctl both run it; it
// shows nothing itself: every stage, the progress, a question and the outcome are signals, with
// sentences for the user in the interface's language.
//
// start() runs, in this order:
//   BackingUp              reads the serial number and the configuration (which carries the
//                          firmware version) and writes them as a backup (FirmwareBackups);
//                          when the read fails, backupReadFailed() asks whether to go on
//   SwitchingToBootLoader  the boot-loader command, then the boot loader's port is looked for
//   Transferring           the image by YMODEM (FirmwareUpdate), with progress()
//   WaitingForController   until the controller's MIDI ports are back, within returnDeadline
//   CheckingVersion        reads its configuration: the version must be the one expected
//   Restoring              when the settings differ from the backup (a firmware that resets
//                          them), sends the backup...
//   Verifying              ...and reads it back
//   Done
// startRescue() starts at Transferring, for a controller left in its boot loader (a power cut,
// a cancelled transfer): after CheckingVersion (which then also reads the serial number) it
// restores the newest backup of that controller, or the newest of any when it has none.
//
// The connection is the caller's: while the update runs the caller sends nothing on it and
// leaves its replies to this object, but keeps handing every messageReceived() to takeMessage()
// and keeps its presence up to date as always (tark9ctl's stays present).
//
// A controller that comes back with another version than expected fails at CheckingVersion.
// Without an expected version (setExpectedVersion) the update counts only when the version
// changed: the same version again means the new firmware did not start. To install the version
// the controller already runs, expect that version. Where the version before is not known (a
// rescue, or an update without a backup, which is where it is read), any version counts.
class GuardedUpdate : public QObject
{
    Q_OBJECT
    Q_PROPERTY(Stage stage READ stage NOTIFY stageChanged)
    Q_PROPERTY(bool running READ isRunning NOTIFY runningChanged)
    Q_PROPERTY(bool cancellable READ isCancellable NOTIFY cancellableChanged)

public:
    // The stages in the order they run; the names are stable (logs, scripts, QML).
    enum class Stage {
        Idle,                  // not started
        BackingUp,
        Downloading,           // the editor's, before start(): listed so that it has a title
        SwitchingToBootLoader,
        Transferring,
        WaitingForController,
        CheckingVersion,
        Restoring,
        Verifying,
        Done
    };
    Q_ENUM(Stage)

    // Why an update failed, for the caller's exit code or icon; the sentence says the rest.
    enum class Failure {
        None,
        NoController,       // neither the MIDI ports nor the boot loader's port were there
        PortBusy,           // another program holds a port, or the serial port cannot be opened
        MidiSystemUnusable,
        TimedOut,           // the controller or its boot loader stopped answering
        BrokenReply,        // a reply arrived broken
        BadImage,           // the image file cannot be sent (checked before anything changes)
        BackupNotWritten,   // the backup could not be written (a full disk): nothing changed
        TransferFailed,
        Cancelled,
        NotBack,            // the controller did not come back within the deadline
        WrongVersion,
        RestoreFailed       // the backup could not be sent, or reads back different
    };
    Q_ENUM(Failure)

    // How long the controller may take to come back in MIDI mode after the transfer.
    static constexpr int DefaultReturnDeadlineMs = 30000;
    // How often its MIDI ports are looked for meanwhile.
    static constexpr int ReturnPollIntervalMs = 20;
    // How long each read (serial number, configuration) may take; the controller answers in
    // milliseconds.
    static constexpr int DefaultReplyTimeoutMs = 2000;
    // A rescue looks for the boot loader's port this long: one plugged in a moment ago may not
    // have enumerated yet.
    static constexpr int RescuePortSearchMs = 3000;
    // Settings named one by one in the result sentence; the rest are counted.
    static constexpr int NamedSettings = 5;

    explicit GuardedUpdate(DeviceConnection &connection, QObject *parent = nullptr);
    ~GuardedUpdate() override;

    // Options, set before start(). The version the image brings ("1.0.4", or the catalogue's
    // "1.04"); empty when the caller does not know it.
    void setExpectedVersion(const QString &version);
    // On by default: off skips the backup (and so the restore of an update; a rescue still
    // restores from the backups there are).
    void setBackupEnabled(bool enabled);
    void setRestoreEnabled(bool enabled);
    // Where backups are kept: <folder>/backups; the user's data folder when empty (the default).
    void setBackupFolder(const QString &folder);
    // The serial port the image goes to, instead of the boot loader's as found by its USB ids.
    void setPortName(const QString &portName);
    void setReturnDeadline(int ms);
    void setReplyTimeout(int ms);
    // How long the boot loader's port is looked for after the switch (FirmwareUpdate's default).
    void setPortSearchLimit(int ms);

    // A controller in MIDI mode. Returns at once: everything after, finished() included, comes
    // from the event loop. False (and nothing signalled) when an update is running; a bad image
    // ends in finished(false) before anything is read or sent.
    Q_INVOKABLE bool start(const QString &imagePath);
    // A controller in its boot loader.
    Q_INVOKABLE bool startRescue(const QString &imagePath);
    // The answer to backupReadFailed(): go on without a backup, or stop (nothing has changed;
    // failure() then says why the read failed).
    Q_INVOKABLE void answerBackupQuestion(bool goOn);
    // Before the transfer nothing has changed on the controller; during it (switching, port
    // search, transfer) the transfer ends with YMODEM's cancel and the controller stays in its
    // boot loader. False once the image is in: the rest takes seconds and keeps the settings.
    Q_INVOKABLE bool cancel();

    Stage stage() const { return m_stage; }
    bool isRunning() const { return m_running; }
    bool isCancellable() const;
    Failure failure() const { return m_failure; }
    // The backup written by this update, or the one a rescue restored from; empty for none.
    QString backupPath() const { return m_backupPath; }
    // The version the controller came back with ("1.0.4"); empty until it is known.
    QString returnedVersion() const { return m_returnedVersion; }

    // "Backing up", "Transferring", ...: the stage as the user sees it, translated.
    Q_INVOKABLE QString stageTitle(GuardedUpdate::Stage stage) const;
    // Whether `expected` ("1.0.4", or "1.04" as the catalogue and the editor write 1.0.4) names
    // the version given as numbers.
    static bool versionMatches(const QString &expected, const QList<int> &version);
    // Why the file cannot be sent to the boot loader (missing, a folder, no regular file,
    // unreadable, empty, larger than the boot loader takes), as "it is a folder"; empty when it can.
    static QString imageProblem(const QString &imagePath);

signals:
    void stageChanged(GuardedUpdate::Stage stage);
    // During the transfer; secondsLeft is an estimate, -1 until one can be made.
    void progress(qint64 bytesSent, qint64 bytesTotal, int percent, int secondsLeft);
    // The configuration could not be read for the backup; `reason` says why. Nothing has changed
    // yet: the update waits for answerBackupQuestion() (or cancel()).
    void backupReadFailed(QString reason);
    // Once per start. `stage` is where it ended (Done on success); `sentence` says what happened
    // and what the user can do next; `restored` names the settings the backup put back.
    void finished(bool success, GuardedUpdate::Stage stage, QString sentence, QStringList restored);
    void runningChanged(bool running);
    void cancellableChanged(bool cancellable);

private:
    enum class Awaited { Nothing, SerialNumber, Configuration };

    bool begin(const QString &imagePath, bool rescue);
    void setStage(Stage stage);
    void read(Awaited reply);
    void readFailed(Failure failure, const QString &reason);
    void replied(Awaited reply, const QString &serialNumber, const QByteArray &configuration);

    void backUp();
    void writeBackup();
    void switchToBootLoader();
    void transfer();
    void transferProgress(int percent);
    void transferEnded(bool success);
    void portSearchFailed(const QString &reason, FirmwareUpdate::Failure failure);
    void waitForController();
    void pollForController();
    void checkVersion();
    void restore();
    void verify(const QByteArray &configuration);
    void fail(Failure failure, const QString &sentence);
    void succeed();
    void end(bool success, const QString &sentence);

    QString strandedSentence() const;
    QString cancelledBeforeTransfer() const;
    // "48 in all: pad A1 note, ..., and 43 more"
    static QString namedSettings(QStringList fields);

    DeviceConnection &m_connection;
    FirmwareUpdate m_update;
    QTimer m_replyTimer;
    QTimer m_returnPoll;
    QElapsedTimer m_returnClock;
    QElapsedTimer m_transferClock;

    // Options
    QString m_expectedVersion;
    bool m_backupEnabled = true;
    bool m_restoreEnabled = true;
    QString m_backupFolder;
    QString m_portName;
    int m_returnDeadlineMs = DefaultReturnDeadlineMs;
    int m_replyTimeoutMs = DefaultReplyTimeoutMs;
    int m_portSearchLimitMs = FirmwareUpdate::DefaultPortSearchLimitMs;

    // The run
    Stage m_stage = Stage::Idle;
    Failure m_failure = Failure::None;
    bool m_running = false;
    bool m_rescue = false;
    bool m_askingAboutBackup = false;
    Awaited m_awaited = Awaited::Nothing;
    QString m_imagePath;
    qint64 m_imageSize = 0;
    int m_percent = -1;
    QString m_serialNumber;
    QByteArray m_backup;            // the configuration to restore; empty for none
    QString m_backupPath;
    QString m_backupProblem;        // why the backup could not be read, while the caller decides
    Failure m_backupFailure = Failure::None;
    QList<int> m_versionBefore;     // empty when unknown
    QString m_returnedVersion;
    QByteArray m_configuration;     // as read after the update
    QByteArray m_sent;              // the restored configuration as sent
    QStringList m_restored;
};
