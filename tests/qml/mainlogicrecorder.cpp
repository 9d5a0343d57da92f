#include "mainlogicrecorder.h"

#include <QColor>

void MainLogicRecorder::clear()
{
    m_calls.clear();
    m_openedUrls.clear();
    emit callsChanged();
}

void MainLogicRecorder::record(const QString &call)
{
    m_calls << call;
    emit callsChanged();
}

void MainLogicRecorder::sendData() { record(QStringLiteral("sendData")); }
void MainLogicRecorder::getData() { record(QStringLiteral("getData")); }
void MainLogicRecorder::save() { record(QStringLiteral("save")); }
void MainLogicRecorder::saveAs() { record(QStringLiteral("saveAs")); }
void MainLogicRecorder::openFile() { record(QStringLiteral("openFile")); }
void MainLogicRecorder::openRecentFile(const QString &path) { record(QStringLiteral("openRecentFile ") + path); }
void MainLogicRecorder::compareWithController() { record(QStringLiteral("compareWithController")); }
void MainLogicRecorder::takeControllerConfiguration() { record(QStringLiteral("takeControllerConfiguration")); }
void MainLogicRecorder::playDemo() { record(QStringLiteral("playDemo")); }

QString MainLogicRecorder::exportMonitorLines()
{
    record(QStringLiteral("exportMonitorLines"));
    return m_exportError;
}

// The window always closes: closing with unsaved changes is the real controller's to test.
bool MainLogicRecorder::confirmUnsavedChanges()
{
    record(QStringLiteral("confirmUnsavedChanges"));
    return true;
}

QString MainLogicRecorder::rgbtoStr(int r, int g, int b)
{
    return QColor(r, g, b).name();
}

QUrl MainLogicRecorder::userGuideUrl() const
{
    return QUrl::fromLocalFile(QStringLiteral("/opt/kovela/share/kovelaTark9/kovelaTark9.pdf"));
}

QString MainLogicRecorder::getSoftVersion()
{
    return QStringLiteral("1.0.0.0");
}

QString MainLogicRecorder::helpAddress(const QString &name)
{
    return m_helpAddresses.value(name).toString();
}

void MainLogicRecorder::updateProgra(int x, int y)
{
    record(QStringLiteral("updateProgra(%1,%2)").arg(x).arg(y));
}

void MainLogicRecorder::openUrl(const QUrl &url)
{
    m_openedUrls << url.toString();
    emit callsChanged();
}

QVariantMap MainLogicRecorder::connectionCheck()
{
    record(QStringLiteral("connectionCheck"));
    return m_checkReport;
}
