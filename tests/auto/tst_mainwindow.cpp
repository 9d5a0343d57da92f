#include "app/mainwindow.h"
#include "config/datamanagement.h"
#include "promptrecorder.h"

#include <QFile>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray imageBytes(const DataManagement &model)
{
    const auto &image = model.configImage();
    return QByteArray(reinterpret_cast<const char *>(image.data()), static_cast<int>(image.size()));
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
}

QByteArray counted(const QByteArray &block, quint32 count)
{
    QByteArray bytes;
    bytes.append(char(count >> 24)).append(char(count >> 16)).append(char(count >> 8)).append(char(count));
    return bytes + block;
}

} // namespace

class tst_MainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void saveDefaultConfiguration();
    void saveThenOpenRestoresImage();
    void openPartialAndBrokenFiles_data();
    void openPartialAndBrokenFiles();
    void failedSaveKeepsPreviousFile_data();
    void failedSaveKeepsPreviousFile();
    void saveAsCancelledForgetsPath();
    void openedPresetIsWhereSaveWrites();
    void rgbtoStr_data();
    void rgbtoStr();
    void softVersionHasFourNumbers();

private:
    QTemporaryDir *m_dir = nullptr;
    PromptRecorder *m_prompts = nullptr;
    MainWindow *m_window = nullptr;
};

void tst_MainWindow::init()
{
    m_dir = new QTemporaryDir;
    m_prompts = new PromptRecorder;
    m_window = new MainWindow;
}

void tst_MainWindow::cleanup()
{
    delete m_window;
    delete m_prompts;
    delete m_dir;
}

void tst_MainWindow::saveDefaultConfiguration()
{
    const QString path = m_dir->filePath("default.stm");
    m_prompts->fileAnswers << path;
    m_window->save();

    QCOMPARE(m_prompts->fileRequests.size(), 1);
    QCOMPARE(m_prompts->fileRequests.first().caption, QString("Save File"));
    QCOMPARE(m_prompts->fileRequests.first().filter, QString("stm (*.stm)"));
    const QByteArray bytes = readFile(path);
    QCOMPARE(bytes.size(), 462);
    QCOMPARE(bytes.left(15), QByteArray::fromHex("000001CAF001000000206F00010000"));
    QCOMPARE(quint8(bytes.at(461)), quint8(0xF7));
    QCOMPARE(bytes.mid(4), imageBytes(*m_window->dataManagement()));
    QVERIFY(m_prompts->messages.isEmpty());

    // A second save goes to the remembered path without asking.
    m_window->dataManagement()->setPadInfo(0, "padData", 99);
    m_window->save();
    QCOMPARE(m_prompts->fileRequests.size(), 1);
    QCOMPARE(int(readFile(path).at(4 + 13 + 1)), 99);
}

void tst_MainWindow::saveThenOpenRestoresImage()
{
    DataManagement *model = m_window->dataManagement();
    QByteArray image = imageBytes(*model);
    image[8] = 2;   // firmware version 2.1.3, as a controller reply would leave it
    image[9] = 1;
    image[10] = 3;
    model->loadConfigImage(image.constData(), image.size());
    model->setPadInfo(10, "padRGB", QString("#123456"));
    const QByteArray saved = imageBytes(*model);

    const QString path = m_dir->filePath("preset.stm");
    m_prompts->fileAnswers << path;
    m_window->saveAs();

    model->initDefaultData();
    model->loadConfigImage(QByteArray::fromHex("F001000000206F00010000").constData(), 11);
    QVERIFY(imageBytes(*model) != saved);

    QSignalSpy updates(model, &DataManagement::s_updateDate);
    m_prompts->fileAnswers << path;
    // The edits after the save are the user's to keep or drop: dropped.
    m_prompts->answers << Prompt::Answer::Discard;
    m_window->openFile();
    QCOMPARE(updates.count(), 1);
    QCOMPARE(imageBytes(*model), saved);
    QCOMPARE(model->getVerInfo(), QVariantList({2, 1, 3}));
    QCOMPARE(m_prompts->messages.size(), 1);
    QCOMPARE(m_prompts->messages.first().kind, Prompt::Kind::Question);
}

void tst_MainWindow::openPartialAndBrokenFiles_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<int>("replaced");        // leading image bytes replaced by the file
    QTest::addColumn<int>("updates");         // s_updateDate emissions
    QTest::addColumn<bool>("userTold");

    QTest::newRow("ten-byte block") << counted(QByteArray::fromHex("F0037F7F7F7F7F7F7F7F"), 10) << 10 << 1 << false;
    QTest::newRow("count 458, 100 bytes") << counted(QByteArray(100, char(1)), 458) << 0 << 1 << true;
    QTest::newRow("empty file") << QByteArray() << 0 << 1 << true;
    QTest::newRow("three bytes") << QByteArray::fromHex("000001") << 0 << 1 << true;
    QTest::newRow("count 0") << counted(QByteArray(458, char(1)), 0) << 0 << 1 << true;
    QTest::newRow("huge count") << counted(QByteArray(458, char(1)), 0xFFFFFFFFu) << 0 << 1 << true;
    QTest::newRow("not a configuration") << counted(QByteArray(458, char(1)), 458) << 0 << 0 << true;
    QByteArray highByte(458, char(1));
    highByte[0] = char(0xF0);
    highByte[300] = char(0x90);
    QTest::newRow("byte above 127") << counted(highByte, 458) << 0 << 0 << true;
}

