// Worksheets of tasks 19 to 21 as the print command makes them: what each
// page's example column holds.
#include "Pracovny_list_support.h"

#include "exercise/Nacti_priklady.h"
#include "expr/Random.h"

#include <set>

using namespace Misc;
using platform::PrintOp;
using namespace pracovny_list_test;

namespace {

// The texts of a page in print order.
QStringList Texty(const Strana &s)
{
    QStringList t;
    for (const PrintOp &op : s.ops)
        if (op.kind == PrintOp::Text)
            t << op.text;
    return t;
}

TEST_F(Pracovny_list, PercentageQuestionsTenAPageWithTheirAnswerLines)
{
    Randomize_seed(1);
    Vytlac("19", 1, 15);
    const QList<Strana> strany = Strany();
    ASSERT_EQ(strany.size(), 2);
    for (int p = 0; p < 2; ++p) {
        const QStringList t = Texty(strany[p]);
        for (int n = 10 * p + 1; n <= qMin(15, 10 * p + 10); ++n) {
            const qsizetype i = t.indexOf(QRegularExpression(QStringLiteral("^%1\\)  .{10,}").arg(n)));
            ASSERT_GE(i, 0) << n;
            EXPECT_EQ(t.value(i + 1), QString(72, QLatin1Char('_'))) << n << ": its answer line under it";
        }
        EXPECT_EQ(strany[p].priklady.size(), 0) << "questions in the text face";
    }
    EXPECT_EQ(Texty(strany[1]).count(QString(72, QLatin1Char('_'))), 5) << "the slots after example 15 stay empty";
}

TEST_F(Pracovny_list, WordProblemsAreNotRepeatedOnASheet)
{
    Randomize_seed(2);
    Vytlac("19", 2, 20);
    const QList<Strana> strany = Strany();
    ASSERT_EQ(strany.size(), 4);
    const QString zaklad = QStringLiteral("Základ:_____________, časť:_____________, percentá:_____________.");
    std::set<QString> ulohy;
    int n = 0, zaklady = 0;
    for (const Strana &s : strany)
        for (const QString &text : Texty(s)) {
            zaklady += text == zaklad;
            if (text.startsWith(QStringLiteral("%1)  ").arg(n + 1)))
                ulohy.insert(text.mid(text.indexOf(QLatin1Char(')')))), ++n;
        }
    EXPECT_EQ(n, 20) << "numbered in order";
    EXPECT_EQ(zaklady, 20) << "every problem with its answer template";
    EXPECT_EQ(ulohy.size(), 20u) << "twenty different word problems";
}

// Each example draws two arrows of three lines, the left one first; the
// right one points down for an inverse proportion.
TEST_F(Pracovny_list, ProportionsWithArrowsOfTheirKind)
{
    Randomize_seed(3);
    Vytlac("20", 0, 10);
    const QList<Strana> strany = Strany();
    ASSERT_EQ(strany.size(), 2);
    QList<bool> dolu;
    for (const Strana &s : strany) {
        QList<PrintOp> ciary;
        for (const PrintOp &op : s.ops)
            if (op.kind == PrintOp::Line && op.y != op.y2)
                ciary << op; // the arrows' shafts and heads, not the page's rules
        for (qsizetype i = 0; i + 5 < ciary.size(); i += 6) {
            EXPECT_GT(ciary[i + 1].y2, ciary[i + 1].y) << "left arrow up: its head runs down from the tip";
            dolu << (ciary[i + 4].y2 < ciary[i + 4].y);
        }
    }
    ASSERT_EQ(dolu.size(), 10);
    EXPECT_EQ(dolu.last(), Vybrany_vzor[1] == 2) << "the kind of the example on the screen";
    EXPECT_TRUE(dolu.contains(true) && dolu.contains(false)) << "both kinds on the sheet";
}

TEST_F(Pracovny_list, LinearFunctionFiveExamplesOfOneScreenAPage)
{
    Randomize_seed(4);
    Vytlac("21", 1, 10);
    const QList<Strana> strany = Strany();
    ASSERT_EQ(strany.size(), 2);
    for (int p = 0; p < 2; ++p) {
        SCOPED_TRACE(p + 1);
        const Strana &s = strany[p];
        EXPECT_EQ(s.priklady, Od_do(5 * p + 1, 5 * p + 5));
        const QStringList t = Texty(s);
        EXPECT_EQ(t.filter(QRegularExpression("^y = [-0-9,]+ \u00B7 x$")).size(), 2) << "k given in two tables";
        EXPECT_EQ(t.count(QStringLiteral("y = _____________ \u00B7 x")), 3) << "k asked three times";
        const auto graf = std::find_if(s.ops.begin(), s.ops.end(), [](const PrintOp &op) {
            return op.kind == PrintOp::Picture;
        });
        EXPECT_TRUE(graf != s.ops.end() && graf->pictureSize == QSize(260, 260)) << "the graph at its own size";
    }
    EXPECT_TRUE(Texty(strany[1]).contains(formular->TZ2(1)->Caption())) << "page 2 from the last screen";
}

TEST_F(Pracovny_list, InverseProportionWithKAsTheNumerator)
{
    Randomize_seed(5);
    Vytlac("21", 2, 5);
    const QList<Strana> strany = Strany();
    ASSERT_EQ(strany.size(), 1);
    const QStringList t = Texty(strany[0]);
    for (int e : {1, 3, 5})
        EXPECT_TRUE(t.contains(formular->TZ1(2 * e - 1)->Tag())) << e << ": k over x";
    EXPECT_EQ(t.count(QStringLiteral("x")), 5 + 5) << "the x rows' names and the five denominators";
}

} // namespace
