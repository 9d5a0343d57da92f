#include "mainlogicrecorder.h"

#include "app/controlclipboard.h"
#include "app/touchselect.h"
#include "device/midimonitor.h"

#include "app/firmwareupdater.h"
#include "app/screenscaling.h"
#include "config/datamanagement.h"
#include "device/deviceconnection.h"
#include "firmware/myftp.h"
#include "i18n/trans.h"
#include "qml/colorpalette.h"
#include "qml/picturepreloader.h"

#include <QDesktopServices>
#include <QQmlContext>
#include <QQmlEngine>
#include <QSettings>
#include <QTemporaryDir>
#include <QtQuickTest>

// Publishes what the editor publishes: "Tran", "DataMgt", "Ftp", "FirmwareUpdater" and
// "Scaling" are the real objects, "MainLogic" records the calls the scene makes.
class Setup : public QObject
{
    Q_OBJECT

public slots:
    void applicationAvailable()
    {
        // The language the tests choose is saved here, never in the user's own settings.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settingsDir.path());
        ColorPalette::registerType();
    }

    void qmlEngineAvailable(QQmlEngine *engine)
    {
        auto *trans = new Trans(engine, engine);
        auto *mainLogic = new MainLogicRecorder(engine);
        auto *dataMgt = new DataManagement(engine);
        dataMgt->initDefaultData();
        // The user guide goes to the recorder, not to a viewer.
        QDesktopServices::setUrlHandler(QStringLiteral("file"), mainLogic, "openUrl");

        // The scene's modules (BaseControl, component, modular) are found by name, as the
        // editor finds them.
        engine->addImportPath(QStringLiteral("qrc:/qml"));

        QQmlContext *context = engine->rootContext();
        context->setContextProperty(QStringLiteral("Tran"), trans);
        context->setContextProperty(QStringLiteral("MainLogic"), mainLogic);
        // The real scaling object: a test sets its rate as a screen of that scaling would.
        context->setContextProperty(QStringLiteral("Scaling"), new ScreenScaling(engine));
        engine->addImageProvider(PicturePreloader::ProviderId, new PicturePreloader({}));
        context->setContextProperty(QStringLiteral("DataMgt"), dataMgt);
        // Without a connection: the tests hand touch select and the monitor their messages.
        context->setContextProperty(QStringLiteral("MidiMonitor"), new MidiMonitor(engine));
        context->setContextProperty(QStringLiteral("TouchSelect"), new TouchSelect(dataMgt, engine));
        context->setContextProperty(QStringLiteral("ControlClipboard"), new ControlClipboard(dataMgt, engine));
        auto *ftp = new MyFtp(engine);
        context->setContextProperty(QStringLiteral("Ftp"), ftp);
        context->setContextProperty(QStringLiteral("FirmwareUpdater"),
                                    new FirmwareUpdater(*new DeviceConnection(engine), *ftp, nullptr, engine));
    }

private:
    QTemporaryDir m_settingsDir;
};

QUICK_TEST_MAIN_WITH_SETUP(qml, Setup)

#include "tst_qml.moc"
