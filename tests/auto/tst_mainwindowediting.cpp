// Editing as a user does: fields changed through the pages' own controls in the editor's
// window, the configuration sent, and the virtual Tark9 holding exactly those values.
#include "app/mainwindow.h"
#include "config/datamanagement.h"
#include "device/virtual/virtualtark9.h"

#include "editorsession.h"

#include <QQmlListReference>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

constexpr int WaitMs = 10000;

// Record layout of the configuration: pads, knobs, strip sections, and the global bytes.
constexpr int PadOffset = 13, PadSize = 7;
constexpr int KnobOffset = 349, KnobSize = 7;
constexpr int StripOffset = 433, StripSize = 4;
constexpr int CurveOffset = 11, LevelOffset = 12;

VirtualTark9 &device() { return VirtualTark9::instance(); }

// Tab `i` of a tab bar.
QQuickItem *tab(QQuickItem *bar, int i)
{
    QQmlListReference tabs(bar, "contentChildren");
    return tabs.isValid() ? qobject_cast<QQuickItem *>(tabs.at(i)) : nullptr;
}

QQuickItem *field(QQuickItem *editorItem, const char *name)
{
    return editorItem ? qvariant_cast<QQuickItem *>(editorItem->property(name)) : nullptr;
}

} // namespace

class tst_MainWindowEditing : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void editsThroughThePagesReachTheController();
    void autoPopulateAppliesPressureAndBrightnessToItsBank();

private:
    // Gives `item` the keyboard focus and types into the window as a user would.
    void typeInto(QQuickItem *item, const QString &text);
    void press(QQuickItem *item, Qt::Key key, int times = 1);

    std::unique_ptr<EditorSession> m_session;
};

void tst_MainWindowEditing::init()
{
    device().reset();
    m_session = std::make_unique<EditorSession>();
    QVERIFY(m_session->start());
    // The arrival's read exchange has filled the editors with the controller's configuration.
    QSignalSpy serial(&m_session->editor(), &MainWindow::s_snNum);
    QVERIFY(serial.wait(WaitMs));
}

void tst_MainWindowEditing::cleanup()
{
    m_session.reset();
    device().reset();
}

