#include "shell/Ulozenie_vysledku.h"

#include "platform/ResourcePath.h"
#include "services/Text_1250.h"

#include <QDir>
#include <QFileInfo>

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
    }
    return Zapis::Nezapisany;
}

// A byte-for-byte copy beside the file under a name not yet taken; empty
// when none could be made.
QString Odloz_kopiu(const Misc::Priecinok &priecinok, const QString &meno, const QByteArray &bajty,
                    Misc::Prava_suboru prava)
{
    for (int n = 1; n < 100; ++n) {
        const QString kopia = meno + (n == 1 ? QStringLiteral(".bak") : QStringLiteral(".%1.bak").arg(n));
        const Misc::Chyba_suboru chyba = Misc::Zapis_novy_subor(priecinok, kopia, bajty, prava);
        if (!chyba.Je_chyba())
            return priecinok.Cesta(kopia);
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

// The rows of `nove` that the file now holds fewer times than the table we
// wrote held them.
QList<Zaznam_vysledku> Chybajuce(const QList<Zaznam_vysledku> &nove, const QList<Zaznam_vysledku> &zapisana,
                                 const QList<Zaznam_vysledku> &v_subore)
{
    QList<Zaznam_vysledku> chybajuce;
    for (const Zaznam_vysledku &z : nove) {
        const auto rovnake = [&z](const Zaznam_vysledku &iny) { return Rovnaky(z, iny); };
        if (std::count_if(v_subore.cbegin(), v_subore.cend(), rovnake)
            < std::count_if(zapisana.cbegin(), zapisana.cend(), rovnake))
            chybajuce.append(z);
    }
    return chybajuce;
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

// Kept parts not yet written stay kept: their files outlive this.
Ulozenie_vysledku::~Ulozenie_vysledku() = default;

bool Ulozenie_vysledku::Zamkni(Odpoved &odpoved)
{
    zamok_.reset();
    zamok_ = std::make_unique<Misc::Zamok_priecinka>(priecinok_, najdlhsie_, *cakanie_);
    if (zamok_->Drzany())
        return true;
    odpoved.dovod = Zapis_zamku(zamok_->Stav());
    zamok_.reset();
    return false;
}

// Under the held lock: the table read afresh, `nove` added, written back
// while the lock still holds.
Zapis Ulozenie_vysledku::Zapis_tabulky(QList<Zaznam_vysledku> &zaznamy, const QList<Zaznam_vysledku> &nove,
                                       QString &kopia)
{
    // A new table gets the permissions of the folder: whoever may write the
    // folder may read the table.
    Misc::Prava_suboru prava = priecinok_.Prava_novych();
    Tabulka_zo_suboru tabulka = Nacti_tabulku(priecinok_, tabulka_, &prava);
    if (!tabulka.precitana)
        return tabulka.dovod;
    Misc::Odstran_zvysky(priecinok_, tabulka_);
    zaznamy = std::move(tabulka.zaznamy);
    Pridaj(zaznamy, nove);
    // Lines that hold no result would be dropped: the old file is kept first.
    if (tabulka.neprecitane > 0 && (kopia = Odloz_kopiu(priecinok_, tabulka_, tabulka.bajty, prava)).isEmpty())
        return Zapis::Nezapisany;
    const Misc::Chyba_suboru chyba = Misc::Nahrad_subor(priecinok_, tabulka_, Text_tabulky(zaznamy), prava,
                                                        [this] { return zamok_->Plati(); });
    if (chyba.Je_chyba() && !kopia.isEmpty()) {
        QFile::remove(kopia);
        kopia.clear();
    }
    return Zapis_z_chyby(chyba);
}

Zapis Ulozenie_vysledku::Uloz_tabulku(QList<Zaznam_vysledku> &zaznamy, QList<Zaznam_vysledku> nove, QString &kopia)
{
    const auto koniec = std::chrono::steady_clock::now() + najdlhsie_;
    for (;;) {
        QList<Zaznam_vysledku> tabulka;
        const Zapis zapis = Zapis_tabulky(tabulka, nove, kopia);
        if (zapis == Zapis::Hotovy && zamok_->Plati()) {
            zaznamy = std::move(tabulka);
            return zapis;
        }
        if (zapis != Zapis::Hotovy && zapis != Zapis::Zamok_strateny)
            return zapis;
        // The lock's file was deleted or replaced: before the rename nothing
        // was written; during it, another holder may have written over it.
        if (std::chrono::steady_clock::now() >= koniec)
            return Zapis::Zamok_strateny;
        Odpoved odpoved;
        if (!Zamkni(odpoved))
            return odpoved.dovod;
        if (zapis == Zapis::Hotovy) {
            Tabulka_zo_suboru v_subore = Nacti_tabulku(priecinok_, tabulka_);
            nove = Chybajuce(nove, tabulka, v_subore.zaznamy);
            if (nove.isEmpty()) {
                zaznamy = std::move(v_subore.zaznamy);
                return Zapis::Hotovy;
            }
        }
    }
}

Odpoved Ulozenie_vysledku::Pridaj_riadok(const Zaznam_vysledku &novy, const QString &log,
                                         QList<Zaznam_vysledku> &zaznamy, Misc::Cakanie &cakanie)
{
    cakanie_ = &cakanie;
    uschovany_riadok_ = Misc::Uschovana_cast::Uschovaj(hd_, Riadok, Riadok_zaznamu(novy));
    if (!log.isEmpty())
        uschovany_log_ = Misc::Uschovana_cast::Uschovaj(hd_, Log, log);
    Odpoved odpoved;
    if (Zamkni(odpoved)) {
        // Rows kept earlier by this user's programs go in with this one.
        Misc::Uschovane starsie = Misc::Vezmi_uschovane(hd_, Riadok, Cely_riadok);
        odpoved.poskodene = starsie.poskodene;
        QList<Zaznam_vysledku> nove;
        for (const Misc::Uschovana_cast &cast : starsie.casti)
            nove.append(*Zaznam_z_riadku(cast.Text()));
        nove.append(novy);
        odpoved.dovod = Uloz_tabulku(zaznamy, nove, odpoved.kopia);
        if (odpoved.dovod == Zapis::Hotovy) {
            uschovany_riadok_.Zabudni();
            for (Misc::Uschovana_cast &cast : starsie.casti)
                cast.Zabudni();
        }
    } else {
        zamok_nedostupny_ = true;
    }
    dovod_riadku_ = odpoved.dovod;
    if (odpoved.dovod != Zapis::Hotovy) {
        Pridaj(zaznamy, {novy}); // shown though not saved
        odpoved.osud = uschovany_riadok_.Uschovana() ? Osud::Uschovany : Osud::Strateny;
        uschovany_riadok_ = {};
    }
    // A message waits for the pupil: no lock is held through it.
    if (odpoved.dovod != Zapis::Hotovy || !odpoved.kopia.isEmpty() || !odpoved.poskodene.isEmpty())
        zamok_.reset();
    return odpoved;
}

Zapis Ulozenie_vysledku::Zapis_logu(const QString &text, QStringList &poskodene)
{
    Misc::Uschovane starsie = Misc::Vezmi_uschovane(hd_, Log, Cely_log);
    poskodene += starsie.poskodene;
    QString vsetko;
    for (const Misc::Uschovana_cast &cast : starsie.casti)
        vsetko += cast.Text();
    vsetko += text;
    if (vsetko.isEmpty())
        return Zapis::Hotovy;
    const Zapis zapis = Zapis_z_chyby(Misc::Pripis_k_suboru(priecinok_, log_, Misc::Text_do_1250(vsetko)));
    if (zapis == Zapis::Hotovy)
        for (Misc::Uschovana_cast &cast : starsie.casti)
            cast.Zabudni();
    return zapis;
}

Odpoved Ulozenie_vysledku::Pripis_log(const QString &text, Misc::Cakanie &cakanie)
{
    cakanie_ = &cakanie;
    // The entry as given takes the place of the one foreseen with the row.
    if (Misc::Uschovana_cast dany = Misc::Uschovana_cast::Uschovaj(hd_, Log, text); dany.Uschovana()) {
        uschovany_log_.Zabudni();
        uschovany_log_ = std::move(dany);
    }
    Odpoved odpoved;
    if (zamok_nedostupny_)
        odpoved.dovod = dovod_riadku_;
    else if ((zamok_ && zamok_->Plati()) || Zamkni(odpoved))
        odpoved.dovod = Zapis_logu(text, odpoved.poskodene);
    zamok_.reset();
    if (odpoved.dovod == Zapis::Hotovy) {
        uschovany_log_.Zabudni();
        return odpoved;
    }
    odpoved.osud = uschovany_log_.Uschovana() ? Osud::Uschovany : Osud::Strateny;
    uschovany_log_ = {};
    return odpoved;
}

QStringList Ulozenie_vysledku::Dopln_uschovane(Misc::Cakanie &cakanie)
{
    cakanie_ = &cakanie;
    Odpoved odpoved;
    if (!Zamkni(odpoved))
        return {};
    Misc::Uschovane riadky = Misc::Vezmi_uschovane(hd_, Riadok, Cely_riadok);
    QStringList poskodene = riadky.poskodene;
    if (!riadky.casti.empty()) {
        QList<Zaznam_vysledku> nove, zaznamy;
        for (const Misc::Uschovana_cast &cast : riadky.casti)
            nove.append(*Zaznam_z_riadku(cast.Text()));
        QString kopia;
        if (Uloz_tabulku(zaznamy, nove, kopia) == Zapis::Hotovy)
            for (Misc::Uschovana_cast &cast : riadky.casti)
                cast.Zabudni();
    }
    if (zamok_ && zamok_->Plati())
        Zapis_logu(QString(), poskodene);
    zamok_.reset();
    return poskodene;
}

QString Text_odpovede(const Odpoved &odpoved, const QString &subor, const Zaznam_vysledku &vysledok)
{
    if (odpoved.osud == Osud::Ulozeny)
        return {};
    const QString adresar = QDir::toNativeSeparators(Misc::Adresar_uschovanych());
    QString text = Text_zapisu(odpoved.dovod, subor) + QStringLiteral("\r\n\r\n");
    if (odpoved.osud == Osud::Uschovany)
        return text + QStringLiteral("Výsledok je uschovaný v priečinku tohto používateľa (%1) a zapíše sa pri "
                                     "najbližšom uložení výsledku alebo spustení programu.")
                          .arg(adresar);
    return text + QStringLiteral("Výsledok sa nepodarilo uschovať ani v priečinku tohto používateľa (%1). "
                                 "Zapíšte si ho, prosím: %2, úloha %3, správne %4, nesprávne %5, známka %6.")
                      .arg(adresar, vysledok.jmeno)
                      .arg(vysledok.cislo_ulohy)
                      .arg(vysledok.spravne)
                      .arg(vysledok.spatne)
                      .arg(vysledok.Znamka);
}

QString Text_poskodenych(const QStringList &subory)
{
    QStringList mena;
    for (const QString &subor : subory)
        mena << QDir::toNativeSeparators(subor);
    return QStringLiteral("Uschované výsledky v týchto súboroch sú poškodené (prázdne alebo neúplné) a nedajú sa "
                          "zapísať:\r\n%1\r\nSúbory ostali uložené, aby ich niekto mohol pozrieť.")
        .arg(mena.join(QStringLiteral("\r\n")));
}

QStringList Dopln_uschovane(const QString &hd)
{
    if (QDir(Misc::Adresar_uschovanych()).isEmpty())
        return {};
    Misc::Cakanie cakanie;
    Ulozenie_vysledku ulozenie(hd, std::chrono::seconds(5));
    return ulozenie.Dopln_uschovane(cakanie);
}

} // namespace Vysledky
