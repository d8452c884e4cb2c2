// Task 14: the product or the quotient of two algebraic fractions, written
// as one fraction. The template number fixes the operation (odd "·", even
// ":") and which parameters are drawn, so that its result is in lowest
// terms.
#include "exercise/Nacti_priklady.h"
#include "exercise/generators/Dva_zlomky.h"
#include "expr/Nsd.h"

using namespace Generovanie;

namespace {

void Losuj_parametre_14(frm_Game01 &f, int T)
{
    auto styri = [&f] {
        for (float *p : {&f.Par_A, &f.Par_B, &f.Par_C, &f.Par_D})
            *p = float(Los(1, 10));
    };
    auto mocniny = [&f] {
        f.Par_A = float(Los_so_znamienkom(-10, -2, 2, 10));
        f.Par_B = float(Los_so_znamienkom(-10, -2, 2, 10));
        f.Par_m = qint16(Los(2, 5));
        f.Par_n = qint16(Los(2, 5));
        f.Par_K = qint16(Los(1, 5));
    };
    switch (T) {
    case 1:
        do
            styri();
        while (Misc::Najdi_NSD(f.Par_C * f.Par_A, f.Par_D * f.Par_B) != 1);
        break;
    case 2:
        do
            styri();
        while (Misc::Najdi_NSD(f.Par_A * f.Par_D, f.Par_C * f.Par_B) != 1);
        break;
    case 3: mocniny(); break;
    case 4:
        do
            mocniny();
        while (Misc::Najdi_NSD(f.Par_A * f.Par_A, f.Par_B * f.Par_B) != 1);
        break;
    case 5:
    case 6: f.Par_K = qint16(Los(1, 5)); break;
    default: break;
    }
}

bool Pokus_14(frm_Game01 &f, int i)
{
    const Misc::Vzor_prikladu &vzor = Misc::Vzory[Misc::Vybrany_vzor[i]];
    Losuj_parametre_14(f, Misc::Vybrany_vzor[i]);
    const Pismena pismena{{'a', f.Par_A}, {'b', f.Par_B}, {'c', f.Par_C}, {'d', f.Par_D},
                          {'m', f.Par_m}, {'n', f.Par_n}, {'k', f.Par_K}};
    return Dva_zlomky::Strany(f, i, vzor, pismena)
           && Dva_zlomky::Vysledok(f, [&](int k) { return vzor.Vysledek(k); }, pismena, f.Vysledek_prikladu(1, i),
                                   f.Vysledek_prikladu(2, i));
}

} // namespace

void frm_Game01::Vygeneruj_priklad_14(bool Prvni_generovani)
{
    (void)Prvni_generovani;
    Obrazovka(
        *this, [] { return Los_vzoru(Misc::Pocet_vzoru()); }, [this](int i) { return Pokus_14(*this, i); },
        [] { return true; },
        [this](int i) {
            Dva_zlomky::Zobraz(*this, i, Misc::Vybrany_vzor[i] % 2 ? QStringLiteral("\u00B7") : QStringLiteral(":"),
                               false);
        },
        [this](int i) { Dva_zlomky::Skry(*this, i); });
}
