#include "shell/Vysledky.h"

#include "platform/ResourcePath.h"
#include "services/Bezpecny_subor.h"
#include "services/Text_1250.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QStandardPaths>
#include <QSysInfo>
#include <QThread>

#include <algorithm>
#include <bitset>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace Vysledky {

namespace {

const QString konec_riadku = QStringLiteral("\r\n");

// A field as the runtime's conversion reads it: blanks around the digits
// allowed, nothing else, and the value within [od, po].
std::optional<int> Cislo_pola(QStringView pole, int od, int po)
{
    bool ok = false;
    const int n = pole.trimmed().toInt(&ok);
    if (!ok || n < od || n > po)
        return std::nullopt;
    return n;
}

} // namespace

namespace {

bool Skor(const Zaznam_vysledku &a, const Zaznam_vysledku &b)
{
    if ((a.Znamka > 0) != (b.Znamka > 0))
        return a.Znamka > 0;
    if (a.Znamka != b.Znamka)
        return a.Znamka < b.Znamka;
    if (a.spravne != b.spravne)
        return a.spravne > b.spravne;
    return a.spatne < b.spatne;
}

} // namespace

void Zorad_zaznamy(QList<Zaznam_vysledku> &zaznamy) { std::stable_sort(zaznamy.begin(), zaznamy.end(), Skor); }

namespace {

// The characters Windows-1250 holds, control characters and "|" left out:
// every name of the table is looked at each time it is written.
const std::bitset<65536> &Znaky_mena()
{
    static const std::bitset<65536> znaky = [] {
        std::bitset<65536> z;
        for (int b = 0x20; b < 256; ++b) {
            const QString znak = Misc::Text_z_1250(QByteArray(1, char(b)));
            if (znak.size() == 1 && znak[0] != QChar::ReplacementCharacter && znak[0] != QLatin1Char('|')
                && znak[0].category() != QChar::Other_Control)
                z.set(znak[0].unicode());
        }
        return z;
    }();
    return znaky;
}

} // namespace

QString Jmeno_pro_soubor(const QString &jmeno)
{
    // Almost every name is fine as it is.
    const std::bitset<65536> &znaky = Znaky_mena();
    if (std::all_of(jmeno.cbegin(), jmeno.cend(), [&znaky](QChar c) { return znaky.test(c.unicode()); }))
        return jmeno;
    QString s;
    for (const char32_t c : QString(jmeno).replace(QLatin1String("\r\n"), QLatin1String("\n")).toUcs4()) {
        if (c == U'\r' || c == U'\n' || c == U'\t') {
            s += QLatin1Char(' ');
        } else if (c == U'|') {
            s += QLatin1Char('/');
        } else if (QChar::category(c) != QChar::Other_Control) {
            s += c <= 0xFFFF && znaky.test(c) ? QChar(char16_t(c)) : QLatin1Char('?');
        }
    }
    return s;
}

QString Cislo_so_znamienkom(int n)
{
    return n < 0 ? QString::number(n) : QLatin1Char(' ') + QString::number(n);
}

namespace {

// Appends in place: the whole table is written at every save.
void Pripoj_cislo(QString &text, int n, bool znamienko)
{
    char cislice[16];
    char *zaciatok = cislice + 1;
    cislice[0] = ' ';
    const auto [koniec, chyba] = std::to_chars(zaciatok, std::end(cislice), n);
    (void)chyba;
    if (znamienko && n >= 0)
        zaciatok = cislice;
    text.append(QLatin1StringView(zaciatok, koniec - zaciatok));
}

void Pripoj_riadok(QString &text, const Zaznam_vysledku &z)
{
    Pripoj_cislo(text, z.cislo_ulohy, false);
    text += QLatin1Char('|');
    text += Jmeno_pro_soubor(z.jmeno);
    for (const int n : {z.spravne, z.spatne, z.Znamka, z.ID}) {
        text += QLatin1Char('|');
        Pripoj_cislo(text, n, true);
    }
}

} // namespace

QString Riadok_zaznamu(const Zaznam_vysledku &z)
{
    QString riadok;
    Pripoj_riadok(riadok, z);
    return riadok;
}

