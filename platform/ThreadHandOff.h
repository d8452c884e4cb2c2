#pragma once
// How the screen's thread gets the answer of a thread that may take long or
// never answer (one talking to the print server): it never waits on that
// thread, and the thread never touches what the screen's thread may have
// freed meanwhile; it ends on its own whenever it is done.
#include <QFutureWatcher>
#include <QObject>
#include <QPromise>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

namespace platform {

// Handles the screen's events, but not the teacher's, until done() holds,
// the time is up or the program is told to end; whether done() holds.
bool AwaitWithEvents(const std::function<bool()> &done, std::chrono::steady_clock::time_point until);

// Runs work on a thread of its own and hands its answer to answer, once, on
// the screen's thread, through the event loop; when the work has not
// answered by the time the screen's thread sees bound pass, answer gets
// late() instead, and the work's answer is dropped. What the work tells
// before its answer (through the function it is given) goes to answer as
// it comes, until the answer is given; late gets the last of it, if any.
// Nothing is answered once context is destroyed.
template <typename T>
void AnswerOnScreenThread(QObject *context, std::chrono::milliseconds bound,
                          std::function<T(const std::function<void(const T &)> &tell)> work,
                          std::function<T(const std::optional<T> &told)> late, std::function<void(const T &)> answer)
{
    QPromise<T> promise, tells;
    auto *watcher = new QFutureWatcher<T>(context);
    auto *meanwhile = new QFutureWatcher<T>(watcher);
    auto *timer = new QTimer(watcher);
    auto told = std::make_shared<std::optional<T>>();
    timer->setSingleShot(true);
    // Whichever comes first answers, and the other is heard no more: when
    // the screen's thread stood a while, both are due in one pass.
    const auto once = [watcher, meanwhile, timer, answer](const T &said) {
        for (QObject *heard : {static_cast<QObject *>(watcher), static_cast<QObject *>(meanwhile),
                               static_cast<QObject *>(timer)})
            QObject::disconnect(heard, nullptr, nullptr, nullptr);
        timer->stop();
        watcher->deleteLater();
        answer(said);
    };
    QObject::connect(watcher, &QFutureWatcherBase::finished, watcher, [watcher, once] {
        if (watcher->future().resultCount() > 0)
            once(watcher->future().result());
    });
    // Told before the answer, which is posted after it.
    QObject::connect(meanwhile, &QFutureWatcherBase::resultReadyAt, watcher, [meanwhile, told, answer](int at) {
        *told = meanwhile->future().resultAt(at);
        answer(**told);
    });
    // An answer that came before the screen's thread saw the bound pass is
    // no less the answer. A timer may fire a little early; late is said only
    // once the steady clock has passed the bound.
    const auto by = std::chrono::steady_clock::now() + bound;
    QObject::connect(timer, &QTimer::timeout, watcher, [watcher, timer, by, once, late, told] {
        if (const auto left = by - std::chrono::steady_clock::now(); left.count() > 0)
            return timer->start(std::chrono::ceil<std::chrono::milliseconds>(left));
        once(watcher->future().resultCount() > 0 ? watcher->future().result() : late(*told));
    });
    watcher->setFuture(promise.future());
    meanwhile->setFuture(tells.future());
    timer->setTimerType(Qt::PreciseTimer);
    timer->start(bound);
    std::thread([promise = std::move(promise), tells = std::move(tells), work = std::move(work)]() mutable {
        promise.start();
        tells.start();
        promise.addResult(work([&tells](const T &said) { tells.addResult(said); }));
        tells.finish();
        promise.finish();
    }).detach();
}

// The same for work that tells nothing before its answer.
template <typename T>
void AnswerOnScreenThread(QObject *context, std::chrono::milliseconds bound, std::function<T()> work,
                          std::function<T()> late, std::function<void(const T &)> answer)
{
    AnswerOnScreenThread<T>(
        context, bound, [work = std::move(work)](const std::function<void(const T &)> &) { return work(); },
        [late = std::move(late)](const std::optional<T> &) { return late(); }, std::move(answer));
}

} // namespace platform
