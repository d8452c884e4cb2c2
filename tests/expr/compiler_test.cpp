// Compiling and running expressions: values, precedence, messages of the
// compiler and of failed runs, limits.
#include "expr/ECompiler.h"
#include "expr/EEvaluator.h"

#include <gtest/gtest.h>

namespace {

struct ValueCase { const char *name; const char *text; double x, y, z; double expected; };

const ValueCase ValueCases[] = {
    {"power is left-associative", "2^3^2", 0, 0, 0, 64},
    {"unary minus binds weaker than power", "-2^2", 0, 0, 0, -4},
    {"minus after operator", "2*-3", 0, 0, 0, -6},
    {"negative exponent", "2^-1", 0, 0, 0, 0.5},
    {"product before sum", "2+3*4", 0, 0, 0, 14},
    {"difference is left-associative", "10-4-3", 0, 0, 0, 3},
    {"variables, T is 0", "X+Y*Z+T", 1, 2, 3, 7},
    {"blanks are skipped", "  1 +  2 ", 0, 0, 0, 3},
    {"exponent with sign then minus", "1E+5-2", 0, 0, 0, 99998},
    {"rest after exponent ignored", "1E5.5", 0, 0, 0, 100000},
    {"point alone is 0", ".", 0, 0, 0, 0},
    {"hexadecimal", "&H1F", 0, 0, 0, 31},
    {"square root", "SQR(16)", 0, 0, 0, 4},
    {"E alone is e", "E", 0, 0, 0, 2.71828182845905},
    {"radians to degrees of pi", "RD(PI)", 0, 0, 0, 180.00000000000006},
    {"degrees to radians", "DR(180)", 0, 0, 0, 3.1415926535897887},
    {"FIX truncates, INT floors", "FIX(-2.5)*10+INT(-2.5)", 0, 0, 0, -23},
    {"SGN", "SGN(-7)+SGN(0)*5", 0, 0, 0, -1},
    {"whole quotient", "5\\2", 0, 0, 0, 2},
    {"whole quotient rounds half to even", "(2.5\\1)*10+(3.5\\1)", 0, 0, 0, 24},
    {"remainder takes the dividend's sign", "-7%3", 0, 0, 0, -1},
    {"shift left floors its count, shift right divides", "(1<<2.7)+(1>>1)", 0, 0, 0, 4.5},
    {"comparisons", "(2<=2)*10+(1=2)", 0, 0, 0, 10},
    {"bitwise and, xor, or", "(6&3)*100+(6#3)*10+(6|3)", 0, 0, 0, 257},
    {"complement", "~0", 0, 0, 0, -1},
};

TEST(Compiler, Values)
{
    cEEvaluator e;
    for (const ValueCase &c : ValueCases) {
        const EValue v = e.Evaluate(QString::fromUtf8(c.text), c.x, c.y, c.z);
        EXPECT_EQ(v.value, c.expected) << c.name << ": " << v.message.toStdString();
    }
}

struct MessageCase { const char *name; QString text; const char *message; };

const MessageCase MessageCases[] = {
    {"unclosed bracket", "(1+2", "Unmatched '(' @ posn=4"},
    {"too many closing", "1+2)", "Too many ')'s @ posn=4"},
    {"invalid letter", "2+Q", "Invalid char 'Q' @ posn=3"},
    {"name without bracket", "SINX", "Invalid char 'S' @ posn=1"},
    {"failure inside function", "SIN(Q)", "Function arglist error @ posn=5"},
    {"failure inside bracket keeps first position", "(1+Q+2)", "Unmatched '(' @ posn=4"},
    {"outermost bracket wins", "SIN((Q))", "Function arglist error @ posn=6"},
    {"second point", "1.2.3", "Invalid number (overflow?) @ posn=3"},
    {"second E", "1E5E", "Invalid number (overflow?) @ posn=3"},
    {"too large", "1E999+1", "Invalid number (overflow?) @ posn=5"},
    {"hexadecimal too large", "&H100000000", "Invalid number (overflow?) @ posn=11"},
    {"decimal comma", "2,5", "Invalid char ',' @ posn=2"},
    {"embedded NUL", QString::fromUtf16(u"1+\0" "2", 4), "Invalid char 'U+0000' @ posn=3"},
    {"non-ASCII letter", QString::fromUtf8("2+\xc3\xa1"), "Invalid char '\xc3\x81' @ posn=3"},
    {"a letter without one upper case", QString::fromUtf8("2+\xc3\x9f"), "Invalid char '\xc3\x9f' @ posn=3"},
    {"lone surrogate", QString::fromUtf16(u"1+\xd800", 3), "Invalid char 'U+D800' @ posn=3"},
    {"emoji", QString::fromUtf8("1+\xf0\x9f\x98\x80"), "Invalid char 'U+1F600' @ posn=3"},
    {"deep bracket nesting", QString(1024, u'('), "Unmatched '(' @ posn=1024"},
    {"deep unary nesting", QString(1023, u'-') + "1", "Program is too long"},
};

TEST(Compiler, FailsWithMessageAndPosition)
{
    cECompiler compiler;
    for (const MessageCase &c : MessageCases) {
        EXPECT_FALSE(compiler.Compile(c.text)) << c.name;
        EXPECT_EQ(compiler.ErrMsg(), QString::fromUtf8(c.message)) << c.name;
    }
}

TEST(CompilerLimits, ConstantPool)
{
    QString text = "0";
    for (int i = 1; i < 124; ++i)
        text += "+" + QString::number(i);
    cECompiler compiler;
    auto full = compiler.Compile(text);
    ASSERT_TRUE(full) << compiler.ErrMsg().toStdString();
    EXPECT_EQ(full->Execute(0), 123 * 124 / 2);
    EXPECT_FALSE(compiler.Compile(text + "+124"));
    EXPECT_EQ(compiler.ErrMsg(), "Invalid number (overflow?) @ posn=" + QString::number(text.size() + 4));
    // A value written again takes no new entry.
    EXPECT_TRUE(compiler.Compile(text + "+123+0"));
}

TEST(CompilerLimits, SourceAndProgramLength)
{
    cECompiler compiler;
    EXPECT_TRUE(compiler.Compile(QString(1024, u' ')));
    EXPECT_FALSE(compiler.Compile(QString(1025, u' ')));
    EXPECT_EQ(compiler.ErrMsg(), "EProgram source is too long");
    // "-1" is two codes, each "+1" two more.
    const QString codes254 = "-1" + QString("+1").repeated(126);
    auto program = compiler.Compile(codes254);
    ASSERT_TRUE(program);
    EXPECT_EQ(program->Execute(0), 125);
    EXPECT_FALSE(compiler.Compile("-" + codes254));
    EXPECT_EQ(compiler.ErrMsg(), "Program is too long");
}

// 1+(1+(...)): `ones` values on the stack at once.
QString Nested(int ones)
{
    QString text = "1";
    for (int i = 1; i < ones; ++i)
        text = (i == 1 ? "1+" : "1+(") + text + (i == 1 ? "" : ")");
    return text;
}

// posledni_chyba: expected afterwards; it starts as "-".
struct RunCase { const char *name; QString text; const char *message; const char *posledni_chyba; };

const RunCase RunCases[] = {
    {"empty text", "", "Stack not Empty, -1 items still on stack", "-"},
    {"operator without an operand", "2*", "Stack Underflow: oc=&H3 @ PC=1", "-"},
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
    // A run that succeeds leaves the last failure as it was.
    compiler.Compile(u"1+1")->Execute(0);
    EXPECT_EQ(Misc::Posledni_chyba, "Overflow");
}

TEST(Program, ThirtyTwoValuesFitAndARunClearsItsMessage)
{
    cECompiler compiler;
    EXPECT_EQ(compiler.Compile(Nested(32))->Execute(0), 32);
    auto divide = compiler.Compile(u"1/X");
    EXPECT_EQ(divide->Execute(0), 0);
    EXPECT_EQ(divide->Execute(4), 0.25);
    EXPECT_EQ(divide->ErrMsg(), "OK");
}

} // namespace
