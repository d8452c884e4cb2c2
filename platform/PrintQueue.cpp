#include "platform/PrintQueue.h"

#include <QEventLoop>
#include <QFile>
#include <QCursor>
#include <QGuiApplication>
#include <QLibrary>
#include <QStringList>
#include <QThread>

#include <cups/cups.h>

#include <chrono>
#include <optional>
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
                       && resolve(c.deleteIpp, "ippDelete");
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

// What the print system answers about one job or printer: the attributes
// asked for, each as text (several values joined by ", "); nothing when it
// does not answer.
QStringList Ask(const Cups &cups, ipp_op_t operation, const char *uriName, const QByteArray &uri,
                const std::initializer_list<const char *> &wanted)
{
    ipp_t *request = cups.newRequest(operation);
    cups.addString(request, IPP_TAG_OPERATION, IPP_TAG_URI, uriName, nullptr, uri.constData());
    cups.addStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", int(wanted.size()),
                    nullptr, wanted.begin());
    // The request is freed by the call.
    ipp_t *answer = cups.doRequest(CUPS_HTTP_DEFAULT, request, "/");
    if (!answer)
        return {};
    QStringList values;
    for (const char *name : wanted) {
        QStringList parts;
        if (ipp_attribute_t *a = cups.findAttribute(answer, name, IPP_TAG_ZERO))
            for (int i = 0; i < cups.getCount(a); ++i) {
                const char *text = cups.getString(a, i, nullptr);
                parts << (text ? QString::fromUtf8(text) : QString::number(cups.getInteger(a, i)));
            }
        values << parts.join(QStringLiteral(", "));
    }
    cups.deleteIpp(answer);
    return values;
}

// What became of the job: nothing yet while it waits or prints; then why
// it did not print, for the teacher, or an empty text when it was printed
// or nothing more can be known of it.
std::optional<QString> JobOutcome(const Cups &cups, const QString &printer, int job)
{
    const QStringList state = Ask(cups, IPP_OP_GET_JOB_ATTRIBUTES, "job-uri",
                                  "ipp://localhost/jobs/" + QByteArray::number(job),
                                  {"job-state", "job-printer-state-message", "job-state-reasons"});
    if (state.size() != 3)
        return QString();
    const int jobState = state[0].toInt();
    if (jobState == IPP_JSTATE_PROCESSING)
        return std::nullopt;
    if (jobState == IPP_JSTATE_COMPLETED)
        return QString();
    const QStringList printerState = Ask(cups, IPP_OP_GET_PRINTER_ATTRIBUTES, "printer-uri",
                                         "ipp://localhost/printers/" + QueueOf(printer),
                                         {"printer-state", "printer-state-message"});
    const bool printerStopped = printerState.size() == 2 && printerState[0].toInt() == IPP_PSTATE_STOPPED;
    if (jobState == IPP_JSTATE_PENDING && !printerStopped)
        return std::nullopt;
    // The backend's message, else the printer's, else the print system's keywords.
    QString reason = state[1];
    if (reason.isEmpty() && printerState.size() == 2)
        reason = printerState[1];
    if (reason.isEmpty())
        reason = state[2];
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

// Runs on a thread of its own: libcups waits for the print system there.
QString SendAndFollow(const QString &printer, const QString &pdf, const QString &title, const QString &media)
{
    const Cups &cups = Cups::instance();
    if (!cups.loaded)
        return Unreachable(printer);
    QByteArray mediaValue = media.toLatin1();
    cups_option_t option{const_cast<char *>("media"), mediaValue.data()};
    const int job = cups.printFile(QueueOf(printer).constData(), QFile::encodeName(pdf).constData(),
                                   title.toUtf8().constData(), 1, &option);
    if (job <= 0) {
        const QString refusal = QString::fromUtf8(cups.lastErrorString());
        if (!Reachable(cups, printer))
            return Unreachable(printer);
        return QStringLiteral("Tlačový systém úlohu odmietol: %1").arg(refusal);
    }
    const auto end = std::chrono::steady_clock::now() + FollowFor;
    while (std::chrono::steady_clock::now() < end) {
        if (const std::optional<QString> outcome = JobOutcome(cups, printer, job))
            return *outcome;
        std::this_thread::sleep_for(PollEvery);
    }
    return {};
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

QString PrintAndFollow(const QString &printer, const QString &pdf, const QString &title, const QString &media)
{
    QString why;
    std::unique_ptr<QThread> worker(QThread::create([&] { why = SendAndFollow(printer, pdf, title, media); }));
    QEventLoop loop;
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    worker->start();
    // The screen is drawn meanwhile; what the teacher does waits for the end.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker->wait();
    QGuiApplication::restoreOverrideCursor();
    return why;
}

} // namespace platform
