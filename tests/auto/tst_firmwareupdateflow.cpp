// A whole firmware update through the editor: catalogue and image from an FTP server
// (pyftpdlib on 127.0.0.1), the boot-loader command to the virtual Tark9, its boot loader's
// serial port, YMODEM, and the controller back in MIDI mode with the new version.
#include "app/mainwindow.h"
#include "config/datamanagement.h"
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

    bool publish(const QString &name, const QByteArray &bytes)
    {
        return QDir(root.path()).mkpath(ServerDirectory)
               && TestImage::write(root.filePath(ServerDirectory + QLatin1Char('/') + name), bytes);
    }

    bool start()
    {
        if (!ftp.start(root.path(), User, Password, {}))
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

QList<int> intsOf(const QSignalSpy &spy)
{
    QList<int> values;
    for (const QList<QVariant> &arguments : spy)
        values << arguments.at(0).toInt();
    return values;
}

} // namespace

class tst_FirmwareUpdateFlow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { device().reset(); }
    void cleanup() { device().reset(); }

    void wholeUpdate_data();
    void wholeUpdate();
    void wholeUpdateThroughTheInterface();
    void refusedImageNeverReachesTheBootLoader();
    void recoveryOfAControllerFoundInItsBootLoader();
    void noControllerReportsNotFound();
};

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
    QSignalSpy progress(&editor->firmwareUpdate(), &FirmwareUpdate::transmitProgress);
    QSignalSpy status(&editor->firmwareUpdate(), &FirmwareUpdate::transStatus);
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

    // Command, boot-loader port, transfer.
    QVERIFY(status.wait(WaitMs));
    QVERIFY(device().receivedMessages().contains(BootLoaderCommand));
    QCOMPARE(status.first().at(0).toBool(), true);
    const QList<int> percentages = intsOf(progress);
    QCOMPARE(percentages.size(), (image.size() + 1023) / 1024);
    QCOMPARE(percentages.last(), 100);
    QVERIFY(std::is_sorted(percentages.begin(), percentages.end()));

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

