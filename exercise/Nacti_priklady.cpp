#include "exercise/Nacti_priklady.h"

#include "exercise/Gramatika_vzoru.h"
#include "services/Prekodovany_soubor.h"

namespace Misc {

Sada_vzoru Vzory;

Chyba_suboru Nacti_priklady_ze_souboru(const QString &cesta, const QString &uloha, int varianta)
{
    Vzory.Vyprazdni();
    QStringList riadky;
    if (Chyba_suboru chyba = Precti_prekodovany_soubor(cesta, riadky); chyba.Je_chyba())
        return chyba;
    // The file ends with its end line: without it the file was cut short and
    // the last task read may have lost templates.
    if (riadky.isEmpty() || riadky.last() != Koniec_suboru_uloh)
        return {Chyba_suboru::Poskodeny, cesta, int(riadky.size()) + 1};
    Vzory_ulohy precitane = Precti_vzory(riadky, uloha, varianta);
    if (precitane.chybny_riadok != 0)
        return {Chyba_suboru::Nad_hranice, cesta, precitane.chybny_riadok};
    Vzory = std::move(precitane.vzory);
    return {};
}

} // namespace Misc
