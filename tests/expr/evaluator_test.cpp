// Evaluating expression texts, greatest common divisor, the random sequence.
#include "expr/EEvaluator.h"
#include "expr/Nsd.h"
#include "expr/Random.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

// The status tells a failure from a value 0.
struct TextCase { const char *name; const char *text; double x; const char *result; EValue::Status status; };

const TextCase TextCases[] = {
    {"value", "1-1", 0, "0", EValue::Status::Ok},
    {"empty text runs to 0", "", 0, "0", EValue::Status::RunFailed},
    {"compiler message", "(1+2", 0, "Unmatched '(' @ posn=4", EValue::Status::CompileFailed},
    {"root template", "SQR(x^(2)+1)/(x-1)", 3, "1,58113883008419", EValue::Status::Ok},
};

TEST(Evaluator, Vypocitej_vyraz)
{
    cEEvaluator e;
    for (const TextCase &c : TextCases) {
        EXPECT_EQ(e.Vypocitej_vyraz(QString::fromUtf8(c.text), c.x, 0, 0), c.result) << c.name;
        EXPECT_EQ(e.Evaluate(QString::fromUtf8(c.text), c.x).status, c.status) << c.name;
    }
}

struct NsdCase { const char *name; double a, b, expected; };

const NsdCase NsdCases[] = {
    {"common divisor", 12, 18, 6},
    {"both negative", -12, -18, -6},
    {"not whole drops below 1", 1.5, 1, 1},
    {"not whole meets", 7, 3.5, 3.5},
    {"huge ratio ends", std::ldexp(1.0, 100), 3, 1},
    {"huge common divisor", std::ldexp(1.0, 100), std::ldexp(1.0, 60), std::ldexp(1.0, 60)},
    {"infinite", std::numeric_limits<double>::infinity(), 2, 1},
    {"not a number", std::nan(""), 2, 1},
};

TEST(Evaluator, Najdi_NSD)
{
    for (const NsdCase &c : NsdCases)
        EXPECT_EQ(Misc::Najdi_NSD(c.a, c.b), c.expected) << c.name;
}

TEST(Random, SeededOnceArgumentSelectsNextLastOrFixed)
{
    cEEvaluator e;
    Randomize_seed(7);
    const float first = Rnd(1), second = Rnd();
    EXPECT_NE(first, second);
    Randomize_seed(7);
    EXPECT_EQ(e.Evaluate(u"RND(1)", 0).value, double(first)) << "the evaluator shares the sequence";
    EXPECT_EQ(Rnd(0), first);
    EXPECT_EQ(Rnd(-3), Rnd(-3));
    EXPECT_NE(Rnd(-3), Rnd(-4));
    Randomize(); // must not start the sequence again; a negative argument does not move it
    EXPECT_EQ(Rnd(), second);
}

TEST(Random, StaysInUnitInterval)
{
    Randomize_seed(3);
    for (int i = 0; i < 100000; ++i) {
        const float r = Rnd();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
    }
}

} // namespace
