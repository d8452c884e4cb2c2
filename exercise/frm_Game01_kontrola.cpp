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

struct Pravidlo_ulohy {
    const char *uloha;
    Pravidlo pravidlo;
};
const Pravidlo_ulohy Pravidla[] = {
    {nullptr, nullptr},
};

Pravidlo Najdi_pravidlo(const QString &uloha)
{
    for (const Pravidlo_ulohy &p : Pravidla)
        if (p.uloha && uloha == QLatin1String(p.uloha))
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
