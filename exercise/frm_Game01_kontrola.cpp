// The check command: every example of the screen judged at once by its
// task's rule, one mark and one count per example, then the continue
// button. It runs once per screen: its button stays off until new examples.
#include "exercise/frm_Game01_kontrola.h"

#include "expr/NumberText.h"
#include "expr/Prevedeni_vstupu.h"
#include "expr/Vyhodnoceni_vysledku.h"
#include "services/Konfigurace.h"
#include "services/Kresleni.h"
#include "services/Promenne_cviceni.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

#include <QRegularExpression>

using namespace Misc;

namespace {

using G = frm_Game01;

// One example judged: the mark that shows it and whether it is right.
struct Posudok {
    int znacka;
    bool spravne;
};
// A task's rule for example i: it locks the example's cells and judges them.
using Pravidlo = Posudok (*)(G &g, int i);

using Kontrola::VV;
using Kontrola::Vyplnena;

void Zamkni(G &g, std::initializer_list<platform::TextBox *> bunky)
{
    for (platform::TextBox *b : bunky)
        b->Locked = true;
    g.Text1->SetFocus();
}

// Tasks 1 to 3 and 12: example i on rows 2i - 1 and 2i. The pupil may
// write the answer in either column; the expected lines are the Tags of
// the second one. A fraction needs both its lines in one column.
Posudok Dva_riadky(G &g, int i)
{
    const int u = 2 * i - 1, l = 2 * i;
    platform::TextBox *hu = g.TV1(u), *hl = g.TV1(l), *du = g.TV2(u), *dl = g.TV2(l);
    Zamkni(g, {hu, hl, du, dl});
    bool spravne = false;
    if (!QString(hl->Tag).isEmpty() || !QString(dl->Tag).isEmpty()) {
        if (Vyplnena(hu) && Vyplnena(hl))
            spravne = VV(g, hu->Text, du->Tag) && VV(g, hl->Text, dl->Tag);
        if (Vyplnena(du) && Vyplnena(dl) && !spravne)
            spravne = VV(g, du->Text, du->Tag) && VV(g, dl->Text, dl->Tag);
    } else if (Vyplnena(hu) || Vyplnena(du)) {
        spravne = VV(g, hu->Text, du->Tag) || VV(g, du->Text, du->Tag);
    }
    return {u, spravne};
}

// Examples of one answer cell: the cell locked, the cell judged (an empty
// one is wrong without a comparison) and the example's mark.
Posudok Jedna_bunka(G &g, platform::TextBox *zamknuta, platform::TextBox *posudzovana, int znacka,
                    const std::function<bool(const QString &)> &prijata)
{
    Zamkni(g, {zamknuta});
    return {znacka, Vyplnena(posudzovana) && prijata(posudzovana->Text)};
}

// Tasks 4 to 9: the cell's Tag or a second form of the result in the
// label's Tag (empty where the generator has none, which agrees with nothing).
Posudok Vyraz(G &g, int i)
{
    return Jedna_bunka(g, g.TV1(i), g.TV1(i), i, [&](const QString &text) {
        return VV(g, text, g.TV1(i)->Tag) || VV(g, text, g.TZ1(i)->Tag);
    });
}

// Task 10: up to ten accepted forms in the example table.
Posudok Vyraz_10(G &g, int i)
{
    return Jedna_bunka(g, g.TV1(i), g.TV1(i), i, [&](const QString &text) {
        for (int k = 1; k <= 10; ++k)
            if (VV(g, text, g.Vysledek_prikladu(k, i)))
                return true;
        return false;
    });
}

// Task 19: variant 2 judges the result in the fourth cell; its base, part
// and percentage cells stay open. A percentage asked for may carry its "%",
// the form in the label's Tag (empty where no percentage is asked for).
Posudok Percenta(G &g, int i)
{
    const auto prijata = [&](platform::TextBox *b) {
        return [&g, b, i](const QString &t) { return VV(g, t, b->Tag) || VV(g, t, g.TZ1(i)->Tag); };
    };
    if (Varianta_ulohy == 1)
        return Jedna_bunka(g, g.TV1(i), g.TV1(i), i, prijata(g.TV1(i)));
    if (Varianta_ulohy == 2)
        return Jedna_bunka(g, g.TV1(i), g.TV4(i), i, prijata(g.TV4(i)));
    Zamkni(g, {g.TV1(i)});
    return {i, false};
}

// Task 20: x is typed on the example's lower row, which carries the mark.
Posudok Umera(G &g, int i)
{
    platform::TextBox *x = g.TV3(2 * i);
    return Jedna_bunka(g, x, x, 2 * i, [&](const QString &t) { return VV(g, t, x->Tag); });
}

// Tasks 13 and 14: a fraction per column, numerators on row 2i - 1,
// denominators on row 2i. A filled lower cell of the second column always
// lets that column decide; its upper cell alone only when the first column
// was not right. Task 13 also accepts the second result in the Tags of the
// first column, both lines from the same result.
Posudok Zlomky(G &g, int i, bool druhy_vysledok)
{
    const int u = 2 * i - 1, l = 2 * i;
    platform::TextBox *hu = g.TV1(u), *hl = g.TV1(l), *du = g.TV2(u), *dl = g.TV2(l);
    Zamkni(g, {hu, hl, du, dl});
    const auto stlpec = [&](platform::TextBox *hore, platform::TextBox *dole) {
        const bool druhy = druhy_vysledok && VV(g, hore->Text, hu->Tag) && VV(g, dole->Text, hl->Tag);
        return (VV(g, hore->Text, du->Tag) && VV(g, dole->Text, dl->Tag)) || druhy;
    };
    bool spravne = false;
    if (Vyplnena(hu) && Vyplnena(hl))
        spravne = stlpec(hu, hl);
    if ((Vyplnena(du) && !spravne) || Vyplnena(dl))
        spravne = stlpec(du, dl);
    return {u, spravne};
}
Posudok Zlomky_13(G &g, int i) { return Zlomky(g, i, true); }
Posudok Zlomky_14(G &g, int i) { return Zlomky(g, i, false); }

// --- Tasks 15 to 18: the answer x of an equation solved in stages --------

// The final answer: one number in D, or a fraction N over M. The generator
// leaves the expected x in exactly one of the two shapes.
struct Odpoved_x {
    platform::TextBox *D, *N, *M;
};
enum class Tvar { Ziadny, Cislo, Zlomok };
struct Posudok_x {
    Tvar tvar;
    bool spravne;
};

// A derived text that could not be made agrees with nothing.
bool VV_ak(G &g, const std::optional<QString> &vstup, const std::optional<QString> &vzor)
{
    return vstup && vzor && VV(g, *vstup, *vzor);
}

bool Prazdny_tag(const platform::Control *c) { return QString(c->Tag).isEmpty(); }

// a / b written as the generator writes a quotient; nothing when either is
// not a number or b is 0.
std::optional<QString> Podiel(const QString &a, const QString &b)
{
    const std::optional<double> x = ParseNumber(Riadok_na_posudenie(a)), y = ParseNumber(Riadok_na_posudenie(b));
    if (!x || !y || *y == 0)
        return std::nullopt;
    return FormatNumber(*x / *y);
}

// The pupil's number with its sign changed; nothing unless the cell holds a
// plain number (a sign, digits, a decimal comma): "2+1" over "-2" is a sum
// not yet worked out, not -3 over -2.
std::optional<QString> Opacne_znamienko(const QString &text)
{
    static const QRegularExpression cislo(QStringLiteral("^[+-]?[0-9]+(,[0-9]+)?$"));
    const QString t = Riadok_na_posudenie(text);
    const std::optional<double> v = cislo.match(t).hasMatch() ? ParseNumber(t) : std::nullopt;
    if (!v || !std::isfinite(*v))
        return std::nullopt;
    return FormatNumber(-*v);
}

// A reduced fraction may carry its minus sign above or below the bar; an
// expected number may be written as any fraction of that value.
Posudok_x Posud_x(G &g, const Odpoved_x &o)
{
    if (Vyplnena(o.D)) {
        if (!Prazdny_tag(o.N) && !Prazdny_tag(o.M))
            return {Tvar::Cislo, VV_ak(g, QString(o.D->Text), Podiel(o.N->Tag, o.M->Tag))};
        return {Tvar::Cislo, VV(g, o.D->Text, o.D->Tag)};
    }
    if (!Vyplnena(o.N) || !Vyplnena(o.M))
        return {Tvar::Ziadny, false};
    if (!Prazdny_tag(o.D))
        return {Tvar::Zlomok, VV_ak(g, Podiel(o.N->Text, o.M->Text), QString(o.D->Tag))};
    const bool ako_zadane = VV(g, o.N->Text, o.N->Tag) && VV(g, o.M->Text, o.M->Tag);
    const bool opacne = VV_ak(g, Opacne_znamienko(o.N->Text), QString(o.N->Tag))
                        && VV_ak(g, Opacne_znamienko(o.M->Text), QString(o.M->Tag));
    return {Tvar::Zlomok, ako_zadane || opacne};
}

// The mark goes beside the form the pupil used, else beside the expected one.
void Posun_znacku(G &g, const Odpoved_x &o)
{
    platform::TextBox *vedla = Vyplnena(o.D) ? o.D : Vyplnena(o.M) ? o.M : !Prazdny_tag(o.D) ? o.D
                             : !Prazdny_tag(o.M) ? o.M : nullptr;
    if (vedla)
        g.IHod(1)->Left = vedla->Left + vedla->Width + 20;
}

void Zamkni_riadky(G &g, int riadkov)
{
    for (int k = 1; k <= riadkov; ++k)
        Zamkni(g, {g.TV1(k), g.TV2(k), g.TV3(k)});
}

// Tasks 15 and 16: the working rows are locked, only x is judged.
Posudok Rovnica(G &g, int D, int riadkov)
{
    Zamkni_riadky(g, riadkov);
    const Odpoved_x o{g.TV1(D), g.TV1(D + 1), g.TV1(D + 2)};
    const bool spravne = Posud_x(g, o).spravne;
    Posun_znacku(g, o);
    return {1, spravne};
}
Posudok Rovnica_15(G &g, int) { return Rovnica(g, 5, 7); }
Posudok Rovnica_16(G &g, int) { return Rovnica(g, 6, 8); }

// Task 17: x and the values its conditions exclude, in either order. The
// conditions and their "and" switch are locked with the rest.
Posudok Rovnica_17(G &g, int)
{
    Zamkni_riadky(g, 8);
    Zamkni(g, {g.TV1(12), g.TV2(12)});
    g.ICheck(1)->Enabled = false;
    g.ICheck(12)->Enabled = false;
    const Odpoved_x o{g.TV1(6), g.TV1(7), g.TV1(8)};
    const bool spravne = Kontrola::Podmienky_17(g) && Posud_x(g, o).spravne;
    Posun_znacku(g, o);
    return {1, spravne};
}

// Task 18: x with the relation sign the pupil set on the row of the form
// used; the signs of the working rows are not judged.
Posudok Nerovnica_18(G &g, int)
{
    for (int k = 1; k <= 8; ++k) {
        Zamkni(g, {g.TV1(k), g.TV2(k), g.TV3(k)});
        g.IZnam(k)->Enabled = false;
    }
    const Odpoved_x o{g.TV1(6), g.TV1(7), g.TV1(8)};
    const Posudok_x x = Posud_x(g, o);
    const auto znamienko = [&](int r) { return VV(g, g.TZR(r)->Caption, g.IZnam(r)->Tag); };
    const bool spravne = x.spravne && (x.tvar == Tvar::Cislo ? znamienko(6) : znamienko(7));
    Posun_znacku(g, o);
    return {1, spravne};
}

// --- Task 21: tables of y = k·x and the coefficient k ----------------------

// Which examples of the screen are value tables, as the generator lays them out.
bool Je_tabulka_21(int i) { return i == 1 || i == 3 || (Varianta_ulohy == 2 && i == 5); }

// An x value rounded to a whole number; nothing for a text without a value.
std::optional<QString> Zaokruhlene(const QString &text)
{
    const std::optional<double> x = ParseNumber(Riadok_na_posudenie(text));
    if (!x)
        return std::nullopt;
    return FormatNumber(std::nearbyint(*x)); // a half goes to the even neighbour
}

// Example i on rows 2i - 1 (x values) and 2i (y values). Variant 2 also
// takes x values that round to the expected whole numbers.
Posudok Funkcia_21(G &g, int i)
{
    if (Varianta_ulohy != 1 && Varianta_ulohy != 2)
        return {0, false};
    const int u = 2 * i - 1, l = 2 * i;
    platform::ControlArray<platform::TextBox> *stlpce[] = {&g.TV1, &g.TV2, &g.TV3, &g.TV4, &g.TV5, &g.TV6};
    for (auto *s : stlpce)
        Zamkni(g, {(*s)(u), (*s)(l)});
    if (!Je_tabulka_21(i)) {
        platform::TextBox *k = g.TV5(l);
        return {i, Vyplnena(k) && VV(g, k->Text, k->Tag)};
    }
    bool vsetky = true, presne = true, zaokruhlene = true;
    for (auto *s : stlpce) {
        platform::TextBox *x = (*s)(u), *y = (*s)(l);
        vsetky = vsetky && Vyplnena(x) && Vyplnena(y);
        const bool y_sedi = VV(g, y->Text, y->Tag);
        presne = presne && VV(g, x->Text, x->Tag) && y_sedi;
        zaokruhlene = zaokruhlene && VV_ak(g, Zaokruhlene(x->Text), Zaokruhlene(x->Tag)) && y_sedi;
    }
    return {i, vsetky && (presne || (Varianta_ulohy == 2 && zaokruhlene))};
}

// --- Task 11: rows of conditions ---------------------------------------------

} // namespace

