#include "expr/Vyhodnoceni_vysledku.h"

#include "expr/EEvaluator.h"
#include "expr/Prevedeni_vstupu.h"

namespace {

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

// The normal form drops a "·" that stands beside nothing; such a line has
// no value, so it is no answer where the expected text has one, nor the
// other way round: whichever line is the pupil's, the judgement is one.
bool Ma_hodnotu_ako_vzor(QStringView vstup, QStringView vzor)
{
    thread_local QString posledny;
    thread_local bool ma_hodnotu = false;
    if (vstup != posledny) {
        posledny = vstup.toString();
        ma_hodnotu = Hodnota_v_bode(vstup).has_value();
    }
    return ma_hodnotu == Hodnota_v_bode(vzor).has_value();
}

} // namespace

bool Rovnake_cleny(QStringView vstup, QStringView vzor)
{
    const QString &tvar = Tvar_vstupu(vstup);
    return !tvar.isEmpty() && tvar == Tvar_clenov(vzor) && Ma_hodnotu_ako_vzor(vstup, vzor);
}

bool Vyhodnoceni_vysledku(cEEvaluator &vypocet, QStringView vstup, QStringView vzor, QStringView druh,
                          double Prom_X, double Prom_Y, double Prom_Z)
{
    if (druh.isEmpty())
        return Rovnake_cleny(vstup, vzor);
    if (druh != u"LP" || !Ma_operand(vstup) || !Ma_operand(vzor))
        return false;
    const auto a = Prevedeni_vstupu_na_vysledek(vypocet, vzor, Prom_X, Prom_Y, Prom_Z);
    const auto b = Prevedeni_vstupu_na_vysledek(vypocet, vstup, Prom_X, Prom_Y, Prom_Z);
    return a && b && *a == *b;
}
