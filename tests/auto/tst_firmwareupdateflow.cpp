// A whole firmware update through the editor: catalogue and image from an FTP server
// (pyftpdlib on 127.0.0.1), the backup, the boot-loader command to the virtual Tark9, its boot
// loader's serial port, YMODEM, and the controller back in MIDI mode with the new version.
#include "app/firmwareupdater.h"
#include "app/mainwindow.h"
#include "config/controllerprotocol.h"
#include "config/datamanagement.h"
#include "config/editorsettings.h"
#include "config/presetfile.h"
#include "firmware/firmwarebackups.h"
#include "device/serialportlist.h"
#include "device/virtual/virtualtark9.h"

#include "ftpserver.h"
#include "promptrecorder.h"
#include "testimage.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QQmlContext>
#include <QQuickItem>
#include <QQuickWindow>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <memory>

namespace {

// Bounds for things that take seconds: the port search alone may last 10 s.
constexpr int WaitMs = 60000;
const QString User = QStringLiteral("tark9");
const QString Password = QStringLiteral("fl0w-Pa55");
const QString ServerDirectory = QStringLiteral("firmware/kovela/rk21");
const QString ImageName = QStringLiteral("rk21_104.bin");
const QByteArray BootLoaderCommand("\xF0\x05\x00\x00\x00\x20\x6F\xF7", 8);

using M = VirtualTark9::Misbehaviour;

VirtualTark9 &device() { return VirtualTark9::instance(); }

bool bootLoaderPortListed()
{
    for (const SerialPortEntry &port : SerialPortList::availablePorts()) {
        if (port.vendorId == 0x1C75 && port.productId == 0x0204)
            return true;
    }
    return false;
}

// The download server: describe.json and the image in its firmware directory.
struct Server
{
    QTemporaryDir root;
    FtpServer ftp;
    FtpServer::Options options;

    bool publish(const QString &name, const QByteArray &bytes)
    {
        return QDir(root.path()).mkpath(ServerDirectory)
               && TestImage::write(root.filePath(ServerDirectory + QLatin1Char('/') + name), bytes);
    }

