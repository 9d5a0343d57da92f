// FirmwareBackups as a firmware update and a rescue use it, seen through the files in the
// backup folder: their names, what they hold, which are kept, and what a failed write leaves.
#include "nonregularfiles.h"
#include "testimage.h"

#include "config/editorsettings.h"
#include "config/presetfile.h"
#include "firmware/firmwarebackups.h"

#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const QDateTime Day(QDate(2026, 12, 8), QTime(10, 0));
const QString SerialA = QStringLiteral("KT9V240100001");
// Starts like the first serial: its backups must never be taken for the first one's.
const QString SerialB = QStringLiteral("KT9V240100001-2");

// A whole configuration the editor opens, with pad A1 playing `note`.
QByteArray image(int note)
{
    QByteArray bytes(458, 1);
    bytes[0] = char(0xF0);
    bytes[14] = char(note);
    bytes[457] = char(0xF7);
    return bytes;
}

QString backupName(const QString &serial, int day, int counter = 1)
{
    return serial + '-' + Day.date().addDays(day).toString(Qt::ISODate) + "-fw1.0.3"
        + (counter > 1 ? QStringLiteral("-%1").arg(counter) : QString()) + QStringLiteral(".stm");
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class tst_FirmwareBackups : public QObject
{
    Q_OBJECT

private slots:
    void names_data();
    void names();
    void keepsTenPerController_data();
    void keepsTenPerController();
    void newestForRescue();
    void failures_data();
    void failures();
};

void tst_FirmwareBackups::names_data()
{
    QTest::addColumn<QString>("serial");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("name");
    QTest::newRow("a controller's") << SerialA << "1.0.3" << "KT9V240100001-2026-12-08-fw1.0.3.stm";
    QTest::newRow("up and out") << "../../etc" << "1.0.3" << "______etc-2026-12-08-fw1.0.3.stm";
    QTest::newRow("separators") << "A/B" << "C:\\1.0/../2" << "A_B-2026-12-08-fwC__1.0____2.stm";
    QTest::newRow("empty") << "" << "" << "unknown-2026-12-08-fwunknown.stm";
    QTest::newRow("hidden") << ".x" << "-rf" << "_x-2026-12-08-fw_rf.stm";
    QTest::newRow("not ASCII") << "KT9 板\n" << "1.0.3" << "KT9___-2026-12-08-fw1.0.3.stm";
    QTest::newRow("very long") << QString(300, QLatin1Char('K')) << "1.0.3" << QString(40, QLatin1Char('K')) + "-2026-12-08-fw1.0.3.stm";
}

void tst_FirmwareBackups::names()
{
    QFETCH(QString, serial);
    QFETCH(QString, version);
    QFETCH(QString, name);
    QTemporaryDir dir;
    const FirmwareBackups backups(dir.path());
    const QString path = backups.write(serial, version, image(36), Day, nullptr);
    QCOMPARE(path, dir.filePath("backups/" + name));
    QCOMPARE(filesIn(dir.path()), QStringList{"backups"});
    QCOMPARE(filesIn(backups.directory()), QStringList{name});
    QCOMPARE(PresetFile::read(path).block, image(36));
    QCOMPARE(backups.list(serial), QStringList{path});
}

void tst_FirmwareBackups::keepsTenPerController_data()
{
    QTest::addColumn<QVector<int>>("days");
    QTest::addColumn<QVector<int>>("keptDays");
    QTest::addColumn<QVector<int>>("keptCounters");
    const QVector<int> newestTen{12, 11, 10, 9, 8, 7, 6, 5, 4, 3};
    QTest::newRow("one a day") << QVector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12} << newestTen << QVector<int>(10, 1);
    // The backup just written stays, though dated before the rest (a clock set back).
    QTest::newRow("newest date first") << QVector<int>{12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0} << QVector<int>{12, 11, 10, 9, 8, 7, 6, 5, 4, 0}
                                       << QVector<int>(10, 1);
    QTest::newRow("all on one day") << QVector<int>(13, 0) << QVector<int>(10, 0) << QVector<int>{13, 12, 11, 10, 9, 8, 7, 6, 5, 4};
}

