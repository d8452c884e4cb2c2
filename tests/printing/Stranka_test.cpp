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

const QColor navy(0, 0, 128);
const QColor black(0, 0, 0);

// --- Millimetres --------------------------------------------------------------

struct Prevod {
    const char *name;
    float sirka, vyska; // the sheet upright, in printer units
    bool na_sirku;
    float mm_x, mm_y;
    float x, y; // expected printer units
};

const Prevod prevody[] = {
    {"0 mm is the top-left corner", 11906, 16838, false, 0, 0, 0, 0},
    {"210 x 297 mm is exactly the whole sheet", 11906, 16838, false, 210, 297, 11906, 16838},
    {"105 mm across is exactly half the width", 11906, 16838, false, 105, 0, 5953, 0},
    {"a 630 x 891 sheet: (20, 45) mm is (60, 135)", 630, 891, false, 20, 45, 60, 135},
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
}

TEST(Prepocitej_mm, QuotientIsNotNarrowedBeforeTheProduct)
{
    // On an A4 sheet in twips, 7 mm across and 75 mm down are values where
    // a float quotient would change the last bit of the result.
    FakePrinter tlaciaren;
    platform::ScopedService<platform::Printer> g(tlaciaren);
    EXPECT_EQ(Prepocitej_mm_x(7), float(11906.0 / 210.0 * 7.0));
    EXPECT_NE(Prepocitej_mm_x(7), float(float(11906.0f / 210.0f) * 7.0f));
    EXPECT_EQ(Prepocitej_mm_y(75), float(16838.0 / 297.0 * 75.0));
    EXPECT_NE(Prepocitej_mm_y(75), float(float(16838.0f / 297.0f) * 75.0f));
}

TEST(Prepocitej_mm, ReadsThePageAtEveryCall)
{
    FakePrinter tlaciaren(630, 891);
    platform::ScopedService<platform::Printer> g(tlaciaren);
    EXPECT_EQ(Prepocitej_mm_x(210), 630);
    EXPECT_EQ(Prepocitej_mm_x(210), 630) << "the same value twice";
    tlaciaren.SetOrientation(PageOrientation::Landscape);
    EXPECT_EQ(Prepocitej_mm_x(210), 891);
}

// --- Row of text pieces (sheet in tenths of a millimetre; 12 points of the
// fake are 120 units, 12 mm, per character) --------------------------------------

class Radek : public Tlac {
protected:
    Radek()
    {
        // As the statement block leaves the printer before the first row.
        tlaciaren.SetFontName(QStringLiteral("MS Sans Serif"));
        tlaciaren.SetFontSize(12);
        tlaciaren.SetFontBold(false);
        tlaciaren.SetFontItalic(true);
    }
};

TEST_F(Radek, OnePieceAtThePointInItsFaceUpright)
{
    tlaciaren.SetFontBold(true);
    tlaciaren.SetForeColor(navy);
    Vytiskni_radek(20, 45, QStringLiteral("1)  2 + 3 = "), QStringLiteral("Ruvo"), QString(), QStringLiteral("Nikdy"),
                   QString(), QStringLiteral("Nikdy"));
    const auto t = tlaciaren.Texts();
    ASSERT_EQ(t.size(), 1);
    EXPECT_EQ(t[0].text, QStringLiteral("1)  2 + 3 = "));
    EXPECT_EQ(t[0].x, 200);
    EXPECT_EQ(t[0].y, 450);
    EXPECT_EQ(t[0].fontName, QStringLiteral("Ruvo"));
    EXPECT_FALSE(t[0].italic) << "the statement's italic is switched off";
    EXPECT_TRUE(t[0].bold) << "the caller's weight stays";
    EXPECT_EQ(t[0].color, navy) << "the caller's colour stays";
    EXPECT_EQ(t[0].fontSize, 12);
    EXPECT_EQ(tlaciaren.FontName(), QStringLiteral("Ruvo")) << "the face of the last piece stays";
    EXPECT_FALSE(tlaciaren.FontItalic());
}

struct Kusy {
    const char *name;
    const char *c1, *p1, *c2, *p2, *c3, *p3;
    QList<std::pair<QString, float>> vytlacene; // text and x, in order
};

