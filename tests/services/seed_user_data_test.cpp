// The script that prepares a user's configuration before the program runs:
// what it writes the first time, what it repairs and refreshes later, and
// what it must leave alone.
#include "services/Ini_subor.h"
#include "services/Konfigurace.h"
#include "services/Tabulky.h"

#include "Instalacia.h"

#include <QProcess>

namespace {

class Priprava : public Prostredie {
public:
    // A build's generated resource and default data directories.
    void Build(const QString &nazov, const QByteArray &verzia)
    {
        build = koren() + "/" + nazov + "/resources/";
        Zapis(build + "cd/Bitmap/ico.ico", "x");
        for (const char *s : {"Hra.dat", "Texty.dat", "Znamky.dat", "Vysledky.dat", "Hra.res"})
            Zapis(build + "hd/" + s, verzia);
    }
    int Spusti(const QString &cd, const QString &hd)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", config());
        env.insert("XDG_DATA_HOME", koren() + "/data");
        p.setProcessEnvironment(env);
        p.start("bash", {QStringLiteral(LK_SOURCE_DIR "/scripts/seed-user-data.sh"), cd, hd});
        p.waitForFinished();
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }
    int Spusti() { return Spusti(build + "cd", build + "hd"); }
    QString Kluc(const char *k) const { return Misc::Hodnota_z_ini(ini(), "KVR4", k, "Chyba"); }
    QByteArray Subor(const char *n) const { return Obsah(data + n); }

    QString build, data = koren() + "/data/loravik-kvantira2/";
};

} // namespace

TEST(SeedUserData, FirstRunSeedsLaterRunsRepairAndRefreshButKeepResultsMarksAndHandSetDirectories)
{
    Priprava p;
    p.Build("b1", "v1");
    ASSERT_EQ(p.Spusti(), 0);
    EXPECT_EQ(p.Kluc("CD"), p.build + "cd/");
    EXPECT_EQ(p.Kluc("HD"), p.data);
    EXPECT_EQ(p.Subor("Hra.res"), "v1");

    for (const char *s : {"Znamky.dat", "Hra.res", "Vysledky.dat"})
        Zapis(p.data + s, "ucitel");
    ASSERT_TRUE(QDir(p.build + "..").removeRecursively());
    p.Build("b2", "v2");
    ASSERT_EQ(p.Spusti(), 0);

    EXPECT_EQ(p.Kluc("CD"), p.build + "cd/") << "the gone build is replaced";
    for (const char *s : {"Hra.dat", "Texty.dat"})
        EXPECT_EQ(p.Subor(s), "v2") << s;
    for (const char *s : {"Znamky.dat", "Hra.res", "Vysledky.dat"})
        EXPECT_EQ(p.Subor(s), "ucitel") << s;

    // Directories set by hand stay as they are.
    const QByteArray ini = "; moje\r\n[Ine]\nCD=/x/resources/cd/\n[kvr4]\ncd = /media/cdrom\nHD=\n";
    Zapis(p.ini(), ini);
    ASSERT_EQ(p.Spusti(), 0);
    EXPECT_EQ(Obsah(p.ini()), ini);
}

TEST(SeedUserData, TheProgramStartsFromWhatTheScriptPrepares)
{
    Priprava p;
    ASSERT_EQ(p.Spusti(LK_RESOURCE_DIR, LK_DEFAULT_DATA_DIR), 0);

    ASSERT_TRUE(Misc::Nacti_konfiguraci());
    EXPECT_TRUE(p.box.AskedBoxes().isEmpty());
    EXPECT_FALSE(Misc::Texty[1].isEmpty());
    EXPECT_EQ(Misc::Tabulka_znamek[Misc::Pocet_znamok].Hodnota_znamky, 1);
    EXPECT_FALSE(Misc::Kurzor_ruka.isNull());
}
