#include "app/mainwindow.h"

#include "app/platform.h"
#include "app/prompt.h"
#include "app/singleinstance.h"
#include "config/datamanagement.h"
#include "config/presetfile.h"

#include <QApplication>
#include <QColor>
#include <QDebug>
#include <QQmlContext>
#include <QQuickWindow>
#include <QScreen>

namespace {

MainWindow *g_mainWindow = nullptr;

// Logical dots per inch of a screen at 100 % scaling on the controller's home platform.
constexpr double BaseDpi = 96.0;

} // namespace

MainWindow::MainWindow(const AppOptions &options)
    : QMainWindow(nullptr)
    , m_options(options)
{
    resize(1080, 892);
    g_mainWindow = this;
    connect(this, &MainWindow::s_midiIndata, this, &MainWindow::slotMidiIndata);

    m_dataMgt = new DataManagement(this);
    m_dataMgt->initDefaultData();

    setupQml();

    connect(qApp, &QGuiApplication::screenAdded, this, &MainWindow::screenCountChange);
    connect(qApp, &QGuiApplication::screenRemoved, this, &MainWindow::screenCountChange);
    screenCountChange();

    SingleInstance::onRaiseRequest([this] { raiseWindow(); });
}

MainWindow::~MainWindow()
{
    if (g_mainWindow == this)
        g_mainWindow = nullptr;
}

void MainWindow::setupQml()
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    const int screenNumber = currentScreenNumber();
    if (screenNumber < screens.size())
        m_scalingRate = screens.at(screenNumber)->logicalDotsPerInch() / BaseDpi;

    QQmlContext *context = m_engine.rootContext();
    context->setContextProperty(QStringLiteral("MainLogic"), this);
    context->setContextProperty(QStringLiteral("DataMgt"), m_dataMgt);
    m_engine.load(QUrl(QStringLiteral("qrc:/qml/main.qml")));
    if (m_engine.rootObjects().isEmpty())
        qCritical() << "the user interface could not be loaded from qrc:/qml/main.qml";
}

void MainWindow::raiseWindow()
{
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
    // No controller connection exists yet: report the failure rather than pretend.
    emit showHint(true, false);
}

void MainWindow::getData()
{
    emit showHint(false, false);
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

void MainWindow::slotMidiIndata(char *data, int length)
{
    qDebug() << "parseMidiData====";
    if (!data || length <= 0)
        return;
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
