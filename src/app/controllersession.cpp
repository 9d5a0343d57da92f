#include "app/controllersession.h"

#include "app/presetdocument.h"
#include "app/prompt.h"
#include "config/configlayout.h"
#include "config/controlleridentity.h"
#include "config/datamanagement.h"
#include "device/connectioncheck.h"

#include <QDebug>

#include <utility>

static_assert(DataManagement::ImageSize == ControllerIdentity::ImageSize, "the model holds the whole configuration message");

namespace {

constexpr int SerialRequestDelayMs = 2000;
// udev may announce the controller's card before the sequencer lists its ports: an arrival whose
// ports are missing looks again at this interval, for at most this long (a busy machine lists
// them late; a test with the ports 600 ms late failed at 2 s with both cores loaded).
constexpr int PortSearchIntervalMs = 100;
constexpr int PortSearchLimitMs = 5000;
// A written configuration is stored in the controller's flash before it is read back to check it.
constexpr int VerifyDelayMs = 100;
// How long a read for a comparison or a check may go unanswered before the user is told.
constexpr int ReadBackTimeoutMs = 3000;

} // namespace

ControllerSession::ControllerSession(DataManagement *model, PresetDocument *document, QWidget *dialogParent, QObject *parent)
    : QObject(parent)
    , m_model(model)
    , m_document(document)
    , m_dialogParent(dialogParent)
{
    // No controller until the presence detector reports one.
    m_connection.setDevicePresent(false);
    connect(&m_connection, &DeviceConnection::messageReceived, this, [this](const QByteArray &message) {
        takeMessage(message.constData(), message.size());
    });
    connect(&m_connection, &DeviceConnection::configurationReceived, this, &ControllerSession::configurationArrived);
    connect(&m_connection, &DeviceConnection::replyRejected, this, [this](int offset) {
        readBackFailed(tr("Its reply was broken at byte %1.").arg(offset));
    });
    connect(&m_connection, &DeviceConnection::replyTimedOut, this, [this] {
        readBackFailed(tr("It did not answer within %1 seconds.").arg(ReadBackTimeoutMs / 1000));
    });
    connect(&m_connection, &DeviceConnection::serialNumberReceived, this, &ControllerSession::serialNumberReceived);
    m_verifyTimer.setSingleShot(true);
    connect(&m_verifyTimer, &QTimer::timeout, this, [this] { startRead(ReadPurpose::Verify); });
    m_serialRequestTimer.setSingleShot(true);
    connect(&m_serialRequestTimer, &QTimer::timeout, this, [this] {
        reportFailure(m_connection.requestSerialNumber(), Origin::Arrival);
    });
    connect(&m_portSearchTimer, &QTimer::timeout, this, &ControllerSession::searchPortsAgain);
}

void ControllerSession::takeMessage(const char *data, int length)
{
    m_connection.takeMessage(data, length);
}

void ControllerSession::setAttached(bool attached)
{
    // Whatever the previous arrival still had to do is stale from here on.
    ++m_arrival;
    m_portSearchTimer.stop();
    m_connection.setDevicePresent(attached);
    // The update reads the controller itself; the arrival's exchanges wait until it is over.
    if (m_connectionLent) {
        if (!attached)
            emit attachedChanged(false);
        return;
    }
    if (!attached) {
        // A comparison or check under way will get no reply now.
        readBackFailed(tr("The Kovela Tark9 was unplugged."));
        emit attachedChanged(false);
        return;
    }
    m_arrivalWarned = false;
    const DeviceConnection::PortIndices ports = DeviceConnection::findPorts();
    if (ports.found()) {
        finishArrival(ports);
        return;
    }
    qDebug() << "the controller's ports are not listed yet; looking again for up to" << PortSearchLimitMs << "ms";
    m_portSearchClock.start();
    m_portSearchTimer.start(PortSearchIntervalMs);
}

void ControllerSession::searchPortsAgain()
{
    const DeviceConnection::PortIndices ports = DeviceConnection::findPorts();
    if (!ports.found() && m_portSearchClock.elapsed() < PortSearchLimitMs)
        return;
    m_portSearchTimer.stop();
    qDebug() << "the controller's ports" << (ports.found() ? "appeared after" : "are still missing after")
             << m_portSearchClock.elapsed() << "ms";
    finishArrival(ports);
}

// The rest of an arrival once its ports are known (or given up): the read request, the timer of
// the serial-number request, and the connection indicator.
void ControllerSession::finishArrival(const DeviceConnection::PortIndices &ports)
{
    qDebug() << "the controller's ports: input" << ports.input << "output" << ports.output;
    const quint64 arrival = m_arrival;
    m_readPurpose = ReadPurpose::Load;
    // Opens the ports itself; if they cannot be opened, its warning is this arrival's one.
    const DeviceConnection::Status status = m_connection.requestConfiguration();
    reportFailure(status, Origin::Arrival);
    emit showHint(false, status == DeviceConnection::Status::Ok);
    // A removal handled while the warning box was open has already turned the indicator off.
    if (arrival != m_arrival)
        return;
    m_serialRequestTimer.start(SerialRequestDelayMs);
    emit attachedChanged(true);
}

void ControllerSession::send()
{
    const QByteArray image = m_document->image();
    const DeviceConnection::Status status = m_connection.sendConfiguration(image);
    reportFailure(status, Origin::User);
    emit showHint(true, status == DeviceConnection::Status::Ok);
    if (status != DeviceConnection::Status::Ok)
        return;
    // Read back and compared: a controller that did not keep it all has not taken it.
    m_sentImage = image;
    m_verifyTimer.start(VerifyDelayMs);
}

