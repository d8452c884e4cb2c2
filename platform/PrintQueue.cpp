#include "platform/PrintQueue.h"

#include "platform/PrintTexts.h"
#include "platform/Signals.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QLibrary>
#include <QStringList>
#include <QTimer>

#include <cups/cups.h>

#include <condition_variable>
#include <mutex>
#include <thread>
#include <type_traits>

namespace platform {

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto PollEvery = std::chrono::milliseconds(100);
// How long libcups waits on the print server before it asks whether to
// wait on, in seconds.
constexpr double WaitSlice = 0.25;
// Giving up the printer subscription, once the teacher has been told.
constexpr auto TidyFor = std::chrono::seconds(2);
// How long the screen's thread waits past the job's time for the thread
// that talks to the print server: a connection libcups makes again by
// itself is awaited up to 30 s, not within the job's time.
constexpr auto Grace = std::chrono::milliseconds(750);

struct Cups {
    decltype(&::httpConnect2) connect = nullptr;
    decltype(&::httpClose) close = nullptr;
    decltype(&::httpSetTimeout) setTimeout = nullptr;
    decltype(&::cupsServer) server = nullptr;
    decltype(&::ippPort) port = nullptr;
    decltype(&::cupsEncryption) encryption = nullptr;
    decltype(&::cupsUser) user = nullptr;
    decltype(&::cupsSetPasswordCB2) setPasswordCB = nullptr;
    decltype(&::cupsDoRequest) doRequest = nullptr;
    decltype(&::cupsDoFileRequest) doFileRequest = nullptr;
    decltype(&::cupsLastError) lastError = nullptr;
    decltype(&::cupsLastErrorString) lastErrorString = nullptr;
    decltype(&::ippErrorString) errorString = nullptr;
    decltype(&::ippNewRequest) newRequest = nullptr;
    decltype(&::ippAddString) addString = nullptr;
    decltype(&::ippAddStrings) addStrings = nullptr;
    decltype(&::ippAddInteger) addInteger = nullptr;
    decltype(&::ippFindAttribute) findAttribute = nullptr;
    decltype(&::ippGetCount) getCount = nullptr;
    decltype(&::ippGetInteger) getInteger = nullptr;
    decltype(&::ippGetBoolean) getBoolean = nullptr;
    decltype(&::ippGetValueTag) getValueTag = nullptr;
    decltype(&::ippGetString) getString = nullptr;
    decltype(&::ippDelete) deleteIpp = nullptr;
    decltype(&::ippGetStatusCode) getStatusCode = nullptr;
    decltype(&::ippFirstAttribute) firstAttribute = nullptr;
    decltype(&::ippNextAttribute) nextAttribute = nullptr;
    decltype(&::ippGetName) getName = nullptr;
    decltype(&::ippGetGroupTag) getGroupTag = nullptr;
    bool loaded = false;

