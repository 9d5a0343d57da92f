#include "cli/commands.h"

#include "cli/console.h"
#include "cli/exitcode.h"
#include "cli/presetformat.h"
#include "config/configlayout.h"
#include "config/controllerprotocol.h"
#include "config/presetfile.h"
#include "device/connectioncheck.h"
#include "device/mididevices.h"
#include "device/serialportlist.h"
#include "firmware/firmwareupdate.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>

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
int updateFailed(FirmwareUpdate::Failure failure, const QString &reason, const QString &portName, const QString &port, bool switched)
{
    switch (failure) {
    case FirmwareUpdate::Failure::PortNotFound:
        if (portName.isEmpty())
            Console::error(QStringLiteral("the controller's boot loader (serial port %1:%2) was not found%3")
                               .arg(ControllerIdentity::BootLoaderVendorId, 4, 16, QLatin1Char('0'))
                               .arg(ControllerIdentity::BootLoaderProductId, 4, 16, QLatin1Char('0'))
                               .arg(switched ? QStringLiteral(" within %1 s").arg(FirmwareUpdate::DefaultPortSearchLimitMs / 1000) : QString()));
        else
            Console::error(QStringLiteral("there is no serial port %1").arg(portName));
        return ExitNoController;
    case FirmwareUpdate::Failure::PortNotOpened:
        Console::error(QStringLiteral("the serial port %1 cannot be opened (in use, or no permission)").arg(port));
        return ExitPortBusy;
    case FirmwareUpdate::Failure::AlreadyRunning:
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

// The image to the boot loader's port (or to `portName`), looked for for as long as a boot loader
// just started takes to appear when `switched`, and otherwise once.
int sendImage(const QString &imagePath, qint64 imageSize, const QString &portName, bool switched)
{
    FirmwareUpdate update;
    update.setPortSearchLimit(switched ? FirmwareUpdate::DefaultPortSearchLimitMs : 0);
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
        code = updateFailed(failure, reason, portName, port, switched);
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

int Commands::flash(const QString &imagePath, const QString &portName)
{
    // Checked before the controller is switched to its boot loader, which would otherwise be
    // left waiting for an image that never comes.
    const QFileInfo image(imagePath);
    QString problem;
    if (imagePath == StandardStream)
        problem = QStringLiteral("it must be a file, not standard input (its name and size go ahead of it)");
    else if (!image.exists())
        problem = QStringLiteral("no such file");
    else if (image.isDir())
        problem = QStringLiteral("it is a folder");
    else if (!image.isFile())
        problem = QStringLiteral("it is not a regular file (a device, FIFO or socket)");
    else if (!image.isReadable())
        problem = QStringLiteral("it cannot be read (no permission)");
    else if (image.size() == 0)
        problem = QStringLiteral("it is empty");
    else if (image.size() > ControllerIdentity::BootLoaderMaxImageSize)
        problem = QStringLiteral("it is %1 bytes, and the boot loader takes at most %2").arg(image.size()).arg(ControllerIdentity::BootLoaderMaxImageSize);
    if (!problem.isEmpty()) {
        Console::error(QStringLiteral("%1 is no firmware image: %2").arg(imagePath, problem));
        return ExitBadFile;
    }
    // A controller in MIDI mode is told to start its boot loader, whose port then takes a while
    // to appear; one already in its boot loader has no MIDI ports.
    bool switched = false;
    if (DeviceConnection::findPorts().found()) {
        Console::out(QStringLiteral("Switching the controller to its boot loader."));
        const DeviceConnection::Status status = m_connection.requestBootLoader();
        m_connection.close();
        if (status != DeviceConnection::Status::Ok)
            return failure(status);
        switched = true;
    }
    return sendImage(imagePath, image.size(), portName, switched);
}
