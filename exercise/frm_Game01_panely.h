#pragma once
// Helpers shared by the side tools of the exercise screen.
#include "platform/Control.h"
#include "platform/Form.h"

namespace panely {

// A picture of the exercise screen, "Bitmap\Games\" + nazev under the
// resource directory.
platform::Picture Obrazek_hry(const QString &nazev);

// The pointer over a control or a form becomes `kurzor`.
void Nastav_kurzor(platform::Control *c, const platform::Picture &kurzor);
void Nastav_kurzor(platform::Form *f, const platform::Picture &kurzor);

} // namespace panely
