#include "app/mainwindow.h"

#include "app/devicemessagewindow.h"
#include "app/platform.h"
#include "app/prompt.h"
#include "app/screenscaling.h"
#include "app/singleinstance.h"
#include "app/userguide.h"
#include "config/configlayout.h"
#include "config/controlleridentity.h"
#include "config/datamanagement.h"
#include "config/editorsettings.h"
#include "config/presetfile.h"
#include "device/connectioncheck.h"
#include "device/detectiondevice.h"
#include "device/devicebackend.h"
#include "device/virtual/virtualtark9.h"
#include "i18n/trans.h"
#include "qml/colorpalette.h"
#include "qml/picturepreloader.h"
#include "qml/screenshot.h"

#include <QApplication>
#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QJsonObject>
#include <QDebug>
#include <QQmlContext>
#include <QQuickWindow>
#include <QSettings>
#include <QTimer>

#include <utility>

static_assert(DataManagement::ImageSize == ControllerIdentity::ImageSize, "the model holds the whole configuration message");

namespace {

constexpr int SerialRequestDelayMs = 2000;
// What the controller gets to leave its MIDI personality before the boot loader is looked for.
constexpr int BootLoaderDelayMs = 1000;
// udev may announce the controller's card before the sequencer lists its ports: an arrival whose
// ports are missing looks again at this interval, for at most this long (a busy machine lists
// them late; a test with the ports 600 ms late failed at 2 s with both cores loaded).
constexpr int PortSearchIntervalMs = 100;
constexpr int PortSearchLimitMs = 5000;
// A written configuration is stored in the controller's flash before it is read back to check it.
constexpr int VerifyDelayMs = 100;
// How long a read for a comparison or a check may go unanswered before the user is told.
constexpr int ReadBackTimeoutMs = 3000;

const QString RecentFilesKey = QStringLiteral("RecentFiles/presets");

QSettings settings()
{
    return EditorSettings::open();
}

} // namespace

MainWindow::MainWindow(const AppOptions &options)
    : QMainWindow(nullptr)
    , m_options(options)
{
    // Chosen before anything lists or opens a port, and not changed afterwards.
    if (options.virtualDevice)
        VirtualTark9::installAsBackend();
    else
        DeviceBackend::installPlatform();
    resize(ScreenScaling::DesignWidth, ScreenScaling::DesignHeight);
    // No controller until the presence detector reports one.
    m_connection.setDevicePresent(false);
    connect(&m_connection, &DeviceConnection::messageReceived, this, [this](const QByteArray &message) {
        QByteArray copy = message;
        emit s_midiIndata(copy.data(), copy.size());
    });
    connect(this, &MainWindow::s_midiIndata, this, &MainWindow::slotMidiIndata);
    connect(&m_connection, &DeviceConnection::configurationReceived, this, &MainWindow::configurationArrived);
    connect(&m_connection, &DeviceConnection::replyRejected, this, [this](int offset) {
        readBackFailed(tr("its reply was broken at byte %1").arg(offset));
    });
    connect(&m_connection, &DeviceConnection::replyTimedOut, this, [this] {
        readBackFailed(tr("it did not answer within %1 seconds").arg(ReadBackTimeoutMs / 1000));
    });
    m_verifyTimer.setSingleShot(true);
    connect(&m_verifyTimer, &QTimer::timeout, this, [this] { startRead(ReadPurpose::Verify); });
    connect(&m_connection, &DeviceConnection::serialNumberReceived, this, &MainWindow::s_snNum);
    m_serialRequestTimer.setSingleShot(true);
    connect(&m_serialRequestTimer, &QTimer::timeout, this, [this] {
        reportFailure(m_connection.requestSerialNumber(), Origin::Arrival);
    });
    connect(&m_portSearchTimer, &QTimer::timeout, this, &MainWindow::searchPortsAgain);

    m_dataMgt = new DataManagement(this);
    m_dataMgt->initDefaultData();
    m_dataMgt->clearHistory();
    m_savedImage = configurationImage();
    connect(m_dataMgt, &DataManagement::imageChanged, this, &MainWindow::documentChanged);
    // Connected after the defaults, so the factory version is never taken for the device's.
    connect(m_dataMgt, &DataManagement::s_updateDate, this, [this] {
        const QVariantList version = m_dataMgt->getVerInfo();
        m_ftp.setCurrentVersion(QStringLiteral("%1.%2%3").arg(version.value(0).toInt()).arg(version.value(1).toInt()).arg(version.value(2).toInt()));
    }, Qt::DirectConnection);

    setupQml();

    // Never deleted before the process ends: it owns the registration for device messages.
    m_detectionDevice = (new DeviceMessageWindow())->detector();
    connect(m_detectionDevice, &DetectionDevice::s_devTypeAndState, this, &MainWindow::onDevArrivalOrRemove);
    m_detectionDevice->scanDevices();


    connect(&m_ftp, &MyFtp::downloadComplete, this, &MainWindow::onFirmwareUpdate);
    // The firmware back end reports by signal; only this layer shows message boxes.
    connect(&m_ftp, &MyFtp::refused, this, [](const QString &reason) {
        Prompt::information(nullptr, MyFtp::tr("提示"), reason);
    });
    connect(&m_firmwareUpdate, &FirmwareUpdate::runningChanged, &m_ftp, &MyFtp::setUpdateRunning);

    SingleInstance::onRaiseRequest([this] { raiseWindow(); });
}