const Kusy kusy[] = {
    {"three pieces in one face, 1 mm apart", "ab", "F", "cde", "F", "g", "F",
     {{"ab", 200}, {"cde", 200 + 240 + 10}, {"g", 200 + 240 + 10 + 360 + 10}}},
    {"empty first piece: the second stands 1 mm right of the point", "", "F", "cd", "F", "", "F",
     {{"", 200}, {"cd", 210}}},
    {"no second piece: the third stands 2 mm after the first", "ab", "F", "", "F", "g", "F",
     {{"ab", 200}, {"g", 200 + 240 + 10 + 10}}},
};

TEST_F(Radek, FurtherPiecesFollowTheMeasuredWidths)
{
    for (const Kusy &k : kusy) {
        FakePrinter zaznam(2100, 2970);
        platform::ScopedService<platform::Printer> g(zaznam);
        zaznam.SetFontSize(12);
        Vytiskni_radek(20, 45, k.c1, k.p1, k.c2, k.p2, k.c3, k.p3);
        const auto t = zaznam.Texts();
        ASSERT_EQ(t.size(), k.vytlacene.size()) << k.name;
        for (qsizetype i = 0; i < t.size(); ++i) {
            EXPECT_EQ(t[i].text, k.vytlacene[i].first) << k.name;
            EXPECT_EQ(t[i].x, k.vytlacene[i].second) << k.name << ", piece " << i + 1;
            EXPECT_EQ(t[i].y, 450) << k.name << ": one top edge for all pieces";
        }
    }
}

TEST_F(Radek, EachPieceInItsOwnFaceAndAnEmptyFaceIsPassedOn)
{
    Vytiskni_radek(20, 45, QStringLiteral("a"), QStringLiteral("Ruvo"), QStringLiteral("b"), QString(),
                   QStringLiteral("c"), QStringLiteral("MS Sans Serif"));
    const auto t = tlaciaren.Texts();
    ASSERT_EQ(t.size(), 3);
    EXPECT_EQ(t[0].fontName, QStringLiteral("Ruvo"));
    EXPECT_EQ(t[1].fontName, QString());
    EXPECT_EQ(t[2].fontName, QStringLiteral("MS Sans Serif"));
    for (const PrintOp &op : t)
        EXPECT_FALSE(op.italic);
}

// With the widths of the real device: superscript glyphs of the maths font
// take their own width, and a later piece moves with the face it is in.
class Radek_skutocne : public ::testing::Test {
protected:
    Radek_skutocne()
    {
        tlac_test::Zaregistruj_ruvo();
        tlaciaren.SetFontSize(12);
    }
    float Sirka(const QString &text, const QString &pismo)
    {
        tlaciaren.SetFontName(pismo);
        return tlaciaren.TextWidth(text);
    }
    tlac_test::Meriaca_tlaciaren tlaciaren;
    platform::ScopedService<platform::Printer> g{tlaciaren};
};

TEST_F(Radek_skutocne, SuperscriptsCountInTheWidthOfTheirPiece)
{
    const QString ruvo = QStringLiteral("Ruvo");
    const QString mocnina = QStringLiteral("(2·x") + Preved_na_exponent(u"3") + QStringLiteral(")")
                            + Preved_na_exponent(u"2");
    ASSERT_GT(Sirka(mocnina, ruvo), Sirka(QStringLiteral("(2·x)"), ruvo)) << "the glyphs have a width";

    Vytiskni_radek(20, 45, mocnina, ruvo, QStringLiteral("= _____"), ruvo);
    const auto t = tlaciaren.Texts();
    ASSERT_EQ(t.size(), 2);
    const float X = Prepocitej_mm_x(20), G = Prepocitej_mm_x(1);
    EXPECT_FLOAT_EQ(t[1].x, Sirka(mocnina, ruvo) + X + G) << "1 mm after the end of the printed power";
    EXPECT_EQ(t[1].y, t[0].y);
}

