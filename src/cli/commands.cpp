#include "cli/commands.h"

#include "cli/console.h"
#include "cli/exitcode.h"
#include "cli/presetformat.h"
#include "config/configlayout.h"
#include "config/controllerprotocol.h"
#include "config/presetfile.h"
#include "device/connectioncheck.h"
#include "device/devicebackend.h"
#include "device/mididevices.h"
#include "device/midimonitor.h"
#include "device/serialportlist.h"
#include "device/virtual/virtualtark9.h"
#include "config/editorsettings.h"
#include "firmware/firmwarecatalogue.h"
#include "firmware/firmwareupdate.h"
#include "firmware/guardedupdate.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QTimer>

#include <csignal>

namespace {

using Protocol = ControllerProtocol;

const QString ControllerName = QLatin1String(ControllerIdentity::PortName);

// The operand that stands for standard input or standard output.
const QString StandardStream = QLatin1String(PresetFile::StandardInput);
// JSON as show --json writes it is some 6 KiB; anything beyond this is no such JSON, and is not
// read into memory to find that out.
constexpr qint64 MaxJsonBytes = 16 * 1024 * 1024;

QString notRegularFile(const QString &path)
{
    return QStringLiteral("%1 is %2, not a regular file; give a file, or - for standard input")
        .arg(path, QFileInfo(path).isDir() ? QStringLiteral("a folder") : QStringLiteral("a device, FIFO or socket"));
}

// The whole of a JSON file, or of standard input for "-", up to MaxJsonBytes.
bool readJson(const QString &path, QByteArray *json, QString *error)
{
    QFile file;
    if (path == StandardStream) {
        file.open(stdin, QIODevice::ReadOnly);
    } else {
        // A FIFO would keep the open waiting for a writer, and a device may never end.
        const QFileInfo info(path);
        if (info.exists() && !info.isFile()) {
            *error = notRegularFile(path);
            return false;
        }
        file.setFileName(path);
        file.open(QIODevice::ReadOnly);
    }
    if (!file.isOpen()) {
        *error = QStringLiteral("%1 cannot be read: %2").arg(path, file.errorString());
        return false;
    }
    // A pipe hands over what it holds at the moment: read on until it ends.
    json->clear();
    while (json->size() <= MaxJsonBytes) {
        const QByteArray chunk = file.read(MaxJsonBytes + 1 - json->size());
        if (chunk.isEmpty())
            break;
        json->append(chunk);
    }
    if (file.error() != QFileDevice::NoError) {
        *error = QStringLiteral("%1 cannot be read: %2").arg(path, file.errorString());
        return false;
    }
    if (json->size() > MaxJsonBytes) {
        *error = QStringLiteral("%1 is larger than %2 MiB, which no preset's JSON is").arg(path).arg(MaxJsonBytes / (1024 * 1024));
        return false;
    }
    return true;
}

// A preset to a file, or to standard output for "-".
bool writePreset(const QString &path, const QByteArray &image, QString *error)
{
    if (path != StandardStream)
        return PresetFile::write(path, image, error);
    // Whether it arrived is checked once the command is done (Tark9Ctl::run).
    Console::outBytes(PresetFile::bytes(image));
    return true;
}

// Why the image never left: no port, or one that cannot be opened.
int updateFailed(FirmwareUpdate::Failure failure, const QString &reason, const QString &portName, const QString &port)
{
    switch (failure) {
    case FirmwareUpdate::Failure::PortNotFound:
        if (portName.isEmpty())
            Console::error(QStringLiteral("the controller's boot loader (serial port %1:%2) was not found")
                               .arg(ControllerIdentity::BootLoaderVendorId, 4, 16, QLatin1Char('0'))
                               .arg(ControllerIdentity::BootLoaderProductId, 4, 16, QLatin1Char('0')));
        else
            Console::error(QStringLiteral("there is no serial port %1").arg(portName));
        return ExitNoController;
    case FirmwareUpdate::Failure::PortNotOpened:
        Console::error(QStringLiteral("the serial port %1 cannot be opened (in use, or no permission)").arg(port));
        return ExitPortBusy;
    case FirmwareUpdate::Failure::AlreadyRunning:
    case FirmwareUpdate::Failure::Cancelled:
        break;
    }
    Console::error(reason);
    return ExitTransferFailed;
}

int transferEnded(YmodemFileTransmit::Status outcome)
{
    switch (outcome) {
    case YmodemFileTransmit::StatusFinished:
        Console::out(QStringLiteral("Firmware image sent; the controller restarts with it."));
        return ExitSuccess;
    case YmodemFileTransmit::StatusTimedOut:
        Console::error(QStringLiteral("the boot loader stopped answering; the firmware was not sent"));
        return ExitTimedOut;
    case YmodemFileTransmit::StatusAborted:
        Console::error(QStringLiteral("the boot loader cancelled the transfer"));
        return ExitTransferFailed;
    default:
        Console::error(QStringLiteral("the firmware transfer failed"));
        return ExitTransferFailed;
    }
}

// The image as it is to the boot loader's port, looked for once (or to `portName`): for a
// controller that is already in its boot loader, or a port named by the user.
int sendImage(const QString &imagePath, qint64 imageSize, const QString &portName)
{
    FirmwareUpdate update;
    update.setPortSearchLimit(0);
    ProgressDisplay progress;
    QEventLoop loop;
    QString port;
    int code = ExitSuccess;
    QObject::connect(&update, &FirmwareUpdate::portFound, &loop, [&](const QString &found) {
        port = found;
        Console::out(QStringLiteral("Sending %1 (%2 bytes) to %3.").arg(imagePath).arg(imageSize).arg(port));
    });
    QObject::connect(&update, &FirmwareUpdate::transmitProgress, &loop, [&](int percent) { progress.update(percent); });
    QObject::connect(&update, &FirmwareUpdate::failed, &loop, [&](const QString &reason, FirmwareUpdate::Failure failure) {
        code = updateFailed(failure, reason, portName, port);
        loop.quit();
    });
    QObject::connect(&update, &FirmwareUpdate::transStatus, &loop, [&] {
        progress.finish();
        code = transferEnded(update.outcome());
        loop.quit();
    });
    update.startUpdate(imagePath, portName);
    // A port that is not there, or cannot be opened, has ended the update before the loop runs.
    if (update.isRunning())
        loop.exec();
    return code;
}

// Why the file cannot be flashed, as the one line of the error; empty when it can. Checked before
// the controller is switched to its boot loader, which would otherwise be left waiting for an
// image that never comes.
QString imageRefusal(const QString &imagePath)
{
    const QString problem = imagePath == StandardStream
        ? QStringLiteral("it must be a file, not standard input (its name and size go ahead of it)")
        : GuardedUpdate::imageProblem(imagePath);
    return problem.isEmpty() ? QString() : QStringLiteral("%1 is no firmware image: %2").arg(imagePath, problem);
}

int exitCodeOf(GuardedUpdate::Failure failure)
{
    using F = GuardedUpdate::Failure;
    switch (failure) {
    case F::None: return ExitSuccess;
    case F::NoController: return ExitNoController;
    case F::PortBusy: return ExitPortBusy;
    case F::MidiSystemUnusable: return ExitMidiSystem;
    case F::TimedOut: return ExitTimedOut;
    case F::BadImage:
    case F::BackupNotWritten: return ExitBadFile;
    case F::WrongVersion: return ExitWrongVersion;
    case F::NotBack: return ExitNotBack;
    case F::BrokenReply:
    case F::TransferFailed:
    case F::Cancelled:
    case F::RestoreFailed: break;
    }
    return ExitTransferFailed;
}

// Set by SIGINT and SIGTERM: the monitor runs until then, and then ends as a command that is done.
volatile std::sig_atomic_t interrupted = 0;
// How often the monitor's event loop looks whether it was interrupted.
constexpr int InterruptPollMs = 50;

void interruptMonitor(int)
{
    interrupted = 1;
}

QString portList(const QMap<int, QString> &ports, int controllerIndex)
{
    if (ports.isEmpty())
        return QStringLiteral("  (none)\n");
    QString text;
    for (auto it = ports.constBegin(); it != ports.constEnd(); ++it) {
        text += QStringLiteral("  %1  %2%3\n")
                    .arg(it.key(), 3)
                    .arg(it.value())
                    .arg(it.key() == controllerIndex ? QStringLiteral("  [the controller]") : QString());
    }
    return text;
}

} // namespace