MainWindow::~MainWindow()
{
    m_connection.close();
}

void MainWindow::setupQml()
{
    // The program registers the colour wheel at start-up; anything else that builds the
    // controller (tests, tools) gets a scene that loads all the same.
    ColorPalette::registerType();
    m_trans = new Trans(&m_engine, this);
    // The saved language is taken before the scene exists: taken after, it would make the engine
    // evaluate every text of the window a second time.
    m_trans->reTrans(m_trans->getLanguage());
    connect(m_trans, &Trans::currentLanguageChanged, this, &MainWindow::midiSystemProblemChanged);

    // The scene has no "+selector" variants: without the application engine's file selector no
    // QML file or image the window loads costs a look-up of such variants.
    m_engine.setUrlInterceptor(nullptr);
    // The device picture, the largest image of the first frame, decodes while the scene loads.
    m_engine.addImageProvider(PicturePreloader::ProviderId, new PicturePreloader({ScreenScaling::devicePicturePath(m_scaling.scalingRate())}));
    QQmlContext *context = m_engine.rootContext();
    context->setContextProperty(QStringLiteral("Tran"), m_trans);
    context->setContextProperty(QStringLiteral("MainLogic"), this);
    context->setContextProperty(QStringLiteral("Scaling"), &m_scaling);
    context->setContextProperty(QStringLiteral("DataMgt"), m_dataMgt);
    context->setContextProperty(QStringLiteral("Ftp"), &m_ftp);
    context->setContextProperty(QStringLiteral("FirmwareUpdate"), &m_firmwareUpdate);
    // The scene's own modules (the control kit) are imported by name from here.
    m_engine.addImportPath(QStringLiteral("qrc:/qml"));
    m_engine.load(QUrl(QStringLiteral("qrc:/qml/main.qml")));
    if (m_engine.rootObjects().isEmpty())
        qCritical() << "the user interface could not be loaded from qrc:/qml/main.qml";
    else
        m_scaling.follow(qobject_cast<QWindow *>(m_engine.rootObjects().first()));
    if (!m_options.screenshotPath.isEmpty())
        Screenshot::saveAfterFirstFrame(qobject_cast<QQuickWindow *>(m_engine.rootObjects().value(0)), m_options.screenshotPath);
}

QString MainWindow::midiSystemProblem() const
{
    const ConnectionCheck::Link link = ConnectionCheck::midiSystem();
    return link.state == ConnectionCheck::State::Ok ? QString() : link.detail + QLatin1Char('\n') + link.remedy;
}

QVariantMap MainWindow::connectionCheck() const
{
    const ConnectionCheck::Report report = ConnectionCheck::run();
    QVariantMap result = ConnectionCheck::toJson(report).toVariantMap();
    QVariantList links = result.value(QStringLiteral("links")).toList();
    for (int i = 0; i < links.size(); ++i) {
        QVariantMap link = links.at(i).toMap();
        link.insert(QStringLiteral("stateName"), ConnectionCheck::stateName(report.links.at(i).state));
        links[i] = link;
    }
    result.insert(QStringLiteral("links"), links);
    return result;
}

void MainWindow::raiseWindow()
{
    qDebug() << "another start asked for the window: raising it";
    for (QObject *root : m_engine.rootObjects()) {
        if (auto *window = qobject_cast<QWindow *>(root)) {
            window->showNormal();
            window->raise();
            window->requestActivate();
        }
    }
}

QByteArray MainWindow::configurationImage() const
{
    const auto &image = m_dataMgt->configImage();
    return QByteArray(reinterpret_cast<const char *>(image.data()), static_cast<int>(image.size()));
}

