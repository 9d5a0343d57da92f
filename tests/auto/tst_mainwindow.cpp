// What the window itself answers the scene: colours as text and the program's version. Presets
// are the preset document's (tst_presetdocument), the controller the controller session's
// (tst_controllersession).
#include "app/mainwindow.h"

#include <QtTest>

#include <memory>

class tst_MainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_window = std::make_unique<MainWindow>(); }
    void cleanup() { m_window.reset(); }

    void rgbtoStr_data();
    void rgbtoStr();
    void softVersionHasFourNumbers();

private:
    std::unique_ptr<MainWindow> m_window;
};

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
