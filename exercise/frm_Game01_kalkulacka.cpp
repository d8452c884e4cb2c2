// The calculator panel: its build from bitmaps, the slides in from the
// left edge and out again, the open panel's tab, and the keys, display and
// tape over the calculator core.
#include "exercise/frm_Game01.h"
#include "exercise/frm_Game01_panely.h"

#include "services/Cekani.h"
#include "services/Klavesnice.h"
#include "services/Konfigurace.h"
#include "services/Kresleni.h"
#include "services/Zvuky.h"

using namespace platform;

namespace {

// Panel, its face offset and the tab at its right edge.
constexpr int Zavreny_okraj = -204;
constexpr int Krok_posuvu = 6;
constexpr int Zalozka_x = 204;
// Display and tape stand this far right of the face's left edge.
constexpr int Odsazeni_displeje = 12, Odsazeni_pasky = 5;

// A key's face (between "k_n" and "0.bmp") and its cell: column from the
// left, row from the bottom.
struct Klavesa_panelu {
    const char *tvar;
    int sloupec, radek;
};
constexpr Klavesa_panelu Klavesy[Kalkulacka::Pocet_klaves] = {
    {"0", 0, 0},    {"1", 0, 1},    {"2", 1, 1},    {"3", 2, 1},    {"4", 0, 2},    {"5", 1, 2},
    {"6", 2, 2},    {"7", 0, 3},    {"8", 1, 3},    {"9", 2, 3},    {"cark", 2, 0}, {"clea", 5, 3},
    {"dele", 4, 0}, {"krat", 3, 0}, {"minu", 4, 1}, {"odmo", 4, 3}, {"plmi", 3, 3}, {"plus", 3, 1},
    {"rovn", 5, 1}, {"zavl", 3, 2}, {"zavp", 4, 2},
};
constexpr int Sirka_bunky = 32, Vyska_bunky = 28;

// The open tab's strip at the panel's right edge.
bool Na_zalozce(int X, int Y) { return X > 203 && X <= 220 && Y > 0 && Y < 83; }

} // namespace

void frm_Game01::Vytvor_kalkulacku()
{
    PicKalk->Left = Zavreny_okraj;
    PicKalk->Visible = false;
    PicKalkButton(0)->Visible = true;
    panely::Nastav_kurzor(PicKalk, Misc::Kurzor_sipka);

    Obr_kalk_pozadi = panely::Obrazek_hry(QStringLiteral("k_bg.bmp"));
    Obr_kalk_zalozka_00 = panely::Obrazek_hry(QStringLiteral("k_butt00.bmp"));
    Obr_kalk_zalozka_01 = panely::Obrazek_hry(QStringLiteral("k_butt01.bmp"));
    Obr_kalk_zalozka_10 = panely::Obrazek_hry(QStringLiteral("k_butt10.bmp"));
    Obr_kalk_zalozka_11 = panely::Obrazek_hry(QStringLiteral("k_butt11.bmp"));
    for (int i = 0; i < Kalkulacka::Pocet_klaves; ++i) {
        const QString tvar = QStringLiteral("k_n") + QLatin1String(Klavesy[i].tvar);
        Obr_kalk_tlacitko[i] = panely::Obrazek_hry(tvar + QStringLiteral("0.bmp"));
        Obr_kalk_tlacitko_zvyraznene[i] = panely::Obrazek_hry(tvar + QStringLiteral("1.bmp"));
    }

    // Places come from key 0's designed place, the bottom-left cell.
    const int x0 = PicKalkButton(0)->Left, y0 = PicKalkButton(0)->Top;
    for (int i = 0; i < Kalkulacka::Pocet_klaves; ++i) {
        PictureBox *k = i == 0 ? PicKalkButton(0) : PicKalkButton.Load(i);
        k->Visible = true;
        k->Move(x0 + Sirka_bunky * Klavesy[i].sloupec, y0 - Vyska_bunky * Klavesy[i].radek);
        k->AutoSize = true;
        k->Picture = Obr_kalk_tlacitko[i];
        panely::Nastav_kurzor(k, Misc::Kurzor_ruka);
    }

    Misc::Vykresli_obrazek_na_objekt(Obr_kalk_pozadi, *PicKalk, 0, 0, true);
    Misc::Vykresli_obrazek_na_objekt(Obr_kalk_zalozka_10, *PicKalk, Zalozka_x, 0, true);
}

void frm_Game01::Skryj_kalkulacku() { PicKalk->Visible = false; }

// Both slides start with the panel at the left edge, its keys hidden and
// no clicks taken, and the face with its open tab in PomPic(1).
void frm_Game01::Priprav_posun_kalkulacky()
{
    PicKalk->Left = 0;
    for (int i = 0; i < Kalkulacka::Pocet_klaves; ++i)
        PicKalkButton(i)->Visible = false;
    PicKalk->Enabled = false;
    Priprav_pomocne_boxy(1, Obr_kalk_pozadi);
    Misc::Vykresli_obrazek_na_objekt(Obr_kalk_zalozka_10, *PomPic(1), Zalozka_x, 0, true);
}

