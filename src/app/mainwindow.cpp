#include "app/mainwindow.h"

#include "app/controlclipboard.h"
#include "app/controllersession.h"
#include "app/devicemessagewindow.h"
#include "app/firmwareupdater.h"
#include "app/platform.h"
#include "app/presetdocument.h"
#include "app/prompt.h"
#include "app/screenscaling.h"
#include "app/singleinstance.h"
#include "app/touchselect.h"
#include "app/userguide.h"
#include "config/controlleridentity.h"
#include "config/datamanagement.h"
#include "config/editorsettings.h"
#include "device/connectioncheck.h"
#include "device/detectiondevice.h"
#include "device/devicebackend.h"
#include "device/midimonitor.h"
#include "device/virtual/virtualfaults.h"
#include "device/virtual/virtualtark9.h"
#include "i18n/trans.h"
#include "qml/colorpalette.h"
#include "qml/picturepreloader.h"
#include "qml/screenshot.h"

#include <QApplication>
#include <QColor>
#include <QJsonObject>
#include <QDebug>
#include <QQmlContext>
#include <QQuickWindow>

MainWindow::MainWindow(const AppOptions &options)
    : QMainWindow(nullptr)
    , m_settings(EditorSettings::open())
    , m_options(options)
{
    // Chosen before anything lists or opens a port, and not changed afterwards.
    if (options.virtualDevice) {
        VirtualTark9::installAsBackend();
        VirtualFaults::play(options.virtualFault, VirtualTark9::instance());
    } else {
        DeviceBackend::installPlatform();
    }
    resize(ScreenScaling::DesignWidth, ScreenScaling::DesignHeight);

    m_dataMgt = new DataManagement(this);
    m_dataMgt->initDefaultData();
    m_dataMgt->clearHistory();
    m_document = new PresetDocument(m_dataMgt, m_settings, this, this);
    connect(m_document, &PresetDocument::changed, this, &MainWindow::documentChanged);
    connect(m_document, &PresetDocument::recentFilesChanged, this, &MainWindow::recentFilesChanged);
    m_session = new ControllerSession(m_dataMgt, m_document, this, this);
    connect(m_session, &ControllerSession::showHint, this, &MainWindow::showHint);
    connect(m_session, &ControllerSession::attachedChanged, this, &MainWindow::devStateChanged);
    connect(m_session, &ControllerSession::serialNumberReceived, this, &MainWindow::s_snNum);
    connect(m_session, &ControllerSession::compared, this, &MainWindow::compared);
    connect(this, &MainWindow::s_midiIndata, m_session, &ControllerSession::takeMessage);
    m_monitor = new MidiMonitor(this);
    m_monitor->setConnection(&m_session->connection());
    // WinMM gives an open MIDI input to one program at a time; ALSA and the virtual controller
    // share it.
    m_monitor->setInputExclusive(DeviceBackend::midiSystem().inputIsExclusive());
    // The monitor names the controls of the configuration being edited, as it is edited.
    const auto showConfiguration = [this] {
        const auto &image = m_dataMgt->configImage();
        m_monitor->setConfiguration(QByteArray(reinterpret_cast<const char *>(image.data()), int(image.size())));
    };
    showConfiguration();
    connect(m_dataMgt, &DataManagement::imageChanged, this, showConfiguration);
    connect(m_dataMgt, &DataManagement::s_updateDate, this, showConfiguration);
    m_touchSelect = new TouchSelect(m_dataMgt, this);
    m_touchSelect->setConnection(&m_session->connection());
    m_clipboard = new ControlClipboard(m_dataMgt, this);
    m_updater = new FirmwareUpdater(m_session->connection(), m_ftp, this, this);
    connect(m_updater, &FirmwareUpdater::connectionLent, m_session, &ControllerSession::setConnectionLent);
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

    // The firmware back end reports by signal; only this layer shows message boxes.
    connect(&m_ftp, &MyFtp::refused, this, [](const QString &reason) {
        Prompt::information(nullptr, MyFtp::tr("提示"), reason);
    });

    SingleInstance::onRaiseRequest([this] { raiseWindow(); });
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
    context->setContextProperty(QStringLiteral("MidiMonitor"), m_monitor);
    context->setContextProperty(QStringLiteral("TouchSelect"), m_touchSelect);
    context->setContextProperty(QStringLiteral("ControlClipboard"), m_clipboard);
    context->setContextProperty(QStringLiteral("FirmwareUpdater"), m_updater);
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

void MainWindow::playDemo()
{
    if (m_options.virtualDevice)
        VirtualTark9::instance().playDemo();
}

QString MainWindow::exportMonitorLines()
{
    const QString path = Prompt::saveFileName(this, tr("Export MIDI Monitor"), QString(), tr("Text (*.txt)"));
    return path.isEmpty() ? QString() : m_monitor->exportText(path);
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

void MainWindow::sendData()
{
    m_session->send();
}

void MainWindow::getData()
{
    m_session->read();
}

void MainWindow::compareWithController()
{
    m_session->compare();
}

void MainWindow::takeControllerConfiguration()
{
    m_session->takeControllerConfiguration();
}

void MainWindow::onDevArrivalOrRemove(QString devType, bool isArrival)
{
    qDebug() << "onDevArrivalOrRemove" << devType << isArrival;
    if (devType == QLatin1String(ControllerIdentity::MidiDeviceType)) {
        m_ftp.setConnected(isArrival);
        m_session->setAttached(isArrival);
    }
}

QString MainWindow::rgbtoStr(int r, int g, int b)
{
    QColor color(r, g, b);
    return color.isValid() ? color.name() : QStringLiteral("#000000");
}

void MainWindow::save()
{
    m_document->save();
}

void MainWindow::saveAs()
{
    m_document->saveAs();
}

void MainWindow::openFile()
{
    m_document->open();
}

void MainWindow::openRecentFile(const QString &path)
{
    m_document->openRecent(path);
}

QString MainWindow::documentTitle() const
{
    return m_document->title();
}

QString MainWindow::desktopTitle() const
{
    return m_document->desktopTitle();
}

bool MainWindow::confirmUnsavedChanges()
{
    return m_document->confirmUnsavedChanges();
}

QStringList MainWindow::recentFiles() const
{
    return m_document->recentFiles();
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
    const QUrl url(m_settings.value(QStringLiteral("Help/") + name).toString().trimmed(), QUrl::StrictMode);
    // Only a web page is handed to the desktop: a settings file must not be able to start a
    // program or open a local file through the about dialog.
    if (!url.isValid() || (url.scheme() != QLatin1String("https") && url.scheme() != QLatin1String("http")) || url.host().isEmpty())
        return QString();
    return url.toString();
}

QUrl MainWindow::userGuideUrl() const
{
    return UserGuide::url(QCoreApplication::applicationDirPath());
}
