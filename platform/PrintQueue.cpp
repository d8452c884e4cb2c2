#include "platform/PrintQueue.h"

#include "platform/Runtime.h"

#include <QEventLoop>
#include <QFile>
#include <QLibrary>
#include <QStringList>
#include <QThread>

#include <cups/cups.h>

#include <chrono>
#include <thread>
#include <type_traits>

namespace platform {

namespace {

// How long a job is followed after the print system took it: long enough
// for a backend to fail, short enough for a teacher to wait.
constexpr auto FollowFor = std::chrono::seconds(5);
constexpr auto PollEvery = std::chrono::milliseconds(100);

struct Cups {
    decltype(&::cupsGetNamedDest) getNamedDest = nullptr;
    decltype(&::cupsGetOption) getOption = nullptr;
    decltype(&::cupsFreeDests) freeDests = nullptr;
    decltype(&::cupsLastErrorString) lastErrorString = nullptr;
    decltype(&::cupsPrintFile) printFile = nullptr;
    decltype(&::cupsDoRequest) doRequest = nullptr;
    decltype(&::ippNewRequest) newRequest = nullptr;
    decltype(&::ippAddString) addString = nullptr;
    decltype(&::ippAddStrings) addStrings = nullptr;
    decltype(&::ippFindAttribute) findAttribute = nullptr;
    decltype(&::ippGetCount) getCount = nullptr;
    decltype(&::ippGetInteger) getInteger = nullptr;
    decltype(&::ippGetString) getString = nullptr;
    decltype(&::ippDelete) deleteIpp = nullptr;
    decltype(&::ippGetStatusCode) getStatusCode = nullptr;
    decltype(&::ippAddInteger) addInteger = nullptr;
    decltype(&::ippFirstAttribute) firstAttribute = nullptr;
    decltype(&::ippNextAttribute) nextAttribute = nullptr;
    decltype(&::ippGetName) getName = nullptr;
    decltype(&::ippGetGroupTag) getGroupTag = nullptr;
    decltype(&::cupsUser) user = nullptr;
    decltype(&::cupsSetPasswordCB2) setPasswordCB = nullptr;
    bool loaded = false;

