// The check command: the pupil types answers into the cells that a
// generator has filled, presses the check button, and sees one mark per
// example and the counts of the series.
#include "Kontrola_support.h"

namespace {

using namespace hra_test;

TEST_F(Kontrola, OneRightAndOneWrongExampleAreMarkedAndCounted)
{
    Hra &h = Ukaz("1", 0, 10);
    Ako_generator(h, "TV2(1)=12 TV2(3)=3 TV2(4)=4");
    Napis(h, "TV2(1)=12 TV2(3)=3 TV2(4)=5");
    Skontroluj(h);
    EXPECT_EQ(Znacky(h, 10), "ok - ko! - ko! - ko! - ko! -") << "empty examples are wrong";
    EXPECT_EQ(Misc::Pocet_spravnych, 1);
    EXPECT_EQ(Misc::Pocet_spatnych, 4);
    EXPECT_TRUE(h.picPokracuj->Visible);

    QTest::keyClicks(h.TV2(1)->editor(), QStringLiteral("3"));
    QTest::mouseClick(h.TV1(2)->editor(), Qt::LeftButton);
    QTest::keyClicks(h.TV1(2)->editor(), QStringLiteral("3"));
    EXPECT_EQ(QString(h.TV2(1)->Text).toStdString(), "12") << "the checked cells are locked";
    EXPECT_EQ(QString(h.TV1(2)->Text).toStdString(), "");
}

TEST_F(Kontrola, TheRowCheckSuppressesTheContinueButtonOnce)
{
    Hra &h = Ukaz("1", 0, 10);
    h.Zobrazit_pokracuj = false;
    Skontroluj(h);
    EXPECT_FALSE(h.picPokracuj->Visible);
    EXPECT_TRUE(h.Zobrazit_pokracuj);
    EXPECT_EQ(hodiny.WaitsWithEvents().size(), 0) << "no slide";
}

TEST_F(Kontrola, EachTaskMarksLocksAndCountsOnlyTheExamplesOfItsScreen)
{
    // vynechane: examples the generator gave up on; znacky: IHod(1) to IHod(10);
    // otvoreny: a row of TV1 outside the examples judged, left open
    const struct { const char *uloha; int varianta, zvolene; std::vector<int> vynechane; const char *znacky;
                   int otvoreny; } Obrazovky[] = {
        {"1", 0, 2, {}, "ko! - ko! - - - - - - -", 5},     {"19", 2, 8, {}, "ko! ko! ko! ko! - - - - - -", 5},
        {"20", 0, 3, {}, "- ko! - ko! - ko! - - - -", 7}, {"13", 0, 10, {1}, "- - ko! - ko! - ko! - ko! -", 1},
        {"4", 0, 5, {2, 4}, "ko! - ko! - ko! - - - - -", 2}, {"11", 0, 5, {3}, "ko! ko! - - - - - - - -", 7},
        {"15", 0, 5, {1}, "- - - - - - - - - -", 5},         {"2", 0, 5, {1, 2, 3, 4, 5}, "- - - - - - - - - -", 1},
    };
    for (const auto &o : Obrazovky) {
        Misc::Pocet_spravnych = Misc::Pocet_spatnych = 0;
        Hra &h = Ukaz(o.uloha, o.varianta, o.zvolene);
        for (int i : o.vynechane)
            h.Priklad_vytvoreny[size_t(i)] = false; // as a generator leaves an example it gave up on
        Skontroluj(h);
        const int pocet = int(QString::fromLatin1(o.znacky).count(QLatin1String("ko!")));
        EXPECT_EQ(Znacky(h, 10), o.znacky) << o.uloha;
        EXPECT_EQ(Misc::Pocet_spatnych, pocet) << o.uloha;
        EXPECT_FALSE(h.TV1(o.otvoreny)->Locked) << o.uloha;
        EXPECT_EQ(h.PicTop(1)->Enabled, pocet == 0) << o.uloha << ": a screen without examples is not checked";
    }
    // Percentages of variant b keep their working cells open.
    Ukaz("19", 2, 4);
    Skontroluj(*hra);
    EXPECT_TRUE(hra->TV1(1)->Locked);
    EXPECT_FALSE(hra->TV2(1)->Locked || hra->TV3(1)->Locked || hra->TV4(1)->Locked);
}

const char *const Zlomok = "TV2(1)=3 TV2(2)=4", *const Dva_zlomky = "TV2(1)=1 TV2(2)=2 TV1(1)=2 TV1(2)=4";

TEST_F(Kontrola, RulesOfTheTasks)
{
    const Pravidlo Pravidla[] = {
        // Tasks 1 to 3 and 12: rows 1 and 2, expected lines in the second column.
        {"one row: a step in the first column, the result in the second", "2", 0, "TV2(1)=12",
         "TV1(1)=5+7 TV2(1)=12", true},
        {"one row: the result in the first column", "1", 0, "TV2(1)=12", "TV1(1)=12", true},
        {"one row: terms added in another order", "1", 0, "TV2(1)=2x+3", "TV2(1)=3+2x", true},
        {"one row: a wrong result", "1", 0, "TV2(1)=12", "TV2(1)=13", false},
        {"one row: 0,750 is not 0,75", "1", 0, "TV2(1)=0,75", "TV2(1)=0,750", false},
        {"one row: blanks typed around and inside", "1", 0, "TV2(1)=12", "TV2(1)=_1_2_", true},
        {"fraction right in the second column, wrong in the first", "3", 0, Zlomok,
         "TV1(1)=6 TV1(2)=8 TV2(1)=3 TV2(2)=4", true},
        {"fraction right in the first column, anything in the second", "3", 0, Zlomok,
         "TV1(1)=3 TV1(2)=4 TV2(1)=6 TV2(2)=8", true},
        {"numerator in one column, denominator in the other", "3", 0, Zlomok, "TV1(1)=3 TV2(2)=4", false},
        {"a fraction without its lower line", "3", 0, Zlomok, "TV2(1)=3", false},
        {"task 12 as task 3", "12", 0, "TV2(1)=x+1 TV2(2)=x", "TV1(1)=1+x TV1(2)=x", true},
        // Tasks 4 to 10, 19 and 20: one cell per example.
        {"task 5: the second form in the label's Tag", "5", 0, "TV1(1)=x+x TZ1(1)=2x", "TV1(1)=2x", true},
        {"task 7: an empty cell", "7", 0, "TV1(1)=3", "", false},
        {"task 9: a wrong answer", "9", 0, "TV1(1)=3", "TV1(1)=-3", false},
        {"task 10: the third accepted form", "10", 0, "V(1,1)=x+x V(2,1)=x*2 V(3,1)=2x", "TV1(1)=2x", true},
        {"task 10: none of the forms", "10", 0, "V(1,1)=x+x V(2,1)=2x", "TV1(1)=3x", false},
        {"task 19b: the result in the fourth cell", "19", 2, "TV4(1)=40", "TV2(1)=8 TV4(1)=40", true},
        {"task 19b: the result in the first cell", "19", 2, "TV4(1)=40", "TV1(1)=40", false},
        // Tasks 13 and 14: a fraction per column, numerators on row 1.
        {"task 13: the second result in the first column", "13", 0, Dva_zlomky, "TV1(1)=2 TV1(2)=4", true},
        {"task 13: the factors below in another order", "13", 0, "TV2(1)=1 TV2(2)=(x+8)(x+10)",
         "TV2(1)=1 TV2(2)=(x+10)(x+8)", true},
        {"task 13: lines of the two results mixed", "13", 0, Dva_zlomky, "TV1(1)=1 TV1(2)=4", false},
        {"task 13: a lower cell of the second column decides", "13", 0, "TV2(1)=1 TV2(2)=2",
         "TV1(1)=1 TV1(2)=2 TV2(2)=5", false},
        {"task 13: an upper cell alone does not", "13", 0, "TV2(1)=1 TV2(2)=2", "TV1(1)=1 TV1(2)=2 TV2(1)=9", true},
        {"task 14: the first column", "14", 0, "TV2(1)=3 TV2(2)=5", "TV1(1)=3 TV1(2)=5", true},
        {"task 14: the first column's Tags play no part", "14", 0, "TV2(1)=3 TV2(2)=5 TV1(1)=6 TV1(2)=10",
         "TV1(1)=6 TV1(2)=10", false},
        {"task 14: a cell of blanks is an empty cell", "14", 0, "TV2(1)=3 TV2(2)=5", "TV1(1)=3 TV1(2)=5 TV2(2)=__",
         true},
        {"task 14: a wrong first column and a right second", "14", 0, "TV2(1)=3 TV2(2)=5",
         "TV1(1)=1 TV2(1)=3 TV2(2)=5", true},
        {"task 14: a right first column and a wrong second", "14", 0, "TV2(1)=3 TV2(2)=5",
         "TV1(1)=3 TV1(2)=5 TV2(1)=1 TV2(2)=1", false},
    };
    Over_pravidla(Pravidla, 1);
}

} // namespace
