// The value table of task 21 in both variants.
#include "Harok_support.h"
#include "platform/Fonts.h"

using namespace harok_test;
using Harok::Pole;

namespace {

const Pole Bunky[] = {Pole::TV1, Pole::TV2, Pole::TV3, Pole::TV4, Pole::TV5, Pole::TV6};
const Pole Popisy[] = {Pole::TZ2, Pole::TZ3, Pole::TZ4, Pole::TZ5, Pole::TZ6, Pole::TZ7};

struct Varianta {
    int cislo;
    std::vector<int> riadky;          // Top of TZ1 and TR1 in rows 1..10
    std::vector<std::pair<int, int>> znamky; // Left, Top of IHod(1..5)
    int prva_left, sirka;             // of TV1(1) and every cell
    double pismo;                     // cell font size read back
};

const Varianta Varianty[] = {
    {1, {153, 192, 206, 244, 299, 337, 353, 391, 460, 498}, {{296, 157}, {296, 211}, {296, 304}, {296, 358}, {552, 425}},
     49, 39, platform::pixelsToPoints(platform::pointsToPixels(10))},
    {2, {106, 145, 180, 218, 254, 292, 328, 366, 402, 440}, {{603, 110}, {603, 187}, {603, 264}, {603, 341}, {603, 418}},
     266, 54, 12},
};

TEST(Harok21, RowsOfBothVariants)
{
    for (const Varianta &v : Varianty) {
        SCOPED_TRACE(v.cislo);
        auto f = Harok_ulohy("21", v.cislo);
        EXPECT_EQ(Vysky(*f, Pole::TZ1, 1, 10), v.riadky);
        EXPECT_EQ(Vysky(*f, Pole::TR1, 1, 10), v.riadky);
        for (int i = 1; i <= 10; ++i)
            for (int k = 0; k < 6; ++k) {
                platform::Control *c = f->Prvok(Bunky[k], i);
                EXPECT_EQ(c->Top(), v.riadky[size_t(i - 1)] + 2) << "row " << i << " cell " << k + 1;
                EXPECT_EQ(c->Left(), v.prva_left + (v.sirka + 1) * k) << "row " << i << " cell " << k + 1;
                EXPECT_EQ(c->Width(), v.sirka);
                EXPECT_EQ(c->Height(), 18);
                EXPECT_EQ(c->FontSize(), v.pismo);
                const platform::Control *popis = f->Prvok(Popisy[k], i);
                EXPECT_EQ(popis->Left(), c->Left());
                EXPECT_EQ(popis->Width(), c->Width());
                EXPECT_EQ(popis->FontSize(), v.pismo);
                EXPECT_EQ(dynamic_cast<const platform::Label *>(popis)->Alignment(), platform::vbCenter);
            }
        for (int e = 1; e <= 5; ++e) {
            EXPECT_EQ(f->IHod(e)->Left(), v.znamky[size_t(e - 1)].first) << "mark " << e;
            EXPECT_EQ(f->IHod(e)->Top(), v.znamky[size_t(e - 1)].second) << "mark " << e;
        }
        EXPECT_EQ(f->TR1(1)->Left(), f->TV4(1)->Left());
        EXPECT_EQ(f->TZ1(1)->BackStyle(), platform::vbTransparent);
        EXPECT_EQ(f->TZ1(4)->Alignment(), platform::vbCenter);
        EXPECT_EQ(f->TZ1(1)->FontSize(), 12) << "the heading keeps its size";
        EXPECT_EQ(Pocty(*f), "TV1 10, TV2 10, TV3 10, TV4 10, TV5 10, TV6 10, TZ1 10, TZ2 10, TZ3 10, TZ4 10, TZ5 10, "
                             "TZ6 10, TZ7 10, TR1 10, IHod 5");
        EXPECT_FALSE(f->TR2(1)->Visible());
    }
}

TEST(Harok21, ValueLabelsCoverTheirCellsExceptMovedRowsOfVariantTwo)
{
    for (int varianta : {1, 2})
        for (int i = 1; i <= 10; ++i) {
            auto f = Harok_ulohy("21", varianta);
            const int posun_v2[] = {0, 0, 3, 3, 5, 5, 7, 7, 9, 9};
            const int ocakavane = varianta == 1 ? 0 : posun_v2[i - 1];
            for (int k = 0; k < 6; ++k)
                EXPECT_EQ(f->Prvok(Popisy[k], i)->Top - f->Prvok(Bunky[k], i)->Top, ocakavane)
                    << "variant " << varianta << " row " << i << " cell " << k + 1;
        }
}

TEST(Harok21, SixtyCellsDownTheColumnsOfEachExample)
{
    auto f = Harok_ulohy("21", 2);
    QStringList poradie;
    for (int e = 1; e <= 5; ++e)
        for (int k = 1; k <= 6; ++k)
            poradie << QStringLiteral("TV%1(%2)").arg(k).arg(2 * e - 1) << QStringLiteral("TV%1(%2)").arg(k).arg(2 * e);
    EXPECT_EQ(Zoznam(Tab_cyklus(*f)), Zoznam(poradie));
    const struct { const char *prvok; int index; } tabulka[] = {
        {"TV1(1)", 1}, {"TV1(2)", 2}, {"TV2(1)", 3}, {"TV6(2)", 12}, {"TV1(3)", 13}, {"TV6(10)", 60}};
    for (const auto &r : tabulka)
        EXPECT_EQ(Prvok(*f, r.prvok)->TabIndex(), r.index) << r.prvok;
    for (int i = 1; i <= 10; ++i)
        EXPECT_FALSE(f->TV6(i)->Locked()) << i;
    EXPECT_EQ(Zoznam(Viditelne(*f)), Zoznam(QStringList{"TV1(1)", "TV2(1)", "TZ1(1)"}))
        << "element 1 keeps its designed visibility; the rows are hidden";
}

} // namespace
