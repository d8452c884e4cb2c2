#pragma once
// Start-up configuration: where the program's resources and data lie, the
// check that they are there, and the tables loaded once for the whole run.
// Everything here is written once by Nacti_konfiguraci and read-only after.
#include "platform/Picture.h"

#include <QString>

namespace Misc {

// Directory of "Loravik.ini": the user's configuration directory.
inline QString Adresar_windows;
// Resource directory (INI key "CD") and data directory (key "HD"), each
// ending in a separator, so that "Bitmap\Games\check.bmp" or "Hra.dat" can
// be appended directly. Open what they name through platform::resolvePath: the
// relative parts are written with "\" and in any letter case.
inline QString Cesta_CD;
inline QString Cesta_HD;

// The mouse cursors of the screens: arrow, hand over what can be clicked,
// and help.
inline platform::Picture Kurzor_sipka;
inline platform::Picture Kurzor_ruka;
inline platform::Picture Kurzor_napoveda;

// The INI file's name and section, and the word that stands for a missing key.
inline const QString Nazov_ini = QStringLiteral("Loravik.ini");
inline const QString Sekcia_ini = QStringLiteral("KVR4");
inline const QString Chyba_ini = QStringLiteral("Chyba");

// Runs the whole start-up sequence. On a failed check it shows the
// critical message box titled "Chyba" and returns false; the caller then
// ends the program with Kod_zlyhania_konfiguracie, before anything else runs.
bool Nacti_konfiguraci();
inline constexpr int Kod_zlyhania_konfiguracie = 1;

// `hodnota` with a separator at its end: the one it already has, else the
// kind of separator it uses ("/" for a Linux path), else "\".
QString S_oddelovacom(const QString &hodnota);

} // namespace Misc
