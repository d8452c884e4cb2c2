// The start-up configuration against a real directory tree: every failed
// check shows its one message and stops the sequence; a good installation
// leaves directories, tables, cursors, keyboard and sounds ready.
#include "services/Klavesnice.h"
#include "services/Konfigurace.h"
#include "services/Tabulky.h"

#include "Instalacia.h"

#include <functional>

using namespace Misc;

namespace {

enum Sprava { Sprava_ini, Data, Cd, Sprava_znamky, Sprava_texty };
const QString spravy[] = {
    QStringLiteral("Nemožno nájsť súbor Loravik.INI. Nainštalujte aplikáciu znovu."),
    QStringLiteral("Nemožno nájsť súbory so zdrojmi dát. Nainštalujte aplikáciu znovu."),
    QStringLiteral("Nemožno korektne čítať z CD-ROM Loraviká.\r\nSkontrolujte, či je CD-ROM v CD mechanike."),
    QStringLiteral("Znamky.dat"), // the message names the file
    QStringLiteral("Texty.dat"),
};

void Zmaz(const QString &cesta) { ASSERT_TRUE(QFile::remove(cesta)) << cesta.toStdString(); }
void Ini(Instalacia &i, const QString &cd, const QString &hd) { i.Zapis_ini("[KVR4]\n" + cd + "\n" + hd + "\n"); }
// A data file that is there but cannot be read, even by root: reading a
// process's memory from address 0 fails.
void Necitatelny(const QString &cesta) { Zmaz(cesta), QFile::link("/proc/self/mem", cesta); }
void Zapis_znamky(Instalacia &i, const QByteArray &obsah) { Zapis(i.hd() + "Znamky.dat", obsah); }

} // namespace

TEST(Nacti_konfiguraci, EveryFailedCheckShowsItsMessageOnceAndStops)
{
    struct Pokazenie {
        const char *nazov;
        std::function<void(Instalacia &)> pokaz;
        Sprava sprava;
    } pokazenia[] = {
        {"no INI file", [](Instalacia &i) { Zmaz(i.ini()); }, Sprava_ini},
        {"CD key missing", [](Instalacia &i) { Ini(i, "", "HD=" + i.hd()); }, Sprava_ini},
        {"CD literally Chyba", [](Instalacia &i) { Ini(i, "CD=Chyba", "HD=" + i.hd()); }, Sprava_ini},
        {"HD present but empty", [](Instalacia &i) { Ini(i, "CD=" + i.cd(), "HD="); }, Sprava_ini},
        {"results log missing", [](Instalacia &i) { Zmaz(i.hd() + "Vysledky.dat"); }, Data},
        {"texts file missing, resources too: data first",
         [](Instalacia &i) { Zmaz(i.hd() + "Texty.dat"), Zmaz(i.cd() + "Sound/click.wav"); }, Data},
        {"data directory absent", [](Instalacia &i) { Ini(i, "CD=" + i.cd(), "HD=/nie"); }, Data},
        {"background bitmap missing", [](Instalacia &i) { Zmaz(i.cd() + "Bitmap/Games/bg_01.bmp"); }, Cd},
        {"click sound missing", [](Instalacia &i) { Zmaz(i.cd() + "Sound/click.wav"); }, Cd},
        {"marks unreadable", [](Instalacia &i) { Necitatelny(i.hd() + "Znamky.dat"); }, Sprava_znamky},
        {"marks empty", [](Instalacia &i) { Zapis_znamky(i, ""); }, Sprava_znamky},
        {"marks leave 50 to 59 out", [](Instalacia &i) { Zapis_znamky(i, "0|49|5\r\n60|100|1\r\n"); }, Sprava_znamky},
        {"texts unreadable", [](Instalacia &i) { Necitatelny(i.hd() + "Texty.dat"); }, Sprava_texty},
        {"texts empty", [](Instalacia &i) { Zapis(i.hd() + "Texty.dat", ""); }, Sprava_texty},
        {"texts not scrambled", [](Instalacia &i) { Zapis(i.hd() + "Texty.dat", V_1250({"Koniec?", "Ano alebo nie"})); },
         Sprava_texty},
    };
    for (const Pokazenie &p : pokazenia) {
        SCOPED_TRACE(p.nazov);
        Instalacia instalacia;
        p.pokaz(instalacia);
        Puvodni_klavesnice = Texty[1] = QStringLiteral("nezmenene");
        Tabulka_znamek.fill({}); // as at the program's start

        EXPECT_FALSE(Nacti_konfiguraci());

        ASSERT_EQ(instalacia.box.AskedBoxes().size(), 1);
        const auto &box = instalacia.box.AskedBoxes().first();
        EXPECT_TRUE(box.text.contains(spravy[p.sprava])) << box.text.toStdString();
        EXPECT_EQ(box.title, QStringLiteral("Chyba"));
        EXPECT_EQ(box.style, platform::MessageStyle::OkOnly | platform::MessageStyle::Critical);
        EXPECT_TRUE((p.sprava > Cd || Puvodni_klavesnice == "nezmenene") && Texty[1] == "nezmenene")
            << "nothing after the failed check ran";
    }
}

TEST(Nacti_konfiguraci, GoodInstallationLeavesEverythingReady)
{
    Instalacia instalacia;
    instalacia.Zapis_ini("[kvr4]\r\n  cd = " + instalacia.cd() + "\r\nHd=" + instalacia.hd().chopped(1));
    Zapis(instalacia.hd() + "Znamky.dat", "0|49|5\n50|64|4\n65|79|3\n80|89|2\n90|100|1\n"); // from a Linux editor
    // The cursors are missing, which is no failure; the shipped ones load
    // in the seeding script's test.

    ASSERT_TRUE(Nacti_konfiguraci());

    EXPECT_TRUE(instalacia.box.AskedBoxes().isEmpty());
    EXPECT_EQ(Cesta_CD + Cesta_HD, instalacia.cd() + instalacia.hd());
    EXPECT_EQ(Puvodni_klavesnice, QStringLiteral("0000041B"));
    EXPECT_EQ(Texty[2], QStringLiteral("Chcete skončiť?"));
    EXPECT_EQ(Tabulka_znamek[5].Hodnota_znamky, 1);
    EXPECT_EQ(instalacia.zvuk.Preloaded().size(), 2);
    EXPECT_TRUE(Kurzor_ruka.isNull() && Kurzor_sipka.isNull());
}

TEST(S_oddelovacom, DirectoryValuesEndInExactlyOneSeparator)
{
    const QString riadky[][2] = {{"D:\\Loravik", "D:\\Loravik\\"}, {"D:\\Loravik\\", "D:\\Loravik\\"}, {"/opt/lk/", "/opt/lk/"}};
    for (const auto &r : riadky)
        EXPECT_EQ(S_oddelovacom(r[0]), r[1]);
}