    bool start()
    {
        if (!ftp.start(root.path(), User, Password, options))
            return false;
        QSettings settings(QStringLiteral("Kovela"), QStringLiteral("kovelaTark9"));
        settings.beginGroup(QStringLiteral("FirmwareServer"));
        settings.setValue(QStringLiteral("host"), QStringLiteral("127.0.0.1"));
        settings.setValue(QStringLiteral("port"), ftp.port());
        settings.setValue(QStringLiteral("user"), User);
        settings.setValue(QStringLiteral("password"), Password);
        return true;
    }
};

QByteArray catalogue(double ver, const QString &sha256)
{
    QJsonObject object{{QStringLiteral("name"), ImageName}, {QStringLiteral("ver"), ver},
                       {QStringLiteral("info"), QJsonArray{QStringLiteral("Faster pads")}}};
    if (!sha256.isEmpty())
        object.insert(QStringLiteral("sha256"), sha256);
    return QJsonDocument(object).toJson();
}

QString sha256Of(const QByteArray &bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

std::unique_ptr<MainWindow> startEditor()
{
    AppOptions options;
    options.virtualDevice = true;
    return std::make_unique<MainWindow>(options);
}

// The editor after its start-up exchange with the controller: configuration read (the
// catalogue client now knows the installed version) and serial number asked for.
bool startUpExchangeDone(MainWindow &editor)
{
    QSignalSpy serial(&editor, &MainWindow::s_snNum);
    return serial.wait(WaitMs);
}

// The editor once its start-up read has brought the controller's configuration (and version).
bool startUpReadDone(MainWindow &editor)
{
    QSignalSpy updates(editor.dataManagement(), &DataManagement::s_updateDate);
    return updates.wait(WaitMs);
}

QList<int> intsOf(const QSignalSpy &spy, int argument = 0)
{
    QList<int> values;
    for (const QList<QVariant> &arguments : spy)
        values << arguments.at(argument).toInt();
    return values;
}

// Where the configuration's settings start, after the bytes the controller's firmware owns.
constexpr int SettingsOffset = ControllerProtocol::VersionOffset + ControllerProtocol::VersionLength;

QByteArray settingsOf(const QByteArray &configuration)
{
    return configuration.mid(SettingsOffset);
}

// The editor's window as a user works it: menu entries triggered, the buttons of its dialogs
// pressed (only when shown and enabled, as a person could), what they show read.
struct Window
{
    explicit Window(MainWindow &editor)
        : editor(editor)
        , window(qobject_cast<QQuickWindow *>(editor.engine().rootObjects().value(0)))
    {
    }

    QObject *find(const char *name) const { return window->findChild<QObject *>(QLatin1String(name)); }

    bool trigger(const char *action) const
    {
        QObject *item = find(action);
        return item && QMetaObject::invokeMethod(item, "trigger");
    }

    // A dialog, once built and open; null when it does not open in time.
    QObject *openDialog(const char *name) const
    {
        QObject *dialog = nullptr;
        const bool opened = QTest::qWaitFor([&] { return (dialog = find(name)) && dialog->property("opened").toBool(); }, WaitMs);
        return opened ? dialog : nullptr;
    }

    QObject *updateDialog() const { return openDialog("firmwareUpdateDialog"); }

    QVariant shown(const char *dialog, const char *item, const char *property = "text") const
    {
        QObject *holder = find(dialog);
        QObject *found = holder ? holder->findChild<QObject *>(QLatin1String(item)) : nullptr;
        return found && found->property("visible").toBool() ? found->property(property) : QVariant();
    }

    bool press(const char *dialog, const char *button) const
    {
        QObject *holder = find(dialog);
        QObject *found = holder ? holder->findChild<QObject *>(QLatin1String(button)) : nullptr;
        return found && found->property("visible").toBool() && found->property("enabled").toBool()
               && QMetaObject::invokeMethod(found, "clicked");
    }

    bool speak(const QString &language) const
    {
        QObject *tran = editor.engine().rootContext()->contextProperty(QStringLiteral("Tran")).value<QObject *>();
        return QMetaObject::invokeMethod(tran, "reTrans", Q_ARG(QString, language));
    }

    bool finished() const
    {
        return QTest::qWaitFor([this] { return editor.firmwareUpdater().phase() == FirmwareUpdater::Phase::Finished; }, WaitMs);
    }

    // Each stage of the update's list by its state.
    QMap<QString, QList<GuardedUpdate::Stage>> stages() const
    {
        QMap<QString, QList<GuardedUpdate::Stage>> byState;
        for (const QVariant &entry : editor.firmwareUpdater().stages()) {
            const QVariantMap stage = entry.toMap();
            byState[stage.value(QStringLiteral("state")).toString()] << GuardedUpdate::Stage(stage.value(QStringLiteral("stage")).toInt());
        }
        return byState;
    }

    MainWindow &editor;
    QQuickWindow *window;
};

} // namespace

class tst_FirmwareUpdateFlow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup() { device().reset(); }

    void wholeUpdate_data();
    void wholeUpdate();
    void guardedUpdateThroughTheInterface_data();
    void guardedUpdateThroughTheInterface();
    void refusedImageNeverReachesTheBootLoader();
    void closingTheDownloadStopsIt();
    void updateFromFile_data();
    void updateFromFile();
    void rescue_data();
    void rescue();
    void noControllerReportsNotFound();
};

void tst_FirmwareUpdateFlow::init()
{
    device().reset();
    // Neither images nor backups of an earlier test.
    QDir data(EditorSettings::dataFolder());
    for (const QString &file : data.entryList(QDir::Files))
        data.remove(file);
    QDir(data.filePath(QStringLiteral("backups"))).removeRecursively();
}

void tst_FirmwareUpdateFlow::initTestCase()
{
    // Settings and downloads in the test's own places, never the user's.
    QStandardPaths::setTestModeEnabled(true);
}

void tst_FirmwareUpdateFlow::wholeUpdate_data()
{
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<bool>("withSha256");
    QTest::newRow("image carries 1.0.4, catalogue gives its SHA-256")
        << TestImage::withText(TestImage::bytes(40 * 1024 + 77), 2048, "Tark9 firmware 1.0.4") << true;
    QTest::newRow("image without a version, catalogue without a digest") << TestImage::bytes(20 * 1024 + 5) << false;
}

