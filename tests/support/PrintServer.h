#pragma once
// A print server of the test's own: cupsd with its configuration, spool and
// backends in a temporary folder, reached through a socket there. While it
// lives, CUPS_SERVER names that socket, so the test neither needs nor
// disturbs the machine's print server. It needs cupsd (cups-daemon); without
// it Running() is false and the test skips. A queue of it may keep what it
// is sent, so a test sees what would have reached the paper. SlowLink puts
// a slow network between the program and it.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstring>
#include <cups/cups.h>
#include <deque>
#include <map>
#include <mutex>
#include <netinet/in.h>
#include <optional>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace lktest {

// Where a print server is reached, as CUPS_SERVER names it: a socket's
// path, or a port of this machine ("127.0.0.1:631"); a zero length when it
// names neither.
inline std::pair<sockaddr_storage, socklen_t> AddressOf(const QByteArray &server)
{
    sockaddr_storage address{};
    if (server.startsWith('/')) {
        auto &local = reinterpret_cast<sockaddr_un &>(address);
        if (server.size() >= qsizetype(sizeof local.sun_path))
            return {address, 0};
        local.sun_family = AF_UNIX;
        std::copy(server.begin(), server.end(), local.sun_path);
        return {address, socklen_t(sizeof local)};
    }
    auto &tcp = reinterpret_cast<sockaddr_in &>(address);
    tcp.sin_family = AF_INET;
    tcp.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    tcp.sin_port = htons(server.mid(server.indexOf(':') + 1).toUShort());
    return {address, server.startsWith("127.0.0.1:") ? socklen_t(sizeof tcp) : 0};
}

// A connection to the print server there; -1 when none can be made.
inline int ConnectTo(const QByteArray &server)
{
    const auto [address, length] = AddressOf(server);
    const int fd = length ? ::socket(address.ss_family, SOCK_STREAM, 0) : -1;
    if (fd >= 0 && ::connect(fd, reinterpret_cast<const sockaddr *>(&address), length) == 0)
        return fd;
    if (fd >= 0)
        ::close(fd);
    return -1;
}

// The connections of this process to the print server there, by number.
inline std::vector<int> ConnectionsTo(const QByteArray &server)
{
    const auto [address, length] = AddressOf(server);
    std::vector<int> found;
    for (int fd = 0; fd < 1024 && length; ++fd) {
        sockaddr_storage peer{};
        socklen_t peerLength = sizeof peer;
        // Both zero past the path or port.
        if (::getpeername(fd, reinterpret_cast<sockaddr *>(&peer), &peerLength) == 0
            && std::memcmp(&peer, &address, length) == 0)
            found.push_back(fd);
    }
    return found;
}

// How a print server of the test's own behaves.
struct PrintServerOptions {
    // false: a job is forgotten as soon as it ends, as on small servers.
    bool keepsJobHistory = true;
    // false: it refuses to tell of the ends of a printer's jobs as they
    // happen (a printer subscription).
    bool tellsJobEnds = true;
    // IPP operations it does for a user who logs in, and no one here can
    // ("Print-Job Create-Job"); it asks for a name and password (Basic), as
    // a server that wants a login does.
    const char *refuses = nullptr;
    // The jobs it keeps at most, waiting, printing or done (0: its default).
    int maxJobs = 0;
};

// A job as a queue that keeps its jobs received it: the document, the
// copies asked of the print system and its other options, as the printer's
// backend gets them.
struct KeptJob {
    int id = 0;
    QString file; // the document
    int copies = 0;
    QString options;

