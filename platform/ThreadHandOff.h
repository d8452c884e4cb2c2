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
#include <thread>

namespace platform {

// Handles the screen's events, but not the teacher's, until done() holds,
// the time is up or the program is told to end; whether done() holds.
bool AwaitWithEvents(const std::function<bool()> &done, std::chrono::steady_clock::time_point until);

// Runs work on a thread of its own and hands its answer to answer, once, on
// the screen's thread, through the event loop; when the work has not
// answered by the time the screen's thread sees bound pass, answer gets
// late() instead, and the work's answer is dropped. Nothing is answered
// once context is destroyed.
template <typename T>
void AnswerOnScreenThread(QObject *context, std::chrono::milliseconds bound, std::function<T()> work,
                          std::function<T()> late, std::function<void(const T &)> answer)
{
    QPromise<T> promise;
    auto *watcher = new QFutureWatcher<T>(context);
    auto *timer = new QTimer(watcher);
    timer->setSingleShot(true);
    // Whichever comes first answers, and the other is heard no more: when
    // the screen's thread stood a while, both are due in one pass.
    const auto once = [watcher, timer, answer](const T &said) {
        QObject::disconnect(watcher, nullptr, nullptr, nullptr);
        QObject::disconnect(timer, nullptr, nullptr, nullptr);
        timer->stop();
        watcher->deleteLater();
        answer(said);
    };
    QObject::connect(watcher, &QFutureWatcherBase::finished, watcher, [watcher, once] {
        if (watcher->future().resultCount() > 0)
            once(watcher->future().result());
    });
    // An answer that came before the screen's thread saw the bound pass is
    // no less the answer. A timer may fire a little early; late is said only
    // once the steady clock has passed the bound.
    const auto by = std::chrono::steady_clock::now() + bound;
    QObject::connect(timer, &QTimer::timeout, watcher, [watcher, timer, by, once, late] {
        if (const auto left = by - std::chrono::steady_clock::now(); left.count() > 0)
            return timer->start(std::chrono::ceil<std::chrono::milliseconds>(left));
        once(watcher->future().resultCount() > 0 ? watcher->future().result() : late());
    });
    watcher->setFuture(promise.future());
    timer->setTimerType(Qt::PreciseTimer);
    timer->start(bound);
    std::thread([promise = std::move(promise), work = std::move(work)]() mutable {
        promise.start();
        promise.addResult(work());
        promise.finish();
    }).detach();
}

} // namespace platform
