// Task 16: an equation solved in stages, one per screen, of two kinds: a
// formula written on one line ("vzorec"), or terms written as fractions
// ("zlomek") with the first step asked for in row 1. Rows 2 to 5 take the
// pupil's stages unjudged; the solution is one number (row 6) or a
// fraction (rows 7 and 8).
#include "exercise/Nacti_priklady.h"
#include "exercise/frm_Game01.h"
#include "exercise/generators/Stupne_rovnice.h"
#include "exercise/generators/Generovanie.h"
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
    if (!Stupne::Nastav_druh(f, vzor))
        return Priechod::Zly_vzor;

    // w chooses a whole (1) or a fractional (2) solution where the template can give either.
    const bool vyhovuje = Stupne::Losuj_vyhovujuce(f, [&f, t] {
        const int w = !f.Je_zlomek && t >= 1 && t <= 4 ? Generovanie::Los_vzoru(2) : 0;
        return Vyhovuje_16(f, f.Je_zlomek, t, w);
    });
    if (!vyhovuje)
        return Priechod::Zamietnuty;

    Stupne::Pismena pismena = Stupne::Parametre(f);
    if (const Priechod p = Stupne::Zostav_zadanie(f, vzor, pismena, i, false); p != Priechod::Prijaty)
        return p;
    // The stages of these two work with the fraction of two parameters reduced.
    const float K = f.Par_K;
    if (f.Je_zlomek && t == 6) {
        pismena.Nastav('A', FormatNumber(f.Par_A / K, 7));
        pismena.Nastav('B', FormatNumber(f.Par_B / K, 7));
    } else if (f.Je_zlomek && t == 9) {
        pismena.Nastav('C', FormatNumber(f.Par_C / K, 7));
        pismena.Nastav('E', FormatNumber(f.Par_E / K, 7));
    }
    return Stupne::Zostav_riadky(f, vzor, pismena, true, f.Je_zlomek);
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
    Je_zlomek ? Stupne::Riadok_styroch_clenov(*this) : Stupne::Riadok_vzorca(*this, QStringLiteral("="));
    Stupne::Dokonci_harok(*this, 5, 6);
}
