// The start-up configuration against a real directory tree: every failed
// check shows its one message and stops the sequence; a good installation
// leaves directories, tables, keyboard and sounds ready.
#include "services/Klavesnice.h"
#include "services/Konfigurace.h"
#include "services/Tabulky.h"

#include "Instalacia.h"

#include <QBuffer>
#include <functional>

using namespace Misc;

namespace {

const QString Sprava_ini =
    QStringLiteral("Nemožno nájsť súbor Loravik.INI. Nainštalujte aplikáciu znovu.");
const QString Sprava_data =
    QStringLiteral("Nemožno nájsť súbory so zdrojmi dát. Nainštalujte aplikáciu znovu.");
const QString Sprava_cd = QStringLiteral(
    "Nemožno korektne čítať z CD-ROM Loraviká.\r\nSkontrolujte, či je CD-ROM v CD mechanike.");

void Zmaz(const QString &cesta) { ASSERT_TRUE(QFile::remove(cesta)) << cesta.toStdString(); }

struct Pokazenie {
    const char *nazov;
    std::function<void(Instalacia &)> pokaz;
    QString sprava;
};

const Pokazenie pokazenia[] = {
    {"no INI file", [](Instalacia &i) { Zmaz(i.ini()); }, Sprava_ini},
    {"INI without the section",
     [](Instalacia &i) { i.Zapis_ini("[Ine]\nCD=" + i.cd() + "\nHD=" + i.hd() + "\n"); }, Sprava_ini},
    {"CD key missing", [](Instalacia &i) { i.Zapis_ini("[KVR4]\nHD=" + i.hd() + "\n"); }, Sprava_ini},
    {"HD key missing", [](Instalacia &i) { i.Zapis_ini("[KVR4]\nCD=" + i.cd() + "\n"); }, Sprava_ini},
    {"CD literally Chyba",
     [](Instalacia &i) { i.Zapis_ini("[KVR4]\nCD=Chyba\nHD=" + i.hd() + "\n"); }, Sprava_ini},
    {"HD present but empty",
     [](Instalacia &i) { i.Zapis_ini("[KVR4]\nCD=" + i.cd() + "\nHD=\n"); }, Sprava_ini},
    {"results log missing", [](Instalacia &i) { Zmaz(i.hd() + "Vysledky.dat"); }, Sprava_data},
    {"marks file missing", [](Instalacia &i) { Zmaz(i.hd() + "Znamky.dat"); }, Sprava_data},
    {"texts file missing", [](Instalacia &i) { Zmaz(i.hd() + "Texty.dat"); }, Sprava_data},
    {"all three data files missing",
     [](Instalacia &i) {
         for (const char *s : {"Vysledky.dat", "Znamky.dat", "Texty.dat"})
             Zmaz(i.hd() + s);
     },
     Sprava_data},
    {"data directory named but absent",
     [](Instalacia &i) { i.Zapis_ini("[KVR4]\nCD=" + i.cd() + "\nHD=" + i.cd() + "nie\n"); },
     Sprava_data},
    {"data checked before resources",
     [](Instalacia &i) {
         Zmaz(i.hd() + "Texty.dat");
         Zmaz(i.cd() + "Sound/click.wav");
     },
     Sprava_data},
    {"background bitmap missing", [](Instalacia &i) { Zmaz(i.cd() + "Bitmap/Games/bg_01.bmp"); }, Sprava_cd},
    {"table bitmap missing", [](Instalacia &i) { Zmaz(i.cd() + "Bitmap/Tab/01.bmp"); }, Sprava_cd},
    {"click sound missing", [](Instalacia &i) { Zmaz(i.cd() + "Sound/click.wav"); }, Sprava_cd},
    {"resource directory of another program",
     [](Instalacia &i) { i.Zapis_ini("[KVR4]\nCD=" + i.hd() + "\nHD=" + i.hd() + "\n"); }, Sprava_cd},
};

} // namespace

