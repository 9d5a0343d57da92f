// The configuration as a document, without a window: presets saved and opened (the files as a
// user finds them), the title with its unsaved mark, the question before unsaved edits are lost,
// and the recent presets.
#include "app/presetdocument.h"
#include "config/datamanagement.h"
#include "promptrecorder.h"

#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

Q_DECLARE_METATYPE(Prompt::Answer)

namespace {

constexpr int PadOffset = 13, PadSize = 7;
constexpr int Pad13Note = PadOffset + PadSize * 12 + 1;   // bank A's pad 13 (model pad 12), 36 by default

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

class tst_PresetDocument : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void saveWritesThePresetAndRemembersWhere();
    void saveThenOpenRestoresImage();
    void openPartialAndBrokenFiles_data();
    void openPartialAndBrokenFiles();
    void failedSaveKeepsPreviousFile_data();
    void failedSaveKeepsPreviousFile();
    void titleMarksUnsavedChanges();
    void unsavedChangesAreAskedAbout_data();
    void unsavedChangesAreAskedAbout();
    void configurationFromTheControllerIsAdoptedWhenNothingIsLost_data();
    void configurationFromTheControllerIsAdoptedWhenNothingIsLost();
    void recentPresets();

private:
    QString path(const char *name) const { return m_dir->filePath(QLatin1String(name)); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QSettings> m_settings;
    std::unique_ptr<PromptRecorder> m_prompts;
    std::unique_ptr<DataManagement> m_model;
    std::unique_ptr<PresetDocument> m_document;
};

void tst_PresetDocument::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_settings = std::make_unique<QSettings>(path("settings.ini"), QSettings::IniFormat);
    m_prompts = std::make_unique<PromptRecorder>();
    m_model = std::make_unique<DataManagement>();
    m_model->initDefaultData();
    m_model->clearHistory();
    m_document = std::make_unique<PresetDocument>(m_model.get(), *m_settings, nullptr);
}

void tst_PresetDocument::cleanup()
{
    m_document.reset();
    m_model.reset();
    m_prompts.reset();
    m_settings.reset();
    m_dir.reset();
}

void tst_PresetDocument::saveWritesThePresetAndRemembersWhere()
{
    const QString first = path("default.stm");
    m_prompts->fileAnswers << first;
    m_document->save();
    QCOMPARE(m_prompts->fileRequests.size(), 1);
    QCOMPARE(m_prompts->fileRequests.first().caption, QString("Save File"));
    QCOMPARE(m_prompts->fileRequests.first().filter, QString("stm (*.stm)"));
    const QByteArray bytes = readFile(first);
    QCOMPARE(bytes.size(), 462);
    QCOMPARE(bytes.left(15), QByteArray::fromHex("000001CAF001000000206F00010000"));
    QCOMPARE(quint8(bytes.at(461)), quint8(0xF7));
    QCOMPARE(bytes.mid(4), m_document->image());

    // A second save goes to the remembered path without asking.
    m_model->setPadInfo(0, "padData", 99);
    m_document->save();
    QCOMPARE(m_prompts->fileRequests.size(), 1);
    QCOMPARE(int(readFile(first).at(4 + PadOffset + 1)), 99);

    // An opened preset is where the next save writes.
    const QString other = path("other.stm");
    writeFile(other, counted(QByteArray::fromHex("F00100"), 3));
    m_prompts->fileAnswers << other;
    m_document->open();
    m_model->setPadInfo(1, "padData", 5);
    m_document->save();
    QCOMPARE(m_prompts->fileRequests.size(), 2);
    QCOMPARE(readFile(other).size(), 462);
    QCOMPARE(int(readFile(other).at(4 + PadOffset + PadSize + 1)), 5);
    QCOMPARE(int(readFile(first).at(4 + PadOffset + PadSize + 1)), 25);

    // A cancelled Save As writes nothing and forgets the name, so the next save asks again.
    m_prompts->fileAnswers << QString() << QString();
    m_document->saveAs();
    m_document->save();
    QCOMPARE(m_prompts->fileRequests.size(), 4);
    QCOMPARE(QDir(m_dir->path()).entryList({"*.stm"}, QDir::Files), QStringList({"default.stm", "other.stm"}));
    QVERIFY(m_prompts->messages.isEmpty());
}

void tst_PresetDocument::saveThenOpenRestoresImage()
{
    QByteArray image = m_document->image();
    image[8] = 2;   // firmware version 2.1.3, as a controller reply would leave it
    image[9] = 1;
    image[10] = 3;
    m_model->loadConfigImage(image.constData(), image.size());
    m_model->setPadInfo(10, "padRGB", QString("#123456"));
    const QByteArray saved = m_document->image();
    m_prompts->fileAnswers << path("preset.stm");
    m_document->saveAs();

    m_model->initDefaultData();
    m_model->loadConfigImage(QByteArray::fromHex("F001000000206F00010000").constData(), 11);
    QVERIFY(m_document->image() != saved);

    QSignalSpy updates(m_model.get(), &DataManagement::s_updateDate);
    m_prompts->fileAnswers << path("preset.stm");
    // The edits after the save are the user's to keep or drop: dropped.
    m_prompts->answers << Prompt::Answer::Discard;
    m_document->open();
    QCOMPARE(updates.count(), 1);
    QCOMPARE(m_document->image(), saved);
    QCOMPARE(m_model->getVerInfo(), QVariantList({2, 1, 3}));
    QCOMPARE(m_prompts->messages.size(), 1);
    QCOMPARE(m_prompts->messages.first().kind, Prompt::Kind::Question);
}

