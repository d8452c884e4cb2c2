#include "platform/PrintTalk.h"

#include "platform/PrintTexts.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <map>
#include <sys/socket.h>
#include <sys/time.h>

namespace platform {

namespace {

// libcups waits this long at least: a wait of 0 would be one of a minute.
constexpr double ShortestWait = 0.05;
// How often the request's socket is cut again once its time is up, for one
// libcups connects anew meanwhile.
constexpr auto CutAgain = std::chrono::milliseconds(100);

// Steps by which a connection's wait for an answer is lengthened until the
// kernel keeps it apart from every other open connection's, and how many.
constexpr double WaitStep = 0.001;
constexpr int WaitSteps = 1000;

// A socket's wait for an answer as the kernel keeps it, in its clock's
// ticks; false for no socket. Safe in a signal handler.
bool WaitOf(int fd, timeval &wait)
{
    socklen_t length = sizeof wait;
    return fd >= 0 && ::getsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wait, &length) == 0;
}

bool Same(const timeval &a, const timeval &b) { return a.tv_sec == b.tv_sec && a.tv_usec == b.tv_usec; }

// The waits of the connections open now, one each and no two alike: libcups
// sets a connection's on every socket it connects for it, so a socket that
// carries one is that connection's. Given the same deadline, two waits
// would come out alike in the kernel's ticks.
struct OpenWaits {
    std::mutex mutex;
    std::map<const PrintConnection *, timeval> of;
};
OpenWaits &Waits()
{
    static OpenWaits waits;
    return waits;
}

// The request on the wire on this thread: its connection, its wait for an
// answer, and what to set when a cut leaves another's socket alone.
struct OnThisThread {
    std::atomic<http_t *> http{nullptr};
    timeval wait{};
    std::atomic<bool> *othersSocket = nullptr;
};
thread_local OnThisThread onThisThread;
// libcups's httpGetFd for the signal handler, set once before the handler.
std::atomic<decltype(&::httpGetFd)> getFdOnCut{nullptr};
static_assert(decltype(getFdOnCut)::is_always_lock_free);

// On the request's thread, between any two steps of libcups: every wait of
// it on the socket it uses now for the request ends at once.
void Cut(int)
{
    const int saved = errno;
    const OnThisThread &here = onThisThread;
    if (http_t *http = here.http.load()) {
        const int fd = getFdOnCut.load(std::memory_order_relaxed)(http);
        // A socket libcups has just closed may already be another's.
        if (timeval wait{}; WaitOf(fd, wait) && (wait.tv_sec || wait.tv_usec) && Same(wait, here.wait))
            ::shutdown(fd, SHUT_RDWR);
        else if (fd >= 0)
            here.othersSocket->store(true);
    }
    errno = saved;
}

int CutSignal()
{
    static const int signal = [] {
        getFdOnCut.store(CupsLibrary::instance().getFd);
        struct sigaction action {};
        action.sa_handler = Cut;
        // Whatever libcups was doing goes on: it only finds the socket cut.
        action.sa_flags = SA_RESTART;
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGRTMIN + 3, &action, nullptr);
        return SIGRTMIN + 3;
    }();
    return signal;
}

} // namespace

QString Reply::Why() const
{
    switch (kind) {
    case NoServer:
        return QStringLiteral("tlačový systém nie je dostupný.");
    case Late:
        return QStringLiteral("tlačový systém neodpovedal včas.");
    case Broken:
        return QStringLiteral("spojenie s tlačovým systémom sa prerušilo.");
    case Refused:
        return RefusalInOurWords(statusName, statusText);
    case Connected:
    case Answered:
        break;
    }
    return {};
}

QString NotDone(const QString &notDone, const Reply &reply)
{
    // A refusal is a sentence of its own; what became of the talk says why.
    if (reply.kind == Reply::Refused)
        return (notDone + QStringLiteral(". ") + reply.Why()).trimmed();
    return notDone + QStringLiteral(": ") + reply.Why();
}

QByteArray QueueOf(const QString &printer) { return printer.section(QLatin1Char('/'), 0, 0).toLocal8Bit(); }

QByteArray PrinterUri(const QString &printer) { return "ipp://localhost/printers/" + QueueOf(printer); }

