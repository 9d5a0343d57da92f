#include "app/logfile.h"

#include "app/platform.h"

#include <QDir>
#include <QMutexLocker>

namespace {

constexpr qint64 MinuteMs = 60 * 1000;
// The hour's part of a line's stamp "yyyy-MM-dd hh:mm:ss", which names its file, and the space in
// it that the file name has an underscore for.
constexpr int HourStampLength = 13;
constexpr int DateTimeSeparator = 10;

QString classLetter(QtMsgType type)
{
    switch (type) {
    case QtDebugMsg: return QStringLiteral("d");
    case QtWarningMsg: return QStringLiteral("w");
    case QtCriticalMsg: return QStringLiteral("c");
    case QtFatalMsg: return QStringLiteral("f");
    case QtInfoMsg: return QStringLiteral("i");
    }
    return QStringLiteral("d");
}

// Local time with the zone's offset from UTC looked up once a minute. A local-time lookup
// checks the zone file on disk every time (three stats of /etc/localtime per
// QDateTime::currentDateTime on Linux), which cost more than writing the line itself; offsets
// only ever change on a whole minute (daylight saving, a new zone). Called under the log's
// mutex, so the cache needs no lock of its own.
class MinuteCachedLocalClock
{
public:
    QDateTime operator()()
    {
        const QDateTime utc = QDateTime::currentDateTimeUtc();
        const qint64 minute = utc.toMSecsSinceEpoch() / MinuteMs;
        if (minute != m_minute) {
            m_minute = minute;
            m_offsetSeconds = QDateTime::currentDateTime().offsetFromUtc();
        }
        return utc.toOffsetFromUtc(m_offsetSeconds);
    }

private:
    qint64 m_minute = -1;
    int m_offsetSeconds = 0;
};

} // namespace

LogFile::LogFile()
    : m_clock(MinuteCachedLocalClock())
    , m_output(&Platform::debugOutput)
{
}

LogFile &LogFile::instance()
{
    static LogFile log;
    return log;
}

const QString &LogFile::headerText()
{
    static const QString text = QStringLiteral(
        "\n"
        "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\"?>\n"
        "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\" \"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">\n"
        "<html>\n"
        "<head>\n"
        "<title>Ostrel log file</title>\n"
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\" />\n"
        "<style type=\"text/css\" id=\"logCss\">\n"
        "body { background: #18242b; color: #afc6d1; margin-right: 20px; margin-left: 20px; font-size: 14px; font-family: Arial, sans-serif, sans; }\n"
        "a { text-decoration: none; }\n"
        "a:link { color: #a0b2bb; }\n"
        "a:active { color: #f59504; }\n"
        "a:visited { color: #adc7d4; }\n"
        "a:hover { color: #e49115; }\n"
        "h1 { text-align: center; }\n"
        "h2 { color: #ebe5e5; }\n"
        ".d, .w, .c, .f, .i { padding: 3px; overflow: auto; }\n"
        ".d { background-color: #0f1011; color: #a8c1ce; }\n"
        ".i { background-color: #294453; color: #a8c1ce; }\n"
        ".w { background-color: #7993a0; color: #1b2329; }\n"
        ".c { background-color: #ff952b; color: #1d2930; }\n"
        ".f { background-color: #fc0808; color: #19242b; }\n"
        "</style>\n"
        "</head>\n"
        "<body>\n"
        "<h1><a href=\"https://www.kovela.com/\">Vantor Tablet Logger</a></h1> \n"
        "<script type=\"text/JavaScript\">\n"
        "function objHide(obj) { obj.style.display = \"none\"; }\n"
        "function objShow(obj) { obj.style.display = \"block\"; }\n"
        "function selectType() {\n"
        "  var classes = [\"d\", \"i\", \"w\", \"c\", \"f\"];\n"
        "  var chosen = document.getElementById(\"typeSelect\").value;\n"
        "  for (var i = 0; i < classes.length; i++) {\n"
        "    var items = document.getElementsByClassName(classes[i]);\n"
        "    var visible = chosen == \"a\" || chosen == classes[i];\n"
        "    for (var j = 0; j < items.length; j++) {\n"
        "      if (visible) objShow(items[j]); else objHide(items[j]);\n"
        "    }\n"
        "  }\n"
        "}\n"
        "</script>\n"
        "<select id=\"typeSelect\" onchange=\"selectType()\">\n"
        "<option value=\"a\" selected=\"selected\">All</option>\n"
        "<option value=\"d\">Debug</option>\n"
        "<option value=\"i\">Info</option>\n"
        "<option value=\"w\">Warning</option>\n"
        "<option value=\"c\">Critical</option>\n"
        "<option value=\"f\">Fatal</option>\n"
        "</select>\n");
    return text;
}

