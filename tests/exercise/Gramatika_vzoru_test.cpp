#include "exercise/Gramatika_vzoru.h"

#include <gtest/gtest.h>

using namespace Misc;
using Pole = Vzor_prikladu::Pole;

namespace {

struct Kus {
    Pole pole;
    int i, j;
    QString text;
};

struct Riadok {
    const char *nazov;
    const char *uloha;
    QString riadok;
    QString druh, zadani_radek;
    std::vector<Kus> kusy; // exactly the pieces the record must hold
    int varianta = 0;
};

// Reads one template line as the only line of the task's section.
void Over(const Riadok &r)
{
    const QString uloha = QString::fromLatin1(r.uloha);
    const Vzory_ulohy v = Precti_vzory({QLatin1Char('[') + uloha + QLatin1Char(']'), r.riadok}, uloha, r.varianta);
    ASSERT_EQ(v.chybny_riadok, 0) << r.nazov;
    ASSERT_EQ(v.vzory.Pocet(), 1) << r.nazov;
    const Vzor_prikladu &vzor = v.vzory[1];
    EXPECT_EQ(vzor.Druh(), r.druh) << r.nazov;
    EXPECT_EQ(vzor.Zadani_radek(), r.zadani_radek) << r.nazov;
    EXPECT_EQ(vzor.Pocet_kusu(), int(r.kusy.size())) << r.nazov;
    for (const Kus &k : r.kusy)
        EXPECT_EQ(vzor.Kus(k.pole, k.i, k.j), k.text) << r.nazov << " piece " << k.i << "," << k.j;
}

TEST(GramatikaVzoru, Tasks1To3)
{
    const Riadok tabulka[] = {
        {"hash markers", "1", "zlomek#2*x+1#5#7", "zlomek", "2*x+1", {{Pole::Vysledek, 1, 0, "5"}, {Pole::Vysledek, 2, 0, "7"}}},
        {"dollar markers give the same record", "2", "zlomek$2*x+1$5$7", "zlomek", "2*x+1", {{Pole::Vysledek, 1, 0, "5"}, {Pole::Vysledek, 2, 0, "7"}}},
        {"mixed markers", "3", "nezlomek$a#b$c", "nezlomek", "a", {{Pole::Vysledek, 1, 0, "b"}, {Pole::Vysledek, 2, 0, "c"}}},
        {"comment ends the line", "1", "k#z#r;#x", "k", "z", {{Pole::Vysledek, 1, 0, "r"}}},
        {"other markers are text", "1", "k#a&b|c@d%e~f#r", "k", "a&b|c@d%e~f", {{Pole::Vysledek, 1, 0, "r"}}},
    };
    for (const Riadok &r : tabulka)
        Over(r);
}

TEST(GramatikaVzoru, Tasks4To9And12)
{
    const Riadok tabulka[] = {
        {"pieces, alternative and comment", "4", "vzorec$A*x$+B#r1&r1b#r2;note", "vzorec", "",
         {{Pole::Zadani, 1, 0, "A*x"}, {Pole::Zadani, 2, 0, "+B"}, {Pole::Vysledek, 1, 0, "r1"},
          {Pole::Vysledek3, 1, 1, "r1b"}, {Pole::Vysledek, 2, 0, "r2"}}},
        {"task 12 reads the same", "12", "vzorec$a#r", "vzorec", "", {{Pole::Zadani, 1, 0, "a"}, {Pole::Vysledek, 1, 0, "r"}}},
        {"a dollar after a result starts the next assignment piece", "9", "v$a#r$b", "v", "",
         {{Pole::Zadani, 1, 0, "a"}, {Pole::Vysledek, 1, 0, "r"}, {Pole::Zadani, 2, 0, "b"}}},
    };
    for (const Riadok &r : tabulka)
        Over(r);
}

TEST(GramatikaVzoru, Task10)
{
    const Riadok tabulka[] = {
        {"results go to the first row of Vysledek2", "10", "vzorec$a$b#r1#r2", "vzorec", "",
         {{Pole::Zadani, 1, 0, "a"}, {Pole::Zadani, 2, 0, "b"}, {Pole::Vysledek2, 1, 1, "r1"}, {Pole::Vysledek2, 1, 2, "r2"}}},
        {"ampersand is text here", "10", "v$a#x&y", "v", "", {{Pole::Zadani, 1, 0, "a"}, {Pole::Vysledek2, 1, 1, "x&y"}}},
    };
    for (const Riadok &r : tabulka)
        Over(r);
}

TEST(GramatikaVzoru, Tasks11And15To18)
{
    const Riadok tabulka[] = {
        {"at sign moves to the next column", "11", "k$z#a@b", "k", "",
         {{Pole::Zadani, 1, 0, "z"}, {Pole::Vysledek2, 1, 1, "a"}, {Pole::Vysledek2, 1, 2, "b"}}},
        {"percent gives verification pieces", "15", "k$z%p%q", "k", "",
         {{Pole::Zadani, 1, 0, "z"}, {Pole::Vysledek, 1, 0, "p"}, {Pole::Vysledek, 2, 0, "q"}}},
        {"second and third tables", "16", "k$z#a&t|u", "k", "",
         {{Pole::Zadani, 1, 0, "z"}, {Pole::Vysledek2, 1, 1, "a"}, {Pole::Vysledek3, 1, 1, "t"}, {Pole::Vysledek4, 1, 1, "u"}}},
        {"at sign moves the table column too", "17", "k#a@b&c@d", "k", "",
         {{Pole::Vysledek2, 1, 1, "a"}, {Pole::Vysledek2, 1, 2, "b"}, {Pole::Vysledek3, 1, 1, "c"}, {Pole::Vysledek3, 1, 2, "d"}}},
        {"a new result piece restarts the column", "18", "k#a@b#c", "k", "",
         {{Pole::Vysledek2, 1, 1, "a"}, {Pole::Vysledek2, 1, 2, "b"}, {Pole::Vysledek2, 2, 1, "c"}}},
        {"tilde is text for the generator", "11", "k$z#a~b", "k", "", {{Pole::Zadani, 1, 0, "z"}, {Pole::Vysledek2, 1, 1, "a~b"}}},
        {"comment", "18", "k$z#a;@b", "k", "", {{Pole::Zadani, 1, 0, "z"}, {Pole::Vysledek2, 1, 1, "a"}}},
    };
    for (const Riadok &r : tabulka)
        Over(r);
}

TEST(GramatikaVzoru, Tasks13And14)
{
    const Riadok tabulka[] = {
        {"pieces before the tilde are side 1", "13", "k$1$2~$3$4", "k", "",
         {{Pole::Zadani_strany, 1, 1, "1"}, {Pole::Zadani_strany, 1, 2, "2"}, {Pole::Zadani_strany, 2, 1, "3"}, {Pole::Zadani_strany, 2, 2, "4"}}},
        {"without a tilde everything is side 2", "14", "k$1$2", "k", "",
         {{Pole::Zadani_strany, 2, 1, "1"}, {Pole::Zadani_strany, 2, 2, "2"}}},
        {"results and their table form", "13", "k$1#r1|t1#r2", "k", "",
         {{Pole::Zadani_strany, 2, 1, "1"}, {Pole::Vysledek, 1, 0, "r1"}, {Pole::Vysledek4, 1, 1, "t1"}, {Pole::Vysledek, 2, 0, "r2"}}},
        {"text right after the tilde is piece 0 of side 0", "14", "k~x$y", "k", "",
         {{Pole::Zadani_strany, 0, 0, "x"}, {Pole::Zadani_strany, 2, 1, "y"}}},
    };
    for (const Riadok &r : tabulka)
        Over(r);
}

TEST(GramatikaVzoru, Task19)
{
    const Riadok tabulka[] = {
        {"fields and word-problem pieces", "19", "2#1#text#a/b", "2", "1",
         {{Pole::Zadani, 1, 0, "text"}, {Pole::Zadani, 2, 0, "a"}, {Pole::Zadani, 3, 0, "b"}}, 2},
        {"slash counts in every field", "19", "1#s/x#t#a", "1", "sx", {{Pole::Zadani, 1, 0, "t"}, {Pole::Zadani, 3, 0, "a"}}, 1},
        {"fields from the fifth on are ignored", "19", "1#s#t#a#zbytok", "1", "s", {{Pole::Zadani, 1, 0, "t"}, {Pole::Zadani, 2, 0, "a"}}, 1},
        {"no comment character", "19", "1#s;x", "1", "s;x", {}, 1},
        {"Slovak text is kept", "19", QStringLiteral("2#3#Koľko stojí šťava?#ks"), "2", "3",
         {{Pole::Zadani, 1, 0, QStringLiteral("Koľko stojí šťava?")}, {Pole::Zadani, 2, 0, "ks"}}, 2},
    };
    for (const Riadok &r : tabulka)
        Over(r);
}

struct Sekcia {
    const char *nazov;
    const char *uloha;
    QStringList riadky;
    QStringList druhy; // Druh of records 1, 2, ... in order
    int varianta = 0;
};

TEST(GramatikaVzoru, SectionsAndNumbering)
{
    const Sekcia tabulka[] = {
        {"only the lines between the task's head and the next", "3", {"[3]", "a#1#2", "b#1#2", "[4]", "c$1#2"}, {"a", "b"}},
        {"the next task reads its own section", "4", {"[3]", "a#1#2", "[4]", "c$1#2"}, {"c"}},
        {"[1] does not match [11]", "1", {"[11]", "x#1#2", "[1]", "a#1#2", "[12]", "y#1#2"}, {"a"}},
        {"a head with a trailing blank is another head", "1", {"[1] ", "x#1#2"}, {}},
        {"blank and comment lines take no record number", "1", {"[1]", "a#1#2", "", ";note", "b#3#4"}, {"a", "b"}},
        {"an empty line at the end of a section is not counted", "2", {"[2]", "a#1#2", ""}, {"a"}},
        {"a head on the last line gives an empty section", "2", {"[1]", "x#1#2", "[2]"}, {}},
        {"a head directly followed by another head", "2", {"[2]", "[3]", "x#1#2"}, {}},
        {"a repeated own head continues the section", "2", {"[2]", "a#1#2", "[2]", "b#1#2"}, {"a", "b"}},
        {"task 20 takes no templates", "20", {"[20]", "a#1#2"}, {}},
        {"task 21 takes no templates", "21", {"[21]", "a$1#2"}, {}},
        {"unknown task takes no templates", "22", {"[22]", "a#1#2"}, {}},
        {"task 19 reads the lines of its variant", "19", {"[19]", "1#a#x", "2#b#y", "", "x#c", "2#d"}, {"2", "2"}, 2},
        {"task 19 without a variant reads none", "19", {"[19]", "1#a#x"}, {}, 0},
        {"tasks 13 and 14 count a line with a kind", "13", {"[13]", "$1$2", "k$1$2"}, {"k"}},
    };
    for (const Sekcia &s : tabulka) {
        const Vzory_ulohy v = Precti_vzory(s.riadky, QString::fromLatin1(s.uloha), s.varianta);
        EXPECT_EQ(v.chybny_riadok, 0) << s.nazov;
        QStringList druhy;
        for (int k = 1; k <= v.vzory.Pocet(); ++k)
            druhy << v.vzory[k].Druh();
        EXPECT_EQ(druhy, s.druhy) << s.nazov;
    }
}

TEST(GramatikaVzoru, RecordsOutsideTheCountReadEmpty)
{
    const Vzory_ulohy v = Precti_vzory({"[1]", "a#b#c"}, "1", 0);
    for (int k : {-1, 0, 2, 1001}) {
        EXPECT_TRUE(v.vzory[k].Druh().isEmpty()) << k;
        EXPECT_TRUE(v.vzory[k].Vysledek(1).isEmpty()) << k;
    }
}

TEST(GramatikaVzoru, LimitsOfTheTables)
{
    const auto opakuj = [](const char *kus, int n) { return QString::fromLatin1(kus).repeated(n); };
    struct Hranica {
        const char *nazov;
        const char *uloha;
        QString riadok;
        bool ok;
    };
    const Hranica tabulka[] = {
        {"assignment piece 90", "4", "k" + opakuj("$x", 90), true},
        {"assignment piece 91", "4", "k" + opakuj("$x", 91), false},
        {"result piece 50", "4", "k$a" + opakuj("#x", 50), true},
        {"result piece 51", "1", "k#a" + opakuj("#x", 51), false},
        {"column 51", "11", "k$a#x" + opakuj("@x", 50), false},
        {"counters beyond the tables without text are harmless", "4", "k$a" + opakuj("#", 5000), true},
        {"word-problem piece 91", "19", "1#s#t#" + opakuj("/", 89) + "x", false},
    };
    for (const Hranica &h : tabulka) {
        const Vzory_ulohy v = Precti_vzory({"[x]", QStringLiteral("[%1]").arg(QLatin1String(h.uloha)), "k#1#2", h.riadok},
                                           QString::fromLatin1(h.uloha), 1);
        EXPECT_EQ(v.chybny_riadok, h.ok ? 0 : 4) << h.nazov;
        EXPECT_EQ(v.vzory.Pocet(), h.ok ? 2 : 0) << h.nazov;
    }
}

TEST(GramatikaVzoru, AtMostAThousandTemplates)
{
    QStringList riadky{"[1]"};
    for (int i = 0; i < Max_vzoru; ++i)
        riadky << QStringLiteral("k%1#a#b").arg(i);
    EXPECT_EQ(Precti_vzory(riadky, "1", 0).vzory.Pocet(), Max_vzoru);
    riadky << "k#a#b";
    const Vzory_ulohy v = Precti_vzory(riadky, "1", 0);
    EXPECT_EQ(v.chybny_riadok, Max_vzoru + 2);
    EXPECT_EQ(v.vzory.Pocet(), 0);
}

} // namespace
