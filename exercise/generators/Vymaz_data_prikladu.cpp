// Every generator starts from empty example tables; element 0 of each
// table is left alone, as nothing in a generator writes it.
#include "exercise/frm_Game01.h"
#include "services/Promenne_cviceni.h"

void frm_Game01::Vymaz_data_prikladu()
{
    for (Tabulka_prikladov *t : {&Zadani_prikladu, &Vysledek_prikladu, &Vysledek_prikladu_2, &Vysledek_prikladu_3,
                                 &Pom_tabulka_1, &Pom_tabulka_2})
        for (int i = 1; i <= 50; ++i)
            for (int j = 1; j <= 50; ++j)
                (*t)(i, j).clear();
    for (int i = 1; i <= 10; ++i) {
        Leva_strana[i].clear();
        Prava_strana[i].clear();
        Vysledek_cislo[i] = 0;
        Pouzite_hodnoty[i] = 0;
    }
    for (int i = 1; i <= 50; ++i)
        Pom_text[i].clear();
    for (int i = 0; i < int(Priklad_vytvoreny.size()); ++i)
        Priklad_vytvoreny[size_t(i)] = i >= 1 && i <= Misc::Pocet_prikladu;
}
