// The row-check button of tasks 11 and 17: a click judges one row at once.
// A right row opens the example's next cells; a wrong one gets an error
// bubble beside the pointer while the screen takes no input, and a second
// wrong click after a bubble ends the example. The same element array also
// holds the "and" switch that opens a row's second condition.
#include "exercise/frm_Game01_kontrola.h"

#include "expr/Vyhodnoceni_vysledku.h"
#include "platform/Fonts.h"
#include "platform/Runtime.h"
#include "platform/Services.h"
#include "services/Cekani.h"
#include "services/Formular.h"
#include "services/Konfigurace.h"
#include "services/Kresleni.h"
#include "services/Promenne_cviceni.h"

#include <QPointer>

using namespace Misc;
using platform::Label;
using platform::TextBox;

namespace {

using G = frm_Game01;

const QColor Otvorena = platform::RGB(255, 236, 182);
const QColor Biela = platform::RGB(255, 255, 255);
const QColor Cakajuca = platform::RGB(179, 179, 179);
const QString Tlacidlo_11 = QStringLiteral("Check"), Tlacidlo_17 = QStringLiteral("check");
const QString Prepinac = QStringLiteral("Switcher_and");

enum Styl_ramceka { Ramcek_otvoreny = 1, Ramcek_cakajuci = 2, Ramcek_podmienky = 5 };

using Kontrola::Vyplnena;

// --- Opening cells -----------------------------------------------------------

// A pair of cells with the sign label between them, open for typing or
// shown waiting for the row before it, with the frame strip behind it.
void Dvojica(G &g, TextBox *lava, Label *znak, TextBox *prava, bool otvorena, int vyska)
{
    for (TextBox *c : {lava, prava}) {
        c->Locked = false;
        c->BackColor = otvorena ? Otvorena : Cakajuca;
        c->Enabled = otvorena;
        c->Visible = true;
    }
    znak->Visible = true;
    znak->BackColor = otvorena ? Biela : Cakajuca;
    const int styl = otvorena ? Ramcek_otvoreny : Ramcek_cakajuci;
    Vykresli_ramecek(g, lava->Left, lava->Top, prava->Left - lava->Left + prava->Width, vyska, true,
                     g.Obr_levy[styl], g.Obr_stred[styl], g.Obr_pravy[styl]);
}

void Prva_podmienka(G &g, int r, bool otvorena, int vyska)
{
    Dvojica(g, g.TV1(r), g.TR1(r), g.TV2(r), otvorena, vyska);
}
void Druha_podmienka(G &g, int r, bool otvorena, int vyska)
{
    Dvojica(g, g.TV3(r), g.TR2(r), g.TV4(r), otvorena, vyska);
}

// --- The error bubble ----------------------------------------------------------

// The bubble picture over what lies under it, its key colour left out, its
// top right corner at the pointer, or shifted so that it lies wholly on the
// stage. The screen takes no input until the timer takes the bubble away.
void Ukaz_bublinu(G &g, bool uloha_11)
{
    platform::PictureBox *bublina = g.PicIcheck, *obraz = g.PomPic(1), *pozadie = g.PomPic(2),
                         *zlozena = g.PomPic(3);
    const platform::Picture &picture = g.Obr_znamenka[11];
    const int w = uloha_11 ? picture.Width() : 531, h = uloha_11 ? picture.Height() : 37;
    for (platform::PictureBox *p : {bublina, obraz, pozadie, zlozena}) {
        p->Width = w;
        p->Height = h;
        p->AutoRedraw = true;
        p->Cls();
    }
    const QPoint kurzor = platform::cursorPosition();
    const QPoint kde = Misc::Na_javisku({kurzor.x() - g.Left / platform::Screen::TwipsPerPixelX - w,
                                         kurzor.y() - g.Top / platform::Screen::TwipsPerPixelY}, {w, h});
    bublina->Left = kde.x();
    bublina->Top = kde.y();
    platform::BitBlt(pozadie->hDC(), 0, 0, w, h, g.hDC(), bublina->Left, bublina->Top);
    obraz->Picture = picture;
    platform::BitBlt(zlozena->hDC(), 0, 0, w, h, pozadie->hDC(), 0, 0);
    Vykresli_pruhledne(zlozena->hDC(), 0, 0, w, h, obraz->hDC(), 0, 0);

    const QString text = QStringLiteral("V tomto řádku jsem nalezl chybu, zkus ji opravit.");
    bublina->FontName = platform::kDesignFont;
    bublina->FontSize = 10;
    for (bool trvalo : {true, false}) {
        bublina->AutoRedraw = trvalo;
        platform::BitBlt(bublina->hDC(), 0, 0, w, h, zlozena->hDC(), 0, 0);
        if (uloha_11) {
            const int zlom = int(text.indexOf(QStringLiteral(" chybu")));
            for (auto [y, riadok] : {std::pair{13, text.left(zlom)}, std::pair{33, text.mid(zlom + 1)}}) {
                bublina->CurrentX = 12;
                bublina->CurrentY = y;
                bublina->Print(riadok);
            }
        } else {
            bublina->CurrentX = trvalo ? 85 : 33;
            bublina->CurrentY = trvalo ? 13 : 15;
            bublina->Print(text);
        }
    }
    if (uloha_11)
        bublina->ZOrder(0);
    bublina->Visible = true;
    g.Enabled = false;
    g.PicIcheckTimer->Enabled = true;
    g.Konec_bubliny = platform::services().clock().TickCount() + (uloha_11 ? 4000 : 5000);
}

// --- Task 11 -------------------------------------------------------------------

// A right row lets the pupil on: the next row opens, and the row after it
// (or the next row's second condition) is shown waiting.
void Otvor_dalsi_riadok_11(G &g, int r)
{
    if (!g.ICheck.exists(r + 1))
        return;
    platform::Image *dalsi = g.ICheck(r + 1);
    dalsi->Visible = true;
    const QString tag = dalsi->Tag;
    if (tag == Tlacidlo_11) {
        Prva_podmienka(g, r + 1, true, g.TV1(r + 1)->Height);
        if (g.TV1.exists(r + 2))
            Prva_podmienka(g, r + 2, false, g.TV2(r + 2)->Height);
        g.Faze_kontroly = 1;
    } else if (tag == Prepinac) {
        dalsi->Left = g.ICheck(r)->Left - 6;
        Prva_podmienka(g, r + 1, true, g.TV1(r + 1)->Height);
        Druha_podmienka(g, r + 1, false, g.TV4(r + 1)->Height);
        g.Faze_kontroly = 1;
    }
}

// The example that holds row r is judged as the check of all rows judges
// it, but the series does not count it: that check comes later.
void Ukonci_priklad_11(G &g, int r)
{
    const int pocet = Pocet_prikladu;
    for (int i = 1; i <= pocet; ++i)
        if (r >= 3 * i - 2 && r <= 3 * i)
            Kontrola::Oznac_priklad(g, i, Kontrola::Posud_priklad_11(g, i), false);
}

void Kontrola_riadku_11(G &g, int r)
{
    TextBox *a = g.TV1(r), *b = g.TV2(r);
    const QString tlacidlo = g.ICheck(r)->Tag;
    const bool vyplneny = Vyplnena(a) && Vyplnena(b);
    // The written condition may be either of the row's two.
    const bool spravny = tlacidlo == Tlacidlo_11 && vyplneny
                         && ((Kontrola::VV(g, a->Text, a->Tag) && Kontrola::VV(g, b->Text, b->Tag))
                             || (Kontrola::VV(g, a->Text, g.TV3(r)->Tag) && Kontrola::VV(g, b->Text, g.TV4(r)->Tag)));
    if (spravny) {
        Otvor_dalsi_riadok_11(g, r);
    } else if (vyplneny && tlacidlo == Prepinac) {
        Druha_podmienka(g, r, true, g.TV3(r)->Height);
        g.Faze_kontroly = 1;
    } else if (g.Faze_kontroly == 1) {
        Ukaz_bublinu(g, true);
        g.Faze_kontroly = 2;
    } else if (g.Faze_kontroly == 2) {
        const bool vsetko_sedi = Kontrola::VV(g, a->Text, a->Tag) && Kontrola::VV(g, b->Text, b->Tag)
                                 && Kontrola::VV(g, a->Text, b->Tag) && Kontrola::VV(g, b->Text, a->Tag);
        if (!vsetko_sedi) {
            Ukonci_priklad_11(g, r);
            g.Faze_kontroly = 1;
        }
    }
}

// --- Task 17 -------------------------------------------------------------------

// The "and" switch: the second excluded value gets its cell, after "x ż"
// printed in the maths font.
void Druha_podmienka_17(G &g)
{
    TextBox *c = g.TV2(12);
    c->BackColor = Otvorena;
    c->Enabled = true;
    c->Text = QString();
    Vykresli_ramecek(g, c->Left - 40, c->Top, c->Width + 40, c->Height, true, g.Obr_levy[Ramcek_otvoreny],
                     g.Obr_stred[Ramcek_otvoreny], g.Obr_pravy[Ramcek_podmienky]);
    c->Visible = true;
    const QString pismo = g.FontName;
    const double velkost = g.FontSize;
    g.CurrentX = c->Left - 35;
    g.CurrentY = c->Top;
    g.FontName = QStringLiteral("Ruvo");
    g.FontSize = 12;
    g.Print(QStringLiteral("x ż"));
    // The generators print on the form in its own face.
    g.FontName = pismo;
    g.FontSize = velkost;
    c->SetFocus();
}

void Prijaty_riadok_17(G &g, int r)
{
    g.ICheck(r)->Enabled = false;
    g.ICheck(r)->Picture = Nacti_obrazek(Cesta_CD + QStringLiteral("Bitmap\\Games\\check_ok.bmp"));
    g.Faze_kontroly = 1;
}

// After a bubble the example is ended: judged and counted by the check of
// all rows, then on to the next example or the end of the series.
void Ukonci_priklad_17(G &g)
{
    QPointer<G> ja(&g);
    g.Zobrazit_pokracuj = false;
    g.PicTop_MouseDown(1, 1, 0, 1, 1);
    if (!ja || !g.isLoaded())
        return;
    g.picPokracuj_MouseDown(1, 0, 1, 1);
    g.picPokracuj_Click();
    if (!ja || !g.isLoaded())
        return;
    g.Faze_kontroly = 1;
}

void Kontrola_riadku_17(G &g, int r)
{
    const QString tlacidlo = g.ICheck(r)->Tag;
    if (tlacidlo == Prepinac) {
        Druha_podmienka_17(g);
        return;
    }
    TextBox *p1 = g.TV1(12), *p2 = g.TV2(12);
    TextBox *a = g.TV1(r), *b = g.TV2(r);
    if (tlacidlo == Tlacidlo_17 && r == 1 && Kontrola::Podmienky_17(g)) {
        Prijaty_riadok_17(g, 1);
        g.ICheck(12)->Enabled = false;
        p1->Locked = true;
        p2->Locked = true;
    } else if (Vyplnena(a) && Vyplnena(b)
               && Vyhodnoceni_vysledku(g.Evaluator_formulara(), QString(a->Text), QString(b->Text), u"LP",
                                       g.Hodnota_X_kontroly)) {
        // Both sides of the row have one value at the example's solution, in x
        // alone: the rows of an equation in x hold no other letter.
        a->Locked = true;
        b->Locked = true;
        Prijaty_riadok_17(g, r);
    } else if (g.Faze_kontroly == 1) {
        Ukaz_bublinu(g, false);
        g.Faze_kontroly = 2;
    } else if (g.Faze_kontroly == 2) {
        Ukonci_priklad_17(g);
    }
}

} // namespace