void tst_FirmwareUpdateFlow::wholeUpdate()
{
    QFETCH(QByteArray, image);
    QFETCH(bool, withSha256);
    Server server;
    QVERIFY(server.publish(QStringLiteral("describe.json"), catalogue(1.04, withSha256 ? sha256Of(image) : QString())));
    QVERIFY(server.publish(ImageName, image));
    QVERIFY(server.start());
    PromptRecorder prompts;

    auto editor = startEditor();
    QVERIFY(startUpExchangeDone(*editor));
    QCOMPARE(editor->dataManagement()->getVerInfo(), QVariantList({1, 0, 3}));

    MyFtp &ftp = editor->ftp();
    QSignalSpy info(&ftp, &MyFtp::info);
    QSignalSpy checkFailed(&ftp, &MyFtp::checkFailed);
    QSignalSpy complete(&ftp, &MyFtp::downloadComplete);
    QSignalSpy downloadFailed(&ftp, &MyFtp::downloadFailed);
    GuardedUpdate &update = editor->firmwareUpdater().guardedUpdate();
    QSignalSpy progress(&update, &GuardedUpdate::progress);
    QSignalSpy status(&update, &GuardedUpdate::finished);
    QSignalSpy devState(editor.get(), &MainWindow::devStateChanged);

    // The controller's 1.03 against the catalogue's 1.04.
    ftp.checkOnLineFirmware();
    QVERIFY(QTest::qWaitFor([&] { return !info.isEmpty() || !checkFailed.isEmpty(); }, WaitMs));
    QCOMPARE(checkFailed.size(), 0);
    QCOMPARE(info.first().at(0).toString(), ImageName);
    QCOMPARE(info.first().at(1).toDouble(), 1.04);

    ftp.downloadFir();
    QVERIFY(QTest::qWaitFor([&] { return !complete.isEmpty() || !downloadFailed.isEmpty(); }, WaitMs));
    QCOMPARE(downloadFailed.size(), 0);
    QFile downloaded(complete.first().at(0).toString());
    QVERIFY(downloaded.open(QIODevice::ReadOnly));
    QVERIFY(downloaded.readAll() == image);

    // While the image goes to the boot loader, no second download may replace it.
    QVERIFY(QTest::qWaitFor([&] { return !progress.isEmpty() || !status.isEmpty(); }, WaitMs));
    QCOMPARE(status.size(), 0);
    ftp.downloadFir();
    QCOMPARE(downloadFailed.size(), 1);
    QCOMPARE(complete.size(), 1);

    // Backup, command, boot-loader port, transfer, the controller back with the catalogue's version.
    QVERIFY(status.wait(WaitMs));
    QVERIFY(device().receivedMessages().contains(BootLoaderCommand));
    QVERIFY2(status.first().at(0).toBool(), qPrintable(status.first().at(2).toString()));
    const QList<int> percentages = intsOf(progress, 2);
    QCOMPARE(percentages.last(), 100);
    QVERIFY(std::is_sorted(percentages.begin(), percentages.end()));
    QCOMPARE(progress.last().at(0).toLongLong(), qint64(image.size()));

    // Back in MIDI mode: the arrival's read exchange brings the new version to the editor.
    QVERIFY(QTest::qWaitFor([&] { return editor->dataManagement()->getVerInfo() == QVariantList({1, 0, 4}); }, WaitMs));
    QCOMPARE(device().firmwareVersion(), (QList<int>{1, 0, 4}));
    QVERIFY(device().bootLoader().lastImage() == image);
    QVERIFY(!bootLoaderPortListed());
    QCOMPARE(intsOf(devState), (QList<int>{false, true}));
    QCOMPARE(status.size(), 1);
    QCOMPARE(prompts.messages.size(), 0);

    // The installed version is now the catalogue's: nothing newer is offered.
    ftp.checkOnLineFirmware();
    QVERIFY(QTest::qWaitFor([&] { return info.size() == 2 || !checkFailed.isEmpty(); }, WaitMs));
    QCOMPARE(info.last().at(0).toString(), QStringLiteral("null"));
}

