#include "shell/Ulozenie_vysledku.h"

#include "platform/MessageBox.h"
#include "platform/ResourcePath.h"
#include "platform/Services.h"
#include "services/Text_1250.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace Vysledky {

namespace {

const QString Riadok = QStringLiteral("riadok");
const QString Log = QStringLiteral("log");

bool Cely_riadok(const QString &text) { return Zaznam_z_riadku(text).has_value(); }

// An entry ends with its line of 75 equals signs.
bool Cely_log(const QString &text)
{
    return text.count(QLatin1String("\r\n")) >= 4 && text.endsWith(QString(75, QLatin1Char('=')) + QLatin1String("\r\n"));
}

// The data folder as its kept parts name it: absolute, without a closing separator.
QString Priecinok_dat(const QString &hd)
{
    return QFileInfo(platform::resolvePath(hd + QStringLiteral("Hra.res"))).absolutePath();
}

Zapis Zapis_zamku(Misc::Stav_zamku stav)
{
    switch (stav) {
    case Misc::Stav_zamku::Drzany:
        return Zapis::Hotovy;
    case Misc::Stav_zamku::Obsadeny:
        return Zapis::Obsadeny;
    case Misc::Stav_zamku::Nezapisatelny:
        return Zapis::Zamok_nezapisatelny;
    case Misc::Stav_zamku::Cudzi:
        return Zapis::Zamok_cudzi;
    case Misc::Stav_zamku::Nie_je_subor:
        return Zapis::Zamok_nie_je_subor;
    case Misc::Stav_zamku::Bez_zamykania:
        return Zapis::Bez_zamykania;
    case Misc::Stav_zamku::Preruseny:
        return Zapis::Preruseny;
    case Misc::Stav_zamku::Chyba_disku:
        return Zapis::Nezapisany;
    }
    return Zapis::Nezapisany;
}

// A byte-for-byte copy beside the file under a name not yet taken; empty
// when none could be made, and `chyba_systemu` why.
QString Odloz_kopiu(const Misc::Priecinok &priecinok, const QString &meno, const QByteArray &bajty,
                    Misc::Prava_suboru prava, int &chyba_systemu)
{
    for (int n = 1; n < 100; ++n) {
        const QString kopia = meno + (n == 1 ? QStringLiteral(".bak") : QStringLiteral(".%1.bak").arg(n));
        const Misc::Chyba_suboru chyba = Misc::Zapis_novy_subor(priecinok, kopia, bajty, prava);
        if (!chyba.Je_chyba())
            return priecinok.Cesta(kopia);
        chyba_systemu = chyba.chyba_systemu;
        if (chyba.druh != Misc::Chyba_suboru::Existuje)
            break;
    }
    return {};
}

// A result without its ID: the ID changes when another is added after it.
bool Rovnaky(const Zaznam_vysledku &a, const Zaznam_vysledku &b)
{
    return a.cislo_ulohy == b.cislo_ulohy && a.jmeno == b.jmeno && a.spravne == b.spravne && a.spatne == b.spatne
        && a.Znamka == b.Znamka && a.navyse == b.navyse;
}

qint64 Rovnakych(const QList<Zaznam_vysledku> &zaznamy, const Zaznam_vysledku &z)
{
    return std::count_if(zaznamy.cbegin(), zaznamy.cend(),
                         [&z](const Zaznam_vysledku &iny) { return Rovnaky(z, iny); });
}

} // namespace

Ulozenie_vysledku::Ulozenie_vysledku(const QString &hd, std::chrono::milliseconds najdlhsie)
    : hd_(Priecinok_dat(hd))
    , priecinok_(hd_)
    , tabulka_(priecinok_.Meno(QStringLiteral("Hra.res")))
    , log_(priecinok_.Meno(QStringLiteral("Vysledky.dat")))
    , najdlhsie_(najdlhsie)
{
}

// A result not yet written stays kept: its file outlives this.
Ulozenie_vysledku::~Ulozenie_vysledku() { Pusti_zamok(); }