std::optional<Zaznam_vysledku> Zaznam_z_riadku(const QString &riadok)
{
    // Characters after a sixth "|" belong to no field. Views: a table of
    // 100,000 lines is read at every save.
    QStringView polia[6];
    int pocet = 0;
    for (const QStringView pole : QStringView(riadok).tokenize(QLatin1Char('|'))) {
        polia[pocet] = pole;
        if (++pocet == 6)
            break;
    }
    if (pocet < 6)
        return std::nullopt;
    constexpr int min = std::numeric_limits<qint16>::min();
    constexpr int max = std::numeric_limits<qint16>::max();
    const auto uloha = Cislo_pola(polia[0], min, max);
    const auto spravne = Cislo_pola(polia[2], min, max);
    const auto spatne = Cislo_pola(polia[3], min, max);
    const auto znamka = Cislo_pola(polia[4], min, max);
    const auto id = Cislo_pola(polia[5], 0, 255);
    if (!uloha || !spravne || !spatne || !znamka || !id)
        return std::nullopt;
    return Zaznam_vysledku{*uloha, polia[1].toString(), *spravne, *spatne, *znamka, *id};
}

Tabulka_zo_suboru Nacti_tabulku_ze_souboru(const QString &cesta)
{
    Tabulka_zo_suboru tabulka;
    const Misc::Chyba_suboru chyba = Misc::Precitaj_subor(platform::resolvePath(cesta), tabulka.bajty);
    if (chyba.druh == Misc::Chyba_suboru::Neexistuje)
        return tabulka;
    if (chyba.Je_chyba()) {
        tabulka.precitana = false;
        tabulka.dovod = chyba.druh == Misc::Chyba_suboru::Nie_je_subor ? Zapis::Nie_je_subor
            : chyba.druh == Misc::Chyba_suboru::Prilis_velky          ? Zapis::Prilis_velky
                                                                      : Zapis::Necitatelny;
        return tabulka;
    }
    const QStringList riadky = Misc::Riadky_suboru(tabulka.bajty);
    tabulka.zaznamy.reserve(riadky.size());
    for (const QString &riadok : riadky) {
        if (const auto z = Zaznam_z_riadku(riadok))
            tabulka.zaznamy.append(*z);
        else if (!riadok.trimmed().isEmpty())
            ++tabulka.neprecitane;
    }
    return tabulka;
}

bool Uloz_tabulku_do_souboru(const QString &cesta, const QList<Zaznam_vysledku> &zaznamy)
{
    QString text;
    text.reserve(zaznamy.size() * 48);
    for (const Zaznam_vysledku &z : zaznamy) {
        Pripoj_riadok(text, z);
        text += konec_riadku;
    }
    const QByteArray bajty = Misc::Text_do_1250(text);
    const QString subor = platform::resolvePath(cesta);
    // QSaveFile writes through a link to its target: look at the name before
    // and after it opens.
    if (Misc::Mozno_zapisat(subor).Je_chyba())
        return false;
    QSaveFile zapis(subor);
    if (!zapis.open(QIODevice::WriteOnly))
        return false;
    // commit() does not see a failed flush (a full disk): check each step.
    if (Misc::Mozno_zapisat(subor).Je_chyba() || zapis.write(bajty) != bajty.size() || !zapis.flush()
        || zapis.error() != QFileDevice::NoError) {
        zapis.cancelWriting();
        zapis.commit();
        return false;
    }
    return zapis.commit();
}

