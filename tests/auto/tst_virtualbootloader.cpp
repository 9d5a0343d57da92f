// The virtual Tark9's boot-loader personality: from the firmware-update command through its
// serial port and a YMODEM transfer back to MIDI mode, and what it does when no whole image comes.
#include "device/midiout.h"
#include "device/serialportlist.h"
#include "device/virtual/virtualbootloader.h"
#include "device/virtual/virtualtark9.h"

#include "scriptedhost.h"
#include "senderrun.h"
#include "testimage.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr int WaitMs = 60000;
constexpr int ReplyMs = 2500;
const QByteArray BootLoaderCommand("\xF0\x05\x00\x00\x00\x20\x6F\xF7", 8);

VirtualTark9 &device() { return VirtualTark9::instance(); }
VirtualBootLoader &bootLoader() { return VirtualTark9::instance().bootLoader(); }

QStringList bootLoaderPorts()
{
    QStringList names;
    for (const SerialPortEntry &port : SerialPortList::availablePorts()) {
        if (port.vendorId == 0x1C75 && port.productId == 0x0204)
            names << port.portName;
    }
    return names;
}

// The command as the editor sends it: through the device's MIDI output port.
bool sendBootLoaderCommand()
{
    MidiOut out(&device().midiSystem());
    return out.open(0) && out.sendLongMsg(BootLoaderCommand.constData(), BootLoaderCommand.size());
}

// The port once the boot loader shows it, or an empty string.
QString waitForBootLoaderPort()
{
    if (!QTest::qWaitFor([] { return !bootLoader().portName().isEmpty(); }, WaitMs))
        return QString();
    return bootLoader().portName();
}

bool waitForMidiMode()
{
    return QTest::qWaitFor([] { return device().isPlugged() && !bootLoader().isActive(); }, WaitMs);
}

// The device's arrivals and removals, counted on the test's thread.
struct PlugEvents
{
    PlugEvents()
    {
        QObject::connect(&device(), &VirtualTark9::plugged, &context, [this] { ++arrivals; }, Qt::QueuedConnection);
        QObject::connect(&device(), &VirtualTark9::unplugged, &context, [this] { ++removals; }, Qt::QueuedConnection);
    }
    QObject context;
    int arrivals = 0;
    int removals = 0;
};

} // namespace

class tst_VirtualBootLoader : public QObject
{
    Q_OBJECT

private slots:
    void init() { device().reset(); }
    void cleanup() { device().reset(); }

    void imageTakesTheDeviceThroughItsBootLoader_data();
    void imageTakesTheDeviceThroughItsBootLoader();
    void failedTransferAfterTheHeaderKeepsTheBootLoader_data();
    void failedTransferAfterTheHeaderKeepsTheBootLoader();
    void noImageMeansTheOldFirmwareReturns_data();
    void noImageMeansTheOldFirmwareReturns();
    void resetEndsTheBootLoader();
    void nextVersion_data();
    void nextVersion();
};

void tst_VirtualBootLoader::imageTakesTheDeviceThroughItsBootLoader_data()
{
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<QList<int>>("version");
    QTest::newRow("image carrying its version")
        << TestImage::withText(TestImage::bytes(5000), 1000, "Tark9 firmware 2.1.0") << QList<int>{2, 1, 0};
    QTest::newRow("image without a version: patch one higher") << TestImage::bytes(3000) << QList<int>{1, 0, 4};
    QTest::newRow("301 blocks, version at the end")
        << TestImage::withText(TestImage::bytes(300 * 1024), 300 * 1024, "Tark9 firmware 1.0.9") << QList<int>{1, 0, 9};
}

void tst_VirtualBootLoader::imageTakesTheDeviceThroughItsBootLoader()
{
    QFETCH(QByteArray, image);
    QFETCH(QList<int>, version);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rk21_104.bin"));
    QVERIFY(TestImage::write(path, image));
    PlugEvents events;

    QVERIFY(sendBootLoaderCommand());
    const QString port = waitForBootLoaderPort();
    QVERIFY(!port.isEmpty());
    QVERIFY(!device().isPlugged());
    QCOMPARE(bootLoaderPorts(), QStringList{port});
    // A second command while it runs changes nothing.
    bootLoader().enter();
    QCOMPARE(bootLoaderPorts(), QStringList{port});

    SenderRun sender;
    QVERIFY(sender.start(path, port));
    QVERIFY(sender.waitForEnd(WaitMs));
    QCOMPARE(sender.lastStatus(), YmodemFileTransmit::StatusFinished);
    QVERIFY(waitForMidiMode());

    QCOMPARE(device().firmwareVersion(), version);
    QVERIFY(bootLoader().lastImage() == image);
    QCOMPARE(bootLoader().results(), QList<YmodemReceiver::Result>{YmodemReceiver::Result::Received});
    QVERIFY(bootLoaderPorts().isEmpty());
    QVERIFY(bootLoader().portName().isEmpty());
    QTRY_COMPARE(events.arrivals, 1);
    QCOMPARE(events.removals, 1);
}

