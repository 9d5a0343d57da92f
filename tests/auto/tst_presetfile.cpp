// PresetFile as the editor's Save, Save As and Open use it: what happens to the file a preset is
// written over, what a full disk says, and what is never opened.
#include "nonregularfiles.h"

#include "config/presetfile.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A whole configuration the editor opens: every field 1 (within every range), and pad A1 playing
// `note`.
QByteArray image(int note)
{
    QByteArray bytes(458, 1);
    bytes[0] = char(0xF0);
    bytes[14] = char(note);
    bytes[457] = char(0xF7);
    return bytes;
}

} // namespace

class tst_PresetFile : public QObject
{
    Q_OBJECT

private slots:
    void writeOver_data();
    void writeOver();
    void fullDiskNamesTheCause();
    void readOnlyRegularFiles_data();
    void readOnlyRegularFiles();
};

void tst_PresetFile::writeOver_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("written");
    QTest::addColumn<QString>("kindAfter");
    QTest::newRow("nothing") << "" << true << "file";
    QTest::newRow("a preset") << "preset" << true << "file";
    // The link stays a link, and its file gets the preset.
    QTest::newRow("a link to a preset") << "link to preset" << true << "link";
    QTest::newRow("a dangling link") << "link to " << true << "link";
    // Replaced by a regular file, these would be lost (as root, /dev/null itself).
    QTest::newRow("a device") << "device" << false << "device";
    QTest::newRow("a FIFO") << "fifo" << false << "fifo";
    QTest::newRow("a folder") << "folder" << false << "folder";
    QTest::newRow("a link to a FIFO") << "link to fifo" << false << "link";
}

void tst_PresetFile::writeOver()
{
    QFETCH(QString, kind);
    QFETCH(bool, written);
    QFETCH(QString, kindAfter);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("mine.stm"));
    if (kind == QLatin1String("link to ")) {
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("elsewhere.stm")), path));
    } else if (!kind.isEmpty() && !makeNode(path, kind, PresetFile::bytes(image(36)))) {
        QSKIP("this user cannot make such a file here");
    }
    QString error;
    QCOMPARE(PresetFile::write(path, image(60), &error), written);
    QCOMPARE(kindOf(path), kindAfter);
    if (written) {
        QVERIFY(error.isEmpty());
        QCOMPARE(PresetFile::read(path).block, image(60));
        return;
    }
    QCOMPARE(error, QStringLiteral("The preset could not be saved to %1: it is not a regular file (a folder, a device or a FIFO) and was left as it is").arg(path));
}

// The editor shows this text in its message box: the system's reason, not a cancelled write.
void tst_PresetFile::fullDiskNamesTheCause()
{
    QTemporaryDir dir;
    FullDisk disk(dir.filePath(QStringLiteral("disk")));
    if (!disk.isValid())
        QSKIP("a tmpfs cannot be mounted here (needs root)");
    const QString path = disk.filePath(QStringLiteral("mine.stm"));
    QVERIFY(PresetFile::write(path, image(36), nullptr));
    QVERIFY(disk.fill());
    QString error;
    QVERIFY(!PresetFile::write(path, image(60), &error));
    QCOMPARE(error, QStringLiteral("The preset could not be saved to %1: No space left on device").arg(path));
    QCOMPARE(PresetFile::read(path).block, image(36));
    // No temporary file is left behind on the full disk.
    QCOMPARE(QDir(dir.filePath(QStringLiteral("disk"))).entryList(QDir::Files | QDir::Hidden), (QStringList{"filler", "mine.stm"}));
}

// Opening a FIFO waited for a writer (for ever, without one) and read a preset in it as "no
// complete configuration": only regular files are read. A writer holds this FIFO open with a
// whole preset in it, so that the read cannot hang.
void tst_PresetFile::readOnlyRegularFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("loaded");
    QTest::newRow("a preset") << "preset" << true;
    QTest::newRow("a link to a preset") << "link to preset" << true;
    QTest::newRow("a FIFO") << "fifo" << false;
    QTest::newRow("a link to a FIFO") << "link to fifo" << false;
    QTest::newRow("a folder") << "folder" << false;
}

void tst_PresetFile::readOnlyRegularFiles()
{
    QFETCH(QString, kind);
    QFETCH(bool, loaded);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("mine.stm"));
    const QByteArray preset = PresetFile::bytes(image(60));
    QVERIFY(makeNode(path, kind, preset));
    int writer = -1;
    if (kind.endsWith(QLatin1String("fifo"))) {
        writer = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NONBLOCK);
        QVERIFY(writer >= 0);
        QCOMPARE(::write(writer, preset.constData(), size_t(preset.size())), ssize_t(preset.size()));
    }
    const PresetFile::ReadResult result = PresetFile::read(path);
    if (writer >= 0)
        ::close(writer);
    if (loaded) {
        QVERIFY2(result.status == PresetFile::ReadStatus::Loaded, qPrintable(result.error));
        QCOMPARE(result.block, image(60));
        return;
    }
    QCOMPARE(result.status, PresetFile::ReadStatus::CannotOpen);
    QCOMPARE(result.error, QStringLiteral("The preset %1 could not be opened: it is not a regular file (a folder, a device or a FIFO).").arg(path));
}

QTEST_GUILESS_MAIN(tst_PresetFile)
#include "tst_presetfile.moc"