    static const Cups &instance()
    {
        static const Cups cups = [] {
            Cups c;
            QLibrary library(QStringLiteral("cups"), 2);
            c.loaded = library.load();
            const auto resolve = [&c, &library](auto &function, const char *name) {
                function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(library.resolve(name));
                c.loaded = c.loaded && function;
            };
            resolve(c.connect, "httpConnect2"), resolve(c.close, "httpClose");
            resolve(c.setTimeout, "httpSetTimeout"), resolve(c.server, "cupsServer");
            resolve(c.port, "ippPort"), resolve(c.encryption, "cupsEncryption"), resolve(c.user, "cupsUser");
            resolve(c.setPasswordCB, "cupsSetPasswordCB2"), resolve(c.doRequest, "cupsDoRequest");
            resolve(c.doFileRequest, "cupsDoFileRequest"), resolve(c.lastError, "cupsLastError");
            resolve(c.lastErrorString, "cupsLastErrorString"), resolve(c.errorString, "ippErrorString");
            resolve(c.newRequest, "ippNewRequest"), resolve(c.addString, "ippAddString");
            resolve(c.addStrings, "ippAddStrings"), resolve(c.addInteger, "ippAddInteger");
            resolve(c.findAttribute, "ippFindAttribute"), resolve(c.getCount, "ippGetCount");
            resolve(c.getInteger, "ippGetInteger"), resolve(c.getString, "ippGetString");
            resolve(c.getBoolean, "ippGetBoolean"), resolve(c.getValueTag, "ippGetValueTag");
            resolve(c.deleteIpp, "ippDelete"), resolve(c.getStatusCode, "ippGetStatusCode");
            resolve(c.firstAttribute, "ippFirstAttribute"), resolve(c.nextAttribute, "ippNextAttribute");
            resolve(c.getName, "ippGetName"), resolve(c.getGroupTag, "ippGetGroupTag");
            return c;
        }();
        return cups;
    }
};

// Qt names an instance of a queue "queue/instance"; jobs go to the queue.
QByteArray QueueOf(const QString &printer)
{
    return printer.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
}

QByteArray PrinterUri(const QString &printer) { return "ipp://localhost/printers/" + QueueOf(printer); }

QString Unusable(const QString &printer, const QString &why)
{
    return QStringLiteral("Tlačiareň %1 sa nedá použiť: %2").arg(printer, why);
}

QString NotAnswering(const QString &printer)
{
    return Unusable(printer, QStringLiteral("tlačový systém neodpovedal včas."));
}

JobEnd JobNotAnswered(const QString &printer)
{
    return {QStringLiteral("Tlačový systém neodpovedal včas, a tak sa nedá zistiť, či prijal úlohu pre tlačiareň %1.")
                .arg(printer),
            true};
}

JobEnd FollowNotAnswered(const QString &printer, int job)
{
    return {QStringLiteral("Tlačový systém prijal úlohu %1 na tlačiarni %2, ale potom už neodpovedal včas, a tak sa "
                           "nedá zistiť, či sa vytlačila.")
                .arg(job)
                .arg(printer),
            true};
}

// What the print server made of one request: the attributes asked for,
// each as its values; a refusal with its status; or no answer.
struct Reply {
    enum Kind {
        Answered,
        Refused,  // by status: not found, not allowed, full, ...
        Silent,   // no answer in time, or the connection broke
        NoServer, // nothing answers at its address
    } kind = Silent;
    ipp_status_t status = IPP_STATUS_ERROR_SERVICE_UNAVAILABLE;
    QString statusText;
    std::shared_ptr<ipp_t> ipp;

    QString Refusal(const Cups &cups) const
    {
        return RefusalInOurWords(QString::fromUtf8(cups.errorString(status)), statusText);
    }
};

// The print server as the thread that talks to it sees it: one connection,
// every wait on it ending by the time set.
class Server {
public:
    explicit Server(const Cups &cups) : cups_(cups) {}
    ~Server() { Close(); }
    Server(const Server &) = delete;
    Server &operator=(const Server &) = delete;

    void Until(Clock::time_point deadline) { deadline_ = deadline; }
    bool TimeLeft() const { return Clock::now() < deadline_; }

    // Sends the request (freed here) with the file after it, if one is named.
    Reply Do(ipp_t *request, const QByteArray &resource = "/", const QByteArray &file = {})
    {
        Reply reply;
        if (!http_)
            reply.kind = Open();
        if (!http_) {
            cups_.deleteIpp(request);
            return reply;
        }
        ipp_t *response = file.isEmpty() ? cups_.doRequest(http_, request, resource.constData())
                                         : cups_.doFileRequest(http_, request, resource.constData(), file.constData());
        reply.status = response ? cups_.getStatusCode(response) : cups_.lastError();
        reply.statusText = QString::fromUtf8(cups_.lastErrorString());
        if (response)
            reply.ipp.reset(response, cups_.deleteIpp);
        // libcups makes a request that got no answer one of these two.
        const bool silent = reply.status == IPP_STATUS_ERROR_INTERNAL
                            || reply.status == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE;
        reply.kind = response && reply.status < IPP_STATUS_ERROR_BAD_REQUEST ? Reply::Answered
                     : response || !silent                                   ? Reply::Refused
                                                                             : Reply::Silent;
        // The next request goes on a connection of our own making, whose
        // making waits no longer than the time left.
        if (reply.kind == Reply::Silent)
            Close();
        return reply;
    }

