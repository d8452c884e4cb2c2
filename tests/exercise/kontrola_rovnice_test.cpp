// The check of the equations solved in stages: only the final x is
// judged, as one number or as a fraction.
#include "Kontrola_support.h"

namespace {

using namespace hra_test;

struct Pripad {
    const char *meno, *uloha, *tagy, *odpovede;
    bool spravne;
};

// Task 15: D = TV1(5), N over M = TV1(6) over TV1(7); tasks 16 to 18 one row lower.
const char *const Zlomok_3_4 = "TV1(6)=3 TV1(7)=4";
const Pripad Pripady[] = {
    {"fraction expected, written as expected", "15", Zlomok_3_4, "TV1(6)=3 TV1(7)=4", true},
    {"fraction expected, both signs changed", "15", Zlomok_3_4, "TV1(6)=-3 TV1(7)=-4", true},
    {"fraction expected, not reduced", "15", Zlomok_3_4, "TV1(6)=6 TV1(7)=8", false},
    {"fraction expected, its decimal value", "15", Zlomok_3_4, "TV1(5)=0,75 TV1(6)=1 TV1(7)=9", true},
    {"fraction expected, a decimal with a trailing zero", "15", Zlomok_3_4, "TV1(5)=0,750", false},
    {"minus below the bar moved above it", "15", "TV1(6)=3 TV1(7)=-4", "TV1(6)=-3 TV1(7)=4", true},
    {"minus below the bar kept", "15", "TV1(6)=3 TV1(7)=-4", "TV1(6)=3 TV1(7)=-4", true},
    {"a third rounded", "15", "TV1(6)=1 TV1(7)=3", "TV1(5)=0,33", false},
    {"a third to fifteen digits", "15", "TV1(6)=1 TV1(7)=3", "TV1(5)=0,333333333333333", true},
    {"a numerator without a value", "15", Zlomok_3_4, "TV1(6)=a TV1(7)=4", false},
    {"number expected, written", "16", "TV1(6)=2", "TV1(6)=2", true},
    {"number expected, as a fraction", "16", "TV1(6)=2", "TV1(7)=4 TV1(8)=2", true},
    {"number expected, as a fraction of negatives", "16", "TV1(6)=2", "TV1(7)=-4 TV1(8)=-2", true},
    {"number expected, a fraction of another value", "16", "TV1(6)=2", "TV1(7)=5 TV1(8)=2", false},
    {"number expected, a fraction over zero", "16", "TV1(6)=2", "TV1(7)=4 TV1(8)=0", false},
    {"number expected, a fraction that is no number", "16", "TV1(6)=2", "TV1(7)=2+2 TV1(8)=2", false},
    {"only the numerator", "16", "TV1(6)=2", "TV1(7)=2", false},
    {"a wrong number beside a right fraction", "16", "TV1(6)=2", "TV1(6)=3 TV1(7)=4 TV1(8)=2", false},
};

TEST_F(Kontrola, RulesOfTheEquations)
{
    for (const Pripad &p : Pripady) {
        Misc::Pocet_spravnych = Misc::Pocet_spatnych = 0;
        Hra &h = Ukaz(p.uloha, 0, 3);
        Ako_generator(h, p.tagy);
        Napis(h, p.odpovede);
        Skontroluj(h);
        EXPECT_EQ(Znacka(h, 1).toStdString(), p.spravne ? "ok" : "ko!") << p.meno;
        EXPECT_EQ(Misc::Pocet_spravnych * 10 + Misc::Pocet_spatnych, p.spravne ? 10 : 1) << p.meno;
    }
}

TEST_F(Kontrola, TheMarkStandsBesideTheFormUsed)
{
    const struct {
        const char *meno, *tagy, *odpovede;
        int bunka; // the row of TV1 the mark stands beside
    } Pripady[] = {
        {"the number written", "TV1(7)=3 TV1(8)=4", "TV1(6)=1", 6},
        {"the fraction written", "TV1(6)=2", "TV1(7)=4 TV1(8)=2", 8},
        {"only the numerator, a number expected", "TV1(6)=2", "TV1(7)=4", 6},
        {"only the numerator, a fraction expected", "TV1(7)=3 TV1(8)=4", "TV1(7)=3", 8},
        {"only the denominator, a number expected", "TV1(6)=2", "TV1(8)=2", 8},
    };
    for (const auto &p : Pripady) {
        Hra &h = Ukaz("16", 0, 1);
        Ako_generator(h, p.tagy);
        Napis(h, p.odpovede);
        Skontroluj(h);
        EXPECT_EQ(h.IHod(1)->Left, h.TV1(p.bunka)->Left + h.TV1(p.bunka)->Width + 20) << p.meno;
    }
}

TEST_F(Kontrola, EquationsLockTheirWorkingRows)
{
    const struct {
        const char *uloha;
        int riadkov;
    } Ulohy[] = {{"15", 7}, {"16", 8}};
    for (const auto &u : Ulohy) {
        Hra &h = Ukaz(u.uloha, 0, 1);
        Skontroluj(h);
        for (int k = 1; k <= u.riadkov; ++k)
            EXPECT_TRUE(h.TV1(k)->Locked && h.TV2(k)->Locked && h.TV3(k)->Locked) << u.uloha << " row " << k;
        EXPECT_EQ(Znacka(h, 1), "ko!") << u.uloha;
        EXPECT_EQ(Misc::Pocet_spatnych, 1) << u.uloha;
        Misc::Pocet_spatnych = 0;
    }
}

} // namespace
