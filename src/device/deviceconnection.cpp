#include "device/deviceconnection.h"

#include "config/controllerprotocol.h"
#include "config/midistatus.h"
#include "device/connectioncheck.h"
#include "device/devicebackend.h"
#include "device/mididevices.h"

#include <QDebug>

#include <algorithm>

namespace {

constexpr int SerialLogLength = 10;   // bytes of the serial field written to the log

int lowestIndexNamed(const QMap<int, QString> &ports)
{
    for (auto it = ports.constBegin(); it != ports.constEnd(); ++it) {
        if (it.value() == QLatin1String(ControllerIdentity::PortName))
            return it.key();
    }
    return -1;
}

QString hexByte(char byte)
{
    return QStringLiteral("0x%1").arg(static_cast<quint8>(byte), 2, 16, QLatin1Char('0'));
}

} // namespace

DeviceConnection::DeviceConnection(QObject *parent)
    : QObject(parent)
{
    m_replyTimer.setSingleShot(true);
    // Precise: a coarse timer may fire 5 % early, and the bound is a promise to the caller.
    m_replyTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_replyTimer, &QTimer::timeout, this, [this] {
        m_awaited = Awaited::Nothing;
        qDebug() << "no reply from the controller within" << m_replyTimeoutMs << "ms";
        close();
        emit replyTimedOut();
    });
    m_listenRetry.setSingleShot(true);
    m_listenRetry.setInterval(ListenRetryMs);
    connect(&m_listenRetry, &QTimer::timeout, this, &DeviceConnection::listen);
}

DeviceConnection::~DeviceConnection()
{
    // No input callback runs once the input port is closed, so nothing queues a message now.
    closePorts();
}

void DeviceConnection::setDevicePresent(bool present)
{
    m_present = present;
    if (!present) {
        m_awaited = Awaited::Nothing;
        m_replyTimer.stop();
        m_listenRetry.stop();
        closePorts();
    } else if (isListening()) {
        listen();
    }
}

DeviceConnection::PortIndices DeviceConnection::findPorts()
{
    PortIndices ports;
    ports.input = lowestIndexNamed(getMidiInDevices());
    ports.output = lowestIndexNamed(getMidiOutDevices());
    return ports;
}

DeviceConnection::Status DeviceConnection::open()
{
    if (!m_present)
        return Status::NotPresent;
    if (isOpen())
        return Status::Ok;
    const PortIndices ports = findPorts();
    if (!ports.found()) {
        qDebug() << "the controller's ports are not listed: input" << ports.input << "output" << ports.output;
        return DeviceBackend::midiSystem().state().usable() ? Status::NoPorts : Status::MidiSystemUnusable;
    }
    if (!openInput(ports.input))
        return Status::PortsBusy;
    if (!m_midiOut.open(ports.output)) {
        m_midiOut.close();
        return Status::PortsBusy;
    }
    return Status::Ok;
}

bool DeviceConnection::openInput(int index)
{
    if (m_midiIn.isOpen())
        return true;
    // The handler runs on the MIDI system's thread and its bytes are reused once it returns: the
    // message crosses to this object's thread as a copy that the queued call owns.
    const auto handler = [this](char *data, int length) {
        if (!data || length <= 0)
            return;
        const QByteArray message(data, length);
        QMetaObject::invokeMethod(this, [this, message] { emit messageReceived(message); }, Qt::QueuedConnection);
    };
    if (!m_midiIn.open(index, handler, MidiIn::Messages::All)) {
        m_midiIn.close();
        return false;
    }
    return true;
}

void DeviceConnection::close()
{
    if (!isListening())
        m_midiIn.close();
    m_midiOut.close();
}

void DeviceConnection::closePorts()
{
    m_midiIn.close();
    m_midiOut.close();
}

DeviceConnection::Status DeviceConnection::holdInput()
{
    if (m_inputHolds++ == 0)
        emit listeningChanged(true);
    return listen();
}

void DeviceConnection::releaseInput()
{
    if (m_inputHolds == 0 || --m_inputHolds > 0)
        return;
    m_listenRetry.stop();
    // An open output means an exchange awaits its reply; its end closes the input.
    if (!m_midiOut.isOpen())
        m_midiIn.close();
    emit listeningChanged(false);
}

DeviceConnection::Status DeviceConnection::listen()
{
    if (!isListening() || m_midiIn.isOpen())
        return Status::Ok;
    if (!m_present)
        return Status::NotPresent;
    const int input = findPorts().input;
    Status status = Status::Ok;
    if (input < 0)
        status = DeviceBackend::midiSystem().state().usable() ? Status::NoPorts : Status::MidiSystemUnusable;
    else if (!openInput(input))
        status = Status::PortsBusy;
    if (status != Status::Ok)
        m_listenRetry.start();
    return status;
}