Commands::Commands()
{
    m_connection.setReplyTimeout(ReplyTimeoutMs);
    QObject::connect(&m_connection, &DeviceConnection::messageReceived, &m_connection,
                     [this](const QByteArray &message) { m_connection.takeMessage(message.constData(), message.size()); });
}

int Commands::failure(DeviceConnection::Status status)
{
    Console::error(DeviceConnection::describe(status));
    switch (status) {
    case DeviceConnection::Status::Ok: return ExitSuccess;
    case DeviceConnection::Status::NotPresent:
    case DeviceConnection::Status::NoPorts: return ExitNoController;
    case DeviceConnection::Status::MidiSystemUnusable: return ExitMidiSystem;
    case DeviceConnection::Status::PortsBusy: return ExitPortBusy;
    case DeviceConnection::Status::TimedOut: return ExitTimedOut;
    case DeviceConnection::Status::InvalidMessage: return ExitBadFile;
    case DeviceConnection::Status::SendFailed: break;
    }
    return ExitTransferFailed;
}

int Commands::readConfiguration(QByteArray *image)
{
    QEventLoop loop;
    int code = ExitSuccess;
    QObject::connect(&m_connection, &DeviceConnection::configurationReceived, &loop, [&](const QByteArray &message) {
        *image = message;
        loop.quit();
    });
    QObject::connect(&m_connection, &DeviceConnection::replyRejected, &loop, [&](int offset) {
        Console::error(QStringLiteral("the controller's configuration arrived broken (byte %1)").arg(offset));
        code = ExitTransferFailed;
        loop.quit();
    });
    QObject::connect(&m_connection, &DeviceConnection::replyTimedOut, &loop, [&] {
        Console::error(QStringLiteral("the controller did not send its configuration within %1 s").arg(ReplyTimeoutMs / 1000));
        code = ExitTimedOut;
        loop.quit();
    });
    const DeviceConnection::Status status = m_connection.requestConfiguration();
    if (status != DeviceConnection::Status::Ok) {
        m_connection.close();
        return failure(status);
    }
    loop.exec();
    if (code == ExitSuccess && image->size() < Protocol::ImageSize) {
        Console::error(QStringLiteral("the controller's configuration arrived cut short (%1 of %2 bytes)").arg(image->size()).arg(Protocol::ImageSize));
        code = ExitTransferFailed;
    }
    *image = image->left(Protocol::ImageSize);
    return code;
}

