#pragma once
// Scrambled data files are read through a plain temporary copy that is
// scrambled again right after reading, so no plain copy stays on disk.
//
// The copy lies in the directory named by TMP, else TEMP, else the platform's
// temporary directory, in a file of this process's own that has no name
// there: pupils sharing a machine never meet each other's copy, and no end
// of the program leaves it behind. Its path is its descriptor's.
#include "services/Chyba_suboru.h"

#include <QString>
#include <QStringList>

namespace Misc {

// Path of the current temporary copy; empty before the first transform.
QString Docasny_soubor();

// Transforms the file at `cesta` into the temporary copy. Given the copy's own
// path, transforms the copy in place.
Chyba_suboru Prekoduj_soubor(const QString &cesta);

// The whole reading protocol: descramble into the copy, read its lines
// (Windows-1250, CR LF), scramble the copy again. A file whose last line has
// no line break was cut short: Poskodeny, naming that line.
Chyba_suboru Precti_prekodovany_soubor(const QString &cesta, QStringList &riadky);

} // namespace Misc
