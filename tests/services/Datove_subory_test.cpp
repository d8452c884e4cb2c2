// The data files as the program reads them: the INI file, the scrambled files
// through their private copy, the marks and the texts.
#include "services/Ini_subor.h"
#include "services/Prekodovany_soubor.h"
#include "services/Tabulky.h"

#include "Instalacia.h"
#include "support/SmallDisk.h"

#include <QFileInfo>
#include <QRandomGenerator>

using namespace Misc;

TEST(Hodnota_z_ini, FindsValuesAsTheProfileCallDoes)
{
    const struct { const char *nazov; QByteArray obsah; QString hodnota; } riadky[] = {
        {"backslashes kept as they stand", "[KVR4]\nCD=C:\\new\\table\\\\x\\\n", "C:\\new\\table\\\\x\\"},
        {"blanks around trimmed, inside kept", "[ KVR4 ]\n  CD  = /home/žiak/Moje dáta  \n", "/home/žiak/Moje dáta"},
        {"first of two keys wins", "[KVR4]\nCD=/prvy\nCD=/druhy\n", "/prvy"},
        {"another section, then the same name again: neither searched", "[KVR4]\nHD=/x\n[Ine]\nCD=/ine\n[kvr4]\nCD=/y\n", "Chyba"},
        {"section not closed", "CD=/x\n[KVR4\nCD=/y\n", "Chyba"},
        {"byte order mark in front", "\xEF\xBB\xBF[KVR4]\nCD=/x\n", "/x"},
    };
    QTemporaryDir adresar;
    for (const auto &r : riadky) {
        Zapis(adresar.filePath("Loravik.ini"), r.obsah);
        EXPECT_EQ(Hodnota_z_ini(adresar.filePath("Loravik.ini"), "KVR4", "CD", "Chyba"), r.hodnota) << r.nazov;
    }
}

namespace {

constexpr qsizetype Blok = 1048577;

class PrekodovanySubor : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    const QByteArray stary_tmp = qgetenv("TMP"), stary_temp = qgetenv("TEMP");
    PrekodovanySubor() { Premenne(tmp.path(), QString()); }
    ~PrekodovanySubor() override { qputenv("TMP", stary_tmp), qputenv("TEMP", stary_temp); }

    static void Premenne(const QString &tmp, const QString &temp) { qputenv("TMP", tmp.toLocal8Bit()), qputenv("TEMP", temp.toLocal8Bit()); }
    QString Cesta(const char *meno) const { return tmp.filePath(QString::fromLatin1(meno)); }

    // Transforms `vstup` through a file and returns the temporary copy.
    QByteArray Prekoduj(const QByteArray &vstup)
    {
        EXPECT_TRUE(Zapis_subor(Cesta("zdroj.dat"), vstup));
        EXPECT_FALSE(Prekoduj_soubor(Cesta("zdroj.dat")).Je_chyba());
        return Obsah(Docasny_soubor());
    }
};

} // namespace

TEST_F(PrekodovanySubor, BytesByPositionInTheirChunkAndTwiceGivesTheSameBytes)
{
    // Zero bytes come out as the key character that transforms them.
    const struct { const char *nazov; qsizetype dlzka, pozicia; QByteArray bajty; } tabulka[] = {
        {"byte 0 kept, bytes 1 to 4 take key characters 2, 3, 4, 1", 5, 0, QByteArray("\0" "0836", 5)},
        {"exactly one chunk: its last byte is transformed", Blok, Blok - 1, "6"},
        {"two chunks: the key restarts in the second", Blok + 2, Blok, QByteArray("\0" "0", 2)},
    };
    for (const auto &r : tabulka)
        EXPECT_EQ(Prekoduj(QByteArray(r.dlzka, '\0')).mid(r.pozicia), r.bajty) << r.nazov;

    QByteArray povodne(2 * Blok + 5, Qt::Uninitialized);
    QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(povodne.data()), povodne.size() / 4);
    const QByteArray raz = Prekoduj(povodne);
    EXPECT_EQ(Prekoduj(raz), povodne);
    ASSERT_FALSE(Prekoduj_soubor(Docasny_soubor()).Je_chyba()) << "in place, on the copy itself";
    EXPECT_EQ(Obsah(Docasny_soubor()), raz);
    EXPECT_EQ(Prekoduj("xy"), QByteArray("xI")) << "a short file leaves no trace of a longer one";
    EXPECT_EQ(Prekoduj(""), QByteArray());
}