int Kontrola::Posudzovany_riadok_11(frm_Game01 &g, int i)
{
    const int r = 3 * i;
    if (!Prazdny_tag(g.TV1(r)))
        return r;
    if (!Prazdny_tag(g.TV3(r)) || Prazdny_tag(g.TV1(r - 1)))
        return 0;
    return r - 1;
}

namespace {

// Two expected conditions may be written in either order; the sides of a
// condition keep their cells. One expected condition must be what each
// written condition says.
bool Riadok_podmienok_11(G &g, int r)
{
    platform::TextBox *a = g.TV1(r), *b = g.TV2(r), *c = g.TV3(r), *d = g.TV4(r);
    if (!Prazdny_tag(c)) {
        const bool rovno = VV(g, a->Text, a->Tag) && VV(g, b->Text, b->Tag) && VV(g, c->Text, c->Tag)
                           && VV(g, d->Text, d->Tag);
        const bool krizom = VV(g, a->Text, c->Tag) && VV(g, b->Text, d->Tag) && VV(g, c->Text, a->Tag)
                            && VV(g, d->Text, b->Tag);
        return rovno || krizom;
    }
    if (!Vyplnena(a))
        return false;
    const bool prva = VV(g, a->Text, a->Tag) && VV(g, b->Text, b->Tag);
    if (!Vyplnena(c))
        return prva;
    return prva && VV(g, c->Text, a->Tag) && VV(g, d->Text, b->Tag);
}

Posudok Podmienky_11(G &g, int i)
{
    return {i, Kontrola::Posud_priklad_11(g, i)};
}

struct Pravidlo_ulohy {
    const char *uloha;
    Pravidlo pravidlo;
    bool jeden_priklad = false; // a screen of one example, whatever Pocet_prikladu says
};
const Pravidlo_ulohy Pravidla[] = {
    {"1", Dva_riadky},  {"2", Dva_riadky},  {"3", Dva_riadky},  {"4", Vyraz},           {"5", Vyraz},
    {"6", Vyraz},       {"7", Vyraz},       {"8", Vyraz},       {"9", Vyraz},           {"10", Vyraz_10}, {"11", Podmienky_11},
    {"12", Dva_riadky}, {"13", Zlomky_13},  {"14", Zlomky_14},  {"15", Rovnica_15, true}, {"16", Rovnica_16, true},
    {"17", Rovnica_17, true}, {"18", Nerovnica_18, true}, {"19", Percenta}, {"20", Umera}, {"21", Funkcia_21},
};

const Pravidlo_ulohy *Najdi_pravidlo(const QString &uloha)
{
    for (const Pravidlo_ulohy &p : Pravidla)
        if (uloha == QLatin1String(p.uloha))
            return &p;
    return nullptr;
}

// Mark 0: the rule judged nothing.
void Oznac(G &g, const Posudok &p)
{
    if (p.znacka != 0)
        Kontrola::Oznac_priklad(g, p.znacka, p.spravne, true);
}

} // namespace

