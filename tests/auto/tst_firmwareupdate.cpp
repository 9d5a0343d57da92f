// The update procedure against rb behind a boot-loader port registered as 1C75:0204.

#include "firmware/firmwareupdate.h"

#include "device/serialportlist.h"
#include "receiverline.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

constexpr quint16 VendorId = 0x1C75;
constexpr quint16 ProductId = 0x0204;
// Bounds for hangs only: the search gives up after 10 s, the transfers take a second or two.
constexpr int WaitMs = 60000;
// What the search for a port that never comes is cut to, so that its end is seen quickly.
constexpr int ShortSearchMs = 1000;

QList<bool> boolsOf(const QSignalSpy &spy)
{
    QList<bool> values;
    for (const QList<QVariant> &arguments : spy)
        values << arguments.at(0).toBool();
    return values;
}

// Ports added for one test and taken away again at its end.
class VirtualPorts
{
public:
    ~VirtualPorts()
    {
        for (const QString &name : qAsConst(m_names))
            SerialPortList::removeVirtualPort(name);
    }

    void add(const QString &name, quint16 vendorId, quint16 productId)
    {
        SerialPortList::addVirtualPort({name, vendorId, productId});
        m_names << name;
    }

private:
    QStringList m_names;
};

QByteArray imageBytes(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        bytes[i] = char((i * 7) ^ (i >> 9));
    return bytes;
}

