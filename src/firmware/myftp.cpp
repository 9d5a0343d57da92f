#include "firmware/myftp.h"

#include "config/editorsettings.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QMetaEnum>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSettings>

#include <cerrno>
#include <cstdio>
#include <limits>

namespace {

const QString FirmwareDirectory = QStringLiteral("/firmware/kovela/rk21/");
const QString CatalogueName = QStringLiteral("describe.json");

const QString DefaultHost = QStringLiteral("ftp.kovela.com");
constexpr int DefaultPort = 21;
constexpr int MaxPort = 65535;
const QString DefaultUser = QStringLiteral("anonymous");
// A transfer that brings no byte for this long is given up (the network access manager has no
// limit of its own for FTP, and a server that accepts and never answers would hang the dialog).
constexpr int DefaultTimeoutSeconds = 30;
constexpr int MaxTimeoutSeconds = 3600;

// Far beyond the largest image the boot loader takes (ControllerIdentity::BootLoaderMaxImageSize,
// 1 MiB), so that a later, larger controller still gets its images; the limit only keeps an
// endless transfer from filling the disk when the catalogue gives no size.
constexpr int DefaultMaxImageBytes = 16 * 1024 * 1024;

// Gives the dialog a moment to open before the request starts.
constexpr int CheckDelayMs = 50;

// A setting that must be a whole number in a range; anything else falls back to the default,
// with a line in the log so that a typing error can be found.
int boundedSetting(const QSettings &settings, const QString &key, int defaultValue, int lowest, int highest)
{
    const QVariant value = settings.value(key);
    if (!value.isValid())
        return defaultValue;
    bool ok = false;
    const int number = value.toString().toInt(&ok);
    if (ok && number >= lowest && number <= highest)
        return number;
    qDebug() << "MyFtp: setting" << key << "is not a number from" << lowest << "to" << highest << "; using" << defaultValue;
    return defaultValue;
}

struct ServerSettings
{
    QString host;
    int port;
    QString user;
    QString password;
    int timeoutSeconds;
    int maxImageBytes;
};

// Read at every request, so that a changed setting applies without a restart.
ServerSettings readServerSettings()
{
    QSettings settings = EditorSettings::open();
    settings.beginGroup(QStringLiteral("FirmwareServer"));
    return {settings.value(QStringLiteral("host"), DefaultHost).toString(),
            boundedSetting(settings, QStringLiteral("port"), DefaultPort, 1, MaxPort),
            settings.value(QStringLiteral("user"), DefaultUser).toString(),
            settings.value(QStringLiteral("password")).toString(),
            boundedSetting(settings, QStringLiteral("timeout"), DefaultTimeoutSeconds, 1, MaxTimeoutSeconds),
            boundedSetting(settings, QStringLiteral("maxImageSize"), DefaultMaxImageBytes, 1, std::numeric_limits<int>::max())};
}

QString errorName(QNetworkReply::NetworkError error)
{
    const char *name = QMetaEnum::fromType<QNetworkReply::NetworkError>().valueToKey(error);
    return name ? QString::fromLatin1(name) : QString::number(error);
}

// The server's size for the reply, -1 when it gave none.
qint64 reportedSize(QNetworkReply *reply)
{
    const QVariant reported = reply->header(QNetworkRequest::ContentLengthHeader);
    return reported.isValid() ? reported.toLongLong() : -1;
}

// Puts the finished image in place of the one before, in one step where the system can: an
// update reading the old image never meets a half-replaced file.
bool replaceFile(const QString &from, const QString &to, QString *error)
{
#ifdef Q_OS_WIN
    // Windows' rename never replaces an existing file (and takes no local 8-bit names reliably).
    QFile target(to);
    if (target.exists() && !target.remove()) {
        *error = target.errorString();
        return false;
    }
    QFile source(from);
    if (source.rename(to))
        return true;
    *error = source.errorString();
    return false;
#else
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    *error = qt_error_string(errno);
    return false;
#endif
}

} // namespace