void ControllerSession::read()
{
    if (!m_document->confirmUnsavedChanges())
        return;
    m_readPurpose = ReadPurpose::Load;
    const DeviceConnection::Status status = m_connection.requestConfiguration();
    reportFailure(status, Origin::User);
    emit showHint(false, status == DeviceConnection::Status::Ok);
}

void ControllerSession::compare()
{
    startRead(ReadPurpose::Compare);
}

void ControllerSession::startRead(ReadPurpose purpose)
{
    m_readPurpose = purpose;
    m_connection.setReplyTimeout(ReadBackTimeoutMs);
    const DeviceConnection::Status status = m_connection.requestConfiguration();
    if (status != DeviceConnection::Status::Ok)
        readBackFailed(failureText(status));
}

// A read for a comparison or a check that brought nothing; a plain read reports by showHint.
void ControllerSession::readBackFailed(const QString &reason)
{
    const ReadPurpose purpose = std::exchange(m_readPurpose, ReadPurpose::Load);
    m_connection.setReplyTimeout(0);
    if (purpose == ReadPurpose::Load)
        return;
    if (purpose == ReadPurpose::Verify) {
        emit showHint(true, false);
        Prompt::warning(m_dialogParent, tr("Error prompt"), tr("The configuration was sent, but it could not be read back to check it.\n%1").arg(reason));
    } else {
        Prompt::warning(m_dialogParent, tr("Error prompt"), tr("The configuration of the Kovela Tark9 could not be read for the comparison.\n%1").arg(reason));
    }
}

void ControllerSession::configurationArrived(const QByteArray &message)
{
    // The update's own reads.
    if (m_connectionLent)
        return;
    const ReadPurpose purpose = std::exchange(m_readPurpose, ReadPurpose::Load);
    m_connection.setReplyTimeout(0);
    switch (purpose) {
    case ReadPurpose::Load: {
        m_document->load(message);
        // Kept as the controller holds them (a newer firmware may know more), but said.
        const QStringList unknown = m_model->unknownFields();
        if (!unknown.isEmpty()) {
            Prompt::information(m_dialogParent, tr("Prompt"),
                                tr("The Kovela Tark9's configuration holds values this editor does not know (a newer firmware?). "
                                   "They are kept as they are and sent back unchanged unless you edit them:\n%1")
                                    .arg(unknown.join(QLatin1Char('\n'))));
        }
        break;
    }
    case ReadPurpose::Compare:
        m_controllerImage = message;
        emit compared(differenceLines(m_document->image(), message));
        break;
    case ReadPurpose::Verify: {
        const QStringList lines = differenceLines(m_sentImage, message);
        if (lines.isEmpty())
            break;
        emit showHint(true, false);
        Prompt::warning(m_dialogParent, tr("Error prompt"), tr("The Kovela Tark9 did not keep the configuration as it was sent:\n%1").arg(lines.join(QLatin1Char('\n'))));
        break;
    }
    }
}

QStringList ControllerSession::differenceLines(const QByteArray &editor, const QByteArray &controller) const
{
    return ConfigLayout::differenceLines(editor, controller, tr("%1: editor %2, controller %3"));
}

void ControllerSession::takeControllerConfiguration()
{
    if (m_controllerImage.isEmpty())
        return;
    m_model->loadConfigImage(m_controllerImage.constData(), m_controllerImage.size());
}

void ControllerSession::setConnectionLent(bool lent)
{
    if (lent == m_connectionLent)
        return;
    m_connectionLent = lent;
    if (lent) {
        // What this session still had to do would go out between the update's exchanges.
        ++m_arrival;
        m_portSearchTimer.stop();
        m_serialRequestTimer.stop();
        m_verifyTimer.stop();
        m_readPurpose = ReadPurpose::Load;
        m_connection.setReplyTimeout(0);
        return;
    }
    if (m_connection.isDevicePresent())
        setAttached(true);
}

// Only the exchanges' failures that a user can act on are shown; a refused send is reported by
// showHint alone.
void ControllerSession::reportFailure(DeviceConnection::Status status, Origin origin)
{
    switch (status) {
    case DeviceConnection::Status::NoPorts:
    case DeviceConnection::Status::MidiSystemUnusable:
    case DeviceConnection::Status::PortsBusy:
    case DeviceConnection::Status::TimedOut:
        break;
    default:
        return;
    }
    if (origin == Origin::Arrival) {
        if (m_arrivalWarned)
            return;
        m_arrivalWarned = true;
    }
    Prompt::warning(m_dialogParent, tr("Error prompt"), failureText(status));
}

QString ControllerSession::failureText(DeviceConnection::Status status)
{
    switch (status) {
    case DeviceConnection::Status::Ok:
        break;
    case DeviceConnection::Status::NotPresent:
        return tr("No Kovela Tark9 is connected.");
    case DeviceConnection::Status::NoPorts:
        return tr("The MIDI ports of the Kovela Tark9 were not found; nothing was sent.");
    case DeviceConnection::Status::MidiSystemUnusable:
        return ConnectionCheck::midiSystemProblem();
    case DeviceConnection::Status::PortsBusy:
        return tr("The current device is occupied");
    case DeviceConnection::Status::InvalidMessage:
        return tr("The configuration holds a byte outside 0..127; nothing was sent.");
    case DeviceConnection::Status::SendFailed:
        return tr("The MIDI system refused the message.");
    case DeviceConnection::Status::TimedOut:
        return tr("The Kovela Tark9 took no data for %1 seconds; the send was given up.").arg(MidiOut::SendTimeoutMs / 1000);
    }
    return QString();
}
