#include "shell/Vysledky.h"

#include "platform/ResourcePath.h"
#include "services/Text_1250.h"
#include "services/Uschovane_casti.h"
#include "services/Zamok_priecinka.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <bitset>
#include <charconv>
#include <cstring>
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

// An object, not a function: the algorithms given it compare inline.
struct Poradie {
    bool operator()(const Zaznam_vysledku &a, const Zaznam_vysledku &b) const
    {
        if ((a.Znamka > 0) != (b.Znamka > 0))
            return a.Znamka > 0;
        if (a.Znamka != b.Znamka)
            return a.Znamka < b.Znamka;
        if (a.spravne != b.spravne)
            return a.spravne > b.spravne;
        return a.spatne < b.spatne;
    }
};
constexpr Poradie Skor;

// The characters a name may hold: Windows-1250 has them, and they are no
// control character and no "|"; their bytes, and the byte of each (-1 for
// a character a name may not hold).
struct Znaky_mena {
    std::bitset<65536> znak;
    std::bitset<256> bajt;
    std::array<qint16, 65536> bajt_znaku;
};

const Znaky_mena &Znaky()
{
    static const Znaky_mena znaky = [] {
        const Misc::Kod_1250 &kod = Misc::Kod_1250_bajtov();
        Znaky_mena z;
        z.bajt_znaku.fill(-1);
        for (int b = 0x20; b < 256; ++b) {
            const QChar znak(kod.znak[b]);
            if (znak != QChar::ReplacementCharacter && znak != QLatin1Char('|') && znak.category() != QChar::Other_Control)
                z.znak.set(znak.unicode()), z.bajt.set(b), z.bajt_znaku[znak.unicode()] = qint16(b);
        }
        return z;
    }();
    return znaky;
}

} // namespace

void Zorad_zaznamy(QList<Zaznam_vysledku> &zaznamy) { std::stable_sort(zaznamy.begin(), zaznamy.end(), Skor); }

QString Jmeno_pro_soubor(const QString &jmeno)
{
    // Almost every name is fine as it is.
    const std::bitset<65536> &znaky = Znaky().znak;
    if (std::all_of(jmeno.cbegin(), jmeno.cend(), [&znaky](QChar c) { return znaky[c.unicode()]; }))
        return jmeno;
    QString s;
    for (const char32_t c : QString(jmeno).replace(QLatin1String("\r\n"), QLatin1String("\n")).toUcs4()) {
        if (c == U'\r' || c == U'\n' || c == U'\t') {
            s += QLatin1Char(' ');
        } else if (c == U'|') {
            s += QLatin1Char('/');
        } else if (QChar::category(c) != QChar::Other_Control) {
            s += c <= 0xFFFF && znaky[c] ? QChar(char16_t(c)) : QLatin1Char('?');
        }
    }
    return s;
}

QString Cislo_so_znamienkom(int n)
{
    return n < 0 ? QString::number(n) : QLatin1Char(' ') + QString::number(n);
}

