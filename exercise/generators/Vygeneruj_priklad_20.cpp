// Task 20: direct and inverse proportion by the rule of three. Example i
// is the pair of lines "a . . . b" and "k·a . . . x" in rows 2i - 1 and 2i,
// with arrows that tell the kind, two scratch fractions and the answer cell.
#include "exercise/Nacti_priklady.h"
#include "exercise/generators/Losovanie_19_21.h"
#include "platform/Runtime.h"
#include "services/Konfigurace.h"
#include "services/Kresleni.h"
#include "services/Promenne_cviceni.h"

#include <algorithm>

using namespace Losovanie;

namespace {

const QString Oddelovac = QStringLiteral("     .  .  .     ");
constexpr int Priamy = 1, Nepriamy = 2;

// Picture elements: 1 one-row strip, 2 strip around the pair of lines,
// 3 strip around the fractions; 4 the arrows (left up, right down).
void Nacitaj_obrazky(frm_Game01 &f)
{
    const auto obr = [](const char *meno) {
        return Misc::Nacti_obrazek(Misc::Cesta_CD + QStringLiteral("Bitmap\\Games\\") + QLatin1String(meno));
    };
    f.Obr_levy[1] = obr("1list_l.bmp");
    f.Obr_stred[1] = obr("1list_s.bmp");
    f.Obr_pravy[1] = obr("1list_p.bmp");
    f.Obr_levy[2] = obr("2list_l.bmp");
    f.Obr_stred[2] = obr("2list_s.bmp");
    f.Obr_pravy[2] = obr("2list_pw.bmp");
    f.Obr_levy[3] = obr("2list_ly.bmp");
    f.Obr_stred[3] = obr("2list_s.bmp");
    f.Obr_pravy[3] = obr("2list_p.bmp");
    f.Obr_levy[4] = obr("sipka_up.bmp");
    f.Obr_pravy[4] = obr("sipka_dn.bmp");
}

float Odpoved(const frm_Game01 &f, int druh)
{
    return druh == Priamy ? float(f.Par_K) * f.Par_B : f.Par_B / float(f.Par_K);
}

void Zapis_priklad(frm_Game01 &f, int i, int druh)
{
    Misc::Vybrany_vzor[size_t(i)] = druh;
    f.Zadani_prikladu(1, i) = Text(f.Par_A) + Oddelovac + Text(f.Par_B);
    f.Zadani_prikladu(2, i) = Text(float(f.Par_K) * f.Par_A) + Oddelovac + QLatin1Char('x');
    f.Vysledek_cislo[i] = Odpoved(f, druh);
}

// The answer has at most one decimal digit.
bool Ma_jedno_desatinne(float x) { return std::fmod(std::nearbyint(double(x) * 100), 10.0) == 0; }

int Losuj_priklad(frm_Game01 &f, int i)
{
    int druh = 0;
    const bool hotovo = Opakuj(f, [&] {
        druh = Los(2, 1);
        f.Par_A = float(Los(191, 10));
        f.Par_B = float(Los(191, 10));
        f.Par_K = qint16(Los(20, 1));
        // With k = 1 both lines hold the same quantity: x is just b.
        return f.Par_K != 1 && Ma_jedno_desatinne(Odpoved(f, druh));
    });
    if (!hotovo)
        f.Par_K = 2; // halves b at worst, which passes either kind
    Zapis_priklad(f, i, druh);
    return druh;
}

// No screen holds more than three examples of one kind. A real random
// sequence meets this within a few series; one that keeps failing (a broken
// sequence) ends on kinds taken in turn.
constexpr int Max_serii = 100;

void Losuj_seriu(frm_Game01 &f)
{
    const int pocet = std::min(Misc::Pocet_prikladu, 10);
    for (int seria = 1; seria <= Max_serii; ++seria) {
        f.Par_p = 0;
        f.Par_n = 0;
        for (f.Priklad = 1; f.Priklad <= pocet; ++f.Priklad)
            ++(Losuj_priklad(f, f.Priklad) == Priamy ? f.Par_p : f.Par_n);
        if (f.Par_p < 4 && f.Par_n < 4)
            return;
    }
    for (int i = 1; i <= pocet; ++i) {
        f.Par_K = 2;
        Zapis_priklad(f, i, i % 2 ? Priamy : Nepriamy);
    }
}

void Umiestni_riadky(frm_Game01 &f, int i)
{
    const int u = 2 * i - 1, l = 2 * i;
    for (int r : {u, l}) {
        platform::Label *z = f.TZ1(r);
        z->Left = 50;
        z->Caption = f.Zadani_prikladu(r == u ? 1 : 2, i);
        if (r == l)
            z->Top = f.TZ1(u)->Top + 21;
        z->Alignment = 2;
        z->Width = 130;
        z->Visible = true;
    }
    f.TR1(u)->Visible = false;
    platform::Label *x_je = f.TR1(l);
    x_je->Left = 470;
    x_je->Top = f.TZ1(l)->Top;
    x_je->Width = 30;
    x_je->Alignment = 1;
    x_je->Visible = true;
    for (auto [stlpec, left] : {std::pair{&f.TV1, 240}, std::pair{&f.TV2, 340}})
        for (int r : {u, l}) {
            platform::TextBox *b = (*stlpec)(r);
            b->Left = left;
            b->Top = f.TZ1(r)->Top;
            b->Width = 80;
            b->Locked = false;
            b->Text = QString();
            b->Visible = true;
        }
    f.TV3(u)->Visible = false;
    platform::TextBox *odpoved = f.TV3(l);
    odpoved->Left = 500;
    odpoved->Top = f.TZ1(l)->Top;
    odpoved->Width = 70;
    odpoved->Tag = Text(f.Vysledek_cislo[i]);
    odpoved->Locked = false;
    odpoved->Text = QString();
    odpoved->Visible = true;
    f.IHod(l)->Top = odpoved->Top - 6;
}

// The lines stand between the arrows, drawn at the labels' edges. One size
// for every line of the screen, the largest at which each of them keeps
// clear of both arrows.
constexpr int Volno_pri_sipke = 4;

void Velkost_riadkov(frm_Game01 &f, int pocet)
{
    QStringList riadky;
    for (int r = 1; r <= 2 * pocet; ++r)
        riadky << f.TZ1(r)->Caption;
    const double velkost = Velkost_pre_sirku(*f.TZ1(1), riadky, f.TZ1(1)->Width - 2 * Volno_pri_sipke);
    for (int r = 1; r <= 2 * pocet; ++r)
        f.TZ1(r)->FontSize = velkost;
}

void Nakresli(frm_Game01 &f, int i)
{
    const int u = 2 * i - 1, l = 2 * i;
    platform::Label *z = f.TZ1(u);
    Misc::Vykresli_ramecek(f, z->Left - 10, z->Top, z->Width + 20, 53, true, f.Obr_levy[2], f.Obr_stred[2],
                           f.Obr_pravy[2]);
    Misc::Vykresli_ramecek(f, f.TR1(l)->Left, f.TR1(l)->Top, f.TR1(l)->Width + f.TV3(l)->Width, 32, true,
                           f.Obr_levy[1], f.Obr_stred[1], f.Obr_pravy[1]);
    Misc::Vykresli_obrazek(f.Obr_levy[4], f, z->Left - 9, z->Top);
    Misc::Vykresli_obrazek(Misc::Vybrany_vzor[size_t(i)] == Priamy ? f.Obr_levy[4] : f.Obr_pravy[4], f,
                           z->Left + z->Width, z->Top);
    Misc::Vykresli_ramecek(f, f.TV1(u)->Left, f.TV1(u)->Top, f.TV2(u)->Left + f.TV2(u)->Width - f.TV1(u)->Left, 53,
                           true, f.Obr_levy[3], f.Obr_stred[3], f.Obr_pravy[3]);
    for (platform::TextBox *b : {f.TV1(l), f.TV2(l)})
        f.Line(b->Left, b->Top - 1, b->Left + b->Width, b->Top - 1);
    f.CurrentX = f.TV2(l)->Left - 15;
    f.CurrentY = f.TV1(l)->Top - 10;
    f.FontSize = 12.0 * platform::Screen::TwipsPerPixelX / 15;
    f.Print(QStringLiteral("="));
}

} // namespace

void frm_Game01::Vygeneruj_priklad_20(bool)
{
    Losovanie::Randomize();
    Vymaz_data_prikladu();
    Losuj_seriu(*this);
    Nacitaj_obrazky(*this);
    const int pocet = std::min(Misc::Pocet_prikladu, 5);
    for (Priklad = 1; Priklad <= pocet; ++Priklad)
        Umiestni_riadky(*this, Priklad);
    Velkost_riadkov(*this, pocet);
    for (Priklad = 1; Priklad <= pocet; ++Priklad)
        Nakresli(*this, Priklad);
    Refresh();
}
