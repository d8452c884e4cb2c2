// Task 20 screens, many seeds: the two lines of each example and the
// expected x in its answer cell make a true proportion of the kind that the
// arrows show, and no kind fills more than three examples of a screen.
#include "Priklady_support.h"

#include "exercise/Nacti_priklady.h"
#include "services/Kresleni.h"


namespace {

using namespace hra_test;
using namespace priklady_test;
using Priklady20 = Obrazovka;

const QString Oddelovac = QStringLiteral("     .  .  .     ");

void Over_obrazovku(Hra &h)
{
    int druhy[3] = {};
    for (int i = 1; i <= 5; ++i) {
        SCOPED_TRACE(i);
        const int u = 2 * i - 1, l = 2 * i;
        const QStringList hore = h.TZ1(u)->Caption().split(Oddelovac), dole = h.TZ1(l)->Caption().split(Oddelovac);
        ASSERT_EQ(hore.size(), 2);
        ASSERT_EQ(dole.size(), 2);
        EXPECT_EQ(dole[1], QLatin1String("x"));
        const double a = Cislo(hore[0]), b = Cislo(hore[1]), ka = Cislo(dole[0]), k = ka / a;
        const double x = Cislo(h.TV3(l)->Tag);
        EXPECT_TRUE(a >= 10 && a <= 200 && b >= 10 && b <= 200 && a == std::round(a) && b == std::round(b));
        // With k = 1 both lines hold the same quantity and x is just b.
        EXPECT_TRUE(k >= 2 && k <= 20 && k == std::round(k)) << k;
        const int druh = Misc::Vybrany_vzor[size_t(i)];
        ASSERT_TRUE(druh == 1 || druh == 2);
        ++druhy[druh];
        if (druh == 1)
            EXPECT_EQ(x, k * b) << "direct";
        else
            EXPECT_NEAR(x, b / k, 1e-9 * b) << "inverse";
        EXPECT_NEAR(x * 10, std::round(x * 10), 1e-6) << "one decimal at most";
        const QString sipka = druh == 1 ? "sipka_up.bmp" : "sipka_dn.bmp";
        const QImage obr = Misc::Nacti_obrazek(Misc::Cesta_CD + "Bitmap\\Games\\" + sipka).image();
        EXPECT_TRUE(Kde_je_obrazok(h.persistentImage(), obr, QRect(180, h.TZ1(u)->Top, 1, 1))) << "arrow of the kind";
        EXPECT_FALSE(h.TR1(u)->Visible || h.TV3(u)->Visible);
        EXPECT_TRUE(h.TR1(l)->Visible && h.TV3(l)->Visible && !h.TV3(l)->Locked && h.TV3(l)->Text().isEmpty());
        for (auto *tv : {&h.TV1, &h.TV2})
            for (int r : {u, l})
                EXPECT_TRUE((*tv)(r)->Visible && (*tv)(r)->Text().isEmpty() && (*tv)(r)->Tag().isEmpty());
    }
    EXPECT_LE(druhy[1], 3);
    EXPECT_LE(druhy[2], 3);
}

// Many seeded screens, then screens from a random sequence stuck on one
// value: every example direct, or every one inverse with an answer of two
// decimals.
TEST_F(Priklady20, EveryProportionHolds)
{
    Hra &h = Nacitaj("20", 0, 10);
    for (quint32 seed = 1; seed <= 300 && !HasFailure(); ++seed) {
        SCOPED_TRACE(seed);
        Randomize_seed(seed);
        h.Vygeneruj_priklad_20(false);
        Over_obrazovku(h);
    }
    for (float r : {0.0f, 0.75f}) {
        SCOPED_TRACE(r);
        platform::FakeRandom nahoda({r});
        platform::ScopedService<platform::RandomSource> g(nahoda);
        Over_obrazovku(Nacitaj("20", 0, 5));
    }
}

// The screen as the pupil sees it in a window: many draws of lines long and
// short, one size on each screen, every line clear of the arrows.
TEST_F(Priklady20, TheLinesOfAScreenInOneSizeClearOfTheArrows)
{
    platform::registerFontFile(QStringLiteral(LK_RESOURCE_DIR "/Data/Ruvo.ttf"));
    Hra &h = Nacitaj("20", 0, 10);
    h.Show();
    for (quint32 seed = 1; seed <= 40 && !HasFailure(); ++seed) {
        SCOPED_TRACE(seed);
        Randomize_seed(seed);
        h.Vygeneruj_priklad_20(false);
        QApplication::processEvents();
        Over_riadky_20(h, 5, platform::Stage::instance()->grab().toImage(), 1);
    }
    h.Hide();
}

} // namespace
