#include "app/mainwindow.h"

#include "app/platform.h"
#include "app/prompt.h"
#include "app/singleinstance.h"
#include "config/datamanagement.h"
#include "config/presetfile.h"
#include "device/detectiondevice.h"
#include "device/devicebackend.h"
#include "device/mididevices.h"
#include "i18n/trans.h"
#include "qml/colorpalette.h"
#include "qml/screenshot.h"

#include <QApplication>
#include <QColor>
#include <QDebug>
#include <QQmlContext>
#include <QQuickWindow>
#include <QScreen>
#include <QSettings>
#include <QTimer>

#include <array>

namespace {

MainWindow *g_mainWindow = nullptr;

// Logical dots per inch of a screen at 100 % scaling on the controller's home platform.
constexpr double BaseDpi = 96.0;

const QString ControllerPortName = QStringLiteral("Kovela Tark9");
const QString MidiDeviceType = QStringLiteral("rk217");
const QString SerialDeviceType = QStringLiteral("rk217SerialDev");

// The editor's requests: F0, command, the identification bytes 00 00 00 20 6F, F7.
const char ReadRequest[] = {'\xF0', '\x02', '\x00', '\x00', '\x00', '\x20', '\x6F', '\xF7'};
const char SerialRequest[] = {'\xF0', '\x04', '\x00', '\x00', '\x00', '\x20', '\x6F', '\xF7'};
const char BootLoaderRequest[] = {'\xF0', '\x05', '\x00', '\x00', '\x00', '\x20', '\x6F', '\xF7'};
constexpr quint8 WriteCommand = 0x01;
constexpr quint8 SerialCommand = 0x04;
constexpr int CommandOffset = 1;
constexpr int SerialOffset = 7;
constexpr int SerialLength = 13;          // bytes; a NUL ends the text early
constexpr int SerialLogLength = 10;       // bytes of the serial field written to the log
constexpr int SerialRequestDelayMs = 2000;
// What the controller gets to leave its MIDI personality before the boot loader is looked for.
constexpr int BootLoaderDelayMs = 1000;

QString hexByte(char byte)
{
    return QStringLiteral("0x%1").arg(static_cast<quint8>(byte), 2, 16, QLatin1Char('0'));
}

} // namespace

MainWindow::MainWindow(const AppOptions &options)
    : QMainWindow(nullptr)
    , m_options(options)
{
    // Chosen before anything lists or opens a port, and not changed afterwards.
    DeviceBackend::select(options.virtualDevice ? DeviceBackend::Kind::Virtual : DeviceBackend::Kind::Platform);
    resize(1080, 892);
    g_mainWindow = this;
    connect(this, &MainWindow::s_midiIndata, this, &MainWindow::slotMidiIndata);
    m_serialRequestTimer.setSingleShot(true);
    connect(&m_serialRequestTimer, &QTimer::timeout, this, [this] {
        openMidiPorts(true);
        m_midiOut.sendLongMsg(SerialRequest, sizeof SerialRequest);
    });

    m_dataMgt = new DataManagement(this);
    m_dataMgt->initDefaultData();
    // Connected after the defaults, so the factory version is never taken for the device's.
    connect(m_dataMgt, &DataManagement::s_updateDate, this, [this] {
        const QVariantList version = m_dataMgt->getVerInfo();
        m_ftp.setCurrentVersion(QStringLiteral("%1.%2%3").arg(version.value(0).toInt()).arg(version.value(1).toInt()).arg(version.value(2).toInt()));
    }, Qt::DirectConnection);

    setupQml();

    // Never deleted before the process ends: it owns the registration for device messages.
    m_detectionDevice = new DetectionDevice();
    connect(m_detectionDevice, &DetectionDevice::s_devTypeAndState, this, &MainWindow::onDevArrivalOrRemove);
    m_detectionDevice->scanDevices();

    connect(qApp, &QGuiApplication::screenAdded, this, &MainWindow::screenCountChange);
    connect(qApp, &QGuiApplication::screenRemoved, this, &MainWindow::screenCountChange);
    screenCountChange();

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
    m_midiIn.close();
    m_midiOut.close();
    // No input callback runs once the input port is closed, so nothing reads the pointer now.
    if (g_mainWindow == this)
        g_mainWindow = nullptr;
}

