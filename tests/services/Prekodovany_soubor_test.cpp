#include "services/Prekodovany_soubor.h"
#include "support/Datove_subory.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

using namespace Misc;

namespace {

constexpr qsizetype Blok = 1048577;

// Sets TMP and TEMP for one test and restores them afterwards.
class Docasne_premenne {
public:
    Docasne_premenne(std::optional<QString> tmp, std::optional<QString> temp)
        : stary_tmp(Citaj("TMP")), stary_temp(Citaj("TEMP"))
    {
        Nastav("TMP", tmp);
        Nastav("TEMP", temp);
    }
    ~Docasne_premenne()
    {
        Nastav("TMP", stary_tmp);
        Nastav("TEMP", stary_temp);
    }

private:
    static std::optional<QString> Citaj(const char *meno)
    {
        if (!qEnvironmentVariableIsSet(meno))
            return std::nullopt;
        return qEnvironmentVariable(meno);
    }
    static void Nastav(const char *meno, const std::optional<QString> &hodnota)
    {
        if (hodnota)
            qputenv(meno, hodnota->toLocal8Bit());
        else
            qunsetenv(meno);
    }
    std::optional<QString> stary_tmp, stary_temp;
};

class PrekodovanySubor : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    Docasne_premenne premenne{tmp.path(), std::nullopt};

    QString Cesta(const char *meno) const { return tmp.filePath(QString::fromLatin1(meno)); }

    // Transforms `vstup` through a file and returns the temporary copy.
    QByteArray Prekoduj(const QByteArray &vstup)
    {
        Zapis_subor(Cesta("zdroj.dat"), vstup);
        const Chyba_suboru chyba = Prekoduj_soubor(Cesta("zdroj.dat"));
        EXPECT_FALSE(chyba.Je_chyba()) << chyba.Text().toStdString();
        return Obsah(Docasny_soubor());
    }
};

QByteArray Nahodne_bajty(qsizetype n)
{
    QByteArray b(n, Qt::Uninitialized);
    for (qsizetype i = 0; i < n; ++i)
        b[i] = char(QRandomGenerator::global()->bounded(256));
    return b;
}

TEST_F(PrekodovanySubor, TransformOfShortFiles)
{
    struct Riadok {
        const char *nazov;
        QByteArray vstup, vystup;
    };
    const Riadok tabulka[] = {
        {"empty file gives an empty copy", "", ""},
        {"one byte is copied unchanged", "A", "A"},
        {"bytes 1 to 4 take key characters 2, 3, 4, 1", QByteArray(5, '\0'), QByteArray("\0" "083" "6", 5)},
        {"position 0 of the chunk is never touched", "\x36\x30", QByteArray("\x36\x00", 2)},
    };
    for (const Riadok &r : tabulka)
        EXPECT_EQ(Prekoduj(r.vstup), r.vystup) << r.nazov;
}

TEST_F(PrekodovanySubor, ChunkEdges)
{
    const QByteArray jeden_blok = Prekoduj(QByteArray(Blok, '\0'));
    ASSERT_EQ(jeden_blok.size(), Blok);
    EXPECT_EQ(jeden_blok.at(Blok - 1), '6') << "last byte of one chunk, position 1048576";

    const QByteArray dva_bloky = Prekoduj(QByteArray(Blok + 1, '\0'));
    ASSERT_EQ(dva_bloky.size(), Blok + 1);
    EXPECT_EQ(dva_bloky.at(Blok - 1), '6');
    EXPECT_EQ(dva_bloky.at(Blok), '\0') << "position 0 of the second chunk stays";

    const QByteArray tri = Prekoduj(QByteArray(Blok + 3, '\0'));
    EXPECT_EQ(tri.mid(Blok), QByteArray("\0" "08", 3)) << "the key restarts in the second chunk";
}

TEST_F(PrekodovanySubor, TransformingTwiceGivesTheSameBytes)
{
    for (qsizetype n : {qsizetype(7), Blok, Blok + 1, 2 * Blok + 5}) {
        const QByteArray povodne = Nahodne_bajty(n);
        const QByteArray raz = Prekoduj(povodne);
        EXPECT_NE(raz, povodne) << n;
        EXPECT_EQ(Prekoduj(raz), povodne) << n;
        // In place, on the copy itself.
        ASSERT_FALSE(Prekoduj_soubor(Docasny_soubor()).Je_chyba());
        EXPECT_EQ(Obsah(Docasny_soubor()), raz) << n;
    }
}

TEST_F(PrekodovanySubor, ShortFileLeavesNoTraceOfALongerOne)
{
    Prekoduj(Nahodne_bajty(5000));
    EXPECT_EQ(Prekoduj("xy"), QByteArray("xI"));
}

