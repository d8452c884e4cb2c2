#include "shell/frm_Chybovy2.h"

namespace Shell {
namespace {

const std::vector<Okno_napovedy::Obrazek_okna> Obrazky = {
    {{"15", "16", "17", "18"}, 0, "Bitmap\\Games\\hint06.bmp", 241, 57},
    {{"21"}, 0, "Bitmap\\Games\\Hint01.bmp", 212, 37},
};

// Tasks 3 and 12 to 14 get the fraction layout but no picture: the window
// is not used for them.
const std::vector<Okno_napovedy::Rozlozeni> Rozlozenia = {
    {{"3", "12", "13", "14", "15", "16"}, {{1, 11, 12, 190}, {2, 11, 33, 190}}},
    {{"17"}, {{1, 121, 12, 100}, {2, 121, 33, 100}, {3, 11, 22, 110}}},
    {{"18"}, {{1, 41, 12, 160}, {2, 41, 33, 160}, {3, 11, 22, 50}}},
    {{"21"}, {{1, 11, 12, 190}}},
};

} // namespace

frm_Chybovy2::frm_Chybovy2() : Okno_napovedy(Obrazky, Rozlozenia) {}

void frm_Chybovy2::Vloz_radky(const Radky &radky)
{
    Vloz_radek(1, radky[1], 0);
    // A single blank is shown: it tells the bar to take the picture's colour.
    if (!radky[2].isEmpty())
        Vloz_radek(2, radky[2], 20);
    // Line 3 stands left of the fraction, on the row of its denominator.
    if (!radky[3].isEmpty())
        Vloz_radek(3, radky[3], 20);
    Kopiruj_radky(4, radky);
}

Okno_napovedy::Cara frm_Chybovy2::Druh_cary() const
{
    if (!Je_uloha({"15", "16", "17", "18"}))
        return Cara::Zadna;
    return Label1(2)->Caption == QLatin1String(" ") ? Cara::Barvou_obrazku : Cara::Cerna;
}

} // namespace Shell
