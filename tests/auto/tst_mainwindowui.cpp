#include "app/appoptions.h"
#include "app/mainwindow.h"
#include "promptrecorder.h"

#include <QImage>
#include <QProcess>
#include <QQuickItem>
#include <QQuickWindow>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const QString Chinese = QStringLiteral("简体中文");

QQuickWindow *sceneWindow(MainWindow &mainWindow)
{
    const QList<QObject *> roots = mainWindow.engine().rootObjects();
    return roots.isEmpty() ? nullptr : qobject_cast<QQuickWindow *>(roots.first());
}

QString itemText(QQuickWindow *window, const char *objectName)
{
    QObject *item = window ? window->findChild<QObject *>(QLatin1String(objectName)) : nullptr;
    return item ? item->property("text").toString() : QString();
}

} // namespace

// The editor's window as the editor itself builds it: the real controller, language object
// and model behind the compiled scene, and the program's --screenshot option.
class tst_MainWindowUi : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void languageChoiceSurvivesARestart();
    void screenshotsInBothLanguages();
    void screenshotOfAnUnwritablePathFails();
    void startsWithoutAMidiSystem();

private:
    QProcessEnvironment editorEnvironment(const QString &home) const;
    // Runs the editor with --screenshot; a null image when it failed.
    QImage takeScreenshot(const QString &savedLanguage);

    QTemporaryDir m_settingsDir;
    QString m_editor;
};

void tst_MainWindowUi::initTestCase()
{
    QVERIFY(m_settingsDir.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settingsDir.path());
    m_editor = qEnvironmentVariable("TARK9_EDITOR");
    QVERIFY2(QFileInfo(m_editor).isExecutable(), "TARK9_EDITOR names the built editor");
}

void tst_MainWindowUi::languageChoiceSurvivesARestart()
{
    PromptRecorder prompts;
    AppOptions options;
    options.virtualDevice = true;
    {
        MainWindow firstRun(options);
        QQuickWindow *window = sceneWindow(firstRun);
        QVERIFY(window);
        QCOMPARE(itemText(window, "sendButton"), QStringLiteral("SEND TO HARDWARE"));

        QObject *chinese = window->findChild<QObject *>(QStringLiteral("chineseAction"));
        QVERIFY(chinese);
        QVERIFY(QMetaObject::invokeMethod(chinese, "trigger"));
        QCOMPARE(itemText(window, "sendButton"), QStringLiteral("发送到硬件"));
        QCOMPARE(itemText(window, "connectText"), QStringLiteral("设备已连接"));
    }
    MainWindow secondRun(options);
    QQuickWindow *window = sceneWindow(secondRun);
    QVERIFY(window);
    QCOMPARE(itemText(window, "sendButton"), QStringLiteral("发送到硬件"));

    // Back to English for whoever runs next.
    QObject *english = window->findChild<QObject *>(QStringLiteral("englishAction"));
    QVERIFY(english);
    QVERIFY(QMetaObject::invokeMethod(english, "trigger"));
    QCOMPARE(itemText(window, "sendButton"), QStringLiteral("SEND TO HARDWARE"));
}