    static const Cups &instance()
    {
        static const Cups cups = [] {
            Cups c;
            QLibrary library(QStringLiteral("cups"), 2);
            const auto resolve = [&library](auto &function, const char *name) {
                function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(library.resolve(name));
                return function != nullptr;
            };
            c.loaded = library.load() && resolve(c.getNamedDest, "cupsGetNamedDest")
                       && resolve(c.getOption, "cupsGetOption") && resolve(c.freeDests, "cupsFreeDests")
                       && resolve(c.lastErrorString, "cupsLastErrorString") && resolve(c.printFile, "cupsPrintFile")
                       && resolve(c.doRequest, "cupsDoRequest") && resolve(c.newRequest, "ippNewRequest")
                       && resolve(c.addString, "ippAddString") && resolve(c.addStrings, "ippAddStrings")
                       && resolve(c.findAttribute, "ippFindAttribute") && resolve(c.getCount, "ippGetCount")
                       && resolve(c.getInteger, "ippGetInteger") && resolve(c.getString, "ippGetString")
                       && resolve(c.deleteIpp, "ippDelete") && resolve(c.getStatusCode, "ippGetStatusCode")
                       && resolve(c.addInteger, "ippAddInteger") && resolve(c.firstAttribute, "ippFirstAttribute")
                       && resolve(c.nextAttribute, "ippNextAttribute") && resolve(c.getName, "ippGetName")
                       && resolve(c.getGroupTag, "ippGetGroupTag") && resolve(c.user, "cupsUser")
                       && resolve(c.setPasswordCB, "cupsSetPasswordCB2");
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

QString Unreachable(const QString &printer)
{
    return QStringLiteral("Tlačiareň %1 sa nedá použiť: tlačový systém ju nenašiel alebo nebeží.").arg(printer);
}

bool Reachable(const Cups &cups, const QString &printer)
{
    cups_dest_t *dest = cups.getNamedDest(CUPS_HTTP_DEFAULT, QueueOf(printer).constData(), nullptr);
    if (dest)
        cups.freeDests(1, dest);
    return dest;
}

// What the print system answered about one job or printer: its status
// and the attributes asked for, each as text (several values joined by
// ", "). No answer at all reads as the service being unavailable; an error
// answer, such as for a job the print system has forgotten, has no values.
struct Answer {
    ipp_status_t status = IPP_STATUS_ERROR_SERVICE_UNAVAILABLE;
    QStringList values;
    bool given() const { return status < IPP_STATUS_REDIRECTION_OTHER_SITE; }
};

Answer Ask(const Cups &cups, ipp_op_t operation, const char *uriName, const QByteArray &uri,
           const std::initializer_list<const char *> &wanted)
{
    ipp_t *request = cups.newRequest(operation);
    cups.addString(request, IPP_TAG_OPERATION, IPP_TAG_URI, uriName, nullptr, uri.constData());
    cups.addStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", int(wanted.size()),
                    nullptr, wanted.begin());
    // The request is freed by the call.
    ipp_t *response = cups.doRequest(CUPS_HTTP_DEFAULT, request, "/");
    Answer answer;
    if (!response)
        return answer;
    answer.status = cups.getStatusCode(response);
    if (answer.given())
        for (const char *name : wanted) {
            QStringList parts;
            if (ipp_attribute_t *a = cups.findAttribute(response, name, IPP_TAG_ZERO))
                for (int i = 0; i < cups.getCount(a); ++i) {
                    const char *text = cups.getString(a, i, nullptr);
                    parts << (text ? QString::fromUtf8(text) : QString::number(cups.getInteger(a, i)));
                }
            answer.values << parts.join(QStringLiteral(", "));
        }
    cups.deleteIpp(response);
    return answer;
}

// What is known of a job at one look.
struct Outcome {
    enum Kind {
        OnItsWay,   // waiting or printing
        Unanswered, // the print system did not answer this time
        Forgotten,  // the print system no longer knows the job
        Printed,
        Failed,     // held, stopped, cancelled or aborted: why says why
    } kind;
    QString why;
};

// Why a failed job did not print, for the teacher, with the print system's
// reason: the backend's message, else the printer's, else its keywords.
QString WhyNotPrinted(const QString &printer, int job, int jobState, const QStringList &jobValues,
                      const Answer &printerState)
{
    QString reason = jobValues[1];
    if (reason.isEmpty() && printerState.given())
        reason = printerState.values[1];
    if (reason.isEmpty())
        reason = jobValues[2];
    const QString why = reason.isEmpty() ? QString() : QStringLiteral(": ") + reason;
    const QString waits = QStringLiteral("\nÚloha čaká v rade tlačiarne.");
    switch (jobState) {
    case IPP_JSTATE_HELD:
        return QStringLiteral("Tlačový systém pozdržal úlohu %1 na tlačiarni %2%3").arg(job).arg(printer, why) + waits;
    case IPP_JSTATE_STOPPED:
        return QStringLiteral("Tlačový systém zastavil úlohu %1 na tlačiarni %2%3").arg(job).arg(printer, why) + waits;
    case IPP_JSTATE_CANCELED:
        return QStringLiteral("Úloha %1 na tlačiarni %2 bola zrušená%3").arg(job).arg(printer, why);
    case IPP_JSTATE_ABORTED:
        return QStringLiteral("Tlačový systém zrušil úlohu %1 na tlačiarni %2%3").arg(job).arg(printer, why);
    default: // waiting on a printer that has stopped
        return QStringLiteral("Tlačiareň %1 sa zastavila%2\nÚloha %3 čaká v jej rade.").arg(printer, why).arg(job);
    }
}

Outcome JobOutcome(const Cups &cups, const QString &printer, int job)
{
    const Answer state = Ask(cups, IPP_OP_GET_JOB_ATTRIBUTES, "job-uri",
                             "ipp://localhost/jobs/" + QByteArray::number(job),
                             {"job-state", "job-printer-state-message", "job-state-reasons"});
    if (state.status == IPP_STATUS_ERROR_NOT_FOUND)
        return {Outcome::Forgotten, {}};
    // An answer without a job state tells nothing of the job.
    if (!state.given() || state.values[0].isEmpty())
        return {Outcome::Unanswered, {}};
    const int jobState = state.values[0].toInt();
    if (jobState == IPP_JSTATE_PROCESSING)
        return {Outcome::OnItsWay, {}};
    if (jobState == IPP_JSTATE_COMPLETED)
        return {Outcome::Printed, {}};
    const Answer printerState = Ask(cups, IPP_OP_GET_PRINTER_ATTRIBUTES, "printer-uri",
                                    "ipp://localhost/printers/" + QueueOf(printer),
                                    {"printer-state", "printer-state-message"});
    const bool printerStopped = printerState.given() && printerState.values[0].toInt() == IPP_PSTATE_STOPPED;
    if (jobState == IPP_JSTATE_PENDING && !printerStopped)
        return {Outcome::OnItsWay, {}};
    return {Outcome::Failed, WhyNotPrinted(printer, job, jobState, state.values, printerState)};
}

// The ends of the printer's jobs as the print system tells them while they
// happen, kept for the program a minute: a print system without job
// history forgets a job as it ends, printed or not, and then only this
// tells which.
class JobEnds {
public:
    JobEnds(const Cups &cups, const QString &printer)
        : cups_(cups), uri_("ipp://localhost/printers/" + QueueOf(printer))
    {
        ipp_t *request = Request(IPP_OP_CREATE_PRINTER_SUBSCRIPTIONS);
        cups.addString(request, IPP_TAG_SUBSCRIPTION, IPP_TAG_KEYWORD, "notify-pull-method", nullptr, "ippget");
        cups.addString(request, IPP_TAG_SUBSCRIPTION, IPP_TAG_KEYWORD, "notify-events", nullptr, "job-completed");
        cups.addInteger(request, IPP_TAG_SUBSCRIPTION, IPP_TAG_INTEGER, "notify-lease-duration", 60);
        if (ipp_t *response = Send(request)) {
            if (ipp_attribute_t *a = cups.findAttribute(response, "notify-subscription-id", IPP_TAG_INTEGER))
                id_ = cups.getInteger(a, 0);
            cups.deleteIpp(response);
        }
    }
    ~JobEnds()
    {
        if (!id_)
            return;
        ipp_t *request = Request(IPP_OP_CANCEL_SUBSCRIPTION);
        cups_.addInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "notify-subscription-id", id_);
        if (ipp_t *response = Send(request))
            cups_.deleteIpp(response);
    }
    JobEnds(const JobEnds &) = delete;
    JobEnds &operator=(const JobEnds &) = delete;

    // The job's end as told: its state and the print system's keywords
    // (state 0 when nothing was told of it).
    std::pair<int, QString> Of(int job) const
    {
        if (!id_)
            return {};
        ipp_t *request = Request(IPP_OP_GET_NOTIFICATIONS);
        cups_.addInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "notify-subscription-ids", id_);
        ipp_t *response = Send(request);
        if (!response)
            return {};
        // One group of attributes an event, in no fixed order.
        std::pair<int, QString> end, event;
        int eventJob = 0;
        for (ipp_attribute_t *a = cups_.firstAttribute(response);; a = cups_.nextAttribute(response)) {
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
            } else if (!qstrcmp(name, "job-state-reasons")) {
                for (int i = 0; i < cups_.getCount(a); ++i)
                    event.second += (i ? QStringLiteral(", ") : QString()) + cups_.getString(a, i, nullptr);
            }
        }
        cups_.deleteIpp(response);
        return end;
    }

private:
    // What is asked here is asked of no one with a password: a print system
    // that wants one for it (libcups would ask on the terminal) goes
    // without.
    ipp_t *Send(ipp_t *request) const
    {
        cups_.setPasswordCB([](const char *, http_t *, const char *, const char *, void *) -> const char * {
            return nullptr;
        }, nullptr);
        ipp_t *response = cups_.doRequest(CUPS_HTTP_DEFAULT, request, "/");
        cups_.setPasswordCB(nullptr, nullptr);
        return response;
    }
    ipp_t *Request(ipp_op_t operation) const
    {
        ipp_t *request = cups_.newRequest(operation);
        cups_.addString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri_.constData());
        cups_.addString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cups_.user());
        return request;
    }

    const Cups &cups_;
    QByteArray uri_;
    int id_ = 0;
};

