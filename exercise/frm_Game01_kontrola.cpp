// The check command: every example of the screen judged at once by its
// task's rule, one mark and one count per example, then the continue
// button. It runs once per screen: its button stays off until new examples.
#include "exercise/frm_Game01.h"

#include "expr/Vyhodnoceni_vysledku.h"
#include "services/Konfigurace.h"
#include "services/Kresleni.h"
#include "services/Promenne_cviceni.h"

#include <functional>

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

bool Vyplnena(const platform::TextBox *bunka) { return !QString(bunka->Text).isEmpty(); }

// Answer against expected text, term by term.
bool VV(G &g, const QString &vstup, const QString &vzor)
{
    return Vyhodnoceni_vysledku(g.Zastupce_evaluator(), vstup, vzor, {});
}

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
// label's Tag (empty where the generator has none).
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
// and percentage cells stay open.
Posudok Percenta(G &g, int i)
{
    if (Varianta_ulohy == 1)
        return Jedna_bunka(g, g.TV1(i), g.TV1(i), i, [&](const QString &t) { return VV(g, t, g.TV1(i)->Tag); });
    if (Varianta_ulohy == 2)
        return Jedna_bunka(g, g.TV1(i), g.TV4(i), i, [&](const QString &t) { return VV(g, t, g.TV4(i)->Tag); });
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

struct Pravidlo_ulohy {
    const char *uloha;
    Pravidlo pravidlo;
};
const Pravidlo_ulohy Pravidla[] = {
    {"1", Dva_riadky}, {"2", Dva_riadky},  {"3", Dva_riadky}, {"4", Vyraz},       {"5", Vyraz},
    {"6", Vyraz},      {"7", Vyraz},       {"8", Vyraz},      {"9", Vyraz},       {"10", Vyraz_10},
    {"12", Dva_riadky}, {"13", Zlomky_13}, {"14", Zlomky_14}, {"19", Percenta},   {"20", Umera},
};

Pravidlo Najdi_pravidlo(const QString &uloha)
{
    for (const Pravidlo_ulohy &p : Pravidla)
        if (uloha == QLatin1String(p.uloha))
            return p.pravidlo;
    return nullptr;
}

void Oznac(G &g, const Posudok &p)
{
    platform::Image *znacka = g.IHod(p.znacka);
    znacka->Picture = Nacti_obrazek(Cesta_CD + (p.spravne ? QStringLiteral("Bitmap\\Games\\Check_ok.bmp")
                                                          : QStringLiteral("Bitmap\\Games\\Check_ko.bmp")));
    znacka->Visible = true;
    // A wrong example's mark shows its correct answer when pressed.
    znacka->Enabled = !p.spravne;
    ++(p.spravne ? Pocet_spravnych : Pocet_spatnych);
}

} // namespace

void frm_Game01::Skontroluj_priklady()
{
    Zapni_vypni_tlacitka(QStringLiteral("vypnuto"));
    PicTop(4)->Enabled = true;
    Text1->SetFocus();
    if (const Pravidlo pravidlo = Najdi_pravidlo(Cislo_ulohy)) {
        const int pocet = Pocet_prikladu;
        for (int i = 1; i <= pocet; ++i)
            Oznac(*this, pravidlo(*this, i));
    }
    if (Zobrazit_pokracuj)
        Zobraz_tlacitko_pokracuj();
    Zobrazit_pokracuj = true;
}
