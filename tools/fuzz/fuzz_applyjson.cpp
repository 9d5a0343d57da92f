// libFuzzer driver: every input is the JSON apply-json reads, given to PresetFormat::fromJson.
// JSON it accepts must make a whole configuration message with every field within its range,
// and show --json's text of that configuration must give the same image back. JSON it refuses
// must be refused with a reason that is short and holds nothing a terminal would obey.
#include "cli/presetformat.h"
#include "config/configlayout.h"
#include "config/controllerprotocol.h"

#include <QCoreApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// The longest reason: a path of a few names, two quoted inputs of PresetFormat::QuoteLimit
// characters each escaped to at most six, and the words around them.
constexpr int MaxReasonLength = 2000;

void fail(const char *why)
{
    std::fprintf(stderr, "%s\n", why);
    std::abort();
}

bool terminalSafe(const QString &text)
{
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u <= 0x9F) || (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray json(reinterpret_cast<const char *>(data), static_cast<int>(size));
    QByteArray image;
    QString error;
    if (!PresetFormat::fromJson(json, &image, &error)) {
        if (error.isEmpty() || !image.isEmpty())
            fail("refused JSON without a reason, or with an image");
        if (error.size() > MaxReasonLength || !terminalSafe(error))
            fail("a refusal is too long or holds control characters");
        return 0;
    }
    if (image.size() != ControllerProtocol::ImageSize)
        fail("accepted JSON made an image of the wrong size");
    if (ControllerProtocol::findMessageDefect(image.constData(), image.size()) >= 0)
        fail("accepted JSON made a broken configuration message");
    if (!ConfigLayout::fieldsOutOfRange(image).isEmpty())
        fail("accepted JSON made a field outside its range");
    QByteArray again;
    if (!PresetFormat::fromJson(PresetFormat::toJson(image), &again, &error) || again != image)
        fail("show --json of an accepted image does not give it back");
    return 0;
}
