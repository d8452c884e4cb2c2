#include "services/Bezpecny_subor.h"

#include "services/Druh_disku.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <limits>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace Misc {

namespace {

QByteArray Kodovane(const QString &meno) { return QFile::encodeName(meno); }

// `druh` for `cesta`, with the reason the system gave (errno unless told).
Chyba_suboru So_dovodom(Chyba_suboru::Druh druh, const QString &cesta, int chyba = errno)
{
    Chyba_suboru c{druh, cesta};
    c.chyba_systemu = chyba;
    return c;
}

Chyba_suboru Chyba_otvorenia(const QString &cesta, Chyba_suboru::Druh inak)
{
    return errno == ELOOP ? Chyba_suboru{Chyba_suboru::Nie_je_subor, cesta} : So_dovodom(inak, cesta);
}

// The file that was opened: the name may have changed since.
Chyba_suboru Skontroluj_otvoreny(int fd, const QString &cesta, struct stat &st, bool jedno_meno = true)
{
    if (::fstat(fd, &st) != 0)
        return {Chyba_suboru::Neda_sa_citat, cesta};
    if (!S_ISREG(st.st_mode))
        return {Chyba_suboru::Nie_je_subor, cesta};
    // Another name of the same file may lie outside the folder.
    if (jedno_meno && st.st_nlink > 1)
        return {Chyba_suboru::Viac_mien, cesta};
    if (st.st_size > Najvacsi_subor)
        return {Chyba_suboru::Prilis_velky, cesta};
    return {};
}

} // namespace

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
            return So_dovodom(Chyba_suboru::Neda_sa_citat, cesta);
        obsah.append(kus, n);
        if (obsah.size() > Najvacsi_subor)
            return {Chyba_suboru::Prilis_velky, cesta};
    }
}

