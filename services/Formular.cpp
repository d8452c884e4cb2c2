#include "services/Formular.h"

#include "platform/Control.h"
#include "platform/Runtime.h"
#include "services/Konfigurace.h"
#include "services/Kresleni.h"

#include <cmath>

namespace Misc {

void Nastav_formular(platform::Form &formular, int sirka, int vyska)
{
    formular.Caption = Nazov_okna;
    formular.Icon = Nacti_obrazek(Cesta_CD + QStringLiteral("Bitmap\\ico.ico"));
    formular.Width = sirka * platform::Screen::TwipsPerPixelX;
    formular.Height = vyska * platform::Screen::TwipsPerPixelY;
}

void Prizpusob_ovladace(platform::Form &formular)
{
    Prizpusob_ovladace(formular, platform::Screen::TwipsPerPixelX);
}

void Prizpusob_ovladace(platform::Form &formular, int twipy_na_pixel)
{
    // One factor, from the x direction, for both directions.
    const double f = twipy_na_pixel / 15.0;
    const auto krat_f = [f](int hodnota) { return int(std::lround(hodnota * f)); };
    for (platform::Control *ovladac : formular.Controls()) {
        ovladac->Move(krat_f(ovladac->Left), krat_f(ovladac->Top), krat_f(ovladac->Width),
                      krat_f(ovladac->Height));
        ovladac->FontSize = 12 * f;
        ovladac->TabStop = false;
    }
}

} // namespace Misc
