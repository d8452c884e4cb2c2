// Task 16: formula and fraction examples from the shipped templates solve
// their equations; fraction bars stand under fractions only; the result
// cells expect the solution in one form.
#include "Stupne_support.h"

namespace {

using namespace hra_test;
using namespace stupne_test;
using Priklad16 = Obrazovka;

TEST_F(Priklad16, ShippedTemplatesGiveSolvedEquationsOfBothKinds)
{
    Hra &h = Nacitaj("16", 0, 5);
    ASSERT_GE(Misc::Pocet_vzoru(), 10);
    int zlomky = 0, cele_vzorce = 0;
    const auto vzory = Kazda_obrazovka(h, [&](int t) {
        const auto [lava, prava] = h.Je_zlomek ? std::pair{Strana(h.TZ1, {{h.TR2(1), &h.TZ2}}),
                                                           Strana(h.TZ3, {{h.TR3(1), &h.TZ4}})}
                                               : std::pair{h.Leva_strana[1], h.Prava_strana[1]};
        SCOPED_TRACE((lava + '=' + prava).toStdString());
        EXPECT_EQ(h.Je_zlomek, Misc::Vzory[t].Druh() == u"zlomek");
        EXPECT_TRUE(Parametre_2_az_5(h));
        const Riesenie r = Riesenie_z_tagov(h, 6, 7, 8);
        ASSERT_TRUE(r.x) << r.chyba.toStdString();
        EXPECT_EQ(Plati(h.Evaluator_formulara(), lava, prava, *r.x), QString());
        EXPECT_EQ(Riadky_platia(h, *r.x), QString());
        if (h.Je_zlomek) {
            EXPECT_DOUBLE_EQ(h.Hodnota_X_kontroly, *r.x);
        }
        zlomky += h.Je_zlomek;
        cele_vzorce += !h.Je_zlomek && t <= 4 && !h.TV1(6)->Tag().isEmpty();
        if (t == 6 || t == 9) {
            EXPECT_EQ(h.Par_K, std::gcd(int(t == 6 ? h.Par_A : h.Par_C), int(t == 6 ? h.Par_B : h.Par_E)));
        }
    });
    EXPECT_EQ(int(vzory.size()), Misc::Pocet_vzoru()) << "every template drawn";
    EXPECT_GT(zlomky, 1000);
    EXPECT_GT(cele_vzorce, 60) << "formula templates 1-4 give whole solutions too";
}

// A bar under every fraction, none through a term on the line; row 1 asks
// for the first step of a fraction example only.
TEST_F(Priklad16, FractionBarsByKind)
{
    Hra &h = Nacitaj("16", 0, 5);
    const struct {
        const char *meno, *riadok, *pruhy; // under TZ1 to TZ4
    } Riadky[] = {
        {"two fractions a side", "zlomek$x/A$+$x/B$=$x/C$-$D/E#x@=@1", "1111"},
        {"one term a side, one line on the right", "zlomek$Ax+B/C$$$=$D#x@=@1", "1-0-"},
        {"a line term after a fraction", "zlomek$Ax/B$-$D$=$C#x@=@1", "100-"},
        {"formula", "vzorec$Ax+B=$C*D#x@=@1", "0-0-"},
    };
    for (const auto &r : Riadky) {
        // Template 5, as the formula templates before it have rules of their own.
        const QString vypln = QStringLiteral("zlomek$x$$$=$1#x@=@1");
        Vzory("16", {vypln, vypln, vypln, vypln, QString::fromUtf8(r.riadok)});
        platform::FakeRandom nahoda({0.9f, 0.0f, 0.25f, 0.5f, 0.75f, 0.0f, 0.25f});
        platform::ScopedService<platform::RandomSource> g(nahoda);
        h.Vygeneruj_priklad_16(false);
        QString pruhy;
        for (auto *clen : {&h.TZ1, &h.TZ2, &h.TZ3, &h.TZ4}) {
            platform::Label *n = (*clen)(1);
            const bool pruh = h.persistentImage().pixel(n->Left + 5, h.TZR(1)->Top + 9) == qRgb(0, 0, 0);
            pruhy += !n->Visible ? '-' : pruh ? '1' : '0';
        }
        EXPECT_EQ(pruhy.toStdString(), r.pruhy) << r.meno;
        EXPECT_EQ(h.TV3(1)->Visible && h.TR1(1)->Visible, h.Je_zlomek) << r.meno;
        EXPECT_FALSE(h.TV1(1)->Visible || h.TV2(1)->Visible) << r.meno;
    }
}

// A template drawn after another within one call shows none of its terms.
TEST_F(Priklad16, NoTermOfAnEarlierTemplate)
{
    Hra &h = Nacitaj("16", 0, 5);
    Vzory("16", {QStringLiteral("zlomek$x/A$+$x/5$=$1#x@=@A*1000"), QStringLiteral("zlomek$x/A$+$7$=$1#x@=@A")});
    for (quint32 seed = 1; seed <= 12; ++seed) {
        Randomize_seed(seed);
        h.Vygeneruj_priklad_16(false);
        ASSERT_EQ(Misc::Vybrany_vzor[1], 2);
        EXPECT_EQ(h.TZ2(1)->Caption(), "7");
        EXPECT_FALSE(h.TZ2(2)->Visible) << seed;
    }
}

// Whatever the example before left, working rows and result cells are
// open, empty and not judged; the sheet code is shared with tasks 15 to 18.
TEST_F(Priklad16, WorkingRowsAndResultCellsStartEmpty)
{
    Hra &h = Nacitaj("16", 0, 5);
    for (int k = 1; k <= 8; ++k) {
        h.TV1(k)->Text = h.TV2(k)->Tag = QStringLiteral("staré");
        h.TV1(k)->Locked = true;
    }
    h.Vygeneruj_priklad_16(false);
    for (int k = 2; k <= 8; ++k) {
        EXPECT_TRUE(h.TV1(k)->Visible && h.TV1(k)->Enabled && !h.TV1(k)->Locked) << k;
        EXPECT_EQ(h.TV1(k)->Text(), QString()) << k;
    }
    for (int k = 2; k <= 5; ++k)
        EXPECT_EQ(h.TV1(k)->Tag() + h.TV2(k)->Tag() + h.TV3(k)->Tag(), QString()) << k;
}

} // namespace
