// The exercise screen's load for every task and variant, its activation
// and its print mode.
#include "Hra_support.h"

#include <QApplication>

namespace {

using namespace hra_test;

struct Volba_ulohy {
    const char *meno;
    const char *uloha;
    int varianta;
    int zvolene;
    int na_obrazovke; // examples of the first screen
    const char *pozadie;
    int fokus; // element of TV1 focused on activation, 0 none
};

const Volba_ulohy Volby[] = {
    {"task 1, 10 chosen: cap 5", "1", 0, 10, 5, "bg_01", 1},
    {"task 2", "2", 0, 5, 5, "bg_02", 1},
    {"task 3", "3", 0, 25, 5, "bg_03", 1},
    {"task 4", "4", 0, 5, 5, "bg_04", 1},
    {"task 5", "5", 0, 15, 5, "bg_05", 1},
    {"task 6", "6", 0, 5, 5, "bg_06", 1},
    {"task 7", "7", 0, 20, 5, "bg_07", 1},
    {"task 8 takes no focus", "8", 0, 5, 5, "bg_08", 0},
    {"task 9 takes no focus", "9", 0, 5, 5, "bg_09", 0},
    {"task 10", "10", 0, 10, 5, "bg_10", 1},
    {"task 11, 5 chosen: cap 3", "11", 0, 5, 3, "bg_11", 1},
    {"task 11, 10 chosen", "11", 0, 10, 3, "bg_11", 1},
    {"task 12", "12", 0, 5, 5, "bg_12", 0},
    {"task 13", "13", 0, 5, 5, "bg_13", 0},
    {"task 14", "14", 0, 10, 5, "bg_14", 0},
    {"task 15: one per screen", "15", 0, 5, 1, "bg_15", 0},
    {"task 16", "16", 0, 5, 1, "bg_16", 0},
    {"task 17", "17", 0, 10, 1, "bg_17", 0},
    {"task 18", "18", 0, 5, 1, "bg_18", 0},
    {"task 19a: cap 5", "19", 1, 5, 5, "bg_19a", 1},
    {"task 19b, 4 chosen: cap 4", "19", 2, 4, 4, "bg_19b", 1},
    {"task 19b, 8 chosen", "19", 2, 8, 4, "bg_19b", 1},
    {"task 20", "20", 0, 5, 5, "bg_20", 1},
    {"task 21a focuses the second cell", "21", 1, 5, 5, "bg_21a", 2},
    {"task 21b", "21", 2, 10, 5, "bg_21b", 2},
};

using NacitanieObrazovky = Obrazovka;

// Backgrounds of one colour each, so that a picture on the form names its file.
class Pozadia : public Vlastne_obrazky {
public:
    Pozadia()
    {
        for (const Volba_ulohy &v : Volby)
            Uloz(QLatin1String(v.pozadie), {640, 480}, Farba(QLatin1String(v.pozadie)));
        Uloz(QStringLiteral("bg"), {640, 480}, Farba(QStringLiteral("bg")));
    }
    static QRgb Farba(const QString &meno)
    {
        uint h = 0;
        for (QChar c : meno)
            h = h * 31 + c.unicode();
        return qRgb(h & 255, (h >> 8) & 255, (h >> 16) & 255);
    }
};

TEST_F(NacitanieObrazovky, EveryTaskAndVariant)
{
    const Pozadia pozadia;
    Misc::Cesta_CD = pozadia.Cesta();
    for (const Volba_ulohy &v : Volby) {
        SCOPED_TRACE(v.meno);
        Misc::Pocet_spravnych = 4;
        Misc::Pocet_spatnych = 3;
        Misc::Zvyrazneny_prvek = 1101;
        Hra &h = Nacitaj(v.uloha, v.varianta, v.zvolene);
        EXPECT_EQ(Misc::Pocet_prikladu, v.na_obrazovke);
        EXPECT_EQ(Misc::Pocet_zbyvajicich_prikladu, v.zvolene);
        EXPECT_EQ(Misc::Pocet_spravnych + Misc::Pocet_spatnych + Misc::Zvyrazneny_prvek, 0);
        EXPECT_FALSE(h.picPokracuj->Visible);
        EXPECT_TRUE(h.Zobrazit_pokracuj);
        EXPECT_EQ(h.zaznam.join('|'), QStringLiteral("Load frm_Chybovy, frm_Chybovy2"));
        EXPECT_TRUE(box.AskedBoxes().isEmpty()) << "the task's templates read";
        // The task's background lies over the common one on the form itself.
        EXPECT_EQ(h.persistentImage().pixel(320, 240), pozadia.Farba(QLatin1String(v.pozadie)));
        EXPECT_EQ(h.persistentImage().pixel(639, 479), pozadia.Farba(QLatin1String(v.pozadie)));

        Zobraz();
        if (v.fokus)
            EXPECT_EQ(QApplication::focusWidget(), h.TV1(v.fokus)->editor());
        h.PicTop(1)->Enabled = false; // as after the check
        h.TV1(1)->SetFocus();
        h.Show();
        if (v.fokus)
            EXPECT_EQ(QApplication::focusWidget(), h.Text1->editor()) << "after the check";
        else
            EXPECT_EQ(QApplication::focusWidget(), h.TV1(1)->editor()) << "no focus moved";
        h.Unload();
    }
}

TEST_F(NacitanieObrazovky, TaskWithoutScreenIsRefusedBeforeAnythingIsBuilt)
{
    for (auto [uloha, varianta] : {std::pair{"19", 0}, std::pair{"21", 3}, std::pair{"22", 0}, std::pair{"0", 0}}) {
        Misc::Cislo_ulohy = QString::fromLatin1(uloha);
        Misc::Varianta_ulohy = quint8(varianta);
        hra = std::make_unique<Hra>();
        EXPECT_THROW(hra->Load(), Harok::Chyba_ulohy) << uloha;
        EXPECT_FALSE(hra->TV1.exists(2)) << uloha;
    }
}

TEST_F(NacitanieObrazovky, MissingTaskDataIsReportedAndNothingIsGenerated)
{
    const QString hd = Misc::Cesta_HD;
    Misc::Cesta_HD = QStringLiteral("/nonexistent/");
    Misc::Tisk = true;
    Nacitaj("7", 0, 5);
    Misc::Cesta_HD = hd;
    ASSERT_EQ(box.AskedBoxes().size(), 1);
    EXPECT_EQ(box.AskedBoxes()[0].title, QStringLiteral("Chyba"));
    EXPECT_FALSE(hra->zaznam.join('|').contains(QStringLiteral("list"))) << "no worksheet without templates";
    EXPECT_FALSE(Misc::Tisk);
}

struct Harok_tlace {
    const char *meno;
    const char *uloha;
    int varianta;
    int zvolene;
    const char *list;
};

const Harok_tlace Tlac[] = {
    {"task 1", "1", 0, 5, "list T3 T4 T45 [1 1 1 1 1] 25 5 tisk=0"},
    {"task 3 has its own pages", "3", 0, 10, "list T3 T6 T47 [1 1 2 2 3] 10 10 tisk=0"},
    {"task 7 starts its group", "7", 0, 5, "list T11 T12 T51 [1 1 1 1 1] 25 5 tisk=0"},
    {"task 10 ends it", "10", 0, 5, "list T11 T15 T54 [1 1 1 1 1] 25 5 tisk=0"},
    {"task 11", "11", 0, 25, "list T16 T17 T55 [1 2 2 3 4] 8 25 tisk=0"},
    {"task 14", "14", 0, 5, "list T16 T20 T58 [1 1 2 2 3] 10 5 tisk=0"},
    {"task 18", "18", 0, 5, "list T21 T25 T62 [1 2 3 4 5] 5 5 tisk=0"},
    {"task 19a", "19", 1, 5, "list T26 T27 T63 [1 1 2 2 3] 10 5 tisk=0"},
    {"task 19b", "19", 2, 8, "list T26 T27 T64 [1 2 2 3 4] 6 8 tisk=0"},
    {"task 20", "20", 0, 5, "list T26 T28 T65 [1 2 2 3 3] 9 5 tisk=0"},
    {"task 21b", "21", 2, 5, "list T26 T29 T67 [1 2 3 4 5] 5 5 tisk=0"},
};

TEST_F(NacitanieObrazovky, PrintModePrintsOneWorksheetPerCopyAndNoScreen)
{
    tlaciaren.SetCopies(2);
    for (const Harok_tlace &t : Tlac) {
        SCOPED_TRACE(t.meno);
        Misc::Tisk = true;
        tlaciaren.SetFontName(QStringLiteral("Arial"));
        Hra &h = Nacitaj(t.uloha, t.varianta, t.zvolene);
        EXPECT_EQ(h.zaznam.join('|'), QString::fromUtf8(t.list) + '|' + QString::fromUtf8(t.list))
            << "two copies, the hint windows not loaded";
        EXPECT_FALSE(Misc::Tisk);
        EXPECT_EQ(tlaciaren.FontName(), QStringLiteral("MS Sans Serif"));
        EXPECT_EQ(tlaciaren.FontSize(), 12.0f);
        h.Unload();
    }
    EXPECT_FALSE(Nacitaj("1", 0, 5).zaznam.join('|').contains(QStringLiteral("list")))
        << "the next load opens the screen";
}

} // namespace
