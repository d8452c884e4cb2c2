#pragma once
// A print server of the test's own: cupsd with its configuration, spool and
// backends in a temporary folder, reached through a socket there. While it
// lives, CUPS_SERVER names that socket, so the test neither needs nor
// disturbs the machine's print server. It needs cupsd (cups-daemon); without
// it Running() is false and the test skips.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cups/cups.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace lktest {

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

    // keepsJobHistory false: a job is forgotten as soon as it ends, as on
    // small servers. tellsJobEnds false: it refuses to tell of the ends of
    // a printer's jobs as they happen (a printer subscription).
    explicit PrintServer(bool keepsJobHistory = true, bool tellsJobEnds = true)
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
        Write("cupsd.conf", QStringLiteral("Listen %1\nBrowsing No\nDefaultAuthType None\nPreserveJobHistory %2\n"
                                           "<Policy default>\n%3<Limit All>\nOrder deny,allow\n</Limit>\n</Policy>\n")
                                .arg(Socket(), keepsJobHistory ? "Yes" : "No",
                                     tellsJobEnds ? "" : "<Limit Create-Printer-Subscriptions>\nRequire user lk-nobody\n</Limit>\n"));
        cupsd_.start(QStringLiteral("/usr/sbin/cupsd"),
                     {"-f", "-c", Path("cupsd.conf"), "-s", Path("cups-files.conf")});
        if (!cupsd_.waitForStarted())
            return;
        qputenv("CUPS_SERVER", Socket().toUtf8());
        cupsSetServer(nullptr);
        for (int i = 0; i < 100 && !running_; ++i) {
            running_ = Listening();
            if (!running_)
                QThread::msleep(50);
        }
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
    // The server goes away, as one that was shut down.
    void Stop()
    {
        if (cupsd_.state() == QProcess::NotRunning)
            return;
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

private:
    QString Path(const QString &sub) const { return dir_.filePath(sub); }
    // Whether the scheduler takes connections on its socket yet.
    bool Listening() const
    {
        const QByteArray path = QFile::encodeName(Socket());
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (path.size() >= qsizetype(sizeof address.sun_path))
            return false;
        std::copy(path.begin(), path.end(), address.sun_path);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        const bool listening = fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
        if (fd >= 0)
            ::close(fd);
        return listening;
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

} // namespace lktest
