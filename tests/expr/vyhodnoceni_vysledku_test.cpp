// Judging a pupil's answer by its terms and by its value.
#include "expr/EEvaluator.h"
#include "expr/Vyhodnoceni_vysledku.h"

#include "Glyfy.h"
#include "Rovnake_hodnoty.h"

#include <QStringList>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

struct Riadok { const char *nazov; const char16_t *druh; const char *vstup, *vzor; double x; bool spravne; };

const Riadok Tabulka[] = {
    {"order of terms", u"", "3x+2", "2+3x", 0, true},
    {"leading minus", u"", "-2+3x", "3x-2", 0, true},
    {"empty against zero", u"", "", "0", 0, false},
    {"blanks, a tab and a pasted line break", u"", " 3·(x +\t5)+ 2\r\n", "3·(x+5)+2", 0, true},
    {"factors in any order", u"", "2*x*y", "2*y*x", 0, true},
    {"first factor belongs to the sign", u"", "2*x", "x*2", 0, false},
    {"more of a term", u"", "x+x", "x", 0, false},
    {"a dot before a bracket", u"", "x(x-3)", "x·(x-3)", 0, true},
    {"a dot between brackets", u"", "2(x+1)·(x-1)+3", "3+2(x-1)(x+1)", 0, true},
    {"a power goes with its bracket", u"", "(x-1)(x+1)²", "(x+1)²(x-1)", 0, true},
    {"nested brackets", u"", "((x+2)(x+1))", "((x+1)·(x+2))", 0, true},
    {"a monomial after its bracket", u"", "(x-2)x²", "x²(x-2)", 0, true},
    {"numbers about a bracket stay apart", u"", "2(x+1)3", "23(x+1)", 0, false},
    {"terms of a bracket in any order", u"", "x(4x+1)", "x(1+4x)", 0, true},
    {"a minus moves with its term", u"", "5(-x+2)", "5(2-x)", 0, true},
    {"a minus stays with its term", u"", "5(x-2)", "5(2-x)", 0, false},
    {"zeros ending a decimal part", u"", "7,840+5,0x", "5x+7,84", 0, true},
    {"zeros inside a number count", u"", "7,804", "7,84", 0, false},
    {"a caret before a whole number", u"", "x^2-x^-1", "x²-x⁻¹", 0, true},
    {"a caret exponent keeps its bracket", u"", "(x+2)(x+1)^2", "(x+1)(x+2)²", 0, false},
    {"a lone sign is no answer", u"", " + ", "", 0, false},
    {"signs and dots are no answer", u"", "-·+", "-·+", 0, false},
    {"an empty form is matched by nothing", u"", "", "", 0, false},
    {"a divisor keeps its place", u"", "1/(x+1)(x-1)", "1/(x-1)(x+1)", 0, false},
    {"letters keep their order", u"", "yx", "xy", 0, false},
    {"superscripts are text", u"", "x²+1", "1+x²", 0, true},
    {"a term moved into the bracket before", u"", "(4x+y+4x)(-y)", "(4x+y)(4x-y)", 0, false},
    {"a term moved out of its bracket", u"", "(x+9+x)(-2)", "(x+9)(x-2)", 0, false},
    {"a term across a bracket's edge", u"", "(x+2+x)(-3)", "(x+2)(x-3)", 0, false},
    {"a caret bracket is its base's exponent", u"", "(x-1)(x+1)^(2)", "(x+1)(x-1)^(2)", 0, false},
    {"a caret bracket moves with its base", u"", "(x-1)(x+1)^(2)", "(x+1)^(2)(x-1)", 0, true},
    {"a function's bracket is its own", u"", "SIN(x)(x+1)", "SIN(x+1)(x)", 0, false},
    {"a function moves with its bracket", u"", "SIN(x)(x+1)", "(1+x)·SIN(x)", 0, true},
    {"factors stay in their term", u"", "2*x+3*y", "2*y+3*x", 0, false},
    {"a sign inside a number", u"", "2E+3", "3+2E", 0, false},
    {"the sides of a relation keep their terms", u"", "x+1=2", "1=2+x", 0, false},
    {"terms of one side in any order", u"", "x+1=2", "1+x=2", 0, true},
    {"a pasted minus sign", u"", "\u22122+3x", "3x-2", 0, true},
    {"a pasted minus in a bracket", u"", "x(x\u22123)", "x(x-3)", 0, true},
    {"a dot left at the end", u"", "(x+1)(x-1)·", "(x+1)(x-1)", 0, false},
    {"a dot left at the start", u"", "·(x+1)(x-1)", "(x+1)(x-1)", 0, false},
    {"a doubled dot", u"", "(x+1)··(x-1)", "(x+1)(x-1)", 0, false},
    {"a sign left at the end", u"", "3x+2-", "3x+2", 0, false},
    {"an empty bracket", u"", "(x+1)()(x-1)", "(x+1)(x-1)", 0, false},
    {"a bracket left open", u"", "(x+1)(x-1", "(x+1)(x-1)", 0, false},
    {"a monomial after its bracket, a number first", u"", "(x-2)5x³", "5x³(x-2)", 0, true},
    {"a number after its bracket", u"", "(x-7)8", "8(x-7)", 0, true},
    {"a number after its bracket's power", u"", "(x+8)²7", "7(x+8)²", 0, true},
    {"a dot left before a number after its bracket", u"", "·(x-2)5x³", "5x³(x-2)", 0, false},
    {"a dot left before a bracket and its number", u"", "·(x+8)7", "7(x+8)", 0, false},
    // A superscript after "(" or "-" is an operator beside nothing: neither line has a value.
    {"terms whose order alone gave a value", u"", "-x+y^(\u01541)*y-(3)PIy(-1x)", "-(3)PIy(-1x)-x+y^(\u01541)*y", 0,
     true},
    {"terms whose order alone changed the value", u"", "1+xy1+x\u00ACx\u01542*++8", "xy1+1+x\u00ACx\u01542*++8", 0,
     true},

    {"same value", u"LP", "2x", "x+x", 5, true},
    {"only the one point", u"LP", "x", "2x", 0, true},
    {"different value", u"LP", "x", "2x", 1, false},
    {"shown precision", u"LP", "0,1x+0,2x", "0,3x", 1, true},
    {"failed run is not zero", u"LP", "1/(x-2)", "0", 2, false},
    {"empty line is not zero", u"LP", "", "0", 0, false},
    {"error text is no number", u"LP", "(1", "0", 0, false},
    {"brackets alone are no answer", u"LP", "()", "()", 0, false},
    {"a lone comma is no number", u"LP", ",", "0", 0, false},
    {"a lone point is no number", u"LP", ".", "0", 0, false},
    {"a comma times x is no number", u"LP", ",·x", "0", 1, false},
    {"a comma before digits is a number", u"LP", ",5", "0,5", 0, true},
    {"a pasted minus has its value", u"LP", "\u2212x", "-x", 2, true},
    {"a number after a bracket is a factor", u"LP", "(x+8)7", "7x+56", 1, true},
    {"a dot left before a bracket and its number", u"LP", "·(x+8)7", "7x+56", 1, false},
    {"a root in thirds, one side 0 but for rounding", u"LP", "7(x+3)+2x", "0", -7.0 / 3, true},
    {"a root in fifths", u"LP", "6(x+3)+4x", "0", -9.0 / 5, true},
    {"a root in sevenths", u"LP", "10(x+2)+4x", "0", -10.0 / 7, true},
    {"squares at a root in twelfths", u"LP", "x²+10x+25", "x²-2x", -25.0 / 12, true},
    {"a millionth off a root's 0", u"LP", "7(x+3)+2x", "0,000001", -7.0 / 3, false},
    {"a dot before nothing, then a letter and a number", u"LP", "·x3", "3x", 2, false},
    {"a slash before nothing", u"LP", "/x7", "x/7", 2, false},
    {"a dot after a bracket", u"LP", "(·x3)", "3x", 2, false},
    {"a dot after a sign", u"LP", "2x+·x2-8", "4x-8", 2, false},
    {"a superscript after a sign", u"LP", "2x+²x3", "4x²+3x", 2, false},
    {"a product after an equals sign", u"LP", "x+1=x3", "x+1=3x", 1, false},
    {"a dot with nothing after it", u"LP", "x3·", "3x", 2, false},
    {"a sign with nothing after it", u"LP", "x3+", "x+3", 2, false},
    {"an empty bracket after two operands", u"LP", "x3()", "3x", 2, false},
    {"signs before operands", u"LP", "-x·(+2)", "2·-x", 3, true},
    {"y in a line of x alone", u"LP", "2(5y-5)", "5(x-2)", 0, false},
    {"t in a line of x alone", u"LP", "x+t", "x", 1, false},
    {"e after a number", u"LP", "5e", "5x", 1, false},
    {"x in upper case", u"LP", "X+1", "x+1", 2, true},

    {"kind in lower case", u"lp", "x", "x", 1, false},
};