void tst_FirmwareUpdateFlow::guardedUpdateThroughTheInterface_data()
{
    QTest::addColumn<M>("misbehaviour");
    QTest::addColumn<bool>("restore");
    QTest::addColumn<bool>("settingsKept");
    QTest::addColumn<QString>("said");
    QTest::newRow("settings kept") << M::None << true << true << "Its settings are the ones in the backup.";
    QTest::newRow("settings reset, restored") << M::ResetsSettings << true << true << "they were restored from the backup and verified";
    QTest::newRow("settings reset, restore unticked") << M::ResetsSettings << false << false << "restoring was turned off";
}

// As a user does it: Help > About, "firmware updates", the confirmation with its check box, the
// update dialog naming every stage with the transfer's bytes, percentage and time left, and the
// sentence it ends with; the controller back with the new version and, unless unticked, its
// own settings.
void tst_FirmwareUpdateFlow::guardedUpdateThroughTheInterface()
{
    QFETCH(M, misbehaviour);
    QFETCH(bool, restore);
    QFETCH(bool, settingsKept);
    QFETCH(QString, said);
    const QByteArray image = TestImage::withText(TestImage::bytes(30 * 1024 + 11), 1024, "Tark9 firmware 1.0.4");
    Server server;
    QVERIFY(server.publish(QStringLiteral("describe.json"), catalogue(1.04, sha256Of(image))));
    QVERIFY(server.publish(ImageName, image));
    QVERIFY(server.start());
    device().customiseSettings();
    const QByteArray custom = device().configuration();
    device().setMisbehaviour(misbehaviour);
    PromptRecorder prompts;

    auto editor = startEditor();
    QVERIFY(startUpReadDone(*editor));
    Window ui(*editor);
    QVERIFY(ui.window);
    QVERIFY(ui.speak(QStringLiteral("English")));
    QVERIFY(ui.trigger("aboutAction"));
    QVERIFY(ui.openDialog("helpDialog"));
    QVERIFY(ui.press("helpDialog", "firmwareUpdatesButton"));
    QObject *progressDialog = ui.openDialog("progressDialog");
    QVERIFY(progressDialog);
    QVERIFY(QTest::qWaitFor([&] { return ui.shown("progressDialog", "btnSure").isValid(); }, WaitMs));
    QCOMPARE(ui.shown("progressDialog", "restoreBox", "checked"), QVariant(true));
    if (!restore)
        QVERIFY(QMetaObject::invokeMethod(progressDialog->findChild<QObject *>(QStringLiteral("restoreBox")), "toggle"));

    // What the update dialog showed of the transfer, read once its bindings have followed.
    QStringList progressShown;
    connect(&editor->firmwareUpdater(), &FirmwareUpdater::progressChanged, this, [&] {
        QTimer::singleShot(0, this, [&] { progressShown << ui.shown("firmwareUpdateDialog", "progressText").toString(); });
    });
    QVERIFY(ui.press("progressDialog", "btnSure"));
    QVERIFY(ui.updateDialog());
    QVERIFY(ui.finished());
    QVERIFY(!progressDialog->property("opened").toBool());

    const QString sentence = ui.shown("firmwareUpdateDialog", "sentenceText").toString();
    QVERIFY2(sentence.startsWith(QStringLiteral("The firmware update is complete: the controller runs version 1.0.4.")), qPrintable(sentence));
    QVERIFY2(sentence.contains(said), qPrintable(sentence));
    const QString total = QLocale().toString(image.size());
    QVERIFY2(progressShown.contains(QStringLiteral("%1 of %1 bytes sent, 100 %, about 0 s left").arg(total)), qPrintable(progressShown.join('|')));
    const QRegularExpression midway(QStringLiteral("^[\\d,.]+ of %1 bytes sent, [1-9]\\d? %, about \\d+ s left$").arg(total));
    QVERIFY2(std::any_of(progressShown.begin(), progressShown.end(), [&](const QString &text) { return midway.match(text).hasMatch(); }),
             qPrintable(progressShown.join('|')));
    // Every stage ran, up to the restore that had something to do.
    using S = GuardedUpdate::Stage;
    QList<S> ran{S::Downloading, S::BackingUp, S::SwitchingToBootLoader, S::Transferring, S::WaitingForController, S::CheckingVersion};
    if (restore)
        ran << S::Restoring;
    if (misbehaviour == M::ResetsSettings && restore)
        ran << S::Verifying;
    QCOMPARE(ui.stages().value(QStringLiteral("done")), ran);
    QVERIFY(ui.stages().value(QStringLiteral("failed")).isEmpty());

    QCOMPARE(device().firmwareVersion(), (QList<int>{1, 0, 4}));
    QCOMPARE(settingsOf(device().configuration()) == settingsOf(custom), settingsKept);
    // The backup holds the settings as they were before.
    const QString backup = FirmwareBackups().newestOfAny();
    QVERIFY(!backup.isEmpty());
    QCOMPARE(settingsOf(PresetFile::read(backup).block.left(ControllerProtocol::ImageSize)), settingsOf(custom));
    // The editor has the controller back, with its new version.
    QVERIFY(QTest::qWaitFor([&] { return editor->dataManagement()->getVerInfo() == QVariantList({1, 0, 4}); }, WaitMs));
    QVERIFY(ui.press("firmwareUpdateDialog", "closeUpdateButton"));
    QCOMPARE(editor->firmwareUpdater().phase(), FirmwareUpdater::Phase::Idle);
    QCOMPARE(prompts.messages.size(), 0);
}

