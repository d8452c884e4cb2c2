// The closed panel tabs, the form's hot regions and its own mouse handlers,
// and what both sliding panels share: closing before any other click acts,
// and composing a slide's frames off screen.
#include "exercise/frm_Game01.h"
#include "exercise/frm_Game01_panely.h"

#include "services/Cekani.h"
#include "services/Klavesnice.h"
#include "services/Konfigurace.h"
#include "services/Kresleni.h"
#include "services/Promenne_cviceni.h"
#include "services/Zvuky.h"
#include "shell/Formulare.h"
#include "shell/frm_Intro.h"

using namespace platform;

namespace {

// Hover codes of this form's background.
constexpr int Kod_nic = 0, Kod_logo = 5, Kod_kalkulacka = 101, Kod_poznamky = 102;
constexpr int Zalozka_y = 93;
constexpr int Zalozka_poznamek_x = 623;

} // namespace

namespace panely {

platform::Picture Obrazek_hry(const QString &nazev)
{
    return Misc::Nacti_obrazek(Misc::Cesta_CD + QStringLiteral("Bitmap\\Games\\") + nazev);
}

void Nastav_kurzor(Control *c, const Picture &kurzor)
{
    c->MousePointer = vbCustom;
    c->MouseIcon = kurzor;
}

void Nastav_kurzor(Form *f, const Picture &kurzor)
{
    f->MousePointer = vbCustom;
    f->MouseIcon = kurzor;
}

} // namespace panely

void frm_Game01::Zapoj_postranni_nastroje()
{
    PicKalk->MouseDown = [this](int b, int s, int x, int y) { PicKalk_MouseDown(b, s, x, y); };
    PicKalk->MouseMove = [this](int b, int s, int x, int y) { PicKalk_MouseMove(b, s, x, y); };
    PicKalkButton.MouseDown = [this](int i, int b, int s, int x, int y) { PicKalkButton_MouseDown(i, b, s, x, y); };
    PicKalkButton.MouseUp = [this](int i, int b, int s, int x, int y) { PicKalkButton_MouseUp(i, b, s, x, y); };
    PicKalkButton.KeyDown = [](int, KeyArgs &) { Misc::Prepni_na_anglickou_klavesnici(); };
    TKalk->KeyDown = [](KeyArgs &) { Misc::Prepni_na_anglickou_klavesnici(); };
    TKalk->KeyPress = [this](KeyPressArgs &k) { TKalk_KeyPress(k); };
    TKalkPoznamky->MouseDown = [this](int b, int s, int x, int y) { TKalkPoznamky_MouseDown(b, s, x, y); };
    PicPozn->MouseDown = [this](int b, int s, int x, int y) { PicPozn_MouseDown(b, s, x, y); };
    PicPozn->MouseMove = [this](int b, int s, int x, int y) { PicPozn_MouseMove(b, s, x, y); };
    ExpPic.MouseDown = [this](int i, int b, int s, int x, int y) { ExpPic_MouseDown(i, b, s, x, y); };
    ExpPic.MouseUp = [this](int i, int b, int s, int x, int y) { ExpPic_MouseUp(i, b, s, x, y); };
    ExpPic.KeyDown = [](int, KeyArgs &) { Misc::Prepni_na_anglickou_klavesnici(); };
}

bool frm_Game01::Ma_kalkulacku() const
{
    return !(Zvolena_uloha.Cislo_ulohy == QLatin1String("19") && Zvolena_uloha.Varianta_ulohy == 1);
}

void frm_Game01::Zavri_otevrene_panely()
{
    if (Kalkulacka_otevrena == 1) {
        Zavri_kalkulacku();
        PicKalk->Visible = false;
    }
    if (Poznamky_otevrene == 1) {
        Zavri_poznamky();
        PicPozn->Visible = false;
    }
}

// Scratch boxes prvni to prvni + 2: the panel picture, the background under
// the panel and the frame being composed, all of the picture's size.
void frm_Game01::Priprav_pomocne_boxy(int prvni, const platform::Picture &tvar)
{
    PictureBox *obraz = PomPic(prvni);
    obraz->AutoRedraw = true;
    obraz->AutoSize = true;
    obraz->Picture = tvar;
    obraz->AutoSize = false;
    for (int k = 1; k <= 2; ++k) {
        PomPic(prvni + k)->AutoRedraw = true;
        PomPic(prvni + k)->Move(0, 0, obraz->Width, obraz->Height);
    }
}

// One frame of a slide: the saved background with the panel picture at
// `posun`, composed off screen and put on both layers of the panel at once,
// then painted before the wait, which lets no event in.
void frm_Game01::Snimek_panelu(PictureBox *panel, int prvni, int posun)
{
    const int sirka = panel->Width, vyska = panel->Height;
    PictureBox *snimek = PomPic(prvni + 2);
    BitBlt(snimek->hDC(), 0, 0, sirka, vyska, PomPic(prvni + 1)->hDC(), 0, 0);
    Misc::Vykresli_pruhledne(snimek->hDC(), posun, 0, sirka, vyska, PomPic(prvni)->hDC(), 0, 0);
    Misc::Vykresli_dc_na_formular(*panel, 0, 0, sirka, vyska, snimek->hDC());
    panel->Visible = true;
    panel->Refresh();
    Misc::Cekej(10);
}