int Commands::readSerialNumber(QString *serial)
{
    QEventLoop loop;
    int code = ExitSuccess;
    QObject::connect(&m_connection, &DeviceConnection::serialNumberReceived, &loop, [&](const QString &text) {
        *serial = text;
        loop.quit();
    });
    QObject::connect(&m_connection, &DeviceConnection::replyTimedOut, &loop, [&] {
        Console::error(QStringLiteral("the controller did not send its serial number within %1 s").arg(ReplyTimeoutMs / 1000));
        code = ExitTimedOut;
        loop.quit();
    });
    const DeviceConnection::Status status = m_connection.requestSerialNumber();
    if (status != DeviceConnection::Status::Ok) {
        m_connection.close();
        return failure(status);
    }
    loop.exec();
    return code;
}

int Commands::ports()
{
    const DeviceConnection::PortIndices controller = DeviceConnection::findPorts();
    QString text = QStringLiteral("MIDI inputs\n") + portList(getMidiInDevices(), controller.input);
    text += QStringLiteral("MIDI outputs\n") + portList(getMidiOutDevices(), controller.output);
    text += QStringLiteral("Serial ports\n");
    const QList<SerialPortEntry> serialPorts = SerialPortList::availablePorts();
    if (serialPorts.isEmpty())
        text += QStringLiteral("  (none)\n");
    for (const SerialPortEntry &port : serialPorts) {
        text += QStringLiteral("  %1  %2:%3%4\n")
                    .arg(port.portName.leftJustified(20))
                    .arg(port.vendorId, 4, 16, QLatin1Char('0'))
                    .arg(port.productId, 4, 16, QLatin1Char('0'))
                    .arg(port.isBootLoader() ? QStringLiteral("  [the controller's boot loader]") : QString());
    }
    Console::out(text);
    const QString problem = ConnectionCheck::midiSystemProblem();
    if (!problem.isEmpty()) {
        Console::error(problem);
        return ExitMidiSystem;
    }
    return ExitSuccess;
}

int Commands::doctor(bool json)
{
    const ConnectionCheck::Report report = ConnectionCheck::run();
    if (json)
        Console::out(QString::fromUtf8(QJsonDocument(ConnectionCheck::toJson(report)).toJson(QJsonDocument::Indented)));
    else
        Console::out(ConnectionCheck::toText(report));
    switch (report.verdict) {
    case ConnectionCheck::Verdict::AllWell: return ExitSuccess;
    case ConnectionCheck::Verdict::ControllerNotFound: return ExitNoController;
    case ConnectionCheck::Verdict::MidiSystemUnusable: return ExitMidiSystem;
    case ConnectionCheck::Verdict::BootLoaderInaccessible: return ExitBootLoaderAccess;
    }
    return ExitSuccess;
}