TEST_F(Radek_skutocne, WidthsAreMeasuredInTheFaceOfThePieceToCome)
{
    // The maths font draws superscripts on code points of Latin capitals,
    // which the design face prints as they are, much wider.
    const QString sans = QStringLiteral("MS Sans Serif"), ruvo = QStringLiteral("Ruvo");
    const QString prvy = QStringLiteral("2·x") + Preved_na_exponent(u"2") + QStringLiteral(" + 3");
    ASSERT_LT(Sirka(prvy, ruvo), Sirka(prvy, sans)) << "the maths font is registered and printed with";

    Vytiskni_radek(20, 45, prvy, sans, QStringLiteral("x"), ruvo, QStringLiteral("y"), sans);
    const auto t = tlaciaren.Texts();
    ASSERT_EQ(t.size(), 3);
    const float X = Prepocitej_mm_x(20), G = Prepocitej_mm_x(1);
    EXPECT_FLOAT_EQ(t[1].x, Sirka(prvy, ruvo) + X + G);
    EXPECT_FLOAT_EQ(t[2].x, Sirka(prvy, sans) + X + G + Sirka(QStringLiteral("x"), sans) + G);
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
    {"four lines", {"a ", "b ", "c ", "d ", ""}, 0, 52},
    {"a gap at line 2 keeps line 3 in its slot", {"a ", "", "c ", "", ""}, 0, 47},
    {"no line keeps the caller's value", {"", "", "", "", ""}, 99, 99},
    {"a line of blanks counts", {"", "", "", "   ", ""}, 0, 52},
};

TEST_F(Tlac, Vytiskni_zadani_PrintsFiveSlotsAndTheYBelowTheLastLine)
{
    for (const Zadani &z : zadania) {
        FakePrinter zaznam(2100, 2970);
        platform::ScopedService<platform::Printer> g(zaznam);
        zaznam.SetFontName(QStringLiteral("MS Sans Serif"));
        zaznam.SetFontSize(10);
        zaznam.SetFontBold(true);
        qint16 y = z.y_pred;
        Vytiskni_zadani(z.radky[0], z.radky[1], z.radky[2], z.radky[3], z.radky[4], y);
        EXPECT_EQ(y, z.y_po) << z.name;
        const auto t = zaznam.Texts();
        ASSERT_EQ(t.size(), 5) << z.name << ": an empty line is printed too, leaving no mark";
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(t[i].text, QString::fromUtf8(z.radky[i])) << z.name;
            EXPECT_EQ(t[i].x, 40) << z.name;
            EXPECT_EQ(t[i].y, 300 + 50 * i) << z.name << ", line " << i + 1;
            EXPECT_EQ(t[i].fontSize, 12);
            EXPECT_FALSE(t[i].bold);
            EXPECT_TRUE(t[i].italic);
            EXPECT_EQ(t[i].fontName, QStringLiteral("MS Sans Serif")) << "the caller's face";
        }
    }
}

// --- Page frame ---------------------------------------------------------------

struct Cast {
    PrintOp::Kind druh;
    QString text;
    float x, y, x2, y2;
    float velkost;
    bool tucne;
    QColor farba;
};

