// Answer sheets with one or two lines per example: tasks 1-14, 19, 20.
#include "Harok_support.h"
#include "platform/Fonts.h"
#include "platform/Runtime.h"

#include <QStringList>

using namespace harok_test;
using Harok::Pole;

namespace {

QStringList Stlpce_po_prikladoch(QStringList stlpce, int prikladov, int riadkov)
{
    QStringList r;
    for (int e = 1; e <= prikladov; ++e)
        for (const QString &s : stlpce)
            for (int j = 0; j < riadkov; ++j)
                r << QStringLiteral("%1(%2)").arg(s).arg(riadkov * (e - 1) + 1 + j);
    return r;
}

std::vector<int> Krokom(int prvy, int krok, int pocet)
{
    std::vector<int> v;
    for (int i = 0; i < pocet; ++i)
        v.push_back(prvy + krok * i);
    return v;
}

TEST(Harok01, RowGeometryOfTasksOneToThreeAndTwelve)
{
    for (const char *uloha : {"1", "2", "3"}) {
        auto f = Harok_ulohy(uloha);
        Over_miesta(*f, {{"TZ1(1)", 55, 105, 220, 20}, {"TR1(1)", 277, 105, 25, 20}, {"TV1(1)", 303, 105, 163, 20},
                         {"TR2(1)", 467, 105, 25, 20}, {"TV2(1)", 493, 105, 75, 20}, {"IHod(1)", 592, 100, 32, 32},
                         {"TZ1(10)", 55, 420, 220, 20}, {"TV2(10)", 493, 420, 75, 20}, {"IHod(10)", 592, 415, 32, 32}},
                    uloha);
    }
    auto f = Harok_ulohy("12");
    Over_miesta(*f, {{"TZ1(1)", 55, 105, 80, 20}, {"TR1(1)", 135, 105, 15, 20}, {"TV1(1)", 150, 105, 270, 20},
                     {"TR2(1)", 420, 105, 15, 20}, {"TV2(1)", 435, 105, 140, 20}, {"IHod(1)", 592, 100, 32, 32},
                     {"TZ1(10)", 55, 420, 80, 20}, {"TR1(7)", 135, 315, 15, 20}, {"TV1(10)", 150, 420, 270, 20},
                     {"TV2(4)", 435, 210, 140, 20}, {"IHod(10)", 592, 415, 32, 32}},
                "12");
    EXPECT_EQ(Vysky(*f, Pole::TV1, 1, 10), Krokom(105, 35, 10));
}

TEST(Harok01, RowsVisibilityAndTabOrderInRowPairs)
{
    auto f = Harok_ulohy("3", 2);
    EXPECT_EQ(Pocty(*f), "TV1 10, TV2 10, TZ1 10, TR1 10, TR2 10, IHod 10");
    EXPECT_EQ(Zoznam(Viditelne(*f)), Zoznam(QStringList({"TV1(1)", "TV2(1)", "TZ1(1)"}))) << "as designed; rows 2-10 hidden";
    EXPECT_EQ(Zoznam(Tab_cyklus(*f)), Zoznam(Stlpce_po_prikladoch({"TV1", "TV2"}, 5, 2)));
    EXPECT_EQ(f->TV2(10)->TabIndex(), 20);
    EXPECT_EQ(f->TV1(9)->TabIndex(), 17);
    for (int i = 2; i <= 10; ++i) {
        EXPECT_EQ(f->TV2(i)->Alignment(), platform::vbCenter) << i;
        EXPECT_FALSE(f->TV1(i)->Locked()) << i;
    }
    EXPECT_EQ(Otlacok(*f), Otlacok(*Harok_ulohy("3", 1))) << "the variant changes nothing";
}

TEST(Harok04, FiveNudgedRowsWithOneCell)
{
    auto f = Harok_ulohy("4");
    Over_miesta(*f, {{"TZ1(1)", 55, 105, 230, 20}, {"TR1(1)", 287, 105, 25, 20}, {"TV1(1)", 313, 105, 257, 20},
                     {"IHod(1)", 592, 100, 32, 32}, {"TR2(1)", -1, 105, -1, -1}, {"TV2(1)", -1, 105, -1, -1},
                     {"TZ1(5)", 55, 385, 230, 20}, {"TR1(3)", 287, 245, 25, 20}, {"TV1(4)", 313, 315, 257, 20}},
                "4");
    EXPECT_EQ(Vysky(*f, Pole::TV1, 1, 5), (std::vector<int>{105, 175, 245, 315, 385}));
    EXPECT_EQ(Vysky(*f, Pole::IHod, 1, 5), (std::vector<int>{100, 170, 240, 310, 380}));
    EXPECT_EQ(Pocty(*f), "TV1 5, TZ1 5, TR1 5, IHod 5") << "TR2 and TV2 keep only element 1";
    EXPECT_EQ(Zoznam(Viditelne(*f)), Zoznam(QStringList({"TV1(1)", "TZ1(1)"})));
    EXPECT_EQ(Zoznam(Tab_cyklus(*f)), Zoznam(Rad("TV1", 1, 5))) << "TV2(1) is out of the cycle";
}

TEST(Harok04, EveryTaskOfTheFamilyGetsTheSameSheet)
{
    const QString vzor = Otlacok(*Harok_ulohy("4"));
    const struct { const char *uloha; int varianta; } ulohy[] = {{"5", 0}, {"6", 0}, {"7", 0}, {"8", 0},
                                                                 {"9", 0}, {"10", 0}, {"19", 1}};
    for (const auto &u : ulohy)
        EXPECT_EQ(Otlacok(*Harok_ulohy(u.uloha, u.varianta)), vzor) << u.uloha;
}

TEST(Harok19b, TextLineAndFourCellsPerRow)
{
    auto f = Harok_ulohy("19", 2);
    Over_miesta(*f, {{"TZ1(1)", 30, 105, 539, 20}, {"TR1(1)", 29, 145, 25, 20}, {"TV1(1)", 57, 145, 87, 20},
                     {"TV2(1)", 187, 145, 87, 20}, {"TV3(1)", 317, 145, 87, 20}, {"TV4(1)", 487, 145, 81, 20},
                     {"IHod(1)", 592, 100, 32, 32}, {"TZ1(5)", 30, 465, 539, 20}, {"TV4(5)", 487, 505, 81, 20},
                     {"IHod(5)", 592, 460, 32, 32}},
                "19b");
    EXPECT_EQ(Vysky(*f, Pole::TZ1, 1, 5), Krokom(105, 90, 5));
    EXPECT_EQ(Vysky(*f, Pole::TV3, 1, 5), Krokom(145, 90, 5));
    EXPECT_EQ(Pocty(*f), "TV1 5, TV2 5, TV3 5, TV4 5, TZ1 5, TR1 5, IHod 5") << "row 5 exists though never shown";
    EXPECT_EQ(Zoznam(Viditelne(*f)), Zoznam(QStringList({"TV1(1)", "TV2(1)", "TZ1(1)"}))) << "TV3(1), TV4(1) stay hidden";
    EXPECT_EQ(Zoznam(Tab_cyklus(*f)), Zoznam(Stlpce_po_prikladoch({"TV1", "TV2", "TV3", "TV4"}, 5, 1)));
    EXPECT_EQ(f->TV4(5)->TabIndex(), 20);
}

TEST(Harok13, FractionRowsWithGappedTabOrder)
{
    auto f = Harok_ulohy("13");
    Over_miesta(*f, {{"TZ1(1)", 32, 105, 55, 20}, {"TZR(1)", 87, 105, 15, 20}, {"TZ2(1)", 102, 105, 55, 20},
                     {"TR1(1)", 157, 105, 15, 20}, {"TV1(1)", 172, 105, 235, 20}, {"TR2(1)", 407, 105, 15, 20},
                     {"TV2(1)", 422, 105, 153, 20}, {"IHod(1)", 592, 100, 32, 32}, {"TZ2(10)", 102, 420, 55, 20},
                     {"TV2(10)", 422, 420, 153, 20}, {"IHod(10)", 592, 415, 32, 32}},
                "13");
    EXPECT_EQ(Pocty(*f), "TV1 10, TV2 10, TZ1 10, TZ2 10, TZR 10, TR1 10, TR2 10, IHod 10");
    EXPECT_EQ(Zoznam(Tab_cyklus(*f)), Zoznam(Stlpce_po_prikladoch({"TV1", "TV2"}, 5, 2)));
    QList<int> indexy;
    for (int i = 1; i <= 10; ++i)
        indexy << f->TV1(i)->TabIndex() << f->TV2(i)->TabIndex();
    std::sort(indexy.begin(), indexy.end());
    EXPECT_EQ(indexy, QList<int>({1, 2, 3, 4, 7, 8, 9, 10, 13, 14, 15, 16, 19, 20, 21, 22, 25, 26, 27, 28}));
    EXPECT_EQ(Otlacok(*Harok_ulohy("14")), Otlacok(*f)) << "tasks 13 and 14 share the sheet";
}

TEST(Harok11, NineLinesOfConditionsAndAMarkPerExample)
{
    auto f = Harok_ulohy("11");
    Over_miesta(*f, {{"TZ1(1)", 32, 105, 150, 20}, {"TV1(1)", 221, 105, 106, 20}, {"TR1(1)", 327, 105, 20, 20},
                     {"TV2(1)", 347, 105, 30, 20}, {"ICheck(1)", 397, 100, 32, 32}, {"TV3(1)", 449, 105, 106, 20},
                     {"TR2(1)", 555, 105, 20, 20}, {"TV4(1)", 575, 105, 30, 20}, {"IHod(1)", 588, 100, 32, 32},
                     {"TV4(9)", 575, 385, 30, 20}, {"ICheck(9)", 397, 380, 32, 32}},
                "11");
    EXPECT_EQ(Vysky(*f, Pole::IHod, 1, 3), (std::vector<int>{100, 205, 310}));
    EXPECT_EQ(Vysky(*f, Pole::TZ1, 1, 9), Krokom(105, 35, 9));
    EXPECT_EQ(Pocty(*f), "TV1 9, TV2 9, TV3 9, TV4 9, TZ1 9, TR1 9, TR2 9, IHod 3, ICheck 9");
    EXPECT_EQ(Zoznam(Tab_cyklus(*f)), Zoznam(Stlpce_po_prikladoch({"TV1", "TV2", "TV3", "TV4"}, 9, 1)));
    EXPECT_EQ(f->TV4(9)->TabIndex(), 36);
    EXPECT_EQ(f->TV1(2)->TabIndex(), 5);
    for (const char *meno : {"TR1(1)", "TR2(1)", "TR1(9)", "TR2(9)"}) {
        auto *l = dynamic_cast<platform::Label *>(Prvok(*f, meno));
        EXPECT_EQ(l->Caption(), QStringLiteral("\u017C")) << meno;
        EXPECT_TRUE(l->FontBold()) << meno;
        EXPECT_EQ(l->FontName(), "Ruvo") << meno;
        EXPECT_EQ(l->FontSize(), 12) << meno;
    }
    EXPECT_EQ(f->TZ1(2)->FontName(), platform::kDesignFont) << "the given text keeps the design font";
}

TEST(Harok20, RowPairsWithXLabelsAndColumnTabOrder)
{
    auto f = Harok_ulohy("20");
    Over_miesta(*f, {{"TZ1(1)", 55, 105, 220, 20}, {"TV1(1)", 303, 105, 163, 20}, {"TV2(1)", 493, 105, 75, 20},
                     {"TV3(1)", 304, 105, 163, 20}, {"IHod(1)", 590, 100, 32, 32}, {"TV3(10)", 304, 420, 163, 20},
                     {"TV1(6)", 303, 280, 163, 20}, {"IHod(10)", 590, 415, 32, 32}},
                "20");
    EXPECT_EQ(Pocty(*f), "TV1 10, TV2 10, TV3 10, TZ1 10, TR1 10, IHod 10") << "TR2 keeps element 1 only";
    EXPECT_EQ(Zoznam(Viditelne(*f)), Zoznam(QStringList({"TZ1(1)"}))) << "TV1(1), TV2(1), TR2(1) hidden; TV3(1) as designed";
    EXPECT_EQ(Zoznam(Tab_cyklus(*f)), Zoznam(Stlpce_po_prikladoch({"TV1", "TV2", "TV3"}, 5, 2)));
    EXPECT_EQ(f->TV3(1)->TabIndex(), 5);
    EXPECT_EQ(f->TV1(3)->TabIndex(), 7);
    EXPECT_EQ(f->TV3(10)->TabIndex(), 30);

    platform::Form vzor;
    platform::Label meradlo(&vzor);
    meradlo.FontName = platform::kDesignFont;
    meradlo.FontSize = 12;
    meradlo.AutoSize = true;
    meradlo.Caption = QStringLiteral("x = ");
    EXPECT_EQ(f->TR1(1)->Caption(), "=");
    EXPECT_EQ(f->TR1(1)->Width(), 25);
    for (int i = 2; i <= 10; ++i) {
        EXPECT_EQ(f->TR1(i)->Caption(), "x = ") << i;
        EXPECT_EQ(f->TR1(i)->Width(), meradlo.Width()) << "fitted to its caption, row " << i;
        EXPECT_FALSE(f->TR1(i)->AutoSize()) << "the fitted size stays fixed";
    }
}

} // namespace
