// Tasks 4 to 6: algebraic expressions in x and y that the pupil simplifies;
// a template may give a second accepted form of the result.
#include "exercise/Nacti_priklady.h"
#include "exercise/generators/Generovanie.h"
#include "expr/Zapis_vyrazu.h"
#include "services/Promenne_cviceni.h"

using namespace Generovanie;

namespace {

void Losuj_parametre_04(frm_Game01 &f, int vzor)
{
    const bool exponenty = vzor >= 1 && vzor <= 3; // these templates raise to m..p
    for (qint16 *p : {&f.Par_m, &f.Par_n, &f.Par_o, &f.Par_p})
        *p = qint16(exponenty ? Los(2, 6) : Los(1, 6));
    f.Par_A = float(Los_so_znamienkom(-10, -2, 2, 10));
    if (Misc::Cislo_ulohy == QLatin1String("4"))
        f.Par_B = float(Los_so_znamienkom(-10, -2, 2, 10));
    else if (Misc::Cislo_ulohy == QLatin1String("5"))
        f.Par_B = f.Par_A < 0 ? -11 - f.Par_A : 11 - f.Par_A; // A + B is 11 or -11
    f.Par_C = float(Los(1, 20));
    f.Par_D = float(Los(1, 20));
}

bool Pokus_04(frm_Game01 &f, int i)
{
    const Misc::Vzor_prikladu &vzor = Misc::Vzory[Misc::Vybrany_vzor[i]];
    f.Vysledek_prikladu(1, i).clear();
    if (!Je_vzorec(i))
        return false;
    Losuj_parametre_04(f, Misc::Vybrany_vzor[i]);
    const Pismena pismena = {{'a', f.Par_A, true}, {'b', f.Par_B, true}, {'c', f.Par_C}, {'d', f.Par_D},
                             {'m', f.Par_m},       {'n', f.Par_n},       {'o', f.Par_o}, {'p', f.Par_p}};
    QString &zadani = f.Zadani_prikladu(1, i);
    QString &vysledok = f.Vysledek_prikladu(1, i);
    QString &druhy = f.Vysledek_prikladu_2(1, i);
    druhy.clear();
    return Zostav(f, zadani, [&](int k) { return vzor.Zadani(k); }, pismena, u"xy", Uprava::Zadani)
           && Zostav(f, vysledok, [&](int k) { return vzor.Vysledek(k); }, pismena, u"xy", Uprava::Vysledek)
           && Zostav(f, druhy, [&](int k) { return vzor.Vysledek3(k, 1); }, pismena, u"xy", Uprava::Vysledek)
           && !zadani.isEmpty() && !vysledok.isEmpty();
}

} // namespace

void frm_Game01::Vygeneruj_priklad_04(bool Prvni_generovani)
{
    (void)Prvni_generovani;
    // Task 6 keeps its last template out of the draw.
    const int vzorov = Misc::Cislo_ulohy == QLatin1String("6") ? std::max(1, Misc::Pocet_vzoru() - 1)
                                                                : Misc::Pocet_vzoru();
    Obrazovka(
        *this, [vzorov] { return Los_vzoru(vzorov); }, [this](int i) { return Pokus_04(*this, i); },
        [] { return false; },
        [this](int i) { Zobraz_riadok(*this, i, Vysledek_prikladu(1, i), Vysledek_prikladu_2(1, i)); },
        [this](int i) { Skry_riadok(*this, i); });
}
