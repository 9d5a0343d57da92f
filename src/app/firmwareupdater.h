#pragma once

#include "firmware/guardedupdate.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QVariantList>

class DeviceConnection;
struct FirmwareCatalogue;
class MyFtp;
class QWidget;

// The editor's side of a firmware update, published to the scene as "FirmwareUpdater": it runs
// the guarded update (GuardedUpdate) with an image the firmware server sent, a file the user
// picks, or, for a controller found left in its boot loader, the newest image downloaded, and
// holds what the update dialog shows: the stages, the transfer's progress, the outcome.
//
// A boot loader's serial port found when the editor starts, or appearing while no update runs,
// is a controller left in its boot loader: the dialog offers its rescue.
//
// While an update runs it has the controller's connection (connectionLent()): the controller
// session sends nothing and takes up no reply meanwhile. The only box it shows itself is the
// question whether to go on when the settings cannot be backed up (through Prompt).
//
// What the dialog shows follows `phase`:
//   Idle            nothing
//   ConfirmingFile  a file the user picked (Help > Update Firmware From File...), what the
//                   catalogue says of it, and whether it can be sent
//   OfferingRescue  the controller waits in its boot loader: finish with the newest image
//                   downloaded, or with a file
//   Running         the stages, the transfer's progress; Cancel while `cancellable`
//   Finished        the sentence the update ended with; when the controller was left in its
//                   boot loader (`stranded`), its rescue is offered with it
class FirmwareUpdater : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString phase READ phaseName NOTIFY phaseChanged)
    // The run, or the file being confirmed, is a rescue: the controller is in its boot loader.
    Q_PROPERTY(bool rescue READ isRescue NOTIFY phaseChanged)
    // The stages of this run in their order, each a map {stage (GuardedUpdate::Stage as a number),
    // state ("done", "current", "failed", "pending" or, after a success, "skipped")}.
    Q_PROPERTY(QVariantList stages READ stages NOTIFY stagesChanged)
    Q_PROPERTY(bool cancellable READ isCancellable NOTIFY cancellableChanged)
    // The transfer: its percentage (-1 before it starts) and bytes, percent and time left in words.
    Q_PROPERTY(int percent READ percent NOTIFY progressChanged)
    Q_PROPERTY(QString progressText READ progressText NOTIFY progressChanged)
    Q_PROPERTY(bool succeeded READ succeeded NOTIFY phaseChanged)
    Q_PROPERTY(QString sentence READ sentence NOTIFY phaseChanged)
    // The file being confirmed: what is known of it, and whether it can be sent.
    Q_PROPERTY(QString imageNote READ imageNote NOTIFY imageChanged)
    Q_PROPERTY(bool imageUsable READ isImageUsable NOTIFY imageChanged)
    // A controller waits in its boot loader and no update runs; the image a rescue would take.
    Q_PROPERTY(bool stranded READ isStranded NOTIFY strandedChanged)
    Q_PROPERTY(QString newestImage READ newestImage NOTIFY strandedChanged)

public:
    // How often the boot loader's serial port is looked for while no update runs: the presence
    // detector reports the controller's MIDI personality only, and listing the serial ports
    // takes a few milliseconds.
    static constexpr int BootLoaderWatchMs = 1000;

    enum class Phase { Idle, ConfirmingFile, OfferingRescue, Running, Finished };
    Q_ENUM(Phase)

    // `dialogParent` parents the file dialog and the backup question.
    FirmwareUpdater(DeviceConnection &connection, MyFtp &ftp, QWidget *dialogParent, QObject *parent = nullptr);

    Phase phase() const { return m_phase; }
    QString phaseName() const;
    bool isRescue() const { return m_rescue; }
    QVariantList stages() const;
    bool isCancellable() const { return m_update.isCancellable(); }
    int percent() const { return m_percent; }
    QString progressText() const { return m_progressText; }
    bool succeeded() const { return m_succeeded; }
    QString sentence() const { return m_sentence; }
    QString imageNote() const { return m_imageNote; }
    bool isImageUsable() const { return m_imageUsable; }
    bool isStranded() const { return m_stranded; }
    QString newestImage() const { return m_newestImage; }
    // For its deadlines.
    GuardedUpdate &guardedUpdate() { return m_update; }

    // GuardedUpdate::stageTitle() for the scene, which has the stage as a number.
    Q_INVOKABLE QString stageTitle(int stage) const;

    // The confirmed online update: downloads the catalogue's image, and updates with it once it
    // is whole (restoring the settings a new firmware resets when `restoreSettings`).
    Q_INVOKABLE void download(bool restoreSettings);
    // Help > Update Firmware From File...: asks for a file and shows it for confirmation.
    Q_INVOKABLE void chooseImageFile();
    // The confirmed file: an update, or the rescue of a controller in its boot loader.
    Q_INVOKABLE void updateWithChosenFile(bool restoreSettings);
    // The rescue with the newest image downloaded; the settings are restored from the backup.
    Q_INVOKABLE void rescueWithNewestImage();
    // Before and during the transfer (GuardedUpdate::cancel()); false once it cannot be.
    Q_INVOKABLE bool cancel();
    // The dialog closed: back to Idle, unless an update runs.
    Q_INVOKABLE void dismiss();

signals:
    void phaseChanged();
    void stagesChanged();
    void cancellableChanged();
    void progressChanged();
    void imageChanged();
    void strandedChanged();
    // The connection is the update's from true to false.
    void connectionLent(bool lent);

private:
    void begin(QString imagePath, const QString &expectedVersion, bool downloaded, bool restoreSettings);
    void checkImage(const QString &path);
    // The catalogue's version of the image when it is the catalogue's (by its name), else empty.
    QString expectedVersionOf(const QString &path) const;
    void stageReached(GuardedUpdate::Stage stage);
    void showProgress(qint64 bytesSent, qint64 bytesTotal, int percent, int secondsLeft);
    void askAboutBackup(const QString &reason);
    void ended(bool success, GuardedUpdate::Stage stage, const QString &sentence);
    // Outside an update, a boot loader's port that appears is a controller left in its boot
    // loader (a power cut, a crash, a cancel): its rescue is offered.
    void watchBootLoader();
    void setPhase(Phase phase);
    void setStranded(bool stranded);
    QList<GuardedUpdate::Stage> plannedStages() const;

    GuardedUpdate m_update;
    MyFtp &m_ftp;
    QWidget *m_dialogParent;
    Phase m_phase = Phase::Idle;
    bool m_restoreAfterDownload = true;

    // The run
    bool m_rescue = false;
    bool m_downloaded = false;
    QList<GuardedUpdate::Stage> m_reached;
    GuardedUpdate::Stage m_endStage = GuardedUpdate::Stage::Idle;
    int m_percent = -1;
    QString m_progressText;
    bool m_succeeded = false;
    QString m_sentence;

    // The file being confirmed
    QString m_imagePath;
    QString m_imageNote;
    bool m_imageUsable = false;
    QString m_imageVersion;   // the catalogue's version of it; empty when it is not the catalogue's

    QTimer m_bootLoaderWatch;
    bool m_bootLoaderListed = false;   // as the watch last saw it
    bool m_stranded = false;
    QString m_newestImage;
};
