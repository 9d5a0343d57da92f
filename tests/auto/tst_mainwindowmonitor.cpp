// The MIDI monitor and touch select in the editor's window, with the virtual controller played
// from the editor's demo mode as a user plays it (View > Play Demo): the monitor's window lists
// what was played, naming the controls, and saves it as text; touch select follows the played
// controls to their banks and editors.
#include "app/mainwindow.h"
#include "app/touchselect.h"
#include "device/midimonitor.h"

#include "editorsession.h"

#include <QQuickItem>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

constexpr int WaitMs = 10000;

// Every text the items below `item` show, in item order.
QStringList textsBelow(QQuickItem *item)
{
    QStringList texts;
    const QVariant text = item->property("text");
    if (text.type() == QVariant::String && !text.toString().isEmpty())
        texts << text.toString();
    const QList<QQuickItem *> children = item->childItems();
    for (QQuickItem *child : children)
        texts << textsBelow(child);
    return texts;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class tst_MainWindowMonitor : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void monitorWindowShowsTheDemo();
    void touchSelectFollowsTheDemo();

private:
    // Triggers the menu entry named `name`, as a click on it does.
    void trigger(const char *name);
    QQuickWindow *monitorWindow() const;

    std::unique_ptr<EditorSession> m_session;
};

void tst_MainWindowMonitor::init()
{
    m_session = std::make_unique<EditorSession>();
    QVERIFY(m_session->start());
    // The arrival's exchanges are over: the controller's configuration is the editor's.
    QSignalSpy serial(&m_session->editor(), &MainWindow::s_snNum);
    QVERIFY(serial.wait(WaitMs));
    QVERIFY(m_session->editor().demoMode());
}

void tst_MainWindowMonitor::cleanup()
{
    m_session.reset();
}

void tst_MainWindowMonitor::trigger(const char *name)
{
    QObject *action = m_session->window()->findChild<QObject *>(QLatin1String(name));
    QVERIFY2(action, name);
    QVERIFY(action->property("enabled").toBool());
    QVERIFY(QMetaObject::invokeMethod(action, "trigger"));
}

QQuickWindow *tst_MainWindowMonitor::monitorWindow() const
{
    QObject *loader = m_session->window()->findChild<QObject *>(QStringLiteral("midiMonitorLoader"));
    return loader ? qvariant_cast<QQuickWindow *>(loader->property("item")) : nullptr;
}

void tst_MainWindowMonitor::monitorWindowShowsTheDemo()
{
    MidiMonitor &monitor = m_session->editor().midiMonitor();
    QVERIFY(!monitor.isActive());
    trigger("midiMonitorAction");
    QQuickWindow *window = monitorWindow();
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QVERIFY(monitor.isActive());
    auto *lines = window->findChild<QQuickItem *>(QStringLiteral("monitorLines"));
    QVERIFY(lines);
    QCOMPARE(lines->property("count").toInt(), 0);

    trigger("playDemoAction");
    // The demo's last move: strip section 6 let go.
    QTRY_VERIFY_WITH_TIMEOUT(monitor.rowCount() > 0
                                 && monitor.index(monitor.rowCount() - 1).data(MidiMonitor::TextRole).toString() == QLatin1String("Control Change 26 = 0"),
                             WaitMs);
    QCOMPARE(lines->property("count").toInt(), monitor.rowCount());
    // The window shows the newest lines, each naming the control that played it.
    QTRY_VERIFY(textsBelow(lines).contains(QStringLiteral("Strip section 6")));
    QVERIFY(textsBelow(lines).contains(QStringLiteral("B0 1A 00")));
    QStringList controls;
    for (int row = 0; row < monitor.rowCount(); ++row)
        controls << monitor.index(row).data(MidiMonitor::ControlsTextRole).toString();
    for (const char *played : {"Pad 1, bank A", "Pad 4, bank A", "Pad 1, bank B", "Pad 1, bank C", "Knob 1, bank A", "Knob 1, bank B", "Strip section 1"})
        QVERIFY2(controls.contains(QLatin1String(played)), played);

    // Export writes every line to the file the user chooses.
    QTemporaryDir dir;
    m_session->prompts().fileAnswers << dir.filePath("demo.txt");
    QObject *exportButton = window->findChild<QObject *>(QStringLiteral("exportButton"));
    QVERIFY(exportButton);
    QVERIFY(QMetaObject::invokeMethod(exportButton, "clicked"));
    QCOMPARE(m_session->prompts().fileRequests.size(), 1);
    const QList<QByteArray> saved = readFile(dir.filePath("demo.txt")).trimmed().split('\n');
    QCOMPARE(saved.size(), monitor.rowCount());
    QVERIFY(saved.last().contains("Strip section 6"));
    QCOMPARE(window->findChild<QQuickItem *>(QStringLiteral("exportError"))->property("text").toString(), QString());

    // Closed, the monitor lets go of the controller's input.
    window->close();
    QTRY_VERIFY(!monitor.isActive());
}

void tst_MainWindowMonitor::touchSelectFollowsTheDemo()
{
    auto *padPages = m_session->window()->findChild<QQuickItem *>(QStringLiteral("padSwipeView"));
    auto *knobPages = m_session->window()->findChild<QQuickItem *>(QStringLiteral("bqmView"));
    QVERIFY(padPages && knobPages);
    QQuickItem *lastStrip = m_session->findEditor("index", 5, "btnState");
    QVERIFY(lastStrip);
    // Played with the monitor on as well, whose last line says when the demo is over.
    MidiMonitor &monitor = m_session->editor().midiMonitor();
    monitor.setActive(true);
    const auto playDemo = [this, &monitor] {
        monitor.clear();
        trigger("playDemoAction");
        QTRY_VERIFY_WITH_TIMEOUT(monitor.rowCount() > 0
                                     && monitor.index(monitor.rowCount() - 1).data(MidiMonitor::TextRole).toString() == QLatin1String("Control Change 26 = 0"),
                                 WaitMs);
    };

    // Off, playing moves nothing.
    playDemo();
    QTest::qWait(2 * TouchSelect::SettleMs);
    QCOMPARE(padPages->property("currentIndex").toInt(), 0);
    QCOMPARE(knobPages->property("currentIndex").toInt(), 0);
    QVERIFY(!lastStrip->property("selected").toBool());

    // On: the demo's last moves were bank C's first pad, bank B's first knob, then the strip.
    trigger("touchSelectAction");
    QVERIFY(m_session->editor().touchSelect().isEnabled());
    playDemo();
    QTRY_VERIFY(lastStrip->property("selected").toBool());
    QVERIFY(lastStrip->hasActiveFocus());
    QCOMPARE(padPages->property("currentIndex").toInt(), 2);
    QCOMPARE(knobPages->property("currentIndex").toInt(), 1);
}

QTEST_MAIN(tst_MainWindowMonitor)
#include "tst_mainwindowmonitor.moc"
