#pragma once
// What the generators of tasks 19 to 21 share: draws from the program's one
// random sequence, rounding to decimal places with halves to the even
// neighbour, a single-precision value as the pupil reads it, and the bound
// on drawing passes.
#include "exercise/frm_Game01.h"
#include "exercise/generators/Generovanie.h"
#include "expr/NumberText.h"
#include "platform/Services.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace Losovanie {

// Passes of one draw before a fixed draw known to pass is taken instead.
// A real random sequence never gets near it; a scripted one in a test may.
inline constexpr int Max_pokusu = 10000;

// The next number of the program's random sequence, in [0, 1).
inline float Rnd() { return platform::services().random().Rnd(); }
inline void Randomize() { platform::services().random().Randomize(); }

// ⌊n·r + od⌋: a whole number from od to od + n - 1. Formed in double, so that
// an r just below 1 cannot round up to one past the range.
inline int Los(int n, int od) { return int(std::floor(double(n) * double(Rnd()))) + od; }

inline float Zaokrouhli(double hodnota, int mist)
{
    const double m = std::pow(10.0, mist);
    return float(std::nearbyint(hodnota * m) / m); // the default mode rounds halves to even
}

inline bool Je_cele(double hodnota) { return hodnota == std::nearbyint(hodnota); }

inline QString Text(float hodnota) { return FormatNumber(double(hodnota), 7); }

using Generovanie::Velkost_pre_sirku;

// Runs drawing passes until one is accepted, counting them in Pokus and
// leaving the verdict in Prijato; false when Max_pokusu passes all failed.
inline bool Opakuj(frm_Game01 &f, const std::function<bool()> &priechod)
{
    for (int n = 1; n <= Max_pokusu; ++n) {
        f.Pokus = qint16(n);
        f.Prijato = priechod();
        if (f.Prijato)
            return true;
    }
    return false;
}

} // namespace Losovanie
