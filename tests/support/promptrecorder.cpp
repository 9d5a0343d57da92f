#include "promptrecorder.h"

PromptRecorder::PromptRecorder()
{
    Prompt::setMessageHandler([this](QWidget *, const Prompt::Message &message) { messages << message; });
    Prompt::setFileHandler([this](QWidget *, const Prompt::FileRequest &request) {
        fileRequests << request;
        return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
    });
    Prompt::setQuestionHandler([this](QWidget *, const Prompt::Message &message) {
        messages << message;
        return answers.isEmpty() ? Prompt::Answer::Discard : answers.takeFirst();
    });
}

PromptRecorder::~PromptRecorder()
{
    Prompt::setMessageHandler({});
    Prompt::setFileHandler({});
    Prompt::setQuestionHandler({});
}