    // A connection made anew, so that a request that fails on it may have
    // reached the print server, and one that cannot be made did not.
    Reply::Kind Fresh()
    {
        Close();
        return Open();
    }

private:
    Reply::Kind Open()
    {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline_ - Clock::now()).count();
        if (left <= 0)
            return Reply::Silent;
        http_ = cups_.connect(cups_.server(), cups_.port(), nullptr, AF_UNSPEC, cups_.encryption(), 1, int(left),
                              nullptr);
        if (!http_)
            return TimeLeft() ? Reply::NoServer : Reply::Silent;
        cups_.setTimeout(http_, WaitSlice, &Server::WaitOn, this);
        return Reply::Answered;
    }
    void Close()
    {
        if (http_)
            cups_.close(http_);
        http_ = nullptr;
    }
    static int WaitOn(http_t *, void *server) { return static_cast<Server *>(server)->TimeLeft() ? 1 : 0; }

    const Cups &cups_;
    http_t *http_ = nullptr;
    Clock::time_point deadline_;
};

ipp_t *Request(const Cups &cups, ipp_op_t operation, const char *uriName, const QByteArray &uri)
{
    ipp_t *request = cups.newRequest(operation);
    cups.addString(request, IPP_TAG_OPERATION, IPP_TAG_URI, uriName, nullptr, uri.constData());
    cups.addString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cups.user());
    return request;
}

// The values of each attribute asked for, as text.
struct Attributes {
    Reply reply;
    QList<QStringList> values;
    QString First(int i) const { return values.value(i).value(0); }
};

Attributes Ask(const Cups &cups, Server &server, ipp_op_t operation, const char *uriName, const QByteArray &uri,
               const std::initializer_list<const char *> &wanted)
{
    ipp_t *request = Request(cups, operation, uriName, uri);
    cups.addStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", int(wanted.size()), nullptr,
                    wanted.begin());
    Attributes answer{server.Do(request), {}};
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

// Why the queue cannot take a job now, for the teacher; empty when it can.
QString QueueRefusal(const Cups &cups, Server &server, const QString &printer)
{
    const Attributes queue = Ask(cups, server, IPP_OP_GET_PRINTER_ATTRIBUTES, "printer-uri", PrinterUri(printer),
                                 {"printer-is-accepting-jobs", "printer-state"});
    switch (queue.reply.kind) {
    case Reply::NoServer:
        return Unusable(printer, QStringLiteral("tlačový systém nie je dostupný."));
    case Reply::Silent:
        return NotAnswering(printer);
    case Reply::Refused:
        if (queue.reply.status == IPP_STATUS_ERROR_NOT_FOUND)
            return Unusable(printer, QStringLiteral("tlačový systém ju nepozná."));
        return QStringLiteral("Tlačiareň %1 sa nedá použiť. %2").arg(printer, queue.reply.Refusal(cups)).trimmed();
    case Reply::Answered:
        break;
    }
    // A stopped queue holds its jobs, so the teacher would wait for paper
    // that does not come.
    if (queue.First(0) == QLatin1String("0"))
        return QStringLiteral("Tlačiareň %1 neprijíma úlohy.").arg(printer);
    if (queue.First(1).toInt() == IPP_PSTATE_STOPPED)
        return QStringLiteral("Tlačiareň %1 je zastavená.").arg(printer);
    return {};
}

