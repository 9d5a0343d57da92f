#include "app/firmwareupdater.h"

#include "app/prompt.h"
#include "config/editorsettings.h"
#include "device/deviceconnection.h"
#include "device/serialportlist.h"
#include "firmware/firmwarecatalogue.h"
#include "firmware/myftp.h"

#include <QDebug>
#include <QFileInfo>
#include <QLocale>
#include <QMetaEnum>
#include <QVariantMap>

namespace {

using Stage = GuardedUpdate::Stage;

// A controller without its MIDI ports whose boot loader's port is there: it is rescued, not updated.
bool controllerInBootLoader()
{
    return !DeviceConnection::findPorts().found() && !SerialPortList::bootLoaderPort().isEmpty();
}

} // namespace

FirmwareUpdater::FirmwareUpdater(DeviceConnection &connection, MyFtp &ftp, QWidget *dialogParent, QObject *parent)
    : QObject(parent)
    , m_update(connection)
    , m_ftp(ftp)
    , m_dialogParent(dialogParent)
{
    connect(&m_update, &GuardedUpdate::stageChanged, this, &FirmwareUpdater::stageReached);
    connect(&m_update, &GuardedUpdate::cancellableChanged, this, &FirmwareUpdater::cancellableChanged);
    connect(&m_update, &GuardedUpdate::progress, this, &FirmwareUpdater::showProgress);
    // Asked once the update's signal has returned: the box runs an event loop of its own.
    connect(&m_update, &GuardedUpdate::backupReadFailed, this, &FirmwareUpdater::askAboutBackup, Qt::QueuedConnection);
    connect(&m_update, &GuardedUpdate::finished, this,
            [this](bool success, Stage stage, const QString &sentence) { ended(success, stage, sentence); });
    // While the image may be on its way to the boot loader, no download may replace it.
    connect(&m_update, &GuardedUpdate::runningChanged, &m_ftp, &MyFtp::setUpdateRunning);
    connect(&m_ftp, &MyFtp::downloadComplete, this, [this](const QString &path) {
        begin(path, expectedVersionOf(path), true, m_restoreAfterDownload);
    });
    connect(&m_bootLoaderWatch, &QTimer::timeout, this, &FirmwareUpdater::watchBootLoader);
    m_bootLoaderWatch.start(BootLoaderWatchMs);
    // The first look once the event loop runs: the scene that shows the offer is there by then.
    QTimer::singleShot(0, this, &FirmwareUpdater::watchBootLoader);
}

QString FirmwareUpdater::phaseName() const
{
    return QString::fromLatin1(QMetaEnum::fromType<Phase>().valueToKey(int(m_phase)));
}

QString FirmwareUpdater::stageTitle(int stage) const
{
    return m_update.stageTitle(Stage(stage));
}

QList<Stage> FirmwareUpdater::plannedStages() const
{
    QList<Stage> stages;
    if (!m_rescue) {
        if (m_downloaded)
            stages << Stage::Downloading;
        stages << Stage::BackingUp << Stage::SwitchingToBootLoader;
    }
    stages << Stage::Transferring << Stage::WaitingForController << Stage::CheckingVersion << Stage::Restoring << Stage::Verifying;
    return stages;
}

QVariantList FirmwareUpdater::stages() const
{
    const bool running = m_update.isRunning();
    QVariantList list;
    for (Stage stage : plannedStages()) {
        QString state;
        if (stage == Stage::Downloading)
            state = QStringLiteral("done");
        else if (running && stage == m_update.stage())
            state = QStringLiteral("current");
        else if (!running && !m_succeeded && stage == m_endStage)
            state = QStringLiteral("failed");
        else if (m_reached.contains(stage))
            state = QStringLiteral("done");
        else
            state = m_phase == Phase::Finished && m_succeeded ? QStringLiteral("skipped") : QStringLiteral("pending");
        list << QVariantMap{{QStringLiteral("stage"), int(stage)}, {QStringLiteral("state"), state}};
    }
    return list;
}

QString FirmwareUpdater::expectedVersionOf(const QString &path) const
{
    const FirmwareCatalogue &catalogue = m_ftp.catalogue();
    if (catalogue.name.isEmpty() || QFileInfo(path).fileName() != catalogue.name)
        return QString();
    return QString::number(catalogue.ver);
}

void FirmwareUpdater::download(bool restoreSettings)
{
    m_restoreAfterDownload = restoreSettings;
    m_ftp.downloadFir();
}

void FirmwareUpdater::chooseImageFile()
{
    if (m_update.isRunning())
        return;
    const QString path = Prompt::openFileName(m_dialogParent, tr("Update Firmware From File"), EditorSettings::dataFolder(),
                                              tr("Firmware images (*.bin);;All files (*)"));
    if (path.isEmpty())
        return;
    checkImage(path);
    setPhase(Phase::ConfirmingFile);
}

