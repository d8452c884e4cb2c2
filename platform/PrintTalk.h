#pragma once
// The talk with the print server (CUPS) on a thread of its own: one
// connection, a request on it ended by the time set whatever socket libcups
// uses for it (one it connects anew in the middle of a request too), and
// what came of a request, said for the teacher. A server that stops
// answering is given up at that time; one that answers slowly, however far
// apart the parts of an answer come, is waited for until then.
#include "platform/CupsLibrary.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <pthread.h>
#include <sys/time.h>
#include <thread>

namespace platform {

using PrintClock = std::chrono::steady_clock;

// What the print server made of one request.
struct Reply {
    enum Kind {
        Connected, // a connection made, nothing asked yet
        Answered,
        Refused,  // by status: not found, not allowed, a login wanted, full, ...
        Late,     // no answer by the time set
        Broken,   // the connection broke, or the answer made no sense, before then
        NoServer, // nothing answers at its address, or no libcups to ask with
    } kind = Late;
    Reply(Kind what = Late) : kind(what) {}
    ipp_status_t status = IPP_STATUS_ERROR_SERVICE_UNAVAILABLE;
    QString statusName, statusText; // its keyword ("client-error-forbidden") and its text
    std::shared_ptr<ipp_t> ipp;

    // Why it came to nothing, for the teacher: what became of the talk, as
    // a clause ("tlačový systém neodpovedal včas."), or the refusal in our
    // words, as a sentence; empty when answered.
    QString Why() const;
};

// What the teacher is told when something (notDone: "Tlačiareň X sa nedá
// použiť") could not be done because a request came to nothing.
QString NotDone(const QString &notDone, const Reply &reply);

// A printer named as an instance of a queue ("queue/instance", as the print
// system's lpoptions names them) prints on the queue.
QByteArray QueueOf(const QString &printer);
QByteArray PrinterUri(const QString &printer);

class PrintConnection {
public:
    // What is asked on this thread is asked of no one with a password: a
    // print server that wants one (libcups would ask on the terminal) is
    // said to want a login.
    PrintConnection();
    ~PrintConnection();
    PrintConnection(const PrintConnection &) = delete;
    PrintConnection &operator=(const PrintConnection &) = delete;

    const CupsLibrary &Cups() const { return cups_; }
    // Every request from now on ends by then.
    void Until(PrintClock::time_point deadline);
    bool TimeLeft() const { return PrintClock::now() < deadline_; }

    // A request about the resource the URI names, from this user.
    ipp_t *Request(ipp_op_t operation, const char *uriName, const QByteArray &uri) const;
    // Sends the request (freed here), followed by the document when one is
    // given (an open file, sent from its start).
    Reply Do(ipp_t *request, const QByteArray &resource = "/", int document = -1);
    // A connection made anew (Connected, else why not), so that a request
    // that fails on it may have reached the print server, and one that
    // cannot be made did not.
    Reply::Kind Fresh();
    // The printer the print system names as the default for this user (in
    // the user's settings, else the server's); empty when it names none or
    // the reply says why not.
    QString DefaultPrinter(Reply &reply);

private:
    Reply::Kind Open();
    void Close();
    Reply::Kind Ready();
    // libcups's wait for each part of an answer, lengthened until no other
    // open connection's is alike.
    void SetWait(double seconds);
    Reply Outcome(ipp_t *response);
    static int WaitOn(http_t *, void *connection);
    // The request from now on is on the wire, or no longer.
    void OnTheWire(bool on);
    void Watch();

    const CupsLibrary &cups_;
    http_t *http_ = nullptr;
    PrintClock::time_point deadline_;
    // libcups awaits each part of an answer for the time it was given, and
    // may connect anew in the middle of a request (after a login, or an
    // answer that wants another connection), so an answer that comes on
    // and on in parts would outlast the deadline: a thread of the
    // connection's own then has the request's thread, with a signal, cut
    // the socket libcups uses for the request at that moment, again until
    // the request ends. That socket is known by the wait libcups set on it,
    // which no other open connection of ours shares, so another of ours that
    // got the number of a socket libcups has just closed is left alone. Only
    // a socket made without this class that carried that very wait could be
    // taken for it; nothing in this program sets one.
    std::mutex watchMutex_;
    std::condition_variable watchWakes_;
    bool onTheWire_ = false;
    pthread_t requester_{}; // the thread of the request on the wire
    std::chrono::duration<double> waitGiven_{}; // libcups's for each part of an answer
    timeval wait_{};                            // the same, as the kernel keeps it on the sockets
    std::atomic<bool> othersSocket_{false};     // a cut left another's socket alone
    bool ending_ = false;
    std::thread watch_;
};

// The values of each attribute asked for, as text.
struct Attributes {
    Reply reply;
    QList<QStringList> values;
    QString First(int i) const { return values.value(i).value(0); }
};
Attributes Ask(PrintConnection &connection, ipp_op_t operation, const char *uriName, const QByteArray &uri,
               const std::initializer_list<const char *> &wanted);

} // namespace platform
