// How the worksheets of the equations of tasks 16 and 17 and of the
// inequality of task 18 print one example: the equation from row 1 of the
// answer sheet, term by term with its fractions set as numerator over
// denominator, and blank lines for the pupil's stages. Which terms stand
// where depends on the operators the generator left, so these blocks are
// code rather than tables.
#include "printing/Pracovni_list.h"

#include "exercise/frm_Game01.h"
#include "printing/Stranka.h"

#include <algorithm>
#include <initializer_list>
#include <map>

namespace Misc {

namespace {

using Popisy = platform::ControlArray<platform::Label>;

// Terms of one side stand 17 mm apart, each operator 13 mm after its term;
// a wide term moves what follows it on, so that a sign keeps the clear
// space from a fraction's bar that the fractions of the other tasks keep.
constexpr float Krok_clena = 17, Krok_operatora = 13, Medzera = 2;

// The base line of the slot: every text of the example lies a few
// millimetres above or below it.
struct Slot {
    frm_Game01 &hra;
    qint16 Y;
};

void Text(float x, int y, const QString &text) { Vytiskni_radek(x, qint16(y), text, QStringLiteral("Ruvo")); }

// A sign on the middle line at x mm, or further on when it would come
// closer than Medzera to what ends at `pred`; where the next thing may start.
float Vytiskni_znamienko(const Slot &s, const QString &znamienko, float x, float pred)
{
    x = std::max(x, pred + Medzera);
    Text(x, s.Y - 12, znamienko);
    return x + Sirka_mm(znamienko) + Medzera;
}

// A term on the middle line, or a fraction when it has a denominator: its
// numerator above the bar, which lies 2 mm lower, and its denominator under
// it, all at the same left edge. Returns where it ends.
float Vytiskni_clen(const Slot &s, Popisy &clen, float x)
{
    const QString menovatel = clen(2)->Caption();
    if (menovatel.isEmpty()) {
        Text(x, s.Y - 12, clen(1)->Caption());
        return x + Sirka_mm(clen(1)->Caption());
    }
    // The bar is never shorter than the longer of the two.
    const QString ciara = Ciara_mm(std::max({Sirka_mm(QString(5, QLatin1Char('_'))), Sirka_mm(clen(1)->Caption()),
                                             Sirka_mm(menovatel)}));
    Text(x, s.Y - 14, ciara);
    Text(x, s.Y - 16, clen(1)->Caption());
    Text(x, s.Y - 9, menovatel);
    return x + Sirka_mm(ciara);
}

// The terms of one side from x on, each operator between its two terms.
// Returns where the side ends.
float Vytiskni_stranu(const Slot &s, std::initializer_list<Popisy *> cleny,
                      std::initializer_list<platform::Label *> operatory, float x)
{
    auto op = operatory.begin();
    float koniec = x;
    for (Popisy *clen : cleny) {
        koniec = Vytiskni_clen(s, *clen, x);
        if (op != operatory.end())
            x = std::max(x + Krok_clena, Vytiskni_znamienko(s, (*op++)->Caption(), x + Krok_operatora, koniec));
    }
    return koniec;
}

bool Prazdny(platform::Label *op) { return op->Caption().isEmpty(); }

void Vytiskni_cislo(const Slot &s, int cislo) { Text(20, s.Y - 16, QString::number(cislo) + QStringLiteral(") ")); }

// Answer lines 7 mm apart down to 12 mm below the base line.
void Vytiskni_ciary(const Slot &s, int pocet)
{
    for (int y = 12 - 7 * (pocet - 1); y <= 12; y += 7)
        Text(20, s.Y + y, QString(55, QLatin1Char('_')));
}

// The equation or inequality on one line, with four answer lines under it.
void Vytiskni_vzorec(const Slot &s, int cislo, const QString &znamienko)
{
    frm_Game01 &h = s.hra;
    Vytiskni_cislo(s, cislo);
    Text(40, s.Y - 16, h.TZ1(1)->Caption() + QLatin1Char(' ') + znamienko + QLatin1Char(' ') + h.TZ3(1)->Caption());
    Vytiskni_ciary(s, 4);
}

// Sides of one or two terms around the sign at 70 mm; the lines of the
// fractions leave room for three answer lines.
void Vytiskni_zlomky(const Slot &s, int cislo, const QString &znamienko)
{
    frm_Game01 &h = s.hra;
    Vytiskni_cislo(s, cislo);
    const float lava = !Prazdny(h.TR2(1)) ? Vytiskni_stranu(s, {&h.TZ1, &h.TZ2}, {h.TR2(1)}, 40)
                                          : Vytiskni_stranu(s, {&h.TZ1}, {}, 57);
    const float prava = std::max(74.0f, Vytiskni_znamienko(s, znamienko, 70, lava));
    if (!Prazdny(h.TR3(1)))
        Vytiskni_stranu(s, {&h.TZ3, &h.TZ4}, {h.TR3(1)}, prava);
    else
        Vytiskni_stranu(s, {&h.TZ3}, {}, prava);
    Vytiskni_ciary(s, 3);
}

void Priklad_16(const Slot &s, int cislo)
{
    if (s.hra.Je_zlomek)
        Vytiskni_zlomky(s, cislo, QStringLiteral("="));
    else
        Vytiskni_vzorec(s, cislo, s.hra.TZR(1)->Caption());
}

// The sign of the generated inequality, whichever way it points.
void Priklad_18(const Slot &s, int cislo)
{
    const QString znamienko = s.hra.IZnam(1)->Tag();
    if (s.hra.Je_zlomek)
        Vytiskni_zlomky(s, cislo, znamienko);
    else
        Vytiskni_vzorec(s, cislo, znamienko);
}

// Always terms: up to three on the left, ending at 74 mm before the "=",
// and up to two on the right.
void Priklad_17(const Slot &s, int cislo)
{
    frm_Game01 &h = s.hra;
    Vytiskni_cislo(s, cislo);
    const bool druhy = !Prazdny(h.TR2(1)), treti = !Prazdny(h.TR3(1));
    // A third term without a second leaves the left side out altogether.
    float lava = 0;
    if (druhy && treti)
        lava = Vytiskni_stranu(s, {&h.TZ1, &h.TZ2, &h.TZ3}, {h.TR2(1), h.TR3(1)}, 40);
    else if (druhy)
        lava = Vytiskni_stranu(s, {&h.TZ1, &h.TZ2}, {h.TR2(1)}, 57);
    else if (!treti)
        lava = Vytiskni_stranu(s, {&h.TZ1}, {}, 74);
    const float prava = std::max(91.0f, Vytiskni_znamienko(s, QStringLiteral("="), 87, lava));
    if (!Prazdny(h.TR4(1)))
        Vytiskni_stranu(s, {&h.TZ4, &h.TZ5}, {h.TR4(1)}, prava);
    else
        Vytiskni_stranu(s, {&h.TZ4}, {}, prava);
    Vytiskni_ciary(s, 3);
}

} // namespace

Blok_rovnice Blok_rovnice_pre_ulohu(const QString &uloha)
{
    static const std::map<QString, void (*)(const Slot &, int)> bloky{
        {QStringLiteral("16"), &Priklad_16},
        {QStringLiteral("17"), &Priklad_17},
        {QStringLiteral("18"), &Priklad_18},
    };
    const auto it = bloky.find(uloha);
    if (it == bloky.end())
        return {};
    return [blok = it->second](frm_Game01 &hra, int cislo, int slot, qint16 Y_zacatku) {
        blok(Slot{hra, qint16(Y_zacatku + 40 * slot)}, cislo);
    };
}

} // namespace Misc
