// The end of a series hands its result to the results table screen.
#include "exercise/frm_Game01.h"

#include "services/Promenne_cviceni.h"
#include "shell/Formulare.h"
#include "shell/frm_Setup.h"
#include "shell/frm_Tabulka.h"

void frm_Game01::Nacti_tabulku() { Formulare::frm_Tabulka->Load(); }

QString frm_Game01::Tabulka_Vlozeni_znamky(int spravne, int celkove)
{
    return Formulare::frm_Tabulka->Vlozeni_znamky(spravne, celkove);
}

void frm_Game01::Tabulka_Vloz_novy_zaznam(int cislo_ulohy, const QString &jmeno, const QString &spravne,
                                          const QString &spatne, const QString &Znamka, int ID)
{
    Formulare::frm_Tabulka->Vloz_novy_zaznam(cislo_ulohy, jmeno, spravne, spatne, Znamka, ID);
}

void frm_Game01::Tabulka_Vloz_zaznam_do_souboru_vysledky_dat(const QString &jmeno, const QString &uloha,
                                                             const QString &typulohy, const QString &spravne,
                                                             const QString &spatne, const QString &Znamka)
{
    Formulare::frm_Tabulka->Vloz_zaznam_do_souboru_vysledky_dat(jmeno, uloha, typulohy, spravne, spatne, Znamka);
}

void frm_Game01::Zobraz_tabulku_nad_nastavenim()
{
    auto &tabulka = Formulare::frm_Tabulka;
    tabulka->Nadrazeny_form = Formulare::frm_Setup.get();
    tabulka->Show();
    Misc::Aktualni_formular = tabulka.get();
}
