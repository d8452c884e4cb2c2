// Task 21, variant 1: y = k·x with k from 1 to 2 in hundredths. Examples 1
// and 3 are value tables, 2 and 4 ask k from two columns, 5 asks k from a
// graph.
#include "exercise/generators/Losovanie_19_21.h"
#include "exercise/generators/Priklad_21.h"
#include "platform/Fonts.h"
#include "platform/Picture.h"
#include "services/Kresleni.h"

#include <QFontMetrics>

#include <algorithm>

using namespace Losovanie;

namespace Priklad_21 {

namespace {

bool Nove_k(const frm_Game01 &f, int i, float k)
{
    for (int j = 1; j < i; ++j)
        if (f.Koeficient_k[j] == k)
            return false;
    return true;
}

// The graph needs a point with whole coordinates on its 10 x 10 grid.
bool Ma_cely_bod(frm_Game01 &f, float k)
{
    bool cely = false;
    for (int p = 1; p <= 10; ++p) {
        f.Hodnoty_x[p] = float(p);
        f.Hodnoty_y[p] = k * f.Hodnoty_x[p];
        if (Je_cele(f.Hodnoty_y[p]) && f.Hodnoty_y[p] <= 10)
            cely = true;
    }
    return cely;
}

// k = Round(Rnd + 1, 2), different from the k's before it on the screen;
// the graph example also wants a whole point. The fixed draw is the
// smallest such k (1 unless taken).
void Losuj_k(frm_Game01 &f, int i)
{
    const auto vyhovuje = [&](float k) { return Nove_k(f, i, k) && (i != 5 || Ma_cely_bod(f, k)); };
    if (Opakuj(f, [&] {
            f.Koeficient_k[i] = Zaokrouhli(double(float(Rnd() + 1.0f)), 2);
            return vyhovuje(f.Koeficient_k[i]);
        }))
        return;
    for (int n = 100; n <= 200; ++n)
        if (vyhovuje(f.Koeficient_k[i] = Zaokrouhli(n / 100.0, 2)))
            return;
}

void Spocitaj_y(frm_Game01 &f, int i)
{
    for (int p = 1; p <= 6; ++p)
        f.Hodnoty_y[p] = Zaokrouhli(double(f.Koeficient_k[i] * f.Hodnoty_x[p]), 2);
}

// Six rising whole x values from the step d; examples 2 and 4 never start
// at 1, whose y would give k away. The fixed draw is d = 3, x = 3p + 1.
void Losuj_x(frm_Game01 &f, int i)
{
    const bool nezacina_1 = i == 2 || i == 4;
    const bool hotovo = Opakuj(f, [&] {
        bool prijato = true;
        f.Hodnota_x = qint16(Los(3, 1));
        for (int p = 1; p <= 6; ++p)
            f.Hodnoty_x[p] = float(f.Hodnota_x == 1 ? p : Los(2, 1) == 1 ? f.Hodnota_x * p + 1 : f.Hodnota_x * p - 1);
        for (int p = 1; p <= 6; ++p)
            for (int r = p + 1; r <= 6; ++r)
                if (f.Hodnoty_x[p] == f.Hodnoty_x[r])
                    prijato = false;
        Spocitaj_y(f, i);
        return prijato && !(nezacina_1 && f.Hodnoty_x[1] == 1);
    });
    if (hotovo)
        return;
    f.Hodnota_x = 3;
    for (int p = 1; p <= 6; ++p)
        f.Hodnoty_x[p] = float(3 * p + 1);
    Spocitaj_y(f, i);
}

void Tabulka(frm_Game01 &f, int i)
{
    const int y0 = 74 * (i - 1);
    f.FontSize = Velkost_pisma();
    const QString rovnica = QStringLiteral("y   =   ") + Text(f.Koeficient_k[i]) + QStringLiteral("   \u00B7   x");
    // The strip is as long as the equation needs, at least as designed.
    Misc::Vykresli_ramecek(f, 35, 121 + y0, std::max(122, f.TextWidth(rovnica) + 8), 20, true, f.Obr_levy[1],
                           f.Obr_stred[1], f.Obr_pravy[1]);
    f.CurrentX = 40;
    f.CurrentY = 120 + y0;
    f.ForeColor = platform::RGB(0, 0, 0);
    f.Print(rovnica);
    Tabulka_hodnot(f, i, true);
}

// "y  =", the gap for the answer cell, then "· x" just after the cell: the
// blanks are counted in the label's own font, so that "· x" keeps clear of
// the row mark.
QString Rovnica_s_bunkou(const platform::Label *popis, int koniec_bunky)
{
    const QFontMetrics m(platform::makeFont(popis->FontName, popis->FontSize, popis->FontBold));
    QString text = QStringLiteral("y  =");
    while (popis->Left + m.horizontalAdvance(text) < koniec_bunky + 5)
        text += u' ';
    return text + QStringLiteral("\u00B7 x");
}

void Koeficient(frm_Game01 &f, int i)
{
    const int u = 2 * i - 1, l = 2 * i;
    f.TZ1(u)->Caption = QStringLiteral("x");
    f.TZ1(l)->Caption = QStringLiteral("y");
    f.TZ1(u)->Visible = true;
    f.TZ1(l)->Visible = true;
    f.TZ1(u)->Top = f.TV1(u)->Top - 3;
    f.TZ1(l)->Top = f.TZ1(u)->Top + 21;
    for (int c = 1; c <= 2; ++c)
        for (int r : {u, l}) {
            TZ(f, c + 1)(r)->Caption = Text(r == u ? f.Hodnoty_x[c] : f.Hodnoty_y[c]);
            TZ(f, c + 1)(r)->Visible = true;
            TZ(f, c + 1)(r)->BackStyle = 0;
        }
    f.TV5(l)->Tag = Text(f.Koeficient_k[i]);
    for (int c = 1; c <= 2; ++c) {
        TV(f, c)(l)->Top = TV(f, c)(u)->Top + 21;
        TZ(f, c + 1)(u)->Top = TV(f, c)(u)->Top;
        TZ(f, c + 1)(l)->Top = TV(f, c)(l)->Top;
        TV(f, c)(u)->Locked = true;
        TV(f, c)(l)->Locked = true;
    }
    f.TV2(u)->Width = f.TV1(u)->Width - 7;
    f.TV2(l)->Width = f.TV1(l)->Width - 7;
    for (int c : {3, 4, 6}) {
        TV(f, c)(l)->Top = TV(f, c)(u)->Top + 21;
        TV(f, c)(u)->Visible = false;
        TV(f, c)(l)->Visible = false;
    }
    for (int n = 4; n <= 7; ++n) {
        TZ(f, n)(u)->Visible = false;
        TZ(f, n)(l)->Visible = false;
    }
    f.TR1(l)->Top = f.TR1(u)->Top + 9;
    f.TR1(l)->Left = f.TV4(l)->Left;
    f.TR1(l)->AutoSize = true;
    f.TR1(l)->Caption = Rovnica_s_bunkou(f.TR1(l), f.TV5(l)->Left + f.TV5(l)->Width);
    f.TR1(l)->BackStyle = 0;
    f.TR1(l)->Visible = true;
    // A disabled cell 2 px above the answer cell and behind it.
    f.TV5(u)->Top = f.TV4(u)->Top + 8;
    f.TV5(u)->Visible = true;
    f.TV5(u)->Enabled = false;
    f.TV5(l)->Top = f.TV4(u)->Top + 10;
    f.TV5(l)->Height = 18;
    f.TV5(l)->Visible = true;
    f.TV5(l)->Text = QString();
    f.TV5(l)->Locked = false;
    f.TV5(l)->ZOrder(0);
    f.IHod(i)->Tag = QStringLiteral("label");
}

void Text_grafu(platform::PictureBox *g, int x, int y, const char *text)
{
    g->CurrentX = x;
    g->CurrentY = y;
    g->Print(QLatin1String(text));
}

// Origin at (40, 220), one unit 15 px on both axes.
void Nakresli_graf(frm_Game01 &f)
{
    platform::PictureBox *g = f.PicGraf;
    g->AutoRedraw = true;
    g->Cls();
    g->ForeColor = platform::RGB(0, 0, 0);
    g->DrawStyle = 0;
    g->Line(40, 260, 40, 20);
    g->Line(0, 220, 240, 220);
    g->Line(40, 20, 35, 30);
    g->Line(40, 20, 45, 30);
    g->Line(240, 220, 230, 215);
    g->Line(240, 220, 230, 225);
    Text_grafu(g, 20, 20, "y");
    Text_grafu(g, 240, 230, "x");
    Text_grafu(g, 25, 225, "0");
    for (int r = 1; r <= 10; ++r)
        g->Line(35, 220 - 15 * r, 45, 220 - 15 * r);
    Text_grafu(g, 10, 60, "10");
    for (int r = 1; r <= 10; ++r)
        g->Line(40 + 15 * r, 215, 40 + 15 * r, 225);
    Text_grafu(g, 182, 225, "10");
    for (int r = 1; r <= 10; ++r)
        for (int c = 1; c <= 10; ++c)
            g->Line(40 + 15 * c, 220 - 15 * r, 41 + 15 * c, 220 - 15 * r);
    g->ForeColor = platform::RGB(255, 0, 0);
    for (int p = 1; p <= 10; ++p) {
        const float y = f.Hodnoty_y[p];
        if (y > 11)
            continue;
        const double px = 40 + 15.0 * f.Hodnoty_x[p], py = 220 - 15.0 * y;
        g->Line(40, 220, px, py);
        if (Je_cele(y)) {
            g->Line(px - 5, py, px + 5, py);
            g->Line(px, py - 5, px, py + 5);
        }
    }
}

void Graf(frm_Game01 &f)
{
    f.TV5(10)->Tag = Text(f.Koeficient_k[5]);
    f.TZ1(9)->Visible = false;
    f.TZ1(10)->Visible = false;
    for (int c : {1, 2, 3, 4, 6}) {
        TV(f, c)(9)->Visible = false;
        TV(f, c)(10)->Visible = false;
    }
    platform::Label *popis = f.TR1(10);
    popis->AutoSize = true;
    popis->Left = 422;
    popis->Top = 429;
    popis->Caption = Rovnica_s_bunkou(popis, popis->Left + 36 + f.TV5(10)->Width);
    popis->BackStyle = 0;
    popis->Visible = true;
    f.TV5(9)->Top = popis->Top + 1;
    f.TV5(9)->Left = popis->Left + 36;
    f.TV5(9)->Enabled = false;
    f.TV5(9)->Visible = true;
    f.TV5(10)->Top = popis->Top + 3;
    f.TV5(10)->Left = popis->Left + 36;
    f.TV5(10)->Height = 18;
    f.TV5(10)->ZOrder(0);
    f.TV5(10)->Visible = true;
    f.TV5(10)->Text = QString();
    f.TV5(10)->Locked = false;
    f.IHod(5)->Tag = QStringLiteral("label");
    Nakresli_graf(f);
    f.PicGraf->Visible = true;
}

} // namespace

void Varianta_1(frm_Game01 &f)
{
    for (f.Priklad = 1; f.Priklad <= Pocet_na_obrazovke(); ++f.Priklad) {
        const int i = f.Priklad;
        Losuj_k(f, i);
        if (i != 5)
            Losuj_x(f, i);
        if (i == 1 || i == 3)
            Tabulka(f, i);
        else if (i == 2 || i == 4)
            Koeficient(f, i);
        else if (i == 5)
            Graf(f);
    }
}

} // namespace Priklad_21
