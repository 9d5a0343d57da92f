#include "app/logfile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <atomic>

namespace {

QString readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QDateTime at(const QString &text)
{
    return QDateTime::fromString(text, "yyyy-MM-dd hh:mm:ss");
}

} // namespace

class tst_LogFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void hourlyFiles();
    void reopeningAppendsWithoutSecondHeader();
    void linesCarryClassAndEscapedText_data();
    void linesCarryClassAndEscapedText();
    void pruneKeepsNewest();
    void concurrentWritersLoseNothing();
    void messageWhileHoldingTheLock();
    void unopenableFileIsRetried();
    void selectorHidesAndShowsClasses();

private:
    QString fileFor(const QString &hour) const { return m_dir->path() + "/" + hour + "_log.html"; }

    QTemporaryDir *m_dir = nullptr;
    QStringList m_debuggerLines;
    QDateTime m_now;
};

void tst_LogFile::initTestCase()
{
    qInstallMessageHandler(&LogFile::messageHandler);
}

void tst_LogFile::init()
{
    delete m_dir;
    m_dir = new QTemporaryDir;
    m_debuggerLines.clear();
    m_now = at("2026-03-04 10:59:59");
    LogFile &log = LogFile::instance();
    log.setClock([this] { return m_now; });
    log.setDebuggerOutput([this](const QString &text) { m_debuggerLines << text; });
    log.setDirectory(m_dir->path());
}

void tst_LogFile::cleanupTestCase()
{
    LogFile::instance().setDirectory(QString());
    qInstallMessageHandler(nullptr);
    delete m_dir;
}

void tst_LogFile::hourlyFiles()
{
    qDebug() << "before the hour";
    m_now = at("2026-03-04 11:00:00");
    qWarning() << "after the hour";

    const QString ten = readAll(fileFor("2026-03-04_10"));
    const QString eleven = readAll(fileFor("2026-03-04_11"));
    QVERIFY(ten.startsWith(LogFile::headerText() + "\r\n"));
    QVERIFY(eleven.startsWith(LogFile::headerText() + "\r\n"));
    QVERIFY(ten.endsWith("<div class=\"d\">2026-03-04 10:59:59 before the hour</div>\r\n"));
    QVERIFY(eleven.endsWith("<div class=\"w\">2026-03-04 11:00:00 after the hour</div>\r\n"));
    QVERIFY(!ten.contains("after the hour"));
    QCOMPARE(m_debuggerLines, QStringList({"2026-03-04 10:59:59 before the hour", "2026-03-04 11:00:00 after the hour"}));
}

void tst_LogFile::reopeningAppendsWithoutSecondHeader()
{
    qDebug() << "first run";
    // A restart within the hour finds the file already there.
    QTemporaryDir elsewhere;
    LogFile::instance().setDirectory(elsewhere.path());
    qDebug() << "elsewhere";
    LogFile::instance().setDirectory(m_dir->path());
    qDebug() << "second run";

    const QString text = readAll(fileFor("2026-03-04_10"));
    QCOMPARE(text.count("<title>Ostrel log file</title>"), 1);
    QVERIFY(text.endsWith("first run</div>\r\n<div class=\"d\">2026-03-04 10:59:59 second run</div>\r\n"));
}

void tst_LogFile::linesCarryClassAndEscapedText_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("line");

    QTest::newRow("debug") << int(QtDebugMsg) << "plain" << "<div class=\"d\">2026-03-04 10:59:59 plain</div>";
    QTest::newRow("info") << int(QtInfoMsg) << "info" << "<div class=\"i\">2026-03-04 10:59:59 info</div>";
    QTest::newRow("warning") << int(QtWarningMsg) << "careful" << "<div class=\"w\">2026-03-04 10:59:59 careful</div>";
    QTest::newRow("critical") << int(QtCriticalMsg) << "bad" << "<div class=\"c\">2026-03-04 10:59:59 bad</div>";
    QTest::newRow("markup is shown, not run")
        << int(QtDebugMsg) << "<b>bold</b><script>alert(1)</script>"
        << "<div class=\"d\">2026-03-04 10:59:59 &lt;b&gt;bold&lt;/b&gt;&lt;script&gt;alert(1)&lt;/script&gt;</div>";
    QTest::newRow("quotes and ampersand") << int(QtDebugMsg) << "a \"b\" & c"
        << "<div class=\"d\">2026-03-04 10:59:59 a &quot;b&quot; &amp; c</div>";
    QTest::newRow("utf-8") << int(QtDebugMsg) << "简体中文" << "<div class=\"d\">2026-03-04 10:59:59 简体中文</div>";
}

void tst_LogFile::linesCarryClassAndEscapedText()
{
    QFETCH(int, type);
    QFETCH(QString, message);
    QFETCH(QString, line);
    LogFile::instance().write(QtMsgType(type), message);
    QVERIFY2(readAll(fileFor("2026-03-04_10")).endsWith(line + "\r\n"), qPrintable(readAll(fileFor("2026-03-04_10")).right(200)));
    // The debugger copy is the plain text.
    QCOMPARE(m_debuggerLines.last(), "2026-03-04 10:59:59 " + message);
}

