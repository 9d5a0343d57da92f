#include "app/userguide.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// Where the Help menu finds the guide: the layouts of a build folder and of an installation.
class tst_UserGuide : public QObject
{
    Q_OBJECT
private slots:
    void lookup_data();
    void lookup();
};

void tst_UserGuide::lookup_data()
{
    const QString installed = QStringLiteral("bin/" TARK9_DATA_FROM_PROGRAM "/") + UserGuide::FileName;
    const QString beside = QStringLiteral("bin/") + UserGuide::FileName;
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QString>("found");
    QTest::newRow("build folder: beside the program") << QStringList{beside} << QStringList() << beside;
    QTest::newRow("installation: in its data folder") << QStringList{installed} << QStringList() << installed;
    QTest::newRow("both: the one beside the program") << QStringList{beside, installed} << QStringList() << beside;
    QTest::newRow("missing") << QStringList() << QStringList() << QString();
    QTest::newRow("a folder of that name is no guide") << QStringList() << QStringList{beside} << QString();
}

void tst_UserGuide::lookup()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, folders);
    QFETCH(QString, found);
    QTemporaryDir root;
    const QDir dir(root.path());
    QVERIFY(dir.mkpath(QStringLiteral("bin")));
    for (const QString &folder : folders)
        QVERIFY(dir.mkpath(folder));
    for (const QString &file : files) {
        QVERIFY(dir.mkpath(QFileInfo(dir.filePath(file)).path()));
        QFile guide(dir.filePath(file));
        QVERIFY(guide.open(QIODevice::WriteOnly));
    }
    const QUrl expected = found.isEmpty() ? QUrl() : QUrl::fromLocalFile(QFileInfo(dir.filePath(found)).canonicalFilePath());
    QCOMPARE(UserGuide::url(dir.filePath(QStringLiteral("bin"))), expected);
}

QTEST_GUILESS_MAIN(tst_UserGuide)
#include "tst_userguide.moc"
