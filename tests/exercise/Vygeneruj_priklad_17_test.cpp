// Task 17: examples from the shipped templates solve their equations and
// exclude exactly the values that zero a denominator; the equation row is
// laid out by its number of terms; the conditions row waits for the switch.
#include "Stupne_support.h"
#include "exercise/Gramatika_vzoru.h"
#include "exercise/Nacti_priklady.h"
#include "platform/Fonts.h"

#include <set>

namespace {

using namespace hra_test;
using namespace stupne_test;
using Priklad17 = Obrazovka;

// The sides of row 1 as the pupil reads them.
std::pair<QString, QString> Strany(frm_Game01 &f)
{
    return {Strana(f.TZ1, {{f.TR2(1), &f.TZ2}, {f.TR3(1), &f.TZ3}}), Strana(f.TZ4, {{f.TR4(1), &f.TZ5}})};
}

TEST_F(Priklad17, ShippedTemplatesGiveSolvedEquationsAndTheirConditions)
{
    Hra &h = Nacitaj("17", 0, 5);
    ASSERT_GE(Misc::Pocet_vzoru(), 6);
    std::set<int> vzory;
    for (quint32 seed = 1; seed <= 300; ++seed) {
        Randomize_seed(seed);
        h.Vygeneruj_priklad_17(false);
        const int t = Misc::Vybrany_vzor[1];
        const auto [lava, prava] = Strany(h);
        SCOPED_TRACE(QStringLiteral("seed %1, template %2: %3 = %4, x ≠ %5, %6")
                         .arg(seed).arg(t).arg(lava, prava, h.TV1(12)->Tag(), h.TV2(12)->Tag()).toStdString());
        vzory.insert(t);
        EXPECT_TRUE(Parametre_2_az_5(h));
        const Riesenie r = Riesenie_z_tagov(h, 6, 7, 8);
        ASSERT_TRUE(r.x) << r.chyba.toStdString();
        EXPECT_EQ(Plati(h.Evaluator_formulara(), lava, prava, *r.x), QString());
        EXPECT_EQ(Riadky_platia(h, *r.x), QString());
        EXPECT_DOUBLE_EQ(h.Hodnota_X_kontroly, *r.x);
        EXPECT_NE(h.TV1(12)->Tag(), h.TV2(12)->Tag());
        for (const QString &podmienka : {h.TV1(12)->Tag(), h.TV2(12)->Tag()}) {
            const auto c = ParseNumber(podmienka);
            ASSERT_TRUE(c && *c == std::round(*c)) << podmienka.toStdString();
            const bool lava_ma = Prevedeni_vstupu_na_vysledek(h.Evaluator_formulara(), lava, *c, 0, 0).has_value();
            const bool prava_ma = Prevedeni_vstupu_na_vysledek(h.Evaluator_formulara(), prava, *c, 0, 0).has_value();
            EXPECT_FALSE(lava_ma && prava_ma) << "x = " << podmienka.toStdString() << " leaves every denominator";
        }
    }
    EXPECT_EQ(int(vzory.size()), Misc::Pocet_vzoru()) << "every template drawn";
}

TEST_F(Priklad17, EquationRowByNumberOfTerms)
{
    Hra &h = Nacitaj("17", 0, 5);
    const auto stav = [&] {
        QStringList s;
        for (platform::Label *p : {h.TZ1(1), h.TZ1(2), h.TR2(1), h.TZ2(1), h.TZ2(2), h.TR3(1), h.TZ3(1), h.TZ3(2),
                                   h.TZR(1), h.TZ4(1), h.TZ4(2), h.TR4(1), h.TZ5(1), h.TZ5(2)})
            s << (p->Visible ? QStringLiteral("%1@%2,%3/%4").arg(p->Caption()).arg(p->Left).arg(p->Top).arg(p->Width)
                             : QStringLiteral("-"));
        return s.join(' ').toStdString();
    };
    const struct {
        const char *meno, *riadok, *ocakavane;
    } Riadky[] = {
        {"three terms = two terms", "$A/x$+$B$-$C/x$=$x/D$-$E#x@=@1%0%7",
         "2@48,104/50 x@48,125/50 +@98,115/14 3@112,115/50 - -@162,115/15 4@177,104/50 x@177,125/50 =@227,115/15 "
         "x@242,104/82 5@242,125/82 -@324,115/15 2@339,115/82 -"},
        {"two terms = one", "$A/x$-$B/x$$$=$C#x@=@1%0%7",
         "2@48,104/82 x@48,125/82 -@130,115/14 3@145,104/82 x@145,125/82 - - - =@227,115/15 4@242,115/179 - - - -"},
        {"one term = one", "$x/A$$$$$=$B#x@=@1%0%7",
         "x@48,104/179 2@48,125/179 - - - - - - =@227,115/15 3@242,115/179 - - - -"},
    };
    for (const auto &r : Riadky) {
        Misc::Vzory = Misc::Precti_vzory({QStringLiteral("[17]"), QString::fromUtf8(r.riadok)}, "17", 0).vzory;
        ASSERT_EQ(Misc::Pocet_vzoru(), 1) << r.meno;
        // A = 2, B = 3, C = 4, D = 5, E = 2, F = 3.
        platform::FakeRandom nahoda({0.0f, 0.0f, 0.25f, 0.5f, 0.75f, 0.0f, 0.25f});
        platform::ScopedService<platform::RandomSource> g(nahoda);
        h.Vygeneruj_priklad_17(false);
        EXPECT_EQ(stav(), r.ocakavane) << r.meno;
    }
}

TEST_F(Priklad17, ConditionsRowAndResultCells)
{
    Hra &h = Nacitaj("17", 0, 5);
    h.TV2(12)->Enabled = true;
    h.TV2(12)->Text = QStringLiteral("staré");
    Misc::Vzory = Misc::Precti_vzory({QStringLiteral("[17]"), QStringLiteral("$A/x-B$$$$$=$C#x@=@B*C+A@/@C%B%-F/E")},
                                     "17", 0).vzory;
    platform::FakeRandom nahoda({0.0f, 0.0f, 0.25f, 0.5f, 0.75f, 0.0f, 0.5f}); // A..F = 2 3 4 5 2 4
    platform::ScopedService<platform::RandomSource> g(nahoda);
    h.Vygeneruj_priklad_17(false);

    EXPECT_EQ((h.TV1(12)->Tag() + '|' + h.TV2(12)->Tag()).toStdString(), "3|-2") << "a quotient is a value";
    EXPECT_EQ((h.TV1(6)->Tag() + '|' + h.TV1(7)->Tag() + '|' + h.TV1(8)->Tag()).toStdString(), "|7|2");
    EXPECT_DOUBLE_EQ(h.Hodnota_X_kontroly, 3.5);
    EXPECT_EQ(QStringLiteral("%1 %2").arg(h.TV1(12)->Left).arg(h.TV1(12)->Width),
              QStringLiteral("%1 %2").arg(h.TV1(2)->Left + 40).arg(h.TV1(2)->Width - 80));
    EXPECT_TRUE(h.TV1(12)->Visible && h.TV1(12)->Enabled && !h.TV1(12)->Locked);
    EXPECT_EQ(h.TV2(12)->Left, h.TV1(12)->Left + 222);
    EXPECT_TRUE(h.TV2(12)->Visible && !h.TV2(12)->Enabled) << "the second condition waits for the switch";
    EXPECT_EQ(h.TV2(12)->Text(), QString());
    EXPECT_EQ(h.TV2(12)->BackColor(), platform::RGB(179, 179, 179));
    EXPECT_EQ((h.ICheck(12)->Tag() + '|' + h.ICheck(1)->Tag() + '|' + h.IHod(1)->Tag()).toStdString(),
              "Switcher_and|check|check");
    EXPECT_TRUE(h.ICheck(12)->Visible && h.ICheck(12)->Enabled && h.ICheck(1)->Visible && h.ICheck(1)->Enabled);
    EXPECT_EQ(h.ICheck(12)->Left, h.TV1(12)->Left + h.TV1(12)->Width + 20);
    EXPECT_EQ(h.ICheck(1)->Left, h.TV2(12)->Left + h.TV2(12)->Width + 20);
    EXPECT_EQ(h.ICheck(1)->Picture().image(), h.Obr_check.image());
    EXPECT_EQ(h.ICheck(12)->Picture().image(), h.Obr_a_zar.image());
    EXPECT_EQ(h.TV1(6)->Top, h.TZ1(6)->Top);
    EXPECT_EQ(h.TZ1(7)->Left, h.TZ1(6)->Left + 300);
    EXPECT_EQ(h.Faze_kontroly, 1);
}

TEST_F(Priklad17, NoSolutionThatAConditionExcludes)
{
    Hra &h = Nacitaj("17", 0, 5);
    // x = B is excluded whenever it is the solution: such draws are dropped.
    Misc::Vzory = Misc::Precti_vzory({QStringLiteral("[17]"), QStringLiteral("$A/x-B$$$$$=$C#x@=@B@/@1%B%0")}, "17",
                                     0).vzory;
    const int pred = int(box.AskedBoxes().size());
    h.TV1(6)->Tag = QStringLiteral("7");
    h.Vygeneruj_priklad_17(false);
    EXPECT_EQ(int(box.AskedBoxes().size()), pred + 1);
    EXPECT_EQ(h.TV1(6)->Tag() + h.TV1(12)->Tag() + h.TV2(12)->Tag(), QString());
}

TEST_F(Priklad17, PictureOfAGeneratedSheet)
{
    platform::registerFontFile(QStringLiteral(LK_RESOURCE_DIR "/Data/Ruvo.ttf"));
    Hra &h = Nacitaj("17", 0, 5);
    for (quint32 seed = 1; seed < 100; ++seed) {
        Randomize_seed(seed);
        h.Vygeneruj_priklad_17(false);
        if (Misc::Vybrany_vzor[1] == 9)
            break;
    }
    Uloz_obrazok(h, QStringLiteral("harok_17_priklad.png"));
}

} // namespace
