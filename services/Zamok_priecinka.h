#pragma once
// The lock under which programs sharing a data folder change its files, one
// program at a time.
//
// The protocol:
// - The lock is an advisory record lock (fcntl F_OFD_SETLK, write lock over
//   the whole file) on the file "Vysledky.lock" in the folder. The file is
//   created once and never deleted by a program; what it holds means
//   nothing. A lock belongs to the open file, not to the process, so two
//   holders in one process exclude each other as two programs do.
// - The kernel drops the lock when its holder's file is closed, which
//   happens however the holder ends (crash, kill, logout). So no lock is
//   ever left behind, nothing is ever taken over, and no guess is made
//   whether a holder is alive: a live holder, however slow, keeps its lock,
//   and a waiter gives up at the end of its wait instead. Containers,
//   process numbers, host names and clocks do not matter.
// - After locking, the name "Vysledky.lock" must still stand for the file
//   locked (same device and inode, not removed). A pupil may delete or
//   replace the file at any time; then a second program may lock the new
//   file while the first holds the old one. So a holder asks again (Plati)
//   just before each change it commits, and one that has lost the name
//   commits nothing: it locks anew and starts again from reading. It asks
//   once more right after the commit: a name lost in the microseconds
//   between the two questions makes the commit uncertain, and the caller
//   reads again under a new lock to see whether what it wrote is there.
//   Left open: a pupil who renames lock files away and back again at the
//   right microseconds. A question the disk cannot answer (its FUSE
//   program ended, the network is gone, the disk fails) is no lost name:
//   nothing is committed, and the error is what is said.
// - A lock file that this user may not open for writing (left by another
//   program version or another user's umask) is replaced by a new one of
//   the folder's permissions; its holder, if any, then finds the name no
//   longer its own and does not commit.
// - A waiter tries again every 5 to 45 ms, each at its own random spread,
//   and gives up at its limit; between tries it sleeps and lets the screen
//   paint, and stops at once when the program is told to end.
// - Trusted file systems: local ones (ext4, xfs, btrfs, tmpfs, FAT on a
//   local disk), NFS with its lock service (the default; not "nolock" or
//   "local_lock"), and SMB 3 mounts that pass byte-range locks on (the
//   default; not "nobrl"). Where the file system offers no such lock at all,
//   the answer is Bez_zamykania and nothing is written; a mount that keeps
//   locks to one machine while several share the folder is not detected.
#include "platform/Runtime.h"
#include "services/Bezpecny_subor.h"

#include <chrono>
#include <optional>

namespace Misc {

// What a program does while it waits: a screen keeps painting and shows the
// wait cursor.
class Cakanie {
public:
    virtual ~Cakanie() = default;
    // Runs between two tries; false when the wait is to be given up. By
    // default: when the program has been told to end.
    virtual bool Pocas();
};

// The wait of a screen: it keeps painting under the wait cursor.
class Cakanie_obrazovky : public Cakanie {
public:
    bool Pocas() override;

private:
    platform::BusyWait cakanie_;
};

enum class Stav_zamku {
    Drzany,        // held
    Obsadeny,      // another program held it for the whole wait
    Nezapisatelny, // the lock file can be neither created nor opened for writing
    Cudzi,         // only another user may open the lock file, and the folder keeps it from being replaced
    Nie_je_subor,  // a link, a directory or a device stands under the lock's name
    Bez_zamykania, // the folder's file system offers no locks
    Preruseny,     // the program is ending
    Chyba_disku,   // the disk answered with an error (Chyba() says which): disconnected, failing, full
};

class Zamok_priecinka {
public:
    static inline const QString Meno = QStringLiteral("Vysledky.lock");

    // Waits for the lock at most `cakanie`; `pocas` runs between tries.
    Zamok_priecinka(const Priecinok &priecinok, std::chrono::milliseconds cakanie, Cakanie &pocas);
    // Releases the lock: only ever our own, and the file stays.
    ~Zamok_priecinka();
    Zamok_priecinka(const Zamok_priecinka &) = delete;
    Zamok_priecinka &operator=(const Zamok_priecinka &) = delete;

    Stav_zamku Stav() const { return stav_; }
    bool Drzany() const { return stav_ == Stav_zamku::Drzany; }
    // Held, and the name still stands for the file locked.
    bool Plati() const;
    // Why the last try or Plati() could not tell (errno): the disk answered
    // with an error, which is not a lock file deleted or replaced; 0 when
    // it told.
    int Chyba() const { return chyba_; }

private:
    // One try: the state it ends in, or nothing to try again.
    std::optional<Stav_zamku> Skus();
    std::optional<Stav_zamku> Otvor();
    std::optional<Stav_zamku> Nahrad_necitatelny();
    bool Meno_je_nase() const;
    Stav_zamku Chyba_disku(int chyba);
    void Zavri();

    const Priecinok &priecinok_;
    int fd_ = -1;
    mutable int chyba_ = 0;
    Stav_zamku stav_ = Stav_zamku::Obsadeny;
};

} // namespace Misc