void tst_FirmwareUpdateFlow::refusedImageNeverReachesTheBootLoader()
{
    const QByteArray image = TestImage::bytes(8000);
    Server server;
    QVERIFY(server.publish(QStringLiteral("describe.json"), catalogue(1.04, sha256Of(image + "tampered"))));
    QVERIFY(server.publish(ImageName, image));
    QVERIFY(server.start());
    PromptRecorder prompts;

    auto editor = startEditor();
    QVERIFY(startUpExchangeDone(*editor));
    MyFtp &ftp = editor->ftp();
    QSignalSpy info(&ftp, &MyFtp::info);
    QSignalSpy complete(&ftp, &MyFtp::downloadComplete);
    QSignalSpy downloadFailed(&ftp, &MyFtp::downloadFailed);
    ftp.checkOnLineFirmware();
    QVERIFY(info.wait(WaitMs));
    QCOMPARE(info.first().at(0).toString(), ImageName);
    ftp.downloadFir();
    QVERIFY(downloadFailed.wait(WaitMs));

    QCOMPARE(complete.size(), 0);
    QVERIFY(!device().receivedMessages().contains(BootLoaderCommand));
    QVERIFY(device().isPlugged());
    QVERIFY(!device().bootLoader().isActive());
    QCOMPARE(device().firmwareVersion(), (QList<int>{1, 0, 3}));
}

// Closing the dialog while the image comes stops the download: nothing is kept, nothing flashed.
void tst_FirmwareUpdateFlow::closingTheDownloadStopsIt()
{
    const QByteArray image = TestImage::bytes(64 * 1024);
    Server server;
    QVERIFY(server.publish(QStringLiteral("describe.json"), catalogue(1.04, sha256Of(image))));
    QVERIFY(server.publish(ImageName, image));
    // About 3 s for the whole image.
    server.options.piece = 2048;
    QVERIFY(server.start());
    PromptRecorder prompts;

    auto editor = startEditor();
    QVERIFY(startUpReadDone(*editor));
    Window ui(*editor);
    QSignalSpy complete(&editor->ftp(), &MyFtp::downloadComplete);
    editor->ftp().checkOnLineFirmware();
    QObject *progressDialog = ui.openDialog("progressDialog");
    QVERIFY(progressDialog);
    QVERIFY(QTest::qWaitFor([&] { return ui.press("progressDialog", "btnSure"); }, WaitMs));
    QVERIFY(QTest::qWaitFor([&] { return ui.shown("progressDialog", "progressBarDownload", "value").toDouble() > 0; }, WaitMs));
    QVERIFY(QMetaObject::invokeMethod(progressDialog, "close"));

    QVERIFY(QDir(EditorSettings::dataFolder()).entryList(QDir::Files).isEmpty());
    QTest::qWait(1000);
    QCOMPARE(complete.size(), 0);
    QVERIFY(QDir(EditorSettings::dataFolder()).entryList(QDir::Files).isEmpty());
    QCOMPARE(editor->firmwareUpdater().phase(), FirmwareUpdater::Phase::Idle);
    QVERIFY(!device().receivedMessages().contains(BootLoaderCommand));
    QCOMPARE(device().firmwareVersion(), (QList<int>{1, 0, 3}));
}

