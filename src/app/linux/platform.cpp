#include "app/platform.h"

#include <cstdio>

namespace Platform {

QString softVersion()
{
    return QStringLiteral(TARK9_VERSION_TEXT);
}

void debugOutput(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
    std::fputc('\n', stderr);
}

QString windowTitle(const QString &documentTitle)
{
    // The single-instance guard here uses a lock file and a local socket, not the title.
    return documentTitle;
}

} // namespace Platform
