// Tasks 7 to 9: products, quotients and powers of powers, whose result has
// whole-number coefficients A..D and exponents m, n, p.
#include "exercise/Nacti_priklady.h"
#include "exercise/generators/Generovanie.h"
#include "expr/Zapis_vyrazu.h"
#include "services/Promenne_cviceni.h"

using namespace Generovanie;

namespace {

// Task 9: m, n and p pairwise different, m and n no neighbours; which
// values a template gets depends on its number.
void Losuj_exponenty_09(frm_Game01 &f, int T)
{
    const bool stredne = T >= 5 && T <= 15, vysoke = T >= 16 && T <= 25;
    int m, n, p;
    auto zle = [&] {
        return m + n == 2 * n || m == n || m == p || n == p || m + n == p + n || 2 * n == p + n || m + n == m + 1
               || m + 1 == n + 1 || n + 1 == m + n || m == n + 1 || n == m + 1 || (vysoke && (m == 2 || n == 2));
    };
    do {
        m = Los(2, 4);
        n = stredne ? 4 : vysoke ? Los(2, 5) : Los(2, 4);
        p = Los(2, 4);
    } while (zle());
    f.Par_m = qint16(m);
    f.Par_n = qint16(n);
    f.Par_p = qint16(p);
}

void Losuj_parametre_07(frm_Game01 &f, int T)
{
    const QString &uloha = Misc::Cislo_ulohy;
    if (uloha == QLatin1String("9")) {
        Losuj_exponenty_09(f, T);
    } else {
        do {
            f.Par_m = qint16(Los(1, 4));
            f.Par_n = qint16(Los(1, 4));
            f.Par_p = qint16(Los(1, 4));
        } while (uloha == QLatin1String("8")
                 && (f.Par_m == f.Par_n || f.Par_m == f.Par_p || f.Par_n == f.Par_p));
    }
    const int od = uloha == QLatin1String("9") ? 2 : 1;
    for (float *k : {&f.Par_A, &f.Par_B, &f.Par_C, &f.Par_D})
        *k = float(Los(od, 5));
}

bool Pokus_07(frm_Game01 &f, int i)
{
    const Misc::Vzor_prikladu &vzor = Misc::Vzory[Misc::Vybrany_vzor[i]];
    f.Vysledek_prikladu(1, i).clear();
    if (!Je_vzorec(i))
        return false;
    Losuj_parametre_07(f, Misc::Vybrany_vzor[i]);
    const Pismena pismena = {{'a', f.Par_A}, {'b', f.Par_B}, {'c', f.Par_C}, {'d', f.Par_D},
                             {'m', f.Par_m}, {'n', f.Par_n}, {'p', f.Par_p}};
    QString &vysledok = f.Vysledek_prikladu(1, i);
    if (!Zostav(f, f.Zadani_prikladu(1, i), [&](int k) { return vzor.Zadani(k); }, pismena, u"xyz", Uprava::Zadani)
        || !Zostav(f, vysledok, [&](int k) { return vzor.Vysledek(k); }, pismena, u"xyz", Uprava::Vysledek))
        return false;
    // Exponents are superscript glyphs by now: only a digit 0 of a
    // coefficient (10, 20, a lone 0) turns the example down.
    return !vysledok.contains(u'0') && !vysledok.isEmpty() && !f.Zadani_prikladu(1, i).isEmpty();
}

} // namespace

void frm_Game01::Vygeneruj_priklad_07(bool Prvni_generovani)
{
    (void)Prvni_generovani;
    Obrazovka(
        *this, [] { return Los_vzoru(Misc::Pocet_vzoru()); }, [this](int i) { return Pokus_07(*this, i); },
        [] { return false; },
        [this](int i) { Zobraz_riadok(*this, i, Vysledek_prikladu(1, i)); },
        [this](int i) { Skry_riadok(*this, i); });
}
