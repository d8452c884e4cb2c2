// Runs that fail: stack failures, arithmetic failures and what they leave behind.
#include "expr/ECompiler.h"

#include <gtest/gtest.h>

namespace {

struct RunCase {
    const char *name;
    QString text;
    const char *message;
    const char *posledni_chyba; // expected afterwards; it starts as "-"
};

QString Nested(int ones)
{
    QString text = "1";
    for (int i = 1; i < ones; ++i)
        text = (i == 1 ? "1+" : "1+(") + text + (i == 1 ? "" : ")");
    return text;
}

const RunCase RunCases[] = {
    {"empty text", "", "Stack not Empty, -1 items still on stack", "-"},
    {"two values", "2 3", "Stack not Empty, 1 items still on stack", "-"},
    {"operator without left operand", "*3", "Stack Underflow: oc=&H3 @ PC=1", "-"},
    {"operator without right operand", "2*", "Stack Underflow: oc=&H3 @ PC=1", "-"},
    {"function with empty brackets", "SIN()", "Stack Underflow: oc=&H1C @ PC=0", "-"},
    {"underflow wins over arithmetic", "LOG()", "Stack Underflow: oc=&H19 @ PC=0", "-"},
    {"33 values at once", Nested(33), "Stack Overflow: oc=&H4FC @ PC=32", "-"},
    {"division by zero", "1/0", "VBErr=Division by zero oc=&H4 @ PC=2", "Division by zero"},
    {"zero to a negative power", "0^-1", "VBErr=Division by zero oc=&H1 @ PC=3", "Division by zero"},
    {"whole quotient by zero", "1\\0.4", "VBErr=Division by zero oc=&H5 @ PC=2", "Division by zero"},
    {"root of negative", "SQR(-1)", "VBErr=Invalid procedure call or argument oc=&H1D @ PC=2",
     "Invalid procedure call or argument"},
    {"negative base, broken exponent", "(-8)^0.5", "VBErr=Invalid procedure call or argument oc=&H1 @ PC=3",
     "Invalid procedure call or argument"},
    {"product too large", "1E300*1E300", "VBErr=Overflow oc=&H3 @ PC=2", "Overflow"},
    {"power too large", "10^400", "VBErr=Overflow oc=&H1 @ PC=2", "Overflow"},
    {"whole number out of range", "3E9\\1", "VBErr=Overflow oc=&H5 @ PC=2", "Overflow"},
    {"whole quotient out of range", "(-2147483648)\\(-1)", "VBErr=Overflow oc=&H5 @ PC=4", "Overflow"},
    {"bitwise out of range", "1&1E10", "VBErr=Overflow oc=&H11 @ PC=2", "Overflow"},
    {"shift too far", "1<<2000", "VBErr=Overflow oc=&H9 @ PC=2", "Overflow"},
};

TEST(Program, FailedRunReturnsZeroWithMessage)
{
    cECompiler compiler;
    for (const RunCase &c : RunCases) {
        auto program = compiler.Compile(c.text);
        ASSERT_TRUE(program) << c.name << ": " << compiler.ErrMsg().toStdString();
        Misc::Posledni_chyba = "-";
        EXPECT_EQ(program->Execute(1, 2, 3), 0) << c.name;
        EXPECT_EQ(program->ErrMsg(), c.message) << c.name;
        EXPECT_EQ(Misc::Posledni_chyba, c.posledni_chyba) << c.name;
    }
}

TEST(Program, ThirtyTwoValuesFitAndARunClearsItsMessage)
{
    cECompiler compiler;
    auto program = compiler.Compile(Nested(32));
    ASSERT_TRUE(program);
    EXPECT_EQ(program->Execute(0), 32);
    auto divide = compiler.Compile(u"1/X");
    EXPECT_EQ(divide->Execute(0), 0);
    EXPECT_EQ(divide->Execute(4), 0.25);
    EXPECT_EQ(divide->ErrMsg(), "OK");
}

TEST(Program, LastFailureIsKeptBySuccessAndStackFailures)
{
    cECompiler compiler;
    auto divide = compiler.Compile(u"1/0");
    Misc::Posledni_chyba.clear();
    divide->Execute(0);
    compiler.Compile(u"1+1")->Execute(0);
    compiler.Compile(u"2*")->Execute(0);
    EXPECT_EQ(Misc::Posledni_chyba, "Division by zero");
}

} // namespace