bool Ulozenie_vysledku::Zamkni(Odpoved &odpoved)
{
    zamok_.reset();
    // Not even the lock is made where files are spoiled.
    if (priecinok_.Kazi_subory()) {
        odpoved.dovod = Zapis::Nezapisany;
        chyba_systemu_ = Misc::Disk_kazi_subory;
        return false;
    }
    zamok_ = std::make_unique<Misc::Zamok_priecinka>(priecinok_, najdlhsie_, *cakanie_);
    if (zamok_->Drzany())
        return true;
    odpoved.dovod = Zapis_zamku(zamok_->Stav());
    // The lock's answer says it all, but for the disk's own error.
    chyba_systemu_ = zamok_->Stav() == Misc::Stav_zamku::Chyba_disku ? zamok_->Chyba() : 0;
    zamok_.reset();
    return false;
}

Zapis Ulozenie_vysledku::Zapis_z(const Misc::Chyba_suboru &chyba)
{
    chyba_systemu_ = chyba.chyba_systemu;
    return Zapis_z_chyby(chyba);
}

// A part not written (for `odpoved.dovod`): kept or lost, and why.
void Ulozenie_vysledku::Osud_neulozeneho(Odpoved &odpoved)
{
    odpoved.chyba_systemu = chyba_systemu_;
    if (chyba_systemu_ != 0)
        odpoved.druh_disku = priecinok_.Druh_disku();
    odpoved.osud = vysledok_.Uschovany() ? Osud::Uschovany : Osud::Strateny;
    odpoved.chyba_uschovania = vysledok_.Uschovany() ? 0 : vysledok_.Chyba();
}

// A row written while the lock was held is noted as written before the lock
// goes: once another program has rewritten the table, the new table's file
// no longer tells. Not once the entry is in too: a kept result that could
// not be removed then must not have its entry appended again.
void Ulozenie_vysledku::Pusti_zamok()
{
    if (zamok_ && riadok_zapisany_ && !log_zapisany_ && vysledok_.Uschovany() && !vysledok_.Odstraneny()
        && vysledok_.Stav().krok == Misc::Poznamka::Tabulka) {
        Misc::Poznamka zapisany;
        zapisany.krok = Misc::Poznamka::Riadok_zapisany;
        // An append that failed may have left the entry whole: the next
        // save looks for it past the log's noted length.
        zapisany.log = vysledok_.Stav().log;
        (void)vysledok_.Zaznamenaj(zapisany);
    }
    zamok_.reset();
    // Its folder is synced only now: no other program waits for that.
    if (vysledok_.Odstraneny())
        vysledok_.Zabudni();
}

// Under the held lock: the table read afresh, `z` added, written back while
// the lock still holds, with the note of the step synced just before the
// rename.
Zapis Ulozenie_vysledku::Zapis_tabulky(const Zaznam_vysledku &z, Misc::Uschovany_vysledok *v,
                                       Misc::Poznamka &poznamka, QList<Zaznam_vysledku> &zaznamy, QString &kopia)
{
    if (!zamok_)
        return Zapis::Zamok_strateny;
    // A new table gets the permissions of the folder: whoever may write the
    // folder may read the table.
    Misc::Prava_suboru prava = priecinok_.Prava_novych();
    Tabulka_zo_suboru tabulka = Nacti_tabulku(priecinok_, tabulka_, &prava);
    if (!tabulka.precitana) {
        chyba_systemu_ = tabulka.chyba_systemu;
        return tabulka.dovod;
    }
    Misc::Odstran_zvysky(priecinok_, tabulka_);
    const qint64 rovnakych = Rovnakych(tabulka.zaznamy, z);
    const QByteArray text = Pridaj_do_tabulky(tabulka, {z});
    zaznamy = std::move(tabulka.zaznamy);
    // Lines that hold no result would be dropped: the old file is kept first.
    QString nova_kopia;
    if (tabulka.neprecitane > 0
        && (nova_kopia = Odloz_kopiu(priecinok_, tabulka_, tabulka.bajty, prava, chyba_systemu_)).isEmpty())
        return Zapis::Nezapisany;
    Zapis bez_zapisu = Zapis::Hotovy; // why the rename was called off
    const auto smie = [&](const QString &novy, const Misc::Totoznost &novy_subor) {
        if (!zamok_->Plati())
            return false;
        std::optional<Misc::Totoznost> stara = Misc::Totoznost_mena(priecinok_, tabulka_);
        const int chyba_starej = errno;
        // The log as it is now: the entry follows under this same hold of
        // the lock without a note of its own.
        const std::optional<Misc::Totoznost> log = Misc::Totoznost_mena(priecinok_, log_);
        poznamka = {Misc::Poznamka::Tabulka, novy, novy_subor, stara.value_or(Misc::Totoznost{}), rovnakych,
                    log.value_or(Misc::Totoznost{})};
        poznamka.novy_subor.obsah = Misc::Kontrolny_sucet(text);
        poznamka.stara.obsah = Misc::Kontrolny_sucet(tabulka.bajty);
        if (!stara)
            bez_zapisu = Zapis::Necitatelny, chyba_systemu_ = chyba_starej;
        else if (v && !v->Zaznamenaj(poznamka))
            bez_zapisu = Zapis::Bez_poznamky, chyba_systemu_ = errno;
        // The note's sync takes a while: the lock is looked at again right
        // before the rename, or another holder's table may be written over.
        return bez_zapisu == Zapis::Hotovy && zamok_->Plati();
    };
    const Misc::Chyba_suboru chyba = Misc::Nahrad_subor(priecinok_, tabulka_, text, prava, smie);
    if (chyba.Je_chyba() && !nova_kopia.isEmpty())
        QFile::remove(nova_kopia);
    else if (!nova_kopia.isEmpty())
        kopia = nova_kopia;
    return bez_zapisu == Zapis::Hotovy ? Zapis_z(chyba) : bez_zapisu;
}

