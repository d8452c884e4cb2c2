// Number text in the Slovak form, both ways.
#include "expr/NumberText.h"

#include <QLocale>
#include <clocale>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

// significant: 7 for the single-precision form.
struct FormatCase { const char *name; double value; const char *text; int significant = 15; };

const FormatCase FormatCases[] = {
    {"decimal comma", 0.25, "0,25"},
    {"fifteen significant digits, rounded", 2.0 / 3, "0,666666666666667"},
    {"minus zero", -0.0, "0"},
    {"no trailing zeros", 1.5000000000000002, "1,5"},
    {"rounding up to sixteen digits", 999999999999999.9, "1E+15"},
    {"large with mantissa", -1.5e20, "-1,5E+20"},
    {"smallest plain", 0.0001, "0,0001"},
    {"below plain", 0.00001, "1E-05"},
    {"largest double rounds down, not past the range", std::numeric_limits<double>::max(), "1,79769313486231E+308"},
    {"single precision", double(0.1f), "0,1", 7},
    {"single precision, eight whole digits", 1e7, "1E+07", 7},
};

TEST(NumberText, WritesAndReadsBack)
{
    for (const FormatCase &c : FormatCases) {
        const QString text = FormatNumber(c.value, c.significant);
        EXPECT_EQ(text, c.text) << c.name;
        const auto back = ParseNumber(text);
        EXPECT_EQ(back ? FormatNumber(*back, c.significant) : QString(), text) << c.name;
    }
}

TEST(NumberText, IgnoresMachineLocale)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(FormatNumber(1234.5), "1234,5");
    EXPECT_EQ(ParseNumber(u"1234,5"), 1234.5);
    EXPECT_FALSE(ParseNumber(u"1234.5"));
    QLocale::setDefault(saved);
}

struct ParseCase { const char *name; const char16_t *text; std::optional<double> value; };

const ParseCase ParseCases[] = {
    {"comma without decimals", u"5,", 5},
    {"comma first", u",5", 0.5},
    {"decimal point is no Slovak number", u"2.5", std::nullopt},
    {"empty", u"", std::nullopt},
    {"exponent without digits", u"1E", std::nullopt},
    {"too large", u"1E400", std::nullopt},
    {"too small reads as zero", u"1E-400", 0},
};

TEST(NumberText, Reads)
{
    for (const ParseCase &c : ParseCases)
        EXPECT_EQ(ParseNumber(QStringView(c.text)), c.value) << c.name;
}

TEST(NumberText, RoundTripsAcrossMagnitudes)
{
    for (double v = 1.2345678901234567e-30; v < 1e30; v *= -7.3) {
        const auto back = ParseNumber(FormatNumber(v));
        ASSERT_TRUE(back) << v;
        EXPECT_NEAR(*back, v, std::fabs(v) * 1e-14);
    }
}

} // namespace