void tst_PresetDocument::openPartialAndBrokenFiles_data()
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

void tst_PresetDocument::openPartialAndBrokenFiles()
{
    QFETCH(QByteArray, contents);
    QFETCH(int, replaced);
    QFETCH(int, updates);
    QFETCH(bool, userTold);
    const QByteArray before = m_document->image();
    writeFile(path("input.stm"), contents);

    QSignalSpy spy(m_model.get(), &DataManagement::s_updateDate);
    m_prompts->fileAnswers << path("input.stm");
    m_prompts->expectedMessages = userTold ? 1 : 0;
    m_document->open();
    QCOMPARE(spy.count(), updates);
    const QByteArray after = m_document->image();
    QCOMPARE(after.mid(replaced), before.mid(replaced));
    QCOMPARE(after.left(replaced), contents.mid(4, replaced));
    QCOMPARE(m_prompts->messages.size(), userTold ? 1 : 0);
}

void tst_PresetDocument::failedSaveKeepsPreviousFile_data()
{
    QTest::addColumn<QString>("failure");
    QTest::newRow("read-only directory") << "read-only";
    // Root writes into read-only directories; a file-size limit makes the write itself fail.
    QTest::newRow("write fails midway") << "size-limit";
}

void tst_PresetDocument::failedSaveKeepsPreviousFile()
{
    QFETCH(QString, failure);
    const QString dir = path("presets");
    QVERIFY(QDir().mkpath(dir));
    const QString preset = dir + "/preset.stm";
    const QByteArray previous = counted(QByteArray(458, char(7)), 458);
    writeFile(preset, previous);

    m_prompts->fileAnswers << preset;
    m_prompts->expectedMessages = 1;
    if (failure == "read-only") {
        if (geteuid() == 0)
            QSKIP("root writes into read-only directories");
        QVERIFY(chmod(QFile::encodeName(dir).constData(), 0555) == 0);
        m_document->saveAs();
        chmod(QFile::encodeName(dir).constData(), 0755);
    } else {
        rlimit saved{};
        QVERIFY(getrlimit(RLIMIT_FSIZE, &saved) == 0);
        rlimit small = saved;
        small.rlim_cur = 100;   // bytes: less than a preset
        auto oldHandler = signal(SIGXFSZ, SIG_IGN);
        QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
        m_document->saveAs();
        setrlimit(RLIMIT_FSIZE, &saved);
        signal(SIGXFSZ, oldHandler);
    }

    QCOMPARE(readFile(preset), previous);
    QCOMPARE(QDir(dir).entryList(QDir::Files), QStringList("preset.stm"));   // no temporary left
    QCOMPARE(m_prompts->messages.size(), 1);
    QCOMPARE(m_prompts->messages.first().kind, Prompt::Kind::Warning);
    QVERIFY(m_prompts->messages.first().text.contains(preset));
}

void tst_PresetDocument::titleMarksUnsavedChanges()
{
    QSignalSpy changed(m_document.get(), &PresetDocument::changed);
    QCOMPARE(m_document->title(), QStringLiteral("Kovela Tark9 Editor"));
    m_prompts->fileAnswers << path("mine.stm");
    m_document->saveAs();
    QCOMPARE(m_document->title(), QStringLiteral("Kovela Tark9 Editor - mine.stm"));
    m_model->setPadInfo(3, "padMode", 1);
    QCOMPARE(m_document->title(), QStringLiteral("Kovela Tark9 Editor - mine.stm *"));
    m_model->undo();
    QCOMPARE(m_document->title(), QStringLiteral("Kovela Tark9 Editor - mine.stm"));
    m_model->redo();
    QCOMPARE(m_document->title(), QStringLiteral("Kovela Tark9 Editor - mine.stm *"));
    m_document->save();
    QCOMPARE(m_document->title(), QStringLiteral("Kovela Tark9 Editor - mine.stm"));
    QCOMPARE(changed.size(), 5);
    m_model->setPadInfo(3, "padMode", 0);
    m_prompts->fileAnswers << QString();
    m_document->saveAs();
    QCOMPARE(m_document->title(), QStringLiteral("Kovela Tark9 Editor *"));
    QCOMPARE(changed.size(), 7);
    QCOMPARE(m_prompts->fileRequests.size(), 2);
}

