#pragma once
// A sound server of the test's own: PulseAudio with a null sink, its
// runtime files in a temporary folder, reached through a socket there, so
// the test neither needs nor disturbs the machine's. Zastav() stops it
// (SIGSTOP) as a server hanging on a Bluetooth or HDMI device is stopped:
// it takes connections and never answers. It needs pulseaudio; without it
// bezi() is false and the test skips.
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <csignal>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace lktest {

class Zvukovy_server {
public:
    Zvukovy_server()
    {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
        if (program.isEmpty()) {
            chyba_ = QStringLiteral("pulseaudio is not installed (scripts/deps.sh installs it)");
            return;
        }
        QDir(dir_.path()).mkpath(QStringLiteral("domov"));
        QDir(dir_.path()).mkpath(QStringLiteral("beh"));
        server_.setProcessEnvironment(Prostredie(dir_.path()));
        server_.setProcessChannelMode(QProcess::MergedChannels);
        // Its own user's server though run as root; it stays however idle.
        server_.start(program, {QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
                                QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--disallow-exit"),
                                QStringLiteral("--use-pid-file=no"), QStringLiteral("--log-level=info"),
                                QStringLiteral("--log-target=file:") + Zaznam(), QStringLiteral("--load=module-null-sink"),
                                QStringLiteral("--load=module-native-protocol-unix auth-anonymous=1 socket=")
                                    + Socket()});
        const QDeadlineTimer koniec(15000);
        server_.waitForStarted();
        while (!Odpoveda() && server_.state() != QProcess::NotRunning && !koniec.hasExpired())
            server_.waitForFinished(50);
        if (!Odpoveda()) {
            server_.kill();
            server_.waitForFinished();
            chyba_ = QString::fromLocal8Bit(server_.readAll());
        }
    }
    ~Zvukovy_server()
    {
        if (server_.state() == QProcess::NotRunning)
            return;
        Pusti();
        server_.kill();
        server_.waitForFinished();
    }
    Zvukovy_server(const Zvukovy_server &) = delete;
    Zvukovy_server &operator=(const Zvukovy_server &) = delete;

    bool bezi() const { return server_.state() == QProcess::Running; }
    QString chyba() const { return chyba_; }
    qint64 pid() const { return server_.processId(); }
    void Zastav() { Signal(SIGSTOP); }
    void Pusti() { Signal(SIGCONT); }
    // Only to a server that runs: pid 0 would stop the whole process group.
    void Signal(int signal)
    {
        if (pid() > 0 && bezi())
            ::kill(pid_t(pid()), signal);
    }
    QString Socket() const { return dir_.filePath(QStringLiteral("native")); }
    // The sounds it has been given to play.
    int Zvukov() const
    {
        QFile f(Zaznam());
        return f.open(QIODevice::ReadOnly) ? int(f.readAll().count("sink-input.c: Created input")) : 0;
    }

    // The environment of a program that is to use the server at `socket`
    // (one that need not exist), its home and runtime folders under `dir`,
    // never starting a server of its own.
    static QProcessEnvironment Prostredie(const QString &dir, const QString &socket = {})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), dir + QStringLiteral("/domov"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir + QStringLiteral("/beh"));
        if (!socket.isEmpty())
            env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:") + socket);
        const QString klient = dir + QStringLiteral("/client.conf");
        QFile f(klient);
        if (f.open(QIODevice::WriteOnly))
            f.write("autospawn = no\n");
        env.insert(QStringLiteral("PULSE_CLIENTCONFIG"), klient);
        return env;
    }

private:
    QString Zaznam() const { return dir_.filePath(QStringLiteral("server.log")); }
    // Whether the socket takes a connection.
    bool Odpoveda() const
    {
        const QByteArray cesta = QFile::encodeName(Socket());
        sockaddr_un adresa{};
        adresa.sun_family = AF_UNIX;
        if (size_t(cesta.size()) >= sizeof adresa.sun_path)
            return false;
        memcpy(adresa.sun_path, cesta.constData(), size_t(cesta.size()));
        const int s = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const bool ano = s >= 0 && ::connect(s, reinterpret_cast<sockaddr *>(&adresa), sizeof adresa) == 0;
        if (s >= 0)
            ::close(s);
        return ano;
    }

    QTemporaryDir dir_;
    QProcess server_;
    QString chyba_;
};

} // namespace lktest
