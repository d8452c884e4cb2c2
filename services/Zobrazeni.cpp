#include "services/Zobrazeni.h"

#include "platform/Services.h"
#include "services/Tabulky.h"

namespace Misc {

using namespace platform;

bool Zmen_rozliseni()
{
    DisplayModeRecord rezim = services().displayMode().CurrentMode();
    Puvodni_sirka = rezim.width;
    Puvodni_vyska = rezim.height;
    Puvodni_barvy = rezim.bitsPerPixel;
    Puvodni_frekvence = rezim.frequency;

    // Asked for even when the display is in that mode already.
    rezim.width = 640;
    rezim.height = 480;
    rezim.bitsPerPixel = 16;
    rezim.fields = DisplayField::BitsPerPixel | DisplayField::Width | DisplayField::Height;
    if (services().displayMode().ChangeMode(rezim, DisplayChangeReset) == DisplayChangeSuccessful)
        return true;
    services().messageBox().Show(Texty[40], MessageStyle::OkOnly, Texty[41]);
    return false;
}

void Obnov_rozliseni()
{
    DisplayModeRecord rezim;
    rezim.width = Puvodni_sirka;
    rezim.height = Puvodni_vyska;
    rezim.bitsPerPixel = Puvodni_barvy;
    rezim.frequency = Puvodni_frekvence;
    rezim.fields = DisplayField::BitsPerPixel | DisplayField::Width | DisplayField::Height
        | DisplayField::Frequency;
    if (services().displayMode().ChangeMode(rezim, DisplayChangeReset) != DisplayChangeSuccessful)
        services().messageBox().Show(Texty[43], MessageStyle::OkOnly, Texty[44]);
}

} // namespace Misc
