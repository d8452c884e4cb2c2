#pragma once
// The normal form of a pupil's line for the comparison by terms.
// In: a line in the displayed form, as typed or pasted. Out: one text for
// all the ways of writing the line that differ only in an order that does
// not change its value, or the empty text for a line without an operand.
#include <QString>
#include <QStringView>

// Signs and products hold no value of their own: a line of nothing but
// "+", "-", "*", "/", ":", "·" and brackets is no answer.
bool Ma_operand(QStringView riadok);

// Blanks, tabs and line breaks do not count, nor does the order of the
// terms of a sum (the whole line, a bracket, one side of a comparison), of
// the factors after the first "*" of a term, and of the factors of a
// product with a bracketed factor up to its first divisor (with a "·"
// beside them); zeros ending a decimal part and "^" before a whole number
// instead of superscripts do not count either. Nothing moves across a
// bracket's edge: an exponent goes with its base, a function with its
// bracket. A product without a bracket keeps its order ("x·2", "yx").
QString Tvar_clenov(QStringView riadok);
