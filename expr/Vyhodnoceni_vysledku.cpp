#include "expr/Vyhodnoceni_vysledku.h"

#include "expr/EEvaluator.h"
#include "expr/Prevedeni_vstupu.h"
#include "expr/Zapis_vyrazu.h"

#include <algorithm>
#include <cmath>

namespace {

// One value, up to the last bits that the order of the operations leaves:
// a root 7/3 makes 7(x+3)-7 come out as -8.9E-16, not 0. The bound is far
// below any difference of lines that differ in value at a point whose
// coordinates are fractions with small denominators.
bool Rovnake_hodnoty(double a, double b)
{
    return std::abs(a - b) <= 1e-9 * std::max({1.0, std::abs(a), std::abs(b)});
}

// The letters of a line of kind "LP" are the variables given a value: any
// other would be read as a number (y, z and t as 0, e as a number's
// exponent or the constant e, pi as pi) where the pupil meant none.
bool Len_dane_premenne(QStringView riadok, bool s_y, bool s_z)
{
    for (const QChar c : riadok) {
        const char16_t p = c.toLower().unicode();
        if (c.isLetter() && Misc::Preved_z_exponentu(c).isNull() && p != u'x' && !(s_y && p == u'y')
            && !(s_z && p == u'z'))
            return false;
    }
    return true;
}

// A point no expected text is likely to be undefined at.
constexpr double Bod_X = 0.37, Bod_Y = 0.59, Bod_Z = 0.83;

// Whether the line has a value at the point; nothing when it is not judged.
std::optional<double> Hodnota_v_bode(QStringView riadok)
{
    thread_local cEEvaluator vypocet;
    return Prevedeni_vstupu_na_vysledek(vypocet, riadok, Bod_X, Bod_Y, Bod_Z);
}

// A check compares one pupil's line with several expected texts (task 10
// with ten accepted forms): the line is put in its normal form once.
const QString &Tvar_vstupu(QStringView vstup)
{
    thread_local QString posledny, tvar;
    if (vstup != posledny) {
        posledny = vstup.toString();
        tvar = Tvar_clenov(vstup);
    }
    return tvar;
}

// The normal form drops a "·" that stands beside nothing, and the evaluator
// reads some garbled lines (a superscript minus before a "·") by the order
// of their pieces: lines equal by terms are equal only where their values
// are, both without one or both with one value at the point. So the
// judgement is one whichever line is the pupil's.
bool Hodnota_ako_vzor(QStringView vstup, QStringView vzor)
{
    thread_local QString posledny;
    thread_local std::optional<double> hodnota;
    if (vstup != posledny) {
        posledny = vstup.toString();
        hodnota = Hodnota_v_bode(vstup);
    }
    const std::optional<double> vzorova = Hodnota_v_bode(vzor);
    if (!hodnota || !vzorova)
        return !hodnota && !vzorova;
    // Terms added in another order may differ in the last bits.
    return Rovnake_hodnoty(*hodnota, *vzorova);
}

} // namespace

bool Rovnake_cleny(QStringView vstup, QStringView vzor)
{
    const QString &tvar = Tvar_vstupu(vstup);
    return !tvar.isEmpty() && tvar == Tvar_clenov(vzor) && Hodnota_ako_vzor(vstup, vzor);
}

bool Vyhodnoceni_vysledku(cEEvaluator &vypocet, QStringView vstup, QStringView vzor, QStringView druh,
                          double Prom_X, std::optional<double> Prom_Y, std::optional<double> Prom_Z)
{
    if (druh.isEmpty())
        return Rovnake_cleny(vstup, vzor);
    if (druh != u"LP" || !Ma_operand(vstup) || !Ma_operand(vzor))
        return false;
    const auto hodnota = [&](QStringView riadok) -> std::optional<double> {
        if (!Len_dane_premenne(riadok, Prom_Y.has_value(), Prom_Z.has_value()))
            return std::nullopt;
        return Prevedeni_vstupu_na_vysledek(vypocet, riadok, Prom_X, Prom_Y.value_or(0), Prom_Z.value_or(0));
    };
    const auto a = hodnota(vzor);
    const auto b = hodnota(vstup);
    return a && b && Rovnake_hodnoty(*a, *b);
}
