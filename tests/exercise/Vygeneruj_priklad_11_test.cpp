// Task 11: the shipped templates give expressions whose conditions, line by
// line, exclude exactly the values that make the lower part 0; the sheet
// shows line 1 open and line 2 waiting, nothing of the screen before.
#include "Generatory_support.h"
#include "expr/NumberText.h"

namespace {

using namespace hra_test;
using Priklad11 = Obrazovka;

// The condition "lava ≠ prava" fails exactly where the lower part is 0,
// at the whole x from -12 to 12.
QString Rovnocenna(frm_Game01 &f, const QString &menovatel, const QString &lava, const QString &prava)
{
    for (int x = -12; x <= 12; ++x) {
        const auto m = Hodnota(f, menovatel, x), l = Hodnota(f, lava, x), p = Hodnota(f, prava, x);
        if (!m || !l || !p || (*m == 0) != (*l == *p))
            return QStringLiteral("%1 ż %2 against %3 ż 0 at x = %4").arg(lava, prava, menovatel).arg(x);
    }
    return {};
}

// The values that the last line of example i excludes.
std::set<double> Vylucene(frm_Game01 &f, int i)
{
    const int r = f.TV1(3 * i)->Tag().isEmpty() ? 3 * i - 1 : 3 * i;
    std::set<double> v;
    for (auto [lava, prava] : {std::pair{f.TV1(r), f.TV2(r)}, std::pair{f.TV3(r), f.TV4(r)}}) {
        if (QString(lava->Tag).isEmpty())
            continue;
        EXPECT_EQ(lava->Tag(), "x") << "row " << r;
        if (const auto c = ParseNumber(prava->Tag()))
            v.insert(*c);
        else
            ADD_FAILURE() << "row " << r << ": no number " << prava->Tag().toStdString();
    }
    return v;
}

TEST_F(Priklad11, ShippedTemplatesExcludeExactlyTheZerosOfTheLowerPart)
{
    Hra &h = Nacitaj("11", 0, 5);
    Kazda_seria(h, [&](quint32) {
        for (int i = 1; i <= Misc::Pocet_prikladu; ++i) {
            const int t = Misc::Vybrany_vzor[i], a = 3 * i - 2, b = a + 1, c = a + 2;
            const QString menovatel = h.TZ1(b)->Caption;
            SCOPED_TRACE(QStringLiteral("example %1, template %2: %3 / %4").arg(i).arg(t).arg(h.TZ1(a)->Caption(), menovatel).toStdString());
            const std::set<double> vylucene = Vylucene(h, i);
            ASSERT_FALSE(vylucene.empty());
            for (int x = -12; x <= 12; ++x) {
                const auto m = Hodnota(h, menovatel, x);
                ASSERT_TRUE(m) << "x = " << x;
                EXPECT_EQ(*m == 0, vylucene.count(x) == 1) << "x = " << x;
            }
            for (double v : vylucene)
                EXPECT_EQ(Hodnota(h, menovatel, v).value_or(1), 0.0) << "x = " << v;
            EXPECT_EQ(Rovnocenna(h, menovatel, h.TV1(a)->Tag, h.TV2(a)->Tag), QString()) << "line 1";
            EXPECT_EQ(h.TV1(a)->Tag(), menovatel) << "line 1 writes the lower part";
            if (t != 1) {
                EXPECT_EQ(Rovnocenna(h, menovatel, h.TV1(b)->Tag, h.TV2(b)->Tag), QString()) << "line 2";
                if (!h.TV3(b)->Tag().isEmpty()) {
                    EXPECT_EQ(Rovnocenna(h, menovatel, h.TV3(b)->Tag, h.TV4(b)->Tag), QString()) << "line 2, other form";
                }
            }
            EXPECT_EQ((h.ICheck(a)->Tag() + '|' + h.ICheck(b)->Tag() + '|' + h.ICheck(c)->Tag()).toStdString(),
                      t == 1 ? "Check|Switcher_and|" : "Check|Check|Switcher_and");
            EXPECT_TRUE(h.TV1(a)->Enabled && !h.TV1(a)->Locked && !h.TV1(b)->Enabled) << "line 2 waits for line 1";
        }
    });
    EXPECT_EQ(box.AskedBoxes().size(), 0u);
}

// Rows of an example not shown and the third button of a two-line example
// keep nothing of the screen before.
TEST_F(Priklad11, SheetOfTwoExamples)
{
    Hra &h = Nacitaj("11", 0, 5);
    for (int r = 7; r <= 9; ++r) {
        h.TV1(r)->Tag = QStringLiteral("staré");
        h.ICheck(r)->Enabled = false;
    }
    h.ICheck(3)->Visible = true;
    Misc::Pocet_prikladu = 2;
    Vzory("11", {QStringLiteral("$1/x(x-1)#x(x-1)~0#x~0&x~1")});
    h.Vygeneruj_priklad_11(false);
    for (int r = 7; r <= 9; ++r) {
        EXPECT_EQ(h.TV1(r)->Tag(), QString()) << r;
        EXPECT_TRUE(h.ICheck(r)->Enabled) << r;
    }
    EXPECT_FALSE(h.ICheck(3)->Visible) << "template 1 has no third button";
}

} // namespace
