#include "firmware/ymodemfiletransmit.h"

#include "config/controlleridentity.h"

#include <QDebug>
#include <QFileInfo>

#include <cstring>

namespace {

// The engine's limits are counted in these polls, and its defaults (Ymodem::DefaultTickDivider,
// DefaultPeriodLimit) are set for this period: a packet again after 5 s of silence, the receiver
// given up after 30 s.
constexpr int DefaultPollIntervalMs = 10;
// Time for the last bytes (the receiver's final ACK, our CANs) to settle before the port closes
// and the outcome is told.
constexpr int FinalStatusDelayMs = 100;
// Receivers clear their input right after they answer (lrzsz's rb after every ACK, NAK and
// 'C'): a block that arrives before that is thrown away unread and costs a whole resend period.
// A receiver's answer is therefore taken up this long after it arrives rather than at once, by
// the poll as well; still well inside the poll period that a sender waiting for its poll loses.
constexpr int TurnaroundMs = 1;

} // namespace

YmodemFileTransmit::YmodemFileTransmit(QObject *parent)
    : QObject(parent)
    , m_pollIntervalMs(DefaultPollIntervalMs)
{
    qRegisterMetaType<YmodemFileTransmit::Status>("YmodemFileTransmit::Status");

    m_port.setPortName(QStringLiteral("COM1"));
    m_port.setBaudRate(ControllerIdentity::BootLoaderBaudRate, QSerialPort::AllDirections);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);

    // Precise timers: a coarse one may fire up to 5 % early, and the poll period is what the
    // protocol's time limits are counted in.
    m_readTimer.setTimerType(Qt::PreciseTimer);
    m_writeTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_readTimer, &QTimer::timeout, this, &YmodemFileTransmit::readTimeOut);
    connect(&m_writeTimer, &QTimer::timeout, this, &YmodemFileTransmit::writeTimeOut);
    m_answerTimer.setTimerType(Qt::PreciseTimer);
    m_answerTimer.setSingleShot(true);
    m_answerTimer.setInterval(TurnaroundMs);
    connect(&m_answerTimer, &QTimer::timeout, this, &YmodemFileTransmit::answerReceived);
    connect(&m_port, &QSerialPort::readyRead, this, &YmodemFileTransmit::portReadyRead);
}

YmodemFileTransmit::~YmodemFileTransmit() = default;

void YmodemFileTransmit::setFileName(const QString &name)
{
    m_file.setFileName(name);
}

void YmodemFileTransmit::setPortName(const QString &name)
{
    m_port.setPortName(name);
}

void YmodemFileTransmit::setBaudRate(int baudrate)
{
    m_port.setBaudRate(baudrate, QSerialPort::AllDirections);
}

void YmodemFileTransmit::setPollInterval(int ms)
{
    m_pollIntervalMs = ms;
}

bool YmodemFileTransmit::startTransmit()
{
    m_progress = 0;
    m_status = StatusEstablishing;
    if (!m_port.open(QSerialPort::ReadWrite)) {
        qDebug() << "startTransmit: cannot open" << m_port.portName() << m_port.errorString();
        return false;
    }
    // An error left by the previous transfer (a port that vanished under it) is not this one's.
    m_port.clearError();
    m_pollPostponed = false;
    m_readTimer.start(m_pollIntervalMs);
    return true;
}

void YmodemFileTransmit::cancelTransmit()
{
    if (!isWorking() || !m_port.isOpen())
        return;
    // Called from a slot of one of our own signals, the engine is in the middle of a step that
    // would go on to send the next block after the CANs: the cancel waits for the step's end.
    if (m_inStep) {
        QMetaObject::invokeMethod(this, &YmodemFileTransmit::cancelTransmit, Qt::QueuedConnection);
        return;
    }
    qDebug() << "YmodemFileTransmit: cancelled after" << m_bytesRead << "of" << m_fileSize << "bytes";
    m_readTimer.stop();
    m_inStep = true;
    cancel();
    m_inStep = false;
}

void YmodemFileTransmit::readTimeOut()
{
    m_readTimer.stop();
    // A reply that has only just arrived is left to its turnaround: the poll waits for it, but
    // only once per poll, so that a line that never falls quiet cannot stop the clock.
    if (m_answerTimer.isActive() && !m_pollPostponed) {
        m_pollPostponed = true;
        m_readTimer.start(m_answerTimer.remainingTime() + 1);
        return;
    }
    m_pollPostponed = false;
    if (!m_inStep) {
        m_inStep = true;
        transmit();
        m_inStep = false;
    }
    if (isWorking())
        m_readTimer.start(m_pollIntervalMs);
}

// Waiting for the next poll would cost up to 10 ms for every block (about 2.6 s for a 256 KiB
// image); answering the receiver a turnaround after its bytes arrive takes the line's own pace.
void YmodemFileTransmit::portReadyRead()
{
    if (!m_answerTimer.isActive())
        m_answerTimer.start();
}

