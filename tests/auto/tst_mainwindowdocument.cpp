// The configuration as a document in the editor's window: undo and redo of every kind of change
// by keys and menu, the title strip, the question when the window is closed on unsaved edits,
// and the comparison dialog. Driven through the window against the virtual Tark9; the document's
// and the session's own rules are tested without a window (tst_presetdocument,
// tst_controllersession).
#include "app/mainwindow.h"
#include "config/datamanagement.h"
#include "config/presetfile.h"
#include "device/virtual/virtualtark9.h"

#include "editorsession.h"

#include <QQuickItem>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

constexpr int WaitMs = 10000;
constexpr int PadOffset = 13, PadSize = 7;
constexpr int Pad13Note = PadOffset + PadSize * 12 + 1;   // bank A's pad 13 (model pad 12)

VirtualTark9 &device() { return VirtualTark9::instance(); }

} // namespace

Q_DECLARE_METATYPE(Prompt::Answer)

class tst_MainWindowDocument : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qApp->setQuitOnLastWindowClosed(false); }
    void init();
    void cleanup();

    void undoAndRedoEachKindOfChange_data();
    void undoAndRedoEachKindOfChange();
    void titleMarksUnsavedChanges();
    void closeWithUnsavedChanges_data();
    void closeWithUnsavedChanges();
    void compareWithTheController();

private:
    QString title() const { return m_session->window()->findChild<QObject *>(QStringLiteral("titleText"))->property("text").toString(); }
    void trigger(const char *action);
    QByteArray image() const { return m_session->image(); }

    QTemporaryDir m_dir;
    std::unique_ptr<EditorSession> m_session;
};

void tst_MainWindowDocument::init()
{
    device().reset();
    m_session = std::make_unique<EditorSession>();
    QVERIFY(m_session->start());
    // The arrival's read has loaded the controller's configuration (its reply's command byte).
    QTRY_COMPARE_WITH_TIMEOUT(int(image().at(1)), int(VirtualTark9::ReplyCommand), WaitMs);
}

void tst_MainWindowDocument::cleanup()
{
    m_session.reset();
    device().reset();
}

void tst_MainWindowDocument::trigger(const char *action)
{
    QObject *entry = m_session->window()->findChild<QObject *>(QLatin1String(action));
    QVERIFY(entry);
    QVERIFY(entry->property("enabled").toBool());
    QVERIFY(QMetaObject::invokeMethod(entry, "trigger"));
}

void tst_MainWindowDocument::undoAndRedoEachKindOfChange_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("pad edit") << "pad";
    QTest::newRow("Auto Populate apply") << "apply";
    QTest::newRow("preset opened") << "open";
    QTest::newRow("read from the controller") << "read";
    QTest::newRow("defaults restored") << "defaults";
}