MyFtp::MyFtp(QObject *parent)
    : QObject(parent)
    , m_imageHash(QCryptographicHash::Sha256)
{
    m_stallTimer.setSingleShot(true);
    connect(&m_stallTimer, &QTimer::timeout, this, &MyFtp::stallTimeOut);
    m_deadlineTimer.setSingleShot(true);
    connect(&m_deadlineTimer, &QTimer::timeout, this, &MyFtp::deadlineTimeOut);
    m_checkStart.setSingleShot(true);
    m_checkStart.setInterval(CheckDelayMs);
    connect(&m_checkStart, &QTimer::timeout, this, [this] {
        // Emptied only now: a request still running until here would have added to it.
        releaseReply();
        m_catalogue.clear();
        startRequest(buildUrl(RequestCatalogue));
    });
}

MyFtp::~MyFtp()
{
    releaseReply();
    discardImage();
}

void MyFtp::setConnected(bool isConnected)
{
    m_isConnected = isConnected;
}

void MyFtp::setCurrentVersion(const QString &version)
{
    m_currentVersion = version;
}

void MyFtp::checkOnLineFirmware()
{
    if (!m_isConnected) {
        emit refused(tr("请先连接设备"));
        return;
    }
    if (m_currentVersion.isEmpty()) {
        emit refused(tr("获取当前版本号失败"));
        return;
    }
    // An image still awaiting the user's word belongs to the check before this one.
    if (m_awaitingConfirmation)
        discardImage();
    emit showDialog();
    m_checkStart.start();
    qInfo() << "download describe";
}

void MyFtp::downloadFir()
{
    // Asked first: while the boot loader takes the image the controller is not connected as a
    // MIDI device, and the running update is the reason that matters.
    if (m_updateRunning) {
        qDebug() << "downloadFir: refused while an update runs";
        // The update procedure's own words for the same refusal, and its translation.
        emit downloadFailed(QCoreApplication::translate("FirmwareUpdate", "A firmware update is already running."));
        return;
    }
    if (!m_isConnected) {
        emit refused(tr("请先连接设备"));
        return;
    }
    releaseReply();
    discardImage();
    if (m_offer.name.isEmpty()) {
        qDebug() << "downloadFir: no usable firmware image in the last catalogue";
        emit downloadFailed(tr("No firmware image is known yet; check for a new version first."));
        return;
    }
    const QUrl url = buildUrl(RequestImage);
    if (!openOutputFile(url)) {
        qDebug() << "MyFtp: cannot write" << m_file.fileName() << m_file.errorString();
        emit downloadFailed(unsavableReason(m_file.fileName(), m_file.errorString()));
        return;
    }
    m_bytesReceived = 0;
    m_progress = -1;
    m_imageHash.reset();
    m_imageLimit = m_offer.size >= 0 ? m_offer.size : readServerSettings().maxImageBytes;
    startRequest(url);
}

void MyFtp::setUpdateRunning(bool running)
{
    m_updateRunning = running;
}

void MyFtp::confirmImage()
{
    if (!m_awaitingConfirmation)
        return;
    qInfo() << "MyFtp: the user flashes the unverified image" << m_imagePath;
    if (!m_isConnected) {
        discardImage();
        emit downloadFailed(tr("请先连接设备"));
        return;
    }
    if (m_updateRunning) {
        discardImage();
        emit downloadFailed(QCoreApplication::translate("FirmwareUpdate", "A firmware update is already running."));
        return;
    }
    installImage();
}

void MyFtp::cancel()
{
    if (m_checkStart.isActive() || m_reply || m_awaitingConfirmation)
        qDebug() << "MyFtp: cancelled";
    m_checkStart.stop();
    releaseReply();
    discardImage();
}

QUrl MyFtp::buildUrl(RequestKind kind)
{
    m_requestKind = kind;
    const ServerSettings server = readServerSettings();
    QUrl url;
    url.setScheme(QStringLiteral("ftp"));
    url.setHost(server.host, QUrl::DecodedMode);
    url.setPort(server.port);
    url.setUserName(server.user, QUrl::DecodedMode);
    url.setPassword(server.password, QUrl::DecodedMode);
    url.setPath(FirmwareDirectory + (kind == RequestCatalogue ? CatalogueName : m_offer.name), QUrl::DecodedMode);
    return url;
}

