#pragma once

#include <QByteArray>
#include <QCryptographicHash>
#include <QSaveFile>
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
    // While an update runs, the image on disk may be on its way to the boot loader: no download
    // may replace it.
    void setUpdateRunning(bool running);

signals:
    void showDialog();
    void info(QString name, double ver, QStringList infoList);
    void downloadComplete(QString filePath);
    // The check or the download ended without a result; reason is a sentence for the user.
    void checkFailed(QString reason);
    void downloadFailed(QString reason);
    // The request was not even started (no device, or its version unknown); no dialog is open,
    // so the user is told by a message box.
    void refused(QString reason);
    // Percent of the image received, 0 to 100, each value once; only when its size is known
    // (from the server or the catalogue).
    void downloadProgress(int percent);

private slots:
    void httpFinished();
    void httpReadyRead();

private:
    QUrl buildUrl(RequestKind kind);
    bool openOutputFile(const QUrl &url);
    void startRequest(const QUrl &url);
    void releaseReply();
    void stallTimeOut();
    void absorb(QNetworkReply *reply);
    void reportProgress(QNetworkReply *reply);
    void discardImage();
    QString unsavableReason() const;
    QString failureReason(QNetworkReply *reply) const;
    bool parseCatalogue();
    void finishCatalogue();
    void finishImage(QNetworkReply *reply);
    QString imageRefusal(QNetworkReply *reply);

    QNetworkAccessManager *m_manager = nullptr;
    QNetworkReply *m_reply = nullptr;
    // Written under a temporary name beside the final one and renamed only once whole and
    // verified, so that a failed or replaced download never leaves a partial image under the
    // name the update procedure reads.
    QSaveFile m_file;
    int m_requestKind = RequestCatalogue;
    QByteArray m_catalogue;
    QString m_currentVersion;
    bool m_isConnected = false;
    QString m_name;
    double m_ver = 0.0;
    QStringList m_infoList;
    // The image's expected SHA-256 digest (raw bytes), empty when the catalogue gives none.
    QByteArray m_sha256;
    // The image's size in bytes from the catalogue, -1 when it gives none.
    qint64 m_catalogueSize = -1;
    // The last percentage signalled, -1 before the first.
    int m_progress = -1;
    bool m_updateRunning = false;
    bool m_catalogueTooLarge = false;
    qint64 m_bytesReceived = 0;
    QCryptographicHash m_imageHash;
    bool m_writeFailed = false;
    QTimer m_stallTimer;
    bool m_stalled = false;
};
