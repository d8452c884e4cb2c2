#pragma once
// The results table kept in "Hra.res" and the results log "Vysledky.dat":
// the parts of the results screen that need no screen.
#include <QDateTime>
#include <QList>
#include <QLockFile>
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

// The results file as read: a missing file is an empty table.
struct Tabulka_zo_suboru {
    QList<Zaznam_vysledku> zaznamy;
    bool precitana = true;  // false: the file is there but cannot be read
    int neprecitane = 0;    // lines that hold no result (blank lines not counted)
};
Tabulka_zo_suboru Nacti_tabulku_ze_souboru(const QString &cesta);
// Replaces the file as a whole or not at all: a failed write keeps the old
// results. Returns whether the new table is saved.
bool Uloz_tabulku_do_souboru(const QString &cesta, const QList<Zaznam_vysledku> &zaznamy);

// Why a result did not reach a file.
enum class Zapis { Hotovy, Obsadeny, Necitatelny, Nezapisany };
// The message for the user; `cesta` names the file.
QString Text_zapisu(Zapis z, const QString &cesta);

// Programs sharing a data directory change its results files one at a time
// under this lock. A lock left by a program that ended without releasing it
// is taken over.
inline constexpr std::chrono::milliseconds Cakanie_na_zamok{5000};
class Zamok_vysledkov {
public:
    Zamok_vysledkov(const QString &subor, std::chrono::milliseconds cakanie = Cakanie_na_zamok);
    // Hotovy while held; Obsadeny when another program kept it for the
    // whole wait; Nezapisany when the directory allows no lock.
    Zapis Stav() const { return stav_; }

private:
    QLockFile zamok_;
    Zapis stav_ = Zapis::Hotovy;
};

struct Pridanie {
    Zapis zapis = Zapis::Hotovy;
    QString kopia; // where the old file was kept because lines of it would be dropped
};
// Adds `novy` to the table in the file at `cesta` as the result added last
// (every other ID becomes 0), sorted. The file is read again under the lock, so
// results that other programs added meanwhile stay; `zaznamy` (the table as
// shown) then becomes the file's table with `novy`. A file that cannot be
// read is never rewritten; one with lines that hold no result is first
// copied beside itself.
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
// Appends the entry under the lock; a short write is taken back, so an
// entry is in the log whole or not at all.
Zapis Pripis_do_logu(const QString &cesta, const QString &zaznam,
                     std::chrono::milliseconds cakanie = Cakanie_na_zamok);

} // namespace Vysledky
