// The page services as the worksheet sees them on the printer: millimetres
// turned into printer units, rows of pieces, the statement block and the
// page frame, recorded by the fake printer.
#include "Tlac_support.h"

#include "expr/Zapis_vyrazu.h"
#include "printing/Stranka.h"

using namespace Misc;
using platform::FakePrinter;
using platform::PageOrientation;
using platform::PrintOp;
using tlac_test::Tlac;

namespace {

// --- Millimetres --------------------------------------------------------------

struct Prevod {
    const char *name;
    float sirka, vyska; // the sheet upright, in printer units
    bool na_sirku;
    float mm_x, mm_y, x, y;
};

const Prevod prevody[] = {
    {"210 x 297 mm is exactly the whole sheet", 11906, 16838, false, 210, 297, 11906, 16838},
    {"landscape stretches the upright layout", 630, 891, true, 210, 297, 891, 630},
    {"negative values lie left of and above the sheet", 630, 891, false, -10, -27, -30, -81},
};

TEST(Prepocitej_mm, PositionsOnTheSheet)
{
    for (const Prevod &p : prevody) {
        FakePrinter tlaciaren(p.sirka, p.vyska);
        if (p.na_sirku)
            tlaciaren.SetOrientation(PageOrientation::Landscape);
        platform::ScopedService<platform::Printer> g(tlaciaren);
        EXPECT_EQ(Prepocitej_mm_x(p.mm_x), p.x) << p.name;
        EXPECT_EQ(Prepocitej_mm_y(p.mm_y), p.y) << p.name;
    }
    // On an A4 sheet in twips, 7 mm across and 75 mm down are values where
    // a float quotient would change the last bit of the result.
    FakePrinter tlaciaren;
    platform::ScopedService<platform::Printer> g(tlaciaren);
    EXPECT_EQ(Prepocitej_mm_x(7), float(11906.0 / 210.0 * 7.0));
    EXPECT_NE(Prepocitej_mm_x(7), float(float(11906.0f / 210.0f) * 7.0f));
    EXPECT_EQ(Prepocitej_mm_y(75), float(16838.0 / 297.0 * 75.0));
    tlaciaren.SetOrientation(PageOrientation::Landscape);
    EXPECT_EQ(Prepocitej_mm_x(210), 16838) << "the page is read at every call";
}

// --- Row of text pieces (12 points of the fake are 12 mm a character) -----------

struct Kusy {
    const char *name;
    const char *c1, *p1, *c2, *p2, *c3, *p3;
    QList<std::tuple<QString, float, QString>> vytlacene; // text, x and face, in order
};

const Kusy kusy[] = {
    {"three pieces 1 mm apart, each in its face", "ab", "Ruvo", "cde", "", "g", "MS Sans Serif",
     {{"ab", 200, "Ruvo"}, {"cde", 200 + 240 + 10, ""}, {"g", 200 + 240 + 10 + 360 + 10, "MS Sans Serif"}}},
    {"empty first piece: the second stands 1 mm right of the point", "", "F", "cd", "F", "", "F",
     {{"", 200, "F"}, {"cd", 210, "F"}}},
    {"no second piece: the third stands 2 mm after the first", "ab", "F", "", "F", "g", "F",
     {{"ab", 200, "F"}, {"g", 200 + 240 + 10 + 10, "F"}}},
};

TEST_F(Tlac, Vytiskni_radek_PiecesFollowTheMeasuredWidthsUpright)
{
    for (const Kusy &k : kusy) {
        Nova_strana();
        Vytiskni_radek(20, 45, k.c1, k.p1, k.c2, k.p2, k.c3, k.p3);
        const auto t = tlaciaren.Texts();
        ASSERT_EQ(t.size(), k.vytlacene.size()) << k.name;
        for (qsizetype i = 0; i < t.size(); ++i) {
            const auto &[text, x, pismo] = k.vytlacene[i];
            EXPECT_TRUE(t[i].text == text && t[i].x == x && t[i].fontName == pismo) << k.name << ", piece " << i + 1;
            // One top edge for all pieces; the statement's italic switched off.
            EXPECT_TRUE(t[i].y == 450 && !t[i].italic) << k.name << ", piece " << i + 1;
        }
    }
}

// On the real device's widths: superscript glyphs of the maths font take
// their own width, and a piece is measured in the face of the piece to come.
TEST(Vytiskni_radek, SuperscriptsAndFacesTakeTheirRealWidths)
{
    tlac_test::Zaregistruj_ruvo();
    tlac_test::Meriaca_tlaciaren tlaciaren;
    platform::ScopedService<platform::Printer> g(tlaciaren);
    tlaciaren.SetFontSize(12);
    const auto sirka = [&tlaciaren](const QString &text, const QString &pismo) {
        tlaciaren.SetFontName(pismo);
        return tlaciaren.TextWidth(text);
    };
    const QString sans = QStringLiteral("MS Sans Serif"), ruvo = QStringLiteral("Ruvo");
    const QString mocnina = "(2·x" + Preved_na_exponent(u"3") + ")" + Preved_na_exponent(u"2");
    ASSERT_GT(sirka(mocnina, ruvo), sirka("(2·x)", ruvo)) << "the glyphs have a width";
    // The maths font draws superscripts on code points of Latin capitals,
    // which the design face prints as they are, much wider.
    ASSERT_LT(sirka(mocnina, ruvo), sirka(mocnina, sans)) << "the maths font is registered and printed with";

    Vytiskni_radek(20, 45, mocnina, sans, "x", ruvo, "y", sans);
    const auto t = tlaciaren.Texts();
    ASSERT_EQ(t.size(), 3);
    const float X = Prepocitej_mm_x(20), G = Prepocitej_mm_x(1);
    EXPECT_FLOAT_EQ(t[1].x, sirka(mocnina, ruvo) + X + G) << "1 mm after the end of the printed power";
    EXPECT_FLOAT_EQ(t[2].x, sirka(mocnina, sans) + X + G + sirka("x", sans) + G);
}

// --- Statement block ----------------------------------------------------------

struct Zadani {
    const char *name;
    std::array<const char *, 5> radky;
    qint16 y_pred, y_po;
};

const Zadani zadania[] = {
    {"one line", {"Vypočítaj.", "", "", "", ""}, 0, 37},
    {"five lines", {"a ", "b ", "c ", "d ", "e "}, 0, 57},
    {"a gap at line 2 keeps line 3 in its slot", {"a ", "", "c ", "", ""}, 0, 47},
    {"no line keeps the caller's value", {"", "", "", "", ""}, 99, 99},
    {"a line of blanks counts", {"", "", "", "   ", ""}, 0, 52},
};

TEST_F(Tlac, Vytiskni_zadani_FiveItalicLinesAndTheYBelowTheLastOne)
{
    for (const Zadani &z : zadania) {
        tlaciaren = FakePrinter(2100, 2970);
        tlaciaren.SetFontBold(true);
        qint16 y = z.y_pred;
        Vytiskni_zadani(z.radky[0], z.radky[1], z.radky[2], z.radky[3], z.radky[4], y);
        EXPECT_EQ(y, z.y_po) << z.name;
        const auto t = tlaciaren.Texts();
        ASSERT_EQ(t.size(), 5) << z.name;
        for (int i = 0; i < 5; ++i) {
            EXPECT_TRUE(t[i].text == QString::fromUtf8(z.radky[i]) && t[i].y == 300 + 50 * i) << z.name << ", line " << i + 1;
            EXPECT_TRUE(t[i].italic && !t[i].bold && t[i].fontSize == 12) << z.name;
        }
    }
}

// --- Page frame ---------------------------------------------------------------

TEST_F(Tlac, Vytiskni_hlavicku_TitlesNameDateAndPageOnEveryPage)
{
    tlaciaren.SetFontItalic(true);
    Vytiskni_hlavicku("Číselné výrazy", "Celé čísla", "Ľubka Šťastná", " 1");
    QStringList texty;
    for (const PrintOp &op : tlaciaren.Texts())
        texty << op.text;
    ASSERT_EQ(texty.size(), 7);
    EXPECT_TRUE(texty[2].startsWith("Jméno: ") && Radek_jmena.startsWith(texty[2])) << "the name line, dots cut";
    texty.removeAt(2);
    EXPECT_EQ(texty, (QStringList{"Číselné výrazy", "Celé čísla", Nazev_produktu, "Ľubka Šťastná", "Dátum: 05.03.2027",
                                  "Stránka:  1"}));
    const auto t = tlaciaren.Texts();
    EXPECT_TRUE(t[0].bold && t[0].fontSize == 20 && t[0].color == QColor(0, 0, 128) && !t[0].italic);
    EXPECT_EQ(t[4].y + 30, t[2].y) << "the name stands on the dots, 3 mm above their text";
    EXPECT_LE(t[2].x + tlaciaren.TextWidth(t[2].text), 2060) << "the name line ends 4 mm inside the sheet";
    EXPECT_EQ(tlaciaren.ForeColor(), QColor(0, 0, 0)) << "what the examples print in";

    // The date is read for every page: a worksheet may run past midnight.
    hodiny.SetNow(QDateTime(QDate(2027, 12, 31), QTime(23, 59)));
    hodiny.Advance(2 * 60 * 1000);
    Vytiskni_hlavicku("S", "U", "J", " 2");
    const auto obe = tlaciaren.Texts();
    EXPECT_EQ(obe[obe.size() - 2].text, QStringLiteral("Dátum: 01.01.2028"));
    EXPECT_EQ(obe.last().text, QStringLiteral("Stránka:  2"));
}

} // namespace
