// The check of the equations and inequalities solved in stages: only the
// final x is judged, as one number or as a fraction, with the conditions
// of task 17 and the relation sign of task 18.
#include "Kontrola_support.h"

namespace {

using namespace hra_test;

// Task 15: D = TV1(5), N over M = TV1(6) over TV1(7); tasks 16 to 18 one row lower.
const char *const Zlomok_3_4 = "TV1(6)=3 TV1(7)=4", *const X_3 = "TV1(6)=3 TV1(12)=1 TV2(12)=-2",
                  *const Menej_3_4 = "TV1(7)=3 TV1(8)=4 TZR(6).Caption=< TZR(7).Caption=<";

TEST_F(Kontrola, RulesOfTheEquations)
{
    const Pravidlo Pravidla[] = {
        {"fraction expected, both signs changed", "15", 0, Zlomok_3_4, "TV1(6)=-3 TV1(7)=-4", true},
        {"fraction expected, not reduced", "15", 0, Zlomok_3_4, "TV1(6)=6 TV1(7)=8", false},
        {"fraction expected, its decimal value", "15", 0, Zlomok_3_4, "TV1(5)=0,75 TV1(6)=1 TV1(7)=9", true},
        {"fraction expected, a decimal with a trailing zero", "15", 0, Zlomok_3_4, "TV1(5)=0,750", false},
        {"both signs changed, a numerator that only rounds to it", "15", 0, "TV1(6)=31 TV1(7)=16",
         "TV1(6)=-31-2/5 TV1(7)=-16", false},
        {"the minus written below the bar", "15", 0, "TV1(6)=-3 TV1(7)=4", "TV1(6)=3 TV1(7)=-4", true},
        {"a third rounded", "15", 0, "TV1(6)=1 TV1(7)=3", "TV1(5)=0,33", false},
        {"a third to fifteen digits", "15", 0, "TV1(6)=1 TV1(7)=3", "TV1(5)=0,333333333333333", true},
        {"a numerator without a value", "15", 0, Zlomok_3_4, "TV1(6)=a TV1(7)=4", false},
        {"number expected, as a fraction of negatives", "16", 0, "TV1(6)=2", "TV1(7)=-4 TV1(8)=-2", true},
        {"number expected, a fraction typed with blanks", "16", 0, "TV1(6)=2", "TV1(7)=-_4 TV1(8)=-_2", true},
        {"number expected, a fraction of another value", "16", 0, "TV1(6)=2", "TV1(7)=5 TV1(8)=2", false},
        {"number expected, a fraction over zero", "16", 0, "TV1(6)=2", "TV1(7)=4 TV1(8)=0", false},
        {"number expected, a fraction that is no number", "16", 0, "TV1(6)=2", "TV1(7)=2+2 TV1(8)=2", false},
        {"only the numerator", "16", 0, "TV1(6)=2", "TV1(7)=2", false},
        {"a wrong number beside a right fraction", "16", 0, "TV1(6)=2", "TV1(6)=3 TV1(7)=4 TV1(8)=2", false},
        // Task 17: x = 3 and the conditions x ż 1, x ż -2.
        {"conditions swapped", "17", 0, X_3, "TV1(6)=3 TV1(12)=-2 TV2(12)=1", true},
        {"a condition missing", "17", 0, X_3, "TV1(6)=3 TV1(12)=1", false},
        {"conditions right, x wrong", "17", 0, X_3, "TV1(6)=4 TV1(12)=1 TV2(12)=-2", false},
        {"one condition in the second cell", "17", 0, "TV1(6)=3 TV1(12)=1", "TV1(6)=3 TV2(12)=1", true},
        {"one condition written twice", "17", 0, "TV1(6)=3 TV1(12)=1", "TV1(6)=3 TV1(12)=1 TV2(12)=1", false},
        // Task 18: x < 3/4.
        {"the decimal value with its sign", "18", 0, Menej_3_4, "TV1(6)=0,75 IZnam(6)=<", true},
        {"the decimal value, the sign reversed", "18", 0, Menej_3_4, "TV1(6)=0,75 IZnam(6)=>", false},
        {"the decimal value, no sign set", "18", 0, Menej_3_4, "TV1(6)=0,75", false},
        {"the decimal value, the sign on the fraction's row", "18", 0, Menej_3_4, "TV1(6)=0,75 IZnam(7)=<", false},
        {"the fraction of negatives keeps the sign", "18", 0, Menej_3_4, "TV1(7)=-3 TV1(8)=-4 IZnam(7)=<", true},
        {"number expected, a fraction with its sign", "18", 0, "TV1(6)=2 TZR(6).Caption=> TZR(7).Caption=>",
         "TV1(7)=4 TV1(8)=2 IZnam(7)=>", true},
    };
    Over_pravidla(Pravidla, 3);
}

TEST_F(Kontrola, TheMarkStandsBesideTheFormUsed)
{
    // bunka: the row of TV1 the mark stands beside
    const struct { const char *meno, *tagy, *odpovede; int bunka; } Pripady[] = {
        {"the number written", "TV1(7)=3 TV1(8)=4", "TV1(6)=1", 6},
        {"the fraction written", "TV1(6)=2", "TV1(7)=4 TV1(8)=2", 8},
        {"only the numerator, a fraction expected", "TV1(7)=3 TV1(8)=4", "TV1(7)=3", 8},
    };
    for (const auto &p : Pripady) {
        Hra &h = Ukaz("16", 0, 1);
        Ako_generator(h, p.tagy);
        Napis(h, p.odpovede);
        Skontroluj(h);
        EXPECT_EQ(h.IHod(1)->Left, h.TV1(p.bunka)->Left + h.TV1(p.bunka)->Width + 20) << p.meno;
    }
}

TEST_F(Kontrola, EquationsLockTheirWorkingRowsAndTheirButtons)
{
    for (const auto &[uloha, riadkov] : {std::pair{"15", 7}, std::pair{"18", 8}}) {
        Misc::Pocet_spatnych = 0;
        Hra &h = Ukaz(uloha, 0, 1);
        Skontroluj(h);
        for (int k = 1; k <= riadkov; ++k)
            EXPECT_TRUE(h.TV1(k)->Locked && h.TV2(k)->Locked && h.TV3(k)->Locked) << uloha << " row " << k;
        EXPECT_EQ(Znacka(h, 1), "ko!") << uloha;
        EXPECT_EQ(Misc::Pocet_spatnych, 1) << uloha;
    }
    QTest::mouseClick(hra->IZnam(6), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(QString(hra->IZnam(6)->Tag).toStdString(), "?") << "the sign no longer reacts";

    Hra &h17 = Ukaz("17", 0, 1);
    Napis(h17, "TV1(12)=5 TV2(12)=7");
    Skontroluj(h17);
    QTest::mouseClick(h17.ICheck(12), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_FALSE(h17.ICheck(1)->Enabled || h17.ICheck(12)->Enabled);
    EXPECT_TRUE(h17.TV1(12)->Locked && h17.TV2(12)->Locked) << "the conditions are judged";
    EXPECT_EQ(QString(h17.TV2(12)->Text).toStdString(), "7") << "the switch no longer empties it";
}

} // namespace
