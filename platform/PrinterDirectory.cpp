#include "platform/PrinterDirectory.h"

#include "platform/PrintQueue.h"
#include "platform/PrintTalk.h"
#include "platform/PrintTexts.h"
#include "platform/ThreadHandOff.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <future>
#include <memory>
#include <optional>
#include <thread>

namespace platform {

namespace {

QString PrintersNotKnown() { return QStringLiteral("Tlačiarne sa nedajú zistiť"); }

QString DefaultNotTold() { return QStringLiteral("Tlačový systém zatiaľ neoznámil, ktorá tlačiareň je predvolená."); }

// The default's question ends at the bound, cut there if need be, and says
// what came of it itself; one stuck outside the talk (on a file of the
// teacher's that never opens) is given up this much later.
constexpr std::chrono::milliseconds DefaultsLeeway = PrintGrace / 3;

QString DetailsNotKnown(const QString &printer)
{
    return QStringLiteral("Údaje o tlačiarni %1 sa nedajú zistiť").arg(printer);
}

// Every value of the attribute in the answer, one a printer.
QStringList EveryValue(const CupsLibrary &cups, const Reply &reply, const char *name)
{
    QStringList values;
    for (ipp_attribute_t *a = cups.findAttribute(reply.ipp.get(), name, IPP_TAG_NAME); a;
         a = cups.findNextAttribute(reply.ipp.get(), name, IPP_TAG_NAME))
        values << QString::fromUtf8(cups.getString(a, 0, nullptr));
    return values;
}

// The printer the print system names as the default, and what came of the
// question.
struct Named {
    QString printer;
    Reply reply;
    // The default printer named for this user, which the server lacks;
    // printer is then the server's own, if it names one.
    QString ownMissing{};
};

// The default printer named for this user, which the print system heeds
// before the server's: in the environment, else in the user's options or
// the machine's; empty when none is. Only a plain file is read, never one
// that might not open (a pipe).
QString NamedForThisUser()
{
    for (const char *variable : {"LPDEST", "PRINTER"})
        if (const QString named = qEnvironmentVariable(variable); !named.isEmpty() && named != QLatin1String("lp"))
            return named;
    for (const QString &path : {QDir::home().filePath(QStringLiteral(".cups/lpoptions")),
                                QStringLiteral("/etc/cups/lpoptions")}) {
        QFile options(path);
        if (!QFileInfo(path).isFile() || !options.open(QIODevice::ReadOnly))
            continue;
        while (!options.atEnd()) {
            const QList<QByteArray> words = options.readLine().simplified().split(' ');
            if (words.size() > 1 && words[0].compare("Default", Qt::CaseInsensitive) == 0)
                return QString::fromUtf8(words[1]);
        }
    }
    return {};
}

// Asked on a thread and a connection of its own beside the printers, so
// that a slow server, which would tell the two one after the other past
// the bound, tells both within it; the thread ends on its own.
std::future<Named> AskDefault(PrintClock::time_point by)
{
    auto promise = std::make_shared<std::promise<Named>>();
    std::future<Named> named = promise->get_future();
    std::thread([promise, by] {
        PrintConnection link;
        link.Until(by);
        Named said;
        said.printer = link.DefaultPrinter(said.reply);
        // The print system names none when the printer named for this user
        // is not on the server, whose own default is then offered.
        if (said.printer.isEmpty() && said.reply.kind == Reply::Answered)
            said.ownMissing = NamedForThisUser();
        if (!said.ownMissing.isEmpty()) {
            const Attributes server = Ask(link, IPP_OP_CUPS_GET_DEFAULT, "printer-uri", "ipp://localhost/",
                                          {"printer-name"});
            said.printer = server.First(0);
            if (server.reply.kind != Reply::Refused || server.reply.status != IPP_STATUS_ERROR_NOT_FOUND)
                said.reply = server.reply;
        }
        promise->set_value(said);
    }).detach();
    return named;
}

// The printers, told as soon as they are known when the default is still
// awaited, and the listing whole.
PrinterListing Printers(PrintClock::time_point by, const std::function<void(const PrinterListing &)> &tell)
{
    std::future<Named> named = AskDefault(by);
    PrintConnection link;
    link.Until(by);
    PrinterListing listing;
    const Attributes printers = Ask(link, IPP_OP_CUPS_GET_PRINTERS, "printer-uri", "ipp://localhost/", {"printer-name"});
    // A print system without printers says it knows none.
    if (printers.reply.kind == Reply::Answered)
        listing.printers = EveryValue(link.Cups(), printers.reply, "printer-name");
    else if (printers.reply.kind != Reply::Refused || printers.reply.status != IPP_STATUS_ERROR_NOT_FOUND)
        listing.why = NotDone(PrintersNotKnown(), printers.reply);
    if (!listing.why.isEmpty())
        return listing;
    if (named.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
        PrinterListing meanwhile = listing;
        meanwhile.defaultAwaited = true;
        tell(meanwhile);
    }
    const Named told = named.wait_until(by + DefaultsLeeway) == std::future_status::ready ? named.get()
                                                                                          : Named{{}, Reply::Late};
    listing.defaultPrinter = told.printer;
    listing.ownDefaultMissing = !told.ownMissing.isEmpty();
    if (told.reply.kind == Reply::Late)
        listing.why = DefaultNotTold();
    else if (told.reply.kind != Reply::Answered)
        listing.why = NotDone(QStringLiteral("Predvolená tlačiareň sa nedá zistiť"), told.reply);
    else if (listing.ownDefaultMissing)
        listing.why = QStringLiteral("Tlačiareň %1, ktorú máte nastavenú ako predvolenú, tlačový systém nepozná.")
                          .arg(told.ownMissing)
                      + (told.printer.isEmpty()
                             ? QString()
                             : QStringLiteral(" Predvolená tlačiareň tlačového systému je %1.").arg(told.printer));
    return listing;
}

QString StateInOurWords(const Attributes &printer)
{
    QStringList said;
    switch (printer.First(2).toInt()) {
    case IPP_PSTATE_IDLE:
        said << QStringLiteral("Pripravená.");
        break;
    case IPP_PSTATE_PROCESSING:
        said << QStringLiteral("Tlačí.");
        break;
    case IPP_PSTATE_STOPPED:
        said << QStringLiteral("Zastavená.");
        break;
    default:
        break;
    }
    // Why, as far as we know it; the printer's own message quoted.
    for (const QString &reason : printer.values.value(4))
        if (const QString ours = InOurWords(reason).value_or(QString()); !ours.isEmpty() && !said.contains(ours))
            said << ours;
    if (const QString message = printer.First(5).trimmed(); !message.isEmpty())
        if (const QString ours = PrinterSays(message); !ours.isEmpty() && !said.contains(ours))
            said << ours;
    return said.join(QLatin1Char(' '));
}

PrinterDetails Details(const QString &printer, PrintClock::time_point by)
{
    PrintConnection link;
    link.Until(by);
    PrinterDetails details;
    details.printer = printer;
    const Attributes asked = Ask(link, IPP_OP_GET_PRINTER_ATTRIBUTES, "printer-uri", PrinterUri(printer),
                                 {"printer-location", "printer-make-and-model", "printer-state",
                                  "printer-is-accepting-jobs", "printer-state-reasons", "printer-state-message"});
    if (asked.reply.kind != Reply::Answered) {
        details.why = NotDone(DetailsNotKnown(printer), asked.reply);
        return details;
    }
    details.location = asked.First(0);
    details.model = asked.First(1);
    details.state = StateInOurWords(asked);
    details.acceptsJobs = asked.First(3) != QLatin1String("0");
    return details;
}

// The print system's printers, each question asked on a thread of its own
// and answered within the bound of a print's question about its queue.
class SystemPrinters final : public PrinterDirectory {
public:
    void AskPrinters(QObject *context, std::function<void(const PrinterListing &)> answer) override
    {
        const auto [by, bound] = Bound();
        AnswerOnScreenThread<PrinterListing>(
            context, bound, [by](const auto &tell) { return Printers(by, tell); },
            [](const std::optional<PrinterListing> &told) {
                PrinterListing late;
                if (told) {
                    late = *told;
                    late.defaultAwaited = false;
                }
                late.why = told ? DefaultNotTold() : NotDone(PrintersNotKnown(), Reply::Late);
                return late;
            },
            std::move(answer));
    }
    void AskDetails(const QString &printer, QObject *context,
                    std::function<void(const PrinterDetails &)> answer) override
    {
        const auto [by, bound] = Bound();
        AnswerOnScreenThread<PrinterDetails>(
            context, bound, [printer, by] { return Details(printer, by); },
            [printer] {
                PrinterDetails late;
                late.printer = printer;
                late.why = NotDone(DetailsNotKnown(printer), Reply::Late);
                return late;
            },
            std::move(answer));
    }

private:
    // When the thread gives up the print server, and when the screen's
    // thread gives up the thread, a little later.
    static std::pair<PrintClock::time_point, std::chrono::milliseconds> Bound()
    {
        const std::chrono::milliseconds wait = PrintWaits().queue;
        return {PrintClock::now() + wait, wait + PrintGrace};
    }
};

} // namespace

std::unique_ptr<PrinterDirectory> MakeSystemPrinterDirectory() { return std::make_unique<SystemPrinters>(); }

} // namespace platform
