// tark9ctl from the outside: every command as a script runs it, against the virtual controller
// (--virtual, with its faults for the error exits) and, for flash, against lrzsz's rb.
#include "ptypair.h"
#include "receiverline.h"
#include "nonregularfiles.h"
#include "testimage.h"
#include "toolrun.h"

#include "config/editorsettings.h"
#include "config/presetfile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <unistd.h>

namespace {

using Run = ToolRun;

Run run(const QStringList &arguments, const QByteArray &input = QByteArray(), const QString &outputFile = QString())
{
    return runTool(arguments, input, outputFile);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A whole configuration with every field at a random value of its range.
QByteArray variedImage(quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray image(458, '\0');
    for (int i = 1; i < 457; ++i)
        image[i] = char(random.bounded(128));
    image[0] = char(0xF0);
    image[457] = char(0xF7);
    image[11] = char(random.bounded(4));
    const auto record = [&](int offset, int count, int size, int types, bool mode) {
        for (int i = 0; i < count; ++i) {
            const int o = offset + size * i;
            image[o] = char(random.bounded(types));
            image[o + 2] = char(1 + random.bounded(16));
            if (mode)
                image[o + 3] = char(random.bounded(2));
        }
    };
    record(13, 48, 7, 3, true);
    record(349, 12, 7, 3, false);
    record(433, 6, 4, 2, true);
    return image;
}

} // namespace

class tst_Tark9Ctl : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void helpAndVersion();
    void commandHelp_data();
    void commandHelp();
    void everyFaultInTheHelpIsTaken();
    void usageErrors_data();
    void usageErrors();
    void portsMarkTheController();
    void getThenShow();
    void jsonRoundTripIsByteForByte();
    void applyJsonRefuses_data();
    void applyJsonRefuses();
    void sendAndVerify();
    void serialNumberAndVersion();
    void monitorPrintsWhatTheVirtualControllerPlays_data();
    void monitorPrintsWhatTheVirtualControllerPlays();
    void errorExitCodes_data();
    void errorExitCodes();
    void flashTheVirtualController_data();
    void flashTheVirtualController();
    void rescue_data();
    void rescue();
    void flashAgainstRbWithPort();
    void flashCancelledByTheReceiver();
    void withoutAMidiSystem_data();
    void withoutAMidiSystem();
    void doctor_data();
    void doctor();
    void presetTargets_data();
    void presetTargets();
    void unwrittenOutputFails_data();
    void unwrittenOutputFails();
    void fullDiskSaysSo();
    void inputsThatAreNoFiles_data();
    void inputsThatAreNoFiles();
    void standardInputAndOutput_data();
    void standardInputAndOutput();

private:
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }
};

void tst_Tark9Ctl::initTestCase()
{
    QVERIFY2(QFileInfo(toolPath()).isExecutable(), qPrintable(toolPath()));
    QVERIFY(m_dir.isValid());
    // A preset with one changed pad: A13 plays C4 instead of C2.
    const Run got = run({"--virtual", "get", path("factory.stm")});
    QCOMPARE(got.exitCode, 0);
    QByteArray changed = readFile(path("factory.stm")).mid(4);
    changed[13 + 7 * 12 + 1] = 60;
    QVERIFY(PresetFile::write(path("changed.stm"), changed, nullptr));
    QVERIFY(PresetFile::write(path("truncated.stm"), changed.left(100), nullptr));
    QVERIFY(TestImage::write(path("firmware.bin"), TestImage::bytes(20 * 1024 + 77)));
    const Run json = run({"show", "--json", path("changed.stm")});
    QCOMPARE(json.exitCode, 0);
    QVERIFY(TestImage::write(path("changed.json"), json.out.toUtf8()));
}

void tst_Tark9Ctl::helpAndVersion()
{
    const Run help = run({"--help"});
    QCOMPARE(help.exitCode, 0);
    QVERIFY(help.out.contains("Exit codes:"));
    QVERIFY(help.err.isEmpty());
    for (const char *command : {"ports", "doctor", "get", "send", "sn", "monitor", "show", "apply-json", "flash", "rescue"}) {
        const Run commandHelp = run({command, "--help"});
        QCOMPARE(commandHelp.exitCode, 0);
        QVERIFY2(commandHelp.out.startsWith(QStringLiteral("Usage: tark9ctl %1").arg(command)), qPrintable(commandHelp.out));
        QVERIFY(help.out.contains(QStringLiteral("  %1 ").arg(command)));
    }
    const Run version = run({"--version"});
    QCOMPARE(version.exitCode, 0);
    QVERIFY(version.out.startsWith("tark9ctl 1."));
}

// A command's help is the same however it is asked for, and its usage line is the one the tool's
// help lists it with.
void tst_Tark9Ctl::commandHelp_data()
{
    QTest::addColumn<QString>("command");
    for (const char *command : {"ports", "doctor", "get", "send", "sn", "monitor", "show", "apply-json", "flash", "rescue"})
        QTest::newRow(command) << command;
}

