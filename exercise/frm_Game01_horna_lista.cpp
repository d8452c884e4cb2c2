// The exercise screen's top bar: four picture buttons (check, new example,
// results table, back) built at the load, highlighted under the mouse and
// switched on and off as a group, and the commands behind them. The
// enabled state of the check button is the screen's "checked" state: the
// cells and the marks read it.
#include "exercise/frm_Game01.h"

#include "services/Cekani.h"
#include "services/Klavesnice.h"
#include "services/Konfigurace.h"
#include "services/Kresleni.h"
#include "services/Promenne_cviceni.h"
#include "services/Zvuky.h"
#include "shell/Formulare.h"
#include "shell/frm_Setup.h"
#include "shell/frm_Tabulka.h"

using namespace Misc;

namespace {

enum Tlacitko { Tlacitko_kontroly = 1, Tlacitko_novych = 2, Tlacitko_tabulky = 3, Tlacitko_spat = 4 };

// Each button's normal and highlighted face and their files, in index order.
struct Tvar_tlacitka {
    platform::Picture *normalny, *zvyrazneny;
    const char *subor, *subor_zvyrazneny;
};
const Tvar_tlacitka Tvary[] = {
    {&Obr_mkont, &Obr_mkonth, "mkont.bmp", "mkonth.bmp"},
    {&Obr_mnove, &Obr_mnoveh, "mnove.bmp", "mnoveh.bmp"},
    {&Obr_mtab, &Obr_mtabh, "mtab.bmp", "mtabh.bmp"},
    {&Obr_mzpet, &Obr_mzpeth, "mzpet.bmp", "mzpeth.bmp"},
};

platform::Picture Obrazok_listy(const char *subor)
{
    return Nacti_obrazek(Cesta_CD + QStringLiteral("Bitmap\\Games\\") + QLatin1String(subor));
}

// The marks a task's sheet has, hidden before new examples come.
int Znacky_ulohy(const QString &uloha)
{
    const int u = uloha.toInt();
    if (u == 11)
        return 3;
    if (u >= 15 && u <= 18)
        return 1;
    if ((u >= 4 && u <= 10) || u == 19 || u == 21)
        return 5;
    return 10;
}

} // namespace

void frm_Game01::Nacti_tlacitka_menu()
{
    for (int i = 2; i <= 4; ++i) {
        platform::PictureBox *b = PicTop.Load(i);
        b->Left = PicTop(1)->Left + (i - 1) * PicTop(1)->Width;
        b->Top = PicTop(1)->Top;
        b->Visible = true;
    }
    for (const Tvar_tlacitka &t : Tvary) {
        *t.normalny = Obrazok_listy(t.subor);
        *t.zvyrazneny = Obrazok_listy(t.subor_zvyrazneny);
    }
    for (int i = 1; i <= 4; ++i)
        PicTop(i)->Picture = *Tvary[i - 1].normalny;
}

void frm_Game01::Zvyrazni_tlacitko_menu(int n)
{
    for (int k = 1; k <= 4; ++k)
        PicTop(k)->Picture = k == n ? *Tvary[k - 1].zvyrazneny : *Tvary[k - 1].normalny;
}

// Whether the button is enabled is not asked: the sound and the highlight
// come over a disabled button too.
void frm_Game01::PicTop_MouseMove(int Index, int Button, int Shift, int X, int Y)
{
    (void)Button, (void)Shift, (void)X, (void)Y;
    if (Zvyrazneny_prvek == Index)
        return;
    Zahraj_enter();
    Zvyrazni_tlacitko_menu(Index);
    Zvyrazneny_prvek = Index;
}

void frm_Game01::Zapni_vypni_tlacitka(const QString &stav)
{
    if (stav != QLatin1String("vypnuto") && stav != QLatin1String("zapnuto"))
        return;
    for (int i = 1; i <= 4; ++i)
        PicTop(i)->Enabled = stav == QLatin1String("zapnuto");
}

void frm_Game01::PicTop_MouseDown(int Index, int Button, int Shift, int X, int Y)
{
    (void)Button, (void)Shift, (void)X, (void)Y;
    Zavri_otevrene_panely();
    Zahraj_click();
    switch (Index) {
    case Tlacitko_kontroly: Skontroluj_priklady(); break;
    case Tlacitko_novych: Nove_priklady(); break;
    case Tlacitko_tabulky: Otvor_tabulku_vysledkov(); break;
    case Tlacitko_spat: Spat_na_nastavenie(); break;
    default: break;
    }
}

// The second press of a double click runs the button's command once more,
// if the first one has left the button enabled.
void frm_Game01::PicTop_DblClick(int Index) { PicTop_MouseDown(Index, platform::vbLeftButton, 0, 1, 1); }

// The examples on the screen are replaced unjudged: nothing is counted.
void frm_Game01::Nove_priklady()
{
    Zapni_vypni_tlacitka(QStringLiteral("zapnuto"));
    const int znacky = Znacky_ulohy(Cislo_ulohy);
    for (int k = 1; k <= znacky; ++k)
        IHod(k)->Visible = false;
    picPokracuj->Visible = false;
    (this->*Nastavenie_obrazovky.Generator)(false);
    Form_Activate();
}

// The screen stays loaded behind the table, which brings it back as it was.
void frm_Game01::Otvor_tabulku_vysledkov()
{
    auto &tabulka = Formulare::frm_Tabulka;
    tabulka->Load();
    tabulka->Show();
    tabulka->Nadrazeny_form = this;
    Hide();
    Aktualni_formular = tabulka.get();
}

// The series is abandoned: nothing of it is recorded.
void frm_Game01::Spat_na_nastavenie()
{
    auto &nastavenie = Formulare::frm_Setup;
    nastavenie->Show();
    Aktualni_formular = nastavenie.get();
    Uvolni_chybova_okna();
    Unload();
    Cekej(100);
    Obnov_klavesnici();
}
