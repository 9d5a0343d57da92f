#pragma once

#include "firmware/firmwarecatalogue.h"

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
// "port", "user", "password"; "timeout", the seconds a transfer may stay silent and the whole
// check may take; "maxImageSize", the most bytes an image may have when the catalogue gives no
// size).
class MyFtp : public QObject
{
    Q_OBJECT

public:
    enum RequestKind { RequestCatalogue = 0, RequestImage = 1 };

    explicit MyFtp(QObject *parent = nullptr);
    ~MyFtp() override;

    void setConnected(bool isConnected);
    void setCurrentVersion(const QString &version);
    // The last catalogue the server sent; its name is empty when none was usable (or none came).
    const FirmwareCatalogue &catalogue() const { return m_offer; }

public slots:
    void checkOnLineFirmware();
    void downloadFir();
    // While an update runs, the image on disk may be on its way to the boot loader: no download
    // may replace it.
    void setUpdateRunning(bool running);
    // The user flashes an image that could not be verified (after confirmUnverified).
    void confirmImage();
    // The dialog closed: the running check or download stops, and an image awaiting
    // confirmation is dropped. No signal follows.
    void cancel();

signals:
    void showDialog();
    void info(QString name, double ver, QStringList infoList);
    // The image is whole, verified or confirmed, and stored under its name: flash it.
    void downloadComplete(QString filePath);
    // The image arrived, but neither the server nor the catalogue gives its size or checksum, so
    // a shortened one would pass unnoticed; notice says so to the user, who either confirms
    // (confirmImage) or closes the dialog (cancel).
    void confirmUnverified(QString notice);
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
    void deadlineTimeOut();
    void giveUp(QNetworkReply *reply, const QString &reason);
    void absorb(QNetworkReply *reply);
    void absorbImage(QNetworkReply *reply, const QByteArray &data);
    void reportProgress(QNetworkReply *reply);
    void discardImage();
    QString unsavableReason(const QString &path, const QString &error) const;
    QString failureReason(QNetworkReply *reply) const;
    void finishCatalogue();
    void finishImage(QNetworkReply *reply);
    void installImage();
    QString imageRefusal(QNetworkReply *reply);

    QNetworkAccessManager *m_manager = nullptr;
    QNetworkReply *m_reply = nullptr;
    // Written as NAME.part beside the final NAME, so that a user looking into the folder sees what
    // it is, and put in place only once whole and verified (or confirmed): a failed or replaced
    // download never leaves a partial image under the name the update procedure reads.
    QFile m_file;
    // The final name of the image being downloaded.
    QString m_imagePath;
    // m_file exists on disk and is ours to remove.
    bool m_holdingPart = false;
    bool m_awaitingConfirmation = false;
    int m_requestKind = RequestCatalogue;
    QByteArray m_catalogue;
    QString m_currentVersion;
    bool m_isConnected = false;
    // The last catalogue; its name is empty when it offered nothing usable.
    FirmwareCatalogue m_offer;
    // The most bytes the running download may bring: the catalogue's size, or the setting.
    qint64 m_imageLimit = 0;
    // The last percentage signalled, -1 before the first.
    int m_progress = -1;
    bool m_updateRunning = false;
    qint64 m_bytesReceived = 0;
    QCryptographicHash m_imageHash;
    // Restarted by every piece of data: a transfer that stays silent this long is given up.
    QTimer m_stallTimer;
    // Not restarted: the whole catalogue request must end within it, however it trickles.
    QTimer m_deadlineTimer;
    // Gives the dialog a moment to open before the check starts.
    QTimer m_checkStart;
    // Set when the request was given up on purpose; the sentence the user sees.
    QString m_abortReason;
};
