// The results table screen: rows of the current task, the new result in
// red, the file rewritten sorted, the log entry; a full disk and two
// programs finishing at once.
#include "Program.h"

#include "platform/Fonts.h"
#include "services/Text_1250.h"

#include <QFontMetrics>

#include <sys/wait.h>
#include <unistd.h>

using namespace lktest;

namespace {

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
