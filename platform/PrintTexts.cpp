#include "platform/PrintTexts.h"

#include <cups/ipp.h>

namespace platform {

namespace {

// What the print system says, and what we say for it. A "*" in its words
// stands for what varies (a number, a printer's name).
struct Words {
    const char *server;
    const char *ours;
};

constexpr Words Table[] = {
    // Who or what ended a job. CUPS calls every cancel one by the user,
    // a printer's or a deleted queue's too: no one is named for it.
    {"job-canceled-by-user", ""},
    {"Job canceled by user.", ""},
    {"Job canceled.", ""},
    {"job-canceled-at-device", "Zrušila ju tlačiareň."},
    {"canceled-at-device", "Zrušila ju tlačiareň."},
    {"Job canceled at printer.", "Zrušila ju tlačiareň."},
    {"job-canceled-by-operator", "Zrušil ju správca tlačového systému."},
    {"aborted-by-system", ""},
    {"job-aborted-by-system", ""},
    {"Job aborted.", ""},
    {"Job aborted due to backend errors; please consult the * file for details.",
     "Tlačiareň ju nedokázala vytlačiť."},
    {"Job aborted after * unsuccessful attempts.", "Tlačiareň ju ani po niekoľkých pokusoch nevytlačila."},
    {"Job stopped due to filter errors; please consult the * file for details.",
     "Dokument sa nepodarilo pripraviť pre tlačiareň."},
    {"job-completed-with-errors", "Dokument sa nepodarilo pripraviť pre tlačiareň."},
    {"cups-filter-crashed", "Dokument sa nepodarilo pripraviť pre tlačiareň."},
    {"cups-missing-filter", "Tlačový systém nevie pripraviť dokument pre túto tlačiareň."},
    {"cups-backend-crashed", "Spojenie s tlačiarňou zlyhalo."},
    {"document-format-error", "Tlačiareň dokumentu nerozumie."},
    {"document-unprintable-error", "Tlačiareň dokument nevie vytlačiť."},
    // Why a job waits.
    {"resources-are-not-ready", "Tlačiareň nie je pripravená."},
    {"Job held for * seconds since it could not be sent.",
     "Do tlačiarne sa nedala poslať; tlačový systém to o chvíľu skúsi znova."},
    {"job-hold-until-specified", "Čaká, kým ju niekto uvoľní."},
    {"Job held indefinitely due to backend errors; please consult the * file for details.",
     "Čaká, kým ju niekto uvoľní."},
    {"cups-held-for-authentication", "Tlačiareň vyžaduje prihlásenie menom a heslom."},
    {"job-held-for-authentication", "Tlačiareň vyžaduje prihlásenie menom a heslom."},
    {"Job held for authentication.", "Tlačiareň vyžaduje prihlásenie menom a heslom."},
    {"printer-stopped", ""},
    {"printer-stopped-partly", ""},
    {"account-limit-reached", "Limit tlače je vyčerpaný."},
    {"account-closed", "Konto na tlač je zrušené."},
    {"account-info-needed", "Tlačový systém vyžaduje údaje o konte na tlač."},
    {"account-authorization-failed", "Konto na tlač nemá povolenie."},
    // What a job's state, or the printer's, already says.
    {"none", ""},
    {"job-incoming", ""},
    {"job-queued", ""},
    {"job-printing", ""},
    {"job-stopped", ""},
    {"processing-to-stop-point", ""},
    {"job-completed-successfully", ""},
    // The printer's messages that the print server itself gives: a queue
    // stopped or refusing jobs with no reason given, a backend or filter
    // that failed, and what its backends say of the printer.
    {"Paused", "Pozastavil ju správca tlačového systému."},
    {"Rejecting Jobs", "Tlačiareň neprijíma úlohy."},
    {"Backend failed", "Spojenie s tlačiarňou zlyhalo."},
    {"Filter failed", "Dokument sa nepodarilo pripraviť pre tlačiareň."},
    {"Printer stopped due to backend errors.", "Tlačiareň zlyhala a tlačový systém ju zastavil."},
    {"Printer stopped due to backend errors; please consult the * file for details.",
     "Tlačiareň zlyhala a tlačový systém ju zastavil."},
    {"Waiting for printer to become available.", "Tlačiareň je zaneprázdnená."},
    {"The printer is in use.", "Tlačiareň je zaneprázdnená."},
    {"The printer is not responding.", "Tlačiareň neodpovedá."},
    {"The printer is unreachable at this time.", "Tlačiareň je teraz nedostupná."},
    {"The printer is not connected.", "Tlačiareň nie je pripojená."},
    // Why a request was refused: the print system's status and its text.
    {"Too many active jobs.", "Rad úloh tlačového systému je plný."},
    {"server-error-too-many-jobs", "Rad úloh tlačového systému je plný."},
    {"Quota limit reached.", "Limit tlače je vyčerpaný."},
    {"client-error-account-limit-reached", "Limit tlače je vyčerpaný."},
    {"Not allowed to print.", "Na tejto tlačiarni nie je dovolené tlačiť."},
    {"The printer or class is not shared.", "Tlačiareň nie je prístupná z iných počítačov."},
    {"Destination \"*\" is not accepting jobs.", "Tlačiareň neprijíma úlohy."},
    {"server-error-not-accepting-jobs", "Tlačiareň neprijíma úlohy."},
    {"server-error-printer-is-deactivated", "Tlačiareň je vypnutá."},
    {"client-error-not-possible", "Tlačový systém teraz úlohu nemôže prijať."},
    {"server-error-busy", "Tlačový systém je zaneprázdnený."},
    {"server-error-temporary-error", "Tlačový systém má dočasnú poruchu."},
    {"server-error-service-unavailable", "Tlačový systém teraz nepracuje."},
    // Refused to the user, not to the computer: no one is named.
    {"client-error-forbidden", "Chýba na to povolenie."},
    {"client-error-not-authorized", "Chýba na to povolenie."},
    {"client-error-not-authenticated", "Vyžaduje sa prihlásenie menom a heslom."},
    {"cups-authentication-canceled", "Vyžaduje sa prihlásenie menom a heslom."},
    {"client-error-document-format-not-supported", "Tlačiareň nevie tlačiť dokumenty PDF."},
    {"client-error-request-entity-too-large", "Dokument je pre tlačový systém príliš veľký."},
    {"client-error-not-found", "Tlačový systém tlačiareň nepozná."},
};

bool Matches(const QString &server, const char *pattern)
{
    const QString p = QString::fromUtf8(pattern);
    const qsizetype star = p.indexOf(QLatin1Char('*'));
    if (star < 0)
        return server == p;
    return server.size() > p.size() && server.startsWith(p.left(star)) && server.endsWith(p.mid(star + 1));
}

} // namespace

std::optional<QString> InOurWords(const QString &serverWords)
{
    const QString words = serverWords.trimmed();
    for (const Words &w : Table)
        if (Matches(words, w.server))
            return QString::fromUtf8(w.ours);
    return std::nullopt;
}

QString PrinterSays(const QString &message)
{
    if (const std::optional<QString> ours = InOurWords(message))
        return *ours;
    return QStringLiteral("Tlačiareň hlási: „%1“.").arg(message.trimmed());
}

QString RefusalInOurWords(const QString &status, const QString &text)
{
    if (const std::optional<QString> ours = InOurWords(text); ours && !ours->isEmpty())
        return *ours;
    if (const std::optional<QString> ours = InOurWords(status); ours && !ours->isEmpty())
        return *ours;
    return text.isEmpty() ? QString() : QStringLiteral("Tlačový systém hlási: „%1“.").arg(text);
}

QString WhyNotPrinted(const JobReport &report)
{
    QStringList why;
    const auto add = [&why](const QString &sentence) {
        if (!sentence.isEmpty() && !why.contains(sentence))
            why << sentence;
    };
    // What we do not know of a job's end says nothing to the teacher.
    for (const QString &said : report.said)
        add(InOurWords(said).value_or(QString()));
    if (report.printerGone)
        add(QStringLiteral("Tlačiareň bola z tlačového systému odstránená."));
    if (!report.printerSays.trimmed().isEmpty())
        add(PrinterSays(report.printerSays));
    const QString reasons = why.isEmpty() ? QString() : QLatin1Char(' ') + why.join(QLatin1Char(' '));
    const QString waits = QStringLiteral("\nÚloha čaká v rade tlačiarne.");
    switch (report.state) {
    case IPP_JSTATE_HELD:
        return QStringLiteral("Tlačový systém pozdržal úlohu %1 na tlačiarni %2.").arg(report.job).arg(report.printer)
               + reasons + waits;
    case IPP_JSTATE_STOPPED:
        return QStringLiteral("Tlačový systém zastavil úlohu %1 na tlačiarni %2.").arg(report.job).arg(report.printer)
               + reasons + waits;
    case IPP_JSTATE_CANCELED:
        return QStringLiteral("Úloha %1 na tlačiarni %2 bola zrušená.").arg(report.job).arg(report.printer) + reasons;
    case IPP_JSTATE_ABORTED:
        return QStringLiteral("Tlačový systém zrušil úlohu %1 na tlačiarni %2.").arg(report.job).arg(report.printer)
               + reasons;
    default: // waiting on a printer that has stopped
        return QStringLiteral("Tlačiareň %1 sa zastavila.").arg(report.printer) + reasons
               + QStringLiteral("\nÚloha %1 čaká v jej rade.").arg(report.job);
    }
}

} // namespace platform