    QByteArray Document() const
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

class PrintServer {
public:
    // A backend that reads the job and fails as a jammed printer does,
    // telling the scheduler what to do by its exit status (1: try again
    // later, 4: stop the queue, 5: cancel the job).
    static QByteArray JammedBackend(int exitStatus = 1)
    {
        return "#!/bin/sh\n[ $# -eq 0 ] && exit 0\ncat ${6:--} >/dev/null\necho 'ERROR: paper jam' >&2\nexit "
               + QByteArray::number(exitStatus) + "\n";
    }
    // A backend that takes its time over a job and then prints it.
    static QByteArray SlowBackend(int seconds)
    {
        return "#!/bin/sh\n[ $# -eq 0 ] && exit 0\nsleep " + QByteArray::number(seconds)
               + "\ncat ${6:--} >/dev/null\nexit 0\n";
    }

    PrintServer() : PrintServer(PrintServerOptions{}) {}
    explicit PrintServer(const PrintServerOptions &options)
    {
        oldServer_ = qgetenv("CUPS_SERVER");
        const QString exec = QStringLiteral("/usr/lib/cups/daemon/cups-exec");
        if (!QFile::exists(QStringLiteral("/usr/sbin/cupsd")) || !QFile::exists(exec)
            || !dir_.isValid())
            return;
        for (const char *sub : {"bin/backend", "bin/daemon", "bin/filter", "spool", "cache", "state", "tmp", "log"})
            QDir().mkpath(Path(sub));
        QFile::link(exec, Path("bin/daemon/cups-exec"));
        Write("cups-files.conf", QStringLiteral("ServerRoot %1\nServerBin %1/bin\nRequestRoot %1/spool\n"
                                                "CacheDir %1/cache\nStateDir %1/state\nTempDir %1/tmp\n"
                                                "ErrorLog %1/log/error_log\nAccessLog %1/log/access_log\n"
                                                "PageLog %1/log/page_log\nFileDevice Yes\nSystemGroup root\n")
                                     .arg(dir_.path()));
        QString limits;
        for (const char *refused : {options.tellsJobEnds ? nullptr : "Create-Printer-Subscriptions", options.refuses})
            if (refused)
                limits += QStringLiteral("<Limit %1>\nAuthType Basic\nRequire user lk-nobody\n</Limit>\n").arg(refused);
        Write("cupsd.conf", QStringLiteral("Listen %1\nBrowsing No\nDefaultAuthType None\nPreserveJobHistory %2\n%3"
                                           "<Policy default>\n%4<Limit All>\nOrder deny,allow\n</Limit>\n</Policy>\n")
                                .arg(Socket(), options.keepsJobHistory ? "Yes" : "No",
                                     options.maxJobs ? QStringLiteral("MaxJobs %1\n").arg(options.maxJobs) : QString(),
                                     limits));
        qputenv("CUPS_SERVER", Socket().toUtf8());
        cupsSetServer(nullptr);
        Start();
    }
    ~PrintServer()
    {
        Stop();
        qputenv("CUPS_SERVER", oldServer_);
        cupsSetServer(nullptr);
    }
    PrintServer(const PrintServer &) = delete;
    PrintServer &operator=(const PrintServer &) = delete;

    bool Running() const { return running_; }
    QString Socket() const { return Path("cups.sock"); }