// Whether the row of note `t` is in the table (read into `zaznamy`);
// nothing when that cannot be told now. What is certain decides first.
std::optional<bool> Ulozenie_vysledku::Riadok_v_tabulke(const Misc::Poznamka &t, const Zaznam_vysledku &z,
                                                       QList<Zaznam_vysledku> &zaznamy)
{
    const std::optional<Misc::Totoznost> teraz = Misc::Totoznost_mena(priecinok_, tabulka_);
    Tabulka_zo_suboru tabulka = Nacti_tabulku(priecinok_, tabulka_);
    if (!teraz || !tabulka.precitana)
        return std::nullopt;
    zaznamy = std::move(tabulka.zaznamy);
    // Never renamed: it is still there under its own name.
    if (Misc::Odstran_ak_meno_je(priecinok_, t.novy, t.novy_subor))
        return false;
    // What it holds, not its inode: a table written since may have got the
    // inode of ours again.
    const auto je = [&](const Misc::Totoznost &subor) {
        return tabulka.bajty.size() == subor.velkost && Misc::Kontrolny_sucet(tabulka.bajty) == subor.obsah;
    };
    // Ours: its bytes in the very file renamed there, whatever time anyone
    // gave it since (where the file system tells a birth time or a handle),
    // or in a file with its time of writing (a copy that kept it; a file
    // system that numbers its files anew at a mount). The same
    // bytes in another file written later are another program's, made from
    // the old table with a row equal to ours: one made after ours holds a
    // row more.
    if (teraz->Je() && je(t.novy_subor))
        return teraz->Ten_isty(t.novy_subor) || teraz->mtime == t.novy_subor.mtime;
    if (t.stara.Je() ? teraz->Je() && je(t.stara) : !teraz->Je())
        return false;
    // Rewritten by another program since, and the new file gone: the rows
    // equal to ours tell, unless another program added one meanwhile.
    return Rovnakych(zaznamy, z) > t.rovnakych;
}

Zapis Ulozenie_vysledku::Vloz_riadok(const Zaznam_vysledku &z, Misc::Uschovany_vysledok *v,
                                     QList<Zaznam_vysledku> &zaznamy, QString &kopia)
{
    const auto koniec = std::chrono::steady_clock::now() + najdlhsie_;
    for (;;) {
        Misc::Poznamka poznamka;
        QList<Zaznam_vysledku> tabulka;
        const Zapis zapis = Zapis_tabulky(z, v, poznamka, tabulka, kopia);
        if (zapis == Zapis::Hotovy && zamok_->Plati()) {
            zaznamy = std::move(tabulka);
            return zapis;
        }
        if (zapis != Zapis::Hotovy && zapis != Zapis::Zamok_strateny)
            return zapis;
        // The lock's file was deleted or replaced: before the rename nothing
        // was written; right at it, another holder may have written over it.
        // Whether the row is in is asked again under a new lock, however late.
        const bool po_termine = std::chrono::steady_clock::now() >= koniec;
        if (zapis != Zapis::Hotovy && po_termine)
            return Zapis::Zamok_strateny;
        Odpoved odpoved;
        // A disk that answers with an error (disconnected, failing) says
        // that, not that the lock was deleted.
        if (!Zamkni(odpoved))
            return zapis == Zapis::Hotovy && chyba_systemu_ == 0 ? Zapis::Zamok_strateny : odpoved.dovod;
        if (zapis == Zapis::Hotovy) {
            const std::optional<bool> zapisany = Riadok_v_tabulke(poznamka, z, tabulka);
            if (!zapisany)
                return Zapis::Necitatelny;
            if (*zapisany) {
                zaznamy = std::move(tabulka);
                return Zapis::Hotovy;
            }
            if (po_termine)
                return Zapis::Zamok_strateny;
        }
    }
}

