#include "firmware/guardedupdate.h"

#include "config/configlayout.h"
#include "config/controlleridentity.h"
#include "config/controllerprotocol.h"
#include "config/presetfile.h"
#include "device/connectioncheck.h"
#include "device/deviceconnection.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

using Protocol = ControllerProtocol;

// The offsets at which two whole configurations hold different settings. The command byte, the
// identification and the firmware version are the firmware's own: a reply carries its own, and
// a new firmware may change them.
QList<int> settingsDiffering(const QByteArray &first, const QByteArray &second)
{
    QList<int> offsets = ConfigLayout::differingOffsets(first, second);
    offsets.erase(std::remove_if(offsets.begin(), offsets.end(),
                                 [](int offset) {
                                     return offset >= Protocol::IdentificationOffset
                                         && offset < Protocol::IdentificationOffset + Protocol::IdentificationLength;
                                 }),
                  offsets.end());
    return offsets;
}

// The backup, with the bytes the controller's firmware owns as it reports them now.
QByteArray withFirmwareHeader(QByteArray backup, const QByteArray &current)
{
    backup.replace(Protocol::IdentificationOffset, Protocol::IdentificationLength,
                   current.mid(Protocol::IdentificationOffset, Protocol::IdentificationLength));
    backup.replace(Protocol::VersionOffset, Protocol::VersionLength, current.mid(Protocol::VersionOffset, Protocol::VersionLength));
    return backup;
}

// A sentence from elsewhere (a file error) followed by one of ours: it gets its full stop.
QString closed(const QString &sentence)
{
    if (sentence.isEmpty() || sentence.endsWith(QLatin1Char('.')) || sentence.endsWith(QChar(0x3002)))
        return sentence;
    return sentence + QLatin1Char('.');
}

// A whole configuration the controller can take, cut from a preset's block.
bool isWholeConfiguration(const QByteArray &block)
{
    return block.size() >= Protocol::ImageSize && Protocol::findMessageDefect(block.constData(), Protocol::ImageSize) < 0;
}

GuardedUpdate::Failure failureOf(DeviceConnection::Status status)
{
    using S = DeviceConnection::Status;
    using F = GuardedUpdate::Failure;
    switch (status) {
    case S::Ok: return F::None;
    case S::NotPresent:
    case S::NoPorts: return F::NoController;
    case S::MidiSystemUnusable: return F::MidiSystemUnusable;
    case S::PortsBusy: return F::PortBusy;
    case S::TimedOut: return F::TimedOut;
    case S::InvalidMessage:
    case S::SendFailed: break;
    }
    return F::TransferFailed;
}

// The connection's status for the user; DeviceConnection::describe() is the log's English.
QString statusSentence(DeviceConnection::Status status)
{
    using S = DeviceConnection::Status;
    const QString name = QLatin1String(ControllerIdentity::PortName);
    switch (status) {
    case S::Ok: break;
    case S::NotPresent:
    case S::NoPorts: return GuardedUpdate::tr("No controller is connected: there are no MIDI ports named \"%1\".").arg(name);
    case S::MidiSystemUnusable: return closed(ConnectionCheck::midiSystemProblem());
    case S::PortsBusy: return GuardedUpdate::tr("Another program holds the controller's MIDI ports; close it and try again.");
    case S::InvalidMessage: return GuardedUpdate::tr("The configuration holds a byte the controller cannot take.");
    case S::SendFailed: return GuardedUpdate::tr("The MIDI system refused the message.");
    case S::TimedOut: return GuardedUpdate::tr("The controller stopped taking data.");
    }
    return QString();
}

} // namespace

