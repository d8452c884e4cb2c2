#pragma once
// Whether a pupil's answer is right.
#include "expr/Tvar_clenov.h"

#include <QString>
#include <QStringView>
#include <optional>

class cEEvaluator;

// The empty kind: vstup and vzor consist of the same signed terms with the
// same multiplicities, in any order (Rovnake_cleny). Kind "LP": both lines
// have an operand and a value at (X, Y, Z) and the values are equal but for
// the last bits (a billionth of the larger, at least of 1); a line without
// a value is wrong, and so is a line with a letter other than the variables
// given: x, and y and z only when their values are. Any other kind (case
// matters) is wrong.
bool Vyhodnoceni_vysledku(cEEvaluator &vypocet, QStringView vstup, QStringView vzor, QStringView druh,
                          double Prom_X = 0, std::optional<double> Prom_Y = {}, std::optional<double> Prom_Z = {});

// The two lines have one normal form (Tvar_clenov), which compares
// case-sensitively; a line without an operand agrees with nothing, nor
// does an empty vzor, and the two must have one value at a point, or
// neither a value (a "·" beside nothing has none). The normal form of the
// last vstup is kept: compared again with other expected texts, the line
// is not read again.
bool Rovnake_cleny(QStringView vstup, QStringView vzor);
