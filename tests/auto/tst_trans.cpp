#include "i18n/trans.h"

#include <QApplication>
#include <QProcess>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <memory>

namespace {

const char *const ProbeArgument = "--probe-construction";
const QString Chinese = QStringLiteral("简体中文");
const QString English = QStringLiteral("English");

// A text that the catalogues translate differently, to tell which one is installed.
QString saveFileCaption()
{
    return QCoreApplication::translate("PresetDocument", "Save File");
}

void clearSavedLanguage()
{
    QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Kovela"), QStringLiteral("kovelaTark9")).clear();
}

} // namespace

// Runs in a child process: the system locale is read from the environment once per process,
// and signals sent during construction can only be seen by Qt Test's signal log ("-vs").
class ConstructionProbe : public QObject
{
    Q_OBJECT

private slots:
    void construct()
    {
        QQmlEngine engine;
        Trans trans(&engine);
        std::printf("language=%s\ncaption=%s\n", trans.currentLanguage().toUtf8().constData(),
                    saveFileCaption().toUtf8().constData());
        std::fflush(stdout);
    }
};

class tst_Trans : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void constructionFollowsSystemLocale_data();
    void constructionFollowsSystemLocale();
    void languageListInCatalogueOrder();
    void reTrans_data();
    void reTrans();
    void savedLanguageRoundTrip();
    void qmlTextsFollowTheLanguage();

private:
    QTemporaryDir m_settingsDir;
    std::unique_ptr<QQmlEngine> m_engine;
    std::unique_ptr<Trans> m_trans;
};

void tst_Trans::initTestCase()
{
    QVERIFY(m_settingsDir.isValid());
    // Never the user's own settings.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settingsDir.path());
}

void tst_Trans::init()
{
    clearSavedLanguage();
    m_trans.reset();
    m_engine = std::make_unique<QQmlEngine>();
    m_trans = std::make_unique<Trans>(m_engine.get());
}

void tst_Trans::constructionFollowsSystemLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("signalCount");

    // A matching catalogue is installed quietly; without one English is chosen, with a signal.
    QTest::newRow("zh_CN") << "zh_CN.UTF-8" << Chinese << "保存文件" << 0;
    QTest::newRow("zh_TW") << "zh_TW.UTF-8" << Chinese << "保存文件" << 0;
    QTest::newRow("en_US") << "en_US.UTF-8" << English << "Save File" << 0;
    QTest::newRow("fr_FR") << "fr_FR.UTF-8" << English << "Save File" << 1;
    QTest::newRow("C") << "C" << English << "Save File" << 1;
}

void tst_Trans::constructionFollowsSystemLocale()
{
    QFETCH(QString, locale);
    QFETCH(QString, language);
    QFETCH(QString, caption);
    QFETCH(int, signalCount);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"LC_ALL", "LC_NUMERIC", "LC_MESSAGES", "LANG", "LANGUAGE"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("LC_ALL"), locale);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_settingsDir.path());
    QProcess child;
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(ProbeArgument)});
    QVERIFY2(child.waitForFinished(60000), "the probe did not finish");
    const QString output = QString::fromUtf8(child.readAllStandardOutput());
    QCOMPARE(child.exitCode(), 0);

    QVERIFY2(output.contains(QStringLiteral("language=") + language + QLatin1Char('\n')), qPrintable(output));
    QVERIFY2(output.contains(QStringLiteral("caption=") + caption + QLatin1Char('\n')), qPrintable(output));
    QCOMPARE(output.count(QStringLiteral("currentLanguageChanged")), signalCount);
    QCOMPARE(output.count(QStringLiteral("languageListChanged")), 1);
}

void tst_Trans::languageListInCatalogueOrder()
{
    // i18n_en.qm sorts before i18n_zh.qm; each is named by its own "TargetLanguage".
    QCOMPARE(m_trans->languageList(), QStringList({English, Chinese}));
}

void tst_Trans::reTrans_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QString>("current");
    QTest::addColumn<int>("signalCount");
    QTest::addColumn<QString>("caption");

    QTest::newRow("to Chinese") << English << Chinese << Chinese << 1 << "保存文件";
    QTest::newRow("to English") << Chinese << English << English << 1 << "Save File";
    QTest::newRow("already active") << Chinese << Chinese << Chinese << 0 << "保存文件";
    QTest::newRow("empty keeps the language") << Chinese << QString() << Chinese << 0 << "保存文件";
    // A name no catalogue carries (a hand-edited setting): source texts, but still announced.
    QTest::newRow("unknown language") << Chinese << "Klingon" << "Klingon" << 1 << "Save File";
}

void tst_Trans::reTrans()
{
    QFETCH(QString, start);
    QFETCH(QString, lang);
    QFETCH(QString, current);
    QFETCH(int, signalCount);
    QFETCH(QString, caption);

    m_trans->reTrans(start);
    QCOMPARE(m_trans->currentLanguage(), start);
    QSignalSpy spy(m_trans.get(), &Trans::currentLanguageChanged);

    m_trans->reTrans(lang);

    QCOMPARE(m_trans->currentLanguage(), current);
    QCOMPARE(spy.count(), signalCount);
    if (signalCount)
        QCOMPARE(spy.first().first().toString(), current);
    QCOMPARE(saveFileCaption(), caption);
}

void tst_Trans::savedLanguageRoundTrip()
{
    QCOMPARE(m_trans->getLanguage(), QString());

    const QString before = m_trans->currentLanguage();
    QSignalSpy spy(m_trans.get(), &Trans::currentLanguageChanged);
    m_trans->setLanguage(Chinese);
    // Saving only saves: the switch is reTrans's.
    QCOMPARE(spy.count(), 0);
    QCOMPARE(m_trans->currentLanguage(), before);

    // The next run's object reads what this one saved, non-ASCII name included.
    QQmlEngine engine;
    Trans nextRun(&engine);
    QCOMPARE(nextRun.getLanguage(), Chinese);
    m_trans->setLanguage(English);
    QCOMPARE(nextRun.getLanguage(), English);
}

void tst_Trans::qmlTextsFollowTheLanguage()
{
    m_trans->reTrans(English);
    QQmlComponent component(m_engine.get());
    // qsTr takes its context from the file name, as in the editor's own MainPage.qml.
    component.setData("import QtQml 2.15\nQtObject { property string text: qsTr(\"SEND TO HARDWARE\") }",
                      QUrl(QStringLiteral("qrc:/qml/modular/MainPage.qml")));
    std::unique_ptr<QObject> object(component.create());
    QVERIFY2(object, qPrintable(component.errorString()));
    QCOMPARE(object->property("text").toString(), QStringLiteral("SEND TO HARDWARE"));

    m_trans->reTrans(Chinese);
    QCOMPARE(object->property("text").toString(), QStringLiteral("发送到硬件"));
    m_trans->reTrans(English);
    QCOMPARE(object->property("text").toString(), QStringLiteral("SEND TO HARDWARE"));
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc > 1 && qstrcmp(argv[1], ProbeArgument) == 0) {
        ConstructionProbe probe;
        return QTest::qExec(&probe, {QString::fromLocal8Bit(argv[0]), QStringLiteral("-vs")});
    }
    tst_Trans test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_trans.moc"