    // A queue writing to the device (file:///dev/null, or backend:/ for a
    // backend added here), taking jobs.
    bool AddQueue(const QString &name, const QString &device)
    {
        return Run("lpadmin", {"-p", name, "-E", "-v", device});
    }
    // A queue taking jobs that keeps each one as its printer got it (Kept).
    bool AddKeepingQueue(const QString &name)
    {
        const QString kept = Path("kept");
        QDir().mkpath(kept);
        // The document whole or not at all, its options beside it.
        AddBackend("kept", "#!/bin/sh\n[ $# -eq 0 ] && exit 0\nd='" + QFile::encodeName(kept)
                               + "'\ncat ${6:--} >\"$d/$1.part\" || exit 1\nprintf '%s\\n%s\\n' \"$4\" \"$5\" "
                                 ">\"$d/$1.job\"\nmv \"$d/$1.part\" \"$d/$1.pdf\"\n");
        return AddQueue(name, "kept:/");
    }
    // The jobs the keeping queues printed so far, in the order they came.
    std::vector<KeptJob> Kept() const
    {
        std::vector<KeptJob> jobs;
        const QDir kept(Path("kept"));
        for (const QString &name : kept.entryList({"*.pdf"}, QDir::Files)) {
            KeptJob job{name.chopped(4).toInt(), kept.filePath(name), 0, {}};
            QFile told(kept.filePath(name.chopped(4) + ".job"));
            const QStringList lines = told.open(QIODevice::ReadOnly) ? QString::fromUtf8(told.readAll()).split('\n')
                                                                     : QStringList();
            job.copies = lines.value(0).toInt();
            job.options = lines.value(1);
            jobs.push_back(job);
        }
        std::sort(jobs.begin(), jobs.end(), [](const KeptJob &a, const KeptJob &b) { return a.id < b.id; });
        return jobs;
    }
    // A backend only its owner may change, as the scheduler wants.
    void AddBackend(const QString &name, const QByteArray &script)
    {
        const QString path = Path("bin/backend/" + name);
        Write("bin/backend/" + name, QString::fromUtf8(script));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    // An administration command (lpadmin, cupsdisable, ...) on this server.
    bool Run(const QString &command, const QStringList &args) const
    {
        QProcess p;
        p.start(command, args);
        return p.waitForFinished() && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    }
    // The server stops answering (SIGSTOP), as one that hangs or sits behind
    // a network that went down, and answers again.
    void Pause() { Signal(SIGSTOP); }
    void Resume() { Signal(SIGCONT); }
    // The server goes away, as one that was shut down.
    void Stop()
    {
        if (cupsd_.state() == QProcess::NotRunning)
            return;
        Resume();
        cupsd_.terminate();
        if (!cupsd_.waitForFinished(5000))
            cupsd_.kill(), cupsd_.waitForFinished();
    }
    // The server dies at once (SIGKILL), as one that crashed: the jobs it
    // had are lost with it.
    void Kill()
    {
        cupsd_.kill();
        cupsd_.waitForFinished();
    }
    // The server shut down and started again, as after an update: for a
    // moment nothing answers at its address; the jobs it had go on.
    bool Restart()
    {
        Stop();
        return Start();
    }

    // The jobs it has, done or not, and the subscriptions to its printers'
    // events; -1 when it does not tell.
    int Jobs() const { return Count(IPP_OP_GET_JOBS, "job-id", "which-jobs"); }
    int Subscriptions() const { return Count(IPP_OP_GET_SUBSCRIPTIONS, "notify-subscription-id", nullptr); }

private:
    bool Start()
    {
        running_ = false;
        cupsd_.start(QStringLiteral("/usr/sbin/cupsd"),
                     {"-f", "-c", Path("cupsd.conf"), "-s", Path("cups-files.conf")});
        if (!cupsd_.waitForStarted())
            return false;
        for (int i = 0; i < 100 && !running_; ++i) {
            running_ = Listening();
            if (!running_)
                QThread::msleep(50);
        }
        return running_;
    }
    // How many times the attribute comes in the answer to a request about
    // the whole server, all users' and all jobs (with `all` set to "all").
    int Count(ipp_op_t operation, const char *attribute, const char *all) const
    {
        const QByteArray path = QFile::encodeName(Socket());
        http_t *http = httpConnect2(path.constData(), 0, nullptr, AF_LOCAL, HTTP_ENCRYPTION_NEVER, 1, 5000, nullptr);
        if (!http)
            return -1;
        ipp_t *request = ippNewRequest(operation);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, "ipp://localhost/");
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
        ippAddBoolean(request, IPP_TAG_OPERATION, "my-jobs", 0);
        ippAddBoolean(request, IPP_TAG_OPERATION, "my-subscriptions", 0);
        if (all)
            ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, all, nullptr, "all");
        ipp_t *response = cupsDoRequest(http, request, "/");
        const ipp_status_t status = response ? ippGetStatusCode(response) : IPP_STATUS_ERROR_INTERNAL;
        int count = status == IPP_STATUS_ERROR_NOT_FOUND || status < IPP_STATUS_ERROR_BAD_REQUEST ? 0 : -1;
        if (status < IPP_STATUS_ERROR_BAD_REQUEST)
            for (ipp_attribute_t *a = ippFindAttribute(response, attribute, IPP_TAG_INTEGER); a;
                 a = ippFindNextAttribute(response, attribute, IPP_TAG_INTEGER))
                ++count;
        ippDelete(response);
        httpClose(http);
        return count;
    }
    // Only to the server while it runs: pid 0 would be the whole process
    // group, the print servers of tests running beside this one too.
    void Signal(int signal)
    {
        if (const qint64 pid = cupsd_.processId(); pid > 0 && cupsd_.state() == QProcess::Running)
            ::kill(pid_t(pid), signal);
    }
    QString Path(const QString &sub) const { return dir_.filePath(sub); }
    // Whether the scheduler takes connections on its socket yet.
    bool Listening() const
    {
        const int fd = ConnectTo(QFile::encodeName(Socket()));
        if (fd >= 0)
            ::close(fd);
        return fd >= 0;
    }
    void Write(const QString &sub, const QString &text) const
    {
        QFile f(Path(sub));
        if (f.open(QIODevice::WriteOnly))
            f.write(text.toUtf8());
    }