GuardedUpdate::GuardedUpdate(DeviceConnection &connection, QObject *parent)
    : QObject(parent)
    , m_connection(connection)
{
    // For queued connections and signal spies, which see the signals' arguments by type name.
    qRegisterMetaType<GuardedUpdate::Stage>("GuardedUpdate::Stage");
    qRegisterMetaType<GuardedUpdate::Failure>("GuardedUpdate::Failure");

    m_replyTimer.setSingleShot(true);
    m_replyTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_replyTimer, &QTimer::timeout, this, [this] {
        qDebug() << "GuardedUpdate: no reply within" << m_replyTimeoutMs << "ms";
        m_connection.close();
        readFailed(Failure::TimedOut, tr("The controller did not answer within %1 s.").arg(QLocale().toString(m_replyTimeoutMs / 1000.0)));
    });
    m_returnPoll.setInterval(ReturnPollIntervalMs);
    connect(&m_returnPoll, &QTimer::timeout, this, &GuardedUpdate::pollForController);

    // Queued: the connection closes its ports once it has told of a configuration, which would
    // cut off the next request if that were sent from inside the signal.
    connect(&m_connection, &DeviceConnection::serialNumberReceived, this,
            [this](const QString &serial) { replied(Awaited::SerialNumber, serial, QByteArray()); }, Qt::QueuedConnection);
    connect(&m_connection, &DeviceConnection::configurationReceived, this,
            [this](const QByteArray &configuration) { replied(Awaited::Configuration, QString(), configuration); },
            Qt::QueuedConnection);
    connect(&m_connection, &DeviceConnection::replyRejected, this, [this](int offset) {
        if (m_awaited == Awaited::Configuration)
            readFailed(Failure::BrokenReply, tr("The controller's configuration arrived broken (byte %1).").arg(offset));
    });
    connect(&m_connection, &DeviceConnection::replyTimedOut, this, [this] {
        if (m_awaited != Awaited::Nothing)
            readFailed(Failure::TimedOut, tr("The controller did not answer."));
    });

    connect(&m_update, &FirmwareUpdate::portFound, this, [this](const QString &port) {
        qDebug() << "GuardedUpdate: sending" << m_imagePath << "to" << port;
        setStage(Stage::Transferring);
        m_transferClock.start();
        transferProgress(0);
    });
    connect(&m_update, &FirmwareUpdate::transmitProgress, this, &GuardedUpdate::transferProgress);
    connect(&m_update, &FirmwareUpdate::transStatus, this, &GuardedUpdate::transferEnded);
    connect(&m_update, &FirmwareUpdate::failed, this, &GuardedUpdate::portSearchFailed);
}

GuardedUpdate::~GuardedUpdate() = default;

void GuardedUpdate::setExpectedVersion(const QString &version)
{
    m_expectedVersion = version.trimmed();
}

void GuardedUpdate::setBackupEnabled(bool enabled)
{
    m_backupEnabled = enabled;
}

void GuardedUpdate::setRestoreEnabled(bool enabled)
{
    m_restoreEnabled = enabled;
}

void GuardedUpdate::setBackupFolder(const QString &folder)
{
    m_backupFolder = folder;
}

void GuardedUpdate::setPortName(const QString &portName)
{
    m_portName = portName;
}

void GuardedUpdate::setReturnDeadline(int ms)
{
    m_returnDeadlineMs = ms;
}

void GuardedUpdate::setReplyTimeout(int ms)
{
    m_replyTimeoutMs = ms;
}

void GuardedUpdate::setPortSearchLimit(int ms)
{
    m_portSearchLimitMs = ms;
}

bool GuardedUpdate::start(const QString &imagePath)
{
    return begin(imagePath, false);
}

bool GuardedUpdate::startRescue(const QString &imagePath)
{
    return begin(imagePath, true);
}

