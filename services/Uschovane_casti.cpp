#include "services/Uschovane_casti.h"

#include "services/Druh_disku.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <optional>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Misc {

namespace {

// A part may be found between its creation and its lock only while it is
// this young and still empty.
constexpr std::time_t Vek_novej = 60;

// How a note of a kept result starts.
const QByteArray Zaciatok_vysledku = QByteArrayLiteral("P ");

void Zavri(int &fd, Priecinok_uschovanych &priecinok)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
    priecinok.reset();
}

// Removed while still held, so that nobody takes it in between, and
// relative to the folder it was found in, whatever its path names now.
bool Odstran(int priecinok, const QString &meno)
{
    if (::unlinkat(priecinok, QFile::encodeName(meno).constData(), 0) != 0)
        return false;
    Krok();
    return true;
}

// A kept file that holds no result: renamed to "….poskodeny", so that it
// is reported once and stays for a person to look at.
void Odloz(const Priecinok &priecinok, const QString &meno, QStringList &poskodene)
{
    const QString stranou = meno + QStringLiteral(".poskodeny");
    if (::renameat(priecinok.fd(), QFile::encodeName(meno).constData(), priecinok.fd(),
                   QFile::encodeName(stranou).constData())
        == 0)
        poskodene << priecinok.Cesta(stranou);
}

// Larger than any kept result.
constexpr qint64 Najvacsi_vysledok = 1024 * 1024;

// A kept file as the intake finds it: `fd` held (locked) by the caller,
// what the file holds read whole.
struct Najdeny_subor {
    int fd = -1;
    struct stat st {};
    QByteArray bajty;
};

// The steps every kept file is taken in by. What stands under the name is
// looked at without opening or following it (opening a device may already
// do something), then opened, locked, its name checked and read: a file a
// running program holds, or one taken in and removed just now, is passed
// by; a link, a folder, a FIFO or a file larger than any kept result is set
// aside as damaged; one that cannot be read now is left for the next time.
std::optional<Najdeny_subor> Najdi(const Priecinok &priecinok, const QString &meno, QStringList &poskodene)
{
    const QByteArray nazov = QFile::encodeName(meno);
    Najdeny_subor f;
    if (::fstatat(priecinok.fd(), nazov.constData(), &f.st, AT_SYMLINK_NOFOLLOW) != 0)
        return std::nullopt;
    if (!S_ISREG(f.st.st_mode)) {
        Odloz(priecinok, meno, poskodene);
        return std::nullopt;
    }
    f.fd = ::openat(priecinok.fd(), nazov.constData(), O_RDWR | Bezpecne);
    if (f.fd < 0)
        return std::nullopt;
    Chyba_suboru citanie;
    const bool drzany = Zamkni_subor(f.fd) && Ma_meno(f.fd, priecinok.fd(), nazov) && ::fstat(f.fd, &f.st) == 0;
    if (drzany && S_ISREG(f.st.st_mode) && f.st.st_size <= Najvacsi_vysledok
        && !(citanie = Citaj_do_konca(f.fd, priecinok.Cesta(meno), f.st.st_size, f.bajty)).Je_chyba())
        return f;
    if (drzany && citanie.druh != Chyba_suboru::Neda_sa_citat)
        Odloz(priecinok, meno, poskodene);
    ::close(f.fd);
    return std::nullopt;
}