TEST_F(PrekodovanySubor, CopyLiesBelowTmpThenTempThenThePlatformsDirectoryIsPrivateAndHasNoName)
{
    QTemporaryDir temp;
    const struct { const char *nazov; QString tmp, temp, adresar; } tabulka[] = {
        {"TMP wins over TEMP", tmp.path(), temp.path(), tmp.path()},
        {"TEMP when TMP is empty", QString(), temp.path(), temp.path()},
        {"platform directory when both are empty", QString(), QString(), QDir::tempPath()},
        {"unusable temporary directory: reported", Cesta("nie-je"), QString(), QString()},
    };
    // Another user's copy under the old fixed name must not stop us.
    ASSERT_TRUE(QDir(tmp.path()).mkdir(QStringLiteral("Dat.tmp")));
    ASSERT_TRUE(Zapis_prekodovany(Cesta("zdroj.dat"), {"abc"}));
    for (const auto &r : tabulka) {
        Premenne(r.tmp, r.temp);
        QStringList riadky{QStringLiteral("stale")};
        const Chyba_suboru chyba = Precti_prekodovany_soubor(Cesta("zdroj.dat"), riadky);
        if (r.adresar.isEmpty()) {
            EXPECT_EQ(chyba.druh, Chyba_suboru::Bez_docasneho_suboru) << r.nazov;
            EXPECT_TRUE(riadky.isEmpty() && chyba.Text().contains(QDir::toNativeSeparators(r.tmp))) << r.nazov;
            continue;
        }
        EXPECT_EQ(riadky, QStringList{"abc"}) << r.nazov;
        // Nameless, it is known by its descriptor, which tells its folder.
        EXPECT_EQ(QFileInfo(QFileInfo(Docasny_soubor()).symLinkTarget()).absolutePath(),
                  QFileInfo(r.adresar).absoluteFilePath()) << r.nazov;
        EXPECT_EQ(QFileInfo(Docasny_soubor()).permissions() & (QFile::ReadGroup | QFile::ReadOther), 0) << r.nazov;
        EXPECT_EQ(QDir(tmp.path()).entryList({"Dat.*.tmp"}, QDir::AllEntries | QDir::Hidden), QStringList()) << r.nazov;
    }
}

// A temporary folder on a file system without unnamed files (FUSE, as a
// network's often is): the copy is made with a name that goes at once, so
// no name of ours stands there while it is used, and nothing is left once
// it is given up. Skipped without bindfs to make one.
TEST_F(PrekodovanySubor, ATemporaryFolderWithoutUnnamedFilesHoldsNoNameOfTheCopy)
{
    const lktest::FuseDisk fuse;
    if (!fuse.Mounted())
        GTEST_SKIP() << "no FUSE file system of the test's own here (needs bindfs and /dev/fuse)";
    ASSERT_FALSE(fuse.MakesUnnamedFiles());
    ASSERT_TRUE(Zapis_prekodovany(Cesta("zdroj.dat"), {"abc"}));
    Premenne(fuse.Path(), QString());
    QStringList riadky;
    ASSERT_FALSE(Precti_prekodovany_soubor(Cesta("zdroj.dat"), riadky).Je_chyba());
    EXPECT_EQ(riadky, QStringList{"abc"});
    // FUSE keeps a file removed while open under a hidden name of its own.
    const QStringList mena = fuse.Files();
    EXPECT_EQ(mena.size(), mena.filter(QRegularExpression("^\\.fuse_hidden")).size()) << mena.join(", ").toStdString();
    Premenne(tmp.path(), QString()); // the copy on FUSE given up for one here
    ASSERT_FALSE(Precti_prekodovany_soubor(Cesta("zdroj.dat"), riadky).Je_chyba());
    EXPECT_EQ(fuse.FilesAfterCloses(), QStringList());
}

