// Presence detection: the message handling as a pure function, and the detector with the
// virtual Tark9's ports, plug and unplug.
#include "devicelogcapture.h"

#include "device/detectiondevice.h"
#include "device/devicebackend.h"
#include "device/devicepresence.h"
#include "device/serialportlist.h"
#include "device/virtual/virtualtark9.h"

#include <QSignalSpy>
#include <QtTest>

Q_DECLARE_METATYPE(DeviceMessage)

namespace {

const QString Path = QStringLiteral("\\\\?\\USB#VID_0416&PID_B009&MI_00#7&1a2b3c&0&0000#{65e8773d-8f56-11d0-a3b9-00a0c9223196}\\global");

QMap<QString, QString> table()
{
    return {{QStringLiteral("rk217"), QStringLiteral("VID_0416&PID_B009")}};
}

DeviceMessage message(quint32 msg, quintptr wParam, quint32 headerType = 0, const QString &path = QString())
{
    DeviceMessage m;
    m.message = msg;
    m.wParam = wParam;
    m.headerType = headerType;
    m.interfacePath = path;
    return m;
}

} // namespace

class TestDetectionDevice : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        VirtualTark9::installAsBackend();
        VirtualTark9::instance().reset();
    }

    void messageHandling_data()
    {
        QTest::addColumn<DeviceMessage>("input");
        QTest::addColumn<bool>("present");
        QTest::addColumn<bool>("consumed");
        QTest::addColumn<bool>("report");
        QTest::addColumn<bool>("presentAfter");
        QTest::addColumn<QString>("logLine");
        const quint32 change = DeviceMessage::DeviceChange;
        const quint32 iface = DeviceMessage::DeviceInterfaceHeader;
        QTest::newRow("arrival while absent") << message(change, DeviceMessage::DeviceArrival, iface, Path) << false << true << true << true << QString();
        QTest::newRow("second arrival") << message(change, DeviceMessage::DeviceArrival, iface, Path) << true << true << false << true << QString();
        QTest::newRow("removal while present") << message(change, DeviceMessage::DeviceRemoveComplete, iface, Path) << true << true << true << false << QString();
        QTest::newRow("removal while absent") << message(change, DeviceMessage::DeviceRemoveComplete, iface, Path) << false << true << false << false << QString();
        QTest::newRow("lower-case path") << message(change, DeviceMessage::DeviceArrival, iface, Path.toLower()) << false << true << true << true << QString();
        QTest::newRow("other device") << message(change, DeviceMessage::DeviceArrival, iface, "USB#VID_046D&PID_C52B#x") << false << true << false << false << QString();
        QTest::newRow("other device removed") << message(change, DeviceMessage::DeviceRemoveComplete, iface, "USB#VID_046D&PID_C52B#x") << true << true << false << true << QString();
        QTest::newRow("volume header") << message(change, DeviceMessage::DeviceArrival, 2, Path) << false << true << false << false << QString();
        QTest::newRow("other change") << message(change, 0x0007, iface, Path) << false << true << false << false << QString();
        QTest::newRow("copy data") << message(DeviceMessage::CopyData, 0) << false << true << false << false << QString();
        QTest::newRow("end of session") << message(DeviceMessage::QueryEndSession, 0) << true << false << false << true << "======system poweroff,reboot or logoff======";
        QTest::newRow("going to sleep") << message(DeviceMessage::PowerBroadcast, DeviceMessage::PowerQuerySuspend) << false << false << false << false << "======xiu mian======";
        QTest::newRow("woken up") << message(DeviceMessage::PowerBroadcast, DeviceMessage::PowerResumeAutomatic) << true << false << false << true << "======huan xing======";
        QTest::newRow("other power event") << message(DeviceMessage::PowerBroadcast, 0x000A) << false << false << false << false << QString();
        QTest::newRow("paint") << message(0x000F, 0) << false << false << false << false << QString();
    }

    void messageHandling()
    {
        QFETCH(DeviceMessage, input);
        QFETCH(bool, present);
        QFETCH(bool, consumed);
        QFETCH(bool, report);
        QFETCH(bool, presentAfter);
        QFETCH(QString, logLine);
        const DevicePresence::Outcome outcome = DevicePresence::handle(input, present, table());
        QCOMPARE(outcome.consumed, consumed);
        QCOMPARE(outcome.report, report);
        QCOMPARE(outcome.present, presentAfter);
        QCOMPARE(QString::fromLatin1(outcome.logLine), logLine);
        if (report) {
            QCOMPARE(outcome.deviceType, QStringLiteral("rk217"));
            QCOMPARE(outcome.arrival, input.wParam == DeviceMessage::DeviceArrival);
        }
    }

    void startUpScan_data()
    {
        QTest::addColumn<QStringList>("midiInputs");
        QTest::addColumn<bool>("bootLoaderPort");
        QTest::addColumn<QString>("reported");
        QTest::newRow("controller in MIDI mode") << QStringList{"Midi Through Port-0", "Kovela Tark9"} << false << "rk217";
        QTest::newRow("letter case differs") << QStringList{"kovela tark9"} << false << "";
        QTest::newRow("boot loader only") << QStringList{} << true << "rk217SerialDev";
        QTest::newRow("both: MIDI wins") << QStringList{"Kovela Tark9"} << true << "rk217";
        QTest::newRow("nothing") << QStringList{"Kovela Tark9 MIDI 1"} << false << "";
    }

    void startUpScan()
    {
        QFETCH(QStringList, midiInputs);
        QFETCH(bool, bootLoaderPort);
        QFETCH(QString, reported);
        QVector<VirtualMidiSystem::Port> inputs;
        for (const QString &name : midiInputs)
            inputs.append({name, false});
        VirtualTark9::instance().virtualMidiSystem().setPortLayout(inputs, {});
        const QString portName = QStringLiteral("/dev/pts/tark9-test");
        if (bootLoaderPort)
            SerialPortList::addVirtualPort({portName, 0x1C75, 0x0204});
        DeviceLogCapture log;
        DetectionDevice detector;
        QSignalSpy spy(&detector, &DetectionDevice::s_devTypeAndState);
        detector.scanDevices();
        SerialPortList::removeVirtualPort(portName);
        if (reported.isEmpty()) {
            QCOMPARE(spy.size(), 0);
            return;
        }
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy.first(), QVariantList({reported, true}));
        QCOMPARE(detector.isDevicePresent(), reported == "rk217");
        QCOMPARE(log.lines().contains("==================="), reported == "rk217SerialDev");
        if (reported == "rk217SerialDev")
            QVERIFY(log.lines().contains("vid: 7285 pid 516"));
    }

    void plugAndUnplugAfterTheScan()
    {
        DetectionDevice detector;
        QSignalSpy spy(&detector, &DetectionDevice::s_devTypeAndState);
        detector.scanDevices();
        QCOMPARE(spy.size(), 1);
        VirtualTark9::instance().unplug();
        QTRY_COMPARE(spy.size(), 2);
        QCOMPARE(spy.last(), QVariantList({"rk217", false}));
        // A repeated removal says nothing; the next arrival is reported once.
        detector.handleDeviceMessage(DeviceMessage::interfaceChange(false, VirtualTark9::interfacePath()));
        VirtualTark9::instance().plug();
        QTRY_COMPARE(spy.size(), 3);
        detector.handleDeviceMessage(DeviceMessage::interfaceChange(true, VirtualTark9::interfacePath()));
        QCOMPARE(spy.size(), 3);
        QCOMPARE(spy.last(), QVariantList({"rk217", true}));
    }
};

QTEST_MAIN(TestDetectionDevice)
#include "tst_detectiondevice.moc"
