// libFuzzer driver: every input is one message the controller receives from the MIDI input, fed
// to slotMidiIndata exactly as the input hand-over delivers it (through s_midiIndata). After each
// one the configuration image must still be a whole SysEx message the controller can take.
#include "app/mainwindow.h"
#include "app/prompt.h"
#include "config/datamanagement.h"
#include "config/midistatus.h"
#include "device/virtual/virtualtark9.h"

#include <QApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

MainWindow *g_editor = nullptr;

void dropMessage(QtMsgType, const QMessageLogContext &, const QString &) {}

void checkImage(const DataManagement &model)
{
    const auto &image = model.configImage();
    bool whole = image[0] == MidiStatus::SysExStart && image[DataManagement::ImageSize - 1] == MidiStatus::SysExEnd;
    for (int i = 1; i < DataManagement::ImageSize - 1; ++i)
        whole = whole && image[i] <= DataManagement::MaxDataByte;
    if (!whole) {
        std::fprintf(stderr, "the configuration image no longer is a whole SysEx message\n");
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_QUICK_BACKEND", "software");
    // The slot logs every message; a million of them would only slow the run down.
    qInstallMessageHandler(&dropMessage);
    // Never destroyed: the editor lives until the process exits, and tearing the application
    // down under it at exit would only test the exit.
    new QApplication(*argc, *argv);
    // A configuration with values the editor does not know is said in a message box; nobody is
    // there to close one, and a box waiting for an answer would stop the run.
    Prompt::setMessageHandler([](QWidget *, const Prompt::Message &) {});
    Prompt::setQuestionHandler([](QWidget *, const Prompt::Message &) { return Prompt::Answer::Cancel; });
    Prompt::setFileHandler([](QWidget *, const Prompt::FileRequest &) { return QString(); });
    // The read request at arrival stays unanswered: only the fuzzer's bytes arrive.
    VirtualTark9::instance().setMisbehaviour(VirtualTark9::Misbehaviour::NoReply);
    AppOptions options;
    options.virtualDevice = true;
    g_editor = new MainWindow(options);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // A heap copy of exactly the input: any read past the message is caught by the sanitizer.
    std::vector<char> bytes(data, data + size);
    emit g_editor->s_midiIndata(bytes.empty() ? nullptr : bytes.data(), static_cast<int>(size));
    checkImage(*g_editor->dataManagement());
    return 0;
}
