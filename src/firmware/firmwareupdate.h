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

signals:
    void transmitProgress(int value);
    // Once at the end of every transfer that started.
    void transStatus(bool isSuccess);

public slots:
    void transmitStatus(YmodemFileTransmit::Status status);

private:
    void searchPort();

    YmodemFileTransmit *m_ymodemFileTransmit;
    QTimer m_searchTimer;
    QString m_path;
    int m_searchesLeft = 0;
    bool m_isTransmitting = false;
};
