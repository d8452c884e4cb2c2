// The top bar of the exercise screen (its four buttons, their highlight
// under the mouse, the commands new examples, results table and back) and
// the series from screen to screen: remaining counts and caps, task 11's
// short last screens, the end at the results table, the continue button.
#include "Kontrola_support.h"
#include "services/Klavesnice.h"
#include "shell/Formulare.h"
#include "shell/frm_Setup.h"
#include "shell/frm_Tabulka.h"

#include <QTimer>

namespace {

using namespace hra_test;
using SeriaObrazoviek = Obrazovka;

class HornaLista : public Kontrola {
protected:
    // Press, release, then the second press as a double click.
    static void Dvojklik(QWidget *w) { Klik(w), QTest::mouseDClick(w, Qt::LeftButton, {}, QPoint(5, 5)); }
    std::string Zaznam() const { return hra->zaznam.join('|').toStdString(); }
    // "0001": which buttons are on.
    static QString Zapnute(Hra &h)
    {
        QString z;
        for (int i = 1; i <= 4; ++i)
            z += h.PicTop(i)->Enabled ? '1' : '0';
        return z;
    }
};

// A double click on check checks once; on new examples it brings two screens.
TEST_F(HornaLista, CheckLeavesOnlyBackOnAndTheContinueButtonBringsNewExamples)
{
    Hra &h = Ukaz("1", 0, 10);
    h.Sleduj_generator();
    Dvojklik(h.PicTop(1));
    EXPECT_EQ(Zapnute(h), "0001");
    EXPECT_EQ(Fokus(), h.Text1->editor());
    EXPECT_TRUE(h.picPokracuj->Visible && h.picPokracuj->Enabled);
    EXPECT_EQ(Zvuky("click.wav"), 1) << "a check runs once";

    Klik(h.PicTop(2));
    Klik(h.PicTop(3));
    EXPECT_EQ(Zaznam(), "hints loaded") << "the switched-off buttons do nothing";
    EXPECT_TRUE(h.isVisible());

    h.IHod(3)->Visible = true;
    Klik(h.picPokracuj);
    EXPECT_EQ(Zaznam(), "hints loaded|generated false");
    EXPECT_EQ(Zapnute(h), "1111");
    EXPECT_FALSE(h.picPokracuj->Visible || h.IHod(3)->Visible);
    EXPECT_EQ(Fokus(), h.TV1(1)->editor()) << "the activation focuses the first cell again";

    h.Otevri_kalkulacku();
    Dvojklik(h.PicTop(2));
    EXPECT_EQ(Zaznam(), "hints loaded|generated false|generated false|generated false");
    EXPECT_FALSE(h.Kalkulacka_otevrena || h.PicKalk->Visible) << "the open calculator closed first";
}

// The results table hides the screen and brings it back as it was; back
// abandons the series for the setup screen.
TEST_F(HornaLista, ResultsTableAndBack)
{
    Misc::Uloz_klavesnici();
    Hra &h = Ukaz("1", 0, 10);
    h.Sleduj_generator();
    Napis(h, "TV2(1)=12");
    ASSERT_EQ(klavesnica.ActiveLayoutName(), platform::UsKeyboardLayout);
    QTest::mouseClick(h.PicTop(3), Qt::RightButton, {}, QPoint(5, 5)); // as a left click
    auto *tabulka = Formulare::frm_Tabulka.existing();
    ASSERT_NE(tabulka, nullptr);
    EXPECT_EQ(Misc::Aktualni_formular, tabulka);
    EXPECT_TRUE(!h.isVisible() && h.isLoaded());
    Klik(tabulka->picKonec);
    EXPECT_EQ(platform::Stage::instance()->frontPage(), &h);
    EXPECT_EQ(QString(h.TV2(1)->Text), "12");
    EXPECT_EQ(Zapnute(h), "1111");

    Misc::Pocet_spravnych = 2;
    // Press only: the button goes with the screen before a release could reach it.
    QTest::mousePress(h.PicTop(4), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(h.isLoaded());
    auto *nastavenie = Formulare::frm_Setup.existing();
    ASSERT_NE(nastavenie, nullptr);
    EXPECT_EQ(platform::Stage::instance()->frontPage(), nastavenie);
    EXPECT_EQ(Zaznam(), "hints loaded|hints unloaded") << "nothing of the series is recorded";
    EXPECT_EQ(klavesnica.ActiveLayoutName(), QStringLiteral("0000041B"));
    tabulka->Unload();
    nastavenie->Unload();
}

TEST_F(SeriaObrazoviek, RemainingCountsAndTheEndAtTheResultsTable)
{
    // obrazovky: examples on the screen / remaining, screen by screen
    const struct { const char *uloha; int zvolene; const char *obrazovky; } Serie[] = {
        {"1", 10, "5/10 5/5"}, {"11", 5, "3/5 2/2"}, {"11", 10, "3/10 3/7 3/4 1/1"}, {"15", 5, "1/5 1/4 1/3 1/2 1/1"},
    };
    for (const auto &s : Serie) {
        Hra &h = Nacitaj(s.uloha, 0, s.zvolene);
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
    Hra &g = Nacitaj("1", 0, 10);
    QTimer::singleShot(0, &g, [&g] { g.Unload(); }); // "back" during the slide
    g.Zobraz_tlacitko_pokracuj();
    EXPECT_EQ(hodiny.WaitsWithEvents().size(), 1) << "one step, then the slide stops";
    EXPECT_FALSE(g.picPokracuj->Enabled);
}

} // namespace