TEST_F(Tlac, Vytiskni_hlavicku_DrawsTheFrameInOrder)
{
    tlaciaren.SetFontName(QStringLiteral("MS Sans Serif"));
    tlaciaren.SetFontSize(12);
    tlaciaren.SetFontItalic(true);
    Vytiskni_hlavicku(QStringLiteral("Číselné výrazy"), QStringLiteral("Celé čísla"), QStringLiteral("Ľubka Šťastná"),
                      QStringLiteral(" 1"));

    const QString meno_riadok = QStringLiteral("Jméno: ........................................................");
    const Cast ocakavane[] = {
        {PrintOp::Text, QStringLiteral("Číselné výrazy"), 40, 40, 0, 0, 20, true, navy},
        {PrintOp::Text, QStringLiteral("Celé čísla"), 40, 170, 0, 0, 12, true, navy},
        {PrintOp::Text, meno_riadok, 1160, 170, 0, 0, 12, true, navy},
        {PrintOp::Text, QStringLiteral("Loravik Kvantira 2 - Algebra"), 1350, 2850, 0, 0, 12, true, navy},
        {PrintOp::Text, QStringLiteral("Ľubka Šťastná"), 1360, 140, 0, 0, 12, false, black},
        {PrintOp::Line, QString(), 0, 250, 2100, 250, 12, false, black},
        {PrintOp::Line, QString(), 0, 2820, 2100, 2820, 12, false, black},
        {PrintOp::Text, QStringLiteral("Dátum: 05.03.2027"), 40, 2850, 0, 0, 10, false, black},
        {PrintOp::Text, QStringLiteral("Stránka:  1"), 1000, 2850, 0, 0, 10, false, black},
    };
    const auto &ops = tlaciaren.Ops();
    ASSERT_EQ(ops.size(), qsizetype(std::size(ocakavane)));
    for (qsizetype i = 0; i < ops.size(); ++i) {
        const Cast &c = ocakavane[i];
        const PrintOp &op = ops[i];
        SCOPED_TRACE(QStringLiteral("part %1 (%2)").arg(i + 1).arg(c.text).toStdString());
        EXPECT_EQ(op.kind, c.druh);
        EXPECT_EQ(op.text, c.text);
        EXPECT_EQ(op.x, c.x);
        EXPECT_EQ(op.y, c.y);
        EXPECT_EQ(op.color, c.farba);
        if (c.druh == PrintOp::Line) {
            EXPECT_EQ(op.x2, c.x2);
            EXPECT_EQ(op.y2, c.y2);
            continue;
        }
        EXPECT_EQ(op.fontSize, c.velkost);
        EXPECT_EQ(op.bold, c.tucne);
        EXPECT_FALSE(op.italic);
        EXPECT_EQ(op.fontName, QStringLiteral("MS Sans Serif")) << "the frame sets no face";
    }
    EXPECT_EQ(meno_riadok.size(), 63);
    // What the statement and the rows after it inherit.
    EXPECT_EQ(tlaciaren.ForeColor(), black);
    EXPECT_EQ(tlaciaren.FontSize(), 10);
    EXPECT_FALSE(tlaciaren.FontBold());
    EXPECT_FALSE(tlaciaren.FontItalic());
}

TEST_F(Tlac, Vytiskni_hlavicku_EmptyTextsKeepTheirPlacesAndPrintNothing)
{
    Texty[32].clear();
    Vytiskni_hlavicku(QString(), QString(), QString(), QStringLiteral(" 3"));
    const auto t = tlaciaren.Texts();
    ASSERT_EQ(t.size(), 7);
    EXPECT_EQ(t[0].text, QString());
    EXPECT_EQ(t[1].text, QString());
    EXPECT_EQ(t[4].text, QString()) << "no name: the name line keeps only its word and dots";
    EXPECT_EQ(t[2].text, Radek_jmena);
    EXPECT_EQ(t[5].text, QStringLiteral(": 05.03.2027")) << "no date label";
    EXPECT_EQ(t[6].text, QStringLiteral("Stránka:  3"));
}

TEST_F(Tlac, Vytiskni_hlavicku_TwoPagesDifferInPageTextAndDateOnly)
{
    Vytiskni_hlavicku(QStringLiteral("S"), QStringLiteral("U"), QStringLiteral("J"), QStringLiteral(" 1"));
    const auto prva = tlaciaren.Ops();
    hodiny.SetNow(QDateTime(QDate(2027, 12, 31), QTime(23, 59)));
    hodiny.Advance(2 * 60 * 1000);
    Vytiskni_hlavicku(QStringLiteral("S"), QStringLiteral("U"), QStringLiteral("J"), QStringLiteral(" 2"));
    const auto obe = tlaciaren.Ops();
    ASSERT_EQ(obe.size(), 2 * prva.size());
    for (qsizetype i = 0; i < prva.size(); ++i) {
        const PrintOp &a = prva[i], &b = obe[prva.size() + i];
        EXPECT_EQ(a.x, b.x);
        EXPECT_EQ(a.y, b.y);
        EXPECT_EQ(a.color, b.color);
        if (i < prva.size() - 2) {
            EXPECT_EQ(a.text, b.text);
        }
    }
    EXPECT_EQ(obe[obe.size() - 2].text, QStringLiteral("Dátum: 01.01.2028")) << "the date is read for every page";
    EXPECT_EQ(obe.last().text, QStringLiteral("Stránka:  2"));
}

} // namespace