void tst_Tark9Ctl::commandHelp()
{
    QFETCH(QString, command);
    const Run asked = run({command, "--help"});
    QCOMPARE(asked.exitCode, 0);
    const QString synopsis = asked.out.section(QLatin1Char('\n'), 0, 0).mid(int(qstrlen("Usage: tark9ctl ")));
    QVERIFY2(run({"--help"}).out.contains(QRegularExpression(QStringLiteral("\n  %1 +[a-z]").arg(QRegularExpression::escape(synopsis)))),
             qPrintable(synopsis));
    for (const QStringList &arguments : {QStringList{"help", command}, QStringList{"--help", command}, QStringList{"--virtual", command, "-h"}}) {
        const Run other = run(arguments);
        QCOMPARE(other.exitCode, 0);
        QCOMPARE(other.out, asked.out);
    }
}

// The faults the help names are the ones --virtual=FAULT takes.
void tst_Tark9Ctl::everyFaultInTheHelpIsTaken()
{
    const QRegularExpressionMatch listed = QRegularExpression("handling: ([a-z, -]+)\n").match(run({"--help"}).out);
    QVERIFY(listed.hasMatch());
    const QStringList faults = listed.captured(1).split(", ");
    QCOMPARE(faults.size(), 10);
    for (const QString &fault : faults) {
        const Run result = run({"--virtual=" + fault, "ports"});
        QVERIFY2(result.exitCode == 0 && result.err.isEmpty(), qPrintable(fault + ": " + result.err));
    }
}

void tst_Tark9Ctl::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("no command") << QStringList();
    QTest::newRow("unknown command") << QStringList{"erase"};
    QTest::newRow("missing file") << QStringList{"get"};
    QTest::newRow("option of another command") << QStringList{"get", "x.stm", "--verify"};
    QTest::newRow("port without a name") << QStringList{"flash", "x.bin", "--port"};
    QTest::newRow("unknown fault") << QStringList{"--virtual=broken", "sn"};
    QTest::newRow("empty fault") << QStringList{"--virtual=", "sn"};
    QTest::newRow("unknown option") << QStringList{"sn", "--bogus"};
    QTest::newRow("value for a switch") << QStringList{"show", "x.stm", "--json=yes"};
    QTest::newRow("empty port name") << QStringList{"flash", "x.bin", "--port="};
    QTest::newRow("one operand too many") << QStringList{"show", "x.stm", "y.stm"};
    QTest::newRow("two images to rescue with") << QStringList{"rescue", "x.bin", "y.bin"};
    QTest::newRow("backing up is flash's") << QStringList{"rescue", "x.bin", "--no-backup"};
    QTest::newRow("expected version without one") << QStringList{"flash", "x.bin", "--expect-version"};
    QTest::newRow("help for an unknown command") << QStringList{"help", "erase"};
    QTest::newRow("demo without the virtual controller") << QStringList{"monitor", "--demo"};
    QTest::newRow("an unknown command's help") << QStringList{"erase", "--help"};
}

void tst_Tark9Ctl::usageErrors()
{
    QFETCH(QStringList, arguments);
    const Run result = run(arguments);
    QCOMPARE(result.exitCode, 2);
    QVERIFY(result.out.isEmpty());
    QVERIFY2(result.err.startsWith("tark9ctl: ") && result.err.count('\n') == 1, qPrintable(result.err));
}

void tst_Tark9Ctl::portsMarkTheController()
{
    const Run result = run({"--virtual", "ports"});
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out.count("0  Kovela Tark9  [the controller]"), 2);
    QVERIFY(result.out.contains("Serial ports"));
}

void tst_Tark9Ctl::getThenShow()
{
    const QByteArray preset = readFile(path("factory.stm"));
    QCOMPARE(preset.size(), 462);
    QVERIFY(preset.startsWith(QByteArray::fromHex("000001CAF003000000206F00010003")));
    const Run shown = run({"show", path("changed.stm")});
    QCOMPARE(shown.exitCode, 0);
    QVERIFY(shown.out.contains("firmware version  1.0.3"));
    QVERIFY(shown.out.contains(QRegularExpression("A13 +NOTE +60 C4 +1 +momentary +#b40000")));
    QVERIFY(shown.out.contains(QRegularExpression("C4 +CC +52 +1 +0..127")));
    QVERIFY(shown.out.contains(QRegularExpression("6 +CC +26 +1 +momentary")));
}

void tst_Tark9Ctl::jsonRoundTripIsByteForByte()
{
    for (quint32 seed : {1u, 2u, 3u}) {
        const QString preset = path(QStringLiteral("varied%1.stm").arg(seed));
        QVERIFY(PresetFile::write(preset, variedImage(seed), nullptr));
        const Run json = run({"show", "--json", preset});
        QCOMPARE(json.exitCode, 0);
        QFile file(path("varied.json"));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(json.out.toUtf8());
        file.close();
        const Run applied = run({"apply-json", path("varied.json"), path("rebuilt.stm")});
        QCOMPARE(applied.exitCode, 0);
        QCOMPARE(readFile(path("rebuilt.stm")), readFile(preset));
    }
}