int Commands::get(const QString &presetPath)
{
    QByteArray image;
    const int code = readConfiguration(&image);
    if (code != ExitSuccess)
        return code;
    QString error;
    if (!writePreset(presetPath, image, &error)) {
        Console::error(error);
        return ExitBadFile;
    }
    // Standard output holds the preset itself.
    if (presetPath != StandardStream)
        Console::out(QStringLiteral("Read the configuration (firmware %1) into %2.")
                         .arg(Protocol::versionText(Protocol::firmwareVersion(image)), presetPath));
    return ExitSuccess;
}

int Commands::send(const QString &presetPath, bool verify, bool force)
{
    QByteArray image;
    QString error;
    if (!PresetFormat::load(presetPath, &image, &error, force ? PresetFormat::Values::Any : PresetFormat::Values::Known)) {
        Console::error(error);
        return ExitBadFile;
    }
    for (const ConfigLayout::FieldValue &field : ConfigLayout::fieldsOutOfRange(image))
        Console::error(QStringLiteral("sent as forced: %1").arg(field.text()));
    const DeviceConnection::Status status = m_connection.sendConfiguration(image);
    if (status != DeviceConnection::Status::Ok)
        return failure(status);
    Console::out(QStringLiteral("Sent %1 to the controller.").arg(presetPath));
    if (!verify)
        return ExitSuccess;
    QByteArray readBack;
    const int code = readConfiguration(&readBack);
    if (code != ExitSuccess)
        return code;
    // As "pad A13 note: sent 60, read 64".
    const QStringList differing = ConfigLayout::differenceLines(image, readBack, QStringLiteral("%1: sent %2, read %3"));
    if (!differing.isEmpty()) {
        Console::out(differing.join(QLatin1Char('\n')));
        Console::error(QStringLiteral("the configuration read back differs in %1 field(s)").arg(differing.size()));
        return ExitTransferFailed;
    }
    Console::out(QStringLiteral("Verified: the controller holds the same configuration."));
    return ExitSuccess;
}

int Commands::serialNumber()
{
    QString serial;
    int code = readSerialNumber(&serial);
    if (code != ExitSuccess)
        return code;
    QByteArray image;
    code = readConfiguration(&image);
    if (code != ExitSuccess)
        return code;
    Console::out(QStringLiteral("serial number: %1\nfirmware: %2").arg(serial, Protocol::versionText(Protocol::firmwareVersion(image))));
    return ExitSuccess;
}

int Commands::monitor(bool json, bool demo)
{
    if (demo && DeviceBackend::isPlatform()) {
        Console::error(QStringLiteral("--demo plays the virtual controller: give --virtual too"));
        return ExitUsage;
    }
    std::signal(SIGINT, interruptMonitor);
    std::signal(SIGTERM, interruptMonitor);
    MidiMonitor monitor;
    QObject::connect(&monitor, &QAbstractItemModel::rowsInserted, &monitor, [&](const QModelIndex &, int first, int last) {
        for (int row = first; row <= last; ++row) {
            const MidiMonitor::Line &line = monitor.line(row);
            Console::out(json ? QString::fromUtf8(QJsonDocument(MidiMonitor::lineJson(line)).toJson(QJsonDocument::Compact))
                              : MidiMonitor::lineText(line));
        }
    });
    monitor.setConnection(&m_connection);
    monitor.setActive(true);
    // The configuration names the controls; without it the messages are still worth seeing.
    QByteArray image;
    const int code = readConfiguration(&image);
    if (code == ExitNoController || code == ExitPortBusy || code == ExitMidiSystem)
        return code;
    if (code == ExitSuccess)
        monitor.setConfiguration(image);
    else
        Console::error(QStringLiteral("without the controller's configuration no control is named; the monitor goes on"));
    if (demo)
        VirtualTark9::instance().playDemo();
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&loop] {
        if (interrupted)
            loop.quit();
    });
    poll.start(InterruptPollMs);
    loop.exec();
    monitor.flush();
    monitor.setActive(false);
    return ExitSuccess;
}

int Commands::show(const QString &presetPath, bool json)
{
    QByteArray image;
    QString error;
    if (!PresetFormat::load(presetPath, &image, &error)) {
        Console::error(error);
        return ExitBadFile;
    }
    if (json)
        Console::out(QString::fromUtf8(PresetFormat::toJson(image)));
    else
        Console::out(PresetFormat::toText(image));
    return ExitSuccess;
}