bool MyFtp::openOutputFile(const QUrl &url)
{
    const QString directory = EditorSettings::dataFolder();
    m_imagePath = directory + QLatin1Char('/') + QFileInfo(url.path()).fileName();
    qDebug() << m_imagePath;
    // A first run may not have the directory yet.
    QDir().mkpath(directory);
    m_file.setFileName(m_imagePath + QStringLiteral(".part"));
    // Unbuffered: a write that fails (a full disk) fails at once, not at some later flush.
    m_holdingPart = m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered);
    return m_holdingPart;
}

QString MyFtp::unsavableReason(const QString &path, const QString &error) const
{
    return tr("The firmware image cannot be saved as %1: %2").arg(QDir::toNativeSeparators(path), error);
}

// Drops the partial (or unconfirmed) image; whatever was under the final name stays as it was.
void MyFtp::discardImage()
{
    m_awaitingConfirmation = false;
    if (!m_holdingPart)
        return;
    m_file.close();
    if (!m_file.remove())
        qDebug() << "MyFtp: cannot remove" << m_file.fileName() << m_file.errorString();
    m_holdingPart = false;
}

void MyFtp::startRequest(const QUrl &url)
{
    // Never the password: the log is sent along with problem reports.
    qDebug() << "MyFtp: request" << url.toDisplayString(QUrl::RemovePassword);
    // Made on first use: setting up Qt's network stack loads its bearer plugins, which would
    // otherwise hold back the editor's first frame for a check most sessions never make.
    if (!m_manager)
        m_manager = new QNetworkAccessManager(this);
    m_abortReason.clear();
    m_reply = m_manager->get(QNetworkRequest(url));
    connect(m_reply, &QNetworkReply::readyRead, this, &MyFtp::httpReadyRead);
    connect(m_reply, &QNetworkReply::finished, this, &MyFtp::httpFinished);
    const int timeoutMs = readServerSettings().timeoutSeconds * 1000;
    m_stallTimer.setInterval(timeoutMs);
    m_stallTimer.start();
    // The image may take longer than the time-out as long as it keeps coming (and it stops at
    // its size limit); the catalogue is a few hundred bytes, and the editor starts its check
    // by itself when a boot loader appears, so it must end whatever the server does.
    if (m_requestKind == RequestCatalogue) {
        m_deadlineTimer.setInterval(timeoutMs);
        m_deadlineTimer.start();
    } else {
        m_deadlineTimer.stop();
    }
}

// A request still running when another starts (or when the object goes) is dropped without a
// word: its successor speaks for it.
void MyFtp::releaseReply()
{
    if (!m_reply)
        return;
    qDebug() << "MyFtp: dropping the unfinished request";
    disconnect(m_reply, nullptr, this, nullptr);
    m_reply->abort();
    m_reply->deleteLater();
    m_reply = nullptr;
    m_stallTimer.stop();
    m_deadlineTimer.stop();
    if (m_requestKind == RequestImage)
        discardImage();
}

void MyFtp::stallTimeOut()
{
    if (!m_reply)
        return;
    qDebug() << "MyFtp: no answer from the server for" << m_stallTimer.interval() << "ms";
    giveUp(m_reply, tr("The firmware server stopped answering."));
}

void MyFtp::deadlineTimeOut()
{
    if (!m_reply)
        return;
    const int seconds = m_deadlineTimer.interval() / 1000;
    qDebug() << "MyFtp: the catalogue did not arrive within" << seconds << "s";
    giveUp(m_reply, tr("The firmware server did not send the catalogue within %1 seconds.").arg(seconds));
}

// Ends the request with a reason of our own. Aborting a running reply finishes it at once
// (httpFinished runs before this returns); a reply already finished just keeps the reason.
void MyFtp::giveUp(QNetworkReply *reply, const QString &reason)
{
    if (!m_abortReason.isEmpty())
        return;
    qDebug() << "MyFtp: giving up:" << reason;
    m_abortReason = reason;
    if (reply->isRunning())
        reply->abort();
}

