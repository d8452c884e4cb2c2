#include "services/Zamok_priecinka.h"

#include "platform/Signals.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace Misc {

namespace {

const QByteArray &Meno_zamku()
{
    static const QByteArray meno = QFile::encodeName(Zamok_priecinka::Meno);
    return meno;
}

} // namespace

bool Cakanie::Pocas() { return !platform::terminationRequested(); }

bool Cakanie_obrazovky::Pocas()
{
    cakanie_.Paint();
    return Cakanie::Pocas();
}

Zamok_priecinka::Zamok_priecinka(const Priecinok &priecinok, std::chrono::milliseconds cakanie, Cakanie &pocas)
    : priecinok_(priecinok)
{
    using Hodiny = std::chrono::steady_clock;
    const Hodiny::time_point koniec = Hodiny::now() + cakanie;
    // Not the exercises' random source: that one is seeded once for the run.
    QRandomGenerator nahoda(QRandomGenerator::system()->generate());
    for (;;) {
        if (const std::optional<Stav_zamku> stav = Skus()) {
            stav_ = *stav;
            break;
        }
        if (Hodiny::now() >= koniec) {
            stav_ = Stav_zamku::Obsadeny;
            break;
        }
        if (!pocas.Pocas()) {
            stav_ = Stav_zamku::Preruseny;
            break;
        }
        // Short and spread: waiters released together do not retry together.
        const Hodiny::duration spanok = std::chrono::milliseconds(5 + nahoda.bounded(40));
        std::this_thread::sleep_for(std::min(spanok, std::max(koniec - Hodiny::now(), Hodiny::duration::zero())));
    }
    if (stav_ != Stav_zamku::Drzany)
        Zavri();
}

Zamok_priecinka::~Zamok_priecinka() { Zavri(); }

void Zamok_priecinka::Zavri()
{
    // Closing drops our lock and no other: the kernel keeps locks per open file.
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

std::optional<Stav_zamku> Zamok_priecinka::Skus()
{
    // A folder that could not be opened: this user may not, or its disk
    // said why (gone, disconnected).
    if (!priecinok_.Otvoreny())
        return priecinok_.Chyba() == EACCES ? Stav_zamku::Nezapisatelny : Chyba_disku(priecinok_.Chyba());
    if (fd_ < 0)
        if (const std::optional<Stav_zamku> stav = Otvor(); stav || fd_ < 0)
            return stav;
    if (!Zamkni_subor(fd_)) {
        if (errno == EAGAIN || errno == EACCES || errno == EINTR)
            return std::nullopt;
        if (errno == ENOLCK || errno == EINVAL || errno == EOPNOTSUPP || errno == ENOSYS)
            return Stav_zamku::Bez_zamykania;
        return Chyba_disku(errno);
    }
    if (Meno_je_nase()) {
        // What a program killed while replacing a lock file left: only
        // ever old, as a replacement takes microseconds.
        Odstran_zvysky(priecinok_, Meno);
        return Stav_zamku::Drzany;
    }
    if (chyba_ != 0)
        return Stav_zamku::Chyba_disku;
    // The file was deleted or replaced: its lock guards nothing.
    Zavri();
    return std::nullopt;
}

Stav_zamku Zamok_priecinka::Chyba_disku(int chyba)
{
    chyba_ = chyba;
    return Stav_zamku::Chyba_disku;
}

// Opens the lock file, creating it when missing. Nothing, with the file
// open, to go on; nothing without it to try again.
std::optional<Stav_zamku> Zamok_priecinka::Otvor()
{
    fd_ = ::openat(priecinok_.fd(), Meno_zamku().constData(), O_RDWR | O_CREAT | O_EXCL | Bezpecne, 0666);
    if (fd_ >= 0) {
        // Whoever may write the folder may use its lock, whatever their umask.
        (void)::fchmod(fd_, priecinok_.Prava_novych());
        return std::nullopt;
    }
    if (errno == EEXIST)
        fd_ = ::openat(priecinok_.fd(), Meno_zamku().constData(), O_RDWR | Bezpecne);
    if (fd_ < 0) {
        if (errno == ENOENT) // deleted just now
            return std::nullopt;
        if (errno == ELOOP || errno == EISDIR || errno == ENXIO)
            return Stav_zamku::Nie_je_subor;
        if (errno == EACCES || errno == EPERM)
            return Nahrad_necitatelny();
        return errno == EROFS ? Stav_zamku::Nezapisatelny : Chyba_disku(errno);
    }
    struct stat st {};
    if (::fstat(fd_, &st) != 0) {
        const int chyba = errno;
        Zavri();
        return Chyba_disku(chyba);
    }
    if (!S_ISREG(st.st_mode)) {
        Zavri();
        return Stav_zamku::Nie_je_subor;
    }
    return std::nullopt;
}

// A lock file we may not open: a new one of the folder's permissions in its
// place, when the folder lets us. A folder with the sticky bit lets only the
// file's owner replace it, though it takes new files.
std::optional<Stav_zamku> Zamok_priecinka::Nahrad_necitatelny()
{
    const QByteArray novy = QFile::encodeName(Meno_noveho(Meno));
    const int fd = ::openat(priecinok_.fd(), novy.constData(), O_RDWR | O_CREAT | O_EXCL | Bezpecne, 0666);
    if (fd < 0)
        return Stav_zamku::Nezapisatelny;
    (void)::fchmod(fd, priecinok_.Prava_novych());
    ::close(fd);
    if (::renameat(priecinok_.fd(), novy.constData(), priecinok_.fd(), Meno_zamku().constData()) != 0) {
        const bool cudzi = errno == EPERM || errno == EACCES;
        ::unlinkat(priecinok_.fd(), novy.constData(), 0);
        return cudzi ? Stav_zamku::Cudzi : Stav_zamku::Nezapisatelny;
    }
    return std::nullopt;
}

bool Zamok_priecinka::Meno_je_nase() const
{
    chyba_ = 0;
    return fd_ >= 0 && Ma_meno(fd_, priecinok_.fd(), Meno_zamku(), &chyba_);
}

bool Zamok_priecinka::Plati() const { return stav_ == Stav_zamku::Drzany && Meno_je_nase(); }

} // namespace Misc
