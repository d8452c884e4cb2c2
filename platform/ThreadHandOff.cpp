#include "platform/ThreadHandOff.h"

#include "platform/Runtime.h"
#include "platform/Signals.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace platform {

bool AwaitWithEvents(const std::function<bool()> &done, std::chrono::steady_clock::time_point until)
{
    const EventWait waiting;
    while (!done() && std::chrono::steady_clock::now() < until && !terminationRequested()) {
        if (!QCoreApplication::instance()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            continue;
        }
        QEventLoop loop;
        QTimer::singleShot(20, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    return done();
}

} // namespace platform