bool GuardedUpdate::begin(const QString &imagePath, bool rescue)
{
    if (m_running) {
        qDebug() << "GuardedUpdate: already running; refused" << imagePath;
        return false;
    }
    m_failure = Failure::None;
    m_rescue = rescue;
    m_askingAboutBackup = false;
    m_awaited = Awaited::Nothing;
    m_imagePath = imagePath;
    m_imageSize = QFileInfo(imagePath).size();
    m_percent = -1;
    m_serialNumber.clear();
    m_backup.clear();
    m_backupPath.clear();
    m_backupProblem.clear();
    m_versionBefore.clear();
    m_returnedVersion.clear();
    m_configuration.clear();
    m_sent.clear();
    m_restored.clear();
    m_running = true;
    setStage(Stage::Idle);
    emit runningChanged(true);
    emit cancellableChanged(true);
    qDebug() << "GuardedUpdate:" << (rescue ? "rescue with" : "update with") << imagePath << "expecting"
             << (m_expectedVersion.isEmpty() ? QStringLiteral("a new version") : m_expectedVersion);

    // Everything, the end included, comes from the event loop: the caller has its answers
    // connected and its loop running by then.
    QTimer::singleShot(0, this, [this] {
        if (!m_running || m_stage != Stage::Idle)
            return;
        const QString problem = imageProblem(m_imagePath);
        if (!problem.isEmpty()) {
            fail(Failure::BadImage, tr("%1 is no firmware image: %2. Nothing was changed on the controller.")
                                        .arg(QDir::toNativeSeparators(m_imagePath), problem));
            return;
        }
        if (m_rescue)
            transfer();
        else
            backUp();
    });
    return true;
}

void GuardedUpdate::setStage(Stage stage)
{
    if (stage == m_stage)
        return;
    const bool wasCancellable = isCancellable();
    m_stage = stage;
    qDebug() << "GuardedUpdate: stage" << stage;
    emit stageChanged(stage);
    if (isCancellable() != wasCancellable)
        emit cancellableChanged(isCancellable());
}

bool GuardedUpdate::isCancellable() const
{
    if (!m_running)
        return false;
    switch (m_stage) {
    case Stage::Idle:
    case Stage::BackingUp:
    case Stage::SwitchingToBootLoader:
    case Stage::Transferring:
        return true;
    default:
        return false;
    }
}

QString GuardedUpdate::stageTitle(Stage stage) const
{
    switch (stage) {
    case Stage::Idle: return tr("Ready");
    case Stage::BackingUp: return tr("Backing up the settings");
    case Stage::Downloading: return tr("Downloading");
    case Stage::SwitchingToBootLoader: return tr("Switching to the boot loader");
    case Stage::Transferring: return tr("Transferring");
    case Stage::WaitingForController: return tr("Waiting for the controller");
    case Stage::CheckingVersion: return tr("Checking the version");
    case Stage::Restoring: return tr("Restoring the settings");
    case Stage::Verifying: return tr("Verifying");
    case Stage::Done: return tr("Done");
    }
    return QString();
}

bool GuardedUpdate::versionMatches(const QString &expected, const QList<int> &version)
{
    const QStringList parts = expected.trimmed().split(QLatin1Char('.'));
    if (parts.size() == Protocol::VersionLength) {
        QList<int> numbers;
        for (const QString &part : parts) {
            bool ok = false;
            numbers << part.toInt(&ok);
            if (!ok)
                return false;
        }
        return numbers == version;
    }
    // The catalogue's number, as the editor compares it with the controller's: 1.0.4 is "1.04".
    bool ok = false;
    const double number = expected.toDouble(&ok);
    if (parts.size() != 2 || !ok || version.size() != Protocol::VersionLength)
        return false;
    const double controller = QStringLiteral("%1.%2%3").arg(version.at(0)).arg(version.at(1)).arg(version.at(2)).toDouble();
    return std::abs(number - controller) < 1e-9;
}

QString GuardedUpdate::imageProblem(const QString &imagePath)
{
    const QFileInfo image(imagePath);
    if (!image.exists())
        return tr("no such file");
    if (image.isDir())
        return tr("it is a folder");
    if (!image.isFile())
        return tr("it is not a regular file (a device, FIFO or socket)");
    if (!image.isReadable())
        return tr("it cannot be read (no permission)");
    if (image.size() == 0)
        return tr("it is empty");
    if (image.size() > ControllerIdentity::BootLoaderMaxImageSize)
        return tr("it is %1 bytes, and the boot loader takes at most %2").arg(image.size()).arg(ControllerIdentity::BootLoaderMaxImageSize);
    return QString();
}

