// The results table screen: rows of the current task, the new result in
// red, the file rewritten sorted, the log entry, and the way back.
#include "Program.h"

#include "services/Text_1250.h"

using namespace lktest;

namespace {

struct Tabulka : ::testing::Test {
    Program p;
    void SetUp() override { p.Prejdi_titulok(); }

    void Uloz_subor(const QStringList &riadky)
    {
        QString text;
        for (const QString &r : riadky)
            text += r + "\r\n";
        Program::Zapis(p.hd() + "Hra.res", Misc::Text_do_1250(text));
    }
    QStringList Subor() const
    {
        QFile f(p.hd() + "Hra.res");
        return f.open(QIODevice::ReadOnly) ? Misc::Riadky_textu(Misc::Text_z_1250(f.readAll())) : QStringList{"<missing>"};
    }
    Shell::frm_Tabulka *Otvor(const QString &uloha, int varianta = 0)
    {
        Misc::Cislo_ulohy = uloha;
        Misc::Varianta_ulohy = quint8(varianta);
        auto *t = Formulare::frm_Tabulka.get();
        t->Load();
        return t;
    }
    // Name, right, wrong and mark of row r as shown.
    static QString Riadok(Shell::frm_Tabulka *t, int r)
    {
        return QStringList{t->LJmeno(r)->Caption, t->LSpravne(r)->Caption, t->LSpatne(r)->Caption,
                           t->LZnamka(r)->Caption}.join(' ').trimmed();
    }
    static bool Cerveny(Shell::frm_Tabulka *t, int r)
    {
        return t->LJmeno(r)->ForeColor == platform::RGB(227, 0, 0)
            && t->LPoradi(r)->ForeColor == platform::RGB(227, 0, 0);
    }
};

TEST_F(Tabulka, AMissingFileIsAnEmptyTable)
{
    QFile::remove(p.hd() + "Hra.res");
    auto *t = Otvor("7");
    for (int r = 1; r <= 10; ++r) {
        EXPECT_EQ(Riadok(t, r), "") << r;
        EXPECT_EQ(QString(t->LPoradi(r)->Caption), r == 1 ? QString("1.") : QStringLiteral(" %1.").arg(r));
        EXPECT_EQ(int(t->LJmeno(r)->Top), 165 + 30 * (r - 1));
    }
}

TEST_F(Tabulka, ShowsTheFirstTenOfTheTaskAndSkipsBrokenLines)
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
}

TEST_F(Tabulka, EndOfASeriesAddsTheResultSortedAndRed)
{
    Uloz_subor({"7|Anna| 5| 0| 1| 0", "3|Boris| 4| 1| 2| 1", "7|Cyril| 3| 2| 3| 0"});
    auto *t = Otvor("7");
    const QString znamka = t->Vlozeni_znamky(4, 5);
    EXPECT_EQ(znamka, "2") << "80 % in the shipped table";
    t->Vloz_novy_zaznam(7, "Ďuro|Ťažký", "4", "1", znamka, 1);
    EXPECT_EQ(Riadok(t, 1), "Anna 5 0 1");
    EXPECT_EQ(Riadok(t, 2), "Ďuro/Ťažký 4 1 2") << "a bar in the name cannot break the file";
    EXPECT_EQ(Riadok(t, 3), "Cyril 3 2 3");
    EXPECT_FALSE(Cerveny(t, 1));
    EXPECT_TRUE(Cerveny(t, 2));
    EXPECT_FALSE(Cerveny(t, 3));
    EXPECT_EQ(Subor(), (QStringList{"7|Anna| 5| 0| 1| 0", "3|Boris| 4| 1| 2| 0", "7|Ďuro/Ťažký| 4| 1| 2| 1",
                                    "7|Cyril| 3| 2| 3| 0"}))
        << "all tasks sorted together; only the new result has ID 1";
    t->Unload();
    EXPECT_EQ(Riadok(Otvor("7"), 2), "Ďuro/Ťažký 4 1 2") << "the file loads again";
}

