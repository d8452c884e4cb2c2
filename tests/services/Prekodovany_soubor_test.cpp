#include "services/Prekodovany_soubor.h"
#include "support/Datove_subory.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Misc;

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

TEST_F(PrekodovanySubor, BytesByPositionInTheirChunk)
{
    // Zero bytes come out as the key character that transforms them.
    const struct { const char *nazov; qsizetype dlzka, pozicia; QByteArray bajty; } tabulka[] = {
        {"one byte is copied unchanged", 1, 0, QByteArray(1, '\0')},
        {"bytes 1 to 4 take key characters 2, 3, 4, 1", 5, 0, QByteArray("\0" "0836", 5)},
        {"exactly one chunk: its last byte is transformed", Blok, Blok - 1, "6"},
        {"two chunks: the key restarts in the second", Blok + 2, Blok, QByteArray("\0" "0", 2)},
    };
    for (const auto &r : tabulka) {
        const QByteArray kopia = Prekoduj(QByteArray(r.dlzka, '\0'));
        ASSERT_EQ(kopia.size(), r.dlzka) << r.nazov;
        EXPECT_EQ(kopia.mid(r.pozicia), r.bajty) << r.nazov;
    }
}

TEST_F(PrekodovanySubor, TransformingTwiceGivesTheSameBytes)
{
    for (qsizetype n : {qsizetype(7), 2 * Blok + 5}) {
        QByteArray povodne(n, Qt::Uninitialized);
        QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(povodne.data()), n / 4);
        const QByteArray raz = Prekoduj(povodne);
        EXPECT_EQ(Prekoduj(raz), povodne) << n;
        ASSERT_FALSE(Prekoduj_soubor(Docasny_soubor()).Je_chyba()) << "in place, on the copy itself";
        EXPECT_EQ(Obsah(Docasny_soubor()), raz) << n;
    }
    EXPECT_EQ(Prekoduj("xy"), QByteArray("xI")) << "a short file leaves no trace of a longer one";
    EXPECT_EQ(Prekoduj(""), QByteArray()) << "an empty source gives an empty copy";
}

TEST_F(PrekodovanySubor, ReadingKeepsEverySlovakLetterAndGlyphAndScramblesTheCopyAgain)
{
    const QStringList text{QStringLiteral("áäčďéíĺľňóôŕšťúýž ÁÄČĎÉÍĹĽŇÓÔŔŠŤÚÝŽ"), QString(),
                           QString::fromUtf16(u"\u0154\u00C1\u00C2\u0102\u00C4\u0139\u0106\u00C7\u010C\u00C9\u00AC\u00B7\u00A9\u00B4\u017C")};
    ASSERT_TRUE(Zapis_prekodovany(Cesta("Texty.dat"), text));
    EXPECT_EQ(Obsah(Cesta("Texty.dat")).size(), text.join(QString()).size() + 6) << "one byte per character";
    QStringList riadky;
    ASSERT_FALSE(Precti_prekodovany_soubor(Cesta("Texty.dat"), riadky).Je_chyba());
    EXPECT_EQ(riadky, text);
    EXPECT_EQ(Obsah(Docasny_soubor()), Obsah(Cesta("Texty.dat")));
}

TEST_F(PrekodovanySubor, FailuresAreReportedWithThePath)
{
    QDir(tmp.path()).mkdir(QStringLiteral("adresar"));
    const struct { const char *nazov; QString cesta, docasny_adresar; Chyba_suboru::Druh druh; } tabulka[] = {
        {"missing file", Cesta("Hra.dat"), tmp.path(), Chyba_suboru::Neexistuje},
        {"a directory", Cesta("adresar"), tmp.path(), Chyba_suboru::Neda_sa_citat},
        {"unusable temporary directory", Cesta("zdroj.dat"), Cesta("nie-je"), Chyba_suboru::Bez_docasneho_suboru},
    };
    ASSERT_TRUE(Zapis_subor(Cesta("zdroj.dat"), "abc"));
    for (const auto &r : tabulka) {
        Premenne(r.docasny_adresar, QString());
        QStringList riadky{QStringLiteral("stale")};
        const Chyba_suboru chyba = Precti_prekodovany_soubor(r.cesta, riadky);
        EXPECT_EQ(chyba.druh, r.druh) << r.nazov;
        EXPECT_TRUE(riadky.isEmpty()) << r.nazov;
        EXPECT_TRUE(chyba.Text().contains(QDir::toNativeSeparators(chyba.cesta)) && !chyba.cesta.isEmpty()) << r.nazov;
    }
}

TEST_F(PrekodovanySubor, CopyLiesBelowTmpThenTempThenThePlatformsDirectoryAndIsPrivate)
{
    QTemporaryDir temp;
    const struct { const char *nazov; QString tmp, temp, adresar; } tabulka[] = {
        {"TMP wins over TEMP", tmp.path(), temp.path(), tmp.path()},
        {"TEMP when TMP is empty", QString(), temp.path(), temp.path()},
        {"platform directory when both are empty", QString(), QString(), QDir::tempPath()},
    };
    // Another user's copy under the old fixed name must not stop us.
    ASSERT_TRUE(QDir(tmp.path()).mkdir(QStringLiteral("Dat.tmp")));
    for (const auto &r : tabulka) {
        Premenne(r.tmp, r.temp);
        EXPECT_EQ(Prekoduj("abc"), QByteArray("aR[")) << r.nazov;
        EXPECT_EQ(QFileInfo(Docasny_soubor()).absolutePath(), QFileInfo(r.adresar).absoluteFilePath()) << r.nazov;
#ifdef Q_OS_UNIX
        EXPECT_EQ(QFileInfo(Docasny_soubor()).permissions() & (QFile::ReadGroup | QFile::ReadOther), 0) << r.nazov;
#endif
    }
}

} // namespace