void MainWindow::sendData()
{
    const QByteArray image = configurationImage();
    const DeviceConnection::Status status = m_connection.sendConfiguration(image);
    reportFailure(status, Origin::User);
    emit showHint(true, status == DeviceConnection::Status::Ok);
    if (status != DeviceConnection::Status::Ok)
        return;
    // Read back and compared: a controller that did not keep it all has not taken it.
    m_sentImage = image;
    m_verifyTimer.start(VerifyDelayMs);
}

void MainWindow::getData()
{
    if (!confirmUnsavedChanges())
        return;
    m_readPurpose = ReadPurpose::Load;
    const DeviceConnection::Status status = m_connection.requestConfiguration();
    reportFailure(status, Origin::User);
    emit showHint(false, status == DeviceConnection::Status::Ok);
}

void MainWindow::compareWithController()
{
    startRead(ReadPurpose::Compare);
}

void MainWindow::startRead(ReadPurpose purpose)
{
    m_readPurpose = purpose;
    m_connection.setReplyTimeout(ReadBackTimeoutMs);
    const DeviceConnection::Status status = m_connection.requestConfiguration();
    if (status == DeviceConnection::Status::Ok)
        return;
    readBackFailed(status == DeviceConnection::Status::NotPresent ? tr("no Kovela Tark9 is connected") : DeviceConnection::describe(status));
}

// A read for a comparison or a check that brought nothing; a plain read reports by showHint.
void MainWindow::readBackFailed(const QString &reason)
{
    const ReadPurpose purpose = std::exchange(m_readPurpose, ReadPurpose::Load);
    m_connection.setReplyTimeout(0);
    if (purpose == ReadPurpose::Load)
        return;
    if (purpose == ReadPurpose::Verify) {
        emit showHint(true, false);
        Prompt::warning(this, tr("Error prompt"), tr("The configuration was sent, but it could not be read back to check it: %1.").arg(reason));
    } else {
        Prompt::warning(this, tr("Error prompt"), tr("The configuration of the Kovela Tark9 could not be read for the comparison: %1.").arg(reason));
    }
}

void MainWindow::configurationArrived(const QByteArray &message)
{
    const ReadPurpose purpose = std::exchange(m_readPurpose, ReadPurpose::Load);
    m_connection.setReplyTimeout(0);
    switch (purpose) {
    case ReadPurpose::Load: {
        // An untitled configuration nobody changed yet is the controller's from now on: there is
        // nothing of the user's to save.
        const bool adopt = m_filePath.isEmpty() && !isModified();
        m_dataMgt->loadConfigImage(message.constData(), message.size());
        if (adopt)
            markSaved();
        // Kept as the controller holds them (a newer firmware may know more), but said.
        const QStringList unknown = m_dataMgt->unknownFields();
        if (!unknown.isEmpty()) {
            Prompt::information(this, tr("Prompt"),
                                tr("The Kovela Tark9's configuration holds values this editor does not know (a newer firmware?). "
                                   "They are kept as they are and sent back unchanged unless you edit them:\n%1")
                                    .arg(unknown.join(QLatin1Char('\n'))));
        }
        break;
    }
    case ReadPurpose::Compare:
        m_controllerImage = message;
        emit compared(differenceLines(configurationImage(), message));
        break;
    case ReadPurpose::Verify: {
        const QStringList lines = differenceLines(m_sentImage, message);
        if (lines.isEmpty())
            break;
        emit showHint(true, false);
        Prompt::warning(this, tr("Error prompt"), tr("The Kovela Tark9 did not keep the configuration as it was sent:\n%1").arg(lines.join(QLatin1Char('\n'))));
        break;
    }
    }
}

QStringList MainWindow::differenceLines(const QByteArray &editor, const QByteArray &controller) const
{
    return ConfigLayout::differenceLines(editor, controller, tr("%1: editor %2, controller %3"));
}

void MainWindow::takeControllerConfiguration()
{
    if (m_controllerImage.isEmpty())
        return;
    m_dataMgt->loadConfigImage(m_controllerImage.constData(), m_controllerImage.size());
}

