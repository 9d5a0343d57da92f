// The editor's dealings with the controller, without a window: arrivals and removals as the
// presence detector reports them, sending with its check by reading back, reading, comparing,
// and every failure told to the user as one sentence in the interface's language. Against the
// virtual Tark9.
#include "promptrecorder.h"

#include "app/controllersession.h"
#include "app/presetdocument.h"
#include "config/controlleridentity.h"
#include "config/datamanagement.h"
#include "device/detectiondevice.h"
#include "device/virtual/virtualtark9.h"
#include "i18n/trans.h"

#include <QElapsedTimer>
#include <QQmlEngine>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const QByteArray ReadRequest("\xF0\x02\x00\x00\x00\x20\x6F\xF7", 8);
const QByteArray SerialRequest("\xF0\x04\x00\x00\x00\x20\x6F\xF7", 8);
constexpr int PadOffset = 13, PadSize = 7;
constexpr int Pad13Note = PadOffset + PadSize * 12 + 1;   // bank A's pad 13 (model pad 12)
// The start-up exchange: the configuration read, and 2 s later the serial number.
constexpr int ExchangeWaitMs = 5000;

VirtualTark9 &device() { return VirtualTark9::instance(); }
VirtualMidiSystem &ports() { return VirtualTark9::instance().virtualMidiSystem(); }
bool portsClosed() { return ports().openInputCount() == 0 && ports().openOutputCount() == 0; }

// The editor's back end as the window builds it: the model, the preset document, and the
// session told of the controller's arrivals and removals by a presence detector.
class Editor
{
public:
    Editor()
    {
        model.initDefaultData();
        model.clearHistory();
        document = std::make_unique<PresetDocument>(&model, settings, nullptr);
        session = std::make_unique<ControllerSession>(&model, document.get(), nullptr);
        QObject::connect(&detector, &DetectionDevice::s_devTypeAndState, session.get(), [this](const QString &type, bool arrival) {
            if (type == QLatin1String(ControllerIdentity::MidiDeviceType))
                session->setAttached(arrival);
        });
        detector.scanDevices();
    }

    // The start-up exchange is over and a read has closed the ports again: nothing is under way,
    // and the next exchange looks its ports up afresh.
    bool idle()
    {
        QSignalSpy serial(session.get(), &ControllerSession::serialNumberReceived);
        if (!serial.wait(ExchangeWaitMs))
            return false;
        QSignalSpy loaded(&model, &DataManagement::s_updateDate);
        session->read();
        return loaded.wait(ExchangeWaitMs) && portsClosed();
    }

    QTemporaryDir dir;
    QSettings settings{dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat};
    DataManagement model;
    std::unique_ptr<PresetDocument> document;
    std::unique_ptr<ControllerSession> session;
    DetectionDevice detector;
};

} // namespace

Q_DECLARE_METATYPE(VirtualTark9::Misbehaviour)

class tst_ControllerSession : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { VirtualTark9::installAsBackend(); }
    void init() { device().reset(); }
    void cleanup() { device().reset(); }

    void arrivalReadsTheConfigurationThenTheSerialNumber_data();
    void arrivalReadsTheConfigurationThenTheSerialNumber();
    void sendIsCheckedByReadingBack_data();
    void sendIsCheckedByReadingBack();
    void readLoadsTheControllersConfiguration_data();
    void readLoadsTheControllersConfiguration();
    void compareListsTheDifferences();
    void failuresAreToldInWholeSentences_data();
    void failuresAreToldInWholeSentences();
    void anArrivalWarnsOnce_data();
    void anArrivalWarnsOnce();
    void portsListedLateAfterTheArrivalAreWaitedFor();
    void removalWhileTheArrivalWarnsLeavesTheIndicatorOff();
    void unplugClosesThePortsAndAPlugReadsAgain_data();
    void unplugClosesThePortsAndAPlugReadsAgain();
};

void tst_ControllerSession::arrivalReadsTheConfigurationThenTheSerialNumber_data()
{
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QString>("serialNumber");
    QTest::addColumn<QVariantList>("version");
    QTest::newRow("factory") << QByteArray() << "KT9V240100001" << QVariantList({1, 0, 3});
    QTest::newRow("13 characters, version 2.1.3") << QByteArray("AB12CD34EF567") << "AB12CD34EF567" << QVariantList({2, 1, 3});
    QTest::newRow("8 characters and NULs") << QByteArray("SN123456\0\0\0\0\0", 13) << "SN123456" << QVariantList({1, 0, 3});
}

