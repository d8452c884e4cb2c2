// One example of each worksheet block of tasks 1 to 15: which labels of the
// screen's row being printed it reads.
#include "Tlac_support.h"

#include "printing/Pracovni_list.h"

using namespace Misc;
using tlac_test::Tlac;

namespace {

struct Priklad {
    const char *name;
    const char *uloha;
    int cislo;
    int C;             // row of the screen being printed
    const char *texty; // as Texty_bloku gives them
};

// Every caption names its label, so that the printed text shows which
// label was read.
const Priklad priklady[] = {
    {"tasks 1 and 2: the assignment over its answer line", "2", 1, 1, "_ = _|1)  TZ1(1) ="},
    {"tasks 1 and 2 read the first line of example C", "1", 7, 2, "_ = _|7)  TZ1(3) ="},
    {"tasks 4 to 10 read the line of example C", "9", 12, 2, "_ = _|12)  TZ1(2) ="},
    {"tasks 3 and 12: a fraction of example C", "12", 20, 2, "_|_|20)|=|=|TZ1(3)|TZ1(4)"},
    {"task 11: three lines a screen", "11", 8, 2, "_|8)|TZ1(4)|TZ1(5)|_|_|_"},
    {"tasks 13 and 14: two fractions and the sign", "14", 3, 2, "3)|_|TZ1(3)|TZ1(4)|TZR(3)|_|TZ2(3)|TZ2(4)|=|_ = _"},
    {"task 15: the equation of row 1 above four answer lines", "15", 10, 3, "10)|TZ1(1) TZR(1) TZ2(1)|_|_|_|_"},
};

TEST_F(Tlac, Vytiskni_blok_ReadsTheLabelsOfTheExampleInItsSlot)
{
    for (const Priklad &p : priklady) {
        SCOPED_TRACE(p.name);
        Nova_strana();
        const Blok_ulohy *blok = Blok_pre_ulohu(QLatin1String(p.uloha));
        ASSERT_NE(blok, nullptr);
        Cislo_tisteneho_prikladu = qint16(p.C);
        Vytiskni_blok(*blok, p.cislo, 1, 37, [](Harok::Pole pole, int index) {
            return QStringLiteral("%1(%2)").arg(QLatin1String(Harok::Meno(pole))).arg(index);
        });
        EXPECT_EQ(Texty_bloku(), QLatin1String(p.texty));
    }
    Cislo_tisteneho_prikladu = 0;
}

} // namespace
