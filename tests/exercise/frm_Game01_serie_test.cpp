// The series from screen to screen: remaining counts and caps, task 11's
// short last screens, the end at the results table, and the continue
// button's slide.
#include "Hra_support.h"

#include <QTimer>

namespace {

using namespace hra_test;
using SeriaObrazoviek = Obrazovka;

struct Seria {
    const char *meno;
    const char *uloha;
    int varianta;
    int zvolene;
    const char *obrazovky; // examples on the screen / remaining, screen by screen
};

const Seria Serie[] = {
    {"task 1, 10 examples: two screens of 5", "1", 0, 10, "5/10 5/5"},
    {"task 1, 25 examples", "1", 0, 25, "5/25 5/20 5/15 5/10 5/5"},
    {"task 19b, 8 examples: two screens of 4", "19", 2, 8, "4/8 4/4"},
    {"task 11, 5 examples: 3 then a short screen of 2", "11", 0, 5, "3/5 2/2"},
    {"task 11, 10 examples: 3 3 3 then 1", "11", 0, 10, "3/10 3/7 3/4 1/1"},
    {"task 11, 15 examples: no short screen", "11", 0, 15, "3/15 3/12 3/9 3/6 3/3"},
    {"task 11, 20 examples", "11", 0, 20, "3/20 3/17 3/14 3/11 3/8 3/5 2/2"},
    {"task 11, 25 examples", "11", 0, 25, "3/25 3/22 3/19 3/16 3/13 3/10 3/7 3/4 1/1"},
    {"task 15, 5 examples: one at a time", "15", 0, 5, "1/5 1/4 1/3 1/2 1/1"},
    {"task 20, 5 examples: one screen", "20", 0, 5, "5/5"},
};

TEST_F(SeriaObrazoviek, RemainingCountsAndTheEndAtTheResultsTable)
{
    for (const Seria &s : Serie) {
        SCOPED_TRACE(s.meno);
        Hra &h = Nacitaj(s.uloha, s.varianta, s.zvolene);
        QStringList obrazovky;
        int spravne = 0, spatne = 0;
        for (int krok = 0; h.isLoaded() && krok < 30; ++krok) {
            obrazovky << QStringLiteral("%1/%2").arg(Misc::Pocet_prikladu).arg(Misc::Pocet_zbyvajicich_prikladu);
            // The check counted the screen: all right but one.
            Misc::Pocet_spravnych += Misc::Pocet_prikladu - 1;
            Misc::Pocet_spatnych += 1;
            spravne += Misc::Pocet_prikladu - 1;
            spatne += 1;
            h.picPokracuj->Enabled = true;
            h.picPokracuj_Click();
            if (h.isLoaded())
                EXPECT_FALSE(h.picPokracuj->Enabled) << "disabled on the way to the next screen";
        }
        EXPECT_EQ(obrazovky.join(' '), QLatin1String(s.obrazovky));
        ASSERT_FALSE(h.isLoaded());
        EXPECT_FALSE(h.isVisible());
        const QString vysledok = QStringLiteral("Load frm_Tabulka|Vlozeni_znamky %1 %2|"
                                                "Vloz_novy_zaznam %3 Jano %1 %4 2 1|Vlozeni_znamky %1 %2|"
                                                "Vysledky.dat Jano Skupina Uloha %1 %4 2|Show frm_Tabulka|"
                                                "Unload frm_Chybovy, frm_Chybovy2")
                                     .arg(spravne)
                                     .arg(spravne + spatne)
                                     .arg(QLatin1String(s.uloha))
                                     .arg(spatne);
        EXPECT_EQ(h.zaznam.mid(1).join('|'), vysledok);
        Misc::Pocet_spravnych = Misc::Pocet_spatnych = 0;
    }
}

TEST_F(SeriaObrazoviek, EquationTasksHideTheVerificationLinesBeforeEachNewExample)
{
    for (const char *uloha : {"15", "16", "17", "18"}) {
        Hra &h = Nacitaj(uloha, 0, 5);
        for (int i = 1; i <= 7; ++i)
            h.TR1(i)->Visible = true;
        h.picPokracuj_Click();
        for (int i = 1; i <= 7; ++i)
            EXPECT_FALSE(h.TR1(i)->Visible) << uloha << " TR1(" << i << ")";
        h.Unload();
    }
}

// Task 11: every row of the three examples shown, as after a generator.
void Ukaz_priklady_11(Hra &h)
{
    for (int j = 1; j <= 9; ++j)
        for (platform::Control *c : std::initializer_list<platform::Control *>{
                 h.TZ1(j), h.TV1(j), h.TR1(j), h.TV2(j), h.TV3(j), h.TR2(j), h.TV4(j), h.ICheck(j)})
            c->Visible = true;
    for (int i = 1; i <= 3; ++i)
        h.IHod(i)->Visible = true;
}

QString Viditelne_priklady_11(Hra &h)
{
    QStringList r;
    for (int i = 1; i <= 3; ++i) {
        bool vsetko = h.IHod(i)->Visible, nic = !vsetko;
        for (int j = 3 * i - 2; j <= 3 * i; ++j)
            for (platform::Control *c : std::initializer_list<platform::Control *>{
                     h.TZ1(j), h.TV1(j), h.TR1(j), h.TV2(j), h.TV3(j), h.TR2(j), h.TV4(j), h.ICheck(j)}) {
                vsetko = vsetko && c->Visible;
                nic = nic && !c->Visible;
            }
        r << (vsetko ? QStringLiteral("shown") : nic ? QStringLiteral("hidden") : QStringLiteral("mixed"));
    }
    return r.join(' ');
}

TEST_F(SeriaObrazoviek, ShortLastScreensOfTask11HideAndCoverTheExamplesLeftOut)
{
    const QRgb modra = qRgb(0, 0, 255);
    Vlastne_obrazky obrazky;
    obrazky.Uloz(QStringLiteral("blue"), {16, 372}, modra);
    obrazky.Uloz(QStringLiteral("bg"), {640, 480}, qRgb(200, 200, 200));
    obrazky.Uloz(QStringLiteral("bg_11"), {640, 480}, qRgb(250, 250, 210));
    Misc::Cesta_CD = obrazky.Cesta();
    const struct {
        const char *meno;
        int zvolene;
        const char *priklady;
        std::vector<int> modre, nie_modre; // y at x = 300
    } Pripady[] = {
        {"2 left: the whole example area, down to y 455", 5, "shown shown hidden", {84, 250, 454}, {82, 455, 465}},
        {"1 left: the rows of examples 2 and 3 only", 10, "shown hidden hidden", {206, 250, 380, 411}, {150, 420, 455, 465}},
    };
    for (const auto &p : Pripady) {
        SCOPED_TRACE(p.meno);
        Hra &h = Nacitaj("11", 0, p.zvolene);
        while (Misc::Pocet_zbyvajicich_prikladu >= 6) // up to the last full screen
            h.picPokracuj_Click();
        Ukaz_priklady_11(h);
        h.picPokracuj_Click();
        EXPECT_EQ(Viditelne_priklady_11(h), QLatin1String(p.priklady));
        for (int y : p.modre)
            EXPECT_EQ(h.persistentImage().pixel(300, y), modra) << "y " << y;
        for (int y : p.nie_modre)
            EXPECT_NE(h.persistentImage().pixel(300, y), modra) << "y " << y;
        h.Unload();
    }
}

TEST_F(SeriaObrazoviek, ContinueButtonSlidesInAndIsEnabledAfterTheLastFrame)
{
    Hra &h = Nacitaj("1", 0, 10);
    h.picPokracuj->Enabled = false;
    h.Zobraz_tlacitko_pokracuj();
    EXPECT_EQ(hodiny.WaitsWithEvents(), QList<qint64>(24, 15));
    EXPECT_TRUE(h.picPokracuj->Visible);
    EXPECT_TRUE(h.picPokracuj->Enabled);
    const QImage tvar = Misc::Obr_pokracuj.image();
    for (QPoint b : {QPoint(3, 3), QPoint(47, 11), QPoint(90, 20)})
        if (tvar.pixel(b) != platform::kKeyColour.rgb())
            EXPECT_EQ(h.picPokracuj->persistentImage().pixel(b), tvar.pixel(b)) << b.x() << "," << b.y();
}

TEST_F(SeriaObrazoviek, NothingReachesTheScreenOnceItIsUnloadedDuringTheSlide)
{
    Hra &h = Nacitaj("1", 0, 10);
    h.picPokracuj->Enabled = false;
    QTimer::singleShot(0, &h, [&h] { h.Unload(); });
    h.Zobraz_tlacitko_pokracuj();
    EXPECT_EQ(hodiny.WaitsWithEvents().size(), 1) << "the slide stops at the unload";
    EXPECT_FALSE(h.picPokracuj->Enabled);
}

TEST_F(SeriaObrazoviek, TheScreenTakesNoClickWhileTheButtonSlides)
{
    Hra &h = Nacitaj("1", 0, 10);
    Zobraz();
    QTimer::singleShot(0, &h, [&h] { QTest::mouseClick(h.TV1(1)->editor(), Qt::LeftButton); });
    h.Zobraz_tlacitko_pokracuj();
    EXPECT_EQ(Zvuky(), QString());
    QTest::mouseClick(h.TV1(1)->editor(), Qt::LeftButton);
    EXPECT_EQ(Zvuky(), QStringLiteral("click")) << "and takes them again after it";
}

TEST_F(SeriaObrazoviek, ContinueButtonSoundsOnceAndClosesAnOpenPanel)
{
    Hra &h = Nacitaj("1", 0, 10);
    h.picPokracuj_MouseMove(0, 0, 5, 5);
    h.picPokracuj_MouseMove(0, 0, 6, 5);
    EXPECT_EQ(Zvuky(), QStringLiteral("enter"));
    Misc::Zvyrazneny_prvek = 1101;
    h.picPokracuj_MouseMove(0, 0, 6, 5);
    EXPECT_EQ(Zvuky(), QStringLiteral("enter"));

    for (auto [kalkulacka, poznamky] : {std::pair{1, 0}, std::pair{0, 1}}) {
        h.Kalkulacka_otevrena = qint16(kalkulacka);
        h.Poznamky_otevrene = qint16(poznamky);
        h.PicKalk->Visible = h.PicPozn->Visible = true;
        h.picPokracuj_MouseDown(1, 0, 5, 5);
        EXPECT_EQ(h.PicKalk->Visible, !kalkulacka);
        EXPECT_EQ(h.PicPozn->Visible, !poznamky);
    }
}

} // namespace
