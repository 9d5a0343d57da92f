#include "app/prompt.h"

#include <QDebug>
#include <QFileDialog>
#include <QMessageBox>

namespace {

Prompt::MessageHandler &messageHandler()
{
    static Prompt::MessageHandler handler;
    return handler;
}

Prompt::FileHandler &fileHandler()
{
    static Prompt::FileHandler handler;
    return handler;
}

void show(QWidget *parent, const Prompt::Message &message)
{
    // Every message the user sees is in the log too, so a report can be matched to it.
    qDebug() << "prompt:" << message.title << message.text;
    if (messageHandler()) {
        messageHandler()(parent, message);
        return;
    }
    if (message.kind == Prompt::Kind::Warning)
        QMessageBox::warning(parent, message.title, message.text, QMessageBox::Ok, QMessageBox::NoButton);
    else
        QMessageBox::information(parent, message.title, message.text, QMessageBox::Ok);
}

Prompt::QuestionHandler &questionHandler()
{
    static Prompt::QuestionHandler handler;
    return handler;
}

QString askFile(QWidget *parent, const Prompt::FileRequest &request)
{
    if (fileHandler())
        return fileHandler()(parent, request);
    if (request.mode == Prompt::FileMode::Save)
        return QFileDialog::getSaveFileName(parent, request.caption, request.directory, request.filter);
    return QFileDialog::getOpenFileName(parent, request.caption, request.directory, request.filter);
}

} // namespace

void Prompt::information(QWidget *parent, const QString &title, const QString &text)
{
    show(parent, {Kind::Information, title, text});
}

void Prompt::warning(QWidget *parent, const QString &title, const QString &text)
{
    show(parent, {Kind::Warning, title, text});
}

Prompt::Answer Prompt::question(QWidget *parent, const QString &title, const QString &text)
{
    const Message message{Kind::Question, title, text};
    qDebug() << "prompt:" << title << text;
    if (questionHandler())
        return questionHandler()(parent, message);
    switch (QMessageBox::question(parent, title, text, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save)) {
    case QMessageBox::Save: return Answer::Save;
    case QMessageBox::Discard: return Answer::Discard;
    default: return Answer::Cancel;
    }
}

QString Prompt::saveFileName(QWidget *parent, const QString &caption, const QString &directory, const QString &filter)
{
    return askFile(parent, {FileMode::Save, caption, directory, filter});
}

QString Prompt::openFileName(QWidget *parent, const QString &caption, const QString &directory, const QString &filter)
{
    return askFile(parent, {FileMode::Open, caption, directory, filter});
}

void Prompt::setMessageHandler(MessageHandler handler)
{
    messageHandler() = std::move(handler);
}

void Prompt::setFileHandler(FileHandler handler)
{
    fileHandler() = std::move(handler);
}

void Prompt::setQuestionHandler(QuestionHandler handler)
{
    questionHandler() = std::move(handler);
}