TEST(Nacti_znamky, FieldsAreReadAsTheNumbersTheyBeginWith)
{
    const struct { const char *nazov; QString pole; int hodnota; /* -1: ignored */ } riadky[] = {
        {"blanks, tabs and line feeds anywhere", " 4\t9\n", 49}, {"a comma ends it", "49,9", 49},
        {"no number counts 0", "abc", 0},   {"half to even", "48.5", 48},
        {"exponent", "1E2", 100},           {"256 is ignored", "256", -1},
        {"negative is ignored", "-1", -1},
    };
    for (const auto &r : riadky) {
        const auto hodnota = Hodnota_pola(r.pole);
        EXPECT_EQ(hodnota ? int(*hodnota) : -1, r.hodnota) << r.nazov;
    }
}

TEST(Nacti_znamky, LinesFillRowsOneToFiveAndADamagedRowChangesNone)
{
    // Blanks and a fourth field, an empty line (a row without a mark), a
    // sixth line ignored; rows the file does not reach keep what they held.
    Tabulka_znamek.fill(Hranice_znamky{});
    QTemporaryDir adresar;
    const QString cesta = adresar.filePath("znamky.dat");
    const auto riadky = [] {
        QList<std::array<int, 3>> r;
        for (const Hranice_znamky &h : Tabulka_znamek)
            r.append({h.Dolni_hranice, h.Horni_hranice, h.Hodnota_znamky});
        return r;
    };
    Zapis(cesta, V_1250({" 0 | 49 | 5 |7", "", "50|100|1", "90|100|1", "1|1|1", "1|1|9"}));
    ASSERT_FALSE(Nacti_znamky(cesta).Je_chyba());
    const auto dobre = riadky();
    EXPECT_EQ(dobre, (QList<std::array<int, 3>>{{0, 0, 0}, {0, 49, 5}, {0, 0, 0}, {50, 100, 1}, {90, 100, 1}, {1, 1, 1}}));
    // A field outside 0 to 255 or a mark outside 1 to 5: refused, naming the line.
    for (const auto &[riadok, cislo] : {std::pair{"7|300|3", 2}, {"0|49|0", 2}, {"30", 2}, {"0|49|6", 2}, {"-1|49|5", 2}}) {
        Zapis(cesta, V_1250({"50|100|1", riadok}));
        const Chyba_suboru chyba = Nacti_znamky(cesta);
        EXPECT_EQ(chyba.druh, Chyba_suboru::Nad_hranice) << riadok;
        EXPECT_EQ(chyba.riadok, cislo) << riadok;
        EXPECT_EQ(riadky(), dobre) << riadok << ": no row changed";
    }
}

TEST(Nacti_texty, LineKIsTextKUpToTheTablesEnd)
{
    QTemporaryDir adresar;
    const QString cesta = adresar.filePath("Texty.dat");
    for (int pocet : {Pocet_potrebnych_textov, 1005}) {
        QStringList riadky;
        for (int k = 1; k <= pocet; ++k)
            riadky << QString::number(k);
        // Every Slovak letter, and the maths font's glyphs, which lie at Windows-1250 code points.
        riadky[0] = QStringLiteral("áäčďéíĺľňóôŕšťúýž ÁÄČĎÉÍĹĽŇÓÔŔŠŤÚÝŽ ŔÁÂĂÄĹĆÇČÉ¬·©´ż");
        riadky[1] = QStringLiteral("  s medzerami  ");
        ASSERT_TRUE(Zapis_prekodovany(cesta, riadky));
        Texty[68] = QStringLiteral("stary");

        ASSERT_FALSE(Nacti_texty(cesta).Je_chyba());
        EXPECT_EQ(Obsah(Docasny_soubor()), Obsah(cesta)) << "the copy is scrambled again";

        const bool vela = pocet > Pocet_potrebnych_textov; // a short file leaves no old text behind
        EXPECT_EQ(QStringList({Texty[0], Texty[1], Texty[2], Texty[67], Texty[68], Texty[1000]}),
                  QStringList({"", riadky[0], riadky[1], "67", vela ? "68" : "", vela ? "1000" : ""}));
    }
}
