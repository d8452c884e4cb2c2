#pragma once
// The set-up every form's load makes: window caption, icon and size, and
// the rescaling of its controls to the screen's pixel size; the place of a
// box that must lie on the stage.
#include "platform/Form.h"

#include <algorithm>

namespace Misc {

inline const QString Nazov_okna = QStringLiteral("Loravik Kvantira 2 - Algebra");

// Where a box of `velkost` that would stand at `kde` (stage pixels) lies
// wholly on the 640 x 480 stage: shifted as little as needed, never shrunk.
inline QPoint Na_javisku(QPoint kde, QSize velkost)
{
    return {std::clamp(kde.x(), 0, std::max(0, platform::Stage::kWidth - velkost.width())),
            std::clamp(kde.y(), 0, std::max(0, platform::Stage::kHeight - velkost.height()))};
}

// Caption, icon and a window of sirka x vyska pixels.
void Nastav_formular(platform::Form &formular, int sirka, int vyska);

// Scales every control's position and size by twips per pixel / 15 (the
// forms are designed at 15), sets every font to 12 points times that
// factor and takes every control out of the tab order.
void Prizpusob_ovladace(platform::Form &formular);
// The same at a given screen's twips per pixel.
void Prizpusob_ovladace(platform::Form &formular, int twipy_na_pixel);

} // namespace Misc