void tst_MainWindow::openPartialAndBrokenFiles()
{
    QFETCH(QByteArray, contents);
    QFETCH(int, replaced);
    QFETCH(int, updates);
    QFETCH(bool, userTold);
    DataManagement *model = m_window->dataManagement();
    const QByteArray before = imageBytes(*model);
    const QString path = m_dir->filePath("input.stm");
    writeFile(path, contents);

    QSignalSpy spy(model, &DataManagement::s_updateDate);
    m_prompts->fileAnswers << path;
    m_prompts->expectedMessages = userTold ? 1 : 0;
    m_window->openFile();
    QCOMPARE(spy.count(), updates);
    const QByteArray after = imageBytes(*model);
    QCOMPARE(after.mid(replaced), before.mid(replaced));
    QCOMPARE(after.left(replaced), contents.mid(4, replaced));
    QCOMPARE(m_prompts->messages.size(), userTold ? 1 : 0);
}

void tst_MainWindow::failedSaveKeepsPreviousFile_data()
{
    QTest::addColumn<QString>("failure");
    QTest::newRow("read-only directory") << "read-only";
    // Root writes into read-only directories; a file-size limit makes the write itself fail.
    QTest::newRow("write fails midway") << "size-limit";
}

void tst_MainWindow::failedSaveKeepsPreviousFile()
{
    QFETCH(QString, failure);
    const QString dir = m_dir->filePath("presets");
    QVERIFY(QDir().mkpath(dir));
    const QString path = dir + "/preset.stm";
    const QByteArray previous = counted(QByteArray(458, char(7)), 458);
    writeFile(path, previous);

    m_prompts->fileAnswers << path;
    m_prompts->expectedMessages = 1;
    if (failure == "read-only") {
        if (geteuid() == 0)
            QSKIP("root writes into read-only directories");
        QVERIFY(chmod(QFile::encodeName(dir).constData(), 0555) == 0);
        m_window->saveAs();
        chmod(QFile::encodeName(dir).constData(), 0755);
    } else {
        rlimit saved{};
        QVERIFY(getrlimit(RLIMIT_FSIZE, &saved) == 0);
        rlimit small = saved;
        small.rlim_cur = 100;   // bytes: less than a preset
        auto oldHandler = signal(SIGXFSZ, SIG_IGN);
        QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
        m_window->saveAs();
        setrlimit(RLIMIT_FSIZE, &saved);
        signal(SIGXFSZ, oldHandler);
    }

    QCOMPARE(readFile(path), previous);
    QCOMPARE(QDir(dir).entryList(QDir::Files), QStringList("preset.stm"));   // no temporary left
    QCOMPARE(m_prompts->messages.size(), 1);
    QCOMPARE(m_prompts->messages.first().kind, Prompt::Kind::Warning);
    QVERIFY(m_prompts->messages.first().text.contains(path));
}

void tst_MainWindow::saveAsCancelledForgetsPath()
{
    const QString path = m_dir->filePath("first.stm");
    m_prompts->fileAnswers << path << QString() << QString();
    m_window->save();
    m_window->saveAs();            // cancelled: writes nothing and forgets the path
    m_window->save();              // so this asks again
    QCOMPARE(m_prompts->fileRequests.size(), 3);
    QVERIFY(m_prompts->messages.isEmpty());
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList("first.stm"));
}

void tst_MainWindow::openedPresetIsWhereSaveWrites()
{
    const QString savedPath = m_dir->filePath("saved.stm");
    const QString otherPath = m_dir->filePath("other.stm");
    writeFile(otherPath, counted(QByteArray::fromHex("F00100"), 3));
    m_prompts->fileAnswers << savedPath << otherPath;
    m_window->save();
    m_window->openFile();
    m_window->dataManagement()->setPadInfo(1, "padData", 5);
    m_window->save();
    QCOMPARE(m_prompts->fileRequests.size(), 2);
    QCOMPARE(readFile(otherPath).size(), 462);
    QCOMPARE(int(readFile(otherPath).at(4 + 13 + 7 + 1)), 5);
    QCOMPARE(int(readFile(savedPath).at(4 + 13 + 7 + 1)), 25);
}

void tst_MainWindow::rgbtoStr_data()
{
    QTest::addColumn<int>("r");
    QTest::addColumn<int>("g");
    QTest::addColumn<int>("b");
    QTest::addColumn<QString>("text");
    QTest::newRow("orange") << 255 << 128 << 0 << "#ff8000";
    QTest::newRow("black") << 0 << 0 << 0 << "#000000";
    QTest::newRow("doubled pad colour") << 180 << 0 << 254 << "#b400fe";
    QTest::newRow("above 255") << 256 << 0 << 0 << "#000000";
    QTest::newRow("negative") << 10 << -1 << 0 << "#000000";
}

void tst_MainWindow::rgbtoStr()
{
    QFETCH(int, r);
    QFETCH(int, g);
    QFETCH(int, b);
    QFETCH(QString, text);
    QCOMPARE(m_window->rgbtoStr(r, g, b), text);
}

void tst_MainWindow::softVersionHasFourNumbers()
{
    QVERIFY(QRegularExpression("^\\d+\\.\\d+\\.\\d+\\.\\d+$").match(m_window->getSoftVersion()).hasMatch());
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
