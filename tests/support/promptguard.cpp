// Linked into every test program (tests/CMakeLists.txt): from the moment the application object
// exists, a dialog that no test expects fails the running test instead of waiting for a person.
#include "promptrecorder.h"

#include <QCoreApplication>

namespace {

void installPromptGuard()
{
    // Lives until the process ends, below every recorder a test makes.
    static PromptRecorder guard;
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installPromptGuard)
