// The firmware catalogue client against a real FTP server (pyftpdlib on 127.0.0.1).

#include "config/editorsettings.h"
#include "firmware/myftp.h"

#include "ftpserver.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutex>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <memory>

#ifdef Q_OS_UNIX
#include <csignal>
#include <cerrno>
#include <sys/resource.h>
#endif

namespace {

const QString User = QStringLiteral("tark9");
const QString Password = QStringLiteral("Pa55-w0rd!unique");
const QString ServerDirectory = QStringLiteral("firmware/kovela/rk21");

QMutex logMutex;
QStringList logLines;

void recordMessage(QtMsgType, const QMessageLogContext &, const QString &message)
{
    QMutexLocker lock(&logMutex);
    logLines << message;
}

int logCount(const QString &line)
{
    QMutexLocker lock(&logMutex);
    return int(logLines.count(line));
}

void setServer(quint16 port, const QString &user, const QString &password, int timeoutSeconds = 30)
{
    QSettings settings(QStringLiteral("Kovela"), QStringLiteral("kovelaTark9"));
    settings.beginGroup(QStringLiteral("FirmwareServer"));
    settings.remove(QStringLiteral("maxImageSize"));
    settings.setValue(QStringLiteral("host"), QStringLiteral("127.0.0.1"));
    settings.setValue(QStringLiteral("port"), port);
    settings.setValue(QStringLiteral("user"), user);
    settings.setValue(QStringLiteral("password"), password);
    settings.setValue(QStringLiteral("timeout"), timeoutSeconds);
}

// A port on which nothing listens.
quint16 closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

QString localPath(const QString &name)
{
    return EditorSettings::dataFolder() + QLatin1Char('/') + name;
}

QStringList localFiles()
{
    return QDir(EditorSettings::dataFolder()).entryList(QDir::Files | QDir::Hidden);
}

QByteArray localFile(const QString &name)
{
    QFile file(localPath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeLocalFile(const QString &name, const QByteArray &bytes)
{
    QDir().mkpath(EditorSettings::dataFolder());
    QFile file(localPath(name));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A server directory, a server on it and a connected client pointed at it.
struct Fixture
{
    QTemporaryDir root;
    FtpServer server;
    MyFtp ftp;
    QSignalSpy info{&ftp, &MyFtp::info};
    QSignalSpy checkFailed{&ftp, &MyFtp::checkFailed};
    QSignalSpy complete{&ftp, &MyFtp::downloadComplete};
    QSignalSpy downloadFailed{&ftp, &MyFtp::downloadFailed};
    QSignalSpy progress{&ftp, &MyFtp::downloadProgress};
    QSignalSpy unverified{&ftp, &MyFtp::confirmUnverified};

    bool start(const FtpServer::Options &options = {})
    {
        if (!QDir(root.path()).mkpath(ServerDirectory) || !server.start(root.path(), User, Password, options))
            return false;
        setServer(server.port(), User, Password);
        ftp.setConnected(true);
        ftp.setCurrentVersion(QStringLiteral("1.03"));
        return true;
    }

    bool publish(const QString &name, const QByteArray &bytes)
    {
        QFile file(root.filePath(ServerDirectory + QLatin1Char('/') + name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

    bool check(int waitMs = 60000)
    {
        const int before = info.size() + checkFailed.size();
        ftp.checkOnLineFirmware();
        return QTest::qWaitFor([&] { return info.size() + checkFailed.size() > before; }, waitMs);
    }

    // Until the download ends or asks to flash an image it could not verify.
    bool download(int waitMs = 60000)
    {
        const int before = complete.size() + downloadFailed.size() + unverified.size();
        ftp.downloadFir();
        return QTest::qWaitFor([&] { return complete.size() + downloadFailed.size() + unverified.size() > before; }, waitMs);
    }

    QString offeredName() const { return info.isEmpty() ? QString() : info.last().at(0).toString(); }
};

QByteArray catalogue(const QString &name, double ver, const QString &sha256 = QString(), const QJsonValue &size = QJsonValue(QJsonValue::Undefined))
{
    QJsonObject object{{QStringLiteral("name"), name}, {QStringLiteral("ver"), ver},
                       {QStringLiteral("info"), QJsonArray{QStringLiteral("fixes")}}};
    if (!sha256.isEmpty())
        object.insert(QStringLiteral("sha256"), sha256);
    if (!size.isUndefined())
        object.insert(QStringLiteral("size"), size);
    return QJsonDocument(object).toJson();
}

#ifdef Q_OS_UNIX
// Files this process writes may grow to `bytes` and no further: a write beyond fails with EFBIG,
// as on a disk that is full. Undone when the object goes.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        // Past the limit the kernel would otherwise end the process with SIGXFSZ.
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    bool isActive() const { return m_active; }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_active = false;
};
#endif

QString sha256Of(const QByteArray &bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

} // namespace

class tst_MyFtp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void check_data();
    void check();
    void catalogueInPieces();
    void catalogueWithoutEnd_data();
    void catalogueWithoutEnd();
    void download_data();
    void download();
    void unusableCatalogueIsNeverDownloaded_data();
    void unusableCatalogueIsNeverDownloaded();
    void networkFailure_data();
    void networkFailure();
    void newRequestReplacesRunningOne();
    void imageWithoutEnd_data();
    void imageWithoutEnd();
    void closingTheDialogStops_data();
    void closingTheDialogStops();
    void refusedWithoutDevice_data();
    void refusedWithoutDevice();
};

void tst_MyFtp::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QDir(EditorSettings::dataFolder()).removeRecursively();
    qInstallMessageHandler(recordMessage);
}

void tst_MyFtp::cleanup()
{
    // A failed test leaves its files; the next one starts with none.
    QDir(EditorSettings::dataFolder()).removeRecursively();
    QMutexLocker lock(&logMutex);
    for (const QString &line : qAsConst(logLines))
        QVERIFY2(!line.contains(Password), qPrintable(line));
    logLines.clear();
}

void tst_MyFtp::check_data()
{
    QTest::addColumn<QByteArray>("describe");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("ver");
    QTest::addColumn<QStringList>("notes");

    const QStringList none;
    const QString null = QStringLiteral("null");
    QTest::newRow("newer") << QByteArray(R"({"name":"rk21_104.bin","ver":1.04,"info":["a","b"]})") << "1.03"
                           << "rk21_104.bin" << 1.04 << QStringList{"a", "b"};
    QTest::newRow("equal, inexact in single precision") << QByteArray(R"({"name":"f.bin","ver":1.03})") << "1.03"
                                                        << null << 0.0 << none;
    QTest::newRow("equal, exact") << QByteArray(R"({"name":"f.bin","ver":1.5})") << "1.5" << null << 0.0 << none;
    QTest::newRow("older") << QByteArray(R"({"name":"f.bin","ver":1.02})") << "1.03" << null << 0.0 << none;
    QTest::newRow("boot loader found at start-up") << QByteArray(R"({"name":"f.bin","ver":0.01})") << "0" << "f.bin"
                                                   << 0.01 << none;
    QTest::newRow("current version not a number") << QByteArray(R"({"name":"f.bin","ver":2})") << "v?" << "f.bin"
                                                   << 2.0 << none;
    QTest::newRow("version given as text") << QByteArray(R"({"name":"f.bin","ver":"1.04"})") << "1.03" << null << 0.0
                                           << none;
    QTest::newRow("no version") << QByteArray(R"({"name":"f.bin"})") << "0" << null << 0.0 << none;
    QTest::newRow("notes of other types") << QByteArray(R"({"name":"f.bin","ver":2,"info":[1,"x",null]})") << "1"
                                          << "f.bin" << 2.0 << QStringList{"", "x", ""};
    QTest::newRow("notes not a list") << QByteArray(R"({"name":"f.bin","ver":2,"info":"x"})") << "1" << "f.bin" << 2.0
                                      << none;
    QTest::newRow("no name") << QByteArray(R"({"ver":2})") << "1" << null << 0.0 << none;
    QTest::newRow("name not text") << QByteArray(R"({"name":7,"ver":2})") << "1" << null << 0.0 << none;
    QTest::newRow("not an object") << QByteArray(R"([{"name":"f.bin","ver":2}])") << "1" << null << 0.0 << none;
    QTest::newRow("not JSON") << QByteArray("name=f.bin\nver=2\n") << "1" << null << 0.0 << none;
    QTest::newRow("empty file") << QByteArray() << "1" << null << 0.0 << none;
    QTest::newRow("valid digest") << catalogue("f.bin", 2, QString(64, QLatin1Char('A'))) << "1" << "f.bin" << 2.0
                                  << QStringList{"fixes"};
    QTest::newRow("digest too short") << catalogue("f.bin", 2, "abc") << "1" << null << 0.0 << none;
    QTest::newRow("digest not hexadecimal") << catalogue("f.bin", 2, QString(64, QLatin1Char('g'))) << "1" << null
                                            << 0.0 << none;
    QTest::newRow("digest not text") << QByteArray(R"({"name":"f.bin","ver":2,"sha256":12})") << "1" << null << 0.0
                                     << none;
    QTest::newRow("size in bytes") << catalogue("f.bin", 2, QString(), 70000) << "1" << "f.bin" << 2.0
                                   << QStringList{"fixes"};
    QTest::newRow("size as text") << catalogue("f.bin", 2, QString(), "70000") << "1" << null << 0.0 << none;
    QTest::newRow("size negative") << catalogue("f.bin", 2, QString(), -1) << "1" << null << 0.0 << none;
    QTest::newRow("size fractional") << catalogue("f.bin", 2, QString(), 1.5) << "1" << null << 0.0 << none;
}

void tst_MyFtp::check()
{
    QFETCH(QByteArray, describe);
    QFETCH(QString, current);
    QFETCH(QString, name);
    QFETCH(double, ver);
    QFETCH(QStringList, notes);

    Fixture fixture;
    QVERIFY(fixture.start());
    QVERIFY(fixture.publish(QStringLiteral("describe.json"), describe));
    QSignalSpy dialog(&fixture.ftp, &MyFtp::showDialog);
    fixture.ftp.setCurrentVersion(current);
    QVERIFY(fixture.check());
    QCOMPARE(dialog.size(), 1);
    QCOMPARE(fixture.checkFailed.size(), 0);
    QCOMPARE(fixture.info.size(), 1);
    QCOMPARE(fixture.info.last().at(0).toString(), name);
    QCOMPARE(fixture.info.last().at(1).toDouble(), ver);
    QCOMPARE(fixture.info.last().at(2).toStringList(), notes);
}

void tst_MyFtp::catalogueInPieces()
{
    Fixture fixture;
    FtpServer::Options options;
    options.piece = 40;
    QVERIFY(fixture.start(options));
    const QStringList notes{QStringLiteral("first line of the notes"), QStringLiteral("second line of the notes"),
                            QStringLiteral("third line of the notes"), QStringLiteral("第四行")};
    const QByteArray describe = QJsonDocument(QJsonObject{{QStringLiteral("name"), QStringLiteral("rk21_200.bin")},
                                                          {QStringLiteral("ver"), 2.0},
                                                          {QStringLiteral("info"), QJsonArray::fromStringList(notes)}})
                                    .toJson();
    QVERIFY(describe.size() > 4 * options.piece);
    QVERIFY(fixture.publish(QStringLiteral("describe.json"), describe));
    QVERIFY(fixture.check());
    QVERIFY(logCount(QStringLiteral("httpReadyRead")) >= 2);
    QCOMPARE(fixture.offeredName(), QStringLiteral("rk21_200.bin"));
    QCOMPARE(fixture.info.last().at(2).toStringList(), notes);
}

// However the server sends its catalogue (far too much of it, without end, or a byte now and
// then so that the transfer never falls silent), the check ends with a failure, within the
// time-out setting.
void tst_MyFtp::catalogueWithoutEnd_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("timeoutSeconds");
    QTest::newRow("far too large") << "large" << 30;
    QTest::newRow("endless") << "endless" << 30;
    QTest::newRow("a byte every half second") << "trickle" << 2;
}

void tst_MyFtp::catalogueWithoutEnd()
{
    QFETCH(QString, kind);
    QFETCH(int, timeoutSeconds);

    Fixture fixture;
    FtpServer::Options options;
    QByteArray describe = catalogue(QStringLiteral("f.bin"), 2);
    if (kind == QLatin1String("large")) {
        describe.insert(1, QByteArray(70 * 1024, ' '));
    } else if (kind == QLatin1String("endless")) {
        options.endless << QStringLiteral("describe.json");
    } else {
        options.piece = 1;
        options.pause = 0.5;
    }
    QVERIFY(fixture.start(options));
    setServer(fixture.server.port(), User, Password, timeoutSeconds);
    QVERIFY(fixture.publish(QStringLiteral("describe.json"), describe));

    QElapsedTimer elapsed;
    elapsed.start();
    QVERIFY(fixture.check(timeoutSeconds * 1000 + 10000));
    QCOMPARE(fixture.info.size(), 0);
    QCOMPARE(fixture.checkFailed.size(), 1);
    QVERIFY(!fixture.checkFailed.last().at(0).toString().isEmpty());
    if (kind == QLatin1String("trickle"))
        QVERIFY2(elapsed.elapsed() < timeoutSeconds * 1000 + 3000, qPrintable(QString::number(elapsed.elapsed())));
}

void tst_MyFtp::download_data()
{
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<bool>("withDigest");
    QTest::addColumn<bool>("digestMatches");
    QTest::addColumn<int>("catalogueSizeOffset"); // added to the true size; 0 gives no "size"
    QTest::addColumn<bool>("onServer");
    QTest::addColumn<bool>("reportsSizes");
    QTest::addColumn<int>("sizeOffset");
    QTest::addColumn<int>("piece");
    QTest::addColumn<bool>("updateRunning");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("reason"); // checked when not empty

    QByteArray image(70000, Qt::Uninitialized);
    for (int i = 0; i < image.size(); ++i)
        image[i] = char((i * 131) ^ (i >> 8));
    const QByteArray small = image.left(3000);
    // image, digest given, digest matches, catalogue size, on server, SIZE known, size offset,
    // piece, update running, accepted, reason
    QTest::newRow("whole image") << image << false << false << 0 << true << true << 0 << 0 << false << true << QString();
    QTest::newRow("whole image in pieces") << small << false << false << 0 << true << true << 0 << 500 << false << true << QString();
    QTest::newRow("digest matches") << image << true << true << 0 << true << true << 0 << 0 << false << true << QString();
    QTest::newRow("digest differs") << image << true << false << 0 << true << true << 0 << 0 << false << false << QString();
    QTest::newRow("missing on the server") << image << false << false << 0 << false << true << 0 << 0 << false << false << QString();
    QTest::newRow("fewer bytes than reported") << image << false << false << 0 << true << true << 1 << 0 << false << false
                                               << "The firmware image is incomplete: 70000 of 70001 bytes arrived.";
    QTest::newRow("more bytes than reported") << image << false << false << 0 << true << true << -1 << 0 << false << false
                                              << "The firmware image is larger than the 69999 bytes expected.";
    QTest::newRow("empty image") << QByteArray() << false << false << 0 << true << true << 0 << 0 << false << false << QString();
    QTest::newRow("catalogue size matches") << image << false << false << 70000 << true << true << 0 << 0 << false << true << QString();
    QTest::newRow("catalogue size differs") << image << false << false << 69999 << true << true << 0 << 0 << false << false
                                            << "The firmware image is larger than the 69999 bytes expected.";
    QTest::newRow("size unknown") << image << false << false << 0 << true << false << 0 << 0 << false << true << QString();
    QTest::newRow("size unknown, in pieces") << small << false << false << 0 << true << false << 0 << 500 << false << true << QString();
    QTest::newRow("size unknown, catalogue size matches") << small << false << false << 3000 << true << false << 0 << 500
                                                          << false << true << QString();
    QTest::newRow("size unknown, catalogue size differs") << image << false << false << 70001 << true << false << 0 << 0
                                                          << false << false
                                                          << "The firmware image is incomplete: 70000 of 70001 bytes arrived.";
    QTest::newRow("size unknown, digest matches") << image << true << true << 0 << true << false << 0 << 0 << false << true << QString();
    QTest::newRow("size unknown, digest differs") << image << true << false << 0 << true << false << 0 << 0 << false
                                                  << false << QString();
    QTest::newRow("while an update runs") << image << false << false << 0 << true << true << 0 << 0 << true << false << QString();
}

void tst_MyFtp::download()
{
    QFETCH(QByteArray, image);
    QFETCH(bool, withDigest);
    QFETCH(bool, digestMatches);
    QFETCH(int, catalogueSizeOffset);
    QFETCH(bool, onServer);
    QFETCH(bool, reportsSizes);
    QFETCH(int, sizeOffset);
    QFETCH(int, piece);
    QFETCH(bool, updateRunning);
    QFETCH(bool, accepted);
    QFETCH(QString, reason);

    Fixture fixture;
    FtpServer::Options options;
    options.sizeOffset = sizeOffset;
    options.piece = piece;
    options.reportsSizes = reportsSizes;
    QVERIFY(fixture.start(options));
    const QString name = QStringLiteral("rk21_105.bin");
    const QString digest = withDigest ? sha256Of(digestMatches ? image : image + 'x') : QString();
    const QJsonValue catalogueSize = catalogueSizeOffset == 0 ? QJsonValue(QJsonValue::Undefined) : QJsonValue(catalogueSizeOffset);
    QVERIFY(fixture.publish(QStringLiteral("describe.json"), catalogue(name, 1.05, digest, catalogueSize)));
    if (onServer)
        QVERIFY(fixture.publish(name, image));
    QVERIFY(fixture.check());
    QCOMPARE(fixture.offeredName(), name);

    // An image of the same name from an earlier download, perhaps on its way to the controller:
    // only a whole, verified successor may take its place.
    const QByteArray earlier("the image downloaded before");
    QVERIFY(writeLocalFile(name, earlier));
    fixture.ftp.setUpdateRunning(updateRunning);
    QVERIFY(fixture.download());
    // With no size from the server or the catalogue and no checksum, an image cut short looks
    // whole: the user is told so and decides; until then the earlier image stays in place.
    const bool verifiable = reportsSizes || catalogueSizeOffset != 0 || withDigest;
    if (accepted && !verifiable) {
        QCOMPARE(fixture.unverified.size(), 1);
        QVERIFY(fixture.unverified.last().at(0).toString().contains(QString::number(image.size())));
        QCOMPARE(fixture.complete.size(), 0);
        QCOMPARE(localFile(name), earlier);
        fixture.ftp.confirmImage();
    } else {
        QCOMPARE(fixture.unverified.size(), 0);
    }
    QCOMPARE(localFiles(), QStringList{name});
    if (accepted) {
        QCOMPARE(fixture.complete.size(), 1);
        QCOMPARE(fixture.complete.last().at(0).toString(), localPath(name));
        QCOMPARE(localFile(name), image);
    } else {
        QCOMPARE(fixture.complete.size(), 0);
        QCOMPARE(fixture.downloadFailed.size(), 1);
        QVERIFY(!fixture.downloadFailed.last().at(0).toString().isEmpty());
        if (!reason.isEmpty())
            QCOMPARE(fixture.downloadFailed.last().at(0).toString(), reason);
        QCOMPARE(localFile(name), earlier);
    }

    // Progress whenever a size is known, rising to 100; none when no size is known.
    QList<int> percentages;
    for (const QList<QVariant> &arguments : qAsConst(fixture.progress))
        percentages << arguments.at(0).toInt();
    if (accepted && (reportsSizes || catalogueSizeOffset != 0)) {
        QVERIFY(!percentages.isEmpty());
        QVERIFY(std::is_sorted(percentages.cbegin(), percentages.cend()));
        QVERIFY(std::adjacent_find(percentages.cbegin(), percentages.cend()) == percentages.cend());
        QCOMPARE(percentages.last(), 100);
        if (piece > 0)
            QVERIFY(percentages.size() >= 3);
    } else if (!reportsSizes && catalogueSizeOffset == 0) {
        QCOMPARE(percentages, QList<int>());
    }
    QFile::remove(localPath(name));

    // Nothing was left open: the same image can be fetched again.
    if (accepted) {
        QVERIFY(fixture.download());
        if (!verifiable)
            fixture.ftp.confirmImage();
        QCOMPARE(fixture.complete.size(), 2);
        QCOMPARE(localFile(name), image);
        QFile::remove(localPath(name));
    }
}

void tst_MyFtp::unusableCatalogueIsNeverDownloaded_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("parent directory") << QStringLiteral("../evil.bin");
    QTest::newRow("bare parent") << QStringLiteral("..");
    QTest::newRow("subdirectory") << QStringLiteral("sub/evil.bin");
    QTest::newRow("absolute") << QStringLiteral("/etc/evil.bin");
    QTest::newRow("backslash") << QStringLiteral("..\\evil.bin");
    QTest::newRow("drive") << QStringLiteral("C:evil.bin");
    QTest::newRow("second FTP command") << QStringLiteral("evil.bin\r\nDELE describe.json");
}

void tst_MyFtp::unusableCatalogueIsNeverDownloaded()
{
    QFETCH(QString, name);
    Fixture fixture;
    QVERIFY(fixture.start());
    QVERIFY(fixture.publish(QStringLiteral("describe.json"), catalogue(name, 9)));
    QVERIFY(fixture.publish(QStringLiteral("evil.bin"), "evil"));
    QVERIFY(fixture.check());
    QCOMPARE(fixture.offeredName(), QStringLiteral("null"));

    QVERIFY(fixture.download());
    QCOMPARE(fixture.complete.size(), 0);
    QCOMPARE(fixture.downloadFailed.size(), 1);
    const QDir dataDir(EditorSettings::dataFolder());
    QVERIFY(!QFile::exists(dataDir.absoluteFilePath(QStringLiteral("../evil.bin"))));
    QVERIFY(!QFile::exists(dataDir.absoluteFilePath(QStringLiteral("evil.bin"))));
    QVERIFY(QFile::exists(fixture.root.filePath(ServerDirectory + QStringLiteral("/describe.json"))));
}

void tst_MyFtp::networkFailure_data()
{
    QTest::addColumn<QString>("failure");
    QTest::addColumn<bool>("duringDownload");
    QTest::addColumn<QString>("reason");
    const QStringList failures{QStringLiteral("wrong login"), QStringLiteral("refused connection"),
                               QStringLiteral("silent server")};
    const QStringList reasons{QStringLiteral("The firmware server did not accept the login."),
                              QStringLiteral("The firmware server refused the connection."),
                              QStringLiteral("The firmware server stopped answering.")};
    for (int i = 0; i < failures.size(); ++i) {
        QTest::addRow("%s, catalogue", qPrintable(failures.at(i))) << failures.at(i) << false << reasons.at(i);
        QTest::addRow("%s, image", qPrintable(failures.at(i))) << failures.at(i) << true << reasons.at(i);
    }
}

void tst_MyFtp::networkFailure()
{
    QFETCH(QString, failure);
    QFETCH(bool, duringDownload);
    QFETCH(QString, reason);

    Fixture fixture;
    QVERIFY(fixture.start());
    const QString name = QStringLiteral("rk21_106.bin");
    QVERIFY(fixture.publish(QStringLiteral("describe.json"), catalogue(name, 1.06)));
    QVERIFY(fixture.publish(name, QByteArray(5000, 'f')));
    if (duringDownload) {
        QVERIFY(fixture.check());
        QCOMPARE(fixture.offeredName(), name);
    }

    // Accepts connections and never says a word.
    QTcpServer silent;
    // Another user name too: the network access manager keeps a logged-in FTP connection per
    // user and host and would not log in again for a changed password alone.
    if (failure == QLatin1String("wrong login"))
        setServer(fixture.server.port(), QStringLiteral("intruder"), QStringLiteral("not-the-password"));
    else if (failure == QLatin1String("refused connection"))
        setServer(closedPort(), User, Password);
    else if (silent.listen(QHostAddress::LocalHost))
        setServer(silent.serverPort(), User, Password, 1);
    else
        QFAIL("cannot listen on 127.0.0.1");

    if (duringDownload) {
        QVERIFY(fixture.download());
        QCOMPARE(fixture.complete.size(), 0);
        QCOMPARE(fixture.downloadFailed.size(), 1);
        QCOMPARE(fixture.downloadFailed.last().at(0).toString(), reason);
        QCOMPARE(localFiles(), QStringList());
    } else {
        QVERIFY(fixture.check());
        QCOMPARE(fixture.info.size(), 0);
        QCOMPARE(fixture.checkFailed.size(), 1);
        QCOMPARE(fixture.checkFailed.last().at(0).toString(), reason);
    }

    // Everything was released: with the right settings the next request goes through.
    setServer(fixture.server.port(), User, Password);
    QVERIFY(fixture.check());
    QCOMPARE(fixture.offeredName(), name);
    QVERIFY(fixture.download());
    QCOMPARE(fixture.complete.size(), 1);
    QFile::remove(localPath(name));
}

void tst_MyFtp::newRequestReplacesRunningOne()
{
    Fixture fixture;
    FtpServer::Options options;
    options.piece = 100; // about 1000 bytes a second: the download below takes a minute
    QVERIFY(fixture.start(options));
    const QString name = QStringLiteral("rk21_107.bin");
    QVERIFY(fixture.publish(QStringLiteral("describe.json"), catalogue(name, 1.07)));
    QVERIFY(fixture.publish(name, QByteArray(60000, 's')));
    QVERIFY(fixture.check());

    fixture.ftp.downloadFir();
    QVERIFY(QTest::qWaitFor([&] { return !fixture.progress.isEmpty(); }, 20000));
    // Bytes are arriving, but never under the name the update procedure reads; the partial file
    // says what it is.
    QCOMPARE(localFiles(), QStringList{name + QStringLiteral(".part")});
    QVERIFY(fixture.check());
    QCOMPARE(fixture.info.size(), 2);
    QTest::qWait(500);
    QCOMPARE(fixture.complete.size(), 0);
    QCOMPARE(fixture.downloadFailed.size(), 0);
    QCOMPARE(localFiles(), QStringList());
}

// An image that never ends stops at the catalogue's size, or without one at the configured
// limit, or at the first write that fails; nothing of it is left behind.
void tst_MyFtp::imageWithoutEnd_data()
{
    QTest::addColumn<int>("catalogueSize"); // -1: none
    QTest::addColumn<int>("limitSetting");  // -1: not set
    QTest::addColumn<bool>("diskFills");
    QTest::newRow("catalogue gives its size") << 5000 << -1 << false;
    QTest::newRow("limit from the settings") << -1 << 300000 << false;
#ifdef Q_OS_UNIX
    QTest::newRow("disk full long before the limit") << -1 << -1 << true;
#endif
}

void tst_MyFtp::imageWithoutEnd()
{
    QFETCH(int, catalogueSize);
    QFETCH(int, limitSetting);
    QFETCH(bool, diskFills);

    Fixture fixture;
    FtpServer::Options options;
    options.reportsSizes = false;
    const QString name = QStringLiteral("rk21_108.bin");
    options.endless << name;
    QVERIFY(fixture.start(options));
    const QJsonValue size = catalogueSize < 0 ? QJsonValue(QJsonValue::Undefined) : QJsonValue(catalogueSize);
    QVERIFY(fixture.publish(QStringLiteral("describe.json"), catalogue(name, 1.08, QString(), size)));
    QVERIFY(fixture.publish(name, "x"));
    if (limitSetting > 0) {
        QSettings settings(QStringLiteral("Kovela"), QStringLiteral("kovelaTark9"));
        settings.setValue(QStringLiteral("FirmwareServer/maxImageSize"), limitSetting);
    }
    QVERIFY(fixture.check());
    QCOMPARE(fixture.offeredName(), name);
    const QByteArray earlier("the image downloaded before");
    QVERIFY(writeLocalFile(name, earlier));

    {
#ifdef Q_OS_UNIX
        std::unique_ptr<FileSizeLimit> limit;
        if (diskFills) {
            limit = std::make_unique<FileSizeLimit>(256 * 1024);
            QVERIFY(limit->isActive());
        }
#endif
        QVERIFY(fixture.download(20000));
    }
    QCOMPARE(fixture.complete.size(), 0);
    QCOMPARE(fixture.unverified.size(), 0);
    QCOMPARE(fixture.downloadFailed.size(), 1);
    const QString reason = fixture.downloadFailed.last().at(0).toString();
    if (diskFills) {
        // The system's own words for the failed write, not the size limit long after it.
        QVERIFY2(reason.contains(qt_error_string(EFBIG)), qPrintable(reason));
    } else {
        QVERIFY2(reason.contains(QString::number(catalogueSize > 0 ? catalogueSize : limitSetting)), qPrintable(reason));
    }
    QCOMPARE(localFiles(), QStringList{name});
    QCOMPARE(localFile(name), earlier);
    QFile::remove(localPath(name));
}

// Closing the firmware dialog stops what runs: no result arrives later, nothing is left in the
// data folder, and an image awaiting the user's word is never flashed.
void tst_MyFtp::closingTheDialogStops_data()
{
    QTest::addColumn<QString>("moment");
    QTest::newRow("while checking") << "check";
    QTest::newRow("while downloading") << "download";
    QTest::newRow("while an unverified image awaits confirmation") << "confirmation";
}

void tst_MyFtp::closingTheDialogStops()
{
    QFETCH(QString, moment);

    Fixture fixture;
    FtpServer::Options options;
    // The catalogue a byte at a time, the image about 1000 bytes a second, or an image of no
    // known size.
    if (moment == QLatin1String("check"))
        options.piece = 1;
    else if (moment == QLatin1String("download"))
        options.piece = 100;
    else
        options.reportsSizes = false;
    QVERIFY(fixture.start(options));
    const QString name = QStringLiteral("rk21_109.bin");
    QVERIFY(fixture.publish(QStringLiteral("describe.json"), catalogue(name, 1.09)));
    QVERIFY(fixture.publish(name, QByteArray(moment == QLatin1String("download") ? 60000 : 300, 'c')));

    if (moment == QLatin1String("check")) {
        fixture.ftp.checkOnLineFirmware();
        QTest::qWait(300);
    } else {
        QVERIFY(fixture.check());
        QCOMPARE(fixture.offeredName(), name);
        if (moment == QLatin1String("download")) {
            fixture.ftp.downloadFir();
            QVERIFY(QTest::qWaitFor([&] { return !localFiles().isEmpty(); }, 20000));
            QTest::qWait(300);
        } else {
            QVERIFY(fixture.download());
            QCOMPARE(fixture.unverified.size(), 1);
        }
    }
    const int infos = fixture.info.size();
    fixture.ftp.cancel();
    const int percentages = fixture.progress.size();
    // A late confirmation finds nothing to flash.
    fixture.ftp.confirmImage();
    QTest::qWait(1500);
    QCOMPARE(fixture.info.size(), infos);
    QCOMPARE(fixture.checkFailed.size(), 0);
    QCOMPARE(fixture.complete.size(), 0);
    QCOMPARE(fixture.downloadFailed.size(), 0);
    QCOMPARE(fixture.progress.size(), percentages);
    QCOMPARE(localFiles(), QStringList());
}

void tst_MyFtp::refusedWithoutDevice_data()
{
    QTest::addColumn<bool>("connected");
    QTest::addColumn<QString>("version");
    QTest::addColumn<bool>("download");
    QTest::addColumn<QString>("text");
    QTest::newRow("check, no device") << false << "1.03" << false << QStringLiteral("请先连接设备");
    QTest::newRow("check, no version") << true << "" << false << QStringLiteral("获取当前版本号失败");
    QTest::newRow("download, no device") << false << "1.03" << true << QStringLiteral("请先连接设备");
}

void tst_MyFtp::refusedWithoutDevice()
{
    QFETCH(bool, connected);
    QFETCH(QString, version);
    QFETCH(bool, download);
    QFETCH(QString, text);

    MyFtp ftp;
    QSignalSpy dialog(&ftp, &MyFtp::showDialog);
    QSignalSpy refused(&ftp, &MyFtp::refused);
    QSignalSpy failed(&ftp, &MyFtp::downloadFailed);
    ftp.setConnected(connected);
    ftp.setCurrentVersion(version);
    if (download)
        ftp.downloadFir();
    else
        ftp.checkOnLineFirmware();
    QCOMPARE(refused.size(), 1);
    QCOMPARE(refused.first().at(0).toString(), text);
    QTest::qWait(200);
    QCOMPARE(dialog.size(), 0);
    QCOMPARE(failed.size(), 0);
}

QTEST_GUILESS_MAIN(tst_MyFtp)
#include "tst_myftp.moc"