namespace {

// The table is read, converted and written whole at every save: a line's
// bytes go straight to and from its fields, without a converter or a text
// of the whole file between.

QString Text_bajtov(const char *od, const char *po)
{
    const Misc::Kod_1250 &kod = Misc::Kod_1250_bajtov();
    QString text(po - od, Qt::Uninitialized);
    char16_t *kam = reinterpret_cast<char16_t *>(text.data());
    for (; od < po; ++od)
        *kam++ = kod.znak[uchar(*od)];
    return text;
}

// "?" for a character that Windows-1250 lacks.
char *Pripoj_1250(char *kam, QStringView text)
{
    const Misc::Kod_1250 &kod = Misc::Kod_1250_bajtov();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qint16 bajt = kod.bajt[text[i].unicode()];
        if (bajt < 0 && text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i; // one character
        *kam++ = bajt < 0 ? '?' : char(bajt);
    }
    return kam;
}

bool Ma_1250(QStringView text)
{
    const Misc::Kod_1250 &kod = Misc::Kod_1250_bajtov();
    return std::all_of(text.begin(), text.end(), [&kod](QChar c) { return kod.bajt[c.unicode()] >= 0; });
}

char *Pripoj_cislo(char *kam, int n, bool znamienko)
{
    if (znamienko && n >= 0)
        *kam++ = ' ';
    return std::to_chars(kam, kam + 11, n).ptr;
}

// Room for a line and its CR LF: each character one byte at the most.
qsizetype Najviac_bajtov(const Zaznam_vysledku &z) { return z.jmeno.size() + z.navyse.size() + 5 * 12 + 2; }

char *Pripoj_riadok(char *kam, const Zaznam_vysledku &z)
{
    kam = Pripoj_cislo(kam, z.cislo_ulohy, false);
    *kam++ = '|';
    const std::array<qint16, 65536> &bajty = Znaky().bajt_znaku;
    char *meno = kam;
    for (const QChar c : z.jmeno) {
        const qint16 bajt = bajty[c.unicode()];
        if (bajt < 0) {
            kam = Pripoj_1250(meno, Jmeno_pro_soubor(z.jmeno));
            break;
        }
        *kam++ = char(bajt);
    }
    for (const int n : {z.spravne, z.spatne, z.Znamka, z.ID}) {
        *kam++ = '|';
        kam = Pripoj_cislo(kam, n, true);
    }
    return Pripoj_1250(kam, z.navyse);
}

[[gnu::noinline]] std::optional<int> Cislo_textu(const char *od, const char *po, int min, int max)
{
    return Cislo_pola(Text_bajtov(od, po), min, max);
}

// Cislo_pola of a field's bytes into `hodnota`: the " 4", "12" or "-3" of
// every line the program wrote at once, anything else through its text.
// `presne` is cleared unless the field is just as Pripoj_cislo writes it.
// No optional: five a row, spilled and reloaded, cost a quarter of the parse.
inline bool Cislo_pola(const char *od, const char *po, int min, int max, bool znamienko, int &hodnota, bool &presne)
{
    const bool zaporne = od < po && *od == '-';
    const char *cislice = od + (od < po && (*od == ' ' || zaporne));
    const qsizetype dlzka = po - cislice;
    unsigned n = 0;
    bool cislo = dlzka >= 1 && dlzka <= 5;
    for (qsizetype i = 0; cislo && i < dlzka; ++i) {
        const unsigned cislica = uchar(cislice[i] - '0');
        cislo &= cislica < 10;
        n = n * 10 + cislica;
    }
    if (!cislo) {
        presne = false;
        const std::optional<int> text = Cislo_textu(od, po, min, max);
        hodnota = text.value_or(0);
        return text.has_value();
    }
    hodnota = zaporne ? -int(n) : int(n);
    // No leading zeros, no "-0", a blank before a signed field's digits.
    presne &= (cislice > od) == (znamienko || zaporne) && (dlzka == 1 || *cislice != '0') && (n != 0 || !zaporne);
    return hodnota >= min && hodnota <= max;
}

constexpr int Min_cislo = std::numeric_limits<qint16>::min();
constexpr int Max_cislo = std::numeric_limits<qint16>::max();

// The names of a table, decoded into one block that they share: a table of
// 100,000 rows would otherwise ask for (and later free) 100,000 blocks.
class Mena_tabulky {
public:
    explicit Mena_tabulky(qsizetype najviac) : blok_(najviac, Qt::Uninitialized), kam_(blok_.data()) {}