void tst_ControllerSession::arrivalReadsTheConfigurationThenTheSerialNumber()
{
    QFETCH(QByteArray, field);
    QFETCH(QString, serialNumber);
    QFETCH(QVariantList, version);
    if (!field.isEmpty())
        device().setSerialNumber(field);
    device().setFirmwareVersion(version.at(0).toInt(), version.at(1).toInt(), version.at(2).toInt());
    Editor editor;
    QSignalSpy serial(editor.session.get(), &ControllerSession::serialNumberReceived);
    QSignalSpy loaded(&editor.model, &DataManagement::s_updateDate);
    QVERIFY(loaded.wait(ExchangeWaitMs));
    // The configuration's reply closed the ports before the serial-number request opened them.
    QVERIFY(portsClosed());
    QCOMPARE(quint8(editor.model.configImage()[1]), quint8(VirtualTark9::ReplyCommand));
    QCOMPARE(editor.model.getVerInfo(), version);
    // Nothing of the user's to save.
    QVERIFY(!editor.document->isModified());
    QVERIFY(serial.wait(ExchangeWaitMs));
    QCOMPARE(serial.size(), 1);
    QCOMPARE(serial.first().first().toString(), serialNumber);
    QCOMPARE(device().receivedMessages(), QList<QByteArray>({ReadRequest, SerialRequest}));
}

void tst_ControllerSession::sendIsCheckedByReadingBack_data()
{
    QTest::addColumn<VirtualTark9::Misbehaviour>("misbehaviour");
    QTest::addColumn<QString>("warning");    // empty: the check finds nothing to say
    QTest::newRow("kept") << VirtualTark9::Misbehaviour::None << QString();
    QTest::newRow("kept with a byte changed") << VirtualTark9::Misbehaviour::CorruptsWrites
        << "The Kovela Tark9 did not keep the configuration as it was sent:\npad A13 note: editor 36, controller 37";
    QTest::newRow("no answer to the check") << VirtualTark9::Misbehaviour::NoReply
        << "The configuration was sent, but it could not be read back to check it.\nIt did not answer within 3 seconds.";
}

void tst_ControllerSession::sendIsCheckedByReadingBack()
{
    QFETCH(VirtualTark9::Misbehaviour, misbehaviour);
    QFETCH(QString, warning);
    Editor editor;
    QVERIFY(editor.idle());
    device().setMisbehaviour(misbehaviour);
    device().clearReceivedMessages();
    PromptRecorder prompts;
    prompts.expectedMessages = warning.isEmpty() ? 0 : 1;
    QSignalSpy hints(editor.session.get(), &ControllerSession::showHint);
    editor.session->send();
    QCOMPARE(hints.size(), 1);
    QCOMPARE(hints.first(), QVariantList({true, true}));
    // A send closes the ports it opened before it returns.
    QVERIFY(portsClosed());
    device().waitIdle();
    // The image goes out with the write command byte; the editor keeps the reply's.
    QByteArray sent = editor.document->image();
    QCOMPARE(quint8(sent.at(1)), quint8(VirtualTark9::ReplyCommand));
    sent[1] = 0x01;
    QCOMPARE(device().receivedMessages(), QList<QByteArray>({sent}));
    if (warning.isEmpty()) {
        QTRY_COMPARE(device().receivedMessages(), QList<QByteArray>({sent, ReadRequest}));
        QTRY_VERIFY(portsClosed());
        QCOMPARE(device().configuration(), sent);
        QCOMPARE(hints.size(), 1);
        return;
    }
    QTRY_COMPARE_WITH_TIMEOUT(prompts.messages.size(), 1, ExchangeWaitMs);
    QCOMPARE(prompts.messages.first().kind, Prompt::Kind::Warning);
    QCOMPARE(prompts.messages.first().text, warning);
    QCOMPARE(hints.last(), QVariantList({true, false}));
}

void tst_ControllerSession::readLoadsTheControllersConfiguration_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("value");        // the controller's value there
    QTest::addColumn<QString>("told");     // part of the information the user gets
    QTest::addColumn<bool>("broken");      // the reply carries a status byte: nothing is loaded
    QTest::newRow("known values") << Pad13Note << 77 << QString() << false;
    QTest::newRow("a pad type this editor does not know") << PadOffset << 3 << "pad A1 type is 3" << false;
    QTest::newRow("broken reply") << Pad13Note << 77 << QString() << true;
}

