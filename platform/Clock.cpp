#include "platform/Clock.h"

#include "platform/Canvas.h"
#include "platform/Runtime.h"
#include "platform/Signals.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>

#include <limits>

namespace platform {

namespace {

void HandlePendingEvents()
{
    const EventWait waiting;
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

// Handles events until done() holds or the clock reaches `end`, asleep in
// between: a timer wakes the loop at `end`, any event sooner. Pending events
// are handled at least once, however late it is. A program told to end
// waits no longer.
bool HandleEventsUntil(SystemClock &clock, qint64 end, const std::function<bool()> &done)
{
    if (!QCoreApplication::instance()) {
        if (const qint64 left = end - clock.TickCount(); left > 0)
            QThread::msleep(static_cast<unsigned long>(left));
        return done && done();
    }
    const EventWait waiting;
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    do {
        if (done && done())
            return true;
        const qint64 left = end - clock.TickCount();
        if (left > 0)
            wake.start(int(std::min<qint64>(left, std::numeric_limits<int>::max())));
        QCoreApplication::processEvents(left > 0 ? QEventLoop::WaitForMoreEvents : QEventLoop::AllEvents);
    } while (clock.TickCount() < end && !terminationRequested());
    return done && done();
}

} // namespace

SystemClock::SystemClock() { elapsed_.start(); }

qint64 SystemClock::TickCount() { return elapsed_.elapsed(); }

void SystemClock::Wait(qint64 ms)
{
    showRefreshes();
    const qint64 deadline = TickCount() + ms;
    // Sleeping instead of spinning blocks the interface just the same.
    for (qint64 now = TickCount(); now <= deadline; now = TickCount())
        QThread::msleep(static_cast<unsigned long>(deadline - now + 1));
}

void SystemClock::WaitWithEvents(qint64 ms)
{
    HandleEventsUntil(*this, TickCount() + ms + 1, nullptr);
}

bool SystemClock::WaitWithEventsUntil(qint64 deadline, const std::function<bool()> &done)
{
    return HandleEventsUntil(*this, deadline, done);
}

QDateTime SystemClock::Now() { return QDateTime::currentDateTime(); }

FakeClock::FakeClock(qint64 startTick, QDateTime startTime)
    : tick_(startTick), timeBaseTick_(startTick), timeBase_(std::move(startTime))
{
}

void FakeClock::MoveTo(qint64 tick)
{
    // A handler run during the wait may have moved the time on already.
    if (tick > tick_)
        tick_ = tick;
}

void FakeClock::Wait(qint64 ms)
{
    showRefreshes();
    waits_.append(ms);
    MoveTo(tick_ + ms + 1);
}

void FakeClock::WaitWithEvents(qint64 ms)
{
    waitsWithEvents_.append(ms);
    const qint64 end = tick_ + ms + 1;
    HandlePendingEvents();
    MoveTo(end);
}

bool FakeClock::WaitWithEventsUntil(qint64 deadline, const std::function<bool()> &done)
{
    if (done && done())
        return true;
    HandlePendingEvents();
    if (done && done())
        return true;
    MoveTo(deadline);
    return false;
}

QDateTime FakeClock::Now() { return timeBase_.addMSecs(tick_ - timeBaseTick_); }

void FakeClock::SetNow(const QDateTime &now)
{
    timeBase_ = now;
    timeBaseTick_ = tick_;
}

} // namespace platform
