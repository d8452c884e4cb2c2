#pragma once
// Results kept in a folder of this user's own until they are written to the
// shared data folder: "$XDG_DATA_HOME/loravik-kvantira2/neulozene/".
//
// A result (its row of the table and its entry of the log) lies in a file
// of its own, "<time>-<random>.vysledok" (Uschovany_vysledok), kept before
// it is written anywhere else, so a program ended at any moment leaves it
// here, with a note of how far its save got. The program that keeps it
// holds a lock on its file (as Zamok_priecinka does) until both parts are
// written and the file removed, so that no other program of this user
// takes it in meanwhile. A file that nobody holds is a result still owed:
// the next save or start takes it in.
//
// The program's earlier version kept each part in a file of its own,
// "<time>-<random>.txt" (Uschovana_cast), holding the data folder, the kind
// of part and its text, one per line (the text may span lines), in UTF-8;
// such files are still taken in.
#include "services/Bezpecny_subor.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace Misc {

// The folder of kept results, open once for all the results taken in.
using Priecinok_uschovanych = std::shared_ptr<const Priecinok>;

QString Adresar_uschovanych();

class Uschovana_cast {
public:
    Uschovana_cast() = default;
    // Lets the part go as it is: it stays kept for the next save or start.
    ~Uschovana_cast();
    Uschovana_cast(Uschovana_cast &&ina) noexcept;
    Uschovana_cast &operator=(Uschovana_cast &&ina) noexcept;

    bool Uschovana() const { return fd_ >= 0; }
    const QString &Text() const { return text_; }
    // The part is written: its file goes.
    void Zabudni();

private:
    friend struct Citanie_uschovanych;
    int fd_ = -1;
    Priecinok_uschovanych priecinok_;
    QString meno_, text_;
};

// The kept parts of kind `druh` for data folder `hd` that no running
// program holds, oldest first, each now held by the caller; `cela` tells
// whether a text is a whole part. A file that holds no whole part (empty,
// cut short) is renamed to "….poskodeny", so that it is reported once and
// stays for a person to look at; `poskodene` names the new files.
struct Uschovane {
    std::vector<Uschovana_cast> casti;
    QStringList poskodene;
};
Uschovane Vezmi_uschovane(const QString &hd, const QString &druh, const std::function<bool(const QString &)> &cela);

// The step of a save that a kept result has reached, noted and synced
// before the step begins, so that after a crash the next program can tell
// which of its parts reached their files.
struct Poznamka {
    enum Krok : char {
        Uschovany = 'K',       // nothing written yet
        Tabulka = 'T',         // the new table `novy` is about to replace `stara`
        Riadok_zapisany = 'R', // the row is in the table (or there was none)
        Log = 'L',             // the entry is about to be appended to the log `log` at its length
    };
    Krok krok = Uschovany;
    QString novy;         // the new table's file, not yet renamed
    Totoznost novy_subor; // its identity, and the checksum of the new table
    Totoznost stara;      // the table it replaces (none: no table yet), its checksum as read
    qint64 rovnakych = 0; // rows equal to ours that table held
    Totoznost log;        // the log as it was before the append (noted with the table's step too)
};

// One result kept whole, its row and its log entry in one file, with the
// note of its save. The file is written under a name of its own
// ("….novy"), synced, locked and only then renamed to "….vysledok": a kept
// result is never found half made. The note lies in two slots at the file's
// start, written in turn, each with a checksum over itself and the parts:
// a note cut short by a power failure leaves the one before it.
class Uschovany_vysledok {
public:
    Uschovany_vysledok() = default;
    // Kept, synced and held; `krok` is Uschovany, or Riadok_zapisany for an
    // entry without a row. Not Uschovany() when it cannot be kept whole.
    static Uschovany_vysledok Uschovaj(const QString &hd, const QString &riadok, const QString &log,
                                       Poznamka::Krok krok = Poznamka::Uschovany);
    ~Uschovany_vysledok();
    Uschovany_vysledok(Uschovany_vysledok &&iny) noexcept;
    Uschovany_vysledok &operator=(Uschovany_vysledok &&iny) noexcept;

    bool Uschovany() const { return fd_ >= 0; }
    // Why it could not be kept: the errno the system gave (0 when none).
    int Chyba() const { return chyba_; }
    bool Odstraneny() const { return odstraneny_; }
    const QString &Riadok() const { return riadok_; }
    const QString &Log() const { return log_; }
    const Poznamka &Stav() const { return poznamka_; }
    // Notes the step about to begin; false when the note could not be synced.
    bool Zaznamenaj(const Poznamka &poznamka);
    // The entry as finally given, in place of the one foreseen: only before
    // the log's step.
    bool Nahrad_log(const QString &log);
    // Both parts are written: the file goes (still held until Zabudni).
    void Odstran();
    // Both parts are written: the file goes, its folder synced.
    void Zabudni();

private:
    friend struct Citanie_uschovanych_vysledkov;
    bool Zapis_poznamku(const Poznamka &poznamka, qint64 log_od, qint64 log_dlzka);
    void Zavri_vsetko();
    int Na_zapis() const { return zapis_ >= 0 ? zapis_ : fd_; }
    int fd_ = -1, chyba_ = 0;
    int zapis_ = -1; // the same file opened again under its name, where that could be done: written through
    Priecinok_uschovanych priecinok_;
    bool odstraneny_ = false;
    QString meno_, riadok_, log_;
    Poznamka poznamka_;
    quint64 poradie_ = 0; // of the note in force
    qint64 riadok_od_ = 0, log_od_ = 0; // where the parts lie in telo_
    QByteArray telo_;                   // the file after the slots, as far as the parts go
};

// The results kept for data folder `hd` that no running program holds,
// oldest first, each now held by the caller, and the damaged files set
// aside as "….poskodeny". Leftovers of results never kept whole (a program
// killed while keeping one) go.
struct Uschovane_vysledky {
    std::vector<Uschovany_vysledok> vysledky;
    QStringList poskodene;
};
Uschovane_vysledky Vezmi_vysledky(const QString &hd);

} // namespace Misc
