#pragma once
// Why a data file could not be read, for the caller's message box.
#include <QString>

namespace Misc {

struct Chyba_suboru {
    enum Druh {
        Ziadna,              // success
        Neexistuje,          // the file is not there
        Neda_sa_citat,       // it is there but cannot be opened or read
        Neda_sa_zapisat,     // the temporary copy cannot be written
        Bez_docasneho_suboru,// no private temporary file in the temporary directory
        Nad_hranice,         // the file exceeds the limits of the program's tables
        Poskodeny,           // a line holds what the file cannot hold (or the file is empty)
        Bez_znamok,          // the marks leave a percentage from 0 to 100 without a mark
        Nie_je_subor,        // a link, a directory, a FIFO or a device stands under the name
        Prilis_velky,        // larger than any file the program can have
        Viac_mien,           // the file has other names besides this one (a hard link)
        Cudzi_vlastnik,      // a configuration file that belongs to another user than its folder
        Existuje,            // a new file's name is taken
        Prerusene,           // a replacement was called off just before it would have happened
        Zvysok_zapisu,       // an append failed, and what of it was written could not be taken back
    };

    Druh druh = Ziadna;
    QString cesta;   // the file or directory concerned
    int riadok = 0;  // for Nad_hranice and Poskodeny: the line, counted from 1
    QString vlastnik = {}; // for Cudzi_vlastnik: the user the file belongs to
    int chyba_systemu = 0; // the errno of the call that failed, where one did

    bool Je_chyba() const { return druh != Ziadna; }
    QString Text() const; // Slovak message
};

// Not the system's reason but the program's own, said as the system's are:
// the folder lies on a file system that spoils files by itself
// (Priecinok::Kazi_subory), so nothing is written there.
inline constexpr int Disk_kazi_subory = -1;
// The disk refused the data of a write (EPERM at a write, not at an open):
// with room enough as it tells, or telling no size, so that it may be
// full (Dovod_zapisu_do).
inline constexpr int Disk_odmietol_zapis = -2;
inline constexpr int Disk_odmietol_zapis_mozno_plny = -3;
// A data file read from a folder on fusefat failed its check: fusefat hands
// a program zeros while another reads the same file, so the file itself may
// be whole.
inline constexpr int Disk_kazi_citane = -4;

// Why a write failed, for the user: the errno of the call that failed, in
// Slovak words to end a sentence ("…: disk je plný."), the system's name for
// it in brackets after those a teacher may not know ("… (ENOSYS).").
// `druh_disku` is the folder's file system as Priecinok::Druh_disku tells
// it: a disk disconnected is called a network's only where it is one.
QString Dovod_zapisu(int chyba_systemu, const QString &druh_disku = {});
// The same as a sentence of its own ("Disk je plný."); empty for 0.
QString Dovod_systemu(int chyba_systemu, const QString &druh_disku = {});

} // namespace Misc
