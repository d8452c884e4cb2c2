#include "shell/Okno_napovedy.h"

#include "platform/Fonts.h"
#include "platform/Runtime.h"
#include "services/Formular.h"
#include "services/Konfigurace.h"
#include "services/Kresleni.h"
#include "services/Promenne_cviceni.h"

#include <algorithm>

using namespace platform;

namespace Shell {

namespace {

constexpr int Vyska_popisku = 20;

} // namespace

Okno_napovedy::Okno_napovedy(const std::vector<Obrazek_okna> &obrazky,
                             const std::vector<Rozlozeni> &rozlozeni)
    : Form(Kind::Overlay), obrazky_(obrazky), rozlozeni_(rozlozeni)
{
    // Design: a one-line window; text is measured in the window's own
    // 8-point font, whatever the labels show.
    Width = 212 * Screen::TwipsPerPixelX;
    Height = 37 * Screen::TwipsPerPixelY;
    FontName = kDesignFont;
    FontSize = 8;
    Label1(1)->Move(11, 12, 190, Vyska_popisku);
    Label1(1)->BackColor = RGB(255, 255, 255);
    Label1(1)->ForeColor = RGB(0, 0, 0);
    Label1(1)->Alignment = vbLeftJustify;
}

bool Okno_napovedy::Je_uloha(std::initializer_list<const char *> ulohy) const
{
    return std::any_of(ulohy.begin(), ulohy.end(),
                       [this](const char *u) { return Misc::Cislo_ulohy == QLatin1String(u); });
}

void Okno_napovedy::Form_Load()
{
    Misc::Prizpusob_ovladace(*this);
    Caption = Misc::Nazov_okna;
    Label1(1)->BackStyle = vbTransparent;
    BackColor = RGB(0, 0, 0);
    Left = 0;
    Top = 0;
    Nastav_obrazek_a_velikost();
    if (Rozloz_popisky() || Rozloz_zvlastne())
        Horni_okraj = 12;
    Dokonci_okno();
}

void Okno_napovedy::Nastav_obrazek_a_velikost()
{
    for (const Obrazek_okna &r : obrazky_) {
        if (!r.ulohy.contains(Misc::Cislo_ulohy) || (r.varianta != 0 && r.varianta != Misc::Varianta_ulohy))
            continue;
        Obrazek_napovedy = Misc::Nacti_obrazek(Misc::Cesta_CD + r.cesta);
        Misc::Nastav_formular(*this, r.sirka, r.vyska);
        return;
    }
}

bool Okno_napovedy::Rozloz_popisky()
{
    const auto r = std::find_if(rozlozeni_.begin(), rozlozeni_.end(),
                                [this](const Rozlozeni &r) { return r.ulohy.contains(Misc::Cislo_ulohy); });
    if (r == rozlozeni_.end())
        return false;
    for (const Popisek &p : r->popisky) {
        Label *l = p.index == 1 ? Label1(1) : Label1.Load(p.index);
        l->Move(p.left, p.top, p.width, Vyska_popisku);
        l->Visible = true;
    }
    return true;
}

// The picture goes through the exercise screen's surface onto both images
// of the window; then the colour of pixel (1, 1) is cut out of the window.
void Okno_napovedy::Dokonci_okno()
{
    AutoRedraw = true;
    // A hidden window's images keep their old size until it is shown:
    // start from a black image of the window's new size.
    Cls();
    if (PictureBox *plocha = Plocha_obrazku) {
        // The surface must hold the whole picture, whatever its design size.
        plocha->AutoSize = true;
        plocha->AutoRedraw = true;
        plocha->Picture = Obrazek_napovedy;
        Misc::Vykresli_dc_na_formular(*this, 0, 0, Width, Height, plocha->hDC());
    }
    Misc::Nastav_tvar_okna(*this, Point(1, 1));
    Refresh();
}

void Okno_napovedy::Vloz_Text(const QString &text, const QString &Text2, const QString &Text3,
                              const QString &Text4, const QString &Text5, const QString &Text6,
                              const QString &Text7, const QString &Text8, const QString &Text9,
                              const QString &Text10, const QString &Text11, const QString &Text12,
                              const QString &Text13, const QString &Text14)
{
    Vloz_radky(Radky{QString(), text, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9,
                     Text10, Text11, Text12, Text13, Text14});
}

namespace {

// The text's width at the label's size, estimated from the window's own
// 8-point font (the layouts' widths are made for this estimate).
float Odhad_sirky(const Form &okno, const QString &t, double velikost)
{
    return float(velikost / 8) * float(okno.TextWidth(t));
}

// Smaller fonts snap to 13 and 11 pixels, which sit higher in the line.
int Posun_pisma(double velikost)
{
    if (velikost == pixelsToPoints(13))
        return 2;
    if (velikost == pixelsToPoints(11))
        return 3;
    return 0;
}

} // namespace

void Okno_napovedy::Vloz_radek(int k, const QString &t, int posun)
{
    if (!Label1.exists(k))
        return;
    Label *l = Label1(k);
    for (;;) {
        const bool siroky = Odhad_sirky(*this, t, l->FontSize) > float(l->Width);
        const bool zmensitelny = l->FontSize - 1 >= Nejmensi_pismo;
        if (siroky && zmensitelny)
            l->FontSize = l->FontSize - 1;
        l->Top = Horni_okraj + posun + Posun_pisma(l->FontSize);
        if (Odhad_sirky(*this, t, l->FontSize) <= float(l->Width))
            break;
        if (!zmensitelny) {
            // Too long even at the smallest readable size: cut it short
            // rather than let it wrap out of its label.
            QString kratsi = t;
            while (!kratsi.isEmpty() && Odhad_sirky(*this, kratsi + u'…', l->FontSize) > float(l->Width))
                kratsi.chop(1);
            l->Caption = kratsi.isEmpty() ? QString() : kratsi + u'…';
            return;
        }
    }
    l->Caption = t;
}

void Okno_napovedy::Kopiruj_radky(int od, const Radky &radky)
{
    for (int k = od; k <= 14; ++k)
        if (radky[size_t(k)].isEmpty())
            return;
    for (int k = od; k <= 14; ++k) {
        if (!Label1.exists(k))
            continue;
        const Label *vzor = Label1(k % 2 == 1 ? 1 : 2);
        Label1(k)->Top = vzor->Top;
        Label1(k)->FontSize = vzor->FontSize;
        Label1(k)->Caption = radky[size_t(k)];
    }
}

void Okno_napovedy::Form_Activate()
{
    Vykresli_caru();
}

// The bar under line 1 of a fraction. The picture is put back first, so
// that a bar drawn at another height on an earlier showing goes.
void Okno_napovedy::Vykresli_caru()
{
    const Cara druh = Druh_cary();
    if (druh == Cara::Zadna)
        return;
    AutoRedraw = true;
    PaintPicture(Obrazek_napovedy, 0, 0);
    const Label *l = Label1(1);
    const int L = l->Left, T = l->Top, W = l->Width, H = l->Height;
    ForeColor = druh == Cara::Cerna ? RGB(0, 0, 0) : Point(L - 2, T + H + 1);
    Line(L, T + H + 1, L + W, T + H + 1, true);
}

} // namespace Shell