    QTemporaryDir dir_;
    QProcess cupsd_;
    QByteArray oldServer_;
    bool running_ = false;
};

// A slow network to a print server: a TCP port on this machine whose
// connections go on to the server's socket, every part of every answer held
// back a while after the part before it, as on a busy network to a server
// on another machine: an answer the server writes in three parts comes
// three delays late, a delay between each two. While it lives, CUPS_SERVER
// names it.
class SlowLink {
public:
    using Clock = std::chrono::steady_clock;

    explicit SlowLink(const QString &serverSocket) : server_(QFile::encodeName(serverSocket))
    {
        oldServer_ = qgetenv("CUPS_SERVER");
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (listener_ < 0 || ::pipe(stop_) != 0
            || ::bind(listener_, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0
            || ::listen(listener_, 16) != 0
            || ::getsockname(listener_, reinterpret_cast<sockaddr *>(&address), &length) != 0)
            return;
        qputenv("CUPS_SERVER", "127.0.0.1:" + QByteArray::number(ntohs(address.sin_port)));
        cupsSetServer(nullptr);
        thread_ = std::thread([this] { Run(); });
    }
    ~SlowLink()
    {
        if (thread_.joinable()) {
            (void)!::write(stop_[1], "x", 1);
            thread_.join();
        }
        for (int fd : {listener_, stop_[0], stop_[1]})
            if (fd >= 0)
                ::close(fd);
        qputenv("CUPS_SERVER", oldServer_);
        cupsSetServer(nullptr);
    }
    SlowLink(const SlowLink &) = delete;
    SlowLink &operator=(const SlowLink &) = delete;

    bool Running() const { return thread_.joinable(); }
    // Parts of answers given from now on arrive this much later, each after
    // the one before it.
    void SetDelay(std::chrono::milliseconds delay)
    {
        const std::lock_guard lock(mutex_);
        delay_ = delay;
        firstContact_.reset();
    }
    // Answers to requests of this IPP operation (IPP_OP_CUPS_GET_DEFAULT)
    // given from now on come this much later instead, as from a server slow
    // at that question alone.
    void SetDelayOf(int operation, std::chrono::milliseconds delay)
    {
        const std::lock_guard lock(mutex_);
        delayOf_[operation] = delay;
    }
    // What goes wrong on the way from now on.
    struct Faults {
        // A connection is cut as soon as the server answers on it, as by a
        // network that fails.
        bool cutAnswers = false;
        // A new connection whose request asks "Expect: 100-continue" is
        // answered "417 Expectation Failed" and closed, as by a proxy on the
        // way that will not have it (libcups then connects anew).
        bool refuseExpectation = false;
        // That answer comes as the server's do (late, a byte at a time when
        // they trickle), a text after its head, which libcups reads to its
        // end before it connects anew.
        bool slowRefusal = false;
        // Answers come a byte at a time, each the delay after the one before.
        bool trickle = false;
        // What follows the head of an answer comes as a part of its own, the
        // delay after the head.
        bool bodyApart = false;
    };
    void SetFaults(const Faults &faults)
    {
        const std::lock_guard lock(mutex_);
        faults_ = faults;
    }
    // When the program first sent the server something since the delay was
    // last set.
    std::optional<Clock::time_point> FirstContact() const
    {
        const std::lock_guard lock(mutex_);
        return firstContact_;
    }

private:
    struct Pair {
        int server;
        std::deque<std::pair<Clock::time_point, QByteArray>> answers; // due, bytes
        bool serverDone = false;
        Clock::time_point lastDue{};
        bool fresh = true;    // nothing came from the program yet
        bool refused = false; // answered here: what the program sends next goes nowhere
        QByteArray asked{};   // the program's request so far, up to its operation
        int operation = 0;    // the request's IPP operation, once known
    };

    // Notes the IPP operation of the request the program is sending: the
    // two bytes after the version, where the HTTP head ends.
    static void Note(Pair &pair, const QByteArray &bytes)
    {
        if (bytes.startsWith("POST "))
            pair.asked.clear(), pair.operation = 0;
        if (pair.operation || pair.asked.size() > 65536)
            return;
        pair.asked += bytes;
        if (const qsizetype body = pair.asked.indexOf("\r\n\r\n") + 4; body >= 4 && pair.asked.size() >= body + 4)
            pair.operation = (uchar(pair.asked[body + 2]) << 8) | uchar(pair.asked[body + 3]);
    }

    static bool WriteAll(int fd, const QByteArray &bytes)
    {
        for (qsizetype done = 0; done < bytes.size();) {
            const ssize_t n = ::send(fd, bytes.constData() + done, size_t(bytes.size() - done), MSG_NOSIGNAL);
            if (n <= 0)
                return false;
            done += n;
        }
        return true;
    }
    void Run()
    {
        std::map<int, Pair> pairs; // by the program's end
        char buffer[65536];
        for (;;) {
            std::vector<pollfd> fds{{stop_[0], POLLIN, 0}, {listener_, POLLIN, 0}};
            auto wait = std::chrono::milliseconds(200);
            const auto now = Clock::now();
            for (auto &[client, pair] : pairs) {
                fds.push_back({client, POLLIN, 0});
                if (!pair.serverDone)
                    fds.push_back({pair.server, POLLIN, 0});
                if (!pair.answers.empty())
                    wait = std::min(wait, std::max(std::chrono::milliseconds(0),
                                                   std::chrono::duration_cast<std::chrono::milliseconds>(
                                                       pair.answers.front().first - now)));
            }
            ::poll(fds.data(), fds.size(), int(wait.count()) + 1);
            if (fds[0].revents)
                break;
            if (fds[1].revents & POLLIN)
                if (const int client = ::accept(listener_, nullptr, nullptr); client >= 0) {
                    if (const int server = ConnectTo(server_); server >= 0)
                        pairs[client] = Pair{server, {}, false, {}, true};
                    else
                        ::close(client);
                }
            std::vector<int> gone;
            for (const pollfd &p : fds) {
                if (!(p.revents & (POLLIN | POLLHUP | POLLERR)) || p.fd == stop_[0] || p.fd == listener_)
                    continue;
                const ssize_t n = ::recv(p.fd, buffer, sizeof buffer, 0);
                if (auto it = pairs.find(p.fd); it != pairs.end()) { // from the program
                    Pair &pair = it->second;
                    const bool fresh = std::exchange(pair.fresh, false);
                    if (n > 0 && fresh && QByteArray(buffer, n).contains("Expect: 100-continue")
                        && Refuse(pair))
                        continue;
                    if (n <= 0 || (!pair.refused && !WriteAll(pair.server, QByteArray(buffer, n))))
                        gone.push_back(p.fd);
                    else if (!pair.refused) {
                        Note(pair, QByteArray(buffer, n));
                        const std::lock_guard lock(mutex_);
                        if (!firstContact_)
                            firstContact_ = Clock::now();
                    }
                    continue;
                }
                for (auto &[client, pair] : pairs)
                    if (pair.server == p.fd) {
                        const std::lock_guard lock(mutex_);
                        if (n <= 0) {
                            pair.serverDone = true;
                        } else if (faults_.cutAnswers) {
                            gone.push_back(client);
                        } else {
                            Hold(pair, QByteArray(buffer, n));
                        }
                    }
            }
            for (auto &[client, pair] : pairs) {
                while (!pair.answers.empty() && pair.answers.front().first <= Clock::now()) {
                    if (!WriteAll(client, pair.answers.front().second))
                        gone.push_back(client);
                    pair.answers.pop_front();
                }
                if (pair.serverDone && pair.answers.empty())
                    gone.push_back(client);
            }
            for (int client : gone)
                if (auto it = pairs.find(client); it != pairs.end()) {
                    ::close(it->second.server);
                    ::close(client);
                    pairs.erase(it);
                }
        }
        for (auto &[client, pair] : pairs)
            ::close(pair.server), ::close(client);
    }

    // An answer of the server's, given to the program in parts, each its
    // delay after the one before. The caller holds the mutex.
    void Hold(Pair &pair, const QByteArray &answer)
    {
        QList<QByteArray> parts;
        if (faults_.trickle)
            for (qsizetype at = 0; at < answer.size(); ++at)
                parts << answer.mid(at, 1);
        else if (const qsizetype body = BodyAt(answer); faults_.bodyApart && body > 0 && body < answer.size())
            parts = {answer.left(body), answer.mid(body)};
        else
            parts = {answer};
        const auto of = delayOf_.find(pair.operation);
        for (const QByteArray &part : parts) {
            pair.lastDue = std::max(Clock::now(), pair.lastDue) + (of != delayOf_.end() ? of->second : delay_);
            pair.answers.emplace_back(pair.lastDue, part);
        }
    }
    // Answers a request that expects "100-continue" as a proxy that will not
    // have it, when that is the fault; false when it goes on to the server.
    bool Refuse(Pair &pair)
    {
        const std::lock_guard lock(mutex_);
        if (!faults_.refuseExpectation)
            return false;
        const QByteArray text = faults_.slowRefusal ? QByteArray(400, '-') : QByteArray();
        const QByteArray refusal = "HTTP/1.1 417 Expectation Failed\r\nContent-Length: "
                                   + QByteArray::number(text.size()) + "\r\n\r\n" + text;
        pair.refused = true;
        pair.serverDone = true; // closed once the refusal is given
        if (faults_.slowRefusal)
            Hold(pair, refusal);
        else
            pair.answers.emplace_back(Clock::now(), refusal);
        return true;
    }

    // Where what follows the heads of HTTP answers in a part begins; 0 when
    // it starts with none.
    static qsizetype BodyAt(const QByteArray &part)
    {
        qsizetype at = 0;
        while (part.mid(at).startsWith("HTTP/")) {
            const qsizetype end = part.indexOf("\r\n\r\n", at);
            if (end < 0)
                return 0;
            at = end + 4;
        }
        return at;
    }
    QByteArray server_;
    QByteArray oldServer_;
    int listener_ = -1;
    int stop_[2] = {-1, -1};
    std::thread thread_;
    mutable std::mutex mutex_;
    std::chrono::milliseconds delay_{0};
    std::map<int, std::chrono::milliseconds> delayOf_;
    Faults faults_;
    std::optional<Clock::time_point> firstContact_;
};

} // namespace lktest