void tst_PresetDocument::unsavedChangesAreAskedAbout_data()
{
    QTest::addColumn<bool>("edited");
    QTest::addColumn<Prompt::Answer>("answer");
    QTest::addColumn<QString>("savedAs");     // the save dialog's answer; empty: cancelled
    QTest::addColumn<bool>("goOn");
    QTest::newRow("nothing to lose") << false << Prompt::Answer::Cancel << QString() << true;
    QTest::newRow("saved") << true << Prompt::Answer::Save << "kept.stm" << true;
    QTest::newRow("save cancelled") << true << Prompt::Answer::Save << QString() << false;
    QTest::newRow("discarded") << true << Prompt::Answer::Discard << QString() << true;
    QTest::newRow("cancelled") << true << Prompt::Answer::Cancel << QString() << false;
}

void tst_PresetDocument::unsavedChangesAreAskedAbout()
{
    QFETCH(bool, edited);
    QFETCH(Prompt::Answer, answer);
    QFETCH(QString, savedAs);
    QFETCH(bool, goOn);
    if (edited)
        m_model->setPadInfo(5, "padData", 9);
    m_prompts->answers << answer;
    m_prompts->fileAnswers << (savedAs.isEmpty() ? QString() : m_dir->filePath(savedAs));
    QCOMPARE(m_document->confirmUnsavedChanges(), goOn);
    QCOMPARE(m_prompts->messages.size(), edited ? 1 : 0);
    if (edited)
        QCOMPARE(m_prompts->messages.first().kind, Prompt::Kind::Question);
    QCOMPARE(QFile::exists(m_dir->filePath("kept.stm")), !savedAs.isEmpty());
    if (!savedAs.isEmpty())
        QCOMPARE(readFile(m_dir->filePath(savedAs)).mid(4), m_document->image());
}

void tst_PresetDocument::configurationFromTheControllerIsAdoptedWhenNothingIsLost_data()
{
    QTest::addColumn<bool>("titled");
    QTest::addColumn<bool>("edited");
    QTest::addColumn<bool>("modified");
    QTest::newRow("untitled, unchanged: nothing to save") << false << false << false;
    QTest::newRow("untitled, edited") << false << true << true;
    QTest::newRow("a preset's") << true << false << true;
}

void tst_PresetDocument::configurationFromTheControllerIsAdoptedWhenNothingIsLost()
{
    QFETCH(bool, titled);
    QFETCH(bool, edited);
    QFETCH(bool, modified);
    if (titled) {
        m_prompts->fileAnswers << path("mine.stm");
        m_document->save();
    }
    if (edited)
        m_model->setPadInfo(12, "padData", 50);
    QByteArray controller = m_document->image();
    controller[Pad13Note] = 77;
    m_document->load(controller);
    QCOMPARE(m_document->image(), controller);
    QCOMPARE(m_document->isModified(), modified);
    // One undo step, like any other change.
    m_model->undo();
    QCOMPARE(int(m_document->image().at(Pad13Note)), edited ? 50 : 36);
}

void tst_PresetDocument::recentPresets()
{
    QSignalSpy listChanged(m_document.get(), &PresetDocument::recentFilesChanged);
    QStringList paths;
    for (int i = 0; i < PresetDocument::RecentFileCount + 2; ++i) {
        paths.prepend(m_dir->filePath(QStringLiteral("preset%1.stm").arg(i)));
        m_prompts->fileAnswers << paths.first();
        m_document->saveAs();
    }
    QCOMPARE(m_document->recentFiles(), paths.mid(0, PresetDocument::RecentFileCount));
    QCOMPARE(listChanged.size(), PresetDocument::RecentFileCount + 2);
    // Kept in the settings, for the next run.
    QCOMPARE(QSettings(path("settings.ini"), QSettings::IniFormat).value("RecentFiles/presets").toStringList(),
             paths.mid(0, PresetDocument::RecentFileCount));

    QVERIFY(QFile::remove(paths.at(1)));
    m_prompts->expectedMessages = 1;
    m_document->openRecent(paths.at(1));
    QCOMPARE(m_prompts->messages.size(), 1);
    QVERIFY(m_prompts->messages.first().text.contains(QStringLiteral("preset8.stm")));
    QVERIFY(!m_document->recentFiles().contains(paths.at(1)));

    // A preset from the list is opened like any other (asking first about the unsaved edit),
    // and goes to the top.
    m_model->setPadInfo(0, "padData", 1);
    m_prompts->answers << Prompt::Answer::Discard;
    m_document->openRecent(paths.at(2));
    QCOMPARE(m_prompts->messages.size(), 2);
    QCOMPARE(m_prompts->messages.last().kind, Prompt::Kind::Question);
    QCOMPARE(m_document->recentFiles().first(), paths.at(2));
    QCOMPARE(m_document->title(), QStringLiteral("Kovela Tark9 Editor - preset7.stm"));
}

QTEST_MAIN(tst_PresetDocument)
#include "tst_presetdocument.moc"
