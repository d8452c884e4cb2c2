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

// Every row of an example left out lies under blue, the first row of one
// shown does not,
// and nothing blue reaches the bar below the examples.
TEST_F(SeriaObrazoviek, ShortLastScreensOfTask11HideAndCoverOnlyTheExamplesLeftOut)
{
    const QRgb modra = qRgb(0, 0, 255), pas = qRgb(200, 200, 200);
    Vlastne_obrazky({{"blue", {16, 372}, modra}, {"bg_11", {640, 480}, qRgb(250, 250, 210)},
                     {"1list_s", {8, 32}, pas}, {"2list_s", {8, 63}, pas}});
    // examples 1 to 3 still shown after the click
    for (const auto &[zvolene, ukazane] : {std::pair{5, "110"}, std::pair{10, "100"}}) {
        Hra &h = Nacitaj("11", 0, zvolene);
        while (Misc::Pocet_zbyvajicich_prikladu >= 6) // to the last full screen
            h.picPokracuj_Click();
        for (int j = 1; j <= 9; ++j) // as a generator and the check leave them
            h.TV4(j)->Visible = h.TZ1(j)->Visible = h.IHod((j + 2) / 3)->Visible = true;
        h.picPokracuj_Click();
        const QImage obraz = h.persistentImage();
        QString zostali, nezakryte;
        for (int j = 1; j <= 9; ++j) {
            zostali += j % 3 != 1 ? "" : h.TV1(j)->Visible && h.TZ1(j)->Visible ? "1" : "0";
            if (j % 3 == 1 || ukazane[(j - 1) / 3] == '0') // rows 2 and 3 of an example shown wait on blue
                nezakryte += obraz.pixel(h.TV2(j)->Left + 2, h.TV2(j)->Top + 2) == modra ? '0' : '1';
            EXPECT_FALSE(h.IHod((j + 2) / 3)->Visible) << "no marks on new examples " << j;
        }
        EXPECT_EQ(zostali, QLatin1String(ukazane));
        EXPECT_EQ(nezakryte, QString(ukazane).replace('0', "000"));
        for (int y = 455; y < obraz.height(); y += 4)
            EXPECT_NE(obraz.pixel(200, y), modra) << zvolene << " y " << y;
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
