#include "services/Text_1250.h"

#include <gtest/gtest.h>

using namespace Misc;

namespace {

TEST(Text1250, EverySlovakLetterAndGlyphRoundTrips)
{
    struct Riadok {
        const char *nazov;
        QString znaky;
    };
    const Riadok tabulka[] = {
        {"small Slovak letters", QStringLiteral("áäčďéíĺľňóôŕšťúýž")},
        {"capital Slovak letters", QStringLiteral("ÁÄČĎÉÍĹĽŇÓÔŔŠŤÚÝŽ")},
        {"superscript glyphs", QString::fromUtf16(u"\u0154\u00C1\u00C2\u0102\u00C4\u0139\u0106\u00C7\u010C\u00C9\u00AC")},
        {"middle dot and other glyphs", QString::fromUtf16(u"\u00B7\u00A9\u00B4\u017C")},
    };
    for (const Riadok &r : tabulka) {
        bool ok = false;
        const QByteArray bajty = Text_do_1250(r.znaky, &ok);
        EXPECT_TRUE(ok) << r.nazov;
        EXPECT_EQ(bajty.size(), r.znaky.size()) << r.nazov << ": one byte per character";
        EXPECT_EQ(Text_z_1250(bajty), r.znaky) << r.nazov;
    }
}

TEST(Text1250, BytesOfTheCodePage)
{
    struct Riadok {
        const char *nazov;
        QString znak;
        char bajt;
    };
    const Riadok tabulka[] = {
        {"s caron", QStringLiteral("š"), '\x9A'},
        {"z caron", QStringLiteral("ž"), '\x9E'},
        {"superscript zero glyph R acute", QStringLiteral("Ŕ"), '\xC0'},
        {"middle dot", QStringLiteral("·"), '\xB7'},
        {"o circumflex", QStringLiteral("ô"), '\xF4'},
    };
    for (const Riadok &r : tabulka)
        EXPECT_EQ(Text_do_1250(r.znak), QByteArray(1, r.bajt)) << r.nazov;
}

TEST(Text1250, CharactersOutsideTheCodePageAreReported)
{
    bool ok = true;
    Text_do_1250(QStringLiteral("x€漢"), &ok);
    EXPECT_FALSE(ok);
}

TEST(Text1250, LinesEndAtCarriageReturn)
{
    struct Riadok {
        const char *nazov;
        QString text;
        QStringList riadky;
    };
    const Riadok tabulka[] = {
        {"empty text has no lines", QString(), {}},
        {"final CR LF starts no line", QStringLiteral("a\r\nb\r\n"), {"a", "b"}},
        {"last line without an end", QStringLiteral("a\r\nb"), {"a", "b"}},
        {"blank lines are kept", QStringLiteral("a\r\n\r\n\r\nb\r\n"), {"a", "", "", "b"}},
        {"lone CR ends a line", QStringLiteral("a\rb"), {"a", "b"}},
        {"lone LF stays in the line", QStringLiteral("a\nb\r\n"), {"a\nb"}},
        {"blanks are part of the line", QStringLiteral(" a \r\n"), {" a "}},
    };
    for (const Riadok &r : tabulka)
        EXPECT_EQ(Riadky_textu(r.text), r.riadky) << r.nazov;
}

} // namespace