// The ends of the printer's jobs as the print system tells them while they
// happen, kept for the program a minute: a print system without job
// history forgets a job as it ends, printed or not, and then only this
// tells which; and only this tells who cancelled a job.
class JobEnds {
public:
    JobEnds(const Cups &cups, Server &server, const QString &printer)
        : cups_(cups), server_(server), uri_(PrinterUri(printer))
    {
        ipp_t *request = Request(cups, IPP_OP_CREATE_PRINTER_SUBSCRIPTIONS, "printer-uri", uri_);
        cups.addString(request, IPP_TAG_SUBSCRIPTION, IPP_TAG_KEYWORD, "notify-pull-method", nullptr, "ippget");
        cups.addString(request, IPP_TAG_SUBSCRIPTION, IPP_TAG_KEYWORD, "notify-events", nullptr, "job-completed");
        cups.addInteger(request, IPP_TAG_SUBSCRIPTION, IPP_TAG_INTEGER, "notify-lease-duration", 60);
        const Reply reply = server.Do(request);
        silent_ = reply.kind == Reply::Silent || reply.kind == Reply::NoServer;
        if (reply.kind == Reply::Answered)
            if (ipp_attribute_t *a = cups.findAttribute(reply.ipp.get(), "notify-subscription-id", IPP_TAG_INTEGER))
                id_ = cups.getInteger(a, 0);
    }
    JobEnds(const JobEnds &) = delete;
    JobEnds &operator=(const JobEnds &) = delete;

    // Whether the print system did not answer at all.
    bool Silent() const { return silent_; }

    void Cancel()
    {
        if (!id_)
            return;
        ipp_t *request = Request(cups_, IPP_OP_CANCEL_SUBSCRIPTION, "printer-uri", uri_);
        cups_.addInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "notify-subscription-id", id_);
        server_.Do(request);
        id_ = 0;
    }

    // The job's end as told: its state (0 when nothing was told of it), its
    // keywords and the print system's message.
    std::pair<int, QStringList> Of(int job) const
    {
        if (!id_)
            return {};
        ipp_t *request = Request(cups_, IPP_OP_GET_NOTIFICATIONS, "printer-uri", uri_);
        cups_.addInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "notify-subscription-ids", id_);
        const Reply reply = server_.Do(request);
        if (reply.kind != Reply::Answered)
            return {};
        // One group of attributes an event, in no fixed order.
        std::pair<int, QStringList> end, event;
        int eventJob = 0;
        for (ipp_attribute_t *a = cups_.firstAttribute(reply.ipp.get());; a = cups_.nextAttribute(reply.ipp.get())) {
            const char *name = a ? cups_.getName(a) : nullptr;
            if (!name || cups_.getGroupTag(a) != IPP_TAG_EVENT_NOTIFICATION) {
                if (eventJob == job && event.first)
                    end = event;
                event = {}, eventJob = 0;
                if (!a)
                    break;
            } else if (!qstrcmp(name, "notify-job-id")) {
                eventJob = cups_.getInteger(a, 0);
            } else if (!qstrcmp(name, "job-state")) {
                event.first = cups_.getInteger(a, 0);
            } else if (!qstrcmp(name, "job-state-reasons") || !qstrcmp(name, "notify-text")) {
                for (int i = 0; i < cups_.getCount(a); ++i)
                    event.second << QString::fromUtf8(cups_.getString(a, i, nullptr));
            }
        }
        return end;
    }

private:
    const Cups &cups_;
    Server &server_;
    QByteArray uri_;
    int id_ = 0;
    bool silent_ = false;
};

// What is known of a job at one look.
struct Outcome {
    enum Kind {
        OnItsWay,   // waiting or printing
        Unanswered, // the print system did not answer this time
        Refused,    // the print system will not tell: why says why
        Forgotten,  // the print system no longer knows the job
        Printed,
        Failed,     // held, stopped, cancelled or aborted: why says why
    } kind;
    QString why;
};

