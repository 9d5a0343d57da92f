#include "cli/console.h"

#include "cli/terminal.h"

#include <QtGlobal>

#include <algorithm>
#include <cerrno>

namespace {

// The first failure on standard output; empty while all went well. Standard error's failures
// are not kept: there is nowhere left to report them.
QString outputFailure;

void writeBytes(std::FILE *stream, const QByteArray &bytes)
{
    errno = 0;
    // Flushed at once, so that a failure is seen while the command can still say so.
    const bool written = std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream) == static_cast<size_t>(bytes.size())
        && std::fflush(stream) == 0;
    if (!written && stream == stdout && outputFailure.isEmpty())
        outputFailure = errno != 0 ? qt_error_string(errno) : QStringLiteral("the write failed");
}

void write(std::FILE *stream, const QString &text)
{
    writeBytes(stream, text.toLocal8Bit());
}

} // namespace

void Console::out(const QString &text)
{
    write(stdout, text.endsWith(QLatin1Char('\n')) ? text : text + QLatin1Char('\n'));
}

void Console::outBytes(const QByteArray &bytes)
{
    writeBytes(stdout, bytes);
}

void Console::error(const QString &message)
{
    write(stderr, QStringLiteral("tark9ctl: %1\n").arg(message));
}

bool Console::outputComplete(QString *reason)
{
    errno = 0;
    if (outputFailure.isEmpty() && (std::fflush(stdout) != 0 || std::ferror(stdout)))
        outputFailure = errno != 0 ? qt_error_string(errno) : QStringLiteral("the write failed");
    if (reason)
        *reason = outputFailure;
    return outputFailure.isEmpty();
}

ProgressDisplay::ProgressDisplay(std::FILE *stream)
    : m_stream(stream)
    , m_terminal(Terminal::isTerminal(stream))
{
}

void ProgressDisplay::update(int percent)
{
    show(percent, QString());
}

void ProgressDisplay::update(int percent, qint64 bytesSent, qint64 bytesTotal, int secondsLeft)
{
    QString detail = QStringLiteral("%1 of %2 bytes").arg(bytesSent).arg(bytesTotal);
    if (secondsLeft >= 0 && bytesSent < bytesTotal)
        detail += QStringLiteral(", about %1 s left").arg(secondsLeft);
    show(percent, detail);
}

void ProgressDisplay::show(int percent, const QString &detail)
{
    if (percent == m_shown)
        return;
    const QString tail = detail.isEmpty() ? QString() : QStringLiteral(": ") + detail;
    if (m_terminal) {
        const int filled = percent * BarWidth / 100;
        // Padded, so that a shorter line leaves nothing of the one before.
        write(m_stream, QStringLiteral("\r[%1%2] %3%%4   ").arg(QString(filled, QLatin1Char('#')), QString(BarWidth - filled, QLatin1Char(' ')))
                            .arg(percent, 3)
                            .arg(tail));
        m_shown = percent;
        return;
    }
    const int step = percent / ProgressStep * ProgressStep;
    if (step <= std::max(m_shown, 0))
        return;
    write(m_stream, QStringLiteral("progress %1%%2\n").arg(step).arg(tail));
    m_shown = step;
}

void ProgressDisplay::finish()
{
    if (m_terminal && m_shown >= 0)
        write(m_stream, QStringLiteral("\n"));
}
