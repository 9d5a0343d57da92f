#pragma once

#include "firmware/ymodem.h"

#include <QFile>
#include <QMetaType>
#include <QObject>
#include <QSerialPort>
#include <QTimer>

// Sends one file over a serial port with the YMODEM engine, polling it every 10 ms from the
// event loop and stepping it as soon as the receiver's bytes arrive, and reports progress and
// the outcome by signals.
class YmodemFileTransmit : public QObject, public Ymodem
{
    Q_OBJECT

public:
    explicit YmodemFileTransmit(QObject *parent = nullptr);
    ~YmodemFileTransmit() override;

    void setFileName(const QString &name);
    void setPortName(const QString &name);
    void setBaudRate(int baudrate);
    // The poll period in ms. The protocol's limits are counts of polls, so this scales every
    // time-out with it; tests shorten it, the editor keeps the default of 10 ms.
    void setPollInterval(int ms);

    // False when the port cannot be opened; nothing is then signalled.
    bool startTransmit();
    // Ends a running transfer with YMODEM's cancel (CAN CAN ... on the line); transmitStatus()
    // then reports StatusCancelled. Nothing happens when no transfer runs.
    void cancelTransmit();

signals:
    void transmitProgress(int progress);
    void transmitStatus(YmodemFileTransmit::Status status);

private slots:
    void readTimeOut();
    void writeTimeOut();
    void portReadyRead();
    void answerReceived();

private:
    Code handleStatus(Status status, uint8_t *buffer, uint32_t *length) override;
    int64_t readBytes(uint8_t *buffer, uint32_t length) override;
    int64_t writeBytes(uint8_t *buffer, uint32_t length) override;
    QByteArray takeAllInput() override;

    Code prepareHeader(uint8_t *buffer, uint32_t *length);
    Code preparePiece(uint8_t *buffer, uint32_t *length);
    Code finish(Status status);
    bool hasLineFailed() const;
    bool isWorking() const;

    QFile m_file;
    QTimer m_readTimer;
    QTimer m_writeTimer;
    // Runs from the receiver's bytes arriving to our answer: the line's turnaround.
    QTimer m_answerTimer;
    QSerialPort m_port;
    int m_pollIntervalMs;
    // Set while the engine takes a step: a slot of ours that runs an event loop must not start
    // another step inside it.
    bool m_inStep = false;
    // Whether the current poll has already waited for a reply's turnaround.
    bool m_pollPostponed = false;
    int m_progress = 0;
    Status m_status = StatusEstablishing;
    qint64 m_fileSize = 0;
    qint64 m_bytesRead = 0;
};

Q_DECLARE_METATYPE(YmodemFileTransmit::Status)