TEST_F(PrekodovanySubor, ReadingProtocolLeavesTheCopyScrambled)
{
    Zapis_prekodovany(Cesta("Texty.dat"), {QStringLiteral("Prvý riadok"), QString(), QStringLiteral("tretí")});
    QStringList riadky;
    const Chyba_suboru chyba = Precti_prekodovany_soubor(Cesta("Texty.dat"), riadky);
    ASSERT_FALSE(chyba.Je_chyba()) << chyba.Text().toStdString();
    EXPECT_EQ(riadky, QStringList({QStringLiteral("Prvý riadok"), QString(), QStringLiteral("tretí")}));
    EXPECT_EQ(Obsah(Docasny_soubor()), Obsah(Cesta("Texty.dat")));
}

TEST_F(PrekodovanySubor, FilesThatCannotBeReadAreReported)
{
    QDir(tmp.path()).mkdir(QStringLiteral("adresar"));
    struct Riadok {
        const char *nazov;
        QString cesta;
        Chyba_suboru::Druh druh;
    };
    const Riadok tabulka[] = {
        {"missing file", Cesta("Hra.dat"), Chyba_suboru::Neexistuje},
        {"a directory", Cesta("adresar"), Chyba_suboru::Neda_sa_citat},
    };
    for (const Riadok &r : tabulka) {
        QStringList riadky{QStringLiteral("stale")};
        const Chyba_suboru chyba = Precti_prekodovany_soubor(r.cesta, riadky);
        EXPECT_EQ(chyba.druh, r.druh) << r.nazov;
        EXPECT_TRUE(riadky.isEmpty()) << r.nazov;
        EXPECT_TRUE(chyba.Text().contains(QDir::toNativeSeparators(r.cesta))) << r.nazov;
    }
}

TEST(DocasnySubor, DirectoryFollowsTmpThenTempThenPlatform)
{
    QTemporaryDir a, b;
    struct Riadok {
        const char *nazov;
        std::optional<QString> tmp, temp;
        QString adresar;
    };
    const Riadok tabulka[] = {
        {"TMP wins over TEMP", a.path(), b.path(), a.path()},
        {"TEMP when TMP is unset", std::nullopt, b.path(), b.path()},
        {"TEMP when TMP is empty", QString(), b.path(), b.path()},
        {"platform directory when both are unset", std::nullopt, std::nullopt, QDir::tempPath()},
    };
    Zapis_subor(a.filePath(QStringLiteral("zdroj")), "abc");
    for (const Riadok &r : tabulka) {
        Docasne_premenne premenne(r.tmp, r.temp);
        ASSERT_FALSE(Prekoduj_soubor(a.filePath(QStringLiteral("zdroj"))).Je_chyba()) << r.nazov;
        EXPECT_EQ(QFileInfo(Docasny_soubor()).absolutePath(), QFileInfo(r.adresar).absoluteFilePath()) << r.nazov;
        EXPECT_EQ(Obsah(Docasny_soubor()), QByteArray("aR[")) << r.nazov;
    }
}

TEST(DocasnySubor, BelongsToThisUserAlone)
{
    QTemporaryDir tmp;
    Docasne_premenne premenne(tmp.path(), std::nullopt);
    // Another user's copy under the old fixed name must not stop us.
    ASSERT_TRUE(QDir(tmp.path()).mkdir(QStringLiteral("Dat.tmp")));
    Zapis_subor(tmp.filePath(QStringLiteral("zdroj")), "abc");
    ASSERT_FALSE(Prekoduj_soubor(tmp.filePath(QStringLiteral("zdroj"))).Je_chyba());
    const QFileInfo kopia(Docasny_soubor());
    EXPECT_NE(kopia.fileName(), QStringLiteral("Dat.tmp"));
#ifdef Q_OS_UNIX
    EXPECT_EQ(kopia.permissions() & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther), 0);
#endif
}

TEST(DocasnySubor, UnusableTemporaryDirectoryIsReported)
{
    QTemporaryDir tmp;
    const QString chybajuci = tmp.filePath(QStringLiteral("nie-je"));
    Docasne_premenne premenne(chybajuci, std::nullopt);
    Zapis_subor(tmp.filePath(QStringLiteral("zdroj")), "abc");
    const Chyba_suboru chyba = Prekoduj_soubor(tmp.filePath(QStringLiteral("zdroj")));
    EXPECT_EQ(chyba.druh, Chyba_suboru::Bez_docasneho_suboru);
    EXPECT_EQ(chyba.cesta, chybajuci);
}

} // namespace
