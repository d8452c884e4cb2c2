#pragma once
// What the print system (CUPS) says of a queue or a job, in its keywords and
// its own English, said to the teacher in words of our own.
#include <QString>
#include <QStringList>

#include <optional>

namespace platform {

// Our sentence for one thing the print system said: a keyword (a job's
// state reason, a status such as "client-error-forbidden") or one of its
// messages. Empty for what it says of every job, so that naming it would
// tell nothing or blame the wrong one; nothing for what we do not know.
std::optional<QString> InOurWords(const QString &serverWords);

// The printer's own message as the print system passes it on: ours when
// we know it, else quoted as the printer's.
QString PrinterSays(const QString &message);

// Why the print system refused a request: its status keyword and its
// status text, in our words (the text quoted when we know neither).
QString RefusalInOurWords(const QString &status, const QString &text);

// What the print system told of a job that did not print.
struct JobReport {
    QString printer;
    int job = 0;
    int state = 0;       // its IPP job state
    QStringList said;    // keywords and messages of the job's end
    QString printerSays; // the printer's message
    bool printerGone = false;
};
// Why it did not print: held, stopped, cancelled or aborted, or waiting on
// a printer that has stopped, with what is known of why.
QString WhyNotPrinted(const JobReport &report);

} // namespace platform
