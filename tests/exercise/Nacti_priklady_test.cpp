#include "exercise/Nacti_priklady.h"
#include "services/Prekodovany_soubor.h"
#include "support/Datove_subory.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Misc;

namespace {

TEST(NactiPriklady, ReadsTheTasksSectionAndReportsFailuresWithEmptyRecords)
{
    QTemporaryDir hd;
    const QString hra = hd.filePath(QStringLiteral("Hra.dat")), chybna = hd.filePath(QStringLiteral("chybna.dat"));
    const QStringList subor{"[1]", "zlomek#2*x+1#5#7", "[19]", "1#1#Cena#x", QStringLiteral("2#4#Koľko je ťava?#a/b")};
    ASSERT_TRUE(Zapis_prekodovany(hra, subor) && Zapis_prekodovany(chybna, subor + QStringList{"[4]", "k" + QStringLiteral("$x").repeated(91)}));

    ASSERT_FALSE(Nacti_priklady_ze_souboru(hra, QStringLiteral("19"), 2).Je_chyba());
    ASSERT_EQ(Pocet_vzoru(), 1);
    EXPECT_EQ(Vzory[1].Zadani(1), QStringLiteral("Koľko je ťava?"));
    EXPECT_EQ(Obsah(Docasny_soubor()), Obsah(hra)) << "the temporary copy is scrambled again";

    const struct { const char *nazov; QString cesta; Chyba_suboru::Druh druh; int riadok; } tabulka[] = {
        {"missing task data file", hd.filePath(QStringLiteral("nie.dat")), Chyba_suboru::Neexistuje, 0},
        {"line beyond the tables", chybna, Chyba_suboru::Nad_hranice, 7},
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

} // namespace
