// The real message boxes: what they show of a text that looks like markup.

#include "app/prompt.h"

#include "promptrecorder.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTextDocument>
#include <QTimer>
#include <QtTest>

class tst_Prompt : public QObject
{
    Q_OBJECT

private slots:
    void textIsShownAsItIs_data();
    void textIsShownAsItIs();
};

void tst_Prompt::textIsShownAsItIs_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    // A file name that a box once drew as a red heading with a local picture.
    const QString fileName = QStringLiteral("Cannot open <h1 style=\"color:red\">BIG RED<h1><img src=\"x.png\">.stm");
    QTest::newRow("information") << "information" << fileName;
    QTest::newRow("warning") << "warning" << fileName;
    QTest::newRow("question") << "question" << QStringLiteral("Save <b>changes</b> to <i>a&amp;b</i>.stm?");
    QTest::newRow("yes or no") << "confirm" << QStringLiteral("Go on without a backup of <b>KT9</b>?");
}

void tst_Prompt::textIsShownAsItIs()
{
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QVERIFY(Qt::mightBeRichText(text));

    // In front of the guard that fails every unexpected box, with the real boxes behind it; the
    // guard is back when the recorder goes.
    PromptRecorder recorder;
    Prompt::setMessageHandler({});
    Prompt::setQuestionHandler({});
    Prompt::setConfirmHandler({});

    // The box is looked for while it runs its own event loop, and closed at once.
    bool seen = false;
    Qt::TextFormat format = Qt::AutoText;
    QString shown;
    QTimer closer;
    closer.setInterval(10);
    connect(&closer, &QTimer::timeout, this, [&] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            auto *box = qobject_cast<QMessageBox *>(widget);
            if (!box || !box->isVisible())
                continue;
            if (const auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))) {
                format = label->textFormat();
                shown = label->text();
            }
            seen = true;
            box->done(QMessageBox::Cancel);
        }
    });
    closer.start();
    if (kind == QLatin1String("information"))
        Prompt::information(nullptr, QStringLiteral("Notice"), text);
    else if (kind == QLatin1String("warning"))
        Prompt::warning(nullptr, QStringLiteral("Warning"), text);
    else if (kind == QLatin1String("question"))
        QCOMPARE(Prompt::question(nullptr, QStringLiteral("Unsaved changes"), text), Prompt::Answer::Cancel);
    else
        QVERIFY(!Prompt::confirm(nullptr, QStringLiteral("Firmware update"), text));
    closer.stop();

    QVERIFY(seen);
    QCOMPARE(format, Qt::PlainText);
    QCOMPARE(shown, text);
}

QTEST_MAIN(tst_Prompt)
#include "tst_prompt.moc"
