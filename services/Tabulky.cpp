#include "services/Tabulky.h"

#include "platform/ResourcePath.h"
#include "services/Bezpecny_subor.h"
#include "services/Prekodovany_soubor.h"
#include "services/Text_1250.h"

#include <algorithm>
#include <cmath>

namespace Misc {

namespace {

// number = [sign] digits ["." digits] [("E" | "D") [sign] digits]
// Returns how many characters at the start of `t` form the number.
qsizetype Dlzka_cisla(const QString &t)
{
    qsizetype i = 0;
    const auto cislice = [&] {
        const qsizetype od = i;
        while (i < t.size() && t[i].isDigit() && t[i].unicode() < 128)
            ++i;
        return i > od;
    };
    const auto znamienko = [&] {
        if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
            ++i;
    };
    znamienko();
    bool ma_cislice = cislice();
    if (i < t.size() && t[i] == QLatin1Char('.')) {
        ++i;
        ma_cislice = cislice() || ma_cislice;
    }
    if (!ma_cislice)
        return 0;
    const qsizetype mantisa = i;
    if (i < t.size() && QStringLiteral("EeDd").contains(t[i])) {
        ++i;
        znamienko();
        if (!cislice())
            return mantisa;
    }
    return i;
}

// Row r's three fields; nothing when a field lies outside 0 to 255 or a line
// that is not empty gives a mark other than 1 to 5.
std::optional<Hranice_znamky> Riadok_znamok(const QString &riadok)
{
    // Only the first three "|"-separated fields count.
    const QStringList polia = riadok.split(QLatin1Char('|'));
    std::uint8_t hodnoty[3] = {};
    for (int f = 0; f < 3; ++f) {
        const auto hodnota = Hodnota_pola(f < polia.size() ? polia[f] : QString());
        if (!hodnota)
            return std::nullopt;
        hodnoty[f] = *hodnota;
    }
    if (!riadok.trimmed().isEmpty() && (hodnoty[2] < 1 || hodnoty[2] > Pocet_znamok))
        return std::nullopt;
    return Hranice_znamky{hodnoty[0], hodnoty[1], hodnoty[2]};
}

void Napln_texty(const QStringList &riadky)
{
    Texty.fill(QString());
    const int pocet = std::min<int>(riadky.size(), Pocet_textov);
    for (int k = 1; k <= pocet; ++k)
        Texty[k] = riadky[k - 1];
}

} // namespace

std::optional<std::uint8_t> Hodnota_pola(const QString &pole)
{
    QString text = pole;
    text.remove(QLatin1Char(' ')).remove(QLatin1Char('\t')).remove(QLatin1Char('\n'));
    QString cislo = text.left(Dlzka_cisla(text));
    cislo.replace(QLatin1Char('D'), QLatin1Char('E')).replace(QLatin1Char('d'), QLatin1Char('E'));
    bool ok = false;
    const double hodnota = cislo.isEmpty() ? 0.0 : cislo.toDouble(&ok);
    if (!cislo.isEmpty() && !ok)
        return std::nullopt;
    // nearbyint rounds halves to the even neighbour in the default mode.
    const double cele = std::nearbyint(hodnota);
    if (!(cele >= 0 && cele <= 255))
        return std::nullopt;
    return static_cast<std::uint8_t>(cele);
}

Chyba_suboru Nacti_znamky(const QString &cesta)
{
    const QString subor = platform::resolvePath(cesta);
    QByteArray bajty;
    if (Chyba_suboru chyba = Precitaj_nastavenie(subor, bajty); chyba.Je_chyba())
        return chyba.druh == Chyba_suboru::Neexistuje ? Chyba_suboru{Chyba_suboru::Neda_sa_citat, subor} : chyba;
    const QStringList riadky = Riadky_suboru(bajty);
    const int pocet = std::min<int>(riadky.size(), Pocet_znamok);
    std::array<std::optional<Hranice_znamky>, Pocet_znamok> precitane;
    for (int r = 1; r <= pocet; ++r)
        if (!(precitane[r - 1] = Riadok_znamok(riadky[r - 1])))
            return {Chyba_suboru::Nad_hranice, subor, r};
    for (int r = 1; r <= pocet; ++r)
        Tabulka_znamek[r] = *precitane[r - 1];
    // Without this check a damaged file gives every pupil the mark 0. The
    // fractions between whole percentages go to the row just below them.
    for (int p = 0; p <= 100; ++p)
        if (std::none_of(Tabulka_znamek.cbegin() + 1, Tabulka_znamek.cend(), [p](const Hranice_znamky &h) {
                return h.Hodnota_znamky != 0 && h.Dolni_hranice <= p && p <= h.Horni_hranice;
            }))
            return {Chyba_suboru::Bez_znamok, subor};
    return {};
}

Chyba_suboru Nacti_texty(const QString &cesta)
{
    QStringList riadky;
    const QString subor = platform::resolvePath(cesta);
    if (Chyba_suboru chyba = Precti_prekodovany_soubor(subor, riadky); chyba.Je_chyba())
        return chyba;
    // A file that was not scrambled, or holds no text, unscrambles into
    // control characters and bytes that Windows-1250 leaves undefined.
    const auto cudzi = [](QChar c) {
        return c != QLatin1Char('\t') && (c.category() == QChar::Other_Control || c == QChar::ReplacementCharacter);
    };
    // Every screen takes its labels from these lines: a file cut short
    // would leave them empty.
    if (riadky.size() < Pocet_potrebnych_textov)
        return {Chyba_suboru::Poskodeny, subor, int(riadky.size()) + 1};
    for (int k = 0; k < riadky.size(); ++k)
        if (std::any_of(riadky[k].cbegin(), riadky[k].cend(), cudzi))
            return {Chyba_suboru::Poskodeny, subor, k + 1};
    Napln_texty(riadky);
    return {};
}

} // namespace Misc
