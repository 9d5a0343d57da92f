// What the editor's window shows of the controller: the connection indicator, the serial number
// for the about dialog, and the pop-up after a send or a read. The exchanges themselves are the
// controller session's (tst_controllersession).
#include "config/datamanagement.h"
#include "device/virtual/virtualtark9.h"
#include "editorsession.h"

#include <QQuickWindow>
#include <QtTest>

namespace {

constexpr int WaitMs = 5000;

VirtualTark9 &device() { return VirtualTark9::instance(); }

} // namespace

class TestMainWindowDevice : public QObject
{
    Q_OBJECT
private slots:
    void init() { device().reset(); }
    void cleanup() { device().reset(); }

    void theControllersStateReachesTheWindow();
};

void TestMainWindowDevice::theControllersStateReachesTheWindow()
{
    EditorSession session;
    QVERIFY(session.start());
    QQuickWindow *window = session.window();
    QObject *indicator = window->findChild<QObject *>(QStringLiteral("connectText"));
    QVERIFY(indicator);
    QCOMPARE(indicator->property("text").toString(), QStringLiteral("Device connected"));
    QTRY_COMPARE_WITH_TIMEOUT(window->property("serialNumber").toString(), QStringLiteral("KT9V240100001"), WaitMs);

    session.editor().sendData();
    QCOMPARE(window->property("hintKey").toString(), QStringLiteral("sendSucceeded"));
    session.editor().getData();
    QCOMPARE(window->property("hintKey").toString(), QStringLiteral("getSucceeded"));
    QTRY_COMPARE(session.editor().dataManagement()->getVerInfo(), QVariantList({1, 0, 3}));

    device().unplug();
    QTRY_COMPARE(indicator->property("text").toString(), QStringLiteral("No device found"));
    session.editor().getData();
    QCOMPARE(window->property("hintKey").toString(), QStringLiteral("getFailed"));
    device().plug();
    QTRY_COMPARE(indicator->property("text").toString(), QStringLiteral("Device connected"));
}

QTEST_MAIN(TestMainWindowDevice)
#include "tst_mainwindowdevice.moc"
