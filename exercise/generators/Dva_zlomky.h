#pragma once
// Tasks 13 and 14: two fractions joined by an operation, answered by one
// fraction. What their generators share: the sides and the results of a
// template split into numerators and denominators, and the two-line row of
// an example (first fraction, sign, second fraction, two answer fractions).
#include "exercise/Vzor_prikladu.h"
#include "exercise/generators/Generovanie.h"

namespace Dva_zlomky {

// The sides of example i from the template's pieces (pieces with x, y, z or
// "/" stay text): Zadani_prikladu(s, i) converted, Pom_tabulka_1(s, i) and
// Pom_tabulka_2(s, i) its numerator and denominator. False when a piece is
// out of range or a side has no bar.
bool Strany(frm_Game01 &f, int i, const Misc::Vzor_prikladu &vzor, const Generovanie::Pismena &pismena);

// A result of the pieces kus(1..50) (pieces with x, y, z, "~" or "/" stay
// text) in its displayed form, split into `citatel` and `menovatel`. A
// result without pieces leaves both empty and is true when `moze_chybat`.
bool Vysledok(frm_Game01 &f, const std::function<QString(int)> &kus, const Generovanie::Pismena &pismena,
              QString &citatel, QString &menovatel, bool moze_chybat = false);

// Example i on rows 2i-1 and 2i with `znamienko` between its fractions; the
// expected fraction in the Tags of the second answer column and, when
// `druhy_vysledok`, the second accepted one in those of the first column.
void Zobraz(frm_Game01 &f, int i, const QString &znamienko, bool druhy_vysledok);
// Both rows of example i hidden, their cells expecting nothing.
void Skry(frm_Game01 &f, int i);

} // namespace Dva_zlomky
