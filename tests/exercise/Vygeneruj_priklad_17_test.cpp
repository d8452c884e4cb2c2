// Task 17: examples from the shipped templates solve their equations and
// exclude exactly the values that zero a denominator; the conditions row
// waits for the switch, its caption clear of the strips around it.
#include "Priklady_support.h"
#include "Stupne_support.h"

namespace {

using namespace hra_test;
using namespace stupne_test;
using Priklad17 = Obrazovka;

TEST_F(Priklad17, ShippedTemplatesGiveSolvedEquationsAndTheirConditions)
{
    Hra &h = Nacitaj("17", 0, 5);
    ASSERT_GE(Misc::Pocet_vzoru(), 6);
    const auto vzory = Kazda_obrazovka(h, [&](int) {
        const QString lava = Strana(h.TZ1, {{h.TR2(1), &h.TZ2}, {h.TR3(1), &h.TZ3}}),
                      prava = Strana(h.TZ4, {{h.TR4(1), &h.TZ5}});
        SCOPED_TRACE(QStringLiteral("%1 = %2, x ≠ %3, %4").arg(lava, prava, h.TV1(12)->Tag(), h.TV2(12)->Tag()).toStdString());
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
    });
    EXPECT_EQ(int(vzory.size()), Misc::Pocet_vzoru()) << "every template drawn";
}

TEST_F(Priklad17, ConditionsRowAndResultCells)
{
    Hra &h = Nacitaj("17", 0, 5);
    h.TV2(12)->Enabled = true;
    h.TV2(12)->Text = QStringLiteral("staré");
    Vzory("17", {QStringLiteral("$A/x-B$$$$$=$C#x@=@B*C+A@/@C%B%-F/E")});
    platform::FakeRandom nahoda({0.0f, 0.0f, 0.25f, 0.5f, 0.75f, 0.0f, 0.5f}); // A..F = 2 3 4 5 2 4
    platform::ScopedService<platform::RandomSource> g(nahoda);
    h.Vygeneruj_priklad_17(false);
    EXPECT_EQ((h.TV1(12)->Tag() + '|' + h.TV2(12)->Tag()).toStdString(), "3|-2") << "a quotient is a value";
    EXPECT_EQ(Vysledne_tagy(h, 6), "|7|2");
    EXPECT_DOUBLE_EQ(h.Hodnota_X_kontroly, 3.5);
    EXPECT_TRUE(h.TV1(12)->Visible && h.TV1(12)->Enabled && !h.TV1(12)->Locked);
    EXPECT_TRUE(h.TV2(12)->Visible && !h.TV2(12)->Enabled) << "the second condition waits for the switch";
    EXPECT_EQ(h.TV2(12)->Text(), QString());
    EXPECT_EQ((h.ICheck(12)->Tag() + '|' + h.ICheck(1)->Tag() + '|' + h.IHod(1)->Tag()).toStdString(),
              "Switcher_and|check|check");
    EXPECT_EQ(h.ICheck(12)->Picture().image(), h.Obr_a_zar.image());
    // The conditions' caption stands between the equation's strip and the
    // conditions' strip: all three whole, none drawn over another.
    for (const platform::Picture *obr : {&h.Obr_znamenka[10], &h.Obr_levy[4], &h.Obr_levy[1]})
        EXPECT_TRUE(priklady_test::Kde_je_obrazok(h.persistentImage(), obr->image(), QRect(0, 90, 100, 130)))
            << obr->Width() << " x " << obr->Height();
}

} // namespace