namespace {

QByteArray Obsah_zamku(const QString &cesta)
{
    QByteArray obsah;
    Misc::Precitaj_subor(cesta, obsah);
    return obsah;
}

// This boot of this machine wrote the lock, and its process is gone.
bool Zamok_mrtveho_procesu(const QByteArray &obsah)
{
    const QList<QByteArray> riadky = obsah.split('\n');
    if (riadky.size() < 3 || riadky[1].isEmpty() || riadky[1] != QSysInfo::bootUniqueId())
        return false;
    bool ok = false;
    const qint64 pid = riadky[0].toLongLong(&ok);
    if (!ok || pid <= 0)
        return false;
    if (::kill(pid_t(pid), 0) != 0)
        return errno == ESRCH;
    // An ended process not yet reaped by its parent holds nothing.
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    const QByteArray riadok = stat.open(QIODevice::ReadOnly) ? stat.readLine() : QByteArray();
    const qsizetype koniec_mena = riadok.lastIndexOf(')');
    return koniec_mena > 0 && riadok.mid(koniec_mena + 2, 1) == "Z";
}

// Moves the stale lock out of the way. Should another program have replaced
// it meanwhile, its lock is put back.
void Odstran_zastaraly(const QString &cesta, const QByteArray &zastaraly, QRandomGenerator &nahoda)
{
    const QString bokom = cesta + QStringLiteral(".%1.stary").arg(nahoda.generate64(), 16, 16, QLatin1Char('0'));
    if (!QFile::rename(cesta, bokom))
        return;
    if (Obsah_zamku(bokom) != zastaraly)
        (void)::link(QFile::encodeName(bokom).constData(), QFile::encodeName(cesta).constData());
    QFile::remove(bokom);
}

} // namespace

Zamok_vysledkov::Zamok_vysledkov(const QString &subor, std::chrono::milliseconds cakanie,
                                 const std::function<void()> &pocas)
    : cesta_(QFileInfo(platform::resolvePath(subor)).absolutePath() + QStringLiteral("/Vysledky.lock"))
{
    // Not the exercises' random source: that one is seeded once for the run.
    QRandomGenerator nahoda(QRandomGenerator::system()->generate());
    obsah_ = QByteArray::number(QCoreApplication::applicationPid()) + '\n' + QSysInfo::bootUniqueId() + '\n'
        + QSysInfo::machineHostName().toUtf8() + '\n' + QByteArray::number(nahoda.generate64(), 16) + '\n';
    const QByteArray meno = QFile::encodeName(cesta_);
    QElapsedTimer hodiny;
    hodiny.start();
    QByteArray videny;
    qint64 videny_od = 0;
    for (;;) {
        const int fd = ::open(meno.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0) {
            const bool zapisany = ::write(fd, obsah_.constData(), size_t(obsah_.size())) == obsah_.size();
            ::close(fd);
            if (zapisany)
                return;
            ::unlink(meno.constData());
            stav_ = Zapis::Nezapisany;
            return;
        }
        if (errno != EEXIST) {
            stav_ = Zapis::Nezapisany;
            return;
        }
        struct stat st {};
        if (::lstat(meno.constData(), &st) != 0)
            continue; // released just now
        if (!S_ISREG(st.st_mode)) {
            stav_ = Zapis::Zamok_nie_je_subor;
            return;
        }
        const QByteArray obsah = Obsah_zamku(cesta_);
        if (obsah != videny)
            videny = obsah, videny_od = hodiny.elapsed();
        if (Zamok_mrtveho_procesu(obsah) || hodiny.elapsed() - videny_od >= Zastaraly_zamok.count()) {
            Odstran_zastaraly(cesta_, obsah, nahoda);
            continue;
        }
        if (hodiny.elapsed() >= cakanie.count()) {
            stav_ = Zapis::Obsadeny;
            return;
        }
        if (pocas)
            pocas();
        // Short and spread: waiters released together do not retry together.
        QThread::msleep(5 + nahoda.bounded(40));
    }
}

Zamok_vysledkov::~Zamok_vysledkov()
{
    if (stav_ == Zapis::Hotovy && Obsah_zamku(cesta_) == obsah_)
        QFile::remove(cesta_);
}

