#pragma once
// Data files may lie in a folder every pupil can write. A name there may be
// a link to another user's file, a hard link to one, a FIFO that never opens
// or ends, or a device that never ends, and it may be swapped for any of
// these at any moment. So a file is opened relative to the open folder,
// never through a link, never waited on, and looked at again once open; a
// file is written only by creating a new one beside it and renaming that
// over the name, which replaces the name and never follows what stood
// under it.
//
// A folder on FAT (a USB stick, or FAT through FUSE) keeps no modes, owners
// or links and no birth times, its times in whole or even seconds; through
// FUSE it may also refuse a write at the end of a file it did not just make.
// The files there are written all the same: the modes are let go, and an
// append refused is made by writing the file anew. A full disk, a failing
// one or a refusal of the data itself is still said. Through fusefat,
// which spoils files by itself, nothing is written (Kazi_subory).
#include "services/Chyba_suboru.h"

#include <QByteArray>
#include <QString>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <functional>
#include <optional>
#include <sys/stat.h>
#include <sys/types.h>

namespace Misc {

// Larger than any table or data file the program can have.
inline constexpr qint64 Najvacsi_subor = 64LL * 1024 * 1024;

// How every file of a shared folder is opened: O_NOFOLLOW fails with ELOOP
// on a link; O_NONBLOCK keeps a FIFO from waiting for a writer.
inline constexpr int Bezpecne = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;

// A file's permission bits.
using Prava_suboru = mode_t;

// An open folder; its files are named relative to it. The folder itself
// comes from the configuration and is trusted: its path may hold links.
class Priecinok {
public:
    explicit Priecinok(const QString &cesta);
    ~Priecinok();
    Priecinok(const Priecinok &) = delete;
    Priecinok &operator=(const Priecinok &) = delete;

