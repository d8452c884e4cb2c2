#include "platform/Signals.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QThread>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

volatile std::sig_atomic_t ending = 0;
int pipeFds[2] = {-1, -1};

// Only what is safe in a handler: a flag and a byte down a pipe.
void onSignal(int)
{
    const int saved = errno;
    ending = 1;
    if (pipeFds[1] >= 0)
        (void)!::write(pipeFds[1], "x", 1);
    errno = saved;
}

} // namespace

void handleSignals()
{
    std::signal(SIGXFSZ, SIG_IGN);
    if (pipeFds[0] >= 0 || ::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto *notifier = new QSocketNotifier(pipeFds[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, [] {
        char bytes[64];
        while (::read(pipeFds[0], bytes, sizeof bytes) > 0) {
        }
        // Outside any event loop (during the start) main looks at the flag
        // before it enters one.
        if (QThread::currentThread()->loopLevel() > 0)
            QCoreApplication::exit(0);
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGHUP, SIGINT})
        ::sigaction(signal, &action, nullptr);
}

bool terminationRequested() { return ending != 0; }

} // namespace platform
