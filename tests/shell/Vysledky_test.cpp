// Marks, the order of the results table, and the two result files byte by byte.
#include "shell/Vysledky.h"
#include "services/Tabulky.h"
#include "support/Datove_subory.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>

using namespace Vysledky;
using Misc::Text_do_1250;

namespace {

struct Riadok {
    std::uint8_t Dolni_hranice, Horni_hranice, Hodnota_znamky;
};
using Tabulka = std::array<Riadok, 6>; // row 0 unused, as in the module

TEST(Marks, ShippedTableGivesAMarkForEveryCountAndEveryPercentage)
{
    Misc::Nacti_znamky(QStringLiteral(LK_DEFAULT_DATA_DIR "/Znamky.dat"));
    // Every series length the setup screen offers, and 100 for every whole
    // percentage: a mark each time, never worse for more right answers, and
    // the whole scale from 5 to 1 used.
    QList<int> znamky;
    for (int celkove : {4, 5, 8, 10, 12, 15, 16, 20, 25, 100}) {
        int predosla = 5;
        for (int spravne = 0; spravne <= celkove; ++spravne) {
            const QString z = Vlozeni_znamky(spravne, celkove, Misc::Tabulka_znamek);
            ASSERT_FALSE(z.isEmpty()) << spravne << " of " << celkove;
            EXPECT_LE(z.toInt(), predosla) << spravne << " of " << celkove;
            predosla = z.toInt();
            if (!znamky.contains(predosla))
                znamky.append(predosla);
        }
    }
    std::sort(znamky.begin(), znamky.end());
    EXPECT_EQ(znamky, (QList<int>{1, 2, 3, 4, 5}));
}

TEST(Marks, EdgeTables)
{
    const Tabulka prekryv{{{}, {0, 50, 5}, {50, 100, 1}, {}, {}, {}}};
    const Tabulka medzery{{{}, {0, 29, 5}, {30, 49, 4}, {50, 55, 3}, {56, 84, 2}, {85, 100, 1}}};
    const Tabulka bez_nuly{{{}, {10, 40, 4}, {40, 60, 3}, {60, 80, 2}, {80, 100, 1}, {80, 100, 1}}};
    const Tabulka bez_sto{{{}, {0, 30, 5}, {30, 50, 4}, {50, 70, 3}, {70, 80, 2}, {80, 90, 1}}};
    struct Pripad {
        const char *nazov;
        const Tabulka &t;
        int spravne, celkove;
        const char *znamka;
    } pripady[] = {
        {"shared bound: the later row wins", prekryv, 10, 20, "1"},
        {"11 of 20 lies a hair above 55: the row ending at 55", medzery, 11, 20, "3"},
        {"29.5 % in the gap 29..30: the row below", medzery, 59, 200, "5"},
        {"84.5 % in the gap 84..85: the row below", medzery, 169, 200, "2"},
        {"below every row: no mark", bez_nuly, 0, 5, ""},
        {"above every row: the highest row below", bez_sto, 5, 5, "1"},
        {"a series of no examples", medzery, 0, 0, ""},
    };
    for (const Pripad &p : pripady)
        EXPECT_EQ(Vlozeni_znamky(p.spravne, p.celkove, p.t), QString::fromLatin1(p.znamka)) << p.nazov;
}

TEST(ResultsOrder, BestFirstAndStable)
{
    using Z = Zaznam_vysledku;
    struct Pripad {
        const char *nazov;
        QList<Z> vstup;
        QList<QString> poradie;
    } pripady[] = {
        {"lower mark, then more right, then fewer wrong",
         {{1, "D", 5, 0, 2, 0}, {1, "C", 2, 0, 1, 0}, {1, "B", 3, 2, 1, 0}, {1, "A", 3, 1, 1, 0}},
         {"A", "B", "C", "D"}},
        {"equals keep their order, the new one last",
         {{1, "Ľubo", 3, 1, 2, 0}, {7, "Šimon", 3, 1, 2, 0}, {1, "Žofia", 3, 1, 2, 1}},
         {"Ľubo", "Šimon", "Žofia"}},
    };
    for (Pripad &p : pripady) {
        Zorad_zaznamy(p.vstup);
        QList<QString> mena;
        for (const Z &z : p.vstup)
            mena.append(z.jmeno);
        EXPECT_EQ(mena, p.poradie) << p.nazov;
    }
}

TEST(ResultsFile, ReaderSkipsWhatItCannotParse)
{
    const std::pair<const char *, bool> pripady[] = {
        {"7|Ján|4|1|2|1", true},           {"7|Ján| 4| 1| 2| 0|text after a sixth bar", true},
        {"", false},                        {"7|Ján| 4| 1| 2", false},
        {"7|A|B| 4| 1| 2| 0", false},      {"7|Ján| x| 1| 2| 0", false},
        {"7|Ján| 4| 1| 2| 300", false},    {"70000|Ján| 4| 1| 2| 0", false},
    };
    for (const auto &[riadok, prijaty] : pripady)
        EXPECT_EQ(Zaznam_z_riadku(QString::fromUtf8(riadok)).has_value(), prijaty) << riadok;
}

TEST(ResultsFile, RoundTripInWindows1250WithCrLfAndMissingOrBadLines)
{
    QTemporaryDir dir;
    const QString cesta = dir.filePath("Hra.res");
    EXPECT_TRUE(Nacti_tabulku_ze_souboru(cesta).isEmpty()) << "a missing file is an empty table";
    const QList<Zaznam_vysledku> zaznamy{{7, "Ľubomír Čierny", 4, 1, 2, 0}, {12, "Ťažký Ôsmak", 9, 1, 3, 1}};
    ASSERT_TRUE(Uloz_tabulku_do_souboru(cesta, zaznamy));
    EXPECT_EQ(Obsah(cesta), Text_do_1250("7|Ľubomír Čierny| 4| 1| 2| 0\r\n12|Ťažký Ôsmak| 9| 1| 3| 1\r\n"));
    EXPECT_EQ(Nacti_tabulku_ze_souboru(cesta), zaznamy);

    ASSERT_TRUE(Zapis_subor(cesta, Text_do_1250("1|Eva| 5| 0| 1| 0\r\n\r\n1|Ad|am| 4| 1| 2| 1\r\n2|Ivan| 3| 2| 3| 0")));
    const auto citane = Nacti_tabulku_ze_souboru(cesta);
    ASSERT_EQ(citane.size(), 2);
    EXPECT_EQ(citane[1].jmeno, "Ivan") << "a last line without CR LF counts";
}

TEST(ResultsFile, AFailedWriteKeepsTheOldFile)
{
    QTemporaryDir dir;
    EXPECT_FALSE(Uloz_tabulku_do_souboru(dir.filePath("chyba/Hra.res"), {{1, "Eva", 5, 0, 1, 1}}));
    // A directory where the file should be: the save cannot replace it.
    ASSERT_TRUE(QDir(dir.path()).mkdir("Hra.res"));
    EXPECT_FALSE(Uloz_tabulku_do_souboru(dir.filePath("Hra.res"), {{1, "Eva", 5, 0, 1, 1}}));
}

QString Stitok(int i) { return QStringLiteral("T%1").arg(i); }

TEST(ResultsLog, EntryLayoutAppendedWhole)
{
    Zaznam_logu z{"Ján Kováč", "Výrazy", "Sčítanie", "4", "1", "2", 5, QDateTime(QDate(2027, 3, 5), QTime(9, 7))};
    const QStringList riadky = Text_zaznamu_logu(z, Stitok).split("\r\n");
    ASSERT_EQ(riadky.size(), 5) << "four lines, each ended by CR LF";
    EXPECT_EQ(riadky[0], "T31: Ján Kováč" + QString(26, ' ') + "   T32: 5.3.2027" + QString(2, ' ') + "   T33: 09:07");
    EXPECT_EQ(riadky[1], "T34: Výrazy" + QString(14, ' ') + " T35: Sčítanie" + QString(22, ' '))
        << "line 2 ends with the blanks of the task title";
    EXPECT_EQ(riadky[2], "T36:   5    " "   T37:  4     " "    T38:  1     " "    T39:  2");
    EXPECT_EQ(riadky[3], QString(75, '='));

    z.jmeno = QString(40, QChar(u'ž'));
    z.kedy = QDateTime(QDate(2027, 12, 31), QTime(23, 59));
    EXPECT_TRUE(Text_zaznamu_logu(z, Stitok).startsWith("T31: " + z.jmeno + "   T32: 31.12.2027   T33: 23:59"))
        << "a long name is written whole and shifts the rest";

    QTemporaryDir dir;
    const QString cesta = dir.filePath("Vysledky.dat");
    for (int i = 0; i < 2; ++i)
        ASSERT_TRUE(Pripis_do_logu(cesta, Text_zaznamu_logu(z, Stitok)));
    const QByteArray bajty = Obsah(cesta);
    EXPECT_EQ(bajty.count("\r\n"), 8);
    EXPECT_TRUE(bajty.startsWith(Text_do_1250("T31: " + z.jmeno)));
    EXPECT_FALSE(Pripis_do_logu(dir.filePath("chyba/Vysledky.dat"), "x"));
}

} // namespace
