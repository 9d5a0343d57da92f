// The guarded firmware update against the virtual controller playing each case: what the
// controller holds afterwards, where it is (MIDI mode or boot loader), the backup on disk, and
// what the update said.
#include "firmware/guardedupdate.h"

#include "device/deviceconnection.h"
#include "device/serialportlist.h"
#include "device/virtual/virtualtark9.h"
#include "config/controllerprotocol.h"
#include "config/presetfile.h"

#include "nonregularfiles.h"
#include "testimage.h"

#include <QDate>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Stage = GuardedUpdate::Stage;
using Failure = GuardedUpdate::Failure;
using M = VirtualTark9::Misbehaviour;

// Bounds for hangs only: an update of these images takes a second or two.
constexpr int WaitMs = 60000;
constexpr int ShortDeadlineMs = 1500;
constexpr int ImageBytes = 40 * 1024;
// Where the settings start, after the bytes the controller's firmware owns.
constexpr int SettingsOffset = ControllerProtocol::VersionOffset + ControllerProtocol::VersionLength;

VirtualTark9 &device() { return VirtualTark9::instance(); }

bool bootLoaderListed()
{
    return !SerialPortList::bootLoaderPort().isEmpty();
}

// One update as its caller sees it: every stage, the last progress, how it finished.
struct Run
{
    explicit Run(const QString &backupFolder)
        : update(connection)
    {
        QObject::connect(&connection, &DeviceConnection::messageReceived, &connection,
                         [this](const QByteArray &message) { connection.takeMessage(message.constData(), message.size()); });
        update.setBackupFolder(backupFolder);
        update.setReplyTimeout(500);
        QObject::connect(&update, &GuardedUpdate::stageChanged, [this](Stage stage) { stages << stage; });
        QObject::connect(&update, &GuardedUpdate::progress, [this](qint64 sent, qint64 total, int percent, int) {
            QVERIFY(sent >= lastSent && sent <= total);
            lastSent = sent;
            bytesTotal = total;
            lastPercent = percent;
        });
        QObject::connect(&update, &GuardedUpdate::finished, [this](bool ok, Stage stage, const QString &said, const QStringList &settings) {
            ++finishes;
            success = ok;
            endStage = stage;
            sentence = said;
            restored = settings;
        });
    }

    bool wait() { return QTest::qWaitFor([this] { return finishes > 0; }, WaitMs); }

    DeviceConnection connection;
    GuardedUpdate update;
    QList<Stage> stages;
    qint64 lastSent = 0;
    qint64 bytesTotal = 0;
    int lastPercent = -1;
    int finishes = 0;
    bool success = false;
    Stage endStage = Stage::Idle;
    QString sentence;
    QStringList restored;
};

} // namespace

class tst_GuardedUpdate : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup() { device().reset(); }

    void updates_data();
    void updates();
    void powerCutThenRescue();
    void cancel_data();
    void cancel();
    void backupUnreadable_data();
    void backupUnreadable();
    void fullDiskStopsBeforeTheSwitch();
    void versionMatches_data();
    void versionMatches();

private:
    QString backupFor(const QString &version) const
    {
        return m_data.filePath(QStringLiteral("backups/KT9V240100001-%1-fw%2.stm").arg(QDate::currentDate().toString(Qt::ISODate), version));
    }

    QTemporaryDir m_images;
    QString m_image;
    QTemporaryDir m_data;
    QByteArray m_settings;   // the controller's configuration before each update
};

void tst_GuardedUpdate::initTestCase()
{
    VirtualTark9::installAsBackend();
    m_image = m_images.filePath(QStringLiteral("rk21_104.bin"));
    QVERIFY(TestImage::write(m_image, TestImage::withText(TestImage::bytes(ImageBytes), 1000, "Tark9 firmware 1.0.4")));
}

void tst_GuardedUpdate::init()
{
    device().reset();
    device().customiseSettings();
    m_settings = device().configuration();
    QVERIFY(m_data.isValid());
    QDir(m_data.filePath("backups")).removeRecursively();
}

