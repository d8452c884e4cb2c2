// The calculator as the pupil drives it: keys on a display, "=" and the tape.
#include "exercise/Kalkulacka.h"
#include "expr/EEvaluator.h"
#include "expr/EProgram.h"

#include <gtest/gtest.h>

namespace {

// Keys by the character of their face: R root, S sign, C clear.
int Index(char k) { return int(std::string_view("0123456789,C/*-RS+=()").find(k)); }

struct Calc {
    cEEvaluator evaluator;
    Kalkulacka k{evaluator};
    Zobrazeni_kalkulacky Press(const QString &display, int caret, int selection, const char *keys)
    {
        k.Prevezmi_displej(display, caret, selection);
        Zobrazeni_kalkulacky z;
        for (const char *p = keys; *p; ++p)
            z = k.Stisk_klavesy(Index(*p));
        return z;
    }
};

// Keys edit the display at the caret; "=" shows the result with the caret
// at its end (caretAfter -1), and the calculator goes on after any of them.
TEST(Kalkulacka, KeysAndEquals)
{
    const QString bigOne = "1" + QString(300, '0');
    const struct { const char *name; QString display; int caret, selection; const char *keys; QString shown; int caretAfter; } rows[] = {
        {"digit replaces the selection", "1234", 1, 2, "9", "194", 2},
        {"operators in a row", "2", 1, 0, "*/-+,", "2*/-+,", 6},
        {"digit replaces a lone zero", "0", 1, 0, "7", "7", 1},
        {"plus writes behind a zero", "0", 1, 0, "+", "0+", 2},
        {"root after a result zero waits in its brackets", "0", 1, 0, "R", "\u00A9()", 2},
        {"sign removed", "-5", 2, 0, "S", "5", 1},
        {"sign added", "5", 1, 0, "S", "-5", 2},
        {"sign removed with the caret at the start", "-5", 0, 0, "S", "5", 0},
        {"caret beyond the text", "12", 99, 5, "3", "123", 3},
        {"open bracket completed", "(2+3", 0, 0, "=", "5", -1},
        {"closing bracket completed in front", "2+3)", 0, 0, "=", "5", -1},
        {"equals signs dropped", "2=+3", 0, 0, "=", "5", -1},
        {"root over inner groups", "\u00A9((1+2)*(3+4))", 0, 0, "=", "4,583", -1},
        {"pasted superscript two", "3\u00C2", 0, 0, "=", "9", -1},
        {"3,14 is pi", "3,14*2", 0, 0, "=", "6,283", -1},
        {"13,14 is no pi", "13,14", 0, 0, "=", "13,14", -1},
        {"3,145 is no pi", "3,145", 0, 0, "=", "3,145", -1},
        {"a half to the even neighbour", "1/16", 0, 0, "=", "0,062", -1},
        {"huge result", bigOne, 0, 0, "=", "\u00B4", -1},
        {"division by zero", "5/0", 0, 0, "=", "", -1},
        {"root of a negative number", "\u00A9(-4)", 0, 0, "=", "", -1},
        {"number with two commas", "1,2,3", 0, 0, "=", "Chyba", -1},
        {"root group left open", "\u00A9(9", 0, 0, "=", "Chyba", -1},
    };
    for (const auto &r : rows) {
        Calc c;
        Misc::Posledni_chyba = "Division by zero"; // left over from an earlier run
        const Zobrazeni_kalkulacky z = c.Press(r.display, r.caret, r.selection, r.keys);
        EXPECT_EQ(z.displej, r.shown) << r.name;
        EXPECT_EQ(z.kurzor, r.caretAfter < 0 ? r.shown.size() : r.caretAfter) << r.name;
        EXPECT_EQ(z.vyhodnoceno, r.caretAfter < 0) << r.name;
        EXPECT_EQ(c.Press(z.displej, z.kurzor, 0, "C2+2=").displej, "4") << r.name << ": still usable";
    }
}

// Each line as the display showed it before the run, brackets completed.
TEST(Kalkulacka, TapeGrowsByLinesAndOnlyFromResults)
{
    Calc c;
    EXPECT_FALSE(c.Press("", 0, 0, "=").vyhodnoceno) << "equals on an empty display";
    EXPECT_EQ(c.Press("2+3)", 3, 0, "=").paska, "(2+3)=5");
    EXPECT_EQ(c.Press("5,5", 3, 0, "/0=").paska, "(2+3)=5\r\n5.5/0: Nulou nemo\u017Eno delit.");
    const Zobrazeni_kalkulacky overflow = c.Press("1E300*1E300", 0, 0, "=");
    EXPECT_EQ(overflow.displej, "1E300*1E300") << "an overflow keeps the expression";
    EXPECT_EQ(overflow.paska.count('\n'), 1) << "and writes no line";
    EXPECT_EQ(c.Press("5", 1, 0, "C").paska.count('\n'), 1) << "clear leaves the tape";
    EXPECT_EQ(c.evaluator.EProgram()->Source().left(11), "1E300*1E300") << "the form's evaluator ran it";
}

} // namespace
