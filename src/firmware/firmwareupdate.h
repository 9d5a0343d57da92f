#pragma once

#include "firmware/ymodemfiletransmit.h"

#include <QObject>
#include <QString>
#include <QTimer>

// Takes a downloaded firmware image to the controller's boot loader: finds the boot loader's
// serial port, sends the image by YMODEM and tells the user interface how it went.
class FirmwareUpdate : public QObject
{
    Q_OBJECT

public:
    explicit FirmwareUpdate(QObject *parent = nullptr);
    ~FirmwareUpdate() override;

    // Called once the controller has been asked to start its boot loader.
    void startUpdate(const QString &path);

    // How long the boot loader's port is looked for before the update fails (ms); tests shorten
    // it, the editor keeps the default.
    void setPortSearchLimit(int ms);

signals:
    void transmitProgress(int value);
    // Once at the end of every transfer that started.
    void transStatus(bool isSuccess);
    // The update did not start: no boot-loader port, a port that cannot be opened, or another
    // update still running. reason is a sentence for the user.
    void failed(QString reason);
    // From the port search to the end of the transfer (or the failure).
    void runningChanged(bool running);

public slots:
    void transmitStatus(YmodemFileTransmit::Status status);

private:
    void searchPort();
    void fail(const QString &reason);
    void setRunning(bool running);

    YmodemFileTransmit *m_ymodemFileTransmit;
    QTimer m_searchTimer;
    QString m_path;
    int m_searchLimitMs;
    int m_searchesLeft = 0;
    bool m_isRunning = false;
};
