// The start-up against a real directory tree: every failed check shows its
// one message and stops the sequence; a good installation leaves directories,
// tables, cursors, keyboard, font and sounds ready. The script that prepares a
// user's configuration: what it writes, repairs, refreshes and leaves alone.
// The keyboard guard that the screens use after start.
#include "exercise/Nacti_priklady.h"
#include "services/Ini_subor.h"
#include "services/Klavesnice.h"
#include "services/Konfigurace.h"
#include "services/Pismo.h"
#include "services/Tabulky.h"

#include "Instalacia.h"
#include "support/SmallDisk.h"

#include <QFontDatabase>
#include <QElapsedTimer>
#include <QScopeGuard>
#include <QProcess>
#include <functional>

#include <sys/stat.h>

using namespace Misc;
using namespace platform;

namespace {

enum Sprava { Sprava_ini, Data, Cd, Sprava_znamky, Sprava_texty, Sprava_log };
// A word of each message; the marks, texts and log messages name their file.
const char *const spravy[] = {"Loravik.INI", "zdrojmi dát", "CD-ROM", "Znamky.dat", "Texty.dat", "Vysledky.dat"};

void Zmaz(const QString &cesta) { ASSERT_TRUE(QFile::remove(cesta)) << cesta.toStdString(); }
void Ini(Instalacia &i, const QString &cd, const QString &hd) { i.Zapis_ini("[KVR4]\n" + cd + "\n" + hd + "\n"); }
// A data file that is there but cannot be read, even by root: a directory.
void Necitatelny(const QString &cesta) { Zmaz(cesta), QDir().mkdir(cesta); }
// What a pupil may leave in a shared folder under a data file's name.
void Fifo(const QString &cesta) { Zmaz(cesta), mkfifo(QFile::encodeName(cesta).constData(), 0666); }
void Odkaz(const QString &cesta)
{
    QFile::rename(cesta, cesta + ".ciel"), QFile::link(cesta + ".ciel", cesta);
}
// The data folder on fusefat, which hands a reader zeros while another reads.
std::optional<lktest::FuseDisk> Na_fusefat;

// The seeding script, run with a temporary home.
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

const QString Us = UsKeyboardLayout, Sk = QStringLiteral("0000041B"), Cz = QStringLiteral("00000405");

} // namespace