    bool Otvoreny() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    int Chyba() const { return chyba_; } // errno of a failed open
    // The folder's path, ending in "/", and the path of `meno` in it.
    QString Cesta(const QString &meno = {}) const { return cesta_ + meno; }
    // The name as the folder spells it: `meno` itself when taken or free,
    // else the one entry that differs from it in letter case only.
    QString Meno(const QString &meno) const;
    // The permissions a new file of the folder gets: the folder's without
    // execute bits, so that whoever may write the folder may use the file.
    Prava_suboru Prava_novych() const;
    // The type of file system the folder lies on, as the system's table of
    // mounts names it ("ext4", "nfs4", "fuse.fusefat"); empty where it cannot
    // be told. Known from the folder's device as it was opened, so a disk
    // whose FUSE program has died is still told.
    QString Druh_disku() const;
    // A file system that spoils files by itself, where nothing is to be
    // written: fusefat cuts a file whose size is a whole number of clusters
    // at an append, and hands a reader zeros while another reads the file.
    bool Kazi_subory() const;

private:
    int fd_ = -1;
    int chyba_ = 0;
    QString cesta_;
    dev_t dev_ = 0;
};

// What a file is, as a note tells it again after a crash: device and inode
// (which a file made later may get again) with the birth time or, where the
// file system keeps none, the file's handle (which it does not get, but
// after a remount on FUSE, which counts handles anew), size and times (a
// rename keeps the time of writing, which anyone may set anew), and for a
// table the checksum of what it holds.
struct Totoznost {
    quint64 dev = 0, ino = 0; // 0, 0: no file
    qint64 velkost = 0, mtime = 0, ctime = 0;
    quint64 obsah = 0;
    qint64 zrodenie = 0; // 0 where the file system does not tell it
    quint64 rodne_cislo = 0; // the handle's checksum where there is no birth time; 0 where none either
    static Totoznost Zo_stat(const struct stat &st);
    bool Je() const { return dev != 0 || ino != 0; }
    // The same device and inode, and the same birth time or, where neither
    // side has one, the same handle: the same file, renamed, given another
    // time or written in place. Where only one side has a birth time (a
    // note of a version before), device and inode alone decide. Where
    // neither side has a birth time and not both a handle, the time of
    // writing and the size must be the same too: a file given another time
    // or written in place then counts as another.
    bool Ten_isty(const Totoznost &iny) const;
    bool operator==(const Totoznost &) const = default;
};

// FNV-1a over 64-bit words: finds a note cut short, a table as it was
// written, and a file's handle in a few bytes.
quint64 Kontrolny_sucet(const QByteArray &bajty, quint64 h = 14695981039346656037ULL);

// What stands under the name now, not followed; an empty Totoznost when
// the name is free, nothing when it cannot be looked at.
std::optional<Totoznost> Totoznost_mena(const Priecinok &priecinok, const QString &meno);

// Whether `meno` still names the file `subor` (device and inode); it is
// then removed.
bool Odstran_ak_meno_je(const Priecinok &priecinok, const QString &meno, const Totoznost &subor);

// The whole regular file. Neexistuje when the name is free, Nie_je_subor for
// a link, a directory, a FIFO or a device, Viac_mien for a file with other
// names besides this one (a hard link), Prilis_velky past Najvacsi_subor.
// `prava` receives the file's permission bits.
Chyba_suboru Precitaj_subor(const Priecinok &priecinok, const QString &meno, QByteArray &obsah,
                            Prava_suboru *prava = nullptr);
Chyba_suboru Precitaj_subor(const QString &cesta, QByteArray &obsah);

// The same for a configuration file, which must also belong to the
// folder's owner (or to the system): a pupil who may write the folder can
// put a file of their own in its place, but cannot give it to another user.
// Other names of it are allowed: it is only read.
Chyba_suboru Precitaj_nastavenie(const QString &cesta, QByteArray &obsah);

// The user a name of the folder belongs to (not followed if a link);
// empty when nothing stands under it.
QString Vlastnik(const Priecinok &priecinok, const QString &meno);

// Whether the name may be written: free, or a regular file (not a link).
Chyba_suboru Mozno_zapisat(const QString &cesta);

// Replaces `meno` with a new file holding `obsah` and the permission bits
// `prava`: created beside it under a name of its own (never one that
// exists), written, synced and renamed over the name, then the folder
// synced. `smie` is asked just before the rename, with the new file's name
// and identity; when it says no, nothing changes and the answer is
// Prerusene. On any failure the old file stays.
Chyba_suboru Nahrad_subor(const Priecinok &priecinok, const QString &meno, const QByteArray &obsah,
                          mode_t prava, const std::function<bool(const QString &, const Totoznost &)> &smie = {});

// A name not yet taken for a new file that is to replace `meno`:
// "<meno>.<16 hex digits>.novy", with `meno` cut short where the whole would
// be longer than `najdlhsie` bytes (the folder's longest name; <= 0: any).
QString Meno_noveho(const QString &meno, long najdlhsie = NAME_MAX);

// Removes the new files that replacements of `meno` cut short (a program
// killed mid-write) left beside it a minute ago or earlier, under the name
// Meno_noveho gives them in this folder, cut or whole (or cut as the
// version before cut it, a byte shorter). Never another name's, but where
// `meno` is cut: another name that begins with the same bytes up to the cut
// gets new files of the same names, and its are taken too. The program
// sweeps only names that are never cut (the table's, the log's and the
// lock's). Only for a caller that holds the folder's lock: no other program
// is then writing one.
void Odstran_zvysky(const Priecinok &priecinok, const QString &meno);

// Appends `obsah` whole to the regular file `meno` (created when free,
// with its folder synced after) and syncs it; what a failed append wrote is
// taken back. `smie` is asked just before the append, with the identity of
// the open file; when it says no, nothing is written and the answer is
// Prerusene. Where the file system refuses the append itself (EPERM, ENOSYS
// or EOPNOTSUPP), the file is replaced by a new one holding it and `obsah`,
// as Nahrad_subor replaces one: only for a caller that keeps others from
// writing it meanwhile (the folder's lock). `drzi` is asked just before the
// new file's rename whether it still does; when it says no, or the file was
// changed or replaced after it was opened, nothing is replaced and the
// answer is Prerusene.
Chyba_suboru Pripis_k_suboru(const Priecinok &priecinok, const QString &meno, const QByteArray &obsah,
                             const std::function<bool(const Totoznost &)> &smie = {},
                             const std::function<bool()> &drzi = {});

// Removes every new file that replacements of `meno` left beside it, however
// young, named as Odstran_zvysky finds them (a cut name's, the same cut
// of another name's too). Only for a caller that holds the folder's lock,
// and where every replacement of `meno` asks for that lock just before its
// rename: a new file there is one that no program will rename into place.
void Odstran_nove(const Priecinok &priecinok, const QString &meno);

// Whether `obsah` was appended to `meno` since it was the file `pred` (its
// identity and length): in the bytes past that length of the same file, or
// anywhere in a file that has replaced it. The start of it that an append
// cut short left at the end of the same file is taken back: not appended.
// The file is opened as Pripis_k_suboru opens it, and refused as it is;
// Neexistuje is no error: nothing was appended.
Chyba_suboru Najdi_pripisane(const Priecinok &priecinok, const QString &meno, const Totoznost &pred,
                             const QByteArray &obsah, bool &pripisane);

// Writes and syncs a new file; Existuje when the name is taken (by
// anything, a link included).
Chyba_suboru Zapis_novy_subor(const Priecinok &priecinok, const QString &meno, const QByteArray &obsah,
                              Prava_suboru prava = 0666);

// The rest of the open file `fd` (`cesta` names it), `velkost` bytes
// expected; never past Najvacsi_subor, however the file grows meanwhile.
Chyba_suboru Citaj_do_konca(int fd, const QString &cesta, qint64 velkost, QByteArray &obsah);

// For tests that end the program at every step of a save: runs after each
// write (a refused one too), sync, rename and removal of one, and after a
// file to be written anew has been read. The step's errno is kept.
inline void (*Po_kroku)() = nullptr;
inline void Krok()
{
    if (Po_kroku) {
        const int chyba = errno;
        Po_kroku();
        errno = chyba;
    }
}

// Writes all of `obsah` to the descriptor, or says why not (errno kept);
// `zapisane` receives how many bytes went in, a failed write's too.
bool Zapis_vsetko(int fd, const QByteArray &obsah, qsizetype *zapisane = nullptr);
// fsync, tried again when interrupted.
bool Synchronizuj(int fd);
// Whether the open file still has its name `meno` in the folder `priecinok`
// (a descriptor): not removed, not replaced by another. Where the file or
// the name could not be looked at (a disk disconnected or failing), false
// with `chyba` set to the reason; else `chyba` is 0.
bool Ma_meno(int fd, int priecinok, const QByteArray &meno, int *chyba = nullptr);
// Gives the open file the permission bits `prava`; true also where its
// file system keeps none (errno kept when false).
bool Nastav_prava(int fd, Prava_suboru prava);
// A write lock on the whole file, held by this open file and dropped when it
// is closed (fcntl F_OFD_SETLK); false with errno when it cannot be had now.
bool Zamkni_subor(int fd);

} // namespace Misc
