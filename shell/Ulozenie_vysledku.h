#pragma once
// Saving one finished series into a data folder that a whole class may
// share: its row into "Hra.res" and then its entry into "Vysledky.dat",
// both under one hold of the folder's lock (Misc::Zamok_priecinka).
//
// Each part is first kept in this user's own folder (Misc::Uschovana_cast)
// and that copy is removed only once the part is written, so a part that
// cannot be written now, or a program ended between the two, leaves it to
// be written by the next save or start, once. The table is read afresh
// under the lock, the row added, and the whole written beside it and
// renamed over it only while the lock still holds (Misc::Nahrad_subor).
//
// The caller hears for each part whether it is saved, kept, or lost (kept
// nowhere either), and why.
#include "services/Uschovane_casti.h"
#include "services/Zamok_priecinka.h"
#include "shell/Vysledky.h"

#include <memory>

namespace Vysledky {

enum class Osud {
    Ulozeny,   // written
    Uschovany, // kept for the next save or start
    Strateny,  // neither: only the screen shows it now
};

struct Odpoved {
    Osud osud = Osud::Ulozeny;
    Zapis dovod = Zapis::Hotovy; // why it was not written
    QString kopia;               // the old table copied beside it: lines of it held no result
    QStringList poskodene;       // kept parts found damaged and set aside
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
    QStringList Dopln_uschovane(Misc::Cakanie &cakanie);

    QString Subor_tabulky() const { return priecinok_.Cesta(tabulka_); }
    QString Subor_logu() const { return priecinok_.Cesta(log_); }

private:
    bool Zamkni(Odpoved &odpoved);
    Zapis Uloz_tabulku(QList<Zaznam_vysledku> &zaznamy, QList<Zaznam_vysledku> nove, QString &kopia);
    Zapis Zapis_tabulky(QList<Zaznam_vysledku> &zaznamy, const QList<Zaznam_vysledku> &nove, QString &kopia);
    Zapis Zapis_logu(const QString &text, QStringList &poskodene);

    QString hd_; // the folder as the kept parts name it
    Misc::Priecinok priecinok_;
    QString tabulka_, log_;
    Misc::Cakanie *cakanie_ = nullptr; // of the call under way
    std::chrono::milliseconds najdlhsie_;
    std::unique_ptr<Misc::Zamok_priecinka> zamok_;
    bool zamok_nedostupny_ = false; // the row waited in vain: the entry does not wait again
    Zapis dovod_riadku_ = Zapis::Hotovy;
    Misc::Uschovana_cast uschovany_riadok_, uschovany_log_;
};

// The text of a message about a part not written (empty when there is
// nothing to say); `subor` is the file it was meant for, `vysledok` the
// result a lost part belonged to.
QString Text_odpovede(const Odpoved &odpoved, const QString &subor, const Zaznam_vysledku &vysledok);
// The damaged kept parts found.
QString Text_poskodenych(const QStringList &subory);

// At start: the parts kept for data folder `hd` are written when the lock
// can be had within a few seconds; the damaged ones found are returned.
QStringList Dopln_uschovane(const QString &hd);

} // namespace Vysledky