// The entry of `v` (or `text` when nothing could be kept) appended under
// the held lock. A log written anew is not renamed once the lock's file was
// deleted or the log replaced meanwhile: nothing of ours is in then, and the
// entry is written again under a new lock, as the table's row is.
Zapis Ulozenie_vysledku::Zapis_logu(Misc::Uschovany_vysledok *v, const QString &text)
{
    const auto koniec = std::chrono::steady_clock::now() + najdlhsie_;
    for (;;) {
        const Zapis zapis = Pripis_zaznam(v, text);
        if (zapis != Zapis::Zamok_strateny || std::chrono::steady_clock::now() >= koniec)
            return zapis;
        Odpoved odpoved;
        if ((!zamok_ || !zamok_->Plati()) && !Zamkni(odpoved))
            return odpoved.dovod;
    }
}

// One try: the entry appended, with the log's length noted and synced before.
Zapis Ulozenie_vysledku::Pripis_zaznam(Misc::Uschovany_vysledok *v, const QString &text)
{
    const QByteArray bajty = Misc::Text_do_1250(v ? v->Log() : text);
    if (bajty.isEmpty())
        return Zapis::Hotovy;
    const auto uz_poznamenany = [v](const Misc::Totoznost &log) {
        const Misc::Poznamka &p = v->Stav();
        return (p.krok == Misc::Poznamka::Tabulka || p.krok == Misc::Poznamka::Log) && p.log.Je()
            && p.log.Ten_isty(log) && p.log.velkost == log.velkost;
    };
    if (v && v->Stav().log.Je()) {
        bool zapisany = false;
        if (const Misc::Chyba_suboru chyba = Misc::Najdi_pripisane(priecinok_, log_, v->Stav().log, bajty, zapisany);
            chyba.Je_chyba() || zapisany)
            return Zapis_z(chyba);
    }
    // A log the file system lets be written only anew leaves its new file
    // behind when a program is ended mid-write. While our lock holds, no
    // other program will rename one into place: each asks for the lock.
    const auto drzi = [this] { return zamok_ && zamok_->Plati(); };
    if (drzi())
        Misc::Odstran_nove(priecinok_, log_);
    else
        Misc::Odstran_zvysky(priecinok_, log_);
    bool poznamenane = true;
    int chyba_poznamky = 0;
    const auto smie = [&](const Misc::Totoznost &log) {
        Misc::Poznamka l;
        l.krok = Misc::Poznamka::Log, l.log = log;
        poznamenane = !v || uz_poznamenany(l.log) || v->Zaznamenaj(l);
        chyba_poznamky = poznamenane ? 0 : errno;
        return poznamenane;
    };
    const Zapis zapis = Zapis_z(Misc::Pripis_k_suboru(priecinok_, log_, bajty, smie, drzi));
    if (!poznamenane)
        chyba_systemu_ = chyba_poznamky;
    return poznamenane ? zapis : Zapis::Bez_poznamky;
}

// A kept result taken in: each part its note does not show written.
Zapis Ulozenie_vysledku::Dokonc(Misc::Uschovany_vysledok &v, QString &kopia)
{
    QList<Zaznam_vysledku> zaznamy;
    const std::optional<Zaznam_vysledku> z = Zaznam_z_riadku(v.Riadok());
    Zapis zapis = Zapis::Hotovy;
    if (z && v.Stav().krok == Misc::Poznamka::Uschovany) {
        zapis = Vloz_riadok(*z, &v, zaznamy, kopia);
    } else if (z && v.Stav().krok == Misc::Poznamka::Tabulka) {
        const std::optional<bool> zapisany = Riadok_v_tabulke(v.Stav(), *z, zaznamy);
        zapis = !zapisany ? Zapis::Necitatelny : *zapisany ? Zapis::Hotovy : Vloz_riadok(*z, &v, zaznamy, kopia);
    }
    if (zapis == Zapis::Hotovy)
        zapis = Zapis_logu(&v, {});
    if (zapis == Zapis::Hotovy)
        v.Zabudni();
    return zapis;
}