void tst_MainWindowDocument::undoAndRedoEachKindOfChange()
{
    QFETCH(QString, change);
    // Unsaved edits first, so that opening and reading ask before they replace them.
    m_session->editor().dataManagement()->setPadInfo(40, "padCh", 7);
    const QByteArray before = image();
    QVERIFY(!m_session->editor().dataManagement()->canRedo());
    const bool asked = change == "open" || change == "read";
    if (asked)
        m_session->prompts().answers << Prompt::Answer::Discard;

    if (change == "pad") {
        QQuickItem *pad = m_session->findEditor("realIndex", 12, "input");
        QVERIFY(pad);
        auto *box = qvariant_cast<QQuickItem *>(qvariant_cast<QQuickItem *>(pad->property("input"))->property("textInput"));
        box->forceActiveFocus();
        QTest::keyClick(m_session->window(), Qt::Key_A, Qt::ControlModifier);
        for (const char c : QByteArray("101"))
            QTest::keyClick(m_session->window(), c);
        QTest::keyClick(m_session->window(), Qt::Key_Return);
        QCOMPARE(int(image().at(Pad13Note)), 101);
    } else if (change == "apply") {
        trigger("autoPopulateAction");
        QObject *dialog = m_session->window()->findChild<QObject *>(QStringLiteral("functionDialog"));
        QVERIFY(dialog);
        // The brightness as the slider's drag sets it.
        dialog->findChild<QObject *>(QStringLiteral("sliderLum"))->setProperty("value", 0.25);
        dialog->setProperty("luminanceChosen", true);
        QVERIFY(QMetaObject::invokeMethod(dialog->findChild<QObject *>(QStringLiteral("applyA")), "clicked"));
        QVERIFY(QMetaObject::invokeMethod(dialog, "close"));
    } else if (change == "open") {
        QByteArray preset = before;
        preset[Pad13Note] = 3;
        preset[PadOffset + 2] = 16;
        const QString path = m_dir.filePath("other.stm");
        QString error;
        QVERIFY(PresetFile::write(path, preset, &error));
        m_session->prompts().fileAnswers << path;
        trigger("openAction");
    } else if (change == "read") {
        QByteArray held = device().configuration();
        held[Pad13Note] = 77;
        device().setConfiguration(held);
        trigger("getAction");
        QTRY_COMPARE_WITH_TIMEOUT(int(image().at(Pad13Note)), 77, WaitMs);
    } else {
        trigger("restoreAction");
    }
    const QByteArray after = image();
    QVERIFY(after != before);
    QCOMPARE(m_session->prompts().messages.size(), asked ? 1 : 0);
    if (asked)
        QCOMPARE(m_session->prompts().messages.first().kind, Prompt::Kind::Question);

    // One step back and forth, by the keys and by the menu, whatever the change was made of.
    m_session->window()->requestActivate();
    QVERIFY(QTest::qWaitForWindowActive(m_session->window()));
    // A number box that still has the focus takes these keys for its own text.
    if (QQuickItem *focused = m_session->window()->activeFocusItem())
        focused->setFocus(false);
    QTest::keyClick(m_session->window(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(image(), before);
    QTest::keyClick(m_session->window(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(image(), after);
    trigger("undoAction");
    QCOMPARE(image(), before);
    QTest::keyClick(m_session->window(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(image(), after);
    QVERIFY(!m_session->window()->findChild<QObject *>(QStringLiteral("redoAction"))->property("enabled").toBool());
}

void tst_MainWindowDocument::titleMarksUnsavedChanges()
{
    // The configuration read on arrival is nothing of the user's to save.
    QCOMPARE(title(), QStringLiteral("Kovela Tark9 Editor"));
    m_session->prompts().fileAnswers << m_dir.filePath("mine.stm");
    trigger("saveAsAction");
    QCOMPARE(title(), QStringLiteral("Kovela Tark9 Editor - mine.stm"));
    QCOMPARE(m_session->editor().recentFiles().value(0), m_dir.filePath("mine.stm"));
    m_session->editor().dataManagement()->setPadInfo(3, "padMode", 1);
    QCOMPARE(title(), QStringLiteral("Kovela Tark9 Editor - mine.stm *"));
    QCOMPARE(m_session->window()->title(), m_session->editor().desktopTitle());
    trigger("saveAction");
    QCOMPARE(title(), QStringLiteral("Kovela Tark9 Editor - mine.stm"));
    QCOMPARE(m_session->prompts().fileRequests.size(), 1);
}

void tst_MainWindowDocument::closeWithUnsavedChanges_data()
{
    QTest::addColumn<Prompt::Answer>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("saved");
    QTest::newRow("save") << Prompt::Answer::Save << true << true;
    QTest::newRow("discard") << Prompt::Answer::Discard << true << false;
    QTest::newRow("cancel") << Prompt::Answer::Cancel << false << false;
}

void tst_MainWindowDocument::closeWithUnsavedChanges()
{
    QFETCH(Prompt::Answer, answer);
    QFETCH(bool, closed);
    QFETCH(bool, saved);
    const QString path = m_dir.filePath("closing.stm");
    QFile::remove(path);
    m_session->editor().dataManagement()->setPadInfo(5, "padData", 9);
    m_session->prompts().answers << answer;
    m_session->prompts().fileAnswers << path;
    m_session->window()->close();
    QCOMPARE(m_session->prompts().messages.size(), 1);
    QCOMPARE(m_session->prompts().messages.first().kind, Prompt::Kind::Question);
    QCOMPARE(m_session->window()->isVisible(), !closed);
    QCOMPARE(QFile::exists(path), saved);
    if (saved)
        QCOMPARE(PresetFile::read(path).block, image());
}

// The comparison's differences are shown in their dialog, whose button takes the controller's.
void tst_MainWindowDocument::compareWithTheController()
{
    QByteArray held = device().configuration();
    const QByteArray editorImage = image();
    held[Pad13Note] = 40;
    device().setConfiguration(held);

    QSignalSpy compared(&m_session->editor(), &MainWindow::compared);
    trigger("compareAction");
    QVERIFY(compared.wait(WaitMs));
    QCOMPARE(compared.first().first().toStringList(), QStringList(QStringLiteral("pad A13 note: editor 36, controller 40")));
    QObject *dialog = m_session->window()->findChild<QObject *>(QStringLiteral("compareDialog"));
    QVERIFY(dialog);
    QTRY_VERIFY(dialog->property("opened").toBool());
    QCOMPARE(image(), editorImage);
    QVERIFY(QMetaObject::invokeMethod(dialog->findChild<QObject *>(QStringLiteral("takeControllerButton")), "clicked"));
    QCOMPARE(int(image().at(Pad13Note)), 40);
    QVERIFY(m_session->prompts().messages.isEmpty());
}

QTEST_MAIN(tst_MainWindowDocument)
#include "tst_mainwindowdocument.moc"