QProcessEnvironment tst_MainWindowUi::editorEnvironment(const QString &home) const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QDir(home).mkpath(QStringLiteral("runtime"));
    QFile::setPermissions(home + QStringLiteral("/runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home + QStringLiteral("/runtime"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    environment.insert(QStringLiteral("QT_QUICK_BACKEND"), QStringLiteral("software"));
    return environment;
}

QImage tst_MainWindowUi::takeScreenshot(const QString &savedLanguage)
{
    QTemporaryDir home;
    if (!home.isValid())
        return QImage();
    if (!savedLanguage.isEmpty()) {
        QSettings settings(home.filePath(QStringLiteral("config/Kovela/kovelaTark9.conf")), QSettings::IniFormat);
        settings.setValue(QStringLiteral("Language"), savedLanguage);
    }
    const QString path = home.filePath(QStringLiteral("shot.png"));
    QProcess editor;
    editor.setProcessEnvironment(editorEnvironment(home.path()));
    editor.start(m_editor, {QStringLiteral("--virtual-device"), QStringLiteral("--screenshot"), path});
    if (!editor.waitForFinished(60000) || editor.exitStatus() != QProcess::NormalExit || editor.exitCode() != 0) {
        qWarning() << "the editor failed:" << editor.exitCode() << editor.readAllStandardError();
        return QImage();
    }
    return QImage(path);
}

void tst_MainWindowUi::screenshotsInBothLanguages()
{
    const QImage english = takeScreenshot(QString());
    const QImage chinese = takeScreenshot(Chinese);
    QVERIFY2(!english.isNull() && !chinese.isNull(), "the editor wrote no screenshot");

    // The window is the design size times the screen's scaling rate (logical DPI / 96).
    const double rate = QGuiApplication::primaryScreen()->logicalDotsPerInch() / 96.0;
    QVERIFY2(qAbs(english.width() - 1080 * rate) <= 1 && qAbs(english.height() - 892 * rate) <= 1,
             qPrintable(QStringLiteral("%1 x %2 at rate %3").arg(english.width()).arg(english.height()).arg(rate)));
    QCOMPARE(chinese.size(), english.size());
    const auto at = [rate](double x, double y) { return QPoint(qRound(x * rate), qRound(y * rate)); };
    // Rounded corners over a transparent window; the light panel; the dark device picture.
    QCOMPARE(qAlpha(english.pixel(at(0, 0))), 0);
    QCOMPARE(QColor(english.pixel(at(8, 450))), QColor(QStringLiteral("#e5e5e5")));
    QVERIFY(QColor(english.pixel(at(500, 700))).lightness() < 80);

    // The saved language is in force from the first frame: the send button's label differs,
    // the device picture does not.
    const QRect label = QRect(at(35 + 36, 131 + 660), at(35 + 216, 131 + 684));
    // The strip of device body between the knob and pad areas carries no text.
    const QRect body = QRect(at(35 + 384, 131 + 60), at(35 + 420, 131 + 640));
    QVERIFY(english.copy(label) != chinese.copy(label));
    QCOMPARE(english.copy(body), chinese.copy(body));
}

void tst_MainWindowUi::screenshotOfAnUnwritablePathFails()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    QProcess editor;
    editor.setProcessEnvironment(editorEnvironment(home.path()));
    editor.start(m_editor, {QStringLiteral("--virtual-device"), QStringLiteral("--screenshot"),
                            home.filePath(QStringLiteral("no/such/folder/shot.png"))});
    QVERIFY2(editor.waitForFinished(60000), "the editor did not exit");
    QCOMPARE(editor.exitCode(), 1);
    QVERIFY((editor.readAllStandardError() + editor.readAllStandardOutput()).contains("could not write"));
}

// The path every Linux user without a sequencer takes: the real program, no virtual controller.
void tst_MainWindowUi::startsWithoutAMidiSystem()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QString path = home.filePath(QStringLiteral("shot.png"));
    QProcess editor;
    editor.setProcessEnvironment(editorEnvironment(home.path()));
    editor.start(m_editor, {QStringLiteral("--screenshot"), path});
    QVERIFY2(editor.waitForFinished(60000), "the editor did not exit");
    QVERIFY2(editor.exitStatus() == QProcess::NormalExit && editor.exitCode() == 0, editor.readAllStandardError().constData());
    QVERIFY(!QImage(path).isNull());

    if (QFileInfo::exists(QStringLiteral("/dev/snd/seq")))
        QSKIP("this machine has a MIDI system: the window has nothing to explain");
    // The window says why no controller can be reached, in the interface's language, and the
    // line opens the connection check.
    PromptRecorder prompts;
    MainWindow mainWindow{AppOptions()};
    QQuickWindow *window = sceneWindow(mainWindow);
    QVERIFY(window);
    QQuickItem *problem = window->findChild<QQuickItem *>(QStringLiteral("midiSystemProblem"));
    QVERIFY(problem);
    QVERIFY(problem->isVisible());
    QCOMPARE(problem->property("text").toString().section(QLatin1Char('\n'), 0, 0),
             QStringLiteral("The MIDI system cannot be opened: /dev/snd/seq does not exist"));
    QCOMPARE(itemText(window, "connectText"), QStringLiteral("No device found"));

    QObject *chinese = window->findChild<QObject *>(QStringLiteral("chineseAction"));
    QVERIFY(chinese);
    QVERIFY(QMetaObject::invokeMethod(chinese, "trigger"));
    QVERIFY(problem->property("text").toString().startsWith(QStringLiteral("无法打开 MIDI 系统：/dev/snd/seq 不存在")));
    QObject *english = window->findChild<QObject *>(QStringLiteral("englishAction"));
    QVERIFY(QMetaObject::invokeMethod(english, "trigger"));

    // A click on the line opens the check, whose first link failed and says what to do.
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const QPointF centre = problem->mapToScene(QPointF(problem->width() - 20, problem->height() / 2));
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, centre.toPoint());
    QQuickItem *links = nullptr;
    QTRY_VERIFY((links = window->findChild<QQuickItem *>(QStringLiteral("linkList"))) && links->isVisible());
    const QVariantList report = links->property("model").toList();
    QVERIFY(report.size() >= 4);
    const QVariantMap midi = report.first().toMap();
    QCOMPARE(midi.value(QStringLiteral("state")).toString(), QStringLiteral("failed"));
    QVERIFY(midi.value(QStringLiteral("remedy")).toString().contains(QStringLiteral("modprobe snd-seq")));
}

QTEST_MAIN(tst_MainWindowUi)

#include "tst_mainwindowui.moc"
