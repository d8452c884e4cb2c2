#pragma once
// A job for a printer of the print system (CUPS) as the printer device
// needs it: whether the queue can take a job now, handing it a finished
// PDF, and following the job a short while, so a job that fails on its way
// is said too. Everything asked of the print system is asked on a thread of
// its own (PrintTalk), each answer awaited a bounded time, while the
// screen's thread keeps the screen drawn under a note that the program
// waits for the printer.
#include "platform/Runtime.h"

#include <QString>

#include <chrono>
#include <memory>

namespace platform {

// How long a print waits for the print system at most, from the note on:
// for its answer about the queue (and for the printers the print dialog
// shows, or a printer's details), and for the whole job; a job it took is
// followed for a while within that. Tests shorten them.
struct PrintWaitLimits {
    std::chrono::milliseconds queue{5000};
    std::chrono::milliseconds job{12000};
    std::chrono::milliseconds follow{5000};
};
PrintWaitLimits &PrintWaits();

// How long the screen's thread waits past a bound for the thread that
// talks to the print server, which ends its own waits at the bound: a
// connection libcups makes again by itself is awaited up to 30 s.
inline constexpr std::chrono::milliseconds PrintGrace{750};

// How a job ended as far as the print system told: why it did not print,
// for the teacher (refused, or stopped, held, cancelled or aborted by the
// print system, with its reason), empty when it was printed or is still
// on its way when the time is up; with unknown, why its end cannot be
// learnt (the print system forgot the job without telling how it ended,
// would not tell, or stopped answering), so it may not have been printed.
struct JobEnd {
    QString why;
    bool unknown = false;
};

// One document for a printer, from the start of its first page to its end.
// Made, it puts the note on the stage and asks the print system about the
// queue; keys and clicks until it goes are dropped.
class PrintJob {
public:
    // No printer named: the print system's default one.
    explicit PrintJob(const QString &printer);
    ~PrintJob();
    PrintJob(const PrintJob &) = delete;
    PrintJob &operator=(const PrintJob &) = delete;

    // Why the queue cannot take the job, for the teacher; empty when it can.
    QString Refusal();
    // The printer the job goes to; empty when none was named and the print
    // system named no default one (or could not tell). Known once Refusal
    // has answered.
    QString Printer() const;
    // Sends the finished PDF, an open file the job takes and closes, and
    // follows the job.
    JobEnd Print(int document, const QString &title, const QString &media);

    struct State;

private:
    WaitNote note_;
    std::shared_ptr<State> state_;
};

} // namespace platform
