#include "firmware/myftp.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMetaEnum>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSettings>
#include <QStandardPaths>

#include <cmath>

namespace {

const QString FirmwareDirectory = QStringLiteral("/firmware/kovela/rk21/");
const QString CatalogueName = QStringLiteral("describe.json");

const QString DefaultHost = QStringLiteral("ftp.kovela.com");
constexpr int DefaultPort = 21;
const QString DefaultUser = QStringLiteral("anonymous");
// A transfer that brings no byte for this long is given up (the network access manager has no
// limit of its own for FTP, and a server that accepts and never answers would hang the dialog).
constexpr int DefaultTimeoutSeconds = 30;

// Gives the dialog a moment to open before the request starts.
constexpr int CheckDelayMs = 50;
// describe.json is a few hundred bytes; anything this large is not a catalogue.
constexpr int MaxCatalogueBytes = 64 * 1024;
constexpr int Sha256HexLength = 64;
// Above this a JSON number no longer holds every whole number exactly.
constexpr double MaxExactInteger = 9007199254740992.0; // 2^53

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
};

// Read at every request, so that a changed setting applies without a restart.
ServerSettings readServerSettings()
{
    QSettings settings(QStringLiteral("Kovela"), QStringLiteral("kovelaTark9"));
    settings.beginGroup(QStringLiteral("FirmwareServer"));
    return {settings.value(QStringLiteral("host"), DefaultHost).toString(),
            boundedSetting(settings, QStringLiteral("port"), DefaultPort, 1, 65535),
            settings.value(QStringLiteral("user"), DefaultUser).toString(),
            settings.value(QStringLiteral("password")).toString(),
            boundedSetting(settings, QStringLiteral("timeout"), DefaultTimeoutSeconds, 1, 3600)};
}

QString errorName(QNetworkReply::NetworkError error)
{
    const char *name = QMetaEnum::fromType<QNetworkReply::NetworkError>().valueToKey(error);
    return name ? QString::fromLatin1(name) : QString::number(error);
}

// The image is stored under its catalogue name in the data directory and requested under it
// from the server, so the name must not leave either directory or smuggle in anything else.
bool isPlainFileName(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name.contains(QLatin1String("..")))
        return false;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') || c.unicode() < 0x20
            || c.unicode() == 0x7F)
            return false;
    }
    return true;
}

bool isSha256Text(const QString &text)
{
    if (text.size() != Sha256HexLength)
        return false;
    for (const QChar c : text) {
        if (!c.isDigit() && !(c.toLower() >= QLatin1Char('a') && c.toLower() <= QLatin1Char('f')))
            return false;
    }
    return true;
}

} // namespace

MyFtp::MyFtp(QObject *parent)
    : QObject(parent)
    , m_imageHash(QCryptographicHash::Sha256)
{
    m_stallTimer.setSingleShot(true);
    connect(&m_stallTimer, &QTimer::timeout, this, &MyFtp::stallTimeOut);
}

MyFtp::~MyFtp()
{
    releaseReply();
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
    emit showDialog();
    QTimer::singleShot(CheckDelayMs, this, [this] {
        // Emptied only now: a request still running until here would have added to it.
        releaseReply();
        m_catalogue.clear();
        m_catalogueTooLarge = false;
        startRequest(buildUrl(RequestCatalogue));
    });
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
    if (m_name.isEmpty()) {
        qDebug() << "downloadFir: no usable firmware image in the last catalogue";
        emit downloadFailed(tr("No firmware image is known yet; check for a new version first."));
        return;
    }
    const QUrl url = buildUrl(RequestImage);
    if (!openOutputFile(url)) {
        qDebug() << "openOutputFile fail";
        emit downloadFailed(unsavableReason());
        return;
    }
    m_bytesReceived = 0;
    m_progress = -1;
    m_imageHash.reset();
    m_writeFailed = false;
    startRequest(url);
}

void MyFtp::setUpdateRunning(bool running)
{
    m_updateRunning = running;
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
    url.setPath(FirmwareDirectory + (kind == RequestCatalogue ? CatalogueName : m_name), QUrl::DecodedMode);
    return url;
}

bool MyFtp::openOutputFile(const QUrl &url)
{
    const QString directory = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    const QString path = directory + QLatin1Char('/') + QFileInfo(url.path()).fileName();
    qDebug() << path;
    // A first run may not have the directory yet.
    QDir().mkpath(directory);
    m_file.setFileName(path);
    return m_file.open(QIODevice::WriteOnly);
}

QString MyFtp::unsavableReason() const
{
    return tr("The firmware image cannot be saved as %1.").arg(QDir::toNativeSeparators(m_file.fileName()));
}

// Drops the temporary file; whatever was under the final name before stays as it was.
void MyFtp::discardImage()
{
    if (!m_file.isOpen())
        return;
    m_file.cancelWriting();
    m_file.commit();
}

void MyFtp::startRequest(const QUrl &url)
{
    // Never the password: the log is sent along with problem reports.
    qDebug() << "MyFtp: request" << url.toDisplayString(QUrl::RemovePassword);
    // Made on first use: setting up Qt's network stack loads its bearer plugins, which would
    // otherwise hold back the editor's first frame for a check most sessions never make.
    if (!m_manager)
        m_manager = new QNetworkAccessManager(this);
    m_reply = m_manager->get(QNetworkRequest(url));
    connect(m_reply, &QNetworkReply::readyRead, this, &MyFtp::httpReadyRead);
    connect(m_reply, &QNetworkReply::finished, this, &MyFtp::httpFinished);
    m_stalled = false;
    m_stallTimer.setInterval(readServerSettings().timeoutSeconds * 1000);
    m_stallTimer.start();
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
    if (m_requestKind == RequestImage)
        discardImage();
}