void tst_Tark9Ctl::applyJsonRefuses_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("named");
    QTest::newRow("channel 17") << "\"number\": 60, \"channel\": 1" << "\"number\": 60, \"channel\": 17" << "pads.A[12].channel is 17, outside 1..16";
    QTest::newRow("data byte 128") << "\"level\": 127" << "\"level\": 128" << "level is 128, outside 0..127";
    QTest::newRow("pad type 3") << "{\"type\": 0, \"number\": 60" << "{\"type\": 3, \"number\": 60" << "pads.A[12].type is 3, outside 0..2";
    QTest::newRow("misspelt key") << "\"number\": 60, \"channel\"" << "\"number\": 60, \"chanel\"" << "pads.A[12] has an unknown key \"chanel\"";
    QTest::newRow("not JSON") << "\"level\": 127" << "\"level\": 127,," << "not JSON";
}

void tst_Tark9Ctl::applyJsonRefuses()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, named);
    const Run json = run({"show", "--json", path("changed.stm")});
    QVERIFY(json.out.contains(from));
    QFile file(path("refused.json"));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QString(json.out).replace(from, to).toUtf8());
    file.close();
    // A preset that is already there stays as it was.
    QVERIFY(QFile::copy(path("factory.stm"), path("kept.stm")) || QFile::exists(path("kept.stm")));
    const Run applied = run({"apply-json", path("refused.json"), path("kept.stm")});
    QCOMPARE(applied.exitCode, 6);
    QVERIFY2(applied.err.contains(named) && applied.err.count('\n') == 1, qPrintable(applied.err));
    QCOMPARE(readFile(path("kept.stm")), readFile(path("factory.stm")));
}

void tst_Tark9Ctl::sendAndVerify()
{
    const Run sent = run({"--virtual", "send", "--verify", path("changed.stm")});
    QCOMPARE(sent.exitCode, 0);
    QVERIFY(sent.err.isEmpty());
    // A controller that takes the write but keeps its old configuration: the field is named.
    const Run dropped = run({"--virtual=drops-writes", "send", path("changed.stm"), "--verify"});
    QCOMPARE(dropped.exitCode, 7);
    QVERIFY2(dropped.out.contains("pad A13 note: sent 60, read 36\n"), qPrintable(dropped.out));
    QCOMPARE(dropped.err.count('\n'), 1);
}

void tst_Tark9Ctl::serialNumberAndVersion()
{
    const Run result = run({"--virtual", "sn"});
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, QStringLiteral("serial number: KT9V240100001\nfirmware: 1.0.3\n"));
}

// tark9ctl monitor as a person runs it and stops it with Ctrl+C: every line a JSON object, the
// configuration's request and reply first, then every message of the virtual controller's demo
// with the controls that send it in the controller's own (factory) configuration, or none when
// that configuration did not come.
void tst_Tark9Ctl::monitorPrintsWhatTheVirtualControllerPlays_data()
{
    QTest::addColumn<QString>("controller");
    QTest::addColumn<int>("sysexLines");
    QTest::addColumn<bool>("named");
    QTest::newRow("configuration read") << "--virtual" << 2 << true;
    QTest::newRow("configuration unanswered") << "--virtual=silent" << 1 << false;
}