void FirmwareUpdater::checkImage(const QString &path)
{
    const FirmwareCatalogue &catalogue = m_ftp.catalogue();
    const QFileInfo file(path);
    const QString name = file.fileName();
    const QString problem = GuardedUpdate::imageProblem(path);
    bool listed = false;
    const QString mismatch = problem.isEmpty() ? catalogue.mismatch(path, &listed) : QString();
    m_imagePath = path;
    m_imageUsable = problem.isEmpty() && mismatch.isEmpty();
    m_imageVersion = m_imageUsable ? expectedVersionOf(path) : QString();
    const QString size = QLocale().toString(file.size());
    if (!problem.isEmpty())
        m_imageNote = tr("%1 cannot be sent to the controller: %2.").arg(name, problem);
    else if (!mismatch.isEmpty())
        m_imageNote = tr("%1 has the name of the firmware server's image, but is not that image: %2. Download it again, or pick "
                         "another file.").arg(name, mismatch);
    else if (listed && (catalogue.size >= 0 || !catalogue.sha256.isEmpty()))
        m_imageNote = tr("%1 (%2 bytes) is the firmware server's image of version %3: its size and checksum match the catalogue's.")
                          .arg(name, size, m_imageVersion);
    else if (listed)
        m_imageNote = tr("%1 (%2 bytes) has the name of the firmware server's image of version %3; the catalogue gives no size "
                         "or checksum to check it by.").arg(name, size, m_imageVersion);
    else if (catalogue.name.isEmpty())
        m_imageNote = tr("%1 (%2 bytes). No catalogue of the firmware server is known here, so the file cannot be checked: make "
                         "sure it is an image for the Kovela Tark9.").arg(name, size);
    else
        m_imageNote = tr("%1 (%2 bytes) is not in the firmware server's catalogue, so it cannot be checked: make sure it is an "
                         "image for the Kovela Tark9.").arg(name, size);
    qDebug() << "FirmwareUpdater: chosen" << path << m_imageNote;
    // The confirmation says which it will be.
    m_rescue = controllerInBootLoader();
    emit imageChanged();
}

void FirmwareUpdater::updateWithChosenFile(bool restoreSettings)
{
    if (m_imageUsable)
        begin(m_imagePath, m_imageVersion, false, restoreSettings);
}

void FirmwareUpdater::rescueWithNewestImage()
{
    if (!m_newestImage.isEmpty())
        begin(m_newestImage, expectedVersionOf(m_newestImage), false, true);
}

// The image by value: the newest image, which it may be, is forgotten once the rescue begins.
void FirmwareUpdater::begin(QString imagePath, const QString &expectedVersion, bool downloaded, bool restoreSettings)
{
    if (m_update.isRunning())
        return;
    m_rescue = controllerInBootLoader();
    m_downloaded = downloaded;
    m_reached.clear();
    m_endStage = Stage::Idle;
    m_percent = -1;
    m_progressText.clear();
    m_succeeded = false;
    m_sentence.clear();
    m_update.setExpectedVersion(expectedVersion);
    m_update.setRestoreEnabled(restoreSettings);
    emit connectionLent(true);
    setStranded(false);
    setPhase(Phase::Running);
    emit progressChanged();
    emit stagesChanged();
    if (m_rescue)
        m_update.startRescue(imagePath);
    else
        m_update.start(imagePath);
}

bool FirmwareUpdater::cancel()
{
    return m_update.cancel();
}

void FirmwareUpdater::dismiss()
{
    if (!m_update.isRunning())
        setPhase(Phase::Idle);
}

void FirmwareUpdater::stageReached(Stage stage)
{
    if (!m_reached.contains(stage))
        m_reached << stage;
    emit stagesChanged();
}

void FirmwareUpdater::showProgress(qint64 bytesSent, qint64 bytesTotal, int percent, int secondsLeft)
{
    const QLocale locale;
    m_percent = percent;
    if (secondsLeft >= 0)
        m_progressText = tr("%1 of %2 bytes sent, %3 %, about %4 s left")
                             .arg(locale.toString(bytesSent), locale.toString(bytesTotal))
                             .arg(percent)
                             .arg(secondsLeft);
    else
        m_progressText = tr("%1 of %2 bytes sent, %3 %").arg(locale.toString(bytesSent), locale.toString(bytesTotal)).arg(percent);
    emit progressChanged();
}

void FirmwareUpdater::askAboutBackup(const QString &reason)
{
    m_update.answerBackupQuestion(Prompt::confirm(m_dialogParent, tr("Firmware update"), tr("%1\n\nGo on without a backup?").arg(reason)));
}

void FirmwareUpdater::ended(bool success, Stage stage, const QString &sentence)
{
    m_succeeded = success;
    m_endStage = stage;
    m_sentence = sentence;
    emit connectionLent(false);
    // A transfer that broke off or was cancelled leaves the controller in its boot loader: its
    // rescue is offered with the outcome (and not offered again once the dialog is closed).
    m_bootLoaderListed = !SerialPortList::bootLoaderPort().isEmpty();
    setStranded(!success && controllerInBootLoader());
    setPhase(Phase::Finished);
    emit stagesChanged();
}

void FirmwareUpdater::watchBootLoader()
{
    // The update's own switch, and its end.
    if (m_update.isRunning())
        return;
    const bool listed = !SerialPortList::bootLoaderPort().isEmpty();
    if (listed == m_bootLoaderListed)
        return;
    m_bootLoaderListed = listed;
    if (listed)
        qDebug() << "FirmwareUpdater: a controller waits in its boot loader";
    setStranded(listed);
    if (listed && m_phase == Phase::Idle)
        setPhase(Phase::OfferingRescue);
    else if (!listed && m_phase == Phase::OfferingRescue)
        setPhase(Phase::Idle);
}

void FirmwareUpdater::setPhase(Phase phase)
{
    if (phase == m_phase)
        return;
    m_phase = phase;
    emit phaseChanged();
}

void FirmwareUpdater::setStranded(bool stranded)
{
    m_stranded = stranded;
    m_newestImage = stranded ? m_ftp.catalogue().newestImageIn(EditorSettings::dataFolder()) : QString();
    emit strandedChanged();
}