    // Each name ends in a NUL of its own, as every text does. `zapisatelne`:
    // every byte is one a name may hold.
    QString Meno(const char *od, const char *po, bool &zapisatelne)
    {
        char16_t *zaciatok = reinterpret_cast<char16_t *>(kam_);
        QChar *kam = kam_;
        bool vsetky = true;
        for (const char *c = od; c < po; ++c) {
            *kam++ = QChar(kod_.znak[uchar(*c)]);
            vsetky &= mozne_[uchar(*c)];
        }
        zapisatelne = vsetky;
        *kam++ = QChar(0);
        kam_ = kam;
        QString::DataPointer &blok = blok_.data_ptr();
        blok.d_ptr()->ref();
        return QString(QString::DataPointer(blok.d_ptr(), zaciatok, po - od));
    }

private:
    QString blok_;
    QChar *kam_;
    const Misc::Kod_1250 &kod_ = Misc::Kod_1250_bajtov();
    const std::bitset<256> &mozne_ = Znaky().bajt;
};

// A line of a Windows-1250 table into `z`; `zapisatelny` is false when
// writing the result back would change the line (a control character in
// the name), `presny` true when Pripoj_riadok writes it back byte for byte
// once its ID is 0.
bool Zaznam_z_bajtov(const char *od, const char *po, Zaznam_vysledku &z, bool &zapisatelny, bool &presny,
                     Mena_tabulky &mena)
{
    const char *polia[6], *konce[6];
    polia[0] = od;
    for (int i = 0; i < 6; ++i) {
        // The name is the long field: searched for its end at once.
        const char *ciara = i == 1 ? static_cast<const char *>(std::memchr(polia[i], '|', po - polia[i]))
                                   : std::find(polia[i], po, '|');
        if (ciara == nullptr || (ciara == po && i < 5))
            return false;
        konce[i] = ciara;
        if (i < 5)
            polia[i + 1] = ciara + 1;
    }
    presny = konce[5] == po;
    if (!Cislo_pola(polia[0], konce[0], Min_cislo, Max_cislo, false, z.cislo_ulohy, presny)
        || !Cislo_pola(polia[2], konce[2], Min_cislo, Max_cislo, true, z.spravne, presny)
        || !Cislo_pola(polia[3], konce[3], Min_cislo, Max_cislo, true, z.spatne, presny)
        || !Cislo_pola(polia[4], konce[4], Min_cislo, Max_cislo, true, z.Znamka, presny)
        || !Cislo_pola(polia[5], konce[5], 0, 255, true, z.ID, presny))
        return false;
    z.jmeno = mena.Meno(polia[1], konce[1], zapisatelny);
    presny = presny && zapisatelny && z.ID == 0;
    if (konce[5] < po)
        z.navyse = Text_bajtov(konce[5], po);
    return true;
}

// The table's lines end in CR LF, CR or LF; blank lines are no results.
void Citaj_1250(Tabulka_zo_suboru &tabulka)
{
    const char *riadok = tabulka.bajty.constData(), *koniec = riadok + tabulka.bajty.size();
    qsizetype riadkov = 1;
    for (const char *lf = riadok; (lf = static_cast<const char *>(std::memchr(lf, '\n', koniec - lf))); ++lf)
        ++riadkov;
    tabulka.zaznamy.reserve(riadkov + 16); // room for the rows a save adds
    tabulka.riadky.reserve(riadkov + 16);
    Mena_tabulky mena(tabulka.bajty.size() + riadkov);
    const char *zaciatok = riadok;
    while (riadok < koniec) {
        const char *lf = static_cast<const char *>(std::memchr(riadok, '\n', koniec - riadok));
        const char *po = lf ? lf : koniec;
        const char *cr = static_cast<const char *>(std::memchr(riadok, '\r', po - riadok));
        const char *dalsi = !cr ? po + 1 : cr + 1 == po ? po + 1 : cr + 1;
        const bool crlf = cr && cr + 1 == lf;
        po = cr ? cr : po;
        bool zapisatelny = true, presny = false;
        Zaznam_vysledku &z = tabulka.zaznamy.emplace_back();
        if (!Zaznam_z_bajtov(riadok, po, z, zapisatelny, presny, mena)) {
            tabulka.zaznamy.removeLast();
            if (!Text_bajtov(riadok, po).trimmed().isEmpty())
                ++tabulka.neprecitane;
        } else {
            if (!zapisatelny) {
                z.jmeno = Jmeno_pro_soubor(z.jmeno);
                ++tabulka.neprecitane;
            }
            tabulka.riadky.push_back({riadok - zaciatok, presny && crlf ? dalsi - riadok : 0});
        }
        riadok = dalsi;
    }
}

// A table a person saved in UTF-8: what Windows-1250 cannot hold is told.
void Citaj_utf8(Tabulka_zo_suboru &tabulka)
{
    for (const QString &riadok : Misc::Riadky_suboru(tabulka.bajty)) {
        if (auto z = Zaznam_z_riadku(riadok)) {
            if (Jmeno_pro_soubor(z->jmeno) != z->jmeno || !Ma_1250(z->navyse)) {
                QByteArray bajty(z->navyse.size(), Qt::Uninitialized);
                bajty.truncate(Pripoj_1250(bajty.data(), z->navyse) - bajty.constData());
                z->jmeno = Jmeno_pro_soubor(z->jmeno);
                z->navyse = Text_bajtov(bajty.cbegin(), bajty.cend());
                ++tabulka.neprecitane;
            }
            tabulka.zaznamy.append(std::move(*z));
        } else if (!riadok.trimmed().isEmpty()) {
            ++tabulka.neprecitane;
        }
    }
}

} // namespace

