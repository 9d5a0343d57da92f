#include "promptrecorder.h"

#include <QtTest>

namespace {

PromptRecorder *g_current = nullptr;

} // namespace

PromptRecorder::PromptRecorder()
    : m_previous(g_current)
{
    g_current = this;
    install();
}

PromptRecorder::~PromptRecorder()
{
    g_current = m_previous;
    if (m_previous) {
        m_previous->install();
        return;
    }
    Prompt::setMessageHandler({});
    Prompt::setFileHandler({});
    Prompt::setQuestionHandler({});
    Prompt::setConfirmHandler({});
}

void PromptRecorder::install()
{
    Prompt::setMessageHandler([this](QWidget *, const Prompt::Message &message) {
        messages << message;
        if (++m_shownMessages > expectedMessages) {
            unexpected(QStringLiteral("box \"%1\": %2").arg(message.title, message.text));
            return;
        }
        if (whileShown)
            whileShown(message);
    });
    Prompt::setFileHandler([this](QWidget *, const Prompt::FileRequest &request) {
        fileRequests << request;
        if (fileAnswers.isEmpty()) {
            unexpected(QStringLiteral("file dialog \"%1\"").arg(request.caption));
            return QString();
        }
        return fileAnswers.takeFirst();
    });
    Prompt::setQuestionHandler([this](QWidget *, const Prompt::Message &message) {
        messages << message;
        if (answers.isEmpty()) {
            unexpected(QStringLiteral("question \"%1\": %2").arg(message.title, message.text));
            return Prompt::Answer::Cancel;
        }
        return answers.takeFirst();
    });
    Prompt::setConfirmHandler([this](QWidget *, const Prompt::Message &message) {
        messages << message;
        if (confirmations.isEmpty()) {
            unexpected(QStringLiteral("question \"%1\": %2").arg(message.title, message.text));
            return false;
        }
        return confirmations.takeFirst();
    });
}

void PromptRecorder::unexpected(const QString &what)
{
    QTest::qFail(qPrintable(QStringLiteral("unexpected %1").arg(what)), __FILE__, __LINE__);
}
