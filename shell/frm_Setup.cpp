#include "shell/frm_Setup.h"

#include "platform/Services.h"
#include "services/Cekani.h"
#include "services/Formular.h"
#include "services/Klavesnice.h"
#include "services/Konfigurace.h"
#include "services/Kresleni.h"
#include "services/Promenne_cviceni.h"
#include "services/Tabulky.h"
#include "services/Zvuky.h"
#include "shell/Formulare.h"
#include "shell/Obrazovky.h"
#include "shell/Vysledky.h"
#include "shell/frm_Intro.h"
#include "shell/frm_Select.h"

#include <QPointer>

namespace Shell {

namespace {

// The dial's pointer and the variant marker stand at fixed places.
constexpr int Sipka_x = 101, Sipka_y = 293;
constexpr int Sipkat_x = 530, Sipkat_y = 265;
// The reveal: the face rises from below in one-pixel steps.
constexpr int Kroky_vysunutia = 25;
constexpr int Pauza_vysunutia = 15;

} // namespace

frm_Setup::frm_Setup()
{
    TJmeno->Move(381, 333, 195, 20);
    const std::array<QPoint, 6> pocty{QPoint(), {133, 253}, {204, 293}, {203, 370}, {128, 409}, {52, 370}};
    ICislo(1)->Move(pocty[1].x(), pocty[1].y(), 35, 29);
    ICislo(1)->Tag = QStringLiteral("0");
    for (int i = 2; i <= 5; ++i) {
        ICislo.Load(i)->Move(pocty[i].x(), pocty[i].y(), 35, 29);
        ICislo(i)->Visible = true;
    }
    ICisloUloha(1)->Move(332, 243, 191, 44);
    ICisloUloha(1)->Visible = false;
    ICisloUloha.Load(2)->Move(332, 288, 191, 43);
    INapoveda->Move(561, 408, 26, 26);
    IHelp->Move(5, 6, 539, 75);
    IKonec->Move(546, 5, 91, 75);
    picPokracuj->Move(526, 457, 94, 23);
    picTiskni->Move(24, 457, 96, 23);

    TJmeno->Change = [this] { TJmeno_Change(); };
    TJmeno->MouseDown = [](int, int, int, int) { Misc::Zahraj_click(); };
    TJmeno->MouseMove = [this](int, int, int, int) { Hover(13); };
    ICislo.MouseDown = [this](int i, int b, int s, int x, int y) { ICislo_MouseDown(i, b, s, x, y); };
    ICislo.MouseMove = [this](int i, int, int, int, int) {
        Hover(i);
        IKonec->Picture = Obr_konec_0;
    };
    ICisloUloha.MouseDown = [this](int i, int b, int s, int x, int y) { ICisloUloha_MouseDown(i, b, s, x, y); };
    ICisloUloha.MouseMove = [this](int i, int, int, int, int) {
        Hover(6 + i);
        ICisloUloha(i)->MousePointer = platform::vbCustom;
        ICisloUloha(i)->MouseIcon = Misc::Kurzor_ruka;
        IKonec->Picture = Obr_konec_0;
    };
    INapoveda->MouseDown = [this](int b, int s, int x, int y) { INapoveda_MouseDown(b, s, x, y); };
    IHelp->Click = [this] { IHelp_Click(); };
    IHelp->MouseMove = [this](int, int, int, int) { Hover(15); };
    IKonec->MouseDown = [this](int b, int s, int x, int y) { IKonec_MouseDown(b, s, x, y); };
    IKonec->MouseMove = [this](int, int, int, int) { Hover(6); };
    picPokracuj->Click = [this] { picPokracuj_Click(); };
    picPokracuj->MouseMove = [this](int, int, int, int) { Hover(11); };
    picTiskni->Click = [this] { picTiskni_Click(); };
    picTiskni->MouseMove = [this](int, int, int, int) { Hover(12); };
}

bool frm_Setup::Ma_varianty() const
{
    return Misc::Cislo_ulohy == QLatin1String("19") || Misc::Cislo_ulohy == QLatin1String("21");
}

// NN, or NN with "a" or "b" for the variant of tasks 19 and 21.
QString frm_Setup::Nazov_s_variantom() const
{
    const QString nn = Dve_cislice(Misc::Cislo_ulohy.toInt());
    if (!Ma_varianty())
        return nn;
    return nn + (Misc::Varianta_ulohy == 2 ? QLatin1Char('b') : QLatin1Char('a'));
}

void frm_Setup::Form_Load()
{
    Misc::Obnov_klavesnici();
    Misc::Prizpusob_ovladace(*this);
    Misc::Nastav_formular(*this, 640, 480);
    MousePointer = platform::vbCustom;
    MouseIcon = Misc::Kurzor_sipka;
    const QString nn = Dve_cislice(Misc::Cislo_ulohy.toInt());
    Picture = Obrazek(QStringLiteral("Bitmap\\Setup\\bg_%1.bmp").arg(nn));

    TJmeno->Move(381, 333);
    Misc::Obr_pokracuj = Obrazek(QStringLiteral("Bitmap\\Setup\\pokracuj.bmp"));
    Misc::Obr_tiskni = Obrazek(QStringLiteral("Bitmap\\Setup\\tiskni.bmp"));
    picPokracuj->Visible = false;
    picTiskni->Visible = false;
    Misc::Tisk = false;

    Obr_konec_0 = Obrazek(QStringLiteral("Bitmap\\Setup\\mzpet.bmp"));
    Obr_konec_1 = Obrazek(QStringLiteral("Bitmap\\Setup\\mzpeth.bmp"));
    Obr_nap_0 = Obrazek(QStringLiteral("Bitmap\\Setup\\nap_0.bmp"));
    Obr_nap_1 = Obrazek(QStringLiteral("Bitmap\\Setup\\nap_1.bmp"));
    for (int i = 1; i <= 5; ++i)
        Obr_sipka[i] = Obrazek(QStringLiteral("Bitmap\\Setup\\sipka_%1.bmp").arg(i));
    for (int i = 1; i <= 2; ++i)
        Obr_sipkat[i] = Obrazek(QStringLiteral("Bitmap\\Setup\\sipkat_%1.bmp").arg(i));
    Nacti_tvary_poctu(Misc::Cislo_ulohy == QLatin1String("19"));

    if (Ma_varianty()) {
        TJmeno->Move(381, 358);
        for (int i = 1; i <= 2; ++i) {
            const QString tu = QStringLiteral("Bitmap\\Setup\\tu_%1%2_").arg(nn, i == 1 ? "a" : "b");
            Obr_varianta_0[i] = Obrazek(tu + QStringLiteral("0.bmp"));
            Obr_varianta_1[i] = Obrazek(tu + QStringLiteral("1.bmp"));
            ICisloUloha(i)->Picture = Obr_varianta_0[i];
            ICisloUloha(i)->Visible = true;
        }
    }

    TJmeno->Text = QString();
    Misc::Zvoleny_pocet_prikladu = 0;
    Misc::Zvyrazneny_prvek = 0;
    Misc::Varianta_ulohy = 0;
    IKonec->Picture = Obr_konec_0;
    INapoveda->Picture = Obr_nap_0;
    INapoveda->MousePointer = platform::vbCustom;
    INapoveda->MouseIcon = Misc::Kurzor_ruka;
    Misc::Zobrazit_napovedu = false;
    Misc::Vykresli_obrazek(Obr_sipka[1], *this, Sipka_x, Sipka_y);
    Normalne_pocty();
    Pokracuj_zobrazeno = Tiskni_zobrazeno = false;
}

void frm_Setup::Form_Activate() { TJmeno->SetFocus(); }

void frm_Setup::Nacti_tvary_poctu(bool po_styroch)
{
    for (int i = 1; i <= 5; ++i) {
        const QString meno = po_styroch ? QStringLiteral("Bitmap\\Setup\\u20_%1_").arg(Dve_cislice(4 * i))
                                        : QStringLiteral("Bitmap\\Setup\\u25_%1_").arg(Dve_cislice(5 * i));
        Obr_pocet_0[i] = Obrazek(meno + QStringLiteral("0.bmp"));
        Obr_pocet_1[i] = Obrazek(meno + QStringLiteral("1.bmp"));
    }
}

void frm_Setup::Normalne_pocty()
{
    for (int i = 1; i <= 5; ++i)
        ICislo(i)->Picture = Obr_pocet_0[i];
}

void frm_Setup::TJmeno_Change()
{
    // The name goes into both result files: at once only what they can
    // hold, and no leading blanks; the caret stays where the pupil typed.
    const QString text = TJmeno->Text;
    const QString cisty = Vysledky::Jmeno_pro_soubor(text);
    qsizetype zaciatok = 0;
    while (zaciatok < cisty.size() && cisty.at(zaciatok) == QLatin1Char(' '))
        ++zaciatok;
    if (zaciatok == 0 && cisty == text) {
        Aktualizuj_tlacitko_pokracuj();
        return;
    }
    const qsizetype kurzor = Vysledky::Jmeno_pro_soubor(text.left(TJmeno->SelStart)).size() - zaciatok;
    TJmeno->Text = cisty.mid(zaciatok); // runs this handler again
    TJmeno->SelStart = int(std::max<qsizetype>(kurzor, 0));
}

void frm_Setup::ICislo_MouseDown(int Index, int, int, int, int)
{
    Misc::Zahraj_click();
    const bool po_styroch = Misc::Cislo_ulohy == QLatin1String("19") && Misc::Varianta_ulohy == 2;
    Misc::Zvoleny_pocet_prikladu = quint8(Index * (po_styroch ? 4 : 5));
    Misc::Vykresli_obrazek(Obr_sipka[Index], *this, Sipka_x, Sipka_y);
    for (int i = 1; i <= 5; ++i) {
        ICislo(i)->Tag = QStringLiteral("0");
        ICislo(i)->Picture = Obr_pocet_0[i];
    }
    ICislo(Index)->Tag = QStringLiteral("1");
    ICislo(Index)->Picture = Obr_pocet_1[Index];
    {
        QPointer<frm_Setup> ja(this);
        platform::Form::Busy busy(this);
        Misc::Cekej_s_udalostmi(100);
        if (!ja || !isLoaded())
            return;
    }
    Aktualizuj_tlacitko_pokracuj();
    Aktualizuj_tlacitko_tiskni();
}

void frm_Setup::ICisloUloha_MouseDown(int Index, int, int, int, int)
{
    Misc::Zahraj_click();
    const bool uloha_19 = Misc::Cislo_ulohy == QLatin1String("19");
    const QString panel = QStringLiteral("Bitmap\\Setup\\bg_%1%2.bmp")
                              .arg(uloha_19 ? "19" : "21", Index == 1 ? "a" : "b");
    Misc::Vykresli_obrazek(Obrazek(panel), *this, uloha_19 ? 15 : 243, uloha_19 ? 111 : 120);
    Misc::Vykresli_obrazek(Obr_sipkat[Index], *this, Sipkat_x, Sipkat_y);
    Nacti_tvary_poctu(uloha_19 && Index == 2);
    Normalne_pocty();
    const int druha = Index == 1 ? 2 : 1;
    ICisloUloha(druha)->Tag = QStringLiteral("0");
    ICisloUloha(druha)->Picture = Obr_varianta_0[druha];
    ICisloUloha(Index)->Tag = QStringLiteral("1");
    ICisloUloha(Index)->Picture = Obr_varianta_1[Index];
    Misc::Varianta_ulohy = quint8(Index);
    for (int i = 1; i <= 5; ++i)
        if (Zvolene(ICislo(i))) {
            // The count follows the variant: 4 x Index in task 19 b.
            QPointer<frm_Setup> ja(this);
            ICislo_MouseDown(i, 1, 0, 0, 0);
            if (!ja || !isLoaded())
                return;
            break;
        }
    Aktualizuj_tlacitko_pokracuj();
    Aktualizuj_tlacitko_tiskni();
}

void frm_Setup::INapoveda_MouseDown(int, int, int, int)
{
    Misc::Zobrazit_napovedu = !Misc::Zobrazit_napovedu;
    INapoveda->Picture = Misc::Zobrazit_napovedu ? Obr_nap_1 : Obr_nap_0;
}

void frm_Setup::Aktualizuj_tlacitko_pokracuj()
{
    const bool nalezite = !QString(TJmeno->Text).isEmpty() && Misc::Zvoleny_pocet_prikladu != 0
        && (!Ma_varianty() || Misc::Varianta_ulohy != 0);
    Aktualizuj_tlacitko(picPokracuj, nalezite, Pokracuj_zobrazeno, Misc::Obr_pokracuj);
}

void frm_Setup::Aktualizuj_tlacitko_tiskni()
{
    // Tasks 19 and 21 have no worksheet without a variant.
    const bool nalezite = Misc::Zvoleny_pocet_prikladu != 0 && (!Ma_varianty() || Misc::Varianta_ulohy != 0);
    Aktualizuj_tlacitko(picTiskni, nalezite, Tiskni_zobrazeno, Misc::Obr_tiskni);
}

void frm_Setup::Aktualizuj_tlacitko(platform::PictureBox *tlacitko, bool nalezite, bool &zobrazeno,
                                    const platform::Picture &tvar)
{
    if (!nalezite) {
        tlacitko->Visible = false;
        zobrazeno = false;
        return;
    }
    if (zobrazeno)
        return;
    zobrazeno = true;
    // The button starts as the piece of the screen it covers.
    const int w = tlacitko->Width, h = tlacitko->Height;
    for (bool vrstva : {true, false})
        platform::BitBlt(platform::Dc{tlacitko, vrstva}, 0, 0, w, h, platform::Dc{this, true},
                         tlacitko->Left, tlacitko->Top);
    tlacitko->Visible = true;
    QPointer<frm_Setup> ja(this);
    platform::Form::Busy busy(this);
    for (int k = 0; k < Kroky_vysunutia; ++k) {
        Misc::Vykresli_obrazek_na_objekt(tvar, *tlacitko, 0, Kroky_vysunutia - 1 - k, true);
        Misc::Cekej_s_udalostmi(Pauza_vysunutia);
        if (!ja || !isLoaded())
            return;
    }
}

void frm_Setup::picPokracuj_Click()
{
    Misc::Zahraj_click();
    Misc::Jmeno_zaka = TJmeno->Text;
    Misc::Tisk = false;
    if (!Misc::Zobrazit_napovedu) {
        Ukaz_hru(*this);
        return;
    }
    auto &intro = Formulare::frm_Intro;
    intro->STAV_FORMU = frm_Intro::Uvodni_napoveda;
    intro->Load();
    intro->Picture = Obrazek(QStringLiteral("Bitmap\\Help\\%1.bmp").arg(Nazov_s_variantom()));
    intro->MousePointer = platform::vbCustom;
    intro->MouseIcon = Misc::Kurzor_ruka;
    intro->Show();
    intro->Nadrazeny_form = this;
    Misc::Aktualni_formular = intro.get();
    Hide();
}

void frm_Setup::picTiskni_Click()
{
    Misc::Zahraj_click();
    Misc::Jmeno_zaka = TJmeno->Text;
    Vytiskni();
    // The clicked picture took the focus; the pupil types on into the name,
    // as when the screen came up.
    if (isLoaded() && isVisible())
        TJmeno->SetFocus();
}

void frm_Setup::IKonec_MouseDown(int, int, int, int)
{
    Misc::Zahraj_click();
    auto &chooser = Formulare::frm_Select;
    chooser->Enabled = false;
    chooser->Show();
    Misc::Aktualni_formular = chooser.get();
    chooser->Enabled = true;
    Unload();
}

void frm_Setup::IHelp_Click()
{
    Misc::Zahraj_click();
    auto &intro = Formulare::frm_Intro;
    intro->STAV_FORMU.clear();
    intro->Load();
    const QString nazov = Misc::Cislo_ulohy == QLatin1String("19")   ? QStringLiteral("setup19")
                          : Misc::Cislo_ulohy == QLatin1String("21") ? QStringLiteral("setup21")
                                                                     : QStringLiteral("setup");
    intro->Picture = Obrazek(QStringLiteral("Bitmap\\Help\\%1.bmp").arg(nazov));
    intro->Show();
    intro->Nadrazeny_form = this;
    Misc::Aktualni_formular = intro.get();
    Hide();
}

// The hover sound plays only when the highlighted element changes.
void frm_Setup::Hover(int kod)
{
    if (Misc::Zvyrazneny_prvek == kod)
        return;
    Misc::Zvyrazneny_prvek = kod;
    if (kod != 0)
        Misc::Zahraj_enter();
    if (kod == 6) {
        IKonec->Picture = Obr_konec_1;
        for (int i = 1; i <= 5; ++i)
            if (!Zvolene(ICislo(i)))
                ICislo(i)->Picture = Obr_pocet_0[i];
    }
}

void frm_Setup::Form_MouseMove(int, int, int, int)
{
    if (Misc::Zvyrazneny_prvek == 0)
        return;
    Misc::Zvyrazneny_prvek = 0;
    IKonec->Picture = Obr_konec_0;
    for (int i = 1; i <= 5; ++i)
        if (!Zvolene(ICislo(i)))
            ICislo(i)->Picture = Obr_pocet_0[i];
}

} // namespace Shell
