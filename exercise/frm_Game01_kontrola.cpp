// The check command: every example of the screen judged at once by its
// task's rule, one mark and one count per example, then the continue
// button. It runs once per screen: its button stays off until new examples.
#include "exercise/frm_Game01.h"

#include "expr/Vyhodnoceni_vysledku.h"
#include "services/Konfigurace.h"
#include "services/Kresleni.h"
#include "services/Promenne_cviceni.h"

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

struct Pravidlo_ulohy {
    const char *uloha;
    Pravidlo pravidlo;
};
const Pravidlo_ulohy Pravidla[] = {
    {"1", Dva_riadky}, {"2", Dva_riadky}, {"3", Dva_riadky}, {"12", Dva_riadky},
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
