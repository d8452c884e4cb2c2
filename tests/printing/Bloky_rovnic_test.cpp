// One example of each worksheet block of tasks 16 to 18, from row 1 of the
// task's answer sheet filled as its generator leaves it: which labels are
// read, which terms stand as fractions and at what x.
#include "Tlac_support.h"

#include "Rovnice_support.h"
#include "printing/Pracovni_list.h"

using namespace Misc;
using tlac_test::Tlac;
using rovnice_test::Riadok_1;

namespace {

struct Priklad {
    const char *name;
    const char *uloha;
    bool zlomek;
    const char *znamienko; // the Tag of IZnam(1)
    rovnice_test::Popisy popisy;
    const char *texty; // as Texty_bloku gives them, with x, up to the answer lines
};

const Priklad priklady[] = {
    {"16, formula: one line read from TZ1, TZR and TZ3", "16", false, "",
     {{"TZ1(1)", "2x+3"}, {"TZR(1)", "="}, {"TZ3(1)", "5"}, {"TZ1(2)", "9"}, {"TR2(1)", "+"}, {"TZ2(1)", "y"}},
     "1)@20|2x+3 = 5@40"},
    {"16, fractions: one term a side around the literal sign", "16", true, "",
     {{"TZ1(1)", "3x"}, {"TZR(1)", "≠"}, {"TZ3(1)", "12"}, {"TZ2(1)", "not read"}, {"TZ4(1)", "not read"}},
     "1)@20|3x@57|=@70|12@74"},
    {"16, fractions: two terms a side, each a fraction by its own denominator", "16", true, "",
     {{"TZ1(1)", "x"}, {"TZ1(2)", "2"}, {"TR2(1)", "+"}, {"TZ2(1)", "1"}, {"TZ3(1)", "x"}, {"TZ3(2)", "3"},
      {"TR3(1)", "−"}, {"TZ4(1)", "5"}, {"TZ4(2)", "6"}},
     "1)@20|_@40|x@40|2@40|+@53|1@57|=@70|_@74|x@74|3@74|−@87|_@91|5@91|6@91"},
    {"17: three fractions on the left, two on the right", "17", true, "",
     {{"TZ1(1)", "1"}, {"TZ1(2)", "x"}, {"TR2(1)", "+"}, {"TZ2(1)", "2"}, {"TZ2(2)", "x−1"}, {"TR3(1)", "−"},
      {"TZ3(1)", "3"}, {"TZ3(2)", "x+1"}, {"TZR(1)", "≠"}, {"TZ4(1)", "4"}, {"TZ4(2)", "x"}, {"TR4(1)", "+"},
      {"TZ5(1)", "5"}, {"TZ5(2)", "2x"}},
     "1)@20|_@40|1@40|x@40|+@53|_@57|2@57|x−1@57|−@70|_@74|3@74|x+1@74|=@87|_@91|4@91|x@91|+@104|_@108|5@108|2x@108"},
    {"17: of three left terms only the third is a fraction", "17", true, "",
     {{"TZ1(1)", "2"}, {"TR2(1)", "+"}, {"TZ2(1)", "x"}, {"TR3(1)", "−"}, {"TZ3(1)", "1"}, {"TZ3(2)", "x"},
      {"TZ4(1)", "3"}},
     "1)@20|2@40|+@53|x@57|−@70|_@74|1@74|x@74|=@87|3@91"},
    {"17: two left terms end at 74 mm", "17", true, "",
     {{"TZ1(1)", "3"}, {"TZ1(2)", "x"}, {"TR2(1)", "−"}, {"TZ2(1)", "1"}, {"TZ3(1)", "not read"}, {"TZ4(1)", "2"},
      {"TZ5(1)", "not read"}},
     "1)@20|_@57|3@57|x@57|−@70|1@74|=@87|2@91"},
    {"17: one term a side", "17", true, "", {{"TZ1(1)", "5"}, {"TZ1(2)", "x+2"}, {"TZ4(1)", "1"}},
     "1)@20|_@74|5@74|x+2@74|=@87|1@91"},
    {"17: a third left term without a second prints no left side", "17", true, "",
     {{"TZ1(1)", "1"}, {"TZ2(1)", "2"}, {"TR3(1)", "+"}, {"TZ3(1)", "3"}, {"TZ4(1)", "4"}},
     "1)@20|=@87|4@91"},
    {"18, formula: the sign of the image, not of TZR", "18", false, ">",
     {{"TZ1(1)", "2x−3"}, {"TZR(1)", "="}, {"TZ3(1)", "5"}}, "1)@20|2x−3 > 5@40"},
    {"18, fractions: one term a side around \"<\"", "18", true, "<",
     {{"TZ1(1)", "4x"}, {"TZR(1)", ">"}, {"TZ3(1)", "8"}}, "1)@20|4x@57|<@70|8@74"},
};

TEST_F(Tlac, Blok_rovnice_PrintsRowOneTermByTerm)
{
    for (const Priklad &p : priklady) {
        SCOPED_TRACE(p.name);
        const auto f = Riadok_1(p.uloha, p.zlomek, QString::fromLatin1(p.znamienko), p.popisy);
        Nova_strana();
        Blok_rovnice_pre_ulohu(QLatin1String(p.uloha))(*f, 1, 1, 37);
        // Three answer lines leave room for the fractions' lines, four under a formula.
        EXPECT_EQ(Texty_bloku(true), QString::fromUtf8(p.texty) + QStringLiteral("|_@20").repeated(p.zlomek ? 3 : 4));
        const auto t = tlaciaren.Texts();
        for (qsizetype i = 0; i + 2 < t.size(); ++i)
            if (t[i].text == QString(5, QLatin1Char('_')))
                EXPECT_TRUE(t[i + 1].y < t[i].y && t[i].y < t[i + 2].y) << "numerator over the bar over denominator";
    }
}

TEST_F(Tlac, Blok_rovnice_SlotsAreFortyMillimetresApart)
{
    // Slot 3 of page 2 under two statement lines: base line 162 mm, the
    // number 16 mm above it, the last answer line 12 mm below.
    const auto f = Riadok_1("18", false, ">", {{"TZ1(1)", "2x−3"}, {"TZ3(1)", "5"}});
    Blok_rovnice_pre_ulohu(QStringLiteral("18"))(*f, 8, 3, 42);
    const auto t = tlaciaren.Texts();
    ASSERT_EQ(t.size(), 6);
    EXPECT_EQ(t[0].text, QStringLiteral("8) "));
    EXPECT_EQ(t[0].y, 1460);
    EXPECT_EQ(t[5].y, 1740);
    // Other tasks have none.
    for (const char *bez : {"15", "19", "21", "016", ""})
        EXPECT_FALSE(Blok_rovnice_pre_ulohu(QLatin1String(bez))) << bez;
}

} // namespace
