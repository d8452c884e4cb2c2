// The marks table and the text table as the start-up fills them from files.
#include "services/Tabulky.h"

#include "Instalacia.h"

using namespace Misc;

namespace {

struct Trojica {
    int dolna, horna, znamka;
    bool operator==(const Trojica &) const = default;
};

Trojica Riadok(int r)
{
    const Hranice_znamky &h = Tabulka_znamek[r];
    return {h.Dolni_hranice, h.Horni_hranice, h.Hodnota_znamky};
}

void Vynuluj_znamky() { Tabulka_znamek.fill(Hranice_znamky{}); }

} // namespace

TEST(Hodnota_pola, ReadsTheNumberAFieldBeginsWith)
{
    struct Riadok {
        const char *nazov;
        QString pole;
        int hodnota; // -1: ignored
    } riadky[] = {
        {"plain number", "49", 49},
        {"blanks around", "  49 ", 49},
        {"blanks, tabs and line feeds inside", " 4\t9\n", 49},
        {"stops at a letter", "49abc", 49},
        {"no number counts 0", "abc", 0},
        {"empty counts 0", "", 0},
        {"decimal point", "49.4", 49},
        {"half rounds to even, down", "48.5", 48},
        {"half rounds to even, up", "49.5", 50},
        {"decimal comma stops the number", "49,9", 49},
        {"leading plus", "+7", 7},
        {"exponent", "1E2", 100},
        {"exponent without digits ignored", "7E", 7},
        {"upper edge", "255", 255},
        {"just above 255 ignored", "256", -1},
        {"negative ignored", "-1", -1},
        {"small negative rounds to 0", "-0.4", 0},
        {"huge number ignored", "1E400", -1},
    };
    for (const Riadok &r : riadky) {
        const auto hodnota = Hodnota_pola(r.pole);
        EXPECT_EQ(hodnota ? int(*hodnota) : -1, r.hodnota) << r.nazov;
    }
}

TEST(Nacti_znamky, FillsRowsFromTheMarksFile)
{
    struct Pripad {
        const char *nazov;
        QStringList riadky;
        Trojica prvy, piaty;
    } pripady[] = {
        {"three fields", {"0|49|5"}, {0, 49, 5}, {0, 0, 0}},
        {"blanks around numbers", {" 0 | 49 | 5 "}, {0, 49, 5}, {0, 0, 0}},
        {"fourth field ignored", {"0|49|5|7"}, {0, 49, 5}, {0, 0, 0}},
        {"line without bar fills the lower bound only", {"30"}, {30, 0, 0}, {0, 0, 0}},
        {"empty line gives zeros", {"", "1|2|3"}, {0, 0, 0}, {0, 0, 0}},
        {"five lines", {"0|49|5", "50|64|4", "65|79|3", "80|89|2", "90|100|1"}, {0, 49, 5}, {90, 100, 1}},
        {"sixth line ignored", {"0|49|5", "a", "b", "c", "90|100|1", "1|1|1"}, {0, 49, 5}, {90, 100, 1}},
        {"field out of range keeps the row's old value", {"300|49|5"}, {0, 49, 5}, {0, 0, 0}},
    };
    QTemporaryDir adresar;
    const QString cesta = adresar.filePath("znamky.dat");
    for (const Pripad &p : pripady) {
        Vynuluj_znamky();
        Zapis(cesta, V_1250(p.riadky));
        Nacti_znamky(cesta);
        EXPECT_EQ(Riadok(1), p.prvy) << p.nazov;
        EXPECT_EQ(Riadok(5), p.piaty) << p.nazov;
    }
}

TEST(Nacti_znamky, RowsTheFileDoesNotReachKeepTheirContents)
{
    QTemporaryDir adresar;
    const QString cesta = adresar.filePath("znamky.dat");
    Vynuluj_znamky();
    Tabulka_znamek[3] = {1, 2, 3};
    Zapis(cesta, V_1250({"0|49|5", "50|64|4"}));
    Nacti_znamky(cesta);
    EXPECT_EQ(Riadok(2), (Trojica{50, 64, 4}));
    EXPECT_EQ(Riadok(3), (Trojica{1, 2, 3}));
    EXPECT_EQ(Riadok(0), (Trojica{0, 0, 0}));
}

TEST(Nacti_texty, LineKIsTextK)
{
    QTemporaryDir adresar;
    const QString cesta = adresar.filePath("Texty.dat");
    QStringList riadky;
    for (int k = 1; k <= 40; ++k)
        riadky << QStringLiteral("Text %1").arg(k);
    riadky[0] = QStringLiteral("Ľúbostná pieseň ôsmich žiakov: ďaleko, ťažko, ŕ ĺ ä");
    riadky[1] = QStringLiteral("  s medzerami  ");
    riadky[2] = QString();
    ASSERT_TRUE(Zapis_prekodovany(cesta, riadky));

    Texty[41] = QStringLiteral("stary");
    Nacti_texty(cesta);

    EXPECT_EQ(Texty[0], QString());
    EXPECT_EQ(Texty[1], riadky[0]);
    EXPECT_EQ(Texty[2], riadky[1]);
    EXPECT_EQ(Texty[3], QString());
    EXPECT_EQ(Texty[40], QStringLiteral("Text 40"));
    EXPECT_EQ(Texty[41], QString());
    EXPECT_EQ(Texty[1000], QString());
}

TEST(Nacti_texty, LinesBeyondTheTableAreIgnored)
{
    QTemporaryDir adresar;
    const QString cesta = adresar.filePath("Texty.dat");
    QStringList riadky;
    for (int k = 1; k <= 1005; ++k)
        riadky << QString::number(k);
    ASSERT_TRUE(Zapis_prekodovany(cesta, riadky));

    Nacti_texty(cesta);
    EXPECT_EQ(Texty[1000], QStringLiteral("1000"));
}