void GuardedUpdate::read(Awaited reply)
{
    // Cancelled from a slot of stageChanged().
    if (!m_running)
        return;
    m_awaited = reply;
    const DeviceConnection::Status status =
        reply == Awaited::SerialNumber ? m_connection.requestSerialNumber() : m_connection.requestConfiguration();
    if (status != DeviceConnection::Status::Ok) {
        m_connection.close();
        readFailed(failureOf(status), statusSentence(status));
        return;
    }
    m_replyTimer.start(m_replyTimeoutMs);
}

void GuardedUpdate::replied(Awaited reply, const QString &serialNumber, const QByteArray &configuration)
{
    if (!m_running || reply != m_awaited)
        return;
    m_awaited = Awaited::Nothing;
    m_replyTimer.stop();
    if (reply == Awaited::SerialNumber) {
        m_serialNumber = serialNumber;
        read(Awaited::Configuration);
        return;
    }
    if (configuration.size() < Protocol::ImageSize) {
        m_connection.close();
        readFailed(Failure::BrokenReply, tr("The controller's configuration arrived cut short (%1 of %2 bytes).")
                                             .arg(configuration.size())
                                             .arg(Protocol::ImageSize));
        return;
    }
    const QByteArray image = configuration.left(Protocol::ImageSize);
    switch (m_stage) {
    case Stage::BackingUp:
        m_backup = image;
        m_versionBefore = Protocol::firmwareVersion(image);
        writeBackup();
        return;
    case Stage::CheckingVersion:
        m_configuration = image;
        checkVersion();
        return;
    case Stage::Verifying:
        verify(image);
        return;
    default:
        return;
    }
}

void GuardedUpdate::readFailed(Failure failure, const QString &reason)
{
    m_awaited = Awaited::Nothing;
    m_replyTimer.stop();
    switch (m_stage) {
    case Stage::BackingUp:
        // Without MIDI ports the switch cannot be sent either: nothing to ask.
        if (failure == Failure::NoController || failure == Failure::MidiSystemUnusable || failure == Failure::PortBusy) {
            fail(failure, tr("%1 Nothing was changed on the controller.").arg(reason));
            return;
        }
        m_backupProblem = reason;
        m_backupFailure = failure;
        m_askingAboutBackup = true;
        emit backupReadFailed(tr("The controller's settings could not be read for a backup: %1 Without a backup, settings that "
                                 "the new firmware resets cannot be restored.").arg(reason));
        return;
    case Stage::CheckingVersion:
        fail(failure, tr("The image was sent, but the controller's version could not be read: %1 Unplug the controller, plug it "
                         "in again and read its serial number and version.").arg(reason));
        return;
    case Stage::Verifying:
        fail(Failure::RestoreFailed, tr("The settings were sent back, but could not be read back to check them: %1 Read the "
                                        "controller's configuration and compare it with the backup %2.")
                                         .arg(reason, QDir::toNativeSeparators(m_backupPath)));
        return;
    default:
        return;
    }
}

void GuardedUpdate::answerBackupQuestion(bool goOn)
{
    if (!m_running || !m_askingAboutBackup)
        return;
    m_askingAboutBackup = false;
    if (goOn) {
        qDebug() << "GuardedUpdate: going on without a backup";
        m_backup.clear();
        switchToBootLoader();
        return;
    }
    fail(m_backupFailure, tr("The update was stopped before anything changed on the controller: its settings could not be "
                                    "backed up. %1").arg(m_backupProblem));
}

void GuardedUpdate::backUp()
{
    if (!m_backupEnabled) {
        switchToBootLoader();
        return;
    }
    setStage(Stage::BackingUp);
    read(Awaited::SerialNumber);
}