void tst_VirtualBootLoader::failedTransferAfterTheHeaderKeepsTheBootLoader_data()
{
    QTest::addColumn<QByteArray>("ending"); // empty: the host lets go of the port
    QTest::addColumn<YmodemReceiver::Result>("result");
    QTest::newRow("sender cancels") << QByteArray("\x18\x18\x18\x18\x18") << YmodemReceiver::Result::Cancelled;
    QTest::newRow("host leaves") << QByteArray() << YmodemReceiver::Result::LineLost;
}

void tst_VirtualBootLoader::failedTransferAfterTheHeaderKeepsTheBootLoader()
{
    QFETCH(QByteArray, ending);
    QFETCH(YmodemReceiver::Result, result);
    // Short, so that a boot loader that wrongly restarts its old firmware does so within the test.
    bootLoader().setIdleTimeout(300);
    QVERIFY(sendBootLoaderCommand());
    const QString port = waitForBootLoaderPort();
    QVERIFY(!port.isEmpty());
    {
        ScriptedHost host(port);
        QVERIFY(host.isOpen());
        QCOMPARE(host.awaitReply(ReplyMs), QByteArray("C"));
        QVERIFY(host.write(ScriptedHost::header("rk21_104.bin", "5000")));
        host.awaitReply(ReplyMs);
        QVERIFY(host.write(ScriptedHost::block(1, TestImage::bytes(1024), 1024)));
        host.awaitReply(ReplyMs);
        if (!ending.isEmpty())
            QVERIFY(host.write(ending));
    }
    QVERIFY(QTest::qWaitFor([] { return !bootLoader().results().isEmpty(); }, WaitMs));
    QCOMPARE(bootLoader().results().first(), result);
    // The old firmware was erased for the announced image: waiting longer than the idle time
    // does not bring it back.
    QTest::qWait(1500);
    QVERIFY(bootLoader().isActive());
    QVERIFY(!device().isPlugged());
    QCOMPARE(bootLoaderPorts(), QStringList{port});
    QCOMPARE(device().firmwareVersion(), (QList<int>{1, 0, 3}));

    // The next whole image brings it back.
    const QByteArray image = TestImage::bytes(4000);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rk21_104.bin"));
    QVERIFY(TestImage::write(path, image));
    SenderRun sender;
    QVERIFY(sender.start(path, port));
    QVERIFY(sender.waitForEnd(WaitMs));
    QCOMPARE(sender.lastStatus(), YmodemFileTransmit::StatusFinished);
    QVERIFY(waitForMidiMode());
    QCOMPARE(bootLoader().results(), (QList<YmodemReceiver::Result>{result, YmodemReceiver::Result::Received}));
    QCOMPARE(device().firmwareVersion(), (QList<int>{1, 0, 4}));
    QVERIFY(bootLoader().lastImage() == image);
    QVERIFY(bootLoaderPorts().isEmpty());
}

void tst_VirtualBootLoader::noImageMeansTheOldFirmwareReturns_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<QList<YmodemReceiver::Result>>("results");
    using R = YmodemReceiver::Result;
    QTest::newRow("nobody opens the port") << QString() << QList<R>{};
    QTest::newRow("an empty image is refused") << QStringLiteral("empty image") << QList<R>{R::Refused};
    QTest::newRow("noise, then the host leaves") << QStringLiteral("noise") << QList<R>{R::LineLost};
}

