#pragma once
// The print system (CUPS) as the printer device needs it: whether a queue
// can take a job now, handing it a finished PDF, and following the job a
// short while, so a job that fails on its way is said too. libcups is
// loaded when first needed, as Qt's own print support loads it: linked
// in, it and its libraries would cost every run memory at start.
#include <QString>

namespace platform {

// Why the queue cannot take a job now, for the teacher; empty when it can.
// A printer that cannot be reached is said by its name.
QString QueueRefusal(const QString &printer);

// How a job ended as far as the print system told: why it did not print,
// for the teacher (refused, or stopped, held, cancelled or aborted by the
// print system, with its reason), empty when it was printed or is still
// on its way when the time is up; with unknown, why its end cannot be
// learnt (the print system forgot the job without telling how it ended,
// or stopped answering), so it may not have been printed.
struct JobEnd {
    QString why;
    bool unknown = false;
};

// Sends the PDF file to the queue, then follows the job for a few seconds
// while the screen keeps being drawn and a note on the stage says the
// program waits for the printer; keys and clicks meanwhile are dropped.
JobEnd PrintAndFollow(const QString &printer, const QString &pdf, const QString &title, const QString &media);

} // namespace platform