void MyFtp::stallTimeOut()
{
    if (!m_reply)
        return;
    qDebug() << "MyFtp: no answer from the server for" << m_stallTimer.interval() << "ms";
    m_stalled = true;
    m_reply->abort();
}

void MyFtp::httpReadyRead()
{
    absorb(m_reply);
    qDebug() << "httpReadyRead";
}

void MyFtp::absorb(QNetworkReply *reply)
{
    const QByteArray data = reply->readAll();
    if (data.isEmpty())
        return;
    m_stallTimer.start();
    if (m_requestKind == RequestCatalogue) {
        if (m_catalogue.size() + data.size() > MaxCatalogueBytes)
            m_catalogueTooLarge = true;
        else
            m_catalogue.append(data);
        return;
    }
    m_bytesReceived += data.size();
    m_imageHash.addData(data);
    if (m_file.write(data) != data.size())
        m_writeFailed = true;
    reportProgress(reply);
}

void MyFtp::reportProgress(QNetworkReply *reply)
{
    const QVariant reported = reply->header(QNetworkRequest::ContentLengthHeader);
    const qint64 total = reported.isValid() ? reported.toLongLong() : m_catalogueSize;
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
    m_reply = nullptr;
    m_stallTimer.stop();
    absorb(reply);
    reply->deleteLater();

    const QNetworkReply::NetworkError error = reply->error();
    qDebug() << "httpFinished" << errorName(error);
    if (error != QNetworkReply::NoError) {
        const QString reason = failureReason(reply);
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
        if (m_stalled)
            return tr("The firmware server stopped answering.");
        if (reply->error() == QNetworkReply::ContentNotFoundError)
            return tr("The file is not on the firmware server.");
        return tr("The transfer from the firmware server failed (%1).").arg(errorName(reply->error()));
    }
}

bool MyFtp::parseCatalogue()
{
    m_name.clear();
    m_ver = 0.0;
    m_infoList.clear();
    m_sha256.clear();
    m_catalogueSize = -1;
    if (m_catalogueTooLarge) {
        qDebug() << "describe.json is larger than" << MaxCatalogueBytes << "bytes";
        return false;
    }

    const QJsonDocument document = QJsonDocument::fromJson(m_catalogue);
    if (!document.isObject()) {
        qDebug() << "document is not object";
        return false;
    }
    const QJsonObject object = document.object();
    if (object.contains(QLatin1String("name")))
        m_name = object.value(QLatin1String("name")).toString();
    if (object.contains(QLatin1String("ver"))) {
        const double ver = object.value(QLatin1String("ver")).toDouble();
        m_ver = std::isfinite(ver) ? ver : 0.0;
    }
    if (object.contains(QLatin1String("info"))) {
        const QJsonArray notes = object.value(QLatin1String("info")).toArray();
        for (const QJsonValue &note : notes)
            m_infoList << note.toString();
    }
    qDebug() << "====" << m_name << m_ver << m_infoList;

    if (!isPlainFileName(m_name)) {
        qDebug() << "describe.json: the image name is not a plain file name";
        m_name.clear();
        return false;
    }
    if (object.contains(QLatin1String("sha256"))) {
        const QString digest = object.value(QLatin1String("sha256")).toString();
        if (!isSha256Text(digest)) {
            qDebug() << "describe.json: \"sha256\" is not 64 hexadecimal digits";
            m_name.clear();
            return false;
        }
        m_sha256 = QByteArray::fromHex(digest.toLatin1());
    }
    if (object.contains(QLatin1String("size"))) {
        const QJsonValue size = object.value(QLatin1String("size"));
        const double bytes = size.toDouble(-1.0);
        if (!size.isDouble() || bytes < 0 || bytes > MaxExactInteger || bytes != std::floor(bytes)) {
            qDebug() << "describe.json: \"size\" is not a whole number of bytes";
            m_name.clear();
            return false;
        }
        m_catalogueSize = qint64(bytes);
    }
    return true;
}

void MyFtp::finishCatalogue()
{
    // Both sides as doubles: "1.03" from the controller and 1.03 from JSON are then the same
    // number, so an installed version is never offered again. (Text that is not a number is 0.)
    const bool usable = parseCatalogue();
    const double current = m_currentVersion.toDouble();
    if (usable && m_ver > current)
        emit info(m_name, m_ver, m_infoList);
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
    if (!m_file.commit()) {
        qDebug() << "MyFtp: cannot store the image as" << m_file.fileName() << m_file.errorString();
        emit downloadFailed(unsavableReason());
        return;
    }
    emit downloadComplete(m_file.fileName());
}

// Only a whole, expected image may reach the boot loader: a short one would be flashed as if it
// were complete. Every size that is known must match; a server that reports none (Qt learns an
// FTP size only when the server lists SIZE in its HELP reply) is trusted with a transfer that
// ended without error.
QString MyFtp::imageRefusal(QNetworkReply *reply)
{
    if (m_writeFailed)
        return tr("The firmware image could not be saved completely.");
    const QVariant reported = reply->header(QNetworkRequest::ContentLengthHeader);
    const qint64 knownSizes[] = {reported.isValid() ? reported.toLongLong() : -1, m_catalogueSize};
    for (const qint64 expected : knownSizes) {
        if (expected >= 0 && expected != m_bytesReceived)
            return tr("The firmware image is incomplete: %1 of %2 bytes arrived.").arg(m_bytesReceived).arg(expected);
    }
    if (m_bytesReceived == 0)
        return tr("The firmware image is empty.");
    if (!m_sha256.isEmpty() && m_imageHash.result() != m_sha256)
        return tr("The firmware image does not match its checksum.");
    return QString();
}
