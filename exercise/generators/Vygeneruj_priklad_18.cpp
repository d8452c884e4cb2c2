// Task 18: a linear inequality solved in stages, one per screen, of two
// kinds: a formula written on one line ("vzorec"), or terms written as
// fractions ("zlomek") with the first step asked for in row 1. Every stage
// carries its relation sign; in rows 2 to 5 the pupil sets it by clicking
// the sign image. The solution is one number (row 6) or a fraction (rows 7
// and 8), each after the sign that the pupil chooses.
#include "exercise/Nacti_priklady.h"
#include "exercise/frm_Game01.h"
#include "exercise/generators/Stupne_rovnice.h"
#include "expr/Nsd.h"
#include "expr/NumberText.h"
#include "platform/Services.h"

using Stupne::Priechod;

namespace {

// Templates 3 and 4 keep their solution from 0. In the fraction templates
// 6, 9 and 10 the stages work with a fraction of two parameters reduced by
// their common divisor K, which is never 0 so.
bool Vyhovuje_18(frm_Game01 &f, int t)
{
    const float A = f.Par_A, B = f.Par_B, C = f.Par_C, E = f.Par_E, F = f.Par_F;
    switch (t) {
    case 3: return C * A - B != 0;
    case 4: return B != C;
    case 6: f.Par_K = qint16(Misc::Najdi_NSD(A, B)); return true;
    case 9: f.Par_K = qint16(Misc::Najdi_NSD(C, E)); return true;
    case 10: f.Par_K = qint16(Misc::Najdi_NSD(C, F)); return true;
    default: return true;
    }
}

// The letters of a fraction template's stages that stand for a parameter
// divided by K.
void Kratene_pismena(const frm_Game01 &f, int t, Stupne::Pismena &pismena)
{
    static const struct {
        int vzor;
        char prve, druhe;
    } Kratene[] = {{6, 'A', 'B'}, {9, 'C', 'E'}, {10, 'C', 'F'}};
    const float hodnoty[] = {f.Par_A, f.Par_B, f.Par_C, f.Par_D, f.Par_E, f.Par_F};
    const float K = f.Par_K;
    for (const auto &k : Kratene)
        if (k.vzor == t && K != 0)
            for (char p : {k.prve, k.druhe})
                pismena.Nastav(p, FormatNumber(hodnoty[p - 'A'] / K, 7));
}

Priechod Priechod_18(frm_Game01 &f, int i, int t)
{
    const Misc::Vzor_prikladu &vzor = Misc::Vzory[t];
    if (!Stupne::Nastav_druh(f, vzor))
        return Priechod::Zly_vzor;
    if (!Stupne::Losuj_vyhovujuce(f, [&f, t] { return Vyhovuje_18(f, t); }))
        return Priechod::Zamietnuty;

    Stupne::Pismena pismena = Stupne::Parametre(f);
    if (const Priechod p = Stupne::Zostav_zadanie(f, vzor, pismena, i, true); p != Priechod::Prijaty)
        return p;
    if (f.Je_zlomek)
        Kratene_pismena(f, t, pismena);
    return Stupne::Zostav_riadky(f, vzor, pismena, false, false, true);
}

// The sign of row 1, fixed: the pupil does not choose it.
void Znamienko_zadania(frm_Game01 &f, const QString &znamienko)
{
    const int obrazok = f.Je_zlomek ? (znamienko == u">" ? 6 : 7) : (znamienko == u">" ? 3 : 4);
    platform::Image *z = f.IZnam(1);
    f.TZR(1)->Caption = znamienko;
    f.TZR(1)->Visible = false;
    z->Picture = f.Obr_znamenka[size_t(obrazok)];
    z->Tag = znamienko;
    z->Visible = true;
    z->Enabled = false;
    z->Top = f.TZR(1)->Top - (f.Je_zlomek ? 16 : 5);
}

// Rows 2 to 5 take the pupil's stages, each with a sign image in place of "=".
void Riadky_nerovnic(frm_Game01 &f)
{
    Stupne::Riadky_krokov(f, 2, 5);
    for (int k = 2; k <= 5; ++k) {
        f.IZnam(k)->Picture = f.Obr_znamenka[2];
        f.IZnam(k)->Visible = true;
        f.IZnam(k)->Top = f.TZR(k)->Top - 5;
        f.TZR(k)->Visible = false;
    }
}

} // namespace

void frm_Game01::Vygeneruj_priklad_18(bool Prvni_generovani)
{
    (void)Prvni_generovani;
    Vymaz_data_prikladu();
    platform::services().random().Randomize();
    const bool vytvoreny = Stupne::Vygeneruj_priklady(*this, [this](int i, int t) { return Priechod_18(*this, i, t); });
    Stupne::Otvor_harok(*this, 9);
    // Whatever the pupil chose on the example before, no sign is chosen yet.
    for (int r = 1; r <= 9; ++r) {
        IZnam(r)->Enabled = true;
        IZnam(r)->Tag = QStringLiteral("?");
    }
    if (!vytvoreny)
        return Stupne::Bez_prikladu(*this, QStringLiteral("18"), 6);

    if (Je_zlomek) {
        Stupne::Riadok_styroch_clenov(*this);
        Znamienko_zadania(*this, Zadani_prikladu(4, 1));
    } else {
        Stupne::Riadok_vzorca(*this, Vysledek_prikladu(1, 3));
        Znamienko_zadania(*this, Vysledek_prikladu(1, 3));
    }
    Riadky_nerovnic(*this);
    Stupne::Riadok_vysledku(*this, 6, 30, true);
    TZ1(6)->Tag = QStringLiteral("check");
    TZ1(7)->Tag = QStringLiteral("check_zlomek");
    const Stupne::Vysledok v = Stupne::Vysledok_rovnice(Vysledek_prikladu);
    Stupne::Zapis_vysledok(*this, v, 6, 7, 8);
    if (v.riadok > 0) {
        TZR(6)->Caption = Vysledek_prikladu(v.riadok, 3);
        TZR(7)->Caption = Vysledek_prikladu(v.riadok, 3);
    }
    Refresh();
    Faze_kontroly = 1;
}
