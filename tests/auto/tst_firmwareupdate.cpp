// The update procedure against rb behind a boot-loader port registered as 1C75:0204.

#include "firmware/firmwareupdate.h"

#include "device/serialportlist.h"
#include "promptrecorder.h"
#include "receiverline.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

constexpr quint16 VendorId = 0x1C75;
constexpr quint16 ProductId = 0x0204;
// The search gives up after 10 s; the transfers here take a few seconds.
constexpr int WaitMs = 60000;

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

    PromptRecorder prompts;
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
    update.startUpdate(path);
    QVERIFY(status.wait(WaitMs));
    QTest::qWait(300);
    QCOMPARE(status.size(), 1);
    QCOMPARE(status.first().at(0).toBool(), imageExists);
    QCOMPARE(prompts.messages.size(), 0);
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
    PromptRecorder prompts;
    VirtualPorts ports;
    PtyPair wrongDevice;
    ports.add(wrongDevice.slavePath(), VendorId, 0x0205);
    ports.add(QStringLiteral("/dev/null-not-a-tty"), 0x0416, 0xB009);

    FirmwareUpdate update;
    QSignalSpy status(&update, &FirmwareUpdate::transStatus);
    update.startUpdate(path);
    QVERIFY(QTest::qWaitFor([&] { return !prompts.messages.isEmpty(); }, WaitMs));
    QCOMPARE(prompts.messages.first().kind, Prompt::Kind::Information);
    QCOMPARE(prompts.messages.first().title, QStringLiteral("info"));
    QCOMPARE(prompts.messages.first().text, QStringLiteral("The serial port name of the device was not found"));
    QTest::qWait(500);
    QCOMPARE(prompts.messages.size(), 1);
    QCOMPARE(status.size(), 0);
}

void tst_FirmwareUpdate::portCannotOpen()
{
    QTemporaryDir source;
    const QString path = writeImage(source, imageBytes(2000));
    PromptRecorder prompts;
    VirtualPorts ports;
    ports.add(source.filePath(QStringLiteral("vanished-tty")), VendorId, ProductId);

    FirmwareUpdate update;
    QSignalSpy status(&update, &FirmwareUpdate::transStatus);
    update.startUpdate(path);
    QCOMPARE(prompts.messages.size(), 1);
    QCOMPARE(prompts.messages.first().kind, Prompt::Kind::Warning);
    QCOMPARE(prompts.messages.first().title, QStringLiteral("info"));
    QCOMPARE(prompts.messages.first().text, QStringLiteral("Failed to open the serial port!"));
    QTest::qWait(500);
    QCOMPARE(status.size(), 0);
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
    PromptRecorder prompts;
    ReceiverLine line;
    QVERIFY(line.isValid());
    QVERIFY(line.startReceiver());
    VirtualPorts ports;

    FirmwareUpdate update;
    QSignalSpy progress(&update, &FirmwareUpdate::transmitProgress);
    QSignalSpy status(&update, &FirmwareUpdate::transStatus);
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
    QCOMPARE(prompts.messages.size(), 1);
    QCOMPARE(prompts.messages.first().title, QStringLiteral("info"));

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
    QCOMPARE(prompts.messages.size(), 1);
}

QTEST_GUILESS_MAIN(tst_FirmwareUpdate)
#include "tst_firmwareupdate.moc"
