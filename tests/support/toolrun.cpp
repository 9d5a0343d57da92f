#include "toolrun.h"

#include <QEventLoop>
#include <QProcess>
#include <QTimer>

namespace {

constexpr int RunLimitMs = 30000;

} // namespace

QString toolPath()
{
    const QString path = qEnvironmentVariable("TARK9_CTL");
    return path.isEmpty() ? qEnvironmentVariable("TARK9_BINARY_DIR") + QStringLiteral("/src/tark9ctl") : path;
}

ToolRun runTool(const QStringList &arguments, const QByteArray &input, const QString &outputFile)
{
    QProcess process;
    QEventLoop loop;
    QObject::connect(&process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), &loop, &QEventLoop::quit);
    QTimer::singleShot(RunLimitMs, &loop, &QEventLoop::quit);
    if (!outputFile.isEmpty())
        process.setStandardOutputFile(outputFile);
    process.start(toolPath(), arguments);
    if (process.waitForStarted(5000)) {
        process.write(input);
        process.closeWriteChannel();
        loop.exec();
    }
    ToolRun result;
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(2000);
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.outBytes = process.readAllStandardOutput();
    result.errBytes = process.readAllStandardError();
    result.out = QString::fromLocal8Bit(result.outBytes);
    result.err = QString::fromLocal8Bit(result.errBytes);
    return result;
}