QString Text_zapisu(Zapis z, const QString &cesta)
{
    static const struct {
        Zapis zapis;
        const char *text; // %1 the file
    } texty[] = {
        {Zapis::Hotovy, ""},
        {Zapis::Obsadeny, "Výsledok sa nepodarilo zapísať do súboru %1: súbor práve zapisuje iný program."},
        {Zapis::Necitatelny, "Súbor %1 sa nedá prečítať, preto doň výsledok nebol zapísaný."},
        {Zapis::Nezapisany, "Výsledok sa nepodarilo zapísať do súboru %1."},
        {Zapis::Nie_je_subor, "%1 nie je obyčajný súbor (je to odkaz, adresár alebo zariadenie), "
                              "preto doň výsledok nebol zapísaný a súbor ostal nezmenený."},
        {Zapis::Prilis_velky, "Súbor %1 je väčší, než aký program môže mať (64 MiB), preto doň výsledok "
                              "nebol zapísaný."},
        {Zapis::Zamok_nie_je_subor, "Výsledok sa nepodarilo zapísať: namiesto zámku %1 je v adresári s dátami "
                                    "adresár alebo iný súbor. Kým ho niekto neodstráni, výsledky sa nedajú zapísať."},
    };
    for (const auto &t : texty)
        if (t.zapis == z)
            return QString::fromUtf8(t.text).arg(QDir::toNativeSeparators(
                z == Zapis::Zamok_nie_je_subor ? QFileInfo(platform::resolvePath(cesta)).absolutePath()
                        + QStringLiteral("/Vysledky.lock")
                                               : platform::resolvePath(cesta)));
    return {};
}

namespace {

// The table is kept sorted: a new result goes after its equals by binary
// search, without sorting the whole table again.
void Pridaj(QList<Zaznam_vysledku> &zaznamy, const QList<Zaznam_vysledku> &nove)
{
    for (Zaznam_vysledku &z : zaznamy)
        z.ID = 0;
    // Only the last one added keeps its ID.
    QList<Zaznam_vysledku> pridane = nove;
    for (qsizetype i = 0; i + 1 < pridane.size(); ++i)
        pridane[i].ID = 0;
    if (!std::is_sorted(zaznamy.cbegin(), zaznamy.cend(), Skor)) {
        zaznamy += pridane;
        Zorad_zaznamy(zaznamy);
        return;
    }
    for (const Zaznam_vysledku &z : pridane)
        zaznamy.insert(std::upper_bound(zaznamy.cbegin(), zaznamy.cend(), z, Skor) - zaznamy.cbegin(), z);
}

// A byte-for-byte copy beside the file under a name not yet taken; empty
// when none could be made.
QString Odloz_kopiu(const QString &cesta, const QByteArray &bajty)
{
    const QString subor = platform::resolvePath(cesta);
    for (int n = 1; n < 100; ++n) {
        const QString kopia = subor + (n == 1 ? QStringLiteral(".bak") : QStringLiteral(".%1.bak").arg(n));
        if (Misc::Zapis_novy_subor(kopia, bajty))
            return kopia;
        struct stat st {};
        if (::lstat(QFile::encodeName(kopia).constData(), &st) != 0)
            break;
    }
    return {};
}

} // namespace

Pridanie Pridaj_do_tabulky(const Zamok_vysledkov &zamok, const QString &cesta, QList<Zaznam_vysledku> &zaznamy,
                           const QList<Zaznam_vysledku> &nove)
{
    if (zamok.Stav() != Zapis::Hotovy) {
        Pridaj(zaznamy, nove);
        return {zamok.Stav(), {}};
    }
    Tabulka_zo_suboru tabulka = Nacti_tabulku_ze_souboru(cesta);
    if (!tabulka.precitana) {
        Pridaj(zaznamy, nove);
        return {tabulka.dovod, {}};
    }
    zaznamy = std::move(tabulka.zaznamy);
    Pridaj(zaznamy, nove);
    Pridanie pridanie;
    if (tabulka.neprecitane > 0 && (pridanie.kopia = Odloz_kopiu(cesta, tabulka.bajty)).isEmpty())
        return {Zapis::Nezapisany, {}};
    if (!Uloz_tabulku_do_souboru(cesta, zaznamy)) {
        if (!pridanie.kopia.isEmpty())
            QFile::remove(pridanie.kopia);
        return {Misc::Mozno_zapisat(platform::resolvePath(cesta)).Je_chyba() ? Zapis::Nie_je_subor : Zapis::Nezapisany,
                {}};
    }
    return pridanie;
}

