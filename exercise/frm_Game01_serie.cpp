// The series from screen to screen: the continue button that slides in
// after a check, the next screen (task 11's short last screens among them)
// and the end of the series at the results table.
#include "exercise/frm_Game01.h"

#include "platform/Services.h"
#include "services/Cekani.h"
#include "services/Konfigurace.h"
#include "services/Kresleni.h"
#include "services/Promenne_cviceni.h"
#include "services/Zvuky.h"

#include <QPointer>

#include <algorithm>
#include <cmath>

using namespace Misc;

namespace {

constexpr int Krokov_vysunutia = 24;
constexpr int Pauza_vysunutia = 15;
// Nothing blue may reach the bar below the examples.
constexpr int Spodok_prikladov = 455;
// A line's frame strip ends this far below its cells.
constexpr int Presah_ramceka = 7;

bool Je_uloha(const QString &uloha, int od, int po)
{
    const int u = uloha.toInt();
    return u >= od && u <= po;
}

} // namespace

void frm_Game01::Zobraz_tlacitko_pokracuj()
{
    platform::PictureBox *pozadie = PomPic(1), *tvar = PomPic(3);
    // Cls gives a hidden box a persistent image of its new size at once.
    for (platform::PictureBox *p : {pozadie, tvar, picPokracuj}) {
        if (p != picPokracuj) {
            p->Width = 94;
            p->Height = 23;
        }
        p->AutoRedraw = true;
        p->Cls();
    }
    const int w = pozadie->Width, h = pozadie->Height;
    platform::BitBlt(pozadie->hDC(), 0, 0, w, h, hDC(), picPokracuj->Left, picPokracuj->Top);
    tvar->Picture = Obr_pokracuj;
    platform::BitBlt(picPokracuj->hDC(), 0, 0, w, h, pozadie->hDC(), 0, 0);
    picPokracuj->Visible = true;

    // The waits handle events: the form takes no clicks meanwhile, and if
    // anything else unloads it the slide stops at once.
    QPointer<frm_Game01> ja(this);
    platform::Form::Busy zaneprazdneny(this);
    for (int i = 1; i <= Krokov_vysunutia; ++i) {
        for (bool trvalo : {true, false}) {
            picPokracuj->AutoRedraw = trvalo;
            Vykresli_pruhledne(picPokracuj->hDC(), 0, Krokov_vysunutia - i, picPokracuj->Width,
                               picPokracuj->Height, tvar->hDC(), 0, 0);
        }
        picPokracuj->AutoRedraw = true;
        Cekej_s_udalostmi(Pauza_vysunutia);
        if (!ja || !isLoaded())
            return;
    }
    picPokracuj->Enabled = true;
}

void frm_Game01::picPokracuj_MouseDown(int Button, int Shift, int X, int Y)
{
    (void)Button, (void)Shift, (void)X, (void)Y;
    Zavri_otevrene_panely();
}

void frm_Game01::picPokracuj_MouseMove(int Button, int Shift, int X, int Y)
{
    (void)Button, (void)Shift, (void)X, (void)Y;
    if (Zvyrazneny_prvek != 8) {
        Zahraj_enter();
        Zvyrazneny_prvek = 8;
    }
}

void frm_Game01::picPokracuj_Click()
{
    Zahraj_click();
    const int strop = Nastavenie_obrazovky.Strop;
    Pocet_zbyvajicich_prikladu -= strop;
    Pocet_prikladu = Pocet_zbyvajicich_prikladu;
    const bool uloha_11 = Cislo_ulohy == QLatin1String("11");

    if (Pocet_zbyvajicich_prikladu >= strop) {
        Pocet_prikladu = strop;
        if (Je_uloha(Cislo_ulohy, 15, 18))
            for (int i = 1; i <= 7; ++i)
                TR1(i)->Visible = false;
        Dalsia_obrazovka();
    } else if (uloha_11 && Pocet_zbyvajicich_prikladu == 2) {
        Skry_priklad_11(3);
        Zakry_modrou(10, 88, 631, 454);
        Dalsia_obrazovka();
    } else if (uloha_11 && Pocet_zbyvajicich_prikladu == 1) {
        for (int i : {2, 3}) {
            Skry_priklad_11(i);
            const int x = TZ1(3 * i - 2)->Left, y = TZ1(3 * i - 2)->Top;
            const int sirka = TV4(3 * i - 2)->Left + TV4(3 * i - 2)->Width - x;
            const int vyska = TV4(3 * i)->Top + TV4(3 * i)->Height - y;
            Zakry_modrou(x, y, sirka, vyska);
        }
        Dalsia_obrazovka();
        Refresh();
    } else {
        Koniec_serie();
    }
}

void frm_Game01::Dalsia_obrazovka()
{
    picPokracuj->Enabled = false;
    PicTop_MouseDown(2, 1, 0, 1, 1);
}

void frm_Game01::Skry_priklad_11(int priklad)
{
    IHod(priklad)->Visible = false;
    for (int j = 3 * priklad - 2; j <= 3 * priklad; ++j)
        for (platform::Control *c : std::initializer_list<platform::Control *>{
                 TZ1(j), TV1(j), TR1(j), TV2(j), TV3(j), TR2(j), TV4(j), ICheck(j)})
            c->Visible = false;
}

// The blue sheet over the rows of examples left out: the frame strip's
// place from its top down to the strip under the last line, never below the
// examples' area (the blue picture alone is taller than the rows).
void frm_Game01::Zakry_modrou(int X, int Y, int sirka, int vyska)
{
    const int hore = Y - 5;
    const int dole = std::min(Y + vyska + Presah_ramceka, Spodok_prikladov);
    if (dole <= hore)
        return;
    const platform::Picture modra = Nacti_obrazek(Cesta_CD + QStringLiteral("Bitmap\\Games\\blue.bmp"));
    if (modra.isNull())
        return;
    const platform::Picture kus(modra.image().scaled(modra.Width(), dole - hore));
    Vykresli_ramecek(*this, X, Y, sirka, dole - hore, true, kus, kus, kus);
}

void frm_Game01::Koniec_serie()
{
    Nacti_tabulku();
    const int spravne = Pocet_spravnych, celkove = Pocet_spravnych + Pocet_spatnych;
    QString znamka = Tabulka_Vlozeni_znamky(spravne, celkove);
    Tabulka_Vloz_novy_zaznam(Cislo_ulohy.toInt(), Jmeno_zaka, QString::number(Pocet_spravnych),
                             QString::number(Pocet_spatnych), znamka, 1);
    znamka = Tabulka_Vlozeni_znamky(spravne, celkove);
    Tabulka_Vloz_zaznam_do_souboru_vysledky_dat(Jmeno_zaka, Nazev_skupiny, Nazev_ulohy,
                                                QString::number(Pocet_spravnych),
                                                QString::number(Pocet_spatnych), znamka);
    Zobraz_tabulku_nad_nastavenim();
    Hide();
    Uvolni_chybova_okna();
    Unload();
}
