#pragma once

#include <QByteArray>
#include <QCryptographicHash>
#include <QFile>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

// Asks the firmware download server whether a newer image exists (describe.json), tells the
// user interface what it found, and downloads the image into the application's data directory.
//
// The server's address and account come from the settings (group "FirmwareServer": "host",
// "port", "user", "password", and "timeout", the seconds a transfer may stay silent).
class MyFtp : public QObject
{
    Q_OBJECT

public:
    enum RequestKind { RequestCatalogue = 0, RequestImage = 1 };

    explicit MyFtp(QObject *parent = nullptr);
    ~MyFtp() override;

    void setConnected(bool isConnected);
    void setCurrentVersion(const QString &version);

public slots:
    void checkOnLineFirmware();
    void downloadFir();

signals:
    void showDialog();
    void info(QString name, double ver, QStringList infoList);
    void downloadComplete(QString filePath);
    // The check or the download ended without a result; reason is a sentence for the user.
    void checkFailed(QString reason);
    void downloadFailed(QString reason);

private slots:
    void httpFinished();
    void httpReadyRead();

private:
    QUrl buildUrl(RequestKind kind);
    bool openOutputFile(const QUrl &url);
    void startRequest(const QUrl &url);
    void releaseReply();
    void stallTimeOut();
    void absorb(const QByteArray &data);
    QString failureReason(QNetworkReply *reply) const;
    bool parseCatalogue();
    void finishCatalogue();
    void finishImage(QNetworkReply *reply);
    QString imageRefusal(QNetworkReply *reply);

    QNetworkAccessManager *m_manager;
    QNetworkReply *m_reply = nullptr;
    QFile m_file;
    int m_requestKind = RequestCatalogue;
    QByteArray m_catalogue;
    QString m_currentVersion;
    bool m_isConnected = false;
    QString m_name;
    double m_ver = 0.0;
    QStringList m_infoList;
    // The image's expected SHA-256 digest (raw bytes), empty when the catalogue gives none.
    QByteArray m_sha256;
    bool m_catalogueTooLarge = false;
    qint64 m_bytesReceived = 0;
    QCryptographicHash m_imageHash;
    bool m_writeFailed = false;
    QTimer m_stallTimer;
    bool m_stalled = false;
};
