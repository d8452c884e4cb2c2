// The correct answer of a wrong example: pressing its mark shows the
// answer in one of the two hint windows at the mouse pointer, releasing the
// button hides it. The answer comes from what the generator left in the
// example's cells (their Tags), labels or example table.
#include "exercise/frm_Game01_kontrola.h"

#include "platform/Runtime.h"
#include "services/Formular.h"
#include "services/Konfigurace.h"
#include "services/Promenne_cviceni.h"
#include "services/Zvuky.h"
#include "shell/Formulare.h"
#include "shell/frm_Chybovy.h"
#include "shell/frm_Chybovy2.h"

#include <array>

using namespace Misc;

namespace {

using G = frm_Game01;

// The hover code of the marks.
constexpr int Kod_znacky = 20;

// The "not equal" sign of the maths font, between x and an excluded value.
const QString Nerovna_sa = QStringLiteral("ż");

// What a window shows and how its lines are set up.
struct Odpoved {
    Shell::Okno_napovedy *okno = nullptr; // none: nothing is shown
    QStringList riadky;                   // line 1 first
    std::vector<int> v_strede, matematicke; // lines centred, lines in the maths font
    bool riadok_1_nizsie = false;         // line 1 one pixel lower after filling
    bool riadok_3_pod_1 = false;          // line 3 10 pixels below line 1's top
};

Shell::Okno_napovedy *Okno_1() { return Formulare::frm_Chybovy.get(); }
Shell::Okno_napovedy *Okno_2() { return Formulare::frm_Chybovy2.get(); }

QString Tag(const platform::Control *c) { return c->Tag; }

// One line, centred.
Odpoved Riadok(Shell::Okno_napovedy *okno, const QString &text, bool matematicky = false, bool nizsie = false)
{
    Odpoved o{okno, {text}, {1}, {}, nizsie, false};
    if (matematicky)
        o.matematicke = {1};
    return o;
}

// Numerator and denominator, centred.
Odpoved Zlomok(Shell::Okno_napovedy *okno, const QString &hore, const QString &dole, bool matematicky = false)
{
    Odpoved o{okno, {hore, dole}, {1, 2}, {}, false, false};
    if (matematicky)
        o.matematicke = {1, 2};
    return o;
}

// Task 11: every condition of the row that the check judges.
Odpoved Podmienky_11(G &g, int Index)
{
    const int r = Kontrola::Posudzovany_riadok_11(g, Index);
    const auto plna = [&](platform::TextBox *a, platform::TextBox *b) { return !Tag(a).isEmpty() && !Tag(b).isEmpty(); };
    // No whole condition: rather no window than the lines of another example.
    if (r == 0 || !plna(g.TV1(r), g.TV2(r)))
        return {};
    QString text = Tag(g.TV1(r)) + Nerovna_sa + Tag(g.TV2(r));
    if (plna(g.TV3(r), g.TV4(r)))
        text += QStringLiteral(", ") + Tag(g.TV3(r)) + Nerovna_sa + Tag(g.TV4(r));
    return Riadok(Okno_1(), text, true);
}

// Tasks 15 to 18: the result as one number in cell D, or as a fraction in
// cells N over M, with the text of the task before it.
Odpoved Vysledok_rovnice(G &g, int D, const QString &pred_cislom, const QString &pred_zlomkom, bool matematicky)
{
    if (!Tag(g.TV1(D)).isEmpty()) {
        Odpoved o = Riadok(Okno_1(), pred_cislom + Tag(g.TV1(D)), matematicky);
        // A single blank keeps the second line of the window as it is.
        o.riadky << QStringLiteral(" ");
        return o;
    }
    Odpoved o = Zlomok(Okno_2(), Tag(g.TV1(D + 1)), Tag(g.TV1(D + 2)));
    if (!pred_zlomkom.isEmpty()) {
        o.riadky << pred_zlomkom;
        o.riadok_3_pod_1 = true;
        if (matematicky)
            o.matematicke = {3};
    }
    return o;
}

// Task 21: a value table of two rows, or the coefficient k.
Odpoved Funkcia(G &g, int Index)
{
    const int u = 2 * Index - 1, l = 2 * Index;
    const QString druh = Tag(g.IHod(Index));
    if (druh == QLatin1String("table")) {
        Odpoved o = Riadok(Okno_1(), g.TZ1(u)->Caption, false, true);
        o.riadky << g.TZ1(l)->Caption;
        for (auto *stlpec : {&g.TV1, &g.TV2, &g.TV3, &g.TV4, &g.TV5, &g.TV6})
            o.riadky << Tag((*stlpec)(u)) << Tag((*stlpec)(l));
        return o;
    }
    if (druh == QLatin1String("label"))
        return Riadok(Okno_2(), Tag(g.TV5(l)));
    return {};
}

Odpoved Spravna_odpoved(G &g, int Index)
{
    const int u = Cislo_ulohy.toInt();
    switch (u) {
    case 1:
    case 2: {
        const QString dole = Tag(g.TV2(Index + 1));
        return Riadok(Okno_1(), dole.isEmpty() ? Tag(g.TV2(Index))
                                               : Tag(g.TV2(Index)) + QStringLiteral(" / ") + dole);
    }
    case 3: return Zlomok(Okno_1(), Tag(g.TV2(Index)), Tag(g.TV2(Index + 1)));
    case 12:
    case 13:
    case 14: return Zlomok(Okno_1(), Tag(g.TV2(Index)), Tag(g.TV2(Index + 1)), true);
    case 4: case 5: case 6: case 7: case 8: case 9:
        return Riadok(Okno_1(), Tag(g.TV1(Index)), true, true);
    case 10: return Riadok(Okno_1(), g.Vysledek_prikladu(1, Index), true, true);
    case 11: return Podmienky_11(g, Index);
    case 15: return Vysledok_rovnice(g, 5, {}, {}, false);
    case 16: return Vysledok_rovnice(g, 6, {}, {}, false);
    case 17: {
        QString c = QStringLiteral("x ż ") + Tag(g.TV1(12));
        if (!Tag(g.TV2(12)).isEmpty())
            c += QStringLiteral(", x ż ") + Tag(g.TV2(12));
        return Vysledok_rovnice(g, 6, c + QStringLiteral(", x = "), c + QStringLiteral(", x = "), true);
    }
    case 18: {
        const auto strana = [&](int r) { return g.TZ1(r)->Caption + QLatin1Char(' ') + g.TZR(r)->Caption; };
        return Vysledok_rovnice(g, 6, strana(6) + QLatin1Char(' '), strana(7), false);
    }
    case 19:
        if (Varianta_ulohy == 1)
            return Riadok(Okno_1(), Tag(g.TV1(Index)));
        if (Varianta_ulohy == 2)
            return Riadok(Okno_1(), Tag(g.TV4(Index)));
        return {};
    case 20: return Riadok(Okno_1(), Tag(g.TV3(Index)), false, true);
    case 21: return Funkcia(g, Index);
    default: return {};
    }
}

void Ukaz(const Odpoved &o, const QPoint &kurzor, const platform::Form &g)
{
    Shell::Okno_napovedy *okno = o.okno;
    for (int n : o.v_strede)
        if (okno->Label1.exists(n))
            okno->Label1(n)->Alignment = platform::vbCenter;
    for (int n : o.matematicke)
        if (okno->Label1.exists(n))
            okno->Label1(n)->FontName = QStringLiteral("Ruvo");
    std::array<QString, 14> r;
    for (int k = 0; k < o.riadky.size() && k < 14; ++k)
        r[size_t(k)] = o.riadky[k];
    okno->Vloz_Text(r[0], r[1], r[2], r[3], r[4], r[5], r[6], r[7], r[8], r[9], r[10], r[11], r[12], r[13]);
    if (o.riadok_1_nizsie)
        okno->Label1(1)->Top = okno->Label1(1)->Top + 1;
    if (o.riadok_3_pod_1 && okno->Label1.exists(3))
        okno->Label1(3)->Top = okno->Label1(1)->Top + 10;
    // Its right edge 5 pixels right of the pointer, its top at the pointer,
    // or shifted so that it lies wholly on the stage.
    const int tx = platform::Screen::TwipsPerPixelX, ty = platform::Screen::TwipsPerPixelY;
    const QPoint javisko(g.Left / tx, g.Top / ty);
    const QSize velkost(okno->Width / tx, okno->Height / ty);
    const QPoint kde = javisko + Misc::Na_javisku(kurzor + QPoint(5 - velkost.width(), 0) - javisko, velkost);
    okno->Left = tx * kde.x();
    okno->Top = ty * kde.y();
    okno->Show();
    okno->Refresh();
}

} // namespace

