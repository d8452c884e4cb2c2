// Task 21: the linear function y = k·x (variant 1: value tables, k from a
// table, k from a graph) and inverse proportion y = k / x (variant 2).
#include "exercise/generators/Losovanie_19_21.h"
#include "exercise/generators/Priklad_21.h"
#include "platform/Runtime.h"
#include "services/Konfigurace.h"
#include "services/Kresleni.h"
#include "services/Promenne_cviceni.h"

#include <algorithm>

using namespace Losovanie;

namespace Priklad_21 {

Bunky &TV(frm_Game01 &f, int stlpec)
{
    Bunky *const v[] = {&f.TV1, &f.TV2, &f.TV3, &f.TV4, &f.TV5, &f.TV6};
    return *v[stlpec - 1];
}

Popisy &TZ(frm_Game01 &f, int cislo)
{
    Popisy *const v[] = {&f.TZ1, &f.TZ2, &f.TZ3, &f.TZ4, &f.TZ5, &f.TZ6, &f.TZ7};
    return *v[cislo - 1];
}

double Velkost_pisma() { return 12.0 * platform::Screen::TwipsPerPixelX / 15; }

int Pocet_na_obrazovke() { return std::min(Misc::Pocet_prikladu, 10); }

namespace {

void Zadana_bunka(platform::TextBox *bunka, platform::Label *popis, const QString &text)
{
    bunka->Locked = true;
    bunka->Tag = text;
    bunka->Text = text;
    bunka->BackColor = platform::RGB(255, 255, 255);
    bunka->TabStop = false;
    bunka->Visible = false;
    popis->Caption = text;
    popis->BackStyle = 0;
}

void Hladana_bunka(platform::TextBox *bunka, const QString &text, bool varianta_1)
{
    bunka->Locked = false;
    bunka->Tag = text;
    bunka->Text = QString();
    bunka->TabStop = true;
    if (varianta_1)
        bunka->Height = 18;
}

} // namespace

void Tabulka_hodnot(frm_Game01 &f, int i, bool varianta_1)
{
    const int u = 2 * i - 1, l = 2 * i;
    f.TZ1(u)->Caption = QStringLiteral("x");
    f.TZ1(u)->Tag = Text(f.Koeficient_k[i]);
    if (varianta_1)
        f.TZ1(u)->Top = f.TV1(u)->Top - 3;
    f.TZ1(l)->Caption = QStringLiteral("y");
    for (int c = 1; c <= 6; ++c) {
        const QString x = Text(f.Hodnoty_x[c]), y = Text(f.Hodnoty_y[c]);
        const bool dane_x = c % 2 == 1;
        const int dany = dane_x ? u : l, hladany = dane_x ? l : u;
        Zadana_bunka(TV(f, c)(dany), TZ(f, c + 1)(dany), dane_x ? x : y);
        Hladana_bunka(TV(f, c)(hladany), dane_x ? y : x, varianta_1);
    }
    f.TZ1(u)->Visible = true;
    f.TZ1(l)->Visible = true;
    f.TZ1(l)->Top = f.TZ1(u)->Top + 21;
    for (int c = 1; c <= 6; ++c) {
        Bunky &tv = TV(f, c);
        tv(l)->Top = tv(u)->Top + 21;
        const int dany = c % 2 == 1 ? u : l, hladany = c % 2 == 1 ? l : u;
        TZ(f, c + 1)(dany)->Top = tv(dany)->Top;
        TZ(f, c + 1)(dany)->Visible = true;
        tv(hladany)->Visible = true;
        if (varianta_1)
            TZ(f, c + 1)(hladany)->Visible = false;
    }
    f.TV6(u)->Width = f.TV5(u)->Width - 7;
    if (varianta_1)
        f.TV6(l)->Width = f.TV5(l)->Width - 7;
    f.IHod(i)->Tag = QStringLiteral("table");
}

} // namespace Priklad_21

void frm_Game01::Vygeneruj_priklad_21(bool)
{
    const QString cesta = Misc::Cesta_CD + QStringLiteral("Bitmap\\Games\\");
    Obr_levy[1] = Misc::Nacti_obrazek(cesta + QStringLiteral("1list_l.bmp"));
    Obr_stred[1] = Misc::Nacti_obrazek(cesta + QStringLiteral("1list_s.bmp"));
    Obr_pravy[1] = Misc::Nacti_obrazek(cesta + QStringLiteral("1list_pw.bmp"));
    Obr_levy[2] = Misc::Nacti_obrazek(cesta + QStringLiteral("2list_l.bmp"));
    Obr_stred[2] = Misc::Nacti_obrazek(cesta + QStringLiteral("2list_s.bmp"));
    Obr_pravy[2] = Misc::Nacti_obrazek(cesta + QStringLiteral("2list_pw.bmp"));
    Losovanie::Randomize();
    Vymaz_data_prikladu();
    if (Misc::Varianta_ulohy == 1)
        Priklad_21::Varianta_1(*this);
    else if (Misc::Varianta_ulohy == 2)
        Priklad_21::Varianta_2(*this);
    Refresh();
}