int Commands::applyJson(const QString &jsonPath, const QString &presetPath)
{
    QByteArray json;
    QString error;
    if (!readJson(jsonPath, &json, &error)) {
        Console::error(error);
        return ExitBadFile;
    }
    QByteArray image;
    if (!PresetFormat::fromJson(json, &image, &error)) {
        Console::error(QStringLiteral("%1: %2; %3 was not written").arg(jsonPath, error, presetPath));
        return ExitBadFile;
    }
    if (!writePreset(presetPath, image, &error)) {
        Console::error(error);
        return ExitBadFile;
    }
    if (presetPath != StandardStream)
        Console::out(QStringLiteral("Wrote %1.").arg(presetPath));
    return ExitSuccess;
}

int Commands::flash(const QString &imagePath, const FlashOptions &options)
{
    const QString refusal = imageRefusal(imagePath);
    if (!refusal.isEmpty()) {
        Console::error(refusal);
        return ExitBadFile;
    }
    // A controller already in its boot loader has no MIDI ports and no settings to read: the
    // image goes as it is.
    if (!DeviceConnection::findPorts().found()) {
        if (options.portName.isEmpty())
            Console::out(QStringLiteral("The controller is not in MIDI mode: sending the image to its boot loader as it is "
                                        "(tark9ctl rescue also waits for it to come back and restores its settings)."));
        return sendImage(imagePath, QFileInfo(imagePath).size(), options.portName);
    }
    return guardedUpdate(imagePath, options, false);
}

int Commands::rescue(const QString &imagePath, const FlashOptions &options)
{
    QString path = imagePath;
    if (path.isEmpty()) {
        path = FirmwareCatalogue().newestImageIn(EditorSettings::dataFolder());
        if (path.isEmpty()) {
            Console::error(QStringLiteral("no image given, and the editor has downloaded none to %1")
                               .arg(QDir::toNativeSeparators(EditorSettings::dataFolder())));
            return ExitBadFile;
        }
        Console::out(QStringLiteral("Using %1, the newest image the editor downloaded.").arg(QDir::toNativeSeparators(path)));
    }
    const QString refusal = imageRefusal(path);
    if (!refusal.isEmpty()) {
        Console::error(refusal);
        return ExitBadFile;
    }
    return guardedUpdate(path, options, true);
}

int Commands::guardedUpdate(const QString &imagePath, const FlashOptions &options, bool rescue)
{
    using Stage = GuardedUpdate::Stage;
    GuardedUpdate update(m_connection);
    update.setBackupEnabled(options.backup);
    update.setRestoreEnabled(options.restore);
    update.setExpectedVersion(options.expectedVersion);
    update.setPortName(options.portName);
    ProgressDisplay progress;
    QEventLoop loop;
    bool transferring = false;
    bool refusedWithoutBackup = false;
    bool success = false;
    QString sentence;
    QObject::connect(&update, &GuardedUpdate::stageChanged, &loop, [&](Stage stage) {
        if (transferring)
            progress.finish();
        transferring = stage == Stage::Transferring;
        if (stage != Stage::Idle && stage != Stage::Done)
            Console::out(update.stageTitle(stage) + QStringLiteral("..."));
    });
    QObject::connect(&update, &GuardedUpdate::progress, &loop, [&](qint64 sent, qint64 total, int percent, int secondsLeft) {
        progress.update(percent, sent, total, secondsLeft);
    });
    // A script cannot be asked: without --no-backup an update that cannot back up stops.
    QObject::connect(&update, &GuardedUpdate::backupReadFailed, &loop, [&] {
        refusedWithoutBackup = true;
        update.answerBackupQuestion(false);
    });
    QObject::connect(&update, &GuardedUpdate::finished, &loop, [&](bool ok, Stage, const QString &said) {
        if (transferring)
            progress.finish();
        success = ok;
        sentence = said;
        loop.quit();
    });
    if (rescue)
        update.startRescue(imagePath);
    else
        update.start(imagePath);
    loop.exec();
    if (!update.backupPath().isEmpty())
        Console::out(QStringLiteral("Backup of the settings: %1").arg(QDir::toNativeSeparators(update.backupPath())));
    if (success) {
        Console::out(sentence);
        return ExitSuccess;
    }
    if (refusedWithoutBackup)
        sentence += QStringLiteral(" Give --no-backup to update without a backup.");
    Console::error(sentence);
    return exitCodeOf(update.failure());
}
