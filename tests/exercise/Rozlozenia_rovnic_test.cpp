// Answer sheets of one example in successive lines: tasks 15 to 18.
#include "Harok_support.h"
#include "platform/Fonts.h"

using namespace harok_test;
using Harok::Pole;

namespace {

const Pole Riadok[] = {Pole::TZR, Pole::TV1, Pole::TV2, Pole::TR1, Pole::TV3};

// Tops of the whole lines 1..n (TZR, the cells and TR1 share them).
void Over_riadky(frm_Game01 &f, const std::vector<int> &vysky, const char *kontext)
{
    for (Pole p : Riadok)
        EXPECT_EQ(Vysky(f, p, 1, int(vysky.size())), vysky) << kontext << " " << Harok::Meno(p);
}

void Over_matematicke_pismo(frm_Game01 &f, const QStringList &mena, const char *kontext)
{
    for (const QString &m : mena) {
        platform::Control *c = Prvok(f, m);
        EXPECT_EQ(c->FontName(), "Ruvo") << kontext << " " << m.toStdString();
        EXPECT_EQ(c->FontSize(), 12) << kontext << " " << m.toStdString();
    }
}

QStringList Po_riadkoch(int riadkov)
{
    QStringList r;
    for (int i = 1; i <= riadkov; ++i)
        r << Rad("TV1", i, i) << Rad("TV2", i, i) << Rad("TV3", i, i);
    return r;
}

TEST(Harok15, SevenNudgedLinesInTheMathsFont)
{
    auto f = Harok_ulohy("15");
    Over_miesta(*f, {{"TZ1(1)", 48, 130, 179, 20}, {"TZR(1)", 227, 130, 15, 20}, {"TZ2(1)", 242, 130, 179, 20},
                     {"TV1(1)", 48, 130, 179, 20}, {"TV2(1)", 242, 130, 179, 20}, {"TR1(1)", 421, 130, 15, 20},
                     {"TV3(1)", 436, 130, 120, 20}, {"IHod(1)", 608, 125, 32, 32}, {"TV3(7)", 436, 430, 120, 20}},
                "15");
    Over_riadky(*f, {130, 190, 230, 270, 340, 380, 430}, "15");
    EXPECT_EQ(Vysky(*f, Pole::TZ1, 1, 7), (std::vector<int>{130, 190, 230, 270, 340, 380, 430}));
    EXPECT_EQ(Pocty(*f), "TV1 7, TV2 7, TV3 7, TZ1 7, TZR 7, TR1 7") << "TZ2, TR2, TR3, IHod stay single";
    EXPECT_EQ(Zoznam(Tab_cyklus(*f)), Zoznam(Po_riadkoch(7)));
    EXPECT_EQ(f->TV3(7)->TabIndex(), 21);
    EXPECT_FALSE(f->TR2(1)->Visible());
    EXPECT_FALSE(f->TR3(1)->Visible());
    Over_matematicke_pismo(*f, {"TZ1(1)", "TZ2(1)", "TZ1(5)", "TV1(1)", "TV2(4)", "TV3(7)"}, "15");
    EXPECT_EQ(f->TR1(1)->FontName(), platform::kDesignFont) << "signs keep the design font";
    EXPECT_EQ(f->TZR(3)->FontName(), platform::kDesignFont);
}

TEST(Harok16, HeaderCellsAndEightLines)
{
    auto f = Harok_ulohy("16");
    Over_miesta(*f, {{"TZ1(1)", 48, 130, 82, 20}, {"TR2(1)", 130, 130, 15, 20}, {"TZ2(1)", 145, 130, 82, 20},
                     {"TZR(1)", 227, 130, 15, 20}, {"TZ3(1)", 242, 130, 82, 20}, {"TR3(1)", 324, 130, 15, 20},
                     {"TZ4(1)", 339, 130, 82, 20}, {"TZ2(2)", 145, 130, 82, 20}, {"TZ4(2)", 339, 130, 82, 20},
                     {"TZ1(2)", 48, 140, 82, 20}, {"TV2(1)", 242, 130, 179, 20}, {"TV3(1)", 436, 130, 120, 20},
                     {"IHod(1)", 608, 125, 32, 32}},
                "16");
    Over_riadky(*f, {130, 190, 230, 270, 310, 390, 430, 480}, "16");
    EXPECT_EQ(Vysky(*f, Pole::TZ1, 3, 8), (std::vector<int>{230, 270, 310, 390, 430, 480}));
    EXPECT_EQ(Pocty(*f), "TV1 8, TV2 8, TV3 8, TZ1 8, TZ2 2, TZ3 2, TZ4 2, TZR 8, TR1 8");
    EXPECT_EQ(Zoznam(Tab_cyklus(*f)), Zoznam(Po_riadkoch(8)));
    EXPECT_EQ(f->TV3(8)->TabIndex(), 24);
    EXPECT_EQ(Zoznam(Viditelne(*f)), Zoznam(QStringList({"TV1(1)", "TV2(1)", "TZ1(1)"}))) << "header halves 2 hidden, TR2, TR3 hidden";
    Over_matematicke_pismo(*f, {"TZ1(1)", "TZ1(2)", "TZ4(2)", "TZ1(8)", "TV1(8)"}, "16");
}

TEST(Harok18, RelationSignImagesBesideNineLines)
{
    auto f = Harok_ulohy("18");
    Over_miesta(*f, {{"TZ1(1)", 48, 130, 82, 20}, {"TR2(1)", 130, 130, 15, 20}, {"TZ2(2)", 145, 130, 82, 20},
                     {"TZR(1)", 227, 130, 15, 20}, {"IZnam(1)", 227, 145, 24, 32}, {"TZ3(1)", 251, 130, 82, 20},
                     {"TR3(1)", 333, 130, 15, 20}, {"TZ4(1)", 348, 130, 82, 20}, {"TV1(1)", 48, 130, 179, 20},
                     {"TV2(1)", 251, 130, 179, 20}, {"TR1(1)", 430, 130, 15, 20}, {"TV3(1)", 445, 130, 120, 20},
                     {"IHod(1)", 617, 125, 32, 32}, {"IZnam(9)", 227, 545, 24, 32}},
                "18");
    Over_riadky(*f, {130, 190, 230, 270, 310, 390, 430, 480, 530}, "18");
    EXPECT_EQ(Vysky(*f, Pole::TZ1, 1, 9), (std::vector<int>{130, 140, 230, 270, 310, 390, 430, 480, 530}));
    EXPECT_EQ(Vysky(*f, Pole::IZnam, 1, 9), (std::vector<int>{145, 195, 245, 295, 345, 395, 445, 495, 545}))
        << "the sign images take no nudge";
    for (int i = 1; i <= 9; ++i)
        EXPECT_EQ(f->IZnam(i)->Tag(), "?") << i;
    EXPECT_EQ(Pocty(*f), "TV1 9, TV2 9, TV3 9, TZ1 9, TZ2 2, TZ3 2, TZ4 2, TZR 9, TR1 9, IZnam 9");
    EXPECT_EQ(Zoznam(Tab_cyklus(*f)), Zoznam(Po_riadkoch(9)));
    EXPECT_EQ(f->TV3(9)->TabIndex(), 27);
}

TEST(Harok17, ConditionsLineReStackedUnderTheEquation)
{
    auto f = Harok_ulohy("17");
    Over_miesta(*f, {{"TZ1(1)", 48, 115, 50, 20}, {"TR2(1)", 98, 115, 14, 20}, {"TZ2(1)", 112, 115, 50, 20},
                     {"TR3(1)", 162, 115, 15, 20}, {"TZ3(1)", 177, 115, 50, 20}, {"TZR(1)", 227, 115, 15, 20},
                     {"TZ4(1)", 242, 115, 82, 20}, {"TR4(1)", 324, 115, 15, 20}, {"TZ5(1)", 339, 115, 82, 20},
                     {"TZ5(2)", 339, 115, 82, 20}, {"TV1(1)", 48, 115, 179, 20}, {"TV2(1)", 242, 115, 179, 20},
                     {"TR1(1)", 421, 115, 15, 20}, {"TV3(1)", 436, 115, 120, 20}, {"ICheck(1)", 575, 110, 32, 32},
                     {"ICheck(12)", 575, 60, 32, 32}, {"IHod(1)", 608, 110, 32, 32}},
                "17");
    const std::vector<int> riadky{115, 225, 265, 305, 345, 445, 465, 515, 565, 615, 665, 175};
    Over_riadky(*f, riadky, "17");
    EXPECT_EQ(Vysky(*f, Pole::TZ1, 1, 12),
              (std::vector<int>{115, 125, 215, 255, 295, 395, 415, 465, 515, 565, 615, 665}))
        << "TZ1(3..11) one step above its line, TZ1(12) at the bottom";
    EXPECT_EQ(Pocty(*f), "TV1 12, TV2 12, TV3 12, TZ1 12, TZ2 2, TZ3 2, TZ4 2, TZ5 2, TZR 12, TR1 12, ICheck 1,12");
    EXPECT_EQ(Zoznam(Tab_cyklus(*f)), Zoznam(Po_riadkoch(10) + QStringList{"TV1(11)", "TV2(11)", "TV3(11)", "TV1(12)", "TV2(12)", "TV3(12)"}))
        << "lines 11 and 12 keep the place their creation gave them: last";
    EXPECT_EQ(f->TV1(10)->TabIndex(), 28);
    EXPECT_EQ(f->TV3(10)->TabIndex(), 30);
    EXPECT_TRUE(f->ICheck(12)->Enabled());
    EXPECT_FALSE(f->ICheck(12)->Visible());
    EXPECT_TRUE(f->ICheck(1)->Enabled());
    EXPECT_EQ(Zoznam(Viditelne(*f)), Zoznam(QStringList({"TV1(1)", "TV2(1)", "TZ1(1)"}))) << "TR4(1) stays as designed";
    Over_matematicke_pismo(*f, {"TZ1(1)", "TZ5(2)", "TZ1(12)", "TV1(12)", "TV3(11)"}, "17");
    for (int i = 2; i <= 12; ++i) {
        EXPECT_EQ(f->TV2(i)->Alignment(), platform::vbCenter) << i;
        EXPECT_TRUE(f->TV2(i)->TabStop()) << i;
    }
}

} // namespace
