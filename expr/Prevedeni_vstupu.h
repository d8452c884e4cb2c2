#pragma once
// A pupil's line (displayed form, products by juxtaposition) to the
// evaluator's language, and its value at a point.
#include <QString>
#include <QStringView>
#include <optional>

class cEEvaluator;

// The line as a judgement reads it: blanks, tabs and line breaks carry no
// meaning in an answer, and the minus sign U+2212 that a pasted text or an
// input method gives is the minus "-".
QString Riadok_na_posudenie(QStringView riadok);

// Reads the line as Riadok_na_posudenie does; maps "·" to "*" and "," to "."; puts "*"
// before x, y, z unless it begins the line or follows an operator or "(",
// before "(" that follows a digit, x, y, z, a superscript or ")", and before
// a number that follows ")" or the superscripts of a bracket's power; turns
// a run of superscripts after a base into "^" and its plain characters.
// The function names of the language are passed on whole.
QString Preved_vstup_na_vyraz(QStringView vstup);

// The value of the rewritten line at (x, y, z), with the precision of its
// shown text (15 significant digits). Nothing when the line does not compile
// or its run fails, when a decimal separator in it has no digit beside it
// (the evaluator would read a lone "." as 0), or when an operator stands
// beside nothing or a bracket is empty (the evaluator would read "·x3" as
// 3x: its compiler does not look for operands).
std::optional<double> Prevedeni_vstupu_na_vysledek(cEEvaluator &vypocet, QStringView vstup,
                                                   double Promenna_X, double Promenna_Y, double Promenna_Z);