void GuardedUpdate::writeBackup()
{
    QString error;
    const QString path = FirmwareBackups(m_backupFolder)
                             .write(m_serialNumber, Protocol::versionText(m_versionBefore), m_backup, QDateTime::currentDateTime(), &error);
    if (path.isEmpty()) {
        m_backup.clear();
        fail(Failure::BackupNotWritten, tr("%1 The update was stopped before anything changed on the controller: make room on the "
                                           "disk (or let that folder be written) and start it again.").arg(closed(error)));
        return;
    }
    qDebug() << "GuardedUpdate: backup" << path;
    m_backupPath = path;
    switchToBootLoader();
}

void GuardedUpdate::switchToBootLoader()
{
    setStage(Stage::SwitchingToBootLoader);
    if (!m_running)
        return;
    const DeviceConnection::Status status = m_connection.requestBootLoader();
    m_connection.close();
    if (status != DeviceConnection::Status::Ok) {
        fail(failureOf(status), tr("The controller could not be switched to its boot loader: %1 Nothing was changed on the "
                                   "controller.").arg(statusSentence(status)));
        return;
    }
    transfer();
}

void GuardedUpdate::transfer()
{
    if (m_rescue)
        setStage(Stage::Transferring);
    if (!m_running)
        return;
    m_update.setPortSearchLimit(m_rescue ? RescuePortSearchMs : m_portSearchLimitMs);
    m_update.startUpdate(m_imagePath, m_portName);
}

void GuardedUpdate::transferProgress(int percent)
{
    if (percent == m_percent)
        return;
    m_percent = percent;
    const qint64 sent = m_imageSize * percent / 100;
    // The pace so far, for what is left; nothing to go by before the first block.
    int secondsLeft = -1;
    if (sent > 0)
        secondsLeft = int(std::ceil(double(m_transferClock.elapsed()) * double(m_imageSize - sent) / double(sent) / 1000.0));
    emit progress(sent, m_imageSize, percent, secondsLeft);
}

QString GuardedUpdate::strandedSentence() const
{
    return tr("The controller stays in its boot loader: rescue it with a firmware image (the newest downloaded one, or a file), "
              "and its settings are restored from its newest backup.");
}

QString GuardedUpdate::cancelledBeforeTransfer() const
{
    return m_rescue ? tr("The rescue was cancelled before the transfer; the controller is still in its boot loader.")
                    : tr("The update was cancelled before anything changed on the controller.");
}

void GuardedUpdate::transferEnded(bool success)
{
    if (!m_running)
        return;
    if (success) {
        transferProgress(100);
        waitForController();
        return;
    }
    switch (m_update.outcome()) {
    case YmodemFileTransmit::StatusCancelled:
        fail(Failure::Cancelled, tr("The update was cancelled during the transfer. %1").arg(strandedSentence()));
        return;
    case YmodemFileTransmit::StatusTimedOut:
        fail(Failure::TimedOut, tr("The boot loader stopped answering during the transfer. %1").arg(strandedSentence()));
        return;
    case YmodemFileTransmit::StatusAborted:
        fail(Failure::TransferFailed, tr("The boot loader cancelled the transfer. %1").arg(strandedSentence()));
        return;
    default:
        fail(Failure::TransferFailed, tr("The transfer broke off (the boot loader's port went away, or the image could not be "
                                         "read). %1").arg(strandedSentence()));
        return;
    }
}

void GuardedUpdate::portSearchFailed(const QString &reason, FirmwareUpdate::Failure failure)
{
    if (!m_running)
        return;
    switch (failure) {
    case FirmwareUpdate::Failure::Cancelled:
        if (m_rescue)
            fail(Failure::Cancelled, cancelledBeforeTransfer());
        else
            fail(Failure::Cancelled, tr("The update was cancelled after the controller was switched to its boot loader. %1")
                                         .arg(strandedSentence()));
        return;
    case FirmwareUpdate::Failure::PortNotFound:
        if (!m_portName.isEmpty())
            fail(Failure::NoController, tr("There is no serial port %1.").arg(m_portName));
        else if (m_rescue)
            fail(Failure::NoController, tr("No controller in its boot loader was found (serial port %1:%2). A controller that "
                                           "works as a MIDI controller is updated, not rescued.")
                                            .arg(ControllerIdentity::BootLoaderVendorId, 4, 16, QLatin1Char('0'))
                                            .arg(ControllerIdentity::BootLoaderProductId, 4, 16, QLatin1Char('0')));
        else
            fail(Failure::NoController, tr("The controller's boot loader did not appear within %1 s of the switch. Unplug the "
                                           "controller and plug it in again; if it then shows up in its boot loader, rescue it.")
                                            .arg(QLocale().toString(m_portSearchLimitMs / 1000.0)));
        return;
    case FirmwareUpdate::Failure::PortNotOpened:
        fail(Failure::PortBusy, tr("The boot loader's serial port cannot be opened: another program holds it, or this user may "
                                   "not open it (see the connection check). %1").arg(strandedSentence()));
        return;
    case FirmwareUpdate::Failure::AlreadyRunning:
        break;
    }
    fail(Failure::TransferFailed, reason);
}

