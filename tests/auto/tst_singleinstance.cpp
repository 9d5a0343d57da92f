#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

// The guard is checked with real editor processes: only they show what a user sees when the
// editor is started twice, or after it crashed.
class tst_SingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void secondStartExitsWhileFirstRuns();
    void secondStartDuringASlowStartRaisesTheWindow();
    void startAfterCrashWorks();

private:
    QProcess *startEditor();
    bool waitForStartLine(int count);
    int startLines() const;
    QString logText() const;

    QTemporaryDir *m_home = nullptr;
    QList<QProcess *> m_processes;
};

void tst_SingleInstance::init()
{
    m_home = new QTemporaryDir;
    QDir(m_home->path()).mkpath("runtime");
    QFile::setPermissions(m_home->filePath("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void tst_SingleInstance::cleanup()
{
    for (QProcess *process : qAsConst(m_processes)) {
        process->kill();
        process->waitForFinished(5000);
        delete process;
    }
    m_processes.clear();
    delete m_home;
}

QProcess *tst_SingleInstance::startEditor()
{
    auto *process = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", m_home->filePath("runtime"));
    env.insert("XDG_DATA_HOME", m_home->filePath("data"));
    env.insert("XDG_CONFIG_HOME", m_home->filePath("config"));
    env.insert("QT_QUICK_BACKEND", "software");
    process->setProcessEnvironment(env);
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(qEnvironmentVariable("TARK9_EDITOR"), {"--virtual-device"});
    m_processes << process;
    return process;
}

QString tst_SingleInstance::logText() const
{
    QString text;
    const QDir logDir(m_home->filePath("data/kovelaTark9/Log"));
    const QStringList files = logDir.entryList(QDir::Files, QDir::Name);
    for (const QString &name : files) {
        QFile file(logDir.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            text += QString::fromUtf8(file.readAll());
    }
    return text;
}

int tst_SingleInstance::startLines() const
{
    return logText().count("================progress start================");
}

bool tst_SingleInstance::waitForStartLine(int count)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 20000) {
        if (startLines() >= count)
            return true;
        QTest::qWait(50);
    }
    return false;
}

void tst_SingleInstance::secondStartExitsWhileFirstRuns()
{
    QProcess *first = startEditor();
    QVERIFY(first->waitForStarted());
    QVERIFY(waitForStartLine(1));

    QProcess *second = startEditor();
    QVERIFY(second->waitForFinished(10000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QCOMPARE(first->state(), QProcess::Running);
    // A refused start leaves no trace in the log; the running copy notes that it was raised.
    QCOMPARE(startLines(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(logText().contains("another start asked for the window"), 10000);
}

void tst_SingleInstance::secondStartDuringASlowStartRaisesTheWindow()
{
    QProcess *first = startEditor();
    QVERIFY(first->waitForStarted());
    QVERIFY(waitForStartLine(1));
    // The first copy holds the lock and is building its window: stopped there, it is a start
    // slower than any second start waits for.
    ::kill(pid_t(first->processId()), SIGSTOP);

    QProcess *second = startEditor();
    QVERIFY(second->waitForFinished(10000));
    QCOMPARE(second->exitCode(), 0);

    ::kill(pid_t(first->processId()), SIGCONT);
    QTRY_VERIFY_WITH_TIMEOUT(logText().contains("another start asked for the window"), 20000);
    QCOMPARE(first->state(), QProcess::Running);
    QCOMPARE(startLines(), 1);
}

void tst_SingleInstance::startAfterCrashWorks()
{
    QProcess *first = startEditor();
    QVERIFY(first->waitForStarted());
    QVERIFY(waitForStartLine(1));
    ::kill(pid_t(first->processId()), SIGKILL);
    QVERIFY(first->waitForFinished(5000));

    QProcess *again = startEditor();
    QVERIFY(again->waitForStarted());
    QVERIFY2(waitForStartLine(2), "the editor did not start after its predecessor was killed");
    QCOMPARE(again->state(), QProcess::Running);

    // And the new copy holds the key in its turn.
    QProcess *third = startEditor();
    QVERIFY(third->waitForFinished(10000));
    QCOMPARE(third->exitCode(), 0);
    QCOMPARE(startLines(), 2);
}

QTEST_GUILESS_MAIN(tst_SingleInstance)
#include "tst_singleinstance.moc"