void MyFtp::httpReadyRead()
{
    if (m_reply)
        absorb(m_reply);
    qDebug() << "httpReadyRead";
}

void MyFtp::absorb(QNetworkReply *reply)
{
    const QByteArray data = reply->readAll();
    if (data.isEmpty() || !m_abortReason.isEmpty())
        return;
    m_stallTimer.start();
    if (m_requestKind == RequestImage) {
        absorbImage(reply, data);
        return;
    }
    if (m_catalogue.size() + data.size() > FirmwareCatalogue::MaxBytes) {
        giveUp(reply, tr("The firmware server sent more than %1 KiB for its catalogue, far more than a catalogue can be.")
                          .arg(FirmwareCatalogue::MaxBytes / 1024));
        return;
    }
    m_catalogue.append(data);
}

void MyFtp::absorbImage(QNetworkReply *reply, const QByteArray &data)
{
    // Nothing beyond the size the catalogue or the server gives is kept, and without either
    // nothing beyond the configured limit: an endless transfer must not fill the disk.
    qint64 limit = m_imageLimit;
    bool limitIsSetting = m_offer.size < 0;
    const qint64 reported = reportedSize(reply);
    if (limitIsSetting && reported > limit) {
        giveUp(reply, tr("The firmware image is larger than %1 bytes, the most accepted when the catalogue gives no size.")
                          .arg(limit));
        return;
    }
    if (reported >= 0 && reported < limit) {
        limit = reported;
        limitIsSetting = false;
    }
    if (m_bytesReceived + data.size() > limit) {
        if (limitIsSetting)
            giveUp(reply, tr("The firmware image is larger than %1 bytes, the most accepted when the catalogue gives no size.")
                              .arg(limit));
        else
            giveUp(reply, tr("The firmware image is larger than the %1 bytes expected.").arg(limit));
        return;
    }
    // A write cut short (the file reached the largest size allowed) says why only when tried
    // again with the rest.
    qint64 written = 0;
    while (written < data.size()) {
        const qint64 count = m_file.write(data.constData() + written, data.size() - written);
        if (count <= 0)
            break;
        written += count;
    }
    if (written != data.size()) {
        qDebug() << "MyFtp: cannot write" << m_file.fileName() << m_file.errorString();
        giveUp(reply, unsavableReason(m_file.fileName(), m_file.errorString()));
        return;
    }
    m_bytesReceived += data.size();
    m_imageHash.addData(data);
    reportProgress(reply);
}

void MyFtp::reportProgress(QNetworkReply *reply)
{
    const qint64 reported = reportedSize(reply);
    const qint64 total = reported >= 0 ? reported : m_offer.size;
    if (total <= 0)
        return;
    const int percent = int(qMin(m_bytesReceived, total) * 100 / total);
    if (percent == m_progress)
        return;
    m_progress = percent;
    emit downloadProgress(percent);
}

void MyFtp::httpFinished()
{
    QNetworkReply *reply = m_reply;
    if (!reply)
        return;
    m_reply = nullptr;
    m_stallTimer.stop();
    m_deadlineTimer.stop();
    absorb(reply);
    reply->deleteLater();

    const QNetworkReply::NetworkError error = reply->error();
    qDebug() << "httpFinished" << errorName(error);
    if (error != QNetworkReply::NoError || !m_abortReason.isEmpty()) {
        const QString reason = error != QNetworkReply::NoError ? failureReason(reply) : m_abortReason;
        if (m_requestKind == RequestCatalogue) {
            emit checkFailed(reason);
        } else {
            discardImage();
            emit downloadFailed(reason);
        }
        return;
    }
    if (m_requestKind == RequestCatalogue)
        finishCatalogue();
    else
        finishImage(reply);
}

