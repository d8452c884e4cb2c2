#pragma once
// Data files as the program finds them on disk: Windows-1250, CR LF, scrambled.
#include "services/Prekodovani.h"
#include "services/Text_1250.h"

#include <QFile>
#include <QStringList>

#include <csignal>
#include <sys/resource.h>

inline bool Zapis_subor(const QString &cesta, const QByteArray &bajty)
{
    QFile f(cesta);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bajty) == bajty.size();
}

inline bool Zapis_prekodovany(const QString &cesta, const QStringList &riadky)
{
    QByteArray bajty = Misc::Text_do_1250(riadky.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    Misc::Prekoduj_bajty(bajty);
    return Zapis_subor(cesta, bajty);
}

inline QByteArray Obsah(const QString &cesta)
{
    QFile f(cesta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// While it lives, no file of this process may grow beyond `bajty`: a write
// past the limit fails with EFBIG (SIGXFSZ ignored), as on a full disk.
struct Plny_disk {
    rlimit povodny{};
    void (*povodny_signal)(int) = std::signal(SIGXFSZ, SIG_IGN);
    explicit Plny_disk(qint64 bajty)
    {
        getrlimit(RLIMIT_FSIZE, &povodny);
        const rlimit r{rlim_t(bajty), povodny.rlim_max};
        setrlimit(RLIMIT_FSIZE, &r);
    }
    ~Plny_disk() { setrlimit(RLIMIT_FSIZE, &povodny), std::signal(SIGXFSZ, povodny_signal); }
};
