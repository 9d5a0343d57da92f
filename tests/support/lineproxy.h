#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QRandomGenerator>

class QSocketNotifier;
class QTimer;

// Joins two ends of a serial line made of pseudo-terminal masters, and on request spoils it the
// way real lines fail: bytes dropped, bytes changed, pieces held back. Each end has a descriptor
// to read from and one to write to (the same one for a single terminal). The faults come from a
// seeded generator, so a failing run can be repeated.
class LineProxy : public QObject
{
    Q_OBJECT

public:
    enum Side { SideA, SideB };

    struct Faults {
        double dropRate = 0.0;    // per byte
        double corruptRate = 0.0; // per byte
        double delayRate = 0.0;   // per piece read from a side
        int delayMs = 0;
        // Side B clears its input this long after each of its answers reaches side A, as
        // receivers do (lrzsz's rb): whatever A sends within that time is lost.
        int clearAfterAnswerUs = 0;
    };

    LineProxy(int readA, int writeA, int readB, int writeB, quint32 seed = 1, QObject *parent = nullptr);
    ~LineProxy() override;

    void setFaults(const Faults &faults);
    // Everything written towards a side so far, faults applied.
    QByteArray deliveredTo(Side side) const;
    // Monotonic nanoseconds of the proxy's clock: now, and when a side last got bytes.
    qint64 nowNs() const;
    qint64 lastDeliveryNs(Side side) const;
    // Bytes towards side B lost to its clearing its input after an answer.
    int clearedTowardsB() const;

private:
    struct Held {
        qint64 dueMs;
        QByteArray bytes;
    };

    struct Direction {
        int from = -1;
        int to = -1;
        QSocketNotifier *reader = nullptr;
        QSocketNotifier *writer = nullptr;
        QTimer *holdTimer = nullptr;
        QList<Held> held;
        QByteArray pending;
        QByteArray delivered;
        qint64 lastDeliveryNs = -1;
    };

    void setUp(Direction &direction, int from, int to);
    void readFrom(Direction &direction);
    void releaseHeld(Direction &direction);
    void writeTo(Direction &direction);
    QByteArray spoil(const QByteArray &bytes);

    Direction m_towardsB;
    Direction m_towardsA;
    Faults m_faults;
    QRandomGenerator m_random;
    QElapsedTimer m_clock;
    int m_clearedTowardsB = 0;
};