void tst_MainWindowEditing::typeInto(QQuickItem *item, const QString &text)
{
    QVERIFY(item);
    item->forceActiveFocus();
    QVERIFY(item->hasActiveFocus());
    QTest::keyClick(m_session->window(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(m_session->window(), Qt::Key_Delete);
    for (const QChar c : text)
        QTest::keyClick(m_session->window(), c.toLatin1());
    QTest::keyClick(m_session->window(), Qt::Key_Return);
}

void tst_MainWindowEditing::press(QQuickItem *item, Qt::Key key, int times)
{
    QVERIFY(item);
    item->forceActiveFocus();
    QVERIFY(item->hasActiveFocus());
    for (int i = 0; i < times; ++i)
        QTest::keyClick(m_session->window(), key);
}

void tst_MainWindowEditing::editsThroughThePagesReachTheController()
{
    // Bank B's top-left pad is pad 28: CC 77 on channel 3, toggle.
    QQuickItem *pad = m_session->findEditor("realIndex", 28, "tabBar");
    QVERIFY(pad);
    QQuickItem *padTabs = field(pad, "tabBar");
    press(tab(padTabs, 1), Qt::Key_Space);
    QCOMPARE(padTabs->property("currentIndex").toInt(), 1);
    typeInto(field(field(pad, "input"), "textInput"), QStringLiteral("77"));
    press(field(pad, "cbxCH"), Qt::Key_Down, 2);
    press(field(pad, "btnState"), Qt::Key_Space);

    // Bank C's second knob is knob 9: pitch bend, LSB min 5, MSB max typed as 300.
    QQuickItem *knob = m_session->findEditor("index", 9, "inputmsbMax");
    QVERIFY(knob);
    press(tab(field(knob, "tabBar"), 2), Qt::Key_Space);
    typeInto(field(field(knob, "inputMin"), "textInput"), QStringLiteral("5"));
    typeInto(field(field(knob, "inputmsbMax"), "textInput"), QStringLiteral("300"));

    // Strip section 4: 99, then MC.
    QQuickItem *strip = m_session->findEditor("index", 4, "btnState");
    QVERIFY(strip);
    typeInto(field(field(strip, "inputValue"), "textInput"), QStringLiteral("99"));
    press(tab(field(strip, "tabBar"), 1), Qt::Key_Space);

    QSignalSpy written(&device(), &VirtualTark9::configurationWritten);
    m_session->editor().sendData();
    QVERIFY(written.count() > 0 || written.wait(WaitMs));
    const QByteArray held = device().configuration();
    QCOMPARE(held.size(), DataManagement::ImageSize);

    const int p = PadOffset + PadSize * 28;
    QCOMPARE(held.mid(p, 4), QByteArray("\x01\x4D\x03\x01", 4));
    const int k = KnobOffset + KnobSize * 9;
    QCOMPARE(int(held.at(k)), 2);
    QCOMPARE(int(held.at(k + 3)), 5);
    QCOMPARE(int(held.at(k + 6)), 127);
    const int s = StripOffset + StripSize * 4;
    QCOMPARE(held.mid(s, 2), QByteArray("\x01\x63", 2));
    // Everything else is what the editor holds (the editor's image keeps the command byte of
    // the reply it was read from): nothing stray was written anywhere.
    const auto &image = m_session->editor().dataManagement()->configImage();
    QCOMPARE(held.mid(2), QByteArray(reinterpret_cast<const char *>(image.data()), int(image.size())).mid(2));
    QCOMPARE(m_session->prompts().messages.size(), 0);
}

// With no row checked, an apply keeps the level and the curve the configuration holds (the
// dialog opens showing them) and sets the brightness the user chose, in its bank only.
void tst_MainWindowEditing::autoPopulateAppliesPressureAndBrightnessToItsBank()
{
    DataManagement *model = m_session->editor().dataManagement();
    model->setCurveInten(QStringLiteral("curve"), 2);
    model->setCurveInten(QStringLiteral("intensity"), 40);
    const auto before = model->configImage();

    // Through its menu entry: the dialog is built when first opened.
    QObject *menuEntry = m_session->window()->findChild<QObject *>(QStringLiteral("autoPopulateAction"));
    QVERIFY(menuEntry);
    QVERIFY(QMetaObject::invokeMethod(menuEntry, "trigger"));
    QObject *dialog = m_session->window()->findChild<QObject *>(QStringLiteral("functionDialog"));
    QVERIFY(dialog);
    QVERIFY(dialog->property("opened").toBool() || QTest::qWaitFor([dialog] { return dialog->property("opened").toBool(); }, WaitMs));
    QObject *slider = dialog->findChild<QObject *>(QStringLiteral("sliderLum"));
    QObject *applyB = dialog->findChild<QObject *>(QStringLiteral("applyB"));
    QVERIFY(slider && applyB);
    // The brightness as the slider's drag sets it.
    slider->setProperty("value", 0.5);
    dialog->setProperty("luminanceChosen", true);
    QVERIFY(QMetaObject::invokeMethod(applyB, "clicked"));

    const auto &after = model->configImage();
    QCOMPARE(int(after[CurveOffset]), 2);
    QCOMPARE(int(after[LevelOffset]), 40);
    for (int pad = 0; pad < 48; ++pad) {
        const int o = PadOffset + PadSize * pad;
        const QByteArray colour(reinterpret_cast<const char *>(&after[o + 4]), 3);
        const QByteArray old(reinterpret_cast<const char *>(&before[o + 4]), 3);
        // Bank B's factory green 90 is full colour 127 at half brightness.
        if (pad / 16 == 1)
            QCOMPARE(colour, QByteArray("\x00\x3F\x00", 3));
        else
            QCOMPARE(colour, old);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(&after[o]), 4),
                 QByteArray(reinterpret_cast<const char *>(&before[o]), 4));
    }
}

QTEST_MAIN(tst_MainWindowEditing)
#include "tst_mainwindowediting.moc"
