#include "services/Klavesnice.h"

#include "platform/Services.h"

namespace Misc {

namespace {

bool Je_americka(const QString &nazov)
{
    return nazov.contains(platform::UsKeyboardLayout);
}

// Activates the previous layout until `hladana` holds for the active one,
// at most Hranica_aktivacii times; the first activation comes before the
// first test. Returns whether the layout sought was reached.
template <class Podmienka>
bool Krokuj_rozlozenia(Podmienka hladana)
{
    platform::KeyboardLayout &klavesnica = platform::services().keyboard();
    for (int pocet = 0; pocet < Hranica_aktivacii; ++pocet) {
        klavesnica.ActivatePrevious();
        Aktualni_klavesnice = klavesnica.ActiveLayoutName();
        if (hladana(Aktualni_klavesnice))
            return true;
    }
    return false;
}

} // namespace

void Uloz_klavesnici()
{
    Puvodni_klavesnice = platform::services().keyboard().ActiveLayoutName();
    Aktualni_klavesnice.clear();
}

void Prepni_na_anglickou_klavesnici()
{
    if (Krokuj_rozlozenia(Je_americka))
        return;
    // US is not installed: load it, then find it in the ring. A failed load
    // leaves the layout as it is rather than searching without end.
    if (platform::services().keyboard().LoadLayout(platform::UsKeyboardLayout))
        Krokuj_rozlozenia(Je_americka);
}

void Obnov_klavesnici()
{
    // A saved layout removed meanwhile is never reached: the search ends
    // after its bound on whatever layout is then active.
    Krokuj_rozlozenia([](const QString &nazov) { return nazov == Puvodni_klavesnice; });
}

} // namespace Misc