void MainWindow::setupQml()
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    const int screenNumber = currentScreenNumber();
    if (screenNumber < screens.size())
        m_scalingRate = screens.at(screenNumber)->logicalDotsPerInch() / BaseDpi;

    // The program registers the colour wheel at start-up; anything else that builds the
    // controller (tests, tools) gets a scene that loads all the same.
    ColorPalette::registerType();
    m_trans = new Trans(&m_engine, this);

    QQmlContext *context = m_engine.rootContext();
    context->setContextProperty(QStringLiteral("Tran"), m_trans);
    context->setContextProperty(QStringLiteral("MainLogic"), this);
    context->setContextProperty(QStringLiteral("DataMgt"), m_dataMgt);
    context->setContextProperty(QStringLiteral("Ftp"), &m_ftp);
    context->setContextProperty(QStringLiteral("FirmwareUpdate"), &m_firmwareUpdate);
    m_engine.load(QUrl(QStringLiteral("qrc:/qml/main.qml")));
    if (m_engine.rootObjects().isEmpty())
        qCritical() << "the user interface could not be loaded from qrc:/qml/main.qml";
    if (!m_options.screenshotPath.isEmpty())
        Screenshot::saveAfterFirstFrame(qobject_cast<QQuickWindow *>(m_engine.rootObjects().value(0)), m_options.screenshotPath);
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
    std::array<quint8, DataManagement::ImageSize> message = m_dataMgt->configImage();
    message[CommandOffset] = WriteCommand;
    const char *bytes = reinterpret_cast<const char *>(message.data());
    const int defect = DataManagement::findMessageDefect(bytes, DataManagement::ImageSize);
    bool sent = false;
    if (defect >= 0) {
        // The controller would take a broken SysEx message; nothing is sent at all.
        qDebug() << "sendData refused: byte" << defect << "of the configuration is" << hexByte(bytes[defect]);
    } else {
        openMidiPorts(true);
        sent = m_midiOut.sendLongMsg(bytes, DataManagement::ImageSize);
    }
    emit showHint(true, sent);
    if (m_isDevConnected) {
        m_midiIn.close();
        m_midiOut.close();
    }
}

void MainWindow::getData()
{
    openMidiPorts(true);
    emit showHint(false, m_midiOut.sendLongMsg(ReadRequest, sizeof ReadRequest));
}

void MainWindow::openMidiPorts(bool open)
{
    if (!m_isDevConnected)
        return;
    if (!open) {
        m_midiIn.close();
        m_midiOut.close();
        return;
    }
    if (!m_midiIn.open(m_inDevIndex, &forwardMidiInput)) {
        m_midiIn.close();
        Prompt::warning(this, tr("Error prompt"), tr("The current device is occupied"));
        return;
    }
    if (!m_midiOut.open(m_outDevIndex)) {
        m_midiOut.close();
        Prompt::warning(this, tr("Error prompt"), tr("The current device is occupied"));
    }
}

void forwardMidiInput(char *data, int length)
{
    MainWindow *controller = g_mainWindow;
    if (!controller || !data || length <= 0)
        return;
    // The port reuses its buffer as soon as this returns: the GUI thread gets a copy that the
    // queued call owns and frees after the slot has run.
    QByteArray copy(data, length);
    QMetaObject::invokeMethod(controller, [controller, copy]() mutable {
        emit controller->s_midiIndata(copy.data(), copy.size());
    }, Qt::QueuedConnection);
}

void MainWindow::onDevArrivalOrRemove(QString devType, bool isArrival)
{
    qDebug() << "onDevArrivalOrRemove" << devType << isArrival;
    if (devType == MidiDeviceType) {
        m_ftp.setConnected(isArrival);
        if (!isArrival) {
            m_isDevConnected = false;
            m_midiIn.close();
            m_midiOut.close();
            emit devStateChanged(false);
            return;
        }
        m_isDevConnected = true;
        const auto lowestIndexNamed = [](const QMap<int, QString> &ports, int current) {
            for (auto it = ports.constBegin(); it != ports.constEnd(); ++it) {
                if (it.value() == ControllerPortName)
                    return it.key();
            }
            return current;
        };
        m_inDevIndex = lowestIndexNamed(getMidiInDevices(), m_inDevIndex);
        m_outDevIndex = lowestIndexNamed(getMidiOutDevices(), m_outDevIndex);
        qDebug() << "m_inDevIndex:" << m_inDevIndex;
        qDebug() << "m_outDevIndex:" << m_outDevIndex;
        openMidiPorts(true);
        getData();
        m_serialRequestTimer.start(SerialRequestDelayMs);
        emit devStateChanged(true);
    } else if (devType == SerialDeviceType) {
        // A controller found in its boot loader: offer it the newest image at once.
        m_ftp.setConnected(isArrival);
        m_ftp.setCurrentVersion(QStringLiteral("0"));
        m_ftp.checkOnLineFirmware();
    }
}