void frm_Game01::IHod_MouseDown(int Index, int Button, int Shift, int X, int Y)
{
    (void)Button, (void)Shift, (void)X, (void)Y;
    Zavri_otevrene_panely();
    // Before the check the marks show nothing; task 11 marks examples
    // as its rows are checked one by one.
    if (Cislo_ulohy != QLatin1String("11") && PicTop(1)->Enabled)
        return;
    Zahraj_click();
    const QPoint kurzor = platform::cursorPosition();
    Okno_1()->Left = 0;
    Okno_1()->Top = 0;
    const Odpoved o = Spravna_odpoved(*this, Index);
    if (o.okno)
        Ukaz(o, kurzor, *this);
}

// The mark holds the mouse while its button is down: the release comes
// here wherever the pointer is.
void frm_Game01::IHod_MouseUp(int Index, int Button, int Shift, int X, int Y)
{
    (void)Index, (void)Button, (void)Shift, (void)X, (void)Y;
    if (auto *okno = Formulare::frm_Chybovy.existing())
        okno->Hide();
    if (auto *okno = Formulare::frm_Chybovy2.existing())
        okno->Hide();
}

// Every mark of the sheet gets the pointer, whichever rows the task's
// examples mark.
void frm_Game01::IHod_MouseMove(int Index, int Button, int Shift, int X, int Y)
{
    (void)Index, (void)Button, (void)Shift, (void)X, (void)Y;
    const bool ukazuje = Cislo_ulohy == QLatin1String("11") || !PicTop(1)->Enabled;
    if (ukazuje && Zvyrazneny_prvek != Kod_znacky) {
        Zahraj_enter();
        Zvyrazneny_prvek = Kod_znacky;
    }
    const int posledna = IHod.UBound();
    for (int k = 1; k <= posledna; ++k)
        if (IHod.exists(k))
            IHod(k)->MouseIcon = ukazuje ? Kurzor_ruka : Kurzor_sipka;
}