// The names of kept files ending in `pripona`, oldest first, whatever they
// are: links, folders and FIFOs among them are reported, not passed by.
QStringList Mena(const QString &pripona)
{
    return QDir(Adresar_uschovanych())
        .entryList({QLatin1Char('*') + pripona}, QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

QString Adresar_uschovanych()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/loravik-kvantira2/neulozene/");
}

Uschovana_cast::~Uschovana_cast()
{
    Zavri(fd_, priecinok_);
}

Uschovana_cast::Uschovana_cast(Uschovana_cast &&ina) noexcept
    : fd_(std::exchange(ina.fd_, -1))
    , priecinok_(std::move(ina.priecinok_))
    , meno_(std::move(ina.meno_))
    , text_(std::move(ina.text_))
{
}

Uschovana_cast &Uschovana_cast::operator=(Uschovana_cast &&ina) noexcept
{
    if (this != &ina) {
        Zavri(fd_, priecinok_);
        fd_ = std::exchange(ina.fd_, -1), priecinok_ = std::move(ina.priecinok_);
        meno_ = std::move(ina.meno_), text_ = std::move(ina.text_);
    }
    return *this;
}

void Uschovana_cast::Zabudni()
{
    if (fd_ < 0)
        return;
    if (Odstran(priecinok_->fd(), meno_))
        (void)Synchronizuj(priecinok_->fd());
    Zavri(fd_, priecinok_);
}

// One file of the folder as the intake meets it.
struct Citanie_uschovanych {
    const Priecinok &priecinok;
    const QString &hd, &druh;
    const std::function<bool(const QString &)> &cela;
    Uschovane &uschovane;
    const Priecinok_uschovanych &spolocny; // `priecinok`, for the parts taken in

    void Precitaj(const QString &meno)
    {
        std::optional<Najdeny_subor> f = Najdi(priecinok, meno, uschovane.poskodene);
        if (!f)
            return;
        Uschovana_cast cast;
        cast.fd_ = f->fd, cast.meno_ = meno;
        const QByteArray &bajty = f->bajty;
        if (bajty.isEmpty() && std::time(nullptr) - f->st.st_mtime < Vek_novej)
            return; // its program has not yet locked it
        const QString obsah = QString::fromUtf8(bajty);
        const qsizetype prvy = obsah.indexOf(QLatin1Char('\n'));
        const qsizetype druhy = obsah.indexOf(QLatin1Char('\n'), prvy + 1);
        const bool hlavicka = prvy > 0 && druhy > prvy;
        if (hlavicka && obsah.left(prvy) != hd)
            return; // another data folder's
        if (hlavicka && obsah.mid(prvy + 1, druhy - prvy - 1) != druh)
            return;
        cast.text_ = obsah.mid(druhy + 1);
        if (hlavicka && cela(cast.text_)) {
            cast.priecinok_ = spolocny;
            uschovane.casti.push_back(std::move(cast));
            return;
        }
        Odloz(priecinok, meno, uschovane.poskodene);
    }
};

Uschovane Vezmi_uschovane(const QString &hd, const QString &druh, const std::function<bool(const QString &)> &cela)
{
    Uschovane uschovane;
    const QStringList mena = Mena(QStringLiteral(".txt"));
    if (mena.isEmpty())
        return uschovane;
    const auto priecinok = std::make_shared<const Priecinok>(Adresar_uschovanych());
    Citanie_uschovanych citanie{*priecinok, hd, druh, cela, uschovane, priecinok};
    for (const QString &meno : mena)
        citanie.Precitaj(meno);
    return uschovane;
}

namespace {

// Two slots of the note, then the parts.
constexpr qint64 Slot = 1024, Telo = 2 * Slot;
const QByteArray Druh_vysledku = QByteArrayLiteral("vysledok");
const QString Pripona_vysledku = QStringLiteral(".vysledok");

QString Meno_vysledku()
{
    return QStringLiteral("%1-%2")
        .arg(QDateTime::currentMSecsSinceEpoch(), 15, 10, QLatin1Char('0'))
        .arg(QRandomGenerator::system()->generate64(), 16, 16, QLatin1Char('0'));
}

// FNV-1a: finds a note cut short or parts it does not match.
quint64 Kontrola(const QByteArray &a, const QByteArray &b) { return Kontrolny_sucet(b, Kontrolny_sucet(a)); }

void Pridaj(QByteArray &text, const Totoznost &t)
{
    for (const qint64 n : {qint64(t.dev), qint64(t.ino), t.velkost, t.mtime, t.ctime})
        text += ' ' + QByteArray::number(n);
    text += ' ' + QByteArray::number(t.obsah, 16);
}

Totoznost Totoznost_z(const QList<QByteArray> &polia, qsizetype od)
{
    return {polia[od].toULongLong(),    polia[od + 1].toULongLong(), polia[od + 2].toLongLong(),
            polia[od + 3].toLongLong(), polia[od + 4].toLongLong(),  polia[od + 5].toULongLong(nullptr, 16)};
}

// "P <order> <step> <row from> <row length> <log from> <log length> <end>
// <new table's name in hex> <its identity> <old table> <equal rows> <log>
// <birth times of the three> <their handles' checksums in hex> <checksum>",
// the places counted from the end of the slots. Notes of the versions before
// had no handles, and no birth times either.
QByteArray Text_poznamky(const Poznamka &p, quint64 poradie, qint64 riadok_od, qint64 riadok_dlzka, qint64 log_od,
                         qint64 log_dlzka, const QByteArray &telo)
{
    QByteArray text = Zaciatok_vysledku + QByteArray::number(poradie) + ' ' + char(p.krok);
    for (const qint64 n : {riadok_od, riadok_dlzka, log_od, log_dlzka, qint64(telo.size())})
        text += ' ' + QByteArray::number(n);
    text += ' ' + (p.novy.isEmpty() ? QByteArrayLiteral("-") : p.novy.toUtf8().toHex());
    Pridaj(text, p.novy_subor);
    Pridaj(text, p.stara);
    text += ' ' + QByteArray::number(p.rovnakych);
    Pridaj(text, p.log);
    for (const Totoznost *t : {&p.novy_subor, &p.stara, &p.log})
        text += ' ' + QByteArray::number(t->zrodenie);
    for (const Totoznost *t : {&p.novy_subor, &p.stara, &p.log})
        text += ' ' + QByteArray::number(t->rodne_cislo, 16);
    text += ' ' + QByteArray::number(Kontrola(text, telo), 16);
    return text.size() < Slot ? text.leftJustified(Slot - 1, ' ') + '\n' : QByteArray();
}

struct Precitana_poznamka {
    Poznamka poznamka;
    quint64 poradie = 0;
    qint64 riadok_od = 0, riadok_dlzka = 0, log_od = 0, log_dlzka = 0;
};

std::optional<Precitana_poznamka> Poznamka_zo_slotu(const QByteArray &slot, const QByteArray &telo)
{
    const QByteArray text = slot.trimmed();
    const QList<QByteArray> polia = text.split(' ');
    const qsizetype poli = polia.size();
    if (!text.startsWith(Zaciatok_vysledku) || (poli != 29 && poli != 32 && poli != 35))
        return std::nullopt;
    const qint64 koniec = polia[7].toLongLong();
    if (koniec < 0 || koniec > telo.size()
        || Kontrola(text.left(text.lastIndexOf(' ')), telo.left(koniec)) != polia.last().toULongLong(nullptr, 16))
        return std::nullopt;
    Precitana_poznamka p;
    p.poradie = polia[1].toULongLong();
    p.poznamka.krok = Poznamka::Krok(polia[2].at(0));
    p.riadok_od = polia[3].toLongLong(), p.riadok_dlzka = polia[4].toLongLong();
    p.log_od = polia[5].toLongLong(), p.log_dlzka = polia[6].toLongLong();
    if (polia[8] != "-")
        p.poznamka.novy = QString::fromUtf8(QByteArray::fromHex(polia[8]));
    p.poznamka.novy_subor = Totoznost_z(polia, 9);
    p.poznamka.stara = Totoznost_z(polia, 15);
    p.poznamka.rovnakych = polia[21].toLongLong();
    p.poznamka.log = Totoznost_z(polia, 22);
    qsizetype dalsie = 28;
    for (Totoznost *t : {&p.poznamka.novy_subor, &p.poznamka.stara, &p.poznamka.log})
        t->zrodenie = poli >= 32 ? polia[dalsie++].toLongLong() : 0;
    for (Totoznost *t : {&p.poznamka.novy_subor, &p.poznamka.stara, &p.poznamka.log})
        t->rodne_cislo = poli >= 35 ? polia[dalsie++].toULongLong(nullptr, 16) : 0;
    const auto vnutri = [koniec](qint64 od, qint64 dlzka) { return od >= 0 && dlzka >= 0 && od + dlzka <= koniec; };
    if (!vnutri(p.riadok_od, p.riadok_dlzka) || !vnutri(p.log_od, p.log_dlzka))
        return std::nullopt;
    return p;
}

bool Zapis_na(int fd, const QByteArray &bajty, qint64 kde)
{
    return ::lseek(fd, kde, SEEK_SET) == kde && Zapis_vsetko(fd, bajty);
}

} // namespace

Uschovany_vysledok Uschovany_vysledok::Uschovaj(const QString &hd, const QString &riadok, const QString &log,
                                                Poznamka::Krok krok)
{
    Uschovany_vysledok v;
    // Judged by the nearest folder that is there: not even the folder is
    // made on a disk that spoils files.
    QString kde = QDir::cleanPath(Adresar_uschovanych());
    while (!QFileInfo(kde).isDir() && QFileInfo(kde).path() != kde)
        kde = QFileInfo(kde).path();
    if (Priecinok(kde).Kazi_subory()) {
        v.chyba_ = Disk_kazi_subory;
        return v;
    }
    errno = 0;
    if (!QDir().mkpath(Adresar_uschovanych())) {
        v.chyba_ = errno;
        return v;
    }
    const auto priecinok = std::make_shared<const Priecinok>(Adresar_uschovanych());
    const QByteArray hlavicka = (hd + QLatin1Char('\n')).toUtf8() + Druh_vysledku + '\n';
    const QByteArray r = riadok.toUtf8(), l = log.toUtf8();
    v.telo_ = hlavicka + r + l;
    v.riadok_ = riadok, v.log_ = log;
    v.riadok_od_ = hlavicka.size(), v.log_od_ = hlavicka.size() + r.size();
    v.poznamka_.krok = krok;
    v.poradie_ = 1;
    // Note n lies in slot n % 2: the first in the second slot.
    const QByteArray obsah = QByteArray(Slot - 1, ' ') + '\n'
        + Text_poznamky(v.poznamka_, 1, v.riadok_od_, r.size(), v.log_od_, l.size(), v.telo_) + v.telo_;
    const QString meno = Meno_vysledku();
    const QByteArray novy = QFile::encodeName(meno + QStringLiteral(".novy")),
                     uschovany = QFile::encodeName(meno + Pripona_vysledku);
    const int fd = ::openat(priecinok->fd(), novy.constData(), O_RDWR | O_CREAT | O_EXCL | Bezpecne, 0600);
    if (fd < 0) {
        v.chyba_ = errno;
        return v;
    }
    // Held before it bears the name under which it is taken in.
    const bool zamknuty = Zamkni_subor(fd);
    const bool zapisany = zamknuty && Zapis_vsetko(fd, obsah) && Synchronizuj(fd);
    if (zapisany && ::renameat(priecinok->fd(), novy.constData(), priecinok->fd(), uschovany.constData()) == 0) {
        v.fd_ = fd, v.priecinok_ = priecinok, v.meno_ = meno + Pripona_vysledku;
        // Written on through a descriptor opened under the new name: fusefat
        // writes a file's size into the folder's entry it had when opened,
        // which the rename has moved. The first one keeps the lock.
        v.zapis_ = ::openat(priecinok->fd(), uschovany.constData(), O_RDWR | Bezpecne);
        struct stat st {}, zapis {};
        if (v.zapis_ >= 0
            && (::fstat(fd, &st) != 0 || ::fstat(v.zapis_, &zapis) != 0 || st.st_ino != zapis.st_ino
                || st.st_dev != zapis.st_dev))
            ::close(std::exchange(v.zapis_, -1));
        Krok();
        (void)Synchronizuj(priecinok->fd()); // not every file system syncs a folder
        return v;
    }
    v.chyba_ = zamknuty && !zapisany ? Dovod_zapisu_do(*priecinok, obsah.size(), errno) : errno;
    ::unlinkat(priecinok->fd(), novy.constData(), 0);
    ::close(fd);
    return v;
}

Uschovany_vysledok::~Uschovany_vysledok() { Zavri_vsetko(); }

void Uschovany_vysledok::Zavri_vsetko()
{
    if (zapis_ >= 0)
        ::close(std::exchange(zapis_, -1));
    Zavri(fd_, priecinok_);
}

Uschovany_vysledok::Uschovany_vysledok(Uschovany_vysledok &&iny) noexcept { *this = std::move(iny); }

Uschovany_vysledok &Uschovany_vysledok::operator=(Uschovany_vysledok &&iny) noexcept
{
    if (this != &iny) {
        Zavri_vsetko();
        fd_ = std::exchange(iny.fd_, -1), chyba_ = iny.chyba_, priecinok_ = std::move(iny.priecinok_);
        zapis_ = std::exchange(iny.zapis_, -1);
        meno_ = std::move(iny.meno_), riadok_ = std::move(iny.riadok_), log_ = std::move(iny.log_);
        poznamka_ = iny.poznamka_, poradie_ = iny.poradie_, odstraneny_ = iny.odstraneny_;
        riadok_od_ = iny.riadok_od_, log_od_ = iny.log_od_;
        telo_ = std::move(iny.telo_);
    }
    return *this;
}

bool Uschovany_vysledok::Zapis_poznamku(const Poznamka &poznamka, qint64 log_od, qint64 log_dlzka)
{
    if (fd_ < 0)
        return false;
    const QByteArray text = Text_poznamky(poznamka, poradie_ + 1, riadok_od_, riadok_.toUtf8().size(), log_od,
                                          log_dlzka, telo_);
    // The other slot: the note in force stays whole until this one is.
    if (text.isEmpty() || !Zapis_na(Na_zapis(), text, ((poradie_ + 1) % 2) * Slot) || !Synchronizuj(Na_zapis()))
        return false;
    ++poradie_;
    poznamka_ = poznamka;
    return true;
}

bool Uschovany_vysledok::Zaznamenaj(const Poznamka &poznamka)
{
    return Zapis_poznamku(poznamka, log_od_, log_.toUtf8().size());
}

bool Uschovany_vysledok::Nahrad_log(const QString &log)
{
    if (log == log_ || fd_ < 0)
        return fd_ >= 0;
    // Written after the parts; the next note points at it.
    const QByteArray bajty = log.toUtf8();
    const qint64 od = telo_.size();
    telo_ += bajty;
    if (!Zapis_na(Na_zapis(), bajty, Telo + od) || !Zapis_poznamku(poznamka_, od, bajty.size())) {
        telo_.truncate(od);
        return false;
    }
    log_ = log, log_od_ = od;
    return true;
}

void Uschovany_vysledok::Odstran()
{
    if (fd_ >= 0 && !odstraneny_)
        odstraneny_ = Misc::Odstran(priecinok_->fd(), meno_);
}

void Uschovany_vysledok::Zabudni()
{
    if (fd_ < 0)
        return;
    Odstran();
    if (odstraneny_)
        (void)Synchronizuj(priecinok_->fd());
    Zavri_vsetko();
}

// One file of the folder as the intake of whole results meets it.
struct Citanie_uschovanych_vysledkov {
    const Priecinok &priecinok;
    const QByteArray hlavicka;
    Uschovane_vysledky &uschovane;
    const Priecinok_uschovanych &spolocny; // `priecinok`, for the results taken in

    void Precitaj(const QString &meno)
    {
        std::optional<Najdeny_subor> f = Najdi(priecinok, meno, uschovane.poskodene);
        if (!f)
            return;
        Uschovany_vysledok v;
        v.fd_ = f->fd;
        const QByteArray &bajty = f->bajty;
        const QByteArray telo = bajty.mid(Telo);
        std::optional<Precitana_poznamka> p;
        for (qint64 slot : {0, 1})
            if (auto iny = Poznamka_zo_slotu(bajty.mid(slot * Slot, Slot), telo);
                iny && (!p || iny->poradie > p->poradie))
                p = iny;
        if (p && !telo.startsWith(hlavicka))
            return; // another data folder's
        if (!p)
            return Odloz(priecinok, meno, uschovane.poskodene);
        v.priecinok_ = spolocny;
        v.meno_ = meno;
        v.poznamka_ = p->poznamka, v.poradie_ = p->poradie;
        v.riadok_od_ = p->riadok_od, v.log_od_ = p->log_od;
        v.telo_ = telo.left(std::max(p->riadok_od + p->riadok_dlzka, p->log_od + p->log_dlzka));
        v.riadok_ = QString::fromUtf8(telo.mid(p->riadok_od, p->riadok_dlzka));
        v.log_ = QString::fromUtf8(telo.mid(p->log_od, p->log_dlzka));
        uschovane.vysledky.push_back(std::move(v));
    }

    // A result its program was killed while keeping: never taken in, and
    // its program has long let it go.
    void Odstran_nedokonceny(const QString &meno)
    {
        const QByteArray nazov = QFile::encodeName(meno);
        const int fd = ::openat(priecinok.fd(), nazov.constData(), O_RDWR | Bezpecne);
        struct stat st {};
        if (fd >= 0 && Zamkni_subor(fd) && ::fstat(fd, &st) == 0 && std::time(nullptr) - st.st_mtime >= Vek_novej
            && Ma_meno(fd, priecinok.fd(), nazov))
            ::unlinkat(priecinok.fd(), nazov.constData(), 0);
        if (fd >= 0)
            ::close(fd);
    }
};

Uschovane_vysledky Vezmi_vysledky(const QString &hd)
{
    Uschovane_vysledky uschovane;
    const QStringList mena = Mena(Pripona_vysledku);
    const QStringList nedokoncene =
        QDir(Adresar_uschovanych()).entryList({QStringLiteral("*.novy")}, QDir::Files, QDir::Name);
    if (mena.isEmpty() && nedokoncene.isEmpty())
        return uschovane;
    const auto priecinok = std::make_shared<const Priecinok>(Adresar_uschovanych());
    Citanie_uschovanych_vysledkov citanie{*priecinok, (hd + QLatin1Char('\n')).toUtf8() + Druh_vysledku + '\n',
                                          uschovane, priecinok};
    for (const QString &meno : nedokoncene)
        citanie.Odstran_nedokonceny(meno);
    for (const QString &meno : mena)
        citanie.Precitaj(meno);
    return uschovane;
}

} // namespace Misc
