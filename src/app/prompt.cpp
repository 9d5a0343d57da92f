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

// Texts quote file names, device answers and server replies; QMessageBox would take any of them
// that looks like markup for rich text (a file named "<h1>...<img src=...>.stm" drew a heading
// and a local picture), so every box shows its text as it is.
int execPlain(QWidget *parent, QMessageBox::Icon icon, const Prompt::Message &message,
              QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, message.title, message.text, buttons, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(defaultButton);
    return box.exec();
}

void show(QWidget *parent, const Prompt::Message &message)
{
    // Every message the user sees is in the log too, so a report can be matched to it.
    qDebug() << "prompt:" << message.title << message.text;
    if (messageHandler()) {
        messageHandler()(parent, message);
        return;
    }
    execPlain(parent, message.kind == Prompt::Kind::Warning ? QMessageBox::Warning : QMessageBox::Information, message,
              QMessageBox::Ok, QMessageBox::NoButton);
}

Prompt::QuestionHandler &questionHandler()
{
    static Prompt::QuestionHandler handler;
    return handler;
}

Prompt::ConfirmHandler &confirmHandler()
{
    static Prompt::ConfirmHandler handler;
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
    switch (execPlain(parent, QMessageBox::Question, message, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                      QMessageBox::Save)) {
    case QMessageBox::Save: return Answer::Save;
    case QMessageBox::Discard: return Answer::Discard;
    default: return Answer::Cancel;
    }
}

bool Prompt::confirm(QWidget *parent, const QString &title, const QString &text)
{
    const Message message{Kind::Question, title, text};
    qDebug() << "prompt:" << title << text;
    if (confirmHandler())
        return confirmHandler()(parent, message);
    return execPlain(parent, QMessageBox::Question, message, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
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

void Prompt::setConfirmHandler(ConfirmHandler handler)
{
    confirmHandler() = std::move(handler);
}