// Runs on a thread of its own: libcups waits for the print system there.
JobEnd SendAndFollow(const QString &printer, const QString &pdf, const QString &title, const QString &media)
{
    const Cups &cups = Cups::instance();
    if (!cups.loaded)
        return {Unreachable(printer)};
    QByteArray mediaValue = media.toLatin1();
    cups_option_t option{const_cast<char *>("media"), mediaValue.data()};
    // Told from before the job is sent, so its end cannot come first.
    const JobEnds ends(cups, printer);
    const int job = cups.printFile(QueueOf(printer).constData(), QFile::encodeName(pdf).constData(),
                                   title.toUtf8().constData(), 1, &option);
    if (job <= 0) {
        const QString refusal = QString::fromUtf8(cups.lastErrorString());
        if (!Reachable(cups, printer))
            return {Unreachable(printer)};
        return {QStringLiteral("Tlačový systém úlohu odmietol: %1").arg(refusal)};
    }
    // A print system that does not answer may be starting again: it is
    // asked until the time is up.
    Outcome outcome{Outcome::OnItsWay, {}};
    for (const auto end = std::chrono::steady_clock::now() + FollowFor; std::chrono::steady_clock::now() < end;) {
        outcome = JobOutcome(cups, printer, job);
        if (outcome.kind != Outcome::OnItsWay && outcome.kind != Outcome::Unanswered)
            break;
        std::this_thread::sleep_for(PollEvery);
    }
    if (outcome.kind == Outcome::Forgotten) {
        if (const auto [state, reasons] = ends.Of(job); state == IPP_JSTATE_COMPLETED)
            outcome = {Outcome::Printed, {}};
        else if (state)
            outcome = {Outcome::Failed, WhyNotPrinted(printer, job, state, {{}, {}, reasons}, {})};
    }
    // What ended unseen is not known.
    switch (outcome.kind) {
    case Outcome::Failed:
        return {outcome.why};
    case Outcome::Forgotten:
        return {QStringLiteral("Tlačový systém už nevie o úlohe %1 na tlačiarni %2, a tak sa nedá zistiť, "
                               "či sa vytlačila.")
                    .arg(job)
                    .arg(printer),
                true};
    case Outcome::Unanswered:
        return {QStringLiteral("Tlačový systém prestal odpovedať, a tak sa nedá zistiť, či sa úloha %1 "
                               "na tlačiarni %2 vytlačila.")
                    .arg(job)
                    .arg(printer),
                true};
    default: // printed, or still on its way
        return {};
    }
}

} // namespace

