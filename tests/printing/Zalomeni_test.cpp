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
    FakePrinter tlaciaren{210.0f * 120.0f, 2970.0f};
    platform::ScopedService<platform::Printer> g{tlaciaren};
    Radky r;
};

void Rozdel(const QString &text, qint16 sirka, Radky &r)
{
    Rozdel_text_do_radku(text, sirka, r[0], r[1], r[2], r[3], r[4]);
}

struct Zalomenie {
    const char *name;
    const char *text;
    qint16 sirka;
    Radky radky;
};

const Zalomenie zalomenia[] = {
    {"empty text", "", 20, {}},
    {"blanks alone", "     ", 20, {}},
    {"three blanks between two words give one", "ab   cd", 20, {"ab cd "}},
    {"blanks before and after leave no trace", "  ab cd  ", 20, {"ab cd "}},
    {"a line exactly as wide as the limit stays", "ab cd", 6, {"ab cd "}},
    {"the trailing blank is measured too", "ab cd", 5, {"ab ", "cd "}},
    {"five full lines", "ab cd ef gh ij", 3, {"ab ", "cd ", "ef ", "gh ", "ij "}},
    {"tabs and line breaks belong to words", "a\tb c\nd", 20, {"a\tb c\nd "}},
    {"a letter with a diacritic is one character", "Vypočítaj hodnotu každého výrazu.", 20,
     {"Vypočítaj hodnotu ", "každého výrazu. "}},
    {"a word that does not fit moves whole", "Zjednoduš výraz: sčítaj a odčítaj členy", 17,
     {"Zjednoduš výraz: ", "sčítaj a odčítaj ", "členy "}},
    {"no words fit nowhere, and need not", "   ", 0, {}},
    {"a negative width with no words", "", -5, {}},
};

TEST(Rozdel_text_do_radku, WholeWordsWithinTheWidth)
{
    for (const Zalomenie &z : zalomenia) {
        Milimeter_na_znak m;
        Rozdel(QString::fromUtf8(z.text), z.sirka, m.r);
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(m.r[i], z.radky[i]) << z.name << ", line " << i + 1;
        EXPECT_EQ(m.tlaciaren.FontSize(), 12) << z.name;
        EXPECT_TRUE(m.tlaciaren.Ops().isEmpty()) << z.name << ": nothing is printed";
    }
}

struct Chyba {
    const char *name;
    QString text;
    qint16 sirka;
    bool preteceni; // else out of range
};

TEST(Rozdel_text_do_radku, FailsWithTheLinesUntouched)
{
    const Chyba chyby[] = {
        {"a sixth line", QStringLiteral("ab cd ef gh ij kl"), 3, false},
        {"a word wider than the limit on its own", QStringLiteral("abcdefgh"), 5, false},
        {"a width of 0 fits no word", QStringLiteral("a"), 0, false},
        {"600 blanks make 601 pieces", QString(600, QLatin1Char(' ')), 20, false},
        {"32,767 characters cannot be walked", QString(32767, QLatin1Char('a')), 20, true},
        {"32,766 characters can, but are one long word", QString(32766, QLatin1Char('a')), 20, false},
    };
    for (const Chyba &c : chyby) {
        Milimeter_na_znak m;
        if (c.preteceni)
            EXPECT_THROW(Rozdel(c.text, c.sirka, m.r), Chyba_preteceni) << c.name;
        else
            EXPECT_THROW(Rozdel(c.text, c.sirka, m.r), Chyba_rozsahu) << c.name;
        for (const QString &radek : m.r)
            EXPECT_EQ(radek, QStringLiteral("staré")) << c.name;
        EXPECT_EQ(m.tlaciaren.FontSize(), 12) << c.name << ": the size is set before anything fails";
    }
}

TEST(Rozdel_text_do_radku, FiveHundredNinetyNineBlanksAreStillAllowed)
{
    Milimeter_na_znak m;
    Rozdel(QStringLiteral("a") + QString(599, QLatin1Char(' ')) + QStringLiteral("b"), 20, m.r);
    EXPECT_EQ(m.r[0], QStringLiteral("a b "));
    EXPECT_EQ(m.r[1], QString());
}

TEST(Rozdel_text_do_radku, LeavesFaceAndStyleAsTheyWere)
{
    Milimeter_na_znak m;
    m.tlaciaren.SetFontName(QStringLiteral("MS Sans Serif"));
    m.tlaciaren.SetFontItalic(true);
    m.tlaciaren.SetFontBold(true);
    m.tlaciaren.SetCurrentX(77);
    Rozdel(QStringLiteral("ab cd"), 20, m.r);
    EXPECT_EQ(m.tlaciaren.FontName(), QStringLiteral("MS Sans Serif"));
    EXPECT_TRUE(m.tlaciaren.FontItalic());
    EXPECT_TRUE(m.tlaciaren.FontBold());
    EXPECT_EQ(m.tlaciaren.CurrentX(), 77);
}

// Statements as the texts file has them, wrapped at 190 mm in the design
// face on the real device's measure.
TEST(Rozdel_text_do_radku, SlovakStatementsAt190mmOnTheRealMeasure)
{
    const QString zadania[] = {
        QStringLiteral("Vypočítaj hodnotu každého výrazu. Dodrž poradie počtových operácií: najprv zátvorky, "
                       "potom mocniny, násobenie a delenie, nakoniec sčítanie a odčítanie."),
        QStringLiteral("Urč, pre ktoré hodnoty premennej má výraz zmysel: žiadny menovateľ sa nesmie rovnať "
                       "nule. Do každého riadka zapíš jednu podmienku."),
        QStringLiteral("Vyrieš slovné úlohy s percentami. Desatinné čísla píš s čiarkou. Každý výsledok "
                       "zaokrúhli na stotiny a nezabudni na jednotky: Sk, kg, ľudí, áut či kusov. Ťažšie "
                       "úlohy rieš postupne, čiastkové výsledky si zapíš do poznámok a skontroluj ich "
                       "skúškou správnosti. Ďalej pokračuj, až keď sú všetky kroky správne."),
    };
    tlac_test::Meriaca_tlaciaren tlaciaren;
    platform::ScopedService<platform::Printer> g(tlaciaren);
    tlaciaren.SetFontName(QStringLiteral("MS Sans Serif"));
    const float mez = Prepocitej_mm_x(190);
    for (const QString &zadanie : zadania) {
        Radky r;
        Rozdel(zadanie, 190, r);
        SCOPED_TRACE(zadanie.left(30).toStdString());
        EXPECT_EQ(QStringList(r.begin(), r.end()).join(QString()).trimmed(), zadanie) << "every word, in order";
        int plne = 0;
        for (int i = 0; i < 5; ++i) {
            if (r[i].isEmpty())
                continue;
            ++plne;
            EXPECT_LE(tlaciaren.TextWidth(r[i]), mez) << "line " << i + 1;
            EXPECT_TRUE(r[i].endsWith(QLatin1Char(' ')));
            if (i < 4 && !r[i + 1].isEmpty()) {
                const QString dalsie = r[i + 1].section(QLatin1Char(' '), 0, 0);
                EXPECT_GT(tlaciaren.TextWidth(r[i] + dalsie + QLatin1Char(' ')), mez)
                    << "line " << i + 1 << " could have taken \"" << dalsie.toStdString() << "\"";
            }
        }
        EXPECT_GE(plne, 2) << "each of these is longer than one line";
        EXPECT_GT(tlaciaren.TextWidth(r[0]), mez * 0.8f) << "a full first line is most of 190 mm wide";
    }
}

} // namespace
