#pragma once

#include <QMap>
#include <QObject>
#include <QSharedPointer>
#include <QString>
#include <QStringList>

class QQmlEngine;
class QTranslator;

// Switches the interface language at run time and remembers the user's choice between runs.
// Every catalogue built into ":/i18n" is one language, named by the text it gives for
// "TargetLanguage" in context "Trans"; that name is the key everywhere (menu, saved setting).
class Trans : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QStringList languageList READ languageList NOTIFY languageListChanged)
    Q_PROPERTY(QString currentLanguage READ currentLanguage NOTIFY currentLanguageChanged)
public:
    Trans(QQmlEngine *engine, QObject *parent = nullptr);

    QStringList languageList() const { return m_languageList; }
    QString currentLanguage() const { return m_currentLanguage; }

    Q_INVOKABLE void reTrans(QString lang);

signals:
    void languageListChanged();
    void currentLanguageChanged(QString currentLanguage);

public slots:
    QString getLanguage();
    void setLanguage(QString language);

private:
    void install(QTranslator *translator);

    QMap<QString, QSharedPointer<QTranslator>> m_translators;
    QTranslator *m_currentTranslator = nullptr;
    QStringList m_languageList;
    QQmlEngine *m_engine = nullptr;
    QString m_currentLanguage;
};