QString QueueRefusal(const QString &printer)
{
    const Cups &cups = Cups::instance();
    if (!cups.loaded)
        return Unreachable(printer);
    cups_dest_t *dest = cups.getNamedDest(CUPS_HTTP_DEFAULT, QueueOf(printer).constData(), nullptr);
    if (!dest)
        return Unreachable(printer);
    const auto option = [&cups, dest](const char *name) {
        return QByteArray(cups.getOption(name, dest->num_options, dest->options));
    };
    QString why;
    // A stopped queue holds its jobs, so the teacher would wait for paper
    // that does not come.
    if (option("printer-is-accepting-jobs") == "false")
        why = QStringLiteral("Tlačiareň %1 neprijíma úlohy.").arg(printer);
    else if (option("printer-state").toInt() == IPP_PSTATE_STOPPED)
        why = QStringLiteral("Tlačiareň %1 je zastavená.").arg(printer);
    cups.freeDests(1, dest);
    return why;
}

JobEnd PrintAndFollow(const QString &printer, const QString &pdf, const QString &title, const QString &media)
{
    JobEnd end;
    std::unique_ptr<QThread> worker(QThread::create([&] { end = SendAndFollow(printer, pdf, title, media); }));
    QEventLoop loop;
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    const WaitNote note(QStringLiteral("Čakám na tlačiareň %1 …").arg(printer));
    worker->start();
    // The screen is drawn meanwhile; what the teacher does waits for the
    // end, where the note drops it.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker->wait();
    return end;
}

} // namespace platform
