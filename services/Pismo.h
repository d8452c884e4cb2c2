#pragma once
// The private font of mathematical text (family "Ruvo"), registered for
// the run from the resource directory.
#include <QString>

namespace Misc {

// Full path of the font file, set by Zaregistruj_pismo.
inline QString Soubor_pisma;

// Registers Cesta_CD & "Data\Ruvo.ttf" so that forms can name the family.
void Zaregistruj_pismo();
// Removes the font registered by Zaregistruj_pismo; harmless when none is.
void Odeber_pismo();

} // namespace Misc
