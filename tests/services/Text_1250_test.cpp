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

TEST(Text1250, EditedFilesReadWithAnyLineEndAndEncoding)
{
    const struct { const char *nazov; QByteArray bajty; QStringList riadky; } tabulka[] = {
        {"LF only", "a\nb\n", {"a", "b"}},
        {"CR LF, a blank line, a last line without end", "a\r\n\r\nb", {"a", "", "b"}},
        {"byte-order mark", "\xEF\xBB\xBF" "7|J\xC3\xA1n\r\n", {"7|J\u00E1n"}},
        {"UTF-8 without a mark", "J\xC3\xA1n\n", {"J\u00E1n"}},
        {"Windows-1250", "J\xE1n\r", {"J\u00E1n"}},
    };
    for (const auto &r : tabulka)
        EXPECT_EQ(Misc::Riadky_suboru(r.bajty), r.riadky) << r.nazov;
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