QString writeImage(const QTemporaryDir &dir, const QByteArray &bytes)
{
    const QString path = dir.filePath(QStringLiteral("rk21_fw.bin"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QString();
    return path;
}

} // namespace

class tst_FirmwareUpdate : public QObject
{
    Q_OBJECT

private slots:
    void updates_data();
    void updates();
    void portNotFound();
    void portCannotOpen();
    void namedPort_data();
    void namedPort();
    void secondUpdateRefused_data();
    void secondUpdateRefused();
};

void tst_FirmwareUpdate::updates_data()
{
    QTest::addColumn<bool>("imageExists");
    QTest::addColumn<int>("portDelayMs");
    QTest::newRow("port already there") << true << 0;
    QTest::newRow("port appears after three seconds") << true << 3000;
    QTest::newRow("image missing") << false << 0;
}

void tst_FirmwareUpdate::updates()
{
    QFETCH(bool, imageExists);
    QFETCH(int, portDelayMs);

    // Over 100 blocks, so that the percentage repeats from one block to the next.
    const QByteArray image = imageBytes(150 * 1024 + 300);
    QTemporaryDir source;
    const QString path = imageExists ? writeImage(source, image) : source.filePath(QStringLiteral("missing.bin"));
    QVERIFY(!path.isEmpty());

    ReceiverLine line;
    QVERIFY(line.isValid());
    QVERIFY(line.startReceiver());
    VirtualPorts ports;
    ports.add(QStringLiteral("/dev/null-not-a-tty"), 0x0416, 0xB009); // the MIDI personality's ids
    const auto addBootLoader = [&] { ports.add(line.portPath(), VendorId, ProductId); };
    if (portDelayMs == 0)
        addBootLoader();
    else
        QTimer::singleShot(portDelayMs, addBootLoader);

    FirmwareUpdate update;
    QSignalSpy progress(&update, &FirmwareUpdate::transmitProgress);
    QSignalSpy status(&update, &FirmwareUpdate::transStatus);
    QSignalSpy failed(&update, &FirmwareUpdate::failed);
    QSignalSpy running(&update, &FirmwareUpdate::runningChanged);
    update.startUpdate(path);
    QVERIFY(status.wait(WaitMs));
    QTest::qWait(300);
    QCOMPARE(status.size(), 1);
    QCOMPARE(status.first().at(0).toBool(), imageExists);
    QCOMPARE(failed.size(), 0);
    QCOMPARE(update.outcome(), imageExists ? YmodemFileTransmit::StatusFinished : YmodemFileTransmit::StatusFailed);
    QCOMPARE(boolsOf(running), (QList<bool>{true, false}));
    QVERIFY(line.receiver().waitForExit(WaitMs));
    QCOMPARE(line.receiver().succeeded(), imageExists);
    if (!imageExists) {
        QCOMPARE(progress.size(), 0);
        return;
    }
    QCOMPARE(line.received(QStringLiteral("rk21_fw.bin")), image);

    // Every percentage the sender reports arrives unchanged, repeats included.
    QList<int> expected;
    for (qint64 sent = 0; sent < image.size();) {
        sent += qMin<qint64>(image.size() - sent, image.size() - sent <= 128 ? 128 : 1024);
        expected << int(sent * 100 / image.size());
    }
    QList<int> received;
    for (const QList<QVariant> &arguments : qAsConst(progress))
        received << arguments.at(0).toInt();
    QCOMPARE(received, expected);
}

void tst_FirmwareUpdate::portNotFound()
{
    QTemporaryDir source;
    const QString path = writeImage(source, imageBytes(2000));
    VirtualPorts ports;
    PtyPair wrongDevice;
    ports.add(wrongDevice.slavePath(), VendorId, 0x0205);
    ports.add(QStringLiteral("/dev/null-not-a-tty"), 0x0416, 0xB009);

    FirmwareUpdate update;
    update.setPortSearchLimit(ShortSearchMs);
    QSignalSpy status(&update, &FirmwareUpdate::transStatus);
    QSignalSpy failed(&update, &FirmwareUpdate::failed);
    QSignalSpy running(&update, &FirmwareUpdate::runningChanged);
    QElapsedTimer clock;
    clock.start();
    update.startUpdate(path);
    QVERIFY(failed.wait(WaitMs));
    // The port is looked for the whole time, not given up at the first miss.
    QVERIFY(clock.elapsed() >= ShortSearchMs);
    QCOMPARE(failed.first().at(0).toString(), QStringLiteral("The serial port name of the device was not found"));
    QCOMPARE(failed.first().at(1).value<FirmwareUpdate::Failure>(), FirmwareUpdate::Failure::PortNotFound);
    QTest::qWait(500);
    QCOMPARE(failed.size(), 1);
    QCOMPARE(status.size(), 0);
    QCOMPARE(boolsOf(running), (QList<bool>{true, false}));
}

void tst_FirmwareUpdate::portCannotOpen()
{
    QTemporaryDir source;
    const QString path = writeImage(source, imageBytes(2000));
    VirtualPorts ports;
    ports.add(source.filePath(QStringLiteral("vanished-tty")), VendorId, ProductId);

    FirmwareUpdate update;
    QSignalSpy status(&update, &FirmwareUpdate::transStatus);
    QSignalSpy failed(&update, &FirmwareUpdate::failed);
    QSignalSpy running(&update, &FirmwareUpdate::runningChanged);
    update.startUpdate(path);
    QCOMPARE(failed.size(), 1);
    QCOMPARE(failed.first().at(0).toString(), QStringLiteral("Failed to open the serial port!"));
    QCOMPARE(failed.first().at(1).value<FirmwareUpdate::Failure>(), FirmwareUpdate::Failure::PortNotOpened);
    QTest::qWait(500);
    QCOMPARE(status.size(), 0);
    QCOMPARE(boolsOf(running), (QList<bool>{true, false}));
}

// A port given by name is used whatever its USB ids (a pseudo-terminal has none), and is looked
// for as long as the boot loader's would be.
void tst_FirmwareUpdate::namedPort_data()
{
    QTest::addColumn<QString>("port");   // "receiver": rb's line; otherwise a file in the image's folder
    QTest::addColumn<int>("failure");    // -1: the image arrives
    QTest::newRow("a pseudo-terminal") << "receiver" << -1;
    QTest::newRow("a port that is not there") << "no-such-tty" << int(FirmwareUpdate::Failure::PortNotFound);
    QTest::newRow("a file that is no serial port") << "rk21_fw.bin" << int(FirmwareUpdate::Failure::PortNotOpened);
}

void tst_FirmwareUpdate::namedPort()
{
    QFETCH(QString, port);
    QFETCH(int, failure);

    const QByteArray image = imageBytes(3000);
    QTemporaryDir source;
    const QString path = writeImage(source, image);
    ReceiverLine line;
    QVERIFY(line.isValid());
    QVERIFY(line.startReceiver());
    const QString portName = port == QLatin1String("receiver") ? line.portPath() : source.filePath(port);
    // The boot loader is there too, and is not the port asked for.
    PtyPair bootLoader;
    VirtualPorts ports;
    ports.add(bootLoader.slavePath(), VendorId, ProductId);

    FirmwareUpdate update;
    update.setPortSearchLimit(ShortSearchMs);
    QSignalSpy found(&update, &FirmwareUpdate::portFound);
    QSignalSpy status(&update, &FirmwareUpdate::transStatus);
    QSignalSpy failed(&update, &FirmwareUpdate::failed);
    QElapsedTimer clock;
    clock.start();
    update.startUpdate(path, portName);
    if (failure >= 0) {
        QTRY_COMPARE_WITH_TIMEOUT(failed.size(), 1, WaitMs);
        QCOMPARE(failed.first().at(1).value<FirmwareUpdate::Failure>(), FirmwareUpdate::Failure(failure));
        QCOMPARE(clock.elapsed() >= ShortSearchMs, failure == int(FirmwareUpdate::Failure::PortNotFound));
        QCOMPARE(status.size(), 0);
        QVERIFY(!update.isRunning());
        return;
    }
    QVERIFY(status.wait(WaitMs));
    QCOMPARE(found.size(), 1);
    QCOMPARE(found.first().at(0).toString(), portName);
    QCOMPARE(update.outcome(), YmodemFileTransmit::StatusFinished);
    QVERIFY(line.receiver().waitForExit(WaitMs));
    QCOMPARE(line.received(QStringLiteral("rk21_fw.bin")), image);
}

void tst_FirmwareUpdate::secondUpdateRefused_data()
{
    QTest::addColumn<bool>("duringSearch");
    QTest::newRow("while the port is searched for") << true;
    QTest::newRow("while the image is sent") << false;
}

void tst_FirmwareUpdate::secondUpdateRefused()
{
    QFETCH(bool, duringSearch);

    const QByteArray image = imageBytes(60 * 1024);
    QTemporaryDir source;
    const QString path = writeImage(source, image);
    ReceiverLine line;
    QVERIFY(line.isValid());
    QVERIFY(line.startReceiver());
    VirtualPorts ports;

    FirmwareUpdate update;
    QSignalSpy progress(&update, &FirmwareUpdate::transmitProgress);
    QSignalSpy status(&update, &FirmwareUpdate::transStatus);
    QSignalSpy failed(&update, &FirmwareUpdate::failed);
    QSignalSpy running(&update, &FirmwareUpdate::runningChanged);
    if (!duringSearch)
        ports.add(line.portPath(), VendorId, ProductId);
    update.startUpdate(path);
    if (duringSearch) {
        QTest::qWait(600);
        update.startUpdate(path);
        ports.add(line.portPath(), VendorId, ProductId);
    } else {
        QVERIFY(QTest::qWaitFor([&] { return !progress.isEmpty(); }, WaitMs));
        update.startUpdate(path);
    }
    QCOMPARE(failed.size(), 1);
    QVERIFY(!failed.first().at(0).toString().isEmpty());

    QVERIFY(status.wait(WaitMs));
    QTest::qWait(300);
    QCOMPARE(status.size(), 1);
    QCOMPARE(status.first().at(0).toBool(), true);
    QVERIFY(line.receiver().waitForExit(WaitMs));
    QCOMPARE(line.received(QStringLiteral("rk21_fw.bin")), image);

    // Once the transfer has ended, the next update is taken again.
    ReceiverLine next;
    QVERIFY(next.isValid());
    QVERIFY(next.startReceiver());
    SerialPortList::removeVirtualPort(line.portPath());
    ports.add(next.portPath(), VendorId, ProductId);
    update.startUpdate(path);
    QVERIFY(status.wait(WaitMs));
    QCOMPARE(status.size(), 2);
    QCOMPARE(status.last().at(0).toBool(), true);
    QCOMPARE(failed.size(), 1);
    // The refusal left the running update alone.
    QCOMPARE(boolsOf(running), (QList<bool>{true, false, true, false}));
}

QTEST_GUILESS_MAIN(tst_FirmwareUpdate)
#include "tst_firmwareupdate.moc"
