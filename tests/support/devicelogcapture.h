#pragma once

#include <QMutex>
#include <QMutexLocker>
#include <QStringList>
#include <QtGlobal>

// Keeps every log message of the process (from any thread) while it lives, so that a test can
// check the lines the device layer writes.
class DeviceLogCapture
{
public:
    DeviceLogCapture()
    {
        current() = this;
        m_previous = qInstallMessageHandler(&DeviceLogCapture::handler);
    }
    ~DeviceLogCapture()
    {
        qInstallMessageHandler(m_previous);
        current() = nullptr;
    }

    QStringList lines() const
    {
        QMutexLocker lock(&m_mutex);
        return m_lines;
    }
    void clear()
    {
        QMutexLocker lock(&m_mutex);
        m_lines.clear();
    }
    int count(const QString &line) const { return lines().count(line); }
    bool containsStart(const QString &prefix) const
    {
        for (const QString &line : lines()) {
            if (line.startsWith(prefix))
                return true;
        }
        return false;
    }

private:
    static DeviceLogCapture *&current()
    {
        static DeviceLogCapture *capture = nullptr;
        return capture;
    }
    static void handler(QtMsgType, const QMessageLogContext &, const QString &message)
    {
        if (DeviceLogCapture *capture = current()) {
            QMutexLocker lock(&capture->m_mutex);
            capture->m_lines << message;
        }
    }

    mutable QMutex m_mutex;
    QStringList m_lines;
    QtMessageHandler m_previous = nullptr;
};