bool Kontrola::VV(frm_Game01 &g, const QString &vstup, const QString &vzor)
{
    return Vyhodnoceni_vysledku(g.Evaluator_formulara(), vstup, vzor, {});
}

bool Kontrola::Vyplnena(const platform::TextBox *bunka)
{
    return !Riadok_na_posudenie(QString(bunka->Text)).isEmpty();
}

bool Kontrola::Podmienky_17(frm_Game01 &g)
{
    platform::TextBox *a = g.TV1(12), *b = g.TV2(12);
    const auto sedi = [&](platform::TextBox *bunka, const QString &vzor) {
        return vzor.isEmpty() ? !Vyplnena(bunka) : VV(g, bunka->Text, vzor);
    };
    return (sedi(a, a->Tag) && sedi(b, b->Tag)) || (sedi(a, b->Tag) && sedi(b, a->Tag));
}

bool Kontrola::Posud_priklad_11(frm_Game01 &g, int i)
{
    const int prvy = 3 * i - 2, posledny = 3 * i;
    for (auto *s : {&g.TV1, &g.TV2, &g.TV3, &g.TV4})
        for (int r = prvy; r <= posledny; ++r)
            (*s)(r)->Locked = true;
    for (int r = prvy; r <= posledny; ++r)
        g.ICheck(r)->Enabled = false;
    g.Text1->SetFocus();
    const int R = Kontrola::Posudzovany_riadok_11(g, i);
    return R != 0 && Riadok_podmienok_11(g, R);
}