namespace {

// What stands under the name, looked at without opening it: opening a
// device may already do something.
Chyba_suboru Skontroluj_meno(const Priecinok &priecinok, const QString &meno)
{
    struct stat st {};
    if (::fstatat(priecinok.fd(), Kodovane(meno).constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT ? Chyba_suboru{} : So_dovodom(Chyba_suboru::Neda_sa_citat, priecinok.Cesta(meno));
    if (!S_ISREG(st.st_mode))
        return {Chyba_suboru::Nie_je_subor, priecinok.Cesta(meno)};
    return {};
}

// Opens `meno` of the folder for reading and checks what was opened.
int Otvor_na_citanie(const Priecinok &priecinok, const QString &meno, struct stat &st, Chyba_suboru &chyba,
                     bool jedno_meno = true)
{
    const QString cesta = priecinok.Cesta(meno);
    if (!priecinok.Otvoreny()) {
        chyba = So_dovodom(priecinok.Chyba() == ENOENT ? Chyba_suboru::Neexistuje : Chyba_suboru::Neda_sa_citat, cesta,
                           priecinok.Chyba());
        return -1;
    }
    if (chyba = Skontroluj_meno(priecinok, meno); chyba.Je_chyba())
        return -1;
    const int fd = ::openat(priecinok.fd(), Kodovane(meno).constData(), O_RDONLY | Bezpecne);
    if (fd < 0) {
        chyba = errno == ENOENT ? Chyba_suboru{Chyba_suboru::Neexistuje, cesta}
                                : Chyba_otvorenia(cesta, Chyba_suboru::Neda_sa_citat);
        return -1;
    }
    chyba = Skontroluj_otvoreny(fd, cesta, st, jedno_meno);
    if (chyba.Je_chyba()) {
        ::close(fd);
        return -1;
    }
    return fd;
}

QString Meno_pouzivatela(uid_t uid)
{
    char buffer[4096];
    passwd zaznam {};
    passwd *najdeny = nullptr;
    if (::getpwuid_r(uid, &zaznam, buffer, sizeof buffer, &najdeny) == 0 && najdeny)
        return QString::fromLocal8Bit(najdeny->pw_name);
    return QString::number(uid);
}

// The names in the folder, read through a descriptor of its own: closedir
// closes it.
QStringList Polozky(const Priecinok &priecinok)
{
    QStringList mena;
    const int kopia = priecinok.Otvoreny() ? ::openat(priecinok.fd(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC) : -1;
    DIR *adresar = kopia >= 0 ? ::fdopendir(kopia) : nullptr;
    if (!adresar) {
        if (kopia >= 0)
            ::close(kopia);
        return mena;
    }
    while (const dirent *polozka = ::readdir(adresar))
        mena << QFile::decodeName(polozka->d_name);
    ::closedir(adresar);
    return mena;
}

} // namespace

Totoznost Totoznost::Zo_stat(const struct stat &st)
{
    return {quint64(st.st_dev), quint64(st.st_ino), qint64(st.st_size),
            qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec,
            qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec};
}

quint64 Kontrolny_sucet(const QByteArray &bajty, quint64 h)
{
    // Four sums of a word each a step: the multiplications of one sum wait
    // for each other, those of four run side by side.
    constexpr quint64 prvocislo = 1099511628211ULL;
    const char *b = bajty.constData();
    const qsizetype n = bajty.size();
    quint64 s[4] = {h, h ^ 1, h ^ 2, h ^ 3};
    qsizetype i = 0;
    for (; i + 32 <= n; i += 32)
        for (int k = 0; k < 4; ++k) {
            quint64 slovo;
            std::memcpy(&slovo, b + i + 8 * k, 8);
            s[k] = (s[k] ^ slovo) * prvocislo;
        }
    h = s[0];
    for (int k = 1; k < 4; ++k)
        h = (h ^ s[k]) * prvocislo;
    for (; i < n; ++i)
        h = (h ^ quint8(b[i])) * prvocislo;
    return h;
}

// The same file by what is its alone for its life: the birth time, or the
// handle (the inode number with the generation that tells the file from
// earlier ones of that number; on FUSE a node number, the file's only until
// the folder is mounted again). A note of a version before holds neither:
// on a disk that keeps birth times the inode tells, as it did then; on one
// that keeps none, a file made later gets a freed inode number at once, and
// only the time of writing and the size tell ours.
bool Totoznost::Ten_isty(const Totoznost &iny) const
{
    if (dev != iny.dev || ino != iny.ino)
        return false;
    if (zrodenie != 0 || iny.zrodenie != 0)
        return zrodenie == 0 || iny.zrodenie == 0 || zrodenie == iny.zrodenie;
    if (rodne_cislo != 0 && iny.rodne_cislo != 0)
        return rodne_cislo == iny.rodne_cislo;
    return mtime == iny.mtime && velkost == iny.velkost;
}

namespace {

// The checksum of the handle of `meno` of the folder `fd` (or of the open
// file `fd`); 0 where the file system gives none.
quint64 Rodne_cislo(int fd, const char *meno, int priznaky)
{
    alignas(file_handle) char miesto[sizeof(file_handle) + MAX_HANDLE_SZ];
    auto *handle = reinterpret_cast<file_handle *>(miesto);
    handle->handle_bytes = MAX_HANDLE_SZ;
    int pripojenie = 0;
    if (::name_to_handle_at(fd, meno, handle, &pripojenie, priznaky & AT_EMPTY_PATH) != 0)
        return 0;
    const quint64 h = Kontrolny_sucet(QByteArray::fromRawData(reinterpret_cast<const char *>(handle->f_handle),
                                                              qsizetype(handle->handle_bytes)),
                                      Kontrolny_sucet(QByteArray::number(handle->handle_type)));
    return h != 0 ? h : 1;
}

// What `meno` of the folder `fd` is (with AT_EMPTY_PATH and "", the open
// file `fd`), with its birth time where the file system tells it; nothing
// when it cannot be looked at (errno kept).
std::optional<Totoznost> Zisti_totoznost(int fd, const char *meno, int priznaky)
{
    struct statx sx {};
    if (::statx(fd, meno, priznaky, STATX_BASIC_STATS | STATX_BTIME, &sx) == 0) {
        const auto ns = [](const statx_timestamp &t) { return qint64(t.tv_sec) * 1000000000 + t.tv_nsec; };
        Totoznost t{quint64(makedev(sx.stx_dev_major, sx.stx_dev_minor)), quint64(sx.stx_ino), qint64(sx.stx_size),
                    ns(sx.stx_mtime), ns(sx.stx_ctime)};
        if (sx.stx_mask & STATX_BTIME)
            t.zrodenie = ns(sx.stx_btime);
        else
            t.rodne_cislo = Rodne_cislo(fd, meno, priznaky);
        return t;
    }
    struct stat st {};
    if (errno != ENOSYS || ::fstatat(fd, meno, &st, priznaky) != 0)
        return std::nullopt;
    return Totoznost::Zo_stat(st);
}

Totoznost Totoznost_otvoreneho(int fd, const struct stat &st)
{
    return Zisti_totoznost(fd, "", AT_EMPTY_PATH).value_or(Totoznost::Zo_stat(st));
}

} // namespace

std::optional<Totoznost> Totoznost_mena(const Priecinok &priecinok, const QString &meno)
{
    if (const std::optional<Totoznost> t = Zisti_totoznost(priecinok.fd(), Kodovane(meno).constData(), AT_SYMLINK_NOFOLLOW))
        return t;
    return errno == ENOENT ? std::optional(Totoznost{}) : std::nullopt;
}

bool Odstran_ak_meno_je(const Priecinok &priecinok, const QString &meno, const Totoznost &subor)
{
    const std::optional<Totoznost> teraz = meno.isEmpty() ? std::nullopt : Totoznost_mena(priecinok, meno);
    if (!teraz || !teraz->Je() || !teraz->Ten_isty(subor))
        return false;
    ::unlinkat(priecinok.fd(), Kodovane(meno).constData(), 0);
    return true;
}

bool Synchronizuj(int fd)
{
    while (::fsync(fd) != 0)
        if (errno != EINTR)
            return false;
    Krok();
    return true;
}

bool Ma_meno(int fd, int priecinok, const QByteArray &meno, int *chyba)
{
    struct stat nas {}, pod_menom {};
    int dovod = 0;
    bool ma = false;
    if (::fstat(fd, &nas) != 0)
        dovod = errno;
    else if (nas.st_nlink == 0) // removed
        ma = false;
    else if (::fstatat(priecinok, meno.constData(), &pod_menom, AT_SYMLINK_NOFOLLOW) != 0)
        dovod = errno == ENOENT ? 0 : errno;
    else
        ma = nas.st_dev == pod_menom.st_dev && nas.st_ino == pod_menom.st_ino;
    if (chyba)
        *chyba = dovod;
    return ma;
}

bool Nastav_prava(int fd, Prava_suboru prava)
{
    if (::fchmod(fd, prava) == 0)
        return true;
    // A file system that keeps no modes (FAT, some FUSE ones) refuses them
    // even to the owner of a file just made; a real failure says EIO,
    // EROFS or the like.
    return errno == ENOSYS || errno == EPERM || errno == EOPNOTSUPP;
}

bool Zamkni_subor(int fd)
{
    struct flock zamok {};
    zamok.l_type = F_WRLCK;
    zamok.l_whence = SEEK_SET;
    return ::fcntl(fd, F_OFD_SETLK, &zamok) == 0;
}

Priecinok::Priecinok(const QString &cesta)
    : fd_(::open(Kodovane(cesta).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
    , chyba_(fd_ < 0 ? errno : 0)
    , cesta_(cesta.endsWith(QLatin1Char('/')) ? cesta : cesta + QLatin1Char('/'))
{
    struct stat st {};
    if (fd_ >= 0 && ::fstat(fd_, &st) == 0)
        dev_ = st.st_dev;
}

Priecinok::~Priecinok()
{
    if (fd_ >= 0)
        ::close(fd_);
}

Prava_suboru Priecinok::Prava_novych() const
{
    struct stat st {};
    return fd_ >= 0 && ::fstat(fd_, &st) == 0 ? st.st_mode & 0666 : 0644;
}

QString Vlastnik(const Priecinok &priecinok, const QString &meno)
{
    struct stat st {};
    if (!priecinok.Otvoreny() || ::fstatat(priecinok.fd(), Kodovane(meno).constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return {};
    return Meno_pouzivatela(st.st_uid);
}

QString Priecinok::Meno(const QString &meno) const
{
    struct stat st {};
    if (fd_ < 0 || ::fstatat(fd_, Kodovane(meno).constData(), &st, AT_SYMLINK_NOFOLLOW) == 0 || errno != ENOENT)
        return meno;
    for (const QString &nazov : Polozky(*this))
        if (nazov.compare(meno, Qt::CaseInsensitive) == 0)
            return nazov;
    return meno;
}

Chyba_suboru Precitaj_subor(const Priecinok &priecinok, const QString &meno, QByteArray &obsah, Prava_suboru *prava)
{
    obsah.clear();
    struct stat st {};
    Chyba_suboru chyba;
    const int fd = Otvor_na_citanie(priecinok, meno, st, chyba);
    if (fd < 0)
        return chyba;
    chyba = Citaj_do_konca(fd, priecinok.Cesta(meno), st.st_size, obsah);
    ::close(fd);
    if (chyba.Je_chyba())
        obsah.clear();
    if (prava)
        *prava = st.st_mode & 07777;
    return chyba;
}

Chyba_suboru Precitaj_subor(const QString &cesta, QByteArray &obsah)
{
    const QFileInfo info(cesta);
    const Priecinok priecinok(info.path());
    return Precitaj_subor(priecinok, info.fileName(), obsah);
}

Chyba_suboru Precitaj_nastavenie(const QString &cesta, QByteArray &obsah)
{
    obsah.clear();
    const QFileInfo info(cesta);
    const Priecinok priecinok(info.path());
    struct stat st {}, priecinka {};
    Chyba_suboru chyba;
    // Only written by the teacher: a hard link is no danger here.
    const int fd = Otvor_na_citanie(priecinok, info.fileName(), st, chyba, false);
    if (fd < 0)
        return chyba;
    if (::fstat(priecinok.fd(), &priecinka) != 0)
        chyba = {Chyba_suboru::Neda_sa_citat, cesta};
    else if (st.st_uid != priecinka.st_uid && st.st_uid != 0)
        chyba = {Chyba_suboru::Cudzi_vlastnik, cesta, 0, Meno_pouzivatela(st.st_uid)};
    else
        chyba = Citaj_do_konca(fd, cesta, st.st_size, obsah);
    ::close(fd);
    if (chyba.Je_chyba())
        obsah.clear();
    return chyba;
}

Chyba_suboru Mozno_zapisat(const QString &cesta)
{
    struct stat st {};
    if (::lstat(Kodovane(cesta).constData(), &st) != 0)
        return errno == ENOENT ? Chyba_suboru{} : Chyba_suboru{Chyba_suboru::Neda_sa_citat, cesta};
    if (!S_ISREG(st.st_mode))
        return {Chyba_suboru::Nie_je_subor, cesta};
    if (st.st_nlink > 1)
        return {Chyba_suboru::Viac_mien, cesta};
    return {};
}

bool Zapis_vsetko(int fd, const QByteArray &obsah, qsizetype *zapisane)
{
    qsizetype n = 0;
    bool ok = true;
    while (ok && n < obsah.size()) {
        const ssize_t kus = ::write(fd, obsah.constData() + n, size_t(obsah.size() - n));
        if (kus < 0 && errno == EINTR)
            continue;
        if (kus > 0)
            n += kus;
        ok = kus > 0;
    }
    if (zapisane)
        *zapisane = n;
    Krok();
    return ok;
}

Chyba_suboru Zapis_novy_subor(const Priecinok &priecinok, const QString &meno, const QByteArray &obsah,
                              Prava_suboru prava)
{
    const QString cesta = priecinok.Cesta(meno);
    // O_EXCL never follows a link: a link under the name fails like a file.
    const int fd = ::openat(priecinok.fd(), Kodovane(meno).constData(), O_WRONLY | O_CREAT | O_EXCL | Bezpecne, prava);
    if (fd < 0)
        return So_dovodom(errno == EEXIST ? Chyba_suboru::Existuje : Chyba_suboru::Neda_sa_zapisat, cesta);
    const bool ok = Zapis_vsetko(fd, obsah) && Synchronizuj(fd);
    const int dovod = Dovod_zapisu_do(priecinok, obsah.size(), errno);
    ::close(fd);
    if (ok)
        return {};
    ::unlinkat(priecinok.fd(), Kodovane(meno).constData(), 0);
    return So_dovodom(Chyba_suboru::Neda_sa_zapisat, cesta, dovod);
}

namespace {

// ".<16 hex digits>.novy" after the start of the name.
constexpr qsizetype Dlzka_pripony = 22;

// What a new file beside `meno` keeps of it: all, or where the whole
// would be longer than `najdlhsie` bytes, as much as fits before a suffix
// of `pripona` bytes, cut between letters: one whose bytes go on past the
// cut goes whole.
QByteArray Zaciatok_noveho(const QString &meno, long najdlhsie, qsizetype pripona = Dlzka_pripony)
{
    QByteArray zaciatok = Kodovane(meno);
    const qsizetype miesto = najdlhsie - pripona;
    if (najdlhsie <= 0 || zaciatok.size() <= miesto)
        return zaciatok;
    qsizetype rez = std::max<qsizetype>(miesto, 0);
    while (rez > 0 && (quint8(zaciatok.at(rez)) & 0xC0) == 0x80)
        --rez;
    zaciatok.truncate(rez);
    return zaciatok;
}

bool Je_meno_noveho(const QByteArray &nazov, const QString &meno, long najdlhsie)
{
    // Older versions wrote the number without its leading zeros; they
    // never cut a name.
    static const QRegularExpression cely_vzor(QStringLiteral("^\\.[0-9a-f]{1,16}\\.novy$"));
    static const QRegularExpression vzor(QStringLiteral("^\\.[0-9a-f]{16}\\.novy$"));
    const auto za = [&nazov](const QByteArray &zaciatok, const QRegularExpression &v) {
        return nazov.startsWith(zaciatok) && v.match(QString::fromLatin1(nazov.mid(zaciatok.size()))).hasMatch();
    };
    const QByteArray cely = Kodovane(meno);
    if (za(cely, cely_vzor))
        return true;
    // The version before cut the name a byte shorter.
    for (const qsizetype pripona : {Dlzka_pripony, Dlzka_pripony + 1})
        if (const QByteArray zaciatok = Zaciatok_noveho(meno, najdlhsie, pripona); zaciatok != cely && za(zaciatok, vzor))
            return true;
    return false;
}

} // namespace

QString Meno_noveho(const QString &meno, long najdlhsie)
{
    return QFile::decodeName(Zaciatok_noveho(meno, najdlhsie))
        + QStringLiteral(".%1.novy").arg(QRandomGenerator::system()->generate64(), 16, 16, QLatin1Char('0'));
}

namespace {

// The new files of `meno` written before `pred`.
void Odstran_nove_pred(const Priecinok &priecinok, const QString &meno, time_t pred)
{
    // The name cut as Nahrad_subor cuts it in this folder.
    const long najdlhsie = ::fpathconf(priecinok.fd(), _PC_NAME_MAX);
    for (const QString &nazov : Polozky(priecinok)) {
        struct stat st {};
        const QByteArray kodovany = Kodovane(nazov);
        if (Je_meno_noveho(kodovany, meno, najdlhsie)
            && ::fstatat(priecinok.fd(), kodovany.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode)
            && st.st_mtime < pred)
            ::unlinkat(priecinok.fd(), kodovany.constData(), 0);
    }
}

} // namespace

void Odstran_zvysky(const Priecinok &priecinok, const QString &meno)
{
    Odstran_nove_pred(priecinok, meno, ::time(nullptr) - 60);
}

void Odstran_nove(const Priecinok &priecinok, const QString &meno)
{
    Odstran_nove_pred(priecinok, meno, std::numeric_limits<time_t>::max());
}

Chyba_suboru Nahrad_subor(const Priecinok &priecinok, const QString &meno, const QByteArray &obsah, mode_t prava,
                          const std::function<bool(const QString &, const Totoznost &)> &smie)
{
    const QString cesta = priecinok.Cesta(meno);
    if (!priecinok.Otvoreny())
        return So_dovodom(Chyba_suboru::Neda_sa_zapisat, cesta, priecinok.Chyba());
    // A name the folder cannot hold is said before anything is made.
    const long najdlhsie = ::fpathconf(priecinok.fd(), _PC_NAME_MAX);
    if (najdlhsie > 0 && Kodovane(meno).size() > najdlhsie)
        return So_dovodom(Chyba_suboru::Neda_sa_zapisat, cesta, ENAMETOOLONG);
    const QString novy = Meno_noveho(meno, najdlhsie);
    const QByteArray nove_meno = Kodovane(novy);
    const int fd = ::openat(priecinok.fd(), nove_meno.constData(), O_WRONLY | O_CREAT | O_EXCL | Bezpecne, 0600);
    if (fd < 0)
        return So_dovodom(Chyba_suboru::Neda_sa_zapisat, cesta);
    // Created private, so that nobody opens it before it is whole.
    std::optional<Totoznost> totoznost;
    const bool ok = Zapis_vsetko(fd, obsah) && Nastav_prava(fd, prava & 0666) && Synchronizuj(fd)
        && (totoznost = Zisti_totoznost(fd, "", AT_EMPTY_PATH));
    const int dovod = Dovod_zapisu_do(priecinok, obsah.size(), errno);
    ::close(fd);
    Chyba_suboru chyba;
    if (!ok)
        chyba = So_dovodom(Chyba_suboru::Neda_sa_zapisat, cesta, dovod);
    else if (smie && !smie(novy, *totoznost))
        chyba = {Chyba_suboru::Prerusene, cesta};
    else if (::renameat(priecinok.fd(), nove_meno.constData(), priecinok.fd(), Kodovane(meno).constData()) != 0)
        chyba = errno == EISDIR ? Chyba_suboru{Chyba_suboru::Nie_je_subor, cesta}
                                : So_dovodom(Chyba_suboru::Neda_sa_zapisat, cesta);
    else
        Krok();
    if (chyba.Je_chyba()) {
        ::unlinkat(priecinok.fd(), nove_meno.constData(), 0);
        return chyba;
    }
    // The new name should outlive a crash as well as the new content; some
    // network file systems cannot sync a folder, and the file is in place.
    (void)Synchronizuj(priecinok.fd());
    return {};
}

namespace {

// Opens `meno` of the folder to append to (and to read, with `citat`): a
// regular file without other names, still what the name stands for once
// open; -1 with `chyba` when not. With `vytvor` a free name gets a new file,
// and `novy` says so.
int Otvor_na_pripisanie(const Priecinok &priecinok, const QString &meno, bool citat, bool vytvor, struct stat &st,
                        Chyba_suboru &chyba, bool &novy)
{
    const QString cesta = priecinok.Cesta(meno);
    novy = false;
    if (!priecinok.Otvoreny()) {
        chyba = So_dovodom(Chyba_suboru::Neda_sa_zapisat, cesta, priecinok.Chyba());
        return -1;
    }
    if (chyba = Skontroluj_meno(priecinok, meno); chyba.Je_chyba())
        return -1;
    const QByteArray nazov = Kodovane(meno);
    const int pristup = (citat ? O_RDWR : O_WRONLY) | O_APPEND | Bezpecne;
    int fd = ::openat(priecinok.fd(), nazov.constData(), pristup);
    if (fd < 0 && errno == ENOENT && vytvor)
        novy = (fd = ::openat(priecinok.fd(), nazov.constData(), pristup | O_CREAT | O_EXCL, 0666)) >= 0;
    if (fd < 0 && errno == EEXIST) // made by another just now
        fd = ::openat(priecinok.fd(), nazov.constData(), pristup);
    if (fd < 0) {
        chyba = errno == ENOENT ? Chyba_suboru{Chyba_suboru::Neexistuje, cesta}
                                : Chyba_otvorenia(cesta, Chyba_suboru::Neda_sa_zapisat);
        return -1;
    }
    struct stat pod_menom {};
    chyba = Skontroluj_otvoreny(fd, cesta, st);
    if (!chyba.Je_chyba()
        && (::fstatat(priecinok.fd(), nazov.constData(), &pod_menom, AT_SYMLINK_NOFOLLOW) != 0
            || pod_menom.st_dev != st.st_dev || pod_menom.st_ino != st.st_ino))
        chyba = {Chyba_suboru::Nie_je_subor, cesta};
    if (chyba.Je_chyba()) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// The file back at `velkost`, what an append wrote past it gone; where it
// is not, errno says why the truncation failed.
bool Vrat(int fd, qint64 velkost)
{
    if (::ftruncate(fd, velkost) == 0)
        return true;
    const int chyba = errno;
    struct stat po {};
    if (::fstat(fd, &po) == 0 && po.st_size == velkost)
        return true;
    errno = chyba;
    return false;
}

// A file system that takes no write at the end of a file it did not just
// make (FAT through FUSE): the file that is open as `fd`, read again
// through it, is written anew with `obsah` after it and renamed over its
// name while `drzi` says that others are still kept from writing it, as
// under the folder's lock: a holder that has lost it would write its copy
// over the entries of the next.
Chyba_suboru Prepis_s_pripisanym(const Priecinok &priecinok, const QString &meno, int fd, const struct stat &st,
                                 const QByteArray &obsah, const std::function<bool()> &drzi)
{
    const QString cesta = priecinok.Cesta(meno);
    const int citanie = ::open(("/proc/self/fd/" + QByteArray::number(fd)).constData(), O_RDONLY | O_CLOEXEC);
    if (citanie < 0)
        return So_dovodom(Chyba_suboru::Neda_sa_zapisat, cesta);
    QByteArray cely;
    Chyba_suboru chyba = Citaj_do_konca(citanie, cesta, st.st_size, cely);
    ::close(citanie);
    if (chyba.Je_chyba())
        return chyba;
    // Changed or replaced meanwhile, by a holder of the lock after us: to
    // be read again under the lock.
    if (cely.size() != st.st_size || !Ma_meno(fd, priecinok.fd(), Kodovane(meno)))
        return {Chyba_suboru::Prerusene, cesta};
    // Read, and no new file yet: another holder may write the log now, and
    // only `drzi` keeps our copy from being renamed over its entry.
    Krok();
    return Nahrad_subor(priecinok, meno, cely + obsah, st.st_mode & 0666,
                        [&drzi](const QString &, const Totoznost &) { return !drzi || drzi(); });
}

bool Pripisanie_odmietnute(int chyba) { return chyba == EPERM || chyba == ENOSYS || chyba == EOPNOTSUPP; }

} // namespace

Chyba_suboru Pripis_k_suboru(const Priecinok &priecinok, const QString &meno, const QByteArray &obsah,
                             const std::function<bool(const Totoznost &)> &smie, const std::function<bool()> &drzi)
{
    struct stat st {};
    Chyba_suboru chyba;
    bool novy = false;
    const int fd = Otvor_na_pripisanie(priecinok, meno, false, true, st, chyba, novy);
    if (fd < 0)
        return chyba.druh == Chyba_suboru::Neexistuje ? Chyba_suboru{Chyba_suboru::Neda_sa_zapisat, chyba.cesta} : chyba;
    qsizetype zapisane = 0;
    if (smie && !smie(Totoznost_otvoreneho(fd, st)))
        chyba = {Chyba_suboru::Prerusene, priecinok.Cesta(meno)};
    else if (!(Zapis_vsetko(fd, obsah, &zapisane) && Synchronizuj(fd))) {
        // An entry is in the log whole or not at all; where what was written
        // cannot be taken back, the caller must not say that nothing was,
        // and says why it stays (the disk disconnected meanwhile).
        const int odmietnutie = errno, dovod = Dovod_zapisu_do(priecinok, obsah.size(), odmietnutie);
        const bool vratene = zapisane == 0 || Vrat(fd, st.st_size);
        chyba = vratene ? So_dovodom(Chyba_suboru::Neda_sa_zapisat, priecinok.Cesta(meno), dovod)
                        : So_dovodom(Chyba_suboru::Zvysok_zapisu, priecinok.Cesta(meno));
        if (vratene && Pripisanie_odmietnute(odmietnutie) && dovod != ENOSPC)
            chyba = Prepis_s_pripisanym(priecinok, meno, fd, st, obsah, drzi);
    }
    ::close(fd);
    // A file made now: its name must outlive a power failure with its
    // content. Not every file system syncs a folder.
    if (novy && !chyba.Je_chyba())
        (void)Synchronizuj(priecinok.fd());
    return chyba;
}

Chyba_suboru Najdi_pripisane(const Priecinok &priecinok, const QString &meno, const Totoznost &pred,
                             const QByteArray &obsah, bool &pripisane)
{
    pripisane = false;
    const QString cesta = priecinok.Cesta(meno);
    struct stat st {};
    Chyba_suboru chyba;
    bool novy = false;
    const int fd = Otvor_na_pripisanie(priecinok, meno, true, false, st, chyba, novy);
    if (fd < 0)
        return chyba.druh == Chyba_suboru::Neexistuje ? Chyba_suboru{} : chyba;
    // Others may have appended after it meanwhile.
    const bool ten_isty = Totoznost_otvoreneho(fd, st).Ten_isty(pred);
    QByteArray za;
    chyba = ::lseek(fd, ten_isty ? pred.velkost : 0, SEEK_SET) < 0 ? Chyba_suboru{Chyba_suboru::Neda_sa_citat, cesta}
                                                                    : Citaj_do_konca(fd, cesta, st.st_size, za);
    if (!chyba.Je_chyba() && ten_isty && !za.isEmpty() && za.size() < obsah.size() && obsah.startsWith(za)) {
        if (!(Vrat(fd, pred.velkost) && Synchronizuj(fd)))
            chyba = So_dovodom(Chyba_suboru::Neda_sa_zapisat, cesta);
    } else if (!chyba.Je_chyba()) {
        pripisane = za.contains(obsah);
    }
    ::close(fd);
    return chyba;
}

} // namespace Misc
