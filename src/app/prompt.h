#pragma once

#include <QString>

#include <functional>

class QWidget;

// Every modal question and message of the back end goes through here, so that a test can
// answer it instead of a person (and so never blocks on a dialog).
class Prompt
{
public:
    enum class Kind { Information, Warning, Question };

    // The answers to a question about unsaved changes.
    enum class Answer { Save, Discard, Cancel };

    struct Message {
        Kind kind;
        QString title;
        QString text;
    };

    enum class FileMode { Save, Open };

    struct FileRequest {
        FileMode mode;
        QString caption;
        QString directory;
        QString filter;
    };

    using MessageHandler = std::function<void(QWidget *parent, const Message &)>;
    using FileHandler = std::function<QString(QWidget *parent, const FileRequest &)>;
    using QuestionHandler = std::function<Answer(QWidget *parent, const Message &)>;
    using ConfirmHandler = std::function<bool(QWidget *parent, const Message &)>;

    static void information(QWidget *parent, const QString &title, const QString &text);
    static void warning(QWidget *parent, const QString &title, const QString &text);
    // Save / Discard / Cancel; closing the box is Cancel.
    static Answer question(QWidget *parent, const QString &title, const QString &text);
    // Yes / No, No the default; closing the box is No.
    static bool confirm(QWidget *parent, const QString &title, const QString &text);
    static QString saveFileName(QWidget *parent, const QString &caption, const QString &directory, const QString &filter);
    static QString openFileName(QWidget *parent, const QString &caption, const QString &directory, const QString &filter);

    // Replace the real dialogs; an empty function restores them.
    static void setMessageHandler(MessageHandler handler);
    static void setFileHandler(FileHandler handler);
    static void setQuestionHandler(QuestionHandler handler);
    static void setConfirmHandler(ConfirmHandler handler);
};
