// The marks table and the text table as the start-up fills them from files.
#include "services/Tabulky.h"

#include "Instalacia.h"

using namespace Misc;

TEST(Nacti_znamky, FieldsAreReadAsTheNumbersTheyBeginWith)
{
    struct Riadok {
        const char *nazov;
        QString pole;
        int hodnota; // -1: ignored
    } riadky[] = {
        {"blanks, tabs and line feeds anywhere", " 4\t9\n", 49}, {"a comma ends it", "49,9", 49},
        {"no number counts 0", "abc", 0},   {"half to even, down", "48.5", 48},
        {"half to even, up", "49.5", 50},   {"exponent", "1E2", 100},
        {"256 is ignored", "256", -1},      {"negative is ignored", "-1", -1},
    };
    for (const Riadok &r : riadky) {
        const auto hodnota = Hodnota_pola(r.pole);
        EXPECT_EQ(hodnota ? int(*hodnota) : -1, r.hodnota) << r.nazov;
    }
}

TEST(Nacti_znamky, LinesFillRowsOneToFive)
{
    using Trojica = std::array<int, 3>;
    struct Pripad {
        const char *nazov;
        QStringList riadky;
        Trojica prvy, treti, piaty;
    } pripady[] = {
        {"blanks around, fourth field ignored", {" 0 | 49 | 5 |7"}, {0, 49, 5}, {1, 2, 3}, {0, 0, 0}},
        {"line without bar: lower bound only", {"30"}, {30, 0, 0}, {1, 2, 3}, {0, 0, 0}},
        {"sixth line ignored", {"", "a", "65|79|3", "d", "90|100|1", "1|1|1"}, {0, 0, 0}, {65, 79, 3}, {90, 100, 1}},
        {"field out of range keeps the old value", {"300|49|5", "", "7|300|3"}, {0, 49, 5}, {7, 2, 3}, {0, 0, 0}},
    };
    QTemporaryDir adresar;
    const QString cesta = adresar.filePath("znamky.dat");
    for (const Pripad &p : pripady) {
        Tabulka_znamek.fill(Hranice_znamky{});
        Tabulka_znamek[3] = {1, 2, 3}; // rows the file does not reach keep theirs
        Zapis(cesta, V_1250(p.riadky));
        Nacti_znamky(cesta);
        const auto riadok = [](int r) {
            const Hranice_znamky &h = Tabulka_znamek[r];
            return Trojica{h.Dolni_hranice, h.Horni_hranice, h.Hodnota_znamky};
        };
        EXPECT_EQ(riadok(1), p.prvy) << p.nazov;
        EXPECT_EQ(riadok(3), p.treti) << p.nazov;
        EXPECT_EQ(riadok(5), p.piaty) << p.nazov;
    }
}

TEST(Nacti_texty, LineKIsTextKUpToTheTablesEnd)
{
    QTemporaryDir adresar;
    const QString cesta = adresar.filePath("Texty.dat");
    for (int pocet : {40, 1005}) {
        QStringList riadky;
        for (int k = 1; k <= pocet; ++k)
            riadky << QString::number(k);
        riadky[0] = QStringLiteral("Ľúbostná pieseň: ďaleko, ťažko, ŕ ĺ ä ô");
        riadky[1] = QStringLiteral("  s medzerami  ");
        ASSERT_TRUE(Zapis_prekodovany(cesta, riadky));
        Texty[41] = QStringLiteral("stary");

        Nacti_texty(cesta);

        const bool vela = pocet > 40; // a short file leaves no old text behind
        EXPECT_EQ(QStringList({Texty[0], Texty[1], Texty[2], Texty[40], Texty[41], Texty[1000]}),
                  QStringList({"", riadky[0], riadky[1], "40", vela ? "41" : "", vela ? "1000" : ""}));
    }
}
