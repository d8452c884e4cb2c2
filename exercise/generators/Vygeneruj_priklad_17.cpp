// Task 17: an equation with the unknown in denominators, one per screen.
// The pupil first writes the two values that x must not take (the
// conditions, checked row by row), then the stages, then the solution as
// one number (row 6) or a fraction (rows 7 and 8).
#include "exercise/Nacti_priklady.h"
#include "exercise/frm_Game01.h"
#include "exercise/generators/Stupne_rovnice.h"
#include "expr/EEvaluator.h"
#include "expr/NumberText.h"
#include "expr/Zapis_vyrazu.h"
#include "platform/Services.h"
#include "services/Kresleni.h"

#include <cmath>

using Stupne::Priechod;

namespace {

// Parameters that would leave the unknown without a coefficient, or a
// condition that is no whole number, are drawn again (by template number).
bool Vyhovuje_17(const frm_Game01 &f, int t)
{
    const float A = f.Par_A, C = f.Par_C, D = f.Par_D, E = f.Par_E, F = f.Par_F;
    switch (t) {
    case 2: return C * D - C * E != 0;
    case 3: return E * A - C != 0 && F / E == std::floor(F / E);
    case 4:
    case 5:
    case 6: return A - C != 0;
    default: return true;
    }
}

// The values that x must not take, one a condition piece: evaluated unless
// they are text ("/" makes no text here: a quotient is a value).
Priechod Zostav_podmienky(frm_Game01 &f, const Misc::Vzor_prikladu &vzor, const Stupne::Pismena &pismena)
{
    cEEvaluator &vypocet = f.Evaluator_formulara();
    for (int k = 1; k <= 50; ++k) {
        f.Podminky[size_t(k)].clear();
        f.Pom_text[1].clear();
        if (vzor.Vysledek(k).isEmpty())
            continue;
        f.Pom_text[1] = Vypocitej_exponenty(pismena.Dosad(vzor.Vysledek(k)), vypocet);
        const QString &kus = f.Pom_text[1];
        if (kus.contains(u'=') || kus.contains(u'x') || kus == u"-") {
            f.Podminky[size_t(k)] = kus;
            continue;
        }
        const Stupne::Hodnota h = Stupne::Vycisli(vypocet, kus);
        if (h.stav != Stupne::Stav::Ok)
            return Stupne::Z_hodnoty(h.stav);
        f.Podminky[size_t(k)] = Zjednodus_zapis(h.text, true);
        // A solution that a condition excludes would be no solution at all.
        const std::optional<double> c = ParseNumber(f.Podminky[size_t(k)]);
        if (c && std::fabs(*c - f.Hodnota_X_kontroly) < 1e-9)
            return Priechod::Zamietnuty;
    }
    return Priechod::Prijaty;
}

Priechod Priechod_17(frm_Game01 &f, int i, int t)
{
    const Misc::Vzor_prikladu &vzor = Misc::Vzory[t];
    if (!Stupne::Losuj_vyhovujuce(f, [&f, t] { return Vyhovuje_17(f, t); }))
        return Priechod::Zamietnuty;

    const Stupne::Pismena pismena = Stupne::Parametre(f);
    Stupne::Zostav_zlomky(f, vzor, pismena, i);
    if (const Priechod p = Stupne::Zostav_riadky(f, vzor, pismena, false, true); p != Priechod::Prijaty)
        return p;
    return Zostav_podmienky(f, vzor, pismena);
}

// Term of row 1 at a width of its own and, when given, a Left of its own.
void Umiestni(frm_Game01 &f, platform::ControlArray<platform::Label> &clen, int sirka, int left = -1)
{
    for (int k : {1, 2}) {
        if (k == 1 || !QString(clen(2)->Caption).isEmpty())
            clen(k)->Width = sirka;
        if (left >= 0)
            clen(k)->Left = left;
    }
    Stupne::Umiestni_clen(f, clen(1), clen(2));
}

void Skry(std::initializer_list<platform::Control *> prvky)
{
    for (platform::Control *c : prvky)
        c->Visible = false;
}

// Up to three terms on the left, up to two on the right.
void Riadok_rovnice(frm_Game01 &f)
{
    Stupne::Popisy_zlomkov(f, {{&f.TZ1, 1}, {&f.TZ2, 3}, {&f.TZ3, 5}, {&f.TZ4, 7}, {&f.TZ5, 9}},
                           {{f.TR2(1), 2}, {f.TR3(1), 4}, {f.TZR(1), 6}, {f.TR4(1), 8}});
    const bool druhy = !QString(f.TR2(1)->Caption).isEmpty(), treti = !QString(f.TR3(1)->Caption).isEmpty();
    const int lava = f.TZR(1)->Left, prava = f.TR1(1)->Left;
    if (druhy && treti) {
        f.TR2(1)->Visible = true;
        f.TR2(1)->Left = 98;
        f.TR3(1)->Visible = true;
        f.TR3(1)->Left = 162;
        Umiestni(f, f.TZ1, 50);
        Umiestni(f, f.TZ2, 50, 112);
        Umiestni(f, f.TZ3, 50, 177);
        Stupne::Uprav_stranu(lava, {{&f.TZ1, f.TR2(1)}, {&f.TZ2, f.TR3(1)}, {&f.TZ3}});
    } else if (druhy) {
        f.TR2(1)->Visible = true;
        f.TR2(1)->Left = 130;
        Skry({f.TR3(1), f.TZ3(1), f.TZ3(2)});
        Umiestni(f, f.TZ1, 82);
        Umiestni(f, f.TZ2, 82, 145);
        Stupne::Uprav_stranu(lava, {{&f.TZ1, f.TR2(1)}, {&f.TZ2}});
    } else if (!treti) {
        Skry({f.TR2(1), f.TZ2(1), f.TZ2(2), f.TR3(1), f.TZ3(1), f.TZ3(2)});
        Umiestni(f, f.TZ1, 179);
        Stupne::Uprav_stranu(lava, {{&f.TZ1}});
    }
    if (!QString(f.TR4(1)->Caption).isEmpty()) {
        f.TR4(1)->Visible = true;
        f.TR4(1)->Left = 324;
        Umiestni(f, f.TZ4, 82);
        Umiestni(f, f.TZ5, 82, 339);
        Stupne::Uprav_stranu(prava, {{&f.TZ4, f.TR4(1)}, {&f.TZ5}});
    } else {
        f.TR4(1)->Visible = false;
        Umiestni(f, f.TZ4, 179);
        Skry({f.TZ5(1), f.TZ5(2)});
        Stupne::Uprav_stranu(prava, {{&f.TZ4}});
    }
    Stupne::Dokonci_riadok_zlomkov(f, {&f.TZ1, &f.TZ2, &f.TZ3, &f.TZ4, &f.TZ5});
}

// "x ż" before a condition cell, in the maths font.
void Napis_x_rozne(frm_Game01 &f, platform::TextBox *bunka)
{
    f.CurrentX = bunka->Left - 35;
    f.CurrentY = bunka->Top;
    f.FontName = QStringLiteral("Ruvo");
    f.FontSize = 12;
    f.Print(QStringLiteral("x \u017C"));
}

// The two conditions: the first open, the second grey until the switch
// between them is clicked; the check button after them.
void Riadok_podmienok(frm_Game01 &f)
{
    platform::TextBox *prva = f.TV1(12), *druha = f.TV2(12);
    // The caption stands right under the equation's strip and the line 5 px
    // under the caption, so that neither covers a border of a strip.
    const int pod_rovnicou = f.TR1(1)->Top - 16 + f.Obr_levy[4].Height();
    Misc::Vykresli_obrazek(f.Obr_znamenka[10], f, 32, pod_rovnicou);
    prva->Top = pod_rovnicou + f.Obr_znamenka[10].Height() + 5;
    druha->Top = prva->Top;
    prva->Left = f.TV1(2)->Left + 40;
    prva->Width = f.TV1(2)->Width - 80;
    Stupne::Otvor_bunku(prva);
    prva->Tag = f.Podminky[1];
    Misc::Vykresli_ramecek(f, prva->Left - 40, prva->Top, prva->Width + 40, prva->Height, true, f.Obr_levy[1],
                           f.Obr_stred[1], f.Obr_pravy[5]);
    Napis_x_rozne(f, prva);

    platform::Image *prepinac = f.ICheck(12);
    prepinac->Picture = f.Obr_a_zar;
    prepinac->Tag = QStringLiteral("Switcher_and");
    prepinac->Left = prva->Left + prva->Width + 20;
    prepinac->Top = prva->Top - 5;
    prepinac->Enabled = true;
    prepinac->Visible = true;

    druha->Left = prva->Left + 222;
    druha->Width = prva->Width;
    druha->BackColor = platform::RGB(179, 179, 179);
    druha->Enabled = false;
    druha->Locked = false;
    druha->Text = QString();
    druha->Tag = f.Podminky[2];
    Misc::Vykresli_ramecek(f, druha->Left - 40, druha->Top, druha->Width + 40, druha->Height, true, f.Obr_levy[2],
                           f.Obr_stred[2], f.Obr_pravy[2]);
    druha->Visible = true;
    Napis_x_rozne(f, druha);

    f.ICheck(1)->Picture = f.Obr_check;
    f.ICheck(1)->Left = druha->Left + druha->Width + 20;
    f.ICheck(1)->Visible = true;
    f.ICheck(1)->Top = druha->Top - 5;
}

} // namespace

void frm_Game01::Vygeneruj_priklad_17(bool Prvni_generovani)
{
    (void)Prvni_generovani;
    Vymaz_data_prikladu();
    platform::services().random().Randomize();
    const bool vytvoreny = Stupne::Vygeneruj_priklady(*this, [this](int i, int t) { return Priechod_17(*this, i, t); });
    Stupne::Otvor_harok(*this, 5);
    ICheck(1)->Enabled = true;
    ICheck(1)->Tag = QString();
    AutoRedraw = true;
    if (!vytvoreny) {
        TV1(12)->Tag = QString();
        TV2(12)->Tag = QString();
        return Stupne::Bez_prikladu(*this, QStringLiteral("17"), 6);
    }
    Riadok_rovnice(*this);
    ICheck(1)->Picture = Obr_check;
    ICheck(1)->Tag = QStringLiteral("check");
    ICheck(1)->Visible = true;
    ICheck(1)->Enabled = true;
    Riadok_podmienok(*this);
    Stupne::Dokonci_harok(*this, 5, 6, 20);
}
