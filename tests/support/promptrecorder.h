#pragma once

#include "app/prompt.h"

#include <QList>
#include <QStringList>

// Answers every dialog of the back end instead of a person and remembers what was shown.
class PromptRecorder
{
public:
    PromptRecorder();
    ~PromptRecorder();

    // The paths the next file dialogs return, in order; an empty string is a cancelled dialog.
    QStringList fileAnswers;
    QList<Prompt::FileRequest> fileRequests;
    QList<Prompt::Message> messages;   // questions too
    // The answers to the next questions, in order; with none left a question is answered Discard.
    QList<Prompt::Answer> answers;
};
