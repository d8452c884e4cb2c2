#include "services/Text_1250.h"

#include <gtest/gtest.h>

namespace {

TEST(Text1250, LinesEndAtCarriageReturn)
{
    const struct { const char *nazov; QString text; QStringList riadky; } tabulka[] = {
        {"empty text has no lines", QString(), {}},
        {"final CR LF starts no line", QStringLiteral("a\r\nb\r\n"), {"a", "b"}},
        {"last line without an end", QStringLiteral("a\r\nb"), {"a", "b"}},
        {"blank lines are kept", QStringLiteral("a\r\n\r\n\r\nb\r\n"), {"a", "", "", "b"}},
        {"lone CR ends a line, lone LF does not", QStringLiteral("a\rb\nc"), {"a", "b\nc"}},
    };
    for (const auto &r : tabulka)
        EXPECT_EQ(Misc::Riadky_textu(r.text), r.riadky) << r.nazov;
}

TEST(Text1250, CharactersOutsideTheCodePageAreReported)
{
    bool ok = true;
    EXPECT_EQ(Misc::Text_do_1250(QStringLiteral("šŔ·"), &ok), QByteArray("\x9A\xC0\xB7"));
    EXPECT_TRUE(ok);
    Misc::Text_do_1250(QStringLiteral("x€漢"), &ok);
    EXPECT_FALSE(ok);
}

} // namespace
