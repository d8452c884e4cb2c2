#pragma once
// Whether a pupil's answer is right.
#include <QStringView>

class cEEvaluator;

// The empty kind: vstup and vzor consist of the same signed terms with the
// same multiplicities, in any order (Rovnake_cleny). Kind "LP": both lines
// have a value at (X, Y, Z) and the values are equal; a line without a value
// is wrong. Any other kind (case matters) is wrong.
bool Vyhodnoceni_vysledku(cEEvaluator &vypocet, QStringView vstup, QStringView vzor, QStringView druh,
                          double Prom_X = 0, double Prom_Y = 0, double Prom_Z = 0);

// Terms: a "+" is put before a line that begins with neither "+" nor "-";
// every "+", "-" and "*" opens a term and stays at its head; blanks, tabs
// and line breaks do not count, nor do the order of juxtaposed bracketed
// factors and a "·" beside them. Terms compare case-sensitively.
bool Rovnake_cleny(QStringView vstup, QStringView vzor);
