// Task 15: examples from the shipped templates solve their equations; the
// result cells' Tags from the solution row; templates of tasks 15 to 18
// that can give no example end in a message, never in a loop without end.
#include "Stupne_support.h"
#include "exercise/generators/Stupne_rovnice.h"

namespace {

using namespace hra_test;
using namespace stupne_test;
using Priklad15 = Obrazovka;

TEST_F(Priklad15, ShippedTemplatesGiveSolvedEquations)
{
    Hra &h = Nacitaj("15", 0, 5);
    ASSERT_GE(Misc::Pocet_vzoru(), 8);
    int zlomky = 0;
    const auto vzory = Kazda_obrazovka(h, [&](int) {
        SCOPED_TRACE((h.Leva_strana[1] + '=' + h.Prava_strana[1]).toStdString());
        EXPECT_TRUE(Parametre_2_az_5(h));
        const Riesenie r = Riesenie_z_tagov(h, 5, 6, 7);
        ASSERT_TRUE(r.x) << r.chyba.toStdString();
        zlomky += !h.TV1(6)->Tag().isEmpty();
        EXPECT_EQ(Plati(h.Evaluator_formulara(), h.TZ1(1)->Caption(), h.TZ2(1)->Caption(), *r.x), QString());
        EXPECT_EQ(Riadky_platia(h, *r.x), QString());
        EXPECT_DOUBLE_EQ(h.Hodnota_X_kontroly, *r.x);
    });
    EXPECT_EQ(int(vzory.size()), Misc::Pocet_vzoru()) << "every template drawn";
    EXPECT_GT(zlomky, 500) << "fractions as well as whole numbers";
    EXPECT_LT(zlomky, 4500);
}

// The result cells' Tags from the solution row, as the pupil must write it.
TEST(Vysledok15, SolutionRowToCells)
{
    const struct {
        const char *meno, *prava, *tagy; // whole | numerator | denominator
    } Riadky[] = {
        {"whole", "4", "4||"},
        {"fraction that is whole", "6/3", "2||"},
        {"fraction reduced", "4/6", "|2|3"},
        {"negative numerator", "-6/4", "|-3|2"},
        {"a minus below the bar goes above it", "6/(-4)", "|-3|2"},
        {"both negative", "-6/-4", "|3|2"},
        {"zero is the whole number 0", "0/5", "0||"},
        {"whole from a negative quotient", "6/-2", "-3||"},
    };
    for (const auto &r : Riadky) {
        Tabulka_prikladov t;
        t(3, 1) = QStringLiteral("x");
        t(3, 2) = QString::fromUtf8(r.prava);
        const Stupne::Vysledok v = Stupne::Vysledok_rovnice(t);
        EXPECT_TRUE(v.platny) << r.meno;
        EXPECT_EQ(v.cele + '|' + v.citatel + '|' + v.menovatel, QString::fromUtf8(r.tagy)) << r.meno;
    }
    Tabulka_prikladov t;
    t(2, 1) = QStringLiteral("x");
    t(2, 2) = QStringLiteral("1");
    t(4, 1) = QStringLiteral("x");
    t(4, 2) = QStringLiteral("5/0");
    EXPECT_FALSE(Stupne::Vysledok_rovnice(t).platny) << "denominator 0";
    EXPECT_EQ(Stupne::Vysledok_rovnice(t).riadok, 4) << "the last row with x";
    t(4, 1) = QStringLiteral("2x");
    EXPECT_EQ(Stupne::Vysledok_rovnice(t).cele, "1");
}

// Templates of tasks 11 and 15 to 18 that can give no example end in one
// message, never in a loop without end, and leave no Tag of the example
// before; a value of 1000 is still in range. Every Rnd gives 0.95: in task
// 11, A to E are 10 and K is 9.
TEST_F(Priklad15, TemplatesThatGiveNoExampleEndInAMessage)
{
    const struct {
        const char *meno, *uloha, *riadok;
        bool vytvoreny = false;
    } Riadky[] = {
        {"1000 is in range", "11", "$x/x-$A*100#x-@A*100@~0#x~@A*100", true},
        {"-1000 is in range", "11", "$x/x+$A*100#x+@A*100@~0#x~-@A*100", true},
        {"1000.5 is not", "11", "$x/x-$A*100+0.5#x~0#x~1"},
        {"out of range in a result only", "11", "$x/x-1#x-1~0#x~@A*101"},
        {"division by zero", "11", "$x/x-1#x-1~0#x~@A/(K-9)"},
        {"no ~ in line 2", "11", "$x/x-1#x-1~0#x"},
        {"nothing at all", "11", ""},
        {"value beyond 1000", "15", "$Ax=$A*1000#x@=@1"},
        {"no solution row", "15", "$Ax=$B#Ax@=@B"},
        {"denominator always 0", "15", "$Ax=B#x@=@B@/@A-A"},
        {"piece that does not compile", "15", "$Ax=$B+*#x@=@B"},
        {"equation without =", "15", "$Ax+B#x@=@B"},
        {"unknown kind", "16", "rovnica$Ax=B#x@=@B"},
        {"unclosed bracket", "16", "zlomek$x/A$$$=$B#x@=@(B"},
        {"solution that a condition excludes", "17", "$A/x-B$$$$$=$C#x@=@B@/@1%B%0"},
        {"kind written in capitals", "18", "Vzorec$x>$1#x>@1"},
        {"boundary over 0", "18", "vzorec$x>$1#x>@1@/@0"},
        {"boundary over a drawn 0", "18", "vzorec$x>$1#x>@A@/@(A-A)"},
        {"fraction without a denominator", "18", "zlomek$x/A$$$>$1#x>@A/#"},
    };
    platform::FakeRandom nahoda({0.95f});
    platform::ScopedService<platform::RandomSource> g(nahoda);
    qsizetype sprav = 0;
    for (const auto &c : Riadky) {
        SCOPED_TRACE(c.meno);
        Hra &h = Nacitaj(c.uloha, 0, 5);
        Vzory(c.uloha, {QString::fromUtf8(c.riadok), QStringLiteral(";")});
        const int prva = QByteArray(c.uloha) == "11" ? 1 : QByteArray(c.uloha) == "15" ? 5 : 6;
        const bool podmienky = QByteArray(c.uloha) == "17";
        h.TV1(prva)->Tag = QStringLiteral("7");
        if (podmienky)
            h.TV1(12)->Tag = QStringLiteral("7");
        (h.*h.Nastavenie_obrazovky.Generator)(false);
        ASSERT_EQ(box.AskedBoxes().size(), sprav += !c.vytvoreny);
        EXPECT_EQ(Vysledne_tagy(h, prva) != "||", c.vytvoreny);
        if (podmienky) {
            EXPECT_EQ(h.TV1(12)->Tag() + h.TV2(12)->Tag(), QString()) << "the conditions row";
        }
    }
}

TEST_F(Priklad15, NoTemplatesOrASoundOneAmongBrokenOnes)
{
    Hra &h = Nacitaj("15", 0, 5);
    Misc::Vzory.Vyprazdni();
    h.Vygeneruj_priklad_15(false);
    EXPECT_EQ(box.AskedBoxes().size(), 1) << "no templates at all";
    Vzory("15", {QStringLiteral("$Ax=$A*1000#x@=@1"), QStringLiteral("$Ax=$A*B#x@=@B")});
    h.Vygeneruj_priklad_15(false);
    EXPECT_EQ(box.AskedBoxes().size(), 1) << "a sound template among broken ones";
    EXPECT_EQ(h.TV1(5)->Tag, QString::number(h.Par_B));
}

} // namespace
