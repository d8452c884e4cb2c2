#include "services/Bezpecny_subor.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Misc {

namespace {

QByteArray Meno(const QString &cesta) { return QFile::encodeName(cesta); }

// The name as it stands: a link is looked at, not followed.
Chyba_suboru Skontroluj_meno(const QString &cesta, bool volne_smie)
{
    struct stat st {};
    if (::lstat(Meno(cesta).constData(), &st) != 0)
        return errno == ENOENT ? (volne_smie ? Chyba_suboru{} : Chyba_suboru{Chyba_suboru::Neexistuje, cesta})
                               : Chyba_suboru{Chyba_suboru::Neda_sa_citat, cesta};
    if (!S_ISREG(st.st_mode))
        return {Chyba_suboru::Nie_je_subor, cesta};
    return {};
}

// The file that was opened: the name may have changed since it was looked at.
Chyba_suboru Skontroluj_otvoreny(int fd, const QString &cesta, qint64 *velkost = nullptr)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return {Chyba_suboru::Neda_sa_citat, cesta};
    if (!S_ISREG(st.st_mode))
        return {Chyba_suboru::Nie_je_subor, cesta};
    if (st.st_size > Najvacsi_subor)
        return {Chyba_suboru::Prilis_velky, cesta};
    if (velkost)
        *velkost = st.st_size;
    return {};
}

// To the end, but never past the limit, however the file grows meanwhile.
Chyba_suboru Citaj_do_konca(int fd, const QString &cesta, qint64 velkost, QByteArray &obsah)
{
    obsah.reserve(velkost);
    char kus[65536];
    for (;;) {
        const ssize_t n = ::read(fd, kus, sizeof kus);
        if (n == 0)
            return {};
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return {Chyba_suboru::Neda_sa_citat, cesta};
        obsah.append(kus, n);
        if (obsah.size() > Najvacsi_subor)
            return {Chyba_suboru::Prilis_velky, cesta};
    }
}

// O_NOFOLLOW fails with ELOOP on a link; O_NONBLOCK keeps a FIFO from
// waiting for a writer.
constexpr int Bezpecne = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;

Chyba_suboru Chyba_otvorenia(const QString &cesta, Chyba_suboru::Druh inak)
{
    return {errno == ELOOP ? Chyba_suboru::Nie_je_subor : inak, cesta};
}

} // namespace

Chyba_suboru Precitaj_subor(const QString &cesta, QByteArray &obsah)
{
    obsah.clear();
    if (Chyba_suboru chyba = Skontroluj_meno(cesta, false); chyba.Je_chyba())
        return chyba;
    const int fd = ::open(Meno(cesta).constData(), O_RDONLY | Bezpecne);
    if (fd < 0)
        return Chyba_otvorenia(cesta, Chyba_suboru::Neda_sa_citat);
    qint64 velkost = 0;
    Chyba_suboru chyba = Skontroluj_otvoreny(fd, cesta, &velkost);
    if (!chyba.Je_chyba())
        chyba = Citaj_do_konca(fd, cesta, velkost, obsah);
    ::close(fd);
    if (chyba.Je_chyba())
        obsah.clear();
    return chyba;
}

Chyba_suboru Mozno_zapisat(const QString &cesta) { return Skontroluj_meno(cesta, true); }

int Otvor_na_pripisanie(const QString &cesta, Chyba_suboru &chyba)
{
    chyba = Skontroluj_meno(cesta, true);
    if (chyba.Je_chyba())
        return -1;
    const int fd = ::open(Meno(cesta).constData(), O_WRONLY | O_APPEND | O_CREAT | Bezpecne, 0666);
    if (fd < 0) {
        chyba = Chyba_otvorenia(cesta, Chyba_suboru::Neda_sa_zapisat);
        return -1;
    }
    if (chyba = Skontroluj_otvoreny(fd, cesta); chyba.Je_chyba()) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool Zapis_novy_subor(const QString &cesta, const QByteArray &obsah)
{
    // O_EXCL never follows a link: a link under the name fails like a file.
    const int fd = ::open(Meno(cesta).constData(), O_WRONLY | O_CREAT | O_EXCL | Bezpecne, 0666);
    if (fd < 0)
        return false;
    QFile subor;
    const bool ok = subor.open(fd, QIODevice::WriteOnly, QFileDevice::DontCloseHandle)
        && subor.write(obsah) == obsah.size() && subor.flush();
    subor.close();
    ::close(fd);
    if (!ok)
        QFile::remove(cesta);
    return ok;
}

} // namespace Misc