PrintConnection::PrintConnection() : cups_(CupsLibrary::instance()), watch_([this] { Watch(); })
{
    CutSignal();
    // libcups keeps the callback for each thread.
    if (cups_.loaded)
        cups_.setPasswordCB([](const char *, http_t *, const char *, const char *, void *) -> const char * {
            return nullptr;
        }, nullptr);
}

PrintConnection::~PrintConnection()
{
    {
        const std::lock_guard lock(watchMutex_);
        ending_ = true;
    }
    watchWakes_.notify_all();
    watch_.join();
    Close();
}

void PrintConnection::Until(PrintClock::time_point deadline)
{
    {
        const std::lock_guard lock(watchMutex_);
        deadline_ = deadline;
    }
    watchWakes_.notify_all();
}

void PrintConnection::OnTheWire(bool on)
{
    OnThisThread &here = onThisThread;
    if (on) {
        here.wait = wait_;
        othersSocket_.store(false);
        here.othersSocket = &othersSocket_;
        here.http.store(http_);
    } else {
        here.http.store(nullptr);
    }
    {
        const std::lock_guard lock(watchMutex_);
        onTheWire_ = on;
        requester_ = ::pthread_self();
    }
    watchWakes_.notify_all();
}

void PrintConnection::Watch()
{
    std::unique_lock lock(watchMutex_);
    while (!ending_) {
        if (onTheWire_ && PrintClock::now() >= deadline_ && othersSocket_.exchange(false)) {
            // Another's socket in the request's place is left alone, and
            // libcups's wait on it too, which every signal starts anew: that
            // wait ends the request.
            watchWakes_.wait_for(lock, waitGiven_ + CutAgain);
        } else if (onTheWire_ && PrintClock::now() >= deadline_) {
            ::pthread_kill(requester_, CutSignal());
            watchWakes_.wait_for(lock, CutAgain);
        } else if (onTheWire_) {
            watchWakes_.wait_until(lock, deadline_);
        } else {
            watchWakes_.wait(lock);
        }
    }
}

ipp_t *PrintConnection::Request(ipp_op_t operation, const char *uriName, const QByteArray &uri) const
{
    if (!cups_.loaded)
        return nullptr;
    ipp_t *request = cups_.newRequest(operation);
    cups_.addString(request, IPP_TAG_OPERATION, IPP_TAG_URI, uriName, nullptr, uri.constData());
    cups_.addString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cups_.user());
    return request;
}

Reply::Kind PrintConnection::Ready()
{
    if (!TimeLeft())
        return Reply::Late;
    if (!http_)
        if (const Reply::Kind made = Open(); made != Reply::Connected)
            return made;
    // Each part of an answer is awaited until the deadline, not for a
    // slice of it: libcups gives up an answer whose parts come further
    // apart than its timeout, whatever the callback says. The watch ends
    // a request that would go on past the deadline.
    const double left = std::chrono::duration<double>(deadline_ - PrintClock::now()).count();
    SetWait(std::max(left, ShortestWait));
    return Reply::Connected;
}

void PrintConnection::SetWait(double seconds)
{
    OpenWaits &waits = Waits();
    const std::lock_guard lock(waits.mutex);
    const auto taken = [&waits, this](const timeval &wait) {
        return std::any_of(waits.of.begin(), waits.of.end(),
                           [&](const auto &open) { return open.first != this && Same(open.second, wait); });
    };
    timeval kept{};
    for (int step = 0; step < WaitSteps; ++step, seconds += WaitStep) {
        cups_.setTimeout(http_, seconds, &PrintConnection::WaitOn, this);
        if (!WaitOf(cups_.getFd(http_), kept) || !taken(kept))
            break;
    }
    waits.of[this] = wait_ = kept;
    const std::lock_guard watch(watchMutex_);
    waitGiven_ = std::chrono::duration<double>(seconds);
}

Reply PrintConnection::Do(ipp_t *request, const QByteArray &resource, int document)
{
    Reply reply;
    reply.kind = request ? Ready() : Reply::NoServer;
    if (reply.kind != Reply::Connected) {
        if (request)
            cups_.deleteIpp(request);
        return reply;
    }
    OnTheWire(true);
    ipp_t *response = cups_.doIORequest(http_, request, resource.constData(), document, -1);
    OnTheWire(false);
    return Outcome(response);
}

