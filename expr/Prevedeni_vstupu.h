#pragma once
// A pupil's line (displayed form, products by juxtaposition) to the
// evaluator's language, and its value at a point.
#include <QString>
#include <QStringView>
#include <optional>

class cEEvaluator;

// Blanks, tabs and line breaks carry no meaning in an answer: the line
// without them.
QString Bez_medzier(QStringView riadok);

// Drops blanks (Bez_medzier); maps "·" to "*" and "," to "."; puts "*"
// before x, y, z unless it begins the line or follows an operator or "(",
// and before "(" that follows a digit, x, y, z, a superscript or ")"; turns
// a run of superscripts after a base into "^" and its plain characters.
// The function names of the language are passed on whole.
QString Preved_vstup_na_vyraz(QStringView vstup);

// The value of the rewritten line at (x, y, z), with the precision of its
// shown text (15 significant digits). Nothing when the line does not compile
// or its run fails.
std::optional<double> Prevedeni_vstupu_na_vysledek(cEEvaluator &vypocet, QStringView vstup,
                                                   double Promenna_X, double Promenna_Y, double Promenna_Z);
