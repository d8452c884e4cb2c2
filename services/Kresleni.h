#pragma once
// Drawing services of every screen: pictures put on a form or picture box
// so that they are on the screen at once and in the persistent image the
// surface repaints from; transparent drawing with the key colour magenta;
// stretched drawing; window shapes; the frame strips behind example rows.
#include "platform/Canvas.h"
#include "platform/Form.h"
#include "platform/Picture.h"

namespace Misc {

// The picture at `cesta` (any letter case, "\" or "/"), loaded once and
// kept: screens draw the same bitmaps again and again.
platform::Picture Nacti_obrazek(const QString &cesta);

// The whole picture at full size with its top-left corner at (x, y), on
// both layers; the target's AutoRedraw ends as it was.
void Vykresli_obrazek(const platform::Picture &obrazek, platform::Canvas &formular, int x, int y);
// The whole picture stretched to sirka x vyska at (x, y), on both layers.
void Vykresli_obrazek_roztazeny(const platform::Picture &obrazek, platform::Canvas &formular,
                                int x, int y, int sirka, int vyska);
// As Vykresli_obrazek onto a form or picture box; with `pruhledne` the
// pixels of the key colour are left out.
void Vykresli_obrazek_na_objekt(const platform::Picture &obrazek, platform::Canvas &objekt, int x,
                                int y, bool pruhledne);
// Copies sirka x vyska pixels from (0, 0) of `zdroj` to (x, y), on both
// layers. Only what the source has is copied.
void Vykresli_dc_na_formular(platform::Canvas &formular, int x, int y, int sirka, int vyska,
                             platform::Dc zdroj);
// Copies the rectangle, leaving the destination as it was wherever the
// source pixel has the key colour; the source is not changed.
void Vykresli_pruhledne(platform::Dc ciel, int x, int y, int sirka, int vyska, platform::Dc zdroj,
                        int zx, int zy, const QColor &klic = platform::kKeyColour);
// Cuts every pixel of `farba` in the form's current image out of its window.
void Nastav_tvar_okna(platform::Form &formular, const QColor &farba);

// The frame strip behind an example row: the left piece at (X - 15, Y - 5),
// the middle one from (X, Y - 5) stretched to `width`, the right one at
// (X + width, Y - 5), each copied opaque and only if it holds an image.
// The surface's AutoRedraw is set to Set_AutoRedraw and stays so: True puts
// the strip on the persistent image, False on the screen only. `height`
// takes no part; every piece keeps its own height.
void Vykresli_ramecek(platform::Canvas &XForm, int X, int Y, int width, int height,
                      bool Set_AutoRedraw, const platform::Picture &Left_Graphic,
                      const platform::Picture &Middle_Graphic,
                      const platform::Picture &Right_Graphic);

} // namespace Misc
