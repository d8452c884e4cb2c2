#pragma once
// Keyboard layout guard: answers are typed with the US layout whatever the
// pupil uses; the pupil's own layout comes back on screens without typing.
// Layouts are switched only by stepping round the installed ones.
#include <QString>

namespace Misc {

// The layout active at start, and the active layout's name as last read.
inline QString Puvodni_klavesnice;
inline QString Aktualni_klavesnice;

// Activations in one search for a layout before it is given up.
inline constexpr int Hranica_aktivacii = 100;

void Uloz_klavesnici();
void Prepni_na_anglickou_klavesnici();
void Obnov_klavesnici();

} // namespace Misc