void tst_GuardedUpdate::updates_data()
{
    QTest::addColumn<M>("misbehaviour");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("restore");
    QTest::addColumn<Stage>("endStage");
    QTest::addColumn<Failure>("failure");
    QTest::addColumn<int>("restoredCount");
    QTest::addColumn<QStringList>("said");
    QTest::addColumn<QList<int>>("version");
    const QList<int> v104{1, 0, 4};
    const QList<int> v103{1, 0, 3};
    QTest::newRow("settings kept") << M::None << "1.0.4" << true << Stage::Done << Failure::None << 0
                                   << QStringList{"1.0.4", "settings are the ones in the backup"} << v104;
    QTest::newRow("no version expected: a new one counts") << M::None << "" << true << Stage::Done << Failure::None << 0
                                                          << QStringList{"1.0.4"} << v104;
    QTest::newRow("catalogue's version") << M::None << "1.04" << true << Stage::Done << Failure::None << 0 << QStringList{"1.0.4"} << v104;
    QTest::newRow("settings reset, restored") << M::ResetsSettings << "1.0.4" << true << Stage::Done << Failure::None << 48
                                              << QStringList{"48 in all: pad A1 note", "and 43 more"} << v104;
    QTest::newRow("settings reset, restore off") << M::ResetsSettings << "1.0.4" << false << Stage::Done << Failure::None << 0
                                                 << QStringList{"turned off"} << v104;
    QTest::newRow("old version") << M::KeepsOldFirmware << "1.0.4" << true << Stage::CheckingVersion << Failure::WrongVersion << 0
                                 << QStringList{"version 1.0.3, expected 1.0.4"} << v103;
    QTest::newRow("old version, none expected") << M::KeepsOldFirmware << "" << true << Stage::CheckingVersion << Failure::WrongVersion
                                                << 0 << QStringList{"version 1.0.3, the version it had before"} << v103;
    QTest::newRow("never comes back") << M::NeverReturns << "1.0.4" << true << Stage::WaitingForController << Failure::NotBack << 0
                                      << QStringList{"did not come back"} << v103;
}

void tst_GuardedUpdate::updates()
{
    QFETCH(M, misbehaviour);
    QFETCH(QString, expected);
    QFETCH(bool, restore);
    QFETCH(Stage, endStage);
    QFETCH(Failure, failure);
    QFETCH(int, restoredCount);
    QFETCH(QStringList, said);
    QFETCH(QList<int>, version);
    device().setMisbehaviour(misbehaviour);
    Run run(m_data.path());
    run.update.setExpectedVersion(expected);
    run.update.setRestoreEnabled(restore);
    run.update.setReturnDeadline(ShortDeadlineMs);
    QVERIFY(run.update.start(m_image));
    QVERIFY(!run.update.start(m_image));
    QVERIFY(run.wait());

    QCOMPARE(run.finishes, 1);
    QCOMPARE(run.success, endStage == Stage::Done);
    QCOMPARE(run.endStage, endStage);
    QCOMPARE(run.update.failure(), failure);
    for (const QString &part : said)
        QVERIFY2(run.sentence.contains(part), qPrintable(run.sentence));
    QCOMPARE(run.restored.size(), restoredCount);
    // The stages in their order, as far as the update went.
    const QList<Stage> order{Stage::Idle, Stage::BackingUp, Stage::SwitchingToBootLoader, Stage::Transferring,
                             Stage::WaitingForController, Stage::CheckingVersion, Stage::Restoring, Stage::Verifying, Stage::Done};
    QList<Stage> expectedStages = order.mid(1, order.indexOf(endStage));
    if (restoredCount == 0)
        expectedStages.removeAll(Stage::Verifying);
    if (!restore)
        expectedStages.removeAll(Stage::Restoring);
    QCOMPARE(run.stages, expectedStages);
    QCOMPARE(run.lastPercent, 100);
    QCOMPARE(run.lastSent, qint64(ImageBytes));
    QCOMPARE(run.bytesTotal, qint64(ImageBytes));

    // The backup holds the settings as they were, under the serial number, date and version.
    QCOMPARE(run.update.backupPath(), backupFor("1.0.3"));
    QCOMPARE(PresetFile::read(backupFor("1.0.3")).block.mid(ControllerProtocol::IdentificationOffset), m_settings.mid(ControllerProtocol::IdentificationOffset));
    QCOMPARE(device().firmwareVersion(), version);
    if (misbehaviour == M::NeverReturns) {
        QVERIFY(!device().isPlugged());
        return;
    }
    QVERIFY(device().isPlugged());
    // The settings, after the bytes the firmware owns.
    const bool keptOrRestored = misbehaviour != M::ResetsSettings || restore;
    QCOMPARE(device().configuration().mid(SettingsOffset) == m_settings.mid(SettingsOffset), keptOrRestored);
}