void tst_Tark9Ctl::monitorPrintsWhatTheVirtualControllerPlays()
{
    QFETCH(QString, controller);
    QFETCH(int, sysexLines);
    QFETCH(bool, named);
    // Six pads hit and let go, the first knob turned five times and another once, six strip
    // sections touched and let go.
    constexpr int DemoMessages = 30;
    QProcess tool;
    tool.start(toolPath(), {controller, "monitor", "--json", "--demo"});
    QVERIFY(tool.waitForStarted(5000));
    QByteArray out;
    QElapsedTimer clock;
    clock.start();
    while (out.count('\n') < sysexLines + DemoMessages && clock.elapsed() < 20000) {
        tool.waitForReadyRead(100);
        out += tool.readAllStandardOutput();
    }
    ::kill(pid_t(tool.processId()), SIGINT);
    QVERIFY(tool.waitForFinished(5000));
    QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
    QCOMPARE(tool.exitCode(), 0);
    out += tool.readAllStandardOutput();
    const QString err = QString::fromLocal8Bit(tool.readAllStandardError());
    QVERIFY2(named ? err.isEmpty() : err.contains("no control is named"), qPrintable(err));

    const QList<QByteArray> lines = out.trimmed().split('\n');
    QCOMPARE(lines.size(), sysexLines + DemoMessages);
    const QStringList fields{"channel", "controls", "direction", "hex", "kind", "text", "time_ms"};
    QMap<QString, int> kinds;
    int lastTime = 0;
    for (int i = 0; i < lines.size(); ++i) {
        QJsonParseError error{};
        const QJsonObject line = QJsonDocument::fromJson(lines.at(i), &error).object();
        QVERIFY2(error.error == QJsonParseError::NoError && line.keys() == fields, lines.at(i).constData());
        QVERIFY(line.value("time_ms").toInt() >= lastTime);
        lastTime = line.value("time_ms").toInt();
        const QString kind = line.value("kind").toString();
        if (i < sysexLines) {
            QCOMPARE(kind, QStringLiteral("sysex"));
            QCOMPARE(line.value("direction").toString(), i == 0 ? QStringLiteral("to_controller") : QStringLiteral("from_controller"));
            continue;
        }
        ++kinds[kind];
        QCOMPARE(line.value("direction").toString(), QStringLiteral("from_controller"));
        QCOMPARE(line.value("channel").toInt(), 1);
        // The factory's controls: pad i plays note 24 + i, the first knobs of banks A and B send
        // controllers 7 and 14, strip section j controller 20 + j.
        const int number = line.value("hex").toString().section(' ', 1, 1).toInt(nullptr, 16);
        QString control;
        if (kind.startsWith("note_"))
            control = QStringLiteral("Pad %1, bank %2").arg((number - 24) % 16 + 1).arg(QChar('A' + (number - 24) / 16));
        else if (number == 7 || number == 14)
            control = QStringLiteral("Knob 1, bank %1").arg(number == 7 ? 'A' : 'B');
        else
            control = QStringLiteral("Strip section %1").arg(number - 20);
        QCOMPARE(line.value("controls").toArray(), named ? QJsonArray{control} : QJsonArray());
    }
    QCOMPARE(kinds, (QMap<QString, int>{{"note_on", 6}, {"note_off", 6}, {"control_change", 18}}));
}

void tst_Tark9Ctl::errorExitCodes_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("no controller") << QStringList{"--virtual=unplugged", "get", "out.stm"} << 3;
    QTest::newRow("no controller to monitor") << QStringList{"--virtual=unplugged", "monitor"} << 3;
    QTest::newRow("no serial port") << QStringList{"flash", "firmware.bin", "--port", "/dev/no-such-port"} << 3;
    QTest::newRow("port busy") << QStringList{"--virtual=busy", "get", "out.stm"} << 4;
    QTest::newRow("no reply") << QStringList{"--virtual=silent", "get", "out.stm"} << 5;
    QTest::newRow("controller stops reading") << QStringList{"--virtual=stalled", "send", "changed.stm"} << 5;
    QTest::newRow("no such preset") << QStringList{"show", "missing.stm"} << 6;
    QTest::newRow("truncated preset") << QStringList{"--virtual", "send", "truncated.stm"} << 6;
    QTest::newRow("no such image") << QStringList{"flash", "missing.bin"} << 6;
    QTest::newRow("port that cannot be opened") << QStringList{"flash", "firmware.bin", "--port", "firmware.bin"} << 4;
    // After "--" an option's name is an operand: here a preset that is not there.
    QTest::newRow("options ended") << QStringList{"show", "--", "--json"} << 6;
}

void tst_Tark9Ctl::errorExitCodes()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    for (QString &argument : arguments) {
        if (argument.endsWith(".stm") || argument.endsWith(".bin"))
            argument = path(argument);
    }
    QElapsedTimer clock;
    clock.start();
    const Run result = run(arguments);
    QCOMPARE(result.exitCode, exitCode);
    QVERIFY2(result.err.startsWith("tark9ctl: ") && result.err.count('\n') == 1, qPrintable(result.err));
    // Time-outs are bounded at 2 s.
    QVERIFY(clock.elapsed() < 4000);
    QVERIFY(!QFile::exists(path("out.stm")));
}

// The guarded update against the virtual controller playing each case: every stage on a line of
// its own, the exit code, and what the user is told.
void tst_Tark9Ctl::flashTheVirtualController_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("stages");
    QTest::addColumn<QString>("said");
    const QStringList updated{"Backing up the settings...", "Switching to the boot loader...", "Transferring...",
                              "Waiting for the controller...", "Checking the version...", "Restoring the settings..."};
    QTest::newRow("settings kept") << QStringList{"--virtual", "flash", "firmware.bin"} << 0 << updated
                                   << "runs version 1.0.4. Its settings are the ones in the backup.";
    QTest::newRow("settings reset, restored")
        << QStringList{"--virtual=resets-settings", "flash", "firmware.bin", "--expect-version", "1.0.4"} << 0
        << updated + QStringList{"Verifying..."} << "restored from the backup and verified (48 in all: pad A1 note";
    QTest::newRow("settings reset, not restored")
        << QStringList{"--virtual=resets-settings", "flash", "firmware.bin", "--no-restore"} << 0 << QStringList(updated.mid(0, 5))
        << "restoring was turned off";
    QTest::newRow("without a backup") << QStringList{"--virtual", "flash", "firmware.bin", "--no-backup"} << 0 << QStringList(updated.mid(1, 4))
                                      << "No backup was taken";
    QTest::newRow("old version") << QStringList{"--virtual=old-version", "flash", "firmware.bin", "--expect-version", "1.0.4"} << 10
                                 << QStringList(updated.mid(0, 5)) << "came back with version 1.0.3, expected 1.0.4";
    QTest::newRow("power cut") << QStringList{"--virtual=power-cut", "flash", "firmware.bin"} << 7 << QStringList(updated.mid(0, 3))
                               << "stays in its boot loader: rescue it";
    QTest::newRow("settings unreadable") << QStringList{"--virtual=silent", "flash", "firmware.bin"} << 5 << QStringList(updated.mid(0, 1))
                                         << "Give --no-backup to update without a backup.";
}

