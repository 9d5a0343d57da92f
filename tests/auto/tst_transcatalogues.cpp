#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

// The translation catalogues against the sources: lupdate, run over a copy of each catalogue,
// adds every text the sources carry that the catalogue lacks; then every text in use must have
// a finished translation that keeps the source's placeholders.
class tst_TransCatalogues : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void complete_data();
    void complete();

private:
    QString m_sourceDir;
    QString m_lupdate;
};

namespace {

struct Message {
    QString context;
    QString source;
    QString translation;
    QString type;   // "", "unfinished", "vanished" or "obsolete"
};

QList<Message> readCatalogue(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return {};
    }
    QList<Message> messages;
    QString context;
    QXmlStreamReader xml(&file);
    Message message;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            message = Message{context, {}, {}, {}};
        } else if (xml.name() == QLatin1String("source")) {
            message.source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            message.type = xml.attributes().value(QLatin1String("type")).toString();
            message.translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            messages << message;
        }
    }
    if (xml.hasError())
        *error = xml.errorString();
    return messages;
}

QSet<QString> placeholders(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("%L?\\d+"));
    QSet<QString> found;
    auto matches = pattern.globalMatch(text);
    while (matches.hasNext())
        found.insert(matches.next().captured());
    return found;
}

} // namespace

void tst_TransCatalogues::initTestCase()
{
    m_sourceDir = qEnvironmentVariable("TARK9_SOURCE_DIR");
    QVERIFY2(!m_sourceDir.isEmpty(), "TARK9_SOURCE_DIR names the source tree");
    m_lupdate = QStandardPaths::findExecutable(QStringLiteral("lupdate"),
                                               {QLibraryInfo::location(QLibraryInfo::BinariesPath)});
    if (m_lupdate.isEmpty())
        m_lupdate = QStandardPaths::findExecutable(QStringLiteral("lupdate"));
    QVERIFY2(!m_lupdate.isEmpty(), "lupdate (qttools5-dev-tools) is needed");
}

void tst_TransCatalogues::complete_data()
{
    QTest::addColumn<QString>("catalogue");
    QTest::addColumn<QString>("languageName");

    QTest::newRow("English") << "i18n_en.ts" << "English";
    QTest::newRow("Chinese") << "i18n_zh.ts" << "简体中文";
}

void tst_TransCatalogues::complete()
{
    QFETCH(QString, catalogue);
    QFETCH(QString, languageName);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString copy = dir.filePath(catalogue);
    QVERIFY(QFile::copy(m_sourceDir + QStringLiteral("/src/i18n/") + catalogue, copy));
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);

    QProcess lupdate;
    lupdate.start(m_lupdate, {QStringLiteral("-silent"), QStringLiteral("-locations"), QStringLiteral("none"),
                              m_sourceDir + QStringLiteral("/src"), QStringLiteral("-ts"), copy});
    QVERIFY2(lupdate.waitForFinished(120000), "lupdate did not finish");
    QVERIFY2(lupdate.exitStatus() == QProcess::NormalExit && lupdate.exitCode() == 0,
             lupdate.readAllStandardError().constData());

    QString error;
    const QList<Message> messages = readCatalogue(copy, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));

    QStringList faults;
    int inUse = 0;
    for (const Message &message : messages) {
        // Texts of screens still to come wait in the catalogue, out of use.
        if (message.type == QLatin1String("vanished") || message.type == QLatin1String("obsolete"))
            continue;
        ++inUse;
        const QString where = message.context + QStringLiteral(": \"") + message.source + QLatin1Char('"');
        if (message.type == QLatin1String("unfinished") || message.translation.isEmpty())
            faults << where + QStringLiteral(" has no finished translation");
        else if (placeholders(message.translation) != placeholders(message.source))
            faults << where + QStringLiteral(" loses or adds a placeholder: \"") + message.translation + QLatin1Char('"');
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    QVERIFY2(inUse > 0, "lupdate found no texts in the sources");

    const auto name = std::find_if(messages.cbegin(), messages.cend(), [](const Message &message) {
        return message.context == QLatin1String("Trans") && message.source == QLatin1String("TargetLanguage");
    });
    QVERIFY(name != messages.cend());
    QCOMPARE(name->translation, languageName);
}

QTEST_GUILESS_MAIN(tst_TransCatalogues)

#include "tst_transcatalogues.moc"