QString Riadok_zaznamu(const Zaznam_vysledku &z)
{
    QByteArray riadok(Najviac_bajtov(z), Qt::Uninitialized);
    const char *koniec = Pripoj_riadok(riadok.data(), z);
    return Text_bajtov(riadok.constData(), koniec);
}

std::optional<Zaznam_vysledku> Zaznam_z_riadku(const QString &riadok)
{
    // Characters after a sixth "|" belong to no field of ours; a newer
    // program may have written them, so they are kept.
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
    const auto uloha = Cislo_pola(polia[0], Min_cislo, Max_cislo);
    const auto spravne = Cislo_pola(polia[2], Min_cislo, Max_cislo);
    const auto spatne = Cislo_pola(polia[3], Min_cislo, Max_cislo);
    const auto znamka = Cislo_pola(polia[4], Min_cislo, Max_cislo);
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
    case Misc::Chyba_suboru::Zvysok_zapisu:
        return Zapis::Zvysok_zapisu;
    default:
        return Zapis::Nezapisany;
    }
}

Tabulka_zo_suboru Nacti_tabulku(const Misc::Priecinok &priecinok, const QString &meno, Misc::Prava_suboru *prava)
{
    Tabulka_zo_suboru tabulka;
    const Misc::Chyba_suboru chyba = Misc::Precitaj_subor(priecinok, meno, tabulka.bajty, prava);
    if (chyba.druh == Misc::Chyba_suboru::Neexistuje)
        return tabulka;
    if (chyba.Je_chyba()) {
        tabulka.precitana = false;
        tabulka.dovod = Zapis_z_chyby(chyba);
        tabulka.chyba_systemu = chyba.chyba_systemu;
        return tabulka;
    }
    if (Misc::Text_v_utf8(tabulka.bajty))
        Citaj_utf8(tabulka);
    else
        Citaj_1250(tabulka);
    return tabulka;
}

Tabulka_zo_suboru Nacti_tabulku_ze_souboru(const QString &cesta)
{
    const QFileInfo subor(platform::resolvePath(cesta));
    const Misc::Priecinok priecinok(subor.path());
    return Nacti_tabulku(priecinok, subor.fileName());
}

namespace {

// Text_tabulky, the rows with a line in `riadky` copied from `bajty`: lines
// that follow each other there in one copy.
QByteArray Text_tabulky(const QList<Zaznam_vysledku> &zaznamy, const QByteArray &bajty,
                        const std::vector<Riadok_suboru> &riadky)
{
    const auto riadok = [&riadky](qsizetype i) { return size_t(i) < riadky.size() ? riadky[i] : Riadok_suboru{}; };
    qsizetype najviac = 0;
    for (qsizetype i = 0; i < zaznamy.size(); ++i) {
        if (const qsizetype dlzka = riadok(i).dlzka; dlzka > 0) [[likely]]
            najviac += dlzka;
        else
            najviac += Najviac_bajtov(zaznamy[i]);
    }
    QByteArray text(najviac, Qt::Uninitialized);
    char *kam = text.data();
    for (qsizetype i = 0; i < zaznamy.size();) {
        if (const Riadok_suboru prvy = riadok(i); prvy.dlzka > 0) {
            qsizetype po = prvy.od + prvy.dlzka;
            while (++i < zaznamy.size() && riadok(i).dlzka > 0 && riadok(i).od == po)
                po += riadok(i).dlzka;
            kam = std::copy(bajty.constData() + prvy.od, bajty.constData() + po, kam);
            continue;
        }
        kam = Pripoj_riadok(kam, zaznamy[i++]);
        *kam++ = '\r';
        *kam++ = '\n';
    }
    text.truncate(kam - text.constData());
    return text;
}

// Pridaj; where `riadky` are given, a row added gets no line beside it, and
// a table sorted anew has none at all.
void Pridaj(QList<Zaznam_vysledku> &zaznamy, const QList<Zaznam_vysledku> &nove, std::vector<Riadok_suboru> *riadky)
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
        if (riadky)
            riadky->clear();
        return;
    }
    // Kept sorted: a new result goes after its equals by binary search,
    // without sorting the whole table again.
    for (const Zaznam_vysledku &z : pridane) {
        const qsizetype i = std::upper_bound(zaznamy.cbegin(), zaznamy.cend(), z, Skor) - zaznamy.cbegin();
        zaznamy.insert(i, z);
        if (riadky && size_t(i) <= riadky->size())
            riadky->insert(riadky->begin() + i, Riadok_suboru{});
    }
}

} // namespace

