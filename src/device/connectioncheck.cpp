#include "device/connectioncheck.h"

#include "config/controlleridentity.h"
#include "config/editorsettings.h"
#include "device/devicebackend.h"
#include "device/deviceconnection.h"
#include "device/mididevices.h"
#include "device/midisystem.h"
#include "device/serialportlist.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QLockFile>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <QStandardPaths>
#include <QStringList>

#include <cerrno>

namespace {

const QString ControllerName = QLatin1String(ControllerIdentity::PortName);

bool isMissing(int error)
{
    return error == ENOENT || error == ENODEV || error == ENXIO;
}

bool isRefused(int error)
{
    return error == EACCES || error == EPERM;
}

// The path a serial port is opened by: a pseudo-terminal is listed by its path already.
QString portPath(const QString &portName)
{
    if (QDir::isAbsolutePath(portName))
        return portName;
    const QString location = QSerialPortInfo(portName).systemLocation();
    return location.isEmpty() ? portName : location;
}

QString portNames(const QMap<int, QString> &ports)
{
    QStringList names;
    for (const QString &name : ports)
        names << QStringLiteral("\"%1\"").arg(name);
    return names.join(QStringLiteral(", "));
}

// The pid in the editor's single-instance lock file when that process still runs, else 0.
qint64 runningEditor()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    QLockFile lock(dir + QLatin1Char('/') + EditorSettings::application() + QStringLiteral(".lock"));
    qint64 pid = 0;
    QString host;
    QString application;
    if (!lock.getLockInfo(&pid, &host, &application) || pid <= 0)
        return 0;
    if (pid != QCoreApplication::applicationPid() && !QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid)))
        return 0;
    return pid;
}

const char *stateKey(ConnectionCheck::State state)
{
    switch (state) {
    case ConnectionCheck::State::Ok: return "ok";
    case ConnectionCheck::State::Failed: return "failed";
    case ConnectionCheck::State::Absent: return "absent";
    case ConnectionCheck::State::Info: return "info";
    }
    return "info";
}

const char *verdictKey(ConnectionCheck::Verdict verdict)
{
    switch (verdict) {
    case ConnectionCheck::Verdict::AllWell: return "all-well";
    case ConnectionCheck::Verdict::ControllerNotFound: return "controller-not-found";
    case ConnectionCheck::Verdict::MidiSystemUnusable: return "midi-system-unusable";
    case ConnectionCheck::Verdict::BootLoaderInaccessible: return "boot-loader-inaccessible";
    }
    return "all-well";
}

} // namespace

ConnectionCheck::Link ConnectionCheck::midiSystem()
{
    Link link;
    link.id = QStringLiteral("midi-system");
    link.name = tr("MIDI system");
    const MidiSystemState state = DeviceBackend::midiSystem().state();
    if (state.usable()) {
        link.detail = state.device.isEmpty() ? tr("ready") : tr("%1 opens").arg(state.device);
        return link;
    }
    link.state = State::Failed;
    if (isMissing(state.error)) {
        link.detail = tr("The MIDI system cannot be opened: %1 does not exist").arg(state.device);
        link.remedy = tr("Load the sequencer (sudo modprobe snd-seq) and start again, or use --virtual-device.");
    } else if (isRefused(state.error)) {
        link.detail = tr("The MIDI system cannot be opened: %1: permission denied").arg(state.device);
        link.remedy = tr("Join the audio group (sudo usermod -aG audio $USER) and log in again.");
    } else {
        link.detail = tr("The MIDI system cannot be opened: %1: %2").arg(state.device, qt_error_string(state.error));
        link.remedy = tr("Check the sound support (aplay -l lists its devices), then start again.");
    }
    return link;
}

QString ConnectionCheck::midiSystemProblem()
{
    const Link link = midiSystem();
    if (link.state == State::Ok)
        return QString();
    return tr("%1. %2").arg(link.detail, link.remedy);
}