// As a user does it: Help > About, "firmware updates", the confirmation, the progress and the
// result in the firmware dialog, and the controller back with the new version.
void tst_FirmwareUpdateFlow::wholeUpdateThroughTheInterface()
{
    const QByteArray image = TestImage::withText(TestImage::bytes(30 * 1024 + 11), 1024, "Tark9 firmware 1.0.4");
    Server server;
    QVERIFY(server.publish(QStringLiteral("describe.json"), catalogue(1.04, sha256Of(image))));
    QVERIFY(server.publish(ImageName, image));
    QVERIFY(server.start());
    PromptRecorder prompts;

    auto editor = startEditor();
    QVERIFY(startUpExchangeDone(*editor));
    auto *window = qobject_cast<QQuickWindow *>(editor->engine().rootObjects().value(0));
    QVERIFY(window);
    QObject *tran = editor->engine().rootContext()->contextProperty(QStringLiteral("Tran")).value<QObject *>();
    QVERIFY(QMetaObject::invokeMethod(tran, "reTrans", Q_ARG(QString, QStringLiteral("English"))));
    const auto find = [window](const char *name) { return window->findChild<QObject *>(QLatin1String(name)); };

    // The dialogs are built when first opened.
    QObject *about = find("aboutAction");
    QVERIFY(about);
    QVERIFY(QMetaObject::invokeMethod(about, "trigger"));
    QObject *helpDialog = find("helpDialog");
    QVERIFY(helpDialog);
    QVERIFY(QTest::qWaitFor([&] { return helpDialog->property("opened").toBool(); }, WaitMs));
    QObject *check = helpDialog->findChild<QObject *>(QStringLiteral("firmwareUpdatesButton"));
    QVERIFY(check);
    QVERIFY(QMetaObject::invokeMethod(check, "clicked"));
    QObject *progressDialog = nullptr;
    QVERIFY(QTest::qWaitFor([&] { return (progressDialog = find("progressDialog")) != nullptr; }, WaitMs));

    QObject *confirm = progressDialog->findChild<QObject *>(QStringLiteral("btnSure"));
    QObject *progress = progressDialog->findChild<QObject *>(QStringLiteral("progressBarDownload"));
    QObject *result = progressDialog->findChild<QObject *>(QStringLiteral("textNewest"));
    QVERIFY(confirm && progress && result);
    QVERIFY(QTest::qWaitFor([&] { return confirm->property("visible").toBool(); }, WaitMs));
    QVERIFY(progressDialog->property("opened").toBool());

    // What the progress item showed, sampled after the dialog's own handler has run.
    double shown = 0;
    connect(&editor->firmwareUpdate(), &FirmwareUpdate::transmitProgress, this, [&] {
        shown = std::max(shown, progress->property("value").toDouble());
    });
    QVERIFY(QMetaObject::invokeMethod(confirm, "clicked"));
    QVERIFY(QTest::qWaitFor([&] { return result->property("visible").toBool(); }, WaitMs));
    QCOMPARE(result->property("text").toString(), QStringLiteral("Firmware upgrade succeeded!"));
    QCOMPARE(shown, 1.0);
    QVERIFY(QTest::qWaitFor([&] { return editor->dataManagement()->getVerInfo() == QVariantList({1, 0, 4}); }, WaitMs));
    QCOMPARE(device().firmwareVersion(), (QList<int>{1, 0, 4}));
    QVERIFY(device().bootLoader().lastImage() == image);
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

// A controller whose last update failed waits in its boot loader; the editor's start-up finds
// its port and offers the newest image straight away.
void tst_FirmwareUpdateFlow::recoveryOfAControllerFoundInItsBootLoader()
{
    const QByteArray image = TestImage::withText(TestImage::bytes(12 * 1024), 512, "Tark9 firmware 1.0.4");
    Server server;
    QVERIFY(server.publish(QStringLiteral("describe.json"), catalogue(1.04, sha256Of(image))));
    QVERIFY(server.publish(ImageName, image));
    QVERIFY(server.start());
    PromptRecorder prompts;
    device().bootLoader().enter();
    QVERIFY(QTest::qWaitFor([] { return bootLoaderPortListed(); }, WaitMs));

    auto editor = startEditor();
    MyFtp &ftp = editor->ftp();
    QSignalSpy info(&ftp, &MyFtp::info);
    QSignalSpy status(&editor->firmwareUpdate(), &FirmwareUpdate::transStatus);
    QVERIFY(info.wait(WaitMs));
    QCOMPARE(info.first().at(0).toString(), ImageName);
    ftp.downloadFir();
    QVERIFY(status.wait(WaitMs));
    QCOMPARE(status.first().at(0).toBool(), true);
    QVERIFY(QTest::qWaitFor([&] { return editor->dataManagement()->getVerInfo() == QVariantList({1, 0, 4}); }, WaitMs));
    QVERIFY(device().bootLoader().lastImage() == image);
    QVERIFY(!bootLoaderPortListed());
    QCOMPARE(status.size(), 1);
    QCOMPARE(prompts.messages.size(), 0);
}

void tst_FirmwareUpdateFlow::noControllerReportsNotFound()
{
    device().unplug();
    const QByteArray image = TestImage::bytes(3000);
    QTemporaryDir dir;
    const QString path = dir.filePath(ImageName);
    QVERIFY(TestImage::write(path, image));
    PromptRecorder prompts;

    auto editor = startEditor();
    editor->firmwareUpdate().setPortSearchLimit(1000);
    QSignalSpy status(&editor->firmwareUpdate(), &FirmwareUpdate::transStatus);
    QSignalSpy failed(&editor->firmwareUpdate(), &FirmwareUpdate::failed);
    emit editor->ftp().downloadComplete(path);
    // The command goes nowhere; the port is looked for until the search gives up.
    QVERIFY(failed.wait(WaitMs));
    QCOMPARE(failed.first().at(0).toString(), QStringLiteral("The serial port name of the device was not found"));
    QCOMPARE(prompts.messages.size(), 0);
    QCOMPARE(status.size(), 0);
    QVERIFY(device().receivedMessages().isEmpty());
    QVERIFY(!device().bootLoader().isActive());
}

QTEST_MAIN(tst_FirmwareUpdateFlow)
#include "tst_firmwareupdateflow.moc"
