// The notes panel: a scratch pad that slides in from the right edge over
// the answer sheet. Nothing typed into it is read by the program.
#include "exercise/frm_Game01.h"
#include "exercise/frm_Game01_panely.h"

#include "services/Konfigurace.h"
#include "services/Kresleni.h"
#include "services/Zvuky.h"

using namespace platform;

namespace {

// The panel box's left edge while it is shown, and the picture's left edge
// (on the form) when it is out of sight but for its tab.
constexpr int Otevreny_okraj = 279, Zavreny_okraj = 623;
constexpr int Krok_posuvu = 8;

// The open panel's tab; X = 17 belongs to it.
bool Na_zalozce(int X, int Y) { return X > 0 && X <= 17 && Y > 0 && Y < 83; }

} // namespace

void frm_Game01::Vytvor_poznamky()
{
    PicPozn->Left = Zavreny_okraj;
    PicPozn->Visible = false;
    panely::Nastav_kurzor(PicPozn, Misc::Kurzor_sipka);

    Obr_pozn_pozadi = panely::Obrazek_hry(QStringLiteral("p_bg.bmp"));
    Obr_pozn_zalozka_00 = panely::Obrazek_hry(QStringLiteral("p_butt00.bmp"));
    Obr_pozn_zalozka_01 = panely::Obrazek_hry(QStringLiteral("p_butt01.bmp"));
    Obr_pozn_zalozka_10 = panely::Obrazek_hry(QStringLiteral("p_butt10.bmp"));
    Obr_pozn_zalozka_11 = panely::Obrazek_hry(QStringLiteral("p_butt11.bmp"));

    Misc::Vykresli_obrazek_na_objekt(Obr_pozn_pozadi, *PicPozn, 0, 0, true);
    Misc::Vykresli_obrazek_na_objekt(Obr_pozn_zalozka_10, *PicPozn, 0, 0, true);
    // Numerators and denominators lie over the black line boxes, so that
    // only the gap between them shows as the fraction line.
    for (int k = 0; k <= 5; ++k)
        tzlomek(k)->ZOrder(0);
}

// The content boxes follow the panel picture, `posun` right of its place
// in the open panel.
void frm_Game01::Posun_poznamky(int posun)
{
    TPoznamky->Left = posun + 23;
    Text2->Left = posun + 126;
    Text3->Left = posun + 242;
    const int stlpce[] = {23, 140, 256};
    for (int k = 0; k <= 8; ++k)
        tzlomek(k)->Left = posun + stlpce[k >= 6 ? k - 6 : k / 2];
}

// Both slides start with the box at its open place, its contents out of
// sight beyond its edge, no clicks taken, and the picture with its open
// tab in PomPic(4).
void frm_Game01::Priprav_posun_poznamek()
{
    PicPozn->Left = Otevreny_okraj;
    Posun_poznamky(Zavreny_okraj);
    for (Control *c : std::initializer_list<Control *>{TPoznamky, Text2, Text3})
        c->Visible = true;
    for (int k = 0; k <= 8; ++k)
        tzlomek(k)->Visible = true;
    PicPozn->Enabled = false;
    Priprav_pomocne_boxy(4, Obr_pozn_pozadi);
    Misc::Vykresli_obrazek_na_objekt(Obr_pozn_zalozka_10, *PomPic(4), 0, 0, true);
}

void frm_Game01::Otevri_poznamky()
{
    Priprav_posun_poznamek();
    PicPozn->ZOrder(0);
    BitBlt(PomPic(5)->hDC(), 0, 0, PicPozn->Width, PicPozn->Height, hDC(), Otevreny_okraj, PicPozn->Top);
    Posun_panelu(PicPozn, 4, Zavreny_okraj - Otevreny_okraj, 0, -Krok_posuvu,
                 [this](int posun) { Posun_poznamky(posun); });
    Poznamky_otevrene = 1;
    PicPozn->Enabled = true;
}

// Leaves the box shown at the right edge; the caller hides it. PomPic(5)
// still holds the form as it was when the panel opened.
void frm_Game01::Zavri_poznamky()
{
    Priprav_posun_poznamek();
    Posun_panelu(PicPozn, 4, 0, Zavreny_okraj - Otevreny_okraj, Krok_posuvu,
                 [this](int posun) { Posun_poznamky(posun); });
    Poznamky_otevrene = 0;
    PicPozn->Enabled = true;
}

void frm_Game01::PicPozn_MouseMove(int, int, int X, int Y)
{
    const bool na_zalozce = Na_zalozce(X, Y);
    if (na_zalozce)
        Misc::Zahraj_enter();
    panely::Nastav_kurzor(PicPozn, na_zalozce ? Misc::Kurzor_ruka : Misc::Kurzor_sipka);
    Misc::Vykresli_obrazek_na_objekt(na_zalozce ? Obr_pozn_zalozka_11 : Obr_pozn_zalozka_10, *PicPozn, 0,
                                     0, true);
}

void frm_Game01::PicPozn_MouseDown(int, int, int X, int Y)
{
    if (!Na_zalozce(X, Y))
        return;
    if (Poznamky_otevrene == 1) {
        Zavri_poznamky();
        Text1->SetFocus();
        PicPozn->Visible = false;
    } else {
        Otevri_poznamky();
        TPoznamky->SetFocus();
    }
}
