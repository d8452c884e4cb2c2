// Marks, the order of the results table, and the results file: read, written,
// added to under the lock, never lost.
#include "shell/Vysledky.h"
#include "services/Tabulky.h"
#include "support/Datove_subory.h"

#include <QDir>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Vysledky;
using Misc::Text_do_1250;
using Misc::Vlozeni_znamky;

namespace {

using Tabulka = decltype(Misc::Tabulka_znamek); // row 0 unused

TEST(Marks, ShippedTableNeverGivesMoreRightAWorseMarkAndUsesTheWholeScale)
{
    ASSERT_FALSE(Misc::Nacti_znamky(QStringLiteral(LK_DEFAULT_DATA_DIR "/Znamky.dat")).Je_chyba());
    QSet<int> znamky;
    for (int celkove : {4, 5, 8, 10, 12, 15, 16, 20, 25, 100})
        for (int spravne = 1; spravne <= celkove; ++spravne) {
            const int z = Vlozeni_znamky(spravne, celkove, Misc::Tabulka_znamek).toInt();
            EXPECT_LE(z, Vlozeni_znamky(spravne - 1, celkove, Misc::Tabulka_znamek).toInt()) << spravne << "/" << celkove;
            znamky.insert(z);
        }
    EXPECT_EQ(znamky, (QSet<int>{1, 2, 3, 4, 5}));
}

TEST(Marks, EdgeTables)
{
    const Tabulka prekryv{{{}, {0, 50, 5}, {50, 100, 1}, {}, {}, {}}};
    const Tabulka medzery{{{}, {0, 29, 5}, {30, 49, 4}, {50, 55, 3}, {56, 84, 2}, {85, 100, 1}}};
    const Tabulka bez_nuly{{{}, {10, 40, 4}, {40, 60, 3}, {60, 80, 2}, {80, 100, 1}, {80, 100, 1}}};
    const Tabulka bez_sto{{{}, {0, 30, 5}, {30, 50, 4}, {50, 70, 3}, {70, 80, 2}, {80, 90, 1}}};
    const Tabulka dva_riadky{{{}, {0, 59, 2}, {60, 100, 1}, {}, {}, {}}}; // empty rows are (0, 0, 0)
    struct Pripad { const char *nazov; const Tabulka &t; int spravne, celkove; const char *znamka; } pripady[] = {
        {"shared bound: the later row wins", prekryv, 10, 20, "1"},
        {"11 of 20 lies a hair above 55: the row ending at 55", medzery, 11, 20, "3"},
        {"84.5 % in the gap 84..85: the row below", medzery, 169, 200, "2"},
        {"below every row: no mark", bez_nuly, 0, 5, ""},
        {"above every row: the highest row below", bez_sto, 5, 5, "1"},
        {"a series of no examples", medzery, 0, 0, ""},
        {"a row without a mark gives none", dva_riadky, 0, 5, "2"},
    };
    for (const Pripad &p : pripady)
        EXPECT_EQ(Vlozeni_znamky(p.spravne, p.celkove, p.t), QString::fromLatin1(p.znamka)) << p.nazov;
}

TEST(ResultsFile, ReaderSkipsWhatItCannotParse)
{
    const std::pair<const char *, bool> pripady[] = {
        {"7|Ján|4|1|2|1", true}, {"7|Ján| 4| 1| 2| 0|text after a sixth bar", true}, {"7|Ján| 4| 1| 2", false},
        {"7|A|B| 4| 1| 2| 0", false}, {"7|Ján| 4| 1| 2| 300", false}, {"70000|Ján| 4| 1| 2| 0", false},
    };
    for (const auto &[riadok, prijaty] : pripady)
        EXPECT_EQ(Zaznam_z_riadku(QString::fromUtf8(riadok)).has_value(), prijaty) << riadok;
}

// The table as read, the new result added, written back in Windows-1250
// with CR LF and read again as shown.
TEST(ResultsFile, AddingKeepsEveryLineOfAHandEditedTable)
{
    const struct { const char *nazov, *obsah; QString subor; bool kopia; } pripady[] = {
        {"no file yet: an empty table", nullptr, "7|Nový| 4| 1| 2| 1\r\n", false},
        {"Linux editor: LF only, UTF-8", "7|J\xC3\xA1n| 5| 0| 1| 0\n7|Ivan| 3| 2| 3| 0\n",
         "7|Ján| 5| 0| 1| 0\r\n7|Nový| 4| 1| 2| 1\r\n7|Ivan| 3| 2| 3| 0\r\n", false},
        {"byte-order mark, CR LF, a blank line, no end on the last", "\xEF\xBB\xBF" "7|\xC4\xBDubo| 5| 0| 1| 0\r\n\r\n7|Ivan| 3| 2| 3| 0",
         "7|Ľubo| 5| 0| 1| 0\r\n7|Nový| 4| 1| 2| 1\r\n7|Ivan| 3| 2| 3| 0\r\n", false},
        {"a line that holds no result", "7|Ad|am| 4| 1| 2| 1\r\n7|Eva| 5| 0| 1| 0\r\n",
         "7|Eva| 5| 0| 1| 0\r\n7|Nový| 4| 1| 2| 1\r\n", true},
    };
    for (const auto &p : pripady) {
        QTemporaryDir dir;
        const QString cesta = dir.filePath("Hra.res");
        if (p.obsah)
            Zapis_subor(cesta, p.obsah);
        QList<Zaznam_vysledku> zobrazene; // read when the screen loaded, before another program added more
        const Pridanie pridanie = Pridaj_do_tabulky(cesta, zobrazene, {7, "Nový", 4, 1, 2, 1});
        EXPECT_EQ(pridanie.zapis, Zapis::Hotovy) << p.nazov;
        EXPECT_EQ(Obsah(cesta), Text_do_1250(p.subor)) << p.nazov;
        EXPECT_EQ(Nacti_tabulku_ze_souboru(cesta).zaznamy, zobrazene) << p.nazov;
        ASSERT_EQ(!pridanie.kopia.isEmpty(), p.kopia) << p.nazov;
        EXPECT_TRUE(!p.kopia || Obsah(pridanie.kopia) == p.obsah) << "the old file is kept whole";
        EXPECT_TRUE(Pridaj_do_tabulky(cesta, zobrazene, {7, "Ďalší", 1, 1, 1, 1}).kopia.isEmpty()) << "told once";
    }
}

TEST(ResultsFile, AResultThatCannotBeSavedLeavesTheTableAlone)
{
    using namespace std::chrono_literals;
    QTemporaryDir dir;
    const QString cesta = dir.filePath("Hra.res");
    const Zaznam_vysledku novy{7, "Nový", 4, 1, 2, 1};
    QList<Zaznam_vysledku> zobrazene{{7, "Eva", 5, 0, 1, 1}};
    ASSERT_TRUE(QDir(dir.path()).mkdir("Hra.res")); // there, but no one can read it
    EXPECT_EQ(Pridaj_do_tabulky(cesta, zobrazene, novy).zapis, Zapis::Necitatelny);
    EXPECT_TRUE(QFileInfo(cesta).isDir() && QDir(dir.path()).rmdir("Hra.res")) << "never written over";
    EXPECT_EQ(zobrazene, (QList<Zaznam_vysledku>{{7, "Eva", 5, 0, 1, 0}, novy})) << "still shown";

    {
        const Zamok_vysledkov iny_program(cesta);
        ASSERT_EQ(iny_program.Stav(), Zapis::Hotovy);
        EXPECT_EQ(Pridaj_do_tabulky(cesta, zobrazene, novy, 50ms).zapis, Zapis::Obsadeny);
        EXPECT_EQ(zobrazene.size(), 3) << "shown though not saved";
        EXPECT_EQ(Pripis_do_logu(dir.filePath("Vysledky.dat"), "x", 50ms), Zapis::Obsadeny);
        EXPECT_FALSE(QFile::exists(cesta) || QFile::exists(dir.filePath("Vysledky.dat")));
    }
    const pid_t spadnuty = fork(); // takes the lock and ends without releasing it
    if (spadnuty == 0) {
        new Zamok_vysledkov(cesta);
        _exit(0);
    }
    waitpid(spadnuty, nullptr, 0);
    EXPECT_EQ(Pridaj_do_tabulky(cesta, zobrazene, novy, 50ms).zapis, Zapis::Hotovy) << "a stale lock";
}

} // namespace
