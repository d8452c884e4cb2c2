// Task 13: the sum or the difference of two algebraic fractions, written as
// one fraction. The template number fixes the operation (odd "+", even "-")
// and which parameters are drawn, so that its result is in lowest terms.
#include "exercise/Nacti_priklady.h"
#include "exercise/generators/Dva_zlomky.h"
#include "expr/Nsd.h"

using namespace Generovanie;

namespace {

bool Nesudelitelne(double a, double b) { return Misc::Najdi_NSD(a, b) == 1; }

void Losuj_parametre_13(frm_Game01 &f, int T)
{
    if (T >= 1 && T <= 4) {
        do {
            f.Par_A = float(Los(1, 10));
            f.Par_K = qint16(Los(1, 10));
            f.Par_L = qint16(Los(1, 10));
        } while (!Nesudelitelne(f.Par_K, f.Par_A) || !Nesudelitelne(f.Par_L, f.Par_A)
                 || !Nesudelitelne(f.Par_K, f.Par_L));
    } else if (T == 5 || T == 6) {
        do {
            f.Par_A = float(Los(1, 10));
            f.Par_B = float(Los(1, 10));
            f.Par_K = qint16(Los(2, 10));
            f.Par_L = qint16(Los(2, 10));
        } while (!Nesudelitelne(f.Par_A, f.Par_K) || !Nesudelitelne(f.Par_B, f.Par_L));
    } else if (T == 7 || T == 8) {
        do {
            for (float *p : {&f.Par_A, &f.Par_B, &f.Par_C, &f.Par_D})
                *p = float(Los(1, 10));
        } while (f.Par_A == f.Par_C || f.Par_B == f.Par_D);
    } else if (T == 9 || T == 10) {
        do {
            f.Par_A = float(Los(1, 10));
            f.Par_B = float(Los(1, 10));
        } while (f.Par_A == f.Par_B);
    }
}

bool Pokus_13(frm_Game01 &f, int i)
{
    const Misc::Vzor_prikladu &vzor = Misc::Vzory[Misc::Vybrany_vzor[i]];
    Losuj_parametre_13(f, Misc::Vybrany_vzor[i]);
    const Pismena pismena{{'a', f.Par_A}, {'b', f.Par_B}, {'c', f.Par_C},
                          {'d', f.Par_D}, {'k', f.Par_K}, {'l', f.Par_L}};
    return Dva_zlomky::Strany(f, i, vzor, pismena)
           && Dva_zlomky::Vysledok(f, [&](int k) { return vzor.Vysledek(k); }, pismena, f.Vysledek_prikladu(1, i),
                                   f.Vysledek_prikladu(2, i))
           && Dva_zlomky::Vysledok(f, [&](int k) { return vzor.Vysledek4(k, 1); }, pismena,
                                   f.Vysledek_prikladu_3(1, i), f.Vysledek_prikladu_3(2, i), true);
}

} // namespace

void frm_Game01::Vygeneruj_priklad_13(bool Prvni_generovani)
{
    (void)Prvni_generovani;
    Obrazovka(
        *this, [] { return Los_vzoru(Misc::Pocet_vzoru()); }, [this](int i) { return Pokus_13(*this, i); },
        [] { return true; },
        [this](int i) {
            Dva_zlomky::Zobraz(*this, i, Misc::Vybrany_vzor[i] % 2 ? QStringLiteral("+") : QStringLiteral("-"), true);
        },
        [this](int i) { Dva_zlomky::Skry(*this, i); });
}
