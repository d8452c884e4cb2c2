#pragma once
// The results table kept in "Hra.res" and the results log "Vysledky.dat":
// their formats, read and written. How a result is saved into a shared
// folder is Ulozenie_vysledku.
#include "services/Bezpecny_subor.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <chrono>
#include <functional>
#include <optional>
#include <vector>

namespace Vysledky {

// One result: one row of the results table, one line of "Hra.res".
struct Zaznam_vysledku {
    int cislo_ulohy = 0;
    QString jmeno;
    int spravne = 0;
    int spatne = 0;
    int Znamka = 0;
    int ID = 0; // 1 = the result added last
    // Fields after the sixth, with their separators, as a newer program may
    // write them: kept as they are.
    QString navyse = {};
    bool operator==(const Zaznam_vysledku &) const = default;
};

} // namespace Vysledky

// Moved as bytes: a row goes into a table of 100,000 at every save.
Q_DECLARE_TYPEINFO(Vysledky::Zaznam_vysledku, Q_RELOCATABLE_TYPE);

namespace Vysledky {

// Best first: lower mark, then more right, then fewer wrong; a result
// without a mark (0) after every marked one. Equal results keep their
// order, so a new one goes after its equals.
void Zorad_zaznamy(QList<Zaznam_vysledku> &zaznamy);

// The name as both result files can hold it: no line breaks or other
// control characters (a line break becomes a blank), "/" for the field
// separator "|", and "?" for a character that Windows-1250 lacks.
QString Jmeno_pro_soubor(const QString &jmeno);

// A whole number as the runtime writes it with a sign position: " 4", "-4".
QString Cislo_so_znamienkom(int n);

// One line of "Hra.res" (without its CR LF) and back. A line that does not
// hold six fields with numbers in range gives nothing; fields after the
// sixth are kept.
QString Riadok_zaznamu(const Zaznam_vysledku &z);
std::optional<Zaznam_vysledku> Zaznam_z_riadku(const QString &riadok);

// Why a result did not reach a file.
enum class Zapis {
    Hotovy,
    Obsadeny,      // another program kept the lock for the whole wait
    Necitatelny,   // the table is there but cannot be read
    Nezapisany,    // the folder or the file takes no writing
    Nie_je_subor,  // a link, a directory, a FIFO or a device stands under the name
    Prilis_velky,  // larger than any table the program can have
    Zamok_nie_je_subor, // something other than a lock file stands under the lock's name
    Viac_mien,     // the file has another name besides (a hard link)
    Zamok_nezapisatelny, // the lock file can be neither created nor opened
    Zamok_cudzi,   // only its owner may open the lock file, and the folder keeps it from being replaced
    Bez_zamykania, // the folder's file system offers no locks
    Zamok_strateny, // the lock file was deleted again and again while we wrote
    Preruseny,     // the program was told to end while it waited
    Zvysok_zapisu, // the append failed, and what of it was written stays in the file
    Bez_poznamky,  // the kept result's note of the step could not be synced in this user's own folder
};
// Where a line stands in the file's bytes, with its CR LF, when it is just
// what Text_tabulky writes for its row with ID 0 (dlzka 0: it is not).
struct Riadok_suboru {
    qsizetype od = 0;
    qsizetype dlzka = 0;
};

// The results file as read: a missing file is an empty table.
struct Tabulka_zo_suboru {
    QList<Zaznam_vysledku> zaznamy;
    bool precitana = true;  // false: the file is there but cannot be read
    Zapis dovod = Zapis::Hotovy; // why not
    int chyba_systemu = 0;       // the reason the system gave (errno), if any
    // Lines the table cannot write back as they were: lines that hold no
    // result (blank lines not counted), and results with characters that
    // Windows-1250 or a name cannot hold (read as they will be written).
    int neprecitane = 0;
    QByteArray bajty;       // the file as read
    // Beside `zaznamy`, row for row, as long as they are as read; empty
    // where no line can be copied.
    std::vector<Riadok_suboru> riadky;
};
Tabulka_zo_suboru Nacti_tabulku_ze_souboru(const QString &cesta);
// The same from an open folder; `prava` receives the file's permissions.
Tabulka_zo_suboru Nacti_tabulku(const Misc::Priecinok &priecinok, const QString &meno,
                                Misc::Prava_suboru *prava = nullptr);
// Why a file of the folder was not read or written.
Zapis Zapis_z_chyby(const Misc::Chyba_suboru &chyba);
// The whole file as written: one line per result, CR LF, Windows-1250.
QByteArray Text_tabulky(const QList<Zaznam_vysledku> &zaznamy);
// The table kept sorted: `nove` go after their equals, the last of them
// with ID 1 and every other result with ID 0.
void Pridaj(QList<Zaznam_vysledku> &zaznamy, const QList<Zaznam_vysledku> &nove);
// Pridaj to the rows of a table read, and the new file as Text_tabulky
// writes it: lines written as they will be again are copied, not written.
QByteArray Pridaj_do_tabulky(Tabulka_zo_suboru &tabulka, const QList<Zaznam_vysledku> &nove);

// The message for the user; `cesta` names the file, `chyba_systemu` is the
// reason the system gave (an errno; 0 when it gave none), `druh_disku` the
// file system of the file's folder (Misc::Priecinok::Druh_disku).
QString Text_zapisu(Zapis z, const QString &cesta, int chyba_systemu = 0, const QString &druh_disku = {});

// How long a save waits for another program's lock on the data folder.
inline constexpr std::chrono::milliseconds Cakanie_na_zamok{40000};

// One finished series as the results log records it.
struct Zaznam_logu {
    QString jmeno, uloha, typulohy, spravne, spatne, Znamka;
    int pocet_prikladu = 0;
    QDateTime kedy;
};

// The four lines of one log entry, each ended by CR LF; label i (31 to 39)
// comes from `text`.
QString Text_zaznamu_logu(const Zaznam_logu &z, const std::function<QString(int)> &text);

} // namespace Vysledky