void LogFile::initLog(const QString &directory, int maxFiles)
{
    qInstallMessageHandler(&LogFile::messageHandler);
    LogFile &log = instance();
    log.setDirectory(directory);
    log.prune(maxFiles);
}

void LogFile::messageHandler(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    instance().write(type, message);
}

void LogFile::setDirectory(const QString &directory)
{
    // Made before taking the lock: a failing mkpath logs, and that message comes back here.
    if (!directory.isEmpty())
        QDir().mkpath(directory);
    QMutexLocker lock(&m_mutex);
    m_directory = directory;
}

QString LogFile::directory() const
{
    return m_directory;
}

void LogFile::setClock(Clock clock)
{
    QMutexLocker lock(&m_mutex);
    m_clock = std::move(clock);
}

void LogFile::setDebuggerOutput(Output output)
{
    QMutexLocker lock(&m_mutex);
    m_output = std::move(output);
}

void LogFile::prune(int maxFiles)
{
    QDir dir(m_directory);
    QStringList files = dir.entryList(QDir::Files, QDir::Name);
    while (files.size() > maxFiles) {
        // A file that cannot be deleted stays; it is dropped from the count all the same.
        dir.remove(files.takeFirst());
    }
}

void LogFile::write(QtMsgType type, const QString &message)
{
    // A message the framework raises while this thread is in here (a file that cannot be
    // opened, say) never comes back: Qt hands a handler's own messages to its default output.
    // Outside the handler the lock is never held around anything that logs.
    QDateTime now;
    Output output;
    {
        QMutexLocker lock(&m_mutex);
        now = m_clock();
        output = m_output;
    }
    // One stamp serves both the line and the file name.
    const QDate date = now.date();
    const QTime time = now.time();
    const QString stamp = QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", date.year(), date.month(), date.day(),
                                            time.hour(), time.minute(), time.second());
    const QString text = stamp + QLatin1Char(' ') + message;
    // The text may come from outside (the firmware catalogue, a serial number): escaped, it
    // can never turn into markup or script in the log page.
    const QByteArray line = QStringLiteral("<div class=\"%1\">%2</div>\r\n")
                                .arg(classLetter(type), text.toHtmlEscaped()).toUtf8();

    {
        QMutexLocker lock(&m_mutex);
        if (!m_directory.isEmpty()) {
            QString hourStamp = stamp.left(HourStampLength);
            hourStamp[DateTimeSeparator] = QLatin1Char('_');
            const QString fileName = QStringLiteral("%1/%2_log.html").arg(m_directory, hourStamp);
            if (m_file.fileName() != fileName) {
                if (m_file.isOpen())
                    m_file.close();
                m_file.setFileName(fileName);
            }
            // The file stays open for the hour; one that could not be opened is tried again
            // with the next message. Each line is handed to the operating system at once (one
            // write per line), so a crash of the program loses nothing written: closing and
            // reopening the file would add nothing to that but system calls.
            if (!m_file.isOpen()) {
                const bool existed = m_file.exists();
                if (m_file.open(QIODevice::WriteOnly | QIODevice::Append) && !existed)
                    m_file.write((headerText() + QStringLiteral("\r\n")).toUtf8());
            }
            if (m_file.isOpen()) {
                m_file.write(line);
                m_file.flush();
            }
        }
    }

    if (output)
        output(text);
}
