// Worksheets of tasks 19 to 21 as the print command makes them: what each
// page's example column holds, and where.
#include "Pracovny_list_support.h"
#include "Ukazka_support.h"

#include "exercise/Nacti_priklady.h"
#include "expr/Random.h"

#include <set>

using namespace Misc;
using platform::PrintOp;
using namespace pracovny_list_test;

namespace {

class Bloky_19_21 : public Pracovny_list {
protected:
    // The operation of that kind at (x, y) mm of the page; a line ends at (x2, y2) mm.
    static const PrintOp *Op(const Strana &s, PrintOp::Kind druh, float x, float y, float x2 = 0, float y2 = 0)
    {
        for (const PrintOp &op : s.ops)
            if (op.kind == druh && op.x == Prepocitej_mm_x(x) && op.y == Prepocitej_mm_y(y)
                && (druh != PrintOp::Line || (op.x2 == Prepocitej_mm_x(x2) && op.y2 == Prepocitej_mm_y(y2))))
                return &op;
        return nullptr;
    }
    // The text at (x, y) mm; "?" when there is none.
    static QString Na(const Strana &s, int x, int y)
    {
        const PrintOp *op = Op(s, PrintOp::Text, float(x), float(y));
        return op ? op->text : QStringLiteral("?");
    }
    static bool Ciara(const Strana &s, int x1, int y1, int x2, int y2)
    {
        return Op(s, PrintOp::Line, float(x1), float(y1), float(x2), float(y2));
    }
};

// The statements of these tasks in the text table take one line: the
// example column starts at 37 mm.
constexpr int Y0 = 37;

TEST_F(Bloky_19_21, PercentageQuestionsTenAPageWithTheirAnswerLines)
{
    Randomize_seed(1);
    Vytlac("19", 1, 15);
    const QList<Strana> strany = Strany();
    ASSERT_EQ(strany.size(), 2);
    for (int n = 1; n <= 15; ++n) {
        const Strana &s = strany[(n - 1) / 10];
        const int Y = Y0 + 18 * ((n - 1) % 10 + 1);
        const QString otazka = Na(s, 20, Y);
        EXPECT_TRUE(otazka.startsWith(QStringLiteral("%1)  ").arg(n)) && otazka.size() > 12) << otazka.toStdString();
        EXPECT_EQ(Na(s, 20, Y + 7), QString(72, QLatin1Char('_')));
    }
    EXPECT_EQ(Na(strany[1], 20, Y0 + 18 * 6), QStringLiteral("?")) << "the slots after example 15 stay empty";
    EXPECT_TRUE(strany[0].texty_ruvo.isEmpty()) << "questions in the text face";
}

TEST_F(Bloky_19_21, WordProblemsAreNotRepeatedOnASheet)
{
    Randomize_seed(2);
    Vytlac("19", 2, 20);
    const QList<Strana> strany = Strany();
    ASSERT_EQ(strany.size(), 4);
    const QString zaklad = QStringLiteral("Základ:_____________, časť:_____________, percentá:_____________.");
    const QString vysledok = QStringLiteral("Výsledok:") + QString(52, QLatin1Char('_')) + QLatin1Char('.');
    std::set<QString> ulohy;
    for (int n = 1; n <= 20; ++n) {
        SCOPED_TRACE(n);
        const Strana &s = strany[(n - 1) / 6];
        const int Y = Y0 + 32 * ((n - 1) % 6 + 1);
        const QString prvy = Na(s, 20, Y - 14);
        ASSERT_TRUE(prvy.startsWith(QStringLiteral("%1)  ").arg(n))) << prvy.toStdString();
        ulohy.insert(prvy.mid(prvy.indexOf(QLatin1Char(')'))));
        // A problem of one line moves the answer lines up by one.
        const int dole = Na(s, 20, Y - 7) == zaklad ? 0 : 7;
        EXPECT_EQ(Na(s, 20, Y - 7 + dole), zaklad);
        EXPECT_EQ(Na(s, 20, Y + dole), vysledok);
    }
    EXPECT_EQ(ulohy.size(), 20u) << "twenty different word problems";
}

TEST_F(Bloky_19_21, ProportionsWithArrowsOfTheirKind)
{
    Randomize_seed(3);
    Vytlac("20", 0, 10);
    const QList<Strana> strany = Strany();
    ASSERT_EQ(strany.size(), 2);
    EXPECT_EQ(Na(strany[1], 20, Y0 + 50 - 5), QStringLiteral("?")) << "example 10 alone on page 2";
    int dole = 0;
    for (int n = 1; n <= 10; ++n) {
        SCOPED_TRACE(n);
        const Strana &s = strany[(n - 1) / 9];
        const int Y = Y0 + 25 * ((n - 1) % 9 + 1);
        EXPECT_EQ(Na(s, 20, Y - 5), QStringLiteral("%1) ").arg(n));
        EXPECT_TRUE(Na(s, 30, Y - 5).contains(QStringLiteral(" .  .  . ")));
        EXPECT_TRUE(Ciara(s, 28, Y - 5, 28, Y + 7) && Ciara(s, 28, Y - 5, 27, Y - 2)) << "left arrow up";
        const bool hore = Ciara(s, 68, Y - 5, 67, Y - 2), dolu = Ciara(s, 68, Y + 7, 67, Y + 4);
        EXPECT_TRUE(Ciara(s, 68, Y - 5, 68, Y + 7) && hore != dolu) << "right arrow";
        dole += dolu;
        EXPECT_TRUE(n < 10 || dolu == (Vybrany_vzor[1] == 2)) << "the kind of the example on the screen";
    }
    EXPECT_TRUE(dole > 0 && dole < 10) << "both kinds on the sheet";
}

TEST_F(Bloky_19_21, LinearFunctionFiveExamplesOfOneScreenAPage)
{
    Randomize_seed(4);
    Vytlac("21", 1, 10);
    const QList<Strana> strany = Strany();
    ASSERT_EQ(strany.size(), 2);
    for (int p = 0; p < 2; ++p) {
        SCOPED_TRACE(p + 1);
        const Strana &s = strany[p];
        for (int e = 1; e <= 5; ++e)
            EXPECT_EQ(Na(s, 20, Y0 + 30 * e), QStringLiteral("%1) ").arg(5 * p + e));
        for (int e : {1, 3})
            EXPECT_TRUE(Na(s, 150, Y0 + 30 * e).contains(QRegularExpression("^y = .+ \u00B7 x$"))) << e;
        for (int e : {2, 4, 5})
            EXPECT_EQ(Na(s, 100, Y0 + 30 * e), QStringLiteral("y = _____________ \u00B7 x"));
        const PrintOp *graf = Op(s, PrintOp::Picture, 30, Y0 + 150);
        EXPECT_TRUE(graf && graf->pictureSize == QSize(260, 260)) << "the graph at its own size under the examples";
    }
    EXPECT_EQ(Na(strany[1], 40, Y0 + 30), formular->TZ2(1)->Caption()) << "page 2 from the last screen";
}

TEST_F(Bloky_19_21, InverseProportionWithKAsTheNumerator)
{
    Randomize_seed(5);
    Vytlac("21", 2, 5);
    const QList<Strana> strany = Strany();
    ASSERT_EQ(strany.size(), 1);
    const Strana &s = strany[0];
    for (int e = 1; e <= 5; ++e) {
        const int Y = Y0 + 30 * e;
        EXPECT_TRUE(e % 2 == 0 || Na(s, 163, Y) == formular->TZ1(2 * e - 1)->Tag()) << e << ": k over x";
        EXPECT_TRUE(e % 2 == 1 || (Na(s, 113, Y) == "?" && Na(s, 55, Y + 7) == formular->TZ3(2 * e)->Caption()))
            << e << ": the numerator is the pupil's";
    }
}

// The worksheets for a person to look at.
TEST_F(Bloky_19_21, SampleWorksheetsToPdfAndPng)
{
    const struct {
        const char *uloha;
        int varianta, pocet, strany;
        const char *subor;
    } listy[] = {{"19", 1, 10, 1, "19a"}, {"19", 2, 8, 2, "19b"}, {"20", 0, 10, 2, "20"}, {"21", 1, 5, 1, "21a"},
                 {"21", 2, 5, 1, "21b"}};
    for (const auto &l : listy)
        ukazka::Uloz(QStringLiteral("pracovny_list_%1").arg(QLatin1String(l.subor)), l.strany, [&] {
            Randomize_seed(6);
            Vytlac(l.uloha, l.varianta, l.pocet);
        });
}

} // namespace