// Under the held lock: what this user's programs kept earlier for this
// folder, oldest first. What cannot be written now stays kept.
void Ulozenie_vysledku::Dopln(Odpoved &odpoved)
{
    Misc::Uschovane_vysledky vysledky = Misc::Vezmi_vysledky(hd_);
    odpoved.poskodene += vysledky.poskodene;
    for (Misc::Uschovany_vysledok &v : vysledky.vysledky)
        if (zamok_)
            (void)Dokonc(v, odpoved.kopia);
    // Parts kept by the program's earlier version, a row or an entry each.
    Misc::Uschovane riadky = Misc::Vezmi_uschovane(hd_, Riadok, Cely_riadok);
    odpoved.poskodene += riadky.poskodene;
    QList<Zaznam_vysledku> zaznamy;
    for (Misc::Uschovana_cast &cast : riadky.casti)
        if (zamok_ && Vloz_riadok(*Zaznam_z_riadku(cast.Text()), nullptr, zaznamy, odpoved.kopia) == Zapis::Hotovy)
            cast.Zabudni();
    Misc::Uschovane logy = Misc::Vezmi_uschovane(hd_, Log, Cely_log);
    odpoved.poskodene += logy.poskodene;
    for (Misc::Uschovana_cast &cast : logy.casti)
        if (zamok_ && Zapis_logu(nullptr, cast.Text()) == Zapis::Hotovy)
            cast.Zabudni();
}

Odpoved Ulozenie_vysledku::Pridaj_riadok(const Zaznam_vysledku &novy, const QString &log,
                                         QList<Zaznam_vysledku> &zaznamy, Misc::Cakanie &cakanie)
{
    cakanie_ = &cakanie;
    pridany_ = true;
    // Both parts kept as one before anything is written anywhere.
    vysledok_ = Misc::Uschovany_vysledok::Uschovaj(hd_, Riadok_zaznamu(novy), log);
    Odpoved odpoved{.tabulka = Subor_tabulky()};
    if (Zamkni(odpoved)) {
        Dopln(odpoved);
        chyba_systemu_ = 0;
        odpoved.dovod = Vloz_riadok(novy, vysledok_.Uschovany() ? &vysledok_ : nullptr, zaznamy, odpoved.kopia);
        riadok_zapisany_ = odpoved.dovod == Zapis::Hotovy;
        if (riadok_zapisany_ && log.isEmpty())
            vysledok_.Odstran();
    }
    dovod_riadku_ = odpoved.dovod;
    if (odpoved.dovod != Zapis::Hotovy) {
        Pridaj(zaznamy, {novy}); // shown though not saved
        Osud_neulozeneho(odpoved);
    }
    // A message waits for the pupil: no lock is held through it.
    if (odpoved.dovod != Zapis::Hotovy || !odpoved.kopia.isEmpty() || !odpoved.poskodene.isEmpty())
        Pusti_zamok();
    return odpoved;
}

Odpoved Ulozenie_vysledku::Pripis_log(const QString &text, Misc::Cakanie &cakanie)
{
    cakanie_ = &cakanie;
    Odpoved odpoved{.tabulka = Subor_tabulky()};
    // The entry as given takes the place of the one foreseen with the row;
    // where that fails, the foreseen one is what goes in.
    if (vysledok_.Uschovany())
        (void)vysledok_.Nahrad_log(text);
    if (pridany_ && dovod_riadku_ != Zapis::Hotovy) {
        // Kept with its row, or told lost with it: never in the log alone.
        odpoved.dovod = dovod_riadku_;
        odpoved.povedane = true;
    } else {
        if (!vysledok_.Uschovany())
            vysledok_ = Misc::Uschovany_vysledok::Uschovaj(hd_, {}, text, Misc::Poznamka::Riadok_zapisany);
        if ((zamok_ && zamok_->Plati()) || Zamkni(odpoved)) {
            if (!pridany_)
                Dopln(odpoved);
            chyba_systemu_ = 0;
            odpoved.dovod = Zapis_logu(vysledok_.Uschovany() ? &vysledok_ : nullptr, text);
            log_zapisany_ = odpoved.dovod == Zapis::Hotovy;
        }
    }
    // Gone before the lock: once others rewrite the table, its note tells
    // less surely whether the row is in.
    if (odpoved.dovod == Zapis::Hotovy)
        vysledok_.Odstran();
    Pusti_zamok();
    if (odpoved.dovod != Zapis::Hotovy)
        Osud_neulozeneho(odpoved);
    return odpoved;
}