Outcome JobOutcome(const Cups &cups, Server &server, const QString &printer, int job, const JobEnds &ends)
{
    const Attributes state = Ask(cups, server, IPP_OP_GET_JOB_ATTRIBUTES, "job-uri",
                                 "ipp://localhost/jobs/" + QByteArray::number(job),
                                 {"job-state", "job-printer-state-message", "job-state-reasons"});
    if (state.reply.kind == Reply::Refused)
        return state.reply.status == IPP_STATUS_ERROR_NOT_FOUND ? Outcome{Outcome::Forgotten, {}}
                                                                 : Outcome{Outcome::Refused, state.reply.Refusal(cups)};
    // An answer without a job state tells nothing of the job.
    if (state.reply.kind != Reply::Answered || state.First(0).isEmpty())
        return {Outcome::Unanswered, {}};
    const int jobState = state.First(0).toInt();
    if (jobState == IPP_JSTATE_PROCESSING)
        return {Outcome::OnItsWay, {}};
    if (jobState == IPP_JSTATE_COMPLETED)
        return {Outcome::Printed, {}};
    const Attributes queue = Ask(cups, server, IPP_OP_GET_PRINTER_ATTRIBUTES, "printer-uri", PrinterUri(printer),
                                 {"printer-state", "printer-state-message"});
    const bool queueStopped = queue.reply.kind == Reply::Answered && queue.First(0).toInt() == IPP_PSTATE_STOPPED;
    if (jobState == IPP_JSTATE_PENDING && !queueStopped)
        return {Outcome::OnItsWay, {}};
    JobReport report{printer, job, jobState, state.values.value(2), state.First(1), false};
    if (report.printerSays.isEmpty())
        report.printerSays = queue.First(1);
    report.printerGone = queue.reply.kind == Reply::Refused && queue.reply.status == IPP_STATUS_ERROR_NOT_FOUND;
    if (jobState == IPP_JSTATE_CANCELED || jobState == IPP_JSTATE_ABORTED)
        report.said += ends.Of(job).second;
    return {Outcome::Failed, WhyNotPrinted(report)};
}

} // namespace

// What the screen's thread and the thread that talks to the print server
// share; each writes its own part under the lock.
struct PrintJob::State {
    enum Phase { Asking, Asked, Sending, Following, Ended };

    QString printer;
    Clock::time_point start, queueBy;
    // The print system is waited for this long in all, the sheet being made
    // in between not counted: the job's time ends at endBy.
    std::chrono::milliseconds forAll, follow;
    Clock::time_point endBy;
    Clock::duration waited{};

    std::mutex mutex;
    std::condition_variable documentGiven;
    // By the screen's thread: the document, or that none comes.
    bool given = false, givenUp = false;
    QByteArray pdf;
    QString title, media;
    Phase phase = Asking; // by the talking thread, with what it learnt
    QString refusal;
    int job = 0;
    JobEnd end;

    void Set(Phase now, int jobNumber = 0)
    {
        const std::lock_guard lock(mutex);
        phase = now;
        job = jobNumber ? jobNumber : job;
    }
    // What is known when the screen's thread waits no longer.
    JobEnd Unfinished()
    {
        const std::lock_guard lock(mutex);
        if (phase == Ended)
            return end;
        if (phase == Sending)
            return JobNotAnswered(printer);
        if (phase == Following)
            return FollowNotAnswered(printer, job);
        return {NotAnswering(printer)};
    }
};

namespace {

// Hands the document to the print system: the job's number, or 0 with
// why it was not taken or may have been.
int Send(const Cups &cups, Server &server, PrintJob::State &s, JobEnd &notTaken)
{
    switch (server.Fresh()) {
    case Reply::NoServer:
        notTaken = {Unusable(s.printer, QStringLiteral("tlačový systém nie je dostupný."))};
        return 0;
    case Reply::Silent:
        notTaken = {NotAnswering(s.printer)};
        return 0;
    default:
        break;
    }
    s.Set(PrintJob::State::Sending);
    ipp_t *request = Request(cups, IPP_OP_PRINT_JOB, "printer-uri", PrinterUri(s.printer));
    cups.addString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, s.title.toUtf8().constData());
    cups.addString(request, IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr, "application/pdf");
    cups.addString(request, IPP_TAG_JOB, IPP_TAG_KEYWORD, "media", nullptr, s.media.toLatin1().constData());
    const Reply sent = server.Do(request, "/printers/" + QueueOf(s.printer), s.pdf);
    if (sent.kind == Reply::NoServer)
        notTaken = {Unusable(s.printer, QStringLiteral("tlačový systém nie je dostupný."))};
    else if (sent.kind == Reply::Silent)
        notTaken = JobNotAnswered(s.printer);
    else if (sent.kind == Reply::Refused && sent.status == IPP_STATUS_ERROR_NOT_FOUND)
        notTaken = {Unusable(s.printer, QStringLiteral("tlačový systém ju nepozná."))};
    else if (sent.kind == Reply::Refused)
        notTaken = {QStringLiteral("Tlačový systém úlohu odmietol. %1").arg(sent.Refusal(cups)).trimmed()};
    ipp_attribute_t *id = sent.kind == Reply::Answered
                              ? cups.findAttribute(sent.ipp.get(), "job-id", IPP_TAG_INTEGER)
                              : nullptr;
    return id ? cups.getInteger(id, 0) : 0;
}