void frm_Game01::Posun_kalkulacky(int od, int cil, int krok)
{
    Posun_panelu(PicKalk, 1, od, cil, krok, [this](int x) {
        TKalkPoznamky->Left = x + Odsazeni_pasky;
        TKalk->Left = x + Odsazeni_displeje;
    });
}

void frm_Game01::Otevri_kalkulacku()
{
    Priprav_posun_kalkulacky();
    // Loaded answer cells lie above the design's panel; it slides over them.
    PicKalk->ZOrder(0);
    BitBlt(PomPic(2)->hDC(), 0, 0, PicKalk->Width, PicKalk->Height, hDC(), 0, PicKalk->Top);
    Posun_kalkulacky(Zavreny_okraj, 0, Krok_posuvu);

    Kalkulacka_otevrena = 1;
    for (int i = 0; i < Kalkulacka::Pocet_klaves; ++i)
        PicKalkButton(i)->Visible = true;
    PicKalk->Enabled = true;
    Refresh();
}

// PomPic(2) still holds the background that the slide-in saved.
void frm_Game01::Zavri_kalkulacku()
{
    Priprav_posun_kalkulacky();
    Posun_kalkulacky(0, Zavreny_okraj, -Krok_posuvu);

    Kalkulacka_otevrena = 0;
    PicKalk->Visible = false;
    Refresh();
}

void frm_Game01::PicKalk_MouseMove(int, int, int X, int Y)
{
    const bool na_zalozce = Na_zalozce(X, Y);
    if (na_zalozce)
        Misc::Zahraj_enter();
    panely::Nastav_kurzor(PicKalk, na_zalozce ? Misc::Kurzor_ruka : Misc::Kurzor_sipka);
    Misc::Vykresli_obrazek_na_objekt(na_zalozce ? Obr_kalk_zalozka_11 : Obr_kalk_zalozka_10, *PicKalk,
                                     Zalozka_x, 0, true);
}

void frm_Game01::PicKalk_MouseDown(int, int, int X, int Y)
{
    if (!Na_zalozce(X, Y))
        return;
    if (Kalkulacka_otevrena == 1) {
        Zavri_kalkulacku();
        Text1->SetFocus();
        PicKalk->Visible = false;
    } else {
        Otevri_kalkulacku();
        TKalk->SetFocus();
    }
}

void frm_Game01::PicKalkButton_MouseDown(int Index, int, int, int, int)
{
    if (Index < 0 || Index >= Kalkulacka::Pocet_klaves)
        return;
    Misc::Zahraj_enter();
    PicKalkButton(Index)->Picture = Obr_kalk_tlacitko_zvyraznene[Index];
    if (!Kalkulacka_panelu)
        Kalkulacka_panelu = std::make_unique<Kalkulacka>(Evaluator_formulara());
    Kalkulacka_panelu->Prevezmi_displej(TKalk->Text, TKalk->SelStart, TKalk->SelLength);
    TKalk->SetFocus();
    Zobraz_kalkulacku(Kalkulacka_panelu->Stisk_klavesy(Index));
}

void frm_Game01::Zobraz_kalkulacku(const Zobrazeni_kalkulacky &z)
{
    TKalk->Text = z.displej;
    TKalk->SelStart = z.kurzor;
    if (!z.vyhodnoceno)
        return;
    // The tape only grows: only its new end goes in, since rewriting the
    // whole box took longer with every line. The newest line comes into
    // view before the display has the focus again.
    TKalkPoznamky->SetFocus();
    TKalkPoznamky->SelStart = int(z.paska.size());
    TKalkPoznamky->SelText = z.paska.sliced(std::min(Zobrazena_dlzka_pasky, z.paska.size()));
    Zobrazena_dlzka_pasky = z.paska.size();
    TKalkPoznamky->SelStart = int(z.paska.size());
    TKalk->SetFocus();
    TKalk->SelStart = int(z.displej.size());
}

void frm_Game01::PicKalkButton_MouseUp(int Index, int, int, int, int)
{
    if (Index >= 0 && Index < Kalkulacka::Pocet_klaves)
        PicKalkButton(Index)->Picture = Obr_kalk_tlacitko[Index];
}

void frm_Game01::TKalk_KeyPress(KeyPressArgs &k)
{
    const Znak_kalkulacky z = Kalkulacka::Filtruj_znak(char16_t(platform::usKeyAscii(k)));
    if (z.vyhodnotit)
        PicKalkButton_MouseDown(Kalkulacka::Rovna_se, vbLeftButton, 0, 1, 1);
    k.KeyAscii = z.znak;
}

void frm_Game01::TKalkPoznamky_MouseDown(int, int, int, int) { TKalk->SetFocus(); }
