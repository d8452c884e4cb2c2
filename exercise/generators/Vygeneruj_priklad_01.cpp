// Tasks 1 to 3: numeric expressions whose value the pupil computes, one
// number or, for a fraction template, the reduced fraction in two cells.
#include "exercise/Nacti_priklady.h"
#include "exercise/generators/Generovanie.h"
#include "expr/Nsd.h"
#include "expr/NumberText.h"
#include "expr/Zapis_vyrazu.h"
#include "services/Promenne_cviceni.h"

#include <cmath>

using namespace Generovanie;

namespace {

bool Cele(double v) { return v == std::round(v); }

double Cislo(const QString &text) { return ParseNumber(text).value_or(0); }

qint16 Los_nenuloveho()
{
    int v = 0;
    while (v == 0)
        v = Los(-10, 10);
    return qint16(v);
}

void Losuj_parametre_01(frm_Game01 &f, int vzor)
{
    f.Par_m = qint16(Misc::Cislo_ulohy == QLatin1String("2") && vzor == 7 ? Los(1, 2) : Los(1, 3));
    f.Par_n = qint16(Los(1, 3));
    f.Par_o = qint16(Los(1, 3));
    f.Hodnota_x = Los_nenuloveho();
    f.Hodnota_y = Los_nenuloveho();
    f.Hodnota_z = Los_nenuloveho();
    f.Par_A = float(Los_so_znamienkom(-5, -3, 2, 4));
    f.Par_B = float(Los_so_znamienkom(-5, -3, 2, 4));
    f.Par_C = float(Los_so_znamienkom(-5, -3, 2, 4));
}

// A fraction is accepted with whole, non-zero lines within -1000..1000; in
// task 3 it must not reduce to a whole number (denominator 1 or -1).
bool Prijmi_zlomok(frm_Game01 &f, int i)
{
    cEEvaluator &vypocet = f.Evaluator_formulara();
    const QString &zadani = f.Zadani_prikladu(1, i);
    const qsizetype lomka = zadani.indexOf(u'/');
    if (lomka < 0)
        return false;
    f.Pom_tabulka_1(1, i) = zadani.left(lomka);
    f.Pom_tabulka_2(1, i) = zadani.mid(lomka + 1);
    const auto N = Hodnota(vypocet, f.Pom_tabulka_1(1, i));
    const auto D = Hodnota(vypocet, f.Pom_tabulka_2(1, i));
    if (!N || !D)
        return false;
    f.Vysledek_prikladu(1, i) = FormatNumber(*N);
    f.Vysledek_prikladu(2, i) = FormatNumber(*D);
    if (std::abs(*N) > 1000 || std::abs(*D) > 1000 || !Cele(*N) || !Cele(*D) || *N == 0 || *D == 0)
        return false;
    if (Misc::Cislo_ulohy == QLatin1String("3"))
        return std::abs(*D / Misc::Najdi_NSD(*N, *D)) != 1;
    return true;
}

bool Pokus_01(frm_Game01 &f, int i)
{
    const Misc::Vzor_prikladu &vzor = Misc::Vzory[Misc::Vybrany_vzor[i]];
    Losuj_parametre_01(f, Misc::Vybrany_vzor[i]);
    f.Zadani_prikladu(1, i).clear();
    f.Pom_tabulka_1(1, i).clear();
    f.Pom_tabulka_2(1, i).clear();
    QString zadani = Dosad(vzor.Zadani_radek(), {{'m', f.Par_m},
                                                 {'n', f.Par_n},
                                                 {'o', f.Par_o},
                                                 {'x', f.Hodnota_x, true},
                                                 {'y', f.Hodnota_y, true},
                                                 {'z', f.Hodnota_z, true},
                                                 {'a', f.Par_A, true},
                                                 {'b', f.Par_B, true},
                                                 {'c', f.Par_C, true}});
    zadani = Vypocitej_exponenty(zadani, f.Evaluator_formulara());
    f.Zadani_prikladu(1, i) = Zjednodus_zapis(Uprav_znamenka(zadani), true);

    if (vzor.Druh() == QLatin1String("nezlomek")) {
        const auto v = Hodnota(f.Evaluator_formulara(), f.Zadani_prikladu(1, i));
        if (!v)
            return false;
        f.Vysledek_prikladu(1, i) = FormatNumber(*v);
        return *v >= -2000 && *v <= 2000;
    }
    if (vzor.Druh() == QLatin1String("zlomek"))
        return Prijmi_zlomok(f, i);
    return false;
}

void Zobraz_cislo(frm_Game01 &f, int i)
{
    const int u = 2 * i - 1, l = 2 * i;
    f.Pom_text[1] = f.Zadani_prikladu(1, i);
    f.Zadani_prikladu(1, i) = Preved_na_zobrazeni(f.Pom_text[1]);
    Ramcek(f, f.TZ1(u), f.TV2(u), f.TZ1(u)->Height);
    Popis(f.TZ1(u), f.Zadani_prikladu(1, i));
    f.TV2(u)->Tag = FormatNumber(std::round(Cislo(f.Vysledek_prikladu(1, i)) * 1000) / 1000);
    f.TZ1(u)->Visible = true;
    f.TR1(u)->Top = f.TR1(l)->Top - 35;
    f.TR1(u)->Visible = true;
    Otvor(f.TV1(u));
    f.TR2(u)->Top = f.TR2(l)->Top - 35;
    f.TR2(u)->Visible = true;
    Otvor(f.TV2(u));
    Odloz_riadok(f, l);
}

// The fraction reduced, its minus in the numerator, then shown.
void Skrat_zlomok(frm_Game01 &f, int i)
{
    for (f.Pom_i = 1; f.Pom_i <= 2; ++f.Pom_i) {
        QString &riadok = f.Pom_i == 1 ? f.Pom_tabulka_1(1, i) : f.Pom_tabulka_2(1, i);
        f.Zadani_prikladu(1, i) = riadok;
        f.Pom_text[1] = f.Zadani_prikladu(1, i);
        f.Zadani_prikladu(1, i) = Preved_na_zobrazeni(f.Pom_text[1]);
        riadok = f.Zadani_prikladu(1, i);
    }
    const double N = std::round(Cislo(f.Vysledek_prikladu(1, i)));
    const double D = std::round(Cislo(f.Vysledek_prikladu(2, i)));
    f.Spolecny_delitel = qint16(std::round(Misc::Najdi_NSD(N, D)));
    double citatel = N / f.Spolecny_delitel, menovatel = D / f.Spolecny_delitel;
    if (menovatel < 0) {
        citatel = -citatel;
        menovatel = -menovatel;
    }
    f.Vysledek_prikladu(1, i) = FormatNumber(citatel);
    f.Vysledek_prikladu(2, i) = FormatNumber(menovatel);

    Generovanie::Zobraz_zlomok(f, i);
}

} // namespace

void frm_Game01::Vygeneruj_priklad_01(bool Prvni_generovani)
{
    (void)Prvni_generovani;
    auto druh = [](int i) -> const QString & { return Misc::Vzory[Misc::Vybrany_vzor[i]].Druh(); };
    Obrazovka(
        *this, [] { return Los_vzoru(Misc::Pocet_vzoru()); }, [this](int i) { return Pokus_01(*this, i); },
        [&druh] { return druh(1) != QLatin1String("nezlomek"); },
        [this, &druh](int i) { druh(i) == QLatin1String("nezlomek") ? Zobraz_cislo(*this, i) : Skrat_zlomok(*this, i); },
        [this](int i) { Skry_zlomok(*this, i); });
}
