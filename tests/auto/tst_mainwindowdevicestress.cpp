// The hand-over from the device's thread to the GUI thread under load: thousands of replies while
// the GUI thread opens and closes the ports and the controller is pulled out and plugged in again.
#include "promptrecorder.h"

#include "app/mainwindow.h"
#include "device/virtual/virtualtark9.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

constexpr int Replies = 3000;
constexpr int IntervalMs = 1;                 // between two replies
constexpr int BufferWaitMs = 20;              // how long a reply waits for a queued buffer
constexpr qint64 RunLimitMs = 20000;          // the stream ends well before; a hang fails instead

VirtualTark9 &device() { return VirtualTark9::instance(); }
VirtualMidiSystem &ports() { return VirtualTark9::instance().virtualMidiSystem(); }
bool portsClosed() { return ports().openInputCount() == 0 && ports().openOutputCount() == 0; }

} // namespace

class TestMainWindowDeviceStress : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // Thousands of exchanges write tens of thousands of debug lines: only the rest is shown.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
            if (type != QtDebugMsg)
                fprintf(stderr, "%s\n", qPrintable(message));
        });
    }
    void cleanup() { device().reset(); }

    void repliesSurviveOpeningClosingAndUnplugging()
    {
        device().reset();
        // Requests stay unanswered, so that only the stream reaches the controller.
        device().setMisbehaviour(VirtualTark9::Misbehaviour::NoReply);
        device().setReplyDelay(0);
        // So a send's read-back check may find no answer, or no controller, and warn: any number
        // of those boxes is expected here, and none of another kind.
        PromptRecorder prompts;
        prompts.expectedMessages = PromptRecorder::AnyNumber;
        AppOptions options;
        options.virtualDevice = true;
        auto editor = std::make_unique<MainWindow>(options);
        QSignalSpy state(editor.get(), &MainWindow::devStateChanged);

        QList<QByteArray> received;
        int torn = 0;
        int outOfOrder = 0;
        int lastSequence = -1;
        connect(editor.get(), &MainWindow::s_midiIndata, this, [&](char *data, int length) {
            const QByteArray message(data, length);
            received << message;
            const QByteArray serial = message.mid(7, VirtualTark9::SerialLength);
            const int sequence = serial.left(9).toInt();
            if (message.size() != 21 || !message.startsWith(QByteArray("\xF0\x04\x00\x00\x00\x20\x6F", 7))
                || quint8(message.at(20)) != 0xF7 || VirtualTark9::streamSerial(sequence) != serial) {
                ++torn;
                return;
            }
            if (sequence <= lastSequence)
                ++outOfOrder;
            lastSequence = sequence;
        });

        const quint64 handledBefore = ports().handledMessages();
        device().startStream(Replies, IntervalMs, BufferWaitMs);
        QElapsedTimer clock;
        clock.start();
        int unplugs = 0;
        int notClosedAfterRemoval = 0;
        for (int round = 0; device().isStreaming() && clock.elapsed() < RunLimitMs; ++round) {
            if (round % 40 == 39) {
                const int before = state.size();
                device().unplug();
                QTRY_COMPARE(state.size(), before + 1);
                ++unplugs;
                if (!portsClosed())
                    ++notClosedAfterRemoval;
                device().plug();
                QTRY_COMPARE(state.size(), before + 2);
            } else if (round % 3 == 0) {
                editor->sendData();      // opens, writes and closes
                editor->getData();       // opens again and leaves them open
            }
            QTest::qWait(1);
        }
        QVERIFY2(!device().isStreaming(), "the stream did not finish in time");
        device().waitIdle();
        QTRY_COMPARE(quint64(received.size()), ports().handledMessages() - handledBefore);

        QCOMPARE(torn, 0);
        QCOMPARE(outOfOrder, 0);
        QCOMPARE(notClosedAfterRemoval, 0);
        QVERIFY(unplugs > 0);
        for (const Prompt::Message &message : qAsConst(prompts.messages))
            QVERIFY2(message.text.startsWith(QStringLiteral("The configuration was sent, but it could not be read back")), qPrintable(message.text));
        // Most replies find an open port; those that arrive while it is closed are not handed on.
        QVERIFY2(received.size() > Replies / 2, qPrintable(QString::number(received.size())));
        qInfo() << "replies handed over:" << received.size() << "of" << Replies << "with" << unplugs << "unplugs";
    }
};

QTEST_MAIN(TestMainWindowDeviceStress)
#include "tst_mainwindowdevicestress.moc"