void tst_Tark9Ctl::flashTheVirtualController()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, stages);
    QFETCH(QString, said);
    arguments.replaceInStrings(QRegularExpression("^firmware.bin$"), path("firmware.bin"));
    const QDir backups(EditorSettings::dataFolder() + "/backups");
    const int backupsBefore = backups.entryList(QDir::Files).size();
    const Run result = run(arguments);
    QCOMPARE(result.exitCode, exitCode);
    QVERIFY2((result.out + result.err).contains(said), qPrintable(result.out + result.err));
    QStringList shown;
    for (const QString &line : result.out.split('\n')) {
        if (line.endsWith("..."))
            shown << line;
    }
    QCOMPARE(shown, stages);
    if (stages.contains("Transferring..."))
        QVERIFY2(result.out.contains(QRegularExpression("progress 10%: \\d+ of 20557 bytes")), qPrintable(result.out));
    // A backup is written before anything changes, and named.
    const bool backedUp = stages.contains("Switching to the boot loader...") && stages.first() == "Backing up the settings...";
    QCOMPARE(backups.entryList(QDir::Files).size(), backupsBefore + (backedUp ? 1 : 0));
    if (backedUp)
        QVERIFY(result.out.contains(QRegularExpression("Backup of the settings: .*/backups/KT9V240100001-\\d{4}-\\d\\d-\\d\\d-fw1\\.0\\.3(-\\d+)?\\.stm\n")));
    if (exitCode != 0)
        QVERIFY2(result.err.startsWith("tark9ctl: ") && result.err.count('\n') == 1, qPrintable(result.err));
}

// A controller left in its boot loader comes back with the image given or the newest one the
// editor downloaded, and with the settings of its newest backup.
void tst_Tark9Ctl::rescue_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("downloads");   // oldest first
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("said");
    QTest::newRow("nothing downloaded") << QStringList{"--virtual=stranded", "rescue"} << QStringList() << 6 << "the editor has downloaded none";
    QTest::newRow("image given") << QStringList{"--virtual=stranded", "rescue", "firmware.bin"} << QStringList() << 0
                                 << "The controller is rescued: it runs firmware 1.0.4.";
    QTest::newRow("newest download") << QStringList{"--virtual=stranded", "rescue", "--expect-version", "1.2.0"}
                                     << QStringList{"rk21_110.bin", "rk21_120.bin", "rk21_130.bin.part"} << 0
                                     << "rk21_120.bin, the newest image the editor downloaded";
    QTest::newRow("no boot loader") << QStringList{"--virtual", "rescue", "firmware.bin"} << QStringList() << 3
                                    << "No controller in its boot loader was found (serial port 1c75:0204)";
}

void tst_Tark9Ctl::rescue()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, downloads);
    QFETCH(int, exitCode);
    QFETCH(QString, said);
    arguments.replaceInStrings(QRegularExpression("^firmware.bin$"), path("firmware.bin"));
    QDir().mkpath(EditorSettings::dataFolder());
    for (int i = 0; i < downloads.size(); ++i) {
        const QString file = EditorSettings::dataFolder() + '/' + downloads.at(i);
        const QByteArray version = "Tark9 firmware 1." + QByteArray::number(i + 1) + ".0";
        QVERIFY(TestImage::write(file, TestImage::withText(TestImage::bytes(8000), 100, version)));
        QFile written(file);
        QVERIFY(written.open(QIODevice::Append) && written.setFileTime(QDateTime::currentDateTime().addSecs(i - 10), QFileDevice::FileModificationTime));
    }
    const Run result = run(arguments);
    QCOMPARE(result.exitCode, exitCode);
    QVERIFY2((result.out + result.err).contains(said), qPrintable(result.out + result.err));
    if (exitCode != 0)
        return;
    QVERIFY(result.out.contains("Transferring...\n") && result.out.contains("Checking the version...\n"));
    QVERIFY(!result.out.contains("Switching"));
    // The backups the updates above wrote: the stranded controller's factory settings are put back
    // to the newest.
    QVERIFY2(result.out.contains(QRegularExpression("Backup of the settings: .*/backups/KT9V240100001-")), qPrintable(result.out));
}