TEST(Nacti_konfiguraci, EveryFailedCheckShowsItsMessageOnceAndStops)
{
    const struct { const char *nazov; std::function<void(Instalacia &)> pokaz; Sprava sprava; } pokazenia[] = {
        {"CD key missing", [](Instalacia &i) { Ini(i, "", "HD=" + i.hd()); }, Sprava_ini},
        {"HD present but empty", [](Instalacia &i) { Ini(i, "CD=" + i.cd(), "HD="); }, Sprava_ini},
        {"results log missing", [](Instalacia &i) { Zmaz(i.hd() + "Vysledky.dat"); }, Data},
        {"texts file missing, resources too: data first",
         [](Instalacia &i) { Zmaz(i.hd() + "Texty.dat"), Zmaz(i.cd() + "Sound/click.wav"); }, Data},
        {"click sound missing", [](Instalacia &i) { Zmaz(i.cd() + "Sound/click.wav"); }, Cd},
        {"marks unreadable", [](Instalacia &i) { Necitatelny(i.hd() + "Znamky.dat"); }, Sprava_znamky},
        {"marks give 50 to 59 the mark 0", [](Instalacia &i) { Zapis(i.hd() + "Znamky.dat", "0|49|5\r\n50|59|0\r\n60|100|1\r\n"); },
         Sprava_znamky},
        {"marks give 100 % no mark", [](Instalacia &i) { Zapis(i.hd() + "Znamky.dat", "0|49|5\r\n50|99|1\r\n"); }, Sprava_znamky},
        {"texts unreadable", [](Instalacia &i) { Necitatelny(i.hd() + "Texty.dat"); }, Sprava_texty},
        {"texts empty", [](Instalacia &i) { Zapis(i.hd() + "Texty.dat", ""); }, Sprava_texty},
        {"marks a link to good marks", [](Instalacia &i) { Odkaz(i.hd() + "Znamky.dat"); }, Sprava_znamky},
        {"marks a FIFO", [](Instalacia &i) { Fifo(i.hd() + "Znamky.dat"); }, Sprava_znamky},
        {"a marks field over 255", [](Instalacia &i) { Zapis(i.hd() + "Znamky.dat", "0|49|5\r\n50|256|1\r\n"); },
         Sprava_znamky},
        {"a mark 6", [](Instalacia &i) { Zapis(i.hd() + "Znamky.dat", "0|49|6\r\n50|100|1\r\n"); }, Sprava_znamky},
        {"a marks field over 255 on fusefat: it may be its zeros",
         [](Instalacia &i) {
             Na_fusefat.emplace(lktest::FuseDisk::Fat{}, i.hd(), 2);
             Zapis(i.hd() + "Znamky.dat", "0|49|5\r\n50|256|1\r\n");
         },
         Sprava_znamky},
        {"texts a FIFO", [](Instalacia &i) { Fifo(i.hd() + "Texty.dat"); }, Sprava_texty},
        {"texts a link to good texts", [](Instalacia &i) { Odkaz(i.hd() + "Texty.dat"); }, Sprava_texty},
        {"texts cut short: 50 of the lines", [](Instalacia &i) { Zapis_prekodovany(i.hd() + "Texty.dat", Instalacia::Texty(50)); },
         Sprava_texty},
        {"texts: the last line cut in the middle",
         [](Instalacia &i) {
             QByteArray b = Obsah(i.hd() + "Texty.dat");
             Zapis(i.hd() + "Texty.dat", b.left(b.size() - 4));
         },
         Sprava_texty},
        {"log a link", [](Instalacia &i) { Odkaz(i.hd() + "Vysledky.dat"); }, Sprava_log},
        {"texts not scrambled", [](Instalacia &i) { Zapis(i.hd() + "Texty.dat", V_1250({"Koniec?", "Ano alebo nie"})); },
         Sprava_texty},
        {"a line feed inside a text",
         [](Instalacia &i) {
             QStringList texty = Instalacia::Texty();
             texty[1] = "Chcete\nskončiť?";
             Zapis_prekodovany(i.hd() + "Texty.dat", texty);
         },
         Sprava_texty},
    };
    for (const auto &p : pokazenia) {
        SCOPED_TRACE(p.nazov);
        Instalacia instalacia;
        const auto odpoj = qScopeGuard([] { Na_fusefat.reset(); });
        p.pokaz(instalacia);
        if (Na_fusefat && !Na_fusefat->Mounted()) {
            std::cout << "skipped, no fusefat: " << Na_fusefat->Why().toStdString() << std::endl;
            continue;
        }
        Puvodni_klavesnice = Texty[1] = QStringLiteral("nezmenene");
        Tabulka_znamek.fill({}); // as at the program's start
        QElapsedTimer cas;
        cas.start();

        EXPECT_FALSE(Nacti_konfiguraci());
        EXPECT_LT(cas.elapsed(), 5000) << "nothing waited on";

        ASSERT_EQ(instalacia.box.AskedBoxes().size(), 1);
        const auto &box = instalacia.box.AskedBoxes().first();
        EXPECT_TRUE(box.text.contains(QString::fromUtf8(spravy[p.sprava]))) << box.text.toStdString();
        EXPECT_TRUE(p.sprava < Sprava_znamky || box.text.contains(instalacia.hd())) << "names the file";
        EXPECT_EQ(box.text.contains("fusefat, ktorý sám od seba poškodzuje súbory"), Na_fusefat.has_value());
        EXPECT_EQ(box.title, QStringLiteral("Chyba"));
        EXPECT_EQ(box.style, MessageStyle::OkOnly | MessageStyle::Critical);
        EXPECT_TRUE((p.sprava > Cd || Puvodni_klavesnice == "nezmenene") && Texty[1] == "nezmenene")
            << "nothing after the failed check ran";
    }
}

// A pupil who may write the data folder may put a file of their own in the
// place of a configuration file, but cannot give it to another user: files
// of anyone but the folder's owner (or the system) are refused, named with
// their owner.
TEST(Nacti_konfiguraci, AConfigurationFileOfAnotherUserIsRefusedNamingItsOwner)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "only root can give a file to another user";
    const auto daj_nobody = [](const QString &cesta) { return chown(QFile::encodeName(cesta).constData(), 65534, 65534) == 0; };
    for (const char *subor : {"Znamky.dat", "Texty.dat"}) {
        SCOPED_TRACE(subor);
        Instalacia instalacia;
        ASSERT_TRUE(daj_nobody(instalacia.hd() + subor));
        EXPECT_FALSE(Nacti_konfiguraci());
        ASSERT_EQ(instalacia.box.AskedBoxes().size(), 1);
        const QString text = instalacia.box.AskedBoxes().first().text;
        EXPECT_TRUE(text.contains(instalacia.hd() + subor) && text.contains("nobody")) << text.toStdString();
    }
    Instalacia instalacia;
    EXPECT_TRUE(Zapis_prekodovany(instalacia.hd() + "Hra.dat", {"[koniec]"}));
    ASSERT_TRUE(daj_nobody(instalacia.hd() + "Hra.dat"));
    const Chyba_suboru chyba = Nacti_priklady_ze_souboru(instalacia.hd() + "Hra.dat", "1", 1);
    EXPECT_EQ(chyba.druh, Chyba_suboru::Cudzi_vlastnik) << "the task data, read when a task starts";
    EXPECT_TRUE(chyba.Text().contains("nobody"));
    // The folder's owner's files, and the system's, are taken.
    ASSERT_TRUE(daj_nobody(instalacia.hd()) && daj_nobody(instalacia.hd() + "Znamky.dat"));
    EXPECT_TRUE(Nacti_konfiguraci());
}

