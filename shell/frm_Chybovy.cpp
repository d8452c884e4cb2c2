#include "shell/frm_Chybovy.h"

#include "platform/Runtime.h"
#include "services/Promenne_cviceni.h"

using namespace platform;

namespace Shell {
namespace {

const std::vector<Okno_napovedy::Obrazek_okna> Obrazky = {
    {{"1", "2", "4", "5", "6", "7", "8", "10", "11", "15", "16", "17", "18", "19", "20"}, 0,
     "Bitmap\\Games\\Hint01.bmp", 212, 37},
    {{"3", "12", "13", "14"}, 0, "Bitmap\\Games\\hint06.bmp", 241, 57},
    {{"9"}, 0, "Bitmap\\Games\\Hint02_1.bmp", 412, 37},
    {{"21"}, 1, "Bitmap\\Games\\Hint04.bmp", 278, 58},
    {{"21"}, 2, "Bitmap\\Games\\Hint05.bmp", 383, 58},
};

const std::vector<Okno_napovedy::Rozlozeni> Rozlozenia = {
    {{"3", "12", "13", "14"}, {{1, 11, 12, 190}, {2, 11, 33, 190}}},
    {{"9"}, {{1, 11, 12, 362}}},
    {{"1", "2", "4", "5", "6", "7", "8", "10", "11", "15", "16", "17", "18", "19", "20"},
     {{1, 11, 12, 190}}},
};

// Task 21's value table per variant: the lefts of the seven columns, the
// width of the first column (the row names) and of the others, and the
// font size in points. Variant 1's narrow columns take its widest values
// ("36,67") a size smaller, so that neighbours keep a clear gap.
struct Tabulka_hodnot {
    int varianta;
    std::array<int, 7> lefty;
    int sirka_prveho, sirka_bunky;
    double pismo;
};

const Tabulka_hodnot Tabulky_hodnot[] = {
    {1, {4, 27, 67, 107, 147, 187, 227}, 23, 39, 9},
    {2, {4, 42, 97, 152, 207, 262, 317}, 38, 54, 10},
};

} // namespace

frm_Chybovy::frm_Chybovy() : Okno_napovedy(Obrazky, Rozlozenia) {}

// Column c holds line 2c - 1 in row 1 and line 2c in row 2.
bool frm_Chybovy::Rozloz_zvlastne()
{
    if (!Je_uloha({"21"}))
        return false;
    for (const Tabulka_hodnot &t : Tabulky_hodnot) {
        if (t.varianta != Misc::Varianta_ulohy)
            continue;
        for (int k = 1; k <= 14; ++k) {
            Label *l = k == 1 ? Label1(1) : Label1.Load(k);
            l->Move(t.lefty[size_t((k - 1) / 2)], k % 2 == 1 ? 14 : 35);
        }
        for (int k = 1; k <= 14; ++k) {
            Label *l = Label1(k);
            l->Width = t.sirka_bunky;
            l->Height = 20;
            l->BackStyle = vbTransparent;
            l->Alignment = vbCenter;
            l->FontSize = t.pismo * Screen::TwipsPerPixelX / 15;
            l->Visible = true;
        }
        Label1(1)->Width = t.sirka_prveho;
        Label1(2)->Width = t.sirka_prveho;
        return true;
    }
    return false;
}

void frm_Chybovy::Vloz_radky(const Radky &radky)
{
    Vloz_radek(1, radky[1], 0);
    // A single blank stands for "no second line": the label keeps its text.
    if (radky[2] != QLatin1String(" ") && !radky[2].isEmpty())
        Vloz_radek(2, radky[2], 20);
    Kopiruj_radky(3, radky);
}

Okno_napovedy::Cara frm_Chybovy::Druh_cary() const
{
    if (Je_uloha({"3", "12", "13", "14"}))
        return Cara::Cerna;
    if (Je_uloha({"15", "16", "17", "18"}))
        return Cara::Barvou_obrazku;
    return Cara::Zadna;
}

} // namespace Shell