void tst_Tark9Ctl::flashAgainstRbWithPort()
{
    ReceiverLine line;
    QVERIFY(line.isValid());
    QVERIFY(line.startReceiver());
    const QByteArray image = TestImage::bytes(150 * 1024 + 300);
    QVERIFY(TestImage::write(path("rk21_fw.bin"), image));
    const Run result = run({"flash", path("rk21_fw.bin"), "--port", line.portPath()});
    QCOMPARE(result.exitCode, 0);
    // Not a terminal here: plain lines, one per 10 %.
    for (int percent = 10; percent <= 100; percent += 10)
        QVERIFY(result.out.contains(QStringLiteral("progress %1%\n").arg(percent)));
    QVERIFY(line.receiver().waitForExit(10000));
    QVERIFY2(line.receiver().succeeded(), line.receiver().errorOutput().constData());
    QCOMPARE(line.received("rk21_fw.bin"), image);
}

void tst_Tark9Ctl::flashCancelledByTheReceiver()
{
    PtyPair pair;
    QVERIFY(pair.isValid());
    // The receiver cancels at once: two CANs, as lrzsz sends them.
    QVERIFY(::write(pair.masterFd(), "\x18\x18\x18\x18\x18", 5) == 5);
    const Run result = run({"flash", path("firmware.bin"), "--port", pair.slavePath()});
    QCOMPARE(result.exitCode, 7);
    QVERIFY2(result.err.startsWith("tark9ctl: ") && result.err.count('\n') == 1, qPrintable(result.err));
}

// Every command that needs the MIDI system says why it cannot be opened, and exits with 8.
void tst_Tark9Ctl::withoutAMidiSystem_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("ports") << QStringList{"ports"};
    QTest::newRow("doctor") << QStringList{"doctor"};
    QTest::newRow("get") << QStringList{"get", "out.stm"};
    QTest::newRow("send") << QStringList{"send", "changed.stm"};
    QTest::newRow("sn") << QStringList{"sn"};
}

void tst_Tark9Ctl::withoutAMidiSystem()
{
    if (QFileInfo::exists(QStringLiteral("/dev/snd/seq")))
        QSKIP("this machine has a MIDI system");
    QFETCH(QStringList, arguments);
    if (arguments.size() > 1)
        arguments[1] = path(arguments.at(1));
    const Run result = run(arguments);
    QCOMPARE(result.exitCode, 8);
    QVERIFY2((result.out + result.err).contains("The MIDI system cannot be opened: /dev/snd/seq does not exist"),
             qPrintable(result.out + result.err));
    QVERIFY(!QFileInfo::exists(path("out.stm")));
}

void tst_Tark9Ctl::doctor_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("verdict");
    QTest::addColumn<QString>("portsState");
    QTest::newRow("all well") << "" << 0 << "all-well" << "ok";
    QTest::newRow("unplugged") << "=unplugged" << 3 << "controller-not-found" << "failed";
}

// The links in their order, each with a state, and a remedy where one fails.
void tst_Tark9Ctl::doctor()
{
    QFETCH(QString, fault);
    QFETCH(int, exitCode);
    QFETCH(QString, verdict);
    QFETCH(QString, portsState);
    const Run result = run({QStringLiteral("--virtual") + fault, "doctor", "--json"});
    QCOMPARE(result.exitCode, exitCode);
    const QJsonObject report = QJsonDocument::fromJson(result.out.toUtf8()).object();
    QCOMPARE(report.value("verdict").toString(), verdict);
    QStringList ids;
    QMap<QString, QJsonObject> links;
    for (const QJsonValue &value : report.value("links").toArray()) {
        const QJsonObject link = value.toObject();
        ids << link.value("id").toString();
        links.insert(ids.last(), link);
        QVERIFY(!link.value("name").toString().isEmpty());
        QVERIFY(!link.value("detail").toString().isEmpty());
        if (link.value("state").toString() == QLatin1String("failed"))
            QVERIFY2(!link.value("remedy").toString().isEmpty(), qPrintable(ids.last()));
    }
    ids.removeAll(QStringLiteral("access-rule"));   // only where the platform needs one
    QCOMPARE(ids, (QStringList{"midi-system", "midi-ports", "boot-loader", "instance", "places"}));
    QCOMPARE(links.value("midi-system").value("state").toString(), QStringLiteral("ok"));
    QCOMPARE(links.value("midi-ports").value("state").toString(), portsState);
    QCOMPARE(links.value("boot-loader").value("state").toString(), QStringLiteral("absent"));

    // The same links as text.
    const Run text = run({QStringLiteral("--virtual") + fault, "doctor"});
    QCOMPARE(text.exitCode, exitCode);
    for (const QString &id : ids)
        QVERIFY2(text.out.contains(links.value(id).value("detail").toString()), qPrintable(text.out));
}