// Looks at the job until it ends, the follow's time is up or the print
// system will not tell; one that does not answer may be starting again.
Outcome Follow(const Cups &cups, Server &server, PrintJob::State &s, int job, const JobEnds &ends)
{
    s.Set(PrintJob::State::Following, job);
    Outcome outcome{Outcome::OnItsWay, {}};
    for (const auto end = std::min(Clock::now() + s.follow, s.endBy); Clock::now() < end && server.TimeLeft();) {
        outcome = JobOutcome(cups, server, s.printer, job, ends);
        if (outcome.kind != Outcome::OnItsWay && outcome.kind != Outcome::Unanswered)
            break;
        std::this_thread::sleep_for(PollEvery);
    }
    // The end of a job the print system forgot or would not show, as it
    // told it while it happened.
    if (outcome.kind == Outcome::Forgotten || outcome.kind == Outcome::Refused) {
        const auto [state, said] = ends.Of(job);
        if (state == IPP_JSTATE_COMPLETED)
            return {Outcome::Printed, {}};
        if (state) {
            const Attributes queue = Ask(cups, server, IPP_OP_GET_PRINTER_ATTRIBUTES, "printer-uri",
                                         PrinterUri(s.printer), {"printer-state-message"});
            return {Outcome::Failed, WhyNotPrinted({s.printer, job, state, said, queue.First(0), false})};
        }
    }
    return outcome;
}

// What the teacher is told of a job followed: only what is known.
JobEnd Told(const Cups &cups, Server &server, const QString &printer, int job, const Outcome &outcome)
{
    switch (outcome.kind) {
    case Outcome::Failed:
        return {outcome.why};
    case Outcome::Refused:
        return {QStringLiteral("Tlačový systém nedovolí zistiť, či sa úloha %1 na tlačiarni %2 vytlačila. %3")
                    .arg(job)
                    .arg(printer, outcome.why)
                    .trimmed(),
                true};
    case Outcome::Forgotten: {
        // A queue deleted takes its jobs and its subscriptions with it.
        const Attributes queue = Ask(cups, server, IPP_OP_GET_PRINTER_ATTRIBUTES, "printer-uri", PrinterUri(printer),
                                     {"printer-state"});
        if (queue.reply.kind == Reply::Refused && queue.reply.status == IPP_STATUS_ERROR_NOT_FOUND)
            return {QStringLiteral("Tlačiareň %1 bola z tlačového systému odstránená, a tak sa nedá zistiť, či sa "
                                   "úloha %2 vytlačila.")
                        .arg(printer)
                        .arg(job),
                    true};
        return {QStringLiteral("Tlačový systém už nevie o úlohe %1 na tlačiarni %2, a tak sa nedá zistiť, "
                               "či sa vytlačila.")
                    .arg(job)
                    .arg(printer),
                true};
    }
    case Outcome::Unanswered:
        return FollowNotAnswered(printer, job);
    default: // printed, or still on its way
        return {};
    }
}

