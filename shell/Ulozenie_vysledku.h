#pragma once
// Saving one finished series into a data folder that a whole class may
// share: its row into "Hra.res" and then its entry into "Vysledky.dat",
// both under one hold of the folder's lock (Misc::Zamok_priecinka).
//
// The result, both parts, is first kept whole in this user's own folder
// (Misc::Uschovany_vysledok), and before each step the kept file notes, and
// syncs, what the step will be: the new table's file before its rename, the
// log's length before the append. The table is read afresh under the lock,
// the row added, and the whole written beside it and renamed over it only
// while the lock still holds (Misc::Nahrad_subor). The next save or start
// takes in, under the lock, what a program ended mid-save left: the note
// tells which part already reached its file, so each goes in once.
//
// The caller hears for each part whether it is saved, kept, or lost (kept
// nowhere either), and why.
#include "services/Uschovane_casti.h"
#include "services/Zamok_priecinka.h"
#include "shell/Vysledky.h"

#include <memory>
#include <optional>

namespace Vysledky {

enum class Osud {
    Ulozeny,   // written
    Uschovany, // kept for the next save or start
    Strateny,  // neither: only the screen shows it now
};

struct Odpoved {
    Osud osud = Osud::Ulozeny;
    Zapis dovod = Zapis::Hotovy; // why it was not written
    int chyba_systemu = 0;       // the reason the system gave for that (errno), if any
    int chyba_uschovania = 0;    // the reason it gave why the result could not be kept either
    QString druh_disku = {};     // the data folder's file system, where the system gave a reason
    bool povedane = false;       // the row's answer has told it all: the entry shares its fate
    QString kopia = {};          // the old table copied beside it: lines of it held no result
    QString tabulka = {};        // the table's file, as what is told names it
    QStringList poskodene = {};  // kept parts found damaged and set aside
};

class Ulozenie_vysledku {
public:
    // `hd` is the data folder; every wait for the lock ends within
    // `najdlhsie`, running `cakanie` between tries.
    explicit Ulozenie_vysledku(const QString &hd, std::chrono::milliseconds najdlhsie = Cakanie_na_zamok);
    ~Ulozenie_vysledku();

    // Adds `novy` (and rows kept earlier) to the table. `log` is the entry
    // expected to follow, kept with the row until the entry is written.
    // `zaznamy` becomes the table as saved, or gets `novy` added when not.
    // The lock stays held for the entry unless there is something to tell.
    Odpoved Pridaj_riadok(const Zaznam_vysledku &novy, const QString &log, QList<Zaznam_vysledku> &zaznamy,
                          Misc::Cakanie &cakanie);
    // Appends the entry (and entries kept earlier) to the log, then lets the
    // lock go. When the row found the folder's lock unavailable, the entry
    // is kept without waiting again.
    Odpoved Pripis_log(const QString &text, Misc::Cakanie &cakanie);
    // Only what was kept earlier (at start).
    Odpoved Dopln_uschovane(Misc::Cakanie &cakanie);

    QString Subor_tabulky() const { return priecinok_.Cesta(tabulka_); }
    QString Subor_logu() const { return priecinok_.Cesta(log_); }

private:
    bool Zamkni(Odpoved &odpoved);
    Zapis Zapis_z(const Misc::Chyba_suboru &chyba);
    void Osud_neulozeneho(Odpoved &odpoved);
    void Pusti_zamok();
    Zapis Zapis_tabulky(const Zaznam_vysledku &z, Misc::Uschovany_vysledok *v, Misc::Poznamka &poznamka,
                        QList<Zaznam_vysledku> &zaznamy, QString &kopia);
    std::optional<bool> Riadok_v_tabulke(const Misc::Poznamka &t, const Zaznam_vysledku &z,
                                         QList<Zaznam_vysledku> &zaznamy);
    Zapis Vloz_riadok(const Zaznam_vysledku &z, Misc::Uschovany_vysledok *v, QList<Zaznam_vysledku> &zaznamy,
                      QString &kopia);
    Zapis Zapis_logu(Misc::Uschovany_vysledok *v, const QString &text);
    Zapis Pripis_zaznam(Misc::Uschovany_vysledok *v, const QString &text);
    Zapis Dokonc(Misc::Uschovany_vysledok &v, QString &kopia);
    void Dopln(Odpoved &odpoved);

    QString hd_; // the folder as the kept results name it
    Misc::Priecinok priecinok_;
    QString tabulka_, log_;
    Misc::Cakanie *cakanie_ = nullptr; // of the call under way
    std::chrono::milliseconds najdlhsie_;
    std::unique_ptr<Misc::Zamok_priecinka> zamok_;
    Misc::Uschovany_vysledok vysledok_; // this save's, both parts
    bool pridany_ = false;              // a row came before the entry
    bool riadok_zapisany_ = false, log_zapisany_ = false;
    Zapis dovod_riadku_ = Zapis::Hotovy;
    int chyba_systemu_ = 0; // the errno of the last file call that failed
};

// The text of a message about a part not written (empty when there is
// nothing to say); `subor` is the file it was meant for, `vysledok` the
// result a lost part belonged to.
QString Text_odpovede(const Odpoved &odpoved, const QString &subor, const Zaznam_vysledku &vysledok);
// The damaged kept parts found.
QString Text_poskodenych(const QStringList &subory);
// The table `tabulka` rewritten with lines changed or dropped: the old file
// is `kopia`.
QString Text_kopie(const QString &tabulka, const QString &kopia);
// What a save or start found besides its own result, each in a message
// box: damaged kept parts, and the copy of a table whose lines changed.
void Oznam_najdene(const Odpoved &odpoved);

// At start: the parts kept for data folder `hd` are written when the lock
// can be had within a few seconds; the answer tells the damaged ones found
// and the copy of a table whose lines were changed.
Odpoved Dopln_uschovane(const QString &hd);

} // namespace Vysledky
