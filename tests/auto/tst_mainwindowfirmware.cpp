// How the controller hands the device's state to the firmware side: the version it reports,
// whether a controller is there, and a controller found in its boot loader.
#include "devicelogcapture.h"
#include "promptrecorder.h"

#include "app/firmwareupdater.h"
#include "app/mainwindow.h"
#include "config/datamanagement.h"
#include "device/serialportlist.h"
#include "device/virtual/virtualtark9.h"

#include <QSettings>
#include <QSignalSpy>
#include <QTcpServer>
#include <QtTest>

#include <memory>

namespace {

VirtualTark9 &device() { return VirtualTark9::instance(); }

std::unique_ptr<MainWindow> startEditor()
{
    AppOptions options;
    options.virtualDevice = true;
    return std::make_unique<MainWindow>(options);
}

// Waits until the editor holds the configuration, and so the version, its start-up read brought.
bool startUpReadDone(MainWindow &editor)
{
    QSignalSpy updates(editor.dataManagement(), &DataManagement::s_updateDate);
    return updates.wait(5000);
}

} // namespace

class tst_MainWindowFirmware : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { device().reset(); }
    void cleanup();

    void versionKnownOnlyFromTheController_data();
    void versionKnownOnlyFromTheController();
    void bootLoaderAtStartOffersItsRescue();
    void virtualFaultFromTheCommandLine_data();
    void virtualFaultFromTheCommandLine();

private:
    // A port on this machine that refuses connections: no check ever leaves the machine.
    QTcpServer m_closedPort;
};

void tst_MainWindowFirmware::initTestCase()
{
    QVERIFY(m_closedPort.listen(QHostAddress::LocalHost));
    const quint16 port = m_closedPort.serverPort();
    m_closedPort.close();
    QSettings settings(QStringLiteral("Kovela"), QStringLiteral("kovelaTark9"));
    settings.setValue("FirmwareServer/host", "127.0.0.1");
    settings.setValue("FirmwareServer/port", port);
}

void tst_MainWindowFirmware::cleanup()
{
    SerialPortList::removeVirtualPort("/dev/null-bootloader");
    device().reset();
}

void tst_MainWindowFirmware::versionKnownOnlyFromTheController_data()
{
    QTest::addColumn<QString>("situation");
    // The box the check shows instead of starting, if any, by its source text: it is shown in
    // the editor's language.
    QTest::addColumn<QString>("box");

    QTest::newRow("reply received") << "reply" << QString();
    // The factory defaults written at start-up are not the controller's version.
    QTest::newRow("no reply") << "silent" << QString("获取当前版本号失败");
    QTest::newRow("no controller") << "unplugged" << QString("请先连接设备");
    QTest::newRow("controller pulled out") << "pulled" << QString("请先连接设备");
}

void tst_MainWindowFirmware::versionKnownOnlyFromTheController()
{
    QFETCH(QString, situation);
    QFETCH(QString, box);
    if (situation == "silent")
        device().setMisbehaviour(VirtualTark9::Misbehaviour::NoReply);
    if (situation == "unplugged")
        device().unplug();
    PromptRecorder prompts;
    prompts.expectedMessages = box.isEmpty() ? 0 : 1;
    auto editor = startEditor();
    if (situation == "reply" || situation == "pulled")
        QVERIFY(startUpReadDone(*editor));
    if (situation == "pulled") {
        device().unplug();
        QTRY_VERIFY(!device().isPlugged());
        QCoreApplication::processEvents();
    }
    device().waitIdle();
    QCoreApplication::processEvents();

    QSignalSpy dialog(&editor->ftp(), &MyFtp::showDialog);
    editor->ftp().checkOnLineFirmware();
    if (box.isEmpty()) {
        QCOMPARE(dialog.count(), 1);
        QVERIFY(prompts.messages.isEmpty());
    } else {
        QCOMPARE(dialog.count(), 0);
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.messages.first().text, MyFtp::tr(box.toUtf8().constData()));
    }
}

// The controller sits in its boot loader: the editor says so and offers its rescue, and asks no
// server for anything; the offer goes when the controller does.
void tst_MainWindowFirmware::bootLoaderAtStartOffersItsRescue()
{
    device().unplug();
    SerialPortList::addVirtualPort({"/dev/null-bootloader", 0x1C75, 0x0204});
    DeviceLogCapture log;
    PromptRecorder prompts;
    auto editor = startEditor();
    FirmwareUpdater &updater = editor->firmwareUpdater();
    QTRY_COMPARE(updater.phase(), FirmwareUpdater::Phase::OfferingRescue);
    QVERIFY(updater.isStranded());
    // Nothing downloaded yet: only a file can rescue it.
    QCOMPARE(updater.newestImage(), QString());
    QVERIFY(prompts.messages.isEmpty());
    QVERIFY(!log.lines().contains("download describe"));

    SerialPortList::removeVirtualPort("/dev/null-bootloader");
    QTRY_COMPARE_WITH_TIMEOUT(updater.phase(), FirmwareUpdater::Phase::Idle, 3 * FirmwareUpdater::BootLoaderWatchMs);
    QVERIFY(!updater.isStranded());
}

void tst_MainWindowFirmware::virtualFaultFromTheCommandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");   // -1: the editor starts
    QTest::newRow("a controller left in its boot loader") << QStringList{"--virtual-fault", "stranded"} << -1;
    QTest::newRow("a fault tark9ctl does not know") << QStringList{"--virtual-fault=overheated"} << 2;
}

// --virtual-fault=FAULT starts the editor with the virtual controller misbehaving as tark9ctl's
// --virtual=FAULT makes it: a stranded one is offered its rescue at once.
void tst_MainWindowFirmware::virtualFaultFromTheCommandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QList<QByteArray> bytes{"kovelaTark9"};
    for (const QString &argument : arguments)
        bytes << argument.toLocal8Bit();
    QVector<char *> argv;
    for (QByteArray &argument : bytes)
        argv << argument.data();
    const AppOptions options = AppOptions::parse(argv.size(), argv.data());
    QCOMPARE(options.exitCode.value_or(-1), exitCode);
    if (exitCode >= 0)
        return;
    QVERIFY(options.virtualDevice);
    PromptRecorder prompts;
    MainWindow editor(options);
    QTRY_COMPARE(editor.firmwareUpdater().phase(), FirmwareUpdater::Phase::OfferingRescue);
    QVERIFY(device().bootLoader().isActive());
    QVERIFY(!device().isPlugged());
}

QTEST_MAIN(tst_MainWindowFirmware)
#include "tst_mainwindowfirmware.moc"