Odpoved Ulozenie_vysledku::Dopln_uschovane(Misc::Cakanie &cakanie)
{
    cakanie_ = &cakanie;
    Odpoved odpoved{.tabulka = Subor_tabulky()};
    if (!Zamkni(odpoved))
        return {};
    Dopln(odpoved);
    Pusti_zamok();
    return odpoved;
}

QString Text_odpovede(const Odpoved &odpoved, const QString &subor, const Zaznam_vysledku &vysledok)
{
    if (odpoved.osud == Osud::Ulozeny || odpoved.povedane)
        return {};
    const QString adresar = QDir::toNativeSeparators(Misc::Adresar_uschovanych());
    QString text = Text_zapisu(odpoved.dovod, subor, odpoved.chyba_systemu, odpoved.druh_disku)
        + QStringLiteral("\r\n\r\n");
    if (odpoved.osud == Osud::Uschovany)
        return text + QStringLiteral("Výsledok je uschovaný v priečinku tohto používateľa (%1) a zapíše sa pri "
                                     "najbližšom uložení výsledku alebo spustení programu.")
                          .arg(adresar);
    // Written nowhere: both failures said in one message, the result to
    // write down once.
    text += QStringLiteral("Výsledok sa nepodarilo uschovať ani v priečinku tohto používateľa (%1).").arg(adresar);
    if (const QString dovod = Misc::Dovod_systemu(odpoved.chyba_uschovania); !dovod.isEmpty())
        text += QLatin1Char(' ') + dovod;
    // In one pass: a "%2" in a name stays as typed.
    return text + QStringLiteral(" Zapíšte si ho, prosím: %1, úloha %2, správne %3, nesprávne %4, známka %5.")
                      .arg(vysledok.jmeno, QString::number(vysledok.cislo_ulohy), QString::number(vysledok.spravne),
                           QString::number(vysledok.spatne), QString::number(vysledok.Znamka));
}

QString Text_poskodenych(const QStringList &subory)
{
    QStringList mena;
    for (const QString &subor : subory)
        mena << QDir::toNativeSeparators(subor);
    return QStringLiteral("Uschované výsledky v týchto súboroch sú poškodené (prázdne, neúplné, príliš veľké alebo "
                          "to nie sú obyčajné súbory) a nedajú sa zapísať:\r\n%1\r\nSúbory ostali uložené, aby ich "
                          "niekto mohol pozrieť.")
        .arg(mena.join(QStringLiteral("\r\n")));
}

QString Text_kopie(const QString &tabulka, const QString &kopia)
{
    return QStringLiteral("Niektoré riadky súboru %1 sa nedali prečítať alebo mali znaky, ktoré sa doň nedajú "
                          "zapísať. Pôvodný súbor je uložený ako %2.")
        .arg(QDir::toNativeSeparators(tabulka), QDir::toNativeSeparators(kopia));
}

void Oznam_najdene(const Odpoved &odpoved)
{
    if (!odpoved.poskodene.isEmpty())
        platform::services().messageBox().Show(Text_poskodenych(odpoved.poskodene),
                                               platform::MessageStyle::OkOnly | platform::MessageStyle::Critical,
                                               QStringLiteral("Chyba"));
    if (!odpoved.kopia.isEmpty())
        platform::services().messageBox().Show(Text_kopie(odpoved.tabulka, odpoved.kopia),
                                               platform::MessageStyle::OkOnly | platform::MessageStyle::Information,
                                               QStringLiteral("Upozornenie"));
}

Odpoved Dopln_uschovane(const QString &hd)
{
    if (QDir(Misc::Adresar_uschovanych()).isEmpty())
        return {};
    Misc::Cakanie cakanie;
    Ulozenie_vysledku ulozenie(hd, std::chrono::seconds(5));
    return ulozenie.Dopln_uschovane(cakanie);
}

} // namespace Vysledky
