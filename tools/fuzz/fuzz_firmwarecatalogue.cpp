// libFuzzer driver: every input is a describe.json as the firmware server might send it, read by
// FirmwareCatalogue::parse. A usable catalogue names a plain file that stays inside the server's
// firmware directory and the data directory, has a finite version, a whole size the image can
// be checked against (or none) and a 32-byte digest (or none); an unusable one names no file and
// says why. The same text always reads the same.
#include "firmware/firmwarecatalogue.h"

#include <QByteArray>
#include <QCoreApplication>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void fail(const char *why)
{
    std::fprintf(stderr, "%s\n", why);
    std::abort();
}

// Written apart from the parser's own check, so that a slip in one is not mirrored in the other.
bool staysInItsDirectory(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name) {
        const ushort u = c.unicode();
        if (u < 0x20 || u == 0x7F || c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':'))
            return false;
    }
    return !name.startsWith(QLatin1String("../")) && !name.contains(QLatin1String(".."));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), static_cast<int>(size));
    FirmwareCatalogue catalogue;
    const bool usable = catalogue.parse(text);
    if (usable) {
        if (!staysInItsDirectory(catalogue.name))
            fail("a usable catalogue names a file that is not a plain name");
        if (!catalogue.problem.isEmpty())
            fail("a usable catalogue carries a problem");
        if (catalogue.size < -1 || double(catalogue.size) > FirmwareCatalogue::MaxExactInteger)
            fail("a usable catalogue gives a size out of range");
        if (!catalogue.sha256.isEmpty() && catalogue.sha256.size() != 32)
            fail("a usable catalogue gives a digest that is not 32 bytes");
        if (text.size() > FirmwareCatalogue::MaxBytes)
            fail("a catalogue larger than the limit was used");
    } else if (!catalogue.name.isEmpty() || catalogue.problem.isEmpty()) {
        fail("an unusable catalogue names a file or gives no reason");
    }
    if (!std::isfinite(catalogue.ver))
        fail("the version is not a finite number");

    FirmwareCatalogue again;
    if (again.parse(text) != usable || again.name != catalogue.name || again.ver != catalogue.ver
        || again.notes != catalogue.notes || again.sha256 != catalogue.sha256 || again.size != catalogue.size)
        fail("the same catalogue read twice reads differently");
    return 0;
}
