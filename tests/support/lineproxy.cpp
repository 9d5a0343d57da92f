#include "lineproxy.h"

#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <unistd.h>

LineProxy::LineProxy(int readA, int writeA, int readB, int writeB, quint32 seed, QObject *parent)
    : QObject(parent)
    , m_random(seed)
{
    m_clock.start();
    setUp(m_towardsB, readA, writeB);
    setUp(m_towardsA, readB, writeA);
}

LineProxy::~LineProxy() = default;

void LineProxy::setUp(Direction &direction, int from, int to)
{
    direction.from = from;
    direction.to = to;
    direction.reader = new QSocketNotifier(from, QSocketNotifier::Read, this);
    direction.writer = new QSocketNotifier(to, QSocketNotifier::Write, this);
    direction.writer->setEnabled(false);
    direction.holdTimer = new QTimer(this);
    direction.holdTimer->setSingleShot(true);
    direction.holdTimer->setTimerType(Qt::PreciseTimer);
    connect(direction.reader, &QSocketNotifier::activated, this, [this, &direction] { readFrom(direction); });
    connect(direction.writer, &QSocketNotifier::activated, this, [this, &direction] { writeTo(direction); });
    connect(direction.holdTimer, &QTimer::timeout, this, [this, &direction] { releaseHeld(direction); });
}

void LineProxy::setFaults(const Faults &faults)
{
    m_faults = faults;
}

QByteArray LineProxy::deliveredTo(Side side) const
{
    return side == SideA ? m_towardsA.delivered : m_towardsB.delivered;
}

qint64 LineProxy::nowNs() const
{
    return m_clock.nsecsElapsed();
}

qint64 LineProxy::lastDeliveryNs(Side side) const
{
    return side == SideA ? m_towardsA.lastDeliveryNs : m_towardsB.lastDeliveryNs;
}

int LineProxy::clearedTowardsB() const
{
    return m_clearedTowardsB;
}

QByteArray LineProxy::spoil(const QByteArray &bytes)
{
    QByteArray result;
    result.reserve(bytes.size());
    for (char byte : bytes) {
        if (m_random.generateDouble() < m_faults.dropRate)
            continue;
        if (m_random.generateDouble() < m_faults.corruptRate)
            byte = char(byte ^ char(1 + m_random.bounded(255)));
        result.append(byte);
    }
    return result;
}

void LineProxy::readFrom(Direction &direction)
{
    char buffer[4096];
    for (;;) {
        const ssize_t count = read(direction.from, buffer, sizeof buffer);
        if (count < 0 && (errno == EAGAIN || errno == EINTR))
            break;
        if (count <= 0) {
            // The side is gone (hung up or closed); nothing more will come from it.
            direction.reader->setEnabled(false);
            break;
        }
        if (&direction == &m_towardsB && m_faults.clearAfterAnswerUs > 0 && m_towardsA.lastDeliveryNs >= 0
            && m_clock.nsecsElapsed() - m_towardsA.lastDeliveryNs < qint64(m_faults.clearAfterAnswerUs) * 1000) {
            m_clearedTowardsB += int(count);
            continue;
        }
        const QByteArray bytes = spoil(QByteArray(buffer, int(count)));
        const bool delay = m_faults.delayMs > 0 && m_random.generateDouble() < m_faults.delayRate;
        if (!delay && direction.held.isEmpty()) {
            direction.pending.append(bytes);
            continue;
        }
        // Held pieces keep their order: a later piece never overtakes an earlier one.
        qint64 dueMs = m_clock.elapsed() + (delay ? m_faults.delayMs : 0);
        if (!direction.held.isEmpty())
            dueMs = qMax(dueMs, direction.held.last().dueMs);
        direction.held.append({dueMs, bytes});
        if (!direction.holdTimer->isActive())
            direction.holdTimer->start(int(qMax<qint64>(0, direction.held.first().dueMs - m_clock.elapsed())));
    }
    writeTo(direction);
}

void LineProxy::releaseHeld(Direction &direction)
{
    const qint64 now = m_clock.elapsed();
    while (!direction.held.isEmpty() && direction.held.first().dueMs <= now)
        direction.pending.append(direction.held.takeFirst().bytes);
    if (!direction.held.isEmpty())
        direction.holdTimer->start(int(direction.held.first().dueMs - now));
    writeTo(direction);
}

void LineProxy::writeTo(Direction &direction)
{
    while (!direction.pending.isEmpty()) {
        const ssize_t count = write(direction.to, direction.pending.constData(), size_t(direction.pending.size()));
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0 && errno == EAGAIN)
            break;
        if (count <= 0) {
            // The side is gone; what it did not take is lost, as on a pulled cable.
            direction.pending.clear();
            break;
        }
        direction.delivered.append(direction.pending.constData(), int(count));
        direction.lastDeliveryNs = m_clock.nsecsElapsed();
        direction.pending.remove(0, int(count));
    }
    const bool more = !direction.pending.isEmpty();
    direction.writer->setEnabled(more);
}