TEST_F(Tabulka, ANewResultBelowTheTenthIsSavedButNotShown)
{
    QStringList riadky;
    for (int i = 1; i <= 10; ++i)
        riadky << QStringLiteral("5|Žiak %1| 9| 0| 1| 0").arg(i);
    Uloz_subor(riadky);
    auto *t = Otvor("5");
    t->Vloz_novy_zaznam(5, "Posledný", "1", "9", "5", 1);
    for (int r = 1; r <= 10; ++r)
        EXPECT_FALSE(Cerveny(t, r)) << r;
    EXPECT_EQ(Subor().last(), "5|Posledný| 1| 9| 5| 1");
    EXPECT_EQ(Riadok(t, 10), "Žiak 10 9 0 1");
}

TEST_F(Tabulka, VariantTasksShareOneListUnderTheVariantsBackground)
{
    Uloz_subor({"19|Áčko| 4| 0| 1| 0", "19|Béčko| 3| 1| 2| 0"});
    struct Pripad {
        int varianta;
        const char *pozadie;
    } pripady[] = {{1, "Bitmap/Tab/19a.bmp"}, {2, "Bitmap/Tab/19b.bmp"}};
    for (const Pripad &c : pripady) {
        auto *t = Otvor("19", c.varianta);
        EXPECT_TRUE(Rovnaky_obrazok(t->Picture, c.pozadie)) << c.pozadie;
        EXPECT_EQ(Riadok(t, 2), "Béčko 3 1 2");
        t->Unload();
    }
}

TEST_F(Tabulka, TheLogEntryTakesItsLabelsCountAndDate)
{
    auto *t = Otvor("7");
    Misc::Zvoleny_pocet_prikladu = 5;
    p.hodiny.SetNow(QDateTime(QDate(2027, 3, 5), QTime(8, 4)));
    const qint64 pred = QFileInfo(p.hd() + "Vysledky.dat").size();
    t->Vloz_zaznam_do_souboru_vysledky_dat("Ján", "Skupina", "Úloha", "4", "1", "2");
    QFile f(p.hd() + "Vysledky.dat");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QStringList riadky = Misc::Riadky_textu(Misc::Text_z_1250(f.readAll().mid(pred)));
    ASSERT_EQ(riadky.size(), 4);
    EXPECT_TRUE(riadky[0].startsWith(Misc::Texty[31] + ": Ján "));
    EXPECT_TRUE(riadky[0].contains(Misc::Texty[32] + ": 5.3.2027  "));
    EXPECT_TRUE(riadky[0].endsWith(Misc::Texty[33] + ": 08:04"));
    EXPECT_TRUE(riadky[2].startsWith(Misc::Texty[36] + ":   5    "));
    EXPECT_TRUE(riadky[2].endsWith(Misc::Texty[39] + ":  2"));
}

} // namespace

TEST_F(Tabulka, AResultThatCannotBeWrittenIsReportedNotLost)
{
    QFile::remove(p.hd() + "Hra.res");
    QFile::remove(p.hd() + "Vysledky.dat");
    QDir(p.hd()).mkdir("Hra.res"); // a folder in the file's place: no write can succeed
    QDir(p.hd()).mkdir("Vysledky.dat");
    auto *t = Otvor("7");
    const auto pred = p.box.AskedBoxes().size();
    t->Vloz_novy_zaznam(7, "Anna", "4", "1", "2", 1);
    t->Vloz_zaznam_do_souboru_vysledky_dat("Anna", "7", "x", "4", "1", "2");
    ASSERT_EQ(p.box.AskedBoxes().size(), pred + 2);
    EXPECT_TRUE(p.box.AskedBoxes().last().text.contains("Vysledky.dat"));
    EXPECT_EQ(Riadok(t, 1), "Anna 4 1 2") << "the result stays on the screen";
}
