// The check of task 11: each example of three rows of conditions is judged
// by its last row that expects a condition.
#include "Kontrola_support.h"

namespace {

using namespace hra_test;

// Example 1: rows 1 to 3. Conditions "x ż 2" and "x ż -3" (left side in
// TV1 or TV3, right side in TV2 or TV4).
const char *const Dve = "TV1(3)=x TV2(3)=2 TV3(3)=x TV4(3)=-3";
const char *const Jedna = "TV1(3)=x TV2(3)=2";

TEST_F(Kontrola, RowsOfConditions)
{
    const struct {
        const char *meno, *tagy, *odpovede;
        bool spravne;
    } Pripady[] = {
        {"two conditions in their order", Dve, "TV1(3)=x TV2(3)=2 TV3(3)=x TV4(3)=-3", true},
        {"two conditions swapped", Dve, "TV1(3)=x TV2(3)=-3 TV3(3)=x TV4(3)=2", true},
        {"the sides of a condition swapped", Dve, "TV1(3)=2 TV2(3)=x TV3(3)=x TV4(3)=-3", false},
        {"one of two conditions", Dve, "TV1(3)=x TV2(3)=2", false},
        {"one condition, anything beside it in the last cell", Jedna, "TV1(3)=x TV2(3)=2 TV4(3)=7", true},
        {"one condition in the second place only", Jedna, "TV3(3)=x TV4(3)=2", false},
        {"one condition written twice", Jedna, "TV1(3)=x TV2(3)=2 TV3(3)=x TV4(3)=2", true},
        {"one condition and another one", Jedna, "TV1(3)=x TV2(3)=2 TV3(3)=x TV4(3)=5", false},
        {"the middle row judges when the last expects nothing", "TV1(2)=x TV2(2)=2", "TV1(2)=x TV2(2)=2", true},
        {"no row expects a first condition", "TV3(2)=x TV4(2)=2", "TV3(2)=x TV4(2)=2", false},
        {"the last row expects a second condition only", "TV3(3)=x TV4(3)=-3 TV1(2)=x TV2(2)=2",
         "TV1(2)=x TV2(2)=2", false},
        {"factors without a dot, in another order", "TV1(3)=x·(x-3)·(x+1) TV2(3)=0",
         "TV1(3)=x(x+1)(x-3) TV2(3)=0", true},
        {"the first row is never judged", "TV1(1)=x TV2(1)=2", "TV1(1)=x TV2(1)=2", false},
    };
    for (const auto &p : Pripady) {
        Misc::Pocet_spravnych = Misc::Pocet_spatnych = 0;
        Hra &h = Ukaz("11", 0, 3);
        Ako_generator(h, p.tagy);
        Napis(h, p.odpovede);
        Skontroluj(h);
        EXPECT_EQ(Znacka(h, 1).toStdString(), p.spravne ? "ok" : "ko!") << p.meno;
    }
}

} // namespace