void GuardedUpdate::waitForController()
{
    setStage(Stage::WaitingForController);
    m_returnClock.start();
    m_returnPoll.start();
}

void GuardedUpdate::pollForController()
{
    if (DeviceConnection::findPorts().found() && m_connection.isDevicePresent()) {
        m_returnPoll.stop();
        qDebug() << "GuardedUpdate: the controller is back after" << m_returnClock.elapsed() << "ms";
        setStage(Stage::CheckingVersion);
        // A rescued controller says who it is, so that its own backup is found.
        read(m_rescue ? Awaited::SerialNumber : Awaited::Configuration);
        return;
    }
    if (m_returnClock.elapsed() < m_returnDeadlineMs)
        return;
    m_returnPoll.stop();
    fail(Failure::NotBack, tr("The image was sent, but the controller did not come back as a MIDI controller within %1 s. If it "
                              "shows up in its boot loader, rescue it; otherwise unplug it, plug it in again and read its version.")
                               .arg(QLocale().toString(m_returnDeadlineMs / 1000.0)));
}

void GuardedUpdate::checkVersion()
{
    const QList<int> version = Protocol::firmwareVersion(m_configuration);
    m_returnedVersion = Protocol::versionText(version);
    if (!m_expectedVersion.isEmpty() && !versionMatches(m_expectedVersion, version)) {
        fail(Failure::WrongVersion, tr("The controller came back with version %1, expected %2: the new firmware is not running. "
                                       "Check that the image is the version you meant, and update again.")
                                        .arg(m_returnedVersion, m_expectedVersion));
        return;
    }
    if (m_expectedVersion.isEmpty() && version == m_versionBefore) {
        fail(Failure::WrongVersion, tr("The controller came back with version %1, the version it had before: the new firmware is "
                                       "not running. Update again; to install the version it already has, give that version as "
                                       "the one expected.").arg(m_returnedVersion));
        return;
    }
    restore();
}

void GuardedUpdate::restore()
{
    if (!m_restoreEnabled) {
        succeed();
        return;
    }
    if (m_rescue) {
        const FirmwareBackups backups(m_backupFolder);
        QString path = m_serialNumber.isEmpty() ? QString() : backups.newest(m_serialNumber);
        if (path.isEmpty())
            path = backups.newestOfAny();
        if (path.isEmpty()) {
            succeed();
            return;
        }
        m_backupPath = path;
        const PresetFile::ReadResult backup = PresetFile::read(path);
        if (backup.status != PresetFile::ReadStatus::Loaded || !isWholeConfiguration(backup.block)) {
            fail(Failure::RestoreFailed, tr("The controller runs version %1, but its backup %2 cannot be read. %3 Open a preset of "
                                            "your settings and send it to the controller.")
                                             .arg(m_returnedVersion, QDir::toNativeSeparators(path), closed(backup.error)));
            return;
        }
        m_backup = backup.block.left(Protocol::ImageSize);
    }
    if (m_backup.isEmpty()) {
        succeed();
        return;
    }
    setStage(Stage::Restoring);
    const QList<int> differing = settingsDiffering(m_backup, m_configuration);
    if (differing.isEmpty()) {
        succeed();
        return;
    }
    for (int offset : differing)
        m_restored << ConfigLayout::describe(offset, m_backup);
    m_restored.removeDuplicates();
    qDebug() << "GuardedUpdate: restoring" << differing.size() << "bytes from" << m_backupPath;
    m_sent = withFirmwareHeader(m_backup, m_configuration);
    const DeviceConnection::Status status = m_connection.sendConfiguration(m_sent);
    if (status != DeviceConnection::Status::Ok) {
        fail(Failure::RestoreFailed, tr("The controller runs version %1, but the new firmware reset its settings and they could not "
                                        "be sent back: %2 Open the backup %3 and send it to the controller.")
                                         .arg(m_returnedVersion, statusSentence(status), QDir::toNativeSeparators(m_backupPath)));
        return;
    }
    setStage(Stage::Verifying);
    read(Awaited::Configuration);
}