void tst_FirmwareUpdateFlow::updateFromFile_data()
{
    QTest::addColumn<QString>("catalogue");   // "none" known, the file's "own", or for "other" bytes
    QTest::addColumn<M>("misbehaviour");
    QTest::addColumn<QString>("note");
    QTest::addColumn<bool>("answer");          // to the question whether to go on without a backup
    QTest::addColumn<bool>("cancel");          // Cancel pressed while the settings are backed up
    QTest::addColumn<GuardedUpdate::Stage>("failedStage");   // Idle: it succeeds
    QTest::addColumn<QString>("said");
    using S = GuardedUpdate::Stage;
    QTest::newRow("no catalogue known") << "none" << M::None << "No catalogue of the firmware server is known" << false << false
                                        << S::Idle << "The firmware update is complete: the controller runs version 1.0.4.";
    QTest::newRow("the catalogue's image") << "own" << M::None << "its size and checksum match the catalogue's" << false << false
                                           << S::Idle << "The firmware update is complete: the controller runs version 1.0.4.";
    QTest::newRow("the catalogue's name, other bytes") << "other" << M::None << "is not that image" << false << false << S::Idle << "";
    QTest::newRow("back with the old version") << "own" << M::KeepsOldFirmware << "checksum match" << false << false
                                               << S::CheckingVersion << "came back with version 1.0.3, expected 1.04";
    QTest::newRow("settings unreadable, stopped") << "none" << M::NoReply << "cannot be checked" << false << false << S::BackingUp
                                                  << "stopped before anything changed on the controller";
    QTest::newRow("settings unreadable, gone on") << "none" << M::NoReply << "cannot be checked" << true << false
                                                  << S::CheckingVersion << "the controller's version could not be read";
    QTest::newRow("cancelled before the transfer") << "none" << M::None << "cannot be checked" << false << true << S::BackingUp
                                                   << "The update was cancelled before anything changed on the controller.";
}

