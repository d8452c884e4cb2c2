// The results: marks, the results file read, added to under the lock and
// never lost (a full disk, two programs at once, a damaged or unreadable
// table), and the results table screen with its log entry.
#include "Program.h"

#include "platform/Fonts.h"
#include "services/Text_1250.h"
#include "shell/Vysledky.h"

#include <QFontMetrics>
#include <QSet>

#include <sys/wait.h>
#include <unistd.h>

using namespace lktest;
using namespace Vysledky;
using Misc::Text_do_1250;
using Misc::Vlozeni_znamky;

namespace {

using Znamky = decltype(Misc::Tabulka_znamek); // row 0 unused

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
    const Znamky prekryv{{{}, {0, 50, 5}, {50, 100, 1}, {}, {}, {}}};
    const Znamky medzery{{{}, {0, 29, 5}, {30, 49, 4}, {50, 55, 3}, {56, 84, 2}, {85, 100, 1}}};
    const Znamky bez_nuly{{{}, {10, 40, 4}, {40, 60, 3}, {60, 80, 2}, {80, 100, 1}, {80, 100, 1}}};
    const Znamky dva_riadky{{{}, {0, 59, 2}, {60, 100, 1}, {}, {}, {}}}; // empty rows are (0, 0, 0)
    struct Pripad { const char *nazov; const Znamky &t; int spravne, celkove; const char *znamka; } pripady[] = {
        {"shared bound: the later row wins", prekryv, 10, 20, "1"},
        {"11 of 20 lies a hair above 55: the row ending at 55", medzery, 11, 20, "3"},
        {"below every row: no mark", bez_nuly, 0, 5, ""},
        {"a row without a mark gives none", dva_riadky, 0, 5, "2"},
    };
    for (const Pripad &p : pripady)
        EXPECT_EQ(Vlozeni_znamky(p.spravne, p.celkove, p.t), QString::fromLatin1(p.znamka)) << p.nazov;
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
        {"lines that hold no result: a bar in the name, five fields, an ID past 255, a task past 65535; "
         "fields without blanks and text after a sixth bar are read",
         "7|Ad|am| 4| 1| 2| 1\r\n7|Eva|5|0|1|1\r\n7|Ján| 4| 1| 2\r\n7|Ivo| 4| 1| 2| 300\r\n70000|Ola| 4| 1| 2| 0\r\n"
         "7|Ida| 3| 2| 3| 0|text\r\n",
         "7|Eva| 5| 0| 1| 0\r\n7|Nový| 4| 1| 2| 1\r\n7|Ida| 3| 2| 3| 0\r\n", true},
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

struct Tabulka : ::testing::Test {
    Program p;
    void SetUp() override { p.Prejdi_titulok(); }