DeviceConnection::Status DeviceConnection::sendConfiguration(const QByteArray &image, int *defectOffset)
{
    const QByteArray message = ControllerProtocol::writeMessage(image);
    int defect = ControllerProtocol::findMessageDefect(message.constData(), message.size());
    // Only the whole image is a message: a shorter one lacks its end, a longer one has bytes after it.
    if (defect < 0 && message.size() != ControllerProtocol::ImageSize)
        defect = std::min(message.size(), ControllerProtocol::ImageSize);
    if (defect >= 0) {
        // The controller would take a broken SysEx message; nothing is sent at all.
        qDebug() << "sendData refused: byte" << defect << "of the configuration is"
                 << (defect < message.size() ? hexByte(message.at(defect)) : QStringLiteral("missing"));
        if (defectOffset)
            *defectOffset = defect;
        return Status::InvalidMessage;
    }
    Status status = open();
    if (status == Status::Ok)
        status = send(message);
    close();
    return status;
}

DeviceConnection::Status DeviceConnection::requestConfiguration()
{
    return sendRequest(ControllerProtocol::request(ControllerProtocol::ReadCommand), Awaited::Configuration);
}

DeviceConnection::Status DeviceConnection::requestSerialNumber()
{
    return sendRequest(ControllerProtocol::request(ControllerProtocol::SerialCommand), Awaited::SerialNumber);
}

DeviceConnection::Status DeviceConnection::requestBootLoader()
{
    return sendRequest(ControllerProtocol::request(ControllerProtocol::BootLoaderCommand), Awaited::Nothing);
}

DeviceConnection::Status DeviceConnection::sendRequest(const QByteArray &request, Awaited reply)
{
    Status status = open();
    if (status == Status::Ok)
        status = send(request);
    if (status == Status::Ok && reply != Awaited::Nothing && m_replyTimeoutMs > 0) {
        m_awaited = reply;
        m_replyTimer.start(m_replyTimeoutMs);
    }
    return status;
}

// Only the awaited reply stops the time-out: a stray reply of the other kind must not leave the
// awaited one without a bound.
void DeviceConnection::replied(Awaited reply)
{
    if (m_awaited != reply)
        return;
    m_awaited = Awaited::Nothing;
    m_replyTimer.stop();
}

DeviceConnection::Status DeviceConnection::send(const QByteArray &message)
{
    switch (m_midiOut.send(message.constData(), message.size())) {
    case MidiOut::SendResult::Sent:
        emit messageSent(message);
        return Status::Ok;
    case MidiOut::SendResult::TimedOut: return Status::TimedOut;
    case MidiOut::SendResult::Failed: break;
    }
    return Status::SendFailed;
}

void DeviceConnection::takeMessage(const char *data, int length)
{
    if (length <= 0 || static_cast<quint8>(data[0]) != MidiStatus::SysExStart)
        return;
    const ControllerProtocol::Reply reply = ControllerProtocol::classify(data, length);
    switch (reply.kind) {
    case ControllerProtocol::ReplyKind::Nothing:
        return;
    case ControllerProtocol::ReplyKind::SerialNumber:
        // The ports stay open: the configuration may still be on its way.
        replied(Awaited::SerialNumber);
        qDebug() << "===" << QString(reply.serialField.left(SerialLogLength));
        emit serialNumberReceived(reply.serialNumber);
        return;
    case ControllerProtocol::ReplyKind::Configuration:
        replied(Awaited::Configuration);
        emit configurationReceived(QByteArray(data, length));
        break;
    case ControllerProtocol::ReplyKind::Unusable:
        replied(Awaited::Configuration);
        qDebug() << "configuration reply not loaded: byte" << reply.defectOffset << "is"
                 << hexByte(data[reply.defectOffset]) << "in" << length << "bytes";
        emit replyRejected(reply.defectOffset);
        break;
    }
    close();
}

QString DeviceConnection::describe(Status status)
{
    switch (status) {
    case Status::Ok:
        return QStringLiteral("done");
    case Status::NotPresent:
        return QStringLiteral("no %1 is connected").arg(QLatin1String(ControllerIdentity::PortName));
    case Status::NoPorts:
        return QStringLiteral("no MIDI ports named \"%1\" were found").arg(QLatin1String(ControllerIdentity::PortName));
    case Status::MidiSystemUnusable:
        return ConnectionCheck::midiSystemProblem();
    case Status::PortsBusy:
        return QStringLiteral("the MIDI ports of the %1 are in use by another program").arg(QLatin1String(ControllerIdentity::PortName));
    case Status::InvalidMessage:
        return QStringLiteral("the configuration holds a byte outside 0..127, so nothing was sent");
    case Status::SendFailed:
        return QStringLiteral("the MIDI system refused the message");
    case Status::TimedOut:
        return QStringLiteral("the %1 took no data for %2 s, so the send was given up")
            .arg(QLatin1String(ControllerIdentity::PortName))
            .arg(MidiOut::SendTimeoutMs / 1000);
    }
    return QString();
}