void tst_Tark9Ctl::presetTargets_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("kindAfter");
    for (const char *command : {"get", "apply-json"}) {
        // Replacing a device node, a FIFO or a folder with a preset loses what was there (as root,
        // /dev/null itself).
        QTest::addRow("%s over a device", command) << command << "device" << 6 << "device";
        QTest::addRow("%s over a FIFO", command) << command << "fifo" << 6 << "fifo";
        QTest::addRow("%s over a folder", command) << command << "folder" << 6 << "folder";
        QTest::addRow("%s over a link to a device", command) << command << "link to device" << 6 << "link";
        // A link to a preset is written through: the link stays, its file gets the preset.
        QTest::addRow("%s through a link to a preset", command) << command << "link to preset" << 0 << "link";
    }
}

void tst_Tark9Ctl::presetTargets()
{
    QFETCH(QString, command);
    QFETCH(QString, kind);
    QFETCH(int, exitCode);
    QFETCH(QString, kindAfter);
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("target.stm"));
    if (!makeNode(target, kind, readFile(path("truncated.stm"))))
        QSKIP("this user cannot make such a file here");
    const Run result = command == QLatin1String("get") ? run({"--virtual", "get", target}) : run({"apply-json", path("changed.json"), target});
    QCOMPARE(result.exitCode, exitCode);
    QCOMPARE(kindOf(target), kindAfter);
    if (exitCode == 0) {
        QCOMPARE(kindOf(target + ".target"), QStringLiteral("file"));
        QCOMPARE(readFile(target + ".target"), readFile(path(command == QLatin1String("get") ? "factory.stm" : "changed.stm")));
        return;
    }
    QVERIFY2(result.err.contains("target.stm: it is not a regular file") && result.err.count('\n') == 1, qPrintable(result.err));
}

// Every command's result must reach standard output; on a full disk (/dev/full) it exits with 6
// and says why, instead of leaving an empty file behind exit 0.
void tst_Tark9Ctl::unwrittenOutputFails_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("show") << QStringList{"show", "changed.stm"};
    QTest::newRow("show --json") << QStringList{"show", "--json", "changed.stm"};
    QTest::newRow("help") << QStringList{"--help"};
    QTest::newRow("sn") << QStringList{"--virtual", "sn"};
    QTest::newRow("get") << QStringList{"--virtual", "get", "out.stm"};
    QTest::newRow("get to standard output") << QStringList{"--virtual", "get", "-"};
    QTest::newRow("apply-json to standard output") << QStringList{"apply-json", "changed.json", "-"};
    QTest::newRow("doctor --json") << QStringList{"--virtual", "doctor", "--json"};
}

void tst_Tark9Ctl::unwrittenOutputFails()
{
    QFETCH(QStringList, arguments);
    if (!QFileInfo(QStringLiteral("/dev/full")).isWritable())
        QSKIP("no /dev/full here");
    for (QString &argument : arguments) {
        if (argument.endsWith(".stm") || argument.endsWith(".json"))
            argument = path(argument);
    }
    const Run result = run(arguments, QByteArray(), QStringLiteral("/dev/full"));
    QCOMPARE(result.exitCode, 6);
    QVERIFY2(result.err.contains("standard output could not be written: No space left on device") && result.err.count('\n') == 1, qPrintable(result.err));
    QFile::remove(path("out.stm"));
}

// On a disk that runs full the preset already there is kept, and both the preset write and
// standard output name the cause rather than a cancelled write.
void tst_Tark9Ctl::fullDiskSaysSo()
{
    FullDisk disk(path("full"));
    if (!disk.isValid())
        QSKIP("a tmpfs cannot be mounted here (needs root)");
    const QString kept = disk.filePath("kept.stm");
    QVERIFY(QFile::copy(path("factory.stm"), kept));
    QVERIFY(disk.fill());

    const Run applied = run({"apply-json", path("changed.json"), kept});
    QCOMPARE(applied.exitCode, 6);
    QVERIFY2(applied.err.contains("kept.stm: No space left on device") && applied.err.count('\n') == 1, qPrintable(applied.err));
    QCOMPARE(readFile(kept), readFile(path("factory.stm")));
    QCOMPARE(QDir(path("full")).entryList(QDir::Files | QDir::Hidden).size(), 2);

    const Run shown = run({"show", "--json", path("changed.stm")}, QByteArray(), disk.filePath("shown.json"));
    QCOMPARE(shown.exitCode, 6);
    QVERIFY2(shown.err.contains("No space left on device"), qPrintable(shown.err));
}

