#pragma once
// Whether a pupil's answer is right.
#include <QString>
#include <QStringView>

class cEEvaluator;

// The empty kind: vstup and vzor consist of the same signed terms with the
// same multiplicities, in any order (Rovnake_cleny). Kind "LP": both lines
// have an operand and a value at (X, Y, Z) and the values are equal; a line
// without a value is wrong. Any other kind (case matters) is wrong.
bool Vyhodnoceni_vysledku(cEEvaluator &vypocet, QStringView vstup, QStringView vzor, QStringView druh,
                          double Prom_X = 0, double Prom_Y = 0, double Prom_Z = 0);

// Terms: a "+" is put before a line that begins with neither "+" nor "-";
// every "+", "-" and "*" opens a term and stays at its head. Blanks, tabs
// and line breaks do not count, nor do the order of the terms inside a
// bracket, the order of the factors of a product with a bracketed factor
// (up to its first divisor) and a "·" beside a bracket, zeros ending a
// decimal part, or "^" before a whole number instead of superscripts.
// Terms compare case-sensitively. A line of nothing but signs, "·" and
// brackets has no operand and agrees with nothing, nor does an empty vzor.
// The normal form of the last vstup is kept: compared again with other
// expected texts, the line is not read again.
bool Rovnake_cleny(QStringView vstup, QStringView vzor);

// The terms of a line in one order, as Rovnake_cleny compares them; the
// empty text for a line without an operand.
QString Tvar_clenov(QStringView riadok);
