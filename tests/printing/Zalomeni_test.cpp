// The word wrap of statements and word problems: whole words, measured on
// the printer, at most five lines.
#include "Tlac_support.h"

#include "printing/Stranka.h"

using namespace Misc;
using platform::FakePrinter;

namespace {

using Radky = std::array<QString, 5>;

// On this sheet one millimetre across is 120 units, the fake's width of one
// character at 12 points: a line of n characters is n mm wide. The printer
// starts at another size and the lines hold text of an earlier call.
struct Milimeter_na_znak {
    Milimeter_na_znak()
    {
        tlaciaren.SetFontSize(20);
        r.fill(QStringLiteral("staré"));
    }
    void Rozdel(const QString &text, qint16 sirka) { Rozdel_text_do_radku(text, sirka, r[0], r[1], r[2], r[3], r[4]); }
    FakePrinter tlaciaren{210.0f * 120.0f, 2970.0f};
    platform::ScopedService<platform::Printer> g{tlaciaren};
    Radky r;
};

TEST(Rozdel_text_do_radku, WholeWordsWithinTheWidth)
{
    const struct {
        const char *name;
        QString text;
        qint16 sirka;
        Radky radky;
    } zalomenia[] = {
        {"blanks alone", "     ", 20, {}},
        {"blanks before, between and after words give one", "  ab   cd  ", 20, {"ab cd "}},
        {"a line exactly as wide as the limit stays", "ab cd", 6, {"ab cd "}},
        {"the trailing blank is measured too", "ab cd", 5, {"ab ", "cd "}},
        {"five full lines", "ab cd ef gh ij", 3, {"ab ", "cd ", "ef ", "gh ", "ij "}},
        {"tabs and line breaks belong to words", "a\tb c\nd", 20, {"a\tb c\nd "}},
        {"a letter with a diacritic is one character", "Vypočítaj hodnotu každého výrazu.", 20,
         {"Vypočítaj hodnotu ", "každého výrazu. "}},
        {"a word that does not fit moves whole", "Zjednoduš výraz: sčítaj a odčítaj členy", 17,
         {"Zjednoduš výraz: ", "sčítaj a odčítaj ", "členy "}},
        {"no words fit nowhere, and need not", "   ", 0, {}},
        {"599 blanks are still allowed", "a" + QString(599, QLatin1Char(' ')) + "b", 20, {"a b "}},
    };
    for (const auto &z : zalomenia) {
        Milimeter_na_znak m;
        m.Rozdel(z.text, z.sirka);
        EXPECT_EQ(m.r, z.radky) << z.name;
        EXPECT_EQ(m.tlaciaren.FontSize(), 12) << z.name << ": measured at the size of the statement";
        EXPECT_TRUE(m.tlaciaren.Ops().isEmpty()) << z.name << ": nothing is printed";
    }
}

TEST(Rozdel_text_do_radku, FailsWithTheLinesUntouched)
{
    const struct {
        const char *name;
        QString text;
        qint16 sirka;
        bool preteceni; // else out of range
    } chyby[] = {
        {"a sixth line", QStringLiteral("ab cd ef gh ij kl"), 3, false},
        {"a word wider than the limit on its own", QStringLiteral("abcdefgh"), 5, false},
        {"a width of 0 fits no word", QStringLiteral("a"), 0, false},
        {"600 blanks make 601 pieces", QString(600, QLatin1Char(' ')), 20, false},
        {"32,767 characters cannot be walked", QString(32767, QLatin1Char('a')), 20, true},
        {"32,766 characters can, but are one long word", QString(32766, QLatin1Char('a')), 20, false},
    };
    for (const auto &c : chyby) {
        Milimeter_na_znak m;
        if (c.preteceni)
            EXPECT_THROW(m.Rozdel(c.text, c.sirka), Chyba_preteceni) << c.name;
        else
            EXPECT_THROW(m.Rozdel(c.text, c.sirka), Chyba_rozsahu) << c.name;
        for (const QString &radek : m.r)
            EXPECT_EQ(radek, QStringLiteral("staré")) << c.name;
    }
}

// A statement of four lines as the texts file could have it, wrapped at
// 190 mm in the design face on the real device's measure.
TEST(Rozdel_text_do_radku, SlovakStatementAt190mmOnTheRealMeasure)
{
    const QString zadanie =
        QStringLiteral("Vyrieš slovné úlohy s percentami. Desatinné čísla píš s čiarkou. Každý výsledok "
                       "zaokrúhli na stotiny a nezabudni na jednotky: Sk, kg, ľudí, áut či kusov. Ťažšie "
                       "úlohy rieš postupne, čiastkové výsledky si zapíš do poznámok a skontroluj ich "
                       "skúškou správnosti. Ďalej pokračuj, až keď sú všetky kroky správne.");
    tlac_test::Meriaca_tlaciaren tlaciaren;
    platform::ScopedService<platform::Printer> g(tlaciaren);
    tlaciaren.SetFontName(QStringLiteral("MS Sans Serif"));
    const float mez = Prepocitej_mm_x(190);
    Radky r;
    Rozdel_text_do_radku(zadanie, 190, r[0], r[1], r[2], r[3], r[4]);
    EXPECT_EQ(QStringList(r.begin(), r.end()).join(QString()).trimmed(), zadanie) << "every word, in order";
    EXPECT_FALSE(r[2].isEmpty()) << "longer than two lines";
    for (int i = 0; i < 5 && !r[i].isEmpty(); ++i) {
        EXPECT_LE(tlaciaren.TextWidth(r[i]), mez) << "line " << i + 1;
        const QString dalsie = i < 4 ? r[i + 1].section(QLatin1Char(' '), 0, 0) : QString();
        EXPECT_TRUE(dalsie.isEmpty() || tlaciaren.TextWidth(r[i] + dalsie + QLatin1Char(' ')) > mez)
            << "line " << i + 1 << " could have taken \"" << dalsie.toStdString() << "\"";
    }
}

} // namespace
