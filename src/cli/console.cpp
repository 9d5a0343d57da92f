#include "cli/console.h"

#include "cli/terminal.h"

#include <algorithm>

namespace {

void write(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace

void Console::out(const QString &text)
{
    write(stdout, text.endsWith(QLatin1Char('\n')) ? text : text + QLatin1Char('\n'));
}

void Console::error(const QString &message)
{
    write(stderr, QStringLiteral("tark9ctl: %1\n").arg(message));
}

ProgressDisplay::ProgressDisplay(std::FILE *stream)
    : m_stream(stream)
    , m_terminal(Terminal::isTerminal(stream))
{
}

void ProgressDisplay::update(int percent)
{
    if (percent == m_shown)
        return;
    if (m_terminal) {
        const int filled = percent * BarWidth / 100;
        write(m_stream, QStringLiteral("\r[%1%2] %3%").arg(QString(filled, QLatin1Char('#')), QString(BarWidth - filled, QLatin1Char(' ')))
                            .arg(percent, 3));
        m_shown = percent;
        return;
    }
    const int step = percent / ProgressStep * ProgressStep;
    if (step <= std::max(m_shown, 0))
        return;
    write(m_stream, QStringLiteral("progress %1%\n").arg(step));
    m_shown = step;
}

void ProgressDisplay::finish()
{
    if (m_terminal && m_shown >= 0)
        write(m_stream, QStringLiteral("\n"));
}