void frm_Game01::ICheck_MouseDown(int Index, int Button, int Shift, int X, int Y)
{
    (void)Button, (void)Shift, (void)X, (void)Y;
    Zavri_otevrene_panely();
    AutoRedraw = false;
    QPointer<frm_Game01> ja(this);
    // A row of an example that was never made checks nothing.
    const int priklad = Cislo_ulohy == QLatin1String("11") ? (Index + 2) / 3 : 1;
    if (priklad >= int(Priklad_vytvoreny.size()) || !Priklad_vytvoreny[size_t(priklad)])
        return;
    if (Cislo_ulohy == QLatin1String("11"))
        Kontrola_riadku_11(*this, Index);
    else if (Cislo_ulohy == QLatin1String("17"))
        Kontrola_riadku_17(*this, Index);
    // The end of a series unloads the screen.
    if (!ja || !isLoaded())
        return;
    AutoRedraw = false;
    Refresh();
}

void frm_Game01::ICheck_MouseUp(int Index, int Button, int Shift, int X, int Y)
{
    (void)Index, (void)Button, (void)Shift, (void)X, (void)Y;
}

// The bubble goes at the first tick after its deadline. Ticks before it
// return at once: waiting inside the tick would freeze the whole window
// for seconds, while the disabled screen already keeps the pupil out.
void frm_Game01::PicIcheckTimer_Timer()
{
    if (platform::services().clock().TickCount() < Konec_bubliny)
        return;
    PicIcheckTimer->Enabled = false;
    if (!isLoaded())
        return;
    PicIcheck->Visible = false;
    Enabled = true;
}