// Help > Update Firmware From File...: the file picked, what the catalogue says of it, the
// confirmation, and the guarded update; a file named as the catalogue's image must be that image.
void tst_FirmwareUpdateFlow::updateFromFile()
{
    QFETCH(QString, catalogue);
    QFETCH(M, misbehaviour);
    QFETCH(QString, note);
    QFETCH(bool, answer);
    QFETCH(bool, cancel);
    QFETCH(GuardedUpdate::Stage, failedStage);
    QFETCH(QString, said);
    const QByteArray image = TestImage::withText(TestImage::bytes(24 * 1024), 700, "Tark9 firmware 1.0.4");
    Server server;
    QVERIFY(server.publish(QStringLiteral("describe.json"), ::catalogue(1.04, sha256Of(image))));
    QVERIFY(server.publish(ImageName, image));
    QVERIFY(server.start());
    QTemporaryDir files;
    const QString path = files.filePath(ImageName);
    QVERIFY(TestImage::write(path, catalogue == "other" ? TestImage::bytes(24 * 1024) : image));
    PromptRecorder prompts;
    prompts.fileAnswers << path;
    if (misbehaviour == M::NoReply)
        prompts.confirmations << answer;

    auto editor = startEditor();
    QVERIFY(startUpReadDone(*editor));
    Window ui(*editor);
    QVERIFY(ui.speak(QStringLiteral("English")));
    editor->firmwareUpdater().guardedUpdate().setReplyTimeout(300);
    editor->firmwareUpdater().guardedUpdate().setReturnDeadline(5000);
    if (catalogue != "none") {
        QSignalSpy info(&editor->ftp(), &MyFtp::info);
        editor->ftp().checkOnLineFirmware();
        QVERIFY(info.wait(WaitMs));
        QVERIFY(QMetaObject::invokeMethod(ui.openDialog("progressDialog"), "close"));
    }
    device().setMisbehaviour(misbehaviour);

    QVERIFY(ui.trigger("updateFromFileAction"));
    QVERIFY(ui.updateDialog());
    QCOMPARE(prompts.fileRequests.size(), 1);
    const QString shownNote = ui.shown("firmwareUpdateDialog", "imageNoteText").toString();
    QVERIFY2(shownNote.contains(note), qPrintable(shownNote));
    if (catalogue == "other") {
        QVERIFY(!ui.press("firmwareUpdateDialog", "confirmUpdateButton"));
        QVERIFY(ui.press("firmwareUpdateDialog", "closeUpdateButton"));
        QCOMPARE(editor->firmwareUpdater().phase(), FirmwareUpdater::Phase::Idle);
        QVERIFY(!device().receivedMessages().contains(BootLoaderCommand));
        QCOMPARE(prompts.messages.size(), 0);
        return;
    }
    QCOMPARE(ui.shown("firmwareUpdateDialog", "restoreBox", "checked"), QVariant(true));
    bool cancelled = false;
    connect(&editor->firmwareUpdater(), &FirmwareUpdater::stagesChanged, this, [&] {
        if (cancel && !cancelled && editor->firmwareUpdater().guardedUpdate().stage() == GuardedUpdate::Stage::BackingUp)
            cancelled = ui.press("firmwareUpdateDialog", "cancelUpdateButton");
    });
    QVERIFY(ui.press("firmwareUpdateDialog", "confirmUpdateButton"));
    QVERIFY(ui.finished());
    QCOMPARE(cancelled, cancel);

    const QString sentence = ui.shown("firmwareUpdateDialog", "sentenceText").toString();
    QVERIFY2(sentence.contains(said), qPrintable(sentence));
    QCOMPARE(editor->firmwareUpdater().succeeded(), failedStage == GuardedUpdate::Stage::Idle);
    QCOMPARE(ui.stages().value(QStringLiteral("failed")),
             failedStage == GuardedUpdate::Stage::Idle ? QList<GuardedUpdate::Stage>() : QList<GuardedUpdate::Stage>{failedStage});
    QCOMPARE(device().receivedMessages().contains(BootLoaderCommand), failedStage != GuardedUpdate::Stage::BackingUp);
    QCOMPARE(prompts.messages.size(), misbehaviour == M::NoReply ? 1 : 0);
}

void tst_FirmwareUpdateFlow::rescue_data()
{
    QTest::addColumn<QString>("stranded");
    QTest::newRow("when the editor starts") << "at start";
    QTest::newRow("by a power cut during the update") << "power cut";
    QTest::newRow("by a cancel during the transfer") << "cancel";
}

