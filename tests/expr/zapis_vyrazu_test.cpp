// The internal and the displayed form of expressions, and a pupil's line
// rewritten for the evaluator.
#include "expr/EEvaluator.h"
#include "expr/Prevedeni_vstupu.h"
#include "expr/Zapis_vyrazu.h"

#include "Glyfy.h"

#include <gtest/gtest.h>

namespace {

TEST(ZapisVyrazu, Glyphs)
{
    // Where the maths font keeps the superscripts 0 to 9 and minus.
    const QString glyfy = QString::fromUtf16(u"\u0154\u00C1\u00C2\u0102\u00C4\u0139\u0106\u00C7\u010C\u00C9\u00AC");
    for (int k = 0; k < glyfy.size(); ++k) {
        const QString znak = QStringLiteral("0123456789-").sliced(k, 1);
        EXPECT_EQ(Misc::Preved_na_exponent(znak), glyfy.sliced(k, 1)) << k;
        EXPECT_EQ(Misc::Preved_z_exponentu(glyfy[k]), znak[0]) << k;
    }
    for (const char16_t *znak : {u"a", u"12", u"", u"+"})
        EXPECT_EQ(Misc::Preved_na_exponent(znak), QString()) << QString::fromUtf16(znak).toStdString();
    EXPECT_TRUE(Misc::Preved_z_exponentu(u'\u00B2').isNull()); // Unicode's own superscript is not the font's
}

enum class Prevod { Zobrazeni, Exponenty, Znamenka, Zjednodus, Vstup };

// Superscripts written as Glyfy reads them.
struct Riadok { const char *nazov; Prevod prevod; const char *vstup, *vysledok; };

const Riadok Tabulka[] = {
    {"power, product and decimal point", Prevod::Zobrazeni, "0.5*x^(2)", "0,5·x²"},
    {"exponent 1 is not shown", Prevod::Zobrazeni, "x^(1)", "x"},
    {"negative exponent", Prevod::Zobrazeni, "x^(-12)", "x⁻¹²"},
    {"characters without glyph dropped", Prevod::Zobrazeni, "x^(2.5)+y^(a)", "x²⁵+y"},
    {"no closing bracket: rest is the exponent", Prevod::Zobrazeni, "x^(23", "x²³"},
    {"caret at the end", Prevod::Zobrazeni, "2*x^", "2·x"},

    {"comma outside exponents", Prevod::Exponenty, "2,5*x^(2*2)", "2.5*x^(4)"},
    {"value with decimal comma stays", Prevod::Exponenty, "x^(1/2)", "x^(0,5)"},
    {"decimal comma inside exponent is read", Prevod::Exponenty, "x^(0,5*4)", "x^(2)"},
    {"failed run gives 0", Prevod::Exponenty, "x^(1/0)", "x^(0)"},
    {"compiler message in place", Prevod::Exponenty, "x^(q)", "x^(Invalid char 'Q' @ posn=1)"},

    {"plus bracketed negative", Prevod::Znamenka, "2+(-3)", "2-3"},
    {"minus bracketed negative", Prevod::Znamenka, "2-(-3)x", "2+3x"},
    {"minus minus", Prevod::Znamenka, "5--2", "5+2"},
    {"bracket taken as one value", Prevod::Znamenka, "-(-3+x)", "+3+x"},
    {"sign bracket not closed", Prevod::Znamenka, "+(-3", "-3"},
    {"one scan only", Prevod::Znamenka, "5---2", "5+-2"},

    {"1 ending a number before variable", Prevod::Zjednodus, "21x", "21x"},
    {"leading bracketed negative", Prevod::Zjednodus, "(-3)·x", "-3·x"},
    {"leading 1 before bracket", Prevod::Zjednodus, "1(x+2)", "x+2"},
    {"minus one times", Prevod::Zjednodus, "-1·x", "-x"},
    {"two passes", Prevod::Zjednodus, "(-1x)", "-x"},
    {"bracket unwrapped up to its first )", Prevod::Zjednodus, "1(x+1)·y", "x+1·y"},
    {"1 after decimal comma", Prevod::Zjednodus, "0,1x", "0,1x"},
    {"1 ending a number before bracket", Prevod::Zjednodus, "21(x)", "21(x)"},
    {"factor 1 before bracket after minus", Prevod::Zjednodus, "3-1(x-2)", "3-(x-2)"},

    {"number times variable squared", Prevod::Vstup, "2x²", "2*x^2"},
    {"number before bracket", Prevod::Vstup, "3(x+1)", "3*(x+1)"},
    {"bracket before bracket", Prevod::Vstup, "(x+1)(x-1)", "(x+1)*(x-1)"},
    {"variable after superscript", Prevod::Vstup, "x²y", "x^2*y"},
    {"run of superscripts is one exponent", Prevod::Vstup, "x¹⁰", "x^10"},
    {"upper case gets no star", Prevod::Vstup, "2X", "2X"},
    {"variable times bracket", Prevod::Vstup, "x(x+1)", "x*(x+1)"},
    {"superscript times bracket", Prevod::Vstup, "x²(x+1)", "x^2*(x+1)"},
    {"function names stay whole", Prevod::Vstup, "fix(x)-EXP(y)", "fix(x)-EXP(y)"},
    {"superscript first passes unchanged", Prevod::Vstup, "²x", "²*x"},
    {"blanks mean nothing", Prevod::Vstup, "2 x\t+ 3\n", "2*x+3"},
    {"middle dot is a product", Prevod::Vstup, "2·x", "2*x"},
    {"decimal comma read as point", Prevod::Vstup, "3,5x", "3.5*x"},
    {"number after a bracket and its power", Prevod::Vstup, "(x-2)5x³+(x+8)²,5", "(x-2)*5*x^3+(x+8)^2*.5"},
    {"a superscript ends no bracket's number", Prevod::Vstup, "x²5", "x^25"},
};

QString Preved(Prevod prevod, const QString &s, cEEvaluator &vypocet)
{
    switch (prevod) {
    case Prevod::Zobrazeni: return Preved_na_zobrazeni(s);
    case Prevod::Exponenty: return Vypocitej_exponenty(s, vypocet);
    case Prevod::Znamenka: return Uprav_znamenka(s);
    case Prevod::Zjednodus: return Zjednodus_zapis(s, true);
    case Prevod::Vstup: return Preved_vstup_na_vyraz(s);
    }
    return {};
}

TEST(ZapisVyrazu, Conversions)
{
    cEEvaluator vypocet;
    for (const Riadok &r : Tabulka)
        EXPECT_EQ(Preved(r.prevod, Glyfy(r.vstup), vypocet), Glyfy(r.vysledok)) << r.nazov;
    for (int p = 0; p <= int(Prevod::Vstup); ++p)
        EXPECT_EQ(Preved(Prevod(p), QString(), vypocet), QString()) << "empty text, conversion " << p;
    EXPECT_EQ(Zjednodus_zapis(u"(-1x)", false), "(-1x)");
}

// What the evaluator would read from a garbled line by the order of its
// pieces is no value: every operator needs something on each side (a sign
// only after it), and a bracket something inside.
struct Hodnota { const char *nazov, *vstup; std::optional<double> hodnota; };

const Hodnota Hodnoty[] = {
    {"a dot before nothing", "·x3", {}},
    {"a dot after a bracket", "x(·x3)", {}},
    {"a slash before nothing", "/x7", {}},
    {"a superscript after a sign", "x+²x3", {}},
    {"a relation before nothing", "x<x3", {}},
    {"a bit operation before nothing", "x#x3", {}},
    {"a dot after nothing", "x3·", {}},
    {"a minus after nothing", "x3-", {}},
    {"a complement of nothing", "x~", {}},
    {"an empty bracket", "x3()", {}},
    {"a leading minus", "-x", -2},
    {"a leading plus", "+x", 2},
    {"a minus after a dot", "2·-x", -4},
    {"a minus in a bracket", "3(-x)", -6},
    {"a superscript minus", "x⁻²", 0.25},
    {"a caret minus", "x^-2", 0.25},
};

TEST(ZapisVyrazu, ValuesOfGarbledLines)
{
    cEEvaluator vypocet;
    for (const Hodnota &r : Hodnoty)
        EXPECT_EQ(Prevedeni_vstupu_na_vysledek(vypocet, Glyfy(r.vstup), 2, 0, 0), r.hodnota) << r.nazov;
}

} // namespace
