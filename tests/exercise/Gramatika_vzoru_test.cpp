// The task data file read into template records: the grammar of every
// group's template lines, sections, limits, the file itself and the table
// of examples.
#include "exercise/Gramatika_vzoru.h"
#include "exercise/Nacti_priklady.h"
#include "exercise/Tabulka.h"
#include "services/Prekodovany_soubor.h"
#include "support/Datove_subory.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace Misc;
using Pole = Vzor_prikladu::Pole;

namespace {

// Every non-empty field of a record, e.g. "Druh=k Zadani(1)=a Vysledek3(1,1)=b".
QString Popis(const Vzor_prikladu &v)
{
    const struct { Pole pole; const char *meno; bool dva; } polia[] = {
        {Pole::Zadani, "Zadani", false}, {Pole::Zadani_strany, "Zadani_strany", true}, {Pole::Vysledek, "Vysledek", false},
        {Pole::Vysledek2, "Vysledek2", true}, {Pole::Vysledek3, "Vysledek3", true}, {Pole::Vysledek4, "Vysledek4", true}};
    QStringList kusy{"Druh=" + v.Druh()};
    if (!v.Zadani_radek().isEmpty())
        kusy << "Zadani_radek=" + v.Zadani_radek();
    for (const auto &p : polia)
        for (int i = 0; i <= Max_zadani; ++i)
            for (int j = 0; j <= (p.dva ? Max_kusu : 0); ++j)
                if (const QString kus = v.Kus(p.pole, i, j); !kus.isEmpty())
                    kusy << QStringLiteral("%1(%2)=%3").arg(QLatin1String(p.meno), p.dva ? QStringLiteral("%1,%2").arg(i).arg(j) : QString::number(i), kus);
    EXPECT_EQ(kusy.size() - 1 - !v.Zadani_radek().isEmpty(), v.Pocet_kusu());
    return kusy.join(QLatin1Char(' '));
}

TEST(GramatikaVzoru, TemplateLineOfEveryGroup)
{
    const struct { const char *nazov, *uloha; int varianta; QString riadok, zaznam; } tabulka[] = {
        {"1-3: hash markers", "1", 0, "zlomek#2*x+1#5#7", "Druh=zlomek Zadani_radek=2*x+1 Vysledek(1)=5 Vysledek(2)=7"},
        {"1-3: dollar markers give the same", "3", 0, "zlomek$2*x+1$5$7", "Druh=zlomek Zadani_radek=2*x+1 Vysledek(1)=5 Vysledek(2)=7"},
        {"1-3: comment; other markers are text", "2", 0, "k#a&b|c@d%e~f#r;#x", "Druh=k Zadani_radek=a&b|c@d%e~f Vysledek(1)=r"},
        {"4-9, 12: pieces, alternative, comment", "4", 0, "vzorec$A*x$+B#r1&r1b#r2;note",
         "Druh=vzorec Zadani(1)=A*x Zadani(2)=+B Vysledek(1)=r1 Vysledek(2)=r2 Vysledek3(1,1)=r1b"},
        {"10: results in row 1 of Vysledek2; & is text", "10", 0, "v$a#r1#x&y;c", "Druh=v Zadani(1)=a Vysledek2(1,1)=r1 Vysledek2(1,2)=x&y"},
        {"11, 15-18: % verification pieces", "15", 0, "k$z%p%q", "Druh=k Zadani(1)=z Vysledek(1)=p Vysledek(2)=q"},
        {"11, 15-18: & and | tables, @ moves both", "17", 0, "k#a@b&c@d|e",
         "Druh=k Vysledek2(1,1)=a Vysledek2(1,2)=b Vysledek3(1,1)=c Vysledek3(1,2)=d Vysledek4(1,1)=e"},
        {"11, 15-18: # restarts the column; ~ is text", "18", 0, "k#a@b#c~d;@e", "Druh=k Vysledek2(1,1)=a Vysledek2(1,2)=b Vysledek2(2,1)=c~d"},
        {"13, 14: sides split at ~", "13", 0, "k$1$2~$3$4", "Druh=k Zadani_strany(1,1)=1 Zadani_strany(1,2)=2 Zadani_strany(2,1)=3 Zadani_strany(2,2)=4"},
        {"13, 14: without ~ all is side 2; results", "14", 0, "k$1$2#r|t;x", "Druh=k Zadani_strany(2,1)=1 Zadani_strany(2,2)=2 Vysledek(1)=r Vysledek4(1,1)=t"},
        {"19: / counts in every field; no comment", "19", 1, "1#s;/x#t#a#zbytok", "Druh=1 Zadani_radek=s;x Zadani(1)=t Zadani(3)=a"},
    };
    for (const auto &r : tabulka) {
        const QString uloha = QString::fromLatin1(r.uloha);
        const Vzory_ulohy v = Precti_vzory({'[' + uloha + ']', r.riadok}, uloha, r.varianta);
        ASSERT_EQ(v.vzory.Pocet(), 1) << r.nazov;
        EXPECT_EQ(Popis(v.vzory[1]), r.zaznam) << r.nazov;
    }
}

TEST(GramatikaVzoru, SectionsAndNumbering)
{
    const struct { const char *nazov, *uloha; int varianta; QStringList riadky, druhy; } tabulka[] = {
        {"only the lines up to the next head", "3", 0, {"[3]", "a#1#2", "b#1#2", "[4]", "c$1#2"}, {"a", "b"}},
        {"[1] does not match [11] or [1] with a blank", "1", 0, {"[11]", "x#1", "[1]", "a#1#2", "[1] ", "y#1"}, {"a"}},
        {"blank and comment lines take no record number", "1", 0, {"[1]", "a#1#2", "", ";note", "b#3#4", ""}, {"a", "b"}},
        {"a head on the last line gives an empty section", "2", 0, {"[1]", "x#1#2", "[2]"}, {}},
        {"tasks 20 and 21 take no templates", "20", 0, {"[20]", "a#1#2"}, {}},
        {"task 19 reads the lines of its variant", "19", 2, {"[19]", "1#a#x", "2#b#y", "", "x#c", "2#d"}, {"2", "2"}},
        {"task 19 without a variant reads none", "19", 0, {"[19]", "1#a#x"}, {}},
        {"tasks 13, 14 need a kind or a result", "13", 0, {"[13]", "$1$2", "k$1$2", "#r"}, {"k", ""}},
    };
    for (const auto &r : tabulka) {
        const Vzory_ulohy v = Precti_vzory(r.riadky, QString::fromLatin1(r.uloha), r.varianta);
        QStringList druhy;
        for (int k = 1; k <= v.vzory.Pocet(); ++k)
            druhy << v.vzory[k].Druh();
        EXPECT_EQ(druhy, r.druhy) << r.nazov;
        EXPECT_TRUE(v.vzory[0].Druh().isEmpty() && v.vzory[v.vzory.Pocet() + 1].Druh().isEmpty()) << r.nazov;
    }
}

TEST(GramatikaVzoru, LimitsOfTheTables)
{
    const auto krat = [](const char *kus, int n) { return QString::fromLatin1(kus).repeated(n); };
    QStringList tisic{"[1]"};
    for (int i = 0; i < Max_vzoru; ++i)
        tisic << "k#a#b";
    const struct { const char *nazov, *uloha; QStringList riadky; int chybny; } tabulka[] = {
        {"assignment piece 90", "4", {"[4]", "k" + krat("$x", 90)}, 0},
        {"assignment piece 91", "4", {"[4]", "k#1", "k" + krat("$x", 91)}, 3},
        {"result piece 51", "1", {"[1]", "k#a" + krat("#x", 51)}, 2},
        {"column 51", "11", {"[11]", "k$a#x" + krat("@x", 50)}, 2},
        {"word-problem piece 91", "19", {"[19]", "1#s#t#" + krat("/", 89) + "x"}, 2},
        {"counters beyond the tables without text", "4", {"[4]", "k$a" + krat("#", 5000)}, 0},
        {"a thousand templates", "1", tisic, 0},
        {"a thousand and one", "1", tisic + QStringList{"k#a#b"}, Max_vzoru + 2},
    };
    for (const auto &r : tabulka) {
        const Vzory_ulohy v = Precti_vzory(r.riadky, QString::fromLatin1(r.uloha), 1);
        EXPECT_EQ(v.chybny_riadok, r.chybny) << r.nazov;
        EXPECT_EQ(v.vzory.Pocet() == 0, r.chybny != 0) << r.nazov;
    }
}

TEST(NactiPriklady, ReadsTheTasksSectionAndReportsFailuresWithEmptyRecords)
{
    QTemporaryDir hd;
    const QString hra = hd.filePath(QStringLiteral("Hra.dat")), chybna = hd.filePath(QStringLiteral("chybna.dat"));
    const QStringList subor{"[1]", "zlomek#2*x+1#5#7", "[19]", "1#1#Cena#x", QStringLiteral("2#4#Koľko je ťava?#a/b")};
    const QString orezana = hd.filePath(QStringLiteral("orezana.dat")), fifo = hd.filePath(QStringLiteral("fifo.dat"));
    ASSERT_TRUE(Zapis_prekodovany(hra, subor + QStringList{Koniec_suboru_uloh})
                && Zapis_prekodovany(chybna, subor + QStringList{"[4]", "k" + QStringLiteral("$x").repeated(91), Koniec_suboru_uloh})
                && Zapis_prekodovany(orezana, subor + QStringList{"[4]", "k$x"})
                && mkfifo(QFile::encodeName(fifo).constData(), 0666) == 0);

    ASSERT_FALSE(Nacti_priklady_ze_souboru(hra, QStringLiteral("19"), 2).Je_chyba());
    ASSERT_EQ(Pocet_vzoru(), 1);
    EXPECT_EQ(Vzory[1].Zadani(1), QStringLiteral("Koľko je ťava?"));
    EXPECT_EQ(Obsah(Docasny_soubor()), Obsah(hra)) << "the temporary copy is scrambled again";

    const struct { const char *nazov; QString cesta; Chyba_suboru::Druh druh; int riadok; } tabulka[] = {
        {"missing task data file", hd.filePath(QStringLiteral("nie.dat")), Chyba_suboru::Neexistuje, 0},
        {"line beyond the tables", chybna, Chyba_suboru::Nad_hranice, 7},
        {"cut short: no end line after the last template", orezana, Chyba_suboru::Poskodeny, 8},
        {"a FIFO: not waited on", fifo, Chyba_suboru::Nie_je_subor, 0},
    };
    for (const auto &r : tabulka) {
        ASSERT_FALSE(Nacti_priklady_ze_souboru(hra, QStringLiteral("1"), 0).Je_chyba());
        ASSERT_EQ(Pocet_vzoru(), 1);
        const Chyba_suboru chyba = Nacti_priklady_ze_souboru(r.cesta, QStringLiteral("4"), 0);
        EXPECT_EQ(chyba.druh, r.druh) << r.nazov;
        EXPECT_EQ(chyba.riadok, r.riadok) << r.nazov;
        EXPECT_EQ(Pocet_vzoru(), 0) << r.nazov;
        EXPECT_TRUE(Vzory[1].Druh().isEmpty()) << r.nazov;
    }
}

TEST(TabulkaPrikladov, HoldsZeroToFiftyBothWaysAndRefusesTheRest)
{
    Tabulka_prikladov t;
    t(50, 50) = QStringLiteral("posledny");
    t(1, 3) = QStringLiteral("3/4");
    EXPECT_EQ(t(50, 50), "posledny");
    EXPECT_EQ(t(3, 1), "") << "rows and columns are not swapped";
    const struct { const char *nazov; int i, j; } mimo[] = {
        {"row 51", 51, 0}, {"column 51", 0, 51}, {"negative row", -1, 5}, {"negative column", 5, -1}};
    for (const auto &m : mimo)
        EXPECT_THROW(t(m.i, m.j), std::out_of_range) << m.nazov;
}

} // namespace