// Only the exchanges' failures that a user can act on are shown; a refused send is reported by
// showHint alone, as before.
void MainWindow::reportFailure(DeviceConnection::Status status, Origin origin)
{
    QString text;
    switch (status) {
    case DeviceConnection::Status::NoPorts:
        text = tr("The MIDI ports of the Kovela Tark9 were not found; nothing was sent.");
        break;
    case DeviceConnection::Status::MidiSystemUnusable:
        text = ConnectionCheck::midiSystemProblem();
        break;
    case DeviceConnection::Status::PortsBusy:
        text = tr("The current device is occupied");
        break;
    case DeviceConnection::Status::TimedOut:
        text = tr("The Kovela Tark9 took no data for %1 seconds; the send was given up.").arg(MidiOut::SendTimeoutMs / 1000);
        break;
    default:
        return;
    }
    if (origin == Origin::Arrival) {
        if (m_arrivalWarned)
            return;
        m_arrivalWarned = true;
    }
    Prompt::warning(this, tr("Error prompt"), text);
}

void MainWindow::onDevArrivalOrRemove(QString devType, bool isArrival)
{
    qDebug() << "onDevArrivalOrRemove" << devType << isArrival;
    if (devType == QLatin1String(ControllerIdentity::MidiDeviceType)) {
        m_ftp.setConnected(isArrival);
        // Whatever the previous arrival still had to do is stale from here on.
        ++m_arrival;
        m_portSearchTimer.stop();
        m_connection.setDevicePresent(isArrival);
        if (!isArrival) {
            // A comparison or check under way will get no reply now.
            readBackFailed(tr("the Kovela Tark9 was unplugged"));
            emit devStateChanged(false);
            return;
        }
        m_arrivalWarned = false;
        const DeviceConnection::PortIndices ports = DeviceConnection::findPorts();
        if (ports.found()) {
            finishArrival(ports);
            return;
        }
        qDebug() << "the controller's ports are not listed yet; looking again for up to" << PortSearchLimitMs << "ms";
        m_portSearchClock.start();
        m_portSearchTimer.start(PortSearchIntervalMs);
    } else if (devType == QLatin1String(ControllerIdentity::SerialDeviceType)) {
        // A controller found in its boot loader: offer it the newest image at once.
        m_ftp.setConnected(isArrival);
        m_ftp.setCurrentVersion(QStringLiteral("0"));
        m_ftp.checkOnLineFirmware();
    }
}

void MainWindow::searchPortsAgain()
{
    const DeviceConnection::PortIndices ports = DeviceConnection::findPorts();
    if (!ports.found() && m_portSearchClock.elapsed() < PortSearchLimitMs)
        return;
    m_portSearchTimer.stop();
    qDebug() << "the controller's ports" << (ports.found() ? "appeared after" : "are still missing after")
             << m_portSearchClock.elapsed() << "ms";
    finishArrival(ports);
}

// The rest of an arrival once its ports are known (or given up): the read request, the timer of
// the serial-number request, and the connection indicator.
void MainWindow::finishArrival(const DeviceConnection::PortIndices &ports)
{
    qDebug() << "m_inDevIndex:" << ports.input;
    qDebug() << "m_outDevIndex:" << ports.output;
    const quint64 arrival = m_arrival;
    m_readPurpose = ReadPurpose::Load;
    // Opens the ports itself; if they cannot be opened, its warning is this arrival's one.
    const DeviceConnection::Status status = m_connection.requestConfiguration();
    reportFailure(status, Origin::Arrival);
    emit showHint(false, status == DeviceConnection::Status::Ok);
    // A removal handled while the warning box was open has already turned the indicator off.
    if (arrival != m_arrival)
        return;
    m_serialRequestTimer.start(SerialRequestDelayMs);
    emit devStateChanged(true);
}

void MainWindow::onFirmwareUpdate(QString path)
{
    // The controller is about to leave its MIDI personality: a serial-number request due now
    // would only meet ports on their way out and warn that they are occupied.
    m_serialRequestTimer.stop();
    reportFailure(m_connection.requestBootLoader(), Origin::User);
    QTimer::singleShot(BootLoaderDelayMs, this, [this, path] {
        m_connection.close();
        m_firmwareUpdate.startUpdate(path);
    });
}

QString MainWindow::rgbtoStr(int r, int g, int b)
{
    QColor color(r, g, b);
    return color.isValid() ? color.name() : QStringLiteral("#000000");
}

void MainWindow::save()
{
    if (m_filePath.isEmpty())
        m_filePath = Prompt::saveFileName(this, tr("Save File"), QString(), tr("stm (*.stm)"));
    writePreset();
}

void MainWindow::saveAs()
{
    m_filePath = Prompt::saveFileName(this, tr("Save File"), QString(), tr("stm (*.stm)"));
    writePreset();
}

