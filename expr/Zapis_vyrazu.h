#pragma once
// The two text forms of an expression.
//
// Internal form (templates, generators, evaluator): powers "^(" e ")", "*",
// decimal point ".", variables x, y, z.
// Displayed form (answer cells, labels; private maths font): exponents as
// superscript glyphs right after their base, "·", decimal comma ",".
//
// None of these keeps state; every input has a defined output.
#include <QChar>
#include <QString>
#include <QStringView>

class cEEvaluator;

namespace Misc {

// The superscript glyph of "0".."9" or "-"; any other text (also a longer
// one) gives the empty text.
QString Preved_na_exponent(QStringView c);

// The plain "0".."9" or "-" that a superscript glyph stands for; a null
// QChar for any other character.
QChar Preved_z_exponentu(QChar glyph);

} // namespace Misc

// Internal to displayed form. The exponent of "^" is the text from just after
// its "(" to the next ")" (to the end of the text when none follows); an
// exponent "1" is not shown, characters without a glyph are dropped.
QString Preved_na_zobrazeni(QStringView s);

// Replaces every exponent "^(" e ")" by the value of e as the evaluator
// writes it (Slovak text, or its message) and turns "," into ".". A decimal
// comma inside e is read as a point.
QString Vypocitej_exponenty(QStringView s, cEEvaluator &vypocet);

// "+(-a)" -> "-a", "-(-a)" -> "+a", "+-" -> "-", "--" -> "+", in one scan.
// The bracket is taken to hold a single value.
QString Uprav_znamenka(QStringView s);

// Removes the factors 1 and the leading bracket that substituting parameters
// leaves in a displayed text (three passes); a "1" that ends a number stays.
// With provest false, s comes back unchanged.
QString Zjednodus_zapis(QStringView s, bool provest);
