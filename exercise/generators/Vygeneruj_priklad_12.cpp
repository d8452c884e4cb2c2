// Task 12: an algebraic fraction that the pupil reduces. Templates 1 to 9
// fix how the exponents n, o and m, p compare (greater, equal, smaller).
#include "exercise/Nacti_priklady.h"
#include "exercise/generators/Generovanie.h"
#include "expr/Nsd.h"
#include "expr/Zapis_vyrazu.h"

using namespace Generovanie;

namespace {

int Porovnaj(int a, int b) { return a > b ? 0 : a == b ? 1 : 2; }

// Template T (1..9) = 3 · (m against p) + (n against o) + 1.
bool Vztah_12(const frm_Game01 &f, int T)
{
    if (T < 1 || T > 9)
        return true;
    return Porovnaj(f.Par_n, f.Par_o) == (T - 1) % 3 && Porovnaj(f.Par_m, f.Par_p) == (T - 1) / 3;
}

void Losuj_parametre_12(frm_Game01 &f, int T)
{
    do {
        f.Par_A = float(Los_so_znamienkom(-10, -2, 2, 10));
        do {
            f.Par_K = qint16(Los(1, 10));
            f.Par_L = qint16(Los(1, 10));
        } while (Misc::Najdi_NSD(f.Par_K, f.Par_L) != 1);
        f.Par_D = float(Los(1, 10));
        for (qint16 *p : {&f.Par_n, &f.Par_m, &f.Par_o, &f.Par_p})
            *p = qint16(Los(1, 10));
    } while (!Vztah_12(f, T));
}

bool Pokus_12(frm_Game01 &f, int i)
{
    const int T = Misc::Vybrany_vzor[i];
    const Misc::Vzor_prikladu &vzor = Misc::Vzory[T];
    Losuj_parametre_12(f, T);
    for (QString *t : {&f.Zadani_prikladu(1, i), &f.Pom_tabulka_1(1, i), &f.Pom_tabulka_2(1, i),
                       &f.Vysledek_prikladu(1, i), &f.Vysledek_prikladu(2, i)})
        t->clear();
    // The assignment shows a negative A in brackets, the result as it is.
    auto pismena = [&f](bool zatvorky) -> Pismena {
        return {{'a', f.Par_A, zatvorky}, {'d', f.Par_D}, {'k', f.Par_K}, {'l', f.Par_L},
                {'m', f.Par_m},          {'n', f.Par_n}, {'o', f.Par_o}, {'p', f.Par_p}};
    };
    QString &zadani = f.Zadani_prikladu(1, i);
    if (!Pridaj_kusy(f, zadani, [&](int k) { return vzor.Zadani(k); }, pismena(true), u"xyz/"))
        return false;
    zadani = Uprav_znamenka(Vypocitej_exponenty(Preved_na_zobrazeni(zadani), f.Evaluator_formulara()));
    if (!Rozdel_zlomok(zadani, f.Pom_tabulka_1(1, i), f.Pom_tabulka_2(1, i)))
        return false;

    QString vysledok;
    if (!Pridaj_kusy(f, vysledok, [&](int k) { return vzor.Vysledek(k); }, pismena(false), u"xyz~/"))
        return false;
    return Rozdel_zlomok(Uprav_znamenka(Preved_na_zobrazeni(vysledok)), f.Vysledek_prikladu(1, i),
                  f.Vysledek_prikladu(2, i));
}

} // namespace

void frm_Game01::Vygeneruj_priklad_12(bool Prvni_generovani)
{
    (void)Prvni_generovani;
    Obrazovka(
        *this, [] { return Los_vzoru(Misc::Pocet_vzoru()); }, [this](int i) { return Pokus_12(*this, i); },
        [] { return true; }, [this](int i) { Zobraz_zlomok(*this, i); }, [this](int i) { Skry_zlomok(*this, i); });
}