// The power goes in the middle of the image: the controller is left in its boot loader, and a
// rescue brings it back with the settings of its backup, which its new firmware had reset.
void tst_GuardedUpdate::powerCutThenRescue()
{
    device().setMisbehaviour(M::PowerCutMidTransfer);
    Run cut(m_data.path());
    QVERIFY(cut.update.start(m_image));
    QVERIFY(cut.wait());
    QVERIFY(!cut.success);
    QCOMPARE(cut.endStage, Stage::Transferring);
    QCOMPARE(cut.update.failure(), Failure::TransferFailed);
    QVERIFY2(cut.sentence.contains("stays in its boot loader"), qPrintable(cut.sentence));
    QVERIFY(cut.lastPercent > 0 && cut.lastPercent < 100);

    // Plugged in again, it is still in its boot loader, and stays there.
    QVERIFY(QTest::qWaitFor(bootLoaderListed, WaitMs));
    QTest::qWait(300);
    QVERIFY(!device().isPlugged());
    QVERIFY(device().bootLoader().isActive());

    device().setMisbehaviour(M::ResetsSettings);
    Run rescue(m_data.path());
    QVERIFY(rescue.update.startRescue(m_image));
    QVERIFY(rescue.wait());
    QVERIFY2(rescue.success, qPrintable(rescue.sentence));
    QCOMPARE(rescue.stages, (QList<Stage>{Stage::Transferring, Stage::WaitingForController, Stage::CheckingVersion, Stage::Restoring,
                                          Stage::Verifying, Stage::Done}));
    QCOMPARE(rescue.restored.size(), 48);
    QCOMPARE(rescue.update.backupPath(), backupFor("1.0.3"));
    QCOMPARE(device().firmwareVersion(), (QList<int>{1, 0, 4}));
    QCOMPARE(device().configuration().mid(SettingsOffset), m_settings.mid(SettingsOffset));
}

void tst_GuardedUpdate::cancel_data()
{
    QTest::addColumn<Stage>("stage");
    QTest::addColumn<int>("atPercent");
    QTest::newRow("while backing up") << Stage::BackingUp << -1;
    QTest::newRow("during the transfer") << Stage::Transferring << 20;
}

void tst_GuardedUpdate::cancel()
{
    QFETCH(Stage, stage);
    QFETCH(int, atPercent);
    // Short, so that a boot loader that wrongly restarts its old firmware does so within the test.
    device().bootLoader().setIdleTimeout(300);
    Run run(m_data.path());
    QObject::connect(&run.update, &GuardedUpdate::stageChanged, [&](Stage now) {
        if (now == stage && atPercent < 0)
            QVERIFY(run.update.cancel());
    });
    QObject::connect(&run.update, &GuardedUpdate::progress, [&](qint64, qint64, int percent, int) {
        if (atPercent >= 0 && percent >= atPercent && run.update.isCancellable())
            QVERIFY(run.update.cancel());
    });
    QVERIFY(run.update.start(m_image));
    QVERIFY(run.wait());
    QVERIFY(!run.success);
    QCOMPARE(run.endStage, stage);
    QCOMPARE(run.update.failure(), Failure::Cancelled);
    QVERIFY(!run.update.isCancellable());
    QTest::qWait(800);
    if (stage == Stage::BackingUp) {
        QVERIFY2(run.sentence.contains("before anything changed"), qPrintable(run.sentence));
        QVERIFY(device().isPlugged());
        QVERIFY(!device().bootLoader().isActive());
        QVERIFY(!bootLoaderListed());
        QCOMPARE(device().configuration(), m_settings);
        return;
    }
    // The boot loader heard the cancel and keeps waiting for an image: its old firmware is gone.
    QVERIFY2(run.sentence.contains("stays in its boot loader"), qPrintable(run.sentence));
    QCOMPARE(device().bootLoader().results(), QList<YmodemReceiver::Result>{YmodemReceiver::Result::Cancelled});
    QVERIFY(device().bootLoader().isActive());
    QVERIFY(bootLoaderListed());
    QVERIFY(!device().isPlugged());
}