// The frames of a slide, the panel picture going from offset od to cil.
void frm_Game01::Posun_panelu(PictureBox *panel, int prvni, int od, int cil, int krok,
                              const std::function<void(int)> &posun_obsahu)
{
    for (int x = od; krok > 0 ? x <= cil : x >= cil; x += krok) {
        posun_obsahu(x);
        Snimek_panelu(panel, prvni, x);
    }
}

void frm_Game01::Vykresli_zalozku_kalkulacky_00()
{
    Misc::Vykresli_obrazek_na_objekt(Obr_kalk_zalozka_00, *this, 0, Zalozka_y, true);
}

void frm_Game01::Vykresli_zalozku_kalkulacky_01()
{
    Misc::Vykresli_obrazek_na_objekt(Obr_kalk_zalozka_01, *this, 0, Zalozka_y, true);
}

void frm_Game01::Vykresli_zalozku_poznamek_00()
{
    Misc::Vykresli_obrazek_na_objekt(Obr_pozn_zalozka_00, *this, Zalozka_poznamek_x, Zalozka_y, true);
}

void frm_Game01::Vykresli_zalozku_poznamek_01()
{
    Misc::Vykresli_obrazek_na_objekt(Obr_pozn_zalozka_01, *this, Zalozka_poznamek_x, Zalozka_y, true);
}

frm_Game01::Oblast frm_Game01::Oblast_formulare(int X, int Y)
{
    if (X > 6 && X < 232 && Y > 6 && Y < 72)
        return Oblast::Logo;
    if (X > 0 && X < 17 && Y > 93 && Y < 176)
        return Oblast::Zalozka_kalkulacky;
    if (X > 623 && X < 640 && Y > 93 && Y < 176)
        return Oblast::Zalozka_poznamek;
    return Oblast::Pozadi;
}

QString frm_Game01::Napoveda_ulohy(const QString &cislo_ulohy, int varianta)
{
    QString pripona = QStringLiteral(".bmp");
    if (cislo_ulohy == QLatin1String("19") || cislo_ulohy == QLatin1String("21")) {
        if (varianta == 1)
            pripona = QStringLiteral("a.bmp");
        else if (varianta == 2)
            pripona = QStringLiteral("b.bmp");
    }
    return QStringLiteral("Bitmap\\Help\\%1").arg(cislo_ulohy.toInt(), 2, 10, QLatin1Char('0')) + pripona;
}

// The task's help page in the picture viewer, which brings this screen
// back when it is left; the screen stays loaded meanwhile.
void frm_Game01::Zobraz_napovedu_ulohy()
{
    auto &intro = Formulare::frm_Intro;
    intro->STAV_FORMU.clear();
    intro->Load();
    intro->Picture = Misc::Nacti_obrazek(Misc::Cesta_CD
                                         + Napoveda_ulohy(Zvolena_uloha.Cislo_ulohy, Zvolena_uloha.Varianta_ulohy));
    intro->Show();
    intro->Nadrazeny_form = this;
    Misc::Aktualni_formular = intro.get();
    Hide();
}

void frm_Game01::Form_MouseMove(int, int, int X, int Y)
{
    int &prvek = Misc::Zvyrazneny_prvek;
    // Entering a region sounds and changes the look once; moving on within it does nothing.
    const auto vstup = [&](int kod, const platform::Picture &kurzor) {
        if (prvek == kod)
            return false;
        Misc::Zahraj_enter();
        panely::Nastav_kurzor(this, kurzor);
        prvek = kod;
        return true;
    };
    switch (Oblast_formulare(X, Y)) {
    case Oblast::Logo:
        vstup(Kod_logo, Misc::Kurzor_napoveda);
        return;
    case Oblast::Zalozka_kalkulacky:
        if (Ma_kalkulacku() && vstup(Kod_kalkulacka, Misc::Kurzor_ruka))
            Vykresli_zalozku_kalkulacky_01();
        return;
    case Oblast::Zalozka_poznamek:
        if (vstup(Kod_poznamky, Misc::Kurzor_ruka))
            Vykresli_zalozku_poznamek_01();
        return;
    case Oblast::Pozadi:
        break;
    }
    panely::Nastav_kurzor(this, Misc::Kurzor_sipka);
    if (prvek == Kod_nic)
        return;
    if (Ma_kalkulacku())
        Vykresli_zalozku_kalkulacky_00();
    Vykresli_zalozku_poznamek_00();
    Zvyrazni_tlacitko_menu(0);
    prvek = Kod_nic;
}

void frm_Game01::Form_MouseDown(int, int, int X, int Y)
{
    Zavri_otevrene_panely();
    switch (Oblast_formulare(X, Y)) {
    case Oblast::Logo:
        Misc::Zahraj_click();
        Zobraz_napovedu_ulohy();
        return;
    case Oblast::Zalozka_kalkulacky:
        if (!Ma_kalkulacku())
            return;
        Misc::Zahraj_click();
        Otevri_kalkulacku();
        TKalk->SetFocus();
        return;
    case Oblast::Zalozka_poznamek:
        Misc::Zahraj_click();
        Otevri_poznamky();
        // As the calculator's display: keys must not reach a cell the panel hides.
        TPoznamky->SetFocus();
        return;
    case Oblast::Pozadi:
        return;
    }
}
