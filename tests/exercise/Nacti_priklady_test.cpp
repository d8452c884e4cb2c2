#include "exercise/Nacti_priklady.h"
#include "services/Prekodovany_soubor.h"
#include "support/Datove_subory.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Misc;

namespace {

class NactiPriklady : public ::testing::Test {
protected:
    QTemporaryDir hd;
    QString Hra() const { return hd.filePath(QStringLiteral("Hra.dat")); }

    const QStringList subor{
        QStringLiteral("[1]"), QStringLiteral("zlomek#2*x+1#5#7"), QString(),
        QStringLiteral("[19]"), QStringLiteral("1#1#Cena#x"), QStringLiteral("2#4#Koľko percent je ťava?#a/b"),
    };
};

TEST_F(NactiPriklady, ReadsTheTasksSectionFromTheScrambledFile)
{
    Zapis_prekodovany(Hra(), subor);
    const Chyba_suboru chyba = Nacti_priklady_ze_souboru(Hra(), QStringLiteral("19"), 2);
    ASSERT_FALSE(chyba.Je_chyba()) << chyba.Text().toStdString();
    ASSERT_EQ(Pocet_vzoru(), 1);
    EXPECT_EQ(Vzory[1].Zadani_radek(), QStringLiteral("4"));
    EXPECT_EQ(Vzory[1].Zadani(1), QStringLiteral("Koľko percent je ťava?"));
    EXPECT_EQ(Vzory[1].Zadani(3), QStringLiteral("b"));
    EXPECT_EQ(Obsah(Docasny_soubor()), Obsah(Hra())) << "the temporary copy is scrambled again";
}

TEST_F(NactiPriklady, ALaterLoadReplacesTheRecords)
{
    Zapis_prekodovany(Hra(), subor);
    ASSERT_FALSE(Nacti_priklady_ze_souboru(Hra(), QStringLiteral("19"), 1).Je_chyba());
    ASSERT_FALSE(Nacti_priklady_ze_souboru(Hra(), QStringLiteral("20"), 0).Je_chyba());
    EXPECT_EQ(Pocet_vzoru(), 0);
    EXPECT_TRUE(Vzory[1].Druh().isEmpty());
}

TEST_F(NactiPriklady, FailuresEmptyTheRecordsAndSayWhy)
{
    QStringList prilis_dlhy = subor;
    prilis_dlhy << QStringLiteral("[4]") << QStringLiteral("k") + QStringLiteral("$x").repeated(91);
    struct Riadok {
        const char *nazov;
        QStringList obsah; // empty: no file at all
        Chyba_suboru::Druh druh;
        int riadok;
    };
    const Riadok tabulka[] = {
        {"missing task data file", {}, Chyba_suboru::Neexistuje, 0},
        {"line beyond the tables", prilis_dlhy, Chyba_suboru::Nad_hranice, 8},
    };
    for (const Riadok &r : tabulka) {
        QFile::remove(Hra());
        if (!r.obsah.isEmpty())
            Zapis_prekodovany(Hra(), r.obsah);
        Zapis_prekodovany(hd.filePath(QStringLiteral("ine.dat")), subor);
        ASSERT_FALSE(Nacti_priklady_ze_souboru(hd.filePath(QStringLiteral("ine.dat")), QStringLiteral("1"), 0).Je_chyba());
        ASSERT_EQ(Pocet_vzoru(), 1);

        const Chyba_suboru chyba = Nacti_priklady_ze_souboru(Hra(), QStringLiteral("4"), 0);
        EXPECT_EQ(chyba.druh, r.druh) << r.nazov;
        EXPECT_EQ(chyba.riadok, r.riadok) << r.nazov;
        EXPECT_FALSE(chyba.Text().isEmpty()) << r.nazov;
        EXPECT_EQ(Pocet_vzoru(), 0) << r.nazov;
    }
}

} // namespace