void tst_GuardedUpdate::backupUnreadable_data()
{
    QTest::addColumn<bool>("goOn");
    QTest::newRow("stop") << false;
    QTest::newRow("go on without a backup") << true;
}

void tst_GuardedUpdate::backupUnreadable()
{
    QFETCH(bool, goOn);
    device().setMisbehaviour(M::NoReply);
    Run run(m_data.path());
    QObject::connect(&run.update, &GuardedUpdate::backupReadFailed, [&](const QString &reason) {
        QVERIFY2(reason.contains("could not be read"), qPrintable(reason));
        device().setMisbehaviour(M::None);
        run.update.answerBackupQuestion(goOn);
    });
    QVERIFY(run.update.start(m_image));
    QVERIFY(run.wait());
    QCOMPARE(run.success, goOn);
    QVERIFY(!QFileInfo::exists(m_data.filePath("backups")));
    QCOMPARE(device().firmwareVersion(), goOn ? (QList<int>{1, 0, 4}) : (QList<int>{1, 0, 3}));
    if (goOn) {
        QVERIFY2(run.sentence.contains("No backup was taken"), qPrintable(run.sentence));
        return;
    }
    QCOMPARE(run.endStage, Stage::BackingUp);
    QCOMPARE(run.update.failure(), Failure::TimedOut);
    QVERIFY(device().isPlugged());
}

// A backup that cannot be written stops the update before the controller is switched.
void tst_GuardedUpdate::fullDiskStopsBeforeTheSwitch()
{
    QTemporaryDir dir;
    FullDisk disk(dir.filePath("data"));
    if (!disk.isValid())
        QSKIP("a tmpfs cannot be mounted here (needs root)");
    QVERIFY(disk.fill());
    Run run(dir.filePath("data"));
    QVERIFY(run.update.start(m_image));
    QVERIFY(run.wait());
    QVERIFY(!run.success);
    QCOMPARE(run.endStage, Stage::BackingUp);
    QCOMPARE(run.update.failure(), Failure::BackupNotWritten);
    QVERIFY2(run.sentence.contains("No space left on device") && run.sentence.contains("before anything changed"),
             qPrintable(run.sentence));
    QTest::qWait(300);
    QVERIFY(device().isPlugged());
    QVERIFY(!device().bootLoader().isActive());
    for (const QByteArray &message : device().receivedMessages())
        QVERIFY(message.at(1) != ControllerProtocol::BootLoaderCommand);
}

void tst_GuardedUpdate::versionMatches_data()
{
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("matches");
    QTest::newRow("same numbers") << "1.0.4" << true;
    QTest::newRow("spaces around") << " 1.0.4 " << true;
    QTest::newRow("catalogue's form") << "1.04" << true;
    QTest::newRow("other patch") << "1.0.5" << false;
    QTest::newRow("catalogue's form, other") << "1.05" << false;
    QTest::newRow("two numbers of another reading") << "1.4" << false;
    QTest::newRow("not a version") << "new" << false;
    QTest::newRow("four numbers") << "1.0.4.0" << false;
}

void tst_GuardedUpdate::versionMatches()
{
    QFETCH(QString, expected);
    QFETCH(bool, matches);
    QCOMPARE(GuardedUpdate::versionMatches(expected, {1, 0, 4}), matches);
}

QTEST_GUILESS_MAIN(tst_GuardedUpdate)
#include "tst_guardedupdate.moc"
