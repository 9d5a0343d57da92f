#pragma once

#include <QObject>
#include <QStringList>
#include <QUrl>
#include <QVariantMap>

// Stands in for the controller ("MainLogic") in the QML tests: it has the controller's signals
// and the slots the scene calls, and records every call instead of talking to a device.
class MainLogicRecorder : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QStringList calls READ calls NOTIFY callsChanged)
    Q_PROPERTY(QStringList openedUrls READ openedUrls NOTIFY callsChanged)
    Q_PROPERTY(QVariantMap helpAddresses MEMBER m_helpAddresses)
    Q_PROPERTY(QString documentTitle MEMBER m_documentTitle NOTIFY documentChanged)
    Q_PROPERTY(QString desktopTitle MEMBER m_documentTitle NOTIFY documentChanged)
    Q_PROPERTY(QStringList recentFiles MEMBER m_recentFiles NOTIFY recentFilesChanged)
    Q_PROPERTY(QString midiSystemProblem MEMBER m_midiSystemProblem NOTIFY midiSystemProblemChanged)
    // What connectionCheck() answers.
    Q_PROPERTY(QVariantMap checkReport MEMBER m_checkReport)
    Q_PROPERTY(bool demoMode MEMBER m_demoMode NOTIFY demoModeChanged)
    // What exportMonitorLines() answers.
    Q_PROPERTY(QString exportError MEMBER m_exportError)
public:
    using QObject::QObject;

    QStringList calls() const { return m_calls; }
    QStringList openedUrls() const { return m_openedUrls; }

    Q_INVOKABLE void clear();
    Q_INVOKABLE QUrl userGuideUrl() const;
    Q_INVOKABLE QVariantMap connectionCheck();
    Q_INVOKABLE void playDemo();
    Q_INVOKABLE QString exportMonitorLines();

signals:
    void showHint(bool isSend, bool isSuccess);
    void devStateChanged(bool state);
    void s_snNum(QString snStr);
    void callsChanged();
    void documentChanged();
    void recentFilesChanged();
    void midiSystemProblemChanged();
    void compared(const QStringList &differences);
    void demoModeChanged();

public slots:
    void sendData();
    void getData();
    void save();
    void saveAs();
    void openFile();
    QString getSoftVersion();
    QString helpAddress(const QString &name);
    QString rgbtoStr(int r, int g, int b);
    void updateProgra(int x, int y);
    bool confirmUnsavedChanges();
    void openRecentFile(const QString &path);
    void compareWithController();
    void takeControllerConfiguration();

    // Receives what the scene hands to the desktop's URL handler (installed by the tests).
    void openUrl(const QUrl &url);

private:
    void record(const QString &call);

    QStringList m_calls;
    QStringList m_openedUrls;
    QVariantMap m_helpAddresses;
    QString m_documentTitle = QStringLiteral("Kovela Tark9 Editor");
    QStringList m_recentFiles;
    QString m_midiSystemProblem;
    QVariantMap m_checkReport;
    bool m_demoMode = false;
    QString m_exportError;
};
