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

// The content boxes follow the panel picture whose left edge is at x on the form.
void frm_Game01::Posun_poznamky(int x)
{
    const int posun = x - Otevreny_okraj;
    TPoznamky->Left = posun + 23;
    Text2->Left = posun + 126;
    Text3->Left = posun + 242;
    const int stlpce[] = {23, 140, 256};
    for (int k = 0; k <= 8; ++k)
        tzlomek(k)->Left = posun + stlpce[k >= 6 ? k - 6 : k / 2];
}

void frm_Game01::Zobraz_obsah_poznamek()
{
    for (Control *c : std::initializer_list<Control *>{TPoznamky, Text2, Text3})
        c->Visible = true;
    for (int k = 0; k <= 8; ++k)
        tzlomek(k)->Visible = true;
}

void frm_Game01::Otevri_poznamky()
{
    PicPozn->Left = Otevreny_okraj;
    Posun_poznamky(Zavreny_okraj + Otevreny_okraj);
    Zobraz_obsah_poznamek();
    PicPozn->Enabled = false;
    PicPozn->ZOrder(0);

    Priprav_pomocne_boxy(4, Obr_pozn_pozadi);
    Misc::Vykresli_obrazek_na_objekt(Obr_pozn_zalozka_10, *PomPic(4), 0, 0, true);
    BitBlt(PomPic(5)->hDC(), 0, 0, PicPozn->Width, PicPozn->Height, hDC(), Otevreny_okraj, PicPozn->Top);
    for (int x = Zavreny_okraj; x >= Otevreny_okraj; x -= Krok_posuvu) {
        Posun_poznamky(x);
        Snimek_panelu(PicPozn, 4, x - Otevreny_okraj);
    }

    Poznamky_otevrene = 1;
    PicPozn->Enabled = true;
}

void frm_Game01::Zavri_poznamky()
{
    PicPozn->Left = Otevreny_okraj;
    Posun_poznamky(Zavreny_okraj + Otevreny_okraj);
    Zobraz_obsah_poznamek();
    PicPozn->Enabled = false;

    Priprav_pomocne_boxy(4, Obr_pozn_pozadi);
    Misc::Vykresli_obrazek_na_objekt(Obr_pozn_zalozka_10, *PomPic(4), 0, 0, true);
    for (int x = Otevreny_okraj; x <= Zavreny_okraj; x += Krok_posuvu) {
        Posun_poznamky(x);
        Snimek_panelu(PicPozn, 4, x - Otevreny_okraj);
    }

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
        PicPozn->Visible = false;
    } else {
        Otevri_poznamky();
    }
}
