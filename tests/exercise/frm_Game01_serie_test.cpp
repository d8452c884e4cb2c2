// The series from screen to screen: remaining counts and caps, task 11's
// short last screens, the end at the results table, the continue button.
#include "Hra_support.h"

#include <QTimer>

namespace {

using namespace hra_test;
using SeriaObrazoviek = Obrazovka;

TEST_F(SeriaObrazoviek, RemainingCountsAndTheEndAtTheResultsTable)
{
    const struct {
        const char *uloha;
        int varianta, zvolene;
        const char *obrazovky; // examples on the screen / remaining, screen by screen
    } Serie[] = {
        {"1", 0, 10, "5/10 5/5"}, {"11", 0, 5, "3/5 2/2"}, {"11", 0, 10, "3/10 3/7 3/4 1/1"},
        {"15", 0, 5, "1/5 1/4 1/3 1/2 1/1"},
    };
    for (const auto &s : Serie) {
        Hra &h = Nacitaj(s.uloha, s.varianta, s.zvolene);
        QStringList obrazovky;
        for (int krok = 0; h.isLoaded() && krok < 10; ++krok) {
            obrazovky << QStringLiteral("%1/%2").arg(Misc::Pocet_prikladu).arg(Misc::Pocet_zbyvajicich_prikladu);
            Misc::Pocet_spravnych += Misc::Pocet_prikladu - 1; // the check: all right but one
            Misc::Pocet_spatnych += 1;
            h.TR1(1)->Visible = true;
            h.picPokracuj_Click();
            if (h.isLoaded() && s.uloha == QLatin1String("15")) {
                EXPECT_FALSE(h.TR1(1)->Visible) << "hidden before the new example";
            }
        }
        EXPECT_EQ(obrazovky.join(' '), QLatin1String(s.obrazovky));
        EXPECT_FALSE(h.isLoaded() || h.isVisible());
        const int r = Misc::Pocet_spravnych, w = Misc::Pocet_spatnych;
        EXPECT_EQ(h.zaznam.mid(1).join('|'),
                  QStringLiteral("table loaded|mark %1 %2|Hra.res %3 Jano %1 %4 2 1|mark %1 %2|"
                                 "Vysledky.dat Jano Skupina Uloha %1 %4 2|table shown|hints unloaded")
                      .arg(r).arg(r + w).arg(QLatin1String(s.uloha)).arg(w));
        Misc::Pocet_spravnych = Misc::Pocet_spatnych = 0;
    }
}

TEST_F(SeriaObrazoviek, ShortLastScreensOfTask11HideAndCoverOnlyTheExamplesLeftOut)
{
    const QRgb modra = qRgb(0, 0, 255);
    const QRgb pas = qRgb(200, 200, 200);
    Vlastne_obrazky({{"blue", {16, 372}, modra}, {"bg_11", {640, 480}, qRgb(250, 250, 210)},
                     {"1list_s", {8, 32}, pas}, {"2list_s", {8, 63}, pas}});
    const struct {
        int zvolene;
        const char *ukazane;          // examples 1 to 3 still shown after the click
        std::vector<int> modre, nie;  // y at x = 200, between the strips of a line
    } Pripady[] = {
        {5, "110", {84, 250, 454}, {82, 455, 465}},           // 2 left: the area down to y 455
        {10, "100", {206, 250, 380, 400}, {82, 420, 455, 465}}, // 1 left: examples 2 and 3
    };
    for (const auto &p : Pripady) {
        Hra &h = Nacitaj("11", 0, p.zvolene);
        while (Misc::Pocet_zbyvajicich_prikladu >= 6) // to the last full screen
            h.picPokracuj_Click();
        for (int j = 1; j <= 9; ++j) // as a generator and the check leave them
            h.TV4(j)->Visible = h.TZ1(j)->Visible = h.IHod((j + 2) / 3)->Visible = true;
        h.picPokracuj_Click();
        QString ukazane;
        for (int i = 1; i <= 3; ++i) {
            ukazane += h.TV1(3 * i - 2)->Visible && h.TZ1(3 * i - 2)->Visible ? '1' : '0';
            EXPECT_FALSE(h.IHod(i)->Visible) << "no marks on new examples " << i;
        }
        EXPECT_EQ(ukazane, QLatin1String(p.ukazane));
        for (int y : p.modre)
            EXPECT_EQ(h.persistentImage().pixel(200, y), modra) << p.zvolene << " y " << y;
        for (int y : p.nie)
            EXPECT_NE(h.persistentImage().pixel(200, y), modra) << p.zvolene << " y " << y;
        EXPECT_EQ(h.persistentImage().pixel(300, 150), pas) << "the strips of the example shown stay";
    }
}

TEST_F(SeriaObrazoviek, ContinueButtonSlidesInAndStopsWhenTheScreenIsUnloaded)
{
    Hra &h = Nacitaj("1", 0, 10);
    h.Zobraz_tlacitko_pokracuj();
    const qsizetype krokov = hodiny.WaitsWithEvents().size();
    EXPECT_TRUE(h.picPokracuj->Visible && h.picPokracuj->Enabled);

    Hra &g = Nacitaj("1", 0, 10);
    QTimer::singleShot(0, &g, [&g] { g.Unload(); }); // "back" during the slide
    g.Zobraz_tlacitko_pokracuj();
    EXPECT_EQ(hodiny.WaitsWithEvents().size(), krokov + 1) << "one step, then the slide stops";
    EXPECT_FALSE(g.picPokracuj->Enabled);
}

} // namespace
