#include "expr/Vyhodnoceni_vysledku.h"

#include "expr/Prevedeni_vstupu.h"

namespace {

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

} // namespace

bool Rovnake_cleny(QStringView vstup, QStringView vzor)
{
    const QString &tvar = Tvar_vstupu(vstup);
    return !tvar.isEmpty() && tvar == Tvar_clenov(vzor);
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