Pridanie Pridaj_do_tabulky(const QString &cesta, QList<Zaznam_vysledku> &zaznamy, const Zaznam_vysledku &novy,
                           std::chrono::milliseconds cakanie)
{
    const Zamok_vysledkov zamok(cesta, cakanie);
    return Pridaj_do_tabulky(zamok, cesta, zaznamy, {novy});
}

QString Text_zaznamu_logu(const Zaznam_logu &z, const std::function<QString(int)> &text)
{
    const auto pole = [](const QString &s, int n) { return s.leftJustified(n, QLatin1Char(' ')); };
    const auto stitok = [&text](int i, const char *za) { return text(i) + QLatin1String(za); };
    const QLocale c = QLocale::c();
    QString s;
    s += stitok(31, ": ") + pole(z.jmeno, 35) + QLatin1String("   ")
        + stitok(32, ": ") + pole(c.toString(z.kedy.date(), QStringLiteral("d.M.yyyy")), 10)
        + QLatin1String("   ") + stitok(33, ": ") + c.toString(z.kedy.time(), QStringLiteral("HH:mm"))
        + konec_riadku;
    s += stitok(34, ": ") + pole(z.uloha, 20) + QLatin1Char(' ') + stitok(35, ": ")
        + pole(z.typulohy, 30) + konec_riadku;
    s += stitok(36, ":  ") + pole(Cislo_so_znamienkom(z.pocet_prikladu), 6) + QLatin1String("   ")
        + stitok(37, ":  ") + pole(z.spravne, 6) + QLatin1String("    ")
        + stitok(38, ":  ") + pole(z.spatne, 6) + QLatin1String("    ")
        + stitok(39, ":  ") + z.Znamka + konec_riadku;
    s += QString(75, QLatin1Char('=')) + konec_riadku;
    return s;
}

Zapis Pripis_do_logu(const Zamok_vysledkov &zamok, const QString &cesta, const QString &zaznam)
{
    if (zamok.Stav() != Zapis::Hotovy)
        return zamok.Stav();
    Misc::Chyba_suboru chyba;
    const int fd = Misc::Otvor_na_pripisanie(platform::resolvePath(cesta), chyba);
    if (fd < 0)
        return chyba.druh == Misc::Chyba_suboru::Nie_je_subor ? Zapis::Nie_je_subor
            : chyba.druh == Misc::Chyba_suboru::Prilis_velky  ? Zapis::Prilis_velky
                                                              : Zapis::Nezapisany;
    QFile subor;
    // Unbuffered, so that nothing of a failed write is flushed after it is taken back.
    if (!subor.open(fd, QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered,
                    QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Zapis::Nezapisany;
    }
    const qint64 povodna = subor.size();
    const QByteArray bajty = Misc::Text_do_1250(zaznam);
    if (subor.write(bajty) == bajty.size())
        return Zapis::Hotovy;
    subor.resize(povodna);
    return Zapis::Nezapisany;
}

Zapis Pripis_do_logu(const QString &cesta, const QString &zaznam, std::chrono::milliseconds cakanie)
{
    const Zamok_vysledkov zamok(cesta, cakanie);
    return Pripis_do_logu(zamok, cesta, zaznam);
}

QString Adresar_odlozenych()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/loravik-kvantira2/neulozene/");
}

namespace {

QString Adresar_hd(const QString &cesta) { return QFileInfo(platform::resolvePath(cesta)).absolutePath(); }

const char *Meno_casti(Cast cast) { return cast == Cast::Riadok ? "riadok" : "log"; }

// The kept parts of one kind for one data directory, oldest first: the
// files and their texts. File: the directory, the kind, then the text (UTF-8).
struct Odlozene {
    QStringList subory, texty;
};
Odlozene Nacti_odlozene(const QString &adresar_hd, Cast cast)
{
    Odlozene odlozene;
    const QDir adresar(Adresar_odlozenych());
    for (const QString &meno : adresar.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name)) {
        QByteArray bajty;
        if (Misc::Precitaj_subor(adresar.filePath(meno), bajty).Je_chyba())
            continue;
        const QString text = QString::fromUtf8(bajty);
        const qsizetype prvy = text.indexOf(QLatin1Char('\n')), druhy = text.indexOf(QLatin1Char('\n'), prvy + 1);
        if (prvy < 0 || druhy < 0 || text.left(prvy) != adresar_hd
            || text.mid(prvy + 1, druhy - prvy - 1) != QLatin1String(Meno_casti(cast)))
            continue;
        odlozene.subory << adresar.filePath(meno);
        odlozene.texty << text.mid(druhy + 1);
    }
    return odlozene;
}

