#pragma once
// Two lines that are equal by their terms must have one value wherever both
// have one: checked at a few points (X, Y, Z) drawn once from a fixed seed.
#include "expr/EEvaluator.h"
#include "expr/Prevedeni_vstupu.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace hodnoty {

struct Bod {
    double x, y, z;
};

inline const std::array<Bod, 4> &Body()
{
    static const std::array<Bod, 4> body = [] {
        QRandomGenerator r(31);
        std::array<Bod, 4> b{};
        for (Bod &p : b)
            p = {r.generateDouble() * 6 - 3, r.generateDouble() * 6 - 3, r.generateDouble() * 6 - 3};
        return b;
    }();
    return body;
}

// Rounding may tip a step (a comparison, INT, integer division, a bit
// operation) either way, whatever the order of the terms under it.
inline bool So_skokom(QStringView riadok)
{
    static const QRegularExpression skok(QStringLiteral("[=<>&#|~!\\\\%]|(INT|FIX|SGN|RND)\\("),
                                         QRegularExpression::CaseInsensitiveOption);
    return skok.match(riadok.toString()).hasMatch();
}

// How large the sums inside the line may grow: its value with every minus a
// plus, at the point's absolute values; nothing when that has no value.
inline std::optional<double> Mierka(cEEvaluator &vypocet, QStringView riadok, const Bod &p)
{
    QString plusy = riadok.toString();
    plusy.replace(u'-', u'+').replace(u'\u2212', u'+');
    const auto m = Prevedeni_vstupu_na_vysledek(vypocet, plusy, std::abs(p.x), std::abs(p.y), std::abs(p.z));
    if (!m)
        return std::nullopt;
    return std::abs(*m);
}

// True when at every point where both lines and their scales have a value,
// not too large for a double to keep its units, the two values agree.
inline bool Hodnoty_sedia(cEEvaluator &vypocet, QStringView a, QStringView b)
{
    if (So_skokom(a) || So_skokom(b))
        return true;
    for (const Bod &p : Body()) {
        const auto va = Prevedeni_vstupu_na_vysledek(vypocet, a, p.x, p.y, p.z);
        const auto vb = Prevedeni_vstupu_na_vysledek(vypocet, b, p.x, p.y, p.z);
        const auto ma = Mierka(vypocet, a, p), mb = Mierka(vypocet, b, p);
        if (!va || !vb || !ma || !mb)
            continue;
        const double mierka = std::max({1.0, std::abs(*va), std::abs(*vb), *ma, *mb});
        if (mierka < 1e12 && std::abs(*va - *vb) > 1e-9 * mierka)
            return false;
    }
    return true;
}

} // namespace hodnoty
