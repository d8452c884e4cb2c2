#pragma once
// The results table kept in "Hra.res" and the results log "Vysledky.dat":
// the parts of the results screen that need no screen.
#include <QDateTime>
#include <QList>
#include <QString>

#include <chrono>
#include <functional>
#include <optional>

namespace Vysledky {

// One result: one row of the results table, one line of "Hra.res".
struct Zaznam_vysledku {
    int cislo_ulohy = 0;
    QString jmeno;
    int spravne = 0;
    int spatne = 0;
    int Znamka = 0;
    int ID = 0; // 1 = the result added last
    bool operator==(const Zaznam_vysledku &) const = default;
};

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
// hold six fields with numbers in range gives nothing.
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
};
// The results file as read: a missing file is an empty table.
struct Tabulka_zo_suboru {
    QList<Zaznam_vysledku> zaznamy;
    bool precitana = true;  // false: the file is there but cannot be read
    Zapis dovod = Zapis::Hotovy; // why not
    int neprecitane = 0;    // lines that hold no result (blank lines not counted)
    QByteArray bajty;       // the file as read
};
Tabulka_zo_suboru Nacti_tabulku_ze_souboru(const QString &cesta);
// Replaces the file as a whole or not at all: a failed write keeps the old
// results. Returns whether the new table is saved.
bool Uloz_tabulku_do_souboru(const QString &cesta, const QList<Zaznam_vysledku> &zaznamy);

// The message for the user; `cesta` names the file.
QString Text_zapisu(Zapis z, const QString &cesta);

// Programs sharing a data directory (a network folder a whole class writes)
// change its results files one at a time under the lock file
// "Vysledky.lock" beside them. A waiting program tries again every few tens
// of milliseconds, each at its own random spread, so a class finishing
// together goes through one by one instead of giving up together.
inline constexpr std::chrono::milliseconds Cakanie_na_zamok{40000};
// A lock left by a program that ended without releasing it is taken over:
// at once when it was this very boot of this machine and its process is gone;
// otherwise once it has stood unchanged for this long while we waited (the
// clocks of the machines sharing the folder need not agree).
inline constexpr std::chrono::milliseconds Zastaraly_zamok{30000};
class Zamok_vysledkov {
public:
    // `subor` is a file of the data directory. `pocas` runs between tries
    // (the screen keeps painting).
    explicit Zamok_vysledkov(const QString &subor, std::chrono::milliseconds cakanie = Cakanie_na_zamok,
                             const std::function<void()> &pocas = {});
    ~Zamok_vysledkov();
    Zamok_vysledkov(const Zamok_vysledkov &) = delete;
    Zamok_vysledkov &operator=(const Zamok_vysledkov &) = delete;
    // Hotovy while held; otherwise why it could not be had.
    Zapis Stav() const { return stav_; }
    QString Cesta() const { return cesta_; }

private:
    QString cesta_;
    QByteArray obsah_; // what we wrote into it: the lock is released only while it is ours
    Zapis stav_ = Zapis::Hotovy;
};

struct Pridanie {
    Zapis zapis = Zapis::Hotovy;
    QString kopia; // where the old file was kept because lines of it would be dropped
};
// Adds `nove` (the last of them is the result added last: every other ID
// becomes 0) to the table in the file at `cesta`, sorted, under the held
// lock. The file is read again, so results that other programs added
// meanwhile stay; `zaznamy` (the table as shown) then becomes the file's
// table with `nove`. A file that cannot be read is never rewritten; one with
// lines that hold no result is first copied beside itself.
Pridanie Pridaj_do_tabulky(const Zamok_vysledkov &zamok, const QString &cesta, QList<Zaznam_vysledku> &zaznamy,
                           const QList<Zaznam_vysledku> &nove);
// The same under a lock of its own.
Pridanie Pridaj_do_tabulky(const QString &cesta, QList<Zaznam_vysledku> &zaznamy, const Zaznam_vysledku &novy,
                           std::chrono::milliseconds cakanie = Cakanie_na_zamok);

// One finished series as the results log records it.
struct Zaznam_logu {
    QString jmeno, uloha, typulohy, spravne, spatne, Znamka;
    int pocet_prikladu = 0;
    QDateTime kedy;
};

// The four lines of one log entry, each ended by CR LF; label i (31 to 39)
// comes from `text`.
QString Text_zaznamu_logu(const Zaznam_logu &z, const std::function<QString(int)> &text);
// Appends the entry under the held lock; a short write is taken back, so an
// entry is in the log whole or not at all.
Zapis Pripis_do_logu(const Zamok_vysledkov &zamok, const QString &cesta, const QString &zaznam);
// The same under a lock of its own.
Zapis Pripis_do_logu(const QString &cesta, const QString &zaznam,
                     std::chrono::milliseconds cakanie = Cakanie_na_zamok);

// A result that cannot be saved (no lock in time, a folder that takes no
// writing) is kept, each part in a new file of its own, in a folder of this
// user's own outside the shared folder. The next save or start of any of this
// user's programs takes the kept parts in under the lock, oldest first, and
// removes each file once its part is written, so none is added twice.
QString Adresar_odlozenych();
enum class Cast { Riadok, Log };
// False when the part could not be kept either.
bool Odloz(const QString &adresar_hd, Cast cast, const QString &text);

// The whole save of one part under the held lock: the parts kept for the
// file's directory and then `novy` (when not empty). When it cannot be
// written, `novy` is kept (`odlozeny` tells whether that worked).
struct Ulozenie {
    Pridanie pridanie;
    bool odlozeny = false;
};
Ulozenie Uloz_do_tabulky(const Zamok_vysledkov &zamok, const QString &cesta, QList<Zaznam_vysledku> &zaznamy,
                         const std::optional<Zaznam_vysledku> &novy);
Ulozenie Uloz_do_logu(const Zamok_vysledkov &zamok, const QString &cesta, const QString &novy);
// At start: the parts kept for data directory `hd` (ending in a separator)
// are added, when the lock can be had within a few seconds.
void Dopln_odlozene(const QString &hd);

} // namespace Vysledky
