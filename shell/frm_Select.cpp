#include "shell/frm_Select.h"

#include "platform/Runtime.h"
#include "platform/Services.h"
#include "services/Formular.h"
#include "services/Klavesnice.h"
#include "services/Konfigurace.h"
#include "services/Kresleni.h"
#include "services/Pismo.h"
#include "services/Promenne_cviceni.h"
#include "services/Tabulky.h"
#include "services/Zobrazeni.h"
#include "services/Zvuky.h"
#include "shell/Formulare.h"
#include "shell/Obrazovky.h"
#include "shell/Ulozenie_vysledku.h"
#include "shell/frm_Chybovy.h"
#include "shell/frm_Chybovy2.h"
#include "shell/frm_Intro.h"
#include "shell/frm_Pozadi.h"
#include "shell/frm_Setup.h"
#include "shell/frm_Tabulka.h"

namespace Shell {

namespace {

// Heights of the task buttons in the three- and four-row layouts.
constexpr std::array<int, 4> Vysky_troch{102, 93, 105, 0};
constexpr std::array<int, 4> Vysky_styroch{80, 69, 69, 83};

} // namespace

frm_Select::frm_Select()
{
    LI(1)->Move(8, 123, 300, 46);
    LI(1)->Tag = QStringLiteral("0");
    RI(1)->Move(333, 140, 300, 57);
    RI(1)->Visible = false;
    RI(1)->Tag = QStringLiteral("0");
    IKonec->Move(546, 5, 91, 75);
    IHelp->Move(5, 6, 539, 75);
    PicHelp->Move(175, 499, 42, 28);

    LI.MouseDown = [this](int i, int b, int s, int x, int y) { LI_MouseDown(i, b, s, x, y); };
    LI.MouseMove = [this](int i, int b, int s, int x, int y) { LI_MouseMove(i, b, s, x, y); };
    RI.MouseDown = [this](int i, int b, int s, int x, int y) { RI_MouseDown(i, b, s, x, y); };
    RI.MouseMove = [this](int i, int b, int s, int x, int y) { RI_MouseMove(i, b, s, x, y); };
    IKonec->Click = [this] { IKonec_Click(); };
    IKonec->MouseMove = [this](int b, int s, int x, int y) { IKonec_MouseMove(b, s, x, y); };
    IHelp->Click = [this] { IHelp_Click(); };
    IHelp->MouseMove = [this](int b, int s, int x, int y) { IHelp_MouseMove(b, s, x, y); };
}

void frm_Select::Form_Load()
{
    if (!Misc::Nacti_konfiguraci()) {
        Ukonci_program(Misc::Kod_zlyhania_konfiguracie);
        return;
    }
    // Results this user's programs could not save before: written now.
    Vysledky::Oznam_najdene(Vysledky::Dopln_uschovane(Misc::Cesta_HD));
    Misc::Obnov_klavesnici();
    Formulare::frm_Intro->STAV_FORMU = frm_Intro::Uvodni_obrazovka;
    Formulare::frm_Intro->Load();
    if (!Misc::Zmen_rozliseni())
        Formulare::frm_Pozadi->Show();
    Formulare::frm_Intro->Show();

    Misc::Nastav_formular(*this, 640, 480);
    MousePointer = platform::vbCustom;
    MouseIcon = Misc::Kurzor_sipka;
    for (int i = 2; i <= 6; ++i) {
        LI.Load(i);
        LI(i)->Move(LI(1)->Left, LI(1)->Top + (i - 1) * 54, LI(1)->Width, LI(1)->Height);
        LI(i)->Visible = true;
    }
    for (int i = 2; i <= 4; ++i) {
        RI.Load(i);
        RI(i)->Move(RI(1)->Left, RI(i - 1)->Top + RI(i - 1)->Height, RI(1)->Width, RI(1)->Height);
    }
    Misc::Prizpusob_ovladace(*this);
    Nacti_obrazky();
    Misc::Cislo_ulohy = QStringLiteral("0");
    Misc::Zvyrazneny_prvek = 0;
    PicHelp->Width = 238 * platform::Screen::TwipsPerPixelX / 15;
    PicHelp->Height = 80 * platform::Screen::TwipsPerPixelY / 15;
    platform::Stage::onCloseRequest([] {
        if (auto *vyber = Formulare::frm_Select.existing(); vyber && !Program_ukonceny())
            vyber->Zatvorenie_okna();
    });
    Hide();
}

void frm_Select::Nacti_obrazky()
{
    Picture = Obrazek(QStringLiteral("Bitmap\\Select\\bckg.bmp"));
    Obr_mkone = Obrazek(QStringLiteral("Bitmap\\Select\\mkone.bmp"));
    Obr_mkoneh = Obrazek(QStringLiteral("Bitmap\\Select\\mkoneh.bmp"));
    for (int g = 1; g <= 6; ++g) {
        Obr_skupin[g] = Obrazek(QStringLiteral("Bitmap\\Select\\l_%1_0.bmp").arg(g));
        Obr_skupin_zvyraznene[g] = Obrazek(QStringLiteral("Bitmap\\Select\\l_%1_1.bmp").arg(g));
        LI(g)->Picture = Obr_skupin[g];
    }
    IKonec->Picture = Obr_mkone;
}

int frm_Select::Zvolena_skupina() const
{
    for (int g = 1; g <= 6; ++g)
        if (Zvolene(LI(g)))
            return g;
    return 0;
}

void frm_Select::LI_MouseDown(int Index, int, int, int, int)
{
    Misc::Zahraj_click();
    if (!Zvolene(LI(Index)))
        for (int k = 1; k <= Skupiny[Index].pocet(); ++k) {
            const QString nn = Dve_cislice(Skupiny[Index].ulohy[k - 1]);
            Obr_uloh[k] = Obrazek(QStringLiteral("Bitmap\\Select\\r_%1_0.bmp").arg(nn));
            Obr_uloh_zvyraznene[k] = Obrazek(QStringLiteral("Bitmap\\Select\\r_%1_1.bmp").arg(nn));
        }
    Rozloz_ulohy(Index);
    for (int g = 1; g <= 6; ++g) {
        LI(g)->Tag = QStringLiteral("0");
        LI(g)->Picture = Obr_skupin[g];
    }
    LI(Index)->Tag = QStringLiteral("1");
    LI(Index)->Picture = Obr_skupin_zvyraznene[Index];
    IKonec->Picture = Obr_mkone;
}

void frm_Select::Rozloz_ulohy(int skupina)
{
    const int pocet = Skupiny[skupina].pocet();
    const auto &vysky = pocet == 4 ? Vysky_styroch : Vysky_troch;
    // In the three-row layout neighbouring rows overlap by one pixel.
    const int prekryv = pocet == 4 ? 0 : 1;
    for (int k = 1; k <= pocet; ++k) {
        RI(k)->Visible = false;
        RI(k)->Picture = Obr_uloh[k];
        RI(k)->Height = vysky[k - 1];
        RI(k)->Top = k == 1 ? (pocet == 4 ? 140 : 136) : RI(k - 1)->Top + RI(k - 1)->Height - prekryv;
        RI(k)->Visible = true;
    }
    if (pocet == 3)
        RI(4)->Visible = false;
}

void frm_Select::RI_MouseDown(int Index, int, int, int, int)
{
    Misc::Zahraj_click();
    const int g = Zvolena_skupina();
    if (g == 0)
        return;
    const Skupina_uloh &skupina = Skupiny[g];
    Misc::Cislo_ulohy = QString::number(skupina.ulohy[Index - 1]);
    Misc::Nazev_skupiny = Misc::Texty[skupina.nazev_skupiny];
    Misc::Nazev_ulohy = Misc::Texty[skupina.prvni_nazev_ulohy + Index - 1];
    Formulare::frm_Setup->Show();
    Misc::Aktualni_formular = Formulare::frm_Setup.get();
    for (int k = 1; k <= 4; ++k) {
        RI(k)->Tag = QStringLiteral("0");
        RI(k)->Picture = Obr_uloh[k];
    }
    RI(Index)->Tag = QStringLiteral("1");
    Hide();
}

void frm_Select::IHelp_Click()
{
    Misc::Zahraj_click();
    Formulare::frm_Intro->STAV_FORMU.clear();
    Formulare::frm_Intro->Load();
    Formulare::frm_Intro->Picture = Obrazek(QStringLiteral("Bitmap\\Help\\autori.bmp"));
    Formulare::frm_Intro->Show();
    Formulare::frm_Intro->Nadrazeny_form = this;
    Misc::Aktualni_formular = Formulare::frm_Intro.get();
    Hide();
}

void frm_Select::IKonec_Click()
{
    Misc::Zahraj_click();
    if (Chce_skoncit())
        Skonci();
}

// Yes drops what the screen in front holds, an unfinished series too, as
// leaving the screen does, and gives the pupil's keyboard layout back.
void frm_Select::Zatvorenie_okna()
{
    if (!Chce_skoncit())
        return;
    const QPointer<platform::Form> vpredu = Misc::Aktualni_formular;
    for (platform::Form *f : std::initializer_list<platform::Form *>{
             Formulare::frm_Chybovy.existing(), Formulare::frm_Chybovy2.existing(), vpredu.data(),
             Formulare::frm_Tabulka.existing(), Formulare::frm_Setup.existing(), Formulare::frm_Intro.existing()})
        if (f && f != this && f->isLoaded())
            f->Unload();
    Misc::Obnov_klavesnici();
    Skonci();
}

bool frm_Select::Chce_skoncit()
{
    return platform::services().messageBox().Show(Misc::Texty[1],
                                                  platform::MessageStyle::YesNo | platform::MessageStyle::Question,
                                                  Misc::Texty[2])
        == platform::MessageAnswer::Yes;
}

void frm_Select::Skonci()
{
    Misc::Obnov_rozliseni();
    if (auto *pozadi = Formulare::frm_Pozadi.existing())
        pozadi->Unload();
    Unload();
    Misc::Odeber_pismo();
    Ukonci_program(0);
}

void frm_Select::Normalne_skupiny()
{
    for (int g = 1; g <= 6; ++g)
        if (!Zvolene(LI(g)))
            LI(g)->Picture = Obr_skupin[g];
}

void frm_Select::Normalne_ulohy()
{
    for (int k = 1; k <= 4; ++k)
        if (!Zvolene(RI(k)))
            RI(k)->Picture = Obr_uloh[k];
}

void frm_Select::IKonec_MouseMove(int, int, int, int)
{
    if (Misc::Zvyrazneny_prvek == 1)
        return;
    Misc::Zahraj_enter();
    Normalne_skupiny();
    Normalne_ulohy();
    IKonec->Picture = Obr_mkoneh;
    Misc::Zvyrazneny_prvek = 1;
}

void frm_Select::IHelp_MouseMove(int, int, int, int)
{
    if (Misc::Zvyrazneny_prvek == 12)
        return;
    Misc::Zahraj_enter();
    IKonec->Picture = Obr_mkone;
    Misc::Zvyrazneny_prvek = 12;
}

void frm_Select::LI_MouseMove(int Index, int, int, int, int)
{
    if (Misc::Zvyrazneny_prvek != Index + 1) {
        Misc::Zahraj_enter();
        Misc::Zvyrazneny_prvek = Index + 1;
    }
    IKonec->Picture = Obr_mkone;
    Normalne_skupiny();
    LI(Index)->Picture = Obr_skupin_zvyraznene[Index];
}

void frm_Select::RI_MouseMove(int Index, int, int, int, int)
{
    if (Misc::Zvyrazneny_prvek != Index + 8) {
        Misc::Zahraj_enter();
        Misc::Zvyrazneny_prvek = Index + 8;
    }
    IKonec->Picture = Obr_mkone;
    Normalne_ulohy();
    RI(Index)->Picture = Obr_uloh_zvyraznene[Index];
    Normalne_skupiny();
}

void frm_Select::Form_MouseMove(int, int, int, int)
{
    if (Misc::Zvyrazneny_prvek == 0)
        return;
    IKonec->Picture = Obr_mkone;
    Normalne_skupiny();
    Normalne_ulohy();
    Misc::Zvyrazneny_prvek = 0;
}

} // namespace Shell