Reply PrintConnection::Outcome(ipp_t *response)
{
    Reply reply;
    reply.status = response ? cups_.getStatusCode(response) : cups_.lastError();
    reply.statusName = QString::fromUtf8(cups_.errorString(reply.status));
    reply.statusText = QString::fromUtf8(cups_.lastErrorString());
    if (response)
        reply.ipp.reset(response, cups_.deleteIpp);
    // libcups makes a request that got no answer one of these two.
    const bool unanswered = reply.status == IPP_STATUS_ERROR_INTERNAL
                            || reply.status == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE;
    if (response && reply.status < IPP_STATUS_ERROR_BAD_REQUEST)
        reply.kind = Reply::Answered;
    else if (response || !unanswered)
        reply.kind = Reply::Refused;
    else
        reply.kind = TimeLeft() ? Reply::Broken : Reply::Late;
    // The next request goes on a connection of our own making, whose making
    // waits no longer than the time left.
    if (reply.kind == Reply::Late || reply.kind == Reply::Broken)
        Close();
    return reply;
}

Reply::Kind PrintConnection::Fresh()
{
    Close();
    return Open();
}

QString PrintConnection::DefaultPrinter(Reply &reply)
{
    reply = {};
    if (reply.kind = Ready(); reply.kind != Reply::Connected)
        return {};
    OnTheWire(true);
    cups_dest_t *dest = cups_.getNamedDest(http_, nullptr, nullptr);
    OnTheWire(false);
    if (dest) {
        const QString name = QString::fromUtf8(dest->name);
        cups_.freeDests(1, dest);
        reply.kind = Reply::Answered;
        return name;
    }
    // libcups says a question cut at the deadline found no default, as it
    // says of a server that names none: one that ended then is unanswered.
    if (!TimeLeft()) {
        Close();
        reply.kind = Reply::Late;
        return {};
    }
    reply = Outcome(nullptr);
    // Naming none is no failure.
    if (reply.kind == Reply::Refused && reply.status == IPP_STATUS_ERROR_NOT_FOUND)
        reply.kind = Reply::Answered;
    return {};
}

Reply::Kind PrintConnection::Open()
{
    if (!cups_.loaded)
        return Reply::NoServer;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline_ - PrintClock::now()).count();
    if (left <= 0)
        return Reply::Late;
    http_ = cups_.connect(cups_.server(), cups_.port(), nullptr, AF_UNSPEC, cups_.encryption(), 1, int(left),
                          nullptr);
    if (!http_)
        return TimeLeft() ? Reply::NoServer : Reply::Late;
    return Reply::Connected;
}

void PrintConnection::Close()
{
    if (http_)
        cups_.close(http_);
    http_ = nullptr;
    OpenWaits &waits = Waits();
    const std::lock_guard lock(waits.mutex);
    waits.of.erase(this);
}

int PrintConnection::WaitOn(http_t *, void *connection)
{
    return static_cast<PrintConnection *>(connection)->TimeLeft() ? 1 : 0;
}

Attributes Ask(PrintConnection &connection, ipp_op_t operation, const char *uriName, const QByteArray &uri,
               const std::initializer_list<const char *> &wanted)
{
    const CupsLibrary &cups = connection.Cups();
    ipp_t *request = connection.Request(operation, uriName, uri);
    if (request)
        cups.addStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", int(wanted.size()),
                        nullptr, wanted.begin());
    Attributes answer{connection.Do(request), {}};
    if (answer.reply.kind == Reply::Answered)
        for (const char *name : wanted) {
            QStringList values;
            if (ipp_attribute_t *a = cups.findAttribute(answer.reply.ipp.get(), name, IPP_TAG_ZERO))
                for (int i = 0; i < cups.getCount(a); ++i) {
                    const char *text = cups.getString(a, i, nullptr);
                    values << (text                                          ? QString::fromUtf8(text)
                               : cups.getValueTag(a) == IPP_TAG_BOOLEAN ? QString::number(cups.getBoolean(a, i))
                                                                          : QString::number(cups.getInteger(a, i)));
                }
            answer.values << values;
        }
    return answer;
}

} // namespace platform