void GuardedUpdate::verify(const QByteArray &configuration)
{
    const QList<int> differing = settingsDiffering(m_sent, configuration);
    if (!differing.isEmpty()) {
        QStringList fields;
        for (int offset : differing)
            fields << ConfigLayout::describe(offset, m_sent);
        fail(Failure::RestoreFailed, tr("The controller runs version %1, but after the backup was sent back it holds other "
                                        "settings (%2). Open the backup %3 and send it to the controller again.")
                                         .arg(m_returnedVersion, namedSettings(fields), QDir::toNativeSeparators(m_backupPath)));
        return;
    }
    succeed();
}

QString GuardedUpdate::namedSettings(QStringList fields)
{
    fields.removeDuplicates();
    const int count = fields.size();
    if (count > NamedSettings) {
        fields = fields.mid(0, NamedSettings);
        fields << tr("and %1 more").arg(count - NamedSettings);
    }
    return tr("%1 in all: %2").arg(count).arg(fields.join(QStringLiteral(", ")));
}

void GuardedUpdate::succeed()
{
    setStage(Stage::Done);
    QString sentence = m_rescue ? tr("The controller is rescued: it runs firmware %1.").arg(m_returnedVersion)
                                : tr("The firmware update is complete: the controller runs version %1.").arg(m_returnedVersion);
    sentence += QLatin1Char(' ');
    if (!m_restoreEnabled) {
        sentence += tr("Its settings were not compared with the backup (restoring was turned off).");
    } else if (m_backup.isEmpty()) {
        sentence += m_rescue ? tr("No backup of its settings was found, so they were not checked.")
                             : tr("No backup was taken, so its settings were not checked.");
    } else if (m_restored.isEmpty()) {
        sentence += tr("Its settings are the ones in the backup.");
    } else {
        sentence += tr("The new firmware had reset its settings; they were restored from the backup and verified (%1).")
                        .arg(namedSettings(m_restored));
    }
    end(true, sentence);
}

bool GuardedUpdate::cancel()
{
    if (!isCancellable())
        return false;
    qDebug() << "GuardedUpdate: cancel in stage" << m_stage;
    // Until the update has started, the boot-loader command has not been sent (a slot of
    // stageChanged() may cancel before it is).
    if (!m_update.isRunning()) {
        m_connection.close();
        fail(Failure::Cancelled, cancelledBeforeTransfer());
        return true;
    }
    // The update reports how it ended: the search at once, the transfer after its CANs.
    m_update.cancel();
    return true;
}

void GuardedUpdate::fail(Failure failure, const QString &sentence)
{
    m_failure = failure;
    end(false, sentence);
}

void GuardedUpdate::end(bool success, const QString &sentence)
{
    m_replyTimer.stop();
    m_returnPoll.stop();
    m_awaited = Awaited::Nothing;
    m_askingAboutBackup = false;
    m_running = false;
    qDebug() << "GuardedUpdate:" << (success ? "succeeded" : "failed") << "in stage" << m_stage << m_failure << sentence;
    emit cancellableChanged(false);
    emit runningChanged(false);
    emit finished(success, m_stage, sentence, m_restored);
}