void MainWindow::onFirmwareUpdate(QString path)
{
    // The controller is about to leave its MIDI personality: a serial-number request due now
    // would only meet ports on their way out and warn that they are occupied.
    m_serialRequestTimer.stop();
    openMidiPorts(true);
    m_midiOut.sendLongMsg(BootLoaderRequest, sizeof BootLoaderRequest);
    QTimer::singleShot(BootLoaderDelayMs, this, [this, path] {
        m_midiIn.close();
        m_midiOut.close();
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

void MainWindow::writePreset()
{
    qDebug() << "m_filePath" << m_filePath;
    if (m_filePath.isEmpty())
        return;   // the user cancelled the dialog
    const auto &image = m_dataMgt->configImage();
    const QByteArray bytes(reinterpret_cast<const char *>(image.data()), static_cast<int>(image.size()));
    QString error;
    if (!PresetFile::write(m_filePath, bytes, &error))
        Prompt::warning(this, tr("Error prompt"), error);
}

void MainWindow::openFile()
{
    const QString filePath = Prompt::openFileName(this, QString(), QString(), QString());
    qDebug() << "filePath" << filePath;
    if (filePath.isEmpty())
        return;
    const PresetFile::ReadResult result = PresetFile::read(filePath);
    switch (result.status) {
    case PresetFile::ReadStatus::Loaded:
        m_dataMgt->loadConfigImage(result.block.constData(), result.block.size());
        break;
    case PresetFile::ReadStatus::NoBlock:
        // Nothing to load, but the screens still refresh from the unchanged model.
        m_dataMgt->loadConfigImage(nullptr, 0);
        Prompt::warning(this, tr("Error prompt"), result.error);
        break;
    case PresetFile::ReadStatus::CannotOpen:
    case PresetFile::ReadStatus::InvalidBytes:
        Prompt::warning(this, tr("Error prompt"), result.error);
        break;
    }
}

double MainWindow::getScalingRate()
{
    return m_scalingRate;
}

int MainWindow::currentScreenNumber() const
{
    QScreen *screen = QGuiApplication::screenAt(geometry().center());
    const int number = QGuiApplication::screens().indexOf(screen);
    return number < 0 ? 0 : number;
}

void MainWindow::updateProgra(int x, int y)
{
    move(x, y);
    const int screenNumber = currentScreenNumber();
    if (m_lastScreenNumber < 0)
        m_lastScreenNumber = screenNumber;
    if (screenNumber == m_lastScreenNumber)
        return;
    m_lastScreenNumber = screenNumber;
    const QList<QScreen *> screens = QGuiApplication::screens();
    if (screenNumber >= screens.size())
        return;
    const double dpi = screens.at(screenNumber)->logicalDotsPerInch();
    m_scalingRate = dpi / BaseDpi;
    qDebug() << "===logicalDotsPerInch=====" << dpi;
    emit screenChanged();
}

QString MainWindow::getSoftVersion()
{
    return Platform::softVersion();
}

QString MainWindow::helpAddress(const QString &name)
{
    const QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Kovela"), QStringLiteral("kovelaTark9"));
    const QUrl url(settings.value(QStringLiteral("Help/") + name).toString().trimmed(), QUrl::StrictMode);
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
    if (length > CommandOffset && static_cast<quint8>(data[CommandOffset]) == SerialCommand) {
        // The reply may be shorter than its serial field: the text stops at its end.
        const QByteArray field = QByteArray(data, length).mid(SerialOffset, SerialLength);
        qDebug() << "===" << QString(field.left(SerialLogLength));
        emit s_snNum(QString(field));
        return;
    }
    const int defect = DataManagement::findMessageDefect(data, length);
    if (defect >= 0) {
        qDebug() << "configuration reply not loaded: byte" << defect << "is" << hexByte(data[defect])
                 << "in" << length << "bytes";
    } else {
        m_dataMgt->loadConfigImage(data, length);
    }
    if (m_isDevConnected) {
        m_midiIn.close();
        m_midiOut.close();
    }
}

void MainWindow::screenCountChange()
{
    // Connected anew for the current set of screens; the earlier connections captured a list
    // that may no longer hold.
    for (const QMetaObject::Connection &connection : qAsConst(m_dpiConnections))
        disconnect(connection);
    m_dpiConnections.clear();
    const QList<QScreen *> screens = QGuiApplication::screens();
    for (QScreen *screen : screens) {
        m_dpiConnections << connect(screen, &QScreen::logicalDotsPerInchChanged, this, [this, screen, screens](qreal dpi) {
            const int number = currentScreenNumber();
            if (number < screens.size() && screens.at(number) == screen) {
                m_scalingRate = dpi / BaseDpi;
                emit screenChanged();
            }
        });
    }
}