void tst_VirtualBootLoader::noImageMeansTheOldFirmwareReturns()
{
    QFETCH(QString, host);
    QFETCH(QList<YmodemReceiver::Result>, results);
    const QByteArray imageBefore = bootLoader().lastImage();
    bootLoader().setIdleTimeout(500);
    PlugEvents events;
    QVERIFY(sendBootLoaderCommand());
    const QString port = waitForBootLoaderPort();
    QVERIFY(!port.isEmpty());

    if (host == QLatin1String("empty image")) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("empty.bin"));
        QVERIFY(TestImage::write(path, QByteArray()));
        SenderRun sender;
        QVERIFY(sender.start(path, port));
        QVERIFY(sender.waitForEnd(WaitMs));
        QCOMPARE(sender.lastStatus(), YmodemFileTransmit::StatusAborted);
    } else if (host == QLatin1String("noise")) {
        ScriptedHost noisy(port);
        QCOMPARE(noisy.awaitReply(ReplyMs), QByteArray("C"));
        QVERIFY(noisy.write("AT+RESET\r\n"));
        noisy.awaitReply(ReplyMs);
    }

    QVERIFY(waitForMidiMode());
    QCOMPARE(bootLoader().results(), results);
    QCOMPARE(device().firmwareVersion(), (QList<int>{1, 0, 3}));
    QCOMPARE(bootLoader().lastImage(), imageBefore);
    QVERIFY(bootLoaderPorts().isEmpty());
    QTRY_COMPARE(events.arrivals, 1);
    QCOMPARE(events.removals, 1);
}

void tst_VirtualBootLoader::resetEndsTheBootLoader()
{
    QVERIFY(sendBootLoaderCommand());
    const QString port = waitForBootLoaderPort();
    QVERIFY(!port.isEmpty());
    ScriptedHost host(port);
    QCOMPARE(host.awaitReply(ReplyMs), QByteArray("C"));
    // In the middle of asking the host for an image.
    device().reset();
    QVERIFY(!bootLoader().isActive());
    QVERIFY(device().isPlugged());
    QVERIFY(bootLoaderPorts().isEmpty());
    QCOMPARE(device().firmwareVersion(), (QList<int>{1, 0, 3}));
    QVERIFY(bootLoader().results().isEmpty());
}

void tst_VirtualBootLoader::nextVersion_data()
{
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<QList<int>>("current");
    QTest::addColumn<QList<int>>("next");
    const QByteArray body = TestImage::bytes(600);
    const auto tagged = [&body](const QByteArray &text) { return TestImage::withText(body, 100, text); };
    using V = QList<int>;
    QTest::newRow("carried version") << tagged("Tark9 firmware 1.0.4") << V{1, 0, 3} << V{1, 0, 4};
    QTest::newRow("carried version may be older") << tagged("Tark9 firmware 0.9.1") << V{1, 0, 3} << V{0, 9, 1};
    QTest::newRow("carried version with text after it") << tagged("Tark9 firmware 3.2.1 (2024-05-01)") << V{1, 0, 3}
                                                       << V{3, 2, 1};
    QTest::newRow("carried version at the very end") << body + "Tark9 firmware 2.10.127" << V{1, 0, 3} << V{2, 10, 127};
    QTest::newRow("the first carried version counts")
        << TestImage::withText(tagged("Tark9 firmware 1.0.5"), 300, "Tark9 firmware 1.0.6") << V{1, 0, 3} << V{1, 0, 5};
    QTest::newRow("no version: patch one higher") << body << V{1, 0, 3} << V{1, 0, 4};
    QTest::newRow("patch at its top carries into minor") << body << V{1, 2, 127} << V{1, 3, 0};
    QTest::newRow("minor and patch at their top carry into major") << body << V{1, 127, 127} << V{2, 0, 0};
    QTest::newRow("a part above 127 is no version") << tagged("Tark9 firmware 1.0.128") << V{1, 0, 3} << V{1, 0, 4};
    QTest::newRow("two parts are no version") << tagged("Tark9 firmware 1.4 ") << V{1, 0, 3} << V{1, 0, 4};
    QTest::newRow("four parts are no version") << tagged("Tark9 firmware 1.0.4.2") << V{1, 0, 3} << V{1, 0, 4};
    QTest::newRow("an empty part is no version") << tagged("Tark9 firmware 1..4") << V{1, 0, 3} << V{1, 0, 4};
    QTest::newRow("cut off after the tag") << body + "Tark9 firmware 1.0." << V{1, 0, 3} << V{1, 0, 4};
    QTest::newRow("tag in other letter case") << tagged("tark9 FIRMWARE 1.0.9") << V{1, 0, 3} << V{1, 0, 4};
}

void tst_VirtualBootLoader::nextVersion()
{
    QFETCH(QByteArray, image);
    QFETCH(QList<int>, current);
    QFETCH(QList<int>, next);
    QCOMPARE(VirtualBootLoader::nextVersion(image, current), next);
}

QTEST_GUILESS_MAIN(tst_VirtualBootLoader)
#include "tst_virtualbootloader.moc"
