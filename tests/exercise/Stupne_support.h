#pragma once
// Helpers of the tests of the equations solved in stages: the solution
// that the result cells expect, and whether a displayed line holds at it.
#include "Generatory_support.h"
#include "expr/EEvaluator.h"
#include "expr/NumberText.h"
#include "expr/Prevedeni_vstupu.h"
#include "expr/Random.h"

#include <cmath>
#include <numeric>
#include <optional>
#include <set>

namespace stupne_test {

// The solution that the Tags of the three result cells of TV1 expect, or a
// text that says why they expect none.
struct Riesenie {
    std::optional<double> x;
    QString chyba;
};

inline Riesenie Riesenie_z_tagov(frm_Game01 &f, int cele, int citatel, int menovatel)
{
    const QString c = f.TV1(cele)->Tag, n = f.TV1(citatel)->Tag, d = f.TV1(menovatel)->Tag;
    if (!c.isEmpty()) {
        if (!n.isEmpty() || !d.isEmpty())
            return {{}, QStringLiteral("both forms expected: %1 and %2/%3").arg(c, n, d)};
        const auto x = ParseNumber(c);
        if (!x || *x != std::round(*x))
            return {{}, QStringLiteral("not a whole number: ") + c};
        return {x, {}};
    }
    const auto a = ParseNumber(n), b = ParseNumber(d);
    if (!a || !b || *b == 0)
        return {{}, QStringLiteral("no readable fraction: %1/%2").arg(n, d)};
    const long long p = std::llround(*a), q = std::llround(*b);
    if (p != *a || q != *b || std::gcd(p, q) != 1 || q <= 1 || p == 0)
        return {{}, QStringLiteral("not a reduced proper fraction with its sign above: %1/%2").arg(n, d)};
    return {*a / *b, {}};
}

// Whether the two displayed sides have one value at x (as the pupil's line
// is read); the text says what they gave when not.
inline QString Plati(cEEvaluator &vypocet, const QString &lava, const QString &prava, double x)
{
    const auto l = Prevedeni_vstupu_na_vysledek(vypocet, lava, x, 0, 0);
    const auto p = Prevedeni_vstupu_na_vysledek(vypocet, prava, x, 0, 0);
    if (l && p && std::fabs(*l - *p) <= 1e-9 * std::max({1.0, std::fabs(*l), std::fabs(*p)}))
        return {};
    return QStringLiteral("%1 = %2 at x = %3 gives %4 and %5")
        .arg(lava, prava, FormatNumber(x), l ? FormatNumber(*l) : QStringLiteral("nothing"),
             p ? FormatNumber(*p) : QStringLiteral("nothing"));
}

// Every stage row with both sides holds at x.
inline QString Riadky_platia(frm_Game01 &f, double x)
{
    for (int r = 1; r <= 50; ++r) {
        const QString &l = f.Vysledek_prikladu(r, 1), &p = f.Vysledek_prikladu(r, 2);
        if (l.isEmpty() && p.isEmpty())
            continue;
        const QString chyba = Plati(f.Evaluator_formulara(), l, p, x);
        if (!chyba.isEmpty())
            return QStringLiteral("row %1: ").arg(r) + chyba;
    }
    return {};
}

// One side of row 1 of an equation of fractions as the pupil reads it: the
// first term, then every further term whose sign is shown, terms bracketed.
using Popisy = platform::ControlArray<platform::Label>;
inline QString Strana(Popisy &prvy, std::initializer_list<std::pair<platform::Label *, Popisy *>> dalsie)
{
    const auto clen = [](Popisy &popis) {
        const QString n = popis(1)->Caption(), d = popis(2)->Caption();
        return popis(2)->Visible ? QStringLiteral("(%1)/(%2)").arg(n, d) : '(' + n + ')';
    };
    QString s = clen(prvy);
    for (auto [znamienko, clen_za] : dalsie)
        if (znamienko->Visible)
            s += znamienko->Caption() + clen(*clen_za);
    return s;
}

inline bool Parametre_2_az_5(const frm_Game01 &f)
{
    for (float p : {f.Par_A, f.Par_B, f.Par_C, f.Par_D, f.Par_E, f.Par_F})
        if (p < 2 || p > 5 || p != std::round(p))
            return false;
    return true;
}

// Every screen of the series (Kazda_seria), traced and handed to `over`
// with its first example's template; gives the templates drawn.
template <class F> std::set<int> Kazda_obrazovka(frm_Game01 &h, F &&over)
{
    return hra_test::Kazda_seria(h, [&](quint32 s) {
        const int t = Misc::Vybrany_vzor[1];
        SCOPED_TRACE(QStringLiteral("seed %1, template %2").arg(s).arg(t).toStdString());
        over(t);
        EXPECT_EQ(h.Faze_kontroly, 1);
    });
}

// The three result cells' Tags, "whole|numerator|denominator".
inline std::string Vysledne_tagy(frm_Game01 &f, int prva)
{
    return (f.TV1(prva)->Tag() + '|' + f.TV1(prva + 1)->Tag() + '|' + f.TV1(prva + 2)->Tag()).toStdString();
}

} // namespace stupne_test