void tst_ControllerSession::readLoadsTheControllersConfiguration()
{
    QFETCH(int, offset);
    QFETCH(int, value);
    QFETCH(QString, told);
    QFETCH(bool, broken);
    Editor editor;
    QVERIFY(editor.idle());
    if (broken)
        device().setMisbehaviour(VirtualTark9::Misbehaviour::InvalidBytes);
    QByteArray held = device().configuration();
    held[offset] = char(value);
    device().setConfiguration(held);
    device().clearReceivedMessages();
    const QByteArray before = editor.document->image();
    PromptRecorder prompts;
    prompts.expectedMessages = told.isEmpty() ? 0 : 1;
    QSignalSpy hints(editor.session.get(), &ControllerSession::showHint);
    editor.session->read();
    // Reported at once; the configuration follows.
    QCOMPARE(hints.size(), 1);
    QCOMPARE(hints.first(), QVariantList({false, true}));
    QCOMPARE(editor.document->image(), before);
    if (broken) {
        QTRY_VERIFY(portsClosed());
        QCOMPARE(editor.document->image(), before);
        return;
    }
    QTRY_COMPARE(int(editor.document->image().at(offset)), value);
    QCOMPARE(device().receivedMessages(), QList<QByteArray>({ReadRequest}));
    QVERIFY(portsClosed());
    QCOMPARE(prompts.messages.size(), told.isEmpty() ? 0 : 1);
    if (!told.isEmpty())
        QVERIFY2(prompts.messages.first().text.contains(told), qPrintable(prompts.messages.first().text));
}

void tst_ControllerSession::compareListsTheDifferences()
{
    Editor editor;
    QVERIFY(editor.idle());
    const QByteArray editorImage = editor.document->image();
    // Nothing compared yet: nothing to take.
    editor.session->takeControllerConfiguration();
    QCOMPARE(editor.document->image(), editorImage);

    QByteArray held = device().configuration();
    QCOMPARE(int(editorImage.at(Pad13Note)), 36);
    held[Pad13Note] = 40;
    held[PadOffset + 2] = 5;                 // pad A1's channel
    held[1] = 0x01;                          // the command byte and the version are no field
    held[8] = 9;
    device().setConfiguration(held);
    QSignalSpy compared(editor.session.get(), &ControllerSession::compared);
    editor.session->compare();
    QVERIFY(compared.wait(ExchangeWaitMs));
    QCOMPARE(compared.first().first().toStringList(), QStringList({QStringLiteral("pad A1 channel: editor 1, controller 5"),
                                                                   QStringLiteral("pad A13 note: editor 36, controller 40")}));
    QCOMPARE(editor.document->image(), editorImage);

    // The controller's values, as one step.
    editor.session->takeControllerConfiguration();
    QCOMPARE(editor.document->image().mid(11), held.mid(11));
    editor.model.undo();
    QCOMPARE(editor.document->image(), editorImage);

    // The same configuration on both sides.
    device().setConfiguration(editorImage);
    editor.session->compare();
    QVERIFY(compared.wait(ExchangeWaitMs));
    QCOMPARE(compared.last().first().toStringList(), QStringList());
}

void tst_ControllerSession::failuresAreToldInWholeSentences_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("situation");
    QTest::addColumn<QString>("text");   // as the English interface says it
    const QString comparison = QStringLiteral("The configuration of the Kovela Tark9 could not be read for the comparison.\n");
    const QString busy = QStringLiteral("The current device is occupied");
    const QString notConnected = QStringLiteral("No Kovela Tark9 is connected.");
    const QString noAnswer = QStringLiteral("It did not answer within 3 seconds.");
    // Every situation in English; in Chinese those whose warning is put together from parts, and one
    // that is a sentence alone.
    for (const QString &language : {QStringLiteral("English"), QStringLiteral("简体中文")}) {
        const auto row = [&](const char *name) -> QTestData & {
            return QTest::newRow(qPrintable(language + QLatin1String(": ") + QLatin1String(name))) << language;
        };
        row("send, ports busy") << "send busy" << busy;
        row("compare, ports busy") << "compare busy" << comparison + busy;
        row("compare, no answer") << "compare no reply" << comparison + noAnswer;
        row("compare, not connected") << "compare not connected" << comparison + notConnected;
        row("compare, broken reply") << "compare broken" << comparison + "Its reply was broken at byte 200.";
        if (language != QLatin1String("English"))
            continue;
        row("send, controller stops reading") << "send stops reading" << "The Kovela Tark9 took no data for 2 seconds; the send was given up.";
        row("send, ports gone") << "send ports gone" << "The MIDI ports of the Kovela Tark9 were not found; nothing was sent.";
        row("compare, unplugged while waiting") << "compare unplugged" << comparison + "The Kovela Tark9 was unplugged.";
    }
}

