#pragma once

#include "device/deviceconnection.h"

#include <QByteArray>
#include <QString>

// tark9ctl's commands. Each returns the process's exit code (cli/exitcode.h) and has written
// its result to standard output and any error, as one line, to standard error.
class Commands
{
public:
    // How long the controller gets to answer a request.
    static constexpr int ReplyTimeoutMs = 2000;

    Commands();

    int ports();
    // The connection check: every link to the controller, and what to do where one fails.
    int doctor(bool json);
    int get(const QString &presetPath);
    // With `force`, also a preset whose fields hold values this tool does not know.
    int send(const QString &presetPath, bool verify, bool force = false);
    int serialNumber();
    // Every message to and from the controller until SIGINT or SIGTERM; with `demo` the virtual
    // controller plays a sequence first.
    int monitor(bool json, bool demo);
    int show(const QString &presetPath, bool json);
    int applyJson(const QString &jsonPath, const QString &presetPath);
    // How flash and rescue run the guarded update.
    struct FlashOptions {
        QString portName;         // send on this port instead of the boot loader's
        bool backup = true;
        bool restore = true;
        QString expectedVersion;  // empty: the version must change (flash) or anything goes (rescue)
    };
    int flash(const QString &imagePath, const FlashOptions &options);
    // Without an image, the newest one the editor downloaded.
    int rescue(const QString &imagePath, const FlashOptions &options);

private:
    int failure(DeviceConnection::Status status);
    int readConfiguration(QByteArray *image);
    int readSerialNumber(QString *serial);
    int guardedUpdate(const QString &imagePath, const FlashOptions &options, bool rescue);

    DeviceConnection m_connection;
};
