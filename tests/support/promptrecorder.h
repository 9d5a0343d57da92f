#pragma once

#include "app/prompt.h"

#include <QList>
#include <QStringList>

#include <functional>
#include <limits>

// Answers every dialog of the back end instead of a person and remembers what was shown.
//
// A test says which dialogs it expects; any other fails the test at once, naming the dialog's
// text, and is closed as a person would close it (Cancel, no file), so that nothing ever waits
// for an answer. Every test program has one recorder that expects nothing from the moment its
// application object exists (support/promptguard.cpp); a test that expects dialogs makes its
// own, which stands in front of the previous one until it goes.
class PromptRecorder
{
public:
    PromptRecorder();
    ~PromptRecorder();
    PromptRecorder(const PromptRecorder &) = delete;
    PromptRecorder &operator=(const PromptRecorder &) = delete;

    // What the test expects.
    // The paths the next file dialogs return, in order; an empty string is a cancelled dialog.
    QStringList fileAnswers;
    // The answers to the next questions, in order.
    QList<Prompt::Answer> answers;
    // The answers to the next yes-or-no questions (Prompt::confirm), in order.
    QList<bool> confirmations;
    // How many information and warning boxes the test expects from this recorder in all.
    int expectedMessages = 0;
    static constexpr int AnyNumber = std::numeric_limits<int>::max();
    // Runs while an expected box is open: what the user or the device does before it is closed.
    std::function<void(const Prompt::Message &)> whileShown;

    // What was shown, expected or not.
    QList<Prompt::FileRequest> fileRequests;
    QList<Prompt::Message> messages;   // questions too

private:
    void install();
    void unexpected(const QString &what);

    PromptRecorder *m_previous = nullptr;
    int m_shownMessages = 0;
};
