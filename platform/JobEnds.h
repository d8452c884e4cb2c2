#pragma once
// The ends of a printer's jobs as the print system tells them while they
// happen (a printer subscription), kept for the program a minute: a print
// system without job history forgets a job as it ends, printed or not, and
// then only this tells which; and only this tells who cancelled a job.
#include "platform/PrintTalk.h"

#include <utility>

namespace platform {

class JobEnds {
public:
    // Asks for the printer's subscription.
    JobEnds(PrintConnection &connection, const QString &printer);
    JobEnds(const JobEnds &) = delete;
    JobEnds &operator=(const JobEnds &) = delete;

    // What became of asking for it: why it is not there when the talk came
    // to nothing (a print system that refused it goes without).
    const Reply &Asked() const { return asked_; }
    // Gives it up.
    void Cancel();
    // The job's end as told: its IPP state (0 when nothing was told of it),
    // its keywords and the print system's message.
    std::pair<int, QStringList> Of(int job) const;

private:
    PrintConnection &connection_;
    QByteArray uri_;
    Reply asked_;
    int id_ = 0;
};

} // namespace platform