// Inputs that are no regular file are refused at once, and an image the boot loader cannot take
// is refused before the controller is switched to its boot loader.
void tst_Tark9Ctl::inputsThatAreNoFiles_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("said");
    QTest::newRow("show a FIFO") << QStringList{"show", "fifo"} << "fifo could not be opened: it is not a regular file";
    QTest::newRow("send a FIFO") << QStringList{"--virtual", "send", "fifo"} << "fifo could not be opened: it is not a regular file";
    QTest::newRow("show a folder") << QStringList{"show", "folder"} << "folder could not be opened: it is not a regular file";
    QTest::newRow("apply-json from a FIFO") << QStringList{"apply-json", "fifo", "out.stm"} << "fifo is a device, FIFO or socket, not a regular file";
    QTest::newRow("flash a folder") << QStringList{"--virtual", "flash", "folder"} << "folder is no firmware image: it is a folder";
    QTest::newRow("flash a FIFO") << QStringList{"--virtual", "flash", "fifo"} << "fifo is no firmware image: it is not a regular file";
    QTest::newRow("flash a device") << QStringList{"--virtual", "flash", "/dev/zero"} << "/dev/zero is no firmware image: it is not a regular file";
    QTest::newRow("flash standard input") << QStringList{"--virtual", "flash", "-"} << "- is no firmware image: it must be a file";
    QTest::newRow("flash an image too large") << QStringList{"--virtual", "flash", "large.bin"}
                                              << "large.bin is no firmware image: it is 1048577 bytes, and the boot loader takes at most 1048576";
}

void tst_Tark9Ctl::inputsThatAreNoFiles()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, said);
    if (!QFileInfo::exists(path("fifo")))
        QVERIFY(makeNode(path("fifo"), "fifo", QByteArray()));
    QDir().mkpath(path("folder"));
    if (!QFileInfo::exists(path("large.bin")))
        QVERIFY(TestImage::write(path("large.bin"), TestImage::bytes(1024 * 1024 + 1)));
    for (QString &argument : arguments) {
        if (argument == QLatin1String("fifo") || argument == QLatin1String("folder") || argument.endsWith(".bin") || argument.endsWith(".stm"))
            argument = path(argument);
    }
    QElapsedTimer clock;
    clock.start();
    const Run result = run(arguments);
    QCOMPARE(result.exitCode, 6);
    QVERIFY(clock.elapsed() < 4000);
    QVERIFY2(result.err.contains(said) && result.err.count('\n') == 1, qPrintable(result.err));
    // Nothing was started: the controller stays in MIDI mode.
    QVERIFY2(result.out.isEmpty(), qPrintable(result.out));
    QVERIFY(!QFileInfo::exists(path("out.stm")));
}

// "-" reads standard input (a pipe here) as a file is read, and writes a preset to standard
// output byte for byte as into a file.
void tst_Tark9Ctl::standardInputAndOutput_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("expected");   // a file whose bytes standard output holds, or text it contains
    QTest::newRow("show a preset") << QStringList{"show", "-"} << "changed.stm" << 0 << "A13 +NOTE +60 C4";
    QTest::newRow("send a preset") << QStringList{"--virtual", "send", "--verify", "-"} << "changed.stm" << 0 << "Verified";
    QTest::newRow("show a truncated preset") << QStringList{"show", "-"} << "truncated.stm" << 6 << "";
    QTest::newRow("show a preset with a longer block") << QStringList{"show", "-"} << "long.stm" << 0 << "A13 +NOTE +60 C4";
    QTest::newRow("show a longer block cut short") << QStringList{"show", "-"} << "longcut.stm" << 6 << "";
    QTest::newRow("apply-json both ways") << QStringList{"apply-json", "-", "-"} << "changed.json" << 0 << "changed.stm";
    QTest::newRow("get") << QStringList{"--virtual", "get", "-"} << "" << 0 << "factory.stm";
    QTest::newRow("apply-json too much") << QStringList{"apply-json", "-", "out.stm"} << "huge.json" << 6 << "";
}

void tst_Tark9Ctl::standardInputAndOutput()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, input);
    QFETCH(int, exitCode);
    QFETCH(QString, expected);
    QByteArray changed = readFile(path("changed.stm"));
    QByteArray longer = changed;
    longer.replace(0, 4, QByteArray::fromHex("00000400")).append(QByteArray(1024 - 458, '\x7f'));
    QVERIFY(TestImage::write(path("long.stm"), longer));
    QVERIFY(TestImage::write(path("longcut.stm"), longer.left(longer.size() - 1)));
    if (!QFileInfo::exists(path("huge.json")))
        QVERIFY(TestImage::write(path("huge.json"), readFile(path("changed.json")) + QByteArray(16 * 1024 * 1024, ' ')));
    for (QString &argument : arguments) {
        if (argument.endsWith(".stm"))
            argument = path(argument);
    }
    const Run result = run(arguments, input.isEmpty() ? QByteArray() : readFile(path(input)));
    QCOMPARE(result.exitCode, exitCode);
    QVERIFY(!QFileInfo::exists(path("out.stm")));
    if (exitCode != 0) {
        QVERIFY2(result.err.count('\n') == 1, qPrintable(result.err));
        return;
    }
    QVERIFY2(result.err.isEmpty(), qPrintable(result.err));
    if (expected.endsWith(".stm"))
        QCOMPARE(result.outBytes, readFile(path(expected)));
    else
        QVERIFY2(result.out.contains(QRegularExpression(expected)), qPrintable(result.out));
}

QTEST_GUILESS_MAIN(tst_Tark9Ctl)
#include "tst_tark9ctl.moc"
