#include "platform/PrintQueue.h"

#include "platform/JobEnds.h"
#include "platform/PrintTalk.h"
#include "platform/PrintTexts.h"
#include "platform/ThreadHandOff.h"

#include <QStringList>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <unistd.h>

namespace platform {

namespace {

using Clock = PrintClock;

constexpr auto PollEvery = std::chrono::milliseconds(100);
// Giving up the printer subscription, once the teacher has been told.
constexpr auto TidyFor = std::chrono::seconds(2);

QString Unusable(const QString &printer) { return QStringLiteral("Tlačiareň %1 sa nedá použiť").arg(printer); }

// A job sent whose taking the print system did not confirm.
JobEnd JobNotAnswered(const QString &printer, const Reply &reply)
{
    QString why = reply.Why();
    why[0] = why[0].toUpper();
    why.chop(1);
    return {QStringLiteral("%1, a tak sa nedá zistiť, či prijal úlohu pre tlačiareň %2.").arg(why, printer), true};
}

JobEnd FollowNotAnswered(const QString &printer, int job)
{
    return {QStringLiteral("Tlačový systém prijal úlohu %1 na tlačiarni %2, ale potom už neodpovedal včas, a tak sa "
                           "nedá zistiť, či sa vytlačila.")
                .arg(job)
                .arg(printer),
            true};
}

// Why the queue cannot take a job now, for the teacher; empty when it can.
QString QueueRefusal(PrintConnection &link, const QString &printer)
{
    const Attributes queue = Ask(link, IPP_OP_GET_PRINTER_ATTRIBUTES, "printer-uri", PrinterUri(printer),
                                 {"printer-is-accepting-jobs", "printer-state"});
    if (queue.reply.kind != Reply::Answered)
        return NotDone(Unusable(printer), queue.reply);
    // A stopped queue holds its jobs, so the teacher would wait for paper
    // that does not come.
    if (queue.First(0) == QLatin1String("0"))
        return QStringLiteral("Tlačiareň %1 neprijíma úlohy.").arg(printer);
    if (queue.First(1).toInt() == IPP_PSTATE_STOPPED)
        return QStringLiteral("Tlačiareň %1 je zastavená.").arg(printer);
    return {};
}

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

Outcome JobOutcome(PrintConnection &link, const QString &printer, int job, const JobEnds &ends)
{
    const Attributes state = Ask(link, IPP_OP_GET_JOB_ATTRIBUTES, "job-uri",
                                 "ipp://localhost/jobs/" + QByteArray::number(job),
                                 {"job-state", "job-printer-state-message", "job-state-reasons"});
    if (state.reply.kind == Reply::Refused)
        return state.reply.status == IPP_STATUS_ERROR_NOT_FOUND ? Outcome{Outcome::Forgotten, {}}
                                                                 : Outcome{Outcome::Refused, state.reply.Why()};
    // An answer without a job state tells nothing of the job.
    if (state.reply.kind != Reply::Answered || state.First(0).isEmpty())
        return {Outcome::Unanswered, {}};
    const int jobState = state.First(0).toInt();
    if (jobState == IPP_JSTATE_PROCESSING)
        return {Outcome::OnItsWay, {}};
    if (jobState == IPP_JSTATE_COMPLETED)
        return {Outcome::Printed, {}};
    const Attributes queue = Ask(link, IPP_OP_GET_PRINTER_ATTRIBUTES, "printer-uri", PrinterUri(printer),
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

    Clock::time_point start, queueBy;
    // The print system is waited for this long in all, the sheet being made
    // in between not counted: the job's time ends at endBy.
    std::chrono::milliseconds forAll, follow;
    Clock::time_point endBy;
    Clock::duration waited{};

    mutable std::mutex mutex;
    std::condition_variable documentGiven;
    // By the talking thread once the default one is known.
    QString printer;
    // By the screen's thread: the document, or that none comes.
    bool given = false, givenUp = false;
    int document = -1;
    QString title, media;
    Phase phase = Asking; // by the talking thread, with what it learnt
    QString refusal;
    int job = 0;
    JobEnd end;

    ~State()
    {
        if (document >= 0)
            ::close(document);
    }
    QString Printer() const
    {
        const std::lock_guard lock(mutex);
        return printer;
    }
    void Set(Phase now, int jobNumber = 0)
    {
        const std::lock_guard lock(mutex);
        phase = now;
        job = jobNumber ? jobNumber : job;
    }
    // What is known when the screen's thread waits no longer.
    JobEnd Unfinished() const
    {
        const std::lock_guard lock(mutex);
        if (phase == Ended)
            return end;
        if (phase == Sending)
            return JobNotAnswered(printer, {Reply::Late});
        if (phase == Following)
            return FollowNotAnswered(printer, job);
        return {NotDone(Unusable(printer), {Reply::Late})};
    }
};

namespace {

// Hands the document to the print system: the job's number, or 0 with
// why it was not taken or may have been.
int Send(PrintConnection &link, PrintJob::State &s, const QString &printer, int document, JobEnd &notTaken)
{
    if (const Reply::Kind made = link.Fresh(); made != Reply::Connected) {
        notTaken = {NotDone(Unusable(printer), {made})};
        return 0;
    }
    s.Set(PrintJob::State::Sending);
    const CupsLibrary &cups = link.Cups();
    ipp_t *request = link.Request(IPP_OP_PRINT_JOB, "printer-uri", PrinterUri(printer));
    cups.addString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, s.title.toUtf8().constData());
    cups.addString(request, IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr, "application/pdf");
    cups.addString(request, IPP_TAG_JOB, IPP_TAG_KEYWORD, "media", nullptr, s.media.toLatin1().constData());
    const Reply sent = link.Do(request, "/printers/" + QueueOf(printer), document);
    switch (sent.kind) {
    case Reply::Connected: // no answer to a request, never said of one
    case Reply::Answered:
        break;
    case Reply::NoServer:
        notTaken = {NotDone(Unusable(printer), sent)};
        break;
    case Reply::Late:
    case Reply::Broken:
        notTaken = JobNotAnswered(printer, sent);
        break;
    case Reply::Refused:
        notTaken = {sent.status == IPP_STATUS_ERROR_NOT_FOUND
                        ? NotDone(Unusable(printer), sent)
                        : QStringLiteral("Tlačový systém úlohu odmietol. %1").arg(sent.Why()).trimmed()};
        break;
    }
    ipp_attribute_t *id = sent.kind == Reply::Answered
                              ? cups.findAttribute(sent.ipp.get(), "job-id", IPP_TAG_INTEGER)
                              : nullptr;
    return id ? cups.getInteger(id, 0) : 0;
}

// Looks at the job until it ends, the follow's time is up or the print
// system will not tell; one that does not answer may be starting again.
Outcome Follow(PrintConnection &link, PrintJob::State &s, const QString &printer, int job, const JobEnds &ends)
{
    s.Set(PrintJob::State::Following, job);
    Outcome outcome{Outcome::OnItsWay, {}};
    for (const auto end = std::min(Clock::now() + s.follow, s.endBy); Clock::now() < end && link.TimeLeft();) {
        outcome = JobOutcome(link, printer, job, ends);
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
            const Attributes queue = Ask(link, IPP_OP_GET_PRINTER_ATTRIBUTES, "printer-uri", PrinterUri(printer),
                                         {"printer-state-message"});
            return {Outcome::Failed, WhyNotPrinted({printer, job, state, said, queue.First(0), false})};
        }
    }
    return outcome;
}

// What the teacher is told of a job followed: only what is known.
JobEnd Told(PrintConnection &link, const QString &printer, int job, const Outcome &outcome)
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
        const Attributes queue = Ask(link, IPP_OP_GET_PRINTER_ATTRIBUTES, "printer-uri", PrinterUri(printer),
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
    PrintConnection link;
    link.Until(s->queueBy);
    QString printer = s->Printer();
    QString refusal;
    if (printer.isEmpty()) {
        Reply named;
        printer = link.DefaultPrinter(named);
        const std::lock_guard lock(s->mutex);
        s->printer = printer;
        if (printer.isEmpty()) {
            s->phase = PrintJob::State::Asked;
            return;
        }
    }
    refusal = QueueRefusal(link, printer);
    link.Until(s->endBy);
    // Told from before the job is sent, so its end cannot come first.
    std::optional<JobEnds> ends;
    if (refusal.isEmpty()) {
        const Reply &asked = ends.emplace(link, printer).Asked();
        if (asked.kind != Reply::Answered && asked.kind != Reply::Refused)
            refusal = NotDone(Unusable(printer), asked);
    }
    int document = -1;
    {
        std::unique_lock lock(s->mutex);
        s->refusal = refusal;
        s->phase = PrintJob::State::Asked;
        s->waited = Clock::now() - s->start;
        if (refusal.isEmpty()) {
            s->documentGiven.wait(lock, [&s] { return s->given || s->givenUp; });
            document = std::exchange(s->document, -1);
        }
    }
    link.Until(s->endBy);
    if (document >= 0) {
        JobEnd end;
        if (const int job = Send(link, *s, printer, document, end))
            end = Told(link, printer, job, Follow(link, *s, printer, job, *ends));
        ::close(document);
        const std::lock_guard lock(s->mutex);
        s->end = end;
        s->phase = PrintJob::State::Ended;
    }
    if (ends) {
        link.Until(Clock::now() + TidyFor);
        ends->Cancel();
    }
}

} // namespace

PrintWaitLimits &PrintWaits()
{
    static PrintWaitLimits limits;
    return limits;
}

PrintJob::PrintJob(const QString &printer)
    : note_(printer.isEmpty() ? QStringLiteral("Čakám na tlačový systém …")
                              : QStringLiteral("Čakám na tlačiareň %1 …").arg(printer)),
      state_(std::make_shared<State>())
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
    const bool asked = AwaitWithEvents([&s] {
        const std::lock_guard lock(s.mutex);
        return s.phase != State::Asking;
    }, s.endBy + PrintGrace);
    if (!asked)
        return s.Unfinished().why;
    const std::lock_guard lock(s.mutex);
    return s.refusal;
}

QString PrintJob::Printer() const { return state_->Printer(); }

JobEnd PrintJob::Print(int document, const QString &title, const QString &media)
{
    State &s = *state_;
    Clock::time_point until;
    {
        const std::lock_guard lock(s.mutex);
        s.document = document;
        s.title = title;
        s.media = media;
        s.given = true;
        s.endBy = Clock::now() + s.forAll - s.waited;
        until = s.endBy + PrintGrace;
    }
    s.documentGiven.notify_all();
    AwaitWithEvents([&s] {
        const std::lock_guard lock(s.mutex);
        return s.phase == State::Ended;
    }, until);
    return s.Unfinished();
}

} // namespace platform