// Two controllers backed up in turn, among files that are no backup of theirs.
void tst_FirmwareBackups::keepsTenPerController()
{
    QFETCH(QVector<int>, days);
    QFETCH(QVector<int>, keptDays);
    QFETCH(QVector<int>, keptCounters);
    QTemporaryDir dir;
    const FirmwareBackups backups(dir.path());
    const QStringList others{"notes.txt", SerialA + "-old.stm", SerialA + "-2026-13-45-fw1.0.3.stm", backupName("KT9V000000009", -3000)};
    QVERIFY(QDir().mkpath(backups.directory() + '/' + backupName(SerialA, -1)));
    for (const QString &name : others)
        QVERIFY(TestImage::write(backups.directory() + '/' + name, PresetFile::bytes(image(9))));
    for (int i = 0; i < days.size(); ++i) {
        QVERIFY(!backups.write(SerialA, "1.0.3", image(i), Day.addDays(days.at(i)), nullptr).isEmpty());
        QVERIFY(!backups.write(SerialB, "1.0.3", image(50 + i), Day.addDays(days.at(i)), nullptr).isEmpty());
    }
    for (const QString &serial : {SerialA, SerialB}) {
        QStringList kept;
        for (int i = 0; i < keptDays.size(); ++i)
            kept << backups.directory() + '/' + backupName(serial, keptDays.at(i), keptCounters.at(i));
        QCOMPARE(backups.list(serial), kept);
        QCOMPARE(backups.newest(serial), kept.first());
    }
    QCOMPARE(filesIn(backups.directory()).size(), 2 * FirmwareBackups::KeptPerController + others.size() + 1);
    for (const QString &name : others)
        QVERIFY2(QFile::exists(backups.directory() + '/' + name), qPrintable(name));
}

// A boot loader does not tell its serial number: the newest backup of any controller is taken.
void tst_FirmwareBackups::newestForRescue()
{
    QTemporaryDir dir;
    const FirmwareBackups backups(dir.path());
    QCOMPARE(backups.newestOfAny(), QString());
    QCOMPARE(backups.newest(SerialA), QString());
    QVERIFY(!backups.write(SerialA, "1.0.3", image(1), Day.addDays(1), nullptr).isEmpty());
    const QString newest = backups.write(SerialB, "1.0.3", image(2), Day.addDays(3), nullptr);
    QVERIFY(!backups.write(SerialA, "1.0.3", image(3), Day.addDays(2), nullptr).isEmpty());
    QCOMPARE(backups.newestOfAny(), newest);
    // Without a folder, backups go to the user's data folder, as the downloaded images do.
    const QString inDataFolder = FirmwareBackups().write(SerialA, "1.0.3", image(1), Day, nullptr);
    QCOMPARE(QFileInfo(inDataFolder).path(), EditorSettings::dataFolder() + "/backups");
}

void tst_FirmwareBackups::failures_data()
{
    QTest::addColumn<QString>("obstacle");
    QTest::addColumn<QString>("error");
    const QString none = QStringLiteral("No backup of the controller's settings was made");
    QTest::newRow("read-only folder") << "read-only folder" << none + ": nothing can be written to the folder %1 (Permission denied).";
    QTest::newRow("read-only parent") << "read-only parent" << none + ": the folder %1 cannot be created.";
    QTest::newRow("a file in the way") << "file" << none + ": %1 is a file, not a folder.";
    QTest::newRow("damaged configuration") << "damaged" << none + ": the configuration read from it is incomplete or damaged.";
    QTest::newRow("full disk") << "full disk" << none + ". The preset could not be saved to %1/" + backupName(SerialA, 0, 2) + ": No space left on device";
}

// Nothing is written or left behind, the user is told why, and the backups there were stay.
void tst_FirmwareBackups::failures()
{
    QFETCH(QString, obstacle);
    QFETCH(QString, error);
    QTemporaryDir dir;
    const QString data = dir.filePath("data");
    std::unique_ptr<FullDisk> disk;
    if (obstacle == QLatin1String("full disk")) {
        disk = std::make_unique<FullDisk>(data);
        if (!disk->isValid())
            QSKIP("a tmpfs cannot be mounted here (needs root)");
    }
    const FirmwareBackups backups(data);
    QStringList before;
    if (obstacle == QLatin1String("file"))
        QVERIFY(QDir().mkpath(data) && TestImage::write(backups.directory(), "not a folder"));
    else if (obstacle != QLatin1String("read-only parent"))
        before << backups.write(SerialA, "1.0.3", image(1), Day, nullptr);
    if (disk)
        QVERIFY(disk->fill());
    const QString locked = obstacle == QLatin1String("read-only parent") ? data : backups.directory();
    if (obstacle.startsWith(QLatin1String("read-only"))) {
        QVERIFY(QDir().mkpath(locked) && QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
        if (::access(QFile::encodeName(locked).constData(), W_OK) == 0)
            QSKIP("this user writes to read-only folders (root)");
    }
    QString message;
    const QByteArray configuration = obstacle == QLatin1String("damaged") ? image(2).left(200) : image(2);
    const QString path = backups.write(SerialA, "1.0.3", configuration, Day, &message);
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(path, QString());
    QCOMPARE(message, error.replace("%1", backups.directory()));
    QCOMPARE(backups.list(SerialA), before);
    QCOMPARE(filesIn(backups.directory()).size(), before.size());
    for (const QString &backup : before)
        QCOMPARE(PresetFile::read(backup).block, image(1));
}

QTEST_GUILESS_MAIN(tst_FirmwareBackups)
#include "tst_firmwarebackups.moc"
