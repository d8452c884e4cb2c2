// Task 21, variant 2: inverse proportion y = k / x with a whole k from 1 to
// 20. Examples 1, 3 and 5 are value tables under the printed formula,
// 2 and 4 ask k, the numerator of the formula, from two columns.
#include "exercise/generators/Losovanie_19_21.h"
#include "exercise/generators/Priklad_21.h"
#include "platform/Picture.h"
#include "services/Kresleni.h"

#include <algorithm>

using namespace Losovanie;

namespace Priklad_21 {

namespace {

bool Nove_k(const frm_Game01 &f, int i)
{
    for (int j = 1; j < i; ++j)
        if (f.Koeficient_k[j] == f.Koeficient_k[i])
            return false;
    return true;
}

// Different from the k's before it; the fixed draw is the smallest free one.
void Losuj_k(frm_Game01 &f, int i)
{
    if (Opakuj(f, [&] {
            f.Koeficient_k[i] = float(Los(20, 1));
            return Nove_k(f, i);
        }))
        return;
    for (int k = 1; k <= 20; ++k)
        if (f.Koeficient_k[i] = float(k); Nove_k(f, i))
            return;
}

void Hodnoty_z_kroku(frm_Game01 &f, int h)
{
    f.Hodnota_x = qint16(h);
    for (int p = 1; p <= 6; ++p)
        f.Hodnoty_x[p] = float(h == 1 ? 2 * p : Los(2, 1) == 1 ? 2 * h * p + 1 : 3 * h * p - 1);
}

// Six strictly rising x values; h = 1 (2, 4, ..., 12) always rises and is
// the fixed draw.
void Losuj_x(frm_Game01 &f)
{
    const bool hotovo = Opakuj(f, [&] {
        Hodnoty_z_kroku(f, Los(10, 1));
        for (int p = 1; p <= 6; ++p)
            for (int r = p + 1; r <= 6; ++r)
                if (f.Hodnoty_x[p] >= f.Hodnoty_x[r])
                    return false;
        return true;
    });
    if (!hotovo)
        Hodnoty_z_kroku(f, 1);
}

// Whether the whole numbers a / b fall on an exact half: the pupil's
// rounding (half up) and the program's (half to even) part there.
bool Na_polovici(qint64 a, qint64 b) { return b != 0 && (2 * a) % b == 0 && ((2 * a) / b) % 2 == 1; }

// y rounded to thousandths; the draw holds when no y falls on a half and
// every x the pupil is asked for (even columns) comes back as the nearest
// whole number to k over the y shown, again not on a half.
bool Spocitaj_y(frm_Game01 &f, int i)
{
    const float k = f.Koeficient_k[i];
    const qint64 tisicin_k = qint64(k) * 1000;
    bool plati = true;
    for (int p = 1; p <= 6; ++p) {
        const qint64 x = qint64(f.Hodnoty_x[p]);
        f.Hodnoty_y[p] = Zaokrouhli(double(k / f.Hodnoty_x[p]), 3);
        const qint64 tisicin_y = std::llround(double(f.Hodnoty_y[p]) * 1000);
        plati = plati && !Na_polovici(tisicin_k, x);
        if (p % 2 == 0)
            plati = plati && tisicin_y != 0 && !Na_polovici(tisicin_k, tisicin_y)
                    && std::llround(double(tisicin_k) / double(tisicin_y)) == x;
    }
    return plati;
}

// With h = 1 every k passes, so the fixed draw keeps the last k.
void Losuj_priklad(frm_Game01 &f, int i)
{
    if (Opakuj(f, [&] {
            Losuj_k(f, i);
            Losuj_x(f);
            return Spocitaj_y(f, i);
        }))
        return;
    Hodnoty_z_kroku(f, 1);
    Spocitaj_y(f, i);
}

void Tlac(frm_Game01 &f, int x, int y, const QString &text)
{
    f.CurrentX = x;
    f.CurrentY = y;
    f.Print(text);
}

// Where the bar under the answer sheet begins.
constexpr int Spodok_harku = 455;

void Tabulka(frm_Game01 &f, int i)
{
    const int y0 = 74 * (i - 1);
    // The last strip would run under the bar: it rises onto the sheet, its
    // formula still inside it.
    const int hore = std::min(108 + y0, Spodok_harku + 5 - f.Obr_levy[2].Height());
    Misc::Vykresli_ramecek(f, 40, hore, 163, 53, true, f.Obr_levy[2], f.Obr_stred[2], f.Obr_pravy[2]);
    f.FontSize = Velkost_pisma();
    f.ForeColor = platform::RGB(0, 0, 0);
    const QString k = Text(f.Koeficient_k[i]);
    Tlac(f, 57, 118 + y0, QStringLiteral("y    ="));
    Tlac(f, 140 - 5 * int(k.size() - 1), 108 + y0, k);
    Tlac(f, 140, 128 + y0, QStringLiteral("x"));
    f.Line(110, 128 + y0, 180, 128 + y0, platform::RGB(0, 0, 0));
    Tabulka_hodnot(f, i, false);
}

void Koeficient(frm_Game01 &f, int i)
{
    const int u = 2 * i - 1, l = 2 * i;
    f.TZ1(u)->Caption = QStringLiteral("x");
    f.TZ1(l)->Caption = QStringLiteral("y");
    for (int c = 1; c <= 2; ++c) {
        TZ(f, c + 1)(u)->Caption = Text(f.Hodnoty_x[c]);
        TZ(f, c + 1)(l)->Caption = Text(f.Hodnoty_y[c]);
    }
    f.TV5(l)->Tag = Text(f.Koeficient_k[i]);
    f.TZ1(u)->Visible = true;
    f.TZ1(l)->Visible = true;
    f.TZ1(l)->Top = f.TZ1(u)->Top + 21;
    for (int c = 1; c <= 2; ++c) {
        Bunky &tv = TV(f, c);
        Popisy &tz = TZ(f, c + 1);
        tz(u)->Top = tv(u)->Top;
        tv(l)->Top = tv(u)->Top + 21;
        tz(l)->Top = tv(l)->Top;
        if (c == 2) {
            tv(u)->Width = f.TV1(u)->Width - 7;
            tv(l)->Width = f.TV1(l)->Width - 7;
        }
        for (int r : {u, l}) {
            tz(r)->Visible = true;
            tz(r)->BackStyle = 0;
            tv(r)->Locked = true;
        }
    }
    for (int c : {3, 4}) {
        TV(f, c)(l)->Top = TV(f, c)(u)->Top + 21;
        TV(f, c)(u)->Visible = false;
        TV(f, c)(l)->Visible = false;
    }
    // TR1 only marks where the formula is printed.
    f.TR1(l)->Top = f.TR1(u)->Top + 10;
    f.TR1(l)->AutoSize = true;
    f.TR1(l)->Left = f.TV4(l)->Left + 8;
    f.FontSize = Velkost_pisma();
    Tlac(f, f.TR1(l)->Left, f.TR1(l)->Top, QStringLiteral("y ="));
    platform::TextBox *citatel = f.TV5(u);
    const int dolu = citatel->Top + citatel->Height;
    f.Line(citatel->Left, dolu, citatel->Left + citatel->Width, dolu, platform::RGB(0, 0, 0));
    f.FontSize = Velkost_pisma();
    Tlac(f, f.TV5(l)->Left + 21, citatel->Top + 20, QStringLiteral("x"));
    f.TV5(l)->Top = citatel->Top;
    citatel->Visible = false;
    f.TV5(l)->Visible = true;
    f.TV5(l)->Text = QString();
    f.TV5(l)->Locked = false;
    f.TV6(l)->Top = f.TV6(u)->Top + 21;
    f.TV6(u)->Visible = false;
    f.TV6(l)->Visible = false;
    f.IHod(i)->Tag = QStringLiteral("label");
}

} // namespace

void Varianta_2(frm_Game01 &f)
{
    for (f.Priklad = 1; f.Priklad <= Pocet_na_obrazovke(); ++f.Priklad) {
        const int i = f.Priklad;
        Losuj_priklad(f, i);
        if (i == 1 || i == 3 || i == 5)
            Tabulka(f, i);
        else if (i == 2 || i == 4)
            Koeficient(f, i);
    }
}

} // namespace Priklad_21
