#pragma once

#include "config/controlleridentity.h"
#include "device/virtual/ymodemreceiver.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <atomic>
#include <mutex>
#include <thread>

class PseudoTerminal;
class VirtualTark9;

// The virtual Tark9's boot-loader personality. Entered on the firmware-update command, it takes
// the device out of MIDI mode (a removal), shows a serial port 1C75:0204 on a pseudo-terminal and
// receives one image by YMODEM there, on a thread of its own.
//
// After an image has arrived whole (as many bytes as block 0 announced) it "flashes" it: the port
// goes, the device takes the image's firmware version (nextVersion) and comes back in MIDI mode (an
// arrival).
//
// A failed transfer is handled as a boot loader that erases the application for the image it has
// accepted: once a block 0 was accepted, the old firmware is gone, so the device stays in
// boot-loader mode, port listed, for as long as it takes to get a whole image (the editor's
// start-up recovery finds it there). While no block 0 has been accepted the old firmware is
// intact, and after idleTimeoutMs without a transfer the device restarts it: back in MIDI mode
// with the old version.
//
// With the device's PowerCutMidTransfer the power goes halfway through the first image: the
// boot loader falls silent and its port goes (a removal, as the host sees it), and when the
// device is plugged in again, ReplugDelayMs later, it is in its boot loader once more, the old
// firmware erased, and takes the next image as usual.
class VirtualBootLoader
{
public:
    // What the device's flash holds when the boot loader starts.
    enum class Application {
        Intact,  // the firmware that sent it there: it starts again when no image comes
        Erased   // a controller stranded by an earlier update: only a whole image brings it back
    };

    static constexpr quint16 VendorId = ControllerIdentity::BootLoaderVendorId;
    static constexpr quint16 ProductId = ControllerIdentity::BootLoaderProductId;
    // What the flash of such a controller holds, in bytes; an empty image is no firmware.
    static constexpr qint64 MaxImageSize = ControllerIdentity::BootLoaderMaxImageSize;
    static constexpr int DefaultIdleTimeoutMs = 60000;
    // How far into the image the power goes with PowerCutMidTransfer, in percent of its size.
    static constexpr int PowerCutPercent = 50;
    // How long after a power cut the device is plugged in again.
    static constexpr int ReplugDelayMs = 500;

    explicit VirtualBootLoader(VirtualTark9 &device);
    ~VirtualBootLoader();
    VirtualBootLoader(const VirtualBootLoader &) = delete;
    VirtualBootLoader &operator=(const VirtualBootLoader &) = delete;

    // Any thread (the device's, on the command): leaves MIDI mode and waits for an image. Nothing
    // happens while the boot loader is already running.
    void enter(Application application = Application::Intact);
    // Ends boot-loader mode at once, nothing flashed, the port removed; waits for the thread.
    // The device is left unplugged: whoever stops it decides what comes next.
    void stop();

    bool isActive() const { return m_active; }
    // The port while active, else empty.
    QString portName() const;
    // The last image flashed.
    QByteArray lastImage() const;
    // How each transfer ended since the boot loader was last entered, oldest first.
    QList<YmodemReceiver::Result> results() const;

    void setIdleTimeout(int ms) { m_idleTimeoutMs = ms; }

    // The version an image brings: the one it carries as the text "Tark9 firmware " followed by
    // major.minor.patch (each 0 to 127), else `current` with the patch number one higher.
    static QList<int> nextVersion(const QByteArray &image, const QList<int> &current);

private:
    void run(Application application);
    // A port on `line` for a host to open, listed as the boot loader's; false when the system
    // has no pseudo-terminal to give.
    bool showPort(PseudoTerminal &line);
    void removePort(PseudoTerminal &line);
    void setPortName(const QString &name);

    VirtualTark9 &m_device;
    std::mutex m_threadMutex; // enter() and stop() come from different threads
    std::thread m_thread;
    std::atomic<bool> m_active{false};
    std::atomic<bool> m_stopRequested{false};
    std::atomic<bool> m_processEnding{false};
    std::atomic<int> m_idleTimeoutMs{DefaultIdleTimeoutMs};
    mutable std::mutex m_stateMutex;
    QString m_portName;
    QByteArray m_lastImage;
    QList<YmodemReceiver::Result> m_results;
};
