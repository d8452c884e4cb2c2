// The check of task 21: value tables of y = k·x completed by the pupil and
// the coefficient k, in both variants.
#include "Kontrola_support.h"

namespace {

using namespace hra_test;

const char *const Stlpce[] = {"TV1", "TV2", "TV3", "TV4", "TV5", "TV6"};

// Example i as a table: x values 1 to 6 on row 2i - 1, y = 2x on row 2i.
std::string Tabulka(int i)
{
    std::string t;
    for (int k = 0; k < 6; ++k)
        t += std::string(Stlpce[k]) + "(" + std::to_string(2 * i - 1) + ")=" + std::to_string(k + 1) + " "
             + Stlpce[k] + "(" + std::to_string(2 * i) + ")=" + std::to_string(2 * (k + 1)) + " ";
    return t;
}

// The table written right, with `zmena` ("TV2(1)=2,4") replacing cells.
std::string Vyplnena(int i, const std::string &zmena = {})
{
    std::string t = Tabulka(i);
    for (const QString &z : QString::fromStdString(zmena).split(' ', Qt::SkipEmptyParts)) {
        const std::string bunka = z.section('=', 0, 0).toStdString() + "=";
        const size_t od = t.find(bunka), po = t.find(' ', od);
        t.replace(od, po - od, z.toStdString());
    }
    return t;
}

TEST_F(Kontrola, TablesAndCoefficientsOfTheLinearFunction)
{
    const struct {
        const char *meno;
        int varianta;
        std::string odpovede;
        bool spravne;
    } Pripady[] = {
        {"a table written right", 1, Vyplnena(1), true},
        {"a table written right, variant b", 2, Vyplnena(1), true},
        {"a table with one empty cell", 1, Vyplnena(1, "TV6(2)="), false},
        {"an x value near the expected one", 1, Vyplnena(1, "TV2(1)=2,4"), false},
        {"an x value near the expected one, variant b", 2, Vyplnena(1, "TV2(1)=2,4"), true},
        {"a half rounds to the even 2, variant b", 2, Vyplnena(1, "TV2(1)=2,5"), true},
        {"a half rounds to the even 4, variant b", 2, Vyplnena(1, "TV3(1)=3,5"), false},
        {"a y value near the expected one, variant b", 2, Vyplnena(1, "TV2(2)=4,4"), false},
        {"letters for an x value, variant b", 2, Vyplnena(1, "TV2(1)=dva"), false},
    };
    for (const auto &p : Pripady) {
        Misc::Pocet_spravnych = Misc::Pocet_spatnych = 0;
        Hra &h = Ukaz("21", p.varianta, 5);
        Ako_generator(h, Tabulka(1).c_str());
        Napis(h, p.odpovede.c_str());
        Skontroluj(h);
        EXPECT_EQ(Znacka(h, 1).toStdString(), p.spravne ? "ok" : "ko!") << p.meno;
    }
}

TEST_F(Kontrola, EachVariantHasItsTablesAndCoefficientsInPlace)
{
    const struct {
        int varianta;
        const char *odpovede; // k typed into TV5 of every example's lower row
        const char *znacky;
    } Obrazovky[] = {
        {1, "TV5(2)=3 TV5(4)=3 TV5(6)=3 TV5(8)=3 TV5(10)=3", "ko! ok ko! ok ok"},
        {2, "TV5(2)=3 TV5(4)=3 TV5(6)=3 TV5(8)=3 TV5(10)=3", "ko! ok ko! ok ko!"},
    };
    for (const auto &o : Obrazovky) {
        Misc::Pocet_spravnych = Misc::Pocet_spatnych = 0;
        Hra &h = Ukaz("21", o.varianta, 5);
        Ako_generator(h, "TV5(2)=3 TV5(4)=3 TV5(6)=3 TV5(8)=3 TV5(10)=3");
        Napis(h, o.odpovede);
        Skontroluj(h);
        QStringList znacky;
        for (int i = 1; i <= 5; ++i)
            znacky << Znacka(h, i);
        EXPECT_EQ(znacky.join(' ').toStdString(), o.znacky) << o.varianta;
        EXPECT_EQ(Misc::Pocet_spravnych + Misc::Pocet_spatnych, 5);
        for (int r = 1; r <= 10; ++r)
            for (auto *s : {&h.TV1, &h.TV2, &h.TV3, &h.TV4, &h.TV5, &h.TV6})
                EXPECT_TRUE((*s)(r)->Locked) << "row " << r;
    }
}

} // namespace