// A controller left in its boot loader (found at start-up, or by an update that broke off) is
// said to be so, and rescued with the newest image downloaded and its newest backup.
void tst_FirmwareUpdateFlow::rescue()
{
    QFETCH(QString, stranded);
    const QByteArray image = TestImage::withText(TestImage::bytes(32 * 1024), 900, "Tark9 firmware 1.0.4");
    const QString path = EditorSettings::dataFolder() + QLatin1Char('/') + ImageName;
    QVERIFY(TestImage::write(path, image));
    device().customiseSettings();
    const QByteArray custom = device().configuration();
    PromptRecorder prompts;
    if (stranded == "at start") {
        QString error;
        QVERIFY2(!FirmwareBackups().write(QString::fromLatin1(device().serialNumber()), QStringLiteral("1.0.3"), custom,
                                          QDateTime::currentDateTime(), &error).isEmpty(), qPrintable(error));
        device().reset();
        device().bootLoader().enter(VirtualBootLoader::Application::Erased);
        QVERIFY(QTest::qWaitFor([] { return bootLoaderPortListed(); }, WaitMs));
    }
    if (stranded == "power cut")
        device().setMisbehaviour(M::PowerCutMidTransfer);

    auto editor = startEditor();
    Window ui(*editor);
    QVERIFY(ui.speak(QStringLiteral("English")));
    FirmwareUpdater &updater = editor->firmwareUpdater();
    if (stranded == "at start") {
        QVERIFY(ui.updateDialog());
        QCOMPARE(updater.phase(), FirmwareUpdater::Phase::OfferingRescue);
        QCOMPARE(ui.shown("firmwareUpdateDialog", "updateTitle").toString(), QStringLiteral("The controller is in its boot loader"));
        QVERIFY(ui.shown("firmwareUpdateDialog", "rescueText").toString().contains(QStringLiteral("waiting in its boot loader")));
    } else {
        QVERIFY(startUpReadDone(*editor));
        bool cancelled = false;
        connect(&updater, &FirmwareUpdater::progressChanged, this, [&] {
            if (stranded == "cancel" && !cancelled && updater.percent() > 0)
                cancelled = ui.press("firmwareUpdateDialog", "cancelUpdateButton");
        });
        prompts.fileAnswers << path;
        QVERIFY(ui.trigger("updateFromFileAction"));
        QVERIFY(ui.updateDialog());
        QVERIFY(ui.press("firmwareUpdateDialog", "confirmUpdateButton"));
        QVERIFY(ui.finished());
        QCOMPARE(ui.stages().value(QStringLiteral("failed")), QList<GuardedUpdate::Stage>{GuardedUpdate::Stage::Transferring});
        QVERIFY2(updater.sentence().contains(QStringLiteral("The controller stays in its boot loader")), qPrintable(updater.sentence()));
        // In its boot loader (after a power cut, once plugged in again): the dialog offers the
        // rescue beside the outcome.
        QVERIFY(QTest::qWaitFor([&] { return ui.shown("firmwareUpdateDialog", "rescueNewestButton").isValid(); }, WaitMs));
        QCOMPARE(ui.shown("firmwareUpdateDialog", "newestImageText").toString(), QStringLiteral("Newest image downloaded: %1").arg(ImageName));
    }
    // The new firmware starts with the factory settings: the rescue puts the backup's back.
    device().setMisbehaviour(M::ResetsSettings);
    QVERIFY(ui.press("firmwareUpdateDialog", "rescueNewestButton"));
    QVERIFY(updater.isRescue());
    QVERIFY(ui.finished());
    QVERIFY2(updater.sentence().startsWith(QStringLiteral("The controller is rescued: it runs firmware 1.0.4.")), qPrintable(updater.sentence()));
    using S = GuardedUpdate::Stage;
    QCOMPARE(ui.stages().value(QStringLiteral("done")),
             (QList<S>{S::Transferring, S::WaitingForController, S::CheckingVersion, S::Restoring, S::Verifying}));
    QCOMPARE(device().firmwareVersion(), (QList<int>{1, 0, 4}));
    QCOMPARE(settingsOf(device().configuration()), settingsOf(custom));
    QVERIFY(device().bootLoader().lastImage() == image);
    QVERIFY(!bootLoaderPortListed());
    // The editor has the controller back.
    QVERIFY(QTest::qWaitFor([&] { return editor->dataManagement()->getVerInfo() == QVariantList({1, 0, 4}); }, WaitMs));
    QCOMPARE(prompts.messages.size(), 0);
}

void tst_FirmwareUpdateFlow::noControllerReportsNotFound()
{
    device().unplug();
    QTemporaryDir dir;
    const QString path = dir.filePath(ImageName);
    QVERIFY(TestImage::write(path, TestImage::bytes(3000)));
    PromptRecorder prompts;

    auto editor = startEditor();
    Window ui(*editor);
    QVERIFY(ui.speak(QStringLiteral("English")));
    emit editor->ftp().downloadComplete(path);
    QVERIFY(ui.finished());
    QVERIFY(!editor->firmwareUpdater().succeeded());
    const QString sentence = ui.shown("firmwareUpdateDialog", "sentenceText").toString();
    QVERIFY2(sentence.startsWith(QStringLiteral("No controller is connected")), qPrintable(sentence));
    QCOMPARE(ui.stages().value(QStringLiteral("failed")), QList<GuardedUpdate::Stage>{GuardedUpdate::Stage::BackingUp});
    QCOMPARE(prompts.messages.size(), 0);
    QVERIFY(device().receivedMessages().isEmpty());
    QVERIFY(!device().bootLoader().isActive());
}

QTEST_MAIN(tst_FirmwareUpdateFlow)
#include "tst_firmwareupdateflow.moc"