// The thread that talks to the print server: the queue first, then, once
// the document is made, the job. It may outlive the wait for it; it then
// ends on its own, leaving nothing behind.
void Talk(const std::shared_ptr<PrintJob::State> &s)
{
    const Cups &cups = Cups::instance();
    if (!cups.loaded) {
        const std::lock_guard lock(s->mutex);
        s->refusal = Unusable(s->printer, QStringLiteral("tlačový systém nie je dostupný."));
        s->phase = PrintJob::State::Asked;
        return;
    }
    // What is asked here is asked of no one with a password: a print system
    // that wants one (libcups would ask on the terminal) goes without.
    cups.setPasswordCB([](const char *, http_t *, const char *, const char *, void *) -> const char * {
        return nullptr;
    }, nullptr);
    Server server(cups);
    server.Until(s->queueBy);
    QString refusal = QueueRefusal(cups, server, s->printer);
    server.Until(s->endBy);
    // Told from before the job is sent, so its end cannot come first.
    std::optional<JobEnds> ends;
    if (refusal.isEmpty() && ends.emplace(cups, server, s->printer).Silent())
        refusal = NotAnswering(s->printer);
    bool print = false;
    {
        std::unique_lock lock(s->mutex);
        s->refusal = refusal;
        s->phase = PrintJob::State::Asked;
        s->waited = Clock::now() - s->start;
        if (refusal.isEmpty()) {
            s->documentGiven.wait(lock, [&s] { return s->given || s->givenUp; });
            print = s->given;
        }
    }
    server.Until(s->endBy);
    if (print) {
        JobEnd end;
        if (const int job = Send(cups, server, *s, end))
            end = Told(cups, server, s->printer, job, Follow(cups, server, *s, job, *ends));
        {
            const std::lock_guard lock(s->mutex);
            s->end = end;
            s->phase = PrintJob::State::Ended;
        }
        QFile::remove(QFile::decodeName(s->pdf));
    }
    if (ends) {
        server.Until(Clock::now() + TidyFor);
        ends->Cancel();
    }
}

// Handles the screen's events, but not the teacher's, until done() holds,
// the time is up or the program is told to end.
bool Await(const std::function<bool()> &done, Clock::time_point until)
{
    const EventWait waiting;
    while (!done() && Clock::now() < until && !terminationRequested()) {
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

} // namespace

PrintWaitLimits &PrintWaits()
{
    static PrintWaitLimits limits;
    return limits;
}

PrintJob::PrintJob(const QString &printer)
    : note_(QStringLiteral("Čakám na tlačiareň %1 …").arg(printer)), state_(std::make_shared<State>())
{
    // The note is on the screen before the print system is asked anything.
    const PrintWaitLimits &limits = PrintWaits();
    const auto now = Clock::now();
    state_->printer = printer;
    state_->start = now;
    state_->queueBy = now + limits.queue;
    state_->forAll = limits.job;
    state_->endBy = now + limits.job;
    state_->follow = limits.follow;
    std::thread([state = state_] { Talk(state); }).detach();
}

PrintJob::~PrintJob()
{
    {
        const std::lock_guard lock(state_->mutex);
        state_->givenUp = true;
    }
    state_->documentGiven.notify_all();
}

QString PrintJob::Refusal()
{
    State &s = *state_;
    const bool asked = Await([&s] {
        const std::lock_guard lock(s.mutex);
        return s.phase != State::Asking;
    }, s.endBy + Grace);
    if (!asked)
        return s.Unfinished().why;
    const std::lock_guard lock(s.mutex);
    return s.refusal;
}

JobEnd PrintJob::Print(const QString &pdf, const QString &title, const QString &media)
{
    State &s = *state_;
    Clock::time_point until;
    {
        const std::lock_guard lock(s.mutex);
        s.pdf = QFile::encodeName(pdf);
        s.title = title;
        s.media = media;
        s.given = true;
        s.endBy = Clock::now() + s.forAll - s.waited;
        until = s.endBy + Grace;
    }
    s.documentGiven.notify_all();
    Await([&s] {
        const std::lock_guard lock(s.mutex);
        return s.phase == State::Ended;
    }, until);
    return s.Unfinished();
}

} // namespace platform