void Zabudni(const Odlozene &odlozene)
{
    for (const QString &subor : odlozene.subory)
        QFile::remove(subor);
}

} // namespace

bool Odloz(const QString &adresar_hd, Cast cast, const QString &text)
{
    if (!QDir().mkpath(Adresar_odlozenych()))
        return false;
    // The name orders the parts by time; the random part keeps programs of
    // the same user from meeting.
    const QString meno = QStringLiteral("%1-%2.txt")
                             .arg(QDateTime::currentMSecsSinceEpoch(), 15, 10, QLatin1Char('0'))
                             .arg(QRandomGenerator::system()->generate64(), 16, 16, QLatin1Char('0'));
    QSaveFile subor(Adresar_odlozenych() + meno);
    const QByteArray bajty = (adresar_hd + QLatin1Char('\n') + QLatin1String(Meno_casti(cast)) + QLatin1Char('\n') + text).toUtf8();
    return subor.open(QIODevice::WriteOnly) && subor.write(bajty) == bajty.size() && subor.commit();
}

Ulozenie Uloz_do_tabulky(const Zamok_vysledkov &zamok, const QString &cesta, QList<Zaznam_vysledku> &zaznamy,
                         const std::optional<Zaznam_vysledku> &novy)
{
    const QString hd = Adresar_hd(cesta);
    Odlozene odlozene;
    QList<Zaznam_vysledku> nove;
    if (zamok.Stav() == Zapis::Hotovy) {
        odlozene = Nacti_odlozene(hd, Cast::Riadok);
        for (const QString &riadok : std::as_const(odlozene.texty))
            if (const auto z = Zaznam_z_riadku(riadok))
                nove.append(*z);
    }
    if (novy)
        nove.append(*novy);
    if (nove.isEmpty())
        return {};
    Ulozenie ulozenie{Pridaj_do_tabulky(zamok, cesta, zaznamy, nove)};
    if (ulozenie.pridanie.zapis == Zapis::Hotovy)
        Zabudni(odlozene);
    else if (novy)
        ulozenie.odlozeny = Odloz(hd, Cast::Riadok, Riadok_zaznamu(*novy));
    return ulozenie;
}

Ulozenie Uloz_do_logu(const Zamok_vysledkov &zamok, const QString &cesta, const QString &novy)
{
    const QString hd = Adresar_hd(cesta);
    Odlozene odlozene;
    if (zamok.Stav() == Zapis::Hotovy)
        odlozene = Nacti_odlozene(hd, Cast::Log);
    if (novy.isEmpty() && odlozene.texty.isEmpty())
        return {};
    Ulozenie ulozenie;
    ulozenie.pridanie.zapis = Pripis_do_logu(zamok, cesta, odlozene.texty.join(QString()) + novy);
    if (ulozenie.pridanie.zapis == Zapis::Hotovy)
        Zabudni(odlozene);
    else if (!novy.isEmpty())
        ulozenie.odlozeny = Odloz(hd, Cast::Log, novy);
    return ulozenie;
}

void Dopln_odlozene(const QString &hd)
{
    const QString tabulka = hd + QStringLiteral("Hra.res");
    if (QDir(Adresar_odlozenych()).isEmpty())
        return;
    const Zamok_vysledkov zamok(tabulka, std::chrono::seconds(5));
    QList<Zaznam_vysledku> zaznamy;
    Uloz_do_tabulky(zamok, tabulka, zaznamy, std::nullopt);
    Uloz_do_logu(zamok, hd + QStringLiteral("Vysledky.dat"), QString());
}

} // namespace Vysledky