bool MainWindow::writePreset()
{
    qDebug() << "m_filePath" << m_filePath;
    if (m_filePath.isEmpty()) {
        emit documentChanged();   // a cancelled Save As has forgotten the name
        return false;
    }
    QString error;
    if (!PresetFile::write(m_filePath, configurationImage(), &error)) {
        Prompt::warning(this, tr("Error prompt"), error);
        return false;
    }
    markSaved();
    rememberRecent(m_filePath);
    return true;
}

void MainWindow::openFile()
{
    if (!confirmUnsavedChanges())
        return;
    const QString filePath = Prompt::openFileName(this, QString(), QString(), QString());
    qDebug() << "filePath" << filePath;
    if (!filePath.isEmpty())
        loadPreset(filePath);
}

void MainWindow::openRecentFile(const QString &path)
{
    if (!QFileInfo::exists(path)) {
        QStringList paths = recentFiles();
        paths.removeAll(path);
        setRecentFiles(paths);
        Prompt::warning(this, tr("Error prompt"), tr("The preset %1 is no longer there; it was taken off the recent presets.").arg(QDir::toNativeSeparators(path)));
        return;
    }
    if (confirmUnsavedChanges())
        loadPreset(path);
}

void MainWindow::loadPreset(const QString &path)
{
    const PresetFile::ReadResult result = PresetFile::read(path);
    switch (result.status) {
    case PresetFile::ReadStatus::Loaded:
        m_dataMgt->loadConfigImage(result.block.constData(), result.block.size());
        // Save writes back to the preset the title names.
        m_filePath = path;
        markSaved();
        rememberRecent(path);
        break;
    case PresetFile::ReadStatus::NoBlock:
        // Nothing to load, but the screens still refresh from the unchanged model.
        m_dataMgt->loadConfigImage(nullptr, 0);
        Prompt::warning(this, tr("Error prompt"), result.error);
        break;
    case PresetFile::ReadStatus::CannotOpen:
    case PresetFile::ReadStatus::InvalidBytes:
    case PresetFile::ReadStatus::OutOfRange:
        Prompt::warning(this, tr("Error prompt"), result.error);
        break;
    }
}

void MainWindow::markSaved()
{
    m_savedImage = configurationImage();
    emit documentChanged();
}

bool MainWindow::isModified() const
{
    return configurationImage() != m_savedImage;
}

QString MainWindow::documentTitle() const
{
    QString title = QStringLiteral("Kovela Tark9 Editor");
    if (!m_filePath.isEmpty())
        title += QStringLiteral(" - ") + QFileInfo(m_filePath).fileName();
    if (isModified())
        title += QStringLiteral(" *");
    return title;
}

QString MainWindow::desktopTitle() const
{
    return Platform::windowTitle(documentTitle());
}

bool MainWindow::confirmUnsavedChanges()
{
    if (!isModified())
        return true;
    switch (Prompt::question(this, tr("Unsaved changes"), tr("The configuration has changes that are not saved in a preset. Save them first?"))) {
    case Prompt::Answer::Save:
        save();
        return !isModified();
    case Prompt::Answer::Discard:
        return true;
    case Prompt::Answer::Cancel:
        break;
    }
    return false;
}

QStringList MainWindow::recentFiles() const
{
    return settings().value(RecentFilesKey).toStringList();
}

void MainWindow::setRecentFiles(const QStringList &paths)
{
    QSettings store = settings();
    store.setValue(RecentFilesKey, paths);
    emit recentFilesChanged();
}

void MainWindow::rememberRecent(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList paths = recentFiles();
    paths.removeAll(absolute);
    paths.prepend(absolute);
    setRecentFiles(paths.mid(0, RecentFileCount));
}

void MainWindow::updateProgra(int x, int y)
{
    // Dialogs of this widget open on the screen the window is on.
    move(x, y);
}

QString MainWindow::getSoftVersion()
{
    return Platform::softVersion();
}

QString MainWindow::helpAddress(const QString &name)
{
    const QUrl url(settings().value(QStringLiteral("Help/") + name).toString().trimmed(), QUrl::StrictMode);
    // Only a web page is handed to the desktop: a settings file must not be able to start a
    // program or open a local file through the about dialog.
    if (!url.isValid() || (url.scheme() != QLatin1String("https") && url.scheme() != QLatin1String("http")) || url.host().isEmpty())
        return QString();
    return url.toString();
}

void MainWindow::slotMidiIndata(char *data, int length)
{
    qDebug() << "parseMidiData====";
    if (!data || length <= 0)
        return;
    m_connection.takeMessage(data, length);
}

QUrl MainWindow::userGuideUrl() const
{
    return UserGuide::url(QCoreApplication::applicationDirPath());
}
