// Task 15: a linear equation solved in stages, one per screen. Row 1 shows
// it, rows 2 to 4 take the pupil's stages unjudged, and the solution is
// written either as one number (row 5) or as a fraction (rows 6 and 7).
#include "exercise/Nacti_priklady.h"
#include "exercise/frm_Game01.h"
#include "exercise/generators/Stupne_rovnice.h"
#include "platform/Services.h"
#include "services/Kresleni.h"
#include "services/Promenne_cviceni.h"

using Stupne::Priechod;

namespace {

// Parameters that would leave the unknown without a coefficient, or with
// the coefficient 1, are drawn again (by template number).
bool Znovu_15(int vzor, const frm_Game01 &f)
{
    const float A = f.Par_A, B = f.Par_B, C = f.Par_C, D = f.Par_D, E = f.Par_E;
    switch (vzor) {
    case 2: return A - C == 1 || A == C;
    case 3: return C + A == E || C + A - E == 1 || D == C;
    case 5: return E * D == A * B || A * B - E * D == 1;
    case 6: return B - D == 1 || B == D;
    case 7: return -B * C == A * B - A * D || A * B - A * D + B * C == 1;
    default: return false;
    }
}

Priechod Priechod_15(frm_Game01 &f, int i, int t)
{
    const Misc::Vzor_prikladu &vzor = Misc::Vzory[t];
    if (!Stupne::Losuj_vyhovujuce(f, [&f, t] { return !Znovu_15(t, f); }))
        return Priechod::Zamietnuty;
    f.Pom_tabulka_1(1, i).clear();
    f.Pom_tabulka_2(1, i).clear();

    const Stupne::Pismena pismena = Stupne::Parametre(f);
    if (const Priechod p = Stupne::Zostav_rovnicu(f, vzor, pismena, i); p != Priechod::Prijaty)
        return p;
    return Stupne::Zostav_riadky(f, vzor, pismena, false, true);
}

} // namespace

void frm_Game01::Vygeneruj_priklad_15(bool Prvni_generovani)
{
    (void)Prvni_generovani;
    platform::services().random().Randomize();
    Vymaz_data_prikladu();
    const bool vytvoreny = Stupne::Vygeneruj_priklady(*this, [this](int i, int t) { return Priechod_15(*this, i, t); });
    Stupne::Otvor_harok(*this, 5);
    if (!vytvoreny)
        return Stupne::Bez_prikladu(*this, QStringLiteral("15"), 5);
    Stupne::Ukaz_text(TZ1(1), Leva_strana[1]);
    TV1(1)->Visible = false;
    TZR(1)->Caption = QStringLiteral("=");
    TZR(1)->Visible = true;
    Stupne::Ukaz_text(TZ2(1), Prava_strana[1]);
    TV2(1)->Visible = false;
    TR1(1)->Caption = QStringLiteral("/");
    TR1(1)->Visible = false;
    Stupne::Otvor_bunku(TV3(1));
    TV3(1)->Visible = false;
    Misc::Vykresli_ramecek(*this, TZ1(1)->Left, TZ1(1)->Top, TV2(1)->Left + TV2(1)->Width - TZ1(1)->Left, 32, true,
                           Obr_levy[1], Obr_stred[1], Obr_pravy[1]);

    Stupne::Dokonci_harok(*this, 4, 5);
}
