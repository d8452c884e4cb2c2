#pragma once
// Millisecond clock and the program's waits. The screens wait on this
// clock; going through one interface lets tests finish every wait at once
// instead of sleeping.
#include <QDateTime>
#include <QElapsedTimer>
#include <functional>

namespace platform {

class Clock {
public:
    virtual ~Clock() = default;

    // Monotonic milliseconds; 64 bits, so no wrap during any run.
    virtual qint64 TickCount() = 0;

    // Returns once the clock is later than now + ms, handling no events;
    // what Refresh asked to show is painted first. Even a wait of 0 lasts
    // until the clock has moved on.
    virtual void Wait(qint64 ms) = 0;

    // As Wait, but events are handled as they come; in between the program
    // sleeps.
    virtual void WaitWithEvents(qint64 ms) = 0;

    // Handles events as they come until done() holds (asked after each
    // batch) or the clock reaches deadline (a TickCount value). Returns
    // whether done() ended the wait.
    virtual bool WaitWithEventsUntil(qint64 deadline, const std::function<bool()> &done) = 0;

    // Local date and time, for dates written into files and printouts.
    virtual QDateTime Now() = 0;
};

class SystemClock final : public Clock {
public:
    SystemClock();
    qint64 TickCount() override;
    void Wait(qint64 ms) override;
    void WaitWithEvents(qint64 ms) override;
    bool WaitWithEventsUntil(qint64 deadline, const std::function<bool()> &done) override;
    QDateTime Now() override;

private:
    QElapsedTimer elapsed_;
};

// Time moves only when told or when a wait is made: a wait completes at
// once by moving the time to the earliest moment the real loop could end.
// Waits with events still handle pending events once, so code under test
// sees the clicks and timers queued before the wait.
class FakeClock final : public Clock {
public:
    explicit FakeClock(qint64 startTick = 1000,
                       QDateTime startTime = QDateTime(QDate(2027, 3, 5), QTime(10, 0)));

    qint64 TickCount() override { return tick_; }
    void Wait(qint64 ms) override;
    void WaitWithEvents(qint64 ms) override;
    bool WaitWithEventsUntil(qint64 deadline, const std::function<bool()> &done) override;
    QDateTime Now() override;

    void Advance(qint64 ms) { tick_ += ms; }
    void SetNow(const QDateTime &now);

    // What the code under test asked for: every wait's length, in order.
    const QList<qint64> &Waits() const { return waits_; }
    const QList<qint64> &WaitsWithEvents() const { return waitsWithEvents_; }

private:
    void MoveTo(qint64 tick);

    qint64 tick_;
    qint64 timeBaseTick_;
    QDateTime timeBase_;
    QList<qint64> waits_;
    QList<qint64> waitsWithEvents_;
};

} // namespace platform
