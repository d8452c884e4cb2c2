#include "shell/Vysledky.h"

#include "platform/ResourcePath.h"
#include "services/Text_1250.h"
#include "services/Zamok_priecinka.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <bitset>
#include <charconv>
#include <limits>

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
    text += z.navyse;
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
    // Characters after a sixth "|" belong to no field of ours; a newer
    // program may have written them, so they are kept. Views: a table of
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
    const qsizetype koniec = polia[5].data() + polia[5].size() - riadok.constData();
    constexpr int min = std::numeric_limits<qint16>::min();
    constexpr int max = std::numeric_limits<qint16>::max();
    const auto uloha = Cislo_pola(polia[0], min, max);
    const auto spravne = Cislo_pola(polia[2], min, max);
    const auto spatne = Cislo_pola(polia[3], min, max);
    const auto znamka = Cislo_pola(polia[4], min, max);
    const auto id = Cislo_pola(polia[5], 0, 255);
    if (!uloha || !spravne || !spatne || !znamka || !id)
        return std::nullopt;
    return Zaznam_vysledku{*uloha, polia[1].toString(), *spravne, *spatne, *znamka, *id, riadok.mid(koniec)};
}

Zapis Zapis_z_chyby(const Misc::Chyba_suboru &chyba)
{
    switch (chyba.druh) {
    case Misc::Chyba_suboru::Ziadna:
        return Zapis::Hotovy;
    case Misc::Chyba_suboru::Nie_je_subor:
        return Zapis::Nie_je_subor;
    case Misc::Chyba_suboru::Viac_mien:
        return Zapis::Viac_mien;
    case Misc::Chyba_suboru::Prilis_velky:
        return Zapis::Prilis_velky;
    case Misc::Chyba_suboru::Neda_sa_citat:
        return Zapis::Necitatelny;
    case Misc::Chyba_suboru::Prerusene:
        return Zapis::Zamok_strateny;
    default:
        return Zapis::Nezapisany;
    }
}

Tabulka_zo_suboru Nacti_tabulku(const Misc::Priecinok &priecinok, const QString &meno, mode_t *prava)
{
    Tabulka_zo_suboru tabulka;
    const Misc::Chyba_suboru chyba = Misc::Precitaj_subor(priecinok, meno, tabulka.bajty, prava);
    if (chyba.druh == Misc::Chyba_suboru::Neexistuje)
        return tabulka;
    if (chyba.Je_chyba()) {
        tabulka.precitana = false;
        tabulka.dovod = Zapis_z_chyby(chyba);
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

Tabulka_zo_suboru Nacti_tabulku_ze_souboru(const QString &cesta)
{
    const QFileInfo subor(platform::resolvePath(cesta));
    const Misc::Priecinok priecinok(subor.path());
    return Nacti_tabulku(priecinok, subor.fileName());
}

QByteArray Text_tabulky(const QList<Zaznam_vysledku> &zaznamy)
{
    QString text;
    text.reserve(zaznamy.size() * 48);
    for (const Zaznam_vysledku &z : zaznamy) {
        Pripoj_riadok(text, z);
        text += konec_riadku;
    }
    return Misc::Text_do_1250(text);
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
        {Zapis::Viac_mien, "Súbor %1 má ešte iné meno (je to pevný odkaz na iný súbor), preto doň výsledok "
                           "nebol zapísaný a súbor ostal nezmenený."},
        {Zapis::Zamok_nezapisatelny, "Výsledok sa nepodarilo zapísať: zámok %1 sa nedá vytvoriť ani otvoriť "
                                     "(priečinok s dátami nedovoľuje zápis)."},
        {Zapis::Bez_zamykania, "Výsledok sa nepodarilo zapísať: súborový systém priečinka s dátami nedovoľuje "
                               "zamknúť zámok %1."},
        {Zapis::Zamok_strateny, "Výsledok sa nepodarilo zapísať do súboru %1: zámok v priečinku s dátami "
                                "niekto opakovane mazal."},
        {Zapis::Preruseny, "Výsledok nebol zapísaný do súboru %1: program sa končí."},
    };
    const bool zamok = z == Zapis::Zamok_nie_je_subor || z == Zapis::Zamok_nezapisatelny || z == Zapis::Bez_zamykania;
    const QString subor = platform::resolvePath(cesta);
    for (const auto &t : texty)
        if (t.zapis == z)
            return QString::fromUtf8(t.text).arg(QDir::toNativeSeparators(
                zamok ? QFileInfo(subor).absolutePath() + QLatin1Char('/') + Misc::Zamok_priecinka::Meno : subor));
    return {};
}

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

} // namespace Vysledky
