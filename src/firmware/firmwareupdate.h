#pragma once

#include "firmware/ymodemfiletransmit.h"

#include <QObject>
#include <QString>
#include <QTimer>

// Takes a firmware image to the controller's boot loader: finds the boot loader's serial port,
// sends the image by YMODEM and tells its caller (the editor's dialog, tark9ctl) how it went.
class FirmwareUpdate : public QObject
{
    Q_OBJECT

public:
    // The boot loader's port can take several seconds to enumerate after the command; the update
    // gives up only when it has not appeared for this long.
    static constexpr int DefaultPortSearchLimitMs = 10000;

    // Why an update did not start.
    enum class Failure {
        PortNotFound,     // the port was not there within the search limit
        PortNotOpened,    // the port is there but cannot be opened (in use, or no permission)
        AlreadyRunning,   // another update of this object is still running
        Cancelled         // cancel() ended the port search
    };
    Q_ENUM(Failure)

    explicit FirmwareUpdate(QObject *parent = nullptr);
    ~FirmwareUpdate() override;

    // Called once the controller has been asked to start its boot loader. With a port name, the
    // image goes to that port (one the system lists, or a device file such as a pseudo-terminal)
    // instead of the boot loader's.
    void startUpdate(const QString &path, const QString &portName = QString());

    // How long the port is looked for before the update fails (ms); 0 looks once. Tests and
    // tark9ctl (for a controller that was already in its boot loader) shorten it, the editor
    // keeps the default.
    void setPortSearchLimit(int ms);

    // Stops a running update. While the port is still looked for, the search ends at once with
    // failed(..., Cancelled). A transfer ends with YMODEM's cancel, so that the boot loader drops
    // what it has taken and waits for another image; transStatus(false) follows, and outcome()
    // is then StatusCancelled.
    void cancel();

    bool isRunning() const { return m_isRunning; }
    // How the last transfer ended; read it when transStatus() arrives.
    YmodemFileTransmit::Status outcome() const { return m_outcome; }

signals:
    // The port has been found, and the image is about to be sent on it.
    void portFound(QString portName);
    void transmitProgress(int value);
    // Once at the end of every transfer that started.
    void transStatus(bool isSuccess);
    // The update did not start; reason is a sentence for the user.
    void failed(QString reason, FirmwareUpdate::Failure failure);
    // From the port search to the end of the transfer (or the failure).
    void runningChanged(bool running);

public slots:
    void transmitStatus(YmodemFileTransmit::Status status);

private:
    void searchPort();
    QString findPort() const;
    void cancelSearch();
    void fail(const QString &reason, Failure failure);
    void setRunning(bool running);

    YmodemFileTransmit *m_ymodemFileTransmit;
    QTimer m_searchTimer;
    QString m_path;
    QString m_portName;       // the port asked for; empty for the boot loader's
    int m_searchLimitMs = DefaultPortSearchLimitMs;
    int m_searchesLeft = 0;
    bool m_isRunning = false;
    bool m_transmitting = false;    // from the port opening to the transfer's outcome
    bool m_cancelRequested = false;
    YmodemFileTransmit::Status m_outcome = YmodemFileTransmit::StatusFailed;
};
