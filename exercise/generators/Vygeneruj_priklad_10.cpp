// Task 10: factorisation. A template gives several forms of the product,
// each a right answer; they stay in the example table, not in a Tag.
#include "exercise/Nacti_priklady.h"
#include "exercise/generators/Generovanie.h"
#include "expr/Nsd.h"
#include "expr/Zapis_vyrazu.h"
#include "services/Promenne_cviceni.h"

using namespace Generovanie;

namespace {

// What template T needs of its parameters so that its product comes out
// right (exponents in order, coefficients without a common factor).
bool Podmienka_10(const frm_Game01 &f, int T)
{
    const int m = f.Par_m, n = f.Par_n, p = f.Par_p;
    const bool nesudelitelne = f.Par_A != f.Par_B && Misc::Najdi_NSD(f.Par_A, f.Par_B) == 1;
    if (T > 8 && T <= 32)
        T = (T - 9) % 6 + 9; // templates 9 to 14 repeat in groups of six up to 32
    switch (T) {
    case 1:
    case 3:
        return n < m && nesudelitelne;
    case 2:
    case 4:
        return n > m && nesudelitelne;
    case 7:
        return f.Par_A != 1;
    case 9:
        return n > p && m > p;
    case 10:
        return n > m && m == p;
    case 11:
        return n > m && m < p;
    case 12:
        return n == m && m < p;
    case 13:
        return n < p && n < m;
    case 14:
        return m > p && n == p && n < m;
    default:
        return true;
    }
}

void Losuj_parametre_10(frm_Game01 &f, int T)
{
    do {
        f.Par_m = qint16(Los(1, 4));
        f.Par_n = qint16(Los(1, 4));
        f.Par_p = qint16(Los(1, 4));
        f.Par_A = float(Los(1, 5));
        f.Par_B = float(Los(1, 5));
        f.Par_C = float(Los(1, 5));
    } while (!Podmienka_10(f, T));
}

bool Pokus_10(frm_Game01 &f, int i)
{
    const int T = Misc::Vybrany_vzor[i];
    const Misc::Vzor_prikladu &vzor = Misc::Vzory[T];
    for (int k = 1; k <= 50; ++k)
        f.Vysledek_prikladu(k, i).clear();
    if (!Je_vzorec(i))
        return false;
    Losuj_parametre_10(f, T);
    const Pismena pismena = {{'a', f.Par_A}, {'b', f.Par_B}, {'c', f.Par_C},
                             {'m', f.Par_m}, {'n', f.Par_n}, {'p', f.Par_p}};
    if (!Zostav(f, f.Zadani_prikladu(1, i), [&](int k) { return vzor.Zadani(k); }, pismena, u"xyz",
                Uprava::Zadani)
        || f.Zadani_prikladu(1, i).isEmpty() || vzor.Vysledek2(1, 1).isEmpty())
        return false;
    for (int k = 1; k <= 50; ++k) {
        QString &forma = f.Vysledek_prikladu(k, i);
        if (!Pridaj_kusy(f, forma, [&](int j) { return j == 1 ? vzor.Vysledek2(1, k) : QString(); }, pismena,
                         u"xyz"))
            return false;
        forma = Uprav_znamenka(Preved_na_zobrazeni(forma));
        if (forma.contains(u'0'))
            return false;
    }
    // Template 5 keeps its forms as they are written, unit factors and all.
    for (int k = 1; k <= 50; ++k)
        f.Vysledek_prikladu(k, i) = Zjednodus_zapis(f.Vysledek_prikladu(k, i), T != 5);
    return true;
}

} // namespace

void frm_Game01::Vygeneruj_priklad_10(bool Prvni_generovani)
{
    (void)Prvni_generovani;
    // Two templates above 10 never follow each other: the one in use before
    // a draw is the previous example's, or the example's own after 499
    // failed passes.
    int predosly = 0;
    auto losuj = [&predosly] {
        int T = Los_vzoru(Misc::Pocet_vzoru());
        while (T > 10 && predosly > 10)
            T = Los_vzoru(Misc::Pocet_vzoru());
        return predosly = T;
    };
    Obrazovka(
        *this, losuj, [this](int i) { return Pokus_10(*this, i); }, [] { return false; },
        [this](int i) {
            Zobraz_riadok(*this, i, std::nullopt);
            TV1(i)->Text = QString();
        },
        [this](int i) { Skry_riadok(*this, i); });
}