void tst_LogFile::pruneKeepsNewest()
{
    QTemporaryDir dir;
    QStringList names;
    for (int i = 0; i < 1030; ++i) {
        const QString name = QDateTime(QDate(2025, 1, 1), QTime(0, 0)).addSecs(3600 * i).toString("yyyy-MM-dd_hh") + "_log.html";
        names << name;
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QVERIFY(QDir().mkpath(dir.filePath("subdir")));   // not a file: neither counted nor removed
    LogFile::instance().setDirectory(dir.path());
    LogFile::instance().prune(1024);
    const QStringList left = QDir(dir.path()).entryList(QDir::Files, QDir::Name);
    QCOMPARE(left.size(), 1024);
    QCOMPARE(left, names.mid(6));
    QVERIFY(QFileInfo(dir.filePath("subdir")).isDir());
}

void tst_LogFile::concurrentWritersLoseNothing()
{
    LogFile::instance().setDebuggerOutput({});
    constexpr int Threads = 8;
    constexpr int Messages = 10000;
    QList<QThread *> threads;
    std::atomic<int> ready{0};
    for (int t = 0; t < Threads; ++t) {
        threads << QThread::create([t, &ready] {
            ++ready;
            while (ready.load() < Threads) { }
            for (int i = 0; i < Messages; ++i)
                qDebug().noquote() << QStringLiteral("thread %1 message %2 end").arg(t).arg(i);
        });
    }
    for (QThread *thread : threads)
        thread->start();
    for (QThread *thread : threads) {
        QVERIFY(thread->wait(120000));
        delete thread;
    }

    const QStringList lines = readAll(fileFor("2026-03-04_10")).split("\r\n");
    QSet<QString> seen;
    const QRegularExpression whole("^<div class=\"d\">2026-03-04 10:59:59 (thread \\d message \\d+ end)</div>$");
    int messageLines = 0;
    for (const QString &line : lines) {
        if (!line.startsWith("<div"))
            continue;
        const QRegularExpressionMatch match = whole.match(line);
        QVERIFY2(match.hasMatch(), qPrintable("torn line: " + line));
        seen.insert(match.captured(1));
        ++messageLines;
    }
    QCOMPARE(messageLines, Threads * Messages);
    QCOMPARE(seen.size(), Threads * Messages);
}

void tst_LogFile::messageWhileHoldingTheLock()
{
    // The framework may log from inside the handler (a file that cannot be opened, say); a
    // clock that logs stands in for it. It must not deadlock.
    LogFile::instance().setClock([this] {
        qWarning("clock warning");
        return m_now;
    });
    qDebug() << "outer";
    LogFile::instance().setClock([this] { return m_now; });
    QVERIFY(readAll(fileFor("2026-03-04_10")).contains("outer"));
    qDebug() << "after";
    QVERIFY(readAll(fileFor("2026-03-04_10")).contains("after"));
}

void tst_LogFile::unopenableFileIsRetried()
{
    // The directory vanishes (a cleaner, a removed drive) and comes back within the hour.
    QVERIFY(QDir(m_dir->path()).removeRecursively());
    qDebug() << "lost";
    QVERIFY(QDir().mkpath(m_dir->path()));
    qDebug() << "kept";
    const QString text = readAll(fileFor("2026-03-04_10"));
    QVERIFY(text.startsWith(LogFile::headerText() + "\r\n"));
    QVERIFY(text.endsWith("<div class=\"d\">2026-03-04 10:59:59 kept</div>\r\n"));
    QVERIFY(!text.contains("lost"));
}

void tst_LogFile::selectorHidesAndShowsClasses()
{
    const QString chromium = QStandardPaths::findExecutable("chromium");
    if (chromium.isEmpty())
        QSKIP("chromium is not installed (tools/deps.sh --tests installs it)");
    qDebug() << "a debug line";
    qWarning() << "a warning line";

    // The log page itself, with a probe appended that works the selector as a user would.
    QString page = readAll(fileFor("2026-03-04_10"));
    page += "<pre id=\"probe\"></pre><script>\n"
            "function shown(c) { var e = document.getElementsByClassName(c)[0];"
            " return getComputedStyle(e).display != 'none'; }\n"
            "var s = document.getElementById('typeSelect'); var out = [];\n"
            "out.push('initial d=' + shown('d') + ' w=' + shown('w'));\n"
            "s.value = 'd'; selectType(); out.push('debug d=' + shown('d') + ' w=' + shown('w'));\n"
            "s.value = 'w'; selectType(); out.push('warning d=' + shown('d') + ' w=' + shown('w'));\n"
            "s.value = 'a'; selectType(); out.push('all d=' + shown('d') + ' w=' + shown('w'));\n"
            "document.getElementById('probe').textContent = out.join(';');\n"
            "</script>";
    const QString htmlPath = m_dir->filePath("probe.html");
    QFile html(htmlPath);
    QVERIFY(html.open(QIODevice::WriteOnly));
    html.write(page.toUtf8());
    html.close();

    QTemporaryDir profile;
    QProcess browser;
    browser.start(chromium, {"--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                             "--disable-background-networking", "--disable-component-update", "--disable-sync",
                             "--user-data-dir=" + profile.path(), "--dump-dom",
                             QUrl::fromLocalFile(htmlPath).toString()});
    QVERIFY(browser.waitForFinished(60000));
    const QString dom = QString::fromUtf8(browser.readAllStandardOutput());
    QVERIFY2(dom.contains("initial d=true w=true;debug d=true w=false;warning d=false w=true;all d=true w=true"),
             qPrintable(dom.right(400) + browser.readAllStandardError().right(400)));
}

QTEST_GUILESS_MAIN(tst_LogFile)
#include "tst_logfile.moc"