QString MyFtp::failureReason(QNetworkReply *reply) const
{
    // The reply's own error text may quote the whole URL, password included, so it is neither
    // logged nor shown.
    switch (reply->error()) {
    case QNetworkReply::ConnectionRefusedError:
        qDebug() << "httpFinished ConnectionRefusedError ";
        return tr("The firmware server refused the connection.");
    case QNetworkReply::HostNotFoundError:
        qDebug() << "httpFinished HostNotFoundError ";
        return tr("The firmware server was not found.");
    case QNetworkReply::AuthenticationRequiredError:
        qDebug() << "httpFinished AuthenticationRequiredError ";
        return tr("The firmware server did not accept the login.");
    default:
        qDebug() << "httpFinished other Error ";
        if (!m_abortReason.isEmpty())
            return m_abortReason;
        if (reply->error() == QNetworkReply::ContentNotFoundError)
            return tr("The file is not on the firmware server.");
        return tr("The transfer from the firmware server failed (%1).").arg(errorName(reply->error()));
    }
}

void MyFtp::finishCatalogue()
{
    const bool usable = m_offer.parse(m_catalogue);
    qDebug() << "====" << m_offer.name << m_offer.ver << m_offer.notes;
    if (!usable)
        qDebug() << "describe.json:" << m_offer.problem;
    // Both sides as doubles: "1.03" from the controller and 1.03 from JSON are then the same
    // number, so an installed version is never offered again. (Text that is not a number is 0.)
    const double current = m_currentVersion.toDouble();
    if (usable && m_offer.ver > current)
        emit info(m_offer.name, m_offer.ver, m_offer.notes);
    else
        emit info(QStringLiteral("null"), 0, QStringList());
}

void MyFtp::finishImage(QNetworkReply *reply)
{
    const QString refusal = imageRefusal(reply);
    if (!refusal.isEmpty()) {
        qDebug() << "MyFtp: image refused:" << refusal;
        discardImage();
        emit downloadFailed(refusal);
        return;
    }
    m_file.close();
    if (m_file.error() != QFileDevice::NoError) {
        qDebug() << "MyFtp: cannot store the image as" << m_file.fileName() << m_file.errorString();
        const QString reason = unsavableReason(m_file.fileName(), m_file.errorString());
        discardImage();
        emit downloadFailed(reason);
        return;
    }
    if (reportedSize(reply) < 0 && m_offer.size < 0 && m_offer.sha256.isEmpty()) {
        // A transfer cut short looks like a finished one to the client; with nothing to compare
        // it with, only the user can decide to flash it.
        qWarning() << "MyFtp: the image" << m_imagePath << "could not be verified: neither the server nor the catalogue gives its size or checksum";
        m_awaitingConfirmation = true;
        emit confirmUnverified(tr("The firmware image (%1 bytes) could not be verified: neither the server nor the catalogue gives its size or checksum, so an image cut short would not be noticed. Flash it anyway?")
                                   .arg(m_bytesReceived));
        return;
    }
    installImage();
}

void MyFtp::installImage()
{
    m_awaitingConfirmation = false;
    QString error;
    if (!replaceFile(m_file.fileName(), m_imagePath, &error)) {
        qDebug() << "MyFtp: cannot store the image as" << m_imagePath << error;
        discardImage();
        emit downloadFailed(unsavableReason(m_imagePath, error));
        return;
    }
    m_holdingPart = false;
    emit downloadComplete(m_imagePath);
}

// Only a whole, expected image may reach the boot loader: a short one would be flashed as if it
// were complete. Every size that is known must match; a server that reports none (Qt learns an
// FTP size only when the server lists SIZE in its HELP reply) leaves it to the catalogue, and
// without size or checksum there, to the user (confirmUnverified).
QString MyFtp::imageRefusal(QNetworkReply *reply)
{
    const qint64 knownSizes[] = {reportedSize(reply), m_offer.size};
    for (const qint64 expected : knownSizes) {
        if (expected < 0 || expected == m_bytesReceived)
            continue;
        if (m_bytesReceived < expected)
            return tr("The firmware image is incomplete: %1 of %2 bytes arrived.").arg(m_bytesReceived).arg(expected);
        return tr("The firmware image is larger than the %1 bytes expected.").arg(expected);
    }
    if (m_bytesReceived == 0)
        return tr("The firmware image is empty.");
    if (!m_offer.sha256.isEmpty() && m_imageHash.result() != m_offer.sha256)
        return tr("The firmware image does not match its checksum.");
    return QString();
}
