// YMODEM transfer time over a pseudo-terminal to lrzsz's rb: our sender against lrzsz's own sb
// on the same kind of line in the same run, and against the bound a sender that waited for its
// 10 ms poll before every block would meet. By default a 256 KiB image and one of 70,000 bytes.
//
// rb gives up on a block when its bytes stop for a moment, which happens to either sender when
// the machine is busy (the other programs on a shared build machine) and then costs seconds of
// recovery that say nothing about the sender. So each sender runs three times, in turns, and
// the ratio is taken between the best times; every time is printed.
//
//   build/bench/bench_ymodem [image size in bytes ...]

#include "firmware/ymodemfiletransmit.h"

#include "lrzszprocess.h"
#include "receiverline.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int PollIntervalMs = 10;
constexpr int GiveUpMs = 600000;
constexpr int Rounds = 3;

struct Run
{
    bool ok = false;
    qint64 ms = 0;
    int largeBlocks = 0;
    int smallBlocks = 0;
};

// Counts the data blocks the receiver got, by their start bytes on the line (block 0 and the
// closing block, both small, excluded).
void countBlocks(const QByteArray &wire, Run &run)
{
    for (int at = 0; at < wire.size();) {
        const char start = wire.at(at);
        if (start == Ymodem::CodeStx) {
            ++run.largeBlocks;
            at += 1029;
        } else if (start == Ymodem::CodeSoh) {
            if (wire.at(at + 1) != 0)
                ++run.smallBlocks;
            at += 133;
        } else {
            ++at;
        }
    }
}

Run runOurs(const QString &path, const QByteArray &image)
{
    Run run;
    ReceiverLine line;
    if (!line.isValid() || !line.startReceiver())
        return run;
    YmodemFileTransmit sender;
    sender.setPortName(line.portPath());
    sender.setFileName(path);
    QEventLoop loop;
    YmodemFileTransmit::Status outcome = YmodemFileTransmit::StatusEstablishing;
    QObject::connect(&sender, &YmodemFileTransmit::transmitStatus, &loop, [&](YmodemFileTransmit::Status status) {
        if (status > YmodemFileTransmit::StatusTransmitting) {
            outcome = status;
            loop.quit();
        }
    });
    QTimer::singleShot(GiveUpMs, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    if (!sender.startTransmit())
        return run;
    loop.exec();
    run.ms = clock.elapsed();
    line.receiver().waitForExit(10000);
    run.ok = outcome == YmodemFileTransmit::StatusFinished && line.receiver().succeeded()
        && line.received(QStringLiteral("image.bin")) == image;
    countBlocks(line.proxy().deliveredTo(LineProxy::SideB), run);
    return run;
}

Run runSb(const QString &directory, const QByteArray &image)
{
    Run run;
    ReceiverLine line;
    if (!line.isValid() || !line.startReceiver())
        return run;
    LrzszProcess sb;
    QElapsedTimer clock;
    clock.start();
    if (!sb.start(QStringLiteral("sb"), {QStringLiteral("--ymodem"), QStringLiteral("--1k"), QStringLiteral("image.bin")}, line.portPath(),
                  line.portPath(), directory))
        return run;
    const bool ended = sb.waitForExit(GiveUpMs);
    run.ms = clock.elapsed();
    line.receiver().waitForExit(10000);
    run.ok = ended && sb.succeeded() && line.receiver().succeeded() && line.received(QStringLiteral("image.bin")) == image;
    countBlocks(line.proxy().deliveredTo(LineProxy::SideB), run);
    return run;
}

void print(const char *who, const Run &run)
{
    std::printf("%-26s %7lld ms  %s  (%d blocks of 1024 bytes, %d of 128)\n", who, static_cast<long long>(run.ms),
                run.ok ? "image arrived whole" : "FAILED", run.largeBlocks, run.smallBlocks);
}

// One image of the given size, sent by each sender; false when either did not deliver it whole.
bool measure(int size)
{
    QTemporaryDir directory;
    QByteArray image(size, Qt::Uninitialized);
    QRandomGenerator random(2024);
    for (char &byte : image)
        byte = char(random.bounded(256));
    QFile file(directory.filePath(QStringLiteral("image.bin")));
    if (!file.open(QIODevice::WriteOnly) || file.write(image) != image.size())
        return false;
    file.close();

    int blocks = 0;
    for (int left = size; left > 0; left -= left <= 128 ? 128 : 1024)
        ++blocks;
    const qint64 pollBound = qint64(blocks) * PollIntervalMs;

    std::printf("\nYMODEM, %d bytes (%d data blocks) over a pseudo-terminal to rb\n", size, blocks);
    Run ours;
    Run theirs;
    bool allDelivered = true;
    for (int round = 0; round < Rounds; ++round) {
        const Run oursNow = runOurs(file.fileName(), image);
        const Run theirsNow = runSb(directory.path(), image);
        print("YmodemFileTransmit", oursNow);
        print("sb --ymodem (lrzsz)", theirsNow);
        allDelivered = allDelivered && oursNow.ok && theirsNow.ok;
        if (oursNow.ok && (!ours.ok || oursNow.ms < ours.ms))
            ours = oursNow;
        if (theirsNow.ok && (!theirs.ok || theirsNow.ms < theirs.ms))
            theirs = theirsNow;
    }
    std::printf("%-26s %7lld ms\n", "best of ours", static_cast<long long>(ours.ms));
    std::printf("%-26s %7lld ms\n", "best of sb", static_cast<long long>(theirs.ms));
    std::printf("%-26s %7lld ms  (data blocks x %d ms)\n", "one poll per block", static_cast<long long>(pollBound),
                PollIntervalMs);
    if (ours.ok && theirs.ok && theirs.ms > 0)
        std::printf("ours / sb = %.2f\n", double(ours.ms) / double(theirs.ms));
    if (ours.ok)
        std::printf("ours / one poll per block = %.2f\n", double(ours.ms) / double(pollBound));
    return allDelivered;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QList<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes << QByteArray(argv[i]).toInt();
    if (sizes.isEmpty())
        sizes = {256 * 1024, 70000};
    bool allDelivered = true;
    for (const int size : qAsConst(sizes))
        allDelivered = measure(size) && allDelivered;
    return allDelivered ? 0 : 1;
}
