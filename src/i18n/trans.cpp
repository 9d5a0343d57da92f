#include "i18n/trans.h"

#include "config/editorsettings.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFont>
#include <QLocale>
#include <QQmlEngine>
#include <QTranslator>

namespace {

const QString CatalogueDir = QStringLiteral(":/i18n");
const QString CataloguePrefix = QStringLiteral("i18n_");
// The length of the language code that follows the prefix ("zh" of i18n_zh.qm) and that is
// compared with the start of the system locale's name ("zh" of zh_CN).
constexpr int LanguageCodeLength = 2;

// Each catalogue names its own language by translating this text.
const char *const LanguageNameContext = "Trans";
const char *const LanguageNameSource = QT_TRANSLATE_NOOP("Trans", "TargetLanguage");

const QString FallbackLanguage = QStringLiteral("English");

const QString LanguageValue = QStringLiteral("Language");

// The interface asks for this family everywhere; where it is not installed (it ships with
// Windows), Chinese text must still come in one consistent CJK font rather than glyph by glyph.
const QString InterfaceFontFamily = QStringLiteral("微软雅黑");
const QStringList InterfaceFontSubstitutes = {
    QStringLiteral("Microsoft YaHei"), QStringLiteral("WenQuanYi Micro Hei"),
    QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Source Han Sans SC")};

} // namespace

Trans::Trans(QQmlEngine *engine, QObject *parent)
    : QObject(parent)
    , m_engine(engine)
{
    QFont::insertSubstitutions(InterfaceFontFamily, InterfaceFontSubstitutes);

    const QString systemCode = QLocale::system().name().left(LanguageCodeLength);
    const QDir dir(CatalogueDir);
    const QStringList files = dir.entryList({QStringLiteral("*.qm")}, QDir::Files, QDir::Name);
    for (const QString &fileName : files) {
        const QString path = dir.filePath(fileName);
        auto translator = QSharedPointer<QTranslator>::create();
        if (!translator->load(path)) {
            qWarning() << "translation catalogue could not be loaded:" << path;
            continue;
        }
        const QString name = translator->translate(LanguageNameContext, LanguageNameSource);
        m_languageList << name;
        m_translators.insert(name, translator);

        const QString fileCode = fileName.startsWith(CataloguePrefix)
                ? fileName.mid(CataloguePrefix.size(), LanguageCodeLength) : QString();
        // Only the first match is installed: a second one would stay installed unseen.
        if (m_currentLanguage.isEmpty() && fileCode.size() == LanguageCodeLength && fileCode == systemCode) {
            install(translator.data());
            m_currentLanguage = name;
        }
    }
    if (m_currentLanguage.isEmpty())
        reTrans(FallbackLanguage);
    emit languageListChanged();
}

void Trans::install(QTranslator *translator)
{
    m_currentTranslator = translator;
    if (translator)
        QCoreApplication::installTranslator(translator);
}

void Trans::reTrans(QString lang)
{
    if (lang.isEmpty() || lang == m_currentLanguage)
        return;
    m_currentLanguage = lang;
    if (m_currentTranslator)
        QCoreApplication::removeTranslator(m_currentTranslator);
    install(m_translators.value(lang).data());
    if (m_engine)
        m_engine->retranslate();
    emit currentLanguageChanged(m_currentLanguage);
}

QString Trans::getLanguage()
{
    return EditorSettings::open().value(LanguageValue).toString();
}

void Trans::setLanguage(QString language)
{
    EditorSettings::open().setValue(LanguageValue, language);
}