TEST(VyhodnoceniVysledku, Table)
{
    cEEvaluator vypocet;
    for (const Riadok &r : Tabulka)
        EXPECT_EQ(Vyhodnoceni_vysledku(vypocet, Glyfy(r.vstup), Glyfy(r.vzor), r.druh, r.x), r.spravne) << r.nazov;
}

// Lines equal by their terms are equal in value, whichever is the pupil's.
TEST(VyhodnoceniVysledku, LinesEqualByTermsHaveOneValue)
{
    cEEvaluator vypocet;
    for (const Riadok &r : Tabulka) {
        if (!QStringView(r.druh).isEmpty())
            continue;
        const bool rovnake = Rovnake_cleny(Glyfy(r.vstup), Glyfy(r.vzor));
        EXPECT_EQ(Rovnake_cleny(Glyfy(r.vzor), Glyfy(r.vstup)), rovnake) << r.nazov;
        if (rovnake) {
            EXPECT_TRUE(hodnoty::Hodnoty_sedia(vypocet, Glyfy(r.vstup), Glyfy(r.vzor))) << r.nazov;
        }
    }
}

TEST(VyhodnoceniVysledku, LongLinesHaveNoTermLimit)
{
    QStringList cleny;
    for (int i = 0; i < 600; ++i)
        cleny << QStringLiteral("%1x").arg(i);
    const QString riadok = cleny.join(u'+');
    std::reverse(cleny.begin(), cleny.end());
    EXPECT_TRUE(Rovnake_cleny(riadok, cleny.join(u'+')));
    EXPECT_FALSE(Rovnake_cleny(riadok, riadok + QStringLiteral("+0x")));
    EXPECT_FALSE(Rovnake_cleny(QString(400, u'-'), QString(400, u'-')));
}

} // namespace