void YmodemFileTransmit::answerReceived()
{
    if (m_inStep)
        return;
    m_inStep = true;
    // Every step takes at least one waiting byte, except before the first poll has started the
    // transfer; stop there, and once the outcome is recorded.
    qint64 waiting = m_port.bytesAvailable();
    while (waiting > 0 && isWorking()) {
        transmitReceived();
        const qint64 left = m_port.bytesAvailable();
        if (left >= waiting)
            break;
        waiting = left;
    }
    m_inStep = false;
}

bool YmodemFileTransmit::isWorking() const
{
    return m_status == StatusEstablishing || m_status == StatusTransmitting;
}

void YmodemFileTransmit::writeTimeOut()
{
    m_writeTimer.stop();
    m_answerTimer.stop();
    m_port.close();
    emit transmitStatus(m_status);
}

Ymodem::Code YmodemFileTransmit::handleStatus(Status status, uint8_t *buffer, uint32_t *length)
{
    switch (status) {
    case StatusEstablishing:
        return prepareHeader(buffer, length);
    case StatusTransmitting:
        return preparePiece(buffer, length);
    case StatusFinished:
    case StatusAborted:
    case StatusTimedOut:
    case StatusCancelled:
        return finish(status);
    default:
        return finish(StatusFailed);
    }
}

Ymodem::Code YmodemFileTransmit::prepareHeader(uint8_t *buffer, uint32_t *length)
{
    if (!m_file.open(QIODevice::ReadOnly)) {
        qDebug() << "YmodemFileTransmit: cannot open" << m_file.fileName() << m_file.errorString();
        return finish(StatusFailed);
    }
    m_fileSize = m_file.size();
    m_bytesRead = 0;
    QByteArray header = QFileInfo(m_file.fileName()).fileName().toLocal8Bit();
    header.append('\0');
    header.append(QByteArray::number(m_fileSize));
    header.append('\0');
    if (header.size() > int(SmallDataSize)) {
        qDebug() << "YmodemFileTransmit: the file name is too long for the header" << m_file.fileName();
        return finish(StatusFailed);
    }
    std::memcpy(buffer, header.constData(), size_t(header.size()));
    *length = SmallDataSize;
    m_status = StatusEstablishing;
    emit transmitStatus(m_status);
    return CodeAck;
}

Ymodem::Code YmodemFileTransmit::preparePiece(uint8_t *buffer, uint32_t *length)
{
    if (m_bytesRead == m_fileSize) {
        m_status = StatusTransmitting;
        emit transmitStatus(m_status);
        return CodeEot;
    }
    const qint64 remaining = m_fileSize - m_bytesRead;
    const uint32_t pieceSize = remaining <= qint64(SmallDataSize) ? SmallDataSize : LargeDataSize;
    const qint64 wanted = qMin<qint64>(pieceSize, remaining);
    const qint64 count = m_file.read(reinterpret_cast<char *>(buffer), wanted);
    // A short read means the file changed or cannot be read: a block padded in the middle of
    // the image would be flashed as if it were the image.
    if (count != wanted) {
        qDebug() << "YmodemFileTransmit: reading" << m_file.fileName() << "failed at byte" << m_bytesRead
                 << m_file.errorString();
        return finish(StatusFailed);
    }
    m_bytesRead += count;
    *length = pieceSize;
    m_progress = int(m_bytesRead * 100 / m_fileSize);
    m_status = StatusTransmitting;
    emit transmitProgress(m_progress);
    emit transmitStatus(m_status);
    return CodeAck;
}

Ymodem::Code YmodemFileTransmit::finish(Status status)
{
    m_file.close();
    m_status = status;
    m_writeTimer.start(FinalStatusDelayMs);
    return status == StatusFinished ? CodeAck : CodeCan;
}

bool YmodemFileTransmit::hasLineFailed() const
{
    switch (m_port.error()) {
    case QSerialPort::ResourceError:
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
    case QSerialPort::NotOpenError:
    case QSerialPort::UnknownError:
        return true;
    default:
        return false;
    }
}

int64_t YmodemFileTransmit::readBytes(uint8_t *buffer, uint32_t length)
{
    // A vanished device (USB boot loader unplugged) leaves an error and an empty buffer behind;
    // report it instead of waiting thirty seconds for bytes that cannot come.
    if (hasLineFailed())
        return -1;
    return m_port.read(reinterpret_cast<char *>(buffer), length);
}

int64_t YmodemFileTransmit::writeBytes(uint8_t *buffer, uint32_t length)
{
    if (hasLineFailed())
        return -1;
    return m_port.write(reinterpret_cast<const char *>(buffer), length);
}

QByteArray YmodemFileTransmit::takeAllInput()
{
    return m_port.readAll();
}
