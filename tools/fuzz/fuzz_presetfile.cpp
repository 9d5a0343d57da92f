// libFuzzer driver: every input is the content of a preset file, read by PresetFile::read and,
// when it loads, copied into a model as opening a preset does. A loaded block must fit the image
// and leave the image a whole SysEx message: F0 first, MIDI data bytes from 1 to 456, F7 last,
// with every field within its range.
#include "config/configlayout.h"
#include "config/controllerprotocol.h"
#include "config/datamanagement.h"
#include "config/midistatus.h"
#include "config/presetfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

QString g_path;

void fail(const char *why)
{
    std::fprintf(stderr, "%s\n", why);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    static QTemporaryDir dir;
    if (!dir.isValid())
        fail("no temporary directory");
    g_path = dir.filePath(QStringLiteral("fuzz.stm"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    {
        QFile file(g_path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            fail("cannot write the preset");
        file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    }
    const PresetFile::ReadResult result = PresetFile::read(g_path);
    switch (result.status) {
    case PresetFile::ReadStatus::Loaded: {
        if (result.block.isEmpty() || result.block.size() > DataManagement::ImageSize)
            fail("a loaded block does not fit the image");
        DataManagement model;
        model.initDefaultData();
        model.loadConfigImage(result.block.constData(), result.block.size());
        const auto &image = model.configImage();
        bool whole = image[0] == MidiStatus::SysExStart && image[DataManagement::ImageSize - 1] == MidiStatus::SysExEnd;
        for (int i = 1; i < DataManagement::ImageSize - 1; ++i)
            whole = whole && image[i] <= DataManagement::MaxDataByte;
        if (!whole)
            fail("a loaded preset left the image a broken SysEx message");
        if (!ConfigLayout::fieldsOutOfRange(result.block).isEmpty() || !model.unknownFields().isEmpty())
            fail("a loaded preset holds a field outside its range");
        break;
    }
    case PresetFile::ReadStatus::OutOfRange: {
        const QList<ConfigLayout::FieldValue> outside = ConfigLayout::fieldsOutOfRange(result.block);
        if (outside.isEmpty() || outside.first().offset != result.invalidOffset || result.error.isEmpty())
            fail("a preset refused for its ranges names no field outside one, or the wrong one");
        if (ControllerProtocol::findMessageDefect(result.block.constData(), result.block.size()) >= 0)
            fail("a preset with bytes the controller cannot take is kept for a forced send");
        break;
    }
    case PresetFile::ReadStatus::InvalidBytes:
        if (result.invalidOffset < 0 || result.invalidOffset > DataManagement::ImageSize - 1 || !result.block.isEmpty())
            fail("an invalid preset is reported at the wrong place or still carries its block");
        break;
    case PresetFile::ReadStatus::NoBlock:
    case PresetFile::ReadStatus::CannotOpen:
        if (!result.block.isEmpty() || result.error.isEmpty())
            fail("a preset that was not loaded carries a block or no reason");
        break;
    }
    return 0;
}
