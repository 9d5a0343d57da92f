// The software serial line the virtual Tark9's boot loader sits on.
#include "device/pseudoterminal/pseudoterminal.h"

#include "scriptedhost.h"

#include <QSerialPort>
#include <QtTest>

namespace {

// Every byte value, and the ones a terminal in cooked mode would eat or change first.
QByteArray everyByte()
{
    QByteArray bytes;
    for (int round = 0; round < 4; ++round) {
        for (int value = 0; value < 256; ++value)
            bytes.append(char(value));
    }
    bytes.append("\x03\x04\x0A\x0D\x11\x13\x1A\x7F\xFF", 9);
    return bytes;
}

QByteArray readAll(PseudoTerminal &line, int expected)
{
    QByteArray bytes;
    while (bytes.size() < expected && line.waitForReadyRead(2000) == PseudoTerminal::Wait::Input) {
        char buffer[512];
        const qint64 count = line.read(buffer, sizeof buffer);
        if (count <= 0)
            break;
        bytes.append(buffer, int(count));
    }
    return bytes;
}

} // namespace

class tst_PseudoTerminal : public QObject
{
    Q_OBJECT

private slots:
    void bytesPassUnchangedBothWays_data();
    void bytesPassUnchangedBothWays();
    void hostComingAndGoingIsSeen();
    void bytesWithoutAHostAreDropped();
    void closedLineFails();
};

void tst_PseudoTerminal::bytesPassUnchangedBothWays_data()
{
    QTest::addColumn<bool>("throughQSerialPort");
    QTest::newRow("raw descriptor") << false;
    QTest::newRow("QSerialPort at 115200 baud") << true;
}

void tst_PseudoTerminal::bytesPassUnchangedBothWays()
{
    QFETCH(bool, throughQSerialPort);
    PseudoTerminal line;
    QVERIFY2(line.open(), qPrintable(line.errorString()));
    QVERIFY(line.portName().startsWith(QLatin1String("/dev/")));
    const QByteArray bytes = everyByte();

    if (throughQSerialPort) {
        QSerialPort port(line.portName());
        port.setBaudRate(115200);
        QVERIFY2(port.open(QIODevice::ReadWrite), qPrintable(port.errorString()));
        QVERIFY(line.write(bytes));
        QByteArray atHost;
        while (atHost.size() < bytes.size() && port.waitForReadyRead(2000))
            atHost.append(port.readAll());
        QCOMPARE(atHost, bytes);
        QCOMPARE(port.write(bytes), qint64(bytes.size()));
        QVERIFY(port.waitForBytesWritten(2000));
        QCOMPARE(readAll(line, bytes.size()), bytes);
        return;
    }
    ScriptedHost host(line.portName());
    QVERIFY(host.isOpen());
    QVERIFY(line.write(bytes));
    QByteArray atHost;
    while (atHost.size() < bytes.size()) {
        const QByteArray piece = host.awaitReply(2000);
        if (piece.isEmpty())
            break;
        atHost.append(piece);
    }
    QCOMPARE(atHost, bytes);
    QVERIFY(host.write(bytes));
    QCOMPARE(readAll(line, bytes.size()), bytes);
}

void tst_PseudoTerminal::hostComingAndGoingIsSeen()
{
    PseudoTerminal line;
    QVERIFY(line.open());
    QVERIFY(!line.isAttached());
    QCOMPARE(line.waitForReadyRead(0), PseudoTerminal::Wait::Detached);
    {
        ScriptedHost host(line.portName());
        QVERIFY(host.isOpen());
        QVERIFY(line.isAttached());
        QCOMPARE(line.waitForReadyRead(10), PseudoTerminal::Wait::Quiet);
        QVERIFY(host.write("last words"));
    }
    // What the host wrote before it left is still read, then the line reports it gone.
    QVERIFY(!line.isAttached());
    QCOMPARE(line.waitForReadyRead(0), PseudoTerminal::Wait::Input);
    char buffer[64];
    QCOMPARE(line.read(buffer, sizeof buffer), qint64(10));
    QCOMPARE(QByteArray(buffer, 10), QByteArray("last words"));
    QCOMPARE(line.waitForReadyRead(0), PseudoTerminal::Wait::Detached);
    QCOMPARE(line.read(buffer, sizeof buffer), qint64(-1));

    // A second host is seen like the first.
    ScriptedHost again(line.portName());
    QVERIFY(line.isAttached());
    QCOMPARE(line.read(buffer, sizeof buffer), qint64(0));
}

void tst_PseudoTerminal::bytesWithoutAHostAreDropped()
{
    PseudoTerminal line;
    QVERIFY(line.open());
    QVERIFY(!line.write("C"));
    ScriptedHost host(line.portName());
    QVERIFY(line.write("fresh"));
    QCOMPARE(host.awaitReply(2000), QByteArray("fresh"));
}

void tst_PseudoTerminal::closedLineFails()
{
    PseudoTerminal line;
    QCOMPARE(line.waitForReadyRead(0), PseudoTerminal::Wait::Failed);
    QVERIFY(line.open());
    line.close();
    QCOMPARE(line.waitForReadyRead(0), PseudoTerminal::Wait::Failed);
    QVERIFY(line.portName().isEmpty());
    QVERIFY(!line.isAttached());
    QVERIFY(!line.write("x"));
    char byte;
    QCOMPARE(line.read(&byte, 1), qint64(-1));
}

QTEST_GUILESS_MAIN(tst_PseudoTerminal)
#include "tst_pseudoterminal.moc"
