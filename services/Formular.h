#pragma once
// The set-up every form's load makes: window caption, icon and size, and
// the rescaling of its controls to the screen's pixel size.
#include "platform/Form.h"

namespace Misc {

inline const QString Nazov_okna = QStringLiteral("Loravik Kvantira 2 - Algebra");

// Caption, icon and a window of sirka x vyska pixels.
void Nastav_formular(platform::Form &formular, int sirka, int vyska);

// Scales every control's position and size by twips per pixel / 15 (the
// forms are designed at 15), sets every font to 12 points times that
// factor and takes every control out of the tab order.
void Prizpusob_ovladace(platform::Form &formular);
// The same at a given screen's twips per pixel.
void Prizpusob_ovladace(platform::Form &formular, int twipy_na_pixel);

} // namespace Misc