ConnectionCheck::Report ConnectionCheck::run()
{
    Report report;

    const Link midi = midiSystem();
    report.links << midi;

    const QString bootLoaderPort = SerialPortList::bootLoaderPort();
    const bool bootLoader = !bootLoaderPort.isEmpty();

    Link ports;
    ports.id = QStringLiteral("midi-ports");
    ports.name = tr("Controller's MIDI ports");
    bool controllerFound = false;
    if (midi.state != State::Ok) {
        ports.state = State::Failed;
        ports.detail = tr("not looked for: the MIDI system cannot be opened");
    } else {
        const DeviceConnection::PortIndices found = DeviceConnection::findPorts();
        const QMap<int, QString> inputs = getMidiInDevices();
        if (found.found()) {
            controllerFound = true;
            ports.detail = tr("found by the name \"%1\": input %2, output %3").arg(ControllerName).arg(found.input).arg(found.output);
        } else if (bootLoader) {
            ports.state = State::Absent;
            ports.detail = tr("not there: the controller is in its boot loader");
        } else {
            ports.state = State::Failed;
            ports.detail = inputs.isEmpty()
                ? tr("no MIDI port is named \"%1\"; there are no MIDI ports at all").arg(ControllerName)
                : tr("no MIDI port is named \"%1\"; the ports are %2").arg(ControllerName, portNames(inputs));
            ports.remedy = tr("Connect the controller with a USB data cable (not a charging-only one), directly or "
                              "through a powered hub, and switch it on.");
        }
    }
    report.links << ports;

    const DeviceBackend::AccessRule rule = DeviceBackend::serialAccessRule();
    Link loader;
    loader.id = QStringLiteral("boot-loader");
    loader.name = tr("Boot loader's serial port");
    bool loaderRefused = false;
    if (!bootLoader) {
        loader.state = State::Absent;
        loader.detail = tr("not there (it appears only while the firmware is updated)");
    } else {
        const QString path = portPath(bootLoaderPort);
        QSerialPort port(path);
        if (port.open(QIODevice::ReadWrite)) {
            port.close();
            loader.detail = tr("%1, readable and writable by this user").arg(path);
        } else if (port.error() == QSerialPort::PermissionError && !QFileInfo(path).isWritable()) {
            loaderRefused = true;
            loader.state = State::Failed;
            loader.detail = tr("%1 cannot be opened by this user: permission denied").arg(path);
            loader.remedy = rule.needed && rule.installedAt.isEmpty()
                ? tr("Install the rule %1 (see the README), then unplug the controller and plug it in again.").arg(rule.name)
                : tr("Log in at the computer's own seat, or add your user to the group that owns %1.").arg(path);
        } else {
            loaderRefused = true;
            loader.state = State::Failed;
            loader.detail = tr("%1 cannot be opened: %2").arg(path, port.errorString());
            loader.remedy = tr("Close the other program that uses this port (a terminal program, another editor), then try again.");
        }
    }
    report.links << loader;

    if (rule.needed) {
        Link access;
        access.id = QStringLiteral("access-rule");
        access.name = tr("Access rule for the boot loader");
        if (!rule.installedAt.isEmpty()) {
            access.detail = tr("%1 is installed").arg(rule.installedAt);
        } else {
            access.state = loaderRefused ? State::Failed : State::Info;
            access.detail = tr("%1 is not installed: only root can update the firmware").arg(rule.name);
            access.remedy = tr("Install it as the README says (sudo install -m 644 %1 /etc/udev/rules.d/).").arg(rule.name);
        }
        report.links << access;
    }

    Link instance;
    instance.id = QStringLiteral("instance");
    instance.name = tr("Editor instance");
    const qint64 pid = runningEditor();
    if (pid == 0) {
        instance.detail = tr("no editor runs");
    } else if (pid == QCoreApplication::applicationPid()) {
        instance.detail = tr("this editor (process %1) holds the single-instance lock").arg(pid);
    } else {
        instance.state = State::Info;
        instance.detail = tr("an editor runs (process %1) and holds the single-instance lock; it talks to the controller "
                             "whenever it is connected").arg(pid);
        instance.remedy = tr("Use that window, or close it before another program talks to the controller.");
    }
    report.links << instance;

    Link places;
    places.id = QStringLiteral("places");
    places.name = tr("Log and settings");
    places.state = State::Info;
    const QString logFolder = EditorSettings::logFolder();
    const QString settingsFile = EditorSettings::open().fileName();
    places.detail = tr("log in %1; settings in %2").arg(QDir::toNativeSeparators(logFolder), QDir::toNativeSeparators(settingsFile));
    report.links << places;

    if (midi.state != State::Ok)
        report.verdict = Verdict::MidiSystemUnusable;
    else if (loaderRefused)
        report.verdict = Verdict::BootLoaderInaccessible;
    else if (!controllerFound && !bootLoader)
        report.verdict = Verdict::ControllerNotFound;
    return report;
}

QString ConnectionCheck::stateName(State state)
{
    switch (state) {
    case State::Ok: return tr("ok");
    case State::Failed: return tr("failed");
    case State::Absent: return tr("absent");
    case State::Info: return tr("note");
    }
    return QString();
}

QString ConnectionCheck::toText(const Report &report)
{
    QString text;
    for (const Link &link : report.links) {
        text += QStringLiteral("%1 %2: %3\n").arg(QStringLiteral("[%1]").arg(stateName(link.state)).leftJustified(9), link.name, link.detail);
        if (!link.remedy.isEmpty())
            text += QStringLiteral("          -> %1\n").arg(link.remedy);
    }
    return text;
}

QJsonObject ConnectionCheck::toJson(const Report &report)
{
    QJsonArray links;
    for (const Link &link : report.links) {
        QJsonObject entry{{QStringLiteral("id"), link.id},
                          {QStringLiteral("name"), link.name},
                          {QStringLiteral("state"), QLatin1String(stateKey(link.state))},
                          {QStringLiteral("detail"), link.detail}};
        if (!link.remedy.isEmpty())
            entry.insert(QStringLiteral("remedy"), link.remedy);
        links.append(entry);
    }
    return QJsonObject{{QStringLiteral("verdict"), QLatin1String(verdictKey(report.verdict))},
                       {QStringLiteral("links"), links}};
}
