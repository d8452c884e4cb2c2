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
    Priprava()
    {
        Build(QStringLiteral("b1"), QByteArray("v1"));
    }

    // A build's generated resource and default data directories.
    void Build(const QString &nazov, const QByteArray &verzia)
    {
        build_ = koren() + "/" + nazov + "/resources/";
        Zapis(build_ + "cd/Bitmap/Games/bg_01.bmp", "x");
        for (const char *s : {"Hra.dat", "Texty.dat", "Znamky.dat", "Vysledky.dat", "Hra.res"})
            Zapis(build_ + "hd/" + s, verzia);
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
    int Spusti() { return Spusti(build_ + "cd", build_ + "hd"); }

    QString data() const { return koren() + "/data/loravik-kvantira2/"; }
    QString build() const { return build_; }
    QString Kluc(const char *k) const { return Misc::Hodnota_z_ini(ini(), "KVR4", k, "Chyba"); }
    QByteArray Subor(const QString &n) const
    {
        QFile f(data() + n);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<chyba>");
    }

private:
    QString build_;
};

} // namespace

TEST(SeedUserData, FirstRunWritesTheIniAndSeedsTheDataDirectory)
{
    Priprava p;
    ASSERT_EQ(p.Spusti(), 0);
    EXPECT_EQ(p.Kluc("CD"), p.build() + "cd/");
    EXPECT_EQ(p.Kluc("HD"), p.data());
    for (const char *s : {"Hra.dat", "Texty.dat", "Znamky.dat", "Vysledky.dat", "Hra.res"})
        EXPECT_EQ(p.Subor(s), "v1") << s;
}

TEST(SeedUserData, LaterRunRepairsAGoneBuildAndKeepsResultsAndMarks)
{
    Priprava p;
    ASSERT_EQ(p.Spusti(), 0);
    Zapis(p.data() + "Znamky.dat", "ucitel");
    Zapis(p.data() + "Hra.res", "vysledky");
    Zapis(p.data() + "Vysledky.dat", "zaznam");
    ASSERT_TRUE(QDir(p.build() + "..").removeRecursively());
    p.Build("b2", "v2");

    ASSERT_EQ(p.Spusti(), 0);

    EXPECT_EQ(p.Kluc("CD"), p.build() + "cd/");
    EXPECT_EQ(p.Kluc("HD"), p.data());
    EXPECT_EQ(p.Subor("Hra.dat"), "v2");
    EXPECT_EQ(p.Subor("Texty.dat"), "v2");
    EXPECT_EQ(p.Subor("Znamky.dat"), "ucitel");
    EXPECT_EQ(p.Subor("Hra.res"), "vysledky");
    EXPECT_EQ(p.Subor("Vysledky.dat"), "zaznam");
}

TEST(SeedUserData, DirectoriesSetByHandStayAsTheyAre)
{
    Priprava p;
    struct Riadok {
        const char *nazov;
        QString ini;
    } riadky[] = {
        {"missing disc directory", "[KVR4]\r\nCD=/media/cdrom/\r\nHD=/tmp/nie/\r\n"},
        {"other keys and sections kept", "; moje\n[Ine]\nCD=/x/resources/cd/\n[kvr4]\ncd = D:\\CD\\\nHD=\n"},
    };
    for (const Riadok &r : riadky) {
        Zapis(p.ini(), r.ini.toUtf8());
        ASSERT_EQ(p.Spusti(), 0) << r.nazov;
        QFile f(p.ini());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(QString::fromUtf8(f.readAll()), r.ini) << r.nazov;
    }
}

TEST(SeedUserData, TheProgramStartsFromWhatTheScriptPrepares)
{
    Priprava p;
    ASSERT_EQ(p.Spusti(LK_RESOURCE_DIR, LK_DEFAULT_DATA_DIR), 0);

    ASSERT_TRUE(Misc::Nacti_konfiguraci());
    EXPECT_TRUE(p.box.AskedBoxes().isEmpty());
    EXPECT_FALSE(Misc::Texty[1].isEmpty());
    for (int r = 1; r <= Misc::Pocet_znamok; ++r)
        EXPECT_EQ(Misc::Tabulka_znamek[r].Hodnota_znamky, 6 - r) << "row " << r;
    EXPECT_FALSE(Misc::Kurzor_ruka.isNull());
}
