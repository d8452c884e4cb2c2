#pragma once
// Data files may lie in a folder every pupil can write. A name there may be
// a link to another user's file, a FIFO that never opens or ends, or a device
// that never ends, so a file is opened only when the name itself is a regular
// file, never through a link, and never waited on.
#include "services/Chyba_suboru.h"

#include <QByteArray>
#include <QString>

namespace Misc {

// Larger than any table or data file the program can have.
inline constexpr qint64 Najvacsi_subor = 64LL * 1024 * 1024;

// The whole file. Neexistuje when the name is free, Nie_je_subor for a link,
// a directory, a FIFO or a device, Prilis_velky past Najvacsi_subor.
Chyba_suboru Precitaj_subor(const QString &cesta, QByteArray &obsah);

// Whether the name may be written: free, or a regular file (not a link).
Chyba_suboru Mozno_zapisat(const QString &cesta);

// Opens the regular file for appending (created when the name is free) and
// returns its descriptor, or -1 with the reason in `chyba`.
int Otvor_na_pripisanie(const QString &cesta, Chyba_suboru &chyba);

// Writes a new file under a name not yet taken; false when the name is taken
// (by anything, a link included) or the write fails.
bool Zapis_novy_subor(const QString &cesta, const QByteArray &obsah);

} // namespace Misc
