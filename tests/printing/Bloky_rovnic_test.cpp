// One example of each worksheet block of tasks 16 to 18, from row 1 of the
// task's answer sheet filled as its generator leaves it: which labels are
// read and which terms stand as fractions.
#include "Tlac_support.h"

#include "Rovnice_support.h"
#include "printing/Pracovni_list.h"

using namespace Misc;
using tlac_test::Tlac;
using rovnice_test::priklady;
using rovnice_test::Riadok_1;

namespace {

TEST_F(Tlac, Blok_rovnice_PrintsRowOneTermByTerm)
{
    for (const rovnice_test::Priklad &p : priklady) {
        SCOPED_TRACE(p.name);
        const auto f = Riadok_1(p.uloha, p.zlomek, QString::fromLatin1(p.znamienko), p.popisy);
        Nova_strana();
        Blok_rovnice_pre_ulohu(QLatin1String(p.uloha))(*f, 1, 1, 37);
        // Three answer lines leave room for the fractions' lines, four under a formula.
        EXPECT_EQ(Texty_bloku(), QString::fromUtf8(p.texty) + QStringLiteral("|_").repeated(p.zlomek ? 3 : 4));
        const auto t = tlaciaren.Texts();
        for (qsizetype i = 0; i + 2 < t.size(); ++i)
            EXPECT_TRUE(t[i].text != QString(5, QLatin1Char('_')) || (t[i + 1].y < t[i].y && t[i].y < t[i + 2].y))
                << "numerator over the bar over the denominator";
    }
}

} // namespace