    void Uloz_subor(const QStringList &riadky)
    {
        Zapis_subor(p.hd() + "Hra.res", Misc::Text_do_1250(riadky.join("\r\n") + "\r\n"));
    }
    QStringList Subor() const { return Misc::Riadky_textu(Misc::Text_z_1250(Obsah(p.hd() + "Hra.res"))); }
    Shell::frm_Tabulka *Otvor(const QString &uloha, int varianta = 0)
    {
        Misc::Cislo_ulohy = uloha, Misc::Varianta_ulohy = quint8(varianta);
        Formulare::frm_Tabulka->Load();
        return Formulare::frm_Tabulka.get();
    }
    // Name, right, wrong and mark of row r as shown.
    static QString Riadok(Shell::frm_Tabulka *t, int r)
    {
        return QStringList{t->LJmeno(r)->Caption, t->LSpravne(r)->Caption, t->LSpatne(r)->Caption,
                           t->LZnamka(r)->Caption}.join(' ').trimmed();
    }
    static bool Cerveny(Shell::frm_Tabulka *t, int r)
    {
        return t->LJmeno(r)->ForeColor == platform::RGB(227, 0, 0) && t->LPoradi(r)->ForeColor == platform::RGB(227, 0, 0);
    }
};

TEST_F(Tabulka, ShowsTheFirstTenOfTheTaskAndKeepsBrokenLinesInACopy)
{
    QStringList riadky;
    for (int i = 1; i <= 12; ++i)
        riadky << QStringLiteral("7|Žiak %1| %2| 0| 1| 0").arg(i).arg(30 - i);
    riadky.insert(3, "12|Iná úloha| 9| 0| 1| 0");
    riadky.insert(5, "7|Zlý|riadok| 1| 1| 1| 0");
    Uloz_subor(riadky);
    auto *t = Otvor("7");
    EXPECT_EQ(Riadok(t, 1), "Žiak 1 29 0 1");
    EXPECT_EQ(Riadok(t, 10), "Žiak 10 20 0 1");
    EXPECT_FALSE(Cerveny(t, 1)) << "opened for viewing: no red row";
    EXPECT_EQ(Subor().size(), 14) << "viewing does not change the file";
    t->Vloz_novy_zaznam(7, "Ľudmila Šťastná-Kováčiková z Horného Kubína", "30", "0", "1", 1);
    const platform::Label *meno = t->LJmeno(1); // too long: one line, cut short with "…"
    EXPECT_TRUE(meno->Caption().endsWith(u'…') && QFontMetrics(platform::makeFont(meno->FontName, meno->FontSize, false)).horizontalAdvance(meno->Caption) <= meno->Width);
    EXPECT_TRUE(!p.box.AskedBoxes().isEmpty() && p.box.AskedBoxes().last().text.contains("Hra.res.bak"))
        << "the pupil is told where the old file is";
}

// The end of a series: the new result sorted among all tasks' (lower mark,
// more right, fewer wrong; after its equals; no mark last) and red, and its
// entry in the log.
TEST_F(Tabulka, EndOfASeriesAddsTheResultSortedAndRed)
{
    Uloz_subor({"7|Bez| 9| 0| 0| 0", "7|Cyril| 3| 2| 2| 0", "3|Boris| 4| 1| 2| 1", "7|Anna| 5| 0| 1| 0",
                "7|Dana| 4| 0| 2| 0"});
    auto *t = Otvor("7");
    t->Vloz_novy_zaznam(7, "Ďuro|Ťažký", "4", "1", "2", 1);
    EXPECT_EQ(Riadok(t, 3), "Ďuro/Ťažký 4 1 2") << "a bar in the name cannot break the file";
    for (int r = 1; r <= 5; ++r)
        EXPECT_EQ(Cerveny(t, r), r == 3) << "only the new row is red: " << r;
    EXPECT_EQ(Subor(), (QStringList{"7|Anna| 5| 0| 1| 0", "7|Dana| 4| 0| 2| 0", "3|Boris| 4| 1| 2| 0",
                                    "7|Ďuro/Ťažký| 4| 1| 2| 1", "7|Cyril| 3| 2| 2| 0", "7|Bez| 9| 0| 0| 0"}))
        << "only the new result has ID 1";
    Misc::Zvoleny_pocet_prikladu = 5;
    p.hodiny.SetNow(QDateTime(QDate(2027, 3, 5), QTime(8, 4)));
    t->Vloz_zaznam_do_souboru_vysledky_dat("Ďuro|Ťažký", "Skupina", "Úloha", "4", "1", "2");
    const QStringList log = Misc::Riadky_textu(Misc::Text_z_1250(Obsah(p.hd() + "Vysledky.dat")));
    ASSERT_GE(log.size(), 4);
    const QString zaznam = log.mid(log.size() - 4).join('\n');
    for (const QString &co : {Misc::Texty[31] + ": Ďuro/Ťažký ", QStringLiteral(" 5.3.2027 "), QStringLiteral(" 08:04"),
                              Misc::Texty[35] + ": Úloha", Misc::Texty[36] + ":   5 ", QString(75, '=')})
        EXPECT_TRUE(zaznam.contains(co)) << co.toStdString() << " in\n" << zaznam.toStdString();
    t->Unload();
    EXPECT_TRUE(Rovnaky_obrazok(Otvor("19", 2)->Picture, "Bitmap/Tab/19b.bmp")) << "the variant's background";
}

TEST_F(Tabulka, AFullDiskKeepsBothFilesAndIsReported)
{
    QStringList riadky;
    for (int i = 1; i <= 400; ++i)
        riadky << QStringLiteral("7|Žiak %1| 5| 0| 1| 0").arg(i);
    Uloz_subor(riadky);
    Zapis_subor(p.hd() + "Vysledky.dat", "stary zaznam\r\n");
    const QByteArray tabulka = Obsah(p.hd() + "Hra.res"), log = Obsah(p.hd() + "Vysledky.dat");
    auto *t = Otvor("7");
    const auto pred = p.box.AskedBoxes().size();
    {
        // Room for part of a log entry and for far less than the table.
        Plny_disk disk(log.size() + 100);
        t->Vloz_novy_zaznam(7, "Anna", "6", "0", "1", 1);
        t->Vloz_zaznam_do_souboru_vysledky_dat("Anna", "7", "x", "6", "0", "1");
    }
    EXPECT_TRUE(Obsah(p.hd() + "Hra.res") == tabulka);
    EXPECT_TRUE(Obsah(p.hd() + "Vysledky.dat") == log) << "no half entry is left behind";
    ASSERT_EQ(p.box.AskedBoxes().size(), pred + 2);
    EXPECT_TRUE(p.box.AskedBoxes()[pred].text.contains("Hra.res"));
    EXPECT_EQ(p.box.AskedBoxes()[pred].title, "Chyba");
    EXPECT_TRUE(p.box.AskedBoxes().last().text.contains("Vysledky.dat"));
    EXPECT_EQ(Riadok(t, 1), "Anna 6 0 1") << "the result stays on the screen";
}

TEST_F(Tabulka, TwoProgramsFinishingAtOnceKeepBothResults)
{
    Uloz_subor({"7|Anna| 9| 0| 1| 0"});
    auto *t = Otvor("7"); // each program read the table when its screen loaded
    constexpr int kola = 10;
    for (int k = 0; k < kola; ++k) {
        int start[2];
        ASSERT_EQ(pipe(start), 0);
        pid_t programy[2];
        for (int i = 0; i < 2; ++i)
            if ((programy[i] = fork()) == 0) {
                close(start[1]);
                (void)!read(start[0], start, 1); // both go on when the pipe closes
                t->Vloz_novy_zaznam(7, QStringLiteral("Žiak %1-%2").arg(k).arg(i), "4", "1", "2", 1);
                _exit(int(p.box.AskedBoxes().size()));
            }
        close(start[0]), close(start[1]);
        for (int stav = -1; pid_t program : programy)
            EXPECT_TRUE(waitpid(program, &stav, 0) == program && stav == 0) << "saved without a message";
    }
    EXPECT_EQ(Subor().size(), 1 + 2 * kola) << "every result is there";
}

} // namespace
