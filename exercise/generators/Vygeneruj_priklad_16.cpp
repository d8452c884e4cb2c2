// Task 16: an equation solved in stages, one per screen, of two kinds: a
// formula written on one line ("vzorec"), or terms written as fractions
// ("zlomek") with the first step asked for in row 1. Rows 2 to 5 take the
// pupil's stages unjudged; the solution is one number (row 6) or a
// fraction (rows 7 and 8).
#include "exercise/Nacti_priklady.h"
#include "exercise/frm_Game01.h"
#include "exercise/generators/Stupne_rovnice.h"
#include "expr/EEvaluator.h"
#include "expr/Nsd.h"
#include "expr/NumberText.h"
#include "expr/Zapis_vyrazu.h"
#include "platform/Services.h"
#include "services/Kresleni.h"
#include "services/Promenne_cviceni.h"

#include <cmath>

using Stupne::Priechod;

namespace {

bool Delitelne(double n, double m) { return std::fmod(n, m) == 0; }

// Whether the drawn parameters suit the template: the formula templates
// 1 to 4 give a whole solution for w = 1 and a fraction for w = 2, the
// others keep the unknown's coefficient and the solution from 0. Templates
// 6 and 9 keep the common divisor of two parameters for their stages.
bool Vyhovuje_16(frm_Game01 &f, bool zlomek, int t, int w)
{
    const double A = f.Par_A, B = f.Par_B, C = f.Par_C, D = f.Par_D, E = f.Par_E, F = f.Par_F;
    const auto podla_w = [w](double n, double m) { return Delitelne(n, m) == (w == 1); };
    if (!zlomek) {
        switch (t) {
        case 1: return podla_w(A * B * B, -B - 2 * A * B);
        case 2: return D - B * B != 0 && podla_w(D - B * B, 2 * B);
        case 3: return B - C * C - A * A != 0 && podla_w(B - C * C - A * A, -2 * A);
        case 4: return A != B && C * C - A * B != 0 && podla_w(C * C - A * B, A - B - 2 * C);
        default: return true;
        }
    }
    switch (t) {
    case 6: f.Par_K = qint16(Misc::Najdi_NSD(A, B)); return A != B;
    case 8: return C * B - A != 0;
    case 9: f.Par_K = qint16(Misc::Najdi_NSD(C, E)); return E * A - C * B != 0 && C * D - E * B != 0;
    case 10: return C * C + A * F != 0 && C * D * F + E * C - F * B != 0;
    default: return true;
    }
}

Priechod Priechod_16(frm_Game01 &f, int i, int t)
{
    const Misc::Vzor_prikladu &vzor = Misc::Vzory[t];
    if (vzor.Druh() == u"vzorec")
        f.Je_zlomek = false;
    else if (vzor.Druh() == u"zlomek")
        f.Je_zlomek = true;
    else
        return Priechod::Zly_vzor;

    // w chooses a whole (1) or a fractional (2) solution where the template can give either.
    const bool vyhovuje = Stupne::Losuj_vyhovujuce(f, [&f, t] {
        const int w = !f.Je_zlomek && t >= 1 && t <= 4 ? Stupne::Nahodne_cislo(2) : 0;
        return Vyhovuje_16(f, f.Je_zlomek, t, w);
    });
    if (!vyhovuje)
        return Priechod::Zamietnuty;

    Stupne::Pismena pismena = Stupne::Parametre(f);
    if (f.Je_zlomek) {
        Stupne::Pismena s_k = pismena;
        s_k.Nastav('K', QString::number(f.Par_K));
        Stupne::Zostav_zlomky(f, vzor, s_k, i);
        // The stages of these two work with the fraction of two parameters reduced.
        const float K = f.Par_K;
        if (t == 6) {
            pismena.Nastav('A', FormatNumber(f.Par_A / K, 7));
            pismena.Nastav('B', FormatNumber(f.Par_B / K, 7));
        } else if (t == 9) {
            pismena.Nastav('C', FormatNumber(f.Par_C / K, 7));
            pismena.Nastav('E', FormatNumber(f.Par_E / K, 7));
        }
    } else if (const Priechod p = Stupne::Zostav_rovnicu(f, vzor, pismena, i); p != Priechod::Prijaty) {
        return p;
    }
    return Stupne::Zostav_riadky(f, vzor, pismena, true, f.Je_zlomek);
}

// One side of row 1: a term, or two terms joined by an operator.
void Umiestni_stranu(frm_Game01 &f, platform::ControlArray<platform::Label> &prvy, platform::Label *znamienko,
                     platform::ControlArray<platform::Label> &druhy)
{
    if (!QString(znamienko->Caption).isEmpty()) {
        znamienko->Visible = true;
        prvy(1)->Width = 82;
        prvy(2)->Width = 82;
        Stupne::Umiestni_clen(f, prvy(1), prvy(2));
        Stupne::Umiestni_clen(f, druhy(1), druhy(2));
        return;
    }
    znamienko->Visible = false;
    druhy(1)->Visible = false;
    druhy(2)->Visible = false;
    prvy(1)->Width = 179;
    if (!QString(prvy(2)->Caption).isEmpty())
        prvy(2)->Width = 179;
    Stupne::Umiestni_clen(f, prvy(1), prvy(2));
}

void Riadok_vzorca(frm_Game01 &f)
{
    for (auto [popis, text] : {std::pair{f.TZ1(1), f.Leva_strana[1]}, std::pair{f.TZ3(1), f.Prava_strana[1]}}) {
        Stupne::Ukaz_text(popis, text, 179);
        popis->Top = f.TZR(1)->Top;
    }
    for (platform::Control *c : std::initializer_list<platform::Control *>{
             f.TZ1(2), f.TZ2(1), f.TZ2(2), f.TV1(1), f.TR2(1), f.TZ3(2), f.TZ4(1), f.TZ4(2), f.TV2(1), f.TR3(1)})
        c->Visible = false;
    f.TZR(1)->Caption = QStringLiteral("=");
    f.TZR(1)->Visible = true;
    f.TR1(1)->Caption = QStringLiteral("/");
    f.TR1(1)->Visible = false;
    Stupne::Otvor_bunku(f.TV3(1));
    f.TV3(1)->Visible = false;
    Misc::Vykresli_ramecek(f, f.TZ1(1)->Left, f.TZ1(1)->Top, f.TV2(1)->Left + f.TV2(1)->Width - f.TZ1(1)->Left,
                           32, true, f.Obr_levy[1], f.Obr_stred[1], f.Obr_pravy[1]);
}

void Riadok_zlomkov(frm_Game01 &f)
{
    Stupne::Popisy_zlomkov(f, {{&f.TZ1, 1}, {&f.TZ2, 3}, {&f.TZ3, 5}, {&f.TZ4, 7}},
                           {{f.TR2(1), 2}, {f.TZR(1), 4}, {f.TR3(1), 6}});
    Umiestni_stranu(f, f.TZ1, f.TR2(1), f.TZ2);
    Umiestni_stranu(f, f.TZ3, f.TR3(1), f.TZ4);
    Stupne::Dokonci_riadok_zlomkov(f, {&f.TZ1, &f.TZ2, &f.TZ3, &f.TZ4});
}

} // namespace

void frm_Game01::Vygeneruj_priklad_16(bool Prvni_generovani)
{
    (void)Prvni_generovani;
    Vymaz_data_prikladu();
    platform::services().random().Randomize();
    const bool vytvoreny = Stupne::Vygeneruj_priklady(*this, [this](int i, int t) { return Priechod_16(*this, i, t); });
    Stupne::Otvor_harok(*this, 5);
    if (!vytvoreny)
        return Stupne::Bez_prikladu(*this, QStringLiteral("16"), 6);
    Je_zlomek ? Riadok_zlomkov(*this) : Riadok_vzorca(*this);
    Stupne::Dokonci_harok(*this, 5, 6);
}