TEST(Nacti_konfiguraci, GoodInstallationLeavesEverythingReady)
{
    Instalacia instalacia;
    instalacia.Zapis_ini("[kvr4]\r\n  cd = " + instalacia.cd() + "\r\nHd=" + instalacia.hd().chopped(1));
    Zapis(instalacia.hd() + "Znamky.dat", "0|49|5\n50|64|4\n65|79|3\n80|89|2\n90|100|1\n"); // from a Linux editor
    // Missing cursors are no failure; the shipped ones load in the seeding script's test.

    ASSERT_TRUE(Nacti_konfiguraci());

    EXPECT_TRUE(instalacia.box.AskedBoxes().isEmpty());
    EXPECT_EQ(Cesta_CD + Cesta_HD, instalacia.cd() + instalacia.hd());
    EXPECT_EQ(Puvodni_klavesnice, QStringLiteral("0000041B"));
    EXPECT_EQ(Texty[2], QStringLiteral("Chcete skončiť?"));
    EXPECT_EQ(Tabulka_znamek[5].Hodnota_znamky, 1);
    EXPECT_EQ(instalacia.zvuk.Preloaded().size(), 2);
    EXPECT_TRUE(Kurzor_ruka.isNull() && Kurzor_sipka.isNull());
}

TEST(S_oddelovacom, DirectoryValuesEndInExactlyOneSeparatorOfTheirKind)
{
    for (const auto &[hodnota, cesta] :
         {std::pair{"D:\\Loravik", "D:\\Loravik\\"}, {"D:\\Loravik\\", "D:\\Loravik\\"}, {"/opt/lk/", "/opt/lk/"}})
        EXPECT_EQ(S_oddelovacom(hodnota), cesta) << hodnota;
}

TEST(Klavesnica, AnswersAreTypedOnUsAndThePupilsLayoutComesBackWithinTheBound)
{
    const struct { const char *nazov; QStringList ring; bool nacitanie_zlyha; int aktivacie; QString nakoniec; } riadky[] = {
        {"US beside Slovak: round once", {Us, Sk}, false, 2, Us},
        {"no US: 100 tries, load, go round to it", {Sk, Cz}, false, 100 + 3, Us},
        {"no US and the load fails: stop", {Sk, Cz}, true, 100, Sk},
    };
    for (const auto &r : riadky) {
        FakeKeyboardLayout klavesnica(r.ring);
        klavesnica.FailLoading(r.nacitanie_zlyha);
        ScopedService<KeyboardLayout> guard(klavesnica);
        Prepni_na_anglickou_klavesnici();
        EXPECT_EQ(klavesnica.Activations(), r.aktivacie) << r.nazov;
        EXPECT_EQ(klavesnica.ActiveLayoutName(), r.nakoniec) << r.nazov;
    }
    // The saved layout, two steps on round the ring, is one step back.
    FakeKeyboardLayout klavesnica({Sk, Us, Cz});
    ScopedService<KeyboardLayout> guard(klavesnica);
    Uloz_klavesnici();
    klavesnica.ActivatePrevious(), klavesnica.ActivatePrevious();
    Obnov_klavesnici();
    EXPECT_EQ(klavesnica.Activations(), 3);
    EXPECT_EQ(klavesnica.ActiveLayoutName(), Sk);
}

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
    // The maths font, registered once however often asked, is gone when removed.
    const auto ruvo = [] { return QFontDatabase::families().contains(QStringLiteral("Ruvo")); };
    Misc::Zaregistruj_pismo();
    EXPECT_TRUE(ruvo());
    Misc::Odeber_pismo();
    EXPECT_FALSE(ruvo());
}