QByteArray Text_tabulky(const QList<Zaznam_vysledku> &zaznamy) { return Text_tabulky(zaznamy, {}, {}); }

void Pridaj(QList<Zaznam_vysledku> &zaznamy, const QList<Zaznam_vysledku> &nove) { Pridaj(zaznamy, nove, nullptr); }

QByteArray Pridaj_do_tabulky(Tabulka_zo_suboru &tabulka, const QList<Zaznam_vysledku> &nove)
{
    if (tabulka.riadky.size() != size_t(tabulka.zaznamy.size()))
        tabulka.riadky.clear();
    Pridaj(tabulka.zaznamy, nove, &tabulka.riadky);
    return Text_tabulky(tabulka.zaznamy, tabulka.bajty, tabulka.riadky);
}

QString Text_zapisu(Zapis z, const QString &cesta, int chyba_systemu, const QString &druh_disku)
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
        {Zapis::Zamok_cudzi, "Výsledok sa nepodarilo zapísať: zámok %1 patrí používateľovi %2 a ostatní používatelia "
                             "ho nemôžu otvoriť ani nahradiť novým. Kým ho vlastník alebo správca počítača neodstráni, "
                             "výsledky sa nedajú zapísať."},
        {Zapis::Bez_zamykania, "Výsledok sa nepodarilo zapísať: súborový systém priečinka s dátami nedovoľuje "
                               "zamknúť zámok %1."},
        {Zapis::Zamok_strateny, "Výsledok sa nepodarilo zapísať do súboru %1: zámok v priečinku s dátami "
                                "niekto opakovane mazal."},
        {Zapis::Preruseny, "Výsledok nebol zapísaný do súboru %1: program sa končí."},
        {Zapis::Zvysok_zapisu, "Výsledok sa nepodarilo celý zapísať do súboru %1 a jeho zapísaná časť sa z neho "
                               "nedala odstrániť: na konci súboru môže ostať neúplný záznam."},
        {Zapis::Bez_poznamky, "Výsledok nebol zapísaný do súboru %1, lebo v priečinku tohto používateľa %2 sa "
                              "nepodarilo zaznamenať, ako ďaleko sa ukladanie dostalo."},
    };
    const bool zamok = z == Zapis::Zamok_nie_je_subor || z == Zapis::Zamok_nezapisatelny || z == Zapis::Bez_zamykania
        || z == Zapis::Zamok_cudzi;
    const QString subor = platform::resolvePath(cesta);
    const QString priecinok = QFileInfo(subor).absolutePath() + QLatin1Char('/');
    for (const auto &t : texty) {
        if (t.zapis != z)
            continue;
        QString text = QString::fromUtf8(t.text).arg(QDir::toNativeSeparators(
            zamok ? priecinok + Misc::Zamok_priecinka::Meno : subor));
        if (z == Zapis::Zamok_cudzi) // %2 the lock's owner
            text = text.arg(Misc::Vlastnik(Misc::Priecinok(priecinok), Misc::Zamok_priecinka::Meno));
        if (z == Zapis::Bez_poznamky) // %2 the folder of kept results
            text = text.arg(QDir::toNativeSeparators(Misc::Adresar_uschovanych()));
        // What the system said, where it said it; a note that could not be
        // synced is most likely a disk that is full or failing.
        if (const QString dovod = Misc::Dovod_systemu(chyba_systemu, druh_disku); !dovod.isEmpty())
            text += QLatin1Char(' ') + dovod;
        else if (z == Zapis::Bez_poznamky)
            text += QStringLiteral(" Disk môže byť plný alebo poškodený.");
        return text;
    }
    return {};
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
