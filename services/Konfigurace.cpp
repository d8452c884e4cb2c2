#include "services/Konfigurace.h"

#include "platform/Services.h"
#include "platform/ResourcePath.h"
#include "services/Bezpecny_subor.h"
#include "services/Ini_subor.h"
#include "services/Klavesnice.h"
#include "services/Kresleni.h"
#include "services/Pismo.h"
#include "services/Tabulky.h"
#include "services/Zvuky.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace Misc {

namespace {

// The three fatal checks and their messages.
enum class Zlyhanie { Ini, Data, Zdroje };

QString Sprava(Zlyhanie z)
{
    switch (z) {
    case Zlyhanie::Ini:
        return QStringLiteral("Nemožno nájsť súbor Loravik.INI. Nainštalujte aplikáciu znovu.");
    case Zlyhanie::Data:
        return QStringLiteral("Nemožno nájsť súbory so zdrojmi dát. Nainštalujte aplikáciu znovu.");
    case Zlyhanie::Zdroje:
        return QStringLiteral("Nemožno korektne čítať z CD-ROM Loraviká.\r\n"
                              "Skontrolujte, či je CD-ROM v CD mechanike.");
    }
    return {};
}

bool Zlyhaj(const QString &sprava)
{
    platform::services().messageBox().Show(
        sprava, platform::MessageStyle::OkOnly | platform::MessageStyle::Critical, QStringLiteral("Chyba"));
    return false;
}

bool Zlyhaj(Zlyhanie z) { return Zlyhaj(Sprava(z)); }

// A data file that failed its check. fusefat hands a program zeros while
// another reads the same file, as a class starting together does: there
// what was read may be damaged though the file is whole, and the folder is
// what to mend.
bool Zlyhaj(const Chyba_suboru &chyba)
{
    QString sprava = chyba.Text();
    const bool precitane = chyba.druh == Chyba_suboru::Neda_sa_citat || chyba.druh == Chyba_suboru::Nad_hranice
        || chyba.druh == Chyba_suboru::Poskodeny || chyba.druh == Chyba_suboru::Bez_znamok;
    if (precitane && Priecinok(platform::resolvePath(Cesta_HD)).Kazi_subory())
        sprava += QLatin1Char(' ') + Dovod_systemu(Disk_kazi_citane);
    return Zlyhaj(sprava);
}

// A directory key of the INI file; "Chyba\" when the key is missing.
QString Adresar_z_ini(const QString &klic)
{
    return S_oddelovacom(
        Hodnota_z_ini(Adresar_windows + Nazov_ini, Sekcia_ini, klic, Chyba_ini));
}

// Every file is asked for, even after one is found missing. In the data
// directory anything under the name counts: its reader says what it is.
bool Existuju_vsetky(const QString &adresar, const QStringList &subory, bool co_koli = false)
{
    bool vsetky = true;
    for (const QString &subor : subory) {
        const QFileInfo info(platform::resolvePath(adresar + subor));
        vsetky = (co_koli ? info.exists() || info.isSymLink() : info.isFile()) && vsetky;
    }
    return vsetky;
}

} // namespace

QString S_oddelovacom(const QString &hodnota)
{
    if (hodnota.endsWith(QLatin1Char('\\')) || hodnota.endsWith(QLatin1Char('/')))
        return hodnota;
    const bool linuxova = hodnota.contains(QLatin1Char('/')) && !hodnota.contains(QLatin1Char('\\'));
    return hodnota + (linuxova ? QLatin1Char('/') : QLatin1Char('\\'));
}

bool Nacti_konfiguraci()
{
    const QString chyba = S_oddelovacom(Chyba_ini);
    Adresar_windows = S_oddelovacom(
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));

    Cesta_CD = Adresar_z_ini(QStringLiteral("CD"));
    if (Cesta_CD == chyba)
        return Zlyhaj(Zlyhanie::Ini);
    Cesta_HD = Adresar_z_ini(QStringLiteral("HD"));
    if (Cesta_HD == chyba)
        return Zlyhaj(Zlyhanie::Ini);

    if (!Existuju_vsetky(Cesta_HD, {QStringLiteral("Vysledky.dat"), QStringLiteral("Znamky.dat"),
                                    QStringLiteral("Texty.dat")}, true))
        return Zlyhaj(Zlyhanie::Data);
    // The resource directory stands for the program's CD; three files
    // stand for all of it.
    if (!Existuju_vsetky(Cesta_CD, {QStringLiteral("Bitmap\\Games\\bg_01.bmp"),
                                    QStringLiteral("Bitmap\\Tab\\01.bmp"),
                                    QStringLiteral("Sound\\Click.wav")}))
        return Zlyhaj(Zlyhanie::Zdroje);

    // A missing cursor file is not a failure: the pointer stays as it is.
    Kurzor_sipka = Nacti_obrazek(Cesta_CD + QStringLiteral("Cur\\Arrow.cur"));
    Kurzor_ruka = Nacti_obrazek(Cesta_CD + QStringLiteral("Cur\\Hand.cur"));
    Kurzor_napoveda = Nacti_obrazek(Cesta_CD + QStringLiteral("Cur\\Help.cur"));
    Uloz_klavesnici();
    // The log is only written: a link or a FIFO under its name is told now.
    if (const Chyba_suboru chyba = Mozno_zapisat(platform::resolvePath(Cesta_HD + QStringLiteral("Vysledky.dat")));
        chyba.Je_chyba())
        return Zlyhaj(chyba);
    if (const Chyba_suboru chyba = Nacti_znamky(Cesta_HD + QStringLiteral("znamky.dat")); chyba.Je_chyba())
        return Zlyhaj(chyba);
    if (const Chyba_suboru chyba = Nacti_texty(Cesta_HD + QStringLiteral("texty.dat")); chyba.Je_chyba())
        return Zlyhaj(chyba);
    Zaregistruj_pismo();
    Priprav_zvuky();
    return true;
}

} // namespace Misc
