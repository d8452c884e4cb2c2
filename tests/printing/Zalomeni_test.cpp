// The word wrap of statements and word problems: whole words, measured on
// the printer, at most five lines.
#include "platform/PrinterFake.h"
#include "platform/Services.h"
#include "printing/Stranka.h"

#include <gtest/gtest.h>

using namespace Misc;

namespace {

// On a sheet where one millimetre across is 120 units, the fake's width of
// one character at 12 points, a line of n characters is n mm wide. The
// printer starts at another size, and the lines hold text of an earlier
// call, which a failure leaves.
TEST(Rozdel_text_do_radku, WholeWordsWithinTheWidthOrTheLinesUntouched)
{
    const struct {
        const char *name;
        QString text;
        qint16 sirka;
        QString radky; // the five lines joined by '|', or the failure
    } zalomenia[] = {
        {"blanks before, between and after words give one", "  ab   cd  ", 20, "ab cd ||||"},
        {"a line exactly as wide as the limit stays", "ab cd", 6, "ab cd ||||"},
        {"the trailing blank is measured too", "ab cd", 5, "ab |cd |||"},
        {"five full lines", "ab cd ef gh ij", 3, "ab |cd |ef |gh |ij "},
        {"599 blanks are still allowed", "a" + QString(599, QLatin1Char(' ')) + "b", 20, "a b ||||"},
        {"a sixth line", "ab cd ef gh ij kl", 3, "range"},
        {"600 blanks make 601 pieces", QString(600, QLatin1Char(' ')), 20, "range"},
        {"32,767 characters cannot be walked", QString(32767, QLatin1Char('a')), 20, "overflow"},
        {"32,766 characters can, but make a word wider than the limit", QString(32766, QLatin1Char('a')), 20, "range"},
    };
    for (const auto &z : zalomenia) {
        platform::FakePrinter tlaciaren(210.0f * 120.0f, 2970.0f);
        platform::ScopedService<platform::Printer> g(tlaciaren);
        tlaciaren.SetFontSize(20);
        const QStringList stare(5, QStringLiteral("staré"));
        QStringList r = stare;
        QString chyba;
        try {
            Rozdel_text_do_radku(z.text, z.sirka, r[0], r[1], r[2], r[3], r[4]);
        } catch (const Chyba_rozsahu &) {
            chyba = QStringLiteral("range");
        } catch (const Chyba_preteceni &) {
            chyba = QStringLiteral("overflow");
        }
        EXPECT_EQ(chyba.isEmpty() || r != stare ? r.join('|') : chyba, z.radky) << z.name;
        EXPECT_EQ(tlaciaren.FontSize(), 12) << z.name << ": measured at the size of the statement";
        EXPECT_TRUE(tlaciaren.Ops().isEmpty()) << z.name << ": nothing is printed";
    }
}

} // namespace