// Whatever failed, the warning is one text in the interface's language: in Chinese no English
// word is left in it but the names of the controller and of MIDI.
void tst_ControllerSession::failuresAreToldInWholeSentences()
{
    QFETCH(QString, language);
    QFETCH(QString, situation);
    QFETCH(QString, text);
    QQmlEngine engine;
    Trans trans(&engine);
    trans.reTrans(language);
    if (situation.endsWith(QLatin1String("not connected")))
        device().unplug();
    Editor editor;
    if (device().isPlugged())
        QVERIFY(editor.idle());
    if (situation.endsWith(QLatin1String("busy")))
        device().setMisbehaviour(VirtualTark9::Misbehaviour::PortsBusy);
    else if (situation.endsWith(QLatin1String("stops reading")))
        device().setMisbehaviour(VirtualTark9::Misbehaviour::StopsReading);
    else if (situation.endsWith(QLatin1String("no reply")) || situation.endsWith(QLatin1String("unplugged")))
        device().setMisbehaviour(VirtualTark9::Misbehaviour::NoReply);
    else if (situation.endsWith(QLatin1String("broken")))
        device().setMisbehaviour(VirtualTark9::Misbehaviour::InvalidBytes);
    else if (situation.endsWith(QLatin1String("ports gone")))
        ports().setPortLayout({{"Other Synth", false}}, {{"Other Synth", false}});

    PromptRecorder prompts;
    prompts.expectedMessages = 1;
    QSignalSpy hints(editor.session.get(), &ControllerSession::showHint);
    QElapsedTimer clock;
    clock.start();
    if (situation.startsWith(QLatin1String("send"))) {
        editor.session->send();
        QCOMPARE(hints.first(), QVariantList({true, false}));
        // A controller that stops reading does not hold the editor for good.
        QVERIFY2(clock.elapsed() < 2500, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(portsClosed());
    } else {
        editor.session->compare();
        if (situation.endsWith(QLatin1String("unplugged")))
            device().unplug();
    }
    QTRY_COMPARE_WITH_TIMEOUT(prompts.messages.size(), 1, ExchangeWaitMs);
    const Prompt::Message message = prompts.messages.first();
    QCOMPARE(message.kind, Prompt::Kind::Warning);
    if (language == QLatin1String("English")) {
        QCOMPARE(message.title, QStringLiteral("Error prompt"));
        QCOMPARE(message.text, text);
    } else {
        QString words = message.text;
        words.remove(QStringLiteral("Kovela Tark9")).remove(QStringLiteral("MIDI"));
        QVERIFY2(!message.text.isEmpty() && !words.contains(QRegularExpression(QStringLiteral("[A-Za-z]"))), qPrintable(message.text));
        QVERIFY(!message.title.contains(QRegularExpression(QStringLiteral("[A-Za-z]"))));
    }
}

void tst_ControllerSession::anArrivalWarnsOnce_data()
{
    QTest::addColumn<bool>("busy");   // else only ports near the controller's name are listed
    QTest::addColumn<QString>("text");
    QTest::newRow("ports busy") << true << "The current device is occupied";
    QTest::newRow("ports only near the name") << false << "The MIDI ports of the Kovela Tark9 were not found; nothing was sent.";
}

// One box for the whole arrival: its read request and, 2 s later, its serial-number request meet
// the same failure. The user's own send meets it too, and says so.
void tst_ControllerSession::anArrivalWarnsOnce()
{
    QFETCH(bool, busy);
    QFETCH(QString, text);
    if (busy)
        device().setMisbehaviour(VirtualTark9::Misbehaviour::PortsBusy);
    else
        ports().setPortLayout({{"Kovela Tark9 MIDI 1", true}, {"kovela tark9", false}}, {{"Kovela Tark9 MIDI 1", true}});
    PromptRecorder prompts;
    prompts.expectedMessages = 1;
    Editor editor;
    QSignalSpy attached(editor.session.get(), &ControllerSession::attachedChanged);
    QSignalSpy hints(editor.session.get(), &ControllerSession::showHint);
    if (!busy) {
        // The start-up scan does not recognise it; the hot-plug path looks for its ports for 5 s
        // and finds none.
        QCOMPARE(prompts.messages.size(), 0);
        device().unplug();
        device().plug();
        QTRY_COMPARE_WITH_TIMEOUT(attached.size(), 1, 10000);
        QCOMPARE(hints.first(), QVariantList({false, false}));
    }
    QCOMPARE(prompts.messages.size(), 1);
    QCOMPARE(prompts.messages.first().text, text);
    QTest::qWait(2500);
    QCOMPARE(prompts.messages.size(), 1);
    QVERIFY(device().receivedMessages().isEmpty());

    prompts.expectedMessages = 2;
    editor.session->send();
    QCOMPARE(hints.last(), QVariantList({true, false}));
    QCOMPARE(prompts.messages.size(), 2);
    QCOMPARE(prompts.messages.last().text, text);
    QVERIFY(portsClosed());
}

void tst_ControllerSession::portsListedLateAfterTheArrivalAreWaitedFor()
{
    Editor editor;
    QSignalSpy loaded(&editor.model, &DataManagement::s_updateDate);
    QVERIFY(loaded.wait(ExchangeWaitMs));
    PromptRecorder prompts;
    QSignalSpy attached(editor.session.get(), &ControllerSession::attachedChanged);
    device().unplug();
    QTRY_COMPARE(attached.size(), 1);
    // As udev does: the card is announced before the sequencer lists its ports.
    device().setPortDelay(600);
    device().plug();
    QTRY_COMPARE(attached.size(), 2);
    QCOMPARE(attached.last(), QVariantList({true}));
    QTRY_COMPARE(loaded.size(), 2);
    QVERIFY(prompts.messages.isEmpty());
}

void tst_ControllerSession::removalWhileTheArrivalWarnsLeavesTheIndicatorOff()
{
    device().unplug();
    Editor editor;
    QSignalSpy attached(editor.session.get(), &ControllerSession::attachedChanged);
    // The user is slow to close the arrival's box, and the controller is pulled out meanwhile.
    PromptRecorder prompts;
    prompts.expectedMessages = 1;
    prompts.whileShown = [&](const Prompt::Message &) {
        device().unplug();
        QTRY_COMPARE(attached.size(), 1);
    };
    device().setMisbehaviour(VirtualTark9::Misbehaviour::PortsBusy);
    device().plug();
    QTRY_COMPARE(prompts.messages.size(), 1);
    QTest::qWait(100);
    QCOMPARE(attached.size(), 1);
    QCOMPARE(attached.first(), QVariantList({false}));
}

void tst_ControllerSession::unplugClosesThePortsAndAPlugReadsAgain_data()
{
    QTest::addColumn<VirtualTark9::Misbehaviour>("misbehaviour");
    QTest::newRow("while the read waits for its answer") << VirtualTark9::Misbehaviour::NoReply;
    QTest::newRow("in the middle of an exchange") << VirtualTark9::Misbehaviour::UnplugMidExchange;
}

void tst_ControllerSession::unplugClosesThePortsAndAPlugReadsAgain()
{
    QFETCH(VirtualTark9::Misbehaviour, misbehaviour);
    device().setMisbehaviour(misbehaviour);
    Editor editor;
    const QByteArray factory = editor.document->image();
    QSignalSpy attached(editor.session.get(), &ControllerSession::attachedChanged);
    QSignalSpy hints(editor.session.get(), &ControllerSession::showHint);
    if (misbehaviour == VirtualTark9::Misbehaviour::NoReply) {
        QCOMPARE(ports().openInputCount(), 1);   // the read request is waiting for its answer
        device().unplug();
    }
    QTRY_COMPARE(attached.size(), 1);
    QCOMPARE(attached.first(), QVariantList({false}));
    QVERIFY(portsClosed());
    QCOMPARE(editor.document->image(), factory);
    // Without a controller every exchange fails, and nothing is opened.
    device().clearReceivedMessages();
    editor.session->send();
    QCOMPARE(hints.last(), QVariantList({true, false}));
    editor.session->read();
    QCOMPARE(hints.last(), QVariantList({false, false}));
    QVERIFY(portsClosed());
    QVERIFY(device().receivedMessages().isEmpty());

    device().setMisbehaviour(VirtualTark9::Misbehaviour::None);
    QSignalSpy loaded(&editor.model, &DataManagement::s_updateDate);
    device().plug();
    QTRY_COMPARE(attached.size(), 2);
    QCOMPARE(attached.last(), QVariantList({true}));
    QTRY_COMPARE_WITH_TIMEOUT(loaded.size(), 1, ExchangeWaitMs);
    QCOMPARE(editor.model.getVerInfo(), QVariantList({1, 0, 3}));
}

QTEST_MAIN(tst_ControllerSession)
#include "tst_controllersession.moc"
