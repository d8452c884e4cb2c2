// One example of each worksheet block of tasks 1 to 15: which labels of the
// screen's row being printed it reads, and where its slot lies.
#include "Tlac_support.h"

#include "printing/Pracovni_list.h"

using namespace Misc;
using tlac_test::Tlac;

namespace {

struct Priklad {
    const char *name;
    const char *uloha;
    int cislo, slot;
    qint16 Y_zacatku;
    int C;             // row of the screen being printed
    const char *texty; // as Texty_bloku gives them
    int x, y;          // mm, of the example's number
};

// Every caption names its label, so that the printed text shows which
// label was read.
const Priklad priklady[] = {
    {"tasks 1 and 2: the assignment over its answer line", "2", 1, 1, 42, 1, "_ = _|1)  TZ1(1) =", 20, 50},
    {"tasks 1 and 2 read the first line of example C", "1", 7, 3, 37, 2, "_ = _|7)  TZ1(3) =", 20, 61},
    {"tasks 4 to 10 read the line of example C", "9", 12, 12, 37, 2, "_ = _|12)  TZ1(2) =", 20, 133},
    {"tasks 3 and 12: a fraction of example C, slot 10 of page 2 under five lines", "12", 20, 10, 57, 2,
     "_|_|20)|=|=|TZ1(3)|TZ1(4)", 20, 241},
    {"task 11: three lines a screen, slot 8 above the footer", "11", 8, 8, 57, 2, "_|8)|TZ1(4)|TZ1(5)|_|_|_", 20,
     261},
    {"tasks 13 and 14: two fractions and the sign", "14", 3, 3, 37, 2,
     "3)|_|TZ1(3)|TZ1(4)|TZR(3)|_|TZ2(3)|TZ2(4)|=|_ = _", 20, 95},
    {"task 15: the equation of row 1 above four answer lines", "15", 10, 5, 57, 3,
     "10)|TZ1(1) TZR(1) TZ2(1)|_|_|_|_", 20, 241},
};

TEST_F(Tlac, Vytiskni_blok_ReadsTheLabelsOfTheExampleInItsSlot)
{
    for (const Priklad &p : priklady) {
        SCOPED_TRACE(p.name);
        Nova_strana();
        const Blok_ulohy *blok = Blok_pre_ulohu(QLatin1String(p.uloha));
        ASSERT_NE(blok, nullptr);
        Cislo_tisteneho_prikladu = qint16(p.C);
        Vytiskni_blok(*blok, p.cislo, p.slot, p.Y_zacatku, [](Harok::Pole pole, int index) {
            return QStringLiteral("%1(%2)").arg(QLatin1String(Harok::Meno(pole))).arg(index);
        });
        EXPECT_EQ(Texty_bloku(), QLatin1String(p.texty));
        for (const platform::PrintOp &op : tlaciaren.Texts()) {
            EXPECT_TRUE(!op.text.startsWith(QString::number(p.cislo) + ')') || (op.x == 10 * p.x && op.y == 10 * p.y))
                << "the number at " << op.x << ", " << op.y;
            EXPECT_LT(op.y, 2820) << "above the footer rule";
        }
    }
    Cislo_tisteneho_prikladu = 0;
}

TEST(Blok_pre_ulohu, TasksOneToFifteenShareSixBlocks)
{
    QSet<const Blok_ulohy *> bloky;
    for (int u = 1; u <= 15; ++u)
        bloky.insert(Blok_pre_ulohu(QString::number(u)));
    EXPECT_TRUE(bloky.size() == 6 && !bloky.contains(nullptr));
    for (const char *bez : {"0", "16", "21", "01", ""})
        EXPECT_EQ(Blok_pre_ulohu(QLatin1String(bez)), nullptr) << bez;
}

} // namespace