void Kontrola::Oznac_priklad(frm_Game01 &g, int znacka, bool spravne, bool pocitat)
{
    platform::Image *z = g.IHod(znacka);
    z->Picture = Nacti_obrazek(Cesta_CD + (spravne ? QStringLiteral("Bitmap\\Games\\Check_ok.bmp")
                                                   : QStringLiteral("Bitmap\\Games\\Check_ko.bmp")));
    z->Visible = true;
    // A wrong example's mark shows its correct answer when pressed.
    z->Enabled = !spravne;
    if (pocitat)
        ++(spravne ? Pocet_spravnych : Pocet_spatnych);
}

void frm_Game01::Skontroluj_priklady()
{
    const Pravidlo_ulohy *p = Najdi_pravidlo(Cislo_ulohy);
    const int pocet = !p ? 0 : p->jeden_priklad ? 1 : std::min(int(Pocet_prikladu), 30);
    // A screen that holds no example has nothing to check and nothing to count.
    if (p && std::none_of(Priklad_vytvoreny.begin() + 1, Priklad_vytvoreny.begin() + 1 + pocet,
                          [](bool v) { return v; })) {
        Zobrazit_pokracuj = true;
        return;
    }
    Zapni_vypni_tlacitka(QStringLiteral("vypnuto"));
    PicTop(4)->Enabled = true;
    Text1->SetFocus();
    for (int i = 1; i <= pocet; ++i)
        if (Priklad_vytvoreny[size_t(i)])
            Oznac(*this, p->pravidlo(*this, i));
    if (Zobrazit_pokracuj)
        Zobraz_tlacitko_pokracuj();
    Zobrazit_pokracuj = true;
}