TEST(Nacti_konfiguraci, EveryFailedCheckShowsItsMessageOnceAndStops)
{
    for (const Pokazenie &p : pokazenia) {
        SCOPED_TRACE(p.nazov);
        Instalacia instalacia;
        p.pokaz(instalacia);
        Puvodni_klavesnice = QStringLiteral("nezmenene");
        Texty[1] = QStringLiteral("nezmenene");

        EXPECT_FALSE(Nacti_konfiguraci());

        ASSERT_EQ(instalacia.box.AskedBoxes().size(), 1);
        const auto &asked = instalacia.box.AskedBoxes().first();
        EXPECT_EQ(asked.text, p.sprava);
        EXPECT_EQ(asked.title, QStringLiteral("Chyba"));
        EXPECT_EQ(asked.style, platform::MessageStyle::OkOnly | platform::MessageStyle::Critical);
        // Nothing after the failed check has run.
        EXPECT_EQ(Puvodni_klavesnice, QStringLiteral("nezmenene"));
        EXPECT_EQ(Texty[1], QStringLiteral("nezmenene"));
        EXPECT_TRUE(instalacia.zvuk.Preloaded().isEmpty());
    }
}

TEST(Nacti_konfiguraci, GoodInstallationLeavesEverythingReady)
{
    Instalacia instalacia;
    // A cursor file is an icon file of type 2; the arrow cursor is missing,
    // which is no failure.
    QByteArray kurzor;
    QBuffer buffer(&kurzor);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
    ASSERT_TRUE(lktest::solid(32, 32, Qt::black).save(&buffer, "ICO"));
    kurzor[2] = 2;
    Zapis(instalacia.cd() + "Cur/hand.cur", kurzor);

    ASSERT_TRUE(Nacti_konfiguraci());

    EXPECT_TRUE(instalacia.box.AskedBoxes().isEmpty());
    EXPECT_EQ(Adresar_windows, instalacia.config() + "/");
    EXPECT_EQ(Cesta_CD, instalacia.cd());
    EXPECT_EQ(Cesta_HD, instalacia.hd());
    EXPECT_EQ(Puvodni_klavesnice, QStringLiteral("0000041B"));
    EXPECT_EQ(Texty[2], QStringLiteral("Chcete skončiť?"));
    EXPECT_EQ(Tabulka_znamek[5].Hodnota_znamky, 1);
    EXPECT_EQ(instalacia.zvuk.Preloaded().size(), 2);
    EXPECT_EQ(Kurzor_ruka.Width(), 32);
    EXPECT_TRUE(Kurzor_sipka.isNull());
}

TEST(Nacti_konfiguraci, KeysAndSectionAreFoundWhateverTheirCase)
{
    Instalacia instalacia;
    instalacia.Zapis_ini("; made by hand\r\n[kvr4]\r\n  cd = " + instalacia.cd() + "\r\nHd=" +
                         instalacia.hd() + "\r\n");
    ASSERT_TRUE(Nacti_konfiguraci());
    EXPECT_EQ(Cesta_CD, instalacia.cd());
    EXPECT_EQ(Cesta_HD, instalacia.hd());
}

TEST(S_oddelovacom, DirectoryValuesEndInExactlyOneSeparator)
{
    struct Riadok {
        const char *nazov;
        QString hodnota, cesta;
    } riadky[] = {
        {"Windows path gets a backslash", "D:\\Loravik", "D:\\Loravik\\"},
        {"Windows path with backslash unchanged", "D:\\Loravik\\", "D:\\Loravik\\"},
        {"Linux path gets a slash", "/opt/loravik", "/opt/loravik/"},
        {"Linux path with slash unchanged", "/opt/loravik/", "/opt/loravik/"},
        {"missing-key word gets a backslash", "Chyba", "Chyba\\"},
        {"mixed path keeps the Windows habit", "D:/a\\b", "D:/a\\b\\"},
    };
    for (const Riadok &r : riadky)
        EXPECT_EQ(S_oddelovacom(r.hodnota), r.cesta) << r.nazov;
}
